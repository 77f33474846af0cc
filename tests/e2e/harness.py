"""Drives the real game as a player would: under an Xvfb server of its own,
with xdotool for the mouse and keyboard and ImageMagick for screenshots.

Every Game runs in a private copy of the staged run directory, so a test can
remove or damage files without touching the build.
"""

import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

IMPORT = "/usr/bin/import"
CONVERT = "/usr/bin/convert"


class Screenshot:
    """An RGB picture read from a PPM (P6) stream."""

    def __init__(self, ppm):
        parts = []
        pos = 0
        # Header: magic, width, height, maxval, separated by whitespace.
        while len(parts) < 4:
            while ppm[pos:pos + 1].isspace():
                pos += 1
            end = pos
            while not ppm[end:end + 1].isspace():
                end += 1
            parts.append(ppm[pos:end])
            pos = end
        if parts[0] != b"P6":
            raise ValueError("not a binary PPM picture")
        self.width = int(parts[1])
        self.height = int(parts[2])
        self.pixels = ppm[pos + 1:]

    def pixel(self, x, y):
        at = (y * self.width + x) * 3
        return tuple(self.pixels[at:at + 3])

    def virtual(self, vx, vy):
        """The pixel at a virtual position of the 800 x 600 game space."""
        s = self.width / 800.0
        return self.pixel(int((vx + 400) * s), int((300 - vy) * s))

    def region_mean(self, x0, y0, x1, y1):
        total = [0, 0, 0]
        count = 0
        for y in range(y0, y1):
            for x in range(x0, x1):
                p = self.pixel(x, y)
                for c in range(3):
                    total[c] += p[c]
                count += 1
        return tuple(t / count for t in total)

    def mean_difference(self, other):
        """Mean absolute difference per channel, 0 to 255."""
        if (self.width, self.height) != (other.width, other.height):
            raise ValueError("pictures differ in size")
        a = self.pixels
        b = other.pixels
        step = 7  # every seventh byte is plenty and keeps this fast
        diff = sum(abs(a[i] - b[i]) for i in range(0, len(a), step))
        return diff / (len(a) / step)


def crop(shot, box):
    """The raw RGB bytes of a region (x0, y0, x1, y1) of a screenshot, in
    pixels from its top-left corner, for comparing regions of two pictures."""
    x0, y0, x1, y1 = box
    rows = []
    for y in range(y0, y1):
        at = (y * shot.width + x0) * 3
        rows.append(shot.pixels[at:at + (x1 - x0) * 3])
    return b"".join(rows)


def difference(a, b):
    """Mean absolute difference of two regions' bytes, 0 to 255."""
    return sum(abs(x - y) for x, y in zip(a, b)) / max(1, len(a))


def picture_as_shown(path, width=800):
    """How a full-screen picture appears in the window: stretched over an
    800 x 800 square centred on the view, of which the middle 600 rows show."""
    ppm = subprocess.run(
        [CONVERT, path, "-resize", "%dx%d!" % (width, width),
         "-crop", "%dx%d+0+%d" % (width, width * 3 // 4, width // 8),
         "+repage", "-depth", "8", "ppm:-"],
        check=True, capture_output=True).stdout
    return Screenshot(ppm)


def uniform_picture(colour, width=800, height=600):
    header = b"P6\n%d %d\n255\n" % (width, height)
    return Screenshot(header + bytes(colour) * (width * height))


class Xvfb:
    """An X server of our own. It never resets: by default a server resets
    when its last client leaves, and a game connecting just as a probing
    xdotool leaves would be turned away."""

    def __init__(self, size="1280x1024x24"):
        read_fd, write_fd = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", size, "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        with os.fdopen(read_fd, "rb") as f:
            while not number.endswith(b"\n"):
                chunk = f.read(1)
                if not chunk:
                    raise RuntimeError("Xvfb did not start")
                number += chunk
        self.display = ":" + number.decode().strip()

    def stop(self):
        self.proc.terminate()
        try:
            self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.proc.kill()


class Game:
    """One run of the game in its own X server and run directory."""

    def __init__(self, binary, run_dir, remove=(), replace=None, env=None, audio="dummy",
                 launcher=None, window_manager=None, args=()):
        """launcher: start this command (an installed launcher) from an empty
        folder instead of a copy of the run directory. args: the game's
        command line. window_manager: a
        command (such as ["openbox"]) to manage the game's window, started in
        the X server before the game."""
        self.tmp = tempfile.mkdtemp(prefix="vorblex-e2e-")
        self.dir = os.path.join(self.tmp, "run")
        if launcher:
            os.makedirs(self.dir)
            command = [launcher, *args]
        else:
            shutil.copytree(run_dir, self.dir)
            shutil.copy(binary, os.path.join(self.dir, "vorblex"))
            command = ["./vorblex", *args]
        for rel in remove:
            target = os.path.join(self.dir, rel)
            if os.path.isdir(target):
                shutil.rmtree(target)
            elif os.path.exists(target):
                os.remove(target)
        for rel, data in (replace or {}).items():
            with open(os.path.join(self.dir, rel), "wb") as f:
                f.write(data)
        self.xvfb = Xvfb()
        self.env = dict(os.environ)
        self.env["DISPLAY"] = self.xvfb.display
        self.env.pop("XAUTHORITY", None)
        if audio is not None:
            self.env["SDL_AUDIODRIVER"] = audio
        # Settings and one's own insults live in folders of the test's own,
        # empty unless the test puts something there.
        self.config_home = os.path.join(self.tmp, "config")
        self.data_home = os.path.join(self.tmp, "data")
        self.env["XDG_CONFIG_HOME"] = self.config_home
        self.env["XDG_DATA_HOME"] = self.data_home
        self.env.update(env or {})
        self.out_path = os.path.join(self.tmp, "stdout.txt")
        self.out = open(self.out_path, "wb")
        self.manager = None
        if window_manager:
            self.manager = subprocess.Popen(window_manager, env=self.env,
                                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self._wait_for_manager()
        self.proc = subprocess.Popen(command, cwd=self.dir, env=self.env,
                                     stdout=self.out, stderr=subprocess.STDOUT)
        try:
            self.window = self._find_window()
            self.tool("windowmove", "--sync", self.window, "0", "0")
            self.tool("windowfocus", "--sync", self.window)
            self.wait_for_frames()
        except BaseException:
            # Nobody else can end a game that failed to start.
            self.close()
            raise

    # -- plumbing -------------------------------------------------------
    def tool(self, *args, check=True):
        return subprocess.run(["xdotool", *args], env=self.env, check=check,
                              capture_output=True, text=True, timeout=30).stdout

    def _find_window(self, timeout=20):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.proc.poll() is not None:
                raise RuntimeError("the game ended at start:\n" + self.output())
            found = self.tool("search", "--onlyvisible", "--name", "^Vorblex$",
                              check=False).split()
            if found:
                return found[0]
            time.sleep(0.1)
        raise RuntimeError("no window titled Vorblex appeared:\n" + self.output())

    def _wait_for_manager(self, timeout=20):
        """Until a window manager owns the screen (it has set its check
        window on the root)."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            got = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                 capture_output=True, text=True).stdout
            if "window id" in got:
                return
            time.sleep(0.1)
        raise RuntimeError("the window manager did not start")

    def wait_for_frames(self, seconds=0.5):
        time.sleep(seconds)

    def output(self):
        self.out.flush()
        with open(self.out_path, "rb") as f:
            return f.read().decode("utf-8", "replace")

    def wait_for_output(self, text, timeout=20):
        """The console output once it holds text (or as it is at the end)."""
        deadline = time.monotonic() + timeout
        while text not in self.output() and time.monotonic() < deadline:
            time.sleep(0.1)
        return self.output()

    def alive(self):
        return self.proc.poll() is None

    # -- looking ----------------------------------------------------------
    def screenshot(self):
        ppm = subprocess.run([IMPORT, "-window", self.window, "-depth", "8", "ppm:-"], env=self.env,
                             check=True, capture_output=True, timeout=30).stdout
        return Screenshot(ppm)

    def wait_for(self, condition, what, timeout=40):
        """Screenshots until condition(shot) holds; the game may be slow to
        draw on a busy machine (a software renderer under Xvfb)."""
        deadline = time.monotonic() + timeout
        while True:
            shot = self.screenshot()
            if condition(shot):
                return shot
            if time.monotonic() > deadline:
                raise AssertionError("timed out waiting for " + what)
            time.sleep(0.2)

    def wait_until_still(self, what, part=None, limit=0.5, condition=None, timeout=60):
        """The screenshot once part(shot) (by default a sample of the whole
        picture) is the same in two screenshots in a row, within limit, and
        condition(shot) holds if given: the scene has stopped moving."""
        previous = [None]

        def settled(shot):
            now = part(shot) if part else shot.pixels[::7]
            was, previous[0] = previous[0], now
            return (was is not None and difference(now, was) < limit
                    and (condition is None or condition(shot)))
        return self.wait_for(settled, what, timeout=timeout)

    def wait_for_geometry(self, size, timeout=20):
        """The window's size once it is size, or whatever it is at the end."""
        deadline = time.monotonic() + timeout
        while self.geometry() != size and time.monotonic() < deadline:
            time.sleep(0.1)
        return self.geometry()

    def wait_for_change(self, before, what, limit=20.0, timeout=40):
        return self.wait_for(lambda shot: shot.mean_difference(before) > limit, what,
                             timeout=timeout)

    def save_screenshot(self, path):
        subprocess.run([IMPORT, "-window", self.window, path], env=self.env, check=True,
                       timeout=30)

    def geometry(self):
        out = self.tool("getwindowgeometry", "--shell", self.window)
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["WIDTH"]), int(values["HEIGHT"])

    # -- acting ----------------------------------------------------------
    def click(self, x, y, button=1):
        self.tool("mousemove", str(x), str(y))
        time.sleep(0.05)
        self.tool("click", str(button))
        self.wait_for_frames(0.3)

    def click_virtual(self, vx, vy, button=1):
        width, _ = self.geometry()
        s = width / 800.0
        self.click(int(round((vx + 400) * s)), int(round((300 - vy) * s)), button)

    def press(self, x, y, button=1):
        self.tool("mousemove", str(x), str(y))
        time.sleep(0.05)
        self.tool("mousedown", str(button))
        self.wait_for_frames(0.3)

    def key(self, *names):
        self.tool("windowfocus", "--sync", self.window)
        self.tool("key", "--delay", "30", *names)
        self.wait_for_frames(0.2)

    def type(self, text):
        self.tool("windowfocus", "--sync", self.window)
        self.tool("type", "--delay", "20", text)
        self.wait_for_frames(0.2)

    def resize(self, width, height):
        self.tool("windowsize", "--sync", self.window, str(width), str(height), check=False)
        self.wait_for_frames(0.5)

    def wait_exit(self, timeout=10):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def close(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.out.close()
        if self.manager:
            self.manager.terminate()
            self.manager.wait()
        self.xvfb.stop()
        shutil.rmtree(self.tmp, ignore_errors=True)


def arguments(*extra):
    """The test program's command line: --game, --run-dir, and the extra
    options named (each taking a value, and optional), then unittest's."""
    import argparse
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--run-dir", required=True)
    for name in extra:
        parser.add_argument(name)
    parser.add_argument("unittest_args", nargs="*")
    return parser.parse_args()


# Regions of the 800 x 600 window, (x0, y0, x1, y1), where the art is known.
TURN_LABEL = (40, 450, 330, 492)     # whose turn it is, or who won, on the panel
ENTRY_BOX = (44, 537, 648, 573)      # inside the white entry box
BANNER = (260, 180, 540, 400)        # the opaque ribbon of a lose banner


class GameCase(unittest.TestCase):
    """Tests that start games of their own. args is the command line (set by
    the test program)."""

    args = None

    def blues_turn(self, shot):
        """Whether the panel shows blue's turn rather than red's."""
        label = crop(shot, TURN_LABEL)
        return (difference(label, self.shown("interface-blue.png", TURN_LABEL)) <
                difference(label, self.shown("interface-red.png", TURN_LABEL)))

    def start(self, **kwargs):
        game = Game(self.args.game, self.args.run_dir, **kwargs)
        self.addCleanup(game.close)
        return game

    def shown(self, name, box=None):
        """A picture of the game as the window shows it, or a region of it."""
        picture = picture_as_shown(os.path.join(self.args.run_dir, "img", name))
        return crop(picture, box) if box else picture
