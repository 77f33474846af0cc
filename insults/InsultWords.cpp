#include "insults/InsultWords.h"

namespace {

bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isLower(char c) { return c >= 'a' && c <= 'z'; }

} // namespace

std::string indexedCopy(std::string_view line) {
    std::string copy;
    indexedCopy(line, copy);
    return copy;
}

void indexedCopy(std::string_view line, std::string& out) {
    out.clear();
    out.reserve(line.size());
    for (char c : line) {
        if (isUpper(c)) {
            out.push_back(static_cast<char>(c - 'A' + 'a'));
        } else if (isLower(c) || c == ' ') {
            out.push_back(c);
        }
    }
}

void toLowerAscii(std::string& text) {
    for (char& c : text) {
        if (isUpper(c)) {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
}
