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


def main():
    output = pathlib.Path(sys.argv[1])
    text = [
        "// Made by geometry/ratings/make_tables.py from the published tables beside it.",
        '#include "published_tables.h"',
        "",
        "namespace geometry::published {",
        "",
        "namespace {",
        "constexpr TensionRow tensionRowsData[] = {",
        *tension_rows(),
        "};",
        "} // namespace",
        "",
        "const std::span<const TensionRow> tensionRows = tensionRowsData;",
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
