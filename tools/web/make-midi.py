#!/usr/bin/env python3
"""Writes a short MIDI tune (format 0, one track, a pentatonic melody with a bass line)."""
import struct
import sys

TICKS = 240  # per quarter note


def var_len(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.insert(0, (n & 0x7F) | 0x80)
        n >>= 7
    return bytes(out)


def main(path):
    melody = [67, 69, 72, 74, 76, 74, 72, 69, 67, 64, 67, 69, 72, 69, 67, 64,
              62, 64, 67, 69, 67, 64, 62, 60, 62, 64, 67, 64, 62, 60, 62, 60]
    bass = [48, 43, 45, 40, 48, 43, 45, 40]
    events = []  # (tick, bytes)
    events.append((0, b"\xff\x51\x03" + (500000).to_bytes(3, "big")))  # 120 bpm
    events.append((0, b"\xc0\x49"))  # flute
    events.append((0, b"\xc1\x20"))  # acoustic bass
    for repeat in range(8):
        base = repeat * len(melody) * TICKS
        for i, note in enumerate(melody):
            t = base + i * TICKS
            events.append((t, bytes([0x90, note, 90])))
            events.append((t + TICKS - 20, bytes([0x80, note, 0])))
        for i in range(len(melody) // 4):
            note = bass[i % len(bass)]
            t = base + i * 4 * TICKS
            events.append((t, bytes([0x91, note, 70])))
            events.append((t + 4 * TICKS - 40, bytes([0x81, note, 0])))
    events.sort(key=lambda e: (e[0], e[1][0] & 0xF0 != 0x80))
    track = bytearray()
    last = 0
    for tick, data in events:
        track += var_len(tick - last) + data
        last = tick
    track += b"\x00\xff\x2f\x00"
    with open(path, "wb") as f:
        f.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, TICKS))
        f.write(b"MTrk" + struct.pack(">I", len(track)) + bytes(track))


if __name__ == "__main__":
    main(sys.argv[1])
