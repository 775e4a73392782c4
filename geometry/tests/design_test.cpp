#include "geometry/design.h"

#include "geometry/open_drive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>
#include <vector>

namespace {

const geometry::BeltProfile &profileNamed(const char *name) {
    return *geometry::readProfile(name)->profile;
}

using Drive = std::tuple<std::int64_t, std::int64_t, std::int64_t>; // larger, smaller, belt

// Every drive of the query found the long way: each pulley pair, each belt from one that only
// wraps the larger pulley until the distance passes the slot, each solved.
std::vector<Drive> enumerated(const geometry::DesignQuery &query) {
    std::vector<Drive> drives;
    for (int larger = query.fewestTeeth; larger <= query.mostTeeth; ++larger) {
        for (int smaller = query.fewestTeeth; smaller <= larger; ++smaller) {
            const double ratio = static_cast<double>(larger) / static_cast<double>(smaller);
            if (ratio < query.lowestRatio || ratio > query.highestRatio)
                continue;
            for (std::int64_t teeth = larger;; ++teeth) {
                const auto drive = geometry::openDrive(larger, smaller, static_cast<double>(teeth),
                                                       query.profile->pitch);
                if (drive->centreDistance > query.longest)
                    break;
                const bool sound = drive->centreDistance >= drive->largeRadius + drive->smallRadius;
                if (sound && drive->centreDistance >= query.shortest &&
                    (!query.stock || std::ranges::count(*query.stock, teeth)))
                    drives.emplace_back(larger, smaller, teeth);
            }
        }
    }
    return drives;
}

// The room between the outside circles, from the distance and the two pitch diameters z p / pi.
double outsideGap(const geometry::BeltProfile &profile, const Drive &drive) {
    const auto [larger, smaller, teeth] = drive;
    const auto z1 = static_cast<double>(larger), z2 = static_cast<double>(smaller);
    const double distance =
        geometry::openDrive(z1, z2, static_cast<double>(teeth), profile.pitch)->centreDistance;
    return distance - (z1 + z2) * profile.pitch / std::numbers::pi / 2 +
           2 * profile.pitchLineOffset;
}

// A drive a designer looks at twice: too few teeth in mesh, or a pulley too small.
bool marked(const geometry::BeltProfile &profile, const Drive &drive) {
    const auto [larger, smaller, teeth] = drive;
    return geometry::openDrive(static_cast<double>(larger), static_cast<double>(smaller),
                               static_cast<double>(teeth), profile.pitch)
                   ->teethInMesh < 6 ||
           smaller < profile.smallestPulley ||
           outsideGap(profile, drive) < 2 * 0.61 * profile.pitch;
}

TEST(DesignSearch, FindsEveryDriveThatFitsRankedAsDesignersChoose) {
    const geometry::Stock stock{60, 70, 75, 80, 90};
    const geometry::Stock few{60};
    const struct {
        const char *profile;
        double lowest, highest, wanted, shortest, longest;
        int fewest, most;
        const geometry::Stock *stock;
    } cases[] = {
        {"XL", 2 * 0.99, 2 * 1.01, 2, 50, 80, 10, 30, nullptr},
        {"XL", 1, 1.2, 1.1, 40, 60, 10, 24, nullptr}, // equal pulleys too
        {"5M", 2.9, 3.1, 3, 60, 90, 10, 40, nullptr},
        {"XL", 1.5, 3, 2.25, 60, 120, 10, 30, &stock},
        {"L", 5, 6, 5.5, 10, 20, 10, 30, nullptr},     // none
        {"XL", 2, 3, 2.5, 20, 40, 4, 12, nullptr},     // 12/4 and 12/6 as good as each other
        {"XL", 2, 2, 2, 40, 200, 10, 20, &few},        // belts past the list's last
        {"5M", 1, 1.1, 1.05, 60, 90, 12, 16, nullptr}, // 12 and 13 teeth below 5M's smallest
    };
    for (const auto &c : cases) {
        for (const bool soundOnly : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.profile << " " << c.lowest << ":" << c.highest
                                            << (soundOnly ? " sound only" : ""));
            geometry::DesignQuery query{&profileNamed(c.profile),
                                        c.lowest,
                                        c.highest,
                                        c.wanted,
                                        c.shortest,
                                        c.longest,
                                        c.fewest,
                                        c.most,
                                        c.stock};
            query.soundOnly = soundOnly;
            const geometry::DesignSearch search = geometry::searchDesigns(query);
            std::vector<Drive> found;
            for (const geometry::Design &design : search.designs)
                found.emplace_back(design.larger, design.smaller, design.belt.teeth);
            std::vector<Drive> expected = enumerated(query);
            const auto needsMark = [&](const Drive &drive) {
                return marked(*query.profile, drive);
            };
            const auto leftOut = soundOnly ? std::erase_if(expected, needsMark) : 0;
            // The ranking: the sound drives first, then the ratio's error, the larger pulley, the
            // belt, the smaller.
            std::ranges::sort(expected, {}, [&](const Drive &drive) {
                const auto [larger, smaller, teeth] = drive;
                return std::tuple{
                    needsMark(drive),
                    std::abs(static_cast<double>(larger) / static_cast<double>(smaller) - c.wanted),
                    larger, teeth, smaller};
            });
            EXPECT_EQ(found, expected);
            EXPECT_EQ(search.leftOut, static_cast<std::int64_t>(leftOut));
            EXPECT_EQ(search.designs.empty(), expected.empty());
        }
    }
    // Near a wanted distance: each pair's last belt below it and first at or above it.
    for (const geometry::Stock *list : {static_cast<const geometry::Stock *>(nullptr), &stock}) {
        const double wanted = 80;
        geometry::DesignQuery query{&profileNamed("XL"), 1.5, 3,  2.25, 0,
                                    wanted + 50,         10,  30, list};
        std::vector<std::pair<Drive, double>> expected;
        for (const Drive &drive : enumerated(query)) {
            const auto [larger, smaller, teeth] = drive;
            const double distance =
                geometry::beltWithTeeth(static_cast<double>(larger), static_cast<double>(smaller),
                                        *query.profile, teeth)
                    .drive.centreDistance;
            auto same = [&, larger = larger,
                         smaller = smaller](const std::pair<Drive, double> &kept) {
                return std::get<0>(kept.first) == larger && std::get<1>(kept.first) == smaller &&
                       (kept.second < wanted) == (distance < wanted);
            };
            const auto kept = std::ranges::find_if(expected, same);
            if (kept == expected.end())
                expected.emplace_back(drive, distance);
            else if (distance < wanted) // a nearer one below
                *kept = {drive, distance};
        }
        std::ranges::sort(expected, {}, [&](const std::pair<Drive, double> &entry) {
            const auto [larger, smaller, teeth] = entry.first;
            return std::tuple{
                marked(*query.profile, entry.first),
                std::abs(static_cast<double>(larger) / static_cast<double>(smaller) - 2.25),
                std::abs(entry.second - wanted),
                larger,
                teeth,
                smaller};
        });
        query.wantedDistance = wanted;
        std::vector<std::pair<Drive, double>> found;
        for (const geometry::Design &design : geometry::searchDesigns(query).designs)
            found.push_back({{design.larger, design.smaller, design.belt.teeth},
                             design.belt.drive.centreDistance});
        EXPECT_EQ(found, expected);
        EXPECT_FALSE(found.empty());
    }
    // A slot that would hold more drives than a list can take: none listed, and why.
    const geometry::DesignSearch tooMany =
        geometry::searchDesigns({&profileNamed("XL"), 2, 2, 2, 1, 1e18, 10, 20, nullptr});
    EXPECT_TRUE(tooMany.tooMany);
    EXPECT_TRUE(tooMany.designs.empty());
    // A search no longer wanted ends with nothing, near a distance and in a slot.
    std::atomic<bool> stop = true;
    geometry::DesignQuery stopped{&profileNamed("XL"), 2, 2, 2, 50, 80, 10, 30};
    const std::size_t found = geometry::searchDesigns(stopped).designs.size();
    stopped.stop = &stop;
    EXPECT_TRUE(geometry::searchDesigns(stopped).designs.empty());
    stop = false; // still wanted: all of it
    EXPECT_EQ(geometry::searchDesigns(stopped).designs.size(), found);
    EXPECT_GT(found, 0U);
    stop = true;
    stopped.wantedDistance = 60;
    EXPECT_TRUE(geometry::searchDesigns(stopped).designs.empty());
    // So many pulley pairs, whatever their belts: near a distance, and in a slot.
    geometry::DesignQuery everyPair{&profileNamed("XL"), 1, 1e9, 2, 50, 60, 1, 1200, nullptr};
    for (const bool near : {true, false}) {
        if (!near)
            everyPair.mostTeeth = 1700;
        everyPair.wantedDistance = near ? std::optional(100.0) : std::nullopt;
        const geometry::DesignSearch search = geometry::searchDesigns(everyPair);
        EXPECT_TRUE(search.tooLong) << near;
        EXPECT_TRUE(search.designs.empty()) << near;
    }
}

// Each limit is counted before the work: a list exactly at it runs whole, one past it lists
// nothing and says which limit it passed.
TEST(DesignSearch, RefusedPastItsLimitsOnly) {
    const geometry::Stock stock{60, 70, 75, 80, 90};
    std::int64_t pairs = 0;
    for (int larger = 10; larger <= 30; ++larger)
        for (int smaller = 10; smaller <= larger; ++smaller)
            pairs += larger >= 1.5 * smaller && larger <= 3 * smaller;
    enum Limit { rows, tried };
    const struct {
        bool near;
        const geometry::Stock *stock;
        Limit limit;
        std::int64_t past; // how far past the limit the search is
    } cases[] = {
        {false, nullptr, rows, 0},  {false, nullptr, rows, 1},  {false, &stock, rows, 0},
        {false, &stock, rows, 1},   {true, nullptr, rows, 0},   {true, nullptr, rows, 1},
        {false, nullptr, tried, 0}, {false, nullptr, tried, 1}, {true, nullptr, tried, 0},
        {true, nullptr, tried, 1},  {true, &stock, tried, 0},   {true, &stock, tried, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.near << c.stock << c.limit << c.past);
        geometry::DesignQuery query{&profileNamed("XL"), 1.5, 3, 2.25, 60, 120, 10, 30, c.stock};
        if (c.near)
            query.wantedDistance = 90;
        const std::size_t whole = geometry::searchDesigns(query).designs.size();
        ASSERT_GT(whole, 0U);
        // The rows near a distance are counted as two a pair, the most there can be.
        if (c.limit == rows)
            query.limits.rows = (c.near ? 2 * pairs : static_cast<std::int64_t>(whole)) - c.past;
        else
            query.limits.beltsTried = pairs * geometry::beltsTriedPerPair(query) - c.past;
        const geometry::DesignSearch search = geometry::searchDesigns(query);
        EXPECT_EQ(search.designs.size(), c.past ? 0 : whole);
        EXPECT_EQ(search.tooMany, c.past && c.limit == rows);
        EXPECT_EQ(search.tooLong, c.past && c.limit == tried);
    }
}

// The drive's whole geometry against closed forms.
TEST(DriveGeometry, AgreesWithClosedForms) {
    const geometry::BeltProfile &xl = profileNamed("XL");
    // Equal pulleys: pitch diameters z p / pi, half a turn on each, the span the distance.
    const auto equal =
        geometry::driveGeometry(xl, 20, 20, *geometry::openDrive(20, 20, 60, xl.pitch), 60);
    EXPECT_DOUBLE_EQ(equal.larger.pitchDiameter, 20 * 5.08 / std::numbers::pi);
    EXPECT_EQ(equal.larger.wrapAngle, 180);
    EXPECT_EQ(equal.smaller.wrapAngle, 180);
    EXPECT_EQ(equal.span, equal.centreDistance);
    for (const auto &[name, larger, smaller, teeth] :
         {std::tuple{"XL", 36, 14, 75}, {"5M", 42, 14, 100}, {"T10", 60, 15, 120}}) {
        SCOPED_TRACE(name);
        const geometry::BeltProfile &profile = profileNamed(name);
        const auto drive = geometry::driveGeometry(
            profile, larger, smaller, *geometry::openDrive(larger, smaller, teeth, profile.pitch),
            teeth);
        for (const geometry::PulleyGeometry &pulley : {drive.larger, drive.smaller}) {
            EXPECT_NEAR(pulley.pitchDiameter - pulley.outsideDiameter, 2 * profile.pitchLineOffset,
                        1e-12);
            EXPECT_DOUBLE_EQ(pulley.teethInMesh, pulley.teeth * pulley.wrapAngle / 360);
        }
        EXPECT_DOUBLE_EQ(drive.larger.wrapAngle + drive.smaller.wrapAngle, 360);
        // The belt: both spans and the arc on each pulley.
        const double arcs = (drive.larger.wrapAngle * drive.larger.pitchDiameter +
                             drive.smaller.wrapAngle * drive.smaller.pitchDiameter) *
                            std::numbers::pi / 360;
        EXPECT_NEAR(2 * drive.span + arcs, drive.beltLength, 1e-9 * drive.beltLength);
        EXPECT_EQ(drive.beltLength, teeth * profile.pitch);
    }
}

TEST(DriveGeometry, FlangesNeedRoomBetweenOutsideCircles) {
    // A maker's catalogue: the 60-tooth 2GT pulley, 37.68 mm outside, has flanges 40.12 across.
    const geometry::BeltProfile &gt2 = profileNamed("2GT");
    const auto drive = geometry::openDrive(60, 20, 69, gt2.pitch);
    const auto shown = geometry::driveGeometry(gt2, 60, 20, *drive, 69);
    EXPECT_NEAR(shown.larger.outsideDiameter + 2 * geometry::flangeHeight(gt2), 40.12, 0.02);
    // Its shortest belt with 20 teeth, 138-2GT, leaves the outside circles 0.83 mm apart.
    EXPECT_NEAR(geometry::outsideGap(gt2, *drive), 0.83, 0.005);
    EXPECT_TRUE(geometry::needsMark(gt2, {60, 20, 3, geometry::beltWithTeeth(60, 20, gt2, 69)}));
    EXPECT_FALSE(geometry::needsMark(gt2, {60, 20, 3, geometry::beltWithTeeth(60, 20, gt2, 71)}));
}

// A slot for given pulleys, and the nearest belts of a stock list.
TEST(BeltsInSlot, AndNearestInStock) {
    const geometry::BeltProfile &xl = profileNamed("XL");
    const struct {
        double z1, z2, shortest, longest;
        std::int64_t first, last; // first > last: none
    } slots[] = {
        {36, 14, 120, 130, 73, 76},
        {14, 36, 120, 130, 73, 76},
        {36, 14, 125.74, 125.74, 1, 0}, // between two belts
        {36.5, 14, 120, 130, 1, 0},
        {36, 14.5, 120, 130, 1, 0},
        {36, 14, 130, 120, 1, 0},
        {36, 14, 1, 30, 1, 0},                          // the pitch circles would overlap
        {36, 14, 1, 1e18, 43, geometry::mostTeeth(xl)}, // up to the longest code
        {5e14, 1, 1, 1e18, 1, 0},                       // pulleys past it
    };
    for (const auto &slot : slots) {
        const geometry::BeltRange range =
            geometry::beltsInSlot(slot.z1, slot.z2, xl, slot.shortest, slot.longest);
        if (slot.first > slot.last) {
            EXPECT_GT(range.firstTeeth, range.lastTeeth) << slot.z1 << " " << slot.shortest;
        } else {
            EXPECT_EQ(range.firstTeeth, slot.first) << slot.z1 << " " << slot.shortest;
            EXPECT_EQ(range.lastTeeth, slot.last) << slot.z1 << " " << slot.shortest;
        }
    }

    const geometry::Stock stock{10, 73, 75, 76};
    EXPECT_TRUE(geometry::inStock(nullptr, 74));
    EXPECT_TRUE(geometry::inStock(&stock, 75));
    EXPECT_FALSE(geometry::inStock(&stock, 74));
    const struct {
        double wanted, firstCode, lastCode;
        std::int64_t below, above; // 0 for none
    } nearest[] = {
        {124, 1, 1000, 73, 75},
        {1000, 1, 1000, 76, 0},
        {124, 1, 148, 73, 0},
        {124, 150, 1000, 0, 75},
        {10, 1, 1000, 0, 73}, // 10 teeth do not go round, and are no belt below
        {geometry::openDrive(36, 14, 75, xl.pitch)->centreDistance, 1, 1000, 0, 75},
    };
    for (const auto &n : nearest) {
        const auto found =
            geometry::nearestInStock(36, 14, xl, n.wanted, n.firstCode, n.lastCode, stock);
        EXPECT_EQ(found.below ? found.below->teeth : 0, n.below) << n.wanted;
        EXPECT_EQ(found.above ? found.above->teeth : 0, n.above) << n.wanted;
    }
}

// Belts as makers print them, as a stock list holds them.
TEST(BeltNames, ReadAsPrinted) {
    const struct {
        const char *text;
        const char *profile; // nullptr: no belt
        std::int64_t teeth;
    } cases[] = {
        {"150XL037", "XL", 75},     {"203L", "L", 54},         {"202L", "L", 54},
        {"T5-500", "T5", 100},      {"T5-500-10", "T5", 100},  {"T2.5-177.5", "T2.5", 71},
        {"AT10-1010", "AT10", 101}, {"600-5M-15", "5M", 120},  {"200-2GT", "2GT", 100},
        {"1553.6MXL", "MXL", 1942}, {"1554MXL", nullptr, 0},   {"150XL37", nullptr, 0},
        {"151XL", nullptr, 0},      {"T5-500-1O", nullptr, 0}, {"XL150", nullptr, 0},
        {"150-XL", nullptr, 0},     {"", nullptr, 0},          {"150.XL", nullptr, 0},
        {"150QQ", nullptr, 0},      {"XL037-150", nullptr, 0}, {"T5-abc", nullptr, 0},
        {"15.0.5XL", nullptr, 0},   {"QQ-500", nullptr, 0},    {"T510-500", nullptr, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const auto belt = geometry::readBeltName(c.text);
        ASSERT_EQ(belt.has_value(), c.profile != nullptr);
        if (belt) {
            EXPECT_EQ(belt->profile, &profileNamed(c.profile));
            EXPECT_EQ(belt->teeth, c.teeth);
        }
    }
}

} // namespace
