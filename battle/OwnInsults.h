#pragma once

#include <string>
#include <vector>

// Insults a player adds to the game's own, one a line, in a file of theirs
// that an update of the game never touches.

// The lines of the file that the speech bubble can hold. The others (longer
// than 88 characters, more than the bubble's two rows, or not plain ASCII
// text) are skipped with one message on standard output that says how many
// and gives the first line numbers. Empty lines are passed over; no file is
// no insults and no message.
std::vector<std::string> readOwnInsults(const std::string& path);
