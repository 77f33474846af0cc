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

    // In a window the camera keeps the window at 4:3 and fills it. In
    // fullscreen the screen's shape is not ours to change: the virtual space
    // is shown as large as fits at 4:3, centred, and the rest of the screen
    // is left to black bars.
    bool fullscreen = false;
    // Where the picture lies in the window, in window pixels: width and height
    // above, left and top edges here (both 0 in a window).
    int32_t viewLeft = 0;
    int32_t viewTop = 0;
    // The window's own size at the last reshape.
    int32_t windowWidth = 800;
    int32_t windowHeight = 600;

    // Rebuilds the projection for a new window size; in a window it first
    // keeps the window at 4:3 (the height follows the width, and is never
    // less than 1). Sizes below 1 are ignored.
    void reshape(int w, int h);
};

extern Camera camera;
extern Camera* activeCamera;

// Window pixel (y downwards) to virtual coordinates, with the one factor
// s = 800 / width of the active camera (or of `camera` while none is active),
// counted from the picture's top left corner.
void windowToVirtual(int px, int py, float& vx, float& vy);
