#pragma once

#include "cli/requests.h"
#include "cli/rows.h"
#include "common/messages.h"
#include "common/result.h"

#include <atomic>

namespace cli {

class Writer;

// Every drive of two pulleys and a belt that gives the ratio with its axes in the slot,
// ranked (see geometry::searchDesigns); near a distance instead of the slot, each pair's
// nearest belts to it. Nothing found, a search past its limits or a stock list that cannot be
// read is its problem, saying what to change.
// stop: see geometry::DesignQuery; reader: whose words a problem is said in.
common::Result<Drives> findDesigns(const DesignRequest &request,
                                   const std::atomic<bool> *stop = nullptr,
                                   messages::Reader reader = messages::Reader::commandLine);

// interasse --ratio R --between MIN:MAX [--teeth A:B] [--stock FILE]: the drives found, the
// first 20 rows and how many more, or every row with --all and in CSV.
common::Result<common::ExitStatus> searchDesigns(const DesignRequest &request, Writer &write,
                                                 QTextStream &err);

} // namespace cli
