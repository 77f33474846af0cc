#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace testaudio {

constexpr int rate = 44100;

// A file in this process's temporary folder (removed when the process ends).
std::string tempPath(const std::string& name);

// Writes a stereo 16-bit WAV file holding a sine tone; returns its path.
std::string writeTone(const std::string& name, double seconds, double hz, double amplitude);

// The interleaved 16-bit samples of a raw capture file.
std::vector<int16_t> readSamples(const std::string& path);

// Makes the next audio device that SDL opens write its output, raw, into a
// file instead of a sound card: SDL's disk driver. Must be set up before the
// bank's init(), since SDL reads the variables when its audio starts.
// ioDelayMs is how long the driver waits per buffer: -1 paces it like a real
// card, 0 or more runs it faster than real time.
class Capture {
  public:
    explicit Capture(const std::string& name, int ioDelayMs = -1);
    ~Capture();

    // Interleaved left/right samples written so far.
    std::vector<int16_t> samples() const;
    size_t frames() const;
    // Waits until at least count frames have been written; false on timeout.
    bool waitForFrames(size_t count, double timeoutSeconds) const;
    // Waits until some sound was written and then quietSeconds of silence
    // followed it; false on timeout.
    bool waitForSoundThenSilence(double quietSeconds, double timeoutSeconds) const;

    const std::string path;
};

// Root mean square of both channels over consecutive windows of frames.
std::vector<double> envelope(const std::vector<int16_t>& stereo, size_t windowFrames);

// The part of an envelope from its first to its last window above floor.
std::vector<double> trimmed(const std::vector<double>& env, double floor);

// Where pattern fits best in signal, and how well: the correlation
// coefficient of pattern with the stretch of signal it lies on (1 = the same
// shape, whatever the loudness).
struct Match {
    size_t offset = 0;
    double score = -1;
};
Match bestMatch(const std::vector<double>& signal, const std::vector<double>& pattern);

} // namespace testaudio
