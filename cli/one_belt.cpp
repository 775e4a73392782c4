#include "cli/one_belt.h"

#include "cli/pulleys.h"
#include "cli/writer.h"
#include "common/calculation.h"
#include "common/messages.h"
#include "common/window_profiles.h"
#include "geometry/centre_distance.h"
#include "geometry/open_drive.h"

#include <vector>

namespace cli {

namespace {

using common::ExitStatus;
using common::Problem;

QString beltNamed(const geometry::ProfileChoice &profile, std::int64_t teeth) {
    return QString::fromStdString(geometry::beltName(profile, teeth));
}

// The true geometry of that belt, or why it has none. A drive with no true geometry still
// shows the window's figure for the window's profiles.
struct TrueGeometry {
    std::optional<geometry::OpenDrive> drive;
    QString complaint; // why there is no drive, or what is wrong with it; empty if sound
};

common::Result<TrueGeometry> trueGeometry(const Pulleys &pulleys, double code,
                                          const QString &codeText,
                                          const geometry::ProfileChoice &profile,
                                          const Writer &write) {
    const double z1 = pulleys.larger, z2 = pulleys.smaller;
    if (const std::optional<QString> whyNot = unbuildablePulleys(pulleys))
        return TrueGeometry{std::nullopt, *whyNot};
    const std::vector<std::int64_t> teeth = geometry::teethOfCode(*profile.profile, code);
    if (teeth.empty())
        return TrueGeometry{std::nullopt, messages::noSuchBelt(QString::fromStdString(
                                                                   geometry::profileName(profile)),
                                                               codeText.trimmed())};
    if (teeth.size() > 1) {
        const auto belt = [&](std::int64_t count) {
            return messages::SharedCodeBelt{
                beltNamed(profile, count), count,
                write.code(geometry::beltCode(*profile.profile, count))};
        };
        return Problem{messages::sharedCode(codeText.trimmed(), belt(teeth[0]), belt(teeth[1])),
                       ExitStatus::wrongUse};
    }
    const auto beltTeeth = static_cast<double>(teeth[0]);
    const double pitch = profile.profile->pitch;
    if (const std::optional<geometry::Unsound> unsound =
            geometry::unbuildable(z1, z2, beltTeeth, pitch)) {
        // The window's profiles are answered with the window's message before this.
        const QString name = beltNamed(profile, teeth[0]);
        const std::optional<QString> shortest = common::shortestBeltName(z1, z2, profile);
        return Problem{*unsound == geometry::Unsound::tooShort
                           ? messages::beltCannotGoRound(name, shortest)
                           : messages::pitchCirclesOverlap(name, shortest),
                       ExitStatus::calculationFailed};
    }
    TrueGeometry result{geometry::openDrive(z1, z2, beltTeeth, pitch), QString()};
    if (result.drive->teethInMesh < geometry::fewestTeethInMesh)
        result.complaint = messages::fewTeethInMesh(write.twoDecimals(result.drive->teethInMesh));
    return result;
}

} // namespace

common::Result<ExitStatus> oneBelt(const Request &request, Writer &write, QTextStream &err,
                                   const QLocale &locale) {
    const common::WindowProfile *window = common::windowProfileOf(*request.profile.profile);
    const common::Result<Pulleys> pulleys =
        readPulleys(request.inputs[0], request.inputs[1], locale);
    if (!pulleys)
        return pulleys.problem();
    const common::Result<double> code =
        common::readInput(request.inputs[2], messages::belt, locale);
    if (!code)
        return code.problem();
    common::Calculation shown;
    if (window) {
        const int larger = pulleys->swapped ? 1 : 0;
        shown = common::calculate(request.inputs[larger], request.inputs[1 - larger],
                                  request.inputs[2], *window, locale);
        if (shown.problem)
            return *shown.problem;
    }
    const common::Result<TrueGeometry> truth =
        trueGeometry(*pulleys, *code, request.inputs[2], request.profile, write);
    if (!truth)
        return truth.problem();
    if (!window && !truth->drive)
        return Problem{truth->complaint, ExitStatus::calculationFailed};
    if (!window) {
        // The window's patterns belong to the window's results.
        shown.ratio = write.twoDecimals(geometry::ratio(pulleys->larger, pulleys->smaller));
        shown.inverseRatio = write.twoDecimals(geometry::ratio(pulleys->smaller, pulleys->larger));
    }
    const auto cell = [&](const std::optional<QString> &text) {
        return !text         ? QString()
               : write.csv() ? QString(*text).replace(locale.decimalPoint(), QStringLiteral("."))
                             : *text;
    };
    const auto driveValue = [&](double geometry::OpenDrive::*value) {
        return truth->drive ? std::optional(write.twoDecimals((*truth->drive).*value))
                            : std::nullopt;
    };
    struct Line {
        QString label;
        std::optional<QString> value;
        const char *unit;
        const char *csvUnit;
    };
    std::vector<Line> lines{{QStringLiteral("interasse effettivo"),
                             driveValue(&geometry::OpenDrive::centreDistance), " mm", "mm"}};
    if (window)
        lines.push_back(
            {QStringLiteral("interasse della finestra"), shown.centreDistance, " mm", "mm"});
    lines.push_back({QStringLiteral("M/m"), shown.ratio, "", nullptr});
    lines.push_back({QStringLiteral("m/M"), shown.inverseRatio, "", nullptr});
    lines.push_back({QStringLiteral("angolo di avvolgimento sul minore"),
                     driveValue(&geometry::OpenDrive::wrapAngle), "°", "gradi"});
    lines.push_back({QStringLiteral("denti in presa sul minore"),
                     driveValue(&geometry::OpenDrive::teethInMesh), "", nullptr});

    if (write.csv()) {
        QStringList headings, cells;
        for (const Line &line : lines) {
            headings << write.heading(line.label, line.csvUnit);
            cells << cell(line.value);
        }
        write.row(headings);
        write.row(cells);
    } else {
        for (const Line &line : lines)
            if (line.value)
                write.stream() << line.label << QStringLiteral(": ") << *line.value
                               << QString::fromUtf8(line.unit) << '\n';
    }
    write.stream().flush(); // the results first, then what is wrong with them
    if (!truth->complaint.isEmpty())
        err << truth->complaint << '\n';
    return ExitStatus::done;
}

} // namespace cli
