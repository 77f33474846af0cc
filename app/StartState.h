#pragma once

#include "app/State.h"
#include "graphics/Sprite.h"

#include <cstdint>

// The first screen: the splash picture, then after one click the
// instructions, then after another click the battle.
class StartState : public State {
  public:
    explicit StartState(const char* stateName) : State(stateName) {}

    bool enter(State* previous) override;
    void draw() override;
    void mouse(int button, int state, int x, int y) override;
    // Enter and Space do what a click does.
    void keyboard(unsigned char key, int x, int y) override;
    // A still picture, changed only by clicks.
    bool animating() const override { return false; }

    Sprite sprite;
    int32_t showingInstructions = 0;

  private:
    // From the splash to the instructions, or from them to the battle.
    void advance();
};
