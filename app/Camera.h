#pragma once

#include <cstdint>

// The projection that turns the window into the game's virtual space: 800 x 600
// units at every window size, origin at the window centre, y upwards.
struct Camera {
    float x = 0;
    float y = 0;
    float z = 0;
    int32_t width = 800;
    int32_t height = 600;
    double aspect = 0;
    double fieldOfView = 55;
    int32_t perspective = 1;

    // Keeps the window at 4:3 (the height follows the width) and rebuilds the
    // projection for the new size. Sizes below 1 are ignored.
    void reshape(int w, int h);
};

extern Camera camera;
extern Camera* activeCamera;

// Window pixel (y downwards) to virtual coordinates, with the one factor
// s = 800 / width of the active camera (or of `camera` while none is active).
void windowToVirtual(int px, int py, float& vx, float& vy);
