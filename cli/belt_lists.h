#pragma once

#include "cli/requests.h"
#include "cli/rows.h"
#include "common/messages.h"
#include "common/result.h"

#include <QTextStream>

#include <atomic>

namespace cli {

class Writer;

// The belts on two pulleys: the made belts in a range of codes on which the pulleys run;
// near a distance, the nearest below and above it, within the range when one is given; in a
// slot, every belt whose true centre distance lies in it. Each within a stock list when one
// is given. No belt at all is a failed calculation, naming what was searched and the shortest
// belt that would fit; more than a list takes is refused before any is solved.
// stop: set by another thread when the belts are no longer wanted; reader: whose words a
// problem is said in.
common::Result<Drives> findBelts(const BeltListRequest &request,
                                 const std::atomic<bool> *stop = nullptr,
                                 messages::Reader reader = messages::Reader::commandLine);

// interasse Z1 Z2 --belts FROM:TO, --near MM, --between MIN:MAX: the belts found, in a table.
common::Result<common::ExitStatus> listBelts(const BeltListRequest &request, Writer &write,
                                             QTextStream &err);

} // namespace cli
