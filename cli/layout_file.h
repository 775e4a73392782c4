#pragma once

#include "common/result.h"
#include "geometry/belt_profile.h"
#include "geometry/layout.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace cli {

// A line of a layout's file that is no entry, kept to write the file back: a comment or a
// blank line as read, or the profilo line (text: its comment), which says the profile of the
// layout as it is when written.
struct LayoutNote {
    bool profile = false;
    QString text;
    bool operator==(const LayoutNote &) const = default;
};

// A layout as its file gives it: the entries in the library's words (its profile left to the
// reader of the request), each entry's name as the user reads it and its line, and the profile
// that the file names, if it does. The rest is what a file written back keeps: each entry's
// comment ("# …" or empty) and the lines above it, and those below the last entry.
struct LayoutFile {
    geometry::Layout layout;
    QStringList names; // an unnamed entry is called by its line: "riga 4"
    std::vector<int> lines;
    std::optional<geometry::ProfileChoice> profile;
    QStringList comments;
    std::vector<std::vector<LayoutNote>> above;
    std::vector<LayoutNote> below;
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

// The columns of a layout's table, in order: an entry's name, the parts of its line, and
// whether it is an idler.
enum class LayoutColumn { name, x, y, size, side, idler, travel };

// A cell of the x, y, size, side or travel column, read as the file reads that part of an
// entry's line: keywords in any case, numbers with "." or ",". The entry (index: its place) and
// the layout's travel as the cell makes them, or what is wrong, without a file or a line. The
// side is "denti" or "dorso"; an empty travel is none. Of other columns nothing is read.
std::optional<QString> readLayoutCell(LayoutColumn column, const QString &typed, std::size_t index,
                                      geometry::LayoutEntry &entry,
                                      std::optional<geometry::Travel> &travel);

// Whether a number written in a layout's file is read back.
bool isLayoutNumber(double value);

// Whether a file takes this word as an entry's name: a letter first, no blank or #, and no
// keyword of the file.
bool isLayoutName(const QString &name);

// The text of a layout's file, as readLayoutFile reads it back: the entries in order, each on
// its line with a name (the one it has if that is a name and no entry before has it; else
// "puleggia3" or "estremo1" after its place, or the next free one), numbers with "." and the
// four decimals that are read, the comments, blank lines and profilo line where they were, and
// a profilo line first if the layout has a profile and the file had none. Read and written
// again, it is the same text. Any of the kept lines and comments may be missing (an entry
// added since); a travel is written on the pulley it moves, never on a clamp.
QByteArray layoutFileText(const LayoutFile &file);

} // namespace cli
