#include "app/Shell.h"

#include "app/Camera.h"
#include "app/Controls.h"
#include "app/FrameClock.h"
#include "app/FramePacer.h"
#include "app/QuitSignals.h"
#include "app/State.h"
#include "app/SwapControl.h"
#include "app/Toast.h"

#include <GL/freeglut.h>
#include <cstdlib>

namespace {
constexpr unsigned char keyEscape = 27;
constexpr unsigned char keyCtrlQ = 17;
constexpr unsigned char keyEnter = 13;

// Off until the game's own loop starts: tests and benchmarks that call the
// callbacks themselves run unpaced.
bool pacing = false;
// Nothing is drawn while the window is minimised or hidden.
bool windowShown = true;
// A frame is drawn only when the picture may have changed: after input or a
// change of the window, and while the screen animates (and once after, for
// the animation's last picture).
bool pictureStale = true;
bool wasAnimating = true;
// The window's size before it went fullscreen, to go back to.
int windowedWidth = 800;
int windowedHeight = 600;

bool altHeld() { return (glutGetModifiers() & GLUT_ACTIVE_ALT) != 0; }

void playerTogglesFullscreen();

// A window of another shape than 4:3 shows the picture between black bars:
// clear the whole window black, then the picture's own part with the usual
// clear colour.
void clearBars(const Camera& cam) {
    GLfloat usual[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, usual);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(usual[0], usual[1], usual[2], usual[3]);
    glEnable(GL_SCISSOR_TEST);
    glScissor(cam.viewLeft, cam.windowHeight - cam.height - cam.viewTop, cam.width, cam.height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}
} // namespace

void onReshape(int width, int height) {
    pictureStale = true;
    if (activeCamera) {
        activeCamera->reshape(width, height);
        if (!activeCamera->fullscreen) {
            windowResized(width, height);
        }
    }
}

void onDisplay() {
    if (pacing) {
        gamePacer().drawStarted();
    }
    if (activeCamera && (activeCamera->width != activeCamera->windowWidth ||
                         activeCamera->height != activeCamera->windowHeight)) {
        clearBars(*activeCamera);
    } else {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    glPushMatrix();
    if (currentState) {
        currentState->draw();
    }
    drawToast();
    glPopMatrix();
    glutSwapBuffers();
    if (pacing) {
        gamePacer().drawEnded();
    }
}

void onIdle() {
    exitOnQuitSignal();
    if (pacing) {
        gamePacer().waitForFrame();
        exitOnQuitSignal();
    }
    updateFrameClock();
    if (currentState) {
        currentState->update();
    }
    const bool toastShows = updateToast();
    const bool animating = (currentState && currentState->animating()) || toastShows;
    // Hidden, the game goes on (the speech and its bubble keep their time)
    // but draws nothing.
    if (windowShown && (pictureStale || animating || wasAnimating)) {
        glutPostRedisplay();
    }
    pictureStale = false;
    wasAnimating = animating;
}

void onWindowStatus(int status) {
    const bool shown = status != GLUT_HIDDEN && status != GLUT_FULLY_COVERED;
    if (shown && !windowShown) {
        pictureStale = true;
    }
    windowShown = shown;
}

void onMouse(int button, int state, int x, int y) {
    pictureStale = true;
    if (currentState) {
        currentState->mouse(button, state, x, y);
    }
}

void onMotion(int x, int y) {
    pictureStale = true;
    if (currentState) {
        currentState->motion(x, y);
    }
}

void onPassiveMotion(int x, int y) {
    pictureStale = true;
    if (currentState) {
        currentState->passiveMotion(x, y);
    }
}

void onKeyboard(unsigned char key, int x, int y) {
    pictureStale = true;
    if (key == keyEscape || key == keyCtrlQ) {
        std::exit(0);
    }
    if (key == keyEnter && altHeld()) {
        playerTogglesFullscreen();
        return;
    }
    if (currentState) {
        currentState->keyboard(key, x, y);
    }
}

void onKeyboardUp(unsigned char key, int x, int y) {
    pictureStale = true;
    if (currentState) {
        currentState->keyboardUp(key, x, y);
    }
}

void onSpecial(int key, int x, int y) {
    pictureStale = true;
    if (key == GLUT_KEY_F4 && altHeld()) {
        std::exit(0);
    }
    if (key == GLUT_KEY_F11) {
        playerTogglesFullscreen();
        return;
    }
    if (soundKey(key)) {
        return;
    }
    if (currentState) {
        currentState->special(key, x, y);
    }
}

void onSpecialUp(int key, int x, int y) {
    pictureStale = true;
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

void openGameWindow(int& argc, char** argv, const char* title, int width, int height) {
    // Before glutInit, so that GLUT's own -geometry still wins.
    glutInitWindowSize(width, height);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
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

void toggleFullscreen() {
    if (!activeCamera) {
        return;
    }
    if (!activeCamera->fullscreen) {
        windowedWidth = glutGet(GLUT_WINDOW_WIDTH);
        windowedHeight = glutGet(GLUT_WINDOW_HEIGHT);
        activeCamera->fullscreen = true;
        glutFullScreen();
    } else {
        activeCamera->fullscreen = false;
        glutLeaveFullScreen();
        glutReshapeWindow(windowedWidth, windowedHeight);
    }
}

namespace {
// Fullscreen by the player's key, which the settings keep.
void playerTogglesFullscreen() {
    toggleFullscreen();
    if (activeCamera) {
        fullscreenChanged(activeCamera->fullscreen);
    }
}
} // namespace

void startFramePacing() {
    gamePacer().setSwapControl(requestSwapInterval());
    pacing = true;
}
