#include "bench/GeneratedInsults.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <unordered_set>

namespace {

// The everyday and robot words that players type most, roughly in the order
// of how often they turn up in insults.
const char* const commonWords[] = {
    "your",   "you",    "the",      "youre",      "and",    "like",    "with",    "are",
    "than",   "that",   "has",      "even",       "for",    "have",    "brain",   "its",
    "was",    "rust",   "battery",  "robot",      "face",   "bolts",   "old",     "more",
    "from",   "head",   "own",      "circuits",   "can",    "lost",    "still",   "tried",
    "bad",    "only",   "every",    "off",        "mother", "scrap",   "tin",     "smell",
    "stupid", "ugly",   "slow",     "firmware",   "gears",  "oil",     "toaster", "wires",
    "metal",  "beep",   "antenna",  "chip",       "memory", "screen",  "code",    "bug",
    "dumb",   "loose",  "screw",    "cheap",      "broken", "junk",    "heap",    "spare",
    "parts",  "socket", "plug",     "fuse",       "volt",   "spark",   "motor",   "wheel",
    "clank",  "rattle", "dent",     "scratch",    "grease", "leak",    "crash",   "reboot",
    "update", "manual", "warranty", "calculator", "vacuum", "blender", "kettle",  "fridge",
};

constexpr int32_t madeUpWordCount = 12000;

std::string madeUpWord(std::mt19937& random) {
    static const char* const syllables[] = {"ba",  "ko", "ri",  "zu",  "mel", "tan", "vor", "pi",
                                            "gra", "lo", "nex", "qui", "sta", "du",  "fen", "ow"};
    std::uniform_int_distribution<int> count(2, 4);
    std::uniform_int_distribution<int> syllable(0, 15);
    std::string word;
    for (int n = count(random); n > 0; --n) {
        word += syllables[syllable(random)];
    }
    return word;
}

std::vector<std::string> buildVocabulary() {
    std::vector<std::string> words(std::begin(commonWords), std::end(commonWords));
    std::unordered_set<std::string> known(words.begin(), words.end());
    std::mt19937 random(7);
    while (words.size() < std::size(commonWords) + madeUpWordCount) {
        std::string word = madeUpWord(random);
        if (known.insert(word).second) {
            words.push_back(word);
        }
    }
    return words;
}

} // namespace

const std::vector<std::string>& GeneratedInsults::vocabulary() {
    static const std::vector<std::string> words = buildVocabulary();
    return words;
}

void GeneratedInsults::write(const std::string& path, int32_t lineCount) {
    const std::vector<std::string>& words = vocabulary();
    std::vector<double> weights(words.size());
    for (std::size_t rank = 0; rank < words.size(); ++rank) {
        weights[rank] = 1.0 / static_cast<double>(rank + 1);
    }
    std::discrete_distribution<std::size_t> pickWord(weights.begin(), weights.end());
    std::uniform_int_distribution<int> wordsPerLine(5, 16);
    std::uniform_int_distribution<int> percent(0, 99);
    std::mt19937 random(2024);

    std::ofstream out(path, std::ios::binary);
    std::string line;
    for (int32_t l = 0; l < lineCount; ++l) {
        line.clear();
        for (int w = wordsPerLine(random); w > 0; --w) {
            std::string word = words[pickWord(random)];
            if (line.empty() || percent(random) < 5) {
                word[0] = static_cast<char>(word[0] - 'a' + 'A');
            }
            if (!line.empty()) {
                line += percent(random) < 8 ? ", " : " ";
            }
            line += word;
        }
        line += percent(random) < 30 ? "!\n" : ".\n";
        out << line;
    }
}
