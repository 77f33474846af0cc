#include "app/Shell.h"

#include "app/Camera.h"
#include "app/FrameClock.h"
#include "app/State.h"

#include <GL/freeglut.h>
#include <cstdlib>

namespace {
constexpr unsigned char keyEscape = 27;
constexpr unsigned char keyCtrlQ = 17;
} // namespace

void onReshape(int width, int height) {
    if (activeCamera) {
        activeCamera->reshape(width, height);
    }
}

void onDisplay() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    if (currentState) {
        currentState->draw();
    }
    glPopMatrix();
    glutSwapBuffers();
}

void onIdle() {
    updateFrameClock();
    if (currentState) {
        currentState->update();
    }
    glutPostRedisplay();
}

void onMouse(int button, int state, int x, int y) {
    if (currentState) {
        currentState->mouse(button, state, x, y);
    }
}

void onMotion(int x, int y) {
    if (currentState) {
        currentState->motion(x, y);
    }
}

void onPassiveMotion(int x, int y) {
    if (currentState) {
        currentState->passiveMotion(x, y);
    }
}

void onKeyboard(unsigned char key, int x, int y) {
    if (key == keyEscape || key == keyCtrlQ) {
        std::exit(0);
    }
    if (currentState) {
        currentState->keyboard(key, x, y);
    }
}

void onKeyboardUp(unsigned char key, int x, int y) {
    if (currentState) {
        currentState->keyboardUp(key, x, y);
    }
}

void onSpecial(int key, int x, int y) {
    if (key == GLUT_KEY_F4 && (glutGetModifiers() & GLUT_ACTIVE_ALT)) {
        std::exit(0);
    }
    if (currentState) {
        currentState->special(key, x, y);
    }
}

void onSpecialUp(int key, int x, int y) {
    if (currentState) {
        currentState->specialUp(key, x, y);
    }
}

void setFaceCulling(bool on) {
    if (on) {
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CCW);
        glCullFace(GL_BACK);
    } else {
        glDisable(GL_CULL_FACE);
    }
}

void setDepthTesting(bool depth, bool alphaTest) {
    if (depth) {
        glEnable(GL_DEPTH_TEST);
        glClearDepth(1.0);
        glDepthFunc(GL_LEQUAL);
        if (alphaTest) {
            glEnable(GL_ALPHA_TEST);
            glAlphaFunc(GL_GREATER, 0.001f);
        }
    } else {
        glDisable(GL_DEPTH_TEST);
    }
}

void openGameWindow(int& argc, char** argv, const char* title) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutCreateWindow(title);
}

void useGameCamera() {
    camera.z = -50;
    camera.perspective = 0;
    activeCamera = &camera;
}

void setFixedGlState() {
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glShadeModel(GL_SMOOTH);
    glPolygonMode(GL_FRONT, GL_FILL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    setFaceCulling(false);
    setDepthTesting(false, false);
    glEnable(GL_NORMALIZE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
