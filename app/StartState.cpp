#include "app/StartState.h"

#include "app/Camera.h"
#include "app/Controls.h"
#include "app/Globals.h"

namespace {
constexpr int leftButton = 0;
constexpr int buttonReleased = 1;
constexpr unsigned char keyEnter = 13;
constexpr int keyLeft = 100, keyUp = 101, keyRight = 102, keyDown = 103; // GLUT's codes

// The instructions picture for each choice, the chosen button lit.
const char* const choicePictures[] = {"./img/instructions.jpg", "./img/instructions-easy.jpg",
                                      "./img/instructions-normal.jpg",
                                      "./img/instructions-hard.jpg"};
constexpr int32_t choices = 4;

// The buttons of the choice, as the picture draws them (assets/art/draw.py),
// in virtual units: left, bottom, right, top.
struct Box {
    float left, bottom, right, top;
};
constexpr Box choiceButtons[choices] = {
    {-316, -210, -116, -166}, {-84, -210, 40, -166}, {52, -210, 176, -166}, {188, -210, 312, -166}};
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
    if (openAtChoice) {
        openAtChoice = false;
        showingInstructions = 1;
        sprite.texture = getTexture(choicePictures[choice]);
    } else {
        showingInstructions = 0;
        sprite.texture = getTexture("./img/splash.jpg");
    }
    return true;
}

void StartState::draw() { sprite.draw(); }

void StartState::mouse(int button, int state, int x, int y) {
    if (button != leftButton || state != buttonReleased) {
        return;
    }
    if (showingInstructions != 0) {
        // A click on a button plays that game; anywhere else, the one lit.
        float vx = 0, vy = 0;
        windowToVirtual(x, y, vx, vy);
        for (int32_t i = 0; i < choices; ++i) {
            const Box& b = choiceButtons[i];
            if (vx > b.left && vx < b.right && vy > b.bottom && vy < b.top) {
                choice = i;
            }
        }
    }
    advance();
}

void StartState::keyboard(unsigned char key, int, int) {
    if (key == keyEnter || key == ' ') {
        advance();
    } else if (showingInstructions != 0 && key >= '1' && key < '1' + choices) {
        choose(key - '1');
    }
}

void StartState::special(int key, int, int) {
    if (showingInstructions == 0) {
        return;
    }
    if (key == keyLeft || key == keyUp) {
        choose(choice - 1);
    } else if (key == keyRight || key == keyDown) {
        choose(choice + 1);
    }
}

void StartState::choose(int32_t which) {
    if (which >= 0 && which < choices) {
        choice = which;
        sprite.setTexture(choicePictures[choice]);
    }
}

void StartState::advance() {
    if (showingInstructions == 0) {
        showingInstructions = 1;
        sprite.setTexture(choicePictures[choice]);
        return;
    }
    // Every choice made here starts a new match, its score at 0 : 0.
    const ComputerLevel levels[] = {ComputerLevel::normal, ComputerLevel::easy,
                                    ComputerLevel::normal, ComputerLevel::hard};
    liveMode.newMatch(choice == 0 ? Opponent::player : Opponent::computer, levels[choice]);
    gameChosen(choice);
    switchState(&liveMode);
}
