#pragma once

#include <string>
#include <string_view>

namespace geometry {

// How a typed number keeps its four decimals: rounded half away from zero, or down or up to
// the nearest ten-thousandth, for the ends of a range that must hold what was typed.
enum class Rounding { nearest, down, up };

// Reads a typed number: white space around it, one leading sign, decimal digits with at most
// one decimalSeparator. Rounded to four decimals and kept in the range of a signed 64-bit
// count of ten-thousandths. Throws CalculationError: notANumber for any other text, tooLarge or
// tooSmall past that range. Text and separator are UTF-8.
double textToNumber(std::string_view text, std::string_view decimalSeparator,
                    Rounding rounding = Rounding::nearest);

// Writes value with a pattern of '#' and '0' placeholders around one '.', such as "###0.0#":
// '0' always shows a digit, '#' only a significant one; the separator is always written and
// the integer part is never cut. Rounds half away from zero from the exact binary value.
// Throws CalculationError: malformedPattern, tooLarge for an infinity, notShowable for NaN.
std::string formatNumber(double value, std::string_view pattern, std::string_view decimalSeparator);

// Appends value with that many decimals, 0 to 3, as formatNumber writes it with the pattern
// "0", "0.0", "0.00" or "0.000": the short way for tables of thousands of rows.
void appendFixed(std::string &text, double value, int decimals, std::string_view decimalSeparator);

// Writes value with at least leastDecimals decimals and enough more for that many significant
// figures, as formatNumber writes it: 0.2023 and 0.000681 with three are 0.202 and 0.000681.
std::string formatSignificant(double value, int figures, int leastDecimals,
                              std::string_view decimalSeparator);

} // namespace geometry
