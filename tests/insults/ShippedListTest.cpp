// The insult list that ships with the game, as staged into the run directory.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::string> shippedLines() {
    std::ifstream file("./insults.txt", std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line)) {
        lines.push_back(line);
    }
    return lines;
}

TEST(ShippedInsultList, HasAtLeastFiveHundredLines) { EXPECT_GE(shippedLines().size(), 500u); }

// The speech bubble shows at most three lines of 45 characters.
TEST(ShippedInsultList, NoLineIsLongerThanTheSpeechBubble) {
    for (const std::string& line : shippedLines()) {
        EXPECT_LE(line.size(), 135u) << line;
    }
}

TEST(ShippedInsultList, NoTwoLinesAreTheSame) {
    std::set<std::string> seen;
    for (const std::string& line : shippedLines()) {
        EXPECT_TRUE(seen.insert(line).second) << "repeated: " << line;
    }
}

// Printable ASCII only: no line-end leftovers, tabs or other encodings, and
// no empty line (it would be an insult that can never be chosen).
TEST(ShippedInsultList, EveryLineIsPlainAsciiText) {
    for (const std::string& line : shippedLines()) {
        EXPECT_FALSE(line.empty());
        for (char c : line) {
            EXPECT_TRUE(c >= 32 && c <= 126) << "byte " << static_cast<int>(c) << " in: " << line;
        }
    }
}

} // namespace
