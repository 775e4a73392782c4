#include "geometry/number_text.h"

#include "geometry/errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <stdexcept>

namespace geometry {

namespace {

// The length of the Unicode white space that text starts with, 0 if none. Locales that
// group digits with no-break spaces make these common around pasted numbers. Decided on the
// first byte, since almost every character is not a space.
std::size_t spaceAt(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    switch (byte(0)) {
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
    case ' ':
        return 1;
    case 0xC2: // U+0085, U+00A0
        return text.size() >= 2 && (byte(1) == 0x85 || byte(1) == 0xA0) ? 2 : 0;
    case 0xE1: // U+1680
        return text.starts_with("\xE1\x9A\x80") ? 3 : 0;
    case 0xE2: // U+2000 to U+200A, U+2028, U+2029, U+202F, U+205F
        if (text.size() < 3)
            return 0;
        if (byte(1) == 0x80) {
            const unsigned char last = byte(2);
            return (last >= 0x80 && last <= 0x8A) || last == 0xA8 || last == 0xA9 || last == 0xAF
                       ? 3
                       : 0;
        }
        return byte(1) == 0x81 && byte(2) == 0x9F ? 3 : 0;
    case 0xE3: // U+3000
        return text.starts_with("\xE3\x80\x80") ? 3 : 0;
    default:
        return 0;
    }
}

// The same at the end: a space is one, two or three bytes long.
std::size_t spaceBefore(std::string_view text) {
    for (std::size_t length = 1; length <= 3 && length <= text.size(); ++length)
        if (spaceAt(text.substr(text.size() - length)) == length)
            return length;
    return 0;
}

std::string_view trimSpaces(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = spaceAt(text);
        if (length == 0)
            break;
        text.remove_prefix(length);
    }
    while (!text.empty()) {
        const std::size_t length = spaceBefore(text);
        if (length == 0)
            break;
        text.remove_suffix(length);
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

double textToNumber(std::string_view text, std::string_view decimalSeparator, Rounding rounding) {
    std::string_view body = trimSpaces(text);
    if (body.empty())
        throw CalculationError(CalculationError::Kind::notANumber,
                               "type mismatch: the text is empty, not a number");

    bool negative = false;
    if (body.front() == '-' || body.front() == '+') {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }

    std::uint64_t whole = 0;
    bool wholeTooLarge = false;
    std::uint64_t fraction = 0;
    int fractionDigits = 0;
    bool half = false, beyond = false; // of the digits past the kept ones
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
            } else {
                half = half || (fractionDigits == keptDecimals && digitValue(c) >= 5);
                beyond = beyond || c != '0';
                fractionDigits = keptDecimals + 1;
            }
            ++i;
        } else if (!seenSeparator && !decimalSeparator.empty() &&
                   body.substr(i).starts_with(decimalSeparator)) {
            seenSeparator = true;
            i += decimalSeparator.size();
        } else {
            throw CalculationError(CalculationError::Kind::notANumber,
                                   "type mismatch: the text is not a number");
        }
    }
    if (!seenDigit)
        throw CalculationError(CalculationError::Kind::notANumber,
                               "type mismatch: the text has no digits");

    for (int i = fractionDigits; i < keptDecimals; ++i)
        fraction *= 10;
    const std::uint64_t limit = negative ? largestMagnitude : largestMagnitude - 1;
    // On the magnitude: half away from zero, or away from zero where that rounds the value
    // the way asked.
    const bool away =
        rounding == Rounding::nearest ? half : beyond && (rounding == Rounding::up) != negative;
    const std::uint64_t magnitude =
        wholeTooLarge ? limit + 1 : whole * unitsPerWhole + fraction + (away ? 1 : 0);
    if (wholeTooLarge || magnitude > limit)
        throw CalculationError(
            negative ? CalculationError::Kind::tooSmall : CalculationError::Kind::tooLarge,
            negative ? "overflow: the number is too small" : "overflow: the number is too large");

    const std::int64_t count =
        negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return static_cast<double>(count) / static_cast<double>(unitsPerWhole);
}

namespace {

constexpr std::size_t maxFractionDigits = 1000;
// The integer digits of the largest double.
constexpr std::size_t maxIntegerDigits = 309;

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
            throw CalculationError(CalculationError::Kind::malformedPattern,
                                   "number pattern takes only '#', '0' and one '.': " +
                                       std::string(pattern));
        }
    }
    if (parsed.fractionDigits > maxFractionDigits)
        throw CalculationError(CalculationError::Kind::malformedPattern,
                               "number pattern has too many decimals");
    if (firstIntegerZero != std::string_view::npos)
        parsed.minIntegerDigits = integerPlaceholders - firstIntegerZero;
    return parsed;
}

// Whether a non-negative value lies halfway between two numbers of that many decimals:
// only then is its lowest set bit the one worth 2^-(decimals + 1).
bool isDecimalTie(double magnitude, std::size_t decimals) {
    const double scaled = std::ldexp(magnitude, static_cast<int>(decimals) + 1);
    return std::fmod(scaled, 2.0) == 1.0; // an infinity gives NaN: no tie
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

namespace {

// Value with that many decimals (0 to 3) appended to text, wherever it is not within a few
// units in the last place of a tie and is below 10^12: value * 10^decimals is then rounded
// the same way as the exact binary value, without the general way's exact expansion.
// Whether it was.
bool appendQuickly(std::string &text, double value, std::size_t decimals,
                   std::string_view decimalSeparator) {
    static constexpr double scales[] = {1, 10, 100, 1000};
    static constexpr std::uint64_t powers[] = {1, 10, 100, 1000};
    const double magnitude = std::fabs(value);
    if (decimals > 3 || !(magnitude < 1e12) || decimalSeparator.size() > 8)
        return false;
    const double scaled = magnitude * scales[decimals];
    auto units = static_cast<std::uint64_t>(scaled); // below 2^53: whole and fraction exact
    const double fraction = scaled - static_cast<double>(units);
    if (std::fabs(fraction - 0.5) <= 4 * std::numeric_limits<double>::epsilon() * scaled)
        return false;
    if (fraction > 0.5)
        ++units;
    // Written from the last digit back.
    char written[48];
    char *const end = written + sizeof written;
    char *first = end;
    std::uint64_t whole = units / powers[decimals], part = units % powers[decimals];
    for (std::size_t place = 0; place < decimals; ++place, part /= 10)
        *--first = static_cast<char>('0' + part % 10);
    if (decimals > 0) {
        first -= decimalSeparator.size();
        std::memcpy(first, decimalSeparator.data(), decimalSeparator.size());
    }
    do // one integer digit at least, as the pattern's "0" asks
        *--first = static_cast<char>('0' + whole % 10);
    while ((whole /= 10) > 0);
    if (std::signbit(value) && units != 0)
        *--first = '-';
    text.append(first, static_cast<std::size_t>(end - first));
    return true;
}

} // namespace

std::string formatNumber(double value, std::string_view pattern,
                         std::string_view decimalSeparator) {
    static constexpr std::string_view fixed[] = {"0", "0.0", "0.00", "0.000"};
    if (const auto quick = std::ranges::find(fixed, pattern); quick != std::end(fixed)) {
        std::string text;
        if (appendQuickly(text, value, static_cast<std::size_t>(quick - std::begin(fixed)),
                          decimalSeparator))
            return text;
    }
    const Pattern format = parsePattern(pattern);
    if (std::isnan(value))
        throw CalculationError(CalculationError::Kind::notShowable, "the result is not a number");
    if (std::isinf(value))
        throw CalculationError(CalculationError::Kind::tooLarge,
                               "overflow: the result is too large to show");

    // to_chars rounds the exact binary value correctly, but a tie to even; a tie has one more
    // decimal, a 5, which it writes exactly, and then goes away from zero as the user expects.
    const double magnitude = std::fabs(value);
    const bool tie = isDecimalTie(magnitude, format.fractionDigits);
    const std::size_t decimals = format.fractionDigits + (tie ? 1 : 0);
    char buffer[maxIntegerDigits + 1 + maxFractionDigits + 1]; // never too small
    const char *end = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                    std::chars_format::fixed, static_cast<int>(decimals))
                          .ptr;
    const std::string_view expansion(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t integerLength = expansion.size() - (decimals == 0 ? 0 : decimals + 1);

    // Integer and kept fraction digits as one string, so that a carry crosses the separator.
    std::string digits(expansion.substr(0, integerLength));
    if (decimals > 0)
        digits.append(expansion.substr(integerLength + 1, format.fractionDigits));
    if (tie && incrementDigits(digits))
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

void appendFixed(std::string &text, double value, int decimals, std::string_view decimalSeparator) {
    if (appendQuickly(text, value, static_cast<std::size_t>(decimals), decimalSeparator))
        return;
    std::string pattern = "0";
    if (decimals > 0)
        pattern.append(".").append(static_cast<std::size_t>(decimals), '0');
    text += formatNumber(value, pattern, decimalSeparator);
}

std::string formatSignificant(double value, int figures, int leastDecimals,
                              std::string_view decimalSeparator) {
    int decimals = leastDecimals;
    if (value != 0 && std::isfinite(value))
        decimals = std::max(
            decimals, figures - 1 - static_cast<int>(std::floor(std::log10(std::fabs(value)))));
    std::string text;
    appendFixed(text, value, decimals, decimalSeparator);
    return text;
}

} // namespace geometry
