#include "geometry/belt_profile.h"
#include "geometry/belt_search.h"
#include "geometry/centre_distance.h"
#include "geometry/errors.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <optional>
#include <stdexcept>

namespace {

constexpr double xl = 5.08;
constexpr double l = 9.525;

// Expected values come from an independent step-by-step evaluation in IEEE doubles; they
// are compared bit for bit, so a reordered or fused step shows up here.
TEST(CentreDistance, MatchesTheStepByStepEvaluationExactly) {
    struct Case {
        double z1, z2, beltCode, pitch, expected;
    };
    const Case cases[] = {
        {36, 14, 150, xl, 125.74815467065042},
        {14, 36, 150, xl, 125.74815467065042}, // swapped pulleys: same distance
        {20, 20, 100, xl, 76.2},               // equal pulleys: the straight span itself
        {20, 20, 140, xl, 127.0},
        {36, 14, 20, xl, 33.69285388734264}, // negative span, still a real root
        {30, 15, 60, xl, 14.69064262610007},
        {36, 14, 150, l, 63.17410103876745}, // 150L has 40 teeth, not 75
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.z1 << ", " << c.z2 << ", " << c.beltCode << " at pitch " << c.pitch);
        EXPECT_EQ(geometry::centreDistance(c.z1, c.z2, c.beltCode, c.pitch), c.expected);
    }
}

TEST(CentreDistance, BeltTooShortForItsPulleysFails) {
    struct Case {
        double z1, z2, beltCode, pitch;
    };
    const Case cases[] = {
        {36, 14, 60, xl}, // span 12.7 shorter than the radius difference 17.79
        {36, 14, 40, xl}, // span -12.7
        {36, 14, 75, l},  // 20 teeth wrap the pulleys and leave nothing
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.z1 << ", " << c.z2 << ", " << c.beltCode);
        EXPECT_THROW(geometry::centreDistance(c.z1, c.z2, c.beltCode, c.pitch),
                     geometry::InvalidArgumentError);
    }
}

TEST(CentreDistance, InfiniteInputsNeverReturnInfinityOrNaN) {
    EXPECT_THROW(geometry::centreDistance(DBL_MAX, 1, DBL_MAX, l), geometry::CalculationError);
    EXPECT_THROW(geometry::centreDistance(1, 1, DBL_MAX, xl), geometry::OverflowError);
}

TEST(BeltTeeth, LCodesAreRoundedLengthsOfWholeTeeth) {
    struct Case {
        double beltCode, pitch, teeth;
    };
    const Case cases[] = {
        {150, xl, 75},   {151, xl, 75.5}, {124, l, 33},   {150, l, 40},
        {187, l, 50},    {322, l, 86},    {-150, l, -40}, {5.625, l, 2}, // 1.5 rounds up
        {-5.625, l, -2}, {150, 8.0, 75},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.beltCode << " at pitch " << c.pitch);
        EXPECT_EQ(geometry::beltTeeth(c.beltCode, c.pitch), c.teeth);
    }
}

TEST(Ratio, DividesOrFailsOnAZeroDenominator) {
    EXPECT_EQ(geometry::ratio(36, 14), 2.5714285714285716);
    EXPECT_EQ(geometry::ratio(14, 36), 0.3888888888888889);
    EXPECT_EQ(geometry::ratio(-3, 4), -0.75);
    for (double numerator : {1.0, 0.0, -5.0}) {
        for (double zero : {0.0, -0.0}) {
            SCOPED_TRACE(testing::Message() << numerator << " / " << zero);
            EXPECT_THROW(geometry::ratio(numerator, zero), geometry::DivisionByZeroError);
        }
    }
    EXPECT_THROW(geometry::ratio(DBL_MAX, 0.5), geometry::OverflowError);
}

TEST(BeltPitch, StartsAtXlAndFollowsTheChosenProfile) {
    geometry::selectProfile(1);
    geometry::initialisePitch();
    EXPECT_EQ(Module1::BeltPitch, xl);

    const struct {
        std::int16_t index;
        double pitch;
    } choices[] = {{1, l}, {1, l}, {0, xl}, {0, xl}, {1, l}};
    for (const auto &choice : choices) {
        geometry::selectProfile(choice.index);
        EXPECT_EQ(Module1::BeltPitch, choice.pitch) << "after choosing " << choice.index;
    }

    for (std::int16_t index : {std::int16_t{-1}, std::int16_t{2}}) {
        EXPECT_THROW(geometry::selectProfile(index), std::out_of_range);
        EXPECT_EQ(Module1::BeltPitch, l) << "a bad index must leave the pitch alone";
    }
}

// The code the window suggests must be the boundary itself: it gives a distance, one less
// is too short.
TEST(ShortestBeltCode, IsTheBoundaryOfTheCalculation) {
    const struct {
        double z1, z2, pitch;
        std::int64_t code;
    } cases[] = {
        {36, 14, xl, 65},    {14, 36, xl, 65},
        {36, 14, l, 122},    {30, 15, xl, 55},
        {20, 20, xl, 40}, // equal pulleys: a belt that just wraps them
        {-36, -14, xl, -35}, {1e14, 1, xl, 163663854846412},
        {36, 14.5, xl, 65},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.z1 << ", " << c.z2 << " at pitch " << c.pitch);
        EXPECT_EQ(geometry::shortestBeltCode(c.z1, c.z2, c.pitch), c.code);
        const auto code = static_cast<double>(c.code);
        EXPECT_NO_THROW(geometry::centreDistance(c.z1, c.z2, code, c.pitch));
        EXPECT_FALSE(geometry::beltReachesAround(c.z1, c.z2, code - 1, c.pitch));
        if (c.z1 != c.z2) {
            EXPECT_THROW(geometry::centreDistance(c.z1, c.z2, code - 1, c.pitch),
                         geometry::InvalidArgumentError);
        }
    }
    EXPECT_EQ(geometry::shortestBeltCode(9e14, 0, l), std::nullopt);
}

TEST(MadeBelts, HaveWholeTeethAndTheirPrintedCodes) {
    const struct {
        std::int64_t teeth;
        double pitch;
        std::int64_t code;
    } cases[] = {{75, xl, 150}, {33, l, 124}, {40, l, 150}, {50, l, 187},
                 {86, l, 322},  {2, l, 7},    {6, l, 22}, // 7.5 and 22.5 round down
                 {75, 8.0, 150}}; // no known profile: two code units a tooth
    for (const auto &c : cases) {
        EXPECT_EQ(geometry::beltCodeForTeeth(c.teeth, c.pitch), c.code) << c.teeth;
        EXPECT_EQ(geometry::beltTeeth(static_cast<double>(c.code), c.pitch), c.teeth) << c.code;
    }

    const auto range = geometry::beltsBetween(36, 14, l, 140, 160);
    EXPECT_EQ(range.firstTeeth, 38); // 142L
    EXPECT_EQ(range.lastTeeth, 42);  // 157L
    EXPECT_EQ(geometry::beltWithTeeth(36, 14, l, 40).code, 150);
    EXPECT_EQ(geometry::beltWithTeeth(36, 14, l, 40).centreDistance, 63.17410103876745);
    // Too short belts are left out: the range starts at the shortest that goes round.
    EXPECT_EQ(geometry::beltsBetween(36, 14, xl, 1, 100).firstTeeth, 33);
    EXPECT_EQ(geometry::shortestBelt(36, 14, l)->code, 124);
    EXPECT_EQ(geometry::shortestBelt(9e14, 0, l), std::nullopt);
}

TEST(NearestBelts, FindsTheBeltsEitherSideOfTheWantedDistance) {
    const struct {
        double pitch, wanted;
        std::int64_t below, above; // codes, 0 for none
    } cases[] = {
        {xl, 125.74815467065042, 0, 150}, // exact: one belt
        {xl, 125.75, 150, 152},
        {xl, 120, 144, 146},
        {l, 120, 191, 195},
        {xl, 1, 0, 66},                 // shorter than the shortest belt
        {xl, 1e16, 922337203685476, 0}, // past the longest code
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.wanted << " at pitch " << c.pitch);
        const auto nearest = geometry::nearestBelts(36, 14, c.pitch, c.wanted);
        EXPECT_EQ(nearest.below ? nearest.below->code : 0, c.below);
        EXPECT_EQ(nearest.above ? nearest.above->code : 0, c.above);
        if (nearest.below) {
            EXPECT_LT(nearest.below->centreDistance, c.wanted);
        }
        if (nearest.above) {
            EXPECT_GE(nearest.above->centreDistance, c.wanted);
        }
    }
    const auto limited = geometry::nearestBelts(36, 14, xl, 120, 150, 160);
    EXPECT_FALSE(limited.below);
    EXPECT_EQ(limited.above->code, 150);
}

} // namespace
