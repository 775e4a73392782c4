#include "cli/design_search.h"

#include "cli/drive_ratings.h"
#include "cli/stock.h"
#include "cli/writer.h"
#include "common/messages.h"
#include "geometry/design.h"

namespace cli {

common::Result<Drives> findDesigns(const DesignRequest &request, const std::atomic<bool> *stop,
                                   messages::Reader reader) {
    const common::Result<std::optional<geometry::Stock>> stock =
        stockOf(request.stock, request.profile, reader, stop);
    if (!stock)
        return stock.problem();
    std::optional<double> wanted;
    if (request.wanted)
        wanted = request.wanted->value;
    const geometry::DesignQuery query{request.profile.profile,
                                      request.ratio.low,
                                      request.ratio.high,
                                      request.wantedRatio,
                                      request.slot ? request.slot->low : 0,
                                      request.slot ? request.slot->high : 0,
                                      static_cast<int>(request.teeth.low),
                                      static_cast<int>(request.teeth.high),
                                      *stock ? &**stock : nullptr,
                                      wanted,
                                      stop,
                                      request.limits,
                                      request.soundOnly};
    geometry::DesignSearch search = geometry::searchDesigns(query);
    const bool inStock = stock->has_value();
    const auto failed = [](QString message) {
        return common::Problem{std::move(message), common::ExitStatus::calculationFailed};
    };
    const bool bySpeeds = request.fromSpeed.has_value();
    if (search.tooLong)
        return failed(messages::searchTooLong(request.limits.beltsTried, reader, bySpeeds));
    if (search.tooMany)
        return failed(messages::tooManyDesigns(request.limits.rows, wanted.has_value(), inStock,
                                               reader, bySpeeds));
    if (search.designs.empty() && search.leftOut > 0)
        return failed(
            messages::onlyMarkedDesigns(search.leftOut, wanted.has_value(), reader, bySpeeds));
    if (search.designs.empty())
        return failed(
            messages::noDesign(search.anyPulleys, inStock, wanted.has_value(), reader, bySpeeds));
    Drives found{std::move(search.designs), wanted, request.profile, true, std::nullopt};
    if (request.fromSpeed)
        found.speeds = Drives::Speeds{request.fromSpeed->value, true, largerDrives(request)};
    else if (request.speed)
        found.speeds = Drives::Speeds{request.speed->value};
    return found;
}

common::Result<common::ExitStatus> searchDesigns(const DesignRequest &request, Writer &write,
                                                 QTextStream &err) {
    common::Result<Drives> found = findDesigns(request);
    if (!found)
        return found.problem();
    QStringList complaints;
    const common::Result<std::optional<Ratings>> ratings = rateFound(
        *found, request.loads, request.speed ? std::optional(request.speed->value) : std::nullopt,
        request.soundOnly, complaints);
    if (!ratings)
        return ratings.problem();
    write.designs(*found, request.all, *ratings ? &**ratings : nullptr);
    for (const QString &complaint : complaints)
        (write.csv() ? err : write.stream()) << complaint << '\n';
    return common::ExitStatus::done;
}

} // namespace cli
