#include "graphics/TextSprite.h"
#include "tests/graphics/GlyphReference.h"
#include "tests/graphics/TestPictures.h"
#include "tests/support/GlWindow.h"

#include "app/Camera.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// ---- setText ----

TEST(SetTextTest, InsultAndStrengthMakeTwoLines) {
    TextSprite speech(nullptr);
    speech.setText("%s\n(strength %d)", "abc", 7);
    EXPECT_EQ(speech.lines, (Lines{"abc", "(strength 7)"}));
}

TEST(SetTextTest, NewlinesSplitButATrailingOneAddsNoLine) {
    TextSprite text(nullptr);
    text.setText("a\n\nb");
    EXPECT_EQ(text.lines, (Lines{"a", "", "b"}));
    text.setText("a\n");
    EXPECT_EQ(text.lines, (Lines{"a"}));
    text.setText("\n");
    EXPECT_EQ(text.lines, (Lines{""}));
    text.setText("%s", "");
    EXPECT_TRUE(text.lines.empty());
    text.setText("%d", 42);
    EXPECT_EQ(text.lines, (Lines{"42"}));
}

TEST(SetTextTest, KeepsTheFirst1023Characters) {
    TextSprite text(nullptr);
    const std::string xs(1500, 'x');
    text.setText("%s", xs.c_str());
    ASSERT_EQ(text.lines.size(), 1u);
    EXPECT_EQ(text.lines[0], std::string(1023, 'x'));

    // The cut falls after the formatting: a newline beyond it splits nothing.
    const std::string twoLines = std::string(1000, 'a') + "\n" + std::string(100, 'b') + "\nc";
    text.setText("%s", twoLines.c_str());
    EXPECT_EQ(text.lines, (Lines{std::string(1000, 'a'), std::string(22, 'b')}));
}

TEST(SetTextTest, NullFormatLeavesNoLines) {
    TextSprite text(nullptr);
    text.setText("old");
    const char* none = nullptr;
    text.setText(none);
    EXPECT_TRUE(text.lines.empty());
}

// ---- Editing the input line ----

class TextFieldTest : public ::testing::Test {
  protected:
    void SetUp() override { testgl::ensureWindow(); }
    // A field holding text with the caret after `caret` characters.
    static std::unique_ptr<TextField> field(const std::string& text, int caret) {
        auto f = std::make_unique<TextField>(nullptr);
        for (char c : text) {
            f->insertChar(c);
        }
        for (int i = static_cast<int>(text.size()); i > caret; --i) {
            f->cursorLeft();
        }
        return f;
    }
};

TEST_F(TextFieldTest, StartsEmptyWithABlackCaret) {
    TextField f(nullptr);
    EXPECT_EQ(f.lines, (Lines{""}));
    EXPECT_EQ(f.text(), "");
    EXPECT_EQ(f.cursor, 0);
    EXPECT_EQ(f.cursorSprite.texture, getTexture("./img/cursor.png"));
    EXPECT_EQ(f.cursorSprite.red + f.cursorSprite.green + f.cursorSprite.blue, 0.0f);
    EXPECT_EQ(f.cursorSprite.alpha, 1.0f);
    EXPECT_EQ(f.cursorSprite.scaleX, 1.0f);
}

TEST_F(TextFieldTest, InsertGoesAtTheCaretAndMovesIt) {
    auto f = field("abcd", 2);
    f->insertChar('x');
    EXPECT_EQ(f->text(), "abxcd");
    EXPECT_EQ(f->cursor, 3);
    auto g = field("ab", 0);
    g->insertChar('>');
    EXPECT_EQ(g->text(), ">ab");
    EXPECT_EQ(g->cursor, 1);
}

TEST_F(TextFieldTest, BackspaceRemovesBeforeTheCaret) {
    auto f = field("abcd", 3);
    f->backspace();
    EXPECT_EQ(f->text(), "abd");
    EXPECT_EQ(f->cursor, 2);
    auto g = field("abcd", 0);
    g->backspace();
    EXPECT_EQ(g->text(), "abcd");
    EXPECT_EQ(g->cursor, 0);
}

TEST_F(TextFieldTest, DeleteRemovesAfterTheCaret) {
    auto f = field("abcd", 1);
    f->deleteChar();
    EXPECT_EQ(f->text(), "acd");
    EXPECT_EQ(f->cursor, 1);
    auto g = field("abcd", 4);
    g->deleteChar();
    EXPECT_EQ(g->text(), "abcd");
    EXPECT_EQ(g->cursor, 4);
}

TEST_F(TextFieldTest, CaretStopsAtBothEnds) {
    auto f = field("ab", 2);
    f->cursorRight();
    EXPECT_EQ(f->cursor, 2);
    f->cursorLeft();
    f->cursorLeft();
    f->cursorLeft();
    EXPECT_EQ(f->cursor, 0);
    f->cursorRight();
    EXPECT_EQ(f->cursor, 1);
    TextField empty(nullptr);
    empty.cursorLeft();
    empty.cursorRight();
    empty.backspace();
    empty.deleteChar();
    EXPECT_EQ(empty.cursor, 0);
    EXPECT_EQ(empty.text(), "");
}

TEST_F(TextFieldTest, ClearEmptiesTheLineAndHomesTheCaret) {
    auto f = field("hello", 3);
    f->clear();
    EXPECT_EQ(f->text(), "");
    EXPECT_EQ(f->cursor, 0);
    f->insertChar('z');
    EXPECT_EQ(f->text(), "z");
}

TEST_F(TextFieldTest, SurvivesItsFieldsBeingTamperedWith) {
    auto f = field("abc", 3);
    f->cursor = 99;
    f->insertChar('d');
    EXPECT_EQ(f->text(), "abcd");
    EXPECT_EQ(f->cursor, 4);
    f->lines.clear();
    EXPECT_EQ(f->text(), "");
    f->cursor = -5;
    f->backspace();
    f->insertChar('q');
    EXPECT_EQ(f->text(), "q");
    EXPECT_EQ(f->cursor, 1);
}

// ---- Drawing ----

using Colour = std::array<int, 4>;

::testing::AssertionResult near(const Colour& got, int r, int g, int b, int tolerance = 3) {
    if (std::abs(got[0] - r) <= tolerance && std::abs(got[1] - g) <= tolerance &&
        std::abs(got[2] - b) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "got (" << got[0] << ", " << got[1] << ", " << got[2]
                                         << ") expected (" << r << ", " << g << ", " << b << ")";
}

// A fully covered texel of the glyph, from its middle row down (so that it
// lies within the caret's height, which reaches a little below the baseline).
bool solidTexel(const GlyphImage& glyph, int& column, int& row) {
    for (row = glyph.rows / 2; row < glyph.rows; ++row) {
        for (column = 0; column < glyph.width; ++column) {
            if (glyph.at(column, row) == 255) {
                return true;
            }
        }
    }
    return false;
}

class TextDrawingTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        testgl::ensureWindow();
        font = new Font(gameFont, 31);
        reference = new GlyphReference(gameFont, 31);
    }
    static void TearDownTestSuite() {
        delete font;
        delete reference;
    }
    void SetUp() override {
        testgl::ensureWindow();
        testgl::clear(0, 0, 0);
        ASSERT_EQ(camera.width, 800);
        ASSERT_EQ(font->height, 32.0f);
        ASSERT_TRUE(solidTexel(reference->render('I'), stemColumn, stemRow));
    }
    // Scaled so that one glyph pixel is one virtual unit (scale 32 on the
    // font's 32 glyph pixels per line unit), with the origin and so every
    // baseline on a pixel corner. x and y come back as placed.
    static void pixelSized(TextSprite& text, float& x, float& y) {
        snapToPixelCorner(x, y);
        text.x = x;
        text.y = y;
        text.scaleX = text.scaleY = text.scaleZ = font->height;
        text.lineSpacing = 2;
    }
    // The centre of the solid stem texel of an 'I' drawn with its pen at
    // (penX, baseline).
    Colour stemPixel(float penX, float baseline) const {
        const GlyphImage glyph = reference->render('I');
        return testgl::pixelAt(penX + glyph.left + stemColumn + 0.5f,
                               baseline + glyph.top - stemRow - 0.5f);
    }

    static Font* font;
    static GlyphReference* reference;
    int stemColumn = 0;
    int stemRow = 0;
};

Font* TextDrawingTest::font = nullptr;
GlyphReference* TextDrawingTest::reference = nullptr;

TEST_F(TextDrawingTest, TextTakesTheSpriteColourAndAlpha) {
    TextSprite text(font);
    float x = -100, y = 100;
    pixelSized(text, x, y);
    const float baseline = y - 64; // lineSpacing 2 of 32 glyph pixels
    text.setText("I");
    text.draw();
    EXPECT_TRUE(near(stemPixel(x, baseline), 255, 255, 255));

    testgl::clear(0, 0, 0);
    text.alpha = 0.5f;
    text.draw();
    EXPECT_TRUE(near(stemPixel(x, baseline), 128, 128, 128));

    testgl::clear(0, 0, 0);
    text.alpha = 0;
    text.draw();
    EXPECT_TRUE(near(stemPixel(x, baseline), 0, 0, 0));

    testgl::clear(0, 0, 1);
    text.alpha = 1;
    text.green = 0;
    text.blue = 0;
    text.draw();
    EXPECT_TRUE(near(stemPixel(x, baseline), 255, 0, 0));
}

TEST_F(TextDrawingTest, LinesStepDownByTheLineSpacingFromTheLeftEdge) {
    TextSprite text(font);
    float x = -100, y = 100;
    pixelSized(text, x, y);
    text.setText("I\n\nI");
    text.draw();
    EXPECT_TRUE(near(stemPixel(x, y - 64), 255, 255, 255)) << "first baseline";
    EXPECT_TRUE(near(stemPixel(x, y - 128), 0, 0, 0)) << "the empty second line";
    EXPECT_TRUE(near(stemPixel(x, y - 192), 255, 255, 255)) << "third baseline";
}

TEST_F(TextDrawingTest, HiddenOrFontlessTextDrawsNothing) {
    TextSprite hidden(font);
    float x = -100, y = 100;
    pixelSized(hidden, x, y);
    hidden.setText("I");
    hidden.hidden = true;
    hidden.draw();
    TextSprite fontless(nullptr);
    pixelSized(fontless, x, y);
    fontless.setText("I");
    fontless.draw();
    EXPECT_TRUE(near(stemPixel(x, y - 64), 0, 0, 0));
}

class CaretTest : public TextDrawingTest {
  protected:
    // A field at the origin of the pixel-sized layout, red text on white,
    // whose caret is an untextured black square whatever img/cursor.png
    // holds.
    std::unique_ptr<TextField> field(const std::string& text, int caret) {
        testgl::clear(1, 1, 1);
        auto f = std::make_unique<TextField>(font);
        pixelSized(*f, fieldX, fieldY);
        f->green = 0;
        f->blue = 0;
        f->cursorSprite.texture = getTexture("./img/no-such-caret.png");
        for (char c : text) {
            f->insertChar(c);
        }
        f->cursor = caret;
        return f;
    }
    // Pixel at (dx, dy) glyph pixels from the field's origin (its baseline).
    Colour at(float dx, float dy) const { return testgl::pixelAt(fieldX + dx, fieldY + dy); }

    float fieldX = -200;
    float fieldY = 0;
};

TEST_F(CaretTest, CaretIsALineUnitSquareJustRightOfTheCaretPosition) {
    const int space = reference->render(' ').advance;
    const int stem = reference->render('I').advance;
    // Two spaces, then the caret: its square is 32 wide and high, centred
    // 2 right of the pen and 32 / 3 = 10 above the baseline.
    auto f = field("  I", 2);
    f->draw();
    const float centre = 2.0f * space + 2;
    EXPECT_TRUE(near(at(centre - 14, 10), 0, 0, 0)) << "inside, near the left edge";
    EXPECT_TRUE(near(at(centre - 18, 10), 255, 255, 255)) << "left of it";
    EXPECT_TRUE(near(at(centre + 18, 10), 255, 255, 255)) << "right of it";
    EXPECT_TRUE(near(at(centre - 14, 24), 0, 0, 0)) << "near the top edge";
    EXPECT_TRUE(near(at(centre - 14, 28), 255, 255, 255)) << "above it";
    EXPECT_TRUE(near(at(centre - 14, -4), 0, 0, 0)) << "near the bottom edge";
    EXPECT_TRUE(near(at(centre - 14, -8), 255, 255, 255)) << "below it";
    // The text after the caret is drawn over it in the field's own colour.
    EXPECT_TRUE(near(stemPixel(fieldX + 2 * space, fieldY), 255, 0, 0));

    // Past the 'I', the caret moves by its advance.
    auto g = field("  I", 3);
    g->draw();
    const float moved = centre + stem;
    EXPECT_TRUE(near(at(moved + 14, 10), 0, 0, 0));
    EXPECT_TRUE(near(at(moved - 18, 10), 255, 255, 255));
    EXPECT_TRUE(near(stemPixel(fieldX + 2 * space, fieldY), 0, 0, 0))
        << "text before the caret lies under it";
}

TEST_F(CaretTest, CaretOfAFieldWithAMissingFontIsStillDrawn) {
    testing::internal::CaptureStdout();
    Font missing("./no-such-font.ttf", 31);
    testing::internal::GetCapturedStdout();
    testgl::clear(1, 1, 1);
    TextField f(&missing);
    pixelSized(f, fieldX, fieldY);
    f.cursorSprite.texture = getTexture("./img/no-such-caret.png");
    f.insertChar('W');
    f.insertChar('W');
    f.draw();
    // Nothing advanced the pen: the caret stands at the origin.
    EXPECT_TRUE(near(at(2, 10), 0, 0, 0));
    EXPECT_TRUE(near(at(22, 10), 255, 255, 255));
}

TEST_F(CaretTest, SpritesDrawnAfterTextKeepTheirOwnLook) {
    static const std::string picture = testpics::quadrants("after-text.png");
    Sprite plain;
    plain.scaleX = plain.scaleY = 40;
    plain.x = 200;
    plain.green = 0.5f;
    Sprite pictured;
    pictured.setTexture(picture.c_str());
    pictured.scaleX = pictured.scaleY = 100;
    pictured.x = 300;

    for (bool fieldFirst : {true, false}) {
        testgl::clear(0, 0, 0);
        auto f = field("Ab c", 2);
        TextSprite text(font);
        float x = -300, y = 200;
        pixelSized(text, x, y);
        text.setText("Hello");
        if (fieldFirst) {
            f->draw();
        } else {
            text.draw();
        }
        plain.draw();
        pictured.draw();
        EXPECT_TRUE(near(testgl::pixelAt(200, 0), 255, 128, 255))
            << (fieldFirst ? "after a field" : "after a text sprite");
        EXPECT_TRUE(near(testgl::pixelAt(275, 25), 255, 0, 0))
            << (fieldFirst ? "after a field" : "after a text sprite");
        EXPECT_TRUE(near(testgl::pixelAt(325, -25), 255, 255, 255))
            << (fieldFirst ? "after a field" : "after a text sprite");
    }
}

// A field that can also draw its whole line, caret left out, straight from
// the font's lists with the same set-up as its own drawing.
class WholeLineField : public TextField {
  public:
    using TextField::TextField;
    void drawWhole() {
        beginText();
        font->callLists(text().data(), text().size());
        endText();
    }
};

TEST_F(CaretTest, LongLinesDrawOnlyWhatReachesTheViewAndLookTheSame) {
    // Forty W's from x = -200 run far past the view's right edge at +400.
    const int advance = reference->render('W').advance;
    ASSERT_GT(40 * advance, 600 + 4 * 32);
    const std::string huge(100000, 'W');

    // The reference: forty W's, every one of them drawn.
    testgl::clear(1, 1, 1);
    WholeLineField whole(font);
    pixelSized(whole, fieldX, fieldY);
    whole.green = whole.blue = 0;
    for (int i = 0; i < 40; ++i) {
        whole.insertChar('W');
    }
    whole.drawWhole();
    const std::vector<unsigned char> expected = testgl::windowPixels();

    // A hundred thousand, the caret at the end, far out of view.
    auto f = field(huge, static_cast<int>(huge.size()));
    f->draw();
    const std::vector<unsigned char> got = testgl::windowPixels();
    EXPECT_TRUE(got == expected) << "the visible part of the line differs";
    // Glyphs reach the right edge: the comparison covers the cut.
    bool redNearEdge = false;
    for (float x = 400 - advance; x < 400; x += 1) {
        for (float y = 0.5f; y < 20; y += 1) {
            redNearEdge = redNearEdge || near(testgl::pixelAt(x, fieldY + y), 255, 0, 0, 40);
        }
    }
    EXPECT_TRUE(redNearEdge) << "no glyph was drawn next to the right edge";

    // With the caret at the start, the caret shows there as usual.
    auto g = field(huge, 0);
    g->draw();
    EXPECT_TRUE(near(at(2 - 14, 10), 0, 0, 0)) << "the caret at the start of a long line";
}

TEST_F(CaretTest, ABandedLineScrollsToItsCaretAndStaysInItsBand) {
    const float left = fieldX - 10, right = fieldX + 300;
    const auto blankOutside = [&] {
        for (float y = -8; y < 32; y += 3) {
            for (float x : {left - 30, left - 2, right + 2, right + 30}) {
                if (!near(testgl::pixelAt(x, fieldY + y), 255, 255, 255)) {
                    return false;
                }
            }
        }
        return true;
    };
    // Sixty W's, far wider than the band, the caret at the end: the end of
    // the line and the caret show at the band's right edge.
    auto f = field(std::string(60, 'W'), 60);
    f->clipLeft = left;
    f->clipRight = right;
    f->draw();
    EXPECT_TRUE(blankOutside()) << "the line ran out of its band";
    EXPECT_TRUE(near(testgl::pixelAt(right - 10, fieldY + 10), 0, 0, 0)) << "no caret at the end";
    // The caret back at the start: so is the line.
    f->cursor = 0;
    testgl::clear(1, 1, 1);
    f->draw();
    EXPECT_TRUE(blankOutside());
    EXPECT_TRUE(near(at(2 - 6, 10), 0, 0, 0)) << "no caret at the start";

    // A line that fits draws exactly as without a band.
    auto plain = field("Ab cd", 2);
    plain->draw();
    const std::vector<unsigned char> expected = testgl::windowPixels();
    auto banded = field("Ab cd", 2);
    banded->clipLeft = left;
    banded->clipRight = right;
    banded->draw();
    EXPECT_TRUE(testgl::windowPixels() == expected);
}

} // namespace
