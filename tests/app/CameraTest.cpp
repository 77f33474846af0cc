#include "app/Camera.h"
#include "tests/support/GlWindow.h"

#include <GL/freeglut.h>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

class CameraTest : public ::testing::Test {
  protected:
    void SetUp() override { testgl::ensureWindow(); }
    // Until the window's new size has come back to the camera.
    static void settle() {
        for (int i = 0; i < 100; ++i) {
            testgl::pumpEvents();
            if (glutGet(GLUT_WINDOW_WIDTH) == camera.windowWidth &&
                glutGet(GLUT_WINDOW_HEIGHT) == camera.windowHeight) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    void TearDown() override {
        camera.reshape(800, 600);
        testgl::pumpEvents();
    }
};

TEST_F(CameraTest, WidthDecidesTheHeightAtFourToThree) {
    camera.reshape(1000, 600);
    settle();
    EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 1000);
    EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 750);
    EXPECT_EQ(camera.width, 1000);
    EXPECT_EQ(camera.height, 750);
    EXPECT_DOUBLE_EQ(camera.aspect, 1000.0 / 750.0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1000);
    EXPECT_EQ(viewport[3], 750);
}

TEST_F(CameraTest, HeightIsTruncatedNotRoundedAndStaysOnTheScreen) {
    struct Case {
        int w, h, wantW, wantH;
    };
    // The test screen is 1280 x 1024: a width of 1600 would want 1200 rows.
    for (const Case& c :
         {Case{801, 123, 801, 600}, Case{803, 600, 803, 602}, Case{1600, 400, 1280, 960}}) {
        camera.reshape(c.w, c.h);
        settle();
        EXPECT_EQ(camera.width, c.wantW) << c.w << "x" << c.h;
        EXPECT_EQ(camera.height, c.wantH) << c.w << "x" << c.h;
    }
}

TEST_F(CameraTest, ZeroOrNegativeSizesChangeNothing) {
    camera.reshape(1000, 750);
    for (auto size : {std::pair{0, 600}, {800, 0}, {-5, 600}, {800, -1}}) {
        camera.reshape(size.first, size.second);
        EXPECT_EQ(camera.width, 1000);
        EXPECT_EQ(camera.height, 750);
    }
}

TEST_F(CameraTest, AWindowAPixelOrTwoWideIsOnePixelHigh) {
    // Three quarters of 1 is 0, which X refuses for a window's height.
    for (int w : {1, 2}) {
        camera.reshape(w, 600);
        EXPECT_EQ(camera.width, w);
        EXPECT_EQ(camera.height, 1);
        testgl::pumpEvents();
        EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 1);
    }
    camera.reshape(4, 600);
    EXPECT_EQ(camera.height, 3);
}

// Fullscreen, or a window that the window manager keeps at its own size
// (maximised, tiled): the largest 4:3 picture that fits, centred between
// bars, and clicks map through the bars to the same places.
TEST_F(CameraTest, AScreenOrWindowOfAnotherShapeShowsThePictureBetweenBars) {
    struct Case {
        bool fullscreen;
        int w, h, shownW, shownH, left, top;
    };
    for (const Case& c :
         {Case{true, 1280, 1024, 1280, 960, 0, 32}, Case{true, 1920, 1080, 1440, 1080, 240, 0},
          Case{true, 800, 600, 800, 600, 0, 0}, Case{true, 1, 1, 1, 1, 0, 0},
          Case{false, 1280, 1005, 1280, 960, 0, 22}, Case{false, 1000, 600, 800, 600, 100, 0}}) {
        camera.fullscreen = c.fullscreen;
        camera.reshape(c.w, c.h); // as delivered, before any new size
        EXPECT_EQ(camera.width, c.shownW) << c.w << "x" << c.h;
        EXPECT_EQ(camera.height, c.shownH) << c.w << "x" << c.h;
        EXPECT_EQ(camera.viewLeft, c.left);
        EXPECT_EQ(camera.viewTop, c.top);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[0], c.left);
        EXPECT_EQ(viewport[1], c.h - c.shownH - c.top);
        EXPECT_EQ(viewport[2], c.shownW);
        EXPECT_EQ(viewport[3], c.shownH);
        // The lower edge of SEND (virtual y -268) is where the picture shows it.
        float vx = 0, vy = 0;
        const float s = static_cast<float>(c.shownW) / 800;
        windowToVirtual(c.left + static_cast<int>(700 * s), c.top + static_cast<int>(568 * s), vx,
                        vy);
        if (c.shownW >= 800) {
            EXPECT_NEAR(vx, 300, 1.5f);
            EXPECT_NEAR(vy, -268, 1.5f);
        }
        camera.fullscreen = false;
        settle();
    }
}

TEST_F(CameraTest, VirtualSpaceIsTheSameAtEveryWindowSize) {
    // The middle of the virtual space stays in the middle of the window and a
    // 100-unit square covers an eighth of the window's width.
    for (int w : {800, 1000}) {
        camera.reshape(w, w * 3 / 4);
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        const float scale = static_cast<float>(w) / 800.0f;
        EXPECT_FLOAT_EQ(m[0], scale);
        EXPECT_FLOAT_EQ(m[5], scale);
        EXPECT_FLOAT_EQ(m[12], static_cast<float>(w / 2) + 0.375f);
        EXPECT_FLOAT_EQ(m[13], static_cast<float>((w * 3 / 4) / 2) + 0.375f);
        EXPECT_FLOAT_EQ(m[14], -50.0f);
    }
}

TEST(WindowToVirtual, MapsCornersAndCentre) {
    Camera* saved = activeCamera;
    Camera cam;
    activeCamera = &cam;
    float vx = 0, vy = 0;
    windowToVirtual(400, 300, vx, vy);
    EXPECT_FLOAT_EQ(vx, 0);
    EXPECT_FLOAT_EQ(vy, 0);
    windowToVirtual(0, 0, vx, vy);
    EXPECT_FLOAT_EQ(vx, -400);
    EXPECT_FLOAT_EQ(vy, 300);
    cam.width = 1000;
    windowToVirtual(1000, 750, vx, vy);
    EXPECT_FLOAT_EQ(vx, 400);
    EXPECT_FLOAT_EQ(vy, -300);
    // Between fullscreen bars, positions count from the picture's corner.
    cam.width = 1440;
    cam.viewLeft = 240;
    windowToVirtual(240, 0, vx, vy);
    EXPECT_FLOAT_EQ(vx, -400);
    EXPECT_FLOAT_EQ(vy, 300);
    windowToVirtual(960, 540, vx, vy);
    EXPECT_NEAR(vx, 0, 1e-3);
    EXPECT_NEAR(vy, 0, 1e-3);
    activeCamera = saved;
}

} // namespace
