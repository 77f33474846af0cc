"""The first minute of the game, played for real: the window, the splash and
instructions pictures, the switch to the battle, resizing and the exit keys."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

ARGS = None
GREY = (128, 128, 128)  # the clear colour, what an empty screen shows


class StartScreens(unittest.TestCase):
    def start(self, **kwargs):
        game = harness.Game(ARGS.game, ARGS.run_dir, **kwargs)
        self.addCleanup(game.close)
        return game

    def assertLooksLike(self, shot, expected, limit=8.0, what=""):
        diff = shot.mean_difference(expected)
        self.assertLess(diff, limit, "%s differs from what was expected by %.1f" % (what, diff))

    def shows(self, game, expected, what, limit=8.0):
        """Waits for the window to show a picture like expected."""
        return game.wait_for(lambda shot: shot.mean_difference(expected) < limit, what)

    def picture(self, name):
        return harness.picture_as_shown(os.path.join(ARGS.run_dir, "img", name))

    def test_clicks_lead_from_splash_to_instructions_to_battle(self):
        game = self.start()
        self.assertEqual(game.wait_for_geometry((800, 600)), (800, 600))
        splash = self.shows(game, self.picture("splash.jpg"), "the splash screen")
        self.assertIn("Loaded texture ./img/splash.jpg\n", game.output())

        # Neither a right click nor a left press without release does anything.
        game.click(400, 300, button=3)
        game.press(400, 300, button=1)
        self.assertLooksLike(game.screenshot(), splash, limit=1.0, what="the splash screen")
        game.tool("mouseup", "1")
        game.wait_for_frames(0.3)

        instructions = game.wait_for_change(splash, "the instructions to show")
        self.assertLooksLike(instructions, self.picture("instructions.jpg"),
                             what="the instructions screen")
        self.assertIn("Loaded texture ./img/instructions.jpg\n", game.output())

        game.click(400, 300)
        game.wait_for_change(instructions, "the battle to show")
        self.assertTrue(game.alive())

    def test_window_keeps_four_to_three_when_resized(self):
        game = self.start()
        game.resize(1000, 600)
        self.assertEqual(game.wait_for_geometry((1000, 750)), (1000, 750))
        scaled = harness.picture_as_shown(os.path.join(ARGS.run_dir, "img", "splash.jpg"),
                                          width=1000)
        game.wait_for(lambda shot: (shot.width, shot.height) == (1000, 750)
                      and shot.mean_difference(scaled) < 8,
                      "the splash screen scaled to 1000 x 750")
        game.resize(801, 400)
        self.assertEqual(game.wait_for_geometry((801, 600)), (801, 600))

    def test_exit_keys_end_the_game_with_status_zero(self):
        for keys in (["Escape"], ["ctrl+q"], ["alt+F4"]):
            with self.subTest(keys=keys):
                game = self.start()
                game.key(*keys)
                self.assertEqual(game.wait_exit(), 0, "after %s" % keys)

    def test_enter_and_space_advance_and_other_keys_do_nothing(self):
        game = self.start()
        before = game.screenshot()
        game.key("a", "F4", "ctrl+a")
        self.assertTrue(game.alive())
        self.assertLooksLike(game.screenshot(), before, limit=1.0, what="the splash screen")
        game.key("Return")
        game.wait_for_change(before, "the instructions after Enter")
        game.key("space")
        self.assertIn("Loaded texture ./img/bg.jpg\n",
                      game.wait_for_output("Loaded texture ./img/bg.jpg\n"), "no battle after Space")

    def test_missing_pictures_are_reported_and_clicks_still_work(self):
        game = self.start(remove=["img"])
        white = harness.uniform_picture((255, 255, 255))
        self.shows(game, white, "an untextured splash", limit=2.0)
        self.assertIn("Couldn't load texture ./img/splash.jpg\n", game.output())
        game.click(400, 300)
        message = "Couldn't load texture ./img/instructions.jpg\n"
        self.assertIn(message, game.wait_for_output(message))
        game.click(400, 300)
        self.assertTrue(game.alive())
        game.wait_for_change(white, "the battle screen")


if __name__ == "__main__":
    ARGS = harness.arguments()
    unittest.main(argv=[sys.argv[0]] + ARGS.unittest_args, verbosity=2)
