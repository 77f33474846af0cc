#pragma once

#include "app/Options.h"
#include "app/Settings.h"

// The player's settings while the game runs. They start as the settings
// file has them, with the command line's options on top for this run only;
// the sound keys, fullscreen, the window's size and the choice of game change
// them, and each change goes back to the file (an option's value only once
// the player has changed that setting).

// Reads the settings file and lays the options over it; before the window.
void startControls(const Options& options);
// What the game plays with now.
const Settings& currentSettings();
// Gives the sound bank and the voice the settings.
void applySettings();

// F5 music, F6 voice, F7 quieter, F8 louder: true when key was one of them.
bool soundKey(int key);
// Fullscreen went on or off (F11, Alt+Enter).
void fullscreenChanged(bool on);
// The window's size in a window, as the player or the window manager left
// it; kept when the game ends.
void windowResized(int width, int height);
// A game was chosen on the instructions picture.
void gameChosen(int choice);
