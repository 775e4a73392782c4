#!/usr/bin/env python3
"""Turns the published tables beside this script into the C++ grids of published_tables.h.

Run by the build: make_tables.py OUTPUT.cpp. Standard library only, so that any build of the
library, the browser's too, can run it.
"""

import csv
import math
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent

# The sections of the tension tables, as the program names their profiles.
SECTIONS = {
    "5M GT3": "5GT", "5 mm GT3": "5GT", "8M GT3": "8GT", "14M GT3": "14GT",
    "5M HTD": "5M", "5 mm HTD": "5M", "3 mm HTD": "3M",
    "2 mm GT3": "2GT", "3 mm GT3": "3GT",
    "MXL": "MXL", "XL": "XL", "L": "L", "H": "H", "XH": "XH", "XXH": "XXH",
    "T2.5": "T2.5", "T5": "T5", "T10": "T10",
}


def millimetres(width):
    """A printed width, "9 mm", "3/8 in" or "1-1/2 in", in mm."""
    number, unit = width.split()
    if unit == "mm":
        return float(number)
    whole, _, fraction = number.rpartition("-") if "-" in number else ("0", "", number)
    numerator, _, denominator = fraction.partition("/")
    inches = float(whole) + float(numerator) / float(denominator or 1)
    return inches * 25.4


def literal(value):
    text = repr(float(value))
    return text if "e" in text or "." in text else text + ".0"


def tension_rows():
    rows = []
    with open(HERE / "tension-constants.csv", newline="", encoding="utf-8") as file:
        for row in csv.DictReader(file):
            profile = SECTIONS.get(row["section"])
            if profile is None:
                continue  # a section the program has no profile for
            mass = row["M_lbf_per_(kft/min)^2"]
            rows.append((row["table"] == "Table 3", profile, millimetres(row["width"]),
                         float(mass) if mass else 0.0, float(row["Y_lbf"]),
                         float(row["min_Tst_lbf_per_span"])))
    # The belt maker's rows first: where both list a belt, its row is the one read.
    rows.sort(key=lambda r: not r[0])
    lines = []
    for belt_maker, profile, width, mass, stiffness, least in rows:
        lines.append(f'    {{"{profile}", {literal(width)}, {literal(mass)}, {literal(stiffness)}, '
                     f'{literal(least)}, {"true" if belt_maker else "false"}}},')
    return lines


# What each printed unit is in the library's: N·m for torque, W for power.
UNITS = {"lbfin": (True, 0.1129848290276167), "ozfin": (True, 0.0070615518142260),
         "Nm": (True, 1.0), "hp": (False, 745.69987158227022), "kW": (False, 1000.0)}

NOTES = {"reduced-life": "reducedLife", "use-only-if-required": "onlyIfRequired",
         "over-6500fpm": "specialPulleys", "noise-range": "noise"}

# The belt lines the program rates, each with the tables it reads: one base table with the
# printed width multipliers, or one table per width. The lbf·in printings have at least the
# digits of their N·m twins in every cell; the twins stay beside them to spot misprints.
LINES = [
    ("2GT", "", ["gt2-2mm-6mm-torque-lbfin"], "gt2-2mm-6mm-torque-lbfin", False),
    ("3GT", "", ["gt2-3mm-6mm-torque-lbfin"], "gt2-3mm-6mm-torque-lbfin", False),
    ("5GT", "GT3", ["gt3-5m-9mm-power-hp", "gt3-5m-15mm-power-hp", "gt3-5m-25mm-power-hp"],
     "gt3-5m-*", False),
    ("5GT", "GT2", ["gt2-5mm-15mm-torque-lbfin"], "gt2-5mm-15mm-torque-lbfin", False),
    ("3M", "", ["htd-3m-6mm-torque-lbfin"], "htd-3m-6mm-torque-lbfin", False),
    ("5M", "", ["htd-5m-9mm-torque-lbfin"], "htd-5m-9mm-torque-lbfin", False),
    ("T5", "", ["t5-10mm-power-hp"], None, False),
    ("T10", "", ["t10-10mm-power-hp"], None, False),
    ("8GT", "gomma", [f"gt3-8m-{w}mm-power-hp" for w in (12, 20, 30, 50, 85)], "gt3-8m-*", False),
    ("8GT", "PU", [f"pu-gt2-8m-{w}mm-power-hp" for w in (12, 21, 36, 62)], "pu-gt2-8m-*", True),
    ("8GT", "PU", [f"pu-gt-8m-short-{w}mm-power-hp" for w in (12, 21, 36)], "pu-gt-8m-short-*",
     True),
    ("14GT", "gomma", [f"gt3-14m-{w}mm-power-hp" for w in (40, 55, 85, 115, 170)], "gt3-14m-*",
     False),
    ("14GT", "PU", [f"pu-gt2-14m-{w}mm-power-hp" for w in (20, 37, 68, 90, 125)], "pu-gt2-14m-*",
     True),
]

# The other printings of the same cells, read to spot misprints.
TWINS = {
    "gt2-2mm-6mm-torque-lbfin": ["gt2-2mm-6mm-torque-Nm"],
    "gt2-3mm-6mm-torque-lbfin": ["gt2-3mm-6mm-torque-Nm"],
    "gt2-5mm-15mm-torque-lbfin": ["gt2-5mm-15mm-torque-Nm", "gt2-5mm-15mm-power-hp",
                                  "gt2-5mm-15mm-power-kW"],
    "htd-3m-6mm-torque-lbfin": ["htd-3m-6mm-torque-Nm"],
    "htd-5m-9mm-torque-lbfin": ["htd-5m-9mm-torque-Nm"],
}


def read(name):
    with open(HERE / f"{name}.csv", newline="", encoding="utf-8") as file:
        return list(csv.DictReader(file))


def unit_of(name):
    return UNITS[name.rsplit("-", 1)[1]]


def base_width(name):
    for part in name.split("-"):
        if part.endswith("mm") and part[:-2].replace(".", "").isdigit():
            return float(part[:-2])
    raise ValueError(name)


def half_digit(text):
    decimals = len(text.partition(".")[2])
    # A pulley maker prints its torques of 100 or more to four figures, padded with a zero.
    if decimals and len(text.replace(".", "").lstrip("0")) > 4 and text.endswith("0"):
        decimals -= 1
    return 0.5 * 10.0 ** -decimals


def si(name, value, rpm):
    """A printed value in N·m, the torque of a power at that rpm for a power table."""
    torque, unit = unit_of(name)
    return value * unit if torque else value * unit / (rpm * 2 * math.pi / 60)


def misprints():
    return {(row["table"], int(row["grooves"]), row["rpm"], row["twin"]): row
            for row in read("misprints")}


def cells_of(name, corrections):
    """The printed cells, {(grooves, rpm text): value}, with each listed misprint replaced."""
    cells = {(int(r["grooves"]), r["rpm"]): r["value"] for r in read(name)}
    for twin in TWINS.get(name, []):
        for row in read(twin):
            key = (int(row["grooves"]), row["rpm"])
            rpm = float(row["rpm"])
            mine, theirs = cells[key], row["value"]
            low = lambda n, t, sign: si(n, float(t) + sign * half_digit(t), rpm)
            apart = low(name, mine, -1) > low(twin, theirs, +1) or \
                low(twin, theirs, -1) > low(name, mine, +1)
            listed = corrections.get((name, key[0], key[1], twin))
            if apart and listed is None:
                sys.exit(f"{name} and {twin} disagree at {key}: {mine} and {theirs}; "
                         "list the misprint in misprints.csv")
            if listed and listed["misprinted"] == "table" and mine == listed["printed"]:
                torque, unit = unit_of(name)
                value = si(twin, float(theirs), rpm) / unit
                cells[key] = repr(value if torque else value * (rpm * 2 * math.pi / 60))
    return cells


def grid(name, corrections, notes, added):
    cells = cells_of(name, corrections)
    grooves = sorted({g for g, _ in cells})
    rpms = sorted({r for _, r in cells}, key=float)
    values = [cells.get((g, r)) for r in rpms for g in grooves]
    ident = name.replace("-", "_").replace(".", "_")
    torque, unit = unit_of(name)
    out = [f"constexpr short {ident}_grooves[] = {{{', '.join(map(str, grooves))}}};",
           f"constexpr double {ident}_rpm[] = {{{', '.join(literal(r) for r in rpms)}}};",
           f"constexpr float {ident}_cells[] = {{"
           + ", ".join("blank" if v is None else v + "f" if "." in v else v + ".0f"
                       for v in values) + "};"]
    marks = notes.get(name, {})
    if marks:
        out.append(f"constexpr CellNote {ident}_notes[] = {{"
                   + ", ".join("CellNote::" + marks.get((g, r), "none")
                               for r in rpms for g in grooves) + "};")
    bands = []
    if added:
        rows = read(name.replace("-power-hp", "-speedratio-added-hp"))
        bands = sorted({(row["ratio_from"], row["ratio_to"]) for row in rows},
                       key=lambda band: float(band[0]))
        by = {(row["ratio_from"], row["rpm"]): row["value"] for row in rows}
        if sorted({row["rpm"] for row in rows}, key=float) != rpms:
            sys.exit(f"{name}: the speed-ratio rows are not the table's")
        out.append(f"constexpr double {ident}_bands[] = {{"
                   + ", ".join(literal(b[0]) for b in bands) + "};")
        out.append(f"constexpr float {ident}_added[] = {{"
                   + ", ".join(by[(b[0], r)] + "f" for r in rpms for b in bands) + "};")
    out.append(
        f"constexpr Grid {ident}{{\"{name}\", {literal(base_width(name))}, "
        f"{'true' if torque else 'false'}, {literal(unit)}, {ident}_grooves, {ident}_rpm, "
        f"{ident}_cells, {ident + '_notes' if marks else '{}'}, "
        f"{ident + '_bands' if bands else '{}'}, {ident + '_added' if bands else '{}'}}};")
    return ident, out


def rating_lines():
    corrections = misprints()
    notes = {}
    for row in read("cell-notes"):
        notes.setdefault(row["table"], {})[(int(row["grooves"]), row["rpm"])] = \
            NOTES[row["note"]]
    widths = {}
    for row in read("width-factors"):
        widths.setdefault(row["table"], []).append((float(row["width_mm"]), row["factor"]))
    lengths = {}
    for row in read("length-factors"):
        lengths.setdefault(row["table"], []).append(
            (int(row["teeth_from"]), int(row["teeth_to"] or 0), row["factor"]))
    out, entries = [], []
    for number, (profile, line, files, length_key, added) in enumerate(LINES):
        idents = []
        for name in files:
            ident, text = grid(name, corrections, notes, added)
            idents.append(ident)
            out += text
        out.append(f"constexpr Grid line{number}_grids[] = {{{', '.join(idents)}}};")
        factors = widths.get(files[0], []) if len(files) == 1 else []
        if factors:
            out.append(f"constexpr WidthFactor line{number}_widths[] = {{"
                       + ", ".join(f"{{{literal(w)}, {f}}}" for w, f in factors) + "};")
        listed = sorted(lengths.get(length_key, [])) if length_key else []
        if listed:
            out.append(f"constexpr LengthFactor line{number}_lengths[] = {{"
                       + ", ".join(f"{{{a}, {b}, {f}}}" for a, b, f in listed) + "};")
        entries.append(f'    {{"{profile}", "{line}", line{number}_grids, '
                       f"{f'line{number}_widths' if factors else '{}'}, "
                       f"{f'line{number}_lengths' if listed else '{}'}}},")
    return out, entries


def main():
    output = pathlib.Path(sys.argv[1])
    grids, entries = rating_lines()
    text = [
        "// Made by geometry/ratings/make_tables.py from the published tables beside it.",
        '#include "published_tables.h"',
        "",
        "#include <limits>",
        "",
        "namespace geometry::published {",
        "",
        "namespace {",
        "constexpr float blank = std::numeric_limits<float>::quiet_NaN();",
        "constexpr TensionRow tensionRowsData[] = {",
        *tension_rows(),
        "};",
        *grids,
        "constexpr BeltLine beltLinesData[] = {",
        *entries,
        "};",
        "} // namespace",
        "",
        "const std::span<const TensionRow> tensionRows = tensionRowsData;",
        "const std::span<const BeltLine> beltLines = beltLinesData;",
        "",
        "} // namespace geometry::published",
        "",
    ]
    content = "\n".join(text)
    # Unchanged output keeps its time, so that nothing rebuilds for nothing.
    if not output.exists() or output.read_text(encoding="utf-8") != content:
        output.write_text(content, encoding="utf-8")


if __name__ == "__main__":
    main()
