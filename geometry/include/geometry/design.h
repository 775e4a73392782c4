#pragma once

#include "geometry/belt_profile.h"
#include "geometry/belt_search.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace geometry {

// The belts that can be bought, as tooth counts of one profile, in order; a search given
// none takes every whole tooth count, every belt that can be made.
using Stock = std::vector<std::int64_t>;

bool inStock(const Stock *stock, std::int64_t teeth);

// The teeth of a range that a stock list holds, found by two binary searches.
std::span<const std::int64_t> stockIn(const Stock &stock, BeltRange range);
// How many belts a range holds, within a stock list when one is given: counted, not walked.
std::int64_t beltsIn(BeltRange range, const Stock *stock);

// The sound belts on these pulleys whose true centre distance lies from shortest to longest
// mm, both included, as a range of teeth (empty when firstTeeth > lastTeeth): the distance
// grows with the belt. The length at each end of the slot bounds the teeth in closed form;
// only the belts at the ends are solved.
BeltRange beltsInSlot(double z1, double z2, const BeltProfile &profile, double shortest,
                      double longest);

// The nearest sound belts of a stock to a wanted distance, among codes from firstCode to
// lastCode: as nearestBelts, for a list of belts instead of every belt that can be made, by
// binary searches of the list.
NearestBelts nearestInStock(double z1, double z2, const BeltProfile &profile, double wantedDistance,
                            double firstCode, double lastCode, const Stock &stock);

// What a list or a design search may come to, each counted before the work starts: the rows
// of any list, and the belts that a design search tries (solves) on its way, its pulley
// pairs times the belts tried for each (see beltsTriedPerPair).
struct Limits {
    std::int64_t rows = 1'000'000;
    std::int64_t beltsTried = 5'000'000;
    bool operator==(const Limits &) const = default;
};

// What a machine needs of a drive: a ratio of the larger pulley's teeth over the smaller's,
// a slot for the centre distance, or a distance to come nearest, and the teeth a pulley may
// have; all bounds included.
struct DesignQuery {
    const BeltProfile *profile;
    double lowestRatio, highestRatio; // M/m, at least 1
    double wantedRatio;               // the one the ranking measures the error from
    double shortest, longest;         // centre distance, mm
    int fewestTeeth, mostTeeth;       // on either pulley
    const Stock *stock = nullptr;
    // Instead of the slot: each pair's nearest belts below and above this distance.
    std::optional<double> wantedDistance = std::nullopt;
    // Set by another thread when the search is no longer wanted: it then ends soon, with
    // nothing found.
    const std::atomic<bool> *stop = nullptr;
    Limits limits = {};
    bool soundOnly = false; // drives that need a mark left out
};

// The belts a design search tries for each pulley pair, at most: in a slot, the ends of its
// range of belts (the rows come on top, bounded on their own); near a distance, the binary
// searches for the first sound belt and for the one that reaches the distance, among every
// belt or the stock list's.
std::int64_t beltsTriedPerPair(const DesignQuery &query);

struct Design {
    std::int64_t larger, smaller; // teeth
    double ratio;                 // larger / smaller
    Belt belt;
};

// How far a flange stands above its pulley's outside circle, mm.
double flangeHeight(const BeltProfile &profile);
// The least room between the two pulleys' outside circles that leaves flanges room: both
// flanges' heights, mm.
double flangeRoom(const BeltProfile &profile);
// The room between the two pulleys' outside circles, C - (Do1 + Do2) / 2, mm.
double outsideGap(const BeltProfile &profile, const OpenDrive &drive);

// Whether a drive needs a mark in a table, a designer's second look: fewer than
// fewestTeethInMesh teeth in mesh on the smaller pulley, a smaller pulley below the
// profile's recommended smallest, or outside circles closer than flangeRoom. Every reason for a
// mark belongs here: the ranking puts the drives that need none first, and a search for sound
// drives only leaves the others out.
bool needsMark(const BeltProfile &profile, const Design &design);

// Every drive that fits the query, ranked as a designer chooses: the drives that need no mark
// first, then those that need one; within each, the ratio nearest the wanted one first, then
// the fewer teeth on the larger pulley (the smaller drive), then the shorter belt, then the
// fewer teeth on the smaller pulley. Near a wanted distance, the nearer distance comes right
// after the ratio.
struct DesignSearch {
    std::vector<Design> designs;
    bool anyPulleys = false; // whether some pulley pair has the ratio, belt or no belt
    // Past the query's limits, nothing is searched: more rows than a list takes, or more
    // belts to try.
    bool tooMany = false, tooLong = false;
    // Drives found that need a mark, left out of a search for sound drives only.
    std::int64_t leftOut = 0;
};
DesignSearch searchDesigns(const DesignQuery &query);

// The drive's whole geometry, as a maker's design manual ends it.
struct PulleyGeometry {
    double teeth;
    double pitchDiameter;   // mm
    double outsideDiameter; // mm: the pitch diameter less twice the profile's offset
    double wrapAngle;       // degrees
    double teethInMesh;
};
struct DriveGeometry {
    PulleyGeometry larger, smaller;
    double centreDistance; // mm
    double beltLength;     // pitch length, mm
    double span;           // one straight run, mm
};
DriveGeometry driveGeometry(const BeltProfile &profile, double z1, double z2,
                            const OpenDrive &drive, std::int64_t beltTeeth);

// A belt as its makers print it (150XL037, T5-500-10, 600-5M-15, 200-2GT, 1553.6MXL): its
// profile and teeth; nothing when the text names no belt, or names two (1554MXL).
struct NamedBelt {
    const BeltProfile *profile;
    std::int64_t teeth;
};
std::optional<NamedBelt> readBeltName(std::string_view text);

} // namespace geometry
