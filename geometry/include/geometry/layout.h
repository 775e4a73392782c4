#pragma once

#include "geometry/belt_profile.h"
#include "geometry/drawing.h"

#include <cstddef>
#include <optional>
#include <span>
#include <variant>
#include <vector>

namespace geometry {

// The belt's path over any number of pulleys. Everything here is closed-form but the movable
// entry's solver, and cheap enough for a window to call on every frame of a drag: no search
// runs unless asked, and nothing is kept between calls.

// Which face of the belt an entry touches.
enum class BeltFace { teeth, back };

// One thing the belt meets, in the order it meets them, either way round the loop.
struct LayoutEntry {
    enum class Kind {
        toothed, // size: its teeth, whole
        plain,   // size: its diameter, mm
        clamp,   // an open belt's end, clamped: a point the belt passes through (size 0)
    };
    Kind kind = Kind::toothed;
    Point centre{0, 0}; // mm, y up
    double size = 0;
    BeltFace face = BeltFace::teeth;
    bool idler = false; // carries no load
    bool operator==(const LayoutEntry &) const = default;
};

// How the one movable entry moves: along a straight slot from its centre to a second point,
// or on an arm about a pivot, between two angles (degrees counter-clockwise from +x about the
// pivot; the range holds the entry's centre, and two ends that are one angle are no range) or
// a full turn.
struct Travel {
    enum class Kind { slot, arm };
    std::size_t entry = 0;
    Kind kind = Kind::slot;
    Point end{0, 0};   // slot
    Point pivot{0, 0}; // arm
    double fromAngle = 0, toAngle = 0;
    bool fullTurn = false;
    bool operator==(const Travel &) const = default;
};

// A layout as read: an open belt has a clamp first and last and nowhere else, and one pulley
// at least between them; a loop has two. Its profile must be set.
struct Layout {
    const BeltProfile *profile = nullptr;
    std::vector<LayoutEntry> entries;
    std::optional<Travel> travel{};
    bool operator==(const Layout &) const = default;
};

// Where the belt runs round one entry, as the belt runs in the layout's order.
struct PathEntry {
    double pitchRadius = 0;        // of the circle the belt's pitch line follows; 0 for a clamp
    double wrap = 0;               // degrees of that circle the belt covers; 0 for a clamp
    double teethInMesh = 0;        // toothed pulleys on the teeth side only: wrap · teeth / 360
    Point arrive{0, 0};            // where the belt comes onto it from the entry before
    Point leave{0, 0};             // and where it leaves for the next
    bool counterClockwise = false; // the way the belt turns round it
};

// The belt's path: an entry for each of the layout's, and the span from each to the next; the
// last span runs from the last entry back to the first, and for an open belt it is the piece
// through the part holding the clamps, not belt.
struct BeltPath {
    std::vector<PathEntry> entries;
    std::vector<Segment> spans;
    std::vector<double> spanLengths;
    double pitchLength = 0; // the loop's; an open belt's length to cut
};

// Why a layout cannot be built, naming its entries by index.
struct LayoutFault {
    enum class Kind {
        tooFewPulleys,  // fewer than two pulleys, or none between an open belt's clamps
        misplacedClamp, // a clamp that is not the first or last entry, or only one end clamped
        badTeeth,       // first: teeth 0, negative or not whole
        badDiameter,    // first: a plain pulley's diameter 0 or negative
        noBeltFigures,  // first: plain or back-side, on a profile with no published thickness
        overlap,        // first, second: two pitch circles overlap (clamps are points)
        untouched,      // first: the belt would not touch it (an idler on the wrong side)
        spansCross,     // first, second: two spans, named by the entries they start from
        badTravel,      // the travel's entry or range is not one the layout can use
    };
    Kind kind = Kind::tooFewPulleys;
    std::size_t first = 0, second = 0;
    bool operator==(const LayoutFault &) const = default;
};

// The path, or why there is none.
std::variant<BeltPath, LayoutFault> beltPath(const Layout &layout);

// The radius of the circle the belt's pitch line follows round an entry, as its path has it,
// and where the belt would run on a layout that cannot be built; 0 for a clamp.
double pitchRadius(const BeltProfile &profile, const LayoutEntry &entry);

// What a buildable path should still be told: one per entry and kind.
struct LayoutWarning {
    enum class Kind {
        fewTeethInMesh, // a pulley carrying load with fewer than fewestTeethInMesh
        littleWrap,     // a pulley carrying load with less than leastWrap degrees
        smallIdler,     // a plain, back-side or idler pulley below the profile's published smallest
        smallPulley,    // a toothed pulley on the teeth below the profile's smallestPulley
    };
    Kind kind = Kind::fewTeethInMesh;
    std::size_t entry = 0;
    double value = 0, least = 0; // what it has, and what it should have (teeth, degrees or mm)
    bool operator==(const LayoutWarning &) const = default;
};
inline constexpr double leastWrap = 60;
std::vector<LayoutWarning> layoutWarnings(const Layout &layout, const BeltPath &path);

// The movable entry at one place of its travel: its centre there and the path it gives.
struct Placement {
    double along = 0; // mm along a slot from the file's centre, or degrees on an arm as its
                      // angles are given (from fromAngle up; from the file's centre on a full turn)
    Point centre{0, 0};
    BeltPath path;
};

// A length within this share of a belt's is the belt's: the travel's ends and extremes are
// found to the last bits, and a belt that fits exactly there fits.
inline constexpr double lengthTolerance = 1e-9;

// Every place on the travel where the path is exactly this long (to lengthTolerance; the
// path's pitchLength is then the length asked), along the travel; only places where the
// layout can be built count.
std::vector<Placement> placementsForLength(const Layout &layout, double pitchLength);
// The same for each of many lengths, in their order.
std::vector<std::vector<Placement>> placementsForLengths(const Layout &layout,
                                                         std::span<const double> pitchLengths);

// The pitch lengths the buildable part of the travel reaches, as closed intervals in order;
// empty when it can be built nowhere on it.
struct LengthInterval {
    double shortest = 0, longest = 0;
};
std::vector<LengthInterval> lengthsOnTravel(const Layout &layout);

} // namespace geometry
