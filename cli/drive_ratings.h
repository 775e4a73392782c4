#pragma once

#include "cli/requests.h"
#include "cli/rows.h"
#include "common/result.h"

#include <QStringList>

#include <QString>

#include <optional>
#include <string_view>
#include <vector>

namespace cli {

// The power asked of each drive's belt, on its smaller pulley.
struct PowerAsked {
    double needed = 0;           // W: the power times the service factor
    std::optional<double> speed; // the smaller pulley's rpm, where the rows carry no speeds
};

// What each row's belt does with that power, in the rows' order: where the profile names a
// width, the rating at it (W); otherwise the narrowest width that carries it, as its name
// prints it (hundredths of an inch, or mm; 0: none does). NaN: no rating, as past a table's
// edge or with fewer than two teeth in mesh.
struct Ratings {
    PowerAsked asked;
    bool atWidth = false;
    std::vector<double> values;
};

// The ratings of the drives of a rated profile (a formula or a published table), the drives
// that fall short left out if asked; nothing for any other profile, or without a speed. A
// million rows take a while: off a window's thread.
std::optional<Ratings> rateDrives(Drives &drives, const PowerAsked &asked, bool leaveShortOut);

// The drives rated for the power a search asks, on the smaller pulley at speed where the rows
// carry none: nothing without a power, or, with a sentence in complaints, for a profile that
// nothing rates. Refused: a width in the profile that is not rated (wrong use), and every
// drive falling short where those are left out.
common::Result<std::optional<Ratings>> rateFound(Drives &drives, const LoadRequest &loads,
                                                 std::optional<double> speed, bool leaveShortOut,
                                                 QStringList &complaints);

// Whether a row's belt falls short of the power: rated below it, no width carries it, or no
// rating.
bool fallsShort(const Ratings &ratings, std::size_t row);

// The rating column's heading and a row's cell: kW to three figures, or the width's profile
// name; empty without a rating. The mark is for a table, not a spreadsheet.
QString ratingHeading(const Ratings &ratings);
QString ratingCell(const Ratings &ratings, std::size_t row, const geometry::ProfileChoice &profile,
                   std::string_view separator);

// The legend of the rows that fall short.
QString ratingLegend(const Ratings &ratings, const geometry::ProfileChoice &profile,
                     std::string_view separator);

} // namespace cli
