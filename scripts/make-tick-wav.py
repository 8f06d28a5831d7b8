#!/usr/bin/env python3
"""Writes the clock's built-in tick: a short, soft wooden click as 16-bit mono PCM WAV.

Usage: scripts/make-tick-wav.py [OUT]   (default src/resources/tick.wav)
"""
import math
import struct
import sys
import wave

RATE = 22050
LENGTH_S = 0.035


def sample(i: int) -> float:
    t = i / RATE
    # Two damped partials give a "tock" rather than a beep; the noise-free decay keeps it soft.
    body = 0.6 * math.sin(2 * math.pi * 1800 * t) + 0.4 * math.sin(2 * math.pi * 3100 * t)
    attack = min(1.0, t / 0.0008)
    return body * attack * math.exp(-t / 0.0045)


def main() -> None:
    out = sys.argv[1] if len(sys.argv) > 1 else "src/resources/tick.wav"
    frames = bytearray()
    for i in range(int(RATE * LENGTH_S)):
        frames += struct.pack("<h", int(max(-1.0, min(1.0, sample(i))) * 0.5 * 32767))
    with wave.open(out, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


if __name__ == "__main__":
    main()
