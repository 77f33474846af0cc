#include "app/State.h"

State* currentState = nullptr;

bool State::enter(State*) { return true; }
bool State::canLeave(State*) { return true; }
bool State::leave(State*) { return true; }
void State::mouse(int, int, int, int) {}
void State::motion(int, int) {}
void State::passiveMotion(int, int) {}
void State::keyboard(unsigned char, int, int) {}
void State::keyboardUp(unsigned char, int, int) {}
void State::special(int, int, int) {}
void State::specialUp(int, int, int) {}

bool switchState(State* next) {
    State* previous = currentState;
    if (previous) {
        if (!previous->canLeave(next)) {
            return false;
        }
        previous->leave(next);
    }
    // currentState still names the old state while the new one enters.
    next->enter(previous);
    currentState = next;
    return true;
}
