#include "battle/BubbleText.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct Wrap {
    std::string reply;
    std::string rows;
    int length; // the hold time's and the flicker's length
};

TEST(BubbleText, RepliesBreakAtTheLastSpaceThatKeepsARowWithin45) {
    const std::string x45(45, 'x');
    const std::string words44 = "Your gears grind like a pepper mill at dawn,";
    const Wrap table[] = {
        {"", "", 0},
        {x45, x45, 45},
        // A space at the 46th place ends a full row; the row is never emptied
        // by a space at its start.
        {x45 + " tail", x45 + "\ntail", 52},
        {" " + x45 + "y", " " + x45.substr(0, 44) + "-\nxy", 49},
        // Words stay whole, also across the old break points.
        {words44 + " and it slips.", words44 + "\nand it slips.", 60},
        {"Your jokes are so old that the punchline has a pension and a little "
         "garden plot.",
         "Your jokes are so old that the punchline has\na pension and a little garden plot.", 82},
        {std::string(88, 'a') + " b", std::string(45, 'a') + "-\n" + std::string(43, 'a') + " b",
         94},
        // A word longer than a row is split with a hyphen after 45 characters.
        {"go " + std::string(50, 'w'), "go\n" + std::string(45, 'w') + "-\nwwwww", 55},
    };
    for (const Wrap& w : table) {
        EXPECT_EQ(bubbleRows(w.reply), w.rows) << w.reply;
        EXPECT_EQ(bubbleLength(w.reply), w.length) << w.reply;
    }
}

} // namespace
