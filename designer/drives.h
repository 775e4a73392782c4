#pragma once

#include "cli/rows.h"
#include "common/result.h"
#include "geometry/design.h"

#include <QLocale>
#include <QStringList>

#include <atomic>
#include <optional>
#include <vector>

namespace designer {

// The drives that the command line lists for these arguments (the program's name left
// out), in its order: a design search from a ratio, or the belts for two pulleys, each near a
// distance or in a slot. Nothing found, or more than a table can hold, is a problem in words
// for the window.
using Drives = cli::Drives;
// stop: set by another thread when the drives are no longer wanted; a design search then
// ends soon, and what it found is not to be shown.
common::Result<Drives> findDrives(const QStringList &arguments, const QLocale &locale,
                                  const std::atomic<bool> *stop = nullptr);

} // namespace designer
