#include "cli/loads.h"

#include "common/messages.h"
#include "geometry/number_text.h"

#include <algorithm>

namespace cli {

namespace {

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A made width as its name prints it: L and 150 are L150.
geometry::ProfileChoice withWidth(const geometry::BeltProfile &profile, int hundredths) {
    return {&profile, QStringLiteral("%1").arg(hundredths, 3, 10, QChar(u'0')).toStdString()};
}

// The least rating over the pulleys, nothing where any cannot be rated.
std::optional<double> leastRating(const geometry::ProfileChoice &belt,
                                  const std::vector<RatedOn> &pulleys) {
    std::optional<double> least;
    for (const RatedOn &on : pulleys) {
        const std::optional<double> rating = geometry::ratedPower(belt, on.pulley);
        if (!rating)
            return std::nullopt;
        least = std::min(least.value_or(*rating), *rating);
    }
    return least;
}

} // namespace

common::Result<std::optional<double>> loadMass(const LoadRequest &loads,
                                               const geometry::ProfileChoice &profile) {
    if (!loads.tension && !loads.frequency)
        return std::optional<double>{};
    if (loads.mass)
        return std::optional(loads.mass->value);
    if (const std::optional<double> mass = geometry::massPerMetre(profile))
        return mass;
    return common::Problem{
        messages::massUnknown(fromView(profile.profile->name), massExample(*profile.profile)),
        common::ExitStatus::wrongUse};
}

std::optional<QString> massExample(const geometry::BeltProfile &profile) {
    if (!(profile.unitMass > 0))
        return std::nullopt;
    const std::span<const int> made = geometry::madeWidths(profile);
    // A width that is made where the widths are known.
    const geometry::ProfileChoice example =
        !made.empty() ? withWidth(profile, made.front())
        : profile.family == geometry::BeltFamily::inchTrapezoidal
            ? geometry::ProfileChoice{&profile, "037"}
            : geometry::ProfileChoice{&profile, "-10"};
    return QString::fromStdString(geometry::profileName(example));
}

std::optional<common::Problem> unmadeWidth(const LoadRequest &loads,
                                           const geometry::ProfileChoice &profile) {
    const geometry::BeltProfile &belt = *profile.profile;
    if (!loads.power || !geometry::hasRatingFormula(belt) || profile.width.empty() ||
        geometry::isMadeWidth(profile))
        return std::nullopt;
    QStringList widths;
    for (int hundredths : geometry::madeWidths(belt))
        widths << QString::fromStdString(withWidth(belt, hundredths).width);
    return common::Problem{
        messages::widthNotMade(QString::fromStdString(geometry::profileName(profile)),
                               fromView(belt.name), widths),
        common::ExitStatus::wrongUse};
}

std::optional<double> staticTension(const LoadRequest &loads, std::optional<double> mass,
                                    double measuredSpan) {
    if (loads.tension)
        return loads.tension->value;
    if (loads.frequency && mass)
        return geometry::tensionOfFrequency(loads.frequency->value, *mass, measuredSpan);
    return std::nullopt;
}

std::vector<DetailLine> powerLines(const LoadRequest &loads, const geometry::ProfileChoice &profile,
                                   double speed, const std::vector<RatedOn> &pulleys,
                                   std::optional<double> tension, std::optional<double> mass,
                                   const std::string &separator, bool csv,
                                   QStringList &complaints) {
    const auto shown = [&](double value, const char *pattern = "0.00") {
        return fromView(geometry::formatNumber(value, pattern, separator));
    };
    // Three figures at least, for the small belts' watts.
    const auto kilowatts = [&](double watts) {
        return fromView(geometry::formatSignificant(watts / 1000, 3, 3, separator));
    };
    const geometry::BeltProfile &belt = *profile.profile;
    const bool rated = geometry::hasRatingFormula(belt);
    std::vector<DetailLine> lines;
    const double power = loads.power ? loads.power->value * 1000 : 0; // W
    if (loads.power) {
        const double pull = geometry::effectivePull(power, speed);
        lines.push_back({QStringLiteral("tiro utile"), shown(pull), " N", "n"});
        if (tension) {
            const geometry::SideTensions sides = geometry::sideTensions(*tension, pull);
            lines.push_back({QStringLiteral("tiro lato teso"), shown(sides.tight), " N", "n"});
            lines.push_back({QStringLiteral("tiro lato lento"), shown(sides.slack), " N", "n"});
            if (mass && geometry::slackSideLeavesTeeth(*tension, pull, *mass, speed))
                complaints << messages::slackSideLeaves(
                    shown(*tension), shown(geometry::leastStaticTension(pull, *mass, speed)));
        }
    }
    if (!rated) {
        if (loads.power)
            complaints << messages::noRatingFormula(fromView(belt.name));
        return lines;
    }
    if (pulleys.empty()) // no pulley carries the load
        return lines;
    for (const RatedOn &on : pulleys)
        if (!geometry::teethInMeshFactor(on.pulley.teethInMesh))
            complaints << messages::tooFewTeethToRate(shown(on.pulley.teethInMesh), on.entry);
    if (geometry::isMadeWidth(profile))
        if (const std::optional<double> rating = leastRating(profile, pulleys))
            lines.push_back(
                {QStringLiteral("potenza trasmissibile"), kilowatts(*rating), " kW", "kw"});
    if (!loads.power)
        return lines;
    const double factor =
        loads.serviceFactor ? loads.serviceFactor->value : geometry::defaultServiceFactor;
    // The width each pulley needs; the belt takes the widest of them.
    std::optional<geometry::WidthChoice> chosen;
    bool carried = true;
    for (const RatedOn &on : pulleys) {
        const std::optional<geometry::WidthChoice> choice =
            geometry::narrowestWidth(belt, on.pulley, power, factor);
        carried = carried && choice;
        if (choice &&
            (!chosen || *geometry::widthOf(choice->belt) > *geometry::widthOf(chosen->belt)))
            chosen = choice;
    }
    const bool rateable = std::ranges::all_of(pulleys, [](const RatedOn &on) {
        return geometry::teethInMeshFactor(on.pulley.teethInMesh).has_value();
    });
    DetailLine width{QStringLiteral("larghezza necessaria"), std::nullopt, "", nullptr};
    if (carried && chosen) {
        const double rating = *leastRating(chosen->belt, pulleys);
        const QString name = QString::fromStdString(geometry::profileName(chosen->belt));
        // A spreadsheet's cell holds the width alone.
        width.value =
            csv ? name
                : QStringLiteral("%1 (margine %2)").arg(name, shown(rating / (power * factor)));
    } else if (rateable) {
        const geometry::ProfileChoice widest = withWidth(belt, geometry::madeWidths(belt).back());
        complaints << messages::noWidthCarries(
            kilowatts(power * factor), QString::fromStdString(geometry::profileName(widest)),
            kilowatts(leastRating(widest, pulleys).value_or(0)));
    }
    lines.push_back(width);
    lines.push_back({QStringLiteral("fattore di servizio"), shown(factor), "", nullptr});
    return lines;
}

} // namespace cli
