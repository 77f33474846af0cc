#include "insults/InsultDatabase.h"
#include "insults/InsultRandom.h"
#include "tests/insults/TempFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

namespace {

const std::string youSuck = "Well... you suck";

struct Answer {
    std::string insult;
    int32_t strength = -1;
};

// The four-line file of the game's matching examples, loaded fresh for every
// test, with the generator back at its starting state.
class InsultMatching : public ::testing::Test {
  protected:
    void SetUp() override {
        setInsultRandomState(1);
        load("The dog bites\nA dog barks\nCat nap\nYou smell\n");
    }

    void load(const std::string& bytes) {
        file = std::make_unique<TempFile>(bytes);
        db = std::make_unique<InsultDatabase>(file->path());
    }

    Answer match(std::string text, bool peekOnly = false) {
        Answer answer;
        db->matchInsult(text, peekOnly, answer.insult, answer.strength);
        return answer;
    }

    std::unique_ptr<TempFile> file;
    std::unique_ptr<InsultDatabase> db;
};

TEST_F(InsultMatching, GeneratorStartsAtOneAndFollowsItsRecurrence) {
    EXPECT_EQ(insultRandomState(), 1u);
    EXPECT_EQ(drawInsultRandom(), 41);
    EXPECT_EQ(insultRandomState(), 2745024u);
    // 2745024 * 214013 + 2531011 modulo 2^32, and its bits 16 to 30.
    EXPECT_EQ(drawInsultRandom(), 18467);
    setInsultRandomState(0xffffffffu);
    EXPECT_EQ(drawInsultRandom(),
              static_cast<int32_t>(((0xffffffffu * 214013u + 2531011u) >> 16) & 0x7fffu));
}

TEST_F(InsultMatching, NoIndexedWordAnswersTheFallbackWithoutADraw) {
    const Answer answer = match("zz qq");
    EXPECT_EQ(answer.insult, youSuck);
    EXPECT_EQ(answer.strength, 0);
    EXPECT_EQ(insultRandomState(), 1u);
    EXPECT_TRUE(db->usedInsults.empty());
    EXPECT_TRUE(db->usedWords.empty());
}

TEST_F(InsultMatching, UpperCaseMatchesAndTheFirstDrawPicksAmongTwo) {
    std::string text = "DOG";
    Answer answer;
    db->matchInsult(text, false, answer.insult, answer.strength);
    EXPECT_EQ(text, "dog") << "the typed text is lower-cased in place";
    EXPECT_EQ(answer.insult, "A dog barks"); // 41 modulo 2 picks the second of 0 and 1
    EXPECT_EQ(answer.strength, 3);
    EXPECT_EQ(db->usedInsults, (std::set<int32_t>{1}));
    EXPECT_EQ(db->usedWords, (std::set<std::string>{"dog"}));
}

TEST_F(InsultMatching, AllWordsOfOneInsultAddUpTheirLengths) {
    const Answer answer = match("you smell");
    EXPECT_EQ(answer.insult, "You smell");
    EXPECT_EQ(answer.strength, 8);
    EXPECT_EQ(db->usedWords, (std::set<std::string>{"smell", "you"}));
}

TEST_F(InsultMatching, ARepeatedWordCountsOnce) { EXPECT_EQ(match("dog dog dog").strength, 3); }

TEST_F(InsultMatching, EqualScoresGoToTheAlphabeticallyLaterWord) {
    const Answer answer = match("cat dog");
    EXPECT_EQ(answer.strength, 3);
    EXPECT_EQ(answer.insult, "A dog barks");
    EXPECT_EQ(db->usedWords, (std::set<std::string>{"dog"}));
}

TEST_F(InsultMatching, AUsedWordLosesTwoAndASaidInsultIsNotChosenAgain) {
    db->usedInsults.insert(0);
    db->usedWords.insert("dog");
    const Answer answer = match("cat dog");
    EXPECT_EQ(answer.insult, "Cat nap");
    EXPECT_EQ(answer.strength, 3);
    EXPECT_EQ(db->usedWords, (std::set<std::string>{"cat", "dog"}));
    EXPECT_EQ(db->usedInsults, (std::set<int32_t>{0, 2}));
}

TEST_F(InsultMatching, AUsedWordAloneStillScoresItsLengthLessTwo) {
    match("dog");
    const Answer answer = match("dog");
    EXPECT_EQ(answer.insult, "The dog bites");
    EXPECT_EQ(answer.strength, 1);
}

TEST_F(InsultMatching, ShortAndUnknownPiecesNeitherCountNorBlock) {
    EXPECT_EQ(match("a of you xyzzy", true).strength, 3);
    EXPECT_EQ(match("you", true).insult, "You smell");
}

TEST_F(InsultMatching, OnlyLettersAreFoldedAndOtherCharactersStayInThePiece) {
    EXPECT_EQ(match("dog!", true).insult, youSuck);
    EXPECT_EQ(match("You-smell", true).insult, youSuck);
}

TEST_F(InsultMatching, WhenEveryHolderWasSaidTheWordFailsUntilReset) {
    match("dog");
    match("dog");
    EXPECT_EQ(db->usedInsults, (std::set<int32_t>{0, 1}));
    const uint32_t stateBefore = insultRandomState();
    const Answer answer = match("dog");
    EXPECT_EQ(answer.insult, youSuck);
    EXPECT_EQ(answer.strength, 0);
    EXPECT_EQ(insultRandomState(), stateBefore);
    EXPECT_EQ(db->usedInsults, (std::set<int32_t>{0, 1}));
    db->resetUsed();
    EXPECT_TRUE(db->usedInsults.empty());
    EXPECT_TRUE(db->usedWords.empty());
    EXPECT_EQ(match("dog").strength, 3);
}

TEST_F(InsultMatching, PeekChoosesTheSameButRecordsNothingAndStillDraws) {
    const Answer peeked = match("dog", true);
    EXPECT_EQ(peeked.insult, "A dog barks");
    EXPECT_TRUE(db->usedInsults.empty());
    EXPECT_TRUE(db->usedWords.empty());
    EXPECT_EQ(insultRandomState(), 2745024u);
    // The second draw is 18467, odd, so the commit picks insult 1 as well.
    const Answer committed = match("dog");
    EXPECT_EQ(committed.insult, "A dog barks");
    EXPECT_EQ(db->usedInsults, (std::set<int32_t>{1}));
}

TEST_F(InsultMatching, ResetKeepsTheGeneratorGoing) {
    match("dog");
    db->resetUsed();
    EXPECT_EQ(insultRandomState(), 2745024u);
}

TEST_F(InsultMatching, EmptyDatabaseAlwaysAnswersTheFallback) {
    load("");
    EXPECT_EQ(match("dog cat you").insult, youSuck);
    testing::internal::CaptureStdout();
    InsultDatabase missing("./no-such-file.txt");
    testing::internal::GetCapturedStdout();
    std::string text = "dog";
    Answer answer;
    missing.matchInsult(text, false, answer.insult, answer.strength);
    EXPECT_EQ(answer.insult, youSuck);
    EXPECT_EQ(answer.strength, 0);
}

// A lower score with more insults to pick from never beats a higher one.
TEST_F(InsultMatching, TheBestScoreWinsOverTheMostCandidates) {
    load("bolt one\nbolt two\nbolt three\nbolt rustbucket\n");
    EXPECT_EQ(match("bolt rustbucket").insult, "bolt rustbucket");
    EXPECT_EQ(match("bolt rustbucket").strength, 2) << "only bolt is left, and it was used";
}

// Ties between word sets differ in their latest word, not in their size.
TEST_F(InsultMatching, TieBetweenSetsOfDifferentSizesGoesToTheLatestWord) {
    // aaa+bbb = 6 and zzzzzz = 6; zzzzzz is the latest word, so it wins even
    // though the other set has two words.
    load("aaa bbb\nzzzzzz\n");
    const Answer answer = match("aaa bbb zzzzzz");
    EXPECT_EQ(answer.insult, "zzzzzz");
    EXPECT_EQ(answer.strength, 6);
    EXPECT_EQ(db->usedWords, (std::set<std::string>{"zzzzzz"}));
}

TEST_F(InsultMatching, CandidatesAreEveryUnsaidInsultHoldingTheWinningWords) {
    load("gear cog\nx\ngear cog\ngear cog\n");
    for (int turn = 0; turn < 3; ++turn) {
        const Answer answer = match("cog gear");
        EXPECT_EQ(answer.insult, "gear cog");
        EXPECT_EQ(answer.strength, turn == 0 ? 7 : 3);
    }
    EXPECT_EQ(db->usedInsults, (std::set<int32_t>{0, 2, 3}));
    EXPECT_EQ(match("cog gear").insult, youSuck);
}

// Beyond 31 distinct words the same rule holds over all of them.
TEST_F(InsultMatching, LinesWithManyMoreWordsThanAMaskHolds) {
    std::string many;
    std::string line;
    for (int i = 0; i < 40; ++i) {
        const std::string word =
            std::string("w") + static_cast<char>('a' + i / 26) + static_cast<char>('a' + i % 26);
        many += word + " ";
        if (i >= 30) {
            line += word + " "; // the ten alphabetically latest words
        }
    }
    load("waa wab wac\n" + line + "\n" + many + "\nwbn\n");
    // Typed: all 40 words. Insult 2 holds all of them: 40 * 3.
    Answer answer = match(many);
    EXPECT_EQ(answer.insult, many);
    EXPECT_EQ(answer.strength, 120);
    EXPECT_EQ(db->usedWords.size(), 40u);
    // Now every word is used (1 each): insult 1 holds ten of them.
    answer = match(many);
    EXPECT_EQ(answer.insult, line);
    EXPECT_EQ(answer.strength, 10);
    // Next: insult 0 (waa wab wac, 3) against insult 3 (wbn, 1).
    EXPECT_EQ(match(many).insult, "waa wab wac");
    EXPECT_EQ(match(many).insult, "wbn");
    EXPECT_EQ(match(many).insult, youSuck);
}

TEST_F(InsultMatching, AHugeTypedLineIsAnsweredLikeItsWords) {
    std::string typed;
    while (typed.size() < 100000) {
        typed += "nonsense qq Cat ";
    }
    const Answer answer = match(typed);
    EXPECT_EQ(answer.insult, "Cat nap");
    EXPECT_EQ(answer.strength, 3);
}

} // namespace
