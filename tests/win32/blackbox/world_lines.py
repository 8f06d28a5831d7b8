#!/usr/bin/env python3
"""temura.exe's world lines from outside, under Wine.

A settings file with three WorldN values, named on the command line, must show three lines on
the clock, in the file's order; closed, the clock keeps them in the registry, and a restart with
no arguments loads them from there, shows them and keeps them again.

The lines are drawn in the zone-name font's colour, red on black with every other line hidden,
so the screenshot's red rows are the lines. Their names differ in length (and have no
descenders, so the lines never touch): the widths tell the order.

  world_lines.py --wine WINE --clock temura.exe --work DIR
"""
import argparse
import os
import sys

from blackbox import read_png, run, winpath

KEY = r"HKEY_CURRENT_USER\Software\Corvalen\Temura\1.0"
LINES = [  # short, long, middle
    "-540;0;0;00-00-0000;00:00;00-00-0000;00:00;A",
    "300;0;0;00-00-0000;00:00;00-00-0000;00:00;ABCDEFGHIJ",
    "-330;0;0;00-00-0000;00:00;00-00-0000;00:00;ABCDE",
]
RED = 0x0000FF  # 0x00BBGGRR


def settings_file():
    keys = {
        "Mode": 0, "ModeVisible": 0, "DateVisible": 0, "TZVisible": 0, "PlayTick": 0,
        "BgColor": 0, "TimerFontColor": 0xFF0000, "TimeFormat": 1,
        "TZFontName": "Arial", "TZFontSize": 10, "TZFontColor": RED, "WorldVisible": 1,
    }
    rows = [f"{k}={v}" for k, v in keys.items()]
    rows += [f"World{i + 1}={line}" for i, line in enumerate(LINES)]
    return "".join(f"{row}\r\n" for row in ["[SETTINGS]"] + rows)


def red_bands(path):
    """The widths of the runs of rows with red ink, top to bottom."""
    _, _, rows = read_png(path)
    bands, current = [], None
    for row in rows:
        xs = [x for x, px in enumerate(row) if px[0] > 128 and px[2] < 64]
        if xs:
            current = [min(xs), max(xs)] if current is None else \
                [min(current[0], xs[0]), max(current[1], xs[-1])]
        elif current is not None:
            bands.append(current[1] - current[0] + 1)
            current = None
    if current is not None:
        bands.append(current[1] - current[0] + 1)
    return bands


def registry_values(wine, env, work):
    """The program's World values as `wine reg query` lists them."""
    code, output = run([wine, "reg", "query", KEY], env, os.path.join(work, "reg.log"))
    values = {}
    for line in output.splitlines():
        parts = line.split(None, 2)
        if len(parts) == 3 and parts[0].startswith("World"):
            values[parts[0]] = parts[2].strip()
    return values


def keep_key(wine, env, work):
    """Saves the program's key for restore_key: the runs here write their look into it."""
    saved = os.path.join(work, "saved.reg")
    if os.path.exists(saved):
        os.remove(saved)
    run([wine, "reg", "export", KEY, winpath(saved), "/y"], env, os.path.join(work, "export.log"))
    return saved if os.path.exists(saved) else None


def restore_key(wine, env, work, saved):
    run([wine, "reg", "delete", KEY, "/f"], env, os.path.join(work, "delete.log"))
    if saved:
        run([wine, "regedit", "/S", winpath(saved)], env, os.path.join(work, "import.log"))


def check(args, env):
    problems = []
    look = os.path.join(args.work, "world.temura")
    with open(look, "w", newline="") as f:
        f.write(settings_file())

    def shows_lines(what, extra):
        shot = os.path.join(args.work, f"{what}.png")
        if os.path.exists(shot):
            os.remove(shot)
        code, output = run([args.wine, args.clock, f"--screenshot={winpath(shot)}"] + extra, env,
                           os.path.join(args.work, f"{what}.log"))
        if code != 0 or not os.path.exists(shot):
            problems.append(f"{what}: temura.exe exited with {code}: {output[-300:]!r}")
            return
        bands = red_bands(shot)
        if len(bands) != 3 or not bands[0] < bands[2] < bands[1]:
            problems.append(f"{what}: red lines of widths {bands}, expected three: short, long, "
                            "middle")

    def keeps_lines(what, extra):
        code, output = run([args.wine, args.clock, "--close-after=1500"] + extra, env,
                           os.path.join(args.work, f"{what}.log"))
        values = registry_values(args.wine, env, args.work)
        expected = {f"World{i + 1}": line for i, line in enumerate(LINES)}
        expected["WorldVisible"] = "0x1"
        if code != 0 or values != expected:
            problems.append(f"{what}: exit {code}, registry {values}, expected {expected}")

    shows_lines("file", [f"f={winpath(look)}"])
    keeps_lines("file-closed", [f"f={winpath(look)}"])
    keeps_lines("restart-closed", [])
    shows_lines("restart", [])
    return problems


def main():
    parser = argparse.ArgumentParser()
    for name in ("--wine", "--clock", "--work"):
        parser.add_argument(name, required=True)
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        print("needs an X display: run it under xvfb-run, as make test-windows does")
        return 1
    os.makedirs(args.work, exist_ok=True)
    env = dict(os.environ)
    saved = keep_key(args.wine, env, args.work)
    # From no stored settings, as on a new machine.
    run([args.wine, "reg", "delete", KEY, "/f"], env, os.path.join(args.work, "delete.log"))
    try:
        problems = check(args, env)
    finally:
        restore_key(args.wine, env, args.work, saved)
    for p in problems:
        print(p)
    print("ok" if not problems else "FAILED")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
