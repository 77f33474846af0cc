// How fast the insult list loads and how fast a typed line is answered, on a
// made-up list of 100,000 lines and on the game's own list, next to the
// literal search over every subset of the typed words.
#include "bench/GeneratedInsults.h"
#include "insults/InsultDatabase.h"
#include "insults/InsultWords.h"
#include "tests/insults/LiteralSearch.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int32_t bigLineCount = 100000;

// The generated file lives in the temporary directory for one run only.
class BigFile {
  public:
    BigFile()
        : path((std::filesystem::temp_directory_path() /
                ("vorblex-bench-insults-" + std::to_string(getpid()) + ".txt"))
                   .string()) {
        GeneratedInsults::write(path, bigLineCount);
        db = std::make_unique<InsultDatabase>(path.c_str());
        for (const std::string& line : db->insults) {
            forEachWord(indexedCopy(line), [&](std::string_view) { ++wordCount; });
        }
    }
    ~BigFile() { std::remove(path.c_str()); }

    const std::string path;
    std::unique_ptr<InsultDatabase> db;
    int64_t wordCount = 0;
};

BigFile& bigFile() {
    static BigFile file;
    return file;
}

// The game's own list, or the one VORBLEX_BENCH_INSULTS names (to time two
// lists side by side in one session).
InsultDatabase& shippedList() {
    static const char* const chosen = std::getenv("VORBLEX_BENCH_INSULTS");
    static InsultDatabase db(chosen ? chosen : VORBLEX_SHIPPED_INSULTS);
    return db;
}

// The count most common indexed words of db, joined by spaces: the hardest
// typed line of that many words, since their lists of insults are longest.
std::string commonWordsOf(const InsultDatabase& db, std::size_t count) {
    std::vector<std::pair<std::size_t, std::string>> bySize;
    for (const auto& [word, numbers] : db.wordIndex) {
        bySize.emplace_back(numbers.size(), word);
    }
    std::sort(bySize.begin(), bySize.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::string line;
    for (std::size_t i = 0; i < count && i < bySize.size(); ++i) {
        line += bySize[i].second + " ";
    }
    return line;
}

void matchRepeatedly(benchmark::State& state, InsultDatabase& db, const std::string& typed) {
    std::string insult;
    int32_t strength = 0;
    for (auto _ : state) {
        std::string text = typed;
        db.matchInsult(text, true, insult, strength);
        benchmark::DoNotOptimize(strength);
    }
    state.counters["strength"] = strength;
    // How many entries of the words' insult lists the match had to walk.
    std::string text = typed;
    int64_t entries = 0;
    for (const std::string& word : literal::typedWords(db, text)) {
        entries += static_cast<int64_t>(db.wordIndex.at(word).size());
    }
    state.counters["entries"] = static_cast<double>(entries);
}

void BM_LoadGeneratedFile(benchmark::State& state) {
    BigFile& file = bigFile();
    for (auto _ : state) {
        InsultDatabase db(file.path.c_str());
        benchmark::DoNotOptimize(db.wordIndex.size());
    }
    state.SetItemsProcessed(state.iterations() * file.wordCount);
    state.counters["words"] = static_cast<double>(file.wordCount);
    state.counters["distinct"] = static_cast<double>(file.db->wordIndex.size());
}
BENCHMARK(BM_LoadGeneratedFile)->Unit(benchmark::kMillisecond);

void BM_MatchCommonWords(benchmark::State& state) {
    InsultDatabase& db = *bigFile().db;
    matchRepeatedly(state, db, commonWordsOf(db, static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_MatchCommonWords)->Arg(5)->Arg(20)->Arg(31)->Arg(2000)->Unit(benchmark::kMicrosecond);

// 10,000 characters of words drawn as in the file, mixed with pieces that are
// in no insult.
void BM_MatchTenThousandCharacters(benchmark::State& state) {
    const std::vector<std::string>& words = GeneratedInsults::vocabulary();
    std::string typed;
    for (std::size_t i = 0; typed.size() < 10000; ++i) {
        typed += i % 5 == 4 ? "xq " : words[(i * 7919) % words.size()] + " ";
    }
    typed.resize(10000);
    matchRepeatedly(state, *bigFile().db, typed);
}
BENCHMARK(BM_MatchTenThousandCharacters)->Unit(benchmark::kMicrosecond);

void BM_MatchShippedList(benchmark::State& state) {
    InsultDatabase& db = shippedList();
    matchRepeatedly(state, db, commonWordsOf(db, static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_MatchShippedList)->Arg(12)->Arg(16)->Arg(20)->Unit(benchmark::kMicrosecond);

// What players really type: every line of the coverage corpus, each the
// first of its battle.
void BM_MatchPlayerLines(benchmark::State& state) {
    InsultDatabase& db = shippedList();
    std::vector<std::string> typed;
    std::ifstream corpus(VORBLEX_PLAYER_LINES);
    for (std::string line; std::getline(corpus, line);) {
        typed.push_back(line);
    }
    std::string insult;
    int32_t strength = 0;
    for (auto _ : state) {
        for (const std::string& line : typed) {
            std::string text = line;
            db.matchInsult(text, true, insult, strength);
        }
        benchmark::DoNotOptimize(strength);
    }
    state.counters["lines"] = static_cast<double>(typed.size());
}
BENCHMARK(BM_MatchPlayerLines)->Unit(benchmark::kMicrosecond);

void literalRepeatedly(benchmark::State& state, InsultDatabase& db, const std::string& typed) {
    std::string insult;
    int32_t strength = 0;
    uint32_t randomState = 1;
    for (auto _ : state) {
        std::string text = typed;
        literal::matchInsult(db, randomState, text, true, insult, strength);
        benchmark::DoNotOptimize(strength);
    }
    state.counters["strength"] = strength;
}

void BM_LiteralShippedList(benchmark::State& state) {
    InsultDatabase& db = shippedList();
    literalRepeatedly(state, db, commonWordsOf(db, static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_LiteralShippedList)
    ->Arg(12)
    ->Arg(16)
    ->Arg(20)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Each of the 4,095 subsets copies the set of 100,000 insult numbers.
void BM_LiteralGeneratedFile(benchmark::State& state) {
    InsultDatabase& db = *bigFile().db;
    literalRepeatedly(state, db, commonWordsOf(db, static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_LiteralGeneratedFile)->Arg(12)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_MatchGeneratedFileAtTwelve(benchmark::State& state) {
    InsultDatabase& db = *bigFile().db;
    matchRepeatedly(state, db, commonWordsOf(db, 12));
}
BENCHMARK(BM_MatchGeneratedFileAtTwelve)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
