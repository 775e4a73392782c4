#include "cli/one_belt.h"

#include "cli/pulleys.h"
#include "cli/writer.h"
#include "common/calculation.h"
#include "common/messages.h"
#include "common/output_file.h"
#include "common/window_profiles.h"
#include "geometry/centre_distance.h"
#include "geometry/design.h"
#include "geometry/drawing.h"
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
    std::optional<geometry::DriveGeometry> drive;
    QStringList complaints; // why there is no drive, or what is wrong with it
    std::int64_t beltTeeth = 0;
};

// The drawing into each file asked for, a regular file whole or not at all; the one for
// standard output as text. A file that cannot be written names itself.
common::Result<QString> writeDrawings(const Request &request, const TrueGeometry &truth, double z1,
                                      double z2, const QLocale &locale) {
    const geometry::Drawing drawing = geometry::drawDrive(request.profile, z1, z2, truth.beltTeeth,
                                                          locale.decimalPoint().toStdString());
    QString onTheOutput;
    for (const auto &[file, write] :
         {std::pair{request.svg, &geometry::svgFile}, std::pair{request.dxf, &geometry::dxfFile}}) {
        if (!file)
            continue;
        const std::string text = write(drawing);
        if (*file == u'-') {
            onTheOutput = QString::fromStdString(text);
            continue;
        }
        if (std::optional<Problem> problem = common::writeFile(
                *file, QByteArray::fromStdString(text), messages::drawingNotWritten))
            return *std::move(problem);
    }
    return onTheOutput;
}

common::Result<TrueGeometry> trueGeometry(const Pulleys &pulleys, double code,
                                          const QString &codeText,
                                          const geometry::ProfileChoice &profile,
                                          const Writer &write) {
    const double z1 = pulleys.larger, z2 = pulleys.smaller;
    if (const std::optional<QString> whyNot = unbuildablePulleys(pulleys))
        return TrueGeometry{std::nullopt, {*whyNot}};
    const std::vector<std::int64_t> teeth = geometry::teethOfCode(*profile.profile, code);
    if (teeth.empty())
        return TrueGeometry{
            std::nullopt,
            {messages::noSuchBelt(QString::fromStdString(geometry::profileName(profile)),
                                  codeText.trimmed())}};
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
    TrueGeometry result{geometry::driveGeometry(*profile.profile, z1, z2,
                                                *geometry::openDrive(z1, z2, beltTeeth, pitch),
                                                teeth[0]),
                        {},
                        teeth[0]};
    const geometry::PulleyGeometry &smaller = result.drive->smaller;
    if (smaller.teethInMesh < geometry::fewestTeethInMesh)
        result.complaints << messages::fewTeethInMesh(write.twoDecimals(smaller.teethInMesh));
    if (smaller.teeth < profile.profile->smallestPulley)
        result.complaints << messages::smallPulley(
            messages::smallerPulley, QString::number(smaller.teeth),
            QString::fromUtf8(profile.profile->name.data(),
                              qsizetype(profile.profile->name.size())),
            profile.profile->smallestPulley);
    return result;
}

// A line of the one-belt form: what it is, its value if there is one, its unit.
struct Line {
    QString label;
    std::optional<QString> value;
    const char *unit;
    const char *csvUnit;
    const char *csvName = nullptr; // where the label's letters are no column's
};

// The true distance, the window's for its profiles, the ratios, the whole geometry and the
// speeds, with what the drive lacks left empty.
std::vector<Line> resultLines(const Request &request, const Pulleys &pulleys,
                              const common::Calculation &shown, bool window,
                              const TrueGeometry &truth, std::optional<double> speed,
                              const Writer &write) {
    // A figure of the true geometry with two decimals, or nothing without it.
    const auto figure = [&](const auto &of) {
        return truth.drive ? std::optional(write.twoDecimals(of(*truth.drive))) : std::nullopt;
    };
    using Drive = geometry::DriveGeometry;
    std::vector<Line> lines{{QStringLiteral("interasse effettivo"),
                             figure([](const Drive &d) { return d.centreDistance; }), " mm", "mm"}};
    if (window)
        lines.push_back(
            {QStringLiteral("interasse della finestra"), shown.centreDistance, " mm", "mm"});
    lines.push_back({QStringLiteral("M/m"), shown.ratio, "", nullptr});
    lines.push_back({QStringLiteral("m/M"), shown.inverseRatio, "", nullptr});
    const Line geometryLines[] = {
        {QStringLiteral("angolo di avvolgimento sul minore"),
         figure([](const Drive &d) { return d.smaller.wrapAngle; }), "°", "gradi"},
        {QStringLiteral("denti in presa sul minore"),
         figure([](const Drive &d) { return d.smaller.teethInMesh; }), "", nullptr},
        {QStringLiteral("diametro primitivo maggiore"),
         figure([](const Drive &d) { return d.larger.pitchDiameter; }), " mm", "mm"},
        {QStringLiteral("diametro primitivo minore"),
         figure([](const Drive &d) { return d.smaller.pitchDiameter; }), " mm", "mm"},
        {QStringLiteral("diametro esterno maggiore"),
         figure([](const Drive &d) { return d.larger.outsideDiameter; }), " mm", "mm"},
        {QStringLiteral("diametro esterno minore"),
         figure([](const Drive &d) { return d.smaller.outsideDiameter; }), " mm", "mm"},
        {QStringLiteral("lunghezza primitiva"), figure([](const Drive &d) { return d.beltLength; }),
         " mm", "mm"},
        {QStringLiteral("tratto libero"), figure([](const Drive &d) { return d.span; }), " mm",
         "mm"},
        {QStringLiteral("angolo di avvolgimento sul maggiore"),
         figure([](const Drive &d) { return d.larger.wrapAngle; }), "°", "gradi"},
        {QStringLiteral("denti in presa sul maggiore"),
         figure([](const Drive &d) { return d.larger.teethInMesh; }), "", nullptr},
    };
    lines.insert(lines.end(), std::begin(geometryLines), std::end(geometryLines));
    if (speed) {
        const double larger = pulleys.larger, smaller = pulleys.smaller;
        const bool known = truth.drive.has_value();
        lines.push_back(
            {QStringLiteral("giri maggiore al minuto"),
             known ? std::optional(write.number(*speed * smaller / larger, "0.0")) : std::nullopt,
             "", nullptr});
        // The belt moves on by the smaller pulley's teeth each turn, a pitch each.
        const double metresPerSecond = *speed * smaller * request.profile.profile->pitch / 60000;
        lines.push_back({QStringLiteral("velocità cinghia"),
                         known ? std::optional(write.twoDecimals(metresPerSecond)) : std::nullopt,
                         " m/s", nullptr, "velocita_cinghia_m_s"});
    }

    return lines;
}

// The lines as label: value, or as a heading row and a row of values for a spreadsheet.
void writeLines(const std::vector<Line> &lines, Writer &write, const QLocale &locale) {
    const auto cell = [&](const std::optional<QString> &text) {
        return !text         ? QString()
               : write.csv() ? QString(*text).replace(locale.decimalPoint(), QStringLiteral("."))
                             : *text;
    };
    if (write.csv()) {
        QStringList headings, cells;
        for (const Line &line : lines) {
            headings << (line.csvName ? QString::fromLatin1(line.csvName)
                                      : write.heading(line.label, line.csvUnit));
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
    if ((!window || request.svg || request.dxf) && !truth->drive)
        return Problem{truth->complaints.join(u'\n'), ExitStatus::calculationFailed};
    // Read before any file is written: a wrong speed leaves no drawing behind.
    std::optional<double> speed;
    if (request.speed) {
        const common::Result<double> typed =
            common::readInput(*request.speed, messages::speed, locale);
        if (!typed)
            return typed.problem();
        if (!(*typed > 0))
            return Problem{messages::speedNotPositive(), ExitStatus::wrongUse};
        speed = *typed;
    }
    if (request.svg || request.dxf) {
        const common::Result<QString> drawing =
            writeDrawings(request, *truth, pulleys->larger, pulleys->smaller, locale);
        if (!drawing)
            return drawing.problem();
        if (!drawing->isEmpty()) { // the drawing alone on standard output
            write.stream() << *drawing;
            for (const QString &complaint : truth->complaints)
                err << complaint << '\n';
            return ExitStatus::done;
        }
    }
    if (!window) {
        // The window's patterns belong to the window's results.
        shown.ratio = write.twoDecimals(geometry::ratio(pulleys->larger, pulleys->smaller));
        shown.inverseRatio = write.twoDecimals(geometry::ratio(pulleys->smaller, pulleys->larger));
    }
    writeLines(resultLines(request, *pulleys, shown, window != nullptr, *truth, speed, write),
               write, locale);
    write.stream().flush(); // the results first, then what is wrong with them
    for (const QString &complaint : truth->complaints)
        err << complaint << '\n';
    return ExitStatus::done;
}

} // namespace cli
