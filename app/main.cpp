#include "app/Camera.h"
#include "app/Controls.h"
#include "app/Globals.h"
#include "app/Options.h"
#include "app/QuitSignals.h"
#include "app/Settings.h"
#include "app/Shell.h"
#include "app/State.h"
#include "battle/OwnInsults.h"

#include <GL/freeglut.h>
#include <iostream>

int main(int argc, char** argv) {
    // The game's own options come first; what is left is GLUT's.
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, options, error)) {
        std::cerr << "vorblex: " << error << "\n" << usageText();
        return 2;
    }
    if (options.help) {
        std::cout << usageText();
        return 0;
    }
    if (options.version) {
        std::cout << "Vorblex " << VORBLEX_VERSION << std::endl;
        return 0;
    }
    installQuitSignals();
    startControls(options);
    liveMode.startMusic(currentSettings().music);

    // Another list instead of the shipped one, and the player's own lines
    // joining it; without either, the list read at start-up stays.
    const std::vector<std::string> own =
        readOwnInsults(xdgFile("XDG_DATA_HOME", ".local/share", "vorblex/insults.txt"));
    if (!options.insults.empty() || !own.empty()) {
        insultDatabase.reload(options.insults.empty() ? "./insults.txt" : options.insults.c_str(),
                              own);
    }

    // freeglut's default action on closing the window is exit(), so the
    // process always ends through the runtime and the static objects (the
    // sound bank among them) are destroyed in order.
    const Settings& settings = currentSettings();
    openGameWindow(argc, argv, "Vorblex", settings.windowWidth, settings.windowHeight);

    useGameCamera();

    glutReshapeFunc(onReshape);
    glutDisplayFunc(onDisplay);
    glutIdleFunc(onIdle);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    glutPassiveMotionFunc(onPassiveMotion);
    glutKeyboardFunc(onKeyboard);
    glutKeyboardUpFunc(onKeyboardUp);
    glutSpecialFunc(onSpecial);
    glutSpecialUpFunc(onSpecialUp);
    glutWindowStatusFunc(onWindowStatus);

    applySettings();
    startState.choice = settings.choice;

    // The start screen loads its first picture here, with the context current.
    switchState(&startState);

    setFixedGlState();
    startFramePacing();
    if (settings.fullscreen) {
        toggleFullscreen();
    }

    glutMainLoop();
    return 0;
}
