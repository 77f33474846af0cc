#include "app/FrameClock.h"

#include <chrono>

float frameDelta = 0;
int32_t clockSeconds = 0;

namespace {

constexpr int64_t ticksPerSecond = 1000000000;
constexpr float maxFrameDelta = 0.03f;

int64_t steadyTicks() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

FrameClockSource tickSource = steadyTicks;
bool started = false;
int64_t lastTicks = 0;

} // namespace

void setFrameClockSource(FrameClockSource source) {
    tickSource = source ? source : steadyTicks;
    started = false;
}

void updateFrameClock() {
    if (!started) {
        // The first call only sets the base and goes on: its delta is the
        // time between two readings taken back to back.
        lastTicks = tickSource();
        started = true;
    }
    const int64_t now = tickSource();
    const float frequency = static_cast<float>(ticksPerSecond);
    frameDelta = static_cast<float>(now - lastTicks) / frequency;
    clockSeconds = static_cast<int32_t>(now / ticksPerSecond);
    lastTicks = now;
    if (frameDelta > maxFrameDelta) {
        frameDelta = maxFrameDelta;
    }
}
