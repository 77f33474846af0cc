#pragma once

#include <cstdint>

// Keeps the main loop at the display's pace instead of spinning a core.
//
// Where the driver holds each buffer swap until the display refreshes, the
// swaps themselves set the pace and the pacer never sleeps. Where they are
// not held (no swap control, or a server without a display, like Xvfb) the
// pacer sleeps at the top of each loop turn until the next frame is due, at
// 60 frames a second. Whether the swaps are held is told by how the drawing
// of a frame spends its time: a held swap waits, with the processor idle.
class FramePacer {
  public:
    // Monotonic wall time and the process's processor time, in nanoseconds,
    // and a sleep; tests pass their own.
    using Clock = int64_t (*)();
    using Sleep = void (*)(int64_t nanoseconds);

    static constexpr int64_t framePeriod = 1000000000 / 60;
    // Frames looked at before deciding again whether the swaps are held.
    static constexpr int sampleFrames = 30;
    // A held swap waits this long per frame on average, at the least.
    static constexpr int64_t heldWait = 1000000;

    FramePacer(Clock wall, Clock processor, Sleep sleep);

    // Whether the driver accepted a swap interval of 1; until it has, swaps
    // count as not held whatever the drawing looks like.
    void setSwapControl(bool accepted);

    // The top of a loop turn: returns once the next frame is due. A turn that
    // drew nothing always sleeps: no swap held it.
    void waitForFrame();
    // Around drawing a frame and swapping its buffers.
    void drawStarted();
    void drawEnded();

    bool swapsHeld() const { return held; }

  private:
    Clock wall;
    Clock processor;
    Sleep sleep;
    bool swapControl = false;
    bool held = false;
    bool started = false;
    bool drawn = false;
    int64_t nextFrame = 0;
    int64_t drawWall = 0;
    int64_t drawProcessor = 0;
    int64_t waited = 0;
    int frames = 0;
};

// The pacer on the real clocks, for the game's main loop.
FramePacer& gamePacer();
