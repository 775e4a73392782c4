#include "geometry/belt_search.h"
#include "geometry/centre_distance.h"
#include "geometry/current_pitch.h"
#include "geometry/errors.h"
#include "geometry/open_drive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
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
        {36, 36, 72, xl, 0.0},               // a belt that only wraps the two pulleys
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
    EXPECT_EQ(geometry::ratio(3, -4), -0.75);
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
                    geometry::centreDistance(36, 14, 2 * teeth, xl), within);
    }
    EXPECT_FALSE(geometry::openDrive(36, 14, 35, xl)); // shorter than the larger pulley
    EXPECT_FALSE(geometry::openDrive(36, 0, 75, xl));
    EXPECT_FALSE(geometry::openDrive(36, 14, DBL_MAX, xl));
}

TEST(OpenDrive, IsSoundOnlyWhenItCanBeBuilt) {
    using geometry::Unsound;
    const struct {
        double z1, z2, teeth;
        Unsound expected;
    } cases[] = {
        {36, 14, 43, Unsound::none},          {36, 14, 42, Unsound::overlap},
        {36, 14, 36, Unsound::overlap},       {36, 14, 35, Unsound::tooShort},
        {36, 14.5, 75, Unsound::pulleyTeeth}, {36, 0, 75, Unsound::pulleyTeeth},
        {-36, 14, 75, Unsound::pulleyTeeth},  {36, 14, 75.5, Unsound::beltTeeth},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(geometry::soundness(c.z1, c.z2, c.teeth, xl), c.expected)
            << c.z1 << ", " << c.z2 << " on " << c.teeth;
    }
}

// One row per profile: its pitch, a code read into teeth and printed back as its makers
// print it, and a drive of equal pulleys, whose distance is known in closed form.
TEST(BeltProfiles, ReadCodesIntoWholeTeethAndPrintThemBack) {
    const struct {
        const char *typed;
        double pitch, code;
        std::int64_t teeth;
        const char *printed;
    } cases[] = {
        {"mxl", 2.032, 80, 100, "80MXL"},     {"XL037", xl, 150, 75, "150XL037"},
        {"L075", l, 150, 40, "150L075"},      {"L", l, 188, 50, "188L"},
        {"H100", 12.7, 240, 48, "240H100"},   {"XH", 22.225, 508, 58, "508XH"},
        {"XXH", 31.75, 700, 56, "700XXH"},    {"T2.5", 2.5, 177.5, 71, "T2.5-177.5"},
        {"t5-10", 5, 500, 100, "T5-500-10"},  {"T10", 10, 1010, 101, "T10-1010"},
        {"T20", 20, 1460, 73, "T20-1460"},    {"AT5", 5, 500, 100, "AT5-500"},
        {"AT10", 10, 1010, 101, "AT10-1010"}, {"AT20", 20, 1500, 75, "AT20-1500"},
        {"3M", 3, 600, 200, "600-3M"},        {"HTD5M-15", 5, 600, 120, "600-5M-15"},
        {"8m", 8, 800, 100, "800-8M"},        {"14M", 14, 1400, 100, "1400-14M"},
        {"GT2", 2, 200, 100, "200-2GT"},      {"2MGT-6", 2, 200, 100, "200-2GT-6"},
        {"3GT", 3, 300, 100, "300-3GT"},      {"5GT", 5, 500, 100, "500-5GT"},
        {"8MGT", 8, 800, 100, "800-8GT"},     {"GT14-40", 14, 1400, 100, "1400-14GT-40"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        const auto choice = geometry::readProfile(c.typed);
        ASSERT_TRUE(choice);
        EXPECT_EQ(choice->profile->pitch, c.pitch);
        EXPECT_EQ(geometry::teethOfCode(*choice->profile, c.code), std::vector{c.teeth});
        EXPECT_EQ(geometry::beltName(*choice, c.teeth), c.printed);
        const auto teeth = static_cast<double>(c.teeth);
        EXPECT_EQ(geometry::openDrive(20, 20, teeth, c.pitch)->centreDistance,
                  (teeth - 20) * c.pitch / 2);
    }
    // No made belt has these codes, and these are no profiles.
    const geometry::BeltProfile &xlBelt = *geometry::readProfile("XL")->profile;
    const geometry::BeltProfile &lBelt = *geometry::readProfile("L")->profile;
    for (double code : {151.0, 150.5, 0.0, -150.0, 1e15})
        EXPECT_TRUE(geometry::teethOfCode(xlBelt, code).empty()) << code;
    EXPECT_TRUE(geometry::teethOfCode(lBelt, 151).empty());
    EXPECT_TRUE(geometry::teethOfCode(*geometry::readProfile("XXH")->profile, 1).empty());
    // The profile as the user chose it, width and all.
    for (const auto &[typed, name] :
         {std::pair{"xl037", "XL037"}, {"t5-10", "T5-10"}, {"HTD8M", "8M"}}) {
        EXPECT_EQ(geometry::profileName(*geometry::readProfile(typed)), name);
    }
    for (const char *typed : {"", "Q5", "-XL"})
        EXPECT_EQ(geometry::readProfile(typed), std::nullopt) << typed;
}

// Codes as makers print them and as their stock lists do, every spelling of a profile that
// users write, and widths in each family's form.
TEST(BeltProfiles, ReadCodesSpellingsAndWidthsAsPrinted) {
    const auto profile = [](const char *name) { return *geometry::readProfile(name)->profile; };
    const struct {
        const char *profile;
        std::vector<double> codes; // the printed one first
        std::vector<std::int64_t> teeth;
    } codes[] = {
        {"L", {203, 202}, {54}},          {"L", {188, 187}, {50}},
        {"L", {263, 262}, {70}},          {"L", {323, 322}, {86}},
        {"L", {368, 367}, {98}},          {"XH", {508, 507}, {58}},
        {"XXH", {713, 712}, {57}},        {"MXL", {1553.6}, {1942}},
        {"MXL", {1554.4}, {1943}},        {"MXL", {1555}, {1944}},
        {"MXL", {1554}, {}}, // printed by neither of its belts, which it names both:
    };
    for (const auto &c : codes) {
        SCOPED_TRACE(testing::Message() << c.codes[0] << c.profile);
        const std::vector<std::int64_t> named =
            c.teeth.empty() ? std::vector<std::int64_t>{1942, 1943} : c.teeth;
        for (double code : c.codes)
            EXPECT_EQ(geometry::teethOfCode(profile(c.profile), code), named);
        EXPECT_EQ(geometry::beltCode(profile(c.profile), named.back()),
                  c.teeth.empty() ? 1554.4 : c.codes[0]);
    }
    // Every half code of the coarse inch profiles, either way, up to a long belt.
    for (const char *name : {"L", "XH", "XXH"}) {
        const geometry::BeltProfile &belt = profile(name);
        for (std::int64_t teeth = 1; teeth <= 2000; ++teeth) {
            const double length = static_cast<double>(teeth) * belt.codePerTooth;
            if (length - std::floor(length) != 0.5)
                continue;
            for (double code : {length - 0.5, length + 0.5})
                ASSERT_EQ(geometry::teethOfCode(belt, code), std::vector{teeth}) << code << name;
        }
    }
    for (const auto &[typed, name] :
         {std::pair{"gt8", "8GT"}, {"8MGT", "8GT"}, {"GT14", "14GT"}, {"14MGT", "14GT"},
          {"5MHTD", "5M"}, {"HTD14M", "14M"}, {"T2,5", "T2.5"}, {"2MGT", "2GT"}}) {
        EXPECT_EQ(geometry::readProfile(typed)->profile->name, name) << typed;
    }
    for (const auto &[typed, valid] :
         {std::pair{"XL037", true}, {"MXL012", true}, {"XL37", false}, {"XL-37", false},
          {"XL999999999999999999999999", false}, {"XL501", false}, {"T5-10", true},
          {"T5-500", true}, {"T5-010", false}, {"T5-0", false}, {"5M15", false},
          {"T5-1O", false}, {"XL-", false}, {"T50", false}, {"5M", true}}) {
        EXPECT_EQ(geometry::hasValidWidth(*geometry::readProfile(typed)), valid) << typed;
    }
}

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
        EXPECT_EQ(geometry::soundness(c.z1, c.z2, teeth, c.profile.pitch), geometry::Unsound::none);
        EXPECT_NE(geometry::soundness(c.z1, c.z2, teeth - 1, c.profile.pitch),
                  geometry::Unsound::none);
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
