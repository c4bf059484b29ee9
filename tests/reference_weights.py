#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the reference weights: input texts and the result text of each calculator, worked out in
# IEEE doubles (Python's floats) in the order the calculator multiplies. Kept are sizes whose last
# digit another order would change, and a few ordinary ones.  Usage: reference_weights.py OUT
import itertools
import sys

PI, HEXAGON, STEEL, PLATE, SCALE = 3.14159265358, 3.4641, 0.00000785, 0.000001, 0.001
# Unit masses, kg/m, of some rows of each printed table, by the frame's result box.
MASSES = {
    "dj3": {"20×3": 0.889, "45×5": 3.369, "80×7": 8.525, "140×16": 33.393, "200×20": 60.056},
    "bj3": {"25×16×3": 0.912, "90×56×7": 7.756, "100×80×10": 13.476, "200×125×18": 43.588},
    "cg3": {"6.3": 6.634, "16a": 17.24, "25b": 31.335, "40c": 71.488},
    "gg3": {"10": 11.261, "36a": 60.037, "55c": 122.605, "63c": 141.189},
}

# Each calculator's order first, then orders a slip would give: another grouping, the factor
# applied earlier or later, x0.001 as /1000.
def plate(l, w, t, rho):
    v = t * (w * l)
    return [(rho * v) * PLATE, (rho * (w * (l * t))) * PLATE, rho * (v * PLATE), (rho * v) / 1e6]

def round_bar(d, l):
    r = d / 2
    q = (r * r) * PI
    return [(l * q) * STEEL, (l * (r * (r * PI))) * STEEL, l * (q * STEEL),
            ((l * (r * r)) * PI) * STEEL]

def square_bar(a, l):
    return [(l * (a * a)) * STEEL, l * ((a * a) * STEEL)]

def hexagon_bar(a, l):
    k = (a / 2) * ((a / 2) * HEXAGON)
    return [(l * k) * STEEL, (l * (((a / 2) * (a / 2)) * HEXAGON)) * STEEL, l * (k * STEEL)]

def section(mass, l):
    return [(l * mass) * SCALE, l * (mass * SCALE), (l * mass) / 1000, (l * SCALE) * mass]

def text(x):  # at most 15 significant digits, no trailing zeros, E exponent, -0 as 0
    return ("%.15g" % (x + 0.0)).replace("e", "E")

def plain(x):  # mm to four decimals: exact for a whole number of 1/16 inch
    return ("%.4f" % x).rstrip("0").rstrip(".")

INCHES = [plain(k * 25.4 / 16) for k in range(1, 161)]
SIZES = [str(n) for n in range(1, 251)] + INCHES
# A piece of 1 to 12 m cut into n equal pieces, its length copied from a calculator.
PIECES = [text(whole / n) for whole in (1000, 1500, 2000, 3000, 6000, 9000, 12000)
          for n in range(3, 25)]
LENGTHS = [str(n) for n in range(100, 12001, 100)] + [plain(n * 304.8) for n in range(1, 41)]
GRIDS = [
    ("jieguo1", plate, [["1000", "1220", "1250", "1500", "2000", "2440", "6000", "2438.4"]
                        + PIECES[::7], ["200", "500", "1000", "1220", "1250", "1500", "1219.2"],
                        ["1", "1.5", "2", "3", "5", "6", "8", "10", "12", "16", "20", "25"]
                        + INCHES[:16], ["7.8", "7.85", "7.87", "7.9", "7.93", "8.9", "2.7"]]),
    ("yuan3", round_bar, [SIZES, LENGTHS + PIECES]),
    ("fang3", square_bar, [SIZES, LENGTHS + PIECES]),
    ("liu3", hexagon_bar, [SIZES, LENGTHS + PIECES]),
] + [(box, section, [list(masses), LENGTHS + PIECES]) for box, masses in MASSES.items()]

def cases(box, weigh, grid):
    """Up to 8 cases that each other order changes, and the first 3 that no order changes."""
    points = list(itertools.product(*grid))
    assert len(points) % 7919  # a prime stride walks every point once, spread over the grid
    changed, ordinary = [0] * 3, 0
    for i in range(len(points)):
        inputs = points[i * 7919 % len(points)]
        texts = [text(w) for w in weigh(*[MASSES.get(box, {}).get(x) or float(x) for x in inputs])]
        wanted = [j for j, t in enumerate(texts[1:]) if t != texts[0] and changed[j] < 8]
        if wanted or (ordinary < 3 and len(set(texts)) == 1):
            ordinary += not wanted
            for j in wanted:
                changed[j] += 1
            yield " ".join([box, *inputs, texts[0]]) + "\n"

with open(sys.argv[1], "w", encoding="utf-8") as out:
    out.write("# SPDX-License-Identifier: GPL-3.0-or-later\n# Made by reference_weights.py: "
              "result box, input texts in reading order, result text.\n")
    for grid in GRIDS:
        out.writelines(cases(*grid))
