#include "app/Camera.h"
#include "app/Globals.h"
#include "app/Shell.h"
#include "app/State.h"

#include <GL/freeglut.h>

int main(int argc, char** argv) {
    // freeglut's default action on closing the window is exit(), so the
    // process always ends through the runtime and the static objects (the
    // sound bank among them) are destroyed in order.
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutCreateWindow("Vorblex");

    camera.z = -50;
    camera.perspective = 0;
    activeCamera = &camera;

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

    // The start screen loads its first picture here, with the context current.
    switchState(&startState);

    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glShadeModel(GL_SMOOTH);
    glPolygonMode(GL_FRONT, GL_FILL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    setFaceCulling(false);
    setDepthTesting(false, false);
    glEnable(GL_NORMALIZE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glutMainLoop();
    return 0;
}
