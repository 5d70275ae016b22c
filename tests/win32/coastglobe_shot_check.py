#!/usr/bin/env python3
"""Checks screenshots of coastglobe's 800 x 600 client area.

frame SHOT       the starting view, whole: rim blue, seas blue, land green
differs A B      the two pictures differ
"""
import math
import subprocess
import sys

W, H = 800, 600
REFERENCE = {"black": (0, 0, 0), "blue": (0, 0, 255), "green": (0, 128, 0),
             "light green": (144, 238, 144)}
SEEDS = [(-20, 0), (120, 0), (60, 0), (20, 35), (36, 42), (49, 44), (60, 45),
         (40, 18), (54, 25), (33, -1), (19, 56), (36, 66), (114, 15), (32, 43)]
INLAND = [(15, 22), (22, -3), (22, -23), (45, 55), (45, 22)]


def load(path):
    raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                         capture_output=True).stdout
    if len(raw) != W * H * 3:
        sys.exit(f"{path}: not an {W} x {H} picture")
    return raw


def kind(raw, x, y):
    i = 3 * (y * W + x)
    p = raw[i:i + 3]
    return min(REFERENCE, key=lambda k: sum((a - b) ** 2 for a, b in zip(p, REFERENCE[k])))


def project(lon, lat, turn=27.0, tilt=0.0, radius=180):
    a, b = turn / 180.0 * math.pi, tilt / 180.0 * math.pi
    lam, phi = lon / 180.0 * math.pi, lat / 180.0 * math.pi
    x, y, z = math.cos(phi) * math.cos(lam), math.cos(phi) * math.sin(lam), math.sin(phi)
    u = -x * math.sin(a) + y * math.cos(a)
    v = -x * math.sin(b) * math.cos(a) - y * math.sin(b) * math.sin(a) + z * math.cos(b)
    w = x * math.cos(b) * math.cos(a) + y * math.cos(b) * math.sin(a) + z * math.sin(b)
    # round() goes to the even neighbour on halves, as the program does.
    return round(799 / 2.0 + u * radius), round(599 / 2.0 - v * radius), w


def frame(path):
    raw = load(path)
    problems = []
    for i, (lon, lat) in enumerate(SEEDS, 1):
        x, y, w = project(lon, lat)
        if w >= 0 and kind(raw, x, y) != "blue":
            problems.append(f"seed {i} at ({x}, {y}) is {kind(raw, x, y)}")
    for lon, lat in INLAND:
        x, y, w = project(lon, lat)
        if w > 0.3 and kind(raw, x, y) != "green":
            problems.append(f"land at {lon}, {lat} ({x}, {y}) is {kind(raw, x, y)}")
    for degrees in range(0, 360, 15):
        t = math.radians(degrees)
        x, y = 399 + round(181 * math.cos(t)), 299 - round(181 * math.sin(t))
        near = {kind(raw, x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1)}
        if "blue" not in near:
            problems.append(f"rim at {degrees} degrees: {sorted(near)}")
    if kind(raw, 0, 0) != "black":
        problems.append("the corner is not black")
    for p in problems:
        print(f"{path}: {p}")
    return not problems


def differs(a, b):
    ra, rb = load(a), load(b)
    changed = sum(1 for i in range(0, len(ra), 3) if ra[i:i + 3] != rb[i:i + 3])
    if changed < 1000:
        print(f"{a} and {b} differ in only {changed} pixels")
    return changed >= 1000


if __name__ == "__main__":
    ok = frame(sys.argv[2]) if sys.argv[1] == "frame" else differs(sys.argv[2], sys.argv[3])
    sys.exit(0 if ok else 1)
