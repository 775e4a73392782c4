#include "cli/belt_lists.h"

#include "cli/pulleys.h"
#include "cli/stock.h"
#include "cli/writer.h"
#include "common/calculation.h"
#include "common/messages.h"
#include "geometry/design.h"

namespace cli {

namespace {

using common::ExitStatus;
using common::Problem;

Problem failed(QString message) {
    return {std::move(message), ExitStatus::calculationFailed};
}

// Why a search on these pulleys finds no belt.
Problem noBelt(const Request &request, const Pulleys &pulleys) {
    if (const std::optional<QString> whyNot = unbuildablePulleys(pulleys))
        return failed(*whyNot);
    const QString profile = QString::fromStdString(geometry::profileName(request.profile));
    const std::optional<QString> shortest =
        common::shortestBeltName(pulleys.larger, pulleys.smaller, request.profile);
    if (request.slot)
        return failed(messages::noBeltInSlot(profile, request.slot->lowText, request.slot->highText,
                                             shortest, request.stock.has_value()));
    return failed(messages::noBeltInRange(
        profile, request.codes ? request.codes->lowText : QStringLiteral("1"),
        request.codes ? request.codes->highText : QString::number(geometry::largestBeltCode),
        shortest));
}

// The rows of a table of belts, and the legend when some are marked.
ExitStatus table(const std::vector<geometry::Belt> &belts, Writer &write,
                 std::optional<double> wanted = std::nullopt) {
    write.beltHeadings(wanted.has_value());
    for (const geometry::Belt &belt : belts) {
        if (write.failed())
            break;
        write.beltRow(belt, wanted);
    }
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
    const common::Result<std::optional<geometry::Stock>> stock = stockOf(request);
    if (!stock)
        return stock.problem();
    const geometry::Stock *inStock = *stock ? &**stock : nullptr;
    const geometry::BeltProfile &profile = *request.profile.profile;
    const double z1 = pulleys->larger, z2 = pulleys->smaller;

    if (request.slot) {
        const geometry::BeltRange range =
            geometry::beltsInSlot(z1, z2, profile, request.slot->low, request.slot->high);
        std::vector<std::int64_t> stocked;
        if (inStock)
            std::ranges::copy_if(*inStock, std::back_inserter(stocked), [&](std::int64_t teeth) {
                return teeth >= range.firstTeeth && teeth <= range.lastTeeth;
            });
        if (inStock ? stocked.empty() : range.firstTeeth > range.lastTeeth)
            return noBelt(request, *pulleys);
        write.beltHeadings(false);
        const auto row = [&](std::int64_t teeth) {
            write.beltRow(geometry::beltWithTeeth(z1, z2, profile, teeth));
        };
        if (inStock)
            std::ranges::for_each(stocked, row);
        else
            for (std::int64_t teeth = range.firstTeeth; teeth <= range.lastTeeth && !write.failed();
                 ++teeth)
                row(teeth);
        write.legend();
        return ExitStatus::done;
    }
    const Range codes =
        request.codes.value_or(Range{1, static_cast<double>(geometry::largestBeltCode), {}, {}});
    if (!request.wanted) {
        const geometry::BeltRange range =
            geometry::beltsBetween(z1, z2, profile, codes.low, codes.high);
        if (unbuildablePulleys(*pulleys) || range.firstTeeth > range.lastTeeth)
            return noBelt(request, *pulleys);
        // From which belt on these pulleys run; a spreadsheet gets rows only.
        const geometry::Belt shortest = *geometry::shortestBelt(z1, z2, profile);
        if (codes.low < shortest.code && !inStock)
            (write.csv() ? err : write.stream())
                << messages::beltsBelowShortest(
                       QString::fromStdString(geometry::beltName(request.profile, shortest.teeth)))
                << '\n';
        write.beltHeadings(false);
        for (std::int64_t teeth = range.firstTeeth; teeth <= range.lastTeeth && !write.failed();
             ++teeth)
            if (geometry::inStock(inStock, teeth))
                write.beltRow(geometry::beltWithTeeth(z1, z2, profile, teeth));
        write.legend();
        return ExitStatus::done;
    }
    const common::Result<double> wanted =
        common::readInput(*request.wanted, messages::centreDistance, locale);
    if (!wanted)
        return wanted.problem();
    const geometry::NearestBelts nearest =
        inStock
            ? geometry::nearestInStock(z1, z2, profile, *wanted, codes.low, codes.high, *inStock)
            : geometry::nearestBelts(z1, z2, profile, *wanted, codes.low, codes.high);
    if (!nearest.below && !nearest.above)
        return noBelt(request, *pulleys);
    std::vector<geometry::Belt> belts;
    for (const auto &belt : {nearest.below, nearest.above})
        if (belt)
            belts.push_back(*belt);
    return table(belts, write, *wanted);
}

} // namespace cli
