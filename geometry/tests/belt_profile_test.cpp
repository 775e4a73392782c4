#include "geometry/belt_profile.h"
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
        {"L", {203, 202}, {54}},   {"L", {188, 187}, {50}},   {"L", {263, 262}, {70}},
        {"L", {323, 322}, {86}},   {"L", {368, 367}, {98}},   {"XH", {508, 507}, {58}},
        {"XXH", {713, 712}, {57}}, {"MXL", {1553.6}, {1942}}, {"MXL", {1554.4}, {1943}},
        {"MXL", {1555}, {1944}},   {"MXL", {1554}, {}}, // printed by neither of its belts, which it
                                                        // names both:
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
    for (const auto &[typed, name] : {std::pair{"gt8", "8GT"},
                                      {"8MGT", "8GT"},
                                      {"GT14", "14GT"},
                                      {"14MGT", "14GT"},
                                      {"5MHTD", "5M"},
                                      {"HTD14M", "14M"},
                                      {"T2,5", "T2.5"},
                                      {"2MGT", "2GT"}}) {
        EXPECT_EQ(geometry::readProfile(typed)->profile->name, name) << typed;
    }
    for (const auto &[typed, valid] : {std::pair{"XL037", true},
                                       {"MXL012", true},
                                       {"XL37", false},
                                       {"XL-37", false},
                                       {"XL999999999999999999999999", false},
                                       {"XL501", false},
                                       {"XL500", true},
                                       {"XL010", true},
                                       {"XL009", false},
                                       {"T5-1", true},
                                       {"T5-10", true},
                                       {"T5-500", true},
                                       {"T5-010", false},
                                       {"T5-0", false},
                                       {"5M15", false},
                                       {"T5-1O", false},
                                       {"XL-", false},
                                       {"T50", false},
                                       {"5M", true},
                                       {"T5-", false},
                                       {"T5-1000", false},
                                       {"T5-501", false},
                                       {"XL005", false}}) {
        EXPECT_EQ(geometry::hasValidWidth(*geometry::readProfile(typed)), valid) << typed;
    }
}

} // namespace
