#pragma once

#include "cli/layout_file.h"
#include "cli/requests.h"
#include "cli/rows.h"
#include "common/result.h"
#include "geometry/layout.h"

#include <QLocale>
#include <QTextStream>

#include <cstdint>
#include <optional>
#include <vector>

namespace cli {

class Writer;

// One place of a layout and the belt's path there: its centres as in the file, or with the
// movable entry where the belt fits.
struct LayoutPlace {
    std::optional<geometry::Point> moved; // the movable entry's centre, where it is not the file's
    geometry::BeltPath path;
    std::vector<geometry::LayoutWarning> warnings;
};

// What interasse --layout answers. A fixed layout: its path, and the belt asked or the nearest
// made belts below and above its length. A movable entry with a belt: every place on its
// travel where the belt fits. Without one: the path at the file's centres, where it can be
// built, and the belts that fit somewhere on the travel with the place, each belt once for
// each place, from the shortest: every one with request.all, else those of the first rows a
// table shows, the rest counted unsolved; within a stock list when one is given.
struct LayoutDescription {
    LayoutFile file;
    geometry::ProfileChoice profile;
    std::optional<std::int64_t> belt; // its teeth, when one is asked
    std::vector<LayoutPlace> places;
    std::vector<LayoutBeltRow> belts;
    std::optional<QString> misfit; // a fixed layout's belt that does not fit, said after
    std::int64_t unsolved = 0;     // belts that fit the travel, past those in belts
};

// The layout's answer, or the one problem that keeps it: a file or a belt that cannot be used
// (wrong use), a layout that cannot be built or a belt that fits nowhere (naming the entries,
// or the belts that would), more belts than a list takes or more solving than the limits'
// beltsTried, counted as belts times entries (refused before they are solved).
// Numbers in its sentences in the user's format.
common::Result<LayoutDescription> describeLayout(const LayoutRequest &request,
                                                 const QLocale &locale);
// The same of a layout already read, as the designer holds it; request.file names it.
common::Result<LayoutDescription> describeLayout(LayoutFile read, const LayoutRequest &request,
                                                 const QLocale &locale);
// The teeth of a belt asked of a layout in its profile, as --layout takes it: a code that two
// belts share is refused naming both.
common::Result<std::int64_t> layoutBeltTeeth(const LayoutBelt &belt,
                                             const geometry::ProfileChoice &profile,
                                             const QLocale &locale);
// The profile that a layout is solved in: -p, else the file's, else XL 3/8".
geometry::ProfileChoice layoutProfile(const LayoutFile &file, const LayoutRequest &request);

// Why the layout cannot be built, naming its entries (path and line, for what is the file's),
// with the status that it means.
common::Problem faultProblem(const LayoutFile &file, const QString &path,
                             const geometry::ProfileChoice &profile,
                             const geometry::LayoutFault &fault);

// The loads of a layout's places, as the command line writes them after each place's table;
// what is wrong with them, one sentence each, added to complaints.
common::Result<QString> layoutLoadLines(const LayoutDescription &layout,
                                        const LayoutRequest &request, const QLocale &locale,
                                        QStringList &complaints);

// The layout's spans as --span names them, each from an entry to the next.
QStringList layoutSpanNames(const LayoutFile &file);

// A warning in one sentence, naming its entry.
QString warningText(const LayoutFile &file, const geometry::ProfileChoice &profile,
                    const geometry::LayoutWarning &warning, const QLocale &locale);

// interasse --layout FILE [BELT]: the table of each place, its length and the belts, or the
// drawing alone on the output; the warnings follow on standard error.
common::Result<common::ExitStatus> answerLayout(const LayoutRequest &request, QTextStream &out,
                                                QTextStream &err, bool csv, const QLocale &locale);
// The same of an answer already described, as the designer exports it.
common::Result<common::ExitStatus> answerLayout(const common::Result<LayoutDescription> &answer,
                                                const LayoutRequest &request, QTextStream &out,
                                                QTextStream &err, bool csv, const QLocale &locale);

} // namespace cli
