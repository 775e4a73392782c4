#pragma once

#include <cstdint>
#include <optional>

namespace geometry {

// The largest belt code that a typed value can hold (the range of the number reader).
inline constexpr std::int64_t largestBeltCode = 922'337'203'685'477;

// The smallest whole belt code from which on every code gives these pulleys a centre distance
// at the given pitch: the answer to "how long must the belt be?". Nothing when no code up to
// largestBeltCode does.
std::optional<std::int64_t> shortestBeltCode(double z1, double z2, double pitch);

// A belt that is made: whole teeth, its code as printed on it.
struct Belt {
    std::int64_t code;
    std::int64_t teeth;
    double centreDistance; // mm
};

// The code printed on a belt of that many teeth: teeth times the code units a tooth of the
// profile, to the nearest whole number, halves rounded down (40 L teeth are 150L, 50 are 187L).
std::int64_t beltCodeForTeeth(std::int64_t teeth, double pitch);

// The made belts with codes between firstCode and lastCode that go round these pulleys, as
// a range of tooth counts (empty when firstTeeth > lastTeeth); beltWithTeeth gives each one.
// Their centre distance grows with their teeth.
struct BeltRange {
    std::int64_t firstTeeth;
    std::int64_t lastTeeth;
};
BeltRange beltsBetween(double z1, double z2, double pitch, std::int64_t firstCode,
                       std::int64_t lastCode);
Belt beltWithTeeth(double z1, double z2, double pitch, std::int64_t teeth);

// The shortest made belt that goes round these pulleys, if one does.
std::optional<Belt> shortestBelt(double z1, double z2, double pitch);

// The made belts between firstCode and lastCode whose centre distance is nearest to the
// wanted one: the nearest below and the nearest above it. A belt that hits it exactly is
// `above`, with nothing `below`.
struct NearestBelts {
    std::optional<Belt> below;
    std::optional<Belt> above;
};
NearestBelts nearestBelts(double z1, double z2, double pitch, double wantedDistance,
                          std::int64_t firstCode = 1, std::int64_t lastCode = largestBeltCode);

} // namespace geometry
