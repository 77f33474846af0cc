#pragma once

#include <string>

// The game's own command-line options. Everything else on the command line
// is GLUT's (-display, -geometry, ...), left in place for glutInit.
struct Options {
    bool help = false;
    bool version = false;
    bool fullscreen = false;
    bool noMusic = false;
    bool noSpeech = false;
    // --window WIDTHxHEIGHT; 0 when not given.
    int windowWidth = 0;
    int windowHeight = 0;
    // --insults FILE; empty for the shipped list.
    std::string insults;
};

// Takes the game's options out of argv (argv[0] stays) and fills options.
// Returns false, with one line saying why in error, for an option it does
// not know, a missing or bad value, or an argument that is not an option.
bool parseOptions(int& argc, char** argv, Options& options, std::string& error);

// The text --help prints, also shown after a bad option.
const char* usageText();
