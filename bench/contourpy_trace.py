#!/usr/bin/python3
"""The peer contouring library, contourpy (Debian python3-contourpy), on the
grids and levels of trace_bench: the default formula, the 3d test function,
uniform noise (the same values: std::mt19937_64 seeded with 42) and that noise
over a thin sector, each 256 x 256 with the 14 levels the program picks.
Prints one line per case and line type: NAME WALL CPU, the medians over the
runs of one contour generator and its 14 levels of the wall-clock time and
of the processor time, in milliseconds (serial: one thread)."""

import math
import statistics
import sys
import time

import contourpy
import numpy as np

SIDE = 256
LEVELS = 14
MASK = (1 << 64) - 1


def mt19937_64(seed):
    """The 64-bit Mersenne twister of the C++ library, value after value."""
    n, m = 312, 156
    state = [seed & MASK]
    for i in range(1, n):
        state.append((6364136223846793005 * (state[-1] ^ (state[-1] >> 62)) + i) & MASK)
    index = n
    while True:
        if index >= n:
            for i in range(n):
                x = (state[i] & 0xFFFFFFFF80000000) | (state[(i + 1) % n] & 0x7FFFFFFF)
                state[i] = state[(i + m) % n] ^ (x >> 1) ^ (0xB5026F5AA96619E9 if x & 1 else 0)
            index = 0
        x = state[index]
        index += 1
        x ^= (x >> 29) & 0x5555555555555555
        x ^= (x << 17) & 0x71D67FFFEDA60000
        x ^= (x << 37) & 0xFFF7EEE000000000
        x ^= x >> 43
        yield x


def uniform_noise(count):
    """std::uniform_real_distribution<double>(0, 1) over mt19937_64(42)."""
    values = []
    for x, _ in zip(mt19937_64(42), range(count)):
        value = float(x) / 2.0**64
        values.append(value if value < 1 else math.nextafter(1.0, 0.0))
    return np.array(values).reshape(SIDE, SIDE)


def coordinates(r_int, r_ext, fi_start=0.0, fi_end=2 * math.pi):
    fi = fi_start + np.arange(SIDE) * ((fi_end - fi_start) / (SIDE - 1))
    r = r_int + np.arange(SIDE) * ((r_ext - r_int) / (SIDE - 1))
    rr, ff = np.meshgrid(r, fi)  # row = angle, column = radius
    return rr * np.cos(ff), rr * np.sin(ff), rr


def levels(z):
    """The midpoints of 14 equal slices of the value range."""
    low, high = float(z.min()), float(z.max())
    mid, half = (high + low) * 0.5, (LEVELS - 1) * (high - low) / LEVELS * 0.5
    step = 2 * half / (LEVELS - 1)
    return [k * step + mid - half for k in range(LEVELS)]


def grids():
    x, y, r = coordinates(1, 2)
    yield "TraceDefaultFormula", x, y, r + np.sqrt((x - 1) * (x - 1))
    x3, y3, r3 = coordinates(0.5, 1)
    yield "TraceTestFunction3d", x3, y3, np.abs(x3 - y3 + 5) + np.sqrt(r3) - np.abs(y3 - 7)
    noise = uniform_noise(SIDE * SIDE)
    yield "TraceNoise", x, y, noise
    sx, sy, _ = coordinates(1, 2, math.pi / 4, math.pi / 4 + 1e-3)
    yield "TraceStrip", sx, sy, noise


def time_case(x, y, z, line_type, runs):
    chosen = levels(z)
    walls, cpus = [], []
    for _ in range(runs):
        start, start_cpu = time.perf_counter(), time.process_time()
        if line_type is None:
            generator = contourpy.contour_generator(x, y, z, name="serial")
        else:
            generator = contourpy.contour_generator(x, y, z, name="serial", line_type=line_type)
        for level in chosen:
            generator.lines(level)
        walls.append(time.perf_counter() - start)
        cpus.append(time.process_time() - start_cpu)
    return statistics.median(walls) * 1000, statistics.median(cpus) * 1000


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 15
    print(f"# contourpy {contourpy.__version__}, numpy {np.__version__}, serial")
    types = {"default": None, "ChunkCombinedOffset": contourpy.LineType.ChunkCombinedOffset}
    for name, x, y, z in grids():
        for type_name, line_type in types.items():
            wall, cpu = time_case(x, y, z, line_type, runs)
            print(f"{name}/{type_name} {wall:.3f} {cpu:.3f}", flush=True)


if __name__ == "__main__":
    main()
