#pragma once

#include "cli/requests.h"
#include "cli/rows.h"
#include "common/result.h"
#include "geometry/open_drive.h"

#include <QLocale>
#include <QStringList>
#include <QTextStream>

#include <optional>
#include <vector>

namespace cli {

class Writer;

// One belt on two pulleys: its details as lines, for the window's profiles the window's own
// figure too, labelled as such; and its true geometry, or why it has none. A belt on which the
// pulleys cannot run is answered as the window answers it; what is wrong with a drive that
// gives an answer is in its complaints. csv: numbers with "." for a spreadsheet.
struct DriveDescription {
    std::vector<DetailLine> lines;
    std::optional<geometry::DriveGeometry> drive;
    QStringList complaints; // why there is no drive, or what is wrong with it
    std::int64_t beltTeeth = 0;
    bool powerNotCarried = false; // by any made width: the answer fails
};
common::Result<DriveDescription> describeDrive(const OneBeltRequest &request, const QLocale &locale,
                                               bool csv = false);

// The request for one of the drives found, as its command would be typed in this locale.
OneBeltRequest oneBeltRequest(const geometry::ProfileChoice &profile, const geometry::Design &drive,
                              std::optional<double> speed, const QLocale &locale);

// The drawing into each file that the request asks for, a regular file whole or not at all;
// the one for standard output ("-") returned as text. A file that cannot be written names
// itself.
common::Result<QString> writeDrawings(const OneBeltRequest &request, const DriveDescription &drive,
                                      const QLocale &locale);

// interasse Z1 Z2 CODE: the details, or the drawing alone on the output; the complaints follow
// on standard error.
common::Result<common::ExitStatus> oneBelt(const OneBeltRequest &request, Writer &write,
                                           QTextStream &err, const QLocale &locale);

} // namespace cli
