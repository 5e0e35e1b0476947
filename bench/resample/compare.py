#!/usr/bin/python3
"""ResampleImage ("Lanczos3") beside Pillow's Image.resize with LANCZOS, same pictures,
same sizes, same run. Prints each time and the ratio ours / Pillow (below 1: we are faster).

    /usr/bin/python3 bench/resample/compare.py build/native/bench/resample/resample_bench
"""
import json
import statistics
import subprocess
import sys
import time

from PIL import Image

REPEATS = 15


def barcode_image(width, height, module):
    # The same picture as barcode_image.h draws.
    row = bytearray(width * 3)
    x, black, px = 1, True, 0
    while px < width:
        x = (x * 1103515245 + 12345) & 0x7FFFFFFF
        bar = (1 + (x >> 16) % 4) * module
        for _ in range(bar):
            if px >= width:
                break
            row[px * 3:px * 3 + 3] = b"\x00\x00\x00" if black else b"\xff\xff\xff"
            px += 1
        black = not black
    return Image.frombytes("RGB", (width, height), bytes(row) * height)


def pillow_ms(src, size):
    times = []
    for _ in range(REPEATS):
        start = time.perf_counter()
        src.resize(size, Image.LANCZOS)
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times)


def ours_ms(bench):
    out = subprocess.run([bench, "--benchmark_format=json", "--benchmark_repetitions=%d" % REPEATS,
                          "--benchmark_report_aggregates_only=true"],
                         check=True, capture_output=True, text=True).stdout
    result = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            assert b["time_unit"] == "ms"
            result[b["run_name"]] = b["real_time"]
    return result


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    ours = ours_ms(sys.argv[1])
    cases = [
        ("BM_Jan40x25mmAt300Dpi", "JAN 135x61 -> 40x25mm@300", barcode_image(135, 61, 1), (472, 295)),
        ("BM_Jan40x25mmAt600Dpi", "JAN 135x61 -> 40x25mm@600", barcode_image(135, 61, 1), (945, 590)),
        ("BM_Enlarge400x120To4000x1200", "enlarge 400x120 -> 4000x1200", barcode_image(400, 120, 1), (4000, 1200)),
        ("BM_Shrink4000x1200To400x120", "shrink 4000x1200 -> 400x120", barcode_image(4000, 1200, 10), (400, 120)),
    ]
    print("%-30s %12s %12s %8s" % ("Lanczos3, median of %d" % REPEATS, "ours ms", "Pillow ms", "ratio"))
    for name, label, src, size in cases:
        theirs = pillow_ms(src, size)
        print("%-30s %12.2f %12.2f %8.2f" % (label, ours[name], theirs, ours[name] / theirs))


if __name__ == "__main__":
    main()
