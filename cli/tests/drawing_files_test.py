#!/usr/bin/python3
"""The drawings of the real program read back by independent readers: SVG by Python's XML
parser, DXF by ezdxf. Checked in each file's own coordinates against the drive solved here
another way: the centres are the true distance apart, every circle has its radius, each span
touches both pitch circles, and the pitch line is as long as the belt."""
import math
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

import ezdxf

program = sys.argv[1]
# larger, smaller, belt code, profile, pitch mm, pitch-line offset mm, belt teeth
drives = [
    (36, 14, "150", "XL", 5.08, 0.254, 75),  # the worked example
    (21, 20, "100", "XL", 5.08, 0.254, 50),  # a ratio near 1
    (60, 12, "1000", "5M", 5.0, 0.5715, 200),  # a large ratio
    (20, 20, "120", "XL", 5.08, 0.254, 60),  # equal pulleys
]
# How each layer is drawn: the belt heavy and red, the pitch circles blue, the rest thin; in
# SVG its stroke and width in mm, in DXF its colour number (1 red, 5 blue, 8 grey, 7 black).
styles = {
    "CIRCONFERENZE_PRIMITIVE": ("#0050a0", 0.25, 5),
    "CIRCONFERENZE_ESTERNE": ("#808080", 0.18, 8),
    "CINGHIA": ("#c00000", 0.5, 1),
    "CENTRI": ("#000000", 0.18, 7),
    "QUOTA": ("#000000", 0.18, 7),
}
failures = []


def check(what, got, expected, within):
    if not abs(got - expected) <= within:
        failures.append(f"{what}: {got!r}, not {expected!r}")


def true_distance(large, small, length):
    """The belt wrapped on both pitch circles, solved for the centre distance by bisection."""
    d = large - small
    def wrapped(c):
        return 2 * math.sqrt(c * c - d * d) + math.pi * (large + small) + 2 * d * math.asin(d / c)
    if d == 0:
        return (length - 2 * math.pi * large) / 2
    low, high = d, d + length
    for _ in range(200):
        middle = (low + high) / 2
        low, high = (middle, high) if wrapped(middle) < length else (low, middle)
    return (low + high) / 2


def check_drawing(name, circles, spans, arcs, drive):
    larger, smaller, _, _, pitch, offset, teeth = drive
    large, small = larger * pitch / (2 * math.pi), smaller * pitch / (2 * math.pi)
    pitch_circles = sorted((c for c in circles if c[1] in (0, 1)), key=lambda c: c[0][0])
    outside = sorted((c for c in circles if c[1] == 2), key=lambda c: c[0][0])
    (left, _, r1), (right, _, r2) = pitch_circles
    distance = math.dist(left, right)
    check(f"{name}: centre distance", distance, true_distance(large, small, teeth * pitch), 1e-9)
    check(f"{name}: larger pitch radius", r1, large, 1e-9)
    check(f"{name}: smaller pitch radius", r2, small, 1e-9)
    check(f"{name}: larger outside radius", outside[0][2], large - offset, 1e-9)
    check(f"{name}: smaller outside radius", outside[1][2], small - offset, 1e-9)
    length = 0
    for start, end in spans:
        for centre, radius in ((left, r1), (right, r2)):
            # The distance of the centre from the span's line: it touches the circle.
            (x1, y1), (x2, y2) = start, end
            away = abs((x2 - x1) * (y1 - centre[1]) - (x1 - centre[0]) * (y2 - y1)) / math.dist(start, end)
            check(f"{name}: a span from a centre", away, radius, 1e-6)
        length += math.dist(start, end)
    for radius, angle in arcs:
        length += radius * math.radians(angle)
    check(f"{name}: pitch line", length, teeth * pitch, 1e-6)
    return distance


with tempfile.TemporaryDirectory() as folder:
    for drive in drives:
        larger, smaller, code, profile = drive[:4]
        name = f"{larger}/{smaller} on {code} {profile}"
        svg, dxf = f"{folder}/drive.svg", f"{folder}/drive.dxf"
        subprocess.run([program, str(larger), str(smaller), code, "-p", profile, "--svg", svg,
                        "--dxf", dxf], check=True, stdout=subprocess.DEVNULL,
                       env={"LC_ALL": "C.UTF-8"})

        # SVG: y grows downwards; width, height and view box in millimetres.
        root = ET.parse(svg).getroot()
        ns = {"svg": "http://www.w3.org/2000/svg"}
        view = [float(v) for v in root.get("viewBox").split()]
        check(f"{name}: SVG width in mm", float(root.get("width").removesuffix("mm")), view[2], 0)
        check(f"{name}: SVG height in mm", float(root.get("height").removesuffix("mm")), view[3], 0)
        layer = {g.get("id"): g for g in root.findall("svg:g", ns)}
        for kind, (colour, width, _) in styles.items():
            drawn = (layer[kind].get("stroke"), float(layer[kind].get("stroke-width")))
            if drawn != (colour, width):
                failures.append(f"{name} SVG: {kind} drawn in {drawn}, not {(colour, width)}")
        if layer["TESTI"].get("text-anchor") != "middle":
            failures.append(f"{name} SVG: labels not centred on their points")
        circles = []
        for kind, group in enumerate(("CIRCONFERENZE_PRIMITIVE", "CIRCONFERENZE_ESTERNE")):
            for c in layer[group].findall("svg:circle", ns):
                circles.append(((float(c.get("cx")), -float(c.get("cy"))), 2 * kind, float(c.get("r"))))
        spans = [((float(l.get("x1")), -float(l.get("y1"))), (float(l.get("x2")), -float(l.get("y2"))))
                 for l in layer["CINGHIA"].findall("svg:line", ns)]
        arcs = []
        for path in layer["CINGHIA"].findall("svg:path", ns):
            _, x1, y1, _, r, _, _, large_arc, _, x2, y2 = path.get("d").split()
            chord = math.dist((float(x1), float(y1)), (float(x2), float(y2)))
            angle = math.degrees(2 * math.asin(min(1.0, chord / (2 * float(r)))))
            arcs.append((float(r), 360 - angle if large_arc == "1" else angle))
        svg_distance = check_drawing(f"{name} SVG", circles, spans, arcs, drive)
        texts = [t.text for t in layer["TESTI"].findall("svg:text", ns)]
        if not any(t.startswith(f"{larger} denti") for t in texts):
            failures.append(f"{name} SVG: no label of the larger pulley in {texts}")

        # DXF: millimetres, a layer for each kind.
        doc = ezdxf.readfile(dxf)
        check(f"{name}: $INSUNITS", doc.header.get("$INSUNITS"), 4, 0)
        msp = doc.modelspace()
        for kind, (_, _, colour) in styles.items():
            check(f"{name} DXF: colour of {kind}", doc.layers.get(kind).color, colour, 0)
        for text in msp.query("TEXT"):
            if text.dxf.halign != 1 or text.dxf.align_point != text.dxf.insert:
                failures.append(f"{name} DXF: {text.dxf.text} not centred on its point")
        for kind in ("CIRCONFERENZE_PRIMITIVE", "CIRCONFERENZE_ESTERNE", "CINGHIA", "CENTRI", "QUOTA", "TESTI"):
            if not msp.query(f'*[layer=="{kind}"]'):
                failures.append(f"{name} DXF: layer {kind} is empty")
        circles = [((c.dxf.center.x, c.dxf.center.y), 0 if c.dxf.layer == "CIRCONFERENZE_PRIMITIVE" else 2, c.dxf.radius)
                   for c in msp.query("CIRCLE")]
        spans = [((l.dxf.start.x, l.dxf.start.y), (l.dxf.end.x, l.dxf.end.y))
                 for l in msp.query('LINE[layer=="CINGHIA"]')]
        arcs = [(a.dxf.radius, (a.dxf.end_angle - a.dxf.start_angle) % 360)
                for a in msp.query("ARC")]
        dxf_distance = check_drawing(f"{name} DXF", circles, spans, arcs, drive)
        check(f"{name}: the same drive in both files", svg_distance, dxf_distance, 0)

# A layout: a back-side idler on a slot, drawn where a 384 mm loop puts it. Its belt is as
# long as the loop, its slot is on a layer of its own (green, 3 in DXF), and it has no
# dimension.
layout = os.path.join(os.path.dirname(os.path.abspath(__file__)), "layouts", "tenditore.txt")
slot = ((75, -30), (75, -2))
with tempfile.TemporaryDirectory() as folder:
    svg, dxf = f"{folder}/layout.svg", f"{folder}/layout.dxf"
    subprocess.run([program, "--layout", layout, "384-2GT", "--svg", svg, "--dxf", dxf],
                   check=True, stdout=subprocess.DEVNULL, env={"LC_ALL": "C.UTF-8"})
    ns = {"svg": "http://www.w3.org/2000/svg"}
    layer = {g.get("id"): g for g in ET.parse(svg).getroot().findall("svg:g", ns)}
    if "QUOTA" in layer or (layer["CORSA"].get("stroke"), layer["CORSA"].get("stroke-width")) != ("#008000", "0.25"):
        failures.append(f"layout SVG: layers {sorted(layer)}, CORSA drawn {layer['CORSA'].attrib}")
    length = sum(math.dist((float(l.get("x1")), float(l.get("y1"))), (float(l.get("x2")), float(l.get("y2"))))
                 for l in layer["CINGHIA"].findall("svg:line", ns))
    for path in layer["CINGHIA"].findall("svg:path", ns):
        _, x1, y1, _, r, _, _, large_arc, _, x2, y2 = path.get("d").split()
        angle = 2 * math.asin(min(1.0, math.dist((float(x1), float(y1)), (float(x2), float(y2))) / (2 * float(r))))
        length += float(r) * (2 * math.pi - angle if large_arc == "1" else angle)
    check("layout SVG: belt", length, 384, 1e-6)
    doc = ezdxf.readfile(dxf)
    msp = doc.modelspace()
    if "QUOTA" in doc.layers or doc.layers.get("CORSA").color != 3:
        failures.append(f"layout DXF: layers {[l.dxf.name for l in doc.layers]}")
    travel = [((l.dxf.start.x, l.dxf.start.y), (l.dxf.end.x, l.dxf.end.y)) for l in msp.query('LINE[layer=="CORSA"]')]
    if travel != [slot]:
        failures.append(f"layout DXF: the slot drawn is {travel}, not {[slot]}")
    length = sum(math.dist((l.dxf.start.x, l.dxf.start.y), (l.dxf.end.x, l.dxf.end.y))
                 for l in msp.query('LINE[layer=="CINGHIA"]'))
    length += sum(a.dxf.radius * math.radians((a.dxf.end_angle - a.dxf.start_angle) % 360)
                  for a in msp.query('ARC[layer=="CINGHIA"]'))
    check("layout DXF: belt", length, 384, 1e-6)

for failure in failures:
    print("FAIL:", failure, file=sys.stderr)
print(f"{len(drives)} drives and a layout drawn in SVG and DXF and read back: {len(failures)} failures")
sys.exit(1 if failures else 0)
