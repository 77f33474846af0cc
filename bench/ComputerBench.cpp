// The computer opponent at each level against a scripted player, on the
// game's own insult list with the game's turn and threshold rules: the
// player is blue and speaks first with a line drawn at random from the
// corpus of player lines; the computer answers as red. Prints, per level, how
// many battles the computer wins, how many turns a battle lasts, and what one
// choice of a line costs (mean and worst), and the worst choice of all in a
// late battle, with most of the list already said.
//
//   computer_bench [--insults FILE] [--corpus FILE] [--battles N] [--seed S]
#include "battle/ComputerPlayer.h"
#include "bench/ListAndCorpus.h"
#include "insults/InsultDatabase.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Choosing {
    double totalMicros = 0, worstMicros = 0;
    long count = 0;
};

std::string timedChoice(ComputerPlayer& computer, InsultDatabase& database, ComputerLevel level,
                        int32_t threshold, Choosing& timing) {
    const auto started = Clock::now();
    std::string line = computer.chooseLine(database, level, threshold);
    const double micros = std::chrono::duration<double, std::micro>(Clock::now() - started).count();
    timing.totalMicros += micros;
    timing.worstMicros = std::max(timing.worstMicros, micros);
    ++timing.count;
    return line;
}

// One turn by the rules of the battle: true when the side loses.
bool turnLoses(InsultDatabase& database, const std::string& line, int32_t& threshold) {
    std::string text = line, reply;
    int32_t strength = 0;
    database.matchInsult(text, false, reply, strength);
    if (0.75 * strength > threshold) {
        threshold = static_cast<int32_t>(0.75 * strength);
    }
    return strength < threshold;
}

} // namespace

int main(int argc, char** argv) {
    BenchOptions options;
    if (!parseBenchOptions(argc, argv, options)) {
        return 2;
    }
    InsultDatabase database(options.insults);
    const std::vector<std::string> corpus = corpusFor(database, options);
    if (corpus.empty()) {
        return 1;
    }
    const char* insultPath = options.insults;
    const char* corpusPath = options.corpus;
    const long battles = options.battles;
    const unsigned seed = options.seed;
    std::printf("insult list: %zu lines (%s); player lines: %zu (%s)\n", database.insults.size(),
                insultPath, corpus.size(), corpusPath);

    const struct {
        ComputerLevel level;
        const char* name;
    } levels[] = {{ComputerLevel::easy, "easy"},
                  {ComputerLevel::normal, "normal"},
                  {ComputerLevel::hard, "hard"}};
    double worstOfAll = 0;
    for (const auto& [level, name] : levels) {
        std::mt19937 random(seed);
        std::uniform_int_distribution<std::size_t> pick(0, corpus.size() - 1);
        ComputerPlayer computer(seed);
        Choosing timing;
        long wins = 0, turns = 0;
        for (long b = 0; b < battles; ++b) {
            database.resetUsed();
            int32_t threshold = 0;
            for (int turn = 1; turn <= 1000; ++turn) {
                const bool playerTurn = turn % 2 == 1;
                const std::string line =
                    playerTurn ? corpus[pick(random)]
                               : timedChoice(computer, database, level, threshold, timing);
                if (turnLoses(database, line, threshold)) {
                    wins += playerTurn ? 1 : 0;
                    turns += turn;
                    break;
                }
            }
        }
        worstOfAll = std::max(worstOfAll, timing.worstMicros);
        std::printf("%-6s: the computer wins %.1f %% of %ld battles; %.2f turns a battle; "
                    "choosing a line takes %.0f us on average, %.0f us at worst\n",
                    name, 100.0 * wins / battles, battles, static_cast<double>(turns) / battles,
                    timing.totalMicros / std::max(1L, timing.count), timing.worstMicros);
    }

    // Late in a long battle: nine insults in ten said, every word used.
    for (const auto& [level, name] : levels) {
        database.resetUsed();
        for (std::size_t i = 0; i < database.insults.size(); ++i) {
            if (i % 10 != 0) {
                database.usedInsults.insert(static_cast<int32_t>(i));
            }
        }
        for (const auto& [word, holders] : database.wordIndex) {
            database.usedWords.insert(word);
        }
        ComputerPlayer computer(seed);
        Choosing timing;
        for (int i = 0; i < 200; ++i) {
            timedChoice(computer, database, level, 1000, timing);
        }
        worstOfAll = std::max(worstOfAll, timing.worstMicros);
        std::printf("%-6s, late battle: %.0f us on average, %.0f us at worst\n", name,
                    timing.totalMicros / timing.count, timing.worstMicros);
    }
    std::printf("worst choice of all: %.2f ms\n", worstOfAll / 1000);
    return 0;
}
