#include "anim/BlendInterval.h"
#include "anim/Func.h"
#include "anim/Parallel.h"
#include "anim/Sequence.h"
#include "tests/anim/Probe.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using SliderBlend = BlendInterval<Slider, float>;

// ---- Sequence ----

TEST(SequenceTest, DurationIsTheSumOfTheChildrenAtTheirRates) {
    Interval* fast = new Interval(0.4f, 1);
    fast->rate = 2;
    Interval* backwards = new Interval(0.3f, 1);
    backwards->rate = -1;
    Sequence seq(new Interval(0.1f, 1), fast, backwards, nullptr);
    // A child playing backwards still takes time.
    EXPECT_NEAR(seq.duration, 0.1f + 0.2f + 0.3f, 1e-6);
    EXPECT_EQ(seq.children.size(), 3u);
    Sequence empty(nullptr);
    EXPECT_EQ(empty.duration, 0.0f);
    EXPECT_TRUE(empty.children.empty());
}

TEST(SequenceTest, TalkFlickerHandsLeftoverTimeOnWithinAFrame) {
    Counter on, off;
    auto* wait1 = new Interval(0.1f, 1);
    auto* wait2 = new Interval(0.15f, 1);
    Sequence talk(new Func<Counter>(&on, &Counter::bump), wait1,
                  new Func<Counter>(&off, &Counter::bump), wait2, nullptr);
    EXPECT_FLOAT_EQ(talk.duration, 0.25f);
    talk.start();
    talk.update(0.03f);
    EXPECT_EQ(on.calls, 1);
    EXPECT_EQ(talk.current, 1);
    EXPECT_NEAR(wait1->time, 0.03f, 1e-6) << "the wait got the whole frame";
    talk.update(0.03f);
    talk.update(0.03f);
    EXPECT_EQ(off.calls, 0) << "0.09 s: the first wait still runs";
    talk.update(0.03f); // the first wait reaches 0.12 s
    EXPECT_EQ(off.calls, 1);
    EXPECT_EQ(talk.current, 3);
    EXPECT_NEAR(wait2->time, 0.02f, 1e-5) << "the second wait started with the leftover";
    EXPECT_EQ(on.calls, 1);
}

TEST(SequenceTest, ZeroLengthChildrenAllFireInOneUpdate) {
    Counter a, b, c;
    auto* wait = new Interval(1.0f, 1);
    Sequence seq(new Func<Counter>(&a, &Counter::bump), new Func<Counter>(&b, &Counter::bump),
                 new Func<Counter>(&c, &Counter::bump), wait, nullptr);
    seq.start();
    EXPECT_TRUE(seq.update(0.02f));
    EXPECT_EQ(a.calls + b.calls + c.calls, 3);
    EXPECT_EQ(seq.current, 3);
    EXPECT_NEAR(wait->time, 0.02f, 1e-6);
}

TEST(SequenceTest, OneUpdateCanPlayThroughSeveralTimedChildren) {
    auto* first = new Interval(0.125f, 1);
    auto* second = new Interval(0.125f, 1);
    auto* third = new Interval(0.125f, 1);
    Sequence seq(first, second, third, nullptr);
    seq.start();
    seq.update(0.3125f);
    EXPECT_TRUE(first->finished);
    EXPECT_TRUE(second->finished);
    EXPECT_EQ(seq.current, 2);
    EXPECT_EQ(third->time, 0.0625f);
}

TEST(SequenceTest, FinishesOnTheUpdateItsLastChildEnds) {
    auto* wait = new Interval(0.5f, 1);
    Sequence seq(wait, nullptr);
    seq.start();
    wait->duration = 0.25f; // the sequence keeps the length it computed
    EXPECT_TRUE(seq.update(0.375f));
    EXPECT_TRUE(seq.finished) << "its own time is still short of 0.5";
    EXPECT_EQ(seq.time, 0.5f);
    EXPECT_EQ(seq.current, 1);
    EXPECT_FALSE(seq.update(0.1f));
}

TEST(SequenceTest, WithRepeatsLeftItRestartsWhenItsLastChildEndsEarly) {
    ProbeLog log;
    auto* wait = new Probe(0.5f, &log);
    Sequence seq(wait, nullptr);
    seq.start();
    seq.repeats = 2;
    wait->duration = 0.25f;
    seq.update(0.375f);
    EXPECT_FALSE(seq.finished);
    EXPECT_EQ(seq.current, 0);
    EXPECT_EQ(log.starts, 2) << "the first child starts again";
    EXPECT_EQ(seq.time, -0.125f) << "the cycle ended early: a negative overshoot";
    EXPECT_EQ(seq.repeats, 1);
}

TEST(SequenceTest, RepeatsPlayTheChildrenThatManyTimes) {
    Counter flick;
    ProbeLog log;
    Sequence seq(new Func<Counter>(&flick, &Counter::bump), new Probe(0.1f, &log), nullptr);
    seq.start();
    seq.repeats = 4;
    int frames = 0;
    while (!seq.finished && frames < 1000) {
        seq.update(0.03f);
        ++frames;
    }
    EXPECT_TRUE(seq.finished);
    EXPECT_EQ(flick.calls, 4);
    EXPECT_EQ(log.starts, 4) << "the wait starts once per cycle";
    EXPECT_EQ(seq.repeats, 0);
    EXPECT_GE(frames, 13);
    EXPECT_LE(frames, 14);
}

TEST(SequenceTest, AStepOfZeroOrLessLeavesTheChildrenAlone) {
    Counter counter;
    Sequence seq(new Func<Counter>(&counter, &Counter::bump), new Interval(0.2f, 1), nullptr);
    seq.start();
    EXPECT_TRUE(seq.update(0.0f));
    EXPECT_TRUE(seq.update(-0.1f));
    EXPECT_EQ(counter.calls, 0);
    EXPECT_EQ(seq.current, 0);
}

TEST(SequenceTest, ZeroLengthSequenceWithRepeatsPlaysOneCyclePerUpdate) {
    Counter counter;
    Sequence endless(new Func<Counter>(&counter, &Counter::bump),
                     new Func<Counter>(&counter, &Counter::bump), nullptr);
    endless.start();
    endless.repeats = -1;
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(endless.update(0.03f));
    }
    EXPECT_EQ(counter.calls, 10);
    EXPECT_FALSE(endless.finished);

    Counter thrice;
    Sequence three(new Func<Counter>(&thrice, &Counter::bump), nullptr);
    three.start();
    three.repeats = 3;
    three.update(0.03f);
    three.update(0.03f);
    EXPECT_FALSE(three.finished);
    three.update(0.03f);
    EXPECT_TRUE(three.finished);
    EXPECT_EQ(thrice.calls, 3);
}

TEST(SequenceTest, EndlessSequenceSurvivesAnAbsurdStep) {
    for (float step : {1e30f, std::numeric_limits<float>::infinity()}) {
        Sequence loop(new Interval(0.25f, 1), nullptr);
        loop.start();
        loop.repeats = -1;
        EXPECT_TRUE(loop.update(step));
        EXPECT_FALSE(loop.finished);
    }
}

TEST(SequenceTest, EmptySequenceNeverAdvances) {
    Sequence empty(nullptr);
    EXPECT_FALSE(empty.update(0.1f));
    empty.start();
    EXPECT_FALSE(empty.finished);
    EXPECT_FALSE(empty.update(0.1f));
    empty.finish();
    EXPECT_TRUE(empty.finished);
}

TEST(SequenceTest, AppendToARunningSequencePlaysTheNewChildAfterTheOthers) {
    Counter lost;
    auto* hold = new Interval(0.25f, 1);
    Sequence speech(hold, nullptr);
    speech.start();
    speech.update(0.125f);
    auto* tip = new Interval(0.5f, 1);
    tip->rate = 2; // 0.25 s at its own rate
    speech.append(tip);
    speech.append(new Func<Counter>(&lost, &Counter::bump));
    speech.append(nullptr);
    EXPECT_EQ(speech.duration, 0.5f);
    EXPECT_EQ(speech.children.size(), 3u);
    speech.update(0.25f); // hold ends at 0.25, tip gets 0.125 s: 0.25 at rate 2
    EXPECT_EQ(speech.current, 1);
    EXPECT_EQ(tip->time, 0.25f);
    EXPECT_EQ(lost.calls, 0);
    speech.update(0.25f);
    EXPECT_EQ(lost.calls, 1);
    EXPECT_TRUE(speech.finished);
}

TEST(SequenceTest, FinishFinishesTheRunningChildAndEveryLaterOne) {
    Counter first, last;
    ProbeLog log;
    Sequence seq(new Func<Counter>(&first, &Counter::bump), new Probe(1.0f, &log),
                 new Func<Counter>(&last, &Counter::bump), nullptr);
    seq.start();
    seq.update(0.1f);
    seq.finish();
    EXPECT_TRUE(seq.finished);
    EXPECT_EQ(seq.time, seq.duration);
    EXPECT_EQ(first.calls, 1) << "already played: not finished again";
    EXPECT_EQ(log.finishes, 1);
    EXPECT_EQ(last.calls, 1) << "skipped to: its call is made";
}

TEST(SequenceTest, NestedSequenceHandsTimeThrough) {
    Counter inner, outer;
    auto* innerSeq =
        new Sequence(new Interval(0.125f, 1), new Func<Counter>(&inner, &Counter::bump), nullptr);
    Sequence seq(innerSeq, new Func<Counter>(&outer, &Counter::bump), new Interval(1.0f, 1),
                 nullptr);
    EXPECT_EQ(seq.duration, 1.125f);
    seq.start();
    seq.update(0.0625f);
    EXPECT_EQ(inner.calls + outer.calls, 0);
    seq.update(0.125f);
    EXPECT_EQ(inner.calls, 1);
    EXPECT_EQ(outer.calls, 1);
    EXPECT_EQ(seq.current, 2);
}

// ---- Parallel ----

TEST(ParallelTest, LastsAsLongAsItsLongestChild) {
    Interval* slow = new Interval(0.2f, 1);
    slow->rate = 0.5f;
    Parallel both(new Interval(0.3f, 1), slow, nullptr);
    EXPECT_FLOAT_EQ(both.duration, 0.4f);
    Parallel empty(nullptr);
    EXPECT_EQ(empty.duration, 0.0f);
}

TEST(ParallelTest, ChildrenEndWithTheirExactEndValues) {
    Slider robot, text;
    auto* slide = new SliderBlend(&robot, &Slider::set, 0.4f, 625.0f, 325.0f, nullptr);
    auto* rise = new SliderBlend(&text, &Slider::set, 0.2f, -400.0f, -260.0f, nullptr);
    Parallel intro(slide, rise, nullptr);
    intro.start();
    int frames = 0;
    while (!rise->finished && frames < 100) {
        intro.update(0.03f);
        ++frames;
    }
    EXPECT_EQ(text.value, -260.0f);
    EXPECT_FALSE(slide->finished);
    const int textSets = text.sets;
    while (!intro.finished && frames < 100) {
        intro.update(0.03f);
        ++frames;
    }
    EXPECT_TRUE(intro.finished);
    EXPECT_TRUE(slide->finished) << "updated on the frame the parallel finishes";
    EXPECT_EQ(robot.value, 325.0f);
    EXPECT_EQ(text.value, -260.0f);
    EXPECT_EQ(text.sets, textSets) << "the finished blend is not changed again";
    const int robotSets = robot.sets;
    EXPECT_FALSE(intro.update(0.03f));
    EXPECT_EQ(robot.sets, robotSets);
}

TEST(ParallelTest, RunsAtRateOne) {
    ProbeLog log;
    Parallel both(new Probe(1.0f, &log), nullptr);
    both.start();
    both.rate = 3;
    both.update(0.25f);
    EXPECT_EQ(both.rate, 1.0f);
    EXPECT_EQ(both.time, 0.25f);
    EXPECT_EQ(log.lastDt, 0.25f) << "children get the same step";
}

TEST(ParallelTest, WrapRestartsTheChildrenWithTheWholeStep) {
    ProbeLog log;
    auto* child = new Probe(0.25f, &log);
    Parallel loop(child, nullptr);
    loop.start();
    loop.repeats = -1;
    loop.update(0.125f);
    loop.update(0.125f);
    EXPECT_EQ(log.starts, 1);
    loop.update(0.1875f); // 0.4375: the parallel wraps, carrying 0.1875
    EXPECT_EQ(loop.time, 0.1875f);
    EXPECT_EQ(log.starts, 2);
    EXPECT_EQ(child->time, 0.1875f) << "restarted, then given the whole step";
    EXPECT_FALSE(child->finished);
}

TEST(ParallelTest, FinishSkipsChildrenThatAlreadyFinished) {
    Counter early, late;
    Parallel both(
        new Func<Counter>(&early, &Counter::bump),
        new Sequence(new Interval(1.0f, 1), new Func<Counter>(&late, &Counter::bump), nullptr),
        nullptr);
    both.start();
    both.update(0.1f);
    both.finish();
    EXPECT_TRUE(both.finished);
    EXPECT_EQ(early.calls, 1);
    EXPECT_EQ(late.calls, 1);
}

TEST(ParallelTest, EmptyParallelFinishesOnItsFirstPositiveStep) {
    Parallel empty(nullptr);
    EXPECT_TRUE(empty.update(0.0f));
    EXPECT_FALSE(empty.finished);
    EXPECT_TRUE(empty.update(0.01f));
    EXPECT_TRUE(empty.finished);
}

// ---- Ownership ----

TEST(CompositeTest, DeletingACompositeDeletesEveryNestedChild) {
    ProbeLog log;
    auto* tree = new Sequence(
        new Probe(0.1f, &log),
        new Parallel(new Probe(0.1f, &log), new Sequence(new Probe(0.1f, &log), nullptr), nullptr),
        nullptr);
    tree->append(new Probe(0.1f, &log));
    EXPECT_EQ(log.destroyed, 0);
    delete tree;
    EXPECT_EQ(log.destroyed, 4);
}

} // namespace
