"""A whole battle played as a player would: through the start screens, typing
words for blue, clicking SEND for red, until a robot loses, then a new battle.
The screens are checked against the game's own pictures, the sound through
SDL's disk audio driver."""

import array
import math
import os
import shutil
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

ARGS = None

# Regions of the 800 x 600 window, (x0, y0, x1, y1), where the art is known.
TURN_LABEL = (40, 450, 330, 492)     # "BLUE'S TURN", "RED'S TURN" or who won, on the panel
THRESHOLD_BOX = (508, 447, 598, 488)  # the number drawn on the panel
BUBBLE = (160, 30, 640, 170)          # inside the speech bubble
BANNER = (260, 180, 540, 400)         # the opaque ribbon of a lose banner
RED_ROBOT = (0, 150, 200, 420)
BLUE_ROBOT = (600, 150, 800, 420)
SEND = (400 + 314, 300 + 253)         # the middle of the SEND button


crop = harness.crop
difference = harness.difference


class Battle(unittest.TestCase):
    def setUp(self):
        self.audio = os.path.join(harness.tempfile.mkdtemp(prefix="vorblex-audio-"), "out.raw")
        self.addCleanup(shutil.rmtree, os.path.dirname(self.audio), True)
        self.game = harness.Game(ARGS.game, ARGS.run_dir, audio="disk",
                                 env={"SDL_DISKAUDIOFILE": self.audio})
        self.addCleanup(self.game.close)
        self.started = time.monotonic()
        panel_blue = harness.picture_as_shown(os.path.join(ARGS.run_dir, "img",
                                                           "interface-blue.png"))
        panel_red = harness.picture_as_shown(os.path.join(ARGS.run_dir, "img",
                                                          "interface-red.png"))
        self.label_blue = crop(panel_blue, TURN_LABEL)
        self.label_red = crop(panel_red, TURN_LABEL)
        banner = harness.picture_as_shown(os.path.join(ARGS.run_dir, "img", "lose-red.png"))
        self.banner_red = crop(banner, BANNER)

    def turn_shown(self, shot):
        label = crop(shot, TURN_LABEL)
        blue = difference(label, self.label_blue)
        red = difference(label, self.label_red)
        self.assertLess(min(blue, red), 12, "the panel's turn label is not visible")
        return "blue" if blue < red else "red"

    def wait_for(self, condition, what):
        return self.game.wait_for(condition, what)

    def settled(self):
        """The scene once the robots have slid in (0.4 s of game time) and
        stand still."""
        self.game.wait_for_frames(0.5)
        return self.game.wait_until_still(
            "the robots to stand still", limit=1, timeout=40,
            part=lambda shot: crop(shot, RED_ROBOT) + crop(shot, BLUE_ROBOT) + crop(shot, TURN_LABEL))

    def enter_battle(self):
        self.game.click(400, 300)
        self.game.click(400, 300)
        return self.settled()

    def test_a_battle_to_a_loss_and_a_new_battle(self):
        game = self.game
        opening = self.enter_battle()
        self.assertEqual(self.turn_shown(opening), "blue")
        out = game.output()
        self.assertIn("Loaded texture ./img/bg.jpg\n", out)
        self.assertIn("Loaded texture ./img/robot-red.png\n", out)

        # Blue: typed words and Enter. The bubble appears, the panel turns
        # red and the threshold changes.
        game.type("you smell like rust")
        game.key("Return")
        sent_at = time.monotonic() - self.started
        talking = self.wait_for(
            lambda shot: difference(crop(shot, BUBBLE), crop(opening, BUBBLE)) > 20,
            "the speech bubble to appear")
        if ARGS.screenshot:
            game.wait_for_frames(0.6)  # the bubble fully faded in
        game.save_screenshot(os.path.join(os.path.dirname(self.audio), "battle.png"))
        if ARGS.screenshot:
            shutil.copy(os.path.join(os.path.dirname(self.audio), "battle.png"),
                        ARGS.screenshot)
        self.assertGreater(difference(crop(talking, THRESHOLD_BOX),
                                      crop(opening, THRESHOLD_BOX)), 3,
                           "the threshold number did not change")
        self.assertEqual(self.turn_shown(talking), "red")

        # Red: words that match nothing, sent with the SEND button. The answer
        # "Well... you suck" has strength 0, below the threshold: red loses.
        game.key("--repeat", "40", "BackSpace")  # don't wait for the bubble to clear it
        game.type("zzz qqq")
        game.click(*SEND)
        game.wait_for_frames(0.6)
        won = crop(harness.picture_as_shown(os.path.join(ARGS.run_dir, "img",
                                                         "interface-blue-won.png")), TURN_LABEL)
        self.assertLess(difference(crop(game.screenshot(), TURN_LABEL), won), 12,
                        "the panel does not say that blue won")
        # The fall and the banner take about 4.3 s of game time; a slow
        # software renderer stretches that (frames advance at most 30 ms).
        lost = self.wait_for(lambda shot: difference(crop(shot, BANNER), self.banner_red) < 10,
                             "the red lose banner to land")
        self.assertGreater(difference(crop(lost, RED_ROBOT), crop(opening, RED_ROBOT)), 10,
                           "the red robot did not fall")

        # Typing does nothing now; a click starts a new battle.
        game.type("abc")
        game.click(100, 100)
        fresh = self.settled()
        self.assertEqual(self.turn_shown(fresh), "blue")
        for region, what in ((RED_ROBOT, "red robot"), (BLUE_ROBOT, "blue robot"),
                             (THRESHOLD_BOX, "threshold"), (BUBBLE, "bubble"),
                             (BANNER, "middle of the view")):
            self.assertLess(difference(crop(fresh, region), crop(opening, region)), 4,
                            "the %s is not reset" % what)
        self.assertTrue(game.alive())

        self.check_sound(sent_at)

    def check_sound(self, sent_at):
        """Music from the start, louder while blue speaks."""
        self.game.key("Escape")
        self.assertEqual(self.game.wait_exit(), 0)
        with open(self.audio, "rb") as f:
            samples = array.array("h", f.read())
        rate = 44100 * 2  # stereo 16-bit frames
        self.assertGreater(len(samples), rate * 5, "less than 5 s of sound was written")

        def rms(t0, t1):
            part = samples[int(t0 * rate):int(t1 * rate)]
            return math.sqrt(sum(s * s for s in part[::7]) / max(1, len(part[::7])))

        music = rms(0.5, min(sent_at, 3.0))
        self.assertGreater(music, 200, "no music before the first insult")
        speech = max(rms(sent_at + k * 0.25, sent_at + (k + 1) * 0.25) for k in range(12))
        self.assertGreater(speech, music * 1.3, "no speech heard after the send")


if __name__ == "__main__":
    # --screenshot FILE keeps a screenshot of the battle.
    ARGS = harness.arguments("--screenshot")
    unittest.main(argv=[sys.argv[0]] + ARGS.unittest_args, verbosity=2)
