#pragma once

// The process-wide objects. They are all defined in Globals.cpp, in the order
// in which they must be constructed (and, in reverse, destroyed).
#include "app/Camera.h"
#include "app/EndState.h"
#include "app/StartState.h"
#include "battle/LiveMode.h"
#include "graphics/Texture.h"
#include "insults/InsultDatabase.h"

extern LiveMode liveMode;
extern StartState startState;
extern EndState endState;
extern InsultDatabase insultDatabase;
