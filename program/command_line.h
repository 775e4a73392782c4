#pragma once

#include <QLocale>
#include <QStringList>

class QTextStream;

// The program without its window, for a terminal and for scripts:
//   interasse 36 14 150 [--profile L075]    the results that the window shows, and the true
//                                           geometry of that belt
//   interasse 36 14 --belts 100:400         the made belts in that range of codes
//   interasse 36 14 --near 120              the made belts nearest to that distance
// arguments as QCoreApplication::arguments() gives them, the program's name first.
// Returns the exit status: 0 done, 1 a calculation error, 2 wrong use; the caller returns
// outputFailed when what it printed could not be written.
int runCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err,
                   const QLocale &locale);

inline constexpr int outputFailed = 3;
