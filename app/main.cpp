#include "app/Camera.h"
#include "app/Globals.h"
#include "app/QuitSignals.h"
#include "app/Shell.h"
#include "app/State.h"

#include <GL/freeglut.h>

int main(int argc, char** argv) {
    installQuitSignals();
    // freeglut's default action on closing the window is exit(), so the
    // process always ends through the runtime and the static objects (the
    // sound bank among them) are destroyed in order.
    openGameWindow(argc, argv, "Vorblex");

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

    // The start screen loads its first picture here, with the context current.
    switchState(&startState);

    setFixedGlState();
    startFramePacing();

    glutMainLoop();
    return 0;
}
