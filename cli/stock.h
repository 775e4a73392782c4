#pragma once

#include "common/result.h"
#include "geometry/design.h"

#include <QString>

#include <optional>

namespace cli {

// The belts of a profile in a stock list: a file of belts as they are printed, one a line,
// with # comments and blank lines. Lines that name belts of other profiles are skipped, so
// that one list can hold them all; a line that names no belt, or a file that cannot be read,
// is wrong use, naming the file and the line.
common::Result<geometry::Stock> readStock(const QString &file,
                                          const geometry::BeltProfile &profile);

// The stock list that a request names, if any.
struct Request;
common::Result<std::optional<geometry::Stock>> stockOf(const Request &request);

} // namespace cli
