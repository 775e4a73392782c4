#pragma once

#include "common/messages.h"
#include "common/result.h"
#include "common/window_profiles.h"
#include "geometry/belt_profile.h"
#include "geometry/number_text.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace common {

// Reads a typed number as the window does; a problem of wrong use names the field. rounding:
// how its four decimals are kept (see geometry::textToNumber).
Result<double> readInput(const QString &text, messages::Input input, const QLocale &locale,
                         geometry::Rounding rounding = geometry::Rounding::nearest);
// The same for any field, named by its heading, with what to type in it when it is empty.
Result<double> readField(const QString &text, const QString &field, const QString &whatToType,
                         const QLocale &locale,
                         geometry::Rounding rounding = geometry::Rounding::nearest);

// The shortest made belt on which these pulleys run, as it is printed: the one answer of the
// window and the command line to "which belt at the least?".
std::optional<QString> shortestBeltName(double z1, double z2,
                                        const geometry::ProfileChoice &profile);

// One press of "calcola interasse" without the window: the three typed texts in, the texts
// of the results out, each in the window's pattern and the locale's decimal separator.
// The steps run in order and stop at the first failure; the results of the steps before it
// are kept, being right for these inputs.
struct Calculation {
    std::optional<QString> centreDistance; // "######.##", mm
    std::optional<QString> ratio;          // larger over smaller, "####.0#"
    std::optional<QString> inverseRatio;   // smaller over larger, "###0.0#"
    std::optional<Problem> problem;        // of the step that failed: wrong use for a value
                                           // that cannot be read, else a failed calculation
};

Calculation calculate(const QString &z1, const QString &z2, const QString &beltCode,
                      const WindowProfile &profile, const QLocale &locale);

} // namespace common
