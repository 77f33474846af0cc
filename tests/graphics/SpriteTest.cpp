#include "graphics/Sprite.h"
#include "tests/graphics/TestPictures.h"
#include "tests/support/GlWindow.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

using Colour = std::array<int, 4>;

// Channels within a small tolerance of the expected colour (alpha ignored).
::testing::AssertionResult near(const Colour& got, int r, int g, int b, int tolerance = 12) {
    if (std::abs(got[0] - r) <= tolerance && std::abs(got[1] - g) <= tolerance &&
        std::abs(got[2] - b) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "got (" << got[0] << ", " << got[1] << ", " << got[2]
                                         << ") expected (" << r << ", " << g << ", " << b << ")";
}

class SpriteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testgl::ensureWindow();
        testgl::clear(0, 0, 0);
    }
    static Sprite quadrantSprite(const char* name) {
        static std::string png = testpics::quadrants("sprite.png");
        static std::string jpg = testpics::quadrants("sprite.jpg");
        Sprite s;
        s.setTexture(std::string(name) == "png" ? png.c_str() : jpg.c_str());
        s.scaleX = s.scaleY = 200;
        return s;
    }
};

TEST_F(SpriteTest, PicturesAreUprightWithTheirTopRowAtTheTop) {
    for (const char* format : {"png", "jpg"}) {
        testgl::clear(0, 0, 0);
        Sprite s = quadrantSprite(format);
        s.draw();
        EXPECT_TRUE(near(testgl::pixelAt(-50, 50), 255, 0, 0)) << format << " top left";
        EXPECT_TRUE(near(testgl::pixelAt(50, 50), 0, 255, 0)) << format << " top right";
        EXPECT_TRUE(near(testgl::pixelAt(-50, -50), 0, 0, 255)) << format << " bottom left";
        EXPECT_TRUE(near(testgl::pixelAt(50, -50), 255, 255, 255)) << format << " bottom right";
        EXPECT_TRUE(near(testgl::pixelAt(0, 150), 0, 0, 0)) << "nothing outside the quad";
    }
}

TEST_F(SpriteTest, NegativeWidthMirrorsLeftToRight) {
    Sprite s = quadrantSprite("png");
    s.scaleX = -200;
    s.draw();
    EXPECT_TRUE(near(testgl::pixelAt(-50, 50), 0, 255, 0));
    EXPECT_TRUE(near(testgl::pixelAt(50, 50), 255, 0, 0));
}

TEST_F(SpriteTest, OffsetIsAppliedInTheRotatedFrame) {
    Sprite s;
    s.scaleX = s.scaleY = 10;
    s.x = 100;
    s.y = -50;
    s.angle = 90;
    s.offsetX = 40;
    s.draw();
    EXPECT_TRUE(near(testgl::pixelAt(100, -10), 255, 255, 255)) << "40 units above";
    EXPECT_TRUE(near(testgl::pixelAt(140, -50), 0, 0, 0)) << "not to the right";
}

TEST_F(SpriteTest, PositionScaleAndColourPlaceATintedQuad) {
    Sprite s;
    s.x = -200;
    s.y = 100;
    s.scaleX = 100;
    s.scaleY = 40;
    s.red = 1;
    s.green = 0.5f;
    s.blue = 0;
    s.draw();
    EXPECT_TRUE(near(testgl::pixelAt(-245, 115), 255, 128, 0));
    EXPECT_TRUE(near(testgl::pixelAt(-200, 125), 0, 0, 0));
    EXPECT_TRUE(near(testgl::pixelAt(-255, 100), 0, 0, 0));
}

TEST_F(SpriteTest, AlphaBlendsWithWhatIsBehind) {
    testgl::clear(0, 0, 1);
    Sprite s;
    s.scaleX = s.scaleY = 100;
    s.green = 0;
    s.blue = 0;
    s.alpha = 0.5f;
    s.draw();
    EXPECT_TRUE(near(testgl::pixelAt(0, 0), 128, 0, 128, 3));
    s.blend = false; // drawn opaque whatever its alpha
    s.draw();
    EXPECT_TRUE(near(testgl::pixelAt(0, 0), 255, 0, 0, 3));
}

TEST_F(SpriteTest, HiddenSpriteTouchesNothing) {
    Sprite s = quadrantSprite("png");
    s.hidden = true;
    GLint depthBefore = 0, depthAfter = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);
    s.draw();
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
    EXPECT_EQ(depthBefore, depthAfter);
    EXPECT_EQ(boundTexture, -1) << "not even the texture is bound";
    EXPECT_FALSE(blendApplied);
    EXPECT_TRUE(near(testgl::pixelAt(-50, 50), 0, 0, 0));
}

TEST_F(SpriteTest, FailedPictureDrawsUntexturedInTheSpriteColour) {
    Sprite s;
    EXPECT_EQ(s.setTexture("./img/missing-for-sprite.png"), -1);
    s.scaleX = s.scaleY = 100;
    s.green = 0;
    s.draw();
    EXPECT_TRUE(near(testgl::pixelAt(0, 0), 255, 0, 255));
}

TEST_F(SpriteTest, TextureBindingFollowsWhatSpriteDrawingLastDid) {
    Sprite textured = quadrantSprite("png");
    Sprite plain;
    textured.draw();
    EXPECT_EQ(boundTexture, textured.texture->glName);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    plain.draw();
    EXPECT_EQ(boundTexture, -1);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    textured.draw();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, textured.texture->glName);
}

TEST_F(SpriteTest, QuadListIsBuiltOnceAndShared) {
    Sprite a;
    Sprite b;
    EXPECT_NE(a.quadList, 0u);
    EXPECT_EQ(a.quadList, b.quadList);
    EXPECT_EQ(a.quadList, sharedQuadList);
}

TEST_F(SpriteTest, AssigningAFreshSpriteResetsEverything) {
    Sprite s = quadrantSprite("png");
    s.x = 5;
    s.angle = 30;
    s.hidden = true;
    s = Sprite();
    EXPECT_EQ(s.texture, nullptr);
    EXPECT_EQ(s.x, 0);
    EXPECT_EQ(s.angle, 0);
    EXPECT_FALSE(s.hidden);
    EXPECT_EQ(s.scaleX, 1);
    EXPECT_EQ(s.alpha, 1);
}

TEST_F(SpriteTest, TextureMatrixIsUsedAndRestored) {
    Sprite s = quadrantSprite("png");
    s.textureTransform = true;
    s.texOffsetU = 0.5f; // shifts the picture by half its width
    s.draw();
    EXPECT_TRUE(near(testgl::pixelAt(-50, 50), 0, 255, 0));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

} // namespace
