#include "geometry/belt_search.h"
#include "geometry/open_drive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

constexpr double xl = 5.08;
constexpr double l = 9.525;

// The one answer to "which belt at the least?": it runs, the one a tooth shorter does not.
TEST(ShortestBelt, IsTheSoundBoundary) {
    const geometry::BeltProfile &xlBelt = *geometry::readProfile("XL")->profile;
    const geometry::BeltProfile &lBelt = *geometry::readProfile("L")->profile;
    const struct {
        double z1, z2;
        const geometry::BeltProfile &profile;
        std::int64_t teeth;
    } cases[] = {
        {36, 14, xlBelt, 43}, {14, 36, xlBelt, 43}, {20, 20, xlBelt, 33},
        {36, 14, lBelt, 43},  {60, 12, lBelt, 65},  {1, 1, xlBelt, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.z1 << ", " << c.z2 << " " << c.profile.name);
        const auto shortest = geometry::shortestBelt(c.z1, c.z2, c.profile);
        ASSERT_TRUE(shortest);
        EXPECT_EQ(shortest->teeth, c.teeth);
        const auto teeth = static_cast<double>(c.teeth);
        EXPECT_FALSE(geometry::unbuildable(c.z1, c.z2, teeth, c.profile.pitch));
        EXPECT_TRUE(geometry::unbuildable(c.z1, c.z2, teeth - 1, c.profile.pitch));
    }
    EXPECT_EQ(geometry::shortestBelt(9e14, 1, lBelt), std::nullopt);
    // At the largest code: a belt is named up to it, never past it.
    const auto mostXl = geometry::mostTeeth(xlBelt);
    const auto last = geometry::shortestBelt(static_cast<double>(mostXl - 1), 1, xlBelt);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->code, 922337203685476);
    EXPECT_EQ(geometry::shortestBelt(static_cast<double>(mostXl), 1, xlBelt), std::nullopt);
    EXPECT_EQ(geometry::shortestBelt(36, 14.5, xlBelt), std::nullopt);
    EXPECT_EQ(geometry::shortestBelt(0.5, 0.5, xlBelt), std::nullopt);
}

TEST(MadeBelts, ListOnlyTheSoundOnesOfARange) {
    const geometry::BeltProfile &xlBelt = *geometry::readProfile("XL")->profile;
    const geometry::BeltProfile &lBelt = *geometry::readProfile("L")->profile;
    const struct {
        double z1, z2;
        const geometry::BeltProfile &profile;
        double firstCode, lastCode;
        std::int64_t firstTeeth, lastTeeth;
    } cases[] = {
        {36, 14, lBelt, 140, 200, 43, 53},  // 161L to 198L
        {36, 14, xlBelt, 1, 100, 43, 50},   // 86XL to 100XL: none shorter runs
        {36, 14, xlBelt, 150, 150, 75, 75}, // one belt
        {36, 14, xlBelt, 1, 80, 43, 40},    // none
    };
    for (const auto &c : cases) {
        const auto range = geometry::beltsBetween(c.z1, c.z2, c.profile, c.firstCode, c.lastCode);
        EXPECT_EQ(range.firstTeeth, c.firstTeeth) << c.firstCode << ":" << c.lastCode;
        EXPECT_EQ(range.lastTeeth, c.lastTeeth) << c.firstCode << ":" << c.lastCode;
    }
    const geometry::Belt belt = geometry::beltWithTeeth(36, 14, lBelt, 40);
    EXPECT_EQ(belt.code, 150);
    EXPECT_EQ(belt.drive.centreDistance, geometry::openDrive(36, 14, 40, l)->centreDistance);
}

TEST(NearestBelts, FindsTheBeltsEitherSideOfTheWantedDistance) {
    const geometry::BeltProfile &xlBelt = *geometry::readProfile("XL")->profile;
    const geometry::BeltProfile &lBelt = *geometry::readProfile("L")->profile;
    const struct {
        const geometry::BeltProfile &profile;
        double wanted;
        double below, above; // codes, 0 for none
    } cases[] = {
        {xlBelt, 125.7398, 148, 150},
        {xlBelt, 125.75, 150, 152},
        {xlBelt, 120, 144, 146},
        {lBelt, 120, 191, 195},
        {xlBelt, 1, 0, 86},                 // shorter than the shortest belt that runs
        {xlBelt, 1e16, 922337203685476, 0}, // past the longest code
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.wanted << " " << c.profile.name);
        const auto nearest = geometry::nearestBelts(36, 14, c.profile, c.wanted);
        EXPECT_EQ(nearest.below ? nearest.below->code : 0, c.below);
        EXPECT_EQ(nearest.above ? nearest.above->code : 0, c.above);
        if (nearest.below) {
            EXPECT_LT(nearest.below->drive.centreDistance, c.wanted);
        }
        if (nearest.above) {
            EXPECT_GE(nearest.above->drive.centreDistance, c.wanted);
        }
    }
    const auto exact =
        geometry::nearestBelts(36, 14, xlBelt, geometry::openDrive(36, 14, 75, xl)->centreDistance);
    EXPECT_FALSE(exact.below);
    EXPECT_EQ(exact.above->code, 150);
    const auto limited = geometry::nearestBelts(36, 14, xlBelt, 120, 150, 160);
    EXPECT_FALSE(limited.below);
    EXPECT_EQ(limited.above->code, 150);
}

} // namespace
