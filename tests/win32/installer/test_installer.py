#!/usr/bin/env python3
"""The Windows installer as a user meets it, under Wine in a prefix of its own.

For each install mode (all users, /CurrentUser): a silent install puts the program, its help,
a Start Menu entry and an uninstall entry in place and registers nothing else; the installed
program starts and shows the clock; after it ran (registering its association, App Paths and
desktop shortcut, and writing its settings) a silent uninstall removes all of that and keeps
the settings; with /RemoveSettings it removes those too.
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import zlib

SETTINGS = r"HKCU\Software\Corvalen\Temura\1.0"
APP_PATHS = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Temura.exe"
UNINSTALL = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\Temura"

failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


class Wine:
    def __init__(self, wine, root):
        self.wine = wine
        self.env = dict(os.environ)
        home = os.path.join(root, "home")
        os.makedirs(home, exist_ok=True)
        self.env.update({
            "WINEPREFIX": os.path.join(root, "prefix"),
            "WINEARCH": "win64",
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml,winemenubuilder.exe=",
            "HOME": home,
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
            "TZ": "Europe/Warsaw",
        })
        self.expanded = {}

    def run(self, *args, timeout=120):
        return subprocess.run([self.wine, *args], env=self.env, capture_output=True,
                              text=True, errors="replace", timeout=timeout)

    def key_exists(self, key):
        return self.run("reg", "query", key).returncode == 0

    def expand(self, text):
        if text not in self.expanded:
            self.expanded[text] = self.run("cmd", "/c", "echo " + text).stdout.strip()
        return self.expanded[text]

    def unix(self, path):
        # Drive C: is the prefix's drive_c; Wine links the profile's Desktop into the home.
        assert path[:3].upper() == "C:\\", path
        return os.path.join(self.env["WINEPREFIX"], "drive_c", *path[3:].split("\\"))

    def exists(self, path):
        return os.path.exists(self.unix(path))


def bright_pixels(png_path):
    """How many pixels of an 8-bit RGB PNG are not black (the clock's text)."""
    with open(png_path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return 0
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height = struct.unpack(">II", body[:8])
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = 1 + 3 * width
    return sum(1 for y in range(height) for b in raw[y * stride + 1:(y + 1) * stride:3] if b > 128)


def one_mode(wine, setup, mode_flag, root):
    all_users = mode_flag == ""
    name = "all users" if all_users else "one user"
    flags = [mode_flag] if mode_flag else []
    instdir = (wine.expand("%ProgramW6432%") + r"\Temura" if all_users
               else wine.expand("%LOCALAPPDATA%") + r"\Programs\Temura")
    start_menu = (wine.expand("%ProgramData%") if all_users else wine.expand("%APPDATA%")) + \
        r"\Microsoft\Windows\Start Menu\Programs\Temura.lnk"
    uninstall_key = ("HKLM\\" if all_users else "HKCU\\") + UNINSTALL
    desktop_link = wine.expand("%USERPROFILE%") + r"\Desktop\Temura.lnk"
    files = [instdir + r"\temura.exe", instdir + r"\Help\help.html", instdir + r"\uninstall.exe"]

    def install():
        r = wine.run(setup, "/S", *flags)
        check(r.returncode == 0, f"{name}: the installer ends well ({r.returncode})")

    def run_program(tag):
        shot = os.path.join(root, f"shot-{tag}.png")
        wine.run(instdir + r"\temura.exe", "--screenshot=" + wine.expand("Z:") + shot.replace("/", "\\"))
        check(os.path.exists(shot) and bright_pixels(shot) > 20,
              f"{name}: the installed program shows the clock")
        # Once as a user starts it: it registers itself and keeps its settings at close.
        wine.run(instdir + r"\temura.exe", "--close-after=1500")

    def uninstall(*extra):
        r = wine.run(instdir + r"\uninstall.exe", "/S", *flags, *extra, "_?=" + instdir)
        check(r.returncode == 0, f"{name}: the uninstaller ends well ({r.returncode})")
        # Run in place (_?=), it cannot remove itself; a user's uninstall does.
        if os.path.exists(wine.unix(instdir + r"\uninstall.exe")):
            os.remove(wine.unix(instdir + r"\uninstall.exe"))

    install()
    for f in files:
        check(wine.exists(f), f"{name}: installed {f}")
    check(wine.exists(start_menu), f"{name}: Start Menu entry")
    check(wine.key_exists(uninstall_key), f"{name}: listed among installed programs")
    check(not wine.key_exists(r"HKCR\.Temura"), f"{name}: the installer registers no association")

    run_program("1")
    registered = [r"HKCR\.Temura", r"HKCR\Temura", APP_PATHS]
    for key in registered:
        check(wine.key_exists(key), f"{name}: the program registered {key}")
    check(wine.exists(desktop_link), f"{name}: the program made its desktop shortcut")
    check(wine.key_exists(SETTINGS), f"{name}: the program kept its settings")

    uninstall()
    for f in files[:2]:
        check(not wine.exists(f), f"{name}: uninstall removed {f}")
    check(not wine.exists(start_menu), f"{name}: uninstall removed the Start Menu entry")
    check(not wine.key_exists(uninstall_key), f"{name}: uninstall removed its own entry")
    for key in registered:
        check(not wine.key_exists(key), f"{name}: uninstall removed {key}")
    check(not wine.exists(desktop_link), f"{name}: uninstall removed the desktop shortcut")
    check(wine.key_exists(SETTINGS), f"{name}: uninstall kept the settings")

    install()
    run_program("2")
    uninstall("/RemoveSettings")
    check(not wine.key_exists(SETTINGS), f"{name}: /RemoveSettings removed the settings")
    zones = wine.expand("%LOCALAPPDATA%") + r"\Temura"
    check(not wine.exists(zones), f"{name}: /RemoveSettings removed {zones}")
    check(not wine.exists(instdir + r"\TimeZones.dat"),
          f"{name}: /RemoveSettings removed the zones kept beside the program")


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--wine", required=True)
    p.add_argument("--setup", required=True)
    p.add_argument("--root", required=True, help="a folder of the test's own, made afresh")
    a = p.parse_args()
    if not os.environ.get("DISPLAY"):
        print("needs an X display (make test-windows runs the tests under xvfb-run)")
        return 1
    shutil.rmtree(a.root, ignore_errors=True)
    os.makedirs(a.root)
    wine = Wine(a.wine, a.root)
    r = wine.run("wineboot", "--init", timeout=600)
    check(r.returncode == 0, "a fresh Wine prefix of the test's own")
    try:
        one_mode(wine, a.setup, "", a.root)
        one_mode(wine, a.setup, "/CurrentUser", a.root)
    finally:
        subprocess.run(["wineserver", "-k"], env=wine.env)
    print(f"{len(failures)} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
