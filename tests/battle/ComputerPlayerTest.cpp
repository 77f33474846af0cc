// The computer's lines, on the game's own list: what it types reads like a
// player's line aimed at one of the insults, and its thinking leaves the
// battle as it was.
#include "battle/ComputerPlayer.h"
#include "app/Globals.h"
#include "insults/InsultRandom.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> wordsOf(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) {
        words.push_back(w);
    }
    return words;
}

TEST(ComputerPlayer, AimsWithTheLongerWordsOfAnInsultInItsOrder) {
    const struct {
        const char* insult;
        int keep;
        bool longest;
        const char* typed;
    } table[] = {
        {"Your circuits are so slow, your thoughts arrive by postcard.", 3, true,
         "your circuits thoughts postcard"},
        {"Your circuits are so slow, your thoughts arrive by postcard.", 2, false,
         "your slow arrive"},
        {"Take me to your leader. No, not you.", 5, true, "take leader"},
        {"You're freeware and still overpriced.", 2, true, "freeware overpriced"},
        {"The toaster wins.", 4, true, "toaster wins"},
        {"Hello!", 3, true, ""},                // one word is not a line
        {"It's a dial-up world.", 3, true, ""}, // nor are words nobody types
    };
    for (const auto& row : table) {
        EXPECT_EQ(ComputerPlayer::aimAt(row.insult, row.keep, row.longest), row.typed)
            << row.insult;
    }
}

TEST(ComputerPlayer, TypesAPlayersLineAtEveryLevelAndLeavesTheBattleAsItWas) {
    ASSERT_GT(insultDatabase.insults.size(), 1000u) << "run in the game's run directory";
    const struct {
        ComputerLevel level;
        int32_t threshold;
        int saidOutOfTen; // how much of the list this battle has said already
    } table[] = {{ComputerLevel::easy, 0, 0},    {ComputerLevel::normal, 12, 0},
                 {ComputerLevel::hard, 30, 0},   {ComputerLevel::hard, 8, 9},
                 {ComputerLevel::normal, 40, 9}, {ComputerLevel::easy, 5, 5}};
    ComputerPlayer computer(7);
    for (const auto& row : table) {
        insultDatabase.resetUsed();
        for (std::size_t i = 0; i < insultDatabase.insults.size(); ++i) {
            if (static_cast<int>(i % 10) < row.saidOutOfTen) {
                insultDatabase.usedInsults.insert(static_cast<int32_t>(i));
            }
        }
        const auto said = insultDatabase.usedInsults;
        const uint32_t generator = insultRandomState();
        for (int round = 0; round < 20; ++round) {
            const std::string line = computer.chooseLine(insultDatabase, row.level, row.threshold);
            const std::vector<std::string> typed = wordsOf(line);
            EXPECT_GE(typed.size(), 2u) << line;
            EXPECT_LE(typed.size(), 7u) << line;
            for (const std::string& w : typed) {
                EXPECT_GE(w.size(), 3u) << line;
                EXPECT_EQ(w.find_first_not_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos)
                    << line;
            }
        }
        EXPECT_EQ(insultDatabase.usedInsults, said) << "thinking said something";
        EXPECT_TRUE(insultDatabase.usedWords.empty());
        EXPECT_EQ(insultRandomState(), generator) << "thinking changed the game's draws";
    }
    insultDatabase.resetUsed();
}

} // namespace
