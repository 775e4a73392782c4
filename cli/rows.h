#pragma once

#include "geometry/belt_profile.h"
#include "geometry/design.h"

#include <QString>

#include <optional>
#include <vector>

namespace cli {

// The drives a finder returns, in the order the command line lists them: a design search's,
// each of its own pulleys, or the belts on two pulleys as drives of those pulleys.
struct Drives {
    std::vector<geometry::Design> rows;
    std::optional<double> wanted; // the distance that each row differs from
    geometry::ProfileChoice profile;
    bool ofPairs = false; // a design search's, written as its table
    // The speeds each row shows, in turns a minute: the larger pulley's from the smaller's, or
    // with shafts, the driven shaft's from the driving one's, and which pulley drives.
    struct Speeds {
        double driving;
        bool shafts = false, largerDrives = false;
    };
    std::optional<Speeds> speeds;
};

// A line of one drive's details: what it is, its value if there is one, its unit.
struct DetailLine {
    QString label;
    std::optional<QString> value;
    const char *unit;
    const char *csvUnit;
    const char *csvName = nullptr; // where the label's letters are no column's
};

} // namespace cli
