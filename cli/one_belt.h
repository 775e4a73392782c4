#pragma once

#include "cli/arguments.h"
#include "common/result.h"

#include <QLocale>
#include <QTextStream>

namespace cli {

class Writer;

// interasse Z1 Z2 CODE: the true geometry of that belt; for the window's profiles the
// window's own figure too, labelled as such. A belt on which the pulleys cannot run is
// answered as the window answers it, with nothing on standard output; what is wrong with a
// drive that gives an answer follows it on standard error.
common::Result<common::ExitStatus> oneBelt(const Request &request, Writer &write, QTextStream &err,
                                           const QLocale &locale);

} // namespace cli
