// The search on its own, with made-up word lists: long lines beyond what a
// 32-bit mask holds, and weights beyond what the compact key holds, against a
// plain reference that works out each insult's word set.
#include "insults/WordSetSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

namespace {

using Term = WordSetSearch::Term;

struct Expected {
    bool found = false;
    int64_t score = 0;
    std::vector<std::size_t> terms;
    std::vector<int32_t> candidates;
};

// For every insult not said, the typed words it holds and their score; the
// best set is the one with the top score and, among those, the latest word
// in which two sets differ: compare the sets from their latest words down.
Expected reference(const std::vector<std::vector<int32_t>>& lists, const std::vector<Term>& terms,
                   const std::set<int32_t>& excluded, int32_t insultCount) {
    Expected expected;
    std::vector<std::size_t> bestDescending;
    std::vector<std::vector<std::size_t>> held(static_cast<std::size_t>(insultCount));
    for (std::size_t i = terms.size(); i-- > 0;) {
        for (int32_t k : lists[i]) {
            held[static_cast<std::size_t>(k)].push_back(i);
        }
    }
    for (int32_t k = 0; k < insultCount; ++k) {
        const auto& words = held[static_cast<std::size_t>(k)];
        if (words.empty() || excluded.count(k) != 0) {
            continue;
        }
        int64_t score = 0;
        for (std::size_t i : words) {
            score += terms[i].weight;
        }
        const bool better =
            !expected.found || score > expected.score ||
            (score == expected.score &&
             std::lexicographical_compare(bestDescending.begin(), bestDescending.end(),
                                          words.begin(), words.end()));
        if (better) {
            expected.found = true;
            expected.score = score;
            bestDescending = words;
            expected.candidates.clear();
        }
        if (words == bestDescending) {
            expected.candidates.push_back(k);
        }
    }
    expected.terms.assign(bestDescending.rbegin(), bestDescending.rend());
    return expected;
}

void expectSame(WordSetSearch& search, const std::vector<std::vector<int32_t>>& lists,
                const std::vector<Term>& terms, const std::set<int32_t>& excluded,
                int32_t insultCount) {
    const Expected expected = reference(lists, terms, excluded, insultCount);
    WordSetSearch::Winner winner;
    ASSERT_EQ(search.find(terms, excluded, insultCount, winner), expected.found);
    if (expected.found) {
        EXPECT_EQ(winner.score, expected.score);
        EXPECT_EQ(winner.terms, expected.terms);
        EXPECT_EQ(winner.candidates, expected.candidates);
    }
}

std::vector<Term> termsFor(const std::vector<std::vector<int32_t>>& lists,
                           const std::vector<int64_t>& weights) {
    std::vector<Term> terms;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        terms.push_back(Term{weights[i], &lists[i]});
    }
    return terms;
}

// Random lists over a few insults, so that many insults hold several of the
// words and many word sets tie; from 1 word to far more than 32.
TEST(WordSetSearch, AgreesWithThePlainReferenceForAnyNumberOfWords) {
    std::mt19937 random(99);
    WordSetSearch search; // reused, as the database does
    for (int round = 0; round < 3000; ++round) {
        const int32_t insultCount = std::uniform_int_distribution<int32_t>(1, 40)(random);
        const int wordCount =
            std::uniform_int_distribution<int>(1, round % 3 == 0 ? 90 : 33)(random);
        const double density = std::uniform_real_distribution<double>(0.02, 0.5)(random);
        std::vector<std::vector<int32_t>> lists(static_cast<std::size_t>(wordCount));
        std::vector<int64_t> weights;
        for (auto& list : lists) {
            for (int32_t k = 0; k < insultCount; ++k) {
                if (std::bernoulli_distribution(density)(random)) {
                    list.push_back(k);
                }
            }
            if (list.empty()) {
                list.push_back(std::uniform_int_distribution<int32_t>(0, insultCount - 1)(random));
            }
            weights.push_back(std::uniform_int_distribution<int64_t>(1, 4)(random));
        }
        std::set<int32_t> excluded;
        for (int32_t k = 0; k < insultCount; ++k) {
            if (std::bernoulli_distribution(0.2)(random)) {
                excluded.insert(k);
            }
        }
        SCOPED_TRACE("round " + std::to_string(round) + ", words " + std::to_string(wordCount));
        expectSame(search, lists, termsFor(lists, weights), excluded, insultCount);
        if (HasFatalFailure() || HasNonfatalFailure()) {
            return;
        }
    }
}

// Weights that do not fit the compact key's 32-bit score half.
TEST(WordSetSearch, HugeWeightsGiveTheSameAnswer) {
    const std::vector<std::vector<int32_t>> lists = {{0, 1}, {1, 2}, {0, 2}};
    const int64_t big = int64_t{3} << 31;
    WordSetSearch search;
    // Insults 0, 1 and 2 hold words {0, 2}, {0, 1} and {1, 2}. With equal
    // weights all score the same and {1, 2} wins, having the latest word and
    // then the later second one; then without insult 2; then with word 0
    // weighing a little more.
    expectSame(search, lists, termsFor(lists, {big, big, big}), {}, 3);
    expectSame(search, lists, termsFor(lists, {big, big, big}), {2}, 3);
    expectSame(search, lists, termsFor(lists, {big + 1, big, big}), {}, 3);
    WordSetSearch::Winner winner;
    ASSERT_TRUE(search.find(termsFor(lists, {big, big, big}), {}, 3, winner));
    EXPECT_EQ(winner.score, 2 * big);
    EXPECT_EQ(winner.terms, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(winner.candidates, (std::vector<int32_t>{2}));
}

TEST(WordSetSearch, NoTermsOrNoInsultsFindNothing) {
    WordSetSearch search;
    WordSetSearch::Winner winner;
    EXPECT_FALSE(search.find({}, {}, 5, winner));
    const std::vector<int32_t> list = {0};
    EXPECT_FALSE(search.find({Term{3, &list}}, {0}, 1, winner));
    EXPECT_FALSE(search.find({Term{3, &list}}, {}, 0, winner));
}

} // namespace
