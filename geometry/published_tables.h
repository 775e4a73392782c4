#pragma once

#include "geometry/loads.h"

#include <span>
#include <string_view>

// The makers' published tables as data, made from geometry/ratings/ at build time; in the
// makers' own units, as printed.
namespace geometry::published {

// A belt section at one width in a maker's table of tension constants.
struct TensionRow {
    std::string_view profile; // the program's profile: 5GT, 5M, XL
    double width;             // mm
    double massConstant;      // M, lbf per (1000 ft/min)²; 0 where it is not printed
    double stiffness;         // Y, lbf
    double leastTension;      // the least static tension, lbf per span
    bool beltMaker;           // the belt maker's table; else the pulley maker's
};

// The belt maker's rows first.
extern const std::span<const TensionRow> tensionRows;

// A printed rating table at its base width: grooves of the smaller pulley across, rpm of the
// faster shaft down, one cell each (blank: NaN), in the table's own unit.
struct Grid {
    std::string_view file;
    double width; // mm
    bool torque;  // a table of torques; else of powers
    double unit;  // N·m or W in one printed unit
    std::span<const short> grooves;
    std::span<const double> rpm;
    std::span<const float> cells;
    std::span<const CellNote> notes; // as the cells, or empty without notes
    // The power added for a speed-down drive: the bands' lowest ratios, and a row of bands for
    // each rpm of the table, in the table's unit. Empty where the line prints none.
    std::span<const double> ratioBands;
    std::span<const float> added;
};

// A printed width multiplier of a base table.
struct WidthFactor {
    double width; // mm
    double factor;
};

// A printed belt-length factor, for the belts of that many teeth (to 0: and more).
struct LengthFactor {
    int teethFrom, teethTo;
    double factor;
};

// A belt line as the program rates it: its base table with the printed multipliers, or a
// table for each printed width; its length factors, empty where none is printed (every
// length is rated).
struct BeltLine {
    std::string_view profile; // the program's profile: 5GT
    std::string_view line;    // as typed after the width (GT2, gomma); empty for a profile's one
    std::span<const Grid> grids;
    std::span<const WidthFactor> widths;
    std::span<const LengthFactor> lengths;
};

extern const std::span<const BeltLine> beltLines;

// The tables' rating of a belt whose name carries a width, before the teeth in mesh.
Rating rateTable(const ProfileChoice &belt, const RatedPulley &pulley);

} // namespace geometry::published
