#pragma once

#include "insults/InsultDatabase.h"

#include <cstdint>
#include <string>
#include <vector>

// The reference for the game's insult matching: a word-for-word search over
// every subset of the typed words, tried in descending order of a 32-bit
// subset mask, each starting from the full set of insult numbers. It is slow
// on purpose (it doubles with every typed word) and only defined for up to 31
// distinct typed words. The differential tests, the benchmark and the fuzz
// target hold the fast matcher to its answers.
//
// It reads db's insults, wordIndex and allInsults, updates db's usedInsults
// and usedWords exactly as a match must, and draws from its own copy of the
// generator, randomState.
namespace literal {

// The distinct typed words that are in db's index, ascending, after turning
// text to lower case in place.
std::vector<std::string> typedWords(const InsultDatabase& db, std::string& text);

// Throws std::invalid_argument for more than 31 distinct typed words.
void matchInsult(InsultDatabase& db, uint32_t& randomState, std::string& text, bool peekOnly,
                 std::string& insultOut, int32_t& strengthOut);

} // namespace literal
