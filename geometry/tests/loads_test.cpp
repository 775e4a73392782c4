#include "geometry/loads.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using geometry::ProfileChoice;
using geometry::RatedPulley;

ProfileChoice belt(const char *name) {
    return *geometry::readProfile(name);
}

constexpr double pi = std::numbers::pi;

// A cell of a maker's table as printed, with half a unit of its last digit.
struct PrintedCell {
    int grooves;
    double rpm, value, halfDigit;
};

// The cells of a published table (grooves,rpm,value), from the library's data.
std::vector<PrintedCell> printedCells(const std::string &table) {
    std::ifstream file(std::string(RATINGS_DIR "/") + table + ".csv");
    std::string line;
    std::getline(file, line); // the heading
    std::vector<PrintedCell> cells;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        std::string grooves, rpm, value;
        std::getline(fields, grooves, ',');
        std::getline(fields, rpm, ',');
        std::getline(fields, value, ',');
        const std::size_t point = value.find('.');
        const int decimals = point == std::string::npos ? 0 : int(value.size() - point - 1);
        cells.push_back({std::stoi(grooves), std::stod(rpm), std::stod(value),
                         0.5 * std::pow(10.0, -decimals)});
    }
    return cells;
}

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
    // 1/64 in per inch of span, and T/16 for it; with a stiffness, (T + (t/L)·Y)/16.
    EXPECT_DOUBLE_EQ(geometry::spanDeflection(640), 10);
    EXPECT_DOUBLE_EQ(geometry::deflectionForce(624), 39);
    EXPECT_DOUBLE_EQ(geometry::deflectionForce(600, 250, 1000, 16), 37.75);
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
        {"XL037", 9.525, 0.02286},
        {"MXL012", 3.175, 0.002921},
        {"MXL019", 4.7625, 0.0043815},
        {"XL031", 7.9375, 0.01905},
        {"L100", 25.4, 0.08128},
        {"XL010", 2.54, 0.006096},
        {"5M-15", 15, 0.0465},
        {"2GT-6", 6, 0.0066},
        {"T10-25", 25, {}},
        {"XL", {}, {}},
        {"XL37", {}, {}},
        {"T5-0", {}, {}},
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

// The makers' rows of tension constants: the belt maker's first, the pulley maker's where
// the belt maker lists no such belt, a mass only where one is printed, an inch width by its
// fraction; nothing for a width no row has, or no width.
TEST(Loads, TensionConstantsOfTheName) {
    constexpr double lbf = 4.4482216152605;
    constexpr double massUnit = lbf / (5.08 * 5.08); // lbf per (1000 ft/min)², in kg/m
    const struct {
        const char *name;
        bool found, beltMaker;
        double mass, stiffness, least; // as printed
    } rows[] = {
        {"5M-15", true, true, 0.27, 24.80, 13.5},
        {"5M-9", true, false, 0.163, 14.9, 6.3},
        {"5GT-20", true, false, 0.380, 33.2, 18.7},
        {"XL037", true, true, 0.11, 4.94, 4.9},
        {"MXL019", true, false, 0.004, 2.11, 1.7},
        {"T5-10", true, false, 0, 17, 5.62},
        {"14GT-40", true, true, 1.80, 93.04, 106.0},
        {"5M-10", false, false, 0, 0, 0},
        {"8GT", false, false, 0, 0, 0},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        const auto constants = geometry::tensionConstants(belt(r.name));
        ASSERT_EQ(constants.has_value(), r.found);
        if (!constants)
            continue;
        EXPECT_EQ(constants->beltMaker, r.beltMaker);
        EXPECT_EQ(constants->mass.has_value(), r.mass > 0);
        EXPECT_NEAR(constants->mass.value_or(0), r.mass * massUnit, 1e-12);
        EXPECT_NEAR(constants->stiffness, r.stiffness * lbf, 1e-9);
        EXPECT_NEAR(constants->leastTension, r.least * lbf, 1e-9);
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
        {"XL025", 10, 1750,
         printedHorsepower(0.0916, 7.07e-5, inches(10, 5.08), 1750) * std::pow(0.25 / 0.375, 1.14),
         1e-9},
        {"L150", 24, 3450,
         printedHorsepower(0.436, 3.01e-4, inches(24, 9.525), 3450) * std::pow(1.5, 1.14), 1e-9},
        {"H300", 20, 1750, printedHorsepower(3.73, 1.41e-3, inches(20, 12.7), 1750), 1e-9},
        {"XH200", 22, 1160,
         printedHorsepower(7.21, 4.68e-3, inches(22, 22.225), 1160) * std::pow(0.5, 1.14), 1e-9},
        {"XXH500", 30, 870, printedHorsepower(11.4, 7.81e-3, inches(30, 31.75), 870), 1e-9},
        // MXL's belt mass takes a share too small for the printed digits at these speeds.
        {"MXL019", 40, 300, printedMxlHorsepower(1.88, 2.30e-3, inches(40, 2.032), 300), 1e-6},
        {"MXL025", 12, 500, printedMxlHorsepower(2.63, 3.21e-3, inches(12, 2.032), 500), 1e-6},
        // The width factor from 1/8 in, which a pulley maker prints as 4.86 for 1/2 in.
        {"MXL050", 12, 500,
         printedMxlHorsepower(1.13, 1.38e-3, inches(12, 2.032), 500) * std::pow(4.0, 1.14), 1e-6},
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

// Every cell of the makers' tables at the formulas' own widths, read from the published data:
// within half the last printed digit and a share of the value (MXL's formula has no speed
// term of its own, the belt's mass gives it one).
TEST(Loads, InchRatingsMeetThePublishedTables) {
    constexpr double ounceInch = 0.0070615518333333; // N·m
    constexpr double poundInch = 16 * ounceInch;
    const struct {
        const char *file, *belt;
        double unit; // W per printed unit: hp, or N·m times the shaft's speed
        bool torque;
        double share;
    } tables[] = {
        {"mxl-3.2mm-torque-ozfin", "MXL012", ounceInch, true, 0.01},
        {"xl-6.4mm-torque-lbfin", "XL025", poundInch, true, 0.005},
        {"xl-9.5mm-power-hp", "XL037", hp, false, 0.005},
        {"l-25.4mm-power-hp", "L100", hp, false, 0.005},
        {"h-76.2mm-power-hp", "H300", hp, false, 0.005},
    };
    for (const auto &table : tables) {
        SCOPED_TRACE(table.file);
        const ProfileChoice chosen = belt(table.belt);
        const std::vector<PrintedCell> cells = printedCells(table.file);
        ASSERT_GT(cells.size(), 100u);
        for (const PrintedCell &cell : cells) {
            const RatedPulley pulley{cell.grooves * chosen.profile->pitch / pi, cell.rpm, 6};
            const double perUnit = table.torque ? table.unit * cell.rpm * 2 * pi / 60 : table.unit;
            const double printed = cell.value * perUnit;
            EXPECT_NEAR(*geometry::ratedPower(chosen, pulley), printed,
                        cell.halfDigit * perUnit + table.share * printed)
                << cell.grooves << " grooves, " << cell.rpm << " rpm";
        }
    }
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
