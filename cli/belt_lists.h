#pragma once

#include "cli/arguments.h"
#include "common/result.h"

#include <QLocale>
#include <QTextStream>

namespace cli {

class Writer;

// interasse Z1 Z2 --belts FROM:TO: the made belts in that range of codes on which the
// pulleys run. With --near MM: the nearest below and above that distance, within the range
// when one is given. With --between MIN:MAX: every belt whose true centre distance lies in
// that slot. Each within a stock list when one is given. No belt at all is a failed
// calculation, naming what was searched and the shortest belt that would fit.
common::Result<common::ExitStatus> listBelts(const Request &request, Writer &write,
                                             QTextStream &err, const QLocale &locale);

} // namespace cli
