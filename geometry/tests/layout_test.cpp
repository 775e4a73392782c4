#include "geometry/layout.h"

#include "geometry/open_drive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>
#include <variant>
#include <vector>

namespace {

using geometry::BeltFace;
using geometry::Layout;
using geometry::LayoutEntry;
using geometry::LayoutFault;
using geometry::Point;
using geometry::Travel;
using Kind = LayoutEntry::Kind;
using Fault = LayoutFault::Kind;
using Warning = geometry::LayoutWarning::Kind;

constexpr double pi = std::numbers::pi;
const geometry::BeltProfile *const gt2 = geometry::readProfile("GT2")->profile;
const geometry::BeltProfile *const xl = geometry::readProfile("XL")->profile;

const auto toothed = [](double x, double y, double z) {
    return LayoutEntry{Kind::toothed, {x, y}, z};
};
const auto plain = [](double x, double y, double d) { return LayoutEntry{Kind::plain, {x, y}, d}; };
const auto clamp = [](double x, double y) { return LayoutEntry{Kind::clamp, {x, y}}; };
const auto back = [](LayoutEntry entry) { return entry.face = BeltFace::back, entry; };
const auto idler = [](LayoutEntry entry) { return entry.idler = true, entry; };

// A 20-tooth GT2 pulley's pitch radius, and a 20-tooth GT2 pulley's on the belt's back:
// its outside radius plus the belt's back above the pitch line.
const double r20 = 20 * 2 / (2 * pi);
const double r20back = r20 - 0.254 + (1.52 - 0.76 - 0.254);

const LayoutEntry motor = toothed(0, 0, 20), driven = toothed(150, 0, 60);
// A printer's loop: a motor pulley and three idlers at the corners of a 300 mm square; and an
// open belt clamped to a carriage whose clamps are 10 mm apart.
const Layout printer{
    gt2,
    {motor, idler(toothed(300, 0, 20)), idler(toothed(300, 300, 20)), idler(toothed(0, 300, 20))}};
const Layout openBelt{gt2, {clamp(150, r20), motor, toothed(300, 0, 20), clamp(160, r20)}};

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// What any path must be, whatever made it: each span touches both pitch circles at right
// angles to their radii, the belt arrives and leaves where its spans end, each wrap is the
// angle between those two radii the way the belt turns, and the length adds up.
void expectSound(const Layout &layout, const geometry::BeltPath &path) {
    const std::size_t count = layout.entries.size();
    ASSERT_EQ(path.entries.size(), count);
    double length = 0;
    for (std::size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        const std::size_t next = (i + 1) % count;
        const Point centre = layout.entries[i].centre;
        const geometry::PathEntry &on = path.entries[i];
        const geometry::Segment &span = path.spans[i];
        EXPECT_NEAR(distance(span.from, centre), on.pitchRadius, 1e-9);
        EXPECT_NEAR(distance(span.to, layout.entries[next].centre), path.entries[next].pitchRadius,
                    1e-9);
        const Point run{span.to.x - span.from.x, span.to.y - span.from.y};
        EXPECT_NEAR(run.x * (span.from.x - centre.x) + run.y * (span.from.y - centre.y), 0, 1e-7);
        EXPECT_NEAR(distance(span.from, span.to), path.spanLengths[i], 1e-9);
        EXPECT_NEAR(distance(on.arrive, path.spans[(i + count - 1) % count].to), 0, 1e-12);
        EXPECT_NEAR(distance(on.leave, span.from), 0, 1e-12);
        if (on.pitchRadius > 0) {
            const double in = std::atan2(on.arrive.y - centre.y, on.arrive.x - centre.x);
            const double out = std::atan2(on.leave.y - centre.y, on.leave.x - centre.x);
            const double turned = on.counterClockwise ? out - in : in - out;
            EXPECT_NEAR(std::remainder(turned - on.wrap * pi / 180, 2 * pi), 0, 1e-9);
        }
        length += path.spanLengths[i] + on.pitchRadius * on.wrap * pi / 180;
    }
    if (layout.entries.front().kind == Kind::clamp)
        length -= path.spanLengths.back();
    EXPECT_NEAR(path.pitchLength, length, 1e-9 * length);
}

geometry::BeltPath pathOf(const std::variant<geometry::BeltPath, LayoutFault> &result) {
    return std::get<geometry::BeltPath>(result);
}

// The layout fixed with its movable entry there.
Layout placed(Layout layout, Point there) {
    layout.entries[layout.travel->entry].centre = there;
    layout.travel.reset();
    return layout;
}

TEST(Layout, FollowsThePitchCirclesAsClosedFormsSay) {
    // Two toothed pulleys at the distance the one-belt form solves: its geometry exactly.
    const auto drive = geometry::openDrive(36, 14, 75, xl->pitch);
    const Layout pair{xl, {toothed(0, 0, 36), toothed(drive->centreDistance, 0, 14)}};
    const geometry::BeltPath two = pathOf(geometry::beltPath(pair));
    expectSound(pair, two);
    EXPECT_NEAR(two.pitchLength, 75 * xl->pitch, 1e-9);
    for (double span : two.spanLengths)
        EXPECT_NEAR(span, drive->span, 1e-9);
    EXPECT_NEAR(two.entries[1].wrap, drive->wrapAngle, 1e-9);
    EXPECT_NEAR(two.entries[0].wrap, 360 - drive->wrapAngle, 1e-9);
    EXPECT_NEAR(two.entries[1].teethInMesh, drive->teethInMesh, 1e-9);

    const struct {
        const char *what;
        Layout layout;
        double length; // 0 where only the wraps are known
        double turns;  // teeth-side wraps less back-side wraps, degrees
    } cases[] = {
        {"three equal pulleys on a triangle: its perimeter and one turn",
         {gt2, {toothed(0, 0, 20), toothed(120, 0, 20), toothed(30, 90, 20)}},
         120 + std::hypot(90, 90) + std::hypot(30, 90) + 40,
         360},
        {"the same listed the other way round",
         {gt2, {toothed(30, 90, 20), toothed(120, 0, 20), toothed(0, 0, 20)}},
         120 + std::hypot(90, 90) + std::hypot(30, 90) + 40,
         360},
        {"an inside and a back-side idler on a two-pulley drive",
         {gt2,
          {toothed(0, 0, 20), idler(toothed(60, 15, 16)), toothed(150, 0, 60),
           back(plain(80, -15, 12))},
          {}},
         0,
         360},
        {"a printer's loop: 4 sides and one turn", printer, 1240, 360},
        {"a square of plain pulleys, 12 mm, whose pitch line lies off them by h + u",
         {gt2, {plain(0, 0, 12), plain(300, 0, 12), plain(300, 300, 12), plain(0, 300, 12)}},
         1200 + 2 * pi * (6 + 0.76 + 0.254),
         360},
        {"an open belt, less the carriage's 10 mm", openBelt, 150 + 300 + 140 + 40, 360},
        {"an open belt round one pulley, a motor riding on it",
         {gt2, {clamp(-100, r20), motor, clamp(-100, -r20)}},
         200 + 20,
         180},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const geometry::BeltPath path = pathOf(geometry::beltPath(c.layout));
        expectSound(c.layout, path);
        if (c.length > 0) {
            EXPECT_NEAR(path.pitchLength, c.length, 1e-9 * c.length);
        }
        double turns = 0;
        for (std::size_t i = 0; i < path.entries.size(); ++i)
            turns += (c.layout.entries[i].face == BeltFace::teeth ? 1 : -1) * path.entries[i].wrap;
        EXPECT_NEAR(turns, c.turns, 1e-9);
    }

    // Crossing spans, from the teeth side of one circle to the back of the next: a toothed
    // pulley and a plain one, whose pitch line lies T - h - u off it.
    const double plainBack = 6 + 1.52 - 0.76 - 0.254;
    const Layout crossing{gt2,
                          {toothed(0, 0, 20), back(toothed(80, 5, 20)), toothed(160, 0, 20),
                           back(plain(80, -12, 12))},
                          {}};
    const geometry::BeltPath crossed = pathOf(geometry::beltPath(crossing));
    expectSound(crossing, crossed);
    EXPECT_NEAR(crossed.spanLengths[0], std::sqrt(80 * 80 + 5 * 5 - std::pow(r20 + r20back, 2)),
                1e-9);
    EXPECT_NEAR(crossed.spanLengths[2], std::sqrt(80 * 80 + 12 * 12 - std::pow(r20 + plainBack, 2)),
                1e-9);
}

TEST(Layout, RefusesWhatCannotBeBuiltNamingTheEntries) {
    Layout slotted{gt2, {motor, driven, back(toothed(75, -10, 20))}};
    const auto travel = [&](Travel move) {
        Layout moving = slotted;
        moving.travel = move;
        return moving;
    };
    const geometry::BeltProfile *t20 = geometry::readProfile("T20")->profile;
    const struct {
        Layout layout;
        LayoutFault fault;
    } cases[] = {
        {{gt2, {}}, {Fault::tooFewPulleys}},
        {{gt2, {motor}}, {Fault::tooFewPulleys}},
        {{gt2, {clamp(0, 10), clamp(9, 10)}}, {Fault::tooFewPulleys}},
        {{gt2, {clamp(0, 10), motor}}, {Fault::tooFewPulleys}},
        {{gt2, {motor, clamp(50, 50), driven}}, {Fault::misplacedClamp, 1}},
        {{gt2, {motor, driven, clamp(50, 50)}}, {Fault::misplacedClamp, 2}},
        {{gt2, {clamp(50, 50), motor, driven}}, {Fault::misplacedClamp, 0}},
        {{gt2, {motor, toothed(150, 0, 20.5)}}, {Fault::badTeeth, 1}},
        {{gt2, {motor, toothed(150, 0, 0)}}, {Fault::badTeeth, 1}},
        {{gt2, {motor, plain(150, 0, 0)}}, {Fault::badDiameter, 1}},
        {{gt2, {motor, plain(150, 0, INFINITY)}}, {Fault::badDiameter, 1}},
        {{t20, {motor, driven, plain(75, 30, 40)}}, {Fault::noBeltFigures, 2}},
        {{t20, {motor, driven, back(toothed(75, -30, 20))}}, {Fault::noBeltFigures, 2}},
        {{gt2, {motor, toothed(25, 0, 60)}}, {Fault::overlap, 0, 1}},
        {{gt2, {motor, driven, back(toothed(140, -20, 20))}}, {Fault::overlap, 1, 2}},
        {{gt2, {motor, driven, toothed(150, 150, 20), toothed(10, 0, 20)}}, {Fault::overlap, 0, 3}},
        {{gt2, {clamp(75, r20), motor, driven, clamp(75, r20)}}, {Fault::overlap, 0, 3}},
        // Idlers the belt runs past: below its lower span, inside the loop, above the upper span.
        {{gt2, {motor, back(toothed(75, -30, 20)), driven}}, {Fault::untouched, 1}},
        {{gt2, {motor, toothed(75, 0, 16), driven}}, {Fault::untouched, 1}},
        {{gt2, {motor, back(toothed(75, 30, 20)), driven}}, {Fault::untouched, 1}},
        {{gt2, {clamp(75, r20), motor, toothed(75, 0, 16), driven, clamp(85, r20)}},
         {Fault::untouched, 2}},
        {{gt2, {back(toothed(75, -30, 20)), motor, driven}}, {Fault::untouched, 0}},
        // A carriage's open belt whose last back-side roller is wrapped -1.3 degrees: that
        // roller, not the first idler, whose removal leaves spans that cross.
        {{gt2,
          {clamp(180, 193.634), idler(toothed(20, 200, 20)), idler(plain(20.648, 420, 12)),
           toothed(400, 420.648, 20), idler(toothed(400, 220, 20)),
           idler(back(plain(388.128, 200.86, 10))), clamp(240, 206.366)}},
         {Fault::untouched, 5}},
        // A crossed belt: its two spans cross.
        {{gt2, {motor, back(driven)}}, {Fault::spansCross, 0, 1}},
        // Back-side pulleys only: the belt runs round nothing on its teeth.
        {{gt2, {back(motor), back(driven)}}, {Fault::untouched, 0}},
        {travel({5, Travel::Kind::slot, {75, 0}}), {Fault::badTravel, 5}},
        {travel({2, Travel::Kind::slot, {75, -10}}), {Fault::badTravel, 2}},
        {travel({2, Travel::Kind::arm, {}, {75, -10}}), {Fault::badTravel, 2}},
        {travel({2, Travel::Kind::arm, {}, {75, -20}, 180, 360}), {Fault::badTravel, 2}},
        {travel({2, Travel::Kind::arm, {}, {75, -20}, 300, 60}), {Fault::badTravel, 2}},
        // Two ends that are one angle: no arc, not a whole turn.
        {travel({2, Travel::Kind::arm, {}, {75, -20}, 90, 90}), {Fault::badTravel, 2}},
        {travel({2, Travel::Kind::arm, {}, {75, -20}, 90, 450}), {Fault::badTravel, 2}},
        {travel({2, Travel::Kind::slot, {75, INFINITY}}), {Fault::badTravel, 2}},
        {travel({2, Travel::Kind::arm, {}, {75, -INFINITY}}), {Fault::badTravel, 2}},
    };
    for (const auto &c : cases) {
        const auto result = geometry::beltPath(c.layout);
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.fault.kind) << " " << c.fault.first);
        ASSERT_TRUE(std::holds_alternative<LayoutFault>(result));
        const LayoutFault &fault = std::get<LayoutFault>(result);
        EXPECT_EQ(fault.kind, c.fault.kind);
        EXPECT_EQ(fault.first, c.fault.first);
        EXPECT_EQ(fault.second, c.fault.second);
        // Nowhere on a travel that cannot be used, or where nothing can be built.
        EXPECT_TRUE(geometry::placementsForLength(c.layout, 400).empty());
    }
    EXPECT_TRUE(geometry::lengthsOnTravel(slotted).empty()); // no travel at all
    // Nowhere on a travel whose other pulleys overlap, or whose runs between them cross: a
    // crossed belt, the moving idler beside another on its back run.
    EXPECT_TRUE(
        geometry::lengthsOnTravel({gt2,
                                   {motor, toothed(25, 0, 60), idler(back(toothed(75, -30, 20)))},
                                   Travel{2, Travel::Kind::slot, {75, -2}}})
            .empty());
    EXPECT_TRUE(geometry::lengthsOnTravel(
                    {gt2,
                     {motor, back(driven), idler(toothed(20, -5, 10)), idler(toothed(20, 5, 10))},
                     Travel{3, Travel::Kind::slot, {20, 15}}})
                    .empty());
}

TEST(Layout, WarnsOfPulleysThatCarryLoadOnFewTeethAndOfSmallIdlers) {
    const LayoutEntry left = toothed(0, 0, 30), right = toothed(200, 0, 30);
    const struct {
        Layout layout;
        std::vector<std::tuple<Warning, std::size_t, double, double>> warnings; // value, least
    } cases[] = {
        // The printer's loop: 20 teeth wrapped a quarter turn are 5 in mesh; clamps carry none.
        {printer, {{Warning::fewTeethInMesh, 0, 5, 6}}},
        {openBelt, {}},
        // A tiny GT2 idler on the back: nothing published, no warning.
        {{gt2, {toothed(0, 0, 40), toothed(150, 0, 40), back(plain(75, -14, 5))}}, {}},
        // A pulley carrying load that only deflects a span (too few teeth and degrees, by how
        // much not known here); XL idlers below one maker's least: 10 grooved teeth, 20 mm flat
        // on the back, 40 mm flat on the teeth, a 14-tooth pulley on the back (22.13 mm).
        {{xl,
          {left, toothed(60, -30, 12), right, idler(toothed(140, 40, 10)),
           back(plain(100, 30, 20))},
          {}},
         {{Warning::fewTeethInMesh, 1, NAN, 6},
          {Warning::littleWrap, 1, NAN, 60},
          {Warning::smallIdler, 3, 10, 12},
          {Warning::smallIdler, 4, 20, 25.4}}},
        {{xl, {left, idler(back(toothed(100, -35, 14))), right, plain(100, 10, 40)}},
         {{Warning::smallIdler, 1, 14 * 5.08 / pi - 2 * 0.254, 25.4},
          {Warning::smallIdler, 3, 40, 63.5}}},
        // Toothed pulleys below the makers' smallest, idlers too (GT2: 12 teeth), said once:
        // an XL idler of 8 grooves is below both its pulleys' 10 and an idler's 12.
        {{gt2, {toothed(0, 0, 10), idler(toothed(300, 0, 10))}},
         {{Warning::smallPulley, 0, 10, 12},
          {Warning::fewTeethInMesh, 0, 5, 6},
          {Warning::smallPulley, 1, 10, 12}}},
        {{xl, {left, right, idler(toothed(100, 40, 8))}}, {{Warning::smallPulley, 2, 8, 10}}},
    };
    for (const auto &c : cases) {
        const auto warnings =
            geometry::layoutWarnings(c.layout, pathOf(geometry::beltPath(c.layout)));
        ASSERT_EQ(warnings.size(), c.warnings.size());
        for (std::size_t i = 0; i < warnings.size(); ++i) {
            const auto [kind, entry, value, least] = c.warnings[i];
            EXPECT_EQ(warnings[i].kind, kind);
            EXPECT_EQ(warnings[i].entry, entry);
            EXPECT_NEAR(warnings[i].least, least, 1e-12);
            EXPECT_LT(warnings[i].value, least);
            if (!std::isnan(value)) {
                EXPECT_NEAR(warnings[i].value, value, 1e-12);
            }
        }
    }
}

// GT2, a 20-tooth motor pulley at (0, 0) and a 60-tooth pulley at (150, 0); stock loops of
// 380, 382, 384 and 386 mm; a 20-tooth back-side idler slides on a slot from (75, -30) to
// (75, -2). 382 fits with the idler at (75, -11.134), 384 at (75, -4.655); 380 is shorter than
// the belt without the idler, 386 longer than the slot's top reaches.
TEST(Layout, MovesItsPulleyUntilTheBeltFits) {
    const Layout slot{gt2,
                      {motor, driven, idler(back(toothed(75, -30, 20)))},
                      Travel{2, Travel::Kind::slot, {75, -2}}};
    // Listed the other way round, the slot run downwards.
    const Layout downwards{gt2,
                           {motor, idler(back(toothed(75, -2, 20))), driven},
                           Travel{1, Travel::Kind::slot, {75, -30}}};
    // On an arm about (75, -20) the idler rises and falls: two places for one belt.
    const Layout arm{gt2,
                     {motor, driven, idler(back(toothed(85, -20, 20)))},
                     Travel{2, Travel::Kind::arm, {}, {75, -20}, 0, 180}};
    // Along the lower span, pressing it alike all the way: shortest in the middle.
    const Layout along{gt2,
                       {motor, driven, idler(back(toothed(20, -4, 20)))},
                       Travel{2, Travel::Kind::slot, {130, -13.4}}};
    // Two 20-tooth pulleys, the second on a slot from 395 mm out: 830 mm fits at its start,
    // 880 at its end, and across the line of centres the length is least at the start.
    const Layout outwards{
        gt2, {motor, idler(toothed(395, 0, 20))}, Travel{1, Travel::Kind::slot, {420, 0}}};
    const Layout inwards{
        gt2, {motor, idler(toothed(420, 0, 20))}, Travel{1, Travel::Kind::slot, {395, 0}}};
    const Layout across{
        gt2, {motor, idler(toothed(395, 0, 20))}, Travel{1, Travel::Kind::slot, {395, 30}}};
    // An arm about the motor's centre: the length is the same all along, one place for it.
    const Layout around{
        gt2, {motor, idler(toothed(100, 0, 20))}, Travel{1, Travel::Kind::arm, {}, {0, 0}, 0, 90}};
    // A whole turn of the arm: only where the idler presses the lower span.
    Layout turning = arm;
    turning.travel->fullTurn = true;
    const struct {
        const Layout &layout;
        double length;
        std::vector<Point> centres; // to 1e-3 mm
    } cases[] = {
        {outwards, 830, {{395, 0}}},
        {outwards, 880, {{420, 0}}},
        {inwards, 830, {{395, 0}}},
        {across, 830, {{395, 0}}},
        {around, 240, {{100, 0}}},
        {turning, 382, {{80.480, -11.635}, {71.073, -10.803}}},
        {slot, 380, {}},
        {slot, 382, {{75, -11.134}}},
        {slot, 384, {{75, -4.655}}},
        {slot, 386, {}},
        {downwards, 384, {{75, -4.655}}},
        {arm, 382, {{80.480, -11.635}, {71.073, -10.803}}},
        {along, 383, {{41.336, -5.823}, {106.166, -11.363}}},
    };
    // Where the file puts it, the idler is below the belt: that place alone is no belt.
    EXPECT_EQ(std::get<LayoutFault>(geometry::beltPath(slot)).kind, Fault::untouched);
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.length << " mm, moving entry " << c.layout.travel->entry);
        const auto found = geometry::placementsForLength(c.layout, c.length);
        ASSERT_EQ(found.size(), c.centres.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_NEAR(found[i].centre.x, c.centres[i].x, 1e-3);
            EXPECT_NEAR(found[i].centre.y, c.centres[i].y, 1e-3);
            EXPECT_EQ(found[i].path.pitchLength, c.length); // the belt's, to the last bit
            // On the travel: on the slot, along from its start, or on the arm's circle in its
            // range.
            const Travel &travel = *c.layout.travel;
            const Point start = c.layout.entries[travel.entry].centre;
            if (travel.kind == Travel::Kind::slot) {
                const Point to{found[i].centre.x - start.x, found[i].centre.y - start.y};
                EXPECT_NEAR(std::hypot(to.x, to.y), found[i].along, 1e-9);
                EXPECT_NEAR((travel.end.x - start.x) * to.y - (travel.end.y - start.y) * to.x, 0,
                            1e-9);
            } else {
                EXPECT_NEAR(distance(found[i].centre, travel.pivot), distance(start, travel.pivot),
                            1e-9);
                const double angle = std::atan2(found[i].centre.y - travel.pivot.y,
                                                found[i].centre.x - travel.pivot.x) *
                                     180 / pi;
                if (!travel.fullTurn) {
                    EXPECT_GE(angle, travel.fromAngle - 1e-9);
                    EXPECT_LE(angle, travel.toAngle + 1e-9);
                }
            }
            // And there the layout, fixed, has that length.
            EXPECT_NEAR(pathOf(geometry::beltPath(placed(c.layout, found[i].centre))).pitchLength,
                        c.length, 1e-6);
        }
    }

    // The slot reaches from the belt without the idler, the two pulleys' own, to the idler at
    // its top.
    const double large = 60 * 2 / (2 * pi), apart = large - r20;
    const double alone = 2 * std::sqrt(150 * 150 - apart * apart) + pi * (large + r20) +
                         2 * apart * std::asin(apart / 150);
    const auto reached = geometry::lengthsOnTravel(slot);
    ASSERT_EQ(reached.size(), 1u);
    EXPECT_NEAR(reached[0].shortest, alone, 1e-6);
    EXPECT_NEAR(reached[0].longest, pathOf(geometry::beltPath(placed(slot, {75, -2}))).pitchLength,
                1e-9);

    // A printer's loop with a corner on a slot: least where the loop is square.
    Layout corner = printer;
    corner.travel = Travel{2, Travel::Kind::slot, {300, 310}};
    const auto cornerLengths = geometry::lengthsOnTravel(corner);
    ASSERT_EQ(cornerLengths.size(), 1u);
    EXPECT_NEAR(cornerLengths[0].shortest, 1240, 1e-9);

    // At a slot's ends, and at its start where the length is least with no slope.
    for (const auto &[layout, shortest, longest] :
         {std::tuple{&outwards, 830.0, 880.0}, std::tuple{&inwards, 830.0, 880.0},
          std::tuple{&across, 830.0, 2 * std::hypot(395.0, 30.0) + 40}}) {
        const auto ends = geometry::lengthsOnTravel(*layout);
        ASSERT_EQ(ends.size(), 1u);
        EXPECT_NEAR(ends[0].shortest, shortest, 1e-9);
        EXPECT_NEAR(ends[0].longest, longest, 1e-9);
    }

    // Whole turns of the arm from either side of its longest place, near 85 degrees, an arm
    // that stops just past it, and the slot along the span, against 3600 places on each.
    const auto onArm = [](double fraction) {
        return Point{75 + 10 * std::cos(2 * pi * fraction), -20 + 10 * std::sin(2 * pi * fraction)};
    };
    Layout after = arm, before = arm, stopping = arm;
    after.entries[2].centre = onArm(87 / 360.0);
    before.entries[2].centre = onArm(83 / 360.0);
    after.travel->fullTurn = before.travel->fullTurn = true;
    stopping.travel->toAngle = 86;
    const struct {
        const Layout &layout;
        Point (*place)(double fraction);
    } travels[] = {
        {after, onArm},
        {before, onArm},
        {stopping,
         [](double fraction) {
             const double angle = fraction * 86 * pi / 180;
             return Point{75 + 10 * std::cos(angle), -20 + 10 * std::sin(angle)};
         }},
        {along,
         [](double fraction) {
             return Point{20 + 110 * fraction, -4 - 9.4 * fraction};
         }},
    };
    for (const auto &travel : travels) {
        double shortest = INFINITY, longest = -INFINITY;
        for (int step = 0; step <= 3600; ++step) {
            const auto path =
                geometry::beltPath(placed(travel.layout, travel.place(step / 3600.0)));
            if (const auto *built = std::get_if<geometry::BeltPath>(&path)) {
                shortest = std::min(shortest, built->pitchLength);
                longest = std::max(longest, built->pitchLength);
            }
        }
        double least = INFINITY, most = -INFINITY;
        for (const geometry::LengthInterval &interval : geometry::lengthsOnTravel(travel.layout)) {
            least = std::min(least, interval.shortest);
            most = std::max(most, interval.longest);
        }
        // As far as any scanned place at least, and hardly farther: the scan's steps miss the
        // last of a steep rise to where the layout stops being buildable.
        EXPECT_LE(least, shortest + 1e-9);
        EXPECT_GE(most, longest - 1e-9);
        EXPECT_GT(least, shortest - 0.05);
        EXPECT_LT(most, longest + 0.05);
    }
}

} // namespace
