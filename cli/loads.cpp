#include "cli/loads.h"

#include "common/messages.h"
#include "geometry/number_text.h"

#include <algorithm>
#include <cmath>
#include <numbers>

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

// Why the belt has no rating on that pulley, where a sentence says it.
std::optional<QString> whyUnrated(const geometry::ProfileChoice &belt,
                                  const geometry::Rating &rating, const RatedOn &on,
                                  const QString &teethInMesh) {
    const QString name = QString::fromStdString(geometry::profileName(belt));
    const int grooves =
        int(std::lround(std::numbers::pi * on.pulley.pitchDiameter / belt.profile->pitch));
    const QString rpm = QString::number(std::lround(on.pulley.rpm));
    switch (rating.end) {
    case geometry::RatingEnd::tooFewTeeth:
        return messages::tooFewTeethToRate(teethInMesh, on.entry);
    case geometry::RatingEnd::fewGrooves:
        return messages::tableStartsAt(name, int(rating.limit), grooves, on.entry);
    case geometry::RatingEnd::manyGrooves:
        return messages::tableEndsAtGrooves(name, int(rating.limit), grooves, on.entry);
    case geometry::RatingEnd::pastLastRow:
        return messages::tableEndsAtRpm(name, QString::number(std::lround(rating.limit)), rpm,
                                        on.entry);
    case geometry::RatingEnd::blankCell:
        return messages::tableCellBlank(name, grooves, rpm, on.entry);
    case geometry::RatingEnd::lengthNotListed:
        return messages::lengthNotListed(name, on.pulley.beltTeeth);
    default: // said before the rating: no table, no width, a width not printed
        return std::nullopt;
    }
}

QStringList notesOf(unsigned notes) {
    QStringList said;
    const std::pair<geometry::CellNote, QString (*)()> sentences[] = {
        {geometry::CellNote::reducedLife, &messages::cellReducedLife},
        {geometry::CellNote::onlyIfRequired, &messages::cellOnlyIfRequired},
        {geometry::CellNote::specialPulleys, &messages::cellSpecialPulleys},
        {geometry::CellNote::noise, &messages::cellNoise},
    };
    for (const auto &[note, sentence] : sentences)
        if (geometry::hasNote(notes, note))
            said << sentence();
    return said;
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
    if (!loads.power)
        return std::nullopt;
    return unratedWidth(profile);
}

std::optional<common::Problem> unratedWidth(const geometry::ProfileChoice &profile) {
    const geometry::BeltProfile &belt = *profile.profile;
    if (profile.width.empty())
        return std::nullopt;
    QStringList widths;
    if (geometry::hasRatingFormula(belt)) {
        if (geometry::isMadeWidth(profile))
            return std::nullopt;
        for (int hundredths : geometry::madeWidths(belt))
            widths << QString::fromStdString(withWidth(belt, hundredths).width);
        return common::Problem{
            messages::widthNotMade(QString::fromStdString(geometry::profileName(profile)),
                                   fromView(belt.name), widths),
            common::ExitStatus::wrongUse};
    }
    const std::vector<int> printed = geometry::printedWidths(profile);
    if (printed.empty() ||
        std::ranges::find(printed, int(*geometry::widthOf(profile))) != printed.end())
        return std::nullopt;
    for (int millimetres : printed)
        widths << QString::number(millimetres);
    return common::Problem{
        messages::widthNotPrinted(QString::fromStdString(geometry::profileName(profile)),
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

std::optional<TensionToSet> tensionToSet(const LoadRequest &loads,
                                         const geometry::ProfileChoice &profile, double speed,
                                         const std::string &separator, QStringList &complaints) {
    // Without a width, no maker's row.
    if (loads.tension || loads.frequency || !loads.power || !geometry::widthOf(profile))
        return std::nullopt;
    TensionToSet set;
    const auto newtons = [&](const char *label, double value, const char *csvName) {
        set.lines.push_back({QString::fromUtf8(label),
                             fromView(geometry::formatNumber(value, "0.00", separator)), " N", "n",
                             csvName});
    };
    const auto showMass = [&](const char *label) {
        set.lines.push_back({QString::fromUtf8(label),
                             fromView(geometry::formatSignificant(*set.mass, 3, 4, separator)),
                             " kg/m", nullptr, "massa_della_cinghia_kg_m"});
    };
    const double factor =
        loads.serviceFactor ? loads.serviceFactor->value : geometry::defaultServiceFactor;
    const std::optional<geometry::TensionConstants> row = geometry::tensionConstants(profile);
    set.mass = geometry::massPerMetre(profile);
    if (set.mass)
        showMass("massa della cinghia");
    else if (row && row->mass) {
        set.mass = row->mass;
        showMass("massa della cinghia dalla costante del costruttore");
    }
    const double watts = loads.power->value * 1000;
    if (const std::optional<geometry::InstallTension> installed =
            geometry::installTension(profile, watts, factor, speed, set.mass)) {
        set.tension = installed->tension;
        newtons("tiro statico consigliato", installed->tension, "tiro_statico_consigliato_n");
        newtons("tiro statico per una cinghia nuova, fino a", 1.1 * installed->tension,
                "tiro_statico_nuova_max_n");
    } else {
        complaints << messages::noTensionToSet(
            QString::fromStdString(geometry::profileName(profile)), set.mass.has_value());
        if (set.mass)
            newtons("tiro statico minimo",
                    geometry::leastStaticTension(geometry::effectivePull(watts, speed), *set.mass,
                                                 speed),
                    "tiro_statico_minimo_n");
    }
    return set;
}

std::vector<DetailLine> powerLines(const LoadRequest &loads, const geometry::ProfileChoice &profile,
                                   double speed, const std::vector<RatedOn> &pulleys,
                                   std::optional<double> tension, std::optional<double> mass,
                                   const std::string &separator, bool csv, QStringList &complaints,
                                   bool &powerNotCarried) {
    const auto shown = [&](double value, const char *pattern = "0.00") {
        return fromView(geometry::formatNumber(value, pattern, separator));
    };
    // Three figures at least, for the small belts' watts.
    const auto kilowatts = [&](double watts) {
        return fromView(geometry::formatSignificant(watts / 1000, 3, 3, separator));
    };
    const geometry::BeltProfile &belt = *profile.profile;
    const bool formula = geometry::hasRatingFormula(belt);
    const bool table = geometry::hasRatingTable(belt);
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
    if (!formula && !table) {
        if (loads.power)
            complaints << messages::noRatingFormula(fromView(belt.name));
        return lines;
    }
    if (pulleys.empty()) // no pulley carries the load
        return lines;
    // The name's width where it is rated; else, to say where the tables end, the one they
    // print for the most pulleys and speeds: an inch profile's widest, a table's narrowest.
    const bool atName =
        formula ? geometry::isMadeWidth(profile) : !profile.width.empty() && !unratedWidth(profile);
    if (table && !profile.width.empty() && !atName)
        complaints << unratedWidth(profile)->message;
    const std::vector<int> printed = geometry::printedWidths(profile);
    const geometry::ProfileChoice probe =
        atName ? profile
        : formula
            ? withWidth(belt, geometry::madeWidths(belt).back())
            : geometry::ProfileChoice{&belt, "-" + std::to_string(printed.front()), profile.line};
    std::optional<double> least;
    std::string_view line;
    bool everyRated = true;
    // Without a width to rate or a power to carry, nothing is read.
    for (const RatedOn &on : atName || loads.power ? pulleys : std::vector<RatedOn>{}) {
        const geometry::Rating rating = geometry::rateBelt(probe, on.pulley);
        if (!rating.power) {
            everyRated = false;
            if (const std::optional<QString> why =
                    whyUnrated(probe, rating, on, shown(on.pulley.teethInMesh)))
                complaints << *why;
        } else if (!least || *rating.power < *least) {
            least = rating.power;
            line = rating.line;
        }
        for (const QString &note : notesOf(rating.notes))
            if (!complaints.contains(note))
                complaints << note;
    }
    if (atName && everyRated && least) {
        lines.push_back({QStringLiteral("potenza trasmissibile"), kilowatts(*least), " kW", "kw"});
        if (!line.empty())
            lines.push_back({QStringLiteral("linea della cinghia"), fromView(line), "", nullptr});
    }
    if (!loads.power)
        return lines;
    const double factor =
        loads.serviceFactor ? loads.serviceFactor->value : geometry::defaultServiceFactor;
    // The width each pulley needs; the belt takes the widest of them.
    std::optional<geometry::WidthChoice> chosen;
    bool carried = true;
    for (const RatedOn &on : pulleys) {
        const std::optional<geometry::WidthChoice> choice =
            geometry::narrowestWidth(profile, on.pulley, power, factor);
        carried = carried && choice;
        if (choice &&
            (!chosen || *geometry::widthOf(choice->belt) > *geometry::widthOf(chosen->belt)))
            chosen = choice;
    }
    const bool rateable = everyRated;
    DetailLine width{QStringLiteral("larghezza necessaria"), std::nullopt, "", nullptr};
    if (carried && chosen) {
        const double rating = *leastRating(chosen->belt, pulleys);
        const QString name = QString::fromStdString(geometry::profileName(chosen->belt));
        // A spreadsheet's cell holds the width alone.
        width.value =
            csv ? name
                : QStringLiteral("%1 (margine %2)").arg(name, shown(rating / (power * factor)));
    } else if (rateable) {
        // The widest that the tables rate here: not every width is printed for every pulley.
        geometry::ProfileChoice widest = probe;
        for (auto printedWidth = printed.rbegin(); !formula && printedWidth != printed.rend();
             ++printedWidth) {
            widest.width = "-" + std::to_string(*printedWidth);
            if (leastRating(widest, pulleys))
                break;
        }
        powerNotCarried = true;
        complaints << messages::noWidthCarries(
            kilowatts(power * factor), QString::fromStdString(geometry::profileName(widest)),
            kilowatts(leastRating(widest, pulleys).value_or(0)));
    }
    lines.push_back(width);
    lines.push_back({QStringLiteral("fattore di servizio"), shown(factor), "", nullptr});
    return lines;
}

} // namespace cli
