#pragma once

#include "app/State.h"

// The battle screen.
class LiveMode : public State {
  public:
    explicit LiveMode(const char* stateName) : State(stateName) {}
};
