#pragma once

#include "insults/InsultDatabase.h"

#include <cstdint>
#include <random>
#include <string>

// How well the computer plays red.
enum class ComputerLevel { easy, normal, hard };

// What the computer types on red's turn. It reads the game's own list, as a
// player may: it picks insults it could aim at, writes for each the line a
// player aiming at it would type, and tries those lines on the game's own
// matching without saying anything (a peek). By its level it then sends the
// strongest line, one strong enough, or whatever comes. The line it returns
// is typed into the entry line and sent like a player's, so the insult that
// answers it is chosen exactly as a typed line's is.
class ComputerPlayer {
  public:
    explicit ComputerPlayer(uint32_t seed);

    // A line of 2 to 7 lower-case words for red's turn in a battle whose
    // threshold stands at threshold; empty only when the list holds no insult
    // still to be said with two words worth typing.
    std::string chooseLine(InsultDatabase& database, ComputerLevel level, int32_t threshold);

    // The line of a player aiming at insult: its `keep` longest (or
    // shortest) words worth typing (three letters or more, no contractions,
    // not "the", "and"...), in the insult's order, after "you" or "your" when
    // the insult leads up to them with it. Empty when fewer than two words
    // come out.
    static std::string aimAt(const std::string& insult, int keep, bool longest = true);

    // Its pace at the keyboard, in seconds: how long it thinks before its
    // first key (about a second), and the time to each next key (10 to 15
    // keys a second, never quite even).
    float thinkingTime();
    float keyTime();

  private:
    // The line with, in each word of four letters or more, two letters
    // typed the wrong way round by chance.
    std::string misspell(std::string line, double chance);

    std::mt19937 random;
};
