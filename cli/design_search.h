#pragma once

#include "cli/arguments.h"
#include "common/messages.h"
#include "common/result.h"
#include "geometry/design.h"

#include <QLocale>

namespace cli {

class Writer;

// The design search that a request of that form asks for, with the distance it wants, if
// any; a stock list or a distance that cannot be read is its problem.
struct FoundDesigns {
    geometry::DesignSearch search;
    std::optional<double> wanted;
    bool stock = false; // searched within a stock list
};
// stop: see geometry::DesignQuery; reader: whose words a stock list's problem is said in.
common::Result<FoundDesigns> findDesigns(const Request &request, const QLocale &locale,
                                         const std::atomic<bool> *stop = nullptr,
                                         messages::Reader reader = messages::Reader::commandLine);

// interasse --ratio R --between MIN:MAX [--teeth A:B] [--stock FILE]: every drive of two
// pulleys and a belt that gives the ratio with its axes in the slot, ranked (see
// geometry::searchDesigns); with --near MM instead of the slot, each pair's nearest belts
// to that distance. The first 20 rows and how many more, or every row with --all and in CSV.
// Nothing found is a failed calculation that says what to widen.
common::Result<common::ExitStatus> searchDesigns(const Request &request, Writer &write,
                                                 const QLocale &locale);

} // namespace cli
