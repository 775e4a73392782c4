#include "geometry/layout.h"

#include "geometry/open_drive.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

namespace geometry {

namespace {

using Kind = LayoutEntry::Kind;
using Fault = LayoutFault::Kind;

constexpr double pi = std::numbers::pi;
constexpr double degrees = 180 / pi;

Point operator+(Point a, Point b) {
    return {a.x + b.x, a.y + b.y};
}
Point operator-(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}
Point operator*(double k, Point a) {
    return {k * a.x, k * a.y};
}
double dot(Point a, Point b) {
    return a.x * b.x + a.y * b.y;
}
double cross(Point a, Point b) {
    return a.x * b.y - a.y * b.x;
}
Point turnedLeft(Point a) {
    return {-a.y, a.x};
}

bool isClamp(const LayoutEntry &entry) {
    return entry.kind == Kind::clamp;
}

// On the back the belt's pitch line lies T - h - u outside the surface it rides on, and a
// toothed pulley's outside circle is u inside its pitch circle; on the teeth a plain pulley
// carries the teeth's tips, h + u inside the pitch line.
double pitchRadiusOf(const BeltProfile &profile, const LayoutEntry &entry) {
    const double offset = profile.pitchLineOffset;
    const double backToPitch = profile.thickness - profile.toothHeight - offset;
    const bool back = entry.face == BeltFace::back;
    if (entry.kind == Kind::toothed)
        return entry.size * profile.pitch / (2 * pi) + (back ? backToPitch - offset : 0);
    if (entry.kind == Kind::plain)
        return entry.size / 2 + (back ? backToPitch : profile.toothHeight + offset);
    return 0;
}

// The straight run of belt from one circle to the next, each given a signed radius: positive
// for a circle on the belt's left as it runs, negative for one on its right. With d the
// centres' difference and delta the radii's, the run's direction u and its left normal n
// solve d = length u + delta n.
struct Run {
    Point from, to, direction;
    double length;
};
// The circles must be apart, so that |d| > |delta| whichever their sides.
Run runBetween(Point from, double fromRadius, Point to, double toRadius) {
    const Point d = to - from;
    const double delta = toRadius - fromRadius;
    const double square = dot(d, d);
    const double length = std::sqrt(square - delta * delta);
    const Point direction = (1 / square) * (length * d - delta * turnedLeft(d));
    const Point normal = turnedLeft(direction);
    return Run{from - fromRadius * normal, to - toRadius * normal, direction, length};
}

bool crossProperly(const Segment &a, const Segment &b) {
    const Point alongA = a.to - a.from, alongB = b.to - b.from;
    return cross(alongA, b.from - a.from) * cross(alongA, b.to - a.from) < 0 &&
           cross(alongB, a.from - b.from) * cross(alongB, a.to - b.from) < 0;
}

double signedRadius(const LayoutEntry &entry, double radius, double sense) {
    return (entry.face == BeltFace::teeth ? sense : -sense) * radius;
}

bool apart(const LayoutEntry &one, double oneRadius, const LayoutEntry &other, double otherRadius) {
    const Point d = other.centre - one.centre;
    return std::hypot(d.x, d.y) > oneRadius + otherRadius; // false for NaN
}

// The belt followed in the layout's order with the teeth-side entries on its left (sense 1:
// the loop runs counter-clockwise) or on its right (-1). It closes as a belt can only when its
// direction makes exactly one turn that way and no two runs cross. Every run must exist: the
// circles of neighbours are apart. Whether the runs of a way that does not close cross, which
// costs the most here, is found only when asked: it names a fault, never a belt.
struct Following {
    BeltPath path;
    bool closes = false;
    std::optional<std::pair<std::size_t, std::size_t>> crossing;
};

// What stays as one entry moves on its travel: whether two of the other circles overlap, and
// for each way round (sense 1, then -1) whether two runs between the others cross. A place
// then checks the moving entry's circle and runs alone, against every other: a travel's
// places cost as the entries, not as their pairs.
struct Still {
    std::size_t entry;
    bool overlap = false;
    bool crossing[2] = {false, false};
};

Following follow(const Layout &layout, const std::vector<double> &radii, double sense,
                 bool crossingsOfAny = true, const Still *still = nullptr) {
    const std::vector<LayoutEntry> &entries = layout.entries;
    const std::size_t count = entries.size();
    std::vector<double> signedRadii;
    signedRadii.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        signedRadii.push_back(signedRadius(entries[i], radii[i], sense));
    std::vector<Run> runs;
    runs.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t j = (i + 1) % count;
        runs.push_back(
            runBetween(entries[i].centre, signedRadii[i], entries[j].centre, signedRadii[j]));
    }

    Following result;
    BeltPath &path = result.path;
    path.entries.reserve(count);
    path.spans.reserve(count);
    path.spanLengths.reserve(count);
    double turning = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const Run &in = runs[(i + count - 1) % count], &out = runs[i];
        const double turn =
            std::atan2(cross(in.direction, out.direction), dot(in.direction, out.direction));
        // A circle on the left is wrapped counter-clockwise, one on the right clockwise; a clamp
        // is a corner either way.
        const double way = signedRadii[i] > 0 ? 1 : signedRadii[i] < 0 ? -1 : 0;
        const double wrap = way * turn < 0 ? way * turn + 2 * pi : std::abs(way * turn);
        turning += way == 0 ? turn : way * wrap;
        const LayoutEntry &entry = entries[i];
        const bool meshes = entry.kind == Kind::toothed && entry.face == BeltFace::teeth;
        path.entries.push_back({radii[i], wrap * degrees, meshes ? wrap / (2 * pi) * entry.size : 0,
                                in.to, out.from, way == 0 ? turn > 0 : way > 0});
        path.pitchLength += radii[i] * wrap + out.length;
        path.spans.push_back({out.from, out.to});
        path.spanLengths.push_back(out.length);
    }
    if (isClamp(entries.front()))
        path.pitchLength -= path.spanLengths.back(); // the carriage's piece, not belt
    result.closes = std::lround(turning / (2 * pi)) == std::lround(sense);
    if (!result.closes && !crossingsOfAny)
        return result;
    const auto check = [&](std::size_t i, std::size_t j) {
        if (!result.crossing && crossProperly(path.spans[i], path.spans[j]))
            result.crossing = std::pair{std::min(i, j), std::max(i, j)};
    };
    if (still) {
        // A place asks only whether it builds, never which runs cross.
        if (still->crossing[sense > 0 ? 0 : 1])
            result.crossing = std::pair{std::size_t{0}, std::size_t{0}};
        for (const std::size_t moving : {(still->entry + count - 1) % count, still->entry})
            for (std::size_t j = 0; j < count; ++j)
                check(moving, j);
        return result;
    }
    for (std::size_t i = 0; i < count; ++i)
        for (std::size_t j = i + 1; j < count; ++j)
            check(i, j);
    return result;
}

// The runs between entries that do not move, each way round, and the circles of those
// entries, checked once for a travel.
Still stillOf(const Layout &layout, std::size_t moving) {
    const std::vector<LayoutEntry> &entries = layout.entries;
    const std::size_t count = entries.size();
    Still still{moving};
    std::vector<double> radii;
    for (const LayoutEntry &entry : entries)
        radii.push_back(pitchRadiusOf(*layout.profile, entry));
    for (std::size_t i = 0; i < count; ++i)
        for (std::size_t j = i + 1; j < count; ++j)
            if (i != moving && j != moving && !apart(entries[i], radii[i], entries[j], radii[j]))
                still.overlap = true;
    if (still.overlap)
        return still;
    for (const double sense : {1.0, -1.0}) {
        std::vector<Segment> runs;
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t j = (i + 1) % count;
            if (i == moving || j == moving)
                continue;
            const Run run =
                runBetween(entries[i].centre, signedRadius(entries[i], radii[i], sense),
                           entries[j].centre, signedRadius(entries[j], radii[j], sense));
            runs.push_back({run.from, run.to});
        }
        for (std::size_t i = 0; i < runs.size(); ++i)
            for (std::size_t j = i + 1; j < runs.size(); ++j)
                if (crossProperly(runs[i], runs[j]))
                    still.crossing[sense > 0 ? 0 : 1] = true;
    }
    return still;
}

// An entry the belt would not touch: without it the belt closes either way round as a belt,
// its spans clear of each other, and the run that then goes from the entry before it to the
// one after stays clear of its circle. Every two circles are apart.
std::optional<std::size_t> untouchedEntry(const Layout &layout, const std::vector<double> &radii) {
    const std::vector<LayoutEntry> &entries = layout.entries;
    const std::size_t count = entries.size();
    for (const double sense : {1.0, -1.0}) {
        for (std::size_t i = 0; i < count && count > 2; ++i) {
            const std::size_t before = (i + count - 1) % count, after = (i + 1) % count;
            if (isClamp(entries[i]))
                continue;
            // Where it is clear of the run past it, whether the rest is a belt; that costs the
            // most, so only then.
            const Run past = runBetween(
                entries[before].centre, signedRadius(entries[before], radii[before], sense),
                entries[after].centre, signedRadius(entries[after], radii[after], sense));
            const double inward = dot(entries[i].centre - past.from, turnedLeft(past.direction));
            const double own = signedRadius(entries[i], radii[i], sense);
            if (own * (inward - own) < 0)
                continue;
            Layout without = layout;
            without.entries.erase(without.entries.begin() + static_cast<std::ptrdiff_t>(i));
            std::vector<double> radiiWithout = radii;
            radiiWithout.erase(radiiWithout.begin() + static_cast<std::ptrdiff_t>(i));
            const Following rest = follow(without, radiiWithout, sense, false);
            if (rest.closes && !rest.crossing)
                return i;
        }
    }
    return std::nullopt;
}

std::optional<LayoutFault> entryFault(const Layout &layout) {
    const std::vector<LayoutEntry> &entries = layout.entries;
    // A belt clamped at both ends may run round one pulley, as one that carries its motor.
    const bool open = !entries.empty() && isClamp(entries.front()) && isClamp(entries.back());
    if (std::ranges::count_if(entries, std::not_fn(isClamp)) < (open ? 1 : 2))
        return LayoutFault{Fault::tooFewPulleys};
    const std::size_t last = entries.size() - 1;
    if (isClamp(entries.front()) != isClamp(entries.back()))
        return LayoutFault{Fault::misplacedClamp, isClamp(entries.front()) ? 0 : last};
    for (std::size_t i = 0; i <= last; ++i) {
        const LayoutEntry &entry = entries[i];
        if (isClamp(entry) && i != 0 && i != last)
            return LayoutFault{Fault::misplacedClamp, i};
        if (entry.kind == Kind::toothed && !isWholeTeeth(entry.size))
            return LayoutFault{Fault::badTeeth, i};
        if (entry.kind == Kind::plain && !(entry.size > 0 && std::isfinite(entry.size)))
            return LayoutFault{Fault::badDiameter, i};
        if (!isClamp(entry) && (entry.kind == Kind::plain || entry.face == BeltFace::back) &&
            layout.profile->thickness == 0)
            return LayoutFault{Fault::noBeltFigures, i};
    }
    return std::nullopt;
}

// Where the movable entry can be: a centre for each value of along from `from` to `to`.
struct Motion {
    std::size_t entry;
    bool arm;
    Point origin, unit; // a slot's start and direction; an arm's pivot
    double radius;      // an arm's
    double from, to;
};

std::optional<Motion> motionOf(const Layout &layout) {
    const Travel &travel = *layout.travel;
    if (travel.entry >= layout.entries.size())
        return std::nullopt;
    const Point centre = layout.entries[travel.entry].centre;
    if (travel.kind == Travel::Kind::slot) {
        const double length = std::hypot(travel.end.x - centre.x, travel.end.y - centre.y);
        if (!(length > 0 && std::isfinite(length)))
            return std::nullopt;
        return Motion{travel.entry, false, centre, (1 / length) * (travel.end - centre), 0, 0,
                      length};
    }
    const Point arm = centre - travel.pivot;
    const double radius = std::hypot(arm.x, arm.y);
    if (!(radius > 0 && std::isfinite(radius)))
        return std::nullopt;
    const double at = std::atan2(arm.y, arm.x) * degrees;
    if (travel.fullTurn)
        return Motion{travel.entry, true, travel.pivot, {0, 0}, radius, at, at + 360};
    // The range runs counter-clockwise from its first angle to its second, through 0 if need be;
    // the same angle twice is no range (a whole turn has none). The centre may lie a hair
    // before the range's start.
    const auto below360 = [](double angle) { return std::fmod(std::fmod(angle, 360) + 360, 360); };
    const double turn = 360 - below360(travel.fromAngle - travel.toAngle);
    const double slack = 1e-9;
    if (turn == 360 || !(below360(at - travel.fromAngle + slack) <= turn + 2 * slack))
        return std::nullopt;
    const double from = travel.fromAngle;
    return Motion{travel.entry, true, travel.pivot, {0, 0}, radius, from, from + turn};
}

Point centreAt(const Motion &motion, double along) {
    if (motion.arm)
        return motion.origin +
               motion.radius * Point{std::cos(along / degrees), std::sin(along / degrees)};
    return motion.origin + along * motion.unit;
}

// The path, or why there is none; which entry the belt runs past is found only when asked, since
// the travel's samples need only know whether the layout builds.
std::variant<BeltPath, LayoutFault> pathOrFault(const Layout &layout, bool nameEntries,
                                                const Still *still = nullptr) {
    if (const std::optional<LayoutFault> fault = entryFault(layout))
        return *fault;
    if (layout.travel && !motionOf(layout))
        return LayoutFault{Fault::badTravel, layout.travel->entry};
    const std::vector<LayoutEntry> &entries = layout.entries;
    const std::size_t count = entries.size();
    std::vector<double> radii;
    radii.reserve(count);
    for (const LayoutEntry &entry : entries)
        radii.push_back(pitchRadiusOf(*layout.profile, entry));
    // Pitch circles that overlap, as the one-belt form's do, are pulleys in each other's way
    // and leave no room for a run between them; apart, every run between two exists, whichever
    // sides the belt takes.
    if (still && still->overlap)
        return LayoutFault{Fault::overlap};
    for (std::size_t i = still ? still->entry : 0; i < (still ? still->entry + 1 : count); ++i)
        for (std::size_t j = still ? 0 : i + 1; j < count; ++j)
            if (j != i && !apart(entries[i], radii[i], entries[j], radii[j]))
                return LayoutFault{Fault::overlap, std::min(i, j), std::max(i, j)};
    // The layout may list its entries either way round the loop: the belt is the way that
    // closes. Where both do, as three entries can (an idler between the spans may press on
    // either), the belt is the shorter, which presses least.
    Following ahead = follow(layout, radii, 1, nameEntries, still),
              behind = follow(layout, radii, -1, nameEntries, still);
    Following *belt = nullptr;
    for (Following *way : {&ahead, &behind})
        if (way->closes && !way->crossing &&
            (!belt || way->path.pitchLength < belt->path.pitchLength))
            belt = way;
    if (belt)
        return std::move(belt->path);
    if (!nameEntries)
        return LayoutFault{Fault::untouched};
    if (const std::optional<std::size_t> entry = untouchedEntry(layout, radii))
        return LayoutFault{Fault::untouched, *entry};
    for (const Following *way : {&ahead, &behind})
        if (way->crossing)
            return LayoutFault{Fault::spansCross, way->crossing->first, way->crossing->second};
    // A loop that runs round no pulley on its teeth, such as one of back-side pulleys only.
    return LayoutFault{Fault::untouched,
                       static_cast<std::size_t>(
                           std::ranges::find_if(entries, std::not_fn(isClamp)) - entries.begin())};
}

// The layout with its movable entry somewhere on its travel.
struct Mover {
    Layout layout;
    Motion motion;
    Still still;
    std::variant<BeltPath, LayoutFault> at(double along) {
        layout.entries[motion.entry].centre = centreAt(motion, along);
        return pathOrFault(layout, false, &still);
    }
    std::optional<double> lengthAt(double along) {
        const auto path = at(along);
        const BeltPath *built = std::get_if<BeltPath>(&path);
        return built ? std::optional{built->pitchLength} : std::nullopt;
    }
};

// Nothing without a travel the layout can use; the place in the file need not be buildable.
std::optional<Mover> moverOf(const Layout &layout) {
    const std::optional<Motion> motion = layout.travel ? motionOf(layout) : std::nullopt;
    if (!motion)
        return std::nullopt;
    const Still still = stillOf(layout, motion->entry);
    Mover mover{layout, *motion, still};
    mover.layout.travel.reset();
    return mover;
}

struct Sample {
    double along, length;
};

// The travel sampled this finely: fine enough for the lengths along a slot or an arm, which
// are smooth and have few extremes, each of which is then found exactly.
constexpr int samples = 64;

// The buildable stretches of the travel, each as its samples in order; where a stretch
// begins or ends inside the travel, that end is found by bisection to the last bits.
std::vector<std::vector<Sample>> stretches(Mover &mover) {
    const Motion &motion = mover.motion;
    std::vector<std::vector<Sample>> found;
    double before = motion.from;
    std::optional<double> beforeLength = mover.lengthAt(before);
    if (beforeLength)
        found.push_back({{before, *beforeLength}});
    for (int k = 1; k <= samples; ++k) {
        const double along = motion.from + (motion.to - motion.from) * k / samples;
        const std::optional<double> length = mover.lengthAt(along);
        if (length.has_value() != beforeLength.has_value()) {
            double built = beforeLength ? before : along, unbuilt = beforeLength ? along : before;
            for (int step = 0; step < 45; ++step) {
                const double middle = built + (unbuilt - built) / 2;
                (mover.lengthAt(middle) ? built : unbuilt) = middle;
            }
            const Sample edge{built, *mover.lengthAt(built)};
            if (length)
                found.push_back({edge});
            else
                found.back().push_back(edge);
        }
        if (length)
            found.back().push_back({along, *length});
        before = along;
        beforeLength = length;
    }
    return found;
}

// The sample between low and high with the most of way times the length, starting from one
// that is known: golden section to the last bits of the place. Places where the layout cannot
// be built never win.
Sample extremeNear(Mover &mover, double low, double high, Sample best, double way) {
    const double golden = (std::sqrt(5.0) - 1) / 2;
    const auto value = [&](double along) {
        const double length =
            mover.lengthAt(along).value_or(-way * std::numeric_limits<double>::infinity());
        if (way * length > way * best.length)
            best = {along, length};
        return way * length;
    };
    double inner = high - golden * (high - low), outer = low + golden * (high - low);
    double atInner = value(inner), atOuter = value(outer);
    for (int step = 0; step < 50; ++step) {
        if (atInner > atOuter) {
            high = outer;
            outer = inner;
            atOuter = atInner;
            inner = high - golden * (high - low);
            atInner = value(inner);
        } else {
            low = inner;
            inner = outer;
            atInner = atOuter;
            outer = low + golden * (high - low);
            atOuter = value(outer);
        }
    }
    return best;
}

// The stretches' samples with their longest and shortest places made exact, so that no root
// hides beside an extreme: a sample at least as long, or as short, as both its neighbours gives
// way to the extreme place near it. At a stretch's end, where the length first moves away from
// the next sample's (a full turn's ends are one place), the extreme is added beside the end.
std::vector<std::vector<Sample>> knots(Mover &mover) {
    std::vector<std::vector<Sample>> found = stretches(mover);
    for (std::vector<Sample> &stretch : found) {
        const std::vector<Sample> sampled = stretch;
        for (std::size_t k = 1; k + 1 < sampled.size(); ++k) {
            const double here = sampled[k].length;
            const double before = sampled[k - 1].length, after = sampled[k + 1].length;
            const double way = here >= std::max(before, after)   ? 1
                               : here <= std::min(before, after) ? -1
                                                                 : 0;
            if (way != 0)
                stretch[k] =
                    extremeNear(mover, sampled[k - 1].along, sampled[k + 1].along, sampled[k], way);
        }
        const auto beside = [&](const Sample &end, const Sample &next) {
            const double way = end.length >= next.length ? 1 : -1;
            const double close = end.along + (next.along - end.along) / 64;
            const Sample probe{close, mover.lengthAt(close).value_or(end.length)};
            return way * (probe.length - end.length) > 0
                       ? std::optional{extremeNear(mover, close, next.along, probe, way)}
                       : std::nullopt;
        };
        const std::size_t last = sampled.size() - 1;
        const std::optional<Sample> first = beside(sampled[0], sampled[1]);
        if (const std::optional<Sample> end = beside(sampled[last], sampled[last - 1]))
            stretch.insert(stretch.end() - 1, *end);
        if (first)
            stretch.insert(stretch.begin() + 1, *first);
        std::ranges::sort(stretch, {}, &Sample::along); // extremes may pass a neighbour
    }
    return found;
}

} // namespace

std::variant<BeltPath, LayoutFault> beltPath(const Layout &layout) {
    return pathOrFault(layout, true);
}

double pitchRadius(const BeltProfile &profile, const LayoutEntry &entry) {
    return pitchRadiusOf(profile, entry);
}

std::vector<LayoutWarning> layoutWarnings(const Layout &layout, const BeltPath &path) {
    using Warning = LayoutWarning::Kind;
    const BeltProfile &profile = *layout.profile;
    std::vector<LayoutWarning> warnings;
    for (std::size_t i = 0; i < layout.entries.size(); ++i) {
        const LayoutEntry &entry = layout.entries[i];
        const PathEntry &on = path.entries[i];
        const bool toothed = entry.kind == Kind::toothed, teeth = entry.face == BeltFace::teeth;
        if (isClamp(entry))
            continue;
        // The makers' smallest pulley holds for an idler's grooves too; said once for an entry.
        const auto smallest = static_cast<double>(profile.smallestPulley);
        const bool fewTeeth = toothed && teeth && entry.size < smallest;
        if (fewTeeth)
            warnings.push_back({Warning::smallPulley, i, entry.size, smallest});
        if (toothed && teeth && !entry.idler) {
            if (on.teethInMesh < fewestTeethInMesh)
                warnings.push_back({Warning::fewTeethInMesh, i, on.teethInMesh, fewestTeethInMesh});
            if (on.wrap < leastWrap)
                warnings.push_back({Warning::littleWrap, i, on.wrap, leastWrap});
            continue;
        }
        // Idlers are measured as the maker's table measures them: teeth for a grooved one on the
        // teeth, the outside diameter for the others. Where nothing is published the least is 0.
        double size = entry.size, least = profile.smallestBackIdler;
        if (teeth)
            least = toothed ? profile.smallestGroovedIdler : profile.smallestFlatIdler;
        else if (toothed)
            size = entry.size * profile.pitch / pi - 2 * profile.pitchLineOffset;
        if (size < least && !fewTeeth)
            warnings.push_back({Warning::smallIdler, i, size, least});
    }
    return warnings;
}

// The length is continuous along the travel wherever the layout can be built, so each change
// of its sign against the wanted length holds a root, found by bisection. It is monotonic
// where the movable entry only pushes into one run (an idler on a slot across its span), and
// then there is one root; an arm or a slot along the span can give two.
namespace {

std::vector<Placement> placementsOnKnots(Mover &mover,
                                         const std::vector<std::vector<Sample>> &travel,
                                         double pitchLength) {
    std::vector<Placement> found;
    const double tolerance = lengthTolerance * pitchLength;
    const auto fits = [&](const Sample &sample) {
        return std::abs(sample.length - pitchLength) <= tolerance;
    };
    // The place is the belt's: its length is the belt's, not the last bits that found it.
    const auto place = [&](double along, BeltPath &path) {
        path.pitchLength = pitchLength;
        found.push_back({along, centreAt(mover.motion, along), std::move(path)});
    };
    for (const std::vector<Sample> &stretch : travel) {
        for (std::size_t k = 0; k < stretch.size(); ++k) {
            // A sample may be the place itself: a travel's end, or an extreme that just
            // reaches the length; once for a run of them.
            if (fits(stretch[k])) {
                if (k > 0 && fits(stretch[k - 1]))
                    continue;
                auto path = mover.at(stretch[k].along);
                BeltPath *built = std::get_if<BeltPath>(&path); // every sample builds
                if (built)                                      // GCOVR_EXCL_BR_LINE
                    place(stretch[k].along, *built);
                continue;
            }
            if (k == 0 || fits(stretch[k - 1]))
                continue;
            const bool rising = stretch[k - 1].length < pitchLength;
            if (rising == (stretch[k].length < pitchLength))
                continue;
            double low = stretch[k - 1].along, high = stretch[k].along;
            for (;;) {
                const double middle = low + (high - low) / 2;
                auto path = mover.at(middle);
                // Between two buildable samples the layout is buildable but for gaps narrower
                // than a sample, where the length would jump: no belt fits there.
                BeltPath *built = std::get_if<BeltPath>(&path);
                if (!built) // GCOVR_EXCL_BR_LINE
                    break;
                const double miss = built->pitchLength - pitchLength;
                if (std::abs(miss) <= tolerance) {
                    place(middle, *built);
                    break;
                }
                // Where the doubles run out first, the length jumps there: no belt fits.
                if (middle <= low || middle >= high) // GCOVR_EXCL_BR_LINE
                    break;
                ((miss < 0) == rising ? low : high) = middle;
            }
        }
    }
    return found;
}

} // namespace

std::vector<Placement> placementsForLength(const Layout &layout, double pitchLength) {
    return std::move(placementsForLengths(layout, {&pitchLength, 1}).front());
}

// The travel is sampled once for all the lengths: its samples cost more than a length's
// bisection.
std::vector<std::vector<Placement>> placementsForLengths(const Layout &layout,
                                                         std::span<const double> pitchLengths) {
    std::vector<std::vector<Placement>> found(pitchLengths.size());
    std::optional<Mover> mover = moverOf(layout);
    if (!mover)
        return found;
    const std::vector<std::vector<Sample>> travel = knots(*mover);
    for (std::size_t i = 0; i < pitchLengths.size(); ++i)
        found[i] = placementsOnKnots(*mover, travel, pitchLengths[i]);
    return found;
}

std::vector<LengthInterval> lengthsOnTravel(const Layout &layout) {
    std::optional<Mover> mover = moverOf(layout);
    if (!mover)
        return {};
    std::vector<LengthInterval> intervals;
    for (const std::vector<Sample> &stretch : knots(*mover)) {
        const auto [shortest, longest] = std::ranges::minmax(stretch, {}, &Sample::length);
        intervals.push_back({shortest.length, longest.length});
    }
    return intervals;
}

} // namespace geometry
