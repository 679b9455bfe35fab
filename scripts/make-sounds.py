#!/usr/bin/env python3
"""Writes the two short sounds the program plays: media/chord.wav (a soft
major chord, the "not possible" answer of the item manager) and
media/chimes.wav (a three-note chime). 16-bit mono, 22050 Hz.

Usage: scripts/make-sounds.py [output-directory]   (default: media/ beside
this script's parent directory)."""

import math
import os
import struct
import sys
import wave

RATE = 22050
PEAK = 0.7 * 32767  # leaves headroom; the partials below never sum past 1


def tone(freq, start, length, gain, total):
    """One note with a short attack, exponential decay and a few quiet
    overtones, placed at start seconds inside a buffer of total seconds."""
    out = [0.0] * int(total * RATE)
    first = int(start * RATE)
    count = min(int(length * RATE), len(out) - first)
    attack = int(0.008 * RATE)
    for i in range(count):
        t = i / RATE
        env = min(1.0, i / attack) * math.exp(-t * 5.0)
        s = (math.sin(2 * math.pi * freq * t)
             + 0.30 * math.sin(2 * math.pi * 2 * freq * t)
             + 0.12 * math.sin(2 * math.pi * 3 * freq * t))
        out[first + i] = gain * env * s / 1.42
    return out


def mix(*tracks):
    return [sum(values) for values in zip(*tracks)]


def fade_out(samples, seconds):
    n = min(len(samples), int(seconds * RATE))
    for i in range(n):
        samples[len(samples) - n + i] *= 1.0 - (i + 1) / n
    return samples


def write(path, samples):
    frames = b"".join(
        struct.pack("<h", int(round(max(-1.0, min(1.0, s)) * PEAK))) for s in samples)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def chord():
    total = 0.6
    # C major triad, the upper notes a few milliseconds late like a strum.
    notes = [(261.63, 0.000), (329.63, 0.012), (392.00, 0.024)]
    return fade_out(mix(*[tone(f, s, total, 0.34, total) for f, s in notes]), 0.25)


def chimes():
    total = 0.9
    notes = [(1046.50, 0.00), (783.99, 0.18), (659.25, 0.36)]  # C6, G5, E5, falling
    return fade_out(mix(*[tone(f, s, total - s, 0.45, total) for f, s in notes]), 0.3)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "media")
    os.makedirs(target, exist_ok=True)
    write(os.path.join(target, "chord.wav"), chord())
    write(os.path.join(target, "chimes.wav"), chimes())


if __name__ == "__main__":
    main()
