#include "anim/Interval.h"
#include "anim/BlendInterval.h"
#include "anim/Func.h"
#include "tests/anim/Probe.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// ---- The bare timer ----

TEST(IntervalTest, ReachingTheEndExactlyIsStillInsideTheCycle) {
    Interval wait(0.5f, 1);
    EXPECT_TRUE(wait.update(0.25f));
    EXPECT_TRUE(wait.update(0.25f));
    EXPECT_FLOAT_EQ(wait.time, 0.5f);
    EXPECT_FALSE(wait.finished);
    EXPECT_TRUE(wait.update(0.01f)) << "the update that passes the end still advances";
    EXPECT_TRUE(wait.finished);
    EXPECT_EQ(wait.time, 0.5f) << "clamped to the end, the overshoot dropped";
    EXPECT_EQ(wait.repeats, 0);
    EXPECT_FALSE(wait.update(0.1f));
    EXPECT_EQ(wait.time, 0.5f);
}

TEST(IntervalTest, WrappingCarriesTheOvershootIntoTheNextCycle) {
    Interval wait(0.25f, 1);
    wait.start();
    wait.repeats = 3;
    EXPECT_TRUE(wait.update(0.3f));
    EXPECT_NEAR(wait.time, 0.05f, 1e-6);
    EXPECT_EQ(wait.repeats, 2);
    EXPECT_EQ(wait.cycles, 1);
    EXPECT_FALSE(wait.finished);
    wait.update(0.25f); // second cycle ends at 0.5
    EXPECT_EQ(wait.repeats, 1);
    EXPECT_FALSE(wait.finished);
    wait.update(0.19f); // 0.49 of 0.75: still in the third cycle
    EXPECT_FALSE(wait.finished);
    wait.update(0.02f);
    EXPECT_TRUE(wait.finished);
    EXPECT_EQ(wait.time, 0.25f);
}

TEST(IntervalTest, AStepSpanningSeveralCyclesWrapsOnceAndLandsInsideACycle) {
    Interval wait(0.25f, 1);
    wait.start();
    wait.repeats = 5;
    wait.update(0.625f);
    EXPECT_EQ(wait.time, 0.125f);
    EXPECT_EQ(wait.cycles, 1);
    EXPECT_EQ(wait.repeats, 4);
    wait.update(0.625f); // 0.75: an exact multiple stands at the cycle's end
    EXPECT_EQ(wait.time, 0.25f);
}

TEST(IntervalTest, EndlessIntervalNeverFinishesAndCountsItsWraps) {
    Interval loop(0.25f, 1);
    loop.start();
    loop.repeats = -1;
    for (int i = 0; i < 100; ++i) {
        loop.update(0.125f);
    }
    EXPECT_FALSE(loop.finished);
    EXPECT_EQ(loop.repeats, -1);
    // 12.5 s of 0.25 s cycles: the 50th cycle stands exactly at its end, which
    // is still inside it, so 49 wraps.
    EXPECT_EQ(loop.cycles, 49);
}

TEST(IntervalTest, EndlessIntervalSurvivesAnAbsurdStep) {
    for (float step : {1e30f, std::numeric_limits<float>::infinity()}) {
        for (float rate : {1.0f, -1.0f}) {
            Interval loop(0.25f, -1);
            loop.rate = rate;
            loop.start();
            loop.repeats = -1;
            EXPECT_TRUE(loop.update(step));
            EXPECT_GE(loop.time, 0.0f) << step << " at rate " << rate;
            EXPECT_LE(loop.time, 0.25f) << step << " at rate " << rate;
        }
    }
}

TEST(IntervalTest, StartReplacesTheRepeatCountByOneAndRewinds) {
    Interval wait(1.0f, 5);
    wait.update(0.4f);
    wait.paused = true;
    wait.start();
    EXPECT_EQ(wait.repeats, 1);
    EXPECT_EQ(wait.time, 0.0f);
    EXPECT_EQ(wait.cycles, 0);
    EXPECT_FALSE(wait.paused);
    EXPECT_FALSE(wait.finished);
}

TEST(IntervalTest, PausedIntervalStandsStill) {
    Interval wait(1.0f, 1);
    wait.update(0.2f);
    wait.paused = true;
    EXPECT_FALSE(wait.update(0.5f));
    EXPECT_FLOAT_EQ(wait.time, 0.2f);
}

TEST(IntervalTest, NegativeRatePlaysBackwards) {
    Interval wait(0.5f, 1);
    wait.rate = -2.0f;
    wait.start();
    EXPECT_EQ(wait.time, 0.5f);
    wait.update(0.125f);
    EXPECT_EQ(wait.time, 0.25f);
    wait.update(0.125f); // exactly 0: still inside
    EXPECT_FALSE(wait.finished);
    wait.update(0.01f);
    EXPECT_TRUE(wait.finished);
    EXPECT_EQ(wait.time, 0.0f);
    EXPECT_EQ(wait.repeats, 0);
}

TEST(IntervalTest, NegativeRateWrapsBackIntoTheCycle) {
    Interval wait(0.25f, 1);
    wait.rate = -1.0f;
    wait.start();
    wait.repeats = 2;
    wait.update(0.3f);
    EXPECT_NEAR(wait.time, 0.2f, 1e-6);
    EXPECT_EQ(wait.repeats, 1);
    EXPECT_EQ(wait.cycles, 1);
}

TEST(IntervalTest, FinishJumpsToTheEndOfTheDirectionOfPlay) {
    Interval forward(0.4f, 1);
    forward.start();
    forward.repeats = 3;
    forward.finish();
    EXPECT_TRUE(forward.finished);
    EXPECT_EQ(forward.time, 0.4f);
    EXPECT_EQ(forward.repeats, 3) << "finish leaves the counters alone";
    EXPECT_FALSE(forward.update(0.1f));

    Interval backward(0.4f, 1);
    backward.rate = -1;
    backward.start();
    backward.finish();
    EXPECT_EQ(backward.time, 0.0f);
}

TEST(IntervalTest, ZeroLengthCyclesPlayOnePerUpdateInsteadOfHanging) {
    Interval blip(0, 1);
    blip.start();
    blip.repeats = 3;
    EXPECT_TRUE(blip.update(0.03f));
    EXPECT_TRUE(blip.update(0.03f));
    EXPECT_EQ(blip.cycles, 2);
    EXPECT_FALSE(blip.finished);
    EXPECT_TRUE(blip.update(0.03f));
    EXPECT_TRUE(blip.finished);

    Interval forever(0, -1);
    forever.rate = -1;
    for (int i = 0; i < 50; ++i) {
        forever.update(0.03f);
    }
    EXPECT_FALSE(forever.finished);
    EXPECT_EQ(forever.cycles, 50);
    EXPECT_EQ(forever.time, 0.0f);
}

// ---- Calls ----

TEST(FuncTest, FiresOnceAndFinishesOnTheFirstPositiveStep) {
    Counter counter;
    Func<Counter> step(&counter, &Counter::bump);
    EXPECT_TRUE(step.update(0.03f));
    EXPECT_EQ(counter.calls, 1);
    EXPECT_TRUE(step.finished);
    EXPECT_FALSE(step.update(0.03f));
    EXPECT_FALSE(step.update(0.0f));
    EXPECT_EQ(counter.calls, 1);
}

TEST(FuncTest, AStepOfZeroFiresWithoutFinishing) {
    Counter counter;
    Func<Counter> step(&counter, &Counter::bump);
    EXPECT_TRUE(step.update(0.0f));
    EXPECT_EQ(counter.calls, 1);
    EXPECT_FALSE(step.finished);
    EXPECT_TRUE(step.update(0.01f));
    EXPECT_EQ(counter.calls, 2);
    EXPECT_TRUE(step.finished);
}

TEST(FuncTest, FinishMakesTheDueCallOnlyIfItWasNotMade) {
    Counter counter;
    Func<Counter> unfired(&counter, &Counter::bump);
    unfired.finish();
    EXPECT_EQ(counter.calls, 1);
    unfired.finish();
    EXPECT_EQ(counter.calls, 1);

    Func<Counter> fired(&counter, &Counter::bump);
    fired.update(0.1f);
    fired.finish();
    EXPECT_EQ(counter.calls, 2);
}

TEST(FuncTest, WithoutATargetItStillRunsItsCourse) {
    Func<Counter> step(nullptr, &Counter::bump);
    EXPECT_TRUE(step.update(0.1f));
    EXPECT_TRUE(step.finished);
    step.finish();
}

TEST(Func1Test, PassesItsStoredArgument) {
    Counter counter;
    const char* path = "./img/robot-red-on.png";
    Func1<Counter, const char*> step(&counter, &Counter::take, path);
    step.update(0.0f);
    step.update(0.02f);
    EXPECT_EQ(counter.calls, 2);
    EXPECT_EQ(counter.lastArgument, path);
    EXPECT_FALSE(step.update(0.02f));
    EXPECT_EQ(counter.calls, 2);
}

// ---- Blends ----

using SliderBlend = BlendInterval<Slider, float>;

TEST(BlendIntervalTest, MovesLinearlyAndEndsExactlyOnTheEndValue) {
    Slider slider;
    SliderBlend blend(&slider, &Slider::set, 0.4f, 625.0f, 325.0f, nullptr);
    blend.start();
    EXPECT_EQ(slider.value, 625.0f) << "the start value arrives at start";
    blend.update(0.2f);
    EXPECT_NEAR(slider.value, 475.0f, 1e-3);
    blend.update(0.15f);
    EXPECT_NEAR(slider.value, 362.5f, 1e-3);
    EXPECT_TRUE(blend.update(0.1f));
    EXPECT_TRUE(blend.finished);
    EXPECT_EQ(slider.value, 325.0f);
    slider.value = 7;
    EXPECT_FALSE(blend.update(0.1f));
    EXPECT_EQ(slider.value, 7.0f) << "a finished blend leaves its target alone";
}

TEST(BlendIntervalTest, NegativeRateRunsFromTheEndValueBack) {
    Slider slider;
    SliderBlend blend(&slider, &Slider::set, 1.0f, 0.0f, 10.0f, nullptr);
    blend.rate = -1;
    blend.start();
    EXPECT_EQ(slider.value, 10.0f);
    blend.update(0.25f);
    EXPECT_NEAR(slider.value, 7.5f, 1e-4);
    blend.update(1.0f);
    EXPECT_TRUE(blend.finished);
    EXPECT_EQ(slider.value, 0.0f);
}

TEST(BlendIntervalTest, FinishGivesTheExactEndEvenWhenNeverStarted) {
    Slider slider;
    slider.value = -99;
    SliderBlend blend(&slider, &Slider::set, 0.5f, 1.0f, 0.0f, nullptr);
    blend.finish();
    EXPECT_EQ(slider.value, 0.0f);

    SliderBlend backwards(&slider, &Slider::set, 0.5f, 3.0f, 8.0f, nullptr);
    backwards.rate = -1;
    backwards.finish();
    EXPECT_EQ(slider.value, 3.0f);
}

TEST(BlendIntervalTest, ZeroLengthBlendJumpsWithoutReadingAnUndefinedFraction) {
    Slider slider;
    SliderBlend jump(&slider, &Slider::set, 0.0f, 2.0f, 6.0f, nullptr);
    jump.start();
    EXPECT_EQ(slider.value, 2.0f);
    jump.update(0.0f);
    EXPECT_EQ(slider.value, 2.0f);
    jump.update(0.03f);
    EXPECT_TRUE(jump.finished);
    EXPECT_EQ(slider.value, 6.0f);

    SliderBlend looping(&slider, &Slider::set, 0.0f, 2.0f, 6.0f, nullptr);
    looping.start();
    looping.repeats = -1;
    for (int i = 0; i < 10; ++i) {
        looping.update(0.03f);
        EXPECT_TRUE(std::isfinite(slider.value));
    }
}

TEST(BlendIntervalTest, CanTakeItsStartValueFromTheTarget) {
    Slider slider;
    slider.value = 100;
    SliderBlend blend(&slider, &Slider::set, 1.0f, 0.0f, 200.0f, nullptr);
    blend.getter = &Slider::get;
    blend.fromTarget = true;
    blend.start();
    EXPECT_EQ(blend.from, 100.0f);
    blend.update(0.5f);
    EXPECT_NEAR(slider.value, 150.0f, 1e-3);
}

class Squaring : public Blender {
  public:
    explicit Squaring(int* deleted, Interval** seen) : deleted(deleted), seen(seen) {}
    ~Squaring() override { ++*deleted; }
    float blend(float fraction, Interval* interval) override {
        *seen = interval;
        return fraction * fraction;
    }

  private:
    int* deleted;
    Interval** seen;
};

TEST(BlendIntervalTest, BlenderReshapesTheFractionAndIsDeletedWithTheBlend) {
    int deleted = 0;
    Interval* seen = nullptr;
    Slider slider;
    {
        SliderBlend blend(&slider, &Slider::set, 1.0f, 0.0f, 100.0f, new Squaring(&deleted, &seen));
        blend.start();
        blend.update(0.5f);
        EXPECT_NEAR(slider.value, 25.0f, 1e-3);
        EXPECT_EQ(seen, &blend);
        EXPECT_EQ(deleted, 0);
    }
    EXPECT_EQ(deleted, 1);
}

} // namespace
