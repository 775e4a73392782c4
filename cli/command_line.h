#pragma once

#include "common/result.h"
#include "geometry/design.h"

#include <QLocale>
#include <QStringList>

class QTextStream;

namespace cli {

// The program without its window, for a terminal and for scripts:
//   interasse 36 14 150 [--profile L075]    the true geometry of that belt, and the
//                                           window's figure for its profiles
//   interasse 36 14 --belts 100:400         the made belts in that range of codes
//   interasse 36 14 --near 120              the made belts nearest to that distance
//   interasse --profiles                    the profiles it knows
// arguments as QCoreApplication::arguments() gives them, the program's name first. Returns
// the exit status; the caller returns outputFailed when what was printed could not be
// written. limits: lower ones than the program's make its refusals quick to test.
common::ExitStatus runCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err,
                                  const QLocale &locale, const geometry::Limits &limits = {});

} // namespace cli
