#include "app/Controls.h"

#include "app/Globals.h"
#include "app/Toast.h"
#include "audio/SpeechVoice.h"

#include <GL/freeglut.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr int volumeStep = 10;

struct Controls {
    std::unique_ptr<SettingsFile> file;
    // As in the file, and as played now (the options on top).
    Settings stored;
    Settings current;
    int windowWidth = 0, windowHeight = 0;
};

Controls& controls() {
    static Controls& one = *new Controls;
    return one;
}

void save() {
    Controls& c = controls();
    if (c.file) {
        c.file->save(c.stored);
    }
}

// A window resized by the player is worth keeping, but not at every step of
// a drag: it is written once, when the game ends.
void keepWindowSize() {
    Controls& c = controls();
    if (c.windowWidth > 0 &&
        (c.windowWidth != c.stored.windowWidth || c.windowHeight != c.stored.windowHeight)) {
        c.stored.windowWidth = c.current.windowWidth = c.windowWidth;
        c.stored.windowHeight = c.current.windowHeight = c.windowHeight;
        save();
    }
}

} // namespace

void startControls(const Options& options) {
    Controls& c = controls();
    c.file = std::make_unique<SettingsFile>(SettingsFile::defaultPath());
    c.stored = c.file->load();
    c.current = c.stored;
    if (options.noMusic) {
        c.current.music = false;
    }
    if (options.noSpeech) {
        c.current.voice = false;
    }
    if (options.fullscreen) {
        c.current.fullscreen = true;
    }
    if (options.windowWidth > 0) {
        c.current.windowWidth = options.windowWidth;
        c.current.windowHeight = options.windowHeight;
    }
    c.windowWidth = c.current.windowWidth;
    c.windowHeight = c.current.windowHeight;
    std::atexit(keepWindowSize);
}

const Settings& currentSettings() { return controls().current; }

void applySettings() {
    const Settings& s = controls().current;
    liveMode.sounds.setVolume(s.volume);
    liveMode.sounds.setPaused("bg", !s.music);
    setSpeechVolume(s.volume);
    liveMode.voiceOn = s.voice;
}

bool soundKey(int key) {
    Controls& c = controls();
    char message[32];
    switch (key) {
    case GLUT_KEY_F5:
        c.current.music = c.stored.music = !c.current.music;
        std::snprintf(message, sizeof message, "Music %s", c.current.music ? "on" : "off");
        break;
    case GLUT_KEY_F6:
        c.current.voice = c.stored.voice = !c.current.voice;
        std::snprintf(message, sizeof message, "Voice %s", c.current.voice ? "on" : "off");
        break;
    case GLUT_KEY_F7:
    case GLUT_KEY_F8: {
        const int step = key == GLUT_KEY_F8 ? volumeStep : -volumeStep;
        c.current.volume = c.stored.volume = std::max(0, std::min(100, c.current.volume + step));
        std::snprintf(message, sizeof message, "Volume %d %%", c.current.volume);
        break;
    }
    default:
        return false;
    }
    applySettings();
    showToast(message);
    save();
    return true;
}

void fullscreenChanged(bool on) {
    Controls& c = controls();
    c.current.fullscreen = c.stored.fullscreen = on;
    save();
}

void windowResized(int width, int height) {
    controls().windowWidth = width;
    controls().windowHeight = height;
}

void gameChosen(int choice) {
    Controls& c = controls();
    c.current.choice = choice;
    if (c.stored.choice != choice) {
        c.stored.choice = choice;
        save();
    }
}
