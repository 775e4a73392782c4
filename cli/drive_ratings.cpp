#include "cli/drive_ratings.h"

#include "cli/loads.h"
#include "common/messages.h"
#include "geometry/loads.h"
#include "geometry/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace cli {

namespace {

// The smaller pulley's speed in a row, in turns a minute.
std::optional<double> smallerSpeed(const Drives &drives, const geometry::Design &drive,
                                   const PowerAsked &asked) {
    if (!drives.speeds)
        return asked.speed;
    const Drives::Speeds &speeds = *drives.speeds;
    const double ratio = static_cast<double>(drive.larger) / static_cast<double>(drive.smaller);
    return speeds.largerDrives ? speeds.driving * ratio : speeds.driving;
}

bool rated(const geometry::BeltProfile &profile) {
    return geometry::hasRatingFormula(profile) || geometry::hasRatingTable(profile);
}

} // namespace

std::optional<Ratings> rateDrives(Drives &drives, const PowerAsked &asked, bool leaveShortOut) {
    const geometry::ProfileChoice &profile = drives.profile;
    if (!profile.profile || !rated(*profile.profile))
        return std::nullopt;
    Ratings ratings{asked, !profile.width.empty(), {}};
    ratings.values.reserve(drives.rows.size());
    // Some tables add power for a speed-down drive: only where the smaller pulley is known to
    // drive.
    const bool smallerDrives =
        drives.speeds && drives.speeds->shafts && !drives.speeds->largerDrives;
    std::size_t kept = 0;
    for (std::size_t row = 0; row < drives.rows.size(); ++row) {
        const geometry::Design &drive = drives.rows[row];
        const std::optional<double> speed = smallerSpeed(drives, drive, asked);
        if (!speed)
            return std::nullopt;
        const geometry::OpenDrive &open = drive.belt.drive;
        const geometry::RatedPulley pulley{2 * open.smallRadius, *speed, open.teethInMesh,
                                           drive.belt.teeth, smallerDrives ? drive.ratio : 0};
        double value = std::numeric_limits<double>::quiet_NaN();
        if (ratings.atWidth) {
            if (const std::optional<double> rating = geometry::ratedPower(profile, pulley))
                value = *rating;
        } else if (geometry::teethInMeshFactor(open.teethInMesh)) {
            const std::optional<geometry::WidthChoice> width =
                geometry::narrowestWidth(profile, pulley, asked.needed, 1);
            value = width ? std::abs(std::stod(width->belt.width)) : 0;
        }
        ratings.values.push_back(value);
        if (leaveShortOut && fallsShort(ratings, ratings.values.size() - 1)) {
            ratings.values.pop_back();
            continue;
        }
        if (kept != row)
            drives.rows[kept] = drive;
        ++kept;
    }
    drives.rows.resize(kept);
    return ratings;
}

common::Result<std::optional<Ratings>> rateFound(Drives &drives, const LoadRequest &loads,
                                                 std::optional<double> speed, bool leaveShortOut,
                                                 QStringList &complaints) {
    if (!loads.power)
        return std::optional<Ratings>();
    if (std::optional<common::Problem> problem = unratedWidth(drives.profile))
        return *std::move(problem);
    if (!rated(*drives.profile.profile)) {
        complaints << messages::noRatingFormula(QString::fromUtf8(
            drives.profile.profile->name.data(), qsizetype(drives.profile.profile->name.size())));
        return std::optional<Ratings>();
    }
    const double factor =
        loads.serviceFactor ? loads.serviceFactor->value : geometry::defaultServiceFactor;
    const auto count = static_cast<qint64>(drives.rows.size());
    std::optional<Ratings> ratings =
        rateDrives(drives, {loads.power->value * 1000 * factor, speed}, leaveShortOut);
    if (count > 0 && drives.rows.empty())
        return common::Problem{messages::allShortOfPower(count),
                               common::ExitStatus::calculationFailed};
    return ratings;
}

bool fallsShort(const Ratings &ratings, std::size_t row) {
    const double value = ratings.values[row];
    return std::isnan(value) || (ratings.atWidth ? value < ratings.asked.needed : value == 0);
}

QString ratingHeading(const Ratings &ratings) {
    return ratings.atWidth ? QStringLiteral("Potenza (kW)") : QStringLiteral("Larghezza");
}

QString ratingCell(const Ratings &ratings, std::size_t row, const geometry::ProfileChoice &profile,
                   std::string_view separator) {
    const double value = ratings.values[row];
    if (std::isnan(value) || value == 0)
        return {};
    if (ratings.atWidth)
        return QString::fromStdString(
            geometry::formatSignificant(value / 1000, 3, 3, std::string(separator)));
    // Inch widths are three digits of hundredths (L075); metric ones follow a dash (5M-15).
    const long number = std::lround(value);
    const std::string width =
        geometry::madeWidths(*profile.profile).empty()
            ? "-" + std::to_string(number)
            : QStringLiteral("%1").arg(number, 3, 10, QChar(u'0')).toStdString();
    return QString::fromStdString(geometry::profileName({profile.profile, width, profile.line}));
}

QString ratingLegend(const Ratings &ratings, const geometry::ProfileChoice &profile,
                     std::string_view separator) {
    const QString kilowatts = QString::fromStdString(
        geometry::formatNumber(ratings.asked.needed / 1000, "0.000", std::string(separator)));
    QString legend =
        ratings.atWidth
            ? messages::shortOfPowerLegend(kilowatts)
            : messages::noWidthCarriesLegend(
                  kilowatts, QString::fromUtf8(profile.profile->name.data(),
                                               qsizetype(profile.profile->name.size())));
    if (std::ranges::any_of(ratings.values, [](double value) { return std::isnan(value); }))
        legend += u'\n' + messages::unratedLegend();
    return legend;
}

} // namespace cli
