#include "app/FrameClock.h"

#include <gtest/gtest.h>

namespace {

int64_t fakeNow = 0;
int64_t fakeTicks() { return fakeNow; }

class FrameClockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fakeNow = 5'000'000'000; // 5 s on the fake clock's base
        setFrameClockSource(fakeTicks);
    }
    void TearDown() override { setFrameClockSource(nullptr); }
};

TEST_F(FrameClockTest, FirstCallMeasuresFromItsOwnReading) {
    frameDelta = 123;
    updateFrameClock();
    EXPECT_EQ(frameDelta, 0.0f);
    EXPECT_EQ(clockSeconds, 5);
}

TEST_F(FrameClockTest, FastFramesAdvanceByTheirRealDuration) {
    updateFrameClock();
    fakeNow += 16'000'000; // 16 ms
    updateFrameClock();
    EXPECT_FLOAT_EQ(frameDelta, 0.016f);
    fakeNow += 29'999'000;
    updateFrameClock();
    EXPECT_FLOAT_EQ(frameDelta, 0.029999f);
}

TEST_F(FrameClockTest, SlowFrameIsClampedToThirtyMilliseconds) {
    updateFrameClock();
    fakeNow += 500'000'000; // a half-second stall
    updateFrameClock();
    EXPECT_EQ(frameDelta, 0.03f);
    fakeNow += 30'000'001;
    updateFrameClock();
    EXPECT_EQ(frameDelta, 0.03f);
}

TEST_F(FrameClockTest, ClockSecondsCountsWholeSecondsByTruncation) {
    updateFrameClock();
    fakeNow = 7'999'999'999;
    updateFrameClock();
    EXPECT_EQ(clockSeconds, 7);
    fakeNow = 8'000'000'000;
    updateFrameClock();
    EXPECT_EQ(clockSeconds, 8);
}

TEST(FrameClockReal, SteadyClockGivesSmallNonNegativeDeltas) {
    setFrameClockSource(nullptr);
    updateFrameClock();
    updateFrameClock();
    EXPECT_GE(frameDelta, 0.0f);
    EXPECT_LE(frameDelta, 0.03f);
}

} // namespace
