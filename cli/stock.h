#pragma once

#include "common/messages.h"
#include "common/result.h"
#include "geometry/design.h"

#include <QString>

#include <atomic>
#include <optional>

namespace cli {

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
