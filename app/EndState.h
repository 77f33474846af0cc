#pragma once

#include "app/State.h"
#include "graphics/Sprite.h"

// A closing picture that leads back to a battle after a short wait. Nothing in
// the game switches to it yet.
class EndState : public State {
  public:
    explicit EndState(const char* stateName) : State(stateName) {}

    bool enter(State* previous) override;
    void draw() override;
    void mouse(int button, int state, int x, int y) override;
    // A still picture, changed only by clicks.
    bool animating() const override { return false; }

    Sprite sprite;
    float enteredAt = 0;
    // Drawn over the picture when set; nothing sets it yet.
    Sprite* overlay = nullptr;
};
