#include "designer/drives.h"

#include "cli/arguments.h"
#include "cli/design_search.h"
#include "cli/pulleys.h"
#include "cli/stock.h"
#include "common/calculation.h"
#include "common/messages.h"
#include "geometry/open_drive.h"

#include <algorithm>

namespace designer {

namespace {

using common::ExitStatus;
using common::Problem;

Problem failed(QString message) {
    return {std::move(message), ExitStatus::calculationFailed};
}

common::Result<Drives> fromARatio(const cli::Request &request, const QLocale &locale,
                                  const std::atomic<bool> *stop) {
    const common::Result<cli::FoundDesigns> found =
        cli::findDesigns(request, locale, stop, messages::Reader::window);
    if (!found)
        return found.problem();
    using messages::Reader;
    if (found->search.tooLong)
        return failed(messages::searchTooLong(request.limits.beltsTried, Reader::window));
    if (found->search.tooMany)
        return failed(messages::tooManyDesigns(request.limits.rows, found->wanted.has_value(),
                                               found->stock, Reader::window));
    if (found->search.designs.empty())
        return failed(messages::noDesign(found->search.anyPulleys, found->stock,
                                         found->wanted.has_value(), Reader::window));
    return Drives{found->search.designs, found->wanted, request.profile};
}

// The belts on two pulleys, as rows of drives of those pulleys.
common::Result<Drives> fromPulleys(const cli::Request &request, const QLocale &locale,
                                   const std::atomic<bool> *stop) {
    const common::Result<cli::Pulleys> pulleys =
        cli::readPulleys(request.inputs[0], request.inputs[1], locale);
    if (!pulleys)
        return pulleys.problem();
    if (const std::optional<QString> whyNot = cli::unbuildablePulleys(*pulleys))
        return failed(*whyNot);
    const common::Result<std::optional<geometry::Stock>> stock =
        cli::stockOf(request, messages::Reader::window, stop);
    if (!stock)
        return stock.problem();
    const geometry::BeltProfile &profile = *request.profile.profile;
    const double larger = pulleys->larger, smaller = pulleys->smaller;
    Drives drives{{}, std::nullopt, request.profile};
    const auto add = [&](const geometry::Belt &belt) {
        drives.rows.push_back({static_cast<std::int64_t>(larger),
                               static_cast<std::int64_t>(smaller), larger / smaller, belt});
    };
    const QString profileName = QString::fromStdString(geometry::profileName(request.profile));
    const std::optional<QString> shortest =
        common::shortestBeltName(larger, smaller, request.profile);
    if (request.slot) {
        const geometry::BeltRange range =
            geometry::beltsInSlot(larger, smaller, profile, request.slot->low, request.slot->high);
        const geometry::Stock *inStock = *stock ? &**stock : nullptr;
        if (geometry::beltsIn(range, inStock) > request.limits.rows)
            return failed(messages::tooManyBelts(request.limits.rows, true, inStock != nullptr,
                                                 messages::Reader::window));
        const auto addTeeth = [&](std::int64_t teeth) {
            add(geometry::beltWithTeeth(larger, smaller, profile, teeth));
        };
        if (inStock) // walked by its own belts: the slot may span every code
            std::ranges::for_each(geometry::stockIn(*inStock, range), addTeeth);
        else
            for (std::int64_t teeth = range.firstTeeth; teeth <= range.lastTeeth; ++teeth)
                addTeeth(teeth);
        if (drives.rows.empty())
            return failed(messages::noBeltInSlot(profileName, request.slot->lowText,
                                                 request.slot->highText, shortest,
                                                 stock->has_value()));
        return drives;
    }
    const common::Result<double> wanted =
        common::readInput(*request.wanted, messages::centreDistance, locale);
    if (!wanted)
        return wanted.problem();
    drives.wanted = *wanted;
    const geometry::NearestBelts nearest =
        *stock ? geometry::nearestInStock(larger, smaller, profile, *wanted, 1,
                                          static_cast<double>(geometry::largestBeltCode), **stock)
               : geometry::nearestBelts(larger, smaller, profile, *wanted);
    for (const std::optional<geometry::Belt> &belt : {nearest.below, nearest.above})
        if (belt)
            add(*belt);
    if (drives.rows.empty())
        return failed(messages::noBeltInStock(profileName, shortest));
    return drives;
}

} // namespace

common::Result<Drives> findDrives(const QStringList &arguments, const QLocale &locale,
                                  const std::atomic<bool> *stop) {
    const common::Result<cli::Request> request =
        cli::readArguments(QStringList{QStringLiteral("interasse")} + arguments, locale);
    if (!request)
        return request.problem();
    return request->form == cli::Request::Form::design ? fromARatio(*request, locale, stop)
                                                       : fromPulleys(*request, locale, stop);
}

} // namespace designer
