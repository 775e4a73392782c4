#pragma once

#include "common/result.h"
#include "geometry/belt_profile.h"
#include "geometry/layout.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace cli {

// A layout as its file gives it: the entries in the library's words (its profile left to the
// reader of the request), each entry's name as the user reads it and its line, and the profile
// that the file names, if it does.
struct LayoutFile {
    geometry::Layout layout;
    QStringList names; // an unnamed entry is called by its line: "riga 4"
    std::vector<int> lines;
    std::optional<geometry::ProfileChoice> profile;
    // An entry as a sentence names it: its name and its line.
    QString called(std::size_t entry) const;
};

// The most entries a layout holds: far more than any machine's belt meets, and few enough that
// a path over all of them is solved at once.
inline constexpr int mostLayoutEntries = 1000;

// The layout of this file, one entry a line with # comments and blank lines, read as a stock
// list is, to a bound:
//   [name] X Y TEETH|liscia D [dorso] [folle] [scorre X Y | ruota PX PY [A:B]]
//   [name] estremo X Y                              a clamped end: the first and last entry
//   profilo NAME
// Numbers with "." or "," for their decimals, whatever the locale, and no grouping. A file
// that cannot be read, a line that is no entry or a second movable entry is wrong use naming
// the file and the line; what the library refuses of the entries read (their teeth, sizes,
// clamps and travel) is left to it.
common::Result<LayoutFile> readLayoutFile(const QString &file);

} // namespace cli
