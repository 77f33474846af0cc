#include "battle/OwnInsults.h"

#include "battle/BubbleText.h"

#include <algorithm>
#include <fstream>
#include <iostream>

namespace {

constexpr std::size_t longestInsult = 88;
constexpr std::size_t numbersShown = 5;

bool fitsTheBubble(const std::string& line) {
    if (line.size() > longestInsult) {
        return false;
    }
    for (char c : line) {
        if (c < 32 || c > 126) {
            return false;
        }
    }
    const std::string rows = bubbleRows(line);
    return std::count(rows.begin(), rows.end(), '\n') <= 1;
}

} // namespace

std::vector<std::string> readOwnInsults(const std::string& path) {
    std::vector<std::string> insults;
    if (path.empty()) {
        return insults;
    }
    std::ifstream file(path, std::ios::binary);
    std::vector<int> skipped;
    std::string line;
    for (int number = 1; file && std::getline(file, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        if (fitsTheBubble(line)) {
            insults.push_back(line);
        } else {
            skipped.push_back(number);
        }
    }
    if (!skipped.empty()) {
        std::cout << "Skipped " << skipped.size() << (skipped.size() == 1 ? " line" : " lines")
                  << " of " << path
                  << " that the speech bubble cannot hold (over 88 characters, more than two "
                     "rows, or not plain text): line";
        for (std::size_t i = 0; i < skipped.size() && i < numbersShown; ++i) {
            std::cout << (i == 0 ? (skipped.size() == 1 ? " " : "s ") : ", ") << skipped[i];
        }
        std::cout << (skipped.size() > numbersShown ? ", ..." : "") << std::endl;
    }
    return insults;
}
