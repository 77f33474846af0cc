#pragma once

// A short word at the top of the picture saying what a key has just changed
// ("Music off", "Volume 60 %"), in the game's font; it stays a moment and
// fades. It shows over every screen.

void showToast(const char* text);
// Advances the fade by the frame's time; true while the toast shows.
bool updateToast();
// Draws the toast, if one shows, over the current screen.
void drawToast();
