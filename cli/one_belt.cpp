#include "cli/one_belt.h"

#include "cli/loads.h"
#include "cli/pulleys.h"
#include "cli/writer.h"
#include "common/calculation.h"
#include "common/messages.h"
#include "common/output_file.h"
#include "common/window_profiles.h"
#include "geometry/centre_distance.h"
#include "geometry/design.h"
#include "geometry/drawing.h"
#include "geometry/number_text.h"
#include "geometry/open_drive.h"

#include <vector>

namespace cli {

namespace {

using common::ExitStatus;
using common::Problem;

QString beltNamed(const geometry::ProfileChoice &profile, std::int64_t teeth) {
    return QString::fromStdString(geometry::beltName(profile, teeth));
}

// Numbers in the user's format, or with "." for a spreadsheet.
struct Numbers {
    std::string separator;
    QString number(double value, const char *pattern) const {
        return QString::fromStdString(geometry::formatNumber(value, pattern, separator));
    }
    QString twoDecimals(double value) const { return number(value, "0.00"); }
};

// The true geometry of that belt, or why it has none: the description without its lines.
using TrueGeometry = DriveDescription;

common::Result<TrueGeometry> trueGeometry(const Pulleys &pulleys, double code,
                                          const QString &codeText,
                                          const geometry::ProfileChoice &profile,
                                          const Numbers &write) {
    const double z1 = pulleys.larger, z2 = pulleys.smaller;
    if (const std::optional<QString> whyNot = unbuildablePulleys(pulleys))
        return TrueGeometry{{}, std::nullopt, {*whyNot}};
    const std::vector<std::int64_t> teeth = geometry::teethOfCode(*profile.profile, code);
    if (teeth.empty())
        return TrueGeometry{
            {},
            std::nullopt,
            {messages::noSuchBelt(QString::fromStdString(geometry::profileName(profile)),
                                  codeText.trimmed())}};
    if (teeth.size() > 1) {
        const auto belt = [&](std::int64_t count) {
            return messages::SharedCodeBelt{
                beltNamed(profile, count), count,
                write.number(geometry::beltCode(*profile.profile, count), "0.#")};
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
    TrueGeometry result{{},
                        geometry::driveGeometry(*profile.profile, z1, z2,
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
    const double gap =
        geometry::outsideGap(*profile.profile, *geometry::openDrive(z1, z2, beltTeeth, pitch));
    if (gap < geometry::flangeRoom(*profile.profile))
        result.complaints << messages::noRoomForFlanges(
            write.twoDecimals(gap), write.twoDecimals(geometry::flangeRoom(*profile.profile)));
    return result;
}

using Line = DetailLine;

// The true distance, the window's for its profiles, the ratios, the whole geometry and the
// speeds, with what the drive lacks left empty.
std::vector<Line> resultLines(const OneBeltRequest &request, const Pulleys &pulleys,
                              const common::Calculation &shown, bool window,
                              const TrueGeometry &truth, std::optional<double> speed,
                              const Numbers &write) {
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

// How tight the belt is set and what the power asks of it, after its geometry and speeds.
std::vector<Line> loadLines(const OneBeltRequest &request, const geometry::DriveGeometry &drive,
                            std::optional<double> mass, const Numbers &write, bool csv,
                            QStringList &complaints, bool &powerNotCarried) {
    const LoadRequest &loads = request.loads;
    std::vector<Line> lines;
    const auto newtons = [&](const char *label, double value, const char *csvName = nullptr) {
        lines.push_back({QString::fromUtf8(label), write.twoDecimals(value), " N", "n", csvName});
    };
    // The mass that the spans are heard at, once, before the first figure that uses it.
    bool massShown = false;
    std::optional<double> tension = staticTension(loads, mass, drive.span);
    if (request.speed) {
        if (std::optional<TensionToSet> set =
                tensionToSet(loads, request.profile,
                             geometry::beltSpeed(drive.smaller.pitchDiameter, *request.speed),
                             write.separator, complaints)) {
            tension = set->tension;
            mass = set->mass;
            massShown = mass.has_value();
            lines.insert(lines.end(), set->lines.begin(), set->lines.end());
        }
    }
    if (tension) {
        if (mass && !massShown)
            lines.push_back(
                {QStringLiteral("massa della cinghia"),
                 QString::fromStdString(geometry::formatSignificant(*mass, 3, 4, write.separator)),
                 " kg/m", nullptr, "massa_della_cinghia_kg_m"});
        if (loads.frequency)
            newtons("tiro statico", *tension);
        if (mass)
            lines.push_back(
                {QStringLiteral("frequenza del tratto"),
                 write.twoDecimals(geometry::spanFrequency(*tension, *mass, drive.span)), " Hz",
                 "hz"});
        lines.push_back({QStringLiteral("freccia"),
                         write.twoDecimals(geometry::spanDeflection(drive.span)), " mm", "mm"});
        const std::optional<geometry::TensionConstants> constants =
            geometry::tensionConstants(request.profile);
        if (constants) {
            newtons("forza per la freccia",
                    geometry::deflectionForce(*tension, drive.span, drive.beltLength,
                                              constants->stiffness));
        } else {
            newtons("forza per la freccia", geometry::deflectionForce(*tension));
            complaints << messages::noStiffnessTerm(
                QString::fromStdString(geometry::profileName(request.profile)));
        }
        newtons("carico sull'albero maggiore",
                geometry::shaftLoad(*tension, drive.larger.wrapAngle), "carico_albero_maggiore_n");
        newtons("carico sull'albero minore", geometry::shaftLoad(*tension, drive.smaller.wrapAngle),
                "carico_albero_minore_n");
    }
    if (!request.speed)
        return lines;
    const std::vector<Line> power = powerLines(
        loads, request.profile, geometry::beltSpeed(drive.smaller.pitchDiameter, *request.speed),
        {RatedOn{{drive.smaller.pitchDiameter, *request.speed, drive.smaller.teethInMesh,
                  std::llround(drive.beltLength / request.profile.profile->pitch)},
                 {}}},
        tension, mass, write.separator, csv, complaints, powerNotCarried);
    lines.insert(lines.end(), power.begin(), power.end());
    return lines;
}

} // namespace

common::Result<QString> writeDrawings(const OneBeltRequest &request, const DriveDescription &truth,
                                      const QLocale &locale) {
    const geometry::Drawing drawing =
        geometry::drawDrive(request.profile, request.pulleys.larger, request.pulleys.smaller,
                            truth.beltTeeth, locale.decimalPoint().toStdString());
    return common::writeDrawingFiles(drawing, request.svg, request.dxf);
}

common::Result<DriveDescription> describeDrive(const OneBeltRequest &request, const QLocale &locale,
                                               bool csv) {
    const common::WindowProfile *window = common::windowProfileOf(*request.profile.profile);
    const Numbers numbers{csv ? "." : locale.decimalPoint().toStdString()};
    // Wrong use before any answer.
    const common::Result<std::optional<double>> mass = loadMass(request.loads, request.profile);
    if (!mass)
        return mass.problem();
    if (std::optional<Problem> unmade = unmadeWidth(request.loads, request.profile))
        return *std::move(unmade);
    common::Calculation shown;
    if (window) {
        shown = common::calculate(request.largerText, request.smallerText, request.code.text,
                                  *window, locale);
        if (shown.problem)
            return *shown.problem;
    }
    common::Result<TrueGeometry> truth = trueGeometry(request.pulleys, request.code.value,
                                                      request.code.text, request.profile, numbers);
    if (!truth)
        return truth.problem();
    if (!window && !truth->drive)
        return Problem{truth->complaints.join(u'\n'), ExitStatus::calculationFailed};
    if (!window) {
        // The window's patterns belong to the window's results.
        const Pulleys &pulleys = request.pulleys;
        shown.ratio = numbers.twoDecimals(geometry::ratio(pulleys.larger, pulleys.smaller));
        shown.inverseRatio = numbers.twoDecimals(geometry::ratio(pulleys.smaller, pulleys.larger));
    }
    (*truth).lines = resultLines(request, request.pulleys, shown, window != nullptr, *truth,
                                 request.speed, numbers);
    if (truth->drive) {
        const std::vector<Line> loads = loadLines(request, *truth->drive, *mass, numbers, csv,
                                                  (*truth).complaints, (*truth).powerNotCarried);
        (*truth).lines.insert((*truth).lines.end(), loads.begin(), loads.end());
    }
    return *std::move(truth);
}

OneBeltRequest oneBeltRequest(const geometry::ProfileChoice &profile, const geometry::Design &drive,
                              std::optional<double> speed, const QLocale &locale) {
    const auto larger = static_cast<double>(drive.larger),
               smaller = static_cast<double>(drive.smaller);
    const double code = geometry::beltCode(*profile.profile, drive.belt.teeth);
    return {profile,
            Pulleys{larger, smaller, false},
            QString::number(drive.larger),
            QString::number(drive.smaller),
            Value{code, QString::fromStdString(geometry::formatNumber(
                            code, "0.#", locale.decimalPoint().toStdString()))},
            speed,
            {},
            {},
            {},
            {}};
}

common::Result<ExitStatus> oneBelt(const OneBeltRequest &request, Writer &write, QTextStream &err,
                                   const QLocale &locale) {
    const common::Result<DriveDescription> truth = describeDrive(request, locale, write.csv());
    if (!truth)
        return truth.problem();
    if ((request.svg || request.dxf) && !truth->drive)
        return Problem{truth->complaints.join(u'\n'), ExitStatus::calculationFailed};
    if (request.svg || request.dxf) {
        const common::Result<QString> drawing = writeDrawings(request, *truth, locale);
        if (!drawing)
            return drawing.problem();
        if (!drawing->isEmpty()) { // the drawing alone on standard output
            write.stream() << *drawing;
            for (const QString &complaint : truth->complaints)
                err << complaint << '\n';
            return truth->powerNotCarried ? ExitStatus::calculationFailed : ExitStatus::done;
        }
    }
    write.details(truth->lines);
    write.stream().flush(); // the results first, then what is wrong with them
    for (const QString &complaint : truth->complaints)
        err << complaint << '\n';
    return truth->powerNotCarried ? ExitStatus::calculationFailed : ExitStatus::done;
}

} // namespace cli
