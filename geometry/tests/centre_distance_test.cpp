#include "geometry/belt_profile.h"
#include "geometry/centre_distance.h"
#include "geometry/errors.h"

#include <gtest/gtest.h>

#include <cfloat>
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

} // namespace
