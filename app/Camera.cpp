#include "app/Camera.h"

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <algorithm>

Camera* activeCamera = nullptr;

void Camera::reshape(int w, int h) {
    if (w < 1 || h < 1) {
        return;
    }
    int shownWidth = w;
    int shownHeight = h;
    if (fullscreen) {
        // The largest 4:3 picture that fits, centred between black bars.
        if (static_cast<long>(w) * 3 > static_cast<long>(h) * 4) {
            shownWidth = std::max(1, static_cast<int>(static_cast<long>(h) * 4 / 3));
        } else {
            shownHeight = std::max(1, static_cast<int>(static_cast<long>(w) * 3 / 4));
        }
    } else {
        // The height always follows the width, truncated, so that the window
        // keeps its 4:3 shape however the user drags it. A window a pixel or
        // two wide still gets a height of 1: X refuses a window of height 0.
        shownHeight = std::max(1, static_cast<int>(w * 0.75));
        if (shownHeight != h) {
            glutReshapeWindow(w, shownHeight);
        }
    }
    windowWidth = w;
    windowHeight = fullscreen ? h : shownHeight;
    viewLeft = (w - shownWidth) / 2;
    viewTop = fullscreen ? (h - shownHeight) / 2 : 0;
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
