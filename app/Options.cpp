#include "app/Options.h"

#include <cstdlib>
#include <cstring>
#include <fstream>

namespace {

// GLUT's own options, and whether each takes a value.
struct GlutOption {
    const char* name;
    bool takesValue;
};
constexpr GlutOption glutOptions[] = {
    {"-display", true}, {"-geometry", true}, {"-direct", false}, {"-indirect", false},
    {"-iconic", false}, {"-gldebug", false}, {"-sync", false}};

// WIDTHxHEIGHT, each a whole number from 1 to 16384.
bool windowSize(const char* text, int& width, int& height) {
    char* end = nullptr;
    const long w = std::strtol(text, &end, 10);
    if (end == text || *end != 'x') {
        return false;
    }
    const char* rest = end + 1;
    const long h = std::strtol(rest, &end, 10);
    if (end == rest || *end != '\0' || w < 1 || h < 1 || w > 16384 || h > 16384 || text[0] == '+' ||
        rest[0] == '+') {
        return false;
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

} // namespace

const char* usageText() {
    return "Usage: vorblex [OPTION]... [GLUT OPTION]...\n"
           "Two robots trade insults; play both at one keyboard, or blue against the computer.\n"
           "\n"
           "  --fullscreen           start in fullscreen\n"
           "  --window WIDTHxHEIGHT  start with a window of this size\n"
           "  --no-music             start with the music off\n"
           "  --no-speech            start with the voice off\n"
           "  --insults FILE         play with the insults of FILE instead of the shipped ones\n"
           "  --help                 show this help and exit\n"
           "  --version              show the version and exit\n"
           "\n"
           "GLUT's options (-display DISPLAY, -geometry WxH+X+Y, -iconic, -direct,\n"
           "-indirect, -gldebug, -sync) are passed on. An option given here wins over\n"
           "the settings file for this run only.\n";
}

bool parseOptions(int& argc, char** argv, Options& options, std::string& error) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool last = i + 1 >= argc;
        bool glut = false;
        for (const GlutOption& g : glutOptions) {
            if (std::strcmp(arg, g.name) == 0) {
                glut = true;
                if (g.takesValue && last) {
                    error = std::string("option ") + arg + " needs a value";
                    return false;
                }
                argv[kept++] = argv[i];
                if (g.takesValue) {
                    argv[kept++] = argv[++i];
                }
            }
        }
        if (glut) {
            continue;
        }
        if (std::strcmp(arg, "--help") == 0) {
            options.help = true;
        } else if (std::strcmp(arg, "--version") == 0) {
            options.version = true;
        } else if (std::strcmp(arg, "--fullscreen") == 0) {
            options.fullscreen = true;
        } else if (std::strcmp(arg, "--no-music") == 0) {
            options.noMusic = true;
        } else if (std::strcmp(arg, "--no-speech") == 0) {
            options.noSpeech = true;
        } else if (std::strcmp(arg, "--window") == 0 || std::strcmp(arg, "--insults") == 0) {
            if (last) {
                error = std::string("option ") + arg + " needs a value";
                return false;
            }
            const char* value = argv[++i];
            if (arg[2] == 'w') {
                if (!windowSize(value, options.windowWidth, options.windowHeight)) {
                    error = std::string("--window wants WIDTHxHEIGHT, such as 1024x768, not '") +
                            value + "'";
                    return false;
                }
            } else {
                if (!std::ifstream(value).good() || std::ifstream(value).peek() == EOF) {
                    error =
                        std::string("--insults: cannot read an insult list from '") + value + "'";
                    return false;
                }
                options.insults = value;
            }
        } else if (arg[0] == '-') {
            error = std::string("unknown option '") + arg + "'";
            return false;
        } else {
            error = std::string("unexpected argument '") + arg + "'";
            return false;
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return true;
}
