#!/usr/bin/env python3
"""Measures what the clock costs while it sits on the desktop, next to a floor program.

`make bench` runs this. Under one private Xvfb it runs, one after another, the floor (a
stay-on-top label and nothing else), the floor ticking once a second for reference, Temura in
four configurations with the tick off and two with it on (with a sound server and without one),
and the least a tick can cost (bench/sample_cache/, with the server), and for each measures:

  CPU        share of one core within a long run, after start-up and before the close, from
             the threads' counters in /proc; and, as a check, from wait4: the CPU time of the
             long run minus that of a short run over the difference of their wall times;
  wake-ups   voluntary context switches per second, the same two ways;
  server     for the runs with a sound server (PulseAudio on a null sink, started for the run
             in its private runtime folder), the server's CPU and wake-ups the same way;
  memory     resident set: sampled near the end of the long run, and the peak (ru_maxrss);
  start-up   median wall time of warm `--screenshot` runs (start, first frame, PNG, exit);
  lag        how long after the boundary of the shown unit each change of the shown time came,
             from the trace Temura writes when TEMURA_TRACE_TICKS is set.

It prints a Markdown report and writes it to docs/performance.md. Python standard library only.
"""

from __future__ import annotations

import argparse
import dataclasses
import datetime
import os
import platform
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

MS_PER_DAY = 86_400_000
# The e-Time unit with two decimals: a hundred-thousandth of a day.
ETIME_UNIT_MS = 864
# Every run shows local time in this zone, so the boundaries follow from the epoch milliseconds
# of the trace: e-Time's units start at whole multiples of 0.864 s of the standard-time day.
BENCH_TZ = "UTC"
BENCH_TZ_OFFSET_MS = 0

# ---- what a trace says ----


def parse_trace(text: str) -> list[tuple[int, str]]:
    """Lines of "<epoch ms>\\t<shown text>"; a line that does not parse (a cut last line) is
    left out."""
    out = []
    for line in text.splitlines():
        stamp, sep, shown = line.partition("\t")
        if sep and stamp.isdigit():
            out.append((int(stamp), shown))
    return out


_CLOCK_TEXT = re.compile(r"^(\d+):(\d\d)(?::(\d\d)(?:\.(\d))?)?$")
_ETIME_TEXT = re.compile(r"^@(\d{3})(?:\.(\d{1,2}))?$")


def clock_text_ms(text: str) -> int | None:
    """The start of what "HH:MM", "HH:MM:SS" or "HH:MM:SS.t" shows, in ms from its zero."""
    m = _CLOCK_TEXT.match(text)
    if not m:
        return None
    hours, minutes, seconds, tenths = m.groups()
    ms = (int(hours) * 60 + int(minutes)) * 60_000
    if seconds is not None:
        ms += int(seconds) * 1000
    if tenths is not None:
        ms += int(tenths) * 100
    return ms


def etime_text_ms(text: str) -> int | None:
    """The start of what "@ddd", "@ddd.d" or "@ddd.dd" shows, in ms of the standard-time day."""
    m = _ETIME_TEXT.match(text)
    if not m:
        return None
    whole, decimals = m.groups()
    decimals = decimals or ""
    # A thousandth of the day is 86.4 s; each decimal divides it by ten.
    count = int(whole + decimals)
    return count * (86_400 // 10 ** len(decimals))


def _wrap_day(ms: int) -> int:
    """A difference of times of day folded into [-12 h, 12 h)."""
    return (ms + MS_PER_DAY // 2) % MS_PER_DAY - MS_PER_DAY // 2


def change_lags(trace, shown_ms, offset_ms: int = BENCH_TZ_OFFSET_MS) -> list[int]:
    """For each change after the first (the first is the start, not a boundary): its wall time
    less the start of what it shows, both as times of the local day. Negative: shown early."""
    lags = []
    for stamp, text in trace[1:]:
        shown = shown_ms(text)
        if shown is None:
            continue
        lags.append(_wrap_day((stamp + offset_ms) % MS_PER_DAY - shown))
    return lags


def skipped_units(trace, shown_ms, unit_ms: int) -> int:
    """Units the display never showed: each change should move on by exactly one unit."""
    skipped = 0
    previous = None
    for _, text in trace:
        shown = shown_ms(text)
        if shown is None:
            continue
        if previous is not None:
            step = (shown - previous) % MS_PER_DAY
            if step > unit_ms:
                skipped += step // unit_ms - 1
        previous = shown
    return skipped


def phase_spread(trace, shown_ms) -> int | None:
    """How much the gap between a change and the time it shows varies over the run: for a
    count that starts when the user presses Start, whose boundaries the wall clock cannot
    give."""
    phases = [stamp - shown for stamp, text in trace[1:] if (shown := shown_ms(text)) is not None]
    return max(phases) - min(phases) if phases else None


# ---- the arithmetic of the report ----


@dataclasses.dataclass
class RunUsage:
    wall_s: float
    cpu_s: float
    vcsw: int
    maxrss_kib: int


def steady_rate(long: RunUsage, shorts: list[RunUsage], field: str) -> tuple[float, float]:
    """What one more second of running costs, from whole runs: (long - median short) over the
    gap in their wall times; and half the range of the short runs over that gap, which is how
    much the start-up alone moves the figure."""
    values = [getattr(s, field) for s in shorts]
    gap = long.wall_s - statistics.median(s.wall_s for s in shorts)
    rate = (getattr(long, field) - statistics.median(values)) / gap
    return rate, (max(values) - min(values)) / 2 / gap


@dataclasses.dataclass
class Snapshot:
    """The counters of a running process read from /proc: per thread id, its name, voluntary
    context switches and nanoseconds on a CPU; and the resident set."""
    at_s: float
    threads: dict[int, tuple[str, int, int]]
    rss_kib: int | None


def window_rates(first: Snapshot, second: Snapshot) -> list[tuple[str, float, float]]:
    """Per thread between two snapshots: name, wake-ups per second, % of one core. A thread
    born in between counts from zero."""
    span = second.at_s - first.at_s
    rows = []
    for tid, (name, vcsw, ns) in second.threads.items():
        _, vcsw0, ns0 = first.threads.get(tid, (name, 0, 0))
        rows.append((name, (vcsw - vcsw0) / span, (ns - ns0) / 1e9 / span * 100))
    return sorted(rows, key=lambda r: (-r[1], r[0]))


def ratio_text(value: float | None, floor: float | None) -> str:
    """"×1.23" against the floor; a dash when the floor is not a positive figure."""
    if value is None or floor is None or floor <= 0:
        return "—"
    return f"×{value / floor:.2f}"


def settings_file_text(values: dict[str, int | str]) -> str:
    """A settings file as the clock reads it: one [SETTINGS] section, CR LF line ends."""
    lines = ["[SETTINGS]"] + [f"{k}={v}" for k, v in values.items()]
    return "\r\n".join(lines) + "\r\n"


# ---- the configurations ----


@dataclasses.dataclass
class Config:
    key: str
    title: str
    program: str  # "floor", "temura" or "sample_cache"
    switches: list[str]
    settings: dict[str, int | str]
    shown_ms: object = None  # parses the shown text; None: the program writes no trace
    unit_ms: int = 0
    wall_clock: bool = True  # whether the shown unit starts at a wall-clock boundary
    sound_server: bool = False  # a sound server runs beside the program, and is counted
    compared: bool = False  # a target compares it with another row: the median of long runs

    @property
    def has_window(self) -> bool:
        return self.program != "sample_cache"


# Eight zones' stored world lines, in the catalogue's sign and order.
WORLD_LINES = [
    "300;0;-60;01-11-2026;02:00;08-03-2026;02:00;America/New_York",
    "480;0;-60;01-11-2026;02:00;08-03-2026;02:00;America/Los_Angeles",
    "180;0;0;00-00-0000;00:00;00-00-0000;00:00;America/Sao_Paulo",
    "0;0;-60;25-10-2026;02:00;29-03-2026;01:00;Europe/London",
    "-60;0;-60;25-10-2026;03:00;29-03-2026;02:00;Europe/Berlin",
    "-330;0;0;00-00-0000;00:00;00-00-0000;00:00;Asia/Kolkata",
    "-540;0;0;00-00-0000;00:00;00-00-0000;00:00;Asia/Tokyo",
    "-600;0;-60;05-04-2026;03:00;04-10-2026;02:00;Australia/Sydney",
]

# PlayTick=0: with a sound server running, playing the tick wakes the audio threads every second.
CONFIGS = [
    Config("floor", "Floor: stay-on-top label", "floor", [], {}),
    Config("tick", "Reference: the floor's label set once a second", "floor", ["--tick"], {},
           compared=True),
    Config("t1", "Mode T, seconds", "temura", ["t"], {"TimeFormat": 1, "PlayTick": 0},
           clock_text_ms, 1000, compared=True),
    Config("w8", "Mode T, seconds, eight world lines", "temura", ["t"],
           {"TimeFormat": 1, "PlayTick": 0, "WorldVisible": 1,
            **{f"World{i + 1}": text for i, text in enumerate(WORLD_LINES)}},
           clock_text_ms, 1000, compared=True),
    Config("t2", "Mode T, tenths", "temura", ["t"], {"TimeFormat": 2, "PlayTick": 0},
           clock_text_ms, 100),
    Config("sw", "Stopwatch, running", "temura", ["start"], {"PlayTick": 0},
           clock_text_ms, 100, wall_clock=False),
    Config("e2", "e-Time, two decimals", "temura", ["e"], {"ETimeFormat": 2, "PlayTick": 0},
           etime_text_ms, ETIME_UNIT_MS),
    Config("t1snd", "Mode T, seconds, tick on, sound server", "temura", ["t"],
           {"TimeFormat": 1, "PlayTick": 1}, clock_text_ms, 1000, sound_server=True,
           compared=True),
    Config("cache", "Tick floor: a sample-cache click once a second, sound server",
           "sample_cache", [], {}, sound_server=True, compared=True),
    Config("t1mute", "Mode T, seconds, tick on, no sound server", "temura", ["t"],
           {"TimeFormat": 1, "PlayTick": 1}, clock_text_ms, 1000, compared=True),
]
SOUND_KEYS = ("t1", "t1snd", "cache", "t1mute")

# ---- running programs ----


class Xvfb:
    """One virtual display for every run, kept up between clients (-noreset)."""

    def __init__(self, screen: str):
        read_fd, write_fd = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", screen, "-nolisten", "tcp",
             "-noreset"],
            pass_fds=[write_fd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            number = f.readline().strip()
        if not number:
            self.proc.kill()
            raise SystemExit("bench: Xvfb did not start")
        self.display = ":" + number

    def close(self):
        self.proc.terminate()
        self.proc.wait()


class SoundServer:
    """PulseAudio on a null sink, for one run: its socket in the run's runtime folder, where a
    desktop's would be, so the program finds it the usual way; never the caller's server."""

    def __init__(self, env: dict[str, str], log: str):
        runtime = os.path.join(env["XDG_RUNTIME_DIR"], "pulse")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        self.socket = os.path.join(runtime, "native")
        script = os.path.join(runtime, "bench.pa")
        with open(script, "w") as f:
            f.write("load-module module-null-sink\n"
                    f"load-module module-native-protocol-unix auth-anonymous=1 "
                    f"socket={self.socket}\n")
        env = dict(env, PULSE_RUNTIME_PATH=runtime)
        with open(log, "w") as err:
            self.proc = subprocess.Popen(
                ["pulseaudio", "-n", "-F", script, "--daemonize=no", "--exit-idle-time=-1",
                 "--use-pid-file=no", "--log-target=stderr"],
                env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=err)
        deadline = time.monotonic() + 10
        while not os.path.exists(self.socket):
            if self.proc.poll() is not None or time.monotonic() > deadline:
                self.proc.kill()
                with open(log, errors="replace") as f:
                    raise SystemExit(f"bench: pulseaudio did not start:\n{f.read()}")
            time.sleep(0.02)

    @property
    def pid(self) -> int:
        return self.proc.pid

    def close(self) -> RunUsage:
        self.proc.terminate()
        _, status, usage = os.wait4(self.proc.pid, 0)
        self.proc.returncode = os.waitstatus_to_exitcode(status)
        return RunUsage(0.0, usage.ru_utime + usage.ru_stime, usage.ru_nvcsw, usage.ru_maxrss)


class Runner:
    def __init__(self, args, display: str, work: str):
        self.args = args
        self.display = display
        self.work = work
        self.programs = {
            "floor": os.path.join(args.build, "bench", "bench_floor"),
            "temura": os.path.join(args.build, "temura"),
            "sample_cache": os.path.join(args.build, "bench", "bench_sample_cache"),
        }
        for program in {c.program for c in args.configs}:
            if not os.access(self.programs[program], os.X_OK):
                raise SystemExit(f"bench: {self.programs[program]} is missing; run `make build` "
                                 "first (bench_sample_cache needs libpulse-dev)")
        self._serial = 0

    # A home of its own for every run, copied from the configuration's prepared one.
    def fresh_home(self, template: str | None) -> str:
        self._serial += 1
        home = os.path.join(self.work, f"run{self._serial}")
        if template:
            shutil.copytree(template, home, symlinks=True)
        else:
            for sub in ("home", "config", "data", "cache", "runtime"):
                os.makedirs(os.path.join(home, sub))
        os.chmod(os.path.join(home, "runtime"), 0o700)
        return home

    def env(self, home: str, trace: str | None = None) -> dict[str, str]:
        # Built from nothing: no session bus, session manager or sound server of the caller's.
        env = {
            "PATH": "/usr/local/bin:/usr/bin:/bin",
            "DISPLAY": self.display,
            "QT_QPA_PLATFORM": "xcb",
            "TZ": BENCH_TZ,
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
            "HOME": os.path.join(home, "home"),
            "XDG_CONFIG_HOME": os.path.join(home, "config"),
            "XDG_DATA_HOME": os.path.join(home, "data"),
            "XDG_CACHE_HOME": os.path.join(home, "cache"),
            "XDG_RUNTIME_DIR": os.path.join(home, "runtime"),
        }
        if trace:
            env["TEMURA_TRACE_TICKS"] = trace
        for extra in self.args.env:
            name, _, value = extra.partition("=")
            env[name] = value
        return env

    def argv(self, config: Config, extra: list[str]) -> list[str]:
        argv = [self.programs[config.program]] + config.switches
        if config.program == "temura":
            settings = os.path.join(self.work, f"{config.key}.temura")
            if not os.path.exists(settings):
                with open(settings, "w", newline="") as f:
                    f.write(settings_file_text(config.settings))
            argv.append(f"f={settings}")
        return argv + extra

    def spawn(self, argv, env, log: str) -> int:
        actions = [
            (os.POSIX_SPAWN_OPEN, 0, os.devnull, os.O_RDONLY, 0),
            (os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0),
            (os.POSIX_SPAWN_OPEN, 2, log, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644),
        ]
        return os.posix_spawn(argv[0], argv, env, file_actions=actions)

    def reap(self, pid: int, argv, log: str, timeout_s: float = 60.0):
        # A program that does not close when told would hang the benchmark.
        watchdog = threading.Timer(timeout_s, os.kill, (pid, signal.SIGKILL))
        watchdog.start()
        try:
            _, status, usage = os.wait4(pid, 0)
        finally:
            watchdog.cancel()
        code = os.waitstatus_to_exitcode(status)
        if code != 0:
            with open(log, errors="replace") as f:
                raise SystemExit(f"bench: {' '.join(argv)} exited with {code}:\n{f.read()}")
        return usage

    def prepare(self, config: Config) -> str:
        """A home in which the program has run once, so that later runs find what a first run
        sets up (the user's folders, desktop files) and start warm."""
        home = self.fresh_home(None)
        argv = self.argv(config, [f"--screenshot={os.path.join(home, 'shot.png')}"])
        log = os.path.join(home, "prepare.log")
        self.reap(self.spawn(argv, self.env(home), log), argv, log)
        # Not the runtime folder's sockets: each run starts with an empty one.
        shutil.rmtree(os.path.join(home, "runtime"))
        os.makedirs(os.path.join(home, "runtime"))
        os.remove(os.path.join(home, "shot.png"))
        os.remove(log)
        return home

    def startup_once_ms(self, config: Config, template: str) -> float:
        home = self.fresh_home(template)
        argv = self.argv(config, [f"--screenshot={os.path.join(home, 'shot.png')}"])
        env = self.env(home)
        log = os.path.join(home, "startup.log")
        t0 = time.perf_counter()
        pid = self.spawn(argv, env, log)
        self.reap(pid, argv, log)
        elapsed = (time.perf_counter() - t0) * 1000
        shutil.rmtree(home)
        return elapsed

    def startups_ms(self, configs: list[Config], templates: dict[str, str]):
        """Start-up times of every configuration, taken in turns, so that whatever else the
        machine does at some moment falls on all of them alike; one unmeasured round first
        warms the caches."""
        configs = [c for c in configs if c.has_window]
        times = {c.key: [] for c in configs}
        for round_ in range(self.args.startup_runs + 1):
            for c in configs:
                elapsed = self.startup_once_ms(c, templates[c.key])
                if round_ > 0:
                    times[c.key].append(elapsed)
        return times

    def timed_run(self, config: Config, template: str, seconds: float, sample=False):
        """One run that closes itself after `seconds`: its usage from wait4, its trace and, when
        asked, snapshots of its counters after start-up has settled and a second before the
        close."""
        home = self.fresh_home(template)
        trace = os.path.join(home, "trace.txt") if config.shown_ms else None
        argv = self.argv(config, [f"--close-after={int(seconds * 1000)}"])
        log = os.path.join(home, "run.log")
        env = self.env(home, trace)
        server = SoundServer(env, os.path.join(home, "server.log")) if config.sound_server else None
        t0 = time.perf_counter()
        pid = self.spawn(argv, env, log)
        snapshots = []
        if sample:
            for at in (min(5.0, seconds / 4), seconds - 1.0):
                time.sleep(max(0.0, t0 + at - time.perf_counter()))
                snapshots.append((snapshot(pid), snapshot(server.pid) if server else None))
        try:
            usage = self.reap(pid, argv, log, seconds + 60)
        finally:
            if server:
                server.close()
        wall = time.perf_counter() - t0
        run = RunUsage(wall, usage.ru_utime + usage.ru_stime, usage.ru_nvcsw, usage.ru_maxrss)
        with open(log, errors="replace") as f:
            said = f.read()
        # A tick row whose program never reached the server, or found one where none runs,
        # would measure something else.
        if config.program == "temura" and config.settings.get("PlayTick"):
            if ("no sound server" in said) == bool(server):
                raise SystemExit(f"bench: {config.title}: unexpected sound state:\n{said}")
        text = ""
        if trace and os.path.exists(trace):
            with open(trace, encoding="utf-8") as f:
                text = f.read()
        shutil.rmtree(home)
        return run, parse_trace(text), snapshots


def cpu_busy_and_total() -> tuple[int, int]:
    """The machine's CPU time so far in clock ticks, from /proc/stat: busy, and in all."""
    with open("/proc/stat") as f:
        fields = [int(x) for x in f.readline().split()[1:]]
    idle = fields[3] + fields[4]  # idle and waiting for I/O
    total = sum(fields[:8])  # guest time is already in user time
    return total - idle, total


def snapshot(pid: int) -> Snapshot:
    at = time.perf_counter()
    threads = {}
    base = f"/proc/{pid}/task"
    try:
        tids = os.listdir(base)
    except OSError:
        tids = []
    for tid in tids:
        try:
            with open(f"{base}/{tid}/comm") as f:
                name = f.read().strip()
            with open(f"{base}/{tid}/status") as f:
                vcsw = next(int(line.split()[1]) for line in f
                            if line.startswith("voluntary_ctxt_switches"))
            with open(f"{base}/{tid}/schedstat") as f:
                ns = int(f.read().split()[0])
        except (OSError, StopIteration, ValueError):
            continue  # the thread ended meanwhile
        threads[int(tid)] = (name, vcsw, ns)
    rss = None
    try:
        with open(f"/proc/{pid}/status") as f:
            rss = next((int(line.split()[1]) for line in f if line.startswith("VmRSS:")), None)
    except OSError:
        pass
    return Snapshot(at, threads, rss)


# ---- one configuration, measured ----


@dataclasses.dataclass
class Result:
    config: Config
    cpu_pct: float  # within the long run, from /proc
    wakeups: float
    cpu_wait4: tuple[float, float]  # % of one core, ± what start-up alone moves it
    wakeups_wait4: tuple[float, float]
    rss_mib: float | None
    peak_mib: float
    startup_ms: float | None  # None: a program without a window
    startup_runs: int
    changes_per_s: float | None
    lag_median: float | None
    lag_worst: int | None
    lag_best: int | None
    skipped: int | None
    spread: int | None
    threads: list
    server_cpu_pct: float | None = None  # the sound server beside it, within the same window
    server_wakeups: float | None = None
    long_cpu: list = dataclasses.field(default_factory=list)  # together, per long run

    @property
    def together_pct(self) -> float:
        return self.cpu_pct + (self.server_cpu_pct or 0.0)


def median_run(runs: list) -> tuple:
    """Of several long runs, (program %, wake-ups /s, server % or None, server wake-ups or None,
    together % of each run, the run whose together figure is the median): the medians of each
    figure, and the median run for what is shown of one run (threads, trace, memory)."""
    rows = []
    for run in runs:
        first, last = run[2]
        threads = window_rates(first[0], last[0])
        server = window_rates(first[1], last[1]) if first[1] else None
        rows.append((threads, server, run))
    cpu = [sum(t[2] for t in r[0]) for r in rows]
    wake = [sum(t[1] for t in r[0]) for r in rows]
    server_cpu = [sum(t[2] for t in r[1]) for r in rows if r[1] is not None]
    server_wake = [sum(t[1] for t in r[1]) for r in rows if r[1] is not None]
    together = [c + (server_cpu[i] if server_cpu else 0.0) for i, c in enumerate(cpu)]
    middle = sorted(range(len(rows)), key=lambda i: together[i])[len(rows) // 2]
    return (statistics.median(cpu), statistics.median(wake),
            statistics.median(server_cpu) if server_cpu else None,
            statistics.median(server_wake) if server_wake else None, together, rows[middle])


def compared_runs(runner: Runner, configs: list[Config], templates: dict, args) -> dict:
    """The long runs of the rows a target compares, taken in rounds (one of each row, then the
    next round), so that whatever the machine does meanwhile falls on all of them alike."""
    runs = {c.key: [] for c in configs if c.compared}
    for round_ in range(args.long_runs):
        print(f"  compared rows, round {round_ + 1} of {args.long_runs}: "
              f"{len(runs)} × {args.seconds:g} s", flush=True)
        for c in configs:
            if c.compared:
                runs[c.key].append(runner.timed_run(c, templates[c.key], args.seconds,
                                                    sample=True))
    return runs


def measure(runner: Runner, config: Config, template: str, startups: list[float],
            args, longs: list | None = None) -> Result:
    print(f"  {config.title}: {args.short_runs} × {args.short_seconds:g} s", flush=True)
    shorts = [runner.timed_run(config, template, args.short_seconds)[0]
              for _ in range(args.short_runs)]
    if not longs:
        print(f"  {config.title}: {args.seconds:g} s", flush=True)
        longs = [runner.timed_run(config, template, args.seconds, sample=True)]
    cpu, wakeups, server_cpu, server_wakeups, together, (threads, server, median) = \
        median_run(longs)
    long, trace, (_, last) = median
    last = last[0]
    if args.verbose:
        for run in shorts + [r[0] for r in longs]:
            print(f"    wall {run.wall_s:.3f} s, cpu {run.cpu_s * 1000:.1f} ms, "
                  f"{run.vcsw} voluntary switches, peak {run.maxrss_kib} KiB")
        print(f"    start-up ms: {', '.join(f'{t:.0f}' for t in startups)}")
        print(f"    together % per long run: {', '.join(f'{t:.3f}' for t in together)}")

    if server:
        threads = threads + [(f"{name} (sound server)", rate, share)
                             for name, rate, share in server]
    cpu_wait4 = steady_rate(long, shorts, "cpu_s")
    traced = config.shown_ms is not None
    lags = change_lags(trace, config.shown_ms) if traced and config.wall_clock else []
    return Result(
        config=config,
        cpu_pct=cpu,
        wakeups=wakeups,
        cpu_wait4=(cpu_wait4[0] * 100, cpu_wait4[1] * 100),
        wakeups_wait4=steady_rate(long, shorts, "vcsw"),
        rss_mib=last.rss_kib / 1024 if last.rss_kib else None,
        peak_mib=long.maxrss_kib / 1024,
        startup_ms=statistics.median(startups) if startups else None,
        startup_runs=len(startups),
        changes_per_s=max(0, len(trace) - 1) / long.wall_s if traced else None,
        lag_median=statistics.median(lags) if lags else None,
        lag_worst=max(lags) if lags else None,
        lag_best=min(lags) if lags else None,
        skipped=skipped_units(trace, config.shown_ms, config.unit_ms) if traced else None,
        spread=phase_spread(trace, config.shown_ms) if traced else None,
        threads=threads,
        server_cpu_pct=server_cpu,
        server_wakeups=server_wakeups,
        long_cpu=together,
    )


# ---- the report ----


def machine_lines(args) -> list[str]:
    def command(argv) -> str:
        try:
            return subprocess.run(argv, capture_output=True, text=True, check=True).stdout
        except (OSError, subprocess.CalledProcessError):
            return ""

    fields = {}
    for line in command(["lscpu"]).splitlines():
        key, _, value = line.partition(":")
        fields[key.strip()] = value.strip()
    os_name = ""
    if os.path.exists("/etc/os-release"):
        with open("/etc/os-release") as f:
            for line in f:
                if line.startswith("PRETTY_NAME="):
                    os_name = line.split("=", 1)[1].strip().strip('"')
    if os.path.exists("/etc/debian_version"):
        with open("/etc/debian_version") as f:
            os_name += f" (Debian {f.read().strip()})"
    qt = command([os.path.join(args.build, "bench", "bench_floor"), "--version"]).strip()
    build_type = ""
    cache = os.path.join(args.build, "CMakeCache.txt")
    if os.path.exists(cache):
        with open(cache) as f:
            for line in f:
                if line.startswith("CMAKE_BUILD_TYPE:"):
                    build_type = line.split("=", 1)[1].strip()
    commit = command(["git", "rev-parse", "--short", "HEAD"]).strip()
    if commit and command(["git", "status", "--porcelain", "--untracked-files=no"]).strip():
        commit += " with uncommitted changes"
    cpu = fields.get("Model name", platform.processor() or "unknown")
    cores = fields.get("CPU(s)", str(os.cpu_count()))
    hypervisor = fields.get("Hypervisor vendor")
    lines = [
        f"- Date: {datetime.datetime.now(datetime.timezone.utc):%Y-%m-%d %H:%M} UTC",
        f"- CPU: {cpu}, {cores} logical CPUs"
        + (f" (virtual machine, {hypervisor})" if hypervisor else ""),
        f"- System: {os_name or platform.platform()}, Linux {platform.release()}",
        f"- Qt: {qt.removeprefix('bench_floor with Qt ') or 'unknown'}; build type "
        f"{build_type or 'unknown'}; commit {commit or 'unknown'}",
        f"- Display: Xvfb, screen {args.screen}, no window manager, no compositor",
        "- Tick sound: off (PlayTick=0 in the settings file each run is given) but in the rows "
        f"that say \"tick on\"; {pulse_version() or 'PulseAudio'} on a null sink runs only "
        "beside the rows that say \"sound server\"",
    ]
    return lines


def pulse_version() -> str:
    try:
        return subprocess.run(["pulseaudio", "--version"], capture_output=True, text=True,
                              check=True).stdout.strip().replace("pulseaudio", "PulseAudio")
    except (OSError, subprocess.CalledProcessError):
        return ""


def fmt(value, spec: str, missing: str = "—") -> str:
    return missing if value is None else format(value, spec)


def targets(results: list[Result]) -> list[tuple[str, str, bool]]:
    """The targets of the configurations that ran: what, the figure, whether it is met."""
    floor = results[0]
    rows = []
    for r in results:
        if r.config.key == "t1":
            rows += [
                ("Mode T, seconds: steady-state CPU ≤ 0.05 % of one core",
                 f"{r.cpu_pct:.3f} %", r.cpu_pct <= 0.05),
                ("Mode T, seconds: ≤ 2 wake-ups a second", f"{r.wakeups:.2f}", r.wakeups <= 2),
                ("Mode T, seconds: resident memory ≤ 1.4× the floor",
                 f"{ratio_text(r.rss_mib, floor.rss_mib)} "
                 f"(peak {ratio_text(r.peak_mib, floor.peak_mib)})",
                 r.rss_mib is not None and floor.rss_mib is not None
                 and r.rss_mib <= 1.4 * floor.rss_mib and r.peak_mib <= 1.4 * floor.peak_mib),
                ("Mode T, seconds: warm start-up ≤ 1.2× the floor",
                 ratio_text(r.startup_ms, floor.startup_ms),
                 r.startup_ms <= 1.2 * floor.startup_ms),
                ("Mode T, seconds: the shown second changes ≤ 10 ms after the true second "
                 "(median / worst)",
                 f"{fmt(r.lag_median, '.0f')} / {fmt(r.lag_worst, 'd')} ms",
                 r.lag_worst is not None and r.lag_best >= 0 and r.lag_worst <= 10),
            ]
        elif r.config.key in ("t2", "sw"):
            rows.append((f"{r.config.title}: ≤ 11 wake-ups a second", f"{r.wakeups:.2f}",
                         r.wakeups <= 11))
    by_key = {r.config.key: r for r in results}
    return rows + world_targets(by_key) + sound_targets(by_key)


def world_targets(by_key: dict) -> list[tuple[str, str, bool]]:
    """Eight world lines against the same clock without them: no more wake-ups (0.05 a second
    of noise allowed) and at most 1.2 times the CPU."""
    t1, w8 = by_key.get("t1"), by_key.get("w8")
    if not (t1 and w8):
        return []
    return [
        ("Eight world lines: wake-ups ≤ mode T, seconds (+0.05/s)",
         f"{w8.wakeups:.2f} / {t1.wakeups:.2f}", w8.wakeups <= t1.wakeups + 0.05),
        ("Eight world lines: CPU ≤ 1.2× mode T, seconds",
         f"{w8.cpu_pct:.3f} % / {t1.cpu_pct:.3f} % ({ratio_text(w8.cpu_pct, t1.cpu_pct)})",
         w8.cpu_pct <= 1.2 * t1.cpu_pct),
    ]


def sound_targets(by_key: dict) -> list[tuple[str, str, bool]]:
    """What the tick adds, against the least a click can cost and against silence; and the
    clock with the tick off against the reference label."""
    rows = []
    t1, reference = by_key.get("t1"), by_key.get("tick")
    if t1 and reference:
        rows.append(("Mode T, seconds, tick off: CPU ≤ 1.1× the reference label's",
                     f"{t1.cpu_pct:.3f} % / {reference.cpu_pct:.3f} % "
                     f"({ratio_text(t1.cpu_pct, reference.cpu_pct)})",
                     t1.cpu_pct <= 1.1 * reference.cpu_pct))
    played, cache = by_key.get("t1snd"), by_key.get("cache")
    if t1 and played and cache:
        added = played.together_pct - t1.cpu_pct
        rows.append(("Tick on, sound server: what the tick adds (clock and server, less the "
                     "clock with the tick off) ≤ 1.5× the sample-cache floor (it and the server)",
                     f"{added:.3f} % / {cache.together_pct:.3f} % "
                     f"({ratio_text(added, cache.together_pct)})",
                     added <= 1.5 * cache.together_pct))
    if played:
        rows.append(("Tick on, sound server: the clock wakes ≤ 1.1 times a second",
                     f"{played.wakeups:.2f}", played.wakeups <= 1.1))
    mute = by_key.get("t1mute")
    if t1 and mute:
        rows.append(("Tick on, no sound server: CPU ≤ 1.1× the clock with the tick off",
                     f"{mute.cpu_pct:.3f} % / {t1.cpu_pct:.3f} % "
                     f"({ratio_text(mute.cpu_pct, t1.cpu_pct)})",
                     mute.cpu_pct <= 1.1 * t1.cpu_pct))
    return rows


def sound_section(results: list[Result], args) -> list[str]:
    """The tick's rows side by side: the program, the server beside it, and the two together."""
    rows = [r for r in results if r.config.key in SOUND_KEYS]
    if len(rows) < 2:
        return []
    out = [
        "",
        "## The tick's sound",
        "",
        "CPU within the long runs as above, the median of "
        f"{args.long_runs} runs of {args.seconds:g} s; the sound server is PulseAudio on a null "
        "sink, started for each run with its socket in the run's private runtime folder, where "
        "the program finds it as on a desktop. The main table's CPU and wake-ups are the "
        "program's alone.",
        "",
        "| Configuration | Program, % of one core | Sound server | Together | "
        "Program wake-ups /s | Server wake-ups /s | Together, each run |",
        "|---|---|---|---|---|---|---|",
    ]
    for r in rows:
        out.append(" | ".join([
            f"| {r.config.title}", f"{r.cpu_pct:.3f}", fmt(r.server_cpu_pct, ".3f", "none"),
            f"{r.together_pct:.3f}", f"{r.wakeups:.2f}", fmt(r.server_wakeups, ".2f", "none"),
            ", ".join(f"{c:.3f}" for c in r.long_cpu) + " |"]))
    return out


def report(results: list[Result], args, machine: list[str]) -> str:
    floor = results[0]

    def with_ratio(text: str, value, floor_value, r: Result) -> str:
        # The floor sleeps: against its zero CPU and wake-ups there is no ratio to give.
        if r is floor or value is None or floor_value is None or floor_value <= 0:
            return text
        return f"{text} ({ratio_text(value, floor_value)})"

    out = [
        "# Performance",
        "",
        "Measured by `make bench` (scripts/bench.py); rerun it to refresh this page. The floor is "
        "a stay-on-top Qt label and nothing else (bench/floor/): what it costs is Qt's and the "
        "display's; what Temura costs beyond it is Temura's own. The reference row is the floor "
        "with its text set to the time once a second (`bench_floor --tick`): the least any Qt "
        "Widgets clock showing seconds can cost here.",
        "",
        *machine,
        "",
        "| Configuration | CPU, % of one core | Wake-ups /s | Resident MiB (peak) | "
        "Start-up ms | Lag median / worst ms | Changes /s (skipped) |",
        "|---|---|---|---|---|---|---|",
    ]
    for r in results:
        rss = with_ratio(f"{fmt(r.rss_mib, '.1f')} ({r.peak_mib:.1f})", r.rss_mib, floor.rss_mib,
                         r)
        if r.config.shown_ms is None:
            lag = "—"
        elif not r.config.wall_clock:
            lag = "n/a"
        else:
            lag = f"{fmt(r.lag_median, '.0f')} / {fmt(r.lag_worst, 'd')}"
        changes = ("—" if r.changes_per_s is None
                   else f"{r.changes_per_s:.2f} ({r.skipped})")
        out.append(" | ".join([
            f"| {r.config.title}",
            with_ratio(f"{r.cpu_pct:.3f}", r.cpu_pct, floor.cpu_pct, r),
            with_ratio(f"{r.wakeups:.2f}", r.wakeups, floor.wakeups, r),
            rss,
            with_ratio(fmt(r.startup_ms, ".0f"), r.startup_ms, floor.startup_ms, r),
            lag,
            changes + " |",
        ]))

    out += sound_section(results, args)
    out += ["", "## Targets", "", "| Target | Measured | Met |", "|---|---|---|"]
    out += [f"| {name} | {value} | {'yes' if ok else 'no'} |"
            for name, value, ok in targets(results)]

    out += [
        "",
        "## The same from whole runs (wait4)",
        "",
        f"(CPU time or voluntary context switches of a {args.seconds:g} s run − the median of "
        f"{args.short_runs} runs of {args.short_seconds:g} s) over the difference of their wall "
        "times, from `os.wait4` (ru_utime + ru_stime, ru_nvcsw). After ± half the range of the "
        "short runs over the same difference: how much start-up alone, which differs from run "
        "to run, moves the figure.",
        "",
        "| Configuration | CPU, % of one core | Wake-ups /s |",
        "|---|---|---|",
    ]
    for r in results:
        out.append(f"| {r.config.title} | {r.cpu_wait4[0]:.3f} ± {r.cpu_wait4[1]:.3f} | "
                   f"{r.wakeups_wait4[0]:.2f} ± {r.wakeups_wait4[1]:.2f} |")

    spread = next((r.spread for r in results if r.config.key == "sw"), None)
    out += [
        "",
        "## How each figure is measured",
        "",
        f"- Every configuration runs alone, one after another, under one Xvfb, in TZ={BENCH_TZ} "
        "and the C.UTF-8 locale. Every run has a fresh temporary HOME, XDG_CONFIG_HOME, "
        "XDG_DATA_HOME, XDG_CACHE_HOME and XDG_RUNTIME_DIR (a copy of one in which the program "
        "has run once) and no session bus. Temura gets its mode by switch (`t`, `start`, `e`) "
        "and its layout and PlayTick=0 from a settings file (`f=FILE`).",
        f"- CPU and wake-ups: within the {args.seconds:g} s run, from about 5 s after the start "
        "(start-up is over) to 1 s before the close, the sum over the process's threads of "
        "/proc/PID/task/*/schedstat (time on a CPU) and of voluntary_ctxt_switches "
        "(/proc/PID/task/*/status: each is a thread going to sleep and being woken). The same "
        "counters wait4 reports for the whole run, without the start-up, whose figures vary "
        "from run to run by more than a minute of ticking adds (see the wait4 table).",
        "- Ratios are to the floor; its CPU and wake-ups are zero while it sits idle, so "
        "those columns have none. The rows a target compares with another (the reference, "
        "mode T with seconds, and the tick's rows) give the median of "
        f"{args.long_runs} long runs, taken in rounds of one run of each such row; the others "
        "one.",
        "- The sample-cache floor (bench/sample_cache/) has no window: it uploads a 35 ms click "
        "to the server's sample cache once and asks the server to play it once a second, the "
        "least any ticking clock's sound can cost; it has no start-up figure.",
        "- Resident memory: VmRSS a second before the long run closes; in brackets the peak, "
        "ru_maxrss from wait4. The ratio is of the former; the target is checked on both.",
        f"- Start-up: median wall time of {floor.startup_runs} `--screenshot=FILE` runs after "
        "one unmeasured run, from spawn to exit: start, first frame, writing the PNG, exit — "
        "the same steps for the floor.",
        "- Lag: Temura writes a line with the wall-clock time to the millisecond at every change "
        "of the shown time (TEMURA_TRACE_TICKS). Each change after the first is compared with "
        "the start of the unit it shows: the second for HH:MM:SS, the tenth for HH:MM:SS.t "
        "(the changes of the second are among them), and for e-Time the unit of 0.864 s of the "
        "standard-time day. A negative figure would be a time shown before it began. The "
        "stamp is taken when the text is set; the repaint follows in the same pass of the "
        "event loop. Writing the trace costs one write() per change; it is on in every "
        "measured Temura run.",
        "- Stopwatch: its tenths count from the press of Start, which the wall clock does not "
        "know, so its lag is n/a; the spread of (wall time − shown time) over the run is "
        f"{fmt(spread, 'd')} ms.",
        "- Changes /s: changes of the shown text per second of the long run; skipped: units the "
        "display never showed.",
        "",
        "## Where the wake-ups go",
        "",
        "Per thread, within the long run as above.",
        "",
        "| Configuration | Thread | Wake-ups /s | CPU, % of one core |",
        "|---|---|---|---|",
    ]
    for r in results:
        for name, rate, cpu in r.threads:
            out.append(f"| {r.config.title} | {name} | {rate:.2f} | {cpu:.4f} |")
    return "\n".join(out) + "\n"


def main(argv=None) -> int:
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.dirname(here)
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--build", default=os.path.join(root, "build"), help="the build folder")
    p.add_argument("--seconds", type=float, default=60, help="length of the long run (60)")
    p.add_argument("--short-seconds", type=float, default=5, help="length of a short run (5)")
    p.add_argument("--short-runs", type=int, default=5, help="short runs to take the median of")
    p.add_argument("--long-runs", type=int, default=3,
                   help="long runs to take the median of, for the rows a target compares (3)")
    p.add_argument("--startup-runs", type=int, default=11, help="timed start-ups (at least 9)")
    p.add_argument("--screen", default="1280x800x24", help="Xvfb screen")
    p.add_argument("--out", default=os.path.join(root, "docs", "performance.md"),
                   help="where to write the report ('-' for nowhere)")
    p.add_argument("--env", action="append", default=[], metavar="NAME=VALUE",
                   help="an extra environment variable for every run, to try a change")
    p.add_argument("--verbose", action="store_true", help="print every run's figures")
    p.add_argument("--only", help="comma-separated configuration keys (floor is always run): "
                   + ", ".join(c.key for c in CONFIGS))
    args = p.parse_args(argv)
    if args.startup_runs < 9:
        p.error("--startup-runs must be at least 9")
    if args.seconds < args.short_seconds + 5:
        p.error("--seconds must be at least 5 s longer than --short-seconds")
    if shutil.which("Xvfb") is None:
        raise SystemExit("bench: Xvfb is missing; run scripts/install-deps.sh")
    if shutil.which("pulseaudio") is None:
        raise SystemExit("bench: pulseaudio is missing; run scripts/install-deps.sh")
    args.build = os.path.abspath(args.build)
    if args.out != "-":
        args.out = os.path.abspath(args.out)
    os.chdir(root)  # for git's description of the tree

    configs = CONFIGS
    if args.only:
        keys = set(args.only.split(","))
        configs = [c for c in CONFIGS if c.key == "floor" or c.key in keys]
    args.configs = configs
    load_before = os.getloadavg()[0]
    busy_before = cpu_busy_and_total()
    xvfb = Xvfb(args.screen)
    try:
        with tempfile.TemporaryDirectory(prefix="temura-bench-") as work:
            runner = Runner(args, xvfb.display, work)
            print(f"bench: Xvfb on {xvfb.display}; long runs of {args.seconds:g} s", flush=True)
            templates = {c.key: runner.prepare(c) if c.has_window else None for c in configs}
            print(f"  start-up: {args.startup_runs} rounds", flush=True)
            startups = runner.startups_ms(configs, templates)
            longs = compared_runs(runner, configs, templates, args)
            results = [measure(runner, c, templates[c.key], startups.get(c.key, []), args,
                               longs.get(c.key)) for c in configs]
    finally:
        xvfb.close()

    machine = machine_lines(args)
    busy, total = (a - b for a, b in zip(cpu_busy_and_total(), busy_before))
    machine.append(
        f"- Other work on the machine: load average (1 min) {load_before:.2f} before, "
        f"{os.getloadavg()[0]:.2f} after; its CPUs were busy {100 * busy / max(total, 1):.1f} % "
        "of the time during the benchmark, the measured programs and Xvfb included")
    if args.env:
        machine.append(f"- Extra environment, trying a change: {', '.join(args.env)}")
    text = report(results, args, machine)
    print()
    print(text)
    if args.out != "-":
        with open(args.out, "w", encoding="utf-8") as f:
            f.write(text)
        print(f"bench: written to {os.path.relpath(args.out)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
