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

LayoutEntry toothed(double x, double y, double teeth, BeltFace face = BeltFace::teeth,
                    bool idler = false) {
    return {Kind::toothed, {x, y}, teeth, face, idler};
}
LayoutEntry plain(double x, double y, double diameter, BeltFace face = BeltFace::teeth) {
    return {Kind::plain, {x, y}, diameter, face, false};
}
LayoutEntry clamp(double x, double y) {
    return {Kind::clamp, {x, y}, 0, BeltFace::teeth, false};
}
LayoutEntry back(LayoutEntry entry) {
    entry.face = BeltFace::back;
    return entry;
}
LayoutEntry idler(LayoutEntry entry) {
    entry.idler = true;
    return entry;
}

// A 20-tooth GT2 pulley's pitch radius, and a 20-tooth GT2 pulley's on the belt's back:
// its outside radius plus the belt's back above the pitch line.
const double r20 = 20 * 2 / (2 * pi);
const double r20back = r20 - 0.254 + (1.52 - 0.76 - 0.254);

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

TEST(Layout, FollowsThePitchCirclesAsClosedFormsSay) {
    // Two toothed pulleys at the distance the one-belt form solves: its geometry exactly.
    const auto drive = geometry::openDrive(36, 14, 75, xl->pitch);
    const Layout pair{xl, {toothed(0, 0, 36), toothed(drive->centreDistance, 0, 14)}, {}};
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
         {gt2, {toothed(0, 0, 20), toothed(120, 0, 20), toothed(30, 90, 20)}, {}},
         120 + std::hypot(90, 90) + std::hypot(30, 90) + 40,
         360},
        {"the same listed the other way round",
         {gt2, {toothed(30, 90, 20), toothed(120, 0, 20), toothed(0, 0, 20)}, {}},
         120 + std::hypot(90, 90) + std::hypot(30, 90) + 40,
         360},
        {"an inside and a back-side idler on a two-pulley drive",
         {gt2,
          {toothed(0, 0, 20), idler(toothed(60, 15, 16)), toothed(150, 0, 60),
           back(plain(80, -15, 12))},
          {}},
         0,
         360},
        {"a printer's loop: 4 sides and one turn",
         {gt2,
          {toothed(0, 0, 20), idler(toothed(300, 0, 20)), idler(toothed(300, 300, 20)),
           idler(toothed(0, 300, 20))},
          {}},
         1240,
         360},
        {"an open belt clamped to a carriage, less the carriage's 10 mm",
         {gt2, {clamp(150, r20), toothed(0, 0, 20), toothed(300, 0, 20), clamp(160, r20)}, {}},
         150 + 300 + 140 + 40,
         360},
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

    // A crossing span, from the teeth side of one circle to the back of the next.
    const Layout crossing{
        gt2, {toothed(0, 0, 20), back(toothed(80, 5, 20)), toothed(160, 0, 20)}, {}};
    const geometry::BeltPath crossed = pathOf(geometry::beltPath(crossing));
    expectSound(crossing, crossed);
    EXPECT_NEAR(crossed.spanLengths[0], std::sqrt(80 * 80 + 5 * 5 - std::pow(r20 + r20back, 2)),
                1e-9);
}

TEST(Layout, RefusesWhatCannotBeBuiltNamingTheEntries) {
    const LayoutEntry motor = toothed(0, 0, 20), driven = toothed(150, 0, 60);
    Layout slotted{gt2, {motor, driven, back(toothed(75, -10, 20))}, {}};
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
        {{gt2, {clamp(0, 10), motor, clamp(9, 10)}, {}}, {Fault::tooFewPulleys}},
        {{gt2, {motor, clamp(50, 50), driven}, {}}, {Fault::misplacedClamp, 1}},
        {{gt2, {motor, driven, clamp(50, 50)}, {}}, {Fault::misplacedClamp, 2}},
        {{gt2, {clamp(50, 50), motor, driven}, {}}, {Fault::misplacedClamp, 0}},
        {{gt2, {motor, toothed(150, 0, 20.5)}, {}}, {Fault::badTeeth, 1}},
        {{gt2, {motor, toothed(150, 0, 0)}, {}}, {Fault::badTeeth, 1}},
        {{gt2, {motor, plain(150, 0, 0)}, {}}, {Fault::badDiameter, 1}},
        {{gt2, {motor, plain(150, 0, INFINITY)}, {}}, {Fault::badDiameter, 1}},
        {{t20, {motor, driven, plain(75, 30, 40)}, {}}, {Fault::noBeltFigures, 2}},
        {{t20, {motor, driven, back(toothed(75, -30, 20))}, {}}, {Fault::noBeltFigures, 2}},
        {{gt2, {motor, toothed(25, 0, 60)}, {}}, {Fault::overlap, 0, 1}},
        {{gt2, {motor, driven, back(toothed(140, -20, 20))}, {}}, {Fault::overlap, 1, 2}},
        // Idlers the belt runs past: below its lower span, inside the loop, above the upper span.
        {{gt2, {motor, back(toothed(75, -30, 20)), driven}, {}}, {Fault::untouched, 1}},
        {{gt2, {motor, toothed(75, 0, 16), driven}, {}}, {Fault::untouched, 1}},
        {{gt2, {motor, back(toothed(75, 30, 20)), driven}, {}}, {Fault::untouched, 1}},
        // A crossed belt: its two spans cross.
        {{gt2, {motor, back(driven)}, {}}, {Fault::spansCross, 0, 1}},
        // Back-side pulleys only: the belt runs round nothing on its teeth.
        {{gt2, {back(motor), back(driven)}, {}}, {Fault::untouched, 0}},
        {travel({5, Travel::Kind::slot, {75, 0}}), {Fault::badTravel, 5}},
        {travel({2, Travel::Kind::slot, {75, -10}}), {Fault::badTravel, 2}},
        {travel({2, Travel::Kind::arm, {}, {75, -10}}), {Fault::badTravel, 2}},
        {travel({2, Travel::Kind::arm, {}, {75, -20}, 180, 360}), {Fault::badTravel, 2}},
        {travel({2, Travel::Kind::arm, {}, {75, -20}, 0, 720}), {Fault::badTravel, 2}},
    };
    for (const auto &c : cases) {
        const auto result = geometry::beltPath(c.layout);
        ASSERT_TRUE(std::holds_alternative<LayoutFault>(result))
            << static_cast<int>(c.fault.kind) << " " << c.fault.first;
        EXPECT_EQ(std::get<LayoutFault>(result), c.fault)
            << static_cast<int>(c.fault.kind) << " " << c.fault.first << " got "
            << static_cast<int>(std::get<LayoutFault>(result).kind) << " "
            << std::get<LayoutFault>(result).first << " " << std::get<LayoutFault>(result).second;
        // Nowhere on a travel that cannot be used, or where nothing can be built.
        EXPECT_TRUE(geometry::placementsForLength(c.layout, 400).empty());
    }
    EXPECT_TRUE(geometry::lengthsOnTravel(slotted).empty()); // no travel at all
}

TEST(Layout, WarnsOfPulleysThatCarryLoadOnFewTeethAndOfSmallIdlers) {
    const LayoutEntry left = toothed(0, 0, 30), right = toothed(200, 0, 30);
    const struct {
        Layout layout;
        std::vector<std::tuple<Warning, std::size_t, double>> warnings; // and the least
    } cases[] = {
        // The printer's loop: 20 teeth wrapped a quarter turn are 5 in mesh.
        {{gt2,
          {toothed(0, 0, 20), idler(toothed(300, 0, 20)), idler(toothed(300, 300, 20)),
           idler(toothed(0, 300, 20))},
          {}},
         {{Warning::fewTeethInMesh, 0, 6}}},
        // A tiny GT2 idler on the back: nothing published, no warning.
        {{gt2, {toothed(0, 0, 40), toothed(150, 0, 40), back(plain(75, -14, 5))}, {}}, {}},
        // A pulley carrying load that only deflects a span; XL idlers below one maker's least:
        // 10 teeth grooved, 20 mm flat on the back, 40 mm flat on the teeth, and a 14-tooth
        // pulley on the back, 22.13 mm outside.
        {{xl,
          {left, toothed(60, -30, 12), right, idler(toothed(140, 40, 10)),
           back(plain(100, 30, 20))},
          {}},
         {{Warning::fewTeethInMesh, 1, 6},
          {Warning::littleWrap, 1, 60},
          {Warning::smallIdler, 3, 12},
          {Warning::smallIdler, 4, 25.4}}},
        {{xl, {left, idler(back(toothed(100, -35, 14))), right, plain(100, 10, 40)}, {}},
         {{Warning::smallIdler, 1, 25.4}, {Warning::smallIdler, 3, 63.5}}},
    };
    for (const auto &c : cases) {
        const auto warnings =
            geometry::layoutWarnings(c.layout, pathOf(geometry::beltPath(c.layout)));
        ASSERT_EQ(warnings.size(), c.warnings.size());
        for (std::size_t i = 0; i < warnings.size(); ++i) {
            const auto [kind, entry, least] = c.warnings[i];
            EXPECT_EQ(warnings[i].kind, kind);
            EXPECT_EQ(warnings[i].entry, entry);
            EXPECT_NEAR(warnings[i].least, least, 1e-12);
            EXPECT_LT(warnings[i].value, least);
        }
    }
}

} // namespace
