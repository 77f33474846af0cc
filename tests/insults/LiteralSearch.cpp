#include "tests/insults/LiteralSearch.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <stdexcept>

namespace literal {

namespace {

int32_t draw(uint32_t& state) {
    state = state * 214013u + 2531011u;
    return static_cast<int32_t>((state >> 16) & 0x7fffu);
}

// Cuts at every single space and keeps pieces of 3 or more characters.
std::vector<std::string> pieces(const std::string& text) {
    std::vector<std::string> out;
    std::string piece;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ' ') {
            if (piece.size() >= 3) {
                out.push_back(piece);
            }
            piece.clear();
        } else {
            piece.push_back(text[i]);
        }
    }
    return out;
}

} // namespace

std::vector<std::string> typedWords(const InsultDatabase& db, std::string& text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    std::vector<std::string> words;
    for (const std::string& piece : pieces(text)) {
        if (db.wordIndex.count(piece) != 0) {
            words.push_back(piece);
        }
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    return words;
}

void matchInsult(InsultDatabase& db, uint32_t& randomState, std::string& text, bool peekOnly,
                 std::string& insultOut, int32_t& strengthOut) {
    const std::vector<std::string> words = typedWords(db, text);
    const auto n = static_cast<uint32_t>(words.size());

    bool haveWinner = false;
    int32_t winnerScore = 0;
    std::vector<int32_t> winnerList;
    std::set<std::string> winnerWords;

    if (n > 31) {
        throw std::invalid_argument("the literal search holds at most 31 words");
    }
    if (n > 0) {
        for (uint32_t mask = (1u << n) - 1; mask >= 1; --mask) {
            std::set<int32_t> candidates = db.allInsults;
            int32_t score = 0;
            std::set<std::string> subsetWords;
            for (uint32_t i = 0; i < n && !candidates.empty(); ++i) {
                if ((mask & (1u << i)) == 0) {
                    continue;
                }
                const std::set<int32_t>& holding = db.wordIndex.at(words[i]);
                std::set<int32_t> kept;
                std::set_intersection(candidates.begin(), candidates.end(), holding.begin(),
                                      holding.end(), std::inserter(kept, kept.end()));
                candidates.swap(kept);
                score += static_cast<int32_t>(words[i].size());
                if (db.usedWords.count(words[i]) != 0) {
                    score -= 2;
                }
                subsetWords.insert(words[i]);
            }
            std::vector<int32_t> list;
            for (int32_t number : candidates) {
                if (db.usedInsults.count(number) == 0) {
                    list.push_back(number);
                }
            }
            if (!list.empty() && score > winnerScore) {
                haveWinner = true;
                winnerScore = score;
                winnerList = list;
                winnerWords = subsetWords;
            }
        }
    }

    if (!haveWinner) {
        insultOut = "Well... you suck";
        strengthOut = 0;
        return;
    }
    const int32_t r = draw(randomState);
    const int32_t chosen = winnerList[static_cast<std::size_t>(r) % winnerList.size()];
    insultOut = db.insults[static_cast<std::size_t>(chosen)];
    strengthOut = winnerScore;
    if (!peekOnly) {
        db.usedInsults.insert(chosen);
        db.usedWords.insert(winnerWords.begin(), winnerWords.end());
    }
}

} // namespace literal
