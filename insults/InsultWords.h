#pragma once

#include <string>
#include <string_view>

// How lines of the insult file and typed lines are cut into words.
//
// A word is a piece of 3 or more characters between single spaces. Two spaces
// in a row, or a space at either end, give an empty piece, which is ignored
// like any piece shorter than 3 characters.

// The line as the index sees it: only ASCII letters and spaces are kept (so
// "you're", "Mr.Fish" and "r2d2" each become one run of letters), and the
// letters are lower case.
std::string indexedCopy(std::string_view line);
// The same into out, reusing its storage.
void indexedCopy(std::string_view line, std::string& out);

// Lower-cases A to Z in place and leaves every other byte as it is.
void toLowerAscii(std::string& text);

// Calls visit(piece) for every piece of text that is long enough to be a
// word, from left to right, repeats included. The pieces point into text.
template <typename Visit>
void forEachWord(std::string_view text, Visit&& visit) {
    constexpr std::size_t minimumLength = 3;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        if (end - start >= minimumLength) {
            visit(text.substr(start, end - start));
        }
        start = end + 1;
    }
}
