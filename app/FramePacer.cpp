#include "app/FramePacer.h"

#include <ctime>

namespace {

int64_t nanoseconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

int64_t wallNow() { return nanoseconds(CLOCK_MONOTONIC); }
// The whole process's time: the sound mixing and speech threads working
// during a frame make a held swap look less held, never the other way round.
int64_t processorNow() { return nanoseconds(CLOCK_PROCESS_CPUTIME_ID); }

void sleepFor(int64_t duration) {
    timespec length{static_cast<time_t>(duration / 1000000000),
                    static_cast<long>(duration % 1000000000)};
    // A signal cuts the sleep short, and the loop sees its flag at once.
    nanosleep(&length, nullptr);
}

} // namespace

FramePacer::FramePacer(Clock wall, Clock processor, Sleep sleep)
    : wall(wall), processor(processor), sleep(sleep) {}

void FramePacer::setSwapControl(bool accepted) {
    swapControl = accepted;
    held = false;
    frames = 0;
    waited = 0;
}

void FramePacer::waitForFrame() {
    const bool swapped = drawn;
    drawn = false;
    const int64_t now = wall();
    if ((held && swapped) || !started || now >= nextFrame) {
        // Late (or the first frame): start the count again from now rather
        // than rushing frames to catch up.
        started = true;
        nextFrame = now + framePeriod;
        return;
    }
    sleep(nextFrame - now);
    // A signal the game survives can cut the sleep short: then this frame
    // comes early and the count goes on from when it woke, so that the next
    // due time never runs ahead of the clock.
    const int64_t woke = wall();
    nextFrame = (woke < nextFrame ? woke : nextFrame) + framePeriod;
}

void FramePacer::drawStarted() {
    drawWall = wall();
    drawProcessor = processor();
}

void FramePacer::drawEnded() {
    drawn = true;
    if (!swapControl) {
        return;
    }
    const int64_t spent = wall() - drawWall;
    const int64_t worked = processor() - drawProcessor;
    if (spent > worked) {
        waited += spent - worked;
    }
    if (++frames == sampleFrames) {
        held = waited / sampleFrames >= heldWait;
        frames = 0;
        waited = 0;
    }
}

FramePacer& gamePacer() {
    static FramePacer pacer(wallNow, processorNow, sleepFor);
    return pacer;
}
