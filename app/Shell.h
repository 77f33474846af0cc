#pragma once

// The GLUT callbacks: each hands its event to the current state. The exit keys
// (Escape, Ctrl+Q, Alt+F4) end the process, and the fullscreen keys (F11,
// Alt+Enter) toggle fullscreen, before the state sees them.
void onReshape(int width, int height);
void onDisplay();
void onIdle();
void onMouse(int button, int state, int x, int y);
void onMotion(int x, int y);
void onPassiveMotion(int x, int y);
void onKeyboard(unsigned char key, int x, int y);
void onKeyboardUp(unsigned char key, int x, int y);
void onSpecial(int key, int x, int y);
void onSpecialUp(int key, int x, int y);
// Minimised or hidden, the window is not drawn.
void onWindowStatus(int status);

// Into fullscreen, or back to the window's size before it.
void toggleFullscreen();

// For the game's own loop: asks for swaps held to the display's refresh and
// from then on paces the idle callback (see FramePacer) and ends the game on
// a quit signal.
void startFramePacing();

// Fixed GL state chosen once at start-up.
void setFaceCulling(bool on);
void setDepthTesting(bool depth, bool alphaTest);

// Starts GLUT and opens the game's double-buffered window, 800 x 600 unless
// another size is asked for.
void openGameWindow(int& argc, char** argv, const char* title, int width = 800, int height = 600);
// Once the window exists: the game's camera, orthographic over the virtual
// space, becomes the active one.
void useGameCamera();
// Once the window exists: the fixed GL state the game draws with (grey
// clear colour, smooth shading, no culling or depth test), and a cleared
// window.
void setFixedGlState();
