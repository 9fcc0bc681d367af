#!/usr/bin/env python3
"""The Python module's encode_array on a million random positions, on one core:
positions a second by the median of seven runs (the C++ batch's own figure is
round_trip_bench's, printed before this by scripts/bench).

  PYTHONPATH=build/release/python python3 bench/python_bench.py
"""

import os
import statistics
import time

import numpy as np

import quorvel

os.sched_setaffinity(0, {int(os.environ.get("QV_BENCH_CORE", "1")) % os.cpu_count()})
rng = np.random.default_rng(20261210)
n = 1_000_000
lats = np.degrees(np.arcsin(rng.uniform(-1, 1, n)))
lons = rng.uniform(-180, 180, n)
times = []
for _ in range(7):
    start = time.perf_counter()
    result = quorvel.encode_array(lats, lons)
    times.append(time.perf_counter() - start)
median = statistics.median(times)
print(f"quorvel.encode_array: {n} positions in {median:.3f} s (median of 7): {n / median / 1e6:.2f} M positions/s "
      f"(target 4); {int((result['error'] != 0).sum())} failed")
