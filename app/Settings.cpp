#include "app/Settings.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const choiceNames[] = {"two-players", "computer-easy", "computer-normal",
                                   "computer-hard"};

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool onOff(const std::string& value, bool& out) {
    if (value == "on" || value == "off") {
        out = value == "on";
        return true;
    }
    return false;
}

bool number(const std::string& value, int low, int high, int& out) {
    char* end = nullptr;
    const long n = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || n < low || n > high) {
        return false;
    }
    out = static_cast<int>(n);
    return true;
}

// One "key = value" line into settings; false with why when it cannot be.
bool readLine(const std::string& key, const std::string& value, Settings& s, std::string& why) {
    if (key == "music") {
        return onOff(value, s.music) || (why = "music is on or off", false);
    }
    if (key == "voice") {
        return onOff(value, s.voice) || (why = "voice is on or off", false);
    }
    if (key == "volume") {
        return number(value, 0, 100, s.volume) || (why = "volume is 0 to 100", false);
    }
    if (key == "fullscreen") {
        return onOff(value, s.fullscreen) || (why = "fullscreen is on or off", false);
    }
    if (key == "window") {
        const auto x = value.find('x');
        int w = 0, h = 0;
        if (x != std::string::npos && number(value.substr(0, x), 1, 16384, w) &&
            number(value.substr(x + 1), 1, 16384, h)) {
            s.windowWidth = w;
            s.windowHeight = h;
            return true;
        }
        why = "window is WIDTHxHEIGHT";
        return false;
    }
    if (key == "game") {
        for (int i = 0; i < 4; ++i) {
            if (value == choiceNames[i]) {
                s.choice = i;
                return true;
            }
        }
        why = "game is two-players, computer-easy, computer-normal or computer-hard";
        return false;
    }
    why = "unknown setting '" + key + "'";
    return false;
}

bool isFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Makes the folder and its parents, as mkdir -p does.
bool makeFolders(const std::string& folder) {
    if (folder.empty() || isFolder(folder)) {
        return true;
    }
    const auto slash = folder.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !makeFolders(folder.substr(0, slash))) {
        return false;
    }
    return mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST;
}

} // namespace

std::string xdgFile(const char* variable, const char* fallback, const char* name) {
    const char* base = std::getenv(variable);
    if (base && base[0] == '/') {
        return std::string(base) + "/" + name;
    }
    const char* home = std::getenv("HOME");
    if (home && home[0] != '\0') {
        return std::string(home) + "/" + fallback + "/" + name;
    }
    return "";
}

std::string SettingsFile::defaultPath() {
    return xdgFile("XDG_CONFIG_HOME", ".config", "vorblex/settings.ini");
}

Settings SettingsFile::load() {
    Settings settings;
    if (path.empty()) {
        return settings;
    }
    if (isFolder(path)) {
        damaged = true;
        std::cout << "Settings file " << path
                  << " is a folder, not a file: playing with the default settings" << std::endl;
        return settings;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return settings; // none yet
    }
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        std::string why;
        for (char c : line) {
            if ((static_cast<unsigned char>(c) < 32 && c != '\t' && c != '\r') ||
                static_cast<unsigned char>(c) > 126) {
                why = "not text";
                break;
            }
        }
        const std::string text = trimmed(line);
        if (why.empty() && !text.empty() && text[0] != '#') {
            const auto equals = text.find('=');
            if (equals == std::string::npos) {
                why = "not 'key = value'";
            } else {
                readLine(trimmed(text.substr(0, equals)), trimmed(text.substr(equals + 1)),
                         settings, why);
            }
        }
        if (!why.empty()) {
            // One report for the whole file, at its first bad line; the rest
            // of the file still counts.
            if (!damaged) {
                std::cout << "Settings file " << path << ", line " << number << ": " << why
                          << "; the default is used for what could not be read" << std::endl;
            }
            damaged = true;
        }
    }
    return settings;
}

void SettingsFile::save(const Settings& s) {
    if (path.empty()) {
        return;
    }
    const std::string folder = path.substr(0, path.find_last_of('/'));
    auto unwritable = [&](const char* what) {
        if (!reportedUnwritable) {
            std::cout << "Cannot save the settings in " << folder << " (" << what << ": "
                      << std::strerror(errno) << "): they last until the game ends" << std::endl;
        }
        reportedUnwritable = true;
    };
    if (!makeFolders(folder)) {
        unwritable("making the folder");
        return;
    }
    if (damaged) {
        // What the player wrote stays, beside the new file.
        if (std::rename(path.c_str(), (path + ".bad").c_str()) != 0 && errno != ENOENT) {
            unwritable("keeping the damaged file aside");
            return;
        }
        std::cout << "Settings file " << path << " kept aside as " << path << ".bad" << std::endl;
        damaged = false;
    }
    std::ostringstream text;
    text << "# Vorblex settings, written by the game when you change one.\n"
         << "music = " << (s.music ? "on" : "off") << "\n"
         << "voice = " << (s.voice ? "on" : "off") << "\n"
         << "volume = " << s.volume << "\n"
         << "fullscreen = " << (s.fullscreen ? "on" : "off") << "\n"
         << "window = " << s.windowWidth << "x" << s.windowHeight << "\n"
         << "game = " << choiceNames[s.choice >= 0 && s.choice < 4 ? s.choice : 0] << "\n";
    const std::string temporary = path + ".new";
    FILE* out = std::fopen(temporary.c_str(), "w");
    if (!out) {
        unwritable("writing");
        return;
    }
    const std::string data = text.str();
    const bool written = std::fwrite(data.data(), 1, data.size(), out) == data.size() &&
                         std::fflush(out) == 0 && fsync(fileno(out)) == 0;
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        unwritable("writing");
        std::remove(temporary.c_str());
    }
}
