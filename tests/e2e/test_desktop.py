"""The game as a desktop program, played as a player would: quit signals end
it cleanly, a window dragged down to one pixel does not kill it, a long typed
line stays in its box, and fullscreen shows the game between black bars with
every click still landing where it should."""

import os
import signal
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

ARGS = None

# Regions of the 800 x 600 window, (x0, y0, x1, y1).
SEND_BUTTON = (656, 630 - 100, 772, 676 - 100)   # the button and its dark frame
BUBBLE = (160, 60, 640, 140)                       # inside the speech bubble
TURN_LABEL = (40, 450, 330, 492)
ENTRY_BOX = (44, 537, 648, 573)                    # inside the white entry box
LONG_LINE = ("you are so slow that snails overtake you and rust grows faster than "
             "your thought")

crop = harness.crop
difference = harness.difference


def changed_columns(a, b, box):
    """The x of every column in box where two screenshots differ."""
    x0, y0, x1, y1 = box
    return [x for x in range(x0, x1)
            if any(a.pixel(x, y) != b.pixel(x, y) for y in range(y0, y1))]


class Desktop(unittest.TestCase):
    def start(self, **kwargs):
        game = harness.Game(ARGS.game, ARGS.run_dir, **kwargs)
        self.addCleanup(game.close)
        return game

    def enter_battle(self, game):
        game.click(400, 300)
        game.click(400, 300)
        game.wait_for_output("Loaded texture ./img/bg.jpg")
        return game.wait_until_still("the battle to settle", limit=1)

    def test_quit_signals_end_the_game_through_its_normal_exit(self):
        env = {"LD_PRELOAD": ARGS.close_probe,
               # The sanitizer build wants its runtime first among the libraries.
               "ASAN_OPTIONS": os.environ.get("ASAN_OPTIONS", "") + ":verify_asan_link_order=0"}
        for number in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
            with self.subTest(signal=number.name):
                game = self.start(env=env)
                self.enter_battle(game)
                sent = time.monotonic()
                game.proc.send_signal(number)
                # The game has ended once its exit has closed the sound
                # library; a sanitizer build then still scans for leaks.
                closed = "probe: sound library closed\n"
                while closed not in game.output() and time.monotonic() - sent < 5:
                    time.sleep(0.01)
                took = time.monotonic() - sent
                self.assertIn(closed, game.output())
                self.assertLess(took, 0.5, "the game took %.2f s to end" % took)
                self.assertEqual(game.wait_exit(timeout=5), 128 + number, game.output())

    def test_a_window_one_pixel_wide_leaves_the_game_playable(self):
        game = self.start()
        opening = self.enter_battle(game)
        game.resize(1, 600)
        self.assertEqual(game.wait_for_geometry((1, 1)), (1, 1))
        game.wait_for_frames(1.0)
        self.assertTrue(game.alive(), game.output())
        game.resize(800, 600)
        self.assertEqual(game.wait_for_geometry((800, 600)), (800, 600))
        game.type("you smell like rust")
        game.key("Return")
        game.wait_for(lambda shot: difference(crop(shot, BUBBLE), crop(opening, BUBBLE)) > 20,
                      "the answer in the bubble")
        self.assertTrue(game.alive())

    def test_a_long_typed_line_stays_in_its_box_with_its_caret(self):
        self.assertEqual(len(LONG_LINE), 80)
        game = self.start()
        opening = self.enter_battle(game)
        game.type(LONG_LINE)
        typed = game.wait_until_still("the typed line to show", limit=0.5)
        self.assertGreater(difference(crop(typed, ENTRY_BOX), crop(opening, ENTRY_BOX)), 5,
                           "nothing was typed")
        self.assertLess(difference(crop(typed, SEND_BUTTON), crop(opening, SEND_BUTTON)), 1,
                        "the typed line covers the SEND button")

        def caret_move(key):
            before = game.screenshot()
            game.key(key)
            after = game.wait_until_still("the caret to move", limit=0.5)
            return changed_columns(before, after, ENTRY_BOX)
        # One step left from the end moves only the caret, which shows at
        # the end of the line, by the box's right edge.
        moved = caret_move("Left")
        self.assertTrue(moved, "the caret is not visible at the end of the line")
        self.assertGreater(min(moved), 560, "the caret is not at the end of the line")
        # Back at the start, the line has scrolled back with it.
        game.key("--repeat", "79", "Left")
        moved = caret_move("Right")
        self.assertTrue(moved and max(moved) < 100, "the caret is not at the start: %s" % moved)

    def test_fullscreen_shows_the_game_between_bars_and_clicks_land(self):
        game = self.start()  # a 1280 x 1024 screen
        windowed = self.enter_battle(game)
        game.key("F11")
        self.assertEqual(game.wait_for_geometry((1280, 1024)), (1280, 1024))
        full = game.wait_until_still("the fullscreen picture", limit=0.5)
        # Black bars of 32 rows above and below a 1280 x 960 picture.
        for box in ((0, 0, 1280, 32), (0, 992, 1280, 1024)):
            self.assertLess(max(full.region_mean(*box)), 1, "the bar %s is not black" % (box,))
        for box in ((0, 32, 1280, 40), (0, 984, 1280, 992)):
            self.assertGreater(max(full.region_mean(*box)), 20, "the picture does not reach %s"
                               % (box,))
        # The picture is the window's, scaled by 1.6.
        for x0, y0, x1, y1 in (TURN_LABEL, (600, 150, 800, 420)):
            scaled = (int(x0 * 1.6), int(y0 * 1.6) + 32, int(x1 * 1.6), int(y1 * 1.6) + 32)
            self.assertLess(abs(sum(full.region_mean(*scaled)) -
                                sum(windowed.region_mean(x0, y0, x1, y1))), 12)
        # Words, then a click on SEND where the fullscreen picture shows it.
        game.type("you smell like rust")
        game.click(int(714 * 1.6), int(553 * 1.6) + 32)
        answered = game.wait_for(
            lambda shot: difference(crop(shot, tuple(int(v * 1.6) + (32 if i % 2 else 0)
                                                     for i, v in enumerate(BUBBLE))),
                                    crop(full, tuple(int(v * 1.6) + (32 if i % 2 else 0)
                                                     for i, v in enumerate(BUBBLE)))) > 20,
            "the answer to a click on SEND")
        self.assertTrue(answered)
        # Back to the window it was.
        game.key("F11")
        self.assertEqual(game.wait_for_geometry((800, 600)), (800, 600))
        self.assertTrue(game.alive())


if __name__ == "__main__":
    import argparse
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--run-dir", required=True)
    parser.add_argument("--close-probe", required=True)
    parser.add_argument("unittest_args", nargs="*")
    ARGS = parser.parse_args()
    unittest.main(argv=[sys.argv[0]] + ARGS.unittest_args, verbosity=2)
