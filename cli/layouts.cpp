#include "cli/layouts.h"

#include "cli/loads.h"
#include "cli/stock.h"
#include "cli/writer.h"
#include "common/messages.h"
#include "common/output_file.h"
#include "geometry/drawing.h"
#include "geometry/number_text.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>

namespace cli {

namespace {

using common::ExitStatus;
using common::Problem;
using geometry::LayoutEntry;

// A belt fits a fixed layout when their lengths differ by less than the hundredth shown.
constexpr double fitsWithin = 0.005; // mm

QString text(const std::string &value) {
    return QString::fromStdString(value);
}

} // namespace

// What the file's reader lets through but the library refuses is the file's.
Problem faultProblem(const LayoutFile &file, const QString &path,
                     const geometry::ProfileChoice &profile, const geometry::LayoutFault &fault) {
    using Kind = geometry::LayoutFault::Kind;
    // Named only where the fault names them: a file of no pulley has none to name.
    const auto first = [&] { return file.called(fault.first); };
    const auto second = [&] { return file.called(fault.second); };
    const auto line = [&](const QString &what) {
        return Problem{messages::layoutLine(path, file.lines[fault.first], what),
                       ExitStatus::wrongUse};
    };
    const auto failed = [](QString message) {
        return Problem{std::move(message), ExitStatus::calculationFailed};
    };
    switch (fault.kind) {
    case Kind::tooFewPulleys:
        return {messages::layoutTooFewPulleys(path), ExitStatus::wrongUse};
    case Kind::misplacedClamp:
        return line(messages::layoutMisplacedClamp());
    case Kind::badTeeth:
        return line(messages::layoutBadTeeth());
    case Kind::badDiameter:
        return line(messages::layoutBadDiameter());
    case Kind::badTravel:
        return line(messages::layoutBadTravel());
    case Kind::noBeltFigures:
        return failed(messages::layoutNoBeltFigures(first(), text(geometry::profileName(profile))));
    case Kind::overlap:
        return failed(messages::layoutOverlap(first(), second()));
    case Kind::untouched:
        return failed(messages::layoutUntouched(first()));
    case Kind::spansCross:
        break;
    }
    return failed(messages::layoutSpansCross(first(), second()));
}

namespace {

// The teeth of the belt asked, of the layout's profile.
common::Result<std::int64_t> beltTeeth(const LayoutBelt &belt,
                                       const geometry::ProfileChoice &profile,
                                       const std::function<QString(double, const char *)> &shown) {
    const QString profileName = text(geometry::profileName(profile));
    if (belt.profile && belt.profile != profile.profile)
        return Problem{messages::layoutBeltOfOtherProfile(
                           belt.text, text(std::string(belt.profile->name)), profileName),
                       ExitStatus::wrongUse};
    if (belt.profile)
        return belt.teeth;
    const std::vector<std::int64_t> teeth = geometry::teethOfCode(*profile.profile, belt.code);
    if (teeth.size() == 1)
        return teeth.front();
    if (teeth.empty()) {
        const double below = std::floor(belt.code / profile.profile->codePerTooth);
        return Problem{
            messages::layoutNoSuchBelt(profileName, belt.text,
                                       below >= 1 ? std::optional(text(geometry::beltName(
                                                        profile, static_cast<std::int64_t>(below))))
                                                  : std::nullopt),
            ExitStatus::wrongUse};
    }
    const auto named = [&](std::int64_t count) {
        return messages::SharedCodeBelt{text(geometry::beltName(profile, count)), count,
                                        shown(geometry::beltCode(*profile.profile, count), "0.#")};
    };
    return Problem{messages::sharedCode(belt.text, named(teeth[0]), named(teeth[1])),
                   ExitStatus::wrongUse};
}

// The made belts nearest a length from below and from above, of every tooth count or of the
// stock list; one where it fits.
std::vector<std::int64_t> nearestBelts(double length, double pitch, const geometry::Stock *stock) {
    const double below = std::floor((length + fitsWithin) / pitch),
                 above = std::max(std::ceil((length - fitsWithin) / pitch), 1.0);
    std::vector<std::int64_t> nearest;
    if (stock) {
        const auto after = std::ranges::upper_bound(*stock, below);
        if (after != stock->begin())
            nearest.push_back(*std::prev(after));
        const auto from = std::ranges::lower_bound(*stock, above);
        if (from != stock->end())
            nearest.push_back(*from);
    } else {
        if (below >= 1)
            nearest.push_back(static_cast<std::int64_t>(below));
        nearest.push_back(static_cast<std::int64_t>(above));
    }
    nearest.erase(std::unique(nearest.begin(), nearest.end()), nearest.end());
    return nearest;
}

// The teeth of the belts a travel's lengths reach: a belt as near an end as the solver
// places one is there.
struct TeethRange {
    std::int64_t first, last;
};
TeethRange teethReached(const geometry::LengthInterval &lengths, double pitch) {
    const double slack = geometry::lengthTolerance;
    return {
        static_cast<std::int64_t>(std::ceil(std::max(lengths.shortest / (1 + slack) / pitch, 1.0))),
        static_cast<std::int64_t>(std::floor(lengths.longest / (1 - slack) / pitch))};
}

// The belts, of every tooth count or of the stock list, that the lengths reach, shortest first.
std::vector<std::int64_t> beltsBetween(const geometry::LengthInterval &lengths, double pitch,
                                       const geometry::Stock *stock) {
    const auto [first, last] = teethReached(lengths, pitch);
    if (stock) {
        const auto from = std::ranges::lower_bound(*stock, first);
        return {from, std::ranges::upper_bound(from, stock->end(), last)};
    }
    std::vector<std::int64_t> teeth;
    for (std::int64_t count = first; count <= last; ++count)
        teeth.push_back(count);
    return teeth;
}

// How many of them there are, counted before any is listed.
std::int64_t countBetween(const geometry::LengthInterval &lengths, double pitch,
                          const geometry::Stock *stock) {
    const auto [first, last] = teethReached(lengths, pitch);
    return std::max<std::int64_t>(stock ? std::ranges::upper_bound(*stock, last) -
                                              std::ranges::lower_bound(*stock, first)
                                        : last - first + 1,
                                  0);
}

LayoutPlace placeOf(const geometry::Layout &layout, std::optional<geometry::Point> moved,
                    geometry::BeltPath path) {
    geometry::Layout there = layout;
    if (moved)
        there.entries[layout.travel->entry].centre = *moved;
    std::vector<geometry::LayoutWarning> warnings = geometry::layoutWarnings(there, path);
    return {moved, std::move(path), std::move(warnings)};
}

} // namespace

common::Result<std::int64_t> layoutBeltTeeth(const LayoutBelt &belt,
                                             const geometry::ProfileChoice &profile,
                                             const QLocale &locale) {
    return beltTeeth(
        belt, profile,
        [separator = locale.decimalPoint().toStdString()](double value, const char *pattern) {
            return text(geometry::formatNumber(value, pattern, separator));
        });
}

common::Result<LayoutDescription> describeLayout(const LayoutRequest &request,
                                                 const QLocale &locale) {
    common::Result<LayoutFile> read = readLayoutFile(request.file);
    if (!read)
        return read.problem();
    return describeLayout(std::move(*read), request, locale);
}

geometry::ProfileChoice layoutProfile(const LayoutFile &file, const LayoutRequest &request) {
    return request.profile ? *request.profile
           : file.profile  ? *file.profile
                           : *geometry::readProfile("XL037");
}

common::Result<LayoutDescription> describeLayout(LayoutFile read, const LayoutRequest &request,
                                                 const QLocale &locale) {
    const auto shown = [separator = locale.decimalPoint().toStdString()](
                           double value, const char *pattern = "0.00") {
        return text(geometry::formatNumber(value, pattern, separator));
    };
    LayoutDescription answer{std::move(read), {}, {}, {}, {}, {}, 0};
    answer.profile = layoutProfile(answer.file, request);
    geometry::Layout &layout = answer.file.layout;
    layout.profile = answer.profile.profile;
    const double pitch = layout.profile->pitch;
    const QString profileName = text(geometry::profileName(answer.profile));
    std::variant<geometry::BeltPath, geometry::LayoutFault> atFile = geometry::beltPath(layout);
    const auto fault = [&] {
        return faultProblem(answer.file, request.file, answer.profile,
                            std::get<geometry::LayoutFault>(atFile));
    };
    // What is wrong with the file's entries comes first, as the file's other faults.
    if (std::holds_alternative<geometry::LayoutFault>(atFile) &&
        fault().status == ExitStatus::wrongUse)
        return fault();
    if (request.all && !layout.travel) // two belts at the most, or the one asked
        return Problem{messages::layoutAllUnused(), ExitStatus::wrongUse};
    if (request.belt) {
        const common::Result<std::int64_t> teeth = beltTeeth(*request.belt, answer.profile, shown);
        if (!teeth)
            return teeth.problem();
        answer.belt = *teeth;
    }
    const common::Result<std::optional<geometry::Stock>> stock =
        stockOf(request.stock, answer.profile, messages::Reader::commandLine);
    if (!stock)
        return stock.problem();
    const geometry::Stock *inStock = *stock ? &**stock : nullptr;
    const auto beltName = [&](std::int64_t teeth) {
        return text(geometry::beltName(answer.profile, teeth));
    };

    if (!layout.travel) {
        if (std::holds_alternative<geometry::LayoutFault>(atFile))
            return fault();
        answer.places.push_back(
            placeOf(layout, std::nullopt, std::get<geometry::BeltPath>(std::move(atFile))));
        const double length = answer.places.front().path.pitchLength;
        const auto row = [&](std::int64_t teeth) {
            return LayoutBeltRow{
                teeth, geometry::beltPitchLength(*layout.profile, teeth) - length, {}};
        };
        if (answer.belt) {
            answer.belts.push_back(row(*answer.belt));
            if (std::abs(answer.belts.front().difference) >= fitsWithin)
                answer.misfit = messages::layoutBeltMisfit(
                    beltName(*answer.belt), shown(std::abs(answer.belts.front().difference)),
                    answer.belts.front().difference > 0);
            return answer;
        }
        // The nearest below and above, one where it fits; an open belt is cut to its length.
        if (layout.entries.front().kind != LayoutEntry::Kind::clamp)
            for (std::int64_t teeth : nearestBelts(length, pitch, inStock))
                answer.belts.push_back(row(teeth));
        return answer;
    }

    const std::vector<geometry::LengthInterval> lengths = geometry::lengthsOnTravel(layout);
    const QString movable = answer.file.called(layout.travel->entry);
    if (lengths.empty())
        return std::holds_alternative<geometry::LayoutFault>(atFile)
                   ? fault()
                   : Problem{messages::layoutNowhere(movable), ExitStatus::calculationFailed};
    // Every belt that fits somewhere, each once.
    std::int64_t count = 0;
    for (const geometry::LengthInterval &interval : lengths)
        count += countBetween(interval, pitch, inStock);
    if (count > request.limits.rows)
        return Problem{messages::tooManyLayoutBelts(request.limits.rows, inStock != nullptr),
                       ExitStatus::calculationFailed};
    std::vector<std::int64_t> fitting;
    for (const geometry::LengthInterval &interval : lengths)
        for (std::int64_t teeth : beltsBetween(interval, pitch, inStock))
            fitting.push_back(teeth);
    std::ranges::sort(fitting);
    fitting.erase(std::unique(fitting.begin(), fitting.end()), fitting.end());
    // The intervals follow the travel, not the lengths.
    const QString from = shown(
                      std::ranges::min(lengths, {}, &geometry::LengthInterval::shortest).shortest),
                  to = shown(
                      std::ranges::max(lengths, {}, &geometry::LengthInterval::longest).longest);

    if (answer.belt) {
        // Solved only where the travel takes its length: a drag that pushes a pulley past where
        // the belt fits asks this on every frame.
        const double wanted = geometry::beltPitchLength(*layout.profile, *answer.belt);
        if (std::ranges::any_of(lengths, [&](const geometry::LengthInterval &interval) {
                const auto [first, last] = teethReached(interval, pitch);
                return first <= *answer.belt && *answer.belt <= last;
            }))
            for (geometry::Placement &place : geometry::placementsForLength(layout, wanted))
                answer.places.push_back(placeOf(layout, place.centre, std::move(place.path)));
        if (answer.places.empty())
            return Problem{
                fitting.empty()
                    ? messages::layoutNoBeltFits(profileName, movable, from, to, inStock != nullptr)
                : fitting.size() == 1
                    ? messages::layoutOneBeltFits(beltName(*answer.belt), movable,
                                                  beltName(fitting.front()), inStock != nullptr)
                    : messages::layoutBeltFitsNowhere(beltName(*answer.belt), movable,
                                                      beltName(fitting.front()),
                                                      beltName(fitting.back()), inStock != nullptr),
                ExitStatus::calculationFailed};
        return answer;
    }
    // Each belt fits once at least: the rows a table shows need no more belts than that. Each
    // belt's solving follows the path over every entry some 50 times, where a belt the design
    // search tries is one closed form over two pulleys: that work is bounded, before it starts.
    const auto total = static_cast<std::int64_t>(fitting.size());
    const auto solved =
        static_cast<std::size_t>(request.all ? total : std::min<std::int64_t>(total, firstRows));
    const auto entries = static_cast<std::int64_t>(layout.entries.size());
    constexpr std::int64_t beltsTriedPerEntry = 25;
    if (static_cast<std::int64_t>(solved) * entries * beltsTriedPerEntry >
        request.limits.beltsTried)
        return Problem{messages::layoutSolvingTooLong(
                           request.limits.beltsTried / beltsTriedPerEntry, inStock != nullptr,
                           request.reader),
                       ExitStatus::calculationFailed};
    std::vector<double> beltLengths;
    for (std::size_t i = 0; i < solved; ++i)
        beltLengths.push_back(geometry::beltPitchLength(*layout.profile, fitting[i]));
    const std::vector<std::vector<geometry::Placement>> places =
        geometry::placementsForLengths(layout, beltLengths);
    for (std::size_t i = 0; i < solved; ++i)
        for (const geometry::Placement &place : places[i])
            answer.belts.push_back({fitting[i], 0, place.centre});
    answer.unsolved = total - static_cast<std::int64_t>(solved);
    if (answer.belts.empty())
        return Problem{
            messages::layoutNoBeltFits(profileName, movable, from, to, inStock != nullptr),
            ExitStatus::calculationFailed};
    if (std::holds_alternative<geometry::BeltPath>(atFile))
        answer.places.push_back(
            placeOf(layout, std::nullopt, std::get<geometry::BeltPath>(std::move(atFile))));
    return answer;
}

namespace {

// The rows of one place's table.
std::vector<LayoutRow> rowsOf(const LayoutDescription &layout, const LayoutPlace &place) {
    const std::vector<LayoutEntry> &entries = layout.file.layout.entries;
    const bool open = entries.front().kind == LayoutEntry::Kind::clamp;
    std::vector<LayoutRow> rows;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const LayoutEntry &entry = entries[i];
        const geometry::PathEntry &at = place.path.entries[i];
        const bool toothed = entry.kind == LayoutEntry::Kind::toothed;
        const bool moved = place.moved && layout.file.layout.travel->entry == i;
        rows.push_back(
            {layout.file.names[static_cast<qsizetype>(i)], moved ? *place.moved : entry.centre,
             2 * at.pitchRadius, at.wrap, toothed ? std::optional(at.teethInMesh) : std::nullopt,
             toothed && entry.face == geometry::BeltFace::teeth && !entry.idler,
             open && i + 1 == entries.size() ? std::nullopt
                                             : std::optional(place.path.spanLengths[i])});
    }
    return rows;
}

// A place's loads: the lines after its table, or for a spreadsheet the cells after each
// entry's (its span's and its shaft's) and those of the whole belt, which every row repeats.
struct PlaceLoads {
    std::vector<DetailLine> lines;
    QStringList headings;
    std::vector<QStringList> cells; // an entry's
    QStringList complaints;
    bool powerNotCarried = false;
};

// The belt's spans, each from an entry to the next: an open belt's last runs through the
// clamps' part, no belt.
std::size_t beltSpans(const geometry::Layout &layout) {
    // None while a layout is still empty, as the designer's page shows one.
    if (layout.entries.empty())
        return 0;
    const std::size_t entries = layout.entries.size();
    return layout.entries.front().kind == LayoutEntry::Kind::clamp ? entries - 1 : entries;
}

QString spanName(const LayoutFile &file, std::size_t span) {
    const auto next =
        static_cast<qsizetype>((span + 1) % static_cast<std::size_t>(file.names.size()));
    return file.names[static_cast<qsizetype>(span)] + u'-' + file.names[next];
}

} // namespace

QStringList layoutSpanNames(const LayoutFile &file) {
    QStringList names;
    for (std::size_t span = 0; span < beltSpans(file.layout); ++span)
        names << spanName(file, span);
    return names;
}

namespace {

// The span that --span names, from either end; or, where none is named, the first, when every
// span is as long: a frequency on spans that differ means nothing unnamed.
common::Result<std::size_t> measuredSpan(const LayoutRequest &request,
                                         const LayoutDescription &layout) {
    const LayoutFile &file = layout.file;
    const std::size_t spans = beltSpans(file.layout);
    if (request.loads.span) {
        // "-" may be in a name too: the span is the one pair of neighbours it spells.
        std::vector<std::size_t> named;
        const auto ends = [&](std::size_t span) {
            const auto next =
                static_cast<qsizetype>((span + 1) % static_cast<std::size_t>(file.names.size()));
            return std::pair{file.names[static_cast<qsizetype>(span)], file.names[next]};
        };
        for (std::size_t i = 0; i < spans; ++i) {
            const auto [from, to] = ends(i);
            if (*request.loads.span == from + u'-' + to || *request.loads.span == to + u'-' + from)
                named.push_back(i);
        }
        if (named.size() > 1)
            return Problem{
                messages::spanAmbiguous(*request.loads.span, ends(named[0]), ends(named[1])),
                ExitStatus::wrongUse};
        if (named.size() == 1)
            return named.front();
        return Problem{messages::spanUnknown(*request.loads.span, spanName(file, 0)),
                       ExitStatus::wrongUse};
    }
    for (const LayoutPlace &place : layout.places)
        for (std::size_t i = 1; i < spans; ++i)
            if (std::abs(place.path.spanLengths[i] - place.path.spanLengths[0]) >= fitsWithin)
                return Problem{messages::spanNeeded(spanName(file, 0)), ExitStatus::wrongUse};
    return std::size_t{0};
}

// The tension and what it gives in each span and on each shaft, then what the power asks.
PlaceLoads placeLoads(const LayoutRequest &request, const LayoutDescription &layout,
                      const LayoutPlace &place, std::optional<double> mass, std::size_t measured,
                      std::size_t turning, const Writer &write) {
    const LayoutFile &file = layout.file;
    const std::vector<LayoutEntry> &entries = file.layout.entries;
    const geometry::BeltPath &path = place.path;
    const std::size_t spans = beltSpans(file.layout);
    PlaceLoads loads;
    loads.cells.resize(entries.size());
    std::optional<double> tension = staticTension(request.loads, mass, path.spanLengths[measured]);
    QStringList beltCells;
    // A line of the whole belt, and its cell on every entry's row.
    const auto beltLine = [&](const DetailLine &line) {
        loads.lines.push_back(line);
        loads.headings << (line.csvName ? QString::fromLatin1(line.csvName)
                                        : write.heading(line.label, line.csvUnit));
        beltCells << line.value.value_or(QString());
    };
    const auto newtons = [&](double value) { return write.twoDecimals(value); };
    // One pulley turns at --rpm, the first unless named; the belt turns every other at its own.
    const double turningDiameter = 2 * path.entries[turning].pitchRadius;
    bool massShown = false;
    if (request.speed) {
        if (std::optional<TensionToSet> set =
                tensionToSet(request.loads, layout.profile,
                             geometry::beltSpeed(turningDiameter, request.speed->value),
                             write.separator(), loads.complaints)) {
            tension = set->tension;
            mass = set->mass;
            massShown = mass.has_value();
            for (const DetailLine &line : set->lines)
                beltLine(line);
        }
    }
    if (tension) {
        if (!massShown)
            beltLine({QStringLiteral("massa della cinghia"),
                      QString::fromStdString(
                          geometry::formatSignificant(*mass, 3, 4, write.separator())),
                      " kg/m", nullptr, "massa_della_cinghia_kg_m"});
        if (request.loads.frequency) {
            loads.lines.push_back({QStringLiteral("tiro statico"), newtons(*tension), " N", "n"});
            loads.headings << write.heading(QStringLiteral("tiro statico"), "n");
            beltCells << newtons(*tension);
        }
        for (std::size_t i = 0; i < spans; ++i)
            loads.lines.push_back(
                {QStringLiteral("frequenza del tratto ") + spanName(file, i),
                 write.twoDecimals(geometry::spanFrequency(*tension, *mass, path.spanLengths[i])),
                 " Hz", "hz"});
        for (std::size_t i = 0; i < spans; ++i)
            loads.lines.push_back({QStringLiteral("freccia del tratto ") + spanName(file, i),
                                   write.twoDecimals(geometry::spanDeflection(path.spanLengths[i])),
                                   " mm", "mm"});
        // Each span's force has its own share of the belt's stiffness, where it is published.
        const std::optional<geometry::TensionConstants> constants =
            geometry::tensionConstants(layout.profile);
        const auto force = [&](std::size_t span) {
            return constants ? geometry::deflectionForce(*tension, path.spanLengths[span],
                                                         path.pitchLength, constants->stiffness)
                             : geometry::deflectionForce(*tension);
        };
        if (constants) {
            for (std::size_t i = 0; i < spans; ++i)
                loads.lines.push_back(
                    {QStringLiteral("forza per la freccia del tratto ") + spanName(file, i),
                     newtons(force(i)), " N", "n"});
        } else {
            loads.lines.push_back({QStringLiteral("forza per la freccia"),
                                   newtons(geometry::deflectionForce(*tension)), " N", "n"});
            loads.complaints << messages::noStiffnessTerm(
                QString::fromStdString(geometry::profileName(layout.profile)));
        }
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i].kind != LayoutEntry::Kind::clamp)
                loads.lines.push_back(
                    {QStringLiteral("carico sull'albero ") + file.names[static_cast<qsizetype>(i)],
                     newtons(geometry::shaftLoad(*tension, path.entries[i].wrap)), " N", "n"});
        loads.headings.prepend(write.heading(QStringLiteral("carico albero"), "n"));
        loads.headings.prepend(write.heading(QStringLiteral("forza per la freccia"), "n"));
        loads.headings.prepend(write.heading(QStringLiteral("freccia"), "mm"));
        loads.headings.prepend(write.heading(QStringLiteral("frequenza del tratto"), "hz"));
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const bool span = i < spans, shaft = entries[i].kind != LayoutEntry::Kind::clamp;
            loads.cells[i] << (span ? write.twoDecimals(geometry::spanFrequency(
                                          *tension, *mass, path.spanLengths[i]))
                                    : QString())
                           << (span ? write.twoDecimals(
                                          geometry::spanDeflection(path.spanLengths[i]))
                                    : QString())
                           << (span ? newtons(force(i)) : QString())
                           << (shaft ? newtons(geometry::shaftLoad(*tension, path.entries[i].wrap))
                                     : QString());
        }
    }
    if (request.speed) {
        const double metresPerSecond = geometry::beltSpeed(turningDiameter, request.speed->value);
        // The belt's speed and each turning entry's, after the spans' figures.
        loads.lines.push_back({QStringLiteral("velocità cinghia"),
                               write.twoDecimals(metresPerSecond), " m/s", nullptr,
                               "velocita_cinghia_m_s"});
        loads.headings << QStringLiteral("velocita_cinghia_m_s");
        beltCells << write.twoDecimals(metresPerSecond);
        const qsizetype entryColumns = tension ? 4 : 0;
        loads.headings.insert(entryColumns, QStringLiteral("giri_al_minuto"));
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const double diameter = 2 * path.entries[i].pitchRadius;
            const bool turns = entries[i].kind != LayoutEntry::Kind::clamp && diameter > 0;
            const QString rpm =
                turns ? write.number(request.speed->value * turningDiameter / diameter, "0.0")
                      : QString();
            loads.cells[i] << rpm;
            if (turns)
                loads.lines.push_back(
                    {QStringLiteral("giri di ") + file.names[static_cast<qsizetype>(i)], rpm,
                     " al minuto", nullptr});
        }
        std::vector<RatedOn> rated;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const LayoutEntry &entry = entries[i];
            const bool carries = entry.kind == LayoutEntry::Kind::toothed &&
                                 entry.face == geometry::BeltFace::teeth && !entry.idler;
            const double diameter = 2 * path.entries[i].pitchRadius;
            if (carries)
                rated.push_back({{diameter, request.speed->value * turningDiameter / diameter,
                                  path.entries[i].teethInMesh,
                                  std::llround(path.pitchLength / layout.profile.profile->pitch)},
                                 file.called(i)});
        }
        const std::vector<DetailLine> power = powerLines(
            request.loads, layout.profile,
            geometry::beltSpeed(turningDiameter, request.speed->value), rated, tension, mass,
            write.separator(), write.csv(), loads.complaints, loads.powerNotCarried);
        for (const DetailLine &line : power)
            beltLine(line);
    }
    for (QStringList &cells : loads.cells)
        cells << beltCells;
    return loads;
}

// The entry that --rpm gives the speed of: the one named, or the first pulley.
common::Result<std::size_t> turningEntry(const LayoutRequest &request, const LayoutFile &file) {
    const std::vector<LayoutEntry> &entries = file.layout.entries;
    if (request.speedOf) {
        const qsizetype named = file.names.indexOf(*request.speedOf);
        if (named < 0 || entries[static_cast<std::size_t>(named)].kind == LayoutEntry::Kind::clamp)
            return Problem{messages::layoutSpeedOfUnknown(*request.speedOf), ExitStatus::wrongUse};
        return static_cast<std::size_t>(named);
    }
    const auto pulley = std::ranges::find_if(
        entries, [](const LayoutEntry &entry) { return entry.kind != LayoutEntry::Kind::clamp; });
    return static_cast<std::size_t>(pulley - entries.begin());
}

// The loads of every place, none where none is asked.
common::Result<std::vector<PlaceLoads>>
loadsOfPlaces(const LayoutRequest &request, const LayoutDescription &layout, const Writer &write) {
    std::vector<PlaceLoads> loads;
    if (!request.loads.asked() && !request.speed)
        return loads;
    // A travel without a belt has no one place for the belt's loads.
    if (layout.file.layout.travel && !layout.belt)
        return Problem{messages::layoutLoadsNeedBelt(), ExitStatus::wrongUse};
    const common::Result<std::optional<double>> mass = loadMass(request.loads, layout.profile);
    if (!mass)
        return mass.problem();
    if (std::optional<Problem> unmade = unmadeWidth(request.loads, layout.profile))
        return *std::move(unmade);
    const common::Result<std::size_t> measured =
        request.loads.frequency ? measuredSpan(request, layout) : std::size_t{0};
    if (!measured)
        return measured.problem();
    const common::Result<std::size_t> turning = turningEntry(request, layout.file);
    if (!turning)
        return turning.problem();
    for (const LayoutPlace &place : layout.places)
        loads.push_back(placeLoads(request, layout, place, *mass, *measured, *turning, write));
    return loads;
}

// The drawing into each file asked for, a regular file whole or not at all; the one for
// standard output returned as text.
common::Result<QString> writeLayoutDrawings(const LayoutRequest &request,
                                            const LayoutDescription &layout,
                                            const QLocale &locale) {
    const geometry::Layout &asRead = layout.file.layout;
    // The first place shown, or where the first belt that fits puts the movable entry.
    LayoutPlace place;
    if (!layout.places.empty()) {
        place = layout.places.front();
    } else {
        geometry::Layout there = asRead;
        there.entries[asRead.travel->entry].centre = *layout.belts.front().centre;
        place = {layout.belts.front().centre,
                 std::get<geometry::BeltPath>(geometry::beltPath(there)),
                 {}};
    }
    std::vector<std::string> names;
    for (const QString &name : layout.file.names)
        names.push_back(name.toStdString());
    const std::string caption = layout.belt
                                    ? geometry::beltName(layout.profile, *layout.belt)
                                    : geometry::formatNumber(place.path.pitchLength, "0.00",
                                                             locale.decimalPoint().toStdString()) +
                                          " mm";
    const geometry::Drawing drawing =
        geometry::drawLayout(asRead, place.path, names, caption, place.moved);
    return common::writeDrawingFiles(drawing, request.svg, request.dxf);
}

} // namespace

common::Result<ExitStatus> answerLayout(const LayoutRequest &request, QTextStream &out,
                                        QTextStream &err, bool csv, const QLocale &locale) {
    return answerLayout(describeLayout(request, locale), request, out, err, csv, locale);
}

common::Result<ExitStatus> answerLayout(const common::Result<LayoutDescription> &answer,
                                        const LayoutRequest &request, QTextStream &out,
                                        QTextStream &err, bool csv, const QLocale &locale) {
    if (!answer)
        return answer.problem();
    if (csv && answer->unsolved > 0) { // a spreadsheet has every row
        LayoutRequest every = request;
        every.all = true;
        return answerLayout(describeLayout(answer->file, every, locale), every, out, err, csv,
                            locale);
    }
    const LayoutDescription &layout = *answer;
    Writer write(out, csv, locale, layout.profile);
    // The loads of every place, before anything is written.
    const common::Result<std::vector<PlaceLoads>> placesLoads =
        loadsOfPlaces(request, layout, write);
    if (!placesLoads)
        return placesLoads.problem();
    const std::vector<PlaceLoads> &loads = *placesLoads;
    QString drawing;
    if (request.svg || request.dxf) {
        const common::Result<QString> written = writeLayoutDrawings(request, layout, locale);
        if (!written)
            return written.problem();
        drawing = *written;
    }
    const bool solved = layout.belt && layout.file.layout.travel;
    const bool numbered = solved && layout.places.size() > 1;
    if (!drawing.isEmpty()) {
        write.stream() << drawing;
    } else if (csv && layout.file.layout.travel && !layout.belt) {
        write.layoutBelts(layout.belts, true, true, layout.unsolved);
    } else {
        const geometry::Travel *travel =
            layout.file.layout.travel ? &*layout.file.layout.travel : nullptr;
        for (std::size_t i = 0; i < layout.places.size() && !write.failed(); ++i) {
            const LayoutPlace &place = layout.places[i];
            if (numbered && !csv)
                write.stream() << messages::layoutSolution(int(i) + 1, int(layout.places.size()))
                               << '\n';
            const PlaceLoads *ofPlace = loads.empty() ? nullptr : &loads[i];
            if (!csv || i == 0)
                write.layoutHeadings(numbered, ofPlace ? ofPlace->headings : QStringList());
            const std::vector<LayoutRow> rows = rowsOf(layout, place);
            for (std::size_t entry = 0; entry < rows.size(); ++entry)
                write.layoutRow(rows[entry], numbered ? std::optional(int(i) + 1) : std::nullopt,
                                ofPlace ? ofPlace->cells[entry] : QStringList());
            if (csv)
                continue;
            write.layoutLegend();
            write.pitchLength(place.path.pitchLength);
            if (place.moved)
                write.stream() << messages::layoutMovedTo(layout.file.called(travel->entry),
                                                          write.twoDecimals(place.moved->x),
                                                          write.twoDecimals(place.moved->y))
                               << '\n';
            if (ofPlace)
                write.details(ofPlace->lines);
        }
        if (!csv && !solved && !layout.belts.empty())
            write.layoutBelts(layout.belts, travel != nullptr, request.all, layout.unsolved);
    }
    write.stream().flush(); // the results first, then what is wrong with them
    for (const LayoutPlace &place : layout.places)
        for (const geometry::LayoutWarning &warning : place.warnings)
            err << warningText(layout.file, layout.profile, warning, locale) << '\n';
    // Each sentence once, where the places share it.
    QStringList complaints;
    for (const PlaceLoads &ofPlace : loads)
        for (const QString &complaint : ofPlace.complaints)
            if (!complaints.contains(complaint))
                complaints << complaint;
    for (const QString &complaint : complaints)
        err << complaint << '\n';
    if (!request.profile && !layout.file.profile)
        err << messages::layoutDefaultProfile(request.file,
                                              text(geometry::profileName(layout.profile)))
            << '\n';
    if (layout.misfit) {
        err << *layout.misfit << '\n';
        return ExitStatus::calculationFailed;
    }
    const bool overloaded = std::ranges::any_of(
        loads, [](const PlaceLoads &ofPlace) { return ofPlace.powerNotCarried; });
    return overloaded ? ExitStatus::calculationFailed : ExitStatus::done;
}

common::Result<QString> layoutLoadLines(const LayoutDescription &layout,
                                        const LayoutRequest &request, const QLocale &locale,
                                        QStringList &complaints) {
    QString text;
    QTextStream out(&text);
    {
        Writer write(out, false, locale, layout.profile);
        const common::Result<std::vector<PlaceLoads>> loads = loadsOfPlaces(request, layout, write);
        if (!loads)
            return loads.problem();
        for (const PlaceLoads &ofPlace : *loads) {
            write.details(ofPlace.lines);
            for (const QString &complaint : ofPlace.complaints)
                if (!complaints.contains(complaint))
                    complaints << complaint;
        }
    }
    out.flush();
    return text;
}

QString warningText(const LayoutFile &file, const geometry::ProfileChoice &profile,
                    const geometry::LayoutWarning &warning, const QLocale &locale) {
    const QString called = file.called(warning.entry);
    const auto number = [&](double value) {
        return text(geometry::formatNumber(value, "0.00", locale.decimalPoint().toStdString()));
    };
    using Kind = geometry::LayoutWarning::Kind;
    const LayoutEntry &entry = file.layout.entries[warning.entry];
    switch (warning.kind) {
    case Kind::fewTeethInMesh:
        return messages::layoutFewTeethInMesh(called, number(warning.value));
    case Kind::littleWrap:
        return messages::layoutLittleWrap(called, number(warning.value), number(warning.least));
    case Kind::smallPulley:
        return messages::layoutSmallPulley(called, QString::number(warning.value),
                                           text(std::string(profile.profile->name)),
                                           profile.profile->smallestPulley);
    case Kind::smallIdler:
        break;
    }
    return messages::layoutSmallIdler(called, number(warning.value), number(warning.least),
                                      entry.kind == LayoutEntry::Kind::toothed &&
                                          entry.face == geometry::BeltFace::teeth,
                                      text(std::string(profile.profile->name)));
}

} // namespace cli
