#include "anim/Interval.h"

#include <cmath>

Interval::Interval(float duration, int repeats) : duration(duration), repeats(repeats) {}

void Interval::start() {
    time = rate < 0 ? duration : 0;
    cycles = 0;
    repeats = 1;
    paused = false;
    finished = false;
}

void Interval::finish() {
    finished = true;
    time = rate < 0 ? 0 : duration;
}

bool Interval::update(float dt) {
    if (paused || finished || repeats == 0) {
        return false;
    }
    time = time + dt * rate;
    const bool ranOut = rate < 0 ? time < 0 : time > duration;
    if (!ranOut) {
        return true;
    }
    if (repeats == 1) {
        finished = true;
        time = rate < 0 ? 0 : duration;
        repeats = 0;
        return true;
    }
    if (repeats != -1) {
        --repeats;
    }
    ++cycles;
    wrap();
    return true;
}

void Interval::wrap() {
    // A cycle of no length has no overshoot to carry: each update plays one
    // cycle. (Subtracting nothing until the time fits would never end.)
    if (!(duration > 0)) {
        time = 0;
        return;
    }
    // However far the time ran, the wrap lands inside one cycle: forwards in
    // (0, duration], backwards in [0, duration). fmod does in one step what
    // repeated subtraction would, and also ends for an infinite overshoot.
    if (rate < 0) {
        time += duration;
        if (time < 0) {
            time = std::fmod(time, duration) + duration;
            if (!(time < duration)) {
                time = 0; // an exact multiple (or a time that was infinite)
            }
        }
    } else {
        time -= duration;
        if (time > duration) {
            time = std::fmod(time, duration);
            if (!(time > 0)) {
                time = duration; // an exact multiple (or a time that was infinite)
            }
        }
    }
}

float playingLength(const Interval& interval) {
    if (interval.duration == 0) {
        return 0;
    }
    return std::fabs(interval.duration / interval.rate);
}
