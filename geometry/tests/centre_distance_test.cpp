#include "failure_of.h"
#include "geometry/centre_distance.h"
#include "geometry/errors.h"
#include "geometry/open_drive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

using Kind = geometry::CalculationError::Kind;

constexpr double xl = 5.08;
constexpr double l = 9.525;

// Expected values come from an independent step-by-step evaluation in IEEE doubles; they
// are compared bit for bit, so a reordered or fused step shows up here.
TEST(CentreDistance, MatchesTheStepByStepEvaluationExactly) {
    struct Case {
        double z1, z2, beltTeeth, pitch, expected;
    };
    const Case cases[] = {
        {36, 14, 75, xl, 125.74815467065042},
        {14, 36, 75, xl, 125.74815467065042}, // swapped pulleys: same distance
        {20, 20, 50, xl, 76.2},               // equal pulleys: the straight span itself
        {20, 20, 70, xl, 127.0},
        {36, 14, 10, xl, 33.69285388734264}, // negative span, still a real root
        {30, 15, 30, xl, 14.69064262610007},
        {36, 14, 40, l, 63.17410103876745}, // 150L
        {36, 36, 36, xl, 0.0},              // a belt that only wraps the two pulleys
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.z1 << ", " << c.z2 << ", " << c.beltTeeth << " at pitch " << c.pitch);
        EXPECT_EQ(geometry::centreDistance(c.z1, c.z2, c.beltTeeth, c.pitch), c.expected);
    }
}

TEST(CentreDistance, BeltTooShortForItsPulleysFails) {
    struct Case {
        double z1, z2, beltTeeth, pitch;
    };
    const Case cases[] = {
        {36, 14, 30, xl}, // span 12.7 shorter than the radius difference 17.79
        {36, 14, 20, xl}, // span -12.7
        {36, 14, 20, l},  // 75L: 20 teeth wrap the pulleys and leave nothing
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.z1 << ", " << c.z2 << ", " << c.beltTeeth);
        EXPECT_EQ(failureOf([&] { geometry::centreDistance(c.z1, c.z2, c.beltTeeth, c.pitch); }),
                  Kind::beltTooShort);
    }
}

TEST(CentreDistance, InfiniteInputsNeverReturnInfinityOrNaN) {
    EXPECT_TRUE(failureOf([] { geometry::centreDistance(DBL_MAX, 1, DBL_MAX / 2, l); }));
    EXPECT_EQ(failureOf([] { geometry::centreDistance(1, 1, DBL_MAX / 2, xl); }), Kind::tooLarge);
}

TEST(Ratio, DividesOrFailsOnAZeroDenominator) {
    EXPECT_EQ(geometry::ratio(36, 14), 2.5714285714285716);
    EXPECT_EQ(geometry::ratio(14, 36), 0.3888888888888889);
    EXPECT_EQ(geometry::ratio(-3, 4), -0.75);
    EXPECT_EQ(geometry::ratio(3, -4), -0.75);
    for (double numerator : {1.0, 0.0, -5.0}) {
        for (double zero : {0.0, -0.0}) {
            SCOPED_TRACE(testing::Message() << numerator << " / " << zero);
            EXPECT_EQ(failureOf([&] { geometry::ratio(numerator, zero); }), Kind::divisionByZero);
        }
    }
    EXPECT_EQ(failureOf([] { geometry::ratio(DBL_MAX, 0.5); }), Kind::tooLarge);
}

} // namespace
