#include "failure_of.h"
#include "geometry/centre_distance.h"
#include "geometry/errors.h"
#include "geometry/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

using Kind = geometry::CalculationError::Kind;

// Test texts are written with ',' for the decimal separator; each runs once per locale.
std::string withSeparator(std::string text, std::string_view separator) {
    std::string result;
    for (char c : text) {
        if (c == ',')
            result += separator;
        else
            result += c;
    }
    return result;
}

// Two texts end to end. GCC 12 at -O3 warns falsely (-Wrestrict) on "literal" + std::string,
// which inserts into the string on its right; appending to the left one is the same text.
std::string joined(std::string_view first, std::string_view second) {
    return std::string(first).append(second);
}

const std::string_view separators[] = {",", ".", "\xD9\xAB"}; // Italian, English, Arabic

const std::string megabyte(1 << 20, '9');

// Every white space character that is trimmed, and characters that only begin like one.
const std::string every = "\t\n\v\f\r \xC2\x85\xC2\xA0\xE1\x9A\x80\xE2\x80\x80\xE2\x80\x81"
                          "\xE2\x80\x82\xE2\x80\x83\xE2\x80\x84\xE2\x80\x85\xE2\x80\x86"
                          "\xE2\x80\x87\xE2\x80\x88\xE2\x80\x89\xE2\x80\x8A\xE2\x80\xA8"
                          "\xE2\x80\xA9\xE2\x80\xAF\xE2\x81\x9F\xE3\x80\x80";

TEST(TextToNumber, ReadsNumbersInTheUsersFormat) {
    using enum geometry::Rounding;
    const struct {
        std::string text;
        double value;
        geometry::Rounding rounding = nearest;
    } cases[] = {
        {"36", 36},
        {"  36\t", 36},
        {"36,0", 36},
        {"36,", 36},
        {",5", 0.5},
        {"+7", 7},
        {"-2,5", -2.5},
        {"-0", 0},
        {"0036", 36},
        {"\xC2\xA0"
         "36\xE2\x80\xAF",
         36}, // no-break spaces
        {"\xE3\x80\x80"
         "14\xE2\x80\x89",
         14},
        {every + "36" + every, 36},
        {"14,56789", 14.5679}, // four decimals, the fifth rounds
        {"14,56784", 14.5678},
        {"0,00005", 0.0001}, // half away from zero
        {"-0,00005", -0.0001},
        {"0,000049999999", 0},
        {"9,99995", 10},
        {std::string(1 << 20, '0') + "1", 1},
        {"1," + megabyte, 2},
        {"922337203685477,5807", 9223372036854775807.0 / 10000},
        {"922337203685477,58074", 9223372036854775807.0 / 10000},
        {"-922337203685477,5808", -9223372036854775808.0 / 10000},
        {"-922337203685477,58084", -9223372036854775808.0 / 10000},
        // The ends of a range, rounded outward.
        {"1,578947", 1.5789, down},
        {"1,578947", 1.579, up},
        {"1,5789000", 1.5789, up},
        {"1,57890001", 1.579, up},
        {"-1,578947", -1.579, down},
        {"-1,578947", -1.5789, up},
    };
    for (std::string_view separator : separators) {
        for (const auto &c : cases) {
            const std::string text = withSeparator(c.text, separator);
            SCOPED_TRACE(testing::Message() << "\"" << text.substr(0, 40) << "\"");
            EXPECT_EQ(geometry::textToNumber(text, separator, c.rounding), c.value);
        }
    }
}

TEST(TextToNumber, RejectsWhatIsNotANumber) {
    const std::string cases[] = {
        "",
        " ",
        "\xC2\xA0",
        "abc",
        "-",
        "+",
        ",",
        "-,",
        "+ 1",
        "--1",
        "+-1",
        "1-",
        "1,2,3",
        "1 000",
        "1e5",
        "0x10",
        "(5)",
        "12a",
        "150\xE2\x81\x84", // a fraction slash after the digits
        "3 6",
        "\xEF\xBC\x91", // fullwidth one
        "36\xC2\xA1",
        "\xE1\x9A\x81"
        "36",
        "36\xE2\x80\x8B", // zero-width space
        "\xE2\x80\x8C"
        "36",
        "36\xE2\x81\xA0",
        "\xE2\x82\x80"
        "36",
        "36\xE3\x80\x81",
        "36\xE2\x80",
        "36\xC2",
        "\xE2\x80"
        "136",
        "\xFF",
        "36" + std::string(1, '\0'),
        megabyte + "x",
    };
    for (std::string_view separator : separators) {
        for (const std::string &c : cases) {
            const std::string text = withSeparator(c, separator);
            SCOPED_TRACE(testing::Message() << "\"" << text.substr(0, 40) << "\"");
            EXPECT_EQ(failureOf([&] { geometry::textToNumber(text, separator); }),
                      Kind::notANumber);
        }
    }
}

TEST(TextToNumber, AGroupSeparatorIsNeverTakenForPartOfTheNumber) {
    EXPECT_EQ(failureOf([] { geometry::textToNumber("14.5", ","); }), Kind::notANumber);
    EXPECT_EQ(failureOf([] { geometry::textToNumber("1,500.5", "."); }), Kind::notANumber);
    EXPECT_EQ(failureOf([] { geometry::textToNumber("1.5", ""); }), Kind::notANumber);
}

TEST(TextToNumber, FailsWithOverflowPastTheRange) {
    const std::string cases[] = {
        "922337203685477,5808",
        "922337203685477,58075",
        "-922337203685477,5809",
        "-922337203685477,58085",
        "922337203685478",
        "10000000000000000000000",
        megabyte,
        "-" + megabyte + ",5",
    };
    for (std::string_view separator : separators) {
        for (const std::string &c : cases) {
            const std::string text = withSeparator(c, separator);
            SCOPED_TRACE(testing::Message() << "\"" << text.substr(0, 40) << "\"");
            // "too small", not "too large", past the negative end
            EXPECT_EQ(failureOf([&] { geometry::textToNumber(text, separator); }),
                      c.starts_with('-') ? Kind::tooSmall : Kind::tooLarge);
        }
    }
}

TEST(FormatNumber, WritesEachPatternAsTheWindowShowsIt) {
    const struct {
        double value;
        const char *distance, *ratio, *inverseRatio; // "######.##", "####.0#", "###0.0#"
    } cases[] = {
        {125.74815467065042, "125,75", "125,75", "125,75"},
        {127, "127,", "127,0", "127,0"},
        {2.5714285714285716, "2,57", "2,57", "2,57"},
        {0.3888888888888889, ",39", ",39", "0,39"},
        {0, ",", ",0", "0,0"},
        {-2.5, "-2,5", "-2,5", "-2,5"},
        {-0.0, ",", ",0", "0,0"},
        {-0.004, ",", ",0", "0,0"},    // shows as zero: no minus sign
        {0.125, ",13", ",13", "0,13"}, // an exact binary half rounds away from zero
        {-0.125, "-,13", "-,13", "-0,13"},
        {2.675, "2,67", "2,67", "2,67"}, // just below the half in binary
        {999.995, "1000,", "1000,0", "1000,0"},
        {0.996, "1,", "1,0", "1,0"},
        {1e20, "100000000000000000000,", "100000000000000000000,0", "100000000000000000000,0"},
    };
    for (std::string_view separator : separators) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << c.value);
            EXPECT_EQ(geometry::formatNumber(c.value, "######.##", separator),
                      withSeparator(c.distance, separator));
            EXPECT_EQ(geometry::formatNumber(c.value, "####.0#", separator),
                      withSeparator(c.ratio, separator));
            EXPECT_EQ(geometry::formatNumber(c.value, "###0.0#", separator),
                      withSeparator(c.inverseRatio, separator));
        }
    }
}

// Tables write "0.00" and its like thousands of times by a shorter way; it must give what
// the general way gives, ties, carries, signs and zeros included.
TEST(FormatNumber, FixedDecimalsAsTheGeneralWayWritesThem) {
    const double values[] = {0,
                             -0.0,
                             0.125,
                             2.675,
                             1.005,
                             0.0005,
                             -0.0049,
                             -0.005,
                             9.9995,
                             999.995,
                             125.74815467065042,
                             1e11 + .5,
                             1e12,
                             -2.5,
                             0.3888,
                             DBL_TRUE_MIN,
                             163.735,
                             6.3675,
                             150.8499999,
                             0.045,
                             99.9999,
                             1.2355,
                             0.0256,
                             7.7777,
                             -3.14159,
                             1.99999999};
    for (const char *pattern : {"0", "0.0", "0.00", "0.000"}) {
        for (double value : values) {
            for (std::string_view separator : separators) {
                const std::string general =
                    geometry::formatNumber(value, joined("#", pattern), separator);
                EXPECT_EQ(geometry::formatNumber(value, pattern, separator), general)
                    << value << " as " << pattern;
                std::string fourDecimals = "|";
                geometry::appendFixed(fourDecimals, value, 4, separator);
                EXPECT_EQ(fourDecimals,
                          joined("|", geometry::formatNumber(value, "0.0000", separator)));
                std::string longSeparator = "|";
                geometry::appendFixed(longSeparator, value, 2, "<decimal>");
                EXPECT_EQ(longSeparator,
                          joined("|", geometry::formatNumber(value, "#0.00", "<decimal>")));
                std::string appended = "|";
                geometry::appendFixed(appended, value,
                                      pattern[1] ? static_cast<int>(std::strlen(pattern)) - 2 : 0,
                                      separator);
                EXPECT_EQ(appended, "|" + general) << value << " as " << pattern;
            }
        }
    }
}

// At least the decimals asked, more for small values to keep their figures; nothing odd at
// zero, a negative value or past the figures.
TEST(FormatNumber, SignificantFigures) {
    const struct {
        double value;
        const char *shown;
    } values[] = {
        {0.2023, "0,202"},
        {0.00068071, "0,000681"},
        {1.44, "1,440"},
        {1234.5678, "1234,568"},
        {0, "0,000"},
        {-0.012345, "-0,0123"},
        {0.0009996, "0,001000"},
    };
    for (const auto &v : values)
        EXPECT_EQ(geometry::formatSignificant(v.value, 3, 3, ","), v.shown) << v.value;
    EXPECT_THROW(geometry::formatSignificant(HUGE_VAL, 3, 3, ","), geometry::CalculationError);
}

TEST(FormatNumber, NeverCutsTheIntegerPartAndRefusesNonNumbers) {
    const std::string largest = geometry::formatNumber(DBL_MAX, "######.##", ".");
    EXPECT_EQ(largest.size(), 310u);
    EXPECT_EQ(largest.substr(0, 17), "17976931348623157");
    EXPECT_EQ(geometry::formatNumber(-DBL_MAX, "#.#", ".").substr(0, 3), "-17");
    // No separator in the pattern: whole numbers, ties away from zero.
    EXPECT_EQ(geometry::formatNumber(2.5, "###", "."), "3");
    EXPECT_EQ(geometry::formatNumber(-2.4, "0", "."), "-2");
    EXPECT_EQ(geometry::formatNumber(9.5, "#", "."), "10");
    EXPECT_EQ(geometry::formatNumber(5, "000.##", "."), "005.");

    EXPECT_EQ(failureOf([] { geometry::formatNumber(INFINITY, "######.##", "."); }),
              Kind::tooLarge);
    EXPECT_EQ(failureOf([] { geometry::formatNumber(-INFINITY, "######.##", "."); }),
              Kind::tooLarge);
    EXPECT_EQ(failureOf([] { geometry::formatNumber(NAN, "######.##", "."); }), Kind::notShowable);
    for (const std::string &pattern :
         {std::string("##,##"), std::string("#.#.#"), "#." + std::string(1001, '#')})
        EXPECT_EQ(failureOf([&] { geometry::formatNumber(1, pattern, "."); }),
                  Kind::malformedPattern);
    // The longest text: the largest double, and the smallest, with the most decimals taken.
    for (double value : {DBL_MAX, -DBL_MAX, DBL_TRUE_MIN}) {
        char exact[400 + 1000];
        const char *end =
            std::to_chars(exact, exact + sizeof exact, value, std::chars_format::fixed, 1000).ptr;
        EXPECT_EQ(geometry::formatNumber(value, "0." + std::string(1000, '0'), "."),
                  std::string(static_cast<const char *>(exact), end));
    }
}

// The whole path from the three typed texts to the texts the window shows.
TEST(TypedToShown, WorkedExamplesInBothProfiles) {
    const struct {
        const char *z1, *z2, *beltTeeth; // as the window reads them from the belt's code
        double pitch;
        const char *distance, *ratio, *inverseRatio;
    } cases[] = {
        {"36", "14", "75", 5.08, "125,75", "2,57", "0,39"},
        {" 36 ", "14,0", "75", 5.08, "125,75", "2,57", "0,39"},
        {"36", "14", "40", 9.525, "63,17", "2,57", "0,39"}, // 150L
        {"20", "20", "70", 5.08, "127,", "1,0", "1,0"},
        {"14", "36", "75", 5.08, "125,75", ",39", "2,57"},
    };
    for (std::string_view separator : separators) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << c.z1 << "/" << c.z2 << "/" << c.beltTeeth);
            const double z1 = geometry::textToNumber(withSeparator(c.z1, separator), separator);
            const double z2 = geometry::textToNumber(withSeparator(c.z2, separator), separator);
            const double n =
                geometry::textToNumber(withSeparator(c.beltTeeth, separator), separator);
            const double distance = geometry::centreDistance(z1, z2, n, c.pitch);
            EXPECT_EQ(geometry::formatNumber(distance, "######.##", separator),
                      withSeparator(c.distance, separator));
            EXPECT_EQ(geometry::formatNumber(geometry::ratio(z1, z2), "####.0#", separator),
                      withSeparator(c.ratio, separator));
            EXPECT_EQ(geometry::formatNumber(geometry::ratio(z2, z1), "###0.0#", separator),
                      withSeparator(c.inverseRatio, separator));
        }
    }
}

} // namespace
