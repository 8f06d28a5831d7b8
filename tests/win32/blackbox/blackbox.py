#!/usr/bin/env python3
"""temura.exe from outside, under Wine: in zones east and west of UTC its screenshot must show
that zone's local time and date, as Python's own zone data has them.

Each run gives the time and the date line colours of their own (blue and green on black), so each
line's ink is one colour channel of the picture. temura.exe --screenshot draws the clock between
two readings of the clock here; temura_render_text.exe, in the same zone, draws every text the clock
could have shown in that span in the same fonts. Each line's ink (the bounding box of its non-black
pixels) must match exactly one of them. Wine takes TZ per process, whichever zone its server was
started in; the renderer's report of the zone checks that each run.

  blackbox.py --wine WINE --clock temura.exe --render temura_render_text.exe --work DIR
              [--shift-minutes N]   expect the time N minutes off: the test must then fail
"""
import argparse
import datetime
import os
import struct
import subprocess
import sys
import time
import zlib
from zoneinfo import ZoneInfo

# Kiritimati (+14) and Pago Pago (-11) never both have UTC's date, so a clock that shows UTC's
# date fails one of them at any hour; a wrong time of day fails all. Los Angeles keeps daylight
# saving time.
RUNS = [  # zone, TimeFormat, DateFormat
    ("Pacific/Kiritimati", 1, 2),
    ("America/Los_Angeles", 1, 0),
    ("Pacific/Pago_Pago", 0, 5),
]
BLUE, GREEN = 0xFF0000, 0x00FF00  # 0x00BBGGRR, as the settings store colours
TIME = {"font": "MS Sans Serif", "points": 14, "bold": 1, "italic": 0, "colour": BLUE}
DATE = {"font": "Arial", "points": 8, "bold": 0, "italic": 0, "colour": GREEN}
CHANNEL = {BLUE: 2, GREEN: 1}  # index in an RGB pixel

DAYS = ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"]
MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August",
          "September", "October", "November", "December"]


def time_text(t, fmt):
    text = f"{t.hour:02d}:{t.minute:02d}"
    return text if fmt == 0 else f"{text}:{t.second:02d}"


def date_text(d, fmt):
    day, month = DAYS[d.weekday()], MONTHS[d.month - 1]
    return {
        0: f"{day}, {d.day:02d} {month} {d.year}",
        2: f"{day}, {d.day:02d}.{d.month:02d}.{d.year}",
        5: f"{d.year}.{d.month:02d}.{d.day:02d}",
    }[fmt]


def settings_file(time_format, date_format):
    keys = {
        "Mode": 0, "ModeVisible": 0, "TZVisible": 0, "DateVisible": 1, "PlayTick": 0,
        "BgColor": 0, "TimeFormat": time_format, "DateFormat": date_format,
        "TimerFontName": TIME["font"], "TimerFontSize": TIME["points"],
        "TimerFontBold": TIME["bold"], "TimerFontItalic": TIME["italic"],
        "TimerFontColor": TIME["colour"],
        "DateFontName": DATE["font"], "DateFontSize": DATE["points"],
        "DateFontBold": DATE["bold"], "DateFontItalic": DATE["italic"],
        "DateFontColor": DATE["colour"],
    }
    return "".join(f"{line}\r\n" for line in
                   ["[SETTINGS]"] + [f"{k}={v}" for k, v in keys.items()])


def paeth(a, b, c):
    pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def read_png(path):
    """(width, height, rows of RGB tuples) of an 8-bit RGB or RGBA PNG."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path} is not a PNG")
    pos, idat = 8, b""
    while pos < len(data):
        (length,), kind = struct.unpack(">I", data[pos:pos + 4]), data[pos + 4:pos + 8]
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour_type = struct.unpack(">IIBB", body[:10])
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    if depth != 8 or colour_type not in (2, 6):
        raise ValueError(f"{path}: depth {depth}, colour type {colour_type}")
    bpp = 3 if colour_type == 2 else 4
    raw, stride = zlib.decompress(idat), width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1) + 1
        kind, line = raw[start - 1], bytearray(raw[start:start + stride])
        for i in range(stride if kind else 0):
            a, b = line[i - bpp] if i >= bpp else 0, prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            line[i] = (line[i] + [0, a, b, (a + b) // 2, paeth(a, b, c)][kind]) & 0xFF
        rows.append([tuple(line[x * bpp:x * bpp + 3]) for x in range(width)])
        prev = line
    return width, height, rows


def ink(path, channel):
    """One channel's values inside the bounding box of its non-zero pixels, and the box's top."""
    _, _, rows = read_png(path)
    values = [[px[channel] for px in row] for row in rows]
    ys = [y for y, row in enumerate(values) if any(row)]
    xs = [x for x in range(len(values[0])) if any(row[x] for row in values)]
    if not ys:
        return None, None
    return [row[xs[0]:xs[-1] + 1] for row in values[ys[0]:ys[-1] + 1]], ys[0]


def same_ink(a, b):
    # The same GDI draws both; a little room for antialiasing that lands differently.
    if a is None or b is None or len(a) != len(b) or len(a[0]) != len(b[0]):
        return False
    off = sum(abs(p - q) > 64 for ra, rb in zip(a, b) for p, q in zip(ra, rb))
    return off <= len(a) * len(a[0]) // 100


def run(command, env, log):
    """Exit code and output of a Windows program. The output goes through a file: a Wine server
    started by the program keeps a pipe open for seconds after the program has ended."""
    with open(log, "w+") as out:
        code = subprocess.run(command, env=env, stdout=out, stderr=subprocess.STDOUT,
                              timeout=120).returncode
        out.seek(0)
        return code, out.read()


def winpath(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def key_values(text):
    return dict(line.split("=", 1) for line in text.splitlines() if "=" in line)


def check_run(args, n, zone, time_format, date_format):
    """Problems found with one run; empty when the picture shows the zone's time and date."""
    tz = ZoneInfo(zone)
    env = dict(os.environ, TZ=zone)
    work = os.path.join(args.work, f"run{n}")
    os.makedirs(work, exist_ok=True)
    for name in os.listdir(work):
        os.remove(os.path.join(work, name))
    look, shot = os.path.join(work, "look.temura"), os.path.join(work, "shot.png")
    with open(look, "w", newline="") as f:
        f.write(settings_file(time_format, date_format))

    before = time.time()
    code, output = run([args.wine, args.clock, f"--screenshot={winpath(shot)}", "d",
                        f"f={winpath(look)}"], env, os.path.join(work, "clock.log"))
    after = time.time()
    if code != 0 or not os.path.exists(shot):
        return [f"temura.exe exited with {code}, screenshot "
                f"{'made' if os.path.exists(shot) else 'missing'}: {output[-400:]!r}"]

    shift = datetime.timedelta(minutes=args.shift_minutes)
    moments = [datetime.datetime.fromtimestamp(s, tz) + shift
               for s in range(int(before), int(after) + 1)]
    lines = {  # band: its style and the texts it may show
        "time": (TIME, sorted({time_text(m, time_format) for m in moments})),
        "date": (DATE, sorted({date_text(m, date_format) for m in moments})),
    }
    command = [args.wine, args.render]
    for band, (style, texts) in lines.items():
        command += [f"--{k}={v}" for k, v in style.items()]
        for i, text in enumerate(texts):
            command += [os.path.join(work, f"{band}{i}.png"), text]
    code, output = run(command, env, os.path.join(work, "render.log"))
    if code != 0:
        return [f"temura_render_text.exe failed ({code}): {output}"]

    # The premise: Wine took this process's TZ, in English.
    seen = key_values(output)
    utc_now = datetime.datetime.now(datetime.timezone.utc)
    wine_offset = (datetime.datetime.fromisoformat(seen["local"]) -
                   datetime.datetime.fromisoformat(seen["utc"]))
    problems = []
    if abs(wine_offset - utc_now.astimezone(tz).utcoffset()) > datetime.timedelta(seconds=2):
        problems.append(f"Wine did not take TZ={zone}: local {seen['local']}, utc {seen['utc']}, "
                        f"zone {seen.get('key_name')}")
    if seen.get("locale") != "en-US":
        problems.append(f"Wine's locale is {seen.get('locale')}, the day names here are English")

    tops = {}
    for band, (style, texts) in lines.items():
        channel = CHANNEL[style["colour"]]
        shown, tops[band] = ink(shot, channel)
        if shown is None:
            problems.append(f"{band} line: no ink in the screenshot")
            continue
        matches = [t for i, t in enumerate(texts)
                   if same_ink(shown, ink(os.path.join(work, f"{band}{i}.png"), channel)[0])]
        if len(matches) != 1:
            problems.append(f"{band} line ({len(shown[0])}x{len(shown)} px) matches {matches} "
                            f"of the candidates {texts}")
    if None not in tops.values() and tops["time"] >= tops["date"]:
        problems.append("the date line is not below the time line")
    return problems


def main():
    parser = argparse.ArgumentParser()
    for name in ("--wine", "--clock", "--render", "--work"):
        parser.add_argument(name, required=True)
    parser.add_argument("--shift-minutes", type=int, default=0)
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        # Without one, temura.exe under Wine saves its placeholder "00:00:00", not the time.
        print("needs an X display: run it under xvfb-run, as make test-windows does")
        return 1
    failed = False
    for n, (zone, time_format, date_format) in enumerate(RUNS):
        start = time.time()
        problems = check_run(args, n, zone, time_format, date_format)
        print(f"{zone} (TimeFormat {time_format}, DateFormat {date_format}): "
              f"{'ok' if not problems else 'FAILED'} in {time.time() - start:.1f} s")
        for p in problems:
            print(f"  {p}")
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
