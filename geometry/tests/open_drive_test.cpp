#include "geometry/centre_distance.h"
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

// The true geometry: real pi, the belt wrapped round both pulleys.
TEST(OpenDrive, SolvesTheBeltLengthOfTheWrappedPulleys) {
    const struct {
        double z1, z2, teeth, pitch;
        double distance, wrapAngle, teethInMesh; // to four decimals, by Newton's method
    } cases[] = {
        {36, 14, 75, xl, 125.7398, 163.7353, 6.3675},
        {14, 36, 75, xl, 125.7398, 163.7353, 6.3675}, // swapped pulleys: the same drive
        {36, 14, 43, xl, 41.8829, 129.7382, 5.0454},  // 86XL, the shortest that runs
        {48, 12, 50, xl, 39.4766, 84.9955, 2.8332},   // the window's formula says 41.63
        {60, 12, 65, l, 113.9765, 100.6508, 3.3550},
        {5, 3, 5, xl, 1.6170, 0, 0}, // one turn of the larger pulley: it touches the smaller
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.z1 << ", " << c.z2 << " on " << c.teeth);
        const auto drive = geometry::openDrive(c.z1, c.z2, c.teeth, c.pitch);
        ASSERT_TRUE(drive);
        EXPECT_NEAR(drive->centreDistance, c.distance, 5e-5);
        EXPECT_NEAR(drive->wrapAngle, c.wrapAngle, 5e-5);
        EXPECT_NEAR(drive->teethInMesh, c.teethInMesh, 5e-5);
        // The belt measured piece by piece: two straight runs and the arc on each pulley.
        const double large = std::max(c.z1, c.z2) * c.pitch / (2 * M_PI);
        const double small = std::min(c.z1, c.z2) * c.pitch / (2 * M_PI);
        const double run =
            std::sqrt(std::pow(drive->centreDistance, 2) - std::pow(large - small, 2));
        const double smallArc = drive->wrapAngle * M_PI / 180;
        const double length = 2 * run + smallArc * small + (2 * M_PI - smallArc) * large;
        EXPECT_NEAR(length, c.teeth * c.pitch, 1e-9 * length);
    }
    // Equal pulleys: two runs and two half turns, exactly.
    for (double teeth : {21.0, 50.0, 1e6}) {
        const auto drive = geometry::openDrive(20, 20, teeth, xl);
        EXPECT_EQ(drive->centreDistance, (teeth - 20) * xl / 2);
        EXPECT_EQ(drive->wrapAngle, 180);
    }
    EXPECT_EQ(geometry::openDrive(20, 20, 50, xl)->centreDistance, 76.2);
    // The window's first-order formula comes close only as the belt grows long.
    for (const auto &[teeth, within] : {std::pair{75.0, 0.01}, {1000.0, 1e-5}}) {
        EXPECT_NEAR(geometry::openDrive(36, 14, teeth, xl)->centreDistance,
                    geometry::centreDistance(36, 14, teeth, xl), within);
    }
    EXPECT_FALSE(geometry::openDrive(36, 14, 35, xl)); // shorter than the larger pulley
    EXPECT_FALSE(geometry::openDrive(36, 0, 75, xl));
    EXPECT_FALSE(geometry::openDrive(36, 14, DBL_MAX, xl));
}

TEST(OpenDrive, IsSoundOnlyWhenItCanBeBuilt) {
    using geometry::Unsound;
    const struct {
        double z1, z2, teeth;
        std::optional<Unsound> expected;
    } cases[] = {
        {36, 14, 43, std::nullopt},           {36, 14, 42, Unsound::overlap},
        {36, 14, 36, Unsound::overlap},       {36, 14, 35, Unsound::tooShort},
        {36, 14.5, 75, Unsound::pulleyTeeth}, {36, 0, 75, Unsound::pulleyTeeth},
        {-36, 14, 75, Unsound::pulleyTeeth},  {36, 14, 75.5, Unsound::beltTeeth},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(geometry::unbuildable(c.z1, c.z2, c.teeth, xl), c.expected)
            << c.z1 << ", " << c.z2 << " on " << c.teeth;
    }
    // The window's test, for teeth whole or not: 42.5 teeth put the centres 40.475 mm apart,
    // and the pitch radii add up to 40.425.
    const struct {
        double z1, z2, teeth;
        bool runs;
    } windowCases[] = {
        {36, 14, 42.5, true},
        {36, 14, 42, false},
        {36, 14, 35, false},
        {12.5, 10, 75, true},
    };
    for (const auto &c : windowCases)
        EXPECT_EQ(geometry::runsOn(c.z1, c.z2, c.teeth, xl), c.runs) << c.z1 << " on " << c.teeth;
}

} // namespace
