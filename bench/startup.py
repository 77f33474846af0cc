"""Time from launch to the first drawn splash frame, and the game's peak
resident memory over a short session, measured on an Xvfb of its own.

usage: python3 bench/startup.py --game build/run/vorblex --run-dir build/run [--runs 5]
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402


def one_run(game, run_dir):
    xvfb = harness.Xvfb()
    env = dict(os.environ, DISPLAY=xvfb.display, SDL_AUDIODRIVER="dummy")
    expected = harness.picture_as_shown(os.path.join(run_dir, "img", "splash.jpg"))
    rss_file = tempfile.NamedTemporaryFile(delete=False).name
    started = time.monotonic()
    proc = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", rss_file,
                             os.path.abspath(game)], cwd=run_dir, env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    window = None
    shown = None
    try:
        while time.monotonic() - started < 30:
            if window is None:
                found = subprocess.run(["xdotool", "search", "--name", "^Vorblex$"], env=env,
                                       capture_output=True, text=True).stdout.split()
                window = found[0] if found else None
                if window:
                    # Without a window manager the window opens at (-1, -1).
                    subprocess.run(["xdotool", "windowmove", window, "0", "0"], env=env)
                continue
            ppm = subprocess.run([harness.IMPORT, "-window", window, "-depth", "8", "ppm:-"],
                                 env=env, capture_output=True).stdout
            try:
                shot = harness.Screenshot(ppm)
            except (ValueError, IndexError):
                continue
            if (shot.width, shot.height) == (800, 600) and shot.mean_difference(expected) < 8:
                shown = time.monotonic() - started
                break
        time.sleep(2)  # a short session on the splash screen
        subprocess.run(["xdotool", "windowfocus", "--sync", window], env=env)
        subprocess.run(["xdotool", "key", "Escape"], env=env)
        proc.wait(timeout=10)
        with open(rss_file) as f:
            peak_kib = int(f.read().split()[-1])
    finally:
        if proc.poll() is None:
            proc.kill()
        xvfb.stop()
        os.remove(rss_file)
    return shown, peak_kib


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--run-dir", required=True)
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    times, peaks = [], []
    for _ in range(args.runs):
        shown, peak = one_run(args.game, args.run_dir)
        if shown is None:
            print("the splash never appeared")
            return 1
        times.append(shown)
        peaks.append(peak)
    print("launch to first splash frame: median %.2f s, min %.2f s, max %.2f s over %d runs "
          "(screenshot polling adds up to ~0.1 s)" %
          (statistics.median(times), min(times), max(times), len(times)))
    print("peak resident memory: median %.1f MiB, max %.1f MiB" %
          (statistics.median(peaks) / 1024, max(peaks) / 1024))
    return 0


if __name__ == "__main__":
    sys.exit(main())
