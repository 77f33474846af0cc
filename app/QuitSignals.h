#pragma once

// Ctrl+C in the terminal (SIGINT), SIGTERM and SIGHUP (a closing session) end
// the game through the runtime's normal exit, like the quit keys: the handlers
// only note the signal, and the main loop ends the game when it next turns.
void installQuitSignals();

// The signal that asked the game to end, or 0.
int quitSignal();

// Ends the process with status 128 + the signal's number, the shell's way of
// saying which signal ended it, if a quit signal has arrived.
void exitOnQuitSignal();
