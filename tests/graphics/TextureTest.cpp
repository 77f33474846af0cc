#include "graphics/Texture.h"
#include "tests/graphics/TestPictures.h"
#include "tests/support/GlWindow.h"

#include <gtest/gtest.h>
#include <string>

namespace {

class TextureCacheTest : public ::testing::Test {
  protected:
    void SetUp() override { testgl::ensureWindow(); }
};

int countOf(const std::string& text, const std::string& needle) {
    int n = 0;
    for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
        ++n;
    }
    return n;
}

TEST_F(TextureCacheTest, SecondRequestSharesTheRecordWithoutReloading) {
    const std::string path = testpics::quadrants("shared.png");
    testing::internal::CaptureStdout();
    Texture* first = getTexture(path.c_str());
    Texture* second = getTexture(path.c_str());
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->refCount, 2);
    EXPECT_GT(first->glName, 0);
    EXPECT_STREQ(first->path, path.c_str());
    EXPECT_EQ(out, "Loaded texture " + path + "\n");
    EXPECT_EQ(textureLibraryInitCount(), 1);
}

TEST_F(TextureCacheTest, EqualPathsInDifferentBuffersShareOneRecord) {
    const std::string path = testpics::quadrants("copies.png");
    std::string copy = path; // a buffer that does not outlive the request
    testing::internal::CaptureStdout();
    Texture* first = getTexture(copy.c_str());
    copy.assign(copy.size(), 'x');
    Texture* second = getTexture(path.c_str());
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(first, second);
    EXPECT_EQ(countOf(out, "Loaded texture"), 1);
    EXPECT_STREQ(first->path, path.c_str()) << "the record keeps its own copy of the path";
}

TEST_F(TextureCacheTest, MissingPictureReportsOnceAndStaysFailed) {
    testing::internal::CaptureStdout();
    Texture* first = getTexture("./img/no-such-picture.png");
    Texture* second = getTexture("./img/no-such-picture.png");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->glName, -1);
    EXPECT_EQ(first->path, nullptr);
    EXPECT_EQ(first->refCount, 2);
    EXPECT_EQ(out, "Couldn't load texture ./img/no-such-picture.png\n");
}

TEST_F(TextureCacheTest, FilesThatAreNotPicturesFailCleanly) {
    const std::string text = testpics::rawFile("not-a-picture.png", "hello, I am text\n");
    std::string png = testpics::quadrants("whole.png");
    std::string truncated;
    {
        std::FILE* f = std::fopen(png.c_str(), "rb");
        char buf[4096];
        size_t n = std::fread(buf, 1, sizeof buf, f);
        std::fclose(f);
        truncated = testpics::rawFile("truncated.png", std::string(buf, n / 3));
    }
    const std::string empty = testpics::rawFile("empty.jpg", "");
    for (const std::string& path : {text, truncated, empty}) {
        testing::internal::CaptureStdout();
        Texture* t = getTexture(path.c_str());
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(t->glName, -1) << path;
        EXPECT_EQ(out, "Couldn't load texture " + path + "\n");
    }
    EXPECT_EQ(textureLibraryInitCount(), 1) << "the picture library is set up once only";
}

} // namespace
