#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace testgl {

// Opens (once per process) a real 800 x 600 GLUT window, sets the game's
// orthographic camera on it and resets the fixed GL state that main() sets.
// Needs an X display (the test command runs the suite under Xvfb).
void ensureWindow();

// Clears the back buffer to the given colour and resets the sprite memos.
void clear(float r, float g, float b);

// Reads back the colour at a virtual position (x right, y up, origin at the
// window centre) from the back buffer.
std::array<int, 4> pixelAt(float vx, float vy);

// The whole back buffer, RGBA rows from the bottom, for comparing two
// drawings pixel for pixel.
std::vector<unsigned char> windowPixels();

// Pumps GLUT's event queue so pending window changes take effect.
void pumpEvents(int rounds = 5);

} // namespace testgl
