"""The arithmetic of scripts/bench.py: what it reads from a trace and how it turns counters into
the figures of docs/performance.md. A wrong figure here would pass or fail a target unseen."""

import importlib.util
import os
import sys
import unittest

_HERE = os.path.dirname(os.path.abspath(__file__))
_SPEC = importlib.util.spec_from_file_location(
    "bench", os.path.join(_HERE, "..", "..", "scripts", "bench.py"))
bench = importlib.util.module_from_spec(_SPEC)
sys.modules["bench"] = bench  # its dataclasses look their module up
_SPEC.loader.exec_module(bench)

DAY = 86_400_000
# 2026-12-08 00:00:00 UTC in epoch milliseconds.
MIDNIGHT = 1_796_688_000_000


def at(hours, minutes, seconds, ms=0, day=MIDNIGHT):
    return day + ((hours * 60 + minutes) * 60 + seconds) * 1000 + ms


class TraceText(unittest.TestCase):
    def test_lines_that_do_not_parse_are_left_out(self):
        text = "1000\t12:00:00\n\nnot a line\n1001\t12:00:01\n10"
        self.assertEqual(bench.parse_trace(text), [(1000, "12:00:00"), (1001, "12:00:01")])

    def test_clock_layouts(self):
        self.assertEqual(bench.clock_text_ms("01:02"), 3_720_000)
        self.assertEqual(bench.clock_text_ms("01:02:03"), 3_723_000)
        self.assertEqual(bench.clock_text_ms("01:02:03.4"), 3_723_400)
        # A stopwatch's hours are not limited to 24.
        self.assertEqual(bench.clock_text_ms("25:00:00.0"), 90_000_000)

    def test_clock_rejects_other_texts(self):
        for text in ("", "@123.45", "1:2:3", "01:02:03.45", "01:02:03 PM"):
            self.assertIsNone(bench.clock_text_ms(text), text)

    def test_etime_units(self):
        self.assertEqual(bench.etime_text_ms("@500"), DAY // 2)
        self.assertEqual(bench.etime_text_ms("@000.1"), 8_640)
        self.assertEqual(bench.etime_text_ms("@000.01"), 864)
        self.assertEqual(bench.etime_text_ms("@999.99"), DAY - 864)

    def test_etime_rejects_other_texts(self):
        for text in ("@", "123.45", "@12.34", "@123.456", "12:00:00"):
            self.assertIsNone(bench.etime_text_ms(text), text)


class Lags(unittest.TestCase):
    def test_the_first_line_is_the_start_not_a_change(self):
        trace = [(at(12, 0, 0, 437), "12:00:00"), (at(12, 0, 1, 3), "12:00:01"),
                 (at(12, 0, 2, 9), "12:00:02")]
        self.assertEqual(bench.change_lags(trace, bench.clock_text_ms), [3, 9])

    def test_a_second_shown_before_it_began_is_negative(self):
        trace = [(at(12, 0, 0), "12:00:00"), (at(12, 0, 0, 998), "12:00:01")]
        self.assertEqual(bench.change_lags(trace, bench.clock_text_ms), [-2])

    def test_midnight(self):
        trace = [(at(23, 59, 59, 2, MIDNIGHT - DAY), "23:59:59"), (at(0, 0, 0, 4), "00:00:00"),
                 (at(0, 0, 0, 999), "00:00:01")]
        self.assertEqual(bench.change_lags(trace, bench.clock_text_ms), [4, -1])

    def test_local_time_ahead_of_utc(self):
        # One hour ahead: 12:00:00 UTC shows 13:00:00.
        trace = [(at(11, 59, 59), "12:59:59"), (at(12, 0, 0, 5), "13:00:00")]
        self.assertEqual(bench.change_lags(trace, bench.clock_text_ms, 3_600_000), [5])

    def test_etime_against_its_own_unit(self):
        # Unit 50000 of the day (@500.00) begins at 12:00:00.000 UTC, the next 864 ms later.
        trace = [(at(11, 59, 59, 500), "@499.99"), (at(12, 0, 0, 3), "@500.00"),
                 (at(12, 0, 0, 870), "@500.01")]
        self.assertEqual(bench.change_lags(trace, bench.etime_text_ms), [3, 6])

    def test_skipped_units(self):
        trace = [(0, "12:00:00"), (0, "12:00:01"), (0, "12:00:03"), (0, "12:00:07")]
        self.assertEqual(bench.skipped_units(trace, bench.clock_text_ms, 1000), 4)

    def test_nothing_skipped_over_midnight(self):
        trace = [(0, "23:59:58"), (0, "23:59:59"), (0, "00:00:00")]
        self.assertEqual(bench.skipped_units(trace, bench.clock_text_ms, 1000), 0)

    def test_phase_spread_of_a_stopwatch(self):
        start = 1_000_000
        trace = [(start + 7, "00:00:00.0"), (start + 103, "00:00:00.1"),
                 (start + 205, "00:00:00.2"), (start + 301, "00:00:00.3")]
        self.assertEqual(bench.phase_spread(trace, bench.clock_text_ms), 4)


class Figures(unittest.TestCase):
    def test_steady_rate_takes_out_start_up(self):
        shorts = [bench.RunUsage(5.0, 0.100, 200, 0), bench.RunUsage(5.2, 0.140, 230, 0),
                  bench.RunUsage(5.1, 0.120, 210, 0)]
        long = bench.RunUsage(60.1, 0.175, 265, 0)
        cpu, cpu_spread = bench.steady_rate(long, shorts, "cpu_s")
        self.assertAlmostEqual(cpu, 0.055 / 55.0)
        self.assertAlmostEqual(cpu_spread, 0.020 / 55.0)
        wake, _ = bench.steady_rate(long, shorts, "vcsw")
        self.assertAlmostEqual(wake, 1.0)

    def test_window_rates_per_thread(self):
        first = bench.Snapshot(10.0, {1: ("main", 100, 1_000_000), 2: ("xcb", 5, 0)}, None)
        second = bench.Snapshot(20.0, {1: ("main", 120, 11_000_000), 2: ("xcb", 5, 0),
                                       3: ("late", 4, 2_000_000)}, None)
        rows = bench.window_rates(first, second)
        self.assertEqual(rows[0][0], "main")
        self.assertAlmostEqual(rows[0][1], 2.0)
        self.assertAlmostEqual(rows[0][2], 0.1)
        # A thread born between the readings counts from zero.
        self.assertEqual([r[0] for r in rows], ["main", "late", "xcb"])
        self.assertAlmostEqual(rows[1][1], 0.4)

    def test_ratio_needs_a_positive_floor(self):
        self.assertEqual(bench.ratio_text(3.0, 2.0), "×1.50")
        self.assertEqual(bench.ratio_text(3.0, 0.0), "—")
        self.assertEqual(bench.ratio_text(None, 2.0), "—")

    def test_settings_file_lines_end_in_cr_lf(self):
        self.assertEqual(bench.settings_file_text({"TimeFormat": 1, "PlayTick": 0}),
                         "[SETTINGS]\r\nTimeFormat=1\r\nPlayTick=0\r\n")


def result(key, **figures):
    config = next(c for c in bench.CONFIGS if c.key == key)
    values = dict(cpu_pct=0.0, wakeups=0.0, cpu_wait4=(0.0, 0.0), wakeups_wait4=(0.0, 0.0),
                  rss_mib=30.0, peak_mib=30.0, startup_ms=100.0, startup_runs=11,
                  changes_per_s=None, lag_median=None, lag_worst=None, lag_best=None,
                  skipped=None, spread=None, threads=[])
    values.update(figures)
    return bench.Result(config=config, **values)


class Targets(unittest.TestCase):
    def test_all_met(self):
        floor = result("floor")
        t1 = result("t1", cpu_pct=0.04, wakeups=1.5, rss_mib=40.0, peak_mib=41.0,
                    startup_ms=115.0, lag_median=3, lag_worst=8, lag_best=2)
        sw = result("sw", wakeups=10.5)
        self.assertTrue(all(ok for _, _, ok in bench.targets([floor, t1, sw])))

    def test_a_time_shown_early_misses_the_lag_target(self):
        floor = result("floor")
        t1 = result("t1", lag_median=3, lag_worst=5, lag_best=-1)
        lag = [ok for name, _, ok in bench.targets([floor, t1]) if "true second" in name]
        self.assertEqual(lag, [False])

    def test_memory_is_checked_on_the_peak_too(self):
        floor = result("floor", rss_mib=30.0, peak_mib=30.0)
        t1 = result("t1", rss_mib=40.0, peak_mib=43.0)
        memory = [ok for name, _, ok in bench.targets([floor, t1]) if "memory" in name]
        self.assertEqual(memory, [False])

    def test_start_up_and_wake_ups(self):
        floor = result("floor", startup_ms=70.0)
        t1 = result("t1", startup_ms=92.0, wakeups=2.1)
        t2 = result("t2", wakeups=11.2)
        rows = {name: ok for name, _, ok in bench.targets([floor, t1, t2])}
        self.assertFalse(rows["Mode T, seconds: warm start-up ≤ 1.2× the floor"])
        self.assertFalse(rows["Mode T, seconds: ≤ 2 wake-ups a second"])
        self.assertFalse(rows["Mode T, tenths: ≤ 11 wake-ups a second"])

    def test_world_lines_against_the_clock_without_them(self):
        # (t1 CPU and wake-ups, w8 CPU and wake-ups) -> (wake-ups met, CPU met)
        cases = [
            ((0.040, 1.00), (0.048, 1.05), [True, True]),
            ((0.040, 1.00), (0.049, 1.00), [True, False]),
            ((0.040, 1.00), (0.040, 1.06), [False, True]),
        ]
        for (t1_cpu, t1_wake), (w8_cpu, w8_wake), met in cases:
            rows = bench.targets([result("floor"), result("t1", cpu_pct=t1_cpu, wakeups=t1_wake),
                                  result("w8", cpu_pct=w8_cpu, wakeups=w8_wake)])
            with self.subTest(w8_cpu=w8_cpu, w8_wake=w8_wake):
                self.assertEqual([ok for name, _, ok in rows if "world" in name], met)

    def test_the_tick_against_its_floor_and_silence(self):
        # (clock tick off, tick on + server: program and server, floor: program and server,
        #  tick on without a server) -> which targets are met, in order
        cases = [
            ((0.05, (0.05, 0.09), (0.01, 0.09), 0.05), [True, True, True]),
            ((0.05, (0.10, 0.11), (0.01, 0.09), 0.05), [True, False, True]),
            ((0.05, (0.05, 0.09), (0.01, 0.09), 0.056), [True, True, False]),
            ((0.06, (0.05, 0.09), (0.01, 0.09), 0.06), [False, True, True]),
        ]
        for (off, played, cache, mute), met in cases:
            rows = bench.sound_targets({
                "tick": result("tick", cpu_pct=0.05),
                "t1": result("t1", cpu_pct=off),
                "t1snd": result("t1snd", cpu_pct=played[0], server_cpu_pct=played[1],
                                wakeups=1.02),
                "cache": result("cache", cpu_pct=cache[0], server_cpu_pct=cache[1]),
                "t1mute": result("t1mute", cpu_pct=mute),
            })
            with self.subTest(off=off, played=played, mute=mute):
                self.assertEqual([ok for name, _, ok in rows if "wakes" not in name], met)


if __name__ == "__main__":
    unittest.main()
