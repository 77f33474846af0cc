#pragma once

#include <string>

// What the player sets and the game remembers from one run to the next, in
// $XDG_CONFIG_HOME/vorblex/settings.ini (~/.config/vorblex/settings.ini when
// that is unset). Without a file everything is as the game has always been.
struct Settings {
    bool music = true;
    bool voice = true;
    int volume = 100; // percent, 0 to 100
    bool fullscreen = false;
    int windowWidth = 800;
    int windowHeight = 600;
    // The choice of game: 0 two players, 1 to 3 the computer at easy,
    // normal, hard.
    int choice = 0;
};

// A file of the player's in an XDG base folder: $VARIABLE/name when the
// variable holds an absolute path, else $HOME/fallback/name; empty when
// neither is set.
std::string xdgFile(const char* variable, const char* fallback, const char* name);

// The settings file, read once at start and written, whole and atomically,
// whenever the player changes a setting.
class SettingsFile {
  public:
    // The file's place from the environment; empty when neither
    // XDG_CONFIG_HOME nor HOME is set.
    static std::string defaultPath();

    explicit SettingsFile(std::string path) : path(std::move(path)) {}

    // The settings as the file has them, defaults for what it lacks. A file
    // that is damaged in any way (a line that is not "key = value", an
    // unknown key, a value out of range, bytes that are not text, a folder)
    // is reported in one line on standard output, naming the file and the
    // line, and is kept aside as settings.ini.bad when the settings are next
    // written. No file at all is no message.
    Settings load();

    // Writes the settings beside the old file and renames them over it, so
    // that the file is either the old one or the new one, whole. A folder
    // that cannot be written to is reported once; the game plays on with
    // the settings it has.
    void save(const Settings& settings);

    const std::string path;

  private:
    bool damaged = false;
    bool reportedUnwritable = false;
};
