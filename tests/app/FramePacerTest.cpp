#include "app/FramePacer.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A fake machine: wall time moves on when the pacer sleeps or a frame is
// drawn; processor time only when the frame works.
int64_t wallTime = 0;
int64_t processorTime = 0;
std::vector<int64_t> sleeps;
// Whether a sleep is cut short after a millisecond.
bool shortSleeps = false;

constexpr int64_t ms = 1000000;

int64_t fakeWall() { return wallTime; }
int64_t fakeProcessor() { return processorTime; }
void fakeSleep(int64_t duration) {
    sleeps.push_back(duration);
    wallTime += shortSleeps && duration > ms ? ms : duration;
}

class FramePacerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wallTime = 1000 * ms;
        processorTime = 0;
        sleeps.clear();
    }
    // One loop turn that draws a frame: working takes processor time, and a
    // held swap adds waiting on top.
    void turn(FramePacer& pacer, int64_t work, int64_t wait) {
        pacer.waitForFrame();
        pacer.drawStarted();
        wallTime += work + wait;
        processorTime += work;
        pacer.drawEnded();
    }
    FramePacer pacer{fakeWall, fakeProcessor, fakeSleep};
};

TEST_F(FramePacerTest, WithoutSwapControlFramesComeSixtyASecond) {
    for (int i = 0; i < 61; ++i) {
        turn(pacer, 4 * ms, 0);
    }
    // The first turn sets the count going; each later one sleeps what is
    // left of its sixtieth of a second.
    ASSERT_EQ(sleeps.size(), 60u);
    EXPECT_EQ(sleeps[1], FramePacer::framePeriod - 4 * ms);
    EXPECT_NEAR(static_cast<double>(wallTime - 1000 * ms), 1e9 + 4 * ms, 1e3);
}

TEST_F(FramePacerTest, ALateFrameIsNotMadeUpFor) {
    turn(pacer, 1 * ms, 0);
    turn(pacer, 50 * ms, 0); // a stall
    sleeps.clear();
    turn(pacer, 1 * ms, 0); // late: no sleep, the count starts again
    turn(pacer, 1 * ms, 0);
    ASSERT_EQ(sleeps.size(), 1u);
    EXPECT_EQ(sleeps[0], FramePacer::framePeriod - 1 * ms);
}

TEST_F(FramePacerTest, SleepsCutShortDoNotPushTheNextFrameAway) {
    turn(pacer, 1 * ms, 0);
    // A thousand sleeps each cut short after a millisecond, as by a signal
    // handled a thousand times a second.
    shortSleeps = true;
    for (int i = 0; i < 1000; ++i) {
        turn(pacer, 0, 0);
    }
    shortSleeps = false;
    sleeps.clear();
    turn(pacer, 0, 0);
    ASSERT_EQ(sleeps.size(), 1u);
    EXPECT_LE(sleeps[0], FramePacer::framePeriod);
}

TEST_F(FramePacerTest, HeldSwapsSetThePaceOnceSeen) {
    pacer.setSwapControl(true);
    // Swaps held to a 144 Hz display: the drawing mostly waits.
    for (int i = 0; i < FramePacer::sampleFrames; ++i) {
        turn(pacer, 1 * ms, 6 * ms);
    }
    EXPECT_TRUE(pacer.swapsHeld());
    sleeps.clear();
    for (int i = 0; i < 10; ++i) {
        turn(pacer, 1 * ms, 6 * ms);
    }
    EXPECT_TRUE(sleeps.empty());
    // A turn that draws nothing had no swap to hold it: it sleeps.
    pacer.waitForFrame();
    pacer.waitForFrame();
    EXPECT_EQ(sleeps.size(), 1u);
}

TEST_F(FramePacerTest, SwapsThatStopWaitingAreNoLongerTrusted) {
    pacer.setSwapControl(true);
    for (int i = 0; i < FramePacer::sampleFrames; ++i) {
        turn(pacer, 1 * ms, 15 * ms);
    }
    ASSERT_TRUE(pacer.swapsHeld());
    for (int i = 0; i < FramePacer::sampleFrames; ++i) {
        turn(pacer, 1 * ms, 0);
    }
    EXPECT_FALSE(pacer.swapsHeld());
    sleeps.clear();
    turn(pacer, 1 * ms, 0);
    turn(pacer, 1 * ms, 0);
    EXPECT_FALSE(sleeps.empty());
}

TEST_F(FramePacerTest, WaitingWithoutSwapControlIsNotTakenForHeldSwaps) {
    // A busy machine can keep the drawing waiting too; without an accepted
    // swap interval that never stops the sleeping.
    for (int i = 0; i < 2 * FramePacer::sampleFrames; ++i) {
        turn(pacer, 1 * ms, 10 * ms);
    }
    EXPECT_FALSE(pacer.swapsHeld());
}

} // namespace
