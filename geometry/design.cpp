#include "geometry/design.h"

#include "geometry/open_drive.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <numbers>
#include <tuple>

namespace geometry {

namespace {

// The belt's length at a centre distance c, for pitch circles of radii large >= small that
// are clear of each other there.
double beltLength(double c, double large, double small) {
    const double difference = large - small;
    return 2 * std::sqrt(c * c - difference * difference) + std::numbers::pi * (large + small) +
           2 * difference * std::asin(difference / c);
}

// The number at the start of text (digits, perhaps one '.' and more digits) and the rest.
std::optional<std::pair<double, std::string_view>> leadingNumber(std::string_view text) {
    std::size_t end = 0;
    bool point = false;
    while (end < text.size() &&
           (std::isdigit(static_cast<unsigned char>(text[end])) || (text[end] == '.' && !point))) {
        point = point || text[end] == '.';
        ++end;
    }
    if (end == 0 || text[end - 1] == '.')
        return std::nullopt;
    double value = 0;
    std::from_chars(text.data(), text.data() + end, value);
    return std::pair{value, text.substr(end)};
}

std::optional<NamedBelt> beltOf(const std::optional<ProfileChoice> &choice, double code,
                                std::initializer_list<BeltFamily> families) {
    if (!choice || !hasValidWidth(*choice) ||
        std::ranges::find(families, choice->profile->family) == families.end())
        return std::nullopt;
    const std::vector<std::int64_t> teeth = teethOfCode(*choice->profile, code);
    if (teeth.size() != 1)
        return std::nullopt;
    return NamedBelt{choice->profile, teeth.front()};
}

bool stopped(const DesignQuery &query) {
    return query.stop && query.stop->load(std::memory_order_relaxed);
}

// The drives that need no mark first, each group in the order it had; or those alone.
void rankBySoundness(const DesignQuery &query, DesignSearch &search) {
    const auto sound = [&](const Design &design) { return !needsMark(*query.profile, design); };
    std::vector<Design> &designs = search.designs;
    const auto marked = std::stable_partition(designs.begin(), designs.end(), sound);
    if (query.soundOnly) {
        search.leftOut = designs.end() - marked;
        designs.erase(marked, designs.end());
    }
}

struct Pair {
    double error; // of the ratio
    int larger, smaller;
    BeltRange belts{1, 0}; // in a slot: counted before any is solved
};

// Each pair's nearest belts to the wanted distance, ranked by the ratio's error, then by how
// far the distance is from the wanted one, then as in a slot.
DesignSearch nearestDesigns(const DesignQuery &query, const std::vector<Pair> &pairs,
                            DesignSearch search) {
    const double wanted = *query.wantedDistance;
    // Each pair has at most two belts.
    if (static_cast<std::int64_t>(pairs.size()) > query.limits.rows / 2) {
        search.tooMany = true;
        return search;
    }
    for (const Pair &pair : pairs) {
        if (stopped(query))
            return {};
        const NearestBelts nearest =
            query.stock ? nearestInStock(pair.larger, pair.smaller, *query.profile, wanted, 1,
                                         static_cast<double>(largestBeltCode), *query.stock)
                        : nearestBelts(pair.larger, pair.smaller, *query.profile, wanted);
        for (const std::optional<Belt> &belt : {nearest.below, nearest.above})
            if (belt)
                search.designs.push_back({pair.larger, pair.smaller,
                                          static_cast<double>(pair.larger) / pair.smaller, *belt});
    }
    std::ranges::sort(search.designs, {}, [&](const Design &design) {
        return std::tuple{std::abs(design.ratio - query.wantedRatio),
                          std::abs(design.belt.drive.centreDistance - wanted), design.larger,
                          design.belt.teeth, design.smaller};
    });
    rankBySoundness(query, search);
    return search;
}

} // namespace

bool inStock(const Stock *stock, std::int64_t teeth) {
    return !stock || std::ranges::binary_search(*stock, teeth);
}

std::span<const std::int64_t> stockIn(const Stock &stock, BeltRange range) {
    const auto from = std::ranges::lower_bound(stock, range.firstTeeth);
    return {from, std::upper_bound(from, stock.end(), range.lastTeeth)};
}

std::int64_t beltsIn(BeltRange range, const Stock *stock) {
    if (stock)
        return static_cast<std::int64_t>(stockIn(*stock, range).size());
    return std::max<std::int64_t>(0, range.lastTeeth - range.firstTeeth + 1);
}

BeltRange beltsInSlot(double z1, double z2, const BeltProfile &profile, double shortest,
                      double longest) {
    const BeltRange none{1, 0};
    const double larger = std::max(z1, z2), smaller = std::min(z1, z2);
    if (!isWholeTeeth(larger) || !isWholeTeeth(smaller) || !(shortest <= longest))
        return none;
    const double large = larger * profile.pitch / (2 * std::numbers::pi);
    const double small = smaller * profile.pitch / (2 * std::numbers::pi);
    const double nearest = std::max(shortest, large + small); // pitch circles clear
    if (!(nearest <= longest))
        return none;
    // A tooth of margin either way for the rounding of the bounds; the ends are then solved
    // and checked against the slot itself.
    const std::int64_t most = mostTeeth(profile);
    const auto teethAt = [&](double distance) {
        const double teeth = beltLength(distance, large, small) / profile.pitch;
        return teeth >= static_cast<double>(most) ? most : static_cast<std::int64_t>(teeth);
    };
    BeltRange range{std::max(static_cast<std::int64_t>(larger), teethAt(nearest)),
                    std::min(most, teethAt(longest) + 1)};
    const auto distance = [&](std::int64_t teeth) {
        return openDrive(z1, z2, static_cast<double>(teeth), profile.pitch)->centreDistance;
    };
    while (range.firstTeeth <= range.lastTeeth && distance(range.firstTeeth) < nearest)
        ++range.firstTeeth;
    while (range.lastTeeth >= range.firstTeeth && distance(range.lastTeeth) > longest)
        --range.lastTeeth;
    return range;
}

NearestBelts nearestInStock(double z1, double z2, const BeltProfile &profile, double wantedDistance,
                            double firstCode, double lastCode, const Stock &stock) {
    // In order of teeth, a list is in order of code, of soundness (a belt long enough stays
    // so) and of distance: each bound is a binary search, which solves few of its belts.
    const auto code = [&](std::int64_t teeth) { return beltCode(profile, teeth); };
    const auto from = std::ranges::partition_point(
        stock, [&](std::int64_t teeth) { return code(teeth) < firstCode; });
    const auto to = std::partition_point(
        from, stock.end(), [&](std::int64_t teeth) { return code(teeth) <= lastCode; });
    const auto sound = std::partition_point(from, to, [&](std::int64_t teeth) {
        return unbuildable(z1, z2, static_cast<double>(teeth), profile.pitch).has_value();
    });
    const auto reaching = std::partition_point(sound, to, [&](std::int64_t teeth) {
        return beltWithTeeth(z1, z2, profile, teeth).drive.centreDistance < wantedDistance;
    });
    NearestBelts nearest;
    if (reaching != to) {
        nearest.above = beltWithTeeth(z1, z2, profile, *reaching);
        // As for every belt: one that hits the distance exactly stands alone.
        if (nearest.above->drive.centreDistance == wantedDistance)
            return nearest;
    }
    if (reaching != sound)
        nearest.below = beltWithTeeth(z1, z2, profile, *(reaching - 1));
    return nearest;
}

std::int64_t beltsTriedPerPair(const DesignQuery &query) {
    // Two at each end of a slot's range, its closed form's margin of a tooth checked.
    if (!query.wantedDistance)
        return 4;
    const std::int64_t belts =
        query.stock ? static_cast<std::int64_t>(query.stock->size()) : mostTeeth(*query.profile);
    // A belt tried at each halving of two searches, and the two found solved again.
    return 2 * static_cast<std::int64_t>(std::bit_width(static_cast<std::uint64_t>(belts))) + 4;
}

DesignSearch searchDesigns(const DesignQuery &query) {
    // So many pairs would be more belts to try than a search may, and the pairs alone would
    // fill the memory of a wide range of teeth: counted as they come.
    const std::int64_t mostPairs = query.limits.beltsTried / beltsTriedPerPair(query);
    // The pulley pairs of the ratio in the order of the ranking's first keys; their belts come
    // shortest first already.
    std::vector<Pair> pairs;
    const int most = query.mostTeeth;
    for (int smaller = query.fewestTeeth; smaller <= most; ++smaller) {
        // The larger pulleys whose ratio can be in range, a tooth of margin either way; each
        // is then checked as a double, as the ratio is shown.
        const double lowest = std::ceil(query.lowestRatio * smaller) - 1;
        const double highest = std::floor(query.highestRatio * smaller) + 1;
        const int from = std::max(smaller, lowest > most ? most + 1 : static_cast<int>(lowest));
        const int to = highest > most ? most : static_cast<int>(highest);
        for (int larger = from; larger <= to; ++larger) {
            const double ratio = static_cast<double>(larger) / smaller;
            if (ratio < query.lowestRatio || ratio > query.highestRatio)
                continue;
            pairs.push_back({std::abs(ratio - query.wantedRatio), larger, smaller});
        }
        if (static_cast<std::int64_t>(pairs.size()) > mostPairs)
            return {{}, true, false, true};
    }
    std::ranges::sort(pairs, {}, [](const Pair &pair) {
        return std::tuple{pair.error, pair.larger, pair.smaller};
    });
    DesignSearch search;
    search.anyPulleys = !pairs.empty();
    if (query.wantedDistance)
        return nearestDesigns(query, pairs, std::move(search));
    // Each pair's belts counted first: a list past the limit is refused before any is solved.
    std::int64_t rows = 0;
    for (Pair &pair : pairs) {
        if (stopped(query))
            return {};
        pair.belts =
            beltsInSlot(pair.larger, pair.smaller, *query.profile, query.shortest, query.longest);
        rows += beltsIn(pair.belts, query.stock);
        if (rows > query.limits.rows) {
            search.tooMany = true;
            return search;
        }
    }
    search.designs.reserve(static_cast<std::size_t>(rows));
    for (auto first = pairs.begin(); first != pairs.end();) {
        // Pairs as good as each other and of the same larger pulley: their belts merge, the
        // shorter first.
        const auto last = std::find_if(first, pairs.end(), [&](const Pair &pair) {
            return pair.error != first->error || pair.larger != first->larger;
        });
        const auto start = static_cast<std::ptrdiff_t>(search.designs.size());
        for (auto pair = first; pair != last; ++pair) {
            const double ratio = static_cast<double>(pair->larger) / pair->smaller;
            const auto add = [&](std::int64_t teeth) {
                search.designs.push_back(
                    {pair->larger, pair->smaller, ratio,
                     beltWithTeeth(pair->larger, pair->smaller, *query.profile, teeth)});
            };
            if (query.stock)
                std::ranges::for_each(stockIn(*query.stock, pair->belts), add);
            else
                for (std::int64_t teeth = pair->belts.firstTeeth; teeth <= pair->belts.lastTeeth;
                     ++teeth)
                    add(teeth);
        }
        if (last - first > 1)
            std::stable_sort(search.designs.begin() + start, search.designs.end(),
                             [](const Design &a, const Design &b) {
                                 return std::tie(a.belt.teeth, a.smaller) <
                                        std::tie(b.belt.teeth, b.smaller);
                             });
        first = last;
    }
    rankBySoundness(query, search);
    return search;
}

// A maker's catalogue of 2GT pulleys gives a 60-tooth pulley a flange 40.12 mm across on an
// outside diameter of 37.68 mm: 1.22 mm above it, 0.61 of the pitch. For want of a published
// figure for the other families, every profile's flange is scaled from it by the pitch.
double flangeHeight(const BeltProfile &profile) {
    return 0.61 * profile.pitch;
}

// Both flanges: a drive that needs its belt held on both pulleys (a long one, or one on
// upright shafts, in the makers' advice) has two flanges facing each other on one side of
// the belt, and the one-flanged drive is not known here.
double flangeRoom(const BeltProfile &profile) {
    return 2 * flangeHeight(profile);
}

double outsideGap(const BeltProfile &profile, const OpenDrive &drive) {
    return drive.centreDistance - drive.largeRadius - drive.smallRadius +
           2 * profile.pitchLineOffset;
}

bool needsMark(const BeltProfile &profile, const Design &design) {
    return design.belt.drive.teethInMesh < fewestTeethInMesh ||
           design.smaller < profile.smallestPulley ||
           outsideGap(profile, design.belt.drive) < flangeRoom(profile);
}

DriveGeometry driveGeometry(const BeltProfile &profile, double z1, double z2,
                            const OpenDrive &drive, std::int64_t beltTeeth) {
    const auto pulley = [&](double teeth, double radius, double wrapAngle) {
        return PulleyGeometry{teeth, 2 * radius, 2 * radius - 2 * profile.pitchLineOffset,
                              wrapAngle, teeth * wrapAngle / 360};
    };
    return {pulley(std::max(z1, z2), drive.largeRadius, 360 - drive.wrapAngle),
            pulley(std::min(z1, z2), drive.smallRadius, drive.wrapAngle), drive.centreDistance,
            beltPitchLength(profile, beltTeeth), drive.span};
}

std::optional<NamedBelt> readBeltName(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    if (std::isdigit(static_cast<unsigned char>(text.front()))) {
        const auto number = leadingNumber(text);
        if (!number)
            return std::nullopt;
        const auto [code, rest] = *number;
        // 600-5M-15, 200-2GT: the length, then the profile; 150XL037: the code, then it.
        if (rest.starts_with('-'))
            return beltOf(readProfile(rest.substr(1)), code,
                          {BeltFamily::curvilinear, BeltFamily::gt});
        return beltOf(readProfile(rest), code, {BeltFamily::inchTrapezoidal});
    }
    // T5-500-10, AT10-1010: the profile, then the length, then the width.
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos)
        return std::nullopt;
    const auto number = leadingNumber(text.substr(dash + 1));
    if (!number)
        return std::nullopt;
    std::optional<ProfileChoice> choice = readProfile(text.substr(0, dash));
    if (choice && choice->width.empty())
        choice->width = std::string(number->second);
    else if (choice)
        choice.reset(); // a width before the length is no belt's name
    return beltOf(choice, number->first,
                  {BeltFamily::metricTrapezoidal, BeltFamily::metricWideTooth});
}

} // namespace geometry
