// libFuzzer target: any double and pattern written as the window writes its results.
// Built by the fuzz preset; scripts/fuzz.sh runs it.
// Checks what a reader needs of the text, and that the rounding agrees with a slow reference
// that rounds the double's exact decimal expansion.

#include "geometry/errors.h"
#include "geometry/number_text.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

void check(bool holds) {
    if (!holds)
        std::abort();
}

// value rounded half away from zero to `decimals` places as "[-]integer.fraction", from its
// exact expansion of up to 1074 decimals: the writer's pattern "0." followed by that many "0".
std::string reference(double value, std::size_t decimals) {
    static char exact[309 + 1 + 1074 + 1];
    const char *end =
        std::to_chars(exact, exact + sizeof exact, std::fabs(value), std::chars_format::fixed, 1074)
            .ptr;
    const std::string_view expansion(exact, static_cast<std::size_t>(end - exact));
    const std::size_t point = expansion.find('.');
    std::string digits(expansion.substr(0, point));
    digits += expansion.substr(point + 1, decimals);
    if (expansion[point + 1 + decimals] >= '5') {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    std::string integer = digits.substr(0, digits.size() - decimals);
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    return (std::signbit(value) && !zero ? "-" : "") + integer + "." +
           digits.substr(digits.size() - decimals);
}

} // namespace

// The input: the double, two bytes of canonical decimals, the pattern's integer placeholders,
// two bytes of its decimals (past the 1,000 that the writer takes, now and then), a byte of
// flags, then one bit per placeholder: '#' or '0'. Patterns reach the writer's limits.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    constexpr std::size_t header = sizeof(double) + 6;
    if (size < header)
        return 0;
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    const auto word = [&](std::size_t at) {
        return std::size_t{data[at]} | std::size_t{data[at + 1]} << 8;
    };
    const std::size_t canonicalDecimals = word(8) % 1001;
    const std::size_t integerPlaceholders = std::size_t{data[10]} * 2;
    const std::size_t fractionPlaceholders = word(11) % 1003;
    const std::uint8_t flags = data[13];
    const std::uint8_t *bits = data + header;
    const std::size_t bitCount = (size - header) * 8;
    std::size_t next = 0;
    const auto placeholder = [&] {
        const bool zero = bitCount > 0 && (bits[next % bitCount / 8] >> (next % 8) & 1);
        ++next;
        return zero ? '0' : '#';
    };
    std::string pattern;
    for (std::size_t i = 0; i < integerPlaceholders; ++i)
        pattern += placeholder();
    if (!(flags & 1))
        pattern += '.';
    for (std::size_t i = 0; i < fractionPlaceholders; ++i)
        pattern += placeholder();
    if (flags & 2)
        pattern.insert(pattern.size() / 2, 1, "x.,"[flags >> 2 & 1]);

    if (!std::isfinite(value)) {
        try {
            geometry::formatNumber(value, "###0.0#", ".");
            check(false);
        } catch (const geometry::CalculationError &error) {
            using Kind = geometry::CalculationError::Kind;
            check(error.kind() == (std::isinf(value) ? Kind::tooLarge : Kind::notShowable));
        }
        return 0;
    }

    const std::string canonical = "0." + std::string(canonicalDecimals, '0');
    check(geometry::formatNumber(value, canonical, ".") == reference(value, canonicalDecimals));
    // The short way for a few fixed decimals gives what the general way gives.
    const std::string_view fixed = std::string_view("0.000").substr(0, canonicalDecimals % 5);
    if (!fixed.empty() && fixed != "0.")
        check(geometry::formatNumber(value, fixed, ",") ==
              geometry::formatNumber(value, "#" + std::string(fixed), ","));

    std::string text;
    try {
        text = geometry::formatNumber(value, pattern, ",");
    } catch (const geometry::CalculationError &error) {
        check(error.kind() == geometry::CalculationError::Kind::malformedPattern);
        return 0;
    }
    const bool hasDigit = text.find_first_of("123456789") != std::string::npos;
    check(text.empty() || text[0] != '-' || hasDigit); // never "-" before a zero

    const std::size_t point = pattern.find('.');
    const std::size_t decimals = point == std::string::npos ? 0 : pattern.size() - point - 1;
    const double halfUnit = 0.5 * std::pow(10.0, -static_cast<double>(decimals));
    if (decimals <= 4 && std::fabs(value) < 1e10 && text.find_first_of("0123456789") != text.npos) {
        const double read = geometry::textToNumber(text, ",");
        // Half a unit, and the rounding of the double read back.
        check(std::fabs(read - value) <= halfUnit + 4 * DBL_EPSILON * std::fabs(value));
    }
    return 0;
}
