"""Turns as a player takes them: a line typed while the bubble shows is sent
whole, a second Enter is not a turn, a quick player still sees the loss, and a
window the window manager keeps at its own shape still sends from every part
of SEND."""

import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

ARGS = None

TURN_LABEL, ENTRY_BOX, BANNER = harness.TURN_LABEL, harness.ENTRY_BOX, harness.BANNER

crop = harness.crop
difference = harness.difference


class Turns(harness.GameCase):
    def enter_battle(self, game):
        game.key("Return")  # the splash and the instructions take Enter too
        game.key("space")
        game.wait_for_output("Loaded texture ./img/bg.jpg")
        return game.wait_until_still("the battle to settle", limit=1)

    def turn(self, shot):
        return "blue" if self.blues_turn(shot) else "red"

    def test_a_line_typed_during_the_bubble_is_sent_whole_and_enter_twice_is_one_turn(self):
        game = self.start()
        self.enter_battle(game)
        # What the entry line looks like holding just the second line.
        game.type("rusty bolts")
        alone = crop(game.wait_until_still("the typed line", limit=0.5), ENTRY_BOX)
        game.key("--repeat", "11", "BackSpace")

        game.type("you smell like rust")
        game.key("Return", "Return")
        game.wait_for_frames(1.0)
        self.assertEqual(self.turn(game.screenshot()), "red", "the second Enter was a turn")
        game.type("rusty bolts")
        during = game.wait_until_still("the new line during the bubble", limit=0.5)
        self.assertLess(difference(crop(during, ENTRY_BOX), alone), 1,
                        "the entry line holds more than the new words")
        game.key("Return")
        game.wait_for(lambda shot: self.turn(shot) == "blue", "red's answer to the new line")

    def test_a_quick_second_enter_after_a_loss_still_shows_the_banner(self):
        game = self.start()
        self.enter_battle(game)
        game.type("you smell like rust")
        game.key("Return")
        game.wait_for_frames(1.0)
        # Red's words match nothing: its answer is too weak, and red loses.
        game.type("zzz qqq")
        game.key("Return", "Return")
        banner = self.shown("lose-red.png", BANNER)
        landed = game.wait_for(lambda shot: difference(crop(shot, BANNER), banner) < 10,
                               "the red lose banner to land")
        self.assertLess(difference(crop(landed, TURN_LABEL),
                                   self.shown("interface-blue-won.png", TURN_LABEL)), 12,
                        "the panel does not say that blue won")
        game.key("Return")
        fresh = game.wait_until_still("a new battle", limit=1)
        self.assertGreater(difference(crop(fresh, BANNER), banner), 10, "no new battle")
        self.assertEqual(self.turn(fresh), "blue")

    def test_a_maximised_window_sends_from_the_lower_half_of_send(self):
        game = self.start(window_manager=["openbox"])
        self.enter_battle(game)
        subprocess.run(["wmctrl", "-i", "-r", game.window, "-b",
                        "add,maximized_vert,maximized_horz"], env=game.env, check=True)
        game.wait_for(lambda shot: shot.width == 1280 and shot.height not in (960, 600),
                      "the window to be maximised")
        shot = game.wait_until_still("the maximised picture", limit=0.5)
        # The picture is letterboxed: 1280 x 960 between bars above and below.
        top = (shot.height - 960) // 2
        self.assertLess(max(shot.region_mean(0, 0, 1280, top)), 1, "no black bar on top")

        def at(vx, vy):
            return int((vx + 400) * 1.6), int((300 - vy) * 1.6) + top

        def label(picture):
            x0, y0 = at(TURN_LABEL[0] - 400, 300 - TURN_LABEL[1])
            x1, y1 = at(TURN_LABEL[2] - 400, 300 - TURN_LABEL[3])
            return crop(picture, (x0, y0, x1, y1))

        game.type("you smell like rust")
        before = game.screenshot()
        # Just below SEND: nothing happens.
        game.tool("mousemove", "--window", game.window, *map(str, at(314, -275)))
        game.tool("click", "1")
        game.wait_for_frames(0.8)
        self.assertLess(difference(label(game.screenshot()), label(before)), 2,
                        "a click below SEND sent")
        # The lower half of SEND sends.
        game.tool("mousemove", "--window", game.window, *map(str, at(314, -263)))
        game.tool("click", "1")
        game.wait_for(lambda s: difference(label(s), label(before)) > 10,
                      "the turn to pass after a click on the lower half of SEND")


if __name__ == "__main__":
    ARGS = harness.GameCase.args = harness.arguments()
    unittest.main(argv=[sys.argv[0]] + ARGS.unittest_args, verbosity=2)
