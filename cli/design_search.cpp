#include "cli/design_search.h"

#include "cli/stock.h"
#include "cli/writer.h"
#include "common/calculation.h"
#include "common/messages.h"
#include "geometry/design.h"

namespace cli {

namespace {

// The rows a table shows unless asked for every one.
constexpr qsizetype firstRows = 20;

constexpr int columnWidths[] = {8, 6, 7, 18, 6, 14, 14};

} // namespace

common::Result<FoundDesigns> findDesigns(const Request &request, const QLocale &locale,
                                         const std::atomic<bool> *stop, messages::Reader reader) {
    const common::Result<std::optional<geometry::Stock>> stock = stockOf(request, reader, stop);
    if (!stock)
        return stock.problem();
    std::optional<double> wanted;
    if (request.wanted) {
        const common::Result<double> read =
            common::readInput(*request.wanted, messages::centreDistance, locale);
        if (!read)
            return read.problem();
        wanted = *read;
    }
    const geometry::DesignQuery query{request.profile.profile,
                                      request.ratio->low,
                                      request.ratio->high,
                                      request.wantedRatio,
                                      request.slot ? request.slot->low : 0,
                                      request.slot ? request.slot->high : 0,
                                      static_cast<int>(request.teeth->low),
                                      static_cast<int>(request.teeth->high),
                                      *stock ? &**stock : nullptr,
                                      wanted,
                                      stop,
                                      request.limits};
    return FoundDesigns{geometry::searchDesigns(query), wanted, stock->has_value()};
}

common::Result<common::ExitStatus> searchDesigns(const Request &request, Writer &write,
                                                 const QLocale &locale) {
    const common::Result<FoundDesigns> found = findDesigns(request, locale);
    if (!found)
        return found.problem();
    const geometry::DesignSearch &search = found->search;
    const std::optional<double> &wanted = found->wanted;
    if (search.tooLong)
        return common::Problem{messages::searchTooLong(request.limits.beltsTried),
                               common::ExitStatus::calculationFailed};
    if (search.tooMany)
        return common::Problem{
            messages::tooManyDesigns(request.limits.rows, wanted.has_value(), found->stock),
            common::ExitStatus::calculationFailed};
    if (search.designs.empty())
        return common::Problem{
            messages::noDesign(search.anyPulleys, found->stock, wanted.has_value()),
            common::ExitStatus::calculationFailed};

    QStringList headings{write.heading(QStringLiteral("maggiore")),
                         write.heading(QStringLiteral("minore")),
                         write.csv() ? QStringLiteral("rapporto") : QStringLiteral("M/m"),
                         write.heading(QStringLiteral("cinghia")),
                         write.heading(QStringLiteral("denti")),
                         write.heading(QStringLiteral("interasse"), "mm"),
                         write.heading(QStringLiteral("denti in presa"))};
    if (wanted)
        headings << write.heading(QStringLiteral("differenza"), "mm");
    write.row(headings, columnWidths);
    const auto shown = static_cast<qsizetype>(search.designs.size());
    const qsizetype rows = write.csv() || request.all ? shown : std::min(shown, firstRows);
    // A pair's cells are written once for all its belts' rows in a spreadsheet.
    const geometry::Design *pair = nullptr;
    std::string pairCells;
    for (qsizetype i = 0; i < rows && !write.failed(); ++i) {
        const geometry::Design &design = search.designs[static_cast<std::size_t>(i)];
        write.beginRow(columnWidths);
        if (write.csv() && pair && pair->larger == design.larger &&
            pair->smaller == design.smaller) {
            write.cellsAsWritten(pairCells, 3);
        } else {
            write.cell(design.larger);
            write.cell(design.smaller);
            write.cellFixed(design.ratio, 3);
            pair = &design;
            pairCells = write.rowSoFar();
        }
        write.cellBelt(design.belt.teeth);
        write.cell(design.belt.teeth);
        write.cellFixed(design.belt.drive.centreDistance, 2, true);
        write.cellTeethInMesh(design.belt.drive.teethInMesh);
        if (wanted)
            write.cell(
                write.millimetres(write.difference(design.belt.drive.centreDistance - *wanted))
                    .toStdString());
        write.endRow();
    }
    write.legend();
    if (rows < shown)
        write.stream() << messages::moreDesigns(shown - rows) << '\n';
    return common::ExitStatus::done;
}

} // namespace cli
