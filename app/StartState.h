#pragma once

#include "app/State.h"
#include "graphics/Sprite.h"

#include <cstdint>

// The first screen: the splash picture, then after one click the
// instructions with the choice of game (two players, or blue against the
// computer at one of three levels), then the battle.
class StartState : public State {
  public:
    explicit StartState(const char* stateName) : State(stateName) {}

    bool enter(State* previous) override;
    void draw() override;
    void mouse(int button, int state, int x, int y) override;
    // Enter and Space do what a click does; on the instructions the keys 1
    // to 4 choose the game.
    void keyboard(unsigned char key, int x, int y) override;
    // On the instructions, the arrows move the choice.
    void special(int key, int x, int y) override;
    // A still picture, changed only by clicks and keys.
    bool animating() const override { return false; }

    // The next entry opens on the instructions, with the choice made before
    // (the way back from a battle).
    void showChoice() { openAtChoice = true; }

    Sprite sprite;
    int32_t showingInstructions = 0;
    // 0 two players, 1 to 3 the computer at easy, normal, hard.
    int32_t choice = 0;

  private:
    // From the splash to the instructions, or from them to the battle.
    void advance();
    void choose(int32_t which);
    bool openAtChoice = false;
};
