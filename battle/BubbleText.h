#pragma once

#include <string>

// How a reply is laid out in the speech bubble. The bubble shows rows of at
// most bubbleRow characters; a reply is broken at the last space that keeps a
// row within that, so words stay whole. Only a word longer than a whole row
// is split, with a hyphen after its first bubbleRow characters.
constexpr std::string::size_type bubbleRow = 45;

// The reply's rows joined by "\n" (the spaces broken at are dropped).
std::string bubbleRows(const std::string& reply);

// How long the reply counts for the bubble's hold time and the speaker's
// flicker: its length with two characters more for each break the bubble
// once made at fixed places (after the 45th and the 90th character), so that
// a reply is held exactly as long as it always was, however it wraps.
int bubbleLength(const std::string& reply);
