#include "battle/LiveMode.h"

#include "app/Camera.h"
#include "app/FrameClock.h"
#include "app/Globals.h"
#include "battle/BubbleText.h"

#include <chrono>
#include <string>

namespace {

using Blend = BlendInterval<Sprite, float>;
using TextureStep = Func1<Sprite, const char*>;

constexpr int buttonReleased = 1;
constexpr unsigned char keyBackspace = 8;
constexpr unsigned char keyEnter = 13;
constexpr unsigned char keyDelete = 127;
constexpr int keyF2 = 2;      // GLUT_KEY_F2
constexpr int keyLeft = 100;  // GLUT_KEY_LEFT
constexpr int keyRight = 102; // GLUT_KEY_RIGHT

// Blue's bubble shows this long before the computer starts to think, and
// its line waits this long in the entry line before it is sent.
constexpr float computerLooks = 1.0f;
constexpr float computerChecks = 0.35f;
// The window of the match score on the panel: its middle, and the baseline.
constexpr float scoreMiddle = 291, scoreBaseline = -178;

// The send button on the panel, in virtual units; the borders do not count.
constexpr float sendLeft = 262, sendRight = 366, sendBottom = -270, sendTop = -236;
// The white entry box on the panel, inside its border: typed text never
// leaves it.
constexpr float entryLeft = -356, entryRight = 246;

bool typeable(unsigned char key) {
    return (key >= 'a' && key <= 'z') || (key >= 'A' && key <= 'Z') || key == ' ';
}

// Full-view pictures are 800 x 800 squares centred on the view.
void fullView(Sprite& sprite) { sprite.scaleX = sprite.scaleY = sprite.scaleZ = 800; }

// The robot's flicker while it talks: its lit picture for 0.1 s, its plain
// picture for 0.15 s, as many times as the owner asks.
Sequence* talkAnimation(Sprite& robot, const char* lit, const char* plain) {
    return new Sequence(new TextureStep(&robot, &Sprite::changeTexture, lit), new Interval(0.1f, 1),
                        new TextureStep(&robot, &Sprite::changeTexture, plain),
                        new Interval(0.15f, 1), nullptr);
}

// The loser tips over, then the banner drops in from above and straightens;
// only then may the next battle start.
Sequence* lossAnimation(Sprite& loser, float fallAngle, Sprite& banner, LiveMode* battle) {
    return new Sequence(
        new Blend(&loser, &Sprite::setAngle, 0.66f, 0.0f, fallAngle, nullptr),
        new Parallel(new Blend(&banner, &Sprite::setY, 0.5f, 800.0f, 0.0f, nullptr),
                     new Blend(&banner, &Sprite::setAngle, 0.5f, -60.0f, 0.0f, nullptr), nullptr),
        new Func<LiveMode>(battle, &LiveMode::bannerLanded), nullptr);
}

// The hint shows at once, stays a moment and fades.
Sequence* hintAnimation(Sprite& hint) {
    return new Sequence(new Interval(1.4f, 1),
                        new Blend(&hint, &Sprite::setAlpha, 0.6f, 1.0f, 0.0f, nullptr), nullptr);
}

} // namespace

LiveMode::LiveMode(const char* stateName)
    : State(stateName),
      computer(static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count())) {
}

void LiveMode::startMusic(bool playing) {
    sounds.init();
    sounds.load("./sounds/bg.mp3", "bg");
    sounds.play("bg");
    sounds.setPaused("bg", !playing);
}

bool LiveMode::enter(State*) {
    insultDatabase.resetUsed();
    inPlay = true;
    canRestart = false;
    lineSent = false;
    computerStep = ComputerStep::idle;

    background = Sprite();
    fullView(background);
    background.texture = getTexture("./img/bg.jpg");

    loseBanner = Sprite();
    fullView(loseBanner);
    loseBanner.hidden = true;

    blueToMove = true;

    redRobot = Sprite();
    redRobot.texture = getTexture("./img/robot-red.png");
    redRobot.x = -325;
    redRobot.y = -175;
    fullView(redRobot);
    redTalk = talkAnimation(redRobot, "./img/robot-red-on.png", "./img/robot-red.png");

    blueRobot = Sprite();
    blueRobot.texture = getTexture("./img/robot-blue.png");
    blueRobot.x = 325;
    blueRobot.y = -175;
    fullView(blueRobot);
    blueTalk = talkAnimation(blueRobot, "./img/robot-blue-on.png", "./img/robot-blue.png");

    panel = Sprite();
    fullView(panel);
    panel.texture = getTexture("./img/interface-blue.png");

    font = new Font("./AGENCYR.TTF", 31);

    inputField = new TextField(font);
    inputField->scaleX = inputField->scaleY = inputField->scaleZ = 22;
    inputField->x = -350;
    inputField->y = -263;
    inputField->red = inputField->green = inputField->blue = 0;
    inputField->alpha = 1;
    inputField->clipLeft = entryLeft;
    inputField->clipRight = entryRight;

    threshold = 0;
    thresholdText = new TextSprite(font);
    thresholdText->scaleX = thresholdText->scaleY = thresholdText->scaleZ = 35;
    thresholdText->x = 115;
    thresholdText->y = -123;
    thresholdText->red = thresholdText->green = thresholdText->blue = 0;
    thresholdText->alpha = 1;
    thresholdText->setText("%d", threshold);

    // Robots slide in from beyond the edges while the panel rises into place.
    scoreText = new TextSprite(font);
    scoreText->red = scoreText->green = scoreText->blue = 0;
    scoreText->alpha = 1;
    scoreText->scaleX = scoreText->scaleY = scoreText->scaleZ = 22;
    showScore();

    introAnim = new Parallel(
        new Blend(&panel, &Sprite::setY, 0.2f, -200.0f, 0.0f, nullptr),
        new Blend(inputField, &Sprite::setY, 0.2f, -463.0f, -263.0f, nullptr),
        new Blend(thresholdText, &Sprite::setY, 0.2f, -323.0f, -123.0f, nullptr),
        new Blend(&redRobot, &Sprite::setX, 0.4f, -625.0f, -325.0f, nullptr),
        new Blend(&blueRobot, &Sprite::setX, 0.4f, 625.0f, 325.0f, nullptr),
        new Blend(scoreText, &Sprite::setY, 0.2f, scoreText->y - 200, scoreText->y, nullptr),
        nullptr);
    introAnim->start();

    speechBubble = Sprite();
    speechBubble.texture = getTexture("./img/speech.png");
    speechBubble.scaleX = 500;
    speechBubble.scaleY = 150;
    speechBubble.scaleZ = 1;
    speechBubble.x = 0;
    speechBubble.y = 200;
    speechBubble.alpha = 0;

    speechText = new TextSprite(font);
    speechText->red = speechText->green = speechText->blue = 0;
    speechText->scaleX = speechText->scaleY = speechText->scaleZ = 20;
    speechText->x = -180;
    speechText->y = 250;
    speechText->alpha = 0;

    // In the panel's own yellow, beside the caption over the entry line.
    hintText = new TextSprite(font);
    hintText->red = 1.0f;
    hintText->green = 0.88f;
    hintText->blue = 0.54f;
    hintText->alpha = 0;
    hintText->scaleX = hintText->scaleY = hintText->scaleZ = 15;
    hintText->x = -195;
    hintText->y = -202;
    hintAnim = nullptr;

    speechAnim = nullptr;
    voice = nullptr;
    voice = createSpeechVoice();
    return true;
}

bool LiveMode::leave(State*) {
    delete font;
    delete inputField;
    delete thresholdText;
    delete speechText;
    delete hintText;
    delete scoreText;
    computerStep = ComputerStep::idle;
    font = nullptr;
    inputField = nullptr;
    thresholdText = nullptr;
    speechText = nullptr;
    hintText = nullptr;
    scoreText = nullptr;

    delete introAnim;
    delete blueTalk;
    delete redTalk;
    delete speechAnim;
    delete hintAnim;
    introAnim = nullptr;
    blueTalk = nullptr;
    redTalk = nullptr;
    speechAnim = nullptr;
    hintAnim = nullptr;

    releaseSpeechVoice(voice);
    return true;
}

void LiveMode::draw() {
    background.draw();
    redRobot.draw();
    blueRobot.draw();
    speechBubble.draw();
    speechText->draw();
    panel.draw();
    scoreText->draw();
    inputField->draw();
    hintText->draw();
    thresholdText->draw();
    loseBanner.draw();
}

void LiveMode::update() {
    bool moved = introAnim->update(frameDelta);
    moved = blueTalk->update(frameDelta) || moved;
    moved = redTalk->update(frameDelta) || moved;
    if (speechAnim) {
        moved = speechAnim->update(frameDelta) || moved;
    }
    if (hintAnim) {
        moved = hintAnim->update(frameDelta) || moved;
    }
    playComputer();
    moving = moved || computerStep != ComputerStep::idle;
}

void LiveMode::mouse(int, int state, int x, int y) {
    if (state != buttonReleased) {
        return;
    }
    if (!inPlay) {
        if (canRestart) {
            switchState(this); // a new battle
        }
        return;
    }
    if (computersTurn()) {
        return;
    }
    float vx = 0, vy = 0;
    windowToVirtual(x, y, vx, vy);
    if (vx > sendLeft && vx < sendRight && vy > sendBottom && vy < sendTop) {
        sayInsult();
    }
}

void LiveMode::keyboard(unsigned char key, int, int) {
    if (!inPlay) {
        if (key == keyEnter && canRestart) {
            switchState(this);
        }
        return;
    }
    if (computersTurn()) {
        return;
    }
    if (typeable(key)) {
        clearSentLine();
        inputField->insertChar(static_cast<char>(key));
    } else if (key == keyBackspace) {
        clearSentLine();
        inputField->backspace();
    } else if (key == keyDelete) {
        clearSentLine();
        inputField->deleteChar();
    } else if (key == keyEnter) {
        sayInsult();
    } else if (key >= ' ' && key < keyDelete) {
        hint("letters and spaces only");
    }
}

void LiveMode::special(int key, int, int) {
    if (key == keyF2) {
        // Back to the choice of who plays red.
        startState.showChoice();
        switchState(&startState);
        return;
    }
    if (computersTurn()) {
        return;
    }
    if (key == keyLeft) {
        inputField->cursorLeft();
    } else if (key == keyRight) {
        inputField->cursorRight();
    }
}

void LiveMode::clearSentLine() {
    if (lineSent) {
        lineSent = false;
        inputField->clear();
    }
}

void LiveMode::bannerLanded() { canRestart = true; }

void LiveMode::newMatch(Opponent who, ComputerLevel level) {
    opponent = who;
    computerLevel = level;
    blueWins = redWins = 0;
}

bool LiveMode::computersTurn() const {
    return opponent == Opponent::computer && inPlay && !blueToMove;
}

void LiveMode::playComputer() {
    if (computerStep == ComputerStep::idle) {
        return;
    }
    computerWait -= frameDelta;
    while (computerWait <= 0 && computerStep != ComputerStep::idle) {
        switch (computerStep) {
        case ComputerStep::thinking:
            computerLine = computer.chooseLine(insultDatabase, computerLevel, threshold);
            if (computerLine.empty()) {
                computerLine = "you are rusty"; // a list with nothing left to aim at
            }
            computerTyped = 0;
            computerStep = ComputerStep::typing;
            computerWait += computer.keyTime();
            break;
        case ComputerStep::typing:
            // The same keys a player's fingers would press.
            clearSentLine();
            inputField->insertChar(computerLine[computerTyped++]);
            if (computerTyped == computerLine.size()) {
                computerStep = ComputerStep::sending;
                computerWait += computerChecks;
            } else {
                computerWait += computer.keyTime();
            }
            break;
        case ComputerStep::sending:
            computerStep = ComputerStep::idle;
            sayInsult();
            break;
        case ComputerStep::idle:
            break;
        }
    }
}

void LiveMode::showScore() {
    scoreText->setText("%d : %d", static_cast<int>(blueWins), static_cast<int>(redWins));
    const float width = font->penAdvance(scoreText->lines[0].c_str());
    // Text is drawn from its origin, its first baseline a line below it.
    scoreText->x = scoreMiddle - width * scoreText->scaleX / font->height / 2;
    scoreText->y = scoreBaseline + scoreText->lineSpacing * scoreText->scaleY;
}

void LiveMode::hint(const char* text) {
    hintText->setText("%s", text);
    hintText->alpha = 1;
    delete hintAnim;
    hintAnim = hintAnimation(*hintText);
    hintAnim->start();
}

void LiveMode::sayInsult() {
    // The line on show was sent already: a second Enter is not a turn.
    if (lineSent) {
        return;
    }
    std::string typed = inputField->text();
    if (typed.size() < 3) {
        hint("type a few words first");
        return;
    }
    lineSent = true;
    std::string reply;
    int32_t strength = 0;
    insultDatabase.matchInsult(typed, false, reply, strength);

    if (voiceOn) {
        speakText(voice, reply.c_str());
    }

    // The threshold only grows: three quarters of the strongest insult so far.
    const double raised = 0.75 * static_cast<double>(strength);
    if (raised > static_cast<double>(threshold)) {
        threshold = static_cast<int32_t>(raised);
    }
    thresholdText->setText("%d", threshold);

    // Long insults wrap at spaces to fit the bubble's width.
    const int length = bubbleLength(reply);
    speechText->setText("%s\n(strength %d)", bubbleRows(reply).c_str(), strength);

    // The bubble's tail points at whoever speaks.
    speechBubble.scaleX = -speechBubble.scaleX;

    // Fade in, hold long enough to read, fade out, then clear the entry line.
    delete speechAnim;
    const float hold = static_cast<float>(1.0 + length / 15.0);
    speechAnim = new Sequence(
        new Parallel(new Blend(speechText, &Sprite::setAlpha, 0.5f, 0.0f, 1.0f, nullptr),
                     new Blend(&speechBubble, &Sprite::setAlpha, 0.5f, 0.0f, 1.0f, nullptr),
                     nullptr),
        new Interval(hold, 1),
        new Parallel(new Blend(speechText, &Sprite::setAlpha, 0.5f, 1.0f, 0.0f, nullptr),
                     new Blend(&speechBubble, &Sprite::setAlpha, 0.5f, 1.0f, 0.0f, nullptr),
                     nullptr),
        new Func<LiveMode>(this, &LiveMode::clearSentLine), nullptr);
    speechAnim->start();

    // The speaker flickers while it talks, and the panel shows who is next.
    Sequence* talk = blueToMove ? blueTalk : redTalk;
    talk->start();
    talk->repeats = length / 4 + 3;
    panel.setTexture(blueToMove ? "./img/interface-red.png" : "./img/interface-blue.png");

    if (strength < threshold) {
        // Too weak: the speaker topples over once it has spoken, and the
        // banner drops in. Blue falls to the right, red to the left.
        inPlay = false;
        loseBanner.setTexture(blueToMove ? "./img/lose-blue.png" : "./img/lose-red.png");
        loseBanner.y = 800;
        loseBanner.hidden = false;
        speechAnim->append(blueToMove ? lossAnimation(blueRobot, 100.0f, loseBanner, this)
                                      : lossAnimation(redRobot, -100.0f, loseBanner, this));
        if (blueToMove) {
            ++redWins;
        } else {
            ++blueWins;
        }
        showScore();
        // The panel names the winner, and nothing more can be typed.
        panel.setTexture(blueToMove ? "./img/interface-red-won.png"
                                    : "./img/interface-blue-won.png");
        inputField->cursorSprite.hidden = true;
    }
    blueToMove = !blueToMove;
    if (computersTurn()) {
        computerStep = ComputerStep::thinking;
        computerWait = computerLooks + computer.thinkingTime();
    }
}
