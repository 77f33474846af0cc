#include "app/Globals.h"
#include "insults/InsultDatabase.h"
#include "tests/insults/TempFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Index = std::map<std::string, std::set<int32_t>>;

// Loads bytes as an insult file and hands back what standard output got.
struct Loaded {
    explicit Loaded(const std::string& bytes) : file(bytes) {
        testing::internal::CaptureStdout();
        db = std::make_unique<InsultDatabase>(file.path());
        output = testing::internal::GetCapturedStdout();
    }
    TempFile file;
    std::unique_ptr<InsultDatabase> db;
    std::string output;
};

std::set<int32_t> numbersUpTo(int32_t count) {
    std::set<int32_t> all;
    for (int32_t k = 0; k < count; ++k) {
        all.insert(k);
    }
    return all;
}

TEST(InsultLoading, EmptyFileGivesAnEmptyDatabaseSilently) {
    Loaded loaded("");
    EXPECT_TRUE(loaded.db->insults.empty());
    EXPECT_TRUE(loaded.db->wordIndex.empty());
    EXPECT_TRUE(loaded.db->allInsults.empty());
    EXPECT_EQ(loaded.output, "");
}

TEST(InsultLoading, LinesAreKeptAsWrittenAndIndexedByTheirWords) {
    Loaded loaded("Fool!\n\nYou SMELL, you're a twit\n");
    const InsultDatabase& db = *loaded.db;
    EXPECT_EQ(db.insults, (std::vector<std::string>{"Fool!", "", "You SMELL, you're a twit"}));
    EXPECT_EQ(db.wordIndex,
              (Index{{"fool", {0}}, {"smell", {2}}, {"twit", {2}}, {"you", {2}}, {"youre", {2}}}));
    EXPECT_EQ(db.allInsults, numbersUpTo(3));
    EXPECT_TRUE(db.usedInsults.empty());
    EXPECT_TRUE(db.usedWords.empty());
    EXPECT_EQ(loaded.output, "");
}

TEST(InsultLoading, CrLfLineEndsGiveTheSameDatabase) {
    Loaded lf("Fool!\n\nYou SMELL, you're a twit\n");
    Loaded crlf("Fool!\r\n\r\nYou SMELL, you're a twit\r\n");
    EXPECT_EQ(crlf.db->insults, lf.db->insults);
    EXPECT_EQ(crlf.db->wordIndex, lf.db->wordIndex);
    EXPECT_EQ(crlf.db->allInsults, lf.db->allInsults);
}

TEST(InsultLoading, LastLineNeedsNoLineEndAndAFinalLineEndAddsNothing) {
    Loaded without("rusty bolt\nold tin can");
    Loaded with("rusty bolt\nold tin can\n");
    EXPECT_EQ(without.db->insults, (std::vector<std::string>{"rusty bolt", "old tin can"}));
    EXPECT_EQ(with.db->insults, without.db->insults);
    EXPECT_EQ(without.db->wordIndex.at("can"), (std::set<int32_t>{1}));
}

TEST(InsultLoading, OnlyACrBeforeALineFeedBelongsToTheLineEnd) {
    Loaded loaded("tin can\r\nold\r\r\nbolt\r");
    EXPECT_EQ(loaded.db->insults, (std::vector<std::string>{"tin can", "old\r", "bolt\r"}));
    EXPECT_EQ(loaded.db->wordIndex.at("bolt"), (std::set<int32_t>{2}));
}

TEST(InsultLoading, EmptyLinesAndWordlessLinesTakeANumberButNoWord) {
    Loaded loaded("\n\nok ab\nbolt\n\n");
    EXPECT_EQ(loaded.db->insults.size(), 5u);
    EXPECT_EQ(loaded.db->allInsults, numbersUpTo(5));
    EXPECT_EQ(loaded.db->wordIndex, (Index{{"bolt", {3}}}));
}

TEST(InsultLoading, CaseIsFoldedIntoOneWord) {
    Loaded loaded("IDIOT robot\nidiot\nIdIoT!");
    EXPECT_EQ(loaded.db->wordIndex.at("idiot"), (std::set<int32_t>{0, 1, 2}));
    EXPECT_EQ(loaded.db->insults[0], "IDIOT robot") << "the stored line keeps its case";
}

TEST(InsultLoading, PunctuationDigitsAndTabsJoinLettersAndShortPiecesAreIgnored) {
    Loaded loaded("Mr.Fish\nok boy\nC-3PO rusts\nhalf\twit\nab  cd\n");
    EXPECT_EQ(
        loaded.db->wordIndex,
        (Index{{"mrfish", {0}}, {"boy", {1}}, {"cpo", {2}}, {"rusts", {2}}, {"halfwit", {3}}}));
}

TEST(InsultLoading, SpacesCutEvenWhenDoubledOrAtTheEnds) {
    Loaded loaded("  gear  cog   \n");
    EXPECT_EQ(loaded.db->wordIndex, (Index{{"cog", {0}}, {"gear", {0}}}));
}

TEST(InsultLoading, BytesAbove127AreDroppedFromWordsButKeptInTheLine) {
    const std::string line = "caf\xc3\xa9 rob\xffot \xe2\x82\xac";
    Loaded loaded(line + "\n");
    EXPECT_EQ(loaded.db->insults[0], line);
    EXPECT_EQ(loaded.db->wordIndex, (Index{{"caf", {0}}, {"robot", {0}}}));
}

TEST(InsultLoading, DuplicateLinesAreTwoInsultsUnderEachWord) {
    Loaded loaded("dim bulb\ndim bulb\n");
    EXPECT_EQ(loaded.db->insults.size(), 2u);
    EXPECT_EQ(loaded.db->wordIndex.at("dim"), (std::set<int32_t>{0, 1}));
    EXPECT_EQ(loaded.db->wordIndex.at("bulb"), (std::set<int32_t>{0, 1}));
}

TEST(InsultLoading, AWordRepeatedInALineHoldsTheNumberOnce) {
    Loaded loaded("bolt bolt BOLT\n");
    EXPECT_EQ(loaded.db->wordIndex, (Index{{"bolt", {0}}}));
}

TEST(InsultLoading, MissingFileIsReportedOnceAndLeavesAnEmptyDatabase) {
    testing::internal::CaptureStdout();
    InsultDatabase db("./no-such-insults.txt");
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(output, "Could not find insult file: ./no-such-insults.txt\n");
    EXPECT_TRUE(db.insults.empty());
    EXPECT_TRUE(db.wordIndex.empty());
    EXPECT_TRUE(db.allInsults.empty());
}

// The game's own object, built before main() from the run directory's list.
TEST(InsultLoading, TheGameDatabaseHoldsTheRunDirectoryList) {
    std::ifstream file("./insults.txt", std::ios::binary);
    std::size_t lines = 0;
    for (std::string line; std::getline(file, line);) {
        ++lines;
    }
    ASSERT_GT(lines, 0u);
    EXPECT_EQ(insultDatabase.insults.size(), lines);
    EXPECT_EQ(insultDatabase.allInsults.size(), lines);
    EXPECT_FALSE(insultDatabase.wordIndex.empty());
}

// Files that are broken in one way or another: whatever can be loaded is,
// and nothing crashes or hangs.
TEST(InsultLoadingBadInput, ADirectoryIsReportedLikeAMissingFile) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "vorblex-insults-dir.txt";
    std::filesystem::create_directories(dir);
    testing::internal::CaptureStdout();
    InsultDatabase db(dir.c_str());
    const std::string output = testing::internal::GetCapturedStdout();
    std::filesystem::remove(dir);
    EXPECT_EQ(output, "Could not find insult file: " + dir.string() + "\n");
    EXPECT_TRUE(db.insults.empty());
}

TEST(InsultLoadingBadInput, NulBytesStayInTheLineAndJoinLetters) {
    Loaded loaded(std::string("rust\0bucket\nold\0\0 cog\n", 22));
    ASSERT_EQ(loaded.db->insults.size(), 2u);
    EXPECT_EQ(loaded.db->insults[0], std::string("rust\0bucket", 11));
    EXPECT_EQ(loaded.db->wordIndex, (Index{{"rustbucket", {0}}, {"old", {1}}, {"cog", {1}}}));
}

TEST(InsultLoadingBadInput, EveryByteValueLoadsAndIndexesOnlyLetters) {
    std::string bytes;
    for (int c = 0; c < 256; ++c) {
        if (c != '\n' && c != ' ') {
            bytes.push_back(static_cast<char>(c));
        }
    }
    Loaded loaded(bytes + "\n" + bytes);
    ASSERT_EQ(loaded.db->insults.size(), 2u);
    EXPECT_EQ(loaded.db->insults[1], bytes);
    EXPECT_EQ(loaded.db->wordIndex,
              (Index{{"abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz", {0, 1}}}));
}

TEST(InsultLoadingBadInput, ATenMegabyteLineLoadsBetweenItsNeighbours) {
    std::string huge;
    huge.reserve(10u << 20);
    while (huge.size() < (10u << 20)) {
        huge += "gear ";
    }
    Loaded loaded("first line\n" + huge + "\nlast line\n");
    ASSERT_EQ(loaded.db->insults.size(), 3u);
    EXPECT_EQ(loaded.db->insults[1].size(), huge.size());
    EXPECT_EQ(loaded.db->wordIndex.at("gear"), (std::set<int32_t>{1}));
    EXPECT_EQ(loaded.db->wordIndex.at("line"), (std::set<int32_t>{0, 2}));
}

// Only a CR before an LF ends a line; a lone CR is a character of the line
// (and, like any other non-letter, joins the letters around it in the index).
TEST(InsultLoadingBadInput, CrOnlyLineEndsGiveOneLongLine) {
    Loaded loaded("rusty bolt\rold cog\rtin can\r");
    ASSERT_EQ(loaded.db->insults.size(), 1u);
    EXPECT_EQ(loaded.db->insults[0], "rusty bolt\rold cog\rtin can\r");
    EXPECT_EQ(loaded.db->wordIndex,
              (Index{{"rusty", {0}}, {"boltold", {0}}, {"cogtin", {0}}, {"can", {0}}}));
}

} // namespace
