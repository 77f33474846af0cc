#include "app/Camera.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

Camera* activeCamera = nullptr;

void Camera::reshape(int w, int h) {
    if (w < 1 || h < 1) {
        return;
    }
    // The height always follows the width, truncated, so that the window keeps
    // its 4:3 shape however the user drags it.
    const int fitted = static_cast<int>(w * 0.75);
    if (fitted != h) {
        glutReshapeWindow(w, fitted);
    }
    width = w;
    height = fitted;
    aspect = static_cast<double>(w) / fitted;

    glViewport(0, 0, w, fitted);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (perspective == 0) {
        glOrtho(0, w, 0, fitted, 0, 100);
    } else {
        gluPerspective(fieldOfView, aspect, 0.1, 1000);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(static_cast<float>(w / 2), static_cast<float>(fitted / 2), z);
    if (perspective == 0) {
        // Three eighths of a pixel, so that texel and pixel centres line up.
        glTranslatef(0.375f, 0.375f, 0);
    }
    glScalef(static_cast<float>(w) / 800, static_cast<float>(fitted) / 600, 1);
}

void windowToVirtual(int px, int py, float& vx, float& vy) {
    const Camera& cam = activeCamera ? *activeCamera : camera;
    const float s = 800.0f / static_cast<float>(cam.width);
    vx = static_cast<float>(px) * s - 400.0f;
    vy = 300.0f - static_cast<float>(py) * s;
}
