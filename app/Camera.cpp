#include "app/Camera.h"

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <algorithm>

Camera* activeCamera = nullptr;

namespace {

// The last size asked of the window manager for a window that was not 4:3,
// so that a manager that keeps its own size (a maximised window) is asked
// once, not at every reshape; 0 when the window had the shape asked for.
int askedWidth = 0;
int askedHeight = 0;

// In a window, the height follows the width, truncated, so that the window
// keeps its 4:3 shape however the user drags it (and never less than 1 high:
// X refuses a window of height 0), but never beyond the screen.
void askForFourToThree(int w, int h) {
    int wantWidth = w;
    int wantHeight = std::max(1, static_cast<int>(w * 0.75));
    const int screenWidth = glutGet(GLUT_SCREEN_WIDTH);
    const int screenHeight = glutGet(GLUT_SCREEN_HEIGHT);
    if (screenHeight > 0 && wantHeight > screenHeight) {
        wantHeight = screenHeight;
        wantWidth = std::max(1, static_cast<int>(static_cast<long>(screenHeight) * 4 / 3));
    }
    if (screenWidth > 0 && wantWidth > screenWidth) {
        wantWidth = screenWidth;
        wantHeight = std::max(1, static_cast<int>(static_cast<long>(screenWidth) * 3 / 4));
    }
    if (wantWidth == w && wantHeight == h) {
        askedWidth = askedHeight = 0;
    } else if (wantWidth != askedWidth || wantHeight != askedHeight) {
        askedWidth = wantWidth;
        askedHeight = wantHeight;
        glutReshapeWindow(wantWidth, wantHeight);
    }
}

} // namespace

void Camera::reshape(int w, int h) {
    if (w < 1 || h < 1) {
        return;
    }
    if (!fullscreen) {
        askForFourToThree(w, h);
    }
    // Until the window has its 4:3 shape (and for good, when the window
    // manager or the screen keeps another), the picture is the largest 4:3
    // that fits, centred between black bars.
    int shownWidth = w;
    int shownHeight = std::max(1, static_cast<int>(w * 0.75));
    if (shownHeight > h) {
        shownHeight = h;
        shownWidth = std::max(1, static_cast<int>(static_cast<long>(h) * 4 / 3));
    }
    windowWidth = w;
    windowHeight = h;
    viewLeft = (w - shownWidth) / 2;
    viewTop = (h - shownHeight) / 2;
    width = shownWidth;
    height = shownHeight;
    aspect = static_cast<double>(shownWidth) / shownHeight;

    // GL counts viewport rows from the bottom of the window.
    const int viewBottom = windowHeight - shownHeight - viewTop;
    glViewport(viewLeft, viewBottom, shownWidth, shownHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (perspective == 0) {
        glOrtho(0, shownWidth, 0, shownHeight, 0, 100);
    } else {
        gluPerspective(fieldOfView, aspect, 0.1, 1000);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(static_cast<float>(shownWidth / 2), static_cast<float>(shownHeight / 2), z);
    if (perspective == 0) {
        // Three eighths of a pixel, so that texel and pixel centres line up.
        glTranslatef(0.375f, 0.375f, 0);
    }
    glScalef(static_cast<float>(shownWidth) / 800, static_cast<float>(shownHeight) / 600, 1);
}

void windowToVirtual(int px, int py, float& vx, float& vy) {
    const Camera& cam = activeCamera ? *activeCamera : camera;
    const float s = 800.0f / static_cast<float>(cam.width);
    vx = static_cast<float>(px - cam.viewLeft) * s - 400.0f;
    vy = 300.0f - static_cast<float>(py - cam.viewTop) * s;
}
