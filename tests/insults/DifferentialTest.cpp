// Holds the game's matcher to the literal search over every subset of the
// typed words, on thousands of small random insult files and whole battles of
// random typed lines, commits, peeks and resets.
#include "insults/InsultDatabase.h"
#include "insults/InsultRandom.h"
#include "tests/insults/LiteralSearch.h"
#include "tests/insults/TempFile.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Short words of few lengths, so that many word sets tie on score, and
// prefixes of one another, so that order matters.
const std::vector<std::string> vocabulary = {
    "dog",   "dogs", "cat",  "cats", "rust", "bolt", "cog",   "gear", "tin", "nut",
    "scrap", "you",  "your", "face", "slow", "ugly", "brain", "zap",  "aaa", "zzz",
};

// Pieces that are never words of the index, or only sometimes.
const std::vector<std::string> noise = {"", "a", "of", "xyzzy", "qq", "DOG", "Rust", "dog!"};

class RandomBattles {
  public:
    explicit RandomBattles(uint32_t seed) : random(seed) {}

    std::string insultFile() {
        // Mostly small files; some longer than a bitmap's first word.
        const int lines = pick(0, 9) == 0 ? pick(65, 200) : pick(1, 24);
        std::string file;
        for (int l = 0; l < lines; ++l) {
            const int words = pick(0, 6);
            for (int w = 0; w < words; ++w) {
                std::string word = oneOf(vocabulary);
                if (pick(0, 9) == 0) {
                    word[0] = static_cast<char>(word[0] - 'a' + 'A');
                }
                file += word;
                // Mostly spaces; sometimes punctuation that joins two words.
                file += pick(0, 9) == 0 ? "-" : (pick(0, 5) == 0 ? ", " : " ");
            }
            file += pick(0, 4) == 0 ? "\r\n" : "\n";
        }
        return file;
    }

    // Up to maxWords pieces, mostly words of the vocabulary.
    std::string typedLine(int maxWords) {
        const int pieces = pick(0, maxWords);
        std::string line;
        for (int p = 0; p < pieces; ++p) {
            line += pick(0, 5) == 0 ? oneOf(noise) : oneOf(vocabulary);
            line += pick(0, 7) == 0 ? "  " : " ";
        }
        return line;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

  private:
    const std::string& oneOf(const std::vector<std::string>& list) {
        return list[static_cast<std::size_t>(pick(0, static_cast<int>(list.size()) - 1))];
    }

    std::mt19937 random;
};

TEST(InsultMatchingDifferential, AgreesWithTheLiteralSearchOverWholeBattles) {
    int comparedCalls = 0;
    int winners = 0;
    int largestWordCount = 0;
    for (uint32_t seed = 1; seed <= 2500; ++seed) {
        RandomBattles battles(seed);
        TempFile file(battles.insultFile());
        // Common words get bitmaps by the search's own rule (in files this
        // small, every word), or from a random number of holders on.
        const auto commonFrom = static_cast<std::size_t>(battles.pick(0, 5));
        InsultDatabase fast(file.path(), commonFrom);
        InsultDatabase reference(file.path());
        uint32_t referenceState = seed * 2654435761u;
        setInsultRandomState(referenceState);

        const int calls = battles.pick(1, 24);
        for (int call = 0; call < calls; ++call) {
            if (battles.pick(0, 9) == 0) {
                fast.resetUsed();
                reference.resetUsed();
            }
            // Most lines are short; some reach 14 distinct words.
            const std::string typed = battles.typedLine(battles.pick(0, 3) == 0 ? 20 : 6);
            const bool peekOnly = battles.pick(0, 3) == 0;

            std::string fastText = typed;
            std::string fastInsult;
            int32_t fastStrength = -1;
            fast.matchInsult(fastText, peekOnly, fastInsult, fastStrength);

            std::string referenceText = typed;
            std::string referenceInsult;
            int32_t referenceStrength = -1;
            std::string countText = typed;
            const int wordCount =
                static_cast<int>(literal::typedWords(reference, countText).size());
            literal::matchInsult(reference, referenceState, referenceText, peekOnly,
                                 referenceInsult, referenceStrength);

            SCOPED_TRACE("seed " + std::to_string(seed) + ", call " + std::to_string(call) +
                         ", typed '" + typed + "'");
            ASSERT_EQ(fastText, referenceText);
            ASSERT_EQ(fastInsult, referenceInsult);
            ASSERT_EQ(fastStrength, referenceStrength);
            ASSERT_EQ(fast.usedInsults, reference.usedInsults);
            ASSERT_EQ(fast.usedWords, reference.usedWords);
            ASSERT_EQ(insultRandomState(), referenceState);
            ++comparedCalls;
            winners += fastStrength > 0 ? 1 : 0;
            largestWordCount = std::max(largestWordCount, wordCount);
        }
    }
    // The random battles must really exercise the search, not just fall back.
    EXPECT_GT(comparedCalls, 20000);
    EXPECT_GT(winners, comparedCalls / 2);
    EXPECT_GE(largestWordCount, 12);
}

} // namespace
