#pragma once

#include "geometry/belt_profile.h"
#include "geometry/design.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace geometry {

// A drive drawn to scale, in millimetres: the larger pulley's centre at the origin, the
// smaller's on the positive x axis, y upwards. Each file writer and the window translate
// these primitives and compute no geometry of their own.
struct Point {
    double x, y;
    bool operator==(const Point &) const = default;
};

struct Circle {
    Point centre;
    double radius;
};

struct Segment {
    Point from, to;
};

// Counter-clockwise from startAngle to endAngle, in degrees from the positive x axis.
struct Arc {
    Point centre;
    double radius, startAngle, endAngle;
};

struct Label {
    Point at; // the middle of the text's baseline
    double height;
    std::string text; // UTF-8, numbers in the user's format
};

// The room a label's text takes: estimated from its height and its characters, generously, so
// that the text in any ordinary sans face stays inside, drawn centred on its anchor as the
// files and the window draw it. The labels of a drawing keep their boxes clear of one another,
// of the belt, of the pitch circles and of the dimension.
struct Box {
    Point lowest, highest;
};
Box labelBox(const Label &label);

// A drive's: the larger pulley's first, then the smaller's; the upper span, then the lower.
// A layout's: its entries' in order, no dimension; the movable entry's travel.
struct Drawing {
    std::vector<Circle> pitchCircles;   // the circles the belt's pitch line follows
    std::vector<Circle> outsideCircles; // the pulleys' outside circles
    std::vector<Segment> spans;         // the belt's pitch line
    std::vector<Arc> arcs;              // round each pulley
    std::vector<Segment> centreMarks;   // a cross on each centre
    std::vector<Segment> dimension;     // extension lines, dimension line, arrowheads
    std::vector<Label> labels;          // the distance, each pulley, the belt
    std::vector<Segment> travel;        // a slot, or an arm from its pivot
    std::vector<Arc> travelArcs;        // the arc an arm's pulley moves on
    Point lowest, highest;              // corners of a box round everything
};

// The drawing of a sound drive of these pulleys on a belt of that many teeth, its labels
// with the user's decimal separator. Text is as high as suits the pulleys, and at least
// smallestText mm, for a screen that shows the drawing small; the rest of the drawing makes
// room for it.
Drawing drawDrive(const ProfileChoice &profile, double z1, double z2, std::int64_t beltTeeth,
                  std::string_view decimalSeparator, double smallestText = 0);

struct Layout;
struct BeltPath;

// The drawing of a layout whose path can be built, in the file's coordinates: each pulley's
// outside circle and the circle the belt's pitch line follows round it, the belt (an open
// belt without the piece through its clamps' carriage), a cross on each centre, the movable
// entry's travel, each entry's name beside it and the caption (the belt, or its length) under
// everything; no label touches the belt, a pulley, the travel or another label. movedTo: where
// the movable entry stands, when not at its centre in the file. Text as in drawDrive.
Drawing drawLayout(const Layout &layout, const BeltPath &path,
                   const std::vector<std::string> &names, std::string caption,
                   std::optional<Point> movedTo = std::nullopt, double smallestText = 0);
// The same for a layout of one entry or more whose path cannot be built (its travel, if any,
// of one of its entries), without the belt and the caption, so that there is still something
// to see and to move: the circles of the pulleys whose size is one.
Drawing drawPulleys(const Layout &layout, const std::vector<std::string> &names,
                    std::optional<Point> movedTo = std::nullopt, double smallestText = 0);

// The drawing as files: SVG whose width, height and view box are in millimetres, so that it
// prints 1:1; ASCII DXF in millimetres ($INSUNITS 4) with a layer for each kind of
// primitive. Coordinates always with a point; the same drawing gives the same bytes.
std::string svgFile(const Drawing &drawing);
std::string dxfFile(const Drawing &drawing);

// The DXF layers, in Italian, in the order of their kinds above, and the colour that the SVG
// file and the window draw each in; a drawing without a dimension has no QUOTA.
inline constexpr std::array<std::string_view, 6> dxfLayers{
    "CIRCONFERENZE_PRIMITIVE", "CIRCONFERENZE_ESTERNE", "CINGHIA", "CENTRI", "QUOTA", "TESTI"};
inline constexpr std::array<const char *, 6> layerColours{"#0050a0", "#808080", "#c00000",
                                                          "#000000", "#000000", "#000000"};
// The layer of a layout's travel, drawn only where there is one.
inline constexpr std::string_view travelLayer = "CORSA";
inline constexpr const char *travelColour = "#008000";

} // namespace geometry
