#include "program/calculation.h"

#include "geometry/belt_search.h"
#include "geometry/centre_distance.h"
#include "geometry/current_pitch.h"
#include "geometry/errors.h"
#include "geometry/number_text.h"
#include "geometry/open_drive.h"
#include "program/messages.h"

#include <string>

namespace {

double ratio(double numerator, double denominator, messages::Input denominatorInput) {
    try {
        return geometry::ratio(numerator, denominator);
    } catch (const geometry::DivisionByZeroError &) {
        throw Failure{messages::pulleyWithoutTeeth(denominatorInput)};
    }
}

QString format(double value, const char *pattern, const std::string &separator) {
    return QString::fromStdString(geometry::formatNumber(value, pattern, separator));
}

} // namespace

double readInput(const QString &text, messages::Input input, const QLocale &locale) {
    const QString separator = locale.decimalPoint();
    if (text.trimmed().isEmpty())
        throw Failure{messages::emptyField(input)};
    try {
        return geometry::textToNumber(text.toStdString(), separator.toStdString());
    } catch (const geometry::TypeMismatchError &) {
        throw Failure{messages::notANumber(input, separator)};
    } catch (const geometry::OverflowError &e) {
        throw Failure{messages::outOfRange(input, e.negative(), separator)};
    }
}

QString profileName(double pitch) {
    const geometry::WindowProfile *profile = geometry::windowProfileWithPitch(pitch);
    return profile ? QString::fromUtf8(profile->name.data(), qsizetype(profile->name.size()))
                   : QString::number(pitch) + QStringLiteral(" mm");
}

std::optional<geometry::ProfileChoice> windowProfileChoice(double pitch) {
    const geometry::WindowProfile *profile = geometry::windowProfileWithPitch(pitch);
    if (!profile)
        return std::nullopt;
    return geometry::readProfile(profile->name);
}

std::optional<QString> shortestBeltName(double z1, double z2,
                                        const std::optional<geometry::ProfileChoice> &profile) {
    if (!profile)
        return std::nullopt;
    const std::optional<geometry::Belt> shortest =
        geometry::shortestBelt(z1, z2, *profile->profile);
    if (!shortest)
        return std::nullopt;
    return QString::fromStdString(geometry::beltName(*profile, shortest->teeth));
}

Calculation calculate(const QString &z1Text, const QString &z2Text, const QString &beltCodeText,
                      double pitch, const QLocale &locale) {
    const std::string separator = locale.decimalPoint().toStdString();
    Calculation result;
    try {
        result.unreadableInput = true;
        const double z1 = readInput(z1Text, messages::largerPulley, locale);
        const double z2 = readInput(z2Text, messages::smallerPulley, locale);
        const double beltCode = readInput(beltCodeText, messages::belt, locale);
        result.unreadableInput = false;
        // The formula gives a number for belts whose pulleys would overlap, or that are
        // shorter than a pulley's circumference; such a number is no distance.
        if (z1 > 0 && z2 > 0 &&
            !geometry::runsOn(z1, z2, geometry::beltTeeth(beltCode, pitch), pitch))
            throw Failure{geometry::isWholeTeeth(z1) && geometry::isWholeTeeth(z2)
                              ? messages::beltTooShort(
                                    profileName(pitch),
                                    shortestBeltName(z1, z2, windowProfileChoice(pitch)))
                              : messages::beltTooShortForThesePulleys()};
        double distance = 0;
        try {
            distance = geometry::centreDistance(z1, z2, beltCode, pitch);
        } catch (const geometry::InvalidArgumentError &) {
            throw Failure{messages::beltTooShort(
                profileName(pitch), shortestBeltName(z1, z2, windowProfileChoice(pitch)))};
        }
        result.centreDistance = format(distance, "######.##", separator);
        result.ratio = format(ratio(z1, z2, messages::smallerPulley), "####.0#", separator);
        result.inverseRatio = format(ratio(z2, z1, messages::largerPulley), "###0.0#", separator);
    } catch (const Failure &failure) {
        result.error = failure.message;
    } catch (const geometry::CalculationError &) {
        result.error = messages::resultTooLarge();
    }
    return result;
}
