#pragma once

#include <cstdint>

// Seconds since the previous frame, never more than 0.03: a slow frame slows
// the game down instead of making it skip ahead.
extern float frameDelta;
// Whole seconds on the clock's own base; only differences mean anything.
extern int32_t clockSeconds;

// Advances the clock; the first thing every idle callback does.
void updateFrameClock();

// Seam for tests: the tick source (nanoseconds on a monotonic clock). Passing
// nullptr restores std::chrono::steady_clock. Either call makes the next
// updateFrameClock() behave as the first one.
using FrameClockSource = int64_t (*)();
void setFrameClockSource(FrameClockSource source);
