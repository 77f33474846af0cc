#!/usr/bin/env python3
"""Processor time the game uses while nothing happens, next to a bare loop.

In one X server, in alternating rounds, it measures the processor time per
second of wall time (user + system, all threads, from /proc) of:
  bare     bare_loop: an unpaced GLUT loop drawing one full-window picture;
  splash   the game resting on its splash screen;
  battle   the game in a battle where nobody types, once the robots stand.
It prints each round and the medians, and the game's share of the bare loop.
The X server's own processor time in each phase is printed beside it.

  python3 bench/rest_cpu.py --game build/run/vorblex --bare build/bench/bare_loop \\
      --run-dir build/run [--rounds 3] [--seconds 6]
"""
import argparse
import os
import signal
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime, stime


def measure(pids, seconds):
    """Processor seconds per wall second of each pid over the next seconds."""
    start = [cpu_seconds(p) for p in pids]
    t0 = time.monotonic()
    time.sleep(seconds)
    wall = time.monotonic() - t0
    return [(cpu_seconds(p) - s) / wall for p, s in zip(pids, start)]


def xdotool(env, *args):
    return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True,
                          timeout=30).stdout


def window_of(env, name, proc, timeout=20):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if proc.poll() is not None:
            raise RuntimeError("%s ended at start" % name)
        found = xdotool(env, "search", "--onlyvisible", "--name", "^%s$" % name).split()
        if found:
            return found[0]
        time.sleep(0.1)
    raise RuntimeError("no window %s" % name)


def stop(proc):
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(timeout=5)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def run_bare(args, env, server):
    proc = subprocess.Popen([os.path.abspath(args.bare)], cwd=args.run_dir, env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window_of(env, "Bare loop", proc)
        time.sleep(2)
        return {"bare": measure([proc.pid, server], args.seconds)}
    finally:
        stop(proc)


def run_game(args, env, server):
    proc = subprocess.Popen([os.path.abspath(args.game)], cwd=args.run_dir, env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = window_of(env, "Vorblex", proc)
        xdotool(env, "windowmove", "--sync", window, "0", "0")
        time.sleep(2)
        result = {"splash": measure([proc.pid, server], args.seconds)}
        for _ in range(2):
            xdotool(env, "mousemove", "400", "300", "click", "1")
            time.sleep(0.5)
        time.sleep(3)  # the robots slide in, and flicker once
        result["battle"] = measure([proc.pid, server], args.seconds)
        return result
    finally:
        stop(proc)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--bare", required=True)
    parser.add_argument("--run-dir", required=True)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--seconds", type=float, default=6)
    args = parser.parse_args()

    xvfb = harness.Xvfb()
    env = dict(os.environ, DISPLAY=xvfb.display, SDL_AUDIODRIVER="dummy")
    env.pop("XAUTHORITY", None)
    phases = {"bare": [], "splash": [], "battle": []}
    try:
        for round_ in range(args.rounds):
            order = (run_bare, run_game) if round_ % 2 == 0 else (run_game, run_bare)
            got = {}
            for run in order:
                got.update(run(args, env, xvfb.proc.pid))
            for phase, (own, server) in got.items():
                phases[phase].append((own, server))
            print("round %d: " % (round_ + 1) + ", ".join(
                "%s %.3f s/s (X server %.3f)" % (p, got[p][0], got[p][1])
                for p in ("bare", "splash", "battle")), flush=True)
    finally:
        xvfb.stop()

    bare = statistics.median(v[0] for v in phases["bare"])
    print("median processor seconds per wall second, %d rounds of %g s:" % (args.rounds,
                                                                            args.seconds))
    for phase in ("bare", "splash", "battle"):
        own = statistics.median(v[0] for v in phases[phase])
        server = statistics.median(v[1] for v in phases[phase])
        share = "" if phase == "bare" else ", %.2f of the bare loop" % (own / bare)
        print("  %-7s %.3f (X server %.3f)%s" % (phase, own, server, share))


if __name__ == "__main__":
    main()
