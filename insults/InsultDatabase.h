#pragma once

#include "insults/WordSetSearch.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Everything the robots can say: the lines of the insult file, an index from
// words to the insults that contain them, and what has been said in the
// current battle. An insult is known by its number, the 0-based position of
// its line in the file.
class InsultDatabase {
  public:
    // Reads the insult file, one insult per line (LF or CR LF line ends). A
    // file that cannot be read is reported on standard output and leaves the
    // database empty, so every typed line gets the fallback answer.
    explicit InsultDatabase(const char* path);
    // The same, giving a bitmap to every word held by at least commonFrom
    // insults, instead of to the words the search finds worth one; for tests.
    InsultDatabase(const char* path, std::size_t commonFrom);
    // Reads the insults again from the file at path (reported as above),
    // and then extra lines, which join them as further insults; what was
    // said is forgotten.
    void reload(const char* path, const std::vector<std::string>& extra);
    InsultDatabase(const InsultDatabase&) = delete;
    InsultDatabase& operator=(const InsultDatabase&) = delete;

    // Answers a typed line with the best insult not yet said in this battle.
    // text is turned to lower case in place. insultOut receives the insult's
    // line as stored, strengthOut the score of the words it shares with the
    // line (each word counts its length, 2 less if it was used before in this
    // battle); when nothing matches they receive "Well... you suck" and 0.
    // Unless peekOnly is set, the insult and its words are recorded as used.
    void matchInsult(std::string& text, bool peekOnly, std::string& insultOut,
                     int32_t& strengthOut);
    // Forgets what was said, for a new battle.
    void resetUsed();

    // Line k of the file as read, without its line end.
    std::vector<std::string> insults;
    // Each word (3 or more letters a to z) with the insults that contain it.
    std::map<std::string, std::set<int32_t>> wordIndex;
    // Insults and words used by committed matches since the last reset.
    std::set<int32_t> usedInsults;
    std::set<std::string> usedWords;
    // Every insult number, 0 to the number of insults minus 1.
    std::set<int32_t> allInsults;

  private:
    void read(const char* path, const std::vector<std::string>& extra);
    // Word lists gathered while reading, before they go into wordIndex.
    using Gathered = std::unordered_map<std::string, std::vector<int32_t>>;
    void addInsult(const std::string& line, Gathered& gathered, std::string& scratch);
    void buildIndex(Gathered& gathered);
    void typedTerms(const std::string& text, std::vector<std::string_view>& words,
                    std::vector<WordSetSearch::Term>& terms) const;

    // The same index as wordIndex, with each word's insults in a flat
    // ascending array, which a match walks much faster than a tree. The keys
    // point at wordIndex's own keys, which never change after loading.
    std::unordered_map<std::string_view, std::vector<int32_t>> wordLists;
    // The insults of the words that many insults hold, as bitmaps.
    std::unordered_map<std::string_view, std::vector<uint64_t>> wordBitmaps;
    std::size_t commonFrom = 0;
    WordSetSearch search;
};
