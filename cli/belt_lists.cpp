#include "cli/belt_lists.h"

#include "cli/pulleys.h"
#include "cli/writer.h"
#include "common/calculation.h"
#include "common/messages.h"
#include "geometry/belt_search.h"

namespace cli {

namespace {

using common::ExitStatus;
using common::Problem;

// Why a search on these pulleys finds no belt.
Problem noBelt(const Request &request, const Pulleys &pulleys) {
    if (const std::optional<QString> whyNot = unbuildablePulleys(pulleys))
        return {*whyNot, ExitStatus::calculationFailed};
    const CodeRange range = request.range.value_or(CodeRange{});
    return {messages::noBeltInRange(
                QString::fromStdString(geometry::profileName(request.profile)),
                request.range ? range.firstText : QStringLiteral("1"),
                request.range ? range.lastText : QString::number(geometry::largestBeltCode),
                common::shortestBeltName(pulleys.larger, pulleys.smaller, request.profile)),
            ExitStatus::calculationFailed};
}

ExitStatus everyBelt(const Request &request, const Pulleys &pulleys,
                     const geometry::BeltRange &belts, Writer &write, QTextStream &err) {
    const geometry::BeltProfile &profile = *request.profile.profile;
    const CodeRange range = request.range.value_or(CodeRange{});
    // From which belt on these pulleys run; a spreadsheet gets rows only.
    const geometry::Belt shortest =
        *geometry::shortestBelt(pulleys.larger, pulleys.smaller, profile);
    if (range.first < shortest.code)
        (write.csv() ? err : write.stream())
            << messages::beltsBelowShortest(
                   QString::fromStdString(geometry::beltName(request.profile, shortest.teeth)))
            << '\n';
    write.beltHeadings(false);
    for (std::int64_t teeth = belts.firstTeeth; teeth <= belts.lastTeeth && !write.failed();
         ++teeth)
        write.beltRow(geometry::beltWithTeeth(pulleys.larger, pulleys.smaller, profile, teeth));
    write.legend();
    return ExitStatus::done;
}

} // namespace

common::Result<ExitStatus> listBelts(const Request &request, Writer &write, QTextStream &err,
                                     const QLocale &locale) {
    const common::Result<Pulleys> pulleys =
        readPulleys(request.inputs[0], request.inputs[1], locale);
    if (!pulleys)
        return pulleys.problem();
    const geometry::BeltProfile &profile = *request.profile.profile;
    const CodeRange range = request.range.value_or(CodeRange{});
    if (!request.wanted) {
        const geometry::BeltRange belts = geometry::beltsBetween(pulleys->larger, pulleys->smaller,
                                                                 profile, range.first, range.last);
        if (unbuildablePulleys(*pulleys) || belts.firstTeeth > belts.lastTeeth)
            return noBelt(request, *pulleys);
        return everyBelt(request, *pulleys, belts, write, err);
    }
    const common::Result<double> wanted =
        common::readInput(*request.wanted, messages::centreDistance, locale);
    if (!wanted)
        return wanted.problem();
    const geometry::NearestBelts nearest = geometry::nearestBelts(
        pulleys->larger, pulleys->smaller, profile, *wanted, range.first, range.last);
    if (!nearest.below && !nearest.above)
        return noBelt(request, *pulleys);
    write.beltHeadings(true);
    for (const auto &belt : {nearest.below, nearest.above})
        if (belt)
            write.beltRow(*belt, *wanted);
    write.legend();
    return ExitStatus::done;
}

} // namespace cli
