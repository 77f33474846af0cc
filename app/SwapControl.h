#pragma once

// Asks the driver, through whichever GLX swap-control extension it has, to
// hold each buffer swap until the display's next refresh (a swap interval of
// 1). Needs the game's window and context current. Returns whether a driver
// took the request; a server without a display, like Xvfb, has none.
bool requestSwapInterval();
