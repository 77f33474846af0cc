// What a battle frame costs next to the least that any frame showing the same
// picture could cost. Both run in one window, in alternating blocks:
//
//   battle  the game's own frame on the battle screen after the intro, with an
//           insult in the speech bubble and a typed line in the entry field:
//           onIdle() then onDisplay(), then glFinish() so that the renderer's
//           work is counted too.
//   floor   no game logic at all: the same pictures at the same places, sizes,
//           tints and blend state as plain textured quads, and the same glyphs
//           through the same font's display lists; cleared, swapped and
//           finished the same way.
//
// Run it from the staged run directory (the insult list is read from there
// before main() starts), under an X server, with a silent audio driver:
//
//   cd build/run && SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x1024x24"
//     ../bench/frame_bench [--rounds N (20)] [--frames N per block (100)]

#include "app/Camera.h"
#include "app/Globals.h"
#include "app/Shell.h"
#include "app/State.h"
#include "graphics/Font.h"
#include "graphics/Sprite.h"
#include "graphics/TextSprite.h"

#include <GL/freeglut.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// About thirty characters, all of them typeable in the entry field.
const char* const typedInsult = "you fight like a rusty toaster";

// One picture of the scene, as the floor draws it: a textured quad with its
// corners already in the battle's virtual space.
struct Picture {
    GLuint texture = 0;
    bool textured = false;
    float colour[4] = {1, 1, 1, 1};
    float corner[4][2] = {};
};

// One text of the scene: its lines set with the font's lists, one line unit
// being scale virtual units. A caret, if any, follows the last line's glyphs.
struct Text {
    float x = 0, y = 0, scale = 1;
    float colour[4] = {0, 0, 0, 1};
    std::vector<std::string> lines;
    // The field's single line stands on the origin; a text sprite's first
    // line is one line spacing below it.
    float firstDrop = 0;
    float lineSpacing = 0;
    bool caret = false;
    Picture caretPicture;
};

// The scene in the order the battle draws it.
struct Item {
    bool isText = false;
    Picture picture;
    Text text;
};

struct FloorScene {
    std::vector<Item> items;
    unsigned listBase = 0;
    float glyphPixels = 1;
    int glyphQuads = 0;
};

Picture pictureOf(const Sprite& sprite) {
    Picture picture;
    if (sprite.texture && sprite.texture->glName != -1) {
        picture.texture = static_cast<GLuint>(sprite.texture->glName);
        picture.textured = true;
    }
    picture.colour[0] = sprite.red;
    picture.colour[1] = sprite.green;
    picture.colour[2] = sprite.blue;
    picture.colour[3] = sprite.alpha;
    const float radians = sprite.angle * 3.14159265f / 180.0f;
    const float c = std::cos(radians), s = std::sin(radians);
    // The sprite's unit quad, counter-clockwise from the bottom left.
    const float unit[4][2] = {{-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}};
    for (int k = 0; k < 4; ++k) {
        const float u = sprite.offsetX + unit[k][0] * sprite.scaleX;
        const float v = sprite.offsetY + unit[k][1] * sprite.scaleY;
        picture.corner[k][0] = sprite.x + c * u - s * v;
        picture.corner[k][1] = sprite.y + s * u + c * v;
    }
    return picture;
}

Text textOf(const TextSprite& sprite) {
    Text text;
    text.x = sprite.x;
    text.y = sprite.y;
    text.scale = sprite.scaleX;
    text.colour[0] = sprite.red;
    text.colour[1] = sprite.green;
    text.colour[2] = sprite.blue;
    text.colour[3] = sprite.alpha;
    text.lines = sprite.lines;
    text.lineSpacing = sprite.lineSpacing;
    text.firstDrop = sprite.lineSpacing;
    return text;
}

void addPicture(FloorScene& scene, const Sprite& sprite) {
    if (sprite.hidden) {
        return;
    }
    Item item;
    item.picture = pictureOf(sprite);
    scene.items.push_back(item);
}

void addText(FloorScene& scene, const Text& text) {
    Item item;
    item.isText = true;
    item.text = text;
    for (const std::string& line : text.lines) {
        scene.glyphQuads += static_cast<int>(line.size());
    }
    scene.items.push_back(item);
}

// Reads what the battle screen shows right now, in its drawing order.
FloorScene captureBattle() {
    FloorScene scene;
    scene.listBase = liveMode.font->listBase;
    scene.glyphPixels = static_cast<float>(static_cast<int>(liveMode.font->height));
    addPicture(scene, liveMode.background);
    addPicture(scene, liveMode.redRobot);
    addPicture(scene, liveMode.blueRobot);
    addPicture(scene, liveMode.speechBubble);
    addText(scene, textOf(*liveMode.speechText));
    addPicture(scene, liveMode.panel);

    // The field: its line on the origin, the caret one line unit square, two
    // glyph pixels past the pen and a third of a line up. The benchmark types
    // at the end of the line, so the caret comes after every glyph.
    TextField& field = *liveMode.inputField;
    Text fieldText = textOf(field);
    fieldText.firstDrop = 0;
    fieldText.lines = {field.text()};
    fieldText.caret = true;
    Sprite caret = field.cursorSprite;
    const float h = scene.glyphPixels;
    caret.x = 2.0f;
    caret.y = static_cast<float>(static_cast<int>(h) / 3);
    caret.scaleX = caret.scaleY = h;
    fieldText.caretPicture = pictureOf(caret);
    addText(scene, fieldText);

    addText(scene, textOf(*liveMode.thresholdText));
    addPicture(scene, liveMode.loseBanner);
    return scene;
}

void drawPicture(const Picture& picture) {
    if (picture.textured) {
        glBindTexture(GL_TEXTURE_2D, picture.texture);
    }
    glColor4fv(picture.colour);
    // Texture row 0 goes along the top edge, as on the game's quads.
    static const float texCoord[4][2] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
    glBegin(GL_QUADS);
    for (int k = 0; k < 4; ++k) {
        glTexCoord2fv(texCoord[k]);
        glVertex2fv(picture.corner[k]);
    }
    glEnd();
}

void drawText(const Text& text, float glyphPixels) {
    glColor4fv(text.colour);
    glPushMatrix();
    glTranslatef(text.x, text.y, 0);
    const float unit = text.scale / glyphPixels;
    glScalef(unit, unit, unit);
    float baseline = -text.firstDrop * glyphPixels;
    for (const std::string& line : text.lines) {
        glPushMatrix();
        glTranslatef(0, baseline, 0);
        glCallLists(static_cast<GLsizei>(line.size()), GL_UNSIGNED_BYTE, line.data());
        if (text.caret) {
            // The lists moved the pen to the end of the line.
            drawPicture(text.caretPicture);
            glColor4fv(text.colour);
        }
        glPopMatrix();
        baseline -= text.lineSpacing * glyphPixels;
    }
    glPopMatrix();
}

// Draws the scene with the battle's blend state and nothing else.
void drawFloor(const FloorScene& scene) {
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glListBase(scene.listBase);
    for (const Item& item : scene.items) {
        if (item.isText) {
            drawText(item.text, scene.glyphPixels);
        } else {
            drawPicture(item.picture);
        }
    }
}

void floorFrame(const FloorScene& scene) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    drawFloor(scene);
    glPopMatrix();
    glutSwapBuffers();
    glFinish();
}

void battleFrame() {
    onIdle();
    onDisplay();
    glFinish();
}

// The GL state that the sprites' memos describe, so that the battle's first
// frame after a floor block draws exactly as it would in the game.
void resetSpriteState() {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, 0);
    boundTexture = -1;
    blendApplied = false;
}

double seconds(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

double timeBattle(int frames) {
    resetSpriteState();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        battleFrame();
    }
    return seconds(start);
}

double timeFloor(const FloorScene& scene, int frames) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        floorFrame(scene);
    }
    const double elapsed = seconds(start);
    glutMainLoopEvent();
    return elapsed;
}

std::vector<unsigned char> readBackBuffer() {
    glFinish();
    std::vector<unsigned char> pixels(800 * 600 * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Share of pixels on which the floor's picture and the battle's differ by
// more than a few levels in some channel: the floor is only a fair floor if
// it draws the same picture.
double differingShare(const FloorScene& scene) {
    resetSpriteState();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    liveMode.draw();
    glPopMatrix();
    const std::vector<unsigned char> battle = readBackBuffer();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    drawFloor(scene);
    glPopMatrix();
    const std::vector<unsigned char> bare = readBackBuffer();
    std::size_t differing = 0;
    for (std::size_t p = 0; p < battle.size(); p += 4) {
        for (std::size_t c = 0; c < 3; ++c) {
            if (std::abs(static_cast<int>(battle[p + c]) - static_cast<int>(bare[p + c])) > 8) {
                ++differing;
                break;
            }
        }
    }
    return static_cast<double>(differing) / static_cast<double>(battle.size() / 4);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The refresh rate that every block of both sides sits on, or 0 when the
// figures are free. Waiting for the vertical blank pins each block to the
// rate; a busy machine only makes the figures scatter.
int cappedAt(const std::vector<double>& battleFps, const std::vector<double>& floorFps) {
    const int rates[] = {24, 30, 50, 60, 72, 75, 85, 90, 100, 120, 144, 165, 240};
    for (int rate : rates) {
        const auto near = [rate](double fps) { return std::fabs(fps - rate) < 0.03 * rate; };
        if (std::all_of(battleFps.begin(), battleFps.end(), near) &&
            std::all_of(floorFps.begin(), floorFps.end(), near)) {
            return rate;
        }
    }
    return 0;
}

int argumentAfter(int argc, char** argv, const char* name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) {
            return std::max(1, std::atoi(argv[i + 1]));
        }
    }
    return fallback;
}

void openWindow(int& argc, char** argv) {
    // Presenting must not wait for the vertical blank, or both sides would
    // show the refresh rate instead of their cost.
    setenv("vblank_mode", "0", 1);
    setenv("__GL_SYNC_TO_VBLANK", "0", 1);
    openGameWindow(argc, argv, "Vorblex frame bench");
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);

    useGameCamera();
    glutReshapeFunc(onReshape);
    // Frames are driven by hand; events pumped between blocks draw nothing.
    glutDisplayFunc([] {});

    setFixedGlState();
    for (int i = 0; i < 10; ++i) {
        glutMainLoopEvent();
    }
    camera.reshape(800, 600);
}

// Runs battle frames until done() holds; false if that took implausibly long.
template <typename Done>
bool runBattleUntil(Done done) {
    for (int i = 0; i < 100000; ++i) {
        if (done()) {
            return true;
        }
        battleFrame();
    }
    return done();
}

} // namespace

// A player who leans on the keyboard: a typed line of 100,000 characters,
// mostly words of no insult, then Enter. Times the frames that draw such a
// line and the frame in which Enter answers it, next to the ordinary frame.
void longLine(int frames, double ordinaryMs) {
    liveMode.inputField->clear();
    unsigned seed = 4;
    std::string line;
    while (line.size() < 100000) {
        seed = seed * 1103515245u + 12345u;
        const int letters = 2 + static_cast<int>((seed >> 16) % 8);
        for (int i = 0; i < letters; ++i) {
            seed = seed * 1103515245u + 12345u;
            line += static_cast<char>('a' + (seed >> 16) % 26);
        }
        line += ' ';
    }
    line.resize(100000 - 5);
    line += " rust";
    for (char c : line) {
        onKeyboard(static_cast<unsigned char>(c), 0, 0);
    }
    const double drawing = 1000.0 * timeBattle(frames) / frames;

    const std::vector<std::string> before = liveMode.speechText->lines;
    const auto start = std::chrono::steady_clock::now();
    onKeyboard(13, 0, 0);
    battleFrame();
    const double answering = 1000.0 * seconds(start);
    const bool answered = liveMode.speechText->lines != before;
    std::printf(
        "100,000-character line: %.2f ms/frame while it is in the field, %.2f ms for the "
        "frame that answers Enter (ordinary frame %.2f ms; %.1f and %.1f frames' worth)%s\n",
        drawing, answering, ordinaryMs, drawing / ordinaryMs, answering / ordinaryMs,
        answered ? "" : "; no answer shown!");
}

int main(int argc, char** argv) {
    const int rounds = argumentAfter(argc, argv, "--rounds", 20);
    const int frames = argumentAfter(argc, argv, "--frames", 100);

    if (access("./img/bg.jpg", R_OK) != 0 || access("./AGENCYR.TTF", R_OK) != 0) {
        std::printf("frame_bench: run me from the staged run directory (build/run)\n");
        return 2;
    }
    if (std::getenv("DISPLAY") == nullptr) {
        std::printf("frame_bench: no X display; run me under xvfb-run\n");
        return 2;
    }
    openWindow(argc, argv);
    std::printf("renderer: %s; vblank_mode=%s\n",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                std::getenv("vblank_mode"));

    // The battle as a player sees it: intro over, an insult sent and shown in
    // the bubble, the typed line still in the field.
    switchState(&liveMode);
    if (!runBattleUntil([] { return liveMode.introAnim->finished; })) {
        std::printf("frame_bench: the battle's intro never ended\n");
        return 1;
    }
    for (const char* c = typedInsult; *c; ++c) {
        liveMode.inputField->insertChar(*c);
    }
    liveMode.sayInsult();
    if (liveMode.speechAnim == nullptr) {
        std::printf("frame_bench: the insult was not sent\n");
        return 1;
    }
    // Fade in, then hold the bubble on screen for as long as we measure, with
    // the speaker flickering all along as it does while it talks.
    if (!runBattleUntil([] { return liveMode.speechAnim->current >= 1; })) {
        std::printf("frame_bench: the speech bubble never faded in\n");
        return 1;
    }
    liveMode.speechAnim->paused = true;
    liveMode.blueTalk->repeats = -1;
    liveMode.redTalk->repeats = -1;

    const FloorScene scene = captureBattle();
    int pictures = 0;
    for (const Item& item : scene.items) {
        pictures += item.isText ? (item.text.caret ? 1 : 0) : 1;
    }
    std::printf("scene: %d pictures, %d glyph quads; field \"%s\"; bubble \"%s...\"\n", pictures,
                scene.glyphQuads, liveMode.inputField->text().c_str(),
                liveMode.speechText->lines.empty()
                    ? ""
                    : liveMode.speechText->lines[0].substr(0, 30).c_str());
    std::printf("floor and battle pictures differ on %.3f%% of pixels\n",
                100.0 * differingShare(scene));

    // One unmeasured block of each to warm caches and the renderer, then the
    // rounds: a battle block and a floor block each, the battle first in odd
    // rounds and second in even ones, so that a machine growing busier or
    // quieter during the run weighs on both alike. Each round's two blocks
    // ran side by side, so their ratio is the figure that noise moves least.
    timeBattle(frames);
    timeFloor(scene, frames);
    std::vector<double> battleFps, floorFps, ratios;
    double battleSeconds = 0, floorSeconds = 0;
    for (int round = 0; round < rounds; ++round) {
        double b = 0, f = 0;
        if (round % 2 == 0) {
            b = timeBattle(frames);
            f = timeFloor(scene, frames);
        } else {
            f = timeFloor(scene, frames);
            b = timeBattle(frames);
        }
        battleSeconds += b;
        floorSeconds += f;
        battleFps.push_back(frames / b);
        floorFps.push_back(frames / f);
        ratios.push_back(b / f);
        std::printf("round %2d: battle %.1f fps floor %.1f fps ratio %.2f\n", round + 1, frames / b,
                    frames / f, b / f);
    }

    const double total = static_cast<double>(rounds) * frames;
    std::printf("battle: %.1f fps (%.2f ms/frame) floor: %.1f fps (%.2f ms/frame) ratio %.2f\n",
                median(battleFps), 1000.0 * battleSeconds / total, median(floorFps),
                1000.0 * floorSeconds / total, median(ratios));
    std::printf("(fps: median over %d blocks of %d frames each; ms/frame: mean over all; "
                "ratio: median over the rounds of battle time / floor time, target at most 1.2; "
                "rounds ranged from %.2f to %.2f)\n",
                rounds, frames, *std::min_element(ratios.begin(), ratios.end()),
                *std::max_element(ratios.begin(), ratios.end()));
    const int rate = cappedAt(battleFps, floorFps);
    if (rate != 0) {
        std::printf("fps look capped at the %d Hz refresh: vsync is still on\n", rate);
    } else {
        std::printf("fps are not capped by vsync\n");
    }

    longLine(frames, 1000.0 * battleSeconds / total);

    liveMode.leave(nullptr);
    currentState = nullptr;
    return 0;
}
