#include "app/FrameClock.h"
#include "app/Globals.h"
#include "app/Shell.h"
#include "tests/support/GlWindow.h"

#include <GL/freeglut.h>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

// A thousand battles in a row in one process, each played to a loss through
// the keyboard and restarted with Enter, as a player who never quits would.
// Resident memory must stay where it was after the first battles; in the
// sanitizer build LeakSanitizer checks at exit that nothing was lost.
//
// The count can be lowered for a quick look: VORBLEX_LONGPLAY_BATTLES=50.

namespace {

constexpr unsigned char enterKey = 13;

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer keeps freed blocks in quarantine, so resident memory says
// nothing there; its leak check at exit does the job instead.
constexpr bool residentMemoryMeaningful = false;
#else
constexpr bool residentMemoryMeaningful = true;
#endif

long residentKiB() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void send(const std::string& text) {
    for (char c : text) {
        onKeyboard(static_cast<unsigned char>(c), 0, 0);
    }
    onKeyboard(enterKey, 0, 0);
}

// Game time in 30 ms frames, drawing about one frame a second: drawing is
// what touches the textures and display lists, updating is what runs the
// animations, and software rendering is slow enough to dominate the run.
void play(float seconds) {
    int frame = 0;
    for (float t = 0; t < seconds; t += 0.03f, ++frame) {
        frameDelta = 0.03f;
        currentState->update();
        if (frame % 30 == 0) {
            onDisplay();
        }
    }
    glFinish();
}

// One battle from its first frame: blue's strong insult sets the threshold
// at 6, red's answer of strength 5 falls short, red topples and the banner
// lands; Enter starts the next battle.
void playOneBattle() {
    play(0.5f);
    send("eighters");
    play(3.0f);
    send("fiver");
    ASSERT_FALSE(liveMode.inPlay) << "red should have lost";
    play(4.5f);
    ASSERT_FALSE(liveMode.loseBanner.hidden);
    ASSERT_EQ(liveMode.loseBanner.y, 0) << "the banner has not landed";
    send("");
    ASSERT_TRUE(liveMode.inPlay) << "Enter did not start a new battle";
}

int battleCount() {
    const char* wanted = std::getenv("VORBLEX_LONGPLAY_BATTLES");
    const int n = wanted ? std::atoi(wanted) : 1000;
    return n > 10 ? n : 10;
}

TEST(LongPlay, ThousandBattlesInARowKeepResidentMemoryFlat) {
    testgl::ensureWindow();
    // Every drawing path runs as in the game, on fewer pixels: filling a full
    // window in software would take most of the run.
    glutReshapeWindow(200, 150);
    testgl::pumpEvents();
    camera.reshape(200, 150);
    currentState = nullptr;
    switchState(&liveMode);

    const int battles = battleCount();
    long afterFirst = 0, afterTenth = 0;
    for (int b = 1; b <= battles; ++b) {
        playOneBattle();
        if (::testing::Test::HasFatalFailure()) {
            FAIL() << "battle " << b << " went wrong";
        }
        testgl::pumpEvents(1);
        if (b == 1) {
            afterFirst = residentKiB();
        } else if (b == 10) {
            afterTenth = residentKiB();
        }
        if (b == 1 || b == 10 || b % 100 == 0) {
            std::printf("after battle %4d: resident %ld KiB\n", b, residentKiB());
            std::fflush(stdout);
        }
    }
    const long atEnd = residentKiB();
    std::printf("resident memory: %ld KiB after the first battle, %ld KiB after the tenth, "
                "%ld KiB after %d (%+ld KiB since the tenth, %+.2f KiB per battle)\n",
                afterFirst, afterTenth, atEnd, battles, atEnd - afterTenth,
                static_cast<double>(atEnd - afterTenth) / (battles - 10));
    liveMode.leave(nullptr);
    currentState = nullptr;
    glutReshapeWindow(800, 600);
    testgl::pumpEvents();
    camera.reshape(800, 600);

    if (residentMemoryMeaningful) {
        // The allocator settles over the first few battles; after that a
        // leak of even one kilobyte per battle would show as a megabyte.
        EXPECT_LT(atEnd - afterTenth, 1024) << "resident memory grows battle after battle";
    }
}

} // namespace
