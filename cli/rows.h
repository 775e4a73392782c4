#pragma once

#include "geometry/belt_profile.h"
#include "geometry/design.h"
#include "geometry/drawing.h"

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

// A layout's entry as its table shows it, at one place of the layout.
struct LayoutRow {
    QString name;
    geometry::Point centre;
    double pitchDiameter; // of the circle the belt's pitch line follows round it; 0 for a clamp
    double wrap;          // degrees
    std::optional<double> teethInMesh; // toothed pulleys only
    bool carriesLoad;
    std::optional<double> span; // to the next entry: none from an open belt's last clamp
};

// A made belt for a layout: its pitch length less the path's, or for a movable entry where
// it fits.
struct LayoutBeltRow {
    std::int64_t teeth = 0;
    double difference = 0; // mm
    std::optional<geometry::Point> centre;
};

} // namespace cli
