#pragma once

#include "anim/BlendInterval.h"
#include "anim/Func.h"
#include "anim/Interval.h"
#include "anim/Parallel.h"
#include "anim/Sequence.h"
#include "app/State.h"
#include "audio/SoundBank.h"
#include "audio/SpeechVoice.h"
#include "graphics/Font.h"
#include "graphics/Sprite.h"
#include "graphics/TextSprite.h"

#include <cstdint>

// The battle screen: two robots on a backdrop, the control panel with the
// entry line, the send button and the threshold, and the speech bubble. The
// blue robot speaks first; the turn passes with every insult sent.
class LiveMode : public State {
  public:
    // Starts the sound bank and the background music, which then loops for
    // the whole run, whatever screen is showing.
    explicit LiveMode(const char* stateName);

    bool enter(State* previous) override;
    bool leave(State* next) override;
    void draw() override;
    void update() override;
    void mouse(int button, int state, int x, int y) override;
    void keyboard(unsigned char key, int x, int y) override;
    void special(int key, int x, int y) override;
    bool animating() const override { return moving; }

    // One turn: the typed words are answered with the best stored insult.
    void sayInsult();

    SoundBank sounds;
    Font* font = nullptr;
    TextField* inputField = nullptr;
    TextSprite* thresholdText = nullptr;
    TextSprite* speechText = nullptr;
    Sprite background;
    Sprite panel;
    Sprite redRobot;
    Sprite blueRobot;
    Sprite speechBubble;
    Sprite loseBanner;
    Sequence* redTalk = nullptr;
    Sequence* blueTalk = nullptr;
    bool blueToMove = true;
    bool inPlay = false;
    int32_t threshold = 0;
    SpeechVoice* voice = nullptr;
    Parallel* introAnim = nullptr;
    Sequence* speechAnim = nullptr;
    // Whether any animation advanced in the last update.
    bool moving = true;
};
