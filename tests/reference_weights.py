#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the reference weights: input texts and result text of each calculator, worked out in IEEE
# doubles (Python's floats) in the order the calculator multiplies. Kept are sizes whose last digit
# another order would change, and a few ordinary ones; then a metre of every table row, and each
# model list in order.  Usage: reference_weights.py OUT
import itertools
import sys

sys.dont_write_bytecode = True  # the tables' module sits in the source tree: no __pycache__ there
from section_rows import TABLES

PI, HEXAGON, STEEL, PLATE, SCALE = 3.14159265358, 3.4641, 0.00000785, 0.000001, 0.001
PICKED = {"dj3": ["20×3", "45×5", "80×7", "140×16", "200×20"],
          "bj3": ["25×16×3", "90×56×7", "100×80×10", "200×125×18"],
          "cg3": ["6.3", "16a", "25b", "40c"], "gg3": ["10", "36a", "55c", "63c"]}
MASSES = {box: {model: TABLES[box][model] for model in models} for box, models in PICKED.items()}

# The calculator's order first, then orders a slip would give: another grouping, the factor
# applied earlier or later, x0.001 as /1000.
def plate(l, w, t, rho):
    v = t * (w * l)
    return [(rho * v) * PLATE, (rho * (w * (l * t))) * PLATE, rho * (v * PLATE), (rho * v) / 1e6]

def round_bar(d, l):
    r = d / 2
    return [(l * ((r * r) * PI)) * STEEL, (l * (r * (r * PI))) * STEEL,
            l * (((r * r) * PI) * STEEL), ((l * (r * r)) * PI) * STEEL]

def square_bar(a, l):
    return [(l * (a * a)) * STEEL, l * ((a * a) * STEEL)]

def hexagon_bar(a, l):
    h = a / 2
    return [(l * (h * (h * HEXAGON))) * STEEL, (l * ((h * h) * HEXAGON)) * STEEL,
            l * ((h * (h * HEXAGON)) * STEEL)]

def section(mass, l):
    return [(l * mass) * SCALE, l * (mass * SCALE), (l * mass) / 1000, (l * SCALE) * mass]

def text(x):  # Write number: at most 15 significant digits, no trailing zeros, E, -0 as 0
    return ("%.15g" % (x + 0.0)).replace("e", "E")

def mm(x):  # a size to 0.1 micrometre: exact for whole 1/16 inches and feet
    return ("%.4f" % x).rstrip("0").rstrip(".")

INCHES = [mm(k * 25.4 / 16) for k in range(1, 161)]
# 1 to 12 m cut into n pieces, each length as a calculator shows it; its 15 digits are what let
# the order of the products show in a plate or section weight.
PIECES = [text(m / n) for m in (1000, 1500, 2000, 3000, 6000, 9000, 12000) for n in range(3, 25)]
LENGTHS = [str(n) for n in range(100, 12001, 100)] + [mm(n * 304.8) for n in range(1, 41)] + PIECES
SIZES = [[str(n) for n in range(1, 251)] + INCHES, LENGTHS]
GRIDS = [(plate, "jieguo1", [["1000", "1220", "1500", "2000", "2440", "6000"] + PIECES[::7],
                             ["200", "500", "1000", "1220", "1250", "1500", "1219.2"],
                             ["1", "2", "3", "5", "6", "8", "10", "12", "16", "20"] + INCHES[:16],
                             ["7.8", "7.85", "7.87", "7.9", "7.93", "8.9", "2.7"]]),
         (round_bar, "yuan3", SIZES), (square_bar, "fang3", SIZES), (hexagon_bar, "liu3", SIZES)]
GRIDS += [(section, box, [list(masses), LENGTHS]) for box, masses in MASSES.items()]

def cases(weigh, box, grid):
    """Up to 8 cases that each other order changes, and the first 3 that no order changes."""
    points = list(itertools.product(*grid))
    assert len(points) % 7919  # so the prime stride walks every point once, spread over the grid
    changed, ordinary = [0] * 3, 0
    for i in range(len(points)):
        inputs = points[i * 7919 % len(points)]
        numbers = [MASSES.get(box, {}).get(x) or float(x) for x in inputs]  # a model: its mass
        texts = [text(w) for w in weigh(*numbers)]
        wanted = [j for j, t in enumerate(texts[1:]) if t != texts[0] and changed[j] < 8]
        if wanted or (ordinary < 3 and len(set(texts)) == 1):
            ordinary += not wanted
            for j in wanted:
                changed[j] += 1
            yield " ".join([box, *inputs, texts[0]]) + "\n"

with open(sys.argv[1], "w", encoding="utf-8") as out:
    out.write("# SPDX-License-Identifier: GPL-3.0-or-later\n# Made by reference_weights.py: "
              "result box, input texts in reading order, result text;\n# or list, a model combo "
              "and its items in order.\n")
    for grid in GRIDS:
        out.writelines(cases(*grid))
    for box, table in TABLES.items():
        out.writelines(f"{box} {model} 1000 {text(section(mass, 1000)[0])}\n"
                       for model, mass in table.items())
        out.write(" ".join(["list", box[:-1] + "1", *table]) + "\n")
