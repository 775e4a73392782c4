#include "common/calculation.h"

#include "geometry/belt_search.h"
#include "geometry/centre_distance.h"
#include "geometry/errors.h"
#include "geometry/number_text.h"
#include "geometry/open_drive.h"

#include <string>

namespace common {

namespace {

using Kind = geometry::CalculationError::Kind;

QString format(double value, const char *pattern, const std::string &separator) {
    return QString::fromStdString(geometry::formatNumber(value, pattern, separator));
}

Problem failed(QString message) {
    return {std::move(message), ExitStatus::calculationFailed};
}

// A belt too short for these pulleys, naming the shortest on which they run, if any.
Problem beltTooShort(double z1, double z2, const WindowProfile &profile) {
    const geometry::ProfileChoice choice = profile.choice();
    return failed(messages::beltTooShort(QString::fromStdString(geometry::profileName(choice)),
                                         shortestBeltName(z1, z2, choice)));
}

// Whether these pulleys run on that belt, as the window types them; the message when not.
// The formula gives a number for belts whose pulleys would overlap, or that are shorter than
// a pulley's circumference; such a number is no distance. Pulleys of no teeth or fewer are
// left to the formula.
std::optional<Problem> notRunning(double z1, double z2, double beltCode,
                                  const WindowProfile &profile) {
    if (!(z1 > 0 && z2 > 0) ||
        geometry::runsOn(z1, z2, windowBeltTeeth(beltCode, profile), profile.profile->pitch))
        return std::nullopt;
    if (geometry::isWholeTeeth(z1) && geometry::isWholeTeeth(z2))
        return beltTooShort(z1, z2, profile);
    return failed(messages::beltTooShortForThesePulleys());
}

} // namespace

Result<double> readInput(const QString &text, messages::Input input, const QLocale &locale,
                         geometry::Rounding rounding) {
    return readField(text, messages::heading(input), messages::whatToType(input), locale, rounding);
}

Result<double> readField(const QString &text, const QString &field, const QString &whatToType,
                         const QLocale &locale, geometry::Rounding rounding) {
    const QString separator = locale.decimalPoint();
    const auto wrongUse = [](QString message) {
        return Problem{std::move(message), ExitStatus::wrongUse};
    };
    if (text.trimmed().isEmpty())
        return wrongUse(messages::emptyField(field, whatToType));
    try {
        return geometry::textToNumber(text.toStdString(), separator.toStdString(), rounding);
    } catch (const geometry::CalculationError &error) {
        if (error.kind() == Kind::notANumber)
            return wrongUse(messages::notANumber(field, separator));
        return wrongUse(messages::outOfRange(field, error.kind() == Kind::tooSmall, separator));
    }
}

std::optional<QString> shortestBeltName(double z1, double z2,
                                        const geometry::ProfileChoice &profile) {
    const std::optional<geometry::Belt> shortest = geometry::shortestBelt(z1, z2, *profile.profile);
    if (!shortest)
        return std::nullopt;
    return QString::fromStdString(geometry::beltName(profile, shortest->teeth));
}

Calculation calculate(const QString &z1Text, const QString &z2Text, const QString &beltCodeText,
                      const WindowProfile &profile, const QLocale &locale) {
    const std::string separator = locale.decimalPoint().toStdString();
    Calculation result;
    const Result<double> z1 = readInput(z1Text, messages::largerPulley, locale);
    const Result<double> z2 = z1 ? readInput(z2Text, messages::smallerPulley, locale) : z1;
    const Result<double> beltCode = z2 ? readInput(beltCodeText, messages::belt, locale) : z2;
    if (!beltCode) {
        result.problem = beltCode.problem();
        return result;
    }
    if ((result.problem = notRunning(*z1, *z2, *beltCode, profile)))
        return result;
    // Each step as the window takes it; what the steps before a failure gave is kept.
    const double pitch = profile.profile->pitch;
    int step = 0;
    try {
        result.centreDistance =
            format(geometry::centreDistance(*z1, *z2, windowBeltTeeth(*beltCode, profile), pitch),
                   "######.##", separator);
        ++step;
        result.ratio = format(geometry::ratio(*z1, *z2), "####.0#", separator);
        ++step;
        result.inverseRatio = format(geometry::ratio(*z2, *z1), "###0.0#", separator);
    } catch (const geometry::CalculationError &error) {
        switch (error.kind()) {
        case Kind::beltTooShort:
            result.problem = beltTooShort(*z1, *z2, profile);
            break;
        case Kind::divisionByZero:
            // The ratio over the smaller pulley first, then over the larger.
            result.problem = failed(messages::pulleyWithoutTeeth(
                step == 1 ? messages::smallerPulley : messages::largerPulley));
            break;
        default:
            result.problem = failed(messages::resultTooLarge());
        }
    }
    return result;
}

} // namespace common
