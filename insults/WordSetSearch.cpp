#include "insults/WordSetSearch.h"

#include <algorithm>
#include <iterator>

namespace {

// Puts into out the numbers that are in both ascending lists. When one list
// is much shorter, its numbers are looked up in the other by binary search,
// so a handful of tied insults is checked quickly against a long list.
void intersect(const std::vector<int32_t>& a, const std::vector<int32_t>& b,
               std::vector<int32_t>& out) {
    const std::vector<int32_t>& shortList = a.size() <= b.size() ? a : b;
    const std::vector<int32_t>& longList = a.size() <= b.size() ? b : a;
    out.clear();
    if (shortList.size() * 16 >= longList.size()) {
        std::set_intersection(shortList.begin(), shortList.end(), longList.begin(), longList.end(),
                              std::back_inserter(out));
        return;
    }
    auto from = longList.begin();
    for (int32_t number : shortList) {
        from = std::lower_bound(from, longList.end(), number);
        if (from == longList.end()) {
            break;
        }
        if (*from == number) {
            out.push_back(number);
        }
    }
}

} // namespace

bool WordSetSearch::find(const std::vector<Term>& terms, const std::set<int32_t>& excluded,
                         int32_t insultCount, Winner& winner) {
    winner = Winner();
    if (terms.empty() || insultCount <= 0) {
        return false;
    }
    const auto count = static_cast<std::size_t>(insultCount);
    int64_t totalWeight = 0;
    for (const Term& term : terms) {
        totalWeight += term.weight;
    }
    if (terms.size() <= maskBits && totalWeight <= int64_t{0xffffffff}) {
        return findByKey(terms, excluded, count, winner);
    }
    return findByNarrowing(terms, excluded, count, winner);
}

bool WordSetSearch::findByKey(const std::vector<Term>& terms, const std::set<int32_t>& excluded,
                              std::size_t insultCount, Winner& winner) {
    keys.resize(insultCount, 0);
    for (std::size_t i = 0; i < terms.size(); ++i) {
        // An insult is in a word's list once, so adding the bit sets it.
        const uint64_t step =
            (static_cast<uint64_t>(terms[i].weight) << maskBits) | (uint64_t{1} << i);
        for (int32_t number : *terms[i].insults) {
            if (number >= 0 && static_cast<std::size_t>(number) < insultCount) {
                keys[static_cast<std::size_t>(number)] += step;
            }
        }
    }
    // Insults said in this battle count as holding nothing.
    for (int32_t number : excluded) {
        if (number >= 0 && static_cast<std::size_t>(number) < insultCount) {
            keys[static_cast<std::size_t>(number)] = 0;
        }
    }
    // Four running maxima let the processor compare several keys at once.
    uint64_t tops[4] = {0, 0, 0, 0};
    std::size_t k = 0;
    for (; k + 4 <= insultCount; k += 4) {
        for (std::size_t lane = 0; lane < 4; ++lane) {
            tops[lane] = std::max(tops[lane], keys[k + lane]);
        }
    }
    for (; k < insultCount; ++k) {
        tops[0] = std::max(tops[0], keys[k]);
    }
    const uint64_t top = *std::max_element(std::begin(tops), std::end(tops));
    if (top != 0) {
        winner.score = static_cast<int64_t>(top >> maskBits);
        for (std::size_t i = 0; i < terms.size(); ++i) {
            if ((top >> i) & 1u) {
                winner.terms.push_back(i);
            }
        }
        // Every insult with the top key holds the winning words, so it is in
        // each of their lists; the shortest list is the quickest to go
        // through.
        const std::vector<int32_t>* shortest = terms[winner.terms.front()].insults;
        for (std::size_t i : winner.terms) {
            if (terms[i].insults->size() < shortest->size()) {
                shortest = terms[i].insults;
            }
        }
        for (int32_t number : *shortest) {
            if (number >= 0 && static_cast<std::size_t>(number) < insultCount &&
                keys[static_cast<std::size_t>(number)] == top) {
                winner.candidates.push_back(number);
            }
        }
    }
    std::fill(keys.begin(), keys.end(), 0);
    return top != 0;
}

// Find the insults with the top score, then settle ties among them word by
// word, from the alphabetically latest word down. Whenever some of the
// remaining insults hold the word, the ones that do not are out: whatever they
// hold besides, it is only earlier words. At the end every remaining insult
// holds the same words, and those are the winning set.
bool WordSetSearch::findByNarrowing(const std::vector<Term>& terms,
                                    const std::set<int32_t>& excluded, std::size_t insultCount,
                                    Winner& winner) {
    scores.resize(insultCount, 0);
    for (const Term& term : terms) {
        for (int32_t number : *term.insults) {
            if (number >= 0 && static_cast<std::size_t>(number) < insultCount) {
                scores[static_cast<std::size_t>(number)] += term.weight;
            }
        }
    }
    for (int32_t number : excluded) {
        if (number >= 0 && static_cast<std::size_t>(number) < insultCount) {
            scores[static_cast<std::size_t>(number)] = 0;
        }
    }
    int64_t top = 0;
    best.clear();
    for (std::size_t k = 0; k < insultCount; ++k) {
        const int64_t score = scores[k];
        scores[k] = 0;
        if (score > top) {
            top = score;
            best.clear();
        }
        if (score == top && score > 0) {
            best.push_back(static_cast<int32_t>(k));
        }
    }
    if (top <= 0) {
        return false;
    }
    winner.score = top;
    for (std::size_t i = terms.size(); i-- > 0;) {
        intersect(best, *terms[i].insults, narrowed);
        if (!narrowed.empty()) {
            best.swap(narrowed);
            winner.terms.push_back(i);
        }
    }
    std::reverse(winner.terms.begin(), winner.terms.end());
    winner.candidates = best;
    return true;
}
