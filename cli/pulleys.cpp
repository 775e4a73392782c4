#include "cli/pulleys.h"

#include "common/calculation.h"
#include "common/messages.h"
#include "geometry/open_drive.h"

#include <utility>

namespace cli {

common::Result<Pulleys> readPulleys(const QString &first, const QString &second,
                                    const QLocale &locale) {
    const common::Result<double> z1 = common::readInput(first, messages::largerPulley, locale);
    const common::Result<double> z2 =
        z1 ? common::readInput(second, messages::smallerPulley, locale) : z1;
    if (!z2)
        return z2.problem();
    if (*z1 > 0 && *z2 > 0 && *z1 < *z2)
        return Pulleys{*z2, *z1, true};
    return Pulleys{*z1, *z2, false};
}

std::optional<QString> unbuildablePulleys(const Pulleys &pulleys) {
    for (const auto &[teeth, input] : {std::pair{pulleys.larger, messages::largerPulley},
                                       std::pair{pulleys.smaller, messages::smallerPulley}})
        if (!geometry::isWholeTeeth(teeth))
            return messages::pulleyNotWhole(input);
    return std::nullopt;
}

} // namespace cli
