#include "graphics/Font.h"
#include "graphics/Sprite.h"
#include "tests/graphics/GlyphReference.h"
#include "tests/support/GlWindow.h"

#include "app/Camera.h"
#include "battle/BubbleText.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

struct TextureSize {
    int width = 0;
    int height = 0;
};

TextureSize textureSize(unsigned name) {
    TextureSize size;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &size.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &size.height);
    return size;
}

// One corner of what a display list drew, caught in feedback mode: its
// position relative to the pen (in glyph pixels) and its texture coordinate.
struct Corner {
    float x, y, s, t;
};

std::vector<Corner> cornersDrawnBy(unsigned list) {
    std::vector<GLfloat> buffer(4096);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_4D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    // A point at the pen first, so that the corners can be told relative to it.
    glBegin(GL_POINTS);
    glVertex2f(0, 0);
    glEnd();
    glPushMatrix();
    glCallList(list);
    glPopMatrix();
    const GLint count = glRenderMode(GL_RENDER);
    std::vector<Corner> corners;
    if (count < 13 || buffer[0] != GL_POINT_TOKEN) {
        ADD_FAILURE() << "no pen position in the feedback";
        return corners;
    }
    const float penX = buffer[1];
    const float penY = buffer[2];
    for (GLint i = 13; i < count;) {
        const GLfloat token = buffer[i++];
        if (token != GL_POLYGON_TOKEN) {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
        const int vertices = static_cast<int>(buffer[i++]);
        for (int v = 0; v < vertices; ++v, i += 12) {
            corners.push_back(
                {buffer[i] - penX, buffer[i + 1] - penY, buffer[i + 8], buffer[i + 9]});
        }
    }
    return corners;
}

// Pen position after calling the font's lists for text from the origin.
float penAfter(const Font& font, const std::string& text) {
    glPushMatrix();
    glLoadIdentity();
    glListBase(font.listBase);
    font.callLists(text.data(), text.size());
    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    glPopMatrix();
    return matrix[12];
}

class FontTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testgl::ensureWindow();
        testgl::clear(0, 0, 0);
        ASSERT_EQ(camera.width, 800) << "the read-back checks count one virtual unit per pixel";
    }
    void TearDown() override {
        glDisable(GL_TEXTURE_2D);
        boundTexture = -1;
    }
};

TEST_F(FontTest, HeightIsTheSizeRoundedUpToAPowerOfTwo) {
    const std::pair<int, float> cases[] = {{31, 32.0f}, {32, 32.0f}, {33, 64.0f},
                                           {1, 1.0f},   {0, 1.0f},   {-4, 1.0f}};
    for (const auto& [size, height] : cases) {
        Font font(gameFont, size);
        EXPECT_EQ(font.height, height) << "size " << size;
    }
}

TEST_F(FontTest, EveryGlyphGetsAPowerOfTwoTextureHoldingItsCoverage) {
    Font font(gameFont, 31);
    GlyphReference reference(gameFont, 31);
    ASSERT_TRUE(reference.ok());
    for (int code = 0; code < 128; ++code) {
        const GlyphImage glyph = reference.render(static_cast<unsigned char>(code));
        const TextureSize size = textureSize(font.textures[code]);
        // The smallest power of two that holds the bitmap (1 for an empty one).
        EXPECT_TRUE(isPowerOfTwo(size.width) && size.width >= glyph.width &&
                    (size.width == 1 || size.width < 2 * glyph.width))
            << "code " << code << ": " << glyph.width << " wide in " << size.width;
        EXPECT_TRUE(isPowerOfTwo(size.height) && size.height >= glyph.rows &&
                    (size.height == 1 || size.height < 2 * glyph.rows))
            << "code " << code << ": " << glyph.rows << " rows in " << size.height;

        std::vector<unsigned char> texels(static_cast<size_t>(size.width) * size.height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        int wrong = 0;
        for (int row = 0; row < size.height; ++row) {
            for (int column = 0; column < size.width; ++column) {
                const unsigned char* t =
                    &texels[(static_cast<size_t>(row) * size.width + column) * 4];
                const int c = glyph.at(column, row);
                wrong += (t[0] != c || t[1] != c || t[2] != c || t[3] != c) ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0) << "code " << code << ": texels that differ from the coverage";
    }
}

TEST_F(FontTest, EveryGlyphListDrawsItsQuadOnTheBaselineAndAdvancesThePen) {
    Font font(gameFont, 31);
    GlyphReference reference(gameFont, 31);
    for (int code = 0; code < 128; ++code) {
        const GlyphImage glyph = reference.render(static_cast<unsigned char>(code));
        EXPECT_EQ(penAfter(font, std::string(1, static_cast<char>(code))), glyph.advance)
            << "code " << code;
        EXPECT_EQ(font.advances[code], glyph.advance) << "code " << code;
        if (glyph.width == 0 || glyph.rows == 0) {
            continue; // nothing to see of an empty glyph's quad
        }
        const TextureSize size = textureSize(font.textures[code]);
        const float maxS = static_cast<float>(glyph.width) / size.width;
        const float maxT = static_cast<float>(glyph.rows) / size.height;
        const std::vector<Corner> corners = cornersDrawnBy(font.listBase + code);
        ASSERT_GE(corners.size(), 4u) << "code " << code;
        // Window coordinates pass through the projection: allow for rounding.
        const auto at = [](float got, float want) { return std::abs(got - want) < 0.01f; };
        for (const Corner& c : corners) {
            const bool leftEdge = at(c.x, glyph.left);
            const bool topEdge = at(c.y, glyph.top);
            EXPECT_TRUE(leftEdge || at(c.x, glyph.left + glyph.width))
                << "code " << code << ": x " << c.x;
            EXPECT_TRUE(topEdge || at(c.y, glyph.top - glyph.rows))
                << "code " << code << ": y " << c.y;
            // The bitmap's top row is at the top: upright in y-up space.
            EXPECT_EQ(c.s, leftEdge ? 0.0f : maxS) << "code " << code;
            EXPECT_EQ(c.t, topEdge ? 0.0f : maxT) << "code " << code;
        }
    }
}

TEST_F(FontTest, TwentyByTwentySevenBitmapGoesInto32By32Texture) {
    GlyphReference reference(gameFont, 31);
    int size = 0;
    int code = 0;
    for (int s = 8; s <= 80 && code == 0; ++s) {
        reference.setSize(s);
        for (int c = 33; c < 127; ++c) {
            const GlyphImage glyph = reference.render(static_cast<unsigned char>(c));
            if (glyph.width == 20 && glyph.rows == 27) {
                size = s;
                code = c;
                break;
            }
        }
    }
    ASSERT_NE(code, 0) << "the font has no 20 x 27 glyph at any size from 8 to 80";
    reference.setSize(size);

    const unsigned base = glGenLists(128);
    unsigned textures[128];
    glGenTextures(128, textures);
    makeGlyphList(reference.rawFace(), static_cast<char>(code), base, textures);

    const TextureSize tex = textureSize(textures[code]);
    EXPECT_EQ(tex.width, 32);
    EXPECT_EQ(tex.height, 32);
    float maxS = 0;
    float maxT = 0;
    for (const Corner& c : cornersDrawnBy(base + code)) {
        maxS = std::max(maxS, c.s);
        maxT = std::max(maxT, c.t);
    }
    EXPECT_EQ(maxS, 0.625f);
    EXPECT_EQ(maxT, 0.84375f);
    glDeleteLists(base, 128);
    glDeleteTextures(128, textures);
}

TEST_F(FontTest, GlyphDrawnThroughItsListMatchesFreeTypeCoverage) {
    Font font(gameFont, 31);
    GlyphReference reference(gameFont, 31);
    float penX = -120;
    float penY = -40;
    snapToPixelCorner(penX, penY);
    for (char code : {'g', '@', 'A', '&'}) {
        testgl::clear(0, 0, 0);
        const GlyphImage glyph = reference.render(static_cast<unsigned char>(code));
        // Opaque white, one glyph pixel per window pixel, the pen on a pixel
        // corner: every pixel centre samples one texel centre.
        glEnable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glColor4f(1, 1, 1, 1);
        glPushMatrix();
        glTranslatef(penX, penY, 0);
        glCallList(font.listBase + static_cast<unsigned char>(code));
        glPopMatrix();
        int wrong = 0;
        int inked = 0;
        for (int row = -1; row <= glyph.rows; ++row) {
            for (int column = -1; column <= glyph.width; ++column) {
                const float vx = penX + glyph.left + column + 0.5f;
                const float vy = penY + glyph.top - row - 0.5f;
                const int got = testgl::pixelAt(vx, vy)[0];
                const int want = glyph.at(column, row);
                wrong += std::abs(got - want) > 2 ? 1 : 0;
                inked += want > 0 ? 1 : 0;
            }
        }
        EXPECT_GT(inked, 20) << code;
        EXPECT_EQ(wrong, 0) << "pixels of '" << code << "' that differ from FreeType";
    }
}

TEST_F(FontTest, BytesBeyondTheFontDrawNothingAndDoNotMoveThePen) {
    Font font(gameFont, 31);
    // Lists right after the font's 128, such as another font's, that would
    // paint the screen white if a byte of 128 or more reached them.
    const unsigned beyond = font.listBase + 128;
    for (unsigned k = 0; k < 128; ++k) {
        ASSERT_FALSE(glIsList(beyond + k)) << "list name " << beyond + k << " is taken";
    }
    for (unsigned k = 0; k < 128; ++k) {
        glNewList(beyond + k, GL_COMPILE);
        glDisable(GL_TEXTURE_2D);
        glRectf(-400, -300, 400, 300);
        glEndList();
    }
    const std::string plain = "II";
    const std::string mixed = "I\xC3\xA9I\x80";
    EXPECT_EQ(penAfter(font, mixed), penAfter(font, plain));
    EXPECT_EQ(penAfter(font, "\xFF\xFE"), 0.0f);

    glColor4f(1, 0, 0, 1);
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glListBase(font.listBase);
    font.callLists(mixed.data(), mixed.size());
    glPopMatrix();
    EXPECT_EQ(testgl::pixelAt(300, 250)[0], 0) << "a list beyond the font was called";
    glDeleteLists(beyond, 128);
}

TEST_F(FontTest, MissingFontFileSaysSoAndDrawsNothing) {
    testing::internal::CaptureStdout();
    Font font("./no-such-font.ttf", 31);
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(said, "FT_New_Face failed loading font ./no-such-font.ttf\n");
    EXPECT_EQ(font.height, 32.0f);
    EXPECT_EQ(penAfter(font, "Hello"), 0.0f);
    for (int code = 0; code < 128; ++code) {
        ASSERT_EQ(font.advances[code], 0) << "code " << code;
    }
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    glPushMatrix();
    glListBase(font.listBase);
    font.callLists("@@@@", 4);
    glPopMatrix();
    for (float x = 0.5f; x < 150; x += 3) {
        for (float y = -20.5f; y < 40; y += 3) {
            ASSERT_EQ(testgl::pixelAt(x, y)[0], 0) << x << ", " << y;
        }
    }
}

// Speech-bubble insults are broken after 45 characters (a hyphen follows)
// and drawn at text scale 20 from x = -180; the bubble's right edge is at
// x = 250, so a typical line may be about 460 units wide at most.
// The bubble shows rows of 45 characters, a hyphen after each full one, from
// x = -180 at text scale 20; its body ends at x = 247, so a row may be 424
// units wide and keep a margin.
TEST_F(FontTest, InsultLinesFitTheSpeechBubble) {
    Font font(gameFont, 31);
    std::ifstream file("./insults.txt");
    ASSERT_TRUE(file) << "the run directory has no insults.txt";
    std::vector<float> widths;
    for (std::string line; std::getline(file, line);) {
        std::istringstream rows(bubbleRows(line));
        for (std::string shown; std::getline(rows, shown);) {
            const float width = penAfter(font, shown) * 20.0f / font.height;
            widths.push_back(width);
            EXPECT_LE(width, 424.0f) << "\"" << shown << "\" of: " << line;
        }
    }
    ASSERT_FALSE(widths.empty());
    std::sort(widths.begin(), widths.end());
    std::cout << widths.size() << " bubble rows at scale 20: median " << widths[widths.size() / 2]
              << ", widest " << widths.back() << std::endl;
}

} // namespace
