#include "geometry/drawing.h"
#include "geometry/layout.h"
#include "geometry/open_drive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double distance(geometry::Point a, geometry::Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

bool inside(geometry::Point point, const geometry::Box &box) {
    return point.x > box.lowest.x && point.x < box.highest.x && point.y > box.lowest.y &&
           point.y < box.highest.y;
}

// Every label of a drawing clear of the others, of the lines, arcs and circles given (each
// line and arc checked point by point), and within the drawing's bounds.
void expectLabelsClear(const geometry::Drawing &drawing,
                       const std::vector<geometry::Segment> &lines,
                       const std::vector<geometry::Arc> &arcs,
                       const std::vector<geometry::Circle> &circles) {
    for (std::size_t i = 0; i < drawing.labels.size(); ++i) {
        const geometry::Box box = geometry::labelBox(drawing.labels[i]);
        SCOPED_TRACE(drawing.labels[i].text);
        for (std::size_t k = i + 1; k < drawing.labels.size(); ++k) {
            const geometry::Box other = geometry::labelBox(drawing.labels[k]);
            EXPECT_TRUE(box.highest.x <= other.lowest.x || other.highest.x <= box.lowest.x ||
                        box.highest.y <= other.lowest.y || other.highest.y <= box.lowest.y)
                << drawing.labels[k].text;
        }
        for (const geometry::Segment &line : lines)
            for (int step = 0; step <= 2000; ++step) {
                const double t = step / 2000.0;
                ASSERT_FALSE(inside({line.from.x + t * (line.to.x - line.from.x),
                                     line.from.y + t * (line.to.y - line.from.y)},
                                    box))
                    << line.from.x << " " << line.from.y << " to " << line.to.x << " " << line.to.y;
            }
        for (const geometry::Arc &arc : arcs)
            for (int step = 0; step <= 2000; ++step) {
                const double angle =
                    (arc.startAngle +
                     std::fmod(arc.endAngle - arc.startAngle + 360, 360) * step / 2000.0) *
                    std::numbers::pi / 180;
                ASSERT_FALSE(inside({arc.centre.x + arc.radius * std::cos(angle),
                                     arc.centre.y + arc.radius * std::sin(angle)},
                                    box));
            }
        for (const geometry::Circle &circle : circles) {
            const geometry::Point nearest{std::clamp(circle.centre.x, box.lowest.x, box.highest.x),
                                          std::clamp(circle.centre.y, box.lowest.y, box.highest.y)};
            EXPECT_GE(distance(nearest, circle.centre), circle.radius);
        }
        EXPECT_TRUE(inside(box.lowest, {drawing.lowest, drawing.highest}) &&
                    inside(box.highest, {drawing.lowest, drawing.highest}));
    }
}

// A drive's drawing in its own coordinates: each span tangent to both pitch circles, and the
// pitch line as long as the belt.
TEST(Drawing, TheBeltsPitchLineWrapsBothPitchCircles) {
    for (const auto &[name, larger, smaller, teeth] :
         {std::tuple{"XL037", 36, 14, 75}, {"XL", 20, 20, 60}, {"5M", 60, 12, 200}}) {
        SCOPED_TRACE(name);
        const geometry::ProfileChoice profile = *geometry::readProfile(name);
        const geometry::Drawing drawing = geometry::drawDrive(profile, smaller, larger, teeth, ",");
        const geometry::Circle &left = drawing.pitchCircles[0], &right = drawing.pitchCircles[1];
        EXPECT_DOUBLE_EQ(left.radius, larger * profile.profile->pitch / (2 * std::numbers::pi));
        EXPECT_EQ(left.centre.x, 0);
        double length = 0;
        for (const geometry::Segment &span : drawing.spans) {
            for (const geometry::Circle &circle : drawing.pitchCircles) {
                const geometry::Point a = span.from, b = span.to, c = circle.centre;
                const double away =
                    std::abs((b.x - a.x) * (a.y - c.y) - (a.x - c.x) * (b.y - a.y)) /
                    distance(a, b);
                EXPECT_NEAR(away, circle.radius, 1e-9);
            }
            length += distance(span.from, span.to);
        }
        for (const geometry::Arc &arc : drawing.arcs)
            length += arc.radius * std::fmod(arc.endAngle - arc.startAngle + 360, 360) *
                      std::numbers::pi / 180;
        EXPECT_NEAR(length, teeth * profile.profile->pitch, 1e-9);
        // Everything lies in the box: the circles, the dimension below them.
        EXPECT_LT(drawing.lowest.x, -left.radius);
        EXPECT_GT(drawing.highest.x, right.centre.x + right.radius);
        EXPECT_LT(drawing.lowest.y, drawing.dimension[2].from.y);
        EXPECT_EQ(drawing.labels.back().text, geometry::beltName(profile, teeth));
        EXPECT_EQ(drawing.labels[1].text, std::to_string(larger) + " denti");
    }
    const geometry::Drawing example =
        geometry::drawDrive(*geometry::readProfile("XL"), 36, 14, 75, ",");
    EXPECT_EQ(example.labels[0].text, "125,74 mm");
    EXPECT_EQ(example.labels[2].text, "\u00D8 58,21");
    // Text made larger for a small screen: the box grows round it, the drive stays.
    const geometry::Drawing large =
        geometry::drawDrive(*geometry::readProfile("XL"), 36, 14, 75, ",", 20);
    for (const geometry::Label &label : large.labels)
        EXPECT_EQ(label.height, 20);
    EXPECT_EQ(large.spans[0].to.x, example.spans[0].to.x);
    EXPECT_LT(large.lowest.y, example.lowest.y - 20);
    EXPECT_GT(large.highest.y, large.labels[1].at.y + 20);
}

// Each label keeps clear of the others, of the belt, of the pitch circles and of the dimension,
// on short, long, 1:1, very unequal and tiny drives, with the text as the files have it and as
// large as a small window makes it. The boxes are the drawing's own; whether a line enters one
// is checked here point by point.
TEST(Drawing, LabelsKeepClearOfOneAnotherAndOfTheBelt) {
    for (const auto &[name, larger, smaller] : {std::tuple{"XL", 36, 14},
                                                {"T5", 29, 12},
                                                {"XL", 1, 1},
                                                {"XL", 2, 1},
                                                {"XL", 20, 20},
                                                {"XL", 999, 1},
                                                {"5M", 60, 12},
                                                {"T5", 150, 10}}) {
        const geometry::ProfileChoice profile = *geometry::readProfile(name);
        std::int64_t shortest = 1;
        while (geometry::unbuildable(larger, smaller, static_cast<double>(shortest),
                                     profile.profile->pitch))
            ++shortest;
        for (const std::int64_t teeth :
             {shortest, shortest + 1, shortest + 3, shortest + 20 * larger + 100})
            for (const double smallestText : {0.0, 8.0, 40.0}) {
                SCOPED_TRACE(::testing::Message() << larger << "/" << smaller << " " << name << " "
                                                  << teeth << " text " << smallestText);
                const geometry::Drawing drawing =
                    geometry::drawDrive(profile, larger, smaller, teeth, ",", smallestText);
                std::vector<geometry::Segment> lines(drawing.spans.begin(), drawing.spans.end());
                lines.insert(lines.end(), drawing.dimension.begin(), drawing.dimension.end());
                expectLabelsClear(drawing, lines, {},
                                  {drawing.pitchCircles.begin(), drawing.pitchCircles.end()});
            }
    }
}

// The files translate any drawing: text escaped for XML, and ASCII for DXF.
TEST(Drawing, FilesWriteWhatTheyAreGiven) {
    geometry::Drawing drawing = geometry::drawDrive(*geometry::readProfile("XL"), 36, 14, 75, ".");
    drawing.labels = {{{0, 0}, 3, "<a & b>"},
                      {{0, 0}, 3, "\u00D8 12\u066B5 \u20AC \U0001F600"},
                      {{0, 0}, 3, "cut \xC3"}};
    const std::string svg = geometry::svgFile(drawing);
    EXPECT_NE(svg.find(">&lt;a &amp; b&gt;</text>"), std::string::npos);
    // The larger pulley's arc is more than half a turn, the smaller's less.
    EXPECT_NE(svg.find(" 0 1 0 "), std::string::npos);
    EXPECT_NE(svg.find(" 0 0 0 "), std::string::npos);
    EXPECT_NE(svg.find("mm\" viewBox=\""), std::string::npos);
    const std::string dxf = geometry::dxfFile(drawing);
    EXPECT_NE(dxf.find("\n%%c 12\\U+066B5 \\U+20AC \\U+1F600\n"), std::string::npos);
    EXPECT_NE(dxf.find("$INSUNITS\n70\n4\n"), std::string::npos);
    EXPECT_NE(dxf.find("\ncut \\U+0003\n"), std::string::npos); // a character cut short
    for (std::string_view layer : geometry::dxfLayers)
        EXPECT_NE(dxf.find("\n8\n" + std::string(layer) + "\n"), std::string::npos) << layer;
}

// A layout's drawing: the belt drawn is as long as its path (an open belt without the piece
// through the carriage), every arc turning the belt's way; the travel on its own layer, where
// the movable pulley stands; everything in the box, and no dimension.
TEST(Drawing, LayoutsDrawTheirPathAndTravel) {
    using Entry = geometry::LayoutEntry;
    using Travel = geometry::Travel;
    const Entry motor{Entry::Kind::toothed, {0, 0}, 20, geometry::BeltFace::teeth, false};
    const Entry screw{Entry::Kind::toothed, {150, 0}, 60, geometry::BeltFace::teeth, false};
    const Entry idler{Entry::Kind::toothed, {75, -30}, 20, geometry::BeltFace::teeth, true};
    const Entry roller{Entry::Kind::plain, {75, -15}, 16, geometry::BeltFace::back, true};
    const Entry clamp{Entry::Kind::clamp, {-10, 30}, 0, geometry::BeltFace::teeth, false};
    const geometry::BeltProfile *gt2 = geometry::readProfile("GT2")->profile;
    struct Case {
        const char *name;
        geometry::Layout layout;
        std::optional<geometry::Point> movedTo;
        double travelDegrees; // drawn on an arm
    };
    const Case cases[] = {
        {"an open belt over a plain back-side roller",
         {gt2, {clamp, motor, roller, screw, {clamp.kind, {160, 30}}}, std::nullopt},
         std::nullopt,
         0},
        {"an idler on a slot, moved",
         {gt2, {motor, screw, idler}, Travel{2, Travel::Kind::slot, {75, -10}}},
         geometry::Point{75, -20},
         0},
        {"an idler on an arm",
         {gt2, {motor, screw, idler}, Travel{2, Travel::Kind::arm, {}, {75, -50}, 45, 135}},
         geometry::Point{85, -50 + std::sqrt(300.0)}, // 60 degrees on
         90},
        {"an idler on an arm that turns round",
         {gt2, {motor, screw, idler}, Travel{2, Travel::Kind::arm, {}, {75, -50}, 0, 0, true}},
         std::nullopt,
         360},
    };
    for (const Case &each : cases) {
        SCOPED_TRACE(each.name);
        geometry::Layout there = each.layout;
        if (each.movedTo)
            there.entries[each.layout.travel->entry].centre = *each.movedTo;
        const auto path = std::get<geometry::BeltPath>(geometry::beltPath(there));
        const std::vector<std::string> names(there.entries.size(), "p");
        const geometry::Drawing drawing =
            geometry::drawLayout(each.layout, path, names, "384-2GT", each.movedTo);
        double length = 0;
        for (const geometry::Segment &span : drawing.spans)
            length += distance(span.from, span.to);
        for (const geometry::Arc &arc : drawing.arcs)
            length += arc.radius * std::fmod(arc.endAngle - arc.startAngle + 360, 360) *
                      std::numbers::pi / 180;
        EXPECT_NEAR(length, path.pitchLength, 1e-9);
        EXPECT_TRUE(drawing.dimension.empty());
        EXPECT_EQ(drawing.labels.back().text, "384-2GT");
        const std::string svg = geometry::svgFile(drawing), dxf = geometry::dxfFile(drawing);
        EXPECT_EQ(svg.find("QUOTA"), std::string::npos);
        EXPECT_EQ(dxf.find("QUOTA"), std::string::npos);
        const bool moves = each.layout.travel.has_value();
        EXPECT_EQ(svg.find("<g id=\"CORSA\"") != std::string::npos, moves);
        EXPECT_EQ(dxf.find("\n8\nCORSA\n") != std::string::npos, moves);
        std::vector<geometry::Point> drawn;
        for (const geometry::Circle &circle : drawing.outsideCircles)
            drawn.insert(drawn.end(), {{circle.centre.x - circle.radius, circle.centre.y},
                                       {circle.centre.x, circle.centre.y + circle.radius}});
        double turned = 0;
        for (const geometry::Arc &arc : drawing.travelArcs) {
            turned += std::fmod(arc.endAngle - arc.startAngle + 360, 360);
            const double start = arc.startAngle * std::numbers::pi / 180;
            drawn.push_back({arc.centre.x + arc.radius * std::cos(start),
                             arc.centre.y + arc.radius * std::sin(start)});
            EXPECT_DOUBLE_EQ(arc.radius, distance(arc.centre, each.layout.entries[2].centre));
        }
        EXPECT_NEAR(turned, each.travelDegrees, 1e-9);
        for (const geometry::Segment &segment : drawing.travel)
            drawn.insert(drawn.end(), {segment.from, segment.to});
        if (moves) { // the slot from the file's centre, or the arm out to where the pulley stands
            EXPECT_EQ(drawing.travel.front().to.y,
                      each.layout.travel->kind == Travel::Kind::slot
                          ? each.layout.travel->end.y
                          : there.entries[each.layout.travel->entry].centre.y);
        }
        for (const geometry::Point &point : drawn)
            EXPECT_TRUE(point.x > drawing.lowest.x && point.x < drawing.highest.x &&
                        point.y > drawing.lowest.y && point.y < drawing.highest.y)
                << point.x << " " << point.y;
    }
}

// A layout's labels, as its drawing boxes them, keep clear of one another, of the belt, of every
// pulley's circles and cross and of the travel, with the text as the files have it and as large
// as a small window makes it; with the belt, and without it where the path cannot be built. The
// lines are checked here point by point.
TEST(Drawing, LayoutLabelsKeepClearOfTheBeltThePulleysAndOneAnother) {
    using Entry = geometry::LayoutEntry;
    using Kind = Entry::Kind;
    using Travel = geometry::Travel;
    using geometry::BeltFace;
    const auto toothed = [](double x, double y, double z, bool idler = false) {
        return Entry{Kind::toothed, {x, y}, z, BeltFace::teeth, idler};
    };
    const auto clamp = [](double x, double y) { return Entry{Kind::clamp, {x, y}}; };
    const geometry::BeltProfile *gt2 = geometry::readProfile("GT2")->profile;
    // A belt to a carriage round a corner: its back-side joint lifted until the belt wraps it.
    const auto carriage = [&](double jointY) {
        return geometry::Layout{geometry::readProfile("GT2-6")->profile,
                                {clamp(180, 193.634), toothed(20, 200, 20, true),
                                 Entry{Kind::plain, {20.648, 420}, 12, BeltFace::teeth, true},
                                 toothed(400, 420.648, 20), toothed(400, 220, 20, true),
                                 Entry{Kind::plain, {388.128, jointY}, 10, BeltFace::back, true},
                                 clamp(240, 206.366)}};
    };
    const std::vector<std::string> carriageNames{"carrelloS", "giuntoS", "angoloS",  "motoreA",
                                                 "anteriore", "giuntoD", "carrelloD"};
    const geometry::Layout tensioner{gt2,
                                     {toothed(0, 0, 20), toothed(150, 0, 60),
                                      Entry{Kind::toothed, {75, -30}, 20, BeltFace::back, true}},
                                     Travel{2, Travel::Kind::slot, {75, -2}}};
    geometry::Layout arm = tensioner;
    arm.entries[2].face = BeltFace::teeth;
    arm.travel = Travel{2, Travel::Kind::arm, {}, {75, -10}, 200, 340};
    const geometry::Layout printer{gt2,
                                   {toothed(0, 0, 20), toothed(300, 0, 20, true),
                                    toothed(300, 300, 20, true), toothed(0, 300, 20, true)}};
    const std::vector<std::string> threeNames{"motore", "vite", "rullo"};
    // Pulleys closer than their names are long, one of them with no teeth, so no circle.
    geometry::Layout row{gt2, {}};
    std::vector<std::string> rowNames;
    for (int i = 0; i < 30; ++i) {
        row.entries.push_back(toothed(14 * i, 0, i == 3 ? 0 : 20));
        rowNames.push_back("puleggia " + std::to_string(i + 1));
    }
    struct Case {
        const char *name;
        geometry::Layout layout;
        std::vector<std::string> names;
        double belt; // mm: where the travel takes it; 0 for as the file has it, < 0 for no belt
    };
    const Case cases[] = {
        {"a carriage's belt", carriage(210), carriageNames, 0},
        {"a carriage's belt that does not build", carriage(200.86), carriageNames, -1},
        {"a tensioner on a slot at 384 mm", tensioner, threeNames, 384},
        {"a tensioner on a slot where the file has it", tensioner, threeNames, -1},
        {"a tensioner on an arm", arm, {"motore", "vite", "braccio"}, 384},
        {"a printer's loop", printer, {"motore", "riga 3", "riga 4", "riga 5"}, 0},
        {"a row of pulleys that does not build", row, rowNames, -1},
    };
    for (const Case &each : cases)
        for (const double smallestText : {0.0, 8.0, 40.0}) {
            SCOPED_TRACE(::testing::Message() << each.name << ", text " << smallestText);
            std::optional<geometry::Point> movedTo;
            geometry::Drawing drawing;
            if (each.belt < 0) {
                drawing = geometry::drawPulleys(each.layout, each.names, movedTo, smallestText);
                EXPECT_TRUE(drawing.spans.empty() && drawing.arcs.empty());
            } else {
                geometry::BeltPath path;
                if (each.belt > 0) {
                    const geometry::Placement place =
                        geometry::placementsForLength(each.layout, each.belt).at(0);
                    movedTo = place.centre;
                    path = place.path;
                } else {
                    path = std::get<geometry::BeltPath>(geometry::beltPath(each.layout));
                }
                drawing = geometry::drawLayout(each.layout, path, each.names, "1161,45 mm", movedTo,
                                               smallestText);
                EXPECT_EQ(drawing.labels.back().text, "1161,45 mm");
            }
            std::vector<geometry::Segment> lines(drawing.spans.begin(), drawing.spans.end());
            lines.insert(lines.end(), drawing.travel.begin(), drawing.travel.end());
            lines.insert(lines.end(), drawing.centreMarks.begin(), drawing.centreMarks.end());
            std::vector<geometry::Circle> circles(drawing.pitchCircles.begin(),
                                                  drawing.pitchCircles.end());
            circles.insert(circles.end(), drawing.outsideCircles.begin(),
                           drawing.outsideCircles.end());
            ASSERT_GE(drawing.labels.size(), each.names.size());
            expectLabelsClear(drawing, lines,
                              {drawing.travelArcs.begin(), drawing.travelArcs.end()}, circles);
        }
}

} // namespace
