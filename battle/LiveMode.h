#pragma once

#include "anim/BlendInterval.h"
#include "anim/Func.h"
#include "anim/Interval.h"
#include "anim/Parallel.h"
#include "anim/Sequence.h"
#include "app/State.h"
#include "audio/SoundBank.h"
#include "audio/SpeechVoice.h"
#include "battle/ComputerPlayer.h"
#include "graphics/Font.h"
#include "graphics/Sprite.h"
#include "graphics/TextSprite.h"

#include <cstdint>

// Who plays red: the second player at the same keyboard, or the computer.
enum class Opponent { player, computer };

// The battle screen: two robots on a backdrop, the control panel with the
// entry line, the send button, the threshold and the match score, and the
// speech bubble. The blue robot speaks first; the turn passes with every
// insult sent.
class LiveMode : public State {
  public:
    explicit LiveMode(const char* stateName);
    // Starts the sound bank and the background music, which then loops for
    // the whole run, whatever screen is showing (held, while the player has
    // it off). The game does it first thing, once it has read its options.
    void startMusic(bool playing);

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
    // Who plays red from the next battle on; the match score starts again.
    void newMatch(Opponent who, ComputerLevel level);
    // Takes the line last sent out of the entry line: at the first key of a
    // new line, or at the end of the bubble if no key came before.
    void clearSentLine();
    // The end of the loss: the banner is in place and a new battle may start.
    void bannerLanded();

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
    // Whether insults are spoken (the player may turn the voice off).
    bool voiceOn = true;
    // A short word under the entry line when a key or an Enter does nothing.
    TextSprite* hintText = nullptr;
    Sequence* hintAnim = nullptr;
    // The entry line still shows the line last sent: the next key starts a
    // new one, and Enter has nothing new to send.
    bool lineSent = false;
    // After a loss, a click or Enter starts the next battle only once the
    // loser has fallen and the banner has landed.
    bool canRestart = false;

    // The match: who plays red, and the battles each side has won since the
    // mode was chosen (or the game started).
    Opponent opponent = Opponent::player;
    ComputerLevel computerLevel = ComputerLevel::normal;
    int32_t blueWins = 0;
    int32_t redWins = 0;
    TextSprite* scoreText = nullptr;

    // Red's turn against the computer: it waits while blue's bubble shows,
    // thinks, types its line key by key and sends it.
    enum class ComputerStep { idle, thinking, typing, sending };
    ComputerStep computerStep = ComputerStep::idle;
    // Seconds until the computer's next step or key.
    float computerWait = 0;
    std::string computerLine;
    std::size_t computerTyped = 0;
    ComputerPlayer computer;
    Parallel* introAnim = nullptr;
    Sequence* speechAnim = nullptr;
    // Whether any animation advanced in the last update.
    bool moving = true;

  private:
    // Shows a hint, which fades after a moment.
    void hint(const char* text);
    // Whether the computer has red's turn: the keyboard is not the player's.
    bool computersTurn() const;
    // The computer's part of a frame.
    void playComputer();
    // The score on the panel, centred in its window.
    void showScore();
};
