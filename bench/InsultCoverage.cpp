// How well the insult list answers what players type. Runs a corpus of typed
// lines through the game's own InsultDatabase and prints:
//   - in fresh battles (nothing said yet), the share of answers that share at
//     least one content word with the typed line, and the share of fallbacks;
//   - over many simulated battles, turns drawn at random from the corpus and
//     scored with the game's threshold rule, the share of turns answered with
//     a content word, and the share of battles lost on an answer that had
//     none (the player loses to words the robot never heard).
//
//   insult_coverage [--insults FILE] [--corpus FILE] [--battles N] [--seed S]
#include "bench/ListAndCorpus.h"
#include "insults/InsultDatabase.h"
#include "insults/InsultWords.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

const char* const fallback = "Well... you suck";

// Words that say nothing about what the player meant: an answer that shares
// only these with the typed line has not understood it.
const std::set<std::string> fillers = {
    "about",  "again", "all",    "also",   "and",   "any",   "are",   "aren",  "because",
    "been",   "but",   "can",    "cannot", "cant",  "could", "did",   "does",  "doing",
    "dont",   "even",  "ever",   "for",    "from",  "get",   "gets",  "going", "gonna",
    "got",    "had",   "has",    "have",   "her",   "him",   "his",   "how",   "into",
    "its",    "just",  "like",   "look",   "looks", "made",  "make",  "makes", "more",
    "most",   "much",  "not",    "now",    "off",   "one",   "only",  "out",   "own",
    "really", "she",   "should", "some",   "such",  "than",  "that",  "the",   "their",
    "them",   "then",  "there",  "these",  "they",  "this",  "those", "too",   "very",
    "was",    "were",  "what",   "when",   "where", "which", "who",   "why",   "will",
    "with",   "would", "you",    "youd",   "youll", "your",  "youre", "yours", "yourself",
    "youve",  "yet",   "way",    "over",   "still", "well",  "so",    "isnt",  "wasnt"};

std::set<std::string> contentWords(const std::string& line) {
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

bool sharesContent(const std::string& typed, const std::string& answer) {
    if (answer == fallback) {
        return false;
    }
    const std::set<std::string> said = contentWords(answer);
    for (const std::string& word : contentWords(typed)) {
        if (said.count(word) != 0) {
            return true;
        }
    }
    return false;
}

double percent(long part, long whole) { return whole == 0 ? 0.0 : 100.0 * part / whole; }

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

    // Fresh battles: every typed line is the first of its battle.
    long content = 0, fallbacks = 0;
    for (const std::string& line : corpus) {
        database.resetUsed();
        std::string text = line, answer;
        int32_t strength = 0;
        database.matchInsult(text, false, answer, strength);
        content += sharesContent(line, answer) ? 1 : 0;
        fallbacks += answer == fallback ? 1 : 0;
    }

    // Whole battles: the robots take turns with lines drawn from the corpus
    // until one answer is weaker than the threshold.
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> pick(0, corpus.size() - 1);
    constexpr int turnLimit = 500;
    long turns = 0, contentTurns = 0, lostOnNothing = 0, lengthSum = 0;
    for (long b = 0; b < battles; ++b) {
        database.resetUsed();
        int32_t threshold = 0;
        for (int turn = 1; turn <= turnLimit; ++turn) {
            const std::string& line = corpus[pick(random)];
            std::string text = line, answer;
            int32_t strength = 0;
            database.matchInsult(text, false, answer, strength);
            const bool understood = sharesContent(line, answer);
            ++turns;
            contentTurns += understood ? 1 : 0;
            if (strength < threshold) {
                lostOnNothing += understood ? 0 : 1;
                lengthSum += turn;
                break;
            }
            if (0.75 * strength > threshold) {
                threshold = static_cast<int32_t>(0.75 * strength);
            }
        }
    }

    std::printf("insult list: %zu lines, %zu indexed words (%s)\n", database.insults.size(),
                database.wordIndex.size(), insultPath);
    std::printf("corpus: %zu typed lines (%s)\n", corpus.size(), corpusPath);
    std::printf("fresh battles: %.1f %% of answers share a content word, %.1f %% fallbacks\n",
                percent(content, static_cast<long>(corpus.size())),
                percent(fallbacks, static_cast<long>(corpus.size())));
    std::printf("%ld simulated battles (seed %u): %.1f %% of %ld turns answered with a content "
                "word; %.1f %% of battles lost on an answer without one; %.1f turns a battle\n",
                battles, seed, percent(contentTurns, turns), turns, percent(lostOnNothing, battles),
                battles == 0 ? 0.0 : static_cast<double>(lengthSum) / battles);
    return 0;
}
