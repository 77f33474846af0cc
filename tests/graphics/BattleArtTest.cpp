#include "graphics/TextSprite.h"
#include "tests/graphics/GlyphReference.h"
#include "tests/support/GlWindow.h"

#include "app/Camera.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// The battle's pictures must frame the text the battle writes over them, where
// it writes it (placed as LiveMode::enter places it).
namespace {

constexpr int windowWidth = 800, windowHeight = 600;

struct Box {
    int left = windowWidth, bottom = windowHeight, right = -1, top = -1; // pixels, inclusive
    bool empty() const { return right < left; }
};

const unsigned char* at(const std::vector<unsigned char>& rgba, int column, int row) {
    return &rgba[(static_cast<size_t>(row) * windowWidth + column) * 4];
}

class BattleArtTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        testgl::ensureWindow();
        font = std::make_unique<Font>(gameFont, 31);
    }
    static void TearDownTestSuite() { font.reset(); }
    void SetUp() override {
        testgl::ensureWindow();
        ASSERT_EQ(camera.width, windowWidth);
        ASSERT_EQ(camera.height, windowHeight);
    }

    static std::unique_ptr<Font> font;
};

std::unique_ptr<Font> BattleArtTest::font;

TEST_F(BattleArtTest, ThresholdNumberHasPaperAllRound) {
    // Window pixels of the box's fill on every side of the digits' ink.
    constexpr int margin = 7;
    for (const char* picture :
         {"./img/interface-blue.png", "./img/interface-red.png", "./img/interface-red-won.png"}) {
        Sprite panel;
        panel.setTexture(picture);
        panel.scaleX = panel.scaleY = panel.scaleZ = 800;
        TextSprite number(font.get());
        number.scaleX = number.scaleY = number.scaleZ = 35;
        number.x = 115;
        number.y = -123;
        number.red = number.green = number.blue = 0;
        testgl::clear(0, 0, 0);
        panel.draw();
        const std::vector<unsigned char> plain = testgl::windowPixels();
        for (const char* shown : {"0", "9", "88"}) {
            testgl::clear(0, 0, 0);
            panel.draw();
            number.setText("%s", shown);
            number.draw();
            const std::vector<unsigned char> written = testgl::windowPixels();
            Box ink;
            for (int row = 0; row < windowHeight; ++row) {
                for (int column = 0; column < windowWidth; ++column) {
                    const unsigned char* a = at(plain, column, row);
                    const unsigned char* b = at(written, column, row);
                    if (std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) >
                        60) {
                        ink.left = std::min(ink.left, column);
                        ink.right = std::max(ink.right, column);
                        ink.bottom = std::min(ink.bottom, row);
                        ink.top = std::max(ink.top, row);
                    }
                }
            }
            ASSERT_FALSE(ink.empty()) << picture << ": no ink for " << shown;
            const unsigned char* fill =
                at(plain, (ink.left + ink.right) / 2, (ink.bottom + ink.top) / 2);
            int strays = 0;
            for (int row = ink.bottom - margin; row <= ink.top + margin; ++row) {
                for (int column = ink.left - margin; column <= ink.right + margin; ++column) {
                    const unsigned char* p = at(plain, column, row);
                    if (std::abs(p[0] - fill[0]) > 6 || std::abs(p[1] - fill[1]) > 6 ||
                        std::abs(p[2] - fill[2]) > 6) {
                        ++strays;
                    }
                }
            }
            EXPECT_EQ(strays, 0) << picture << ": \"" << shown << "\" inked columns " << ink.left
                                 << ".." << ink.right << ", rows " << ink.bottom << ".." << ink.top
                                 << " (from the bottom) lack " << margin << " pixels of fill";
            // The number grows from a fixed start, so one and two digits are
            // both a little off the window's middle, never far.
            const int row = (ink.bottom + ink.top) / 2;
            int leftRoom = 0, rightRoom = 0;
            while (std::abs(at(plain, ink.left - leftRoom - 1, row)[2] - fill[2]) <= 6) {
                ++leftRoom;
            }
            while (std::abs(at(plain, ink.right + rightRoom + 1, row)[2] - fill[2]) <= 6) {
                ++rightRoom;
            }
            EXPECT_LE(std::abs(leftRoom - rightRoom), 12)
                << picture << ": \"" << shown << "\" has " << leftRoom << " pixels of paper left, "
                << rightRoom << " right";
        }
    }
}

TEST_F(BattleArtTest, BubbleBodyHoldsTheTextMirroredOrNot) {
    // Where the rows may reach: from a little left of their start at x -180
    // to x 246, from the first row's ascenders to the third row's descenders.
    constexpr int left = -186, right = 246, bottom = 147, top = 236;
    for (float width : {500.0f, -500.0f}) {
        Sprite bubble;
        bubble.setTexture("./img/speech.png");
        bubble.scaleX = width;
        bubble.scaleY = 150;
        bubble.y = 200;
        // Pure green shows through wherever the picture is transparent.
        testgl::clear(0, 1, 0);
        bubble.draw();
        const std::vector<unsigned char> shown = testgl::windowPixels();
        int outside = 0;
        std::string first;
        for (int y = bottom; y < top; ++y) {
            for (int x = left; x < right; ++x) {
                const unsigned char* p = at(shown, x + windowWidth / 2, y + windowHeight / 2);
                // The body's fill is near white; outline and background are not.
                if (std::min({p[0], p[1], p[2]}) < 200) {
                    if (outside++ == 0) {
                        first = std::to_string(x) + ", " + std::to_string(y);
                    }
                }
            }
        }
        EXPECT_EQ(outside, 0) << "width " << width << ": " << outside
                              << " pixels of the text area are not the body's fill, first at "
                              << first;
    }
}

} // namespace
