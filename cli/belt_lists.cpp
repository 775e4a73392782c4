#include "cli/belt_lists.h"

#include "cli/drive_ratings.h"
#include "cli/stock.h"
#include "cli/writer.h"
#include "common/calculation.h"
#include "common/messages.h"
#include "geometry/design.h"

#include <span>

namespace cli {

namespace {

using common::ExitStatus;
using common::Problem;

Problem failed(QString message) {
    return {std::move(message), ExitStatus::calculationFailed};
}

// Why a search on these pulleys finds no belt.
Problem noBelt(const BeltListRequest &request, messages::Reader reader) {
    if (const std::optional<QString> whyNot = unbuildablePulleys(request.pulleys))
        return failed(*whyNot);
    const QString profile = QString::fromStdString(geometry::profileName(request.profile));
    const std::optional<QString> shortest =
        common::shortestBeltName(request.pulleys.larger, request.pulleys.smaller, request.profile);
    if (request.slot)
        return failed(messages::noBeltInSlot(profile, request.slot->lowText, request.slot->highText,
                                             shortest, request.stock.has_value()));
    if (reader == messages::Reader::window && !request.codes && request.stock)
        return failed(messages::noBeltInStock(profile, shortest));
    // Only a range that was typed is named.
    std::optional<std::pair<QString, QString>> codes;
    if (request.codes)
        codes.emplace(request.codes->lowText, request.codes->highText);
    return failed(messages::noBeltInRange(profile, codes, shortest, request.stock.has_value()));
}

} // namespace

common::Result<Drives> findBelts(const BeltListRequest &request, const std::atomic<bool> *stop,
                                 messages::Reader reader) {
    const common::Result<std::optional<geometry::Stock>> stock =
        stockOf(request.stock, request.profile, reader, stop);
    if (!stock)
        return stock.problem();
    const geometry::Stock *inStock = *stock ? &**stock : nullptr;
    const geometry::BeltProfile &profile = *request.profile.profile;
    const double z1 = request.pulleys.larger, z2 = request.pulleys.smaller;
    Drives drives{{}, std::nullopt, request.profile, false, std::nullopt};
    const auto add = [&](const geometry::Belt &belt) {
        drives.rows.push_back(
            {static_cast<std::int64_t>(z1), static_cast<std::int64_t>(z2), z1 / z2, belt});
    };
    const Range codes =
        request.codes.value_or(Range{1, static_cast<double>(geometry::largestBeltCode), {}, {}});
    if (request.wanted) {
        const double wanted = request.wanted->value;
        const geometry::NearestBelts nearest =
            inStock
                ? geometry::nearestInStock(z1, z2, profile, wanted, codes.low, codes.high, *inStock)
                : geometry::nearestBelts(z1, z2, profile, wanted, codes.low, codes.high);
        for (const auto &belt : {nearest.below, nearest.above})
            if (belt)
                add(*belt);
        if (drives.rows.empty())
            return noBelt(request, reader);
        drives.wanted = wanted;
        return drives;
    }
    // A stock list is walked by its own entries: a range may span every code.
    const geometry::BeltRange range =
        request.slot ? geometry::beltsInSlot(z1, z2, profile, request.slot->low, request.slot->high)
                     : geometry::beltsBetween(z1, z2, profile, codes.low, codes.high);
    const std::int64_t count = geometry::beltsIn(range, inStock);
    if (count == 0)
        return noBelt(request, reader);
    if (count > request.limits.rows)
        return failed(messages::tooManyBelts(request.limits.rows, request.slot.has_value(),
                                             inStock != nullptr, reader));
    drives.rows.reserve(static_cast<std::size_t>(count));
    const auto addTeeth = [&](std::int64_t teeth) {
        add(geometry::beltWithTeeth(z1, z2, profile, teeth));
    };
    const auto stopped = [&] { return stop && stop->load(std::memory_order_relaxed); };
    if (inStock) {
        const std::span<const std::int64_t> stocked = geometry::stockIn(*inStock, range);
        for (auto teeth = stocked.begin(); teeth != stocked.end() && !stopped(); ++teeth)
            addTeeth(*teeth);
    } else {
        for (std::int64_t teeth = range.firstTeeth; teeth <= range.lastTeeth && !stopped(); ++teeth)
            addTeeth(teeth);
    }
    return drives;
}

common::Result<ExitStatus> listBelts(const BeltListRequest &request, Writer &write,
                                     QTextStream &err) {
    common::Result<Drives> drives = findBelts(request);
    if (!drives)
        return drives.problem();
    QStringList complaints;
    const common::Result<std::optional<Ratings>> ratings = rateFound(
        *drives, request.loads, request.speed ? std::optional(request.speed->value) : std::nullopt,
        false, complaints);
    if (!ratings)
        return ratings.problem();
    // From which belt on these pulleys run; a spreadsheet gets rows only.
    if (!request.wanted && !request.slot && !request.stock) {
        const geometry::Belt shortest = *geometry::shortestBelt(
            request.pulleys.larger, request.pulleys.smaller, *request.profile.profile);
        if (request.codes.value_or(Range{1, 1, {}, {}}).low < shortest.code)
            (write.csv() ? err : write.stream())
                << messages::beltsBelowShortest(
                       QString::fromStdString(geometry::beltName(request.profile, shortest.teeth)))
                << '\n';
    }
    write.belts(*drives, *ratings ? &**ratings : nullptr);
    for (const QString &complaint : complaints)
        (write.csv() ? err : write.stream()) << complaint << '\n';
    return ExitStatus::done;
}

} // namespace cli
