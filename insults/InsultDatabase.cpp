#include "insults/InsultDatabase.h"

#include "insults/InsultRandom.h"
#include "insults/InsultWords.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>

namespace {

const char* const fallbackInsult = "Well... you suck";

} // namespace

InsultDatabase::InsultDatabase(const char* path, std::size_t commonFrom) : commonFrom(commonFrom) {
    read(path, {});
}

void InsultDatabase::reload(const char* path, const std::vector<std::string>& extra) {
    insults.clear();
    wordIndex.clear();
    usedInsults.clear();
    usedWords.clear();
    allInsults.clear();
    wordLists.clear();
    wordBitmaps.clear();
    read(path, extra);
}

void InsultDatabase::read(const char* path, const std::vector<std::string>& extra) {
    const char* name = path ? path : "";
    std::ifstream file;
    // A directory opens like a file on Linux and then fails on the first
    // read; it is as unreadable as a missing file, so it is reported the same.
    std::error_code error;
    if (!std::filesystem::is_directory(name, error)) {
        // Line ends are dealt with below rather than by the stream, so that
        // CR LF files read the same everywhere.
        file.open(name, std::ios::in | std::ios::binary);
    }
    std::string line;
    std::string scratch;
    Gathered gathered;
    if (!file.is_open()) {
        std::cout << "Could not find insult file: " << name << std::endl;
    }
    // Numbers are 32-bit; a file with more lines than that keeps the first
    // ones.
    while (insults.size() < static_cast<std::size_t>(std::numeric_limits<int32_t>::max()) &&
           std::getline(file, line)) {
        // A CR before the LF belongs to the line end; a CR anywhere else,
        // the very end of the file included, is part of the line.
        if (!file.eof() && !line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        addInsult(line, gathered, scratch);
    }
    for (const std::string& own : extra) {
        if (insults.size() < static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
            addInsult(own, gathered, scratch);
        }
    }
    buildIndex(gathered);
}

InsultDatabase::InsultDatabase(const char* path) : InsultDatabase(path, 0) {}

void InsultDatabase::addInsult(const std::string& line, Gathered& gathered, std::string& scratch) {
    const auto number = static_cast<int32_t>(insults.size());
    insults.push_back(line);
    allInsults.insert(allInsults.end(), number);
    indexedCopy(line, scratch);
    forEachWord(scratch, [&](std::string_view word) {
        std::vector<int32_t>& numbers = gathered[std::string(word)];
        // Numbers only grow, so a word repeated within the line is the last
        // number of its list already.
        if (numbers.empty() || numbers.back() != number) {
            numbers.push_back(number);
        }
    });
}

// Words are gathered in a hash table while reading, which is much quicker
// than finding each one in the ordered index; the index is then built in one
// go, each word and each number added at the end.
void InsultDatabase::buildIndex(Gathered& gathered) {
    std::vector<Gathered::value_type*> byWord;
    byWord.reserve(gathered.size());
    for (auto& entry : gathered) {
        byWord.push_back(&entry);
    }
    std::sort(byWord.begin(), byWord.end(),
              [](const auto* a, const auto* b) { return a->first < b->first; });
    wordLists.reserve(byWord.size());
    for (auto* entry : byWord) {
        const std::string& word =
            wordIndex
                .emplace_hint(wordIndex.end(), entry->first,
                              std::set<int32_t>(entry->second.begin(), entry->second.end()))
                ->first;
        const std::vector<int32_t>& numbers =
            wordLists.emplace(std::string_view(word), std::move(entry->second)).first->second;
        const bool common = commonFrom > 0
                                ? numbers.size() >= commonFrom
                                : WordSetSearch::worthABitmap(numbers.size(), insults.size());
        if (common) {
            std::vector<uint64_t>& bitmap = wordBitmaps[std::string_view(word)];
            bitmap.assign((insults.size() + 63) / 64, 0);
            for (int32_t number : numbers) {
                bitmap[static_cast<std::size_t>(number) / 64] |=
                    uint64_t{1} << (static_cast<std::size_t>(number) % 64);
            }
        }
    }
}

// The distinct indexed words of the typed line in ascending order, with their
// weights; pieces that are not in the index play no part.
void InsultDatabase::typedTerms(const std::string& text, std::vector<std::string_view>& words,
                                std::vector<WordSetSearch::Term>& terms) const {
    forEachWord(text, [&](std::string_view piece) {
        auto found = wordLists.find(piece);
        if (found != wordLists.end()) {
            words.push_back(found->first);
        }
    });
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    terms.reserve(words.size());
    for (std::string_view word : words) {
        WordSetSearch::Term term;
        term.weight = static_cast<int64_t>(word.size());
        if (usedWords.count(std::string(word)) != 0) {
            term.weight -= 2;
        }
        term.insults = &wordLists.at(word);
        const auto bitmap = wordBitmaps.find(word);
        term.bitmap = bitmap == wordBitmaps.end() ? nullptr : &bitmap->second;
        terms.push_back(term);
    }
}

void InsultDatabase::matchInsult(std::string& text, bool peekOnly, std::string& insultOut,
                                 int32_t& strengthOut) {
    toLowerAscii(text);
    std::vector<std::string_view> words;
    std::vector<WordSetSearch::Term> terms;
    typedTerms(text, words, terms);

    WordSetSearch::Winner winner;
    if (!search.find(terms, usedInsults, static_cast<int32_t>(insults.size()), winner)) {
        insultOut = fallbackInsult;
        strengthOut = 0;
        return;
    }
    const auto pick = static_cast<std::size_t>(drawInsultRandom()) % winner.candidates.size();
    const int32_t chosen = winner.candidates[pick];
    insultOut = insults[static_cast<std::size_t>(chosen)];
    // A score is at most the length of the chosen line, so it fits unless a
    // single line is gigabytes long.
    strengthOut =
        static_cast<int32_t>(std::min<int64_t>(winner.score, std::numeric_limits<int32_t>::max()));
    if (!peekOnly) {
        usedInsults.insert(chosen);
        for (std::size_t term : winner.terms) {
            usedWords.emplace(words[term]);
        }
    }
}

void InsultDatabase::resetUsed() {
    usedWords.clear();
    usedInsults.clear();
}
