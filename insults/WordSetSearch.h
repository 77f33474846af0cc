#pragma once

#include <cstdint>
#include <set>
#include <vector>

// Finds the set of typed words that answers a typed line best, and the
// insults that hold exactly that set.
//
// The rule it keeps: of all sets of typed words that some insult not yet said
// contains in full, take the one with the highest score (the sum of its
// words' weights); among sets with that score, take the one that holds the
// alphabetically latest of the words in which they differ. The candidates are
// the insults not yet said that contain every word of that set.
//
// Trying every set of words would double the work with each typed word.
// Since every weight is at least 1, a set always scores more than any set it
// contains, so the best set is always the whole set of typed words that one
// insult holds, and the insults that contain the best set hold exactly it.
// The search therefore walks each typed word's list of insults once and
// gathers, per insult, its score and which typed words it holds. The cost
// grows with the lengths of those lists, not with the number of word sets.
//
// Up to 32 words, one 64-bit key per insult holds both: the score in the high
// half and a mask of the words (bit i for word i) in the low half. Adding a
// word adds its weight above and its bit below, and comparing keys compares
// by score first and then by the latest word held, which is the rule. Longer
// lines find the top score first and then settle ties word by word.
//
// Words that many insults hold ("you", "are", "the") would make every search
// walk most of the list. Such a word may come with a bitmap of its insults:
// then only the insults that hold one of the rarer typed words get a key (the
// common words are looked up in their bitmaps), and the insults that hold
// common words only are found by trying the sets of common words, best key
// first, on the bitmaps.
class WordSetSearch {
  public:
    // One typed word: its weight (at least 1) and the numbers of the insults
    // that contain it, ascending and each once. Terms are given in ascending
    // word order.
    struct Term {
        int64_t weight = 0;
        const std::vector<int32_t>* insults = nullptr;
        // Optionally the same insults as a bitmap: bit k % 64 of word k / 64
        // for insult k, one bit for every insult below the search's count.
        const std::vector<uint64_t>* bitmap = nullptr;
    };

    // Whether a word held by that many of insultCount insults is worth a
    // bitmap: the bitmap is then no larger than its list.
    static bool worthABitmap(std::size_t holders, std::size_t insultCount) {
        return holders * 32 >= insultCount;
    }

    struct Winner {
        int64_t score = 0;
        // Positions in the term list of the winning words, ascending.
        std::vector<std::size_t> terms;
        // The insults that hold exactly the winning words, ascending.
        std::vector<int32_t> candidates;
    };

    // Fills winner and returns true when some insult below insultCount and not
    // in excluded holds at least one term; returns false otherwise.
    bool find(const std::vector<Term>& terms, const std::set<int32_t>& excluded,
              int32_t insultCount, Winner& winner);

  private:
    // Words per key, and the key's shift to its score half.
    static constexpr std::size_t maskBits = 32;

    bool findByKey(const std::vector<Term>& terms, const std::set<int32_t>& excluded,
                   std::size_t insultCount, Winner& winner);
    // The score and words of the top key.
    static void winningWords(std::size_t termCount, uint64_t top, Winner& winner);
    // The winner of the top key: its words, and the insults whose key it is.
    void keyWinner(const std::vector<Term>& terms, std::size_t insultCount, uint64_t top,
                   Winner& winner) const;
    bool findWithBitmaps(const std::vector<Term>& terms, const std::set<int32_t>& excluded,
                         std::size_t insultCount, Winner& winner);
    bool findByNarrowing(const std::vector<Term>& terms, const std::set<int32_t>& excluded,
                         std::size_t insultCount, Winner& winner);

    // Kept between searches so that a search allocates little; keys and
    // scores are all zero between searches.
    std::vector<uint64_t> keys;
    std::vector<int32_t> touched;
    std::vector<uint64_t> common;
    std::vector<std::pair<uint64_t, uint32_t>> commonSets;
    std::vector<int64_t> scores;
    std::vector<int32_t> best;
    std::vector<int32_t> narrowed;
};
