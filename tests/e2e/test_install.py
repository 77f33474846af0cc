"""Installs the game into a temporary prefix, checks the installed layout and
plays one turn through the installed launcher, started from another folder."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

ARGS = None


class Install(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.prefix = tempfile.mkdtemp(prefix="vorblex-prefix-")
        subprocess.run(["cmake", "--install", ARGS.build_dir, "--prefix", cls.prefix],
                       check=True, capture_output=True)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.prefix, ignore_errors=True)

    def path(self, *parts):
        return os.path.join(self.prefix, *parts)

    def test_layout_of_a_linux_game(self):
        data = self.path("share", "vorblex")
        for rel in ("img/splash.jpg", "img/robot-red.png", "sounds/bg.mp3", "AGENCYR.TTF",
                    "AGENCYR.LICENSE", "insults.txt", "screenshot.png"):
            self.assertTrue(os.path.isfile(os.path.join(data, rel)), rel)
        self.assertTrue(os.access(self.path("bin", "vorblex"), os.X_OK))
        self.assertTrue(os.access(self.path("libexec", "vorblex", "vorblex"), os.X_OK))
        self.assertFalse(os.path.exists(self.path("bin", "vorblex-game")))
        for rel in ("share/applications/vorblex.desktop",
                    "share/metainfo/vorblex.metainfo.xml",
                    "share/icons/hicolor/256x256/apps/vorblex.png",
                    "share/icons/hicolor/scalable/apps/vorblex.svg",
                    "share/man/man6/vorblex.6"):
            self.assertTrue(os.path.isfile(self.path(rel)), rel)

    def test_desktop_entry_and_metainfo_validate(self):
        subprocess.run(["desktop-file-validate",
                        self.path("share/applications/vorblex.desktop")], check=True)
        result = subprocess.run(["appstream-util", "validate-relax", "--nonet",
                                 self.path("share/metainfo/vorblex.metainfo.xml")],
                                capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        # The screenshot is named by where the configured prefix puts it.
        with open(self.path("share/metainfo/vorblex.metainfo.xml")) as f:
            self.assertRegex(f.read(), r"<image>file:///.*/share/vorblex/screenshot.png</image>")

    def test_man_page_renders(self):
        result = subprocess.run(["man", "-l", "-Tutf8", self.path("share/man/man6/vorblex.6")],
                                capture_output=True, text=True,
                                env=dict(os.environ, MANWIDTH="80"))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("vorblex", result.stdout)
        self.assertNotIn("warning", result.stderr)

    def test_launcher_plays_a_turn_from_any_folder(self):
        game = harness.Game(None, None, launcher=self.path("bin", "vorblex"))
        self.addCleanup(game.close)
        splash = "Loaded texture ./img/splash.jpg\n"
        self.assertIn(splash, game.wait_for_output(splash))
        game.click(400, 300)
        game.click(400, 300)
        game.wait_for_output("Loaded texture ./img/bg.jpg")
        game.wait_for_frames(1.0)
        before = game.screenshot()
        game.type("you smell")
        game.key("Return")
        game.wait_for_change(before, "an answer to the turn", limit=2)
        out = game.wait_for_output("Loaded texture ./img/interface-red.png")
        self.assertIn("Loaded texture ./img/interface-red.png", out)
        self.assertNotIn("Could not find insult file", out)
        self.assertNotIn("FT_New_Face failed", out)
        self.assertTrue(game.alive())


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", required=True)
    parser.add_argument("unittest_args", nargs="*")
    ARGS = parser.parse_args()
    unittest.main(argv=[sys.argv[0]] + ARGS.unittest_args, verbosity=2)
