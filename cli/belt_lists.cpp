#include "cli/belt_lists.h"

#include "cli/pulleys.h"
#include "cli/stock.h"
#include "cli/writer.h"
#include "common/calculation.h"
#include "common/messages.h"
#include "geometry/design.h"

#include <functional>
#include <span>

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
    // Only a range that was typed is named.
    std::optional<std::pair<QString, QString>> codes;
    if (request.codes)
        codes.emplace(request.codes->lowText, request.codes->highText);
    return failed(messages::noBeltInRange(profile, codes, shortest, request.stock.has_value()));
}

// The belts of a range of teeth, or of a stock list's that fall in it, in a table; none is a
// failed search, and more than a list takes are refused before any is solved. A stock list is
// walked by its own entries: a range may span every code.
common::Result<ExitStatus> listRange(const Request &request, const Pulleys &pulleys,
                                     geometry::BeltRange range, const geometry::Stock *stock,
                                     Writer &write, const std::function<void()> &before = {}) {
    const std::int64_t count = geometry::beltsIn(range, stock);
    if (count == 0)
        return noBelt(request, pulleys);
    if (count > request.limits.rows)
        return failed(messages::tooManyBelts(request.limits.rows, request.slot.has_value(),
                                             stock != nullptr));
    if (before)
        before();
    const geometry::BeltProfile &profile = *request.profile.profile;
    const auto row = [&](std::int64_t teeth) {
        write.beltRow(geometry::beltWithTeeth(pulleys.larger, pulleys.smaller, profile, teeth));
    };
    write.beltHeadings(false);
    if (stock) {
        const std::span<const std::int64_t> stocked = geometry::stockIn(*stock, range);
        for (auto teeth = stocked.begin(); teeth != stocked.end() && !write.failed(); ++teeth)
            row(*teeth);
    } else {
        for (std::int64_t teeth = range.firstTeeth; teeth <= range.lastTeeth && !write.failed();
             ++teeth)
            row(teeth);
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

    if (request.slot)
        return listRange(
            request, *pulleys,
            geometry::beltsInSlot(z1, z2, profile, request.slot->low, request.slot->high), inStock,
            write);
    const Range codes =
        request.codes.value_or(Range{1, static_cast<double>(geometry::largestBeltCode), {}, {}});
    if (!request.wanted) {
        // From which belt on these pulleys run; a spreadsheet gets rows only.
        const auto shortestNote = [&] {
            const geometry::Belt shortest = *geometry::shortestBelt(z1, z2, profile);
            if (codes.low < shortest.code && !inStock)
                (write.csv() ? err : write.stream())
                    << messages::beltsBelowShortest(QString::fromStdString(
                           geometry::beltName(request.profile, shortest.teeth)))
                    << '\n';
        };
        return listRange(request, *pulleys,
                         geometry::beltsBetween(z1, z2, profile, codes.low, codes.high), inStock,
                         write, shortestNote);
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
    write.beltHeadings(true);
    for (const auto &belt : {nearest.below, nearest.above})
        if (belt)
            write.beltRow(*belt, *wanted);
    write.legend();
    return ExitStatus::done;
}

} // namespace cli
