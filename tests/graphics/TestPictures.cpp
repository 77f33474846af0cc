#include "tests/graphics/TestPictures.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace testpics {

namespace {
// The pictures of one test program, removed when it exits.
struct Folder {
    std::filesystem::path path;
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

std::filesystem::path folder() {
    static const Folder dir{[] {
        auto d = std::filesystem::temp_directory_path() /
                 ("vorblex-pics-" + std::to_string(static_cast<long>(::getpid())));
        std::filesystem::create_directories(d);
        return d;
    }()};
    return dir.path;
}
} // namespace

std::string rawFile(const std::string& name, const std::string& bytes) {
    auto path = folder() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

std::string quadrants(const std::string& name, int size) {
    std::string ppm = "P6\n" + std::to_string(size) + " " + std::to_string(size) + "\n255\n";
    for (int row = 0; row < size; ++row) {
        for (int col = 0; col < size; ++col) {
            const bool top = row < size / 2;
            const bool left = col < size / 2;
            unsigned char r = 0, g = 0, b = 0;
            if (top && left) {
                r = 255;
            } else if (top) {
                g = 255;
            } else if (left) {
                b = 255;
            } else {
                r = g = b = 255;
            }
            ppm += static_cast<char>(r);
            ppm += static_cast<char>(g);
            ppm += static_cast<char>(b);
        }
    }
    const std::string source = rawFile(name + ".ppm", ppm);
    const std::string target = (folder() / name).string();
    const std::string command = "/usr/bin/convert '" + source + "' -quality 100 '" + target + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return target;
}

} // namespace testpics
