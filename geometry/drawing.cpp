#include "geometry/drawing.h"

#include "geometry/layout.h"
#include "geometry/number_text.h"
#include "geometry/open_drive.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>

namespace geometry {

namespace {

constexpr double degrees = 180 / std::numbers::pi;

std::string number(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value == 0 ? 0.0 : value).ptr;
    return {text, end};
}

bool overlap(const Box &a, const Box &b) {
    return a.lowest.x < b.highest.x && b.lowest.x < a.highest.x && a.lowest.y < b.highest.y &&
           b.lowest.y < a.highest.y;
}

// Whether any part of the segment lies in the box: the segment clipped by each side in turn.
bool crosses(const Box &box, const Segment &segment) {
    const double dx = segment.to.x - segment.from.x, dy = segment.to.y - segment.from.y;
    const std::array<double, 4> towards{-dx, dx, -dy, dy};
    const std::array<double, 4> room{segment.from.x - box.lowest.x, box.highest.x - segment.from.x,
                                     segment.from.y - box.lowest.y, box.highest.y - segment.from.y};
    double first = 0, last = 1;
    for (std::size_t side = 0; side < 4; ++side) {
        if (towards[side] == 0) {
            if (room[side] < 0)
                return false;
            continue;
        }
        const double at = room[side] / towards[side];
        if (towards[side] < 0)
            first = std::max(first, at);
        else
            last = std::min(last, at);
        if (first > last)
            return false;
    }
    return true;
}

} // namespace

Box labelBox(const Label &label) {
    const auto characters =
        std::ranges::count_if(label.text, [](char c) { return (c & 0xC0) != 0x80; });
    const double half = 0.35 * label.height * static_cast<double>(characters);
    return {{label.at.x - half, label.at.y - 0.3 * label.height},
            {label.at.x + half, label.at.y + label.height}};
}

Drawing drawDrive(const ProfileChoice &profile, double z1, double z2, std::int64_t beltTeeth,
                  std::string_view decimalSeparator, double smallestText) {
    const BeltProfile &belt = *profile.profile;
    const double larger = std::max(z1, z2), smaller = std::min(z1, z2);
    const OpenDrive drive = *openDrive(larger, smaller, static_cast<double>(beltTeeth), belt.pitch);
    const DriveGeometry whole = driveGeometry(belt, larger, smaller, drive, beltTeeth);
    const double distance = drive.centreDistance;
    const double large = drive.largeRadius, small = drive.smallRadius;
    const Point left{0, 0}, right{distance, 0};

    Drawing drawing;
    drawing.pitchCircles = {Circle{left, large}, Circle{right, small}};
    drawing.outsideCircles = {Circle{left, whole.larger.outsideDiameter / 2},
                              Circle{right, whole.smaller.outsideDiameter / 2}};
    // The belt leaves each pulley where the radius makes an angle alpha with the line of
    // centres, cos alpha = (R - r) / C: there the spans are tangent to both pitch circles.
    const double cosine = (large - small) / distance, sine = drive.span / distance;
    const double alpha = std::atan2(drive.span, large - small) * degrees;
    drawing.spans = {
        Segment{{large * cosine, large * sine}, {distance + small * cosine, small * sine}},
        Segment{{large * cosine, -large * sine}, {distance + small * cosine, -small * sine}}};
    drawing.arcs = {Arc{left, large, alpha, 360 - alpha}, Arc{right, small, 360 - alpha, alpha}};

    for (const Circle &pitch : drawing.pitchCircles) {
        const double mark = 0.3 * pitch.radius;
        const Point c = pitch.centre;
        drawing.centreMarks.push_back({{c.x - mark, c.y}, {c.x + mark, c.y}});
        drawing.centreMarks.push_back({{c.x, c.y - mark}, {c.x, c.y + mark}});
    }

    const double textHeight = std::max(std::clamp(0.12 * large, 2.5, 10.0), smallestText);
    // The dimension below the larger pulley, its extension lines down from the centres.
    const double below = -large - std::max(2 * textHeight, 0.2 * large);
    const double arrow = std::min(textHeight, distance / 6);
    drawing.dimension = {
        {{0, -0.3 * large}, {0, below - arrow}},
        {{distance, -0.3 * small}, {distance, below - arrow}},
        {{0, below}, {distance, below}},
        {{0, below}, {arrow, below + arrow / 3}},
        {{0, below}, {arrow, below - arrow / 3}},
        {{distance, below}, {distance - arrow, below + arrow / 3}},
        {{distance, below}, {distance - arrow, below - arrow / 3}},
    };
    const auto shown = [&](double value) { return formatNumber(value, "0.00", decimalSeparator); };
    const auto teeth = [](double count) { return number(count) + " denti"; };
    const double gap = 0.4 * textHeight;
    const auto line = [&](Point at, std::string text) {
        return Label{at, textHeight, std::move(text)};
    };
    // Lines marked GCOVR_EXCL_BR_LINE build lists of labels: their other branches only undo
    // what was built when a string could not be allocated.
    using Lines = std::vector<Label>;
    // A pulley's two lines, the lower's baseline at y.
    const auto pulleyLines = [&](double x, double y, double count, double pitchDiameter) {
        return Lines{line({x, y + 1.4 * textHeight}, teeth(count)),
                     line({x, y}, "\u00D8 " + shown(pitchDiameter))}; // GCOVR_EXCL_BR_LINE
    };                                                                // GCOVR_EXCL_BR_LINE
    const auto moved = [](Lines lines, double dx, double dy) {
        for (Label &each : lines)
            each.at = {each.at.x + dx, each.at.y + dy};
        return lines;
    };
    // The belt's upper outline where it is highest over [from, to]: it rises all the way to the
    // larger pulley's top, over x = 0, and falls beyond.
    const Segment upper = drawing.spans[0];
    const auto beltTop = [&](double from, double to) {
        const double x = std::clamp(0.0, from, to);
        if (x > distance + small)
            return -std::numeric_limits<double>::infinity();
        if (x <= upper.from.x) // left of the larger pulley, taken as its top: no lower
            return std::sqrt(std::max(large * large - x * x, 0.0));
        // Past the span's end the line, a tangent, stands over the smaller pulley's arc: a
        // label there rests no lower than on the arc.
        return upper.from.y +
               (upper.to.y - upper.from.y) * (x - upper.from.x) / (upper.to.x - upper.from.x);
    };
    // Lines lifted until each clears the belt beneath it, and the floor, by a gap.
    const auto resting = [&](Lines lines, double floor) {
        double lift = -std::numeric_limits<double>::infinity();
        for (const Label &each : lines) {
            const Box box = labelBox(each);
            lift = std::max(lift, std::max(floor, beltTop(box.lowest.x, box.highest.x)) + gap -
                                      box.lowest.y);
        }
        return moved(std::move(lines), 0, lift);
    };
    const auto width = [](const Lines &lines) {
        double widest = 0;
        for (const Label &each : lines) {
            const Box box = labelBox(each);
            widest = std::max(widest, box.highest.x - box.lowest.x);
        }
        return widest;
    };
    std::vector<Box> taken;
    // Labels rest on the belt or stand outside it, so that none reaches a pitch circle, which
    // the belt surrounds; the lines they may cross are the spans and the dimension's.
    std::vector<Segment> crossable(drawing.spans.begin(), drawing.spans.end());
    crossable.insert(crossable.end(), drawing.dimension.begin(), drawing.dimension.end());
    const auto clear = [&](const Lines &labels) {
        for (const Label &each : labels) {
            const Box box = labelBox(each);
            if (std::ranges::any_of(taken, [&](const Box &other) { return overlap(box, other); }) ||
                std::ranges::any_of(crossable,
                                    [&](const Segment &segment) { return crosses(box, segment); }))
                return false;
        }
        return true;
    };
    // Each label goes to the first of its places that is clear of the belt, the circles, the
    // dimension and the labels placed before it; the last place is clear by construction. The
    // distance sits on its dimension line between the arrows, else past the right-hand
    // extension line. The larger pulley's lines sit on the belt over its centre. The smaller's
    // sit on the belt over its own centre, unless they would touch the larger's or float more
    // than three lines above the pulley (a steep span), then beside it on the right, where
    // nothing else is drawn, else on the belt to the right of the larger's. The belt's name
    // sits on its upper span, else under its lower span, else under the dimension.
    const auto place = [&](std::vector<Lines> places) {
        const auto chosen = std::ranges::find_if(places.begin(), places.end() - 1, clear);
        for (const Label &each : *chosen)
            taken.push_back(labelBox(each));
        return *chosen;
    };
    const Label dimensionText =
        line({distance / 2, below + 0.4 * textHeight}, shown(distance) + " mm");
    const Lines distanceLines =
        place({{dimensionText}, // GCOVR_EXCL_BR_LINE
               moved({dimensionText},
                     distance / 2 + gap + width({dimensionText}) / 2, // GCOVR_EXCL_BR_LINE
                     0)});                                            // GCOVR_EXCL_BR_LINE
    const Lines largerLines = place({resting(pulleyLines(0, 0, larger, whole.larger.pitchDiameter),
                                             large)}); // GCOVR_EXCL_BR_LINE
    const Lines smallerAt = pulleyLines(distance, 0, smaller, whole.smaller.pitchDiameter);
    const Lines smallerOver = resting(smallerAt, small);
    const double largerRight =
        std::max(labelBox(largerLines[0]).highest.x, labelBox(largerLines[1]).highest.x);
    const double smallerWidth = width(smallerAt);
    std::vector<Lines> smallerPlaces;
    if (labelBox(smallerOver[1]).lowest.y <= small + 3 * textHeight)
        smallerPlaces.push_back(smallerOver);
    smallerPlaces.push_back(moved(smallerAt, small + gap + smallerWidth / 2, -1.05 * textHeight));
    smallerPlaces.push_back(
        resting(moved(smallerAt, largerRight + gap + smallerWidth / 2 - distance, 0), small));
    const Lines smallerLines = place(std::move(smallerPlaces));
    const std::string beltText = beltName(profile, beltTeeth);
    const Point middle{(upper.from.x + upper.to.x) / 2, (upper.from.y + upper.to.y) / 2};
    const Lines overUpper = resting({line({middle.x, 0}, beltText)},
                                    -std::numeric_limits<double>::infinity()); // GCOVR_EXCL_BR_LINE
    const Box overBox = labelBox(overUpper[0]);
    const Lines beltLines = place({
        overUpper,
        moved(overUpper, 0, -overBox.lowest.y - overBox.highest.y), // mirrored under the lower
        Lines{line({distance / 2, below - arrow - gap - textHeight}, beltText)},
    });                                                                  // GCOVR_EXCL_BR_LINE
    drawing.labels = {distanceLines[0], largerLines[0],  largerLines[1], // GCOVR_EXCL_BR_LINE
                      smallerLines[0],  smallerLines[1], beltLines[0]};

    Point lowest{-large, below - arrow}, highest{distance + small, large};
    for (const Label &written : drawing.labels) {
        const Box box = labelBox(written);
        lowest = {std::min(lowest.x, box.lowest.x), std::min(lowest.y, box.lowest.y)};
        highest = {std::max(highest.x, box.highest.x), std::max(highest.y, box.highest.y)};
    }
    const double margin = std::max(5.0, textHeight);
    drawing.lowest = {lowest.x - margin, lowest.y - margin};
    drawing.highest = {highest.x + margin, highest.y + margin};
    return drawing;
}

namespace {

// Whether the box reaches into the disc.
bool meets(const Box &box, const Circle &disc) {
    const double dx = std::clamp(disc.centre.x, box.lowest.x, box.highest.x) - disc.centre.x;
    const double dy = std::clamp(disc.centre.y, box.lowest.y, box.highest.y) - disc.centre.y;
    return dx * dx + dy * dy < disc.radius * disc.radius;
}

// Where a layout's labels may go: clear of its lines, of its pulleys, each a disc, and of the
// labels already placed.
struct Room {
    std::vector<Segment> lines;
    std::vector<Circle> discs;
    std::vector<Box> taken;
    bool clear(const Box &box) const {
        return std::ranges::none_of(taken, [&](const Box &other) { return overlap(box, other); }) &&
               std::ranges::none_of(discs, [&](const Circle &disc) { return meets(box, disc); }) &&
               std::ranges::none_of(lines,
                                    [&](const Segment &segment) { return crosses(box, segment); });
    }
};

// An arc as chords of a degree at most: no label box fits between the two.
void addChords(std::vector<Segment> &lines, const Arc &arc) {
    const double turn = std::fmod(arc.endAngle - arc.startAngle + 360, 360);
    const int count = static_cast<int>(std::ceil(turn));
    const auto at = [&](int step) {
        const double angle = (arc.startAngle + turn * step / count) / degrees;
        return Point{arc.centre.x + arc.radius * std::cos(angle),
                     arc.centre.y + arc.radius * std::sin(angle)};
    };
    for (int step = 0; step < count; ++step)
        lines.push_back({at(step), at(step + 1)});
}

Drawing layoutDrawing(const Layout &layout, const BeltPath *path,
                      const std::vector<std::string> &names, std::string caption,
                      std::optional<Point> movedTo, double smallestText) {
    const std::vector<LayoutEntry> &entries = layout.entries;
    std::vector<Point> centres;
    std::vector<double> radii;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        centres.push_back(entries[i].centre);
        radii.push_back(path ? path->entries[i].pitchRadius
                             : pitchRadius(*layout.profile, entries[i]));
    }
    if (layout.travel && movedTo)
        centres[layout.travel->entry] = *movedTo;
    const double largest = std::ranges::max(radii);
    const double textHeight = std::max(std::clamp(0.12 * largest, 2.5, 10.0), smallestText);
    const double gap = 0.4 * textHeight;

    Drawing drawing;
    Room room;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Point c = centres[i];
        const double radius = radii[i];
        // A clamp is a point of the belt: a cross, as large as the text, and no circles; so is a
        // pulley of no size, which only a layout that cannot be built has.
        const bool clamp = entries[i].kind == LayoutEntry::Kind::clamp;
        const bool point = clamp || !(radius > 0);
        const double mark = point ? textHeight / 2 : 0.3 * radius;
        drawing.centreMarks.push_back({{c.x - mark, c.y}, {c.x + mark, c.y}});
        drawing.centreMarks.push_back({{c.x, c.y - mark}, {c.x, c.y + mark}});
        double outside = 0;
        if (!clamp) {
            outside = entries[i].kind == LayoutEntry::Kind::plain
                          ? entries[i].size / 2
                          : entries[i].size * layout.profile->pitch / (2 * std::numbers::pi) -
                                layout.profile->pitchLineOffset;
            if (!point)
                drawing.pitchCircles.push_back({c, radius});
            if (outside > 0)
                drawing.outsideCircles.push_back({c, outside});
        }
        room.discs.push_back({c, std::max({mark, radius, outside})});
        if (!path || clamp)
            continue;
        const PathEntry &at = path->entries[i];
        const auto angle = [&](Point p) { return std::atan2(p.y - c.y, p.x - c.x) * degrees; };
        // Arcs run counter-clockwise: a clockwise turn from arrive to leave is drawn back.
        const Point from = at.counterClockwise ? at.arrive : at.leave;
        const Point to = at.counterClockwise ? at.leave : at.arrive;
        drawing.arcs.push_back({c, radius, angle(from), angle(to)});
    }
    // An open belt's last span runs through the carriage that holds its clamps: no belt.
    if (path) {
        const bool open = entries.front().kind == LayoutEntry::Kind::clamp;
        drawing.spans.assign(path->spans.begin(), path->spans.end() - (open ? 1 : 0));
    }

    Point lowest = centres.front(), highest = centres.front();
    const auto reach = [&](Point p) {
        lowest = {std::min(lowest.x, p.x), std::min(lowest.y, p.y)};
        highest = {std::max(highest.x, p.x), std::max(highest.y, p.y)};
    };
    if (layout.travel) {
        const Travel &travel = *layout.travel;
        const Point start = entries[travel.entry].centre;
        if (travel.kind == Travel::Kind::slot) {
            drawing.travel.push_back({start, travel.end});
        } else {
            const double arm = std::hypot(start.x - travel.pivot.x, start.y - travel.pivot.y);
            drawing.travel.push_back({travel.pivot, centres[travel.entry]});
            // A full turn as two halves: an arc from an angle to itself is no arc in SVG.
            if (travel.fullTurn) {
                drawing.travelArcs.push_back({travel.pivot, arm, 0, 180});
                drawing.travelArcs.push_back({travel.pivot, arm, 180, 360});
            } else {
                drawing.travelArcs.push_back({travel.pivot, arm, travel.fromAngle, travel.toAngle});
            }
            reach({travel.pivot.x - arm, travel.pivot.y - arm});
            reach({travel.pivot.x + arm, travel.pivot.y + arm});
        }
    }
    for (const std::vector<Segment> *lines :
         {&drawing.spans, &drawing.travel, &drawing.centreMarks})
        for (const Segment &segment : *lines) {
            reach(segment.from);
            reach(segment.to);
        }
    for (const std::vector<Circle> *circles : {&drawing.pitchCircles, &drawing.outsideCircles})
        for (const Circle &circle : *circles) {
            reach({circle.centre.x - circle.radius, circle.centre.y - circle.radius});
            reach({circle.centre.x + circle.radius, circle.centre.y + circle.radius});
        }
    room.lines = drawing.spans;
    room.lines.insert(room.lines.end(), drawing.travel.begin(), drawing.travel.end());
    for (const Arc &arc : drawing.travelArcs)
        addChords(room.lines, arc);

    // Each name goes to the first clear place round its pulley, nearest first: over it, under
    // it, on its right, on its left, then at its corners; each ring a line further out. Past
    // them, under everything drawn and placed, which is clear by construction.
    constexpr int rings = 4;
    constexpr std::array<Point, 8> ways{
        {{0, 1}, {0, -1}, {1, 0}, {-1, 0}, {1, 1}, {-1, 1}, {1, -1}, {-1, -1}}};
    const auto keep = [&](Label label) {
        const Box box = labelBox(label);
        room.taken.push_back(box);
        reach(box.lowest);
        reach(box.highest);
        drawing.labels.push_back(std::move(label));
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Box size = labelBox({{0, 0}, textHeight, names[i]});
        const double halfWidth = size.highest.x;
        // The anchor of a label whose box touches the point from that side.
        const auto touching = [&](Point at, Point way) {
            return Point{at.x + way.x * halfWidth,
                         at.y + (way.y > 0   ? -size.lowest.y
                                 : way.y < 0 ? -size.highest.y
                                             : -(size.lowest.y + size.highest.y) / 2)};
        };
        std::optional<Label> placed;
        for (int ring = 0; ring <= rings && !placed; ++ring) {
            const double away = room.discs[i].radius + gap + ring * textHeight;
            for (const Point way : ways) {
                const double along = away / std::hypot(way.x, way.y);
                const Label tried{
                    touching({centres[i].x + way.x * along, centres[i].y + way.y * along}, way),
                    textHeight, names[i]};
                if (room.clear(labelBox(tried))) {
                    placed = tried;
                    break;
                }
            }
        }
        keep(placed.value_or(
            Label{touching({centres[i].x, lowest.y - gap}, {0, -1}), textHeight, names[i]}));
    }
    // The caption under everything, in the middle.
    if (!caption.empty())
        keep({{(lowest.x + highest.x) / 2, lowest.y - gap - textHeight},
              textHeight,
              std::move(caption)});
    const double margin = std::max(5.0, textHeight);
    drawing.lowest = {lowest.x - margin, lowest.y - margin};
    drawing.highest = {highest.x + margin, highest.y + margin};
    return drawing;
}

} // namespace

Drawing drawLayout(const Layout &layout, const BeltPath &path,
                   const std::vector<std::string> &names, std::string caption,
                   std::optional<Point> movedTo, double smallestText) {
    return layoutDrawing(layout, &path, names, std::move(caption), movedTo, smallestText);
}

Drawing drawPulleys(const Layout &layout, const std::vector<std::string> &names,
                    std::optional<Point> movedTo, double smallestText) {
    return layoutDrawing(layout, nullptr, names, {}, movedTo, smallestText);
}

namespace {

// SVG's y grows downwards.
std::string svgPoint(Point point, const char *x, const char *y) {
    return std::string(" ") + x + "=\"" + number(point.x) + "\" " + y + "=\"" + number(-point.y) +
           "\"";
}

std::string escaped(std::string_view text) {
    std::string result;
    for (char c : text) {
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        default:
            result += c;
        }
    }
    return result;
}

} // namespace

std::string svgFile(const Drawing &drawing) {
    const double width = drawing.highest.x - drawing.lowest.x;
    const double height = drawing.highest.y - drawing.lowest.y;
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      number(width) + "mm\" height=\"" + number(height) + "mm\" viewBox=\"" +
                      number(drawing.lowest.x) + " " + number(-drawing.highest.y) + " " +
                      number(width) + " " + number(height) + "\">\n";
    // A layer's primitives, drawn in its stroke.
    const auto group = [&](std::size_t layer, double stroke, const auto &draw) {
        const bool travel = layer == dxfLayers.size();
        svg += "<g id=\"" + std::string(travel ? travelLayer : dxfLayers[layer]) +
               "\" fill=\"none\" stroke=\"" + (travel ? travelColour : layerColours[layer]) +
               "\" stroke-width=\"" + number(stroke) + "\">\n";
        draw();
        svg += "</g>\n";
    };
    const auto circles = [&](const std::vector<Circle> &list) {
        for (const Circle &circle : list)
            svg += "<circle" + svgPoint(circle.centre, "cx", "cy") + " r=\"" +
                   number(circle.radius) + "\"/>\n";
    };
    const auto segments = [&](const auto &list) {
        for (const Segment &segment : list)
            svg += "<line" + svgPoint(segment.from, "x1", "y1") + svgPoint(segment.to, "x2", "y2") +
                   "/>\n";
    };
    group(0, 0.25, [&] { circles(drawing.pitchCircles); });
    group(1, 0.18, [&] { circles(drawing.outsideCircles); });
    const auto arcs = [&](const std::vector<Arc> &list) {
        for (const Arc &arc : list) {
            const double start = arc.startAngle / degrees, end = arc.endAngle / degrees;
            const double sweep = std::fmod(arc.endAngle - arc.startAngle + 360, 360);
            const Point from{arc.centre.x + arc.radius * std::cos(start),
                             arc.centre.y + arc.radius * std::sin(start)};
            const Point to{arc.centre.x + arc.radius * std::cos(end),
                           arc.centre.y + arc.radius * std::sin(end)};
            // Counter-clockwise with y up is against SVG's positive angles.
            svg += "<path d=\"M " + number(from.x) + " " + number(-from.y) + " A " +
                   number(arc.radius) + " " + number(arc.radius) + " 0 " +
                   (sweep > 180 ? "1" : "0") + " 0 " + number(to.x) + " " + number(-to.y) +
                   "\"/>\n";
        }
    };
    group(2, 0.5, [&] {
        segments(drawing.spans);
        arcs(drawing.arcs);
    });
    group(3, 0.18, [&] { segments(drawing.centreMarks); });
    if (!drawing.dimension.empty())
        group(4, 0.18, [&] { segments(drawing.dimension); });
    if (!drawing.travel.empty())
        group(dxfLayers.size(), 0.25, [&] {
            segments(drawing.travel);
            arcs(drawing.travelArcs);
        });
    svg += "<g id=\"" + std::string(dxfLayers[5]) + "\" fill=\"" + layerColours[5] +
           "\" font-family=\"sans-serif\" text-anchor=\"middle\">\n";
    for (const Label &label : drawing.labels)
        svg += "<text" + svgPoint(label.at, "x", "y") + " font-size=\"" + number(label.height) +
               "\">" + escaped(label.text) + "</text>\n";
    svg += "</g>\n</svg>\n";
    return svg;
}

namespace {

// A group code and its value, each on a line of its own.
void pair(std::string &dxf, int code, std::string_view value) {
    dxf += std::to_string(code);
    dxf += '\n';
    dxf += value;
    dxf += '\n';
}

void pair(std::string &dxf, int code, double value) {
    pair(dxf, code, number(value));
}

void point(std::string &dxf, int code, Point at) {
    pair(dxf, code, at.x);
    pair(dxf, code + 10, at.y);
    pair(dxf, code + 20, 0.0);
}

// DXF text is ASCII: the diameter sign as its control code, any other character beyond ASCII
// as \U+ and its code point.
std::string dxfText(std::string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            result += static_cast<char>(c);
            ++i;
            continue;
        }
        const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        char32_t code = c & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            code = code << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += length;
        if (code == 0xD8) {
            result += "%%c";
            continue;
        }
        char hex[8];
        const auto end = std::to_chars(hex, hex + sizeof hex, static_cast<unsigned>(code), 16).ptr;
        std::string digits(hex, end);
        for (char &digit : digits)
            digit = static_cast<char>(std::toupper(static_cast<unsigned char>(digit)));
        result += "\\U+" + std::string(4 - std::min<std::size_t>(4, digits.size()), '0') + digits;
    }
    return result;
}

} // namespace

std::string dxfFile(const Drawing &drawing) {
    std::string dxf;
    pair(dxf, 0, "SECTION");
    pair(dxf, 2, "HEADER");
    pair(dxf, 9, "$ACADVER");
    pair(dxf, 1, "AC1009");
    pair(dxf, 9, "$INSUNITS");
    pair(dxf, 70, "4");
    pair(dxf, 9, "$EXTMIN");
    point(dxf, 10, drawing.lowest);
    pair(dxf, 9, "$EXTMAX");
    point(dxf, 10, drawing.highest);
    pair(dxf, 0, "ENDSEC");

    // Layer 0, which every drawing has, then ours, each with its colour.
    std::vector<std::pair<std::string_view, int>> layers{
        {"0", 7},          {dxfLayers[0], 5}, {dxfLayers[1], 8}, {dxfLayers[2], 1},
        {dxfLayers[3], 7}, {dxfLayers[4], 7}, {dxfLayers[5], 7}, {travelLayer, 3}};
    if (drawing.travel.empty())
        layers.pop_back();
    if (drawing.dimension.empty())
        layers.erase(layers.begin() + 5);
    pair(dxf, 0, "SECTION");
    pair(dxf, 2, "TABLES");
    pair(dxf, 0, "TABLE");
    pair(dxf, 2, "LAYER");
    pair(dxf, 70, std::to_string(layers.size()));
    for (const auto &[name, colour] : layers) {
        pair(dxf, 0, "LAYER");
        pair(dxf, 2, name);
        pair(dxf, 70, "0");
        pair(dxf, 62, std::to_string(colour));
        pair(dxf, 6, "CONTINUOUS");
    }
    pair(dxf, 0, "ENDTAB");
    pair(dxf, 0, "ENDSEC");

    pair(dxf, 0, "SECTION");
    pair(dxf, 2, "ENTITIES");
    const auto entity = [&](const char *kind, std::string_view layer) {
        pair(dxf, 0, kind);
        pair(dxf, 8, layer);
    };
    const auto circles = [&](const std::vector<Circle> &list, std::string_view layer) {
        for (const Circle &circle : list) {
            entity("CIRCLE", layer);
            point(dxf, 10, circle.centre);
            pair(dxf, 40, circle.radius);
        }
    };
    const auto segments = [&](const auto &list, std::string_view layer) {
        for (const Segment &segment : list) {
            entity("LINE", layer);
            point(dxf, 10, segment.from);
            point(dxf, 11, segment.to);
        }
    };
    circles(drawing.pitchCircles, dxfLayers[0]);
    circles(drawing.outsideCircles, dxfLayers[1]);
    const auto arcs = [&](const std::vector<Arc> &list, std::string_view layer) {
        for (const Arc &arc : list) {
            entity("ARC", layer);
            point(dxf, 10, arc.centre);
            pair(dxf, 40, arc.radius);
            pair(dxf, 50, arc.startAngle);
            pair(dxf, 51, arc.endAngle);
        }
    };
    segments(drawing.spans, dxfLayers[2]);
    arcs(drawing.arcs, dxfLayers[2]);
    segments(drawing.centreMarks, dxfLayers[3]);
    segments(drawing.dimension, dxfLayers[4]);
    for (const Label &label : drawing.labels) {
        entity("TEXT", dxfLayers[5]);
        point(dxf, 10, label.at);
        pair(dxf, 40, label.height);
        pair(dxf, 1, dxfText(label.text));
        pair(dxf, 72, "1"); // centred on its alignment point
        point(dxf, 11, label.at);
    }
    segments(drawing.travel, travelLayer);
    arcs(drawing.travelArcs, travelLayer);
    pair(dxf, 0, "ENDSEC");
    pair(dxf, 0, "EOF");
    return dxf;
}

} // namespace geometry
