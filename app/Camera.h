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

    // The picture is always 4:3: the largest that fits the window, centred,
    // with black bars on the rest. In a window the camera also asks for a
    // 4:3 window (the height following the width, within the screen), so
    // the bars last only while the window manager keeps another shape, as
    // it does for a maximised window. In fullscreen the screen's shape is
    // not ours to change.
    bool fullscreen = false;
    // Where the picture lies in the window, in window pixels: width and height
    // above, left and top edges here (both 0 when the window is 4:3).
    int32_t viewLeft = 0;
    int32_t viewTop = 0;
    // The window's own size at the last reshape.
    int32_t windowWidth = 800;
    int32_t windowHeight = 600;

    // Rebuilds the projection for a new window size. Sizes below 1 are
    // ignored.
    void reshape(int w, int h);
};

extern Camera camera;
extern Camera* activeCamera;

// Window pixel (y downwards) to virtual coordinates, with the one factor
// s = 800 / width of the active camera (or of `camera` while none is active),
// counted from the picture's top left corner.
void windowToVirtual(int px, int py, float& vx, float& vy);
