// The insult list that ships with the game, as staged into the run directory:
// the rules that keep every line fitting the speech bubble and every joke
// told once. (How wide each row is in the game's font is checked with the
// font itself, in the graphics tests.)
#include "battle/BubbleText.h"
#include "insults/InsultWords.h"

#include <hunspell.hxx>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// The bubble shows two rows of insult above the strength; a third row would
// fall below it. No line is longer than this, whatever its spaces.
constexpr std::size_t longest = 88;

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
        EXPECT_LE(line.size(), longest) << line;
        const std::string rows = bubbleRows(line);
        EXPECT_LE(std::count(rows.begin(), rows.end(), '\n'), 1) << "more than two rows: " << rows;
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

// The rules' own lists beside this file: one entry a line, # for comments.
std::vector<std::string> ruleList(const char* name) {
    std::ifstream file(std::string(LIST_RULES_DIR) + "/" + name);
    std::vector<std::string> entries;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line[0] != '#') {
            entries.push_back(line);
        }
    }
    return entries;
}

// The words as a reader sees them: letters with apostrophes inside
// ("you're"), a possessive "'s" left off, and the parts of a hyphenated word
// ("dial-up") each a word of its own.
std::vector<std::string> spokenWords(const std::string& line) {
    std::vector<std::string> words;
    std::string w;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        const char c = i < line.size() ? line[i] : ' ';
        // An apostrophe belongs to the word only between two letters.
        const bool inner = c == '\'' && !w.empty() && i + 1 < line.size() && letter(line[i + 1]);
        if (letter(c) || inner) {
            w += c;
            continue;
        }
        if (w.size() > 2 && w.compare(w.size() - 2, 2, "'s") == 0) {
            w.resize(w.size() - 2);
        }
        if (!w.empty()) {
            words.push_back(w);
        }
        w.clear();
    }
    return words;
}

// Either spelling of English counts ("colour", "color"). The few words of the
// game's own that no dictionary has are listed, each on purpose, and so are
// the chat words players type, which only a handful of lines may hold.
TEST(ShippedInsultList, EveryWordIsSpelt) {
    Hunspell us("/usr/share/hunspell/en_US.aff", "/usr/share/hunspell/en_US.dic");
    Hunspell gb("/usr/share/hunspell/en_GB.aff", "/usr/share/hunspell/en_GB.dic");
    ASSERT_TRUE(us.spell(std::string("robot")) && gb.spell(std::string("colour")) &&
                !us.spell(std::string("colour")))
        << "the en_US and en_GB dictionaries are not installed";
    std::vector<std::string> listed = ruleList("game-words.txt");
    const std::vector<std::string> chat = ruleList("chat-words.txt");
    listed.insert(listed.end(), chat.begin(), chat.end());
    const std::set<std::string> own(listed.begin(), listed.end());
    ASSERT_FALSE(own.empty());
    // A sentence may start with a listed word: "Noob" is "noob".
    auto ownWord = [&](std::string w) {
        if (own.count(w) != 0) {
            return true;
        }
        w[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(w[0])));
        return own.count(w) != 0;
    };
    std::set<std::string> checked;
    for (const std::string& line : shippedLines()) {
        for (const std::string& w : spokenWords(line)) {
            if (checked.insert(w).second) {
                EXPECT_TRUE(ownWord(w) || us.spell(w) || gb.spell(w))
                    << "\"" << w << "\" in: " << line;
            }
        }
    }
}

// Lower case, every run of characters other than letters and digits one
// space, and a space at each end, as the banned list is matched.
std::string spaced(const std::string& line) {
    std::string out = " ";
    for (char c : line) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (out.back() != ' ') {
            out += ' ';
        }
    }
    return out.back() == ' ' ? out : out + ' ';
}

// Brands, unkind words, stock insults, memes and chat-speak.
TEST(ShippedInsultList, NoLineHoldsABannedWordOrPhrase) {
    const std::vector<std::string> banned = ruleList("banned.txt");
    ASSERT_FALSE(banned.empty());
    for (const std::string& line : shippedLines()) {
        const std::string words = spaced(line);
        for (const std::string& b : banned) {
            EXPECT_EQ(words.find(" " + b + " "), std::string::npos) << b << " in: " << line;
        }
    }
}

// A word with its ending taken off: "twiddling" and "twiddle" are one word.
std::string stem(std::string w) {
    for (const char* suffix : {"ing", "ed", "es", "er", "est", "ly", "s", "y"}) {
        const std::size_t n = std::char_traits<char>::length(suffix);
        if (w.size() >= n + 3 && w.compare(w.size() - n, n, suffix) == 0) {
            w.resize(w.size() - n);
            break;
        }
    }
    if (w.size() >= 4 && w.back() == w[w.size() - 2] &&
        std::string("aeiou").find(w.back()) == std::string::npos) {
        w.pop_back();
    }
    if (w.size() > 3 && w.back() == 'e') {
        w.pop_back();
    }
    return w;
}

// Two forms of one word in a line ("Your shine dulled. Your chatter dulls.")
// hold a word rather than tell a joke; a few jokes need them. One old formula
// may come back now and then, no more, and chat words (which the voice reads
// badly) stay in a handful of lines.
TEST(ShippedInsultList, WordFormsFormulasAndChatStayRare) {
    const std::vector<std::string> lines = shippedLines();
    const std::vector<std::string> chat = ruleList("chat-words.txt");
    ASSERT_FALSE(chat.empty());
    std::size_t twoForms = 0, fightLike = 0, chatLines = 0;
    for (const std::string& line : lines) {
        std::map<std::string, std::string> stems;
        bool twice = false;
        for (const std::string& w : jokeWords(line)) {
            const auto [at, added] = stems.emplace(stem(w), w);
            twice = twice || !added;
        }
        twoForms += twice ? 1 : 0;
        const std::string words = spaced(line);
        fightLike += words.find(" fight like a") != std::string::npos ? 1 : 0;
        for (const std::string& word : chat) {
            if (words.find(" " + word + " ") != std::string::npos) {
                ++chatLines;
                break;
            }
        }
    }
    EXPECT_LE(twoForms * 50, lines.size()) << twoForms << " lines hold two forms of a word";
    EXPECT_LE(fightLike, 3u);
    EXPECT_LE(chatLines, 10u) << chatLines << " lines hold chat words";
}

} // namespace
