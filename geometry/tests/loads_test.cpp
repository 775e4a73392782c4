#include "geometry/loads.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>

namespace {

using geometry::ProfileChoice;
using geometry::RatedPulley;

ProfileChoice belt(const char *name) {
    return *geometry::readProfile(name);
}

constexpr double pi = std::numbers::pi;

// A tension-meter's published example (0.11 kg/m, 170 mm, 220 Hz: 615.45 N, which the source
// rounds to 610), a drive of 20 T5 teeth on 170 mm spans, and a slack light span; each way
// round and against f = √(T/m) / 2s written out.
TEST(Loads, SpanFrequencyTensionDeflectionAndShaftLoad) {
    const struct {
        double tension, mass, span, frequency, within;
    } spans[] = {
        {615.45, 0.11, 170, 220, 0.005},
        {624, 0.11, 170, 221.52, 0.005},
        {2, 0.0066, 400, std::sqrt(2 / 0.0066) / 0.8, 1e-9},
    };
    for (const auto &s : spans) {
        SCOPED_TRACE(s.tension);
        EXPECT_NEAR(geometry::spanFrequency(s.tension, s.mass, s.span), s.frequency, s.within);
        EXPECT_NEAR(geometry::tensionOfFrequency(s.frequency, s.mass, s.span), s.tension,
                    s.within * 10);
        const double back = geometry::tensionOfFrequency(
            geometry::spanFrequency(s.tension, s.mass, s.span), s.mass, s.span);
        EXPECT_NEAR(back, s.tension, s.tension * 1e-12);
    }
    // 1/64 in per inch of span, and T/16 for it.
    EXPECT_DOUBLE_EQ(geometry::spanDeflection(640), 10);
    EXPECT_DOUBLE_EQ(geometry::deflectionForce(624), 39);
    for (const auto &[wrap, load] : {std::pair{180.0, 200.0}, {60.0, 100.0}, {90.0, 141.4214}})
        EXPECT_NEAR(geometry::shaftLoad(100, wrap), load, 1e-4) << wrap;
}

// Inch widths stand for the sixteenth they are printed for; a unit mass only where one is
// published, and never a mass without a width.
TEST(Loads, WidthAndMassOfTheName) {
    const struct {
        const char *name;
        std::optional<double> width, mass; // mm, kg/m
    } names[] = {
        {"XL037", 9.525, 0.02286}, {"MXL012", 3.175, {}},
        {"MXL019", 4.7625, {}},    {"XL031", 7.9375, 0.01905},
        {"L100", 25.4, 0.08128},   {"XL010", 2.54, 0.006096},
        {"5M-15", 15, 0.087},      {"2GT-6", 6, 0.0066},
        {"T10-25", 25, {}},        {"XL", {}, {}},
        {"XL37", {}, {}},          {"T5-0", {}, {}},
    };
    for (const auto &n : names) {
        SCOPED_TRACE(n.name);
        const auto width = geometry::widthOf(belt(n.name));
        const auto mass = geometry::massPerMetre(belt(n.name));
        ASSERT_EQ(width.has_value(), n.width.has_value());
        ASSERT_EQ(mass.has_value(), n.mass.has_value());
        EXPECT_NEAR(width.value_or(0), n.width.value_or(0), 1e-12);
        EXPECT_NEAR(mass.value_or(0), n.mass.value_or(0), 1e-12);
    }
}

// A 20-groove L pulley at 1160 rpm carrying 750 W: the pulls add up to the power, and the
// least static tension is where the slack side starts to leave the teeth.
TEST(Loads, PullsOfAPowerAndTheSlackSide) {
    const double speed = geometry::beltSpeed(20 * 9.525 / pi, 1160);
    EXPECT_NEAR(speed, 20 * 9.525 / 1000 * 1160 / 60, 1e-12); // a tooth's pitch per groove
    const double pull = geometry::effectivePull(750, speed);
    EXPECT_NEAR(pull * speed, 750, 1e-9);
    const auto sides = geometry::sideTensions(300, pull);
    EXPECT_NEAR(sides.tight - sides.slack, pull, 1e-9);
    EXPECT_NEAR(sides.tight + sides.slack, 600, 1e-9);
    const double mass = 0.08128;
    const double least = geometry::leastStaticTension(pull, mass, speed);
    EXPECT_TRUE(geometry::slackSideLeavesTeeth(least - 1e-6, pull, mass, speed));
    EXPECT_FALSE(geometry::slackSideLeavesTeeth(least + 1e-6, pull, mass, speed));
}

// The inch standard's formulas as printed, in horsepower (d in inches, r in rpm) and MXL's in
// lbf·in: the library's SI form must give the same.
double printedHorsepower(double a, double b, double d, double r) {
    return d * (r / 1000) * (a - b * (d * r / 1000) * (d * r / 1000));
}
double printedMxlHorsepower(double a, double b, double d, double r) {
    return d * (a - b * d * d) * r / (33000 * 12 / (2 * pi)); // lbf·in at rpm
}

constexpr double hp = 745.69987158227;

TEST(Loads, RatingsOfTheInchProfiles) {
    const auto inches = [](int grooves, double pitch) { return grooves * pitch / pi / 25.4; };
    const struct {
        const char *belt;
        int grooves;
        double rpm, horsepower, within;
    } cells[] = {
        // A belt maker's rating table, as printed.
        {"L100", 20, 1160, 1.20, 0.005},
        // The standard's formulas at their base widths and by the width factor.
        {"XL037", 10, 1750,
         printedHorsepower(0.0916, 7.07e-5, inches(10, 5.08), 1750) * std::pow(0.375 / 0.38, 1.14),
         1e-9},
        {"L150", 24, 3450,
         printedHorsepower(0.436, 3.01e-4, inches(24, 9.525), 3450) * std::pow(1.5, 1.14), 1e-9},
        {"H300", 20, 1750, printedHorsepower(3.73, 1.41e-3, inches(20, 12.7), 1750), 1e-9},
        {"XH200", 22, 1160,
         printedHorsepower(7.21, 4.68e-3, inches(22, 22.225), 1160) * std::pow(0.5, 1.14), 1e-9},
        {"XXH500", 30, 870, printedHorsepower(11.4, 7.81e-3, inches(30, 31.75), 870), 1e-9},
        {"MXL012", 20, 1000, printedMxlHorsepower(1.13, 1.38e-3, inches(20, 2.032), 1000), 1e-9},
        {"MXL019", 40, 3000, printedMxlHorsepower(1.88, 2.30e-3, inches(40, 2.032), 3000), 1e-9},
        {"MXL025", 12, 500, printedMxlHorsepower(2.63, 3.21e-3, inches(12, 2.032), 500), 1e-9},
        {"MXL050", 12, 500,
         printedMxlHorsepower(1.13, 1.38e-3, inches(12, 2.032), 500) * std::pow(0.5 / 0.12, 1.14),
         1e-9},
    };
    for (const auto &c : cells) {
        SCOPED_TRACE(c.belt);
        const ProfileChoice chosen = belt(c.belt);
        const RatedPulley pulley{c.grooves * chosen.profile->pitch / pi, c.rpm, 6};
        const auto watts = geometry::ratedPower(chosen, pulley);
        ASSERT_TRUE(watts);
        EXPECT_NEAR(*watts / hp, c.horsepower, c.within);
    }
    // The done-when figure in kW, and a belt so fast its mass takes all it can pull.
    EXPECT_NEAR(*geometry::ratedPower(belt("L100"), {20 * 9.525 / pi, 1160, 10}) / 1000, 0.896,
                0.0005);
    EXPECT_EQ(geometry::ratedPower(belt("XL037"), {100, 30000, 6}), 0);
    // Whole teeth in mesh only; none below two, or without a formula or a width.
    const RatedPulley pulley{60, 1160, 6};
    const double full = *geometry::ratedPower(belt("L100"), pulley);
    for (const auto &[teeth, share] :
         {std::pair{6.0, 1.0}, {5.0, 0.8}, {3.65, 0.4}, {2.0, 0.2}, {5.9999999999, 1.0}}) {
        RatedPulley fewer = pulley;
        fewer.teethInMesh = teeth;
        EXPECT_DOUBLE_EQ(*geometry::ratedPower(belt("L100"), fewer), full * share) << teeth;
    }
    for (const auto &[name, teeth] :
         {std::pair{"L100", 1.99}, {"T5-10", 6.0}, {"L", 6.0}, {"XL37", 6.0}}) {
        EXPECT_EQ(geometry::ratedPower(belt(name), {60, 1160, teeth}), std::nullopt) << name;
    }
    EXPECT_FALSE(geometry::hasRatingFormula(*belt("T5").profile));
    EXPECT_TRUE(geometry::hasRatingFormula(*belt("MXL").profile));
}

// The narrowest made width carrying the power times the service factor, exactly at a width's
// rating and just past it; nothing past the widest, below two teeth in mesh or without a
// formula.
TEST(Loads, NarrowestMadeWidthForAPower) {
    const RatedPulley pulley{20 * 9.525 / pi, 1160, 10};
    const auto ofWidth = [&](const char *name) {
        return *geometry::ratedPower(belt(name), pulley);
    };
    const double l075 = ofWidth("L075");
    const geometry::BeltProfile &l = *belt("L").profile;
    const struct {
        double power, serviceFactor;
        const char *chosen;
    } asks[] = {
        {l075 / 2, 2, "L075"},
        {l075 * (1 + 1e-12), 1, "L100"},
        {ofWidth("L050") / 10, geometry::defaultServiceFactor, "L050"},
        {ofWidth("L150") * 1.001, 1, nullptr},
    };
    for (const auto &a : asks) {
        const auto width = geometry::narrowestWidth(l, pulley, a.power, a.serviceFactor);
        ASSERT_EQ(width.has_value(), a.chosen != nullptr) << a.power;
        if (!width)
            continue;
        EXPECT_EQ(geometry::profileName(width->belt), a.chosen);
        EXPECT_EQ(width->rating, ofWidth(a.chosen));
        EXPECT_DOUBLE_EQ(width->margin, width->rating / (a.power * a.serviceFactor));
    }
    EXPECT_EQ(geometry::narrowestWidth(l, {60, 1160, 1}, 1, 1), std::nullopt);
    EXPECT_EQ(geometry::narrowestWidth(*belt("5M").profile, pulley, 1, 1), std::nullopt);
    for (const auto &[name, made] : {std::pair{"XL037", true},
                                     {"XL050", false},
                                     {"H300", true},
                                     {"MXL019", true},
                                     {"T5-10", false},
                                     {"L", false}})
        EXPECT_EQ(geometry::isMadeWidth(belt(name)), made) << name;
}

} // namespace
