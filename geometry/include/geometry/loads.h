#pragma once

#include "geometry/belt_profile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace geometry {

// How tight a belt is set, how its spans sound when plucked, what its shafts carry and what
// power it is rated for. Units are SI but lengths, in mm as everywhere in the library: newtons,
// kg per metre, hertz, watts, metres per second, degrees of wrap.

// The width that a profile's name carries, in mm: inch widths are hundredths of an inch, read
// as the sixteenth within half a hundredth of them where there is one, as makers print them
// (XL037 is 3/8 in, 9.525 mm; MXL012 is 1/8 in; XL010 is 0.10 in); metric ones whole
// millimetres (5M-15, 2GT-6). Nothing when the name carries no width or one its makers would
// not write.
std::optional<double> widthOf(const ProfileChoice &belt);

// The belt's mass per metre, kg/m: the profile's unit mass times the width of its name.
// Nothing when either is missing; the mass is then the user's to give.
std::optional<double> massPerMetre(const ProfileChoice &belt);

// A taut span of a belt of that mass per metre: the frequency it vibrates at when plucked,
// f = √(T/m) / 2s, and the tension that frequency means, T = 4·m·s²·f².
double spanFrequency(double tension, double massPerMetre, double span);
double tensionOfFrequency(double frequency, double massPerMetre, double span);

// The force–deflection method: the span pushed aside at its middle by 1/64 of its length, and
// the force that does it: T/16 on a taut string, (T + (t/L)·Y)/16 on a belt whose maker
// publishes its stiffness Y (N), t the span and L the belt's length.
double spanDeflection(double span);
double deflectionForce(double tension);
double deflectionForce(double tension, double span, double beltLength, double stiffness);

// What a maker publishes for tensioning the belt of that section and width: its mass (kg/m)
// where printed, its stiffness Y and the least static tension to set (N). The belt maker's
// row where it lists the belt, else the pulley maker's; nothing where neither does.
struct TensionConstants {
    std::optional<double> mass;
    double stiffness = 0;
    double leastTension = 0;
    bool beltMaker = false;
};
std::optional<TensionConstants> tensionConstants(const ProfileChoice &belt);

// The static load on a pulley's shaft from two spans at that tension meeting over its wrap.
double shaftLoad(double tension, double wrap);

// The belt's speed, m/s, on a pulley of that pitch diameter turning at rpm.
double beltSpeed(double pitchDiameter, double rpm);

// The pull that carries a power at a belt speed, Te = P/v.
double effectivePull(double power, double speed);

// The spans' tensions while the power is carried from a static tension: T + Te/2 and T − Te/2.
struct SideTensions {
    double tight = 0, slack = 0;
};
SideTensions sideTensions(double tension, double effectivePull);

// The least static tension that keeps the slack side on the teeth at that speed, Te/2 + m·v²;
// below it the belt can jump the teeth.
double leastStaticTension(double effectivePull, double massPerMetre, double speed);

// Whether the slack side leaves the teeth: T − Te/2 < m·v².
bool slackSideLeavesTeeth(double tension, double effectivePull, double massPerMetre, double speed);

// The static tension to set for a power P (W) carried at a belt speed (m/s), N: the belt
// maker's Formula 5, Tst = 20·HP/S + M·S² (HP the power itself, S the speed in 1000 ft/min:
// 20/33 of the pull, plus m·v²), where its table has a row for the belt; else the pulley
// maker's Eq. 10-1 (service factor 1.3 or more) or 10-2, Tst = k·DQ/d + m·S² (DQ the torque
// times the service factor: k/2 of the design pull, k 0.812 or 1.05); never below the row's
// least. Its m·v² with the row's mass where printed, else with the one given. Nothing without
// a row or a mass. A new belt is set at 1.0 to 1.1 times it.
struct InstallTension {
    double tension = 0;
    bool beltMaker = false;
};
std::optional<InstallTension> installTension(const ProfileChoice &belt, double power,
                                             double serviceFactor, double speed,
                                             std::optional<double> mass);

// The smaller pulley of a drive, as the rating reads it: a layout's loaded pulley at its own
// speed. The belt's teeth for the length factors of the tables that print them; the speed
// ratio of a drive in which this pulley drives the slower shaft, for the power some tables add
// for it (0: none added, as where the driver is not known).
struct RatedPulley {
    double pitchDiameter = 0; // mm
    double rpm = 0;
    double teethInMesh = 0;
    std::int64_t beltTeeth = 0;
    double speedRatio = 0;
};

// What a maker's shading or mark says of a printed cell.
enum class CellNote : unsigned char {
    none,
    reducedLife,    // a shorter belt life is to be expected
    onlyIfRequired, // this pulley at this speed only where the ratio or the space needs it
    specialPulleys, // the rim passes 6500 ft/min: special pulleys
    noise,          // a speed where the drive may be noisy
};

// Why a belt gets no rating.
enum class RatingEnd : unsigned char {
    none,
    noTable,         // neither a formula nor a published table rates the profile
    noWidth,         // the name carries no width
    widthNotPrinted, // no table is printed for the width, nor a multiplier
    tooFewTeeth,     // fewer than two teeth in mesh
    fewGrooves,      // fewer grooves than the table's first column
    manyGrooves,     // more than its last
    pastLastRow,     // the faster shaft turns faster than its last row
    blankCell,       // the maker leaves the cell blank
    lengthNotListed, // the belt is not one of the lengths with a printed factor
};

// A belt's rating on a pulley, or why it has none.
struct Rating {
    std::optional<double> power = {}; // W
    std::string_view line = {};       // the belt line of the table read, where its profile has two
    RatingEnd end = RatingEnd::none;
    double limit = 0; // where the table ends: its first column or last row
    // The notes of the printed cells read and next to the point, one bit for each CellNote.
    unsigned notes = 0;
};

// Whether the notes hold that one.
bool hasNote(unsigned notes, CellNote note);

// Whether a standard rating formula rates the profile: the trapezoidal inch ones do; for the
// others, makers publish tables of their own belt lines.
bool hasRatingFormula(const BeltProfile &profile);

// Whether a maker's published table rates the profile.
bool hasRatingTable(const BeltProfile &profile);

// The widths the tables print for the belt's profile, mm ascending, of its line where the name
// has one; empty without a table.
std::vector<int> printedWidths(const ProfileChoice &belt);

// The belt's rating on that pulley. For the inch profiles the standard's formula; for the
// others the makers' tables: the cell for the smaller pulley's grooves and the faster shaft's
// rpm, read between printed rows and columns and at the first row's torque below it, with
// the power a line adds for a speed-down ratio, times the printed width and length factors;
// where two lines print the width, the lower rating. Both times the teeth-in-mesh factor.
Rating rateBelt(const ProfileChoice &belt, const RatedPulley &pulley);

// The widths a rated profile is made in, hundredths of an inch as its name prints them;
// empty for a profile without a rating formula.
std::span<const int> madeWidths(const BeltProfile &profile);

// Whether the width in the name is one of those: false without a rating formula or a width.
bool isMadeWidth(const ProfileChoice &belt);

// The share of its rating a belt keeps with that many teeth in mesh: 1 at six whole teeth or
// more, 0.2 less for each whole tooth fewer; nothing below two.
std::optional<double> teethInMeshFactor(double teethInMesh);

// The power, W, that the belt of that width is rated to carry on that pulley (rateBelt);
// never less than 0, where the belt's own mass takes all it can pull.
std::optional<double> ratedPower(const ProfileChoice &belt, const RatedPulley &pulley);

// The service factor assumed when the user gives none.
inline constexpr double defaultServiceFactor = 1.5;

// The narrowest made width rated for the power times the service factor, its rating (W) and
// the margin: the rating over that power times the service factor, 1 or more.
struct WidthChoice {
    ProfileChoice belt; // the profile with the chosen width, as its name prints it: L150
    double rating = 0;
    double margin = 0;
};

// The widths are those made for an inch profile, those printed for the others, of the
// belt's line where its name has one. Nothing when no width carries it, or the profile cannot
// be rated on that pulley.
std::optional<WidthChoice> narrowestWidth(const ProfileChoice &belt, const RatedPulley &pulley,
                                          double power, double serviceFactor);

} // namespace geometry
