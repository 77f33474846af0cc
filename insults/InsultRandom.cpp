#include "insults/InsultRandom.h"

namespace {

// A plain number with a constant initial value, so it is ready before any
// static object (the insult database among them) could use it.
uint32_t state = 1;

} // namespace

int32_t drawInsultRandom() {
    state = state * 214013u + 2531011u;
    return static_cast<int32_t>((state >> 16) & 0x7fffu);
}

uint32_t insultRandomState() { return state; }

void setInsultRandomState(uint32_t newState) { state = newState; }
