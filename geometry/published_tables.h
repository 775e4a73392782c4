#pragma once

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

} // namespace geometry::published
