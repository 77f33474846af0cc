#include "battle/ComputerPlayer.h"

#include "insults/InsultRandom.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <string_view>
#include <vector>

namespace {

// Words that carry no insult: a player aiming at a line leaves them out.
bool filler(std::string_view word) {
    static const std::array<std::string_view, 40> words = {
        "and", "are",  "but",  "can",  "for",   "from",  "had",  "has",  "have", "her",
        "him", "his",  "its",  "just", "like",  "more",  "not",  "now",  "one",  "only",
        "out", "than", "that", "the",  "them",  "then",  "they", "this", "too",  "very",
        "was", "were", "what", "when", "which", "while", "who",  "will", "with", "you"};
    return std::find(words.begin(), words.end(), word) != words.end();
}

bool letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

struct Word {
    std::string text;
    std::size_t at; // position among the insult's words
};

// The insult's plain words, lower case, with the punctuation around them
// taken off; words with an apostrophe, a hyphen or a digit inside are not
// what a player types, so they are left out.
std::vector<Word> plainWords(const std::string& insult) {
    std::vector<Word> words;
    std::size_t start = 0, at = 0;
    while (start < insult.size()) {
        std::size_t end = insult.find(' ', start);
        if (end == std::string::npos) {
            end = insult.size();
        }
        std::size_t first = start, last = end;
        while (first < last && !letter(insult[first])) {
            ++first;
        }
        while (last > first && !letter(insult[last - 1])) {
            --last;
        }
        std::string word;
        bool plain = last > first;
        for (std::size_t i = first; i < last && plain; ++i) {
            plain = letter(insult[i]);
            word += static_cast<char>(insult[i] | 0x20);
        }
        if (plain) {
            words.push_back({word, at});
        }
        ++at;
        start = end + 1;
    }
    return words;
}

} // namespace

ComputerPlayer::ComputerPlayer(uint32_t seed) : random(seed) {}

float ComputerPlayer::thinkingTime() {
    return std::uniform_real_distribution<float>(0.8f, 1.3f)(random);
}

float ComputerPlayer::keyTime() {
    return std::uniform_real_distribution<float>(1.0f / 15, 1.0f / 10)(random);
}

std::string ComputerPlayer::aimAt(const std::string& insult, int keep, bool longest) {
    const std::vector<Word> words = plainWords(insult);
    std::vector<const Word*> chosen;
    for (const Word& w : words) {
        if (w.text.size() >= 3 && !filler(w.text) && w.text != "your") {
            chosen.push_back(&w);
        }
    }
    // The longest (or shortest) words, the earlier one first among equals,
    // back in order.
    std::stable_sort(chosen.begin(), chosen.end(), [longest](const Word* a, const Word* b) {
        return longest ? a->text.size() > b->text.size() : a->text.size() < b->text.size();
    });
    chosen.resize(std::min(chosen.size(), static_cast<std::size_t>(std::max(keep, 0))));
    std::sort(chosen.begin(), chosen.end(),
              [](const Word* a, const Word* b) { return a->at < b->at; });
    std::string line;
    if (!chosen.empty()) {
        for (const Word& w : words) {
            if (w.at >= chosen.front()->at) {
                break;
            }
            if (w.text == "you" || w.text == "your") {
                line = w.text; // the last one before the first chosen word
            }
        }
    }
    for (const Word* w : chosen) {
        line += (line.empty() ? "" : " ") + w->text;
    }
    const bool twoWords = line.find(' ') != std::string::npos;
    return twoWords ? line : std::string();
}

std::string ComputerPlayer::chooseLine(InsultDatabase& database, ComputerLevel level,
                                       int32_t threshold) {
    const auto count = static_cast<int32_t>(database.insults.size());
    if (count == 0) {
        return {};
    }
    // It weighs a few lines aimed at insults still to be said: mostly their
    // longest words, now and then their shortest, as players do.
    const std::size_t weighed = 8;
    std::uniform_int_distribution<int32_t> insultNumber(0, count - 1);
    std::uniform_int_distribution<int> keep(2, 5);
    std::bernoulli_distribution longest(0.7);
    struct Option {
        int32_t strength;
        std::string line;
    };
    std::vector<Option> options;
    // A peek draws from the game's generator; what the computer thinks must
    // not change which insult anybody's line gets.
    const uint32_t generator = insultRandomState();
    // Late in a long battle, when most of the list is said, a peek costs
    // more: the computer then types what it has after a millisecond, so that
    // no frame waits for it.
    const auto started = std::chrono::steady_clock::now();
    const auto enough = std::chrono::microseconds(1000);
    for (int tries = 0; tries < 200 && options.size() < weighed; ++tries) {
        if (!options.empty() && std::chrono::steady_clock::now() - started > enough) {
            break;
        }
        const int32_t number = insultNumber(random);
        if (database.usedInsults.count(number) != 0) {
            continue;
        }
        std::string line = aimAt(database.insults[static_cast<std::size_t>(number)], keep(random),
                                 longest(random));
        if (line.empty()) {
            continue;
        }
        std::string probe = line, reply;
        int32_t strength = 0;
        database.matchInsult(probe, true, reply, strength);
        options.push_back({strength, std::move(line)});
    }
    setInsultRandomState(generator);
    if (options.empty()) {
        return {};
    }
    if (level == ComputerLevel::hard) {
        // The strongest line it found, typed without a slip.
        return std::max_element(
                   options.begin(), options.end(),
                   [](const Option& a, const Option& b) { return a.strength < b.strength; })
            ->line;
    }
    // The others aim at a strength about that of the threshold (the easy
    // one a little short of it, the normal one a little over) and slip on
    // the keys now and then: a misspelt word matches nothing.
    const bool easy = level == ComputerLevel::easy;
    std::uniform_real_distribution<double> aim(easy ? 0.8 : 1.0, easy ? 1.2 : 1.5);
    const double target = aim(random) * threshold;
    const auto nearest = std::min_element(
        options.begin(), options.end(), [target](const Option& a, const Option& b) {
            return std::abs(a.strength - target) < std::abs(b.strength - target);
        });
    return misspell(nearest->line, easy ? 0.65 : 0.42);
}

std::string ComputerPlayer::misspell(std::string line, double chance) {
    std::bernoulli_distribution slip(chance);
    std::size_t start = 0;
    while (start < line.size()) {
        std::size_t end = line.find(' ', start);
        if (end == std::string::npos) {
            end = line.size();
        }
        // Two letters typed the wrong way round, somewhere inside the word.
        if (end - start >= 4 && slip(random)) {
            std::uniform_int_distribution<std::size_t> at(start + 1, end - 2);
            const std::size_t i = at(random);
            std::swap(line[i], line[i + 1]);
        }
        start = end + 1;
    }
    return line;
}
