#pragma once

#include <cstdint>

// The game's one random generator, used to pick among equally good insults.
// It is never seeded, so every run of the game draws the same numbers; its
// state lives for the whole run and a new battle does not reset it.

// Advances the generator and returns a number from 0 to 32767.
int32_t drawInsultRandom();

// The generator's state, for tests that replay or compare draws.
uint32_t insultRandomState();
void setInsultRandomState(uint32_t state);
