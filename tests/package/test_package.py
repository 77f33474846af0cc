"""The Debian package as a player meets it: built by scripts/package.sh,
checked with lintian, installed with apt-get, one turn played through the
installed `vorblex` on the PATH, then purged without a file left behind.

Run it as root (or with sudo at hand): it installs and purges the package on
this machine. Each step prints what it checked; the first failure stops the
run with a non-zero exit, and the package is purged again on the way out.

    sh scripts/package.sh && python3 tests/package/test_package.py
    python3 tests/package/test_package.py --build    (builds first)
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(TOP, "tests", "e2e"))
import harness  # noqa: E402

SUDO = [] if os.geteuid() == 0 else ["sudo"]
APT_ENV = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
TURN_LABEL = (40, 450, 330, 492)  # "BLUE'S TURN" / "RED'S TURN" on the panel
BUBBLE = (160, 30, 640, 170)      # inside the speech bubble
# What the game prints when a file it needs is missing or unreadable.
MISSING = ("Couldn't load texture", "Could not find insult file", "FT_New_Face failed")


class Failure(Exception):
    pass


def check(condition, what, detail=""):
    if not condition:
        raise Failure(what + (":\n" + detail if detail else ""))
    print("  ok:", what)


def run(command, **kwargs):
    return subprocess.run(command, check=False, capture_output=True, text=True, **kwargs)


def must(command, **kwargs):
    result = run(command, **kwargs)
    if result.returncode != 0:
        raise Failure("%s failed (%d):\n%s%s" % (" ".join(command), result.returncode,
                                                 result.stdout, result.stderr))
    return result.stdout


def status(package="vorblex"):
    """dpkg's status of a package, '' when dpkg has never heard of it."""
    return run(["dpkg-query", "-W", "-f=${Status}", package]).stdout.strip()


def purge():
    must(SUDO + ["apt-get", "purge", "-y", "vorblex"], env=APT_ENV)


def deb_paths(deb):
    """The package's paths as dpkg -L names them, directories with a '/'."""
    paths = set()
    for line in must(["dpkg-deb", "-c", deb]).splitlines():
        name = line.split(None, 5)[5].split(" -> ")[0]
        name = name[1:] if name.startswith("./") else name
        if name not in ("/", ""):
            paths.add(name)
    return paths


def packages_of(paths):
    """The installed packages that ship these libraries, by path (dpkg may
    know a library by its /usr/lib or by its /lib name)."""
    names = {}
    for path in paths:
        for name in (path, re.sub("^/usr/lib/", "/lib/", path),
                     re.sub("^/lib/", "/usr/lib/", path)):
            names[name] = path
    owners = {}
    for line in run(["dpkg", "-S", *sorted(names)]).stdout.splitlines():
        package, _, name = line.partition(": ")
        if name in names:
            owners[names[name]] = package.split(",")[0].split(":")[0].strip()
    missing = sorted(set(paths) - set(owners))
    check(not missing, "an installed package ships each of them", "\n".join(missing))
    return set(owners.values())


# -- the steps ------------------------------------------------------------
def step_built(ctx):
    if ctx.args.build:
        subprocess.run(["sh", os.path.join(TOP, "scripts", "package.sh")], check=True)
    check(os.path.isfile(ctx.deb), "the package %s is there" % os.path.relpath(ctx.deb, TOP),
          "run sh scripts/package.sh first, or this test with --build")
    fields = {f: must(["dpkg-deb", "-f", ctx.deb, f]).strip()
              for f in ("Package", "Version", "Architecture", "Depends", "Recommends")}
    check((fields["Package"], fields["Version"], fields["Architecture"])
          == ("vorblex", ctx.version, ctx.arch),
          "it is vorblex %s for %s" % (ctx.version, ctx.arch))
    print("  Depends:", fields["Depends"])
    if fields["Recommends"]:
        print("  Recommends:", fields["Recommends"])

    # Depends is what the binary links, no more and no less.
    unpacked = tempfile.mkdtemp(prefix="vorblex-deb-")
    try:
        must(["dpkg-deb", "-x", ctx.deb, unpacked])
        binary = os.path.join(unpacked, "usr/libexec/vorblex/vorblex")
        elf = must(["readelf", "-d", binary])
        resolved = dict(re.findall(r"^\s*(\S+) => (/\S+)", must(["ldd", binary]), re.M))
    finally:
        shutil.rmtree(unpacked, ignore_errors=True)
    sonames = re.findall(r"\(NEEDED\)\s+Shared library: \[(.+?)\]", elf)
    unresolved = [s for s in sonames if s not in resolved]
    check(sonames and not unresolved, "the game links %d libraries: %s" % (
        len(sonames), " ".join(sonames)), "not found: " + " ".join(unresolved))
    linked = packages_of([resolved[s] for s in sonames])
    groups = [[a.split()[0].split(":")[0] for a in g.split("|")]
              for g in fields["Depends"].split(",")]
    unnamed = sorted(p for p in linked if not any(p in g for g in groups))
    check(not unnamed, "Depends names every package of those libraries: %s" % " ".join(
        sorted(linked)), " ".join(unnamed))
    extra = [" | ".join(g) for g in groups if not any(p in linked for p in g)]
    check(not extra, "Depends names nothing else", ", ".join(extra))
    check("libespeak-ng1" in linked, "the game links espeak-ng (libespeak-ng1)")
    speech = must(["dpkg-query", "-W", "-f=${Depends}", "libespeak-ng1"])
    check("espeak-ng-data" in speech, "libespeak-ng1 brings in espeak-ng-data: " + speech)

    paths = deb_paths(ctx.deb)
    wanted = ("/usr/bin/vorblex", "/usr/games/vorblex", "/usr/libexec/vorblex/vorblex",
              "/usr/share/vorblex/img/splash.jpg", "/usr/share/vorblex/sounds/bg.mp3",
              "/usr/share/vorblex/AGENCYR.TTF", "/usr/share/vorblex/insults.txt",
              "/usr/share/applications/vorblex.desktop",
              "/usr/share/metainfo/vorblex.metainfo.xml",
              "/usr/share/icons/hicolor/256x256/apps/vorblex.png",
              "/usr/share/icons/hicolor/scalable/apps/vorblex.svg",
              "/usr/share/man/man6/vorblex.6.gz", "/usr/share/doc/vorblex/copyright",
              "/usr/share/doc/vorblex/changelog.gz")
    absent = [p for p in wanted if p not in paths]
    check(not absent, "the package holds the %d paths of the game's layout, %s to %s"
          % (len(wanted), wanted[0], wanted[-1]), "missing: " + " ".join(absent))
    ctx.paths = paths


def step_lintian(ctx):
    if shutil.which("lintian") is None:
        install = SUDO + ["apt-get", "install", "-y", "--no-install-recommends", "lintian"]
        if run(install, env=APT_ENV).returncode != 0:
            must(SUDO + ["apt-get", "update"], env=APT_ENV)
            must(install, env=APT_ENV)
    # The source package too, when package.sh left it beside the binaries.
    dsc = os.path.join(TOP, "build-deb", "vorblex_%s.dsc" % ctx.version)
    targets = [ctx.deb] + ([dsc] if os.path.isfile(dsc) else [])
    result = run(["lintian", "--display-info", "--pedantic", "--show-overrides", *targets])
    print("  lintian %s:" % " ".join(os.path.relpath(t, TOP) for t in targets))
    for line in (result.stdout + result.stderr).splitlines():
        print("    " + line)
    errors = [line for line in result.stdout.splitlines() if line.startswith("E:")]
    check(not errors, "lintian reports no error")
    check(result.returncode in (0, 1) and "Traceback" not in result.stderr,
          "lintian ran to the end")


def step_install(ctx):
    # Which of the package's directories the system had already: those stay.
    ctx.had = {p for p in ctx.paths if p.endswith("/") and os.path.isdir(p)}
    must(SUDO + ["apt-get", "install", "-y", ctx.deb], env=APT_ENV)
    check(status() == "install ok installed", "apt-get installed vorblex")
    listed = set(must(["dpkg", "-L", "vorblex"]).splitlines()) - {"/."}
    check(listed == {p.rstrip("/") for p in ctx.paths},
          "dpkg -L lists exactly the package's %d paths" % len(listed))
    check(shutil.which("vorblex") == "/usr/bin/vorblex",
          "vorblex on the PATH is /usr/bin/vorblex")
    check(os.path.realpath("/usr/games/vorblex") == "/usr/bin/vorblex",
          "/usr/games/vorblex leads to the same launcher")
    check(status("espeak-ng-data") == "install ok installed", "espeak-ng-data is installed")
    page = run(["man", "-w", "6", "vorblex"]).stdout.strip()
    check(page == "/usr/share/man/man6/vorblex.6.gz", "man finds vorblex(6): " + page)


def step_play(ctx):
    launcher = shutil.which("vorblex")
    version = subprocess.run([launcher, "--version"], capture_output=True, text=True, timeout=60)
    check(version.returncode == 0 and version.stdout == "Vorblex %s\n" % ctx.version,
          "the launcher passes --version on: " + version.stdout)
    # A settings file of the player's, and an option on top of it.
    config = tempfile.mkdtemp(prefix="vorblex-config-")
    os.makedirs(os.path.join(config, "vorblex"))
    settings = os.path.join(config, "vorblex", "settings.ini")
    with open(settings, "w") as f:
        f.write("volume = 50\ngame = two-players\n")
    # The Game starts the launcher in an empty temporary folder.
    game = harness.Game(None, None, launcher=launcher, args=["--no-music"],
                        env={"XDG_CONFIG_HOME": config})
    try:
        splash = "Loaded texture ./img/splash.jpg\n"
        check(splash in game.wait_for_output(splash),
              "the installed game started from %s and loaded its title picture" % game.dir)
        data = "/usr/share/vorblex/img"
        blue, red = (harness.crop(harness.picture_as_shown(os.path.join(data, name)), TURN_LABEL)
                     for name in ("interface-blue.png", "interface-red.png"))

        def panel(shot, colour):
            label = harness.crop(shot, TURN_LABEL)
            return harness.difference(label, colour) < 12

        game.click(400, 300)
        game.click(400, 300)
        opening = game.wait_until_still(
            "the battle to open on blue's turn", limit=1,
            part=lambda s: harness.crop(s, TURN_LABEL) + harness.crop(s, BUBBLE),
            condition=lambda s: panel(s, blue))
        print("  ok: the battle opens on blue's turn, the panel as the installed picture")

        game.type("you smell")
        game.key("Return")
        game.wait_for(lambda s: harness.difference(
            harness.crop(s, BUBBLE), harness.crop(opening, BUBBLE)) > 20 and panel(s, red),
            "the answer in the speech bubble and the panel turning red")
        print("  ok: blue's answer shows in the speech bubble and the panel turned red")
        out = game.wait_for_output("Loaded texture ./img/interface-red.png")
        for message in MISSING:
            check(message not in out, "no '%s' in the game's output" % message)
        check(game.alive(), "the game is still running")
        game.key("Escape")
        check(game.wait_exit() == 0, "Escape ends the game with status 0")
        with open(settings) as f:
            check(f.read() == "volume = 50\ngame = two-players\n",
                  "the settings file is as the player wrote it: nothing was changed")
        print("  ok: a turn with --no-music and a settings file of the player's")
    except BaseException:
        print("  the game's output:\n" + game.output())
        raise
    finally:
        game.close()


def step_purge(ctx):
    listed = set(must(["dpkg", "-L", "vorblex"]).splitlines()) - {"/."}
    purge()
    check(status() in ("", "unknown ok not-installed", "deinstall ok not-installed"),
          "apt-get purged vorblex (status '%s')" % status())
    files = sorted(p for p in listed if not os.path.isdir(p) or os.path.islink(p))
    left = [p for p in files if os.path.lexists(p)]
    check(not left, "none of its %d files is left" % len(files), "\n".join(left))
    # The directories the install made: the game's own must go; a shared one
    # (say /usr/share/applications on a bare system) may stay for the caches
    # other packages' triggers write there.
    made = sorted(p.rstrip("/") for p in ctx.paths if p.endswith("/") and p not in ctx.had)
    own = [p for p in made if "vorblex" in p]
    left = [p for p in own if os.path.lexists(p)]
    check(own and not left, "none of the %d directories of its own is left: %s"
          % (len(own), " ".join(own)), "\n".join(left))
    for p in made:
        if p not in own and os.path.isdir(p):
            print("  note: the shared directory %s stays, holding %s" % (p, os.listdir(p)))
    kept = sorted(p.rstrip("/") for p in ctx.had)
    gone = [p for p in kept if not os.path.isdir(p)]
    check(not gone, "the %d shared directories that were there before are still there"
          % len(kept), "\n".join(gone))

STEPS = (("build the package", step_built), ("lintian", step_lintian),
         ("apt-get install", step_install), ("play a turn", step_play),
         ("apt-get purge", step_purge))


class Context:
    def __init__(self, args):
        self.args = args
        with open(os.path.join(TOP, "CMakeLists.txt")) as f:
            self.version = re.search(r"project\(Vorblex VERSION ([0-9.]+)", f.read()).group(1)
        self.arch = must(["dpkg", "--print-architecture"]).strip()
        self.deb = os.path.join(TOP, "build", "vorblex_%s_%s.deb" % (self.version, self.arch))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", action="store_true", help="run scripts/package.sh first")
    ctx = Context(parser.parse_args())
    if status() not in ("", "unknown ok not-installed"):
        print("vorblex is installed from an earlier run (%s): purging it first" % status())
        purge()
    passed = 0
    try:
        for name, step in STEPS:
            started = time.monotonic()
            print("== %s" % name, flush=True)
            step(ctx)
            passed += 1
            print("   (%.1f s)" % (time.monotonic() - started), flush=True)
    except Exception as e:  # noqa: BLE001 - every failure ends the run the same way
        if not isinstance(e, Failure):
            traceback.print_exc()
        print("FAILED: %s: %s" % (STEPS[passed][0], e), file=sys.stderr, flush=True)
    finally:
        if status() not in ("", "unknown ok not-installed"):
            print("purging vorblex on the way out")
            purge()
    failed = 0 if passed == len(STEPS) else 1
    print("package: %d passed, %d failed, %d skipped"
          % (passed, failed, len(STEPS) - passed - failed))
    return failed


if __name__ == "__main__":
    sys.exit(main())
