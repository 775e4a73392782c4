#include "geometry/loads.h"

#include "published_tables.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <string>

namespace geometry {

namespace {

using published::BeltLine;
using published::Grid;

unsigned bitOf(CellNote note) {
    return note == CellNote::none ? 0u : 1u << static_cast<unsigned>(note);
}

// Where a value lies among ascending printed ones: the one at or below it, the one above and
// the share of the way between them; at the first one below them all.
struct Between {
    std::size_t low = 0, high = 0;
    double share = 0;
};

template <typename Number> Between between(std::span<const Number> printed, double value) {
    const auto above = std::ranges::find_if(printed, [&](Number p) { return p >= value; });
    const auto high = static_cast<std::size_t>(above - printed.begin());
    if (high == 0 || *above == value)
        return {high, high, 0};
    const double low = printed[high - 1];
    return {high - 1, high, (value - low) / (*above - low)};
}

// A table's reading of a drive at its base width, W.
Rating readGrid(const Grid &grid, double grooves, const RatedPulley &pulley) {
    if (grooves < grid.grooves.front())
        return {{}, {}, RatingEnd::fewGrooves, double(grid.grooves.front())};
    if (grooves > grid.grooves.back())
        return {{}, {}, RatingEnd::manyGrooves, double(grid.grooves.back())};
    if (pulley.rpm > grid.rpm.back())
        return {{}, {}, RatingEnd::pastLastRow, grid.rpm.back()};
    const Between column = between(grid.grooves, grooves);
    const Between row = between(grid.rpm, pulley.rpm);
    const std::size_t columns = grid.grooves.size();
    // The speed-down band of the ratio rounded to two decimals, as the bands are printed.
    const double ratio = std::round(pulley.speedRatio * 100) / 100;
    const auto band = std::ranges::count_if(grid.ratioBands, [&](double b) { return b <= ratio; });
    Rating read;
    double value = 0;
    for (const auto &[r, rowShare] : {std::pair{row.low, 1 - row.share}, {row.high, row.share}})
        for (const auto &[c, share] :
             {std::pair{column.low, 1 - column.share}, {column.high, column.share}}) {
            const std::size_t cell = r * columns + c;
            if (!grid.notes.empty())
                read.notes |= bitOf(grid.notes[cell]);
            if (rowShare * share == 0)
                continue;
            if (std::isnan(grid.cells[cell])) {
                read.end = RatingEnd::blankCell;
                return read;
            }
            value += rowShare * share * double(grid.cells[cell]);
            if (band > 0 && c == column.low) // the addition has no groove columns
                value += rowShare * double(grid.added[r * grid.ratioBands.size() +
                                                      static_cast<std::size_t>(band - 1)]);
        }
    // Below the first row, the first row's torque.
    const double rpm = std::max(pulley.rpm, grid.rpm.front());
    const double shaft = 2 * std::numbers::pi * pulley.rpm / 60; // rad/s
    read.power = grid.torque ? value * grid.unit * shaft : value * grid.unit * pulley.rpm / rpm;
    return read;
}

// One belt line's rating at a width: its entry for the belt's length, its table for the
// width, the reading times the width and length factors. Nothing for a width it does not print.
std::optional<Rating> rateLine(std::span<const BeltLine> entries, double width, double grooves,
                               const RatedPulley &pulley) {
    const auto prints = [&](const BeltLine &entry) {
        return std::ranges::any_of(entry.widths, [&](auto f) { return f.width == width; }) ||
               std::ranges::any_of(entry.grids, [&](auto &g) { return g.width == width; });
    };
    if (std::ranges::none_of(entries, prints))
        return std::nullopt;
    // The entry whose length list has the belt, or one with no list.
    double lengthFactor = 0;
    const BeltLine *entry = nullptr;
    for (const BeltLine &candidate : entries) {
        if (candidate.lengths.empty()) {
            entry = &candidate;
            lengthFactor = 1;
            break;
        }
        for (const published::LengthFactor &length : candidate.lengths)
            if (!entry && pulley.beltTeeth >= length.teethFrom &&
                (length.teethTo == 0 || pulley.beltTeeth <= length.teethTo)) {
                entry = &candidate;
                lengthFactor = length.factor;
            }
    }
    if (!entry || !prints(*entry))
        return Rating{{},
                      entries.front().line,
                      entry ? RatingEnd::widthNotPrinted : RatingEnd::lengthNotListed};
    const auto multiplier = std::ranges::find(entry->widths, width, &published::WidthFactor::width);
    const Grid &grid = multiplier != entry->widths.end()
                           ? entry->grids.front()
                           : *std::ranges::find(entry->grids, width, &Grid::width);
    const double widthFactor = multiplier != entry->widths.end() ? multiplier->factor : 1;
    Rating read = readGrid(grid, grooves, pulley);
    read.line = entry->line;
    if (read.power)
        *read.power *= widthFactor * lengthFactor;
    return read;
}

std::span<const BeltLine> linesOf(const BeltProfile &profile) {
    const auto first = std::ranges::find(published::beltLines, profile.name, &BeltLine::profile);
    const auto last = std::find_if(first, published::beltLines.end(),
                                   [&](const BeltLine &l) { return l.profile != profile.name; });
    return {first, last};
}

} // namespace

bool hasNote(unsigned notes, CellNote note) {
    return (notes & bitOf(note)) != 0;
}

bool hasRatingTable(const BeltProfile &profile) {
    return !linesOf(profile).empty();
}

std::vector<int> printedWidths(const ProfileChoice &belt) {
    std::vector<int> widths;
    for (const BeltLine &entry : linesOf(*belt.profile)) {
        if (!belt.line.empty() && entry.line != belt.line)
            continue;
        for (const published::WidthFactor &factor : entry.widths)
            widths.push_back(static_cast<int>(factor.width));
        for (const Grid &grid : entry.grids)
            if (entry.widths.empty())
                widths.push_back(static_cast<int>(grid.width));
    }
    std::ranges::sort(widths);
    widths.erase(std::unique(widths.begin(), widths.end()), widths.end());
    return widths;
}

Rating published::rateTable(const ProfileChoice &belt, const RatedPulley &pulley) {
    const std::span<const BeltLine> lines = linesOf(*belt.profile);
    const double width = *widthOf(belt);
    const double grooves =
        std::round(std::numbers::pi * pulley.pitchDiameter / belt.profile->pitch);
    // Each line in turn, its entries together; the lower rating of those that print the width.
    std::optional<Rating> chosen;
    for (auto from = lines.begin(); from != lines.end();) {
        const auto to = std::find_if(from, lines.end(),
                                     [&](const BeltLine &l) { return l.line != from->line; });
        if (belt.line.empty() || from->line == belt.line)
            if (std::optional<Rating> read = rateLine({from, to}, width, grooves, pulley))
                if (!chosen || (read->power && (!chosen->power || *read->power < *chosen->power)))
                    chosen = read;
        from = to;
    }
    if (!chosen)
        return {{}, {}, RatingEnd::widthNotPrinted};
    return *chosen;
}

} // namespace geometry
