// The three kinds of step the battle builds, on the game's own classes.
#include "anim/BlendInterval.h"
#include "anim/Func.h"
#include "anim/Parallel.h"
#include "anim/Sequence.h"
#include "graphics/Sprite.h"
#include "graphics/TextSprite.h"
#include "tests/support/GlWindow.h"

#include <gtest/gtest.h>

namespace {

class GameStepsTest : public ::testing::Test {
  protected:
    void SetUp() override { testgl::ensureWindow(); }
};

TEST_F(GameStepsTest, TextureSwitchStepShowsTheNewPicture) {
    Sprite robot;
    robot.setTexture("./img/robot-red.png");
    const char* lit = "./img/robot-red-on.png";
    Func1<Sprite, const char*> light(&robot, &Sprite::changeTexture, lit);
    light.update(0.03f);
    EXPECT_EQ(robot.texture, getTexture(lit));
}

TEST_F(GameStepsTest, ClearStepEmptiesTheInputField) {
    TextField field(nullptr);
    field.insertChar('h');
    field.insertChar('i');
    Func<TextField> wipe(&field, &TextField::clear);
    wipe.update(0.03f);
    EXPECT_EQ(field.text(), "");
    EXPECT_EQ(field.cursor, 0);
}

TEST_F(GameStepsTest, FadeAndSlideStepsDriveTheSpriteSetters) {
    Sprite bubble;
    Sprite robot;
    Sequence speech(
        new BlendInterval<Sprite, float>(&bubble, &Sprite::setAlpha, 0.5f, 0.0f, 1.0f, nullptr),
        new BlendInterval<Sprite, float>(&robot, &Sprite::setX, 0.4f, 625.0f, 325.0f, nullptr),
        nullptr);
    speech.start();
    EXPECT_EQ(bubble.alpha, 0.0f);
    speech.update(0.25f);
    EXPECT_NEAR(bubble.alpha, 0.5f, 1e-6);
    EXPECT_EQ(robot.x, 0.0f) << "the slide has not started yet";
    speech.update(0.45f);
    EXPECT_EQ(bubble.alpha, 1.0f);
    EXPECT_NEAR(robot.x, 625.0f - 300.0f * 0.5f, 1e-3);
    speech.update(0.3f);
    EXPECT_EQ(robot.x, 325.0f);
    EXPECT_TRUE(speech.finished);
}

struct Clearing {
    int calls = 0;
    void clear() { ++calls; }
};

// The bubble of every length of reply, played at the steady steps of a
// display-paced frame: its last step, the entry line's clearing, always runs
// once, however the float steps add up against the sequence's own clock.
TEST_F(GameStepsTest, BubblesLastStepRunsAtSteadySteps) {
    using Fade = BlendInterval<Sprite, float>;
    for (float step : {1.0f / 60, 0.01f}) {
        for (int length = 3; length <= 94; ++length) {
            Sprite bubble, text;
            Clearing entry;
            Sequence speech(
                new Parallel(new Fade(&text, &Sprite::setAlpha, 0.5f, 0.0f, 1.0f, nullptr),
                             new Fade(&bubble, &Sprite::setAlpha, 0.5f, 0.0f, 1.0f, nullptr),
                             nullptr),
                new Interval(static_cast<float>(1.0 + length / 15.0), 1),
                new Parallel(new Fade(&text, &Sprite::setAlpha, 0.5f, 1.0f, 0.0f, nullptr),
                             new Fade(&bubble, &Sprite::setAlpha, 0.5f, 1.0f, 0.0f, nullptr),
                             nullptr),
                new Func<Clearing>(&entry, &Clearing::clear), nullptr);
            speech.start();
            for (int frame = 0; frame < 2000 && !speech.finished; ++frame) {
                speech.update(step);
            }
            EXPECT_TRUE(speech.finished);
            EXPECT_EQ(entry.calls, 1) << "step " << step << ", length " << length;
            EXPECT_EQ(bubble.alpha, 0.0f);
        }
    }
}

} // namespace
