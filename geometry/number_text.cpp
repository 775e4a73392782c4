#include "geometry/number_text.h"

#include "geometry/errors.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace geometry {

namespace {

// Unicode white space in UTF-8; locales that group digits with no-break spaces make these
// common around pasted numbers.
constexpr std::array<std::string_view, 25> spaces{
    "\t",           "\n",           "\v",           "\f",           "\r",           " ",
    "\xC2\x85",     "\xC2\xA0",     "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81", "\xE2\x80\x82",
    "\xE2\x80\x83", "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86", "\xE2\x80\x87", "\xE2\x80\x88",
    "\xE2\x80\x89", "\xE2\x80\x8A", "\xE2\x80\xA8", "\xE2\x80\xA9", "\xE2\x80\xAF", "\xE2\x81\x9F",
    "\xE3\x80\x80",
};

std::string_view trimSpaces(std::string_view text) {
    for (bool trimmed = true; trimmed;) {
        trimmed = false;
        for (std::string_view space : spaces) {
            if (text.starts_with(space)) {
                text.remove_prefix(space.size());
                trimmed = true;
            }
            if (text.ends_with(space)) {
                text.remove_suffix(space.size());
                trimmed = true;
            }
        }
    }
    return text;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
int digitValue(char c) {
    return c - '0';
}

constexpr int keptDecimals = 4;
constexpr std::uint64_t unitsPerWhole = 10'000;
constexpr std::uint64_t largestMagnitude = std::uint64_t{1} << 63; // of a negative value
// Any integer part above this overflows whatever its fraction; below it the count of
// ten-thousandths cannot wrap an unsigned 64-bit integer.
constexpr std::uint64_t wholeCap = largestMagnitude / unitsPerWhole + 1;

} // namespace

double textToNumber(std::string_view text, std::string_view decimalSeparator) {
    std::string_view body = trimSpaces(text);
    if (body.empty())
        throw TypeMismatchError("type mismatch: the text is empty, not a number");

    bool negative = false;
    if (body.front() == '-' || body.front() == '+') {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }

    std::uint64_t whole = 0;
    bool wholeTooLarge = false;
    std::uint64_t fraction = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    bool seenSeparator = false;
    bool seenDigit = false;
    for (std::size_t i = 0; i < body.size();) {
        const char c = body[i];
        if (isDigit(c)) {
            seenDigit = true;
            if (!seenSeparator) {
                if (!wholeTooLarge) {
                    whole = whole * 10 + static_cast<std::uint64_t>(digitValue(c));
                    wholeTooLarge = whole > wholeCap;
                }
            } else if (fractionDigits < keptDecimals) {
                fraction = fraction * 10 + static_cast<std::uint64_t>(digitValue(c));
                ++fractionDigits;
            } else if (fractionDigits == keptDecimals) {
                roundUp = digitValue(c) >= 5; // half away from zero on the magnitude
                ++fractionDigits;
            }
            ++i;
        } else if (!seenSeparator && !decimalSeparator.empty() &&
                   body.substr(i).starts_with(decimalSeparator)) {
            seenSeparator = true;
            i += decimalSeparator.size();
        } else {
            throw TypeMismatchError("type mismatch: the text is not a number");
        }
    }
    if (!seenDigit)
        throw TypeMismatchError("type mismatch: the text has no digits");

    for (int i = fractionDigits; i < keptDecimals; ++i)
        fraction *= 10;
    const std::uint64_t limit = negative ? largestMagnitude : largestMagnitude - 1;
    const std::uint64_t magnitude =
        wholeTooLarge ? limit + 1 : whole * unitsPerWhole + fraction + (roundUp ? 1 : 0);
    if (wholeTooLarge || magnitude > limit)
        throw OverflowError(negative ? "overflow: the number is too small"
                                     : "overflow: the number is too large",
                            negative);

    const std::int64_t count =
        negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return static_cast<double>(count) / static_cast<double>(unitsPerWhole);
}

namespace {

// Every double has an exact decimal expansion of at most 1074 fraction digits.
constexpr int exactDecimals = 1074;
constexpr std::size_t maxFractionDigits = 1000;

struct Pattern {
    std::size_t minIntegerDigits = 0;
    bool hasSeparator = false;
    std::size_t fractionDigits = 0;
    std::size_t mandatoryFractionDigits = 0;
};

Pattern parsePattern(std::string_view pattern) {
    Pattern parsed;
    std::size_t integerPlaceholders = 0;
    std::size_t firstIntegerZero = std::string_view::npos;
    for (char c : pattern) {
        if (c == '.' && !parsed.hasSeparator) {
            parsed.hasSeparator = true;
        } else if (c == '#' || c == '0') {
            if (parsed.hasSeparator) {
                ++parsed.fractionDigits;
                if (c == '0')
                    parsed.mandatoryFractionDigits = parsed.fractionDigits;
            } else {
                if (c == '0' && firstIntegerZero == std::string_view::npos)
                    firstIntegerZero = integerPlaceholders;
                ++integerPlaceholders;
            }
        } else {
            throw std::invalid_argument("number pattern takes only '#', '0' and one '.': " +
                                        std::string(pattern));
        }
    }
    if (parsed.fractionDigits > maxFractionDigits)
        throw std::invalid_argument("number pattern has too many decimals");
    if (firstIntegerZero != std::string_view::npos)
        parsed.minIntegerDigits = integerPlaceholders - firstIntegerZero;
    return parsed;
}

// Adds one unit in the last place of a string of decimal digits; returns the carry.
bool incrementDigits(std::string &digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    return true;
}

} // namespace

std::string formatNumber(double value, std::string_view pattern,
                         std::string_view decimalSeparator) {
    const Pattern format = parsePattern(pattern);
    if (std::isnan(value))
        throw InvalidArgumentError("the result is not a number");
    if (std::isinf(value))
        throw OverflowError("overflow: the result is too large to show");

    // Rounding the exact expansion, rather than the double, makes halves round away from
    // zero as the user expects.
    std::array<char, 309 + 1 + exactDecimals + 1> exact{};
    const auto [end, error] =
        std::to_chars(exact.data(), exact.data() + exact.size(), std::fabs(value),
                      std::chars_format::fixed, exactDecimals);
    if (error != std::errc{})
        throw std::logic_error("the number did not fit its exact expansion");
    const std::string_view expansion(exact.data(), static_cast<std::size_t>(end - exact.data()));
    const std::size_t point = expansion.find('.');

    // Integer and kept fraction digits as one string, so that a carry crosses the separator.
    std::string digits(expansion.substr(0, point));
    digits.append(expansion.substr(point + 1, format.fractionDigits));
    if (expansion[point + 1 + format.fractionDigits] >= '5' && incrementDigits(digits))
        digits.insert(digits.begin(), '1');

    std::string_view integerDigits(digits.data(), digits.size() - format.fractionDigits);
    std::string_view fractionDigits(digits.data() + integerDigits.size(), format.fractionDigits);
    while (!integerDigits.empty() && integerDigits.front() == '0')
        integerDigits.remove_prefix(1);
    while (fractionDigits.size() > format.mandatoryFractionDigits && fractionDigits.back() == '0')
        fractionDigits.remove_suffix(1);

    const bool isZero = digits.find_first_not_of('0') == std::string::npos;
    std::string text;
    if (std::signbit(value) && !isZero)
        text += '-';
    if (integerDigits.size() < format.minIntegerDigits)
        text.append(format.minIntegerDigits - integerDigits.size(), '0');
    text.append(integerDigits);
    if (format.hasSeparator) {
        text.append(decimalSeparator);
        text.append(fractionDigits);
    }
    return text;
}

} // namespace geometry
