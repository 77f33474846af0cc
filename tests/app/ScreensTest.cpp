#include "app/FrameClock.h"
#include "app/Globals.h"
#include "tests/support/GlWindow.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string pathOf(const Sprite& s) {
    return s.texture && s.texture->path ? s.texture->path : "(none)";
}

class StartScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testgl::ensureWindow();
        currentState = nullptr;
        switchState(&startState);
    }
    void TearDown() override { currentState = nullptr; }
};

TEST_F(StartScreenTest, EnterShowsTheSplashOverTheWholeView) {
    EXPECT_EQ(pathOf(startState.sprite), "./img/splash.jpg");
    EXPECT_EQ(startState.showingInstructions, 0);
    EXPECT_EQ(startState.sprite.scaleX, 800);
    EXPECT_EQ(startState.sprite.scaleY, 800);
    EXPECT_NE(startState.sprite.quadList, 0u) << "entering must give the sprite the shared quad";
}

TEST_F(StartScreenTest, OnlyALeftButtonReleaseCounts) {
    startState.mouse(2, 1, 10, 10); // right release
    startState.mouse(1, 1, 10, 10); // middle release
    startState.mouse(0, 0, 10, 10); // left press
    startState.keyboard('x', 0, 0);
    EXPECT_EQ(startState.showingInstructions, 0);
    EXPECT_EQ(pathOf(startState.sprite), "./img/splash.jpg");
    EXPECT_EQ(currentState, &startState);
}

TEST_F(StartScreenTest, FirstClickShowsInstructionsSecondStartsTheBattle) {
    startState.mouse(0, 1, 400, 300);
    EXPECT_EQ(startState.showingInstructions, 1);
    EXPECT_EQ(pathOf(startState.sprite), "./img/instructions.jpg");
    EXPECT_EQ(currentState, &startState);
    startState.mouse(0, 1, 400, 300);
    EXPECT_EQ(currentState, &liveMode);
}

TEST_F(StartScreenTest, EnterAndSpaceDoWhatAClickDoes) {
    startState.keyboard(' ', 0, 0);
    EXPECT_EQ(startState.showingInstructions, 1);
    startState.keyboard('3', 0, 0); // a key chooses, the picture shows it
    EXPECT_EQ(pathOf(startState.sprite), "./img/instructions-normal.jpg");
    startState.mouse(0, 1, 650, 488); // a click on Hard plays it
    EXPECT_EQ(startState.choice, 3);
    EXPECT_EQ(liveMode.opponent, Opponent::computer);
    liveMode.newMatch(Opponent::player, ComputerLevel::normal);
    startState.choice = 0;
    startState.enter(nullptr);
    startState.keyboard(' ', 0, 0);
    startState.keyboard(13, 0, 0);
    EXPECT_EQ(currentState, &liveMode);
}

TEST_F(StartScreenTest, ReenteringShowsTheSplashAgain) {
    startState.mouse(0, 1, 0, 0);
    switchState(&startState);
    EXPECT_EQ(startState.showingInstructions, 0);
    EXPECT_EQ(pathOf(startState.sprite), "./img/splash.jpg");
}

int64_t fakeNow = 0;
int64_t fakeTicks() { return fakeNow; }

class EndScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testgl::ensureWindow();
        fakeNow = 100'500'000'000; // half-way through second 100
        setFrameClockSource(fakeTicks);
        updateFrameClock();
        currentState = nullptr;
        switchState(&endState);
    }
    void TearDown() override {
        setFrameClockSource(nullptr);
        currentState = nullptr;
    }
    void advanceTo(int64_t ticks) {
        fakeNow = ticks;
        updateFrameClock();
    }
};

TEST_F(EndScreenTest, EnterShowsTheEndPictureAndNotesTheTime) {
    EXPECT_EQ(pathOf(endState.sprite), "./img/end.jpg");
    EXPECT_EQ(endState.enteredAt, 100.0f);
}

TEST_F(EndScreenTest, ClicksWithinThreeWholeSecondsAreIgnored) {
    advanceTo(103'999'999'999);
    endState.mouse(0, 1, 0, 0);
    EXPECT_EQ(currentState, &endState);
}

TEST_F(EndScreenTest, LeftReleaseAfterTheWaitStartsABattle) {
    advanceTo(104'000'000'000);
    endState.mouse(2, 1, 0, 0);
    EXPECT_EQ(currentState, &endState) << "only the left button counts";
    endState.mouse(0, 1, 0, 0);
    EXPECT_EQ(currentState, &liveMode);
}

} // namespace
