#include "app/StartState.h"

#include "app/Globals.h"

namespace {
constexpr int leftButton = 0;
constexpr int buttonReleased = 1;
constexpr unsigned char keyEnter = 13;
} // namespace

bool StartState::enter(State*) {
    // A fresh sprite also picks up the shared quad, which did not exist yet
    // when this screen was built before the window.
    sprite = Sprite();
    sprite.scaleX = sprite.scaleY = sprite.scaleZ = 800;
    sprite.x = sprite.y = sprite.z = 0;
    if (sprite.texture) {
        sprite.texture->release();
    }
    sprite.texture = getTexture("./img/splash.jpg");
    showingInstructions = 0;
    return true;
}

void StartState::draw() { sprite.draw(); }

void StartState::mouse(int button, int state, int, int) {
    if (button != leftButton || state != buttonReleased) {
        return;
    }
    advance();
}

void StartState::keyboard(unsigned char key, int, int) {
    if (key == keyEnter || key == ' ') {
        advance();
    }
}

void StartState::advance() {
    if (showingInstructions == 0) {
        showingInstructions = 1;
        sprite.setTexture("./img/instructions.jpg");
    } else {
        switchState(&liveMode);
    }
}
