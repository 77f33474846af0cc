#pragma once

// One screen of the game. Exactly one state is current; every window event
// and every frame goes to it. The base class does nothing and never vetoes.
class State {
  public:
    explicit State(const char* stateName) : name(stateName) {}
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    virtual ~State() = default;

    virtual bool enter(State* previous);
    virtual bool canLeave(State* next);
    virtual bool leave(State* next);
    virtual void draw() {}
    virtual void update() {}
    virtual void mouse(int button, int state, int x, int y);
    virtual void motion(int x, int y);
    virtual void passiveMotion(int x, int y);
    virtual void keyboard(unsigned char key, int x, int y);
    virtual void keyboardUp(unsigned char key, int x, int y);
    virtual void special(int key, int x, int y);
    virtual void specialUp(int key, int x, int y);
    // Whether the last update changed the picture by itself, without any
    // input (an animation playing). A screen at rest is not drawn again
    // until something happens; by default a screen is always redrawn.
    virtual bool animating() const { return true; }

    const char* const name;
};

// Null until main() makes the first switch; never null afterwards.
extern State* currentState;

// Leaves the current state (unless it vetoes) and enters next. Switching to
// the current state restarts it. Returns false only on a veto.
bool switchState(State* next);
