#!/usr/bin/env python3
"""Writes the fuzzer's seed task files (committed; rerun only to change them)."""
import os
import struct
import sys

def record(mode, action, next_run, param, state=1, text="", note="", rid=0, warn=30):
    head = struct.pack("<10i", rid, mode, action, next_run - 60, next_run, param, 0, warn,
                       next_run - 60, state)
    def units(s):
        raw = s.encode("utf-16-le")[:238]
        return raw + b"\0" * (240 - len(raw))
    return head + units(note) + units(text)

out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "tests", "fuzz", "corpus")
os.makedirs(out, exist_ok=True)
t = 1796000000
seeds = {
    "empty": b"",
    "every_mode": b"".join(record(m, m % 9, t + 3600 * m, p) for m, p in
                            [(1, 0), (2, 3), (3, 17), (4, 31), (5, 229), (6, 90), (7, 10), (8, 30)]),
    "three_and_stray": b"".join(record(1, 0, t + i, 0, rid=7) for i in range(3)) + b"\xab" * 100,
    "texts": record(7, 7, t, 0, text="http://127.0.0.1/日程😀") + record(8, 8, t, 5, text="提醒" * 70),
    "unterminated": record(8, 8, t, 5, text="x" * 120, note="n" * 120),
    "invalid_params": b"".join(record(m, 0, t, p) for m, p in
                                [(2, 0), (6, -5), (4, 32), (5, 1301), (3, 0), (9, 1), (0, 0), (7, -1)]),
    "stopped_and_past": record(1, 0, t - 100, 0, state=0) + record(8, 1, t - 100, 30) + record(2, 2, t - 86400 * 9, 3),
}
for name, data in seeds.items():
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
