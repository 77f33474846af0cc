#include "app/FrameClock.h"
#include "app/Globals.h"
#include "tests/support/GlWindow.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// The battle runs here on the game's own liveMode, in a real GL window, with
// the small insult list of this folder: typing one of its words gives an
// insult of known strength ("eighters" 8, "fiver" 5, "sixers" 6,
// "tentacular" 10) or of known length ("fortyfive" 45 characters, "fortysix"
// 46, "eightyeight" 88, "eightynine" 89).

namespace {

constexpr unsigned char enterKey = 13;

std::string pathOf(const Sprite& s) {
    return s.texture && s.texture->path ? s.texture->path : "(none)";
}

class BattleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testgl::ensureWindow();
        camera.reshape(800, 600);
        currentState = nullptr;
        switchState(&liveMode);
    }
    void TearDown() override {
        liveMode.leave(nullptr);
        liveMode.newMatch(Opponent::player, ComputerLevel::normal);
        currentState = nullptr;
    }

    static void type(const std::string& text) {
        for (char c : text) {
            liveMode.keyboard(static_cast<unsigned char>(c), 0, 0);
        }
    }
    static void send(const std::string& text) {
        type(text);
        liveMode.keyboard(enterKey, 0, 0);
    }
    // Runs frames of 30 ms for the given time, as the game loop would.
    static void play(float seconds) {
        frameDelta = 0.03f;
        for (float t = 0; t < seconds; t += 0.03f) {
            liveMode.update();
        }
    }
    static void clearEntry() {
        while (!liveMode.inputField->text().empty()) {
            liveMode.keyboard(8, 0, 0);
        }
    }
    static std::vector<std::string> bubbleLines() { return liveMode.speechText->lines; }
};

TEST_F(BattleTest, NewBattleStartsWithBlueToMoveAndNothingSaid) {
    EXPECT_TRUE(liveMode.inPlay);
    EXPECT_TRUE(liveMode.blueToMove);
    EXPECT_EQ(liveMode.threshold, 0);
    EXPECT_EQ(liveMode.thresholdText->lines, std::vector<std::string>{"0"});
    EXPECT_EQ(pathOf(liveMode.panel), "./img/interface-blue.png");
    EXPECT_EQ(liveMode.speechBubble.alpha, 0);
    EXPECT_EQ(liveMode.speechText->alpha, 0);
    EXPECT_EQ(liveMode.speechBubble.scaleX, 500);
    EXPECT_TRUE(liveMode.loseBanner.hidden);
    EXPECT_EQ(liveMode.speechAnim, nullptr);
    EXPECT_NE(liveMode.font, nullptr);
}

TEST_F(BattleTest, SceneSlidesIntoPlaceWithinFourTenthsOfASecond) {
    play(0.05f);
    EXPECT_LT(liveMode.redRobot.x, -325) << "red is still coming in from the left";
    EXPECT_GT(liveMode.blueRobot.x, 325);
    play(0.4f);
    EXPECT_EQ(liveMode.redRobot.x, -325);
    EXPECT_EQ(liveMode.blueRobot.x, 325);
    EXPECT_EQ(liveMode.panel.y, 0);
    EXPECT_EQ(liveMode.inputField->y, -263);
    EXPECT_EQ(liveMode.thresholdText->y, -123);
}

TEST_F(BattleTest, ThresholdIsThreeQuartersOfTheStrongestInsultTruncated) {
    send("eighters");
    EXPECT_EQ(liveMode.threshold, 6);
    EXPECT_EQ(liveMode.thresholdText->lines, std::vector<std::string>{"6"});
    EXPECT_TRUE(liveMode.inPlay);
    clearEntry();
    send("sixers"); // 6 is not below 6: red holds, the threshold stays
    EXPECT_TRUE(liveMode.inPlay);
    EXPECT_EQ(liveMode.threshold, 6);
    clearEntry();
    send("tentacular"); // 7.5 truncated
    EXPECT_TRUE(liveMode.inPlay);
    EXPECT_EQ(liveMode.threshold, 7);
    EXPECT_EQ(liveMode.thresholdText->lines, std::vector<std::string>{"7"});
}

TEST_F(BattleTest, WeakerInsultThanTheThresholdLoses) {
    send("eighters");
    clearEntry();
    send("fiver"); // 5 < 6: red loses
    EXPECT_FALSE(liveMode.inPlay);
    EXPECT_FALSE(liveMode.loseBanner.hidden);
    EXPECT_EQ(pathOf(liveMode.loseBanner), "./img/lose-red.png");
    EXPECT_EQ(liveMode.loseBanner.y, 800);
    EXPECT_TRUE(liveMode.blueToMove) << "the turn passes even after a loss";

    // The banner lands 3.16 + L / 15 s after the send, L being the length of
    // the insult shown ("Fiver!" or "Fiver, twice.").
    play(3.16f + 13 / 15.0f + 0.1f);
    EXPECT_EQ(liveMode.redRobot.angle, -100);
    EXPECT_EQ(liveMode.loseBanner.y, 0);
    EXPECT_EQ(liveMode.loseBanner.angle, 0);
    EXPECT_EQ(liveMode.blueRobot.angle, 0);
}

TEST_F(BattleTest, BlueLosesTowardsTheRight) {
    send("tentacular");
    clearEntry();
    send("tentacular"); // red holds with the second line (10 - 2 = 8 >= 7)
    EXPECT_TRUE(liveMode.inPlay);
    clearEntry();
    send("fiver");
    EXPECT_FALSE(liveMode.inPlay);
    EXPECT_EQ(pathOf(liveMode.loseBanner), "./img/lose-blue.png");
    play(5.0f);
    EXPECT_EQ(liveMode.blueRobot.angle, 100);
    EXPECT_EQ(liveMode.redRobot.angle, 0);
}

TEST_F(BattleTest, LongRepliesWrapAtSpacesInTheBubble) {
    const std::string dots(100, '.');
    send("fortyfive");
    EXPECT_EQ(bubbleLines(),
              (std::vector<std::string>{"fortyfive " + dots.substr(0, 35), "(strength 9)"}));
    clearEntry();
    send("fortysix");
    EXPECT_EQ(bubbleLines(),
              (std::vector<std::string>{"fortysix", dots.substr(0, 37), "(strength 8)"}));
}

TEST_F(BattleTest, HoldTimeAndFlickerFollowTheShownLength) {
    send("fortysix"); // 46 characters, 48 once broken
    ASSERT_NE(liveMode.speechAnim, nullptr);
    ASSERT_EQ(liveMode.speechAnim->children.size(), 4u);
    EXPECT_FLOAT_EQ(liveMode.speechAnim->children[1]->duration, 1 + 48 / 15.0f);
    EXPECT_EQ(liveMode.blueTalk->repeats, 15);

    // Blue flickers: lit for 0.1 s, plain for 0.15 s.
    play(0.03f);
    EXPECT_EQ(pathOf(liveMode.blueRobot), "./img/robot-blue-on.png");
    play(0.12f);
    EXPECT_EQ(pathOf(liveMode.blueRobot), "./img/robot-blue.png");
}

TEST_F(BattleTest, BubbleFadesInHoldsFadesOutThenClearsTheEntry) {
    send("eighters");
    const float length = static_cast<float>(bubbleLines()[0].size());
    play(0.51f);
    EXPECT_EQ(liveMode.speechBubble.alpha, 1);
    EXPECT_EQ(liveMode.speechText->alpha, 1);
    play(0.9f + length / 15); // held until 1.5 + L / 15 s after the send
    EXPECT_EQ(liveMode.speechBubble.alpha, 1);
    EXPECT_EQ(liveMode.inputField->text(), "eighters");
    play(0.7f); // faded out and the entry line cleared
    EXPECT_EQ(liveMode.speechBubble.alpha, 0);
    EXPECT_EQ(liveMode.speechText->alpha, 0);
    EXPECT_EQ(liveMode.inputField->text(), "");
}

TEST_F(BattleTest, BubbleIsMirroredEveryTurnStartingFromBlue) {
    send("eighters");
    EXPECT_EQ(liveMode.speechBubble.scaleX, -500);
    clearEntry();
    send("tentacular");
    EXPECT_EQ(liveMode.speechBubble.scaleX, 500);
    clearEntry();
    send("tentacular");
    EXPECT_EQ(liveMode.speechBubble.scaleX, -500);
}

TEST_F(BattleTest, SendsShorterThanThreeCharactersChangeNothing) {
    for (const std::string& text : {std::string(), std::string("ab"), std::string("  ")}) {
        clearEntry();
        send(text);
        EXPECT_EQ(liveMode.inputField->text(), text);
        EXPECT_EQ(liveMode.threshold, 0);
        EXPECT_TRUE(liveMode.blueToMove);
        EXPECT_EQ(liveMode.speechAnim, nullptr);
        EXPECT_EQ(pathOf(liveMode.panel), "./img/interface-blue.png");
        EXPECT_EQ(liveMode.hintText->lines, std::vector<std::string>{"type a few words first"});
    }
}

TEST_F(BattleTest, OnlyLettersAndSpacesCanBeTypedAndEdited) {
    EXPECT_EQ(liveMode.hintText->alpha, 0);
    type("ab1-c D!");
    EXPECT_EQ(liveMode.inputField->text(), "abc D");
    EXPECT_EQ(liveMode.hintText->lines, std::vector<std::string>{"letters and spaces only"});
    EXPECT_EQ(liveMode.hintText->alpha, 1);
    play(2.1f);
    EXPECT_EQ(liveMode.hintText->alpha, 0) << "the hint fades";
    liveMode.special(GLUT_KEY_LEFT, 0, 0);
    liveMode.special(GLUT_KEY_LEFT, 0, 0);
    liveMode.keyboard(8, 0, 0);   // backspace removes the c
    liveMode.keyboard(127, 0, 0); // delete removes the space
    EXPECT_EQ(liveMode.inputField->text(), "abD");
    liveMode.special(GLUT_KEY_RIGHT, 0, 0);
    type("x");
    EXPECT_EQ(liveMode.inputField->text(), "abDx");
}

TEST_F(BattleTest, AfterALossOnlyTheArrowsStillWork) {
    send("eighters");
    clearEntry();
    send("fiver");
    ASSERT_FALSE(liveMode.inPlay);
    const std::string before = liveMode.inputField->text();
    type("abc");
    liveMode.keyboard(8, 0, 0);
    liveMode.keyboard(127, 0, 0);
    EXPECT_EQ(liveMode.inputField->text(), before);
    const int caret = liveMode.inputField->cursor;
    liveMode.special(GLUT_KEY_LEFT, 0, 0);
    EXPECT_EQ(liveMode.inputField->cursor, caret - 1);
    liveMode.mouse(0, 0, 400, 300); // a press is not a release
    EXPECT_FALSE(liveMode.inPlay);
}

TEST_F(BattleTest, SendButtonBordersDoNotCount) {
    // With an 800-wide window, pixel (px, py) is virtual (px - 400, 300 - py).
    type("eighters");
    liveMode.mouse(0, 1, 662, 550); // x = 262
    liveMode.mouse(0, 1, 766, 550); // x = 366
    liveMode.mouse(0, 1, 700, 570); // y = -270
    liveMode.mouse(0, 1, 700, 536); // y = -236
    liveMode.mouse(0, 0, 700, 550); // a press inside
    EXPECT_TRUE(liveMode.blueToMove);
    EXPECT_EQ(liveMode.speechAnim, nullptr);
    liveMode.mouse(2, 1, 663, 569); // any button, just inside the corner
    EXPECT_FALSE(liveMode.blueToMove);
    EXPECT_EQ(liveMode.threshold, 6);
}

TEST_F(BattleTest, SendButtonFollowsTheWindowSize) {
    camera.reshape(1000, 750); // pixel = virtual position * 1.25
    type("eighters");
    liveMode.mouse(0, 1, 827, 687); // (261.6, -249.6): outside
    EXPECT_TRUE(liveMode.blueToMove);
    liveMode.mouse(0, 1, 829, 687); // (263.2, -249.6): inside
    EXPECT_FALSE(liveMode.blueToMove);
    camera.reshape(800, 600);
    testgl::pumpEvents();
}

TEST_F(BattleTest, ANewLineTypedDuringTheBubbleIsSentWhole) {
    send("eighters");
    play(1.0f);
    liveMode.keyboard(enterKey, 0, 0); // a second Enter: not a turn
    EXPECT_FALSE(liveMode.blueToMove);
    EXPECT_EQ(liveMode.threshold, 6);
    type("fiv");
    EXPECT_EQ(liveMode.inputField->text(), "fiv") << "the sent line left at the first key";
    play(5.0f); // the bubble ends: what is typed stays
    type("er");
    liveMode.keyboard(enterKey, 0, 0);
    EXPECT_EQ(bubbleLines()[1], "(strength 5)");
    play(5.0f);
    EXPECT_EQ(liveMode.inputField->text(), "") << "cleared at the end of its bubble";
}

TEST_F(BattleTest, ClickOrEnterAfterALossStartsAFreshBattleOnceTheBannerLanded) {
    for (bool byMouse : {false, true}) {
        send("eighters");
        clearEntry();
        send("fiver");
        ASSERT_FALSE(liveMode.inPlay);
        EXPECT_EQ(pathOf(liveMode.panel), "./img/interface-blue-won.png");
        EXPECT_EQ(liveMode.scoreText->lines, std::vector<std::string>{byMouse ? "2 : 0" : "1 : 0"})
            << "the match goes on";
        EXPECT_TRUE(liveMode.inputField->cursorSprite.hidden);
        // The banner lands 3.16 + L / 15 s after the send.
        play(3.0f);
        liveMode.keyboard(enterKey, 0, 0);
        liveMode.mouse(0, 1, 10, 10);
        EXPECT_FALSE(liveMode.inPlay) << "too early: the banner is still falling";
        play(2.0f);
        if (byMouse) {
            liveMode.mouse(2, 1, 10, 10);
        } else {
            liveMode.keyboard(enterKey, 0, 0);
        }
        EXPECT_EQ(currentState, &liveMode);
        EXPECT_TRUE(liveMode.inPlay);
        EXPECT_TRUE(liveMode.blueToMove);
        EXPECT_EQ(liveMode.threshold, 0);
        EXPECT_EQ(liveMode.thresholdText->lines, std::vector<std::string>{"0"});
        EXPECT_EQ(liveMode.redRobot.angle, 0);
        EXPECT_EQ(liveMode.blueRobot.angle, 0);
        EXPECT_TRUE(liveMode.loseBanner.hidden);
        EXPECT_EQ(liveMode.speechBubble.scaleX, 500);
        EXPECT_EQ(pathOf(liveMode.panel), "./img/interface-blue.png");
        EXPECT_EQ(liveMode.inputField->text(), "");
        EXPECT_FALSE(liveMode.inputField->cursorSprite.hidden);
        EXPECT_TRUE(insultDatabase.usedInsults.empty());
        EXPECT_TRUE(insultDatabase.usedWords.empty());
        play(1.0f);
    }
}

TEST_F(BattleTest, TheComputerTypesRedsLineByItselfAndF2StopsIt) {
    liveMode.newMatch(Opponent::computer, ComputerLevel::hard);
    EXPECT_EQ(liveMode.scoreText->lines, std::vector<std::string>{"0 : 0"});
    send("eighters");
    play(0.9f); // blue's bubble shows first, then the computer thinks
    send("abc");
    liveMode.mouse(0, 1, 700, 550); // SEND
    EXPECT_EQ(liveMode.inputField->text(), "eighters") << "red's turn is not the player's";
    EXPECT_FALSE(liveMode.blueToMove);
    play(1.5f);
    const std::string& typing = liveMode.inputField->text();
    ASSERT_FALSE(typing.empty());
    EXPECT_EQ(liveMode.computerLine.compare(0, typing.size(), typing), 0) << typing;
    EXPECT_LT(typing.size(), liveMode.computerLine.size()) << "typed at once";
    play(3.0f);
    EXPECT_TRUE(liveMode.blueToMove) << "the computer has sent its line";
    EXPECT_EQ(liveMode.inputField->text(), liveMode.computerLine);

    // A new battle keeps the computer; back to the choice while it types.
    switchState(&liveMode);
    send("eighters");
    play(2.4f);
    ASSERT_EQ(liveMode.computerStep, LiveMode::ComputerStep::typing);
    liveMode.special(GLUT_KEY_F2, 0, 0);
    EXPECT_EQ(currentState, &startState);
    EXPECT_EQ(startState.showingInstructions, 1);
    EXPECT_EQ(liveMode.computerStep, LiveMode::ComputerStep::idle);
    EXPECT_EQ(liveMode.inputField, nullptr) << "the battle was left";
}

TEST_F(BattleTest, EveryInsultIsSaidOnlyOncePerBattle) {
    send("eighters");
    const std::string first = bubbleLines()[0];
    clearEntry();
    send("eighters");
    const std::string second = bubbleLines()[0];
    EXPECT_NE(first, second);
    EXPECT_EQ(bubbleLines()[1], "(strength 6)") << "a word used before is worth 2 less";
    clearEntry();
    send("eighters");
    EXPECT_EQ(bubbleLines(), (std::vector<std::string>{"Well... you suck", "(strength 0)"}));
    EXPECT_FALSE(liveMode.inPlay) << "0 is below the threshold of 6";
}

TEST_F(BattleTest, DrawsTheWholeSceneWithoutTouchingTheState) {
    play(0.5f);
    testgl::clear(0, 0, 0);
    liveMode.draw();
    // The backdrop covers the view; the panel's opaque console covers the
    // bottom; nothing of the clear colour remains.
    for (float x : {-390.0f, 0.0f, 390.0f}) {
        for (float y : {290.0f, 0.0f, -290.0f}) {
            auto p = testgl::pixelAt(x, y);
            EXPECT_GT(p[0] + p[1] + p[2], 30) << "at " << x << ", " << y;
        }
    }
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

} // namespace
