#include "tests/audio/AudioCapture.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace testaudio {

namespace {

namespace fs = std::filesystem;

// The folder lives as long as the process and is removed with its files.
const fs::path& folder() {
    static struct Folder {
        fs::path path = fs::temp_directory_path() /
                        ("vorblex-audio-" + std::to_string(static_cast<long>(::getpid())));
        Folder() { fs::create_directories(path); }
        ~Folder() {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    } dir;
    return dir.path;
}

void putLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xff);
    }
}

// Below this a sample counts as silence (about -72 dBFS).
constexpr int quietSample = 8;

} // namespace

std::string tempPath(const std::string& name) { return (folder() / name).string(); }

std::string writeTone(const std::string& name, double seconds, double hz, double amplitude) {
    const auto frames = static_cast<uint32_t>(std::lround(seconds * rate));
    const uint32_t dataBytes = frames * 4;
    std::string wav = "RIFF";
    putLittleEndian(wav, 36 + dataBytes, 4);
    wav += "WAVEfmt ";
    putLittleEndian(wav, 16, 4);
    putLittleEndian(wav, 1, 2); // PCM
    putLittleEndian(wav, 2, 2);
    putLittleEndian(wav, rate, 4);
    putLittleEndian(wav, rate * 4, 4);
    putLittleEndian(wav, 4, 2);
    putLittleEndian(wav, 16, 2);
    wav += "data";
    putLittleEndian(wav, dataBytes, 4);
    for (uint32_t i = 0; i < frames; ++i) {
        const double value = amplitude * 32767 * std::sin(2 * M_PI * hz * i / rate);
        const auto sample = static_cast<uint16_t>(static_cast<int16_t>(std::lround(value)));
        putLittleEndian(wav, sample, 2);
        putLittleEndian(wav, sample, 2);
    }
    const std::string path = tempPath(name);
    std::ofstream(path, std::ios::binary) << wav;
    return path;
}

Capture::Capture(const std::string& name, int ioDelayMs) : path(tempPath(name)) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
    if (ioDelayMs >= 0) {
        setenv("SDL_DISKAUDIODELAY", std::to_string(ioDelayMs).c_str(), 1);
    } else {
        unsetenv("SDL_DISKAUDIODELAY");
    }
}

Capture::~Capture() {
    std::error_code ignored;
    fs::remove(path, ignored);
}

std::vector<int16_t> Capture::samples() const { return readSamples(path); }

std::vector<int16_t> readSamples(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<int16_t> out;
    int16_t sample = 0;
    while (in.read(reinterpret_cast<char*>(&sample), sizeof sample)) {
        out.push_back(sample);
    }
    return out;
}

size_t Capture::frames() const {
    std::error_code error;
    const auto bytes = fs::file_size(path, error);
    return error ? 0 : static_cast<size_t>(bytes / 4);
}

bool Capture::waitForFrames(size_t count, double timeoutSeconds) const {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (frames() < count) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

bool Capture::waitForSoundThenSilence(double quietSeconds, double timeoutSeconds) const {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    const auto quietFrames = static_cast<size_t>(quietSeconds * rate);
    while (std::chrono::steady_clock::now() < deadline) {
        const std::vector<int16_t> all = samples();
        size_t lastLoud = 0;
        bool heard = false;
        for (size_t i = 0; i < all.size(); ++i) {
            if (std::abs(all[i]) > quietSample) {
                lastLoud = i / 2;
                heard = true;
            }
        }
        if (heard && all.size() / 2 - lastLoud >= quietFrames) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

std::vector<double> envelope(const std::vector<int16_t>& stereo, size_t windowFrames) {
    std::vector<double> env;
    const size_t window = windowFrames * 2;
    for (size_t start = 0; start + window <= stereo.size(); start += window) {
        double sum = 0;
        for (size_t i = start; i < start + window; ++i) {
            sum += static_cast<double>(stereo[i]) * stereo[i];
        }
        env.push_back(std::sqrt(sum / window));
    }
    return env;
}

std::vector<double> trimmed(const std::vector<double>& env, double floor) {
    size_t first = env.size();
    size_t last = 0;
    for (size_t i = 0; i < env.size(); ++i) {
        if (env[i] > floor) {
            first = std::min(first, i);
            last = i;
        }
    }
    if (first == env.size()) {
        return {};
    }
    return std::vector<double>(env.begin() + first, env.begin() + last + 1);
}

Match bestMatch(const std::vector<double>& signal, const std::vector<double>& pattern) {
    Match best;
    const size_t n = pattern.size();
    if (n == 0 || n > signal.size()) {
        return best;
    }
    double patternMean = 0;
    for (double v : pattern) {
        patternMean += v / n;
    }
    for (size_t offset = 0; offset + n <= signal.size(); ++offset) {
        double signalMean = 0;
        for (size_t i = 0; i < n; ++i) {
            signalMean += signal[offset + i] / n;
        }
        double dot = 0, signalEnergy = 0, patternEnergy = 0;
        for (size_t i = 0; i < n; ++i) {
            const double s = signal[offset + i] - signalMean;
            const double p = pattern[i] - patternMean;
            dot += s * p;
            signalEnergy += s * s;
            patternEnergy += p * p;
        }
        const double score = dot / std::sqrt(signalEnergy * patternEnergy + 1e-12);
        if (score > best.score) {
            best = {offset, score};
        }
    }
    return best;
}

} // namespace testaudio
