// libFuzzer target: any bytes as typed text, in three locales' separators.
// Built by the fuzz preset; scripts/fuzz.sh runs it.

#include "geometry/centre_distance.h"
#include "geometry/errors.h"
#include "geometry/number_text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    constexpr std::string_view separators[] = {",", ".", "\xD9\xAB"};
    const std::string_view separator = separators[data[0] % 3];
    const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);

    double value = 0;
    try {
        value = geometry::textToNumber(text, separator);
    } catch (const geometry::CalculationError &) {
        return 0;
    }
    if (!std::isfinite(value) || std::abs(value) > 922337203685477.6)
        std::abort();

    // Four decimals survive a round trip while the double still resolves them.
    if (std::abs(value) < 1e10 &&
        geometry::textToNumber(geometry::formatNumber(value, "0.0000", separator), separator) !=
            value)
        std::abort();

    for (const char *pattern : {"######.##", "####.0#", "###0.0#"})
        if (geometry::formatNumber(value, pattern, separator).empty() && value != 0)
            std::abort();
    try {
        const double distance = geometry::centreDistance(value, 14, 150, 5.08);
        if (!std::isfinite(distance) || distance < 0)
            std::abort();
        if (!std::isfinite(geometry::ratio(14, value)))
            std::abort();
    } catch (const geometry::CalculationError &) {
    }
    return 0;
}
