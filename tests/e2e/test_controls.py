"""The controls a desktop player expects, played for real: the command line,
the sound keys with their settings kept from one run to the next, damaged and
unwritable settings, insults of one's own, and, with none of it, the very
same start as before."""

import array
import math
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

ARGS = None
HERE = os.path.dirname(os.path.abspath(__file__))

THRESHOLD_BOX = (508, 447, 598, 488)
TOAST = (250, 20, 550, 60)

crop = harness.crop
difference = harness.difference


class Controls(harness.GameCase):
    def folder(self):
        path = tempfile.mkdtemp(prefix="vorblex-home-")
        self.addCleanup(shutil.rmtree, path, True)
        return path

    def enter_battle(self, game):
        game.key("Return")
        game.key("Return")
        game.wait_for_output("Loaded texture ./img/speech.png")
        return game.wait_until_still("the battle to settle", limit=1)

    def quit(self, game):
        game.key("Escape")
        self.assertEqual(game.wait_exit(), 0)

    def test_options_answer_on_the_command_line_without_a_window(self):
        env = dict(os.environ, SDL_AUDIODRIVER="dummy")
        env.pop("DISPLAY", None)  # a window would fail to open and say so
        missing = os.path.join(self.folder(), "none.txt")
        for args, status, out, err in (
                (["--help"], 0, "Usage: vorblex [OPTION]...", ""),
                (["--version"], 0, "Vorblex 0.1.0\n", ""),
                (["--bogus"], 2, "", "vorblex: unknown option '--bogus'\nUsage:"),
                (["--window", "800"], 2, "", "vorblex: --window wants WIDTHxHEIGHT"),
                (["--window"], 2, "", "vorblex: option --window needs a value\n"),
                (["--insults", missing], 2, "", "vorblex: --insults: cannot read"),
                (["-display"], 2, "", "vorblex: option -display needs a value\n")):
            with self.subTest(args=args):
                done = subprocess.run([os.path.abspath(ARGS.game), *args], cwd=ARGS.run_dir, env=env, timeout=30,
                                      capture_output=True, text=True)
                self.assertEqual(done.returncode, status, done.stderr)
                self.assertTrue(done.stdout.startswith(out), done.stdout)
                self.assertTrue(done.stderr.startswith(err), done.stderr)
                self.assertNotIn("Loaded", done.stdout, "the game started")

    def test_without_options_or_files_the_start_is_as_it_always_was(self):
        game = self.start()
        game.click(400, 300)
        game.click(400, 300)
        game.wait_for_output("Loaded texture ./img/robot-red-on.png")
        game.wait_for_frames(0.5)
        self.quit(game)
        with open(os.path.join(HERE, "data", "startup-output.txt")) as f:
            self.assertEqual(game.output(), f.read())
        self.assertFalse(os.path.exists(os.path.join(game.config_home, "vorblex")),
                         "a settings file was written with nothing changed")

    def test_sound_keys_show_change_and_last(self):
        home = self.folder()
        game = self.start(env={"XDG_CONFIG_HOME": home})
        before = game.screenshot()
        game.key("F5")
        shot = game.screenshot()
        self.assertGreater(difference(crop(shot, TOAST), crop(before, TOAST)), 10,
                           "no word on screen for the music key")
        game.key("F7", "F7", "F6")
        game.wait_for(lambda s: difference(crop(s, TOAST), crop(before, TOAST)) < 1,
                      "the word to fade", timeout=20)
        self.quit(game)
        settings = os.path.join(home, "vorblex", "settings.ini")
        with open(settings) as f:
            text = f.read()
        for line in ("music = off", "voice = off", "volume = 80"):
            self.assertIn(line + "\n", text)
        # The next run starts with them: no music, and one step louder is 90.
        audio = os.path.join(self.folder(), "out.raw")
        game = self.start(env={"XDG_CONFIG_HOME": home, "SDL_DISKAUDIOFILE": audio},
                          audio="disk")
        game.wait_for_frames(1.5)
        game.key("F8")
        self.quit(game)
        with open(audio, "rb") as f:
            samples = array.array("h", f.read(44100 * 4))
        self.assertLess(max(abs(s) for s in samples[::7]), 50, "the music came back")
        with open(settings) as f:
            text = f.read()
        self.assertIn("volume = 90\n", text)
        self.assertIn("music = off\n", text)

    def test_a_damaged_settings_file_is_reported_and_kept_aside(self):
        home = self.folder()
        os.makedirs(os.path.join(home, "vorblex"))
        settings = os.path.join(home, "vorblex", "settings.ini")
        damaged = "music = off\nvolume = 250\n\x00\x01\n"
        with open(settings, "w") as f:
            f.write(damaged)
        game = self.start(env={"XDG_CONFIG_HOME": home})
        message = "Settings file %s, line 2: volume is 0 to 100" % settings
        self.assertIn(message, game.wait_for_output(message))
        self.assertEqual(game.output().count("Settings file"), 1, "one line for the file")
        game.key("F6")
        self.quit(game)
        with open(settings + ".bad") as f:
            self.assertEqual(f.read(), damaged, "what the player wrote is lost")
        with open(settings) as f:
            text = f.read()
        self.assertIn("music = off\n", text, "what could be read was not kept")
        self.assertIn("volume = 100\n", text)

    def test_an_unwritable_settings_folder_is_reported_once_and_the_game_plays_on(self):
        blocked = os.path.join(self.folder(), "not-a-folder")
        with open(blocked, "w") as f:
            f.write("a file where the settings folder would be\n")
        game = self.start(env={"XDG_CONFIG_HOME": blocked})
        game.key("F5")
        game.key("F5")
        game.wait_for_frames(0.5)
        self.assertEqual(game.output().count("Cannot save the settings in"), 1, game.output())
        self.enter_battle(game)
        self.assertTrue(game.alive())
        self.quit(game)

    def test_insults_of_ones_own_answer_and_those_too_long_are_skipped(self):
        data = self.folder()
        own = os.path.join(data, "vorblex", "insults.txt")
        os.makedirs(os.path.dirname(own))
        with open(own, "wb") as f:
            f.write(b"Your quibbleflux is showing, and it is not pretty.\n"
                    + b"x" * 100 + b"\n\n"
                    + "Caf\u00e9 robots are no better.\n".encode())
        game = self.start(env={"XDG_DATA_HOME": data})
        message = "Skipped 2 lines of %s that the speech bubble cannot hold" % own
        self.assertIn(message, game.wait_for_output(message))
        self.assertIn("lines 2, 4\n", game.output())
        opening = self.enter_battle(game)
        # 11 letters shared: the threshold becomes 8, from 0.
        game.type("quibbleflux")
        game.key("Return")
        game.wait_for(lambda s: difference(crop(s, THRESHOLD_BOX),
                                           crop(opening, THRESHOLD_BOX)) > 3,
                      "the threshold to change: the own line answered")

    def test_music_off_is_silent_and_the_voice_still_speaks(self):
        audio = os.path.join(self.folder(), "out.raw")
        game = self.start(args=["--no-music"], audio="disk",
                          env={"SDL_DISKAUDIOFILE": audio})
        started = time.monotonic()
        self.enter_battle(game)
        game.type("you smell like rust")
        game.key("Return")
        sent = time.monotonic() - started
        game.wait_for_frames(3.0)
        self.quit(game)
        with open(audio, "rb") as f:
            samples = array.array("h", f.read())
        rate = 44100 * 2

        def rms(t0, t1):
            part = samples[int(t0 * rate):int(t1 * rate)][::7]
            return math.sqrt(sum(s * s for s in part) / max(1, len(part)))
        self.assertLess(rms(0.2, sent), 20, "music is heard with --no-music")
        speech = max(rms(sent + k * 0.25, sent + (k + 1) * 0.25) for k in range(10))
        self.assertGreater(speech, 200, "the voice did not speak")


if __name__ == "__main__":
    ARGS = harness.GameCase.args = harness.arguments()
    unittest.main(argv=[sys.argv[0]] + ARGS.unittest_args, verbosity=2)
