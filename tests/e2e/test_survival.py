"""The game under bad conditions, played as a player would: each run-time file
missing in turn and all at once, damaged files, no audio device, no speech
data, an absurdly long typed line, and the window manager closing the window.
Every time the game must say what is wrong on its console, go on, and let a
battle be played to a loss and restarted.

The window is shrunk to 400 x 300 after start-up: the game keeps working at
any size, and a software renderer draws four times fewer pixels."""

import argparse
import os
import random
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

ARGS = None
WIDTH, HEIGHT = 400, 300

PICTURES = ["splash.jpg", "instructions.jpg", "bg.jpg", "robot-red.png", "robot-red-on.png",
            "robot-blue.png", "robot-blue-on.png", "interface-blue.png", "interface-red.png",
            "speech.png", "cursor.png", "lose-red.png", "lose-blue.png"]

# Regions in the game's virtual space (x right, y up, origin in the middle),
# as (left, bottom, right, top).
BANNER = (-140, -100, 140, 120)   # the middle of the view, where a lose banner lands
BUBBLE = (-240, 130, 240, 270)    # inside the speech bubble
ENTRY = (-360, -280, 200, -240)   # the entry line on the panel

STRONG = "you smell like rust"    # matches several stored insults
NOTHING = "zzz qqq"               # matches none: the fallback, strength 0


def crop(shot, box):
    """The bytes of a region given in virtual units."""
    left, bottom, right, top = box
    s = shot.width / 800.0
    return harness.crop(shot, (int((left + 400) * s), int((300 - top) * s),
                               int((right + 400) * s), int((300 - bottom) * s)))


difference = harness.difference


def noise(size, seed):
    rng = random.Random(seed)
    return bytes(rng.randrange(256) for _ in range(size))


def data_file(rel):
    with open(os.path.join(ARGS.run_dir, rel), "rb") as f:
        return f.read()


class Trial(unittest.TestCase):
    """Plays one game under the given conditions."""

    def start(self, **kwargs):
        game = harness.Game(ARGS.game, ARGS.run_dir, **kwargs)
        self.addCleanup(game.close)
        game.resize(WIDTH, HEIGHT)
        self.assertEqual(game.wait_for_geometry((WIDTH, HEIGHT)), (WIDTH, HEIGHT))
        return game

    def enter_battle(self, game):
        game.click_virtual(0, 0)
        game.wait_for_frames(0.5)
        game.click_virtual(0, 0)
        game.wait_for_frames(0.8)
        return game.wait_until_still("the battle scene to settle")

    def send(self, game, words):
        game.key("--repeat", "30", "BackSpace")
        game.type(words)
        game.key("Return")

    def assertSays(self, game, *messages):
        for message in messages:
            out = game.wait_for_output(message)
            self.assertIn(message, out)

    def play_to_a_loss(self, game, loser="red"):
        """A battle from its first frame to a landed banner, then Enter for a
        new battle, which must look like the first did."""
        opening = self.enter_battle(game)
        if loser == "red":
            turns = [STRONG, NOTHING]      # red falls short of blue's threshold
        else:
            turns = [NOTHING, STRONG, NOTHING]  # blue holds at 0, then falls short
        for number, words in enumerate(turns, 1):
            self.send(game, words)
            game.wait_for_frames(0.5)
            # Each answer ends (its bubble gone) before the next line: a robot
            # still flickering as the banner falls could pass for the banner.
            # Without a panel picture the view changes with the turn; then
            # 10 s outlast the longest answer.
            if number < len(turns):
                try:
                    game.wait_for(lambda shot: difference(crop(shot, BUBBLE),
                                                          crop(opening, BUBBLE)) < 4,
                                  "the answer to %r to end" % words, timeout=10)
                except AssertionError:
                    pass
        game.wait_until_still(
            "the %s lose banner to land" % loser, part=lambda shot: crop(shot, BANNER),
            condition=lambda shot: difference(crop(shot, BANNER), crop(opening, BANNER)) > 15)

        # Letters do nothing after a loss; Enter starts the next battle once
        # the banner has landed. A slow machine can hold a frame long enough
        # to look still while the banner still falls: then Enter again.
        game.type("abc")
        for attempt in range(20):
            game.key("Return")
            try:
                game.wait_for(lambda shot: difference(crop(shot, BANNER),
                                                      crop(opening, BANNER)) < 4,
                              "a new battle", timeout=3)
                break
            except AssertionError:
                if attempt == 19:
                    raise
        fresh = game.wait_until_still("the new battle to settle")
        for box, what in ((BANNER, "middle of the view"), (BUBBLE, "bubble"),
                          (ENTRY, "entry line")):
            self.assertLess(difference(crop(fresh, box), crop(opening, box)), 4,
                            "the %s is not reset" % what)
        # And the new battle is played again: a turn brings up the bubble.
        self.send(game, STRONG)
        # (Only its text may show: a white bubble on a white backdrop when
        # both pictures are missing.)
        game.wait_for(lambda shot: difference(crop(shot, BUBBLE), crop(fresh, BUBBLE)) > 2,
                      "the bubble in the new battle", timeout=30)
        self.assertTrue(game.alive())

    def quit(self, game):
        game.key("Escape")
        self.assertEqual(game.wait_exit(), 0, game.output())


class MissingPictures(Trial):
    def test_each_picture_missing_in_turn(self):
        for name in PICTURES:
            with self.subTest(picture=name):
                game = self.start(remove=["img/" + name])
                loser = "blue" if name == "lose-blue.png" else "red"
                self.play_to_a_loss(game, loser)
                self.assertSays(game, "Couldn't load texture ./img/%s\n" % name)
                self.assertEqual(game.output().count("Couldn't load texture"), 1,
                                 "a missing picture is reported once")
                self.quit(game)



class MissingFiles(Trial):
    def test_music_missing(self):
        game = self.start(remove=["sounds/bg.mp3"])
        self.assertSays(game, "Loaded Sound bg\n", "ERROR: No sample associated with bg\n",
                        "ERROR: Sample bg not found\n")
        self.play_to_a_loss(game)
        self.quit(game)

    def test_font_missing(self):
        game = self.start(remove=["AGENCYR.TTF"])
        self.play_to_a_loss(game)
        # Each battle builds the font anew and says so again.
        self.assertEqual(game.output().count("FT_New_Face failed loading font ./AGENCYR.TTF\n"),
                         2)
        self.quit(game)

    def test_insult_list_missing(self):
        """Every answer is the fallback of strength 0, which never falls below
        the threshold of 0: nobody can lose, and the battle goes on."""
        game = self.start(remove=["insults.txt"])
        self.assertSays(game, "Could not find insult file: ./insults.txt\n")
        opening = self.enter_battle(game)
        for words in (STRONG, NOTHING, STRONG, "robot"):
            self.send(game, words)
            game.wait_for(lambda shot: difference(crop(shot, BUBBLE),
                                                  crop(opening, BUBBLE)) > 10,
                          "the bubble to show the answer", timeout=30)
        game.wait_for_frames(3)
        self.assertLess(difference(crop(game.screenshot(), BANNER), crop(opening, BANNER)), 4,
                        "no banner: nobody lost")
        self.assertTrue(game.alive())
        self.quit(game)

    def test_everything_missing_at_once(self):
        """A white window with nothing on it, no sound and no insults; the game
        still takes clicks and typing and ends normally."""
        game = self.start(remove=["img", "sounds", "AGENCYR.TTF", "insults.txt"])
        self.assertSays(game, "Could not find insult file: ./insults.txt\n",
                        "ERROR: Sample bg not found\n",
                        "Couldn't load texture ./img/splash.jpg\n")
        self.enter_battle(game)
        for words in (STRONG, NOTHING, STRONG):
            self.send(game, words)
            game.wait_for_frames(0.5)
        self.assertSays(game, "FT_New_Face failed loading font ./AGENCYR.TTF\n",
                        "Couldn't load texture ./img/bg.jpg\n",
                        "Couldn't load texture ./img/interface-red.png\n")
        self.assertTrue(game.alive())
        self.quit(game)


class DamagedFiles(Trial):
    def test_picture_that_is_not_a_picture(self):
        game = self.start(replace={"img/bg.jpg": b"This is not a picture.\n",
                                   "img/speech.png": b""})
        self.play_to_a_loss(game)
        self.assertSays(game, "Couldn't load texture ./img/bg.jpg\n",
                        "Couldn't load texture ./img/speech.png\n")
        self.quit(game)

    def test_truncated_png(self):
        whole = data_file("img/robot-red.png")
        game = self.start(replace={"img/robot-red.png": whole[:len(whole) // 3]})
        self.play_to_a_loss(game)
        out = game.output()
        # Whether the decoder keeps what it could read is its business; the
        # game must say which it was and go on.
        self.assertTrue("Loaded texture ./img/robot-red.png\n" in out or
                        "Couldn't load texture ./img/robot-red.png\n" in out, out)
        self.quit(game)

    def test_music_that_is_noise(self):
        game = self.start(replace={"sounds/bg.mp3": noise(200000, 1)})
        self.assertSays(game, "Loaded Sound bg\n")
        self.play_to_a_loss(game)
        self.quit(game)

    def test_font_that_is_not_a_font(self):
        game = self.start(replace={"AGENCYR.TTF": noise(50000, 2)})
        self.play_to_a_loss(game)
        self.assertSays(game, "FT_New_Face failed loading font ./AGENCYR.TTF\n")
        self.quit(game)

    def test_insult_list_of_binary_noise(self):
        """Whatever bytes the list holds, the game reads what words it can."""
        game = self.start(replace={"insults.txt": noise(20000, 3)})
        opening = self.enter_battle(game)
        self.send(game, STRONG)
        game.wait_for(lambda shot: difference(crop(shot, BUBBLE), crop(opening, BUBBLE)) > 10,
                      "the bubble to show the answer", timeout=30)
        self.assertTrue(game.alive())
        self.quit(game)


class Devices(Trial):
    def test_no_audio_device(self):
        game = self.start(audio="no-such-audio-driver")
        self.assertSays(game, "ERROR: Sample bg not found\n")
        self.play_to_a_loss(game)
        self.quit(game)

    def test_no_speech_data(self):
        game = self.start(env={"ESPEAK_DATA_PATH": "/nonexistent/espeak-ng-data"})
        self.play_to_a_loss(game)
        self.quit(game)

    def test_a_line_of_a_hundred_thousand_characters(self):
        game = self.start()
        opening = self.enter_battle(game)
        rng = random.Random(4)
        words = []
        length = 0
        while length < 100000:
            word = "".join(rng.choice("abcdefghijklmnopqrstuvwxyz")
                           for _ in range(rng.randint(2, 9)))
            words.append(word)
            length += len(word) + 1
        line = " ".join(words + ["rust"])[-100000:]
        self.assertEqual(len(line), 100000)
        game.tool("windowfocus", "--sync", game.window)
        subprocess.run(["xdotool", "type", "--delay", "0", "--file", "-"], input=line.encode(),
                       env=game.env, check=True, timeout=900)
        # The whole line has arrived once the caret stops moving.
        game.wait_until_still("the typing to finish")
        game.key("Return")
        sent = time.monotonic()
        game.wait_for(lambda shot: difference(crop(shot, BUBBLE), crop(opening, BUBBLE)) > 10,
                      "the answer in the bubble", timeout=30)
        print("answer shown %.2f s after Enter on a 100,000-character line"
              % (time.monotonic() - sent))
        # And the game goes on: the next turn is played as usual.
        self.send(game, NOTHING)
        game.wait_for_frames(1)
        self.assertTrue(game.alive())
        self.quit(game)

    def test_window_manager_close_ends_with_status_zero(self):
        for screen in ("splash", "battle"):
            with self.subTest(screen=screen):
                game = self.start()
                if screen == "battle":
                    self.enter_battle(game)
                    self.send(game, STRONG)  # close while a robot is speaking
                subprocess.run([ARGS.wm_close, game.window], env=game.env, check=True,
                               timeout=30)
                self.assertEqual(game.wait_exit(), 0, game.output())


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--run-dir", required=True)
    parser.add_argument("--wm-close", required=True, help="the send_wm_close program")
    parser.add_argument("unittest_args", nargs="*")
    ARGS = parser.parse_args()
    unittest.main(argv=[sys.argv[0]] + ARGS.unittest_args, verbosity=2)
