#pragma once

// What the insult benchmarks share: the lists they read and their options.
//
//   --insults FILE  the insult list (the shipped one by default)
//   --corpus FILE   the lines players type (bench/coverage/player-lines.txt)
//   --battles N     how many battles to simulate
//   --seed S        the seed of the simulated players

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

struct BenchOptions {
    const char* insults = VORBLEX_SHIPPED_INSULTS;
    const char* corpus = VORBLEX_PLAYER_LINES;
    long battles = 10000;
    unsigned seed = 1;
};

// False, with a message, for an option it does not know.
inline bool parseBenchOptions(int argc, char** argv, BenchOptions& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--insults") == 0) {
            options.insults = argv[i + 1];
        } else if (std::strcmp(argv[i], "--corpus") == 0) {
            options.corpus = argv[i + 1];
        } else if (std::strcmp(argv[i], "--battles") == 0) {
            options.battles = std::atol(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--seed") == 0) {
            options.seed = static_cast<unsigned>(std::atol(argv[i + 1]));
        } else {
            std::cerr << "unknown option " << argv[i] << "\n";
            return false;
        }
    }
    return true;
}

// The file's non-empty lines, without CR line ends.
inline std::vector<std::string> readLines(const char* path) {
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

// The corpus's lines for a loaded list; none, with a message, when either is
// empty.
template <typename Database>
std::vector<std::string> corpusFor(const Database& database, const BenchOptions& options) {
    std::vector<std::string> corpus = readLines(options.corpus);
    if (database.insults.empty() || corpus.empty()) {
        std::cerr << "need a non-empty insult list and corpus\n";
        corpus.clear();
    }
    return corpus;
}
