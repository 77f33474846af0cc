#include "app/EndState.h"

#include "app/FrameClock.h"
#include "app/Globals.h"

namespace {
constexpr int leftButton = 0;
constexpr int buttonReleased = 1;
// Whole seconds on the clock that must pass before a click counts.
constexpr float clickDelay = 3;
} // namespace

bool EndState::enter(State*) {
    sprite = Sprite();
    sprite.scaleX = sprite.scaleY = sprite.scaleZ = 800;
    if (sprite.texture) {
        sprite.texture->release();
    }
    sprite.texture = getTexture("./img/end.jpg");
    enteredAt = static_cast<float>(clockSeconds);
    return true;
}

void EndState::draw() {
    sprite.draw();
    if (overlay) {
        overlay->draw();
    }
}

void EndState::mouse(int button, int state, int, int) {
    if (button != leftButton || state != buttonReleased) {
        return;
    }
    if (static_cast<float>(clockSeconds) - enteredAt > clickDelay) {
        switchState(&liveMode);
    }
}
