#pragma once

#include "common/messages.h"
#include "common/result.h"
#include "geometry/design.h"

#include <QString>

#include <atomic>
#include <functional>
#include <optional>

namespace cli {

// The words of what can go wrong in a user's file of lines: one that cannot be read (reason:
// as messages::fileFailure says it, or nothing), one longer than the bound, and a line that is
// not what the file holds, as it was read (quoted in part where long).
struct LinesWords {
    QString (*unreadable)(const QString &file, const QString &reason);
    QString (*tooLong)(const QString &file, qint64 mostBytes);
    QString (*notRead)(const QString &file, int line, const QString &text);
};
// What a line's reader says of it: nothing, or why the file is refused.
using LineRead = std::optional<common::Problem>;

// A user's file of lines, as stock lists and layouts are: read to its end (a pipe or a device
// too) up to a bound, then each line without its # comment and the blanks round it, empty ones
// skipped, given to line with its number until line refuses one. A file that cannot be read
// or is longer than the bound, or a line longer than its bound that is no comment, is wrong
// use, in those words. stop: as readStock takes it. asRead, if given, is told each line first
// as it was read, comment and all, without the blanks at its end.
std::optional<common::Problem>
readLines(const QString &file, const LinesWords &words,
          const std::function<LineRead(int, const QString &)> &line,
          const std::atomic<bool> *stop = nullptr,
          const std::function<void(int, const QString &)> &asRead = {});

// The belts of a profile in a stock list: a file of belts as they are printed, one a line,
// with # comments and blank lines, read to its end (a pipe or a device too) up to a bound.
// Lines that name belts of other profiles are skipped, so that one list can hold them all; a
// line that names no belt, a file that cannot be read or is longer than the bound, is wrong
// use, naming the file and the line. A list of other profiles' belts only is a failed
// search that names them, in words for the reader. stop: set by another thread when the list
// is no longer wanted; a wait for a pipe's writer or bytes then ends within a twentieth of a
// second, with a problem that no one is to be shown.
common::Result<geometry::Stock> readStock(const QString &file,
                                          const geometry::ProfileChoice &profile,
                                          messages::Reader reader = messages::Reader::commandLine,
                                          const std::atomic<bool> *stop = nullptr);

// The stock list of this file, if one is named; stop, as readStock takes it.
common::Result<std::optional<geometry::Stock>> stockOf(const std::optional<QString> &file,
                                                       const geometry::ProfileChoice &profile,
                                                       messages::Reader reader,
                                                       const std::atomic<bool> *stop = nullptr);

} // namespace cli
