#include "insults/WordSetSearch.h"

#include <algorithm>
#include <functional>
#include <iterator>

namespace {

// At most this many common words are tried set by set.
constexpr std::size_t maxCommonWords = 8;

bool holds(const std::vector<uint64_t>& bitmap, std::size_t insult) {
    return (bitmap[insult / 64] >> (insult % 64)) & 1u;
}

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
        // The bitmaps pay when few insults hold the rarer words.
        std::size_t common = 0;
        std::size_t rareEntries = 0;
        for (const Term& term : terms) {
            if (term.bitmap != nullptr && term.bitmap->size() * 64 >= count) {
                ++common;
            } else {
                rareEntries += term.insults->size();
            }
        }
        if (common <= maxCommonWords && rareEntries * 4 < count) {
            return findWithBitmaps(terms, excluded, count, winner);
        }
        return findByKey(terms, excluded, count, winner);
    }
    return findByNarrowing(terms, excluded, count, winner);
}

void WordSetSearch::winningWords(std::size_t termCount, uint64_t top, Winner& winner) {
    winner.score = static_cast<int64_t>(top >> maskBits);
    for (std::size_t i = 0; i < termCount; ++i) {
        if ((top >> i) & 1u) {
            winner.terms.push_back(i);
        }
    }
}

void WordSetSearch::keyWinner(const std::vector<Term>& terms, std::size_t insultCount, uint64_t top,
                              Winner& winner) const {
    winningWords(terms.size(), top, winner);
    // Every insult with the top key holds the winning words, so it is in each
    // of their lists; the shortest list is the quickest to go through.
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
        keyWinner(terms, insultCount, top, winner);
    }
    std::fill(keys.begin(), keys.end(), 0);
    return top != 0;
}

bool WordSetSearch::findWithBitmaps(const std::vector<Term>& terms,
                                    const std::set<int32_t>& excluded, std::size_t insultCount,
                                    Winner& winner) {
    keys.resize(insultCount, 0);
    touched.clear();
    std::vector<std::size_t> commonTerms;
    for (std::size_t i = 0; i < terms.size(); ++i) {
        if (terms[i].bitmap != nullptr && terms[i].bitmap->size() * 64 >= insultCount) {
            commonTerms.push_back(i);
        }
    }
    const auto step = [&](std::size_t i) {
        return (static_cast<uint64_t>(terms[i].weight) << maskBits) | (uint64_t{1} << i);
    };
    // Keys for the insults that hold a rare word, common words included.
    std::size_t next = 0;
    for (std::size_t i = 0; i < terms.size(); ++i) {
        if (next < commonTerms.size() && commonTerms[next] == i) {
            ++next;
            continue;
        }
        for (int32_t number : *terms[i].insults) {
            if (number >= 0 && static_cast<std::size_t>(number) < insultCount) {
                uint64_t& key = keys[static_cast<std::size_t>(number)];
                if (key == 0) {
                    touched.push_back(number);
                }
                key += step(i);
            }
        }
    }
    for (int32_t number : touched) {
        for (std::size_t i : commonTerms) {
            if (holds(*terms[i].bitmap, static_cast<std::size_t>(number))) {
                keys[static_cast<std::size_t>(number)] += step(i);
            }
        }
    }
    for (int32_t number : excluded) {
        if (number >= 0 && static_cast<std::size_t>(number) < insultCount) {
            keys[static_cast<std::size_t>(number)] = 0;
        }
    }
    uint64_t top = 0;
    for (int32_t number : touched) {
        top = std::max(top, keys[static_cast<std::size_t>(number)]);
    }

    // The insults that hold common words only. Trying the sets of common
    // words from the best key down, the first set that some insult not yet
    // said holds in full is the best of them: an insult holding more of the
    // words would have matched a better set first. So those insults hold
    // exactly that set, and none holds a rare word (its key would beat top).
    bool commonOnly = false;
    uint64_t allCommon = 0;
    for (std::size_t i : commonTerms) {
        allCommon += step(i);
    }
    if (allCommon > top) {
        commonSets.clear();
        for (uint32_t set = 1; set < (uint32_t{1} << commonTerms.size()); ++set) {
            uint64_t key = 0;
            for (std::size_t k = 0; k < commonTerms.size(); ++k) {
                if ((set >> k) & 1u) {
                    key += step(commonTerms[k]);
                }
            }
            commonSets.emplace_back(key, set);
        }
        std::sort(commonSets.begin(), commonSets.end(), std::greater<>());
        const std::size_t words = (insultCount + 63) / 64;
        common.resize(words);
        for (const auto& [key, set] : commonSets) {
            if (key <= top) {
                break;
            }
            std::fill(common.begin(), common.end(), ~uint64_t{0});
            for (std::size_t k = 0; k < commonTerms.size(); ++k) {
                if ((set >> k) & 1u) {
                    const std::vector<uint64_t>& bitmap = *terms[commonTerms[k]].bitmap;
                    for (std::size_t w = 0; w < words; ++w) {
                        common[w] &= bitmap[w];
                    }
                }
            }
            // Bits beyond the last insult, and the insults said, hold nothing.
            if (insultCount % 64 != 0) {
                common[words - 1] &= (uint64_t{1} << (insultCount % 64)) - 1;
            }
            for (int32_t number : excluded) {
                if (number >= 0 && static_cast<std::size_t>(number) < insultCount) {
                    common[static_cast<std::size_t>(number) / 64] &=
                        ~(uint64_t{1} << (static_cast<std::size_t>(number) % 64));
                }
            }
            if (std::any_of(common.begin(), common.end(), [](uint64_t w) { return w != 0; })) {
                top = key;
                commonOnly = true;
                break;
            }
        }
    }

    if (top != 0) {
        if (commonOnly) {
            winningWords(terms.size(), top, winner);
            for (std::size_t w = 0; w < common.size(); ++w) {
                for (uint64_t bits = common[w]; bits != 0; bits &= bits - 1) {
                    winner.candidates.push_back(static_cast<int32_t>(
                        w * 64 + static_cast<std::size_t>(__builtin_ctzll(bits))));
                }
            }
        } else {
            // The winner holds a rare word, so its holders all have keys.
            keyWinner(terms, insultCount, top, winner);
        }
    }
    for (int32_t number : touched) {
        keys[static_cast<std::size_t>(number)] = 0;
    }
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
