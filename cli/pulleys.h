#pragma once

#include "common/result.h"

#include <QLocale>
#include <QStringList>

#include <optional>

namespace cli {

// The two pulleys of a command, read as the window reads them: M the larger, whichever is
// given first, when both have teeth.
struct Pulleys {
    double larger = 0, smaller = 0;
    bool swapped = false; // the smaller was given first
    bool operator==(const Pulleys &) const = default;
};
common::Result<Pulleys> readPulleys(const QString &first, const QString &second,
                                    const QLocale &locale);

// What is wrong with these pulleys for any belt, if anything: each must be of whole teeth.
std::optional<QString> unbuildablePulleys(const Pulleys &pulleys);

} // namespace cli
