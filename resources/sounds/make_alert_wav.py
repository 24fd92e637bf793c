#!/usr/bin/env python3
"""Writes the snap alert: a short two-note chime, PCM mono 11025 Hz, 8-bit, 5090 samples.

The file is a RIFF/WAVE of 5136 bytes with an 18-byte "fmt " chunk (cbSize 0) and one "data"
chunk. The output is deterministic, so running the script again reproduces the committed file.
Usage: make_alert_wav.py [output.wav]
"""
import math
import struct
import sys

RATE = 11025
SAMPLES = 5090


def sample(i: int) -> float:
    t = i / RATE
    # First note E6 for 70 ms, then A6 ringing out; a 3 ms attack keeps the start click-free.
    if t < 0.07:
        freq, start, decay = 1318.51, 0.0, 30.0
    else:
        freq, start, decay = 1760.0, 0.07, 9.0
    local = t - start
    attack = min(1.0, local / 0.003)
    # Fade the last 20 ms to silence so the sound ends without a click.
    tail = min(1.0, (SAMPLES - 1 - i) / (0.02 * RATE))
    envelope = attack * math.exp(-decay * local) * tail
    tone = math.sin(2 * math.pi * freq * t) + 0.25 * math.sin(4 * math.pi * freq * t)
    return 0.7 * envelope * tone / 1.25


def main() -> None:
    out = sys.argv[1] if len(sys.argv) > 1 else "CUSTOM101.wav"
    data = bytes(max(0, min(255, 128 + round(127 * sample(i)))) for i in range(SAMPLES))
    fmt = struct.pack("<HHIIHHH", 1, 1, RATE, RATE, 1, 8, 0)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(data)) + data
    with open(out, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)


if __name__ == "__main__":
    main()
