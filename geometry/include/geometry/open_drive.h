#pragma once

#include <cstdint>
#include <optional>

namespace geometry {

// The true geometry of an open belt drive: pitch circles of z · p / π with the real π, and a
// belt of teeth · p wrapped round both pulleys. Unlike centreDistance, which keeps the
// window's closed formula, this is what a belt of that length really gives.
struct OpenDrive {
    double centreDistance = 0; // mm
    double wrapAngle = 0;      // on the smaller pulley, degrees; the larger's is 360 less it
    double teethInMesh = 0;    // on the smaller pulley
    double largeRadius = 0;    // pitch radius of the larger pulley, mm
    double smallRadius = 0;    // and of the smaller
    double span = 0;           // one straight run of the belt between the pulleys, mm
};

// Why a drive cannot be built.
enum class Unsound {
    pulleyTeeth, // a pulley with less than one tooth, or part of one
    beltTeeth,   // a belt of part of a tooth
    tooShort,    // shorter than the larger pulley's pitch circle: it cannot go round
    overlap,     // the pitch circles overlap
};

// The drive of these pulleys on a belt of beltTeeth, whether sound or not; nothing when the
// belt cannot go round the pulleys at all, or a pulley has no teeth.
std::optional<OpenDrive> openDrive(double z1, double z2, double beltTeeth, double pitch);

// Whether the belt goes round both pulleys with their pitch circles clear of each other, for
// any teeth, whole or not: the one test of whether a drive's distance means anything.
bool runsOn(double z1, double z2, double beltTeeth, double pitch);

// Whether a pulley or a belt of that many teeth can be made: a whole number, at least one.
bool isWholeTeeth(double teeth);

// Why a drive cannot be built, if it cannot: it can with both pulleys of whole teeth, at least
// one each, a belt of whole teeth, and pitch circles that do not overlap.
std::optional<Unsound> unbuildable(double z1, double z2, double beltTeeth, double pitch);

// Fewer teeth in mesh on the smaller pulley than a belt needs to carry its load.
inline constexpr double fewestTeethInMesh = 6;

} // namespace geometry
