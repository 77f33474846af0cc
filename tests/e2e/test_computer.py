"""Blue against the computer, played as a player would: the choice made on
the instructions picture by keyboard, red's line typed into the entry line by
itself and answered, the battle to its end, and the mode kept for the next
battle with the score on the panel."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

ARGS = None

ENTRY_BOX, BANNER = harness.ENTRY_BOX, harness.BANNER
SCORE = (650, 455, 732, 485)  # the match score on the panel

crop = harness.crop
difference = harness.difference


class Computer(harness.GameCase):
    def computer_types(self, game):
        """After blue's send: the entry line changes by itself, a few letters
        at a time, and then red's answer comes and it is blue's turn."""
        sent = crop(game.screenshot(), ENTRY_BOX)
        first = game.wait_for(lambda s: difference(crop(s, ENTRY_BOX), sent) > 0.5,
                              "the computer to start typing")
        time.sleep(0.4)
        later = game.screenshot()
        if ARGS.screenshot:
            game.save_screenshot(ARGS.screenshot)
        self.assertGreater(difference(crop(later, ENTRY_BOX), crop(first, ENTRY_BOX)), 0.2,
                           "the entry line did not fill letter by letter")
        self.assertFalse(self.blues_turn(later), "red's turn ended before its line was typed")
        return game.wait_for(self.blues_turn, "red's answer and blue's turn")

    def test_a_battle_against_the_computer_chosen_by_keyboard(self):
        game = self.start()
        game.key("Return")
        game.key("3")
        chosen = game.wait_until_still("the choice", limit=0.5)
        self.assertLess(chosen.mean_difference(self.shown("instructions-normal.jpg")), 6,
                        "the choice of the normal computer is not shown")
        game.key("Return")
        game.wait_for_output("Loaded texture ./img/bg.jpg")
        opening = game.wait_until_still("the battle to settle", limit=1)

        game.type("you smell like rust")
        game.key("Return")
        self.computer_types(game)
        # Blue answers with words that match nothing: whoever loses first,
        # the battle is over within a turn or two.
        red_banner = self.shown("lose-red.png", BANNER)
        blue_banner = self.shown("lose-blue.png", BANNER)

        def landed(shot):
            part = crop(shot, BANNER)
            return min(difference(part, red_banner), difference(part, blue_banner)) < 10
        for _ in range(2):
            if landed(game.screenshot()):
                break
            game.type("zzz qqq")
            game.key("Return")
            time.sleep(1.0)
        over = game.wait_for(landed, "a lose banner to land")
        self.assertGreater(difference(crop(over, SCORE), crop(opening, SCORE)), 3,
                           "the score did not change")

        # The next battle is against the computer too, and keeps the score.
        game.key("Return")
        fresh = game.wait_until_still("a new battle", limit=1)
        self.assertLess(difference(crop(fresh, SCORE), crop(over, SCORE)), 1, "score lost")
        game.type("you smell like rust")
        game.key("Return")
        self.computer_types(game)


if __name__ == "__main__":
    # --screenshot FILE keeps a picture of the computer typing.
    ARGS = harness.GameCase.args = harness.arguments("--screenshot")
    unittest.main(argv=[sys.argv[0]] + ARGS.unittest_args, verbosity=2)
