#pragma once

#include <cstdint>

// One timed step of an animation, advanced by its owner with the seconds
// since the previous frame. A bare Interval only takes time: a wait inside a
// Sequence. Subclasses act on the game's objects as the time passes.
class Interval {
  public:
    Interval(float duration, int repeats);
    virtual ~Interval() = default;

    // Back to the beginning of the first cycle, running, with one cycle to
    // play: an owner wanting more writes repeats afterwards.
    virtual void start();
    // Jumps to the end and marks the interval finished.
    virtual void finish();
    // Advances by dt seconds at the current rate. True when the interval
    // advanced, false when it was idle (paused, finished or nothing left).
    virtual bool update(float dt);

    // Length of one cycle, seconds.
    float duration;
    // Position within the current cycle, seconds.
    float time = 0;
    // Speed factor; negative plays each cycle from its end back to 0.
    float rate = 1.0f;
    // Cycles still to play including the current one; -1 plays forever.
    int32_t repeats;
    // Wraps into a new cycle since construction or start.
    int32_t cycles = 0;
    bool paused = false;
    bool finished = false;

  private:
    // The time ran past an end of the cycle with cycles left: carry the
    // overshoot into the next cycle.
    void wrap();
};

// Seconds that one cycle of interval takes to play at its own rate, whichever
// the direction; infinite for a stopped (rate 0) interval that has a length.
float playingLength(const Interval& interval);
