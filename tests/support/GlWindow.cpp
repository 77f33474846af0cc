#include "tests/support/GlWindow.h"

#include "app/Camera.h"
#include "app/Shell.h"
#include "graphics/Sprite.h"

#include <GL/freeglut.h>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace testgl {

void pumpEvents(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        glutMainLoopEvent();
    }
}

void ensureWindow() {
    static bool open = false;
    if (open) {
        return;
    }
    if (std::getenv("DISPLAY") == nullptr) {
        FAIL() << "These tests draw for real and need an X display (run them under Xvfb)";
    }
    int argc = 1;
    char name[] = "vorblex-test";
    char* argv[] = {name, nullptr};
    openGameWindow(argc, argv, "Vorblex test");
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    useGameCamera();
    glutReshapeFunc(onReshape);
    glutDisplayFunc([] {});
    camera.reshape(800, 600);
    pumpEvents();
    setFixedGlState();
    open = true;
}

void clear(float r, float g, float b) {
    glClearColor(r, g, b, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Start every picture from a known state, as a fresh frame would.
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    boundTexture = -1;
    blendApplied = false;
}

std::array<int, 4> pixelAt(float vx, float vy) {
    glFinish();
    const float s = static_cast<float>(camera.width) / 800.0f;
    const int px = static_cast<int>(std::floor((vx + 400.0f) * s));
    const int py = static_cast<int>(std::floor((vy + 300.0f) * s)); // GL rows go up
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(px, py, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

std::vector<unsigned char> windowPixels() {
    glFinish();
    std::vector<unsigned char> rgba(static_cast<size_t>(camera.width) * camera.height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, camera.width, camera.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

} // namespace testgl
