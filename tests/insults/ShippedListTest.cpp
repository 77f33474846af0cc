// The insult list that ships with the game, as staged into the run directory:
// the rules that keep every line fitting the speech bubble and every joke
// told once. (How wide each row is in the game's font is checked with the
// font itself, in the graphics tests.)
#include "insults/InsultWords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// The bubble breaks a line with a hyphen after this many characters, and
// shows two rows of insult above the strength. A longer line would need a
// third row, which falls below the bubble.
constexpr std::size_t row = 45;
constexpr std::size_t longest = 2 * row - 2;

std::vector<std::string> shippedLines() {
    std::ifstream file("./insults.txt", std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line)) {
        lines.push_back(line);
    }
    return lines;
}

bool letter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

TEST(ShippedInsultList, HoldsThousandsOfLinesAndWords) {
    const std::vector<std::string> lines = shippedLines();
    EXPECT_GE(lines.size(), 3000u);
    std::set<std::string> words;
    for (const std::string& line : lines) {
        const std::string copy = indexedCopy(line);
        forEachWord(copy, [&](std::string_view word) { words.emplace(word); });
    }
    EXPECT_GE(words.size(), 6000u);
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

TEST(ShippedInsultList, EveryLineFitsTheBubbleRows) {
    for (const std::string& line : shippedLines()) {
        const std::size_t n = line.size();
        EXPECT_LE(n, longest) << line;
        // 46 to 48 characters would leave one to three alone on the second row.
        EXPECT_FALSE(n > row && n <= row + 3) << n << " characters: " << line;
        // The hyphen splits a word, with two letters or more on either side.
        if (n > row + 3) {
            EXPECT_TRUE(letter(line[row - 2]) && letter(line[row - 1]) && letter(line[row]) &&
                        letter(line[row + 1]))
                << "row break at \"" << line.substr(row - 5, 5) << "|" << line.substr(row, 5)
                << "\": " << line;
        }
    }
}

// Words that say nothing of the joke, left out when comparing two lines.
const std::set<std::string> fillers = {
    "about", "again", "all",    "also",  "and",   "any",   "are",      "aren",  "because", "been",
    "but",   "can",   "cannot", "cant",  "could", "did",   "does",     "doing", "dont",    "even",
    "ever",  "for",   "from",   "get",   "gets",  "going", "gonna",    "got",   "had",     "has",
    "have",  "her",   "him",    "his",   "how",   "into",  "isnt",     "its",   "just",    "like",
    "look",  "looks", "made",   "make",  "makes", "more",  "most",     "much",  "not",     "now",
    "off",   "one",   "only",   "out",   "over",  "own",   "really",   "she",   "should",  "some",
    "still", "such",  "than",   "that",  "the",   "their", "them",     "then",  "there",   "these",
    "they",  "this",  "those",  "too",   "very",  "was",   "wasnt",    "way",   "well",    "were",
    "what",  "when",  "where",  "which", "who",   "why",   "will",     "with",  "would",   "yet",
    "you",   "youd",  "youll",  "your",  "youre", "yours", "yourself", "youve"};

std::set<std::string> jokeWords(const std::string& line) {
    std::set<std::string> words;
    const std::string copy = indexedCopy(line);
    forEachWord(copy, [&](std::string_view word) {
        std::string w(word);
        if (fillers.count(w) == 0) {
            words.insert(std::move(w));
        }
    });
    return words;
}

// Lines that differ only in case, punctuation or spacing are one line.
TEST(ShippedInsultList, NoLineIsRepeated) {
    std::map<std::string, std::string> seen;
    for (const std::string& line : shippedLines()) {
        std::string key;
        for (char c : line) {
            if (letter(c)) {
                key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            }
        }
        const auto [at, added] = seen.emplace(key, line);
        EXPECT_TRUE(added) << "\"" << line << "\" repeats \"" << at->second << "\"";
    }
}

// The same joke told twice shares most of its words: two lines with three or
// more words of their own in common, and half or more of all their words.
TEST(ShippedInsultList, NoJokeIsToldTwice) {
    const std::vector<std::string> lines = shippedLines();
    std::vector<std::set<std::string>> words;
    std::map<std::string, std::vector<std::size_t>> linesWith;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        words.push_back(jokeWords(lines[i]));
        for (const std::string& w : words.back()) {
            linesWith[w].push_back(i);
        }
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::map<std::size_t, std::size_t> shared;
        for (const std::string& w : words[i]) {
            for (std::size_t j : linesWith[w]) {
                if (j > i) {
                    ++shared[j];
                }
            }
        }
        for (const auto& [j, count] : shared) {
            std::set<std::string> both = words[i];
            both.insert(words[j].begin(), words[j].end());
            EXPECT_FALSE(count >= 3 && 2 * count >= both.size())
                << "\"" << lines[i] << "\" and \"" << lines[j] << "\"";
        }
    }
}

} // namespace
