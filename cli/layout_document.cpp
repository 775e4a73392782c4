#include "cli/layout_document.h"

#include "cli/arguments.h"
#include "cli/layouts.h"
#include "common/messages.h"
#include "geometry/number_text.h"

#include <QTemporaryFile>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace cli {

namespace {

using geometry::LayoutEntry;
using geometry::Point;
using geometry::Travel;

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The point of the travel nearest a point asked.
Point onTravel(const geometry::Layout &layout, Point asked) {
    const Travel &travel = *layout.travel;
    const Point start = layout.entries[travel.entry].centre;
    if (travel.kind == Travel::Kind::slot) {
        const double dx = travel.end.x - start.x, dy = travel.end.y - start.y;
        const double length = dx * dx + dy * dy;
        const double along =
            length > 0 ? std::clamp(((asked.x - start.x) * dx + (asked.y - start.y) * dy) / length,
                                    0.0, 1.0)
                       : 0;
        return {start.x + along * dx, start.y + along * dy};
    }
    const double arm = distance(start, travel.pivot);
    double angle =
        std::atan2(asked.y - travel.pivot.y, asked.x - travel.pivot.x) * 180 / std::numbers::pi;
    if (!travel.fullTurn) {
        const double range = std::fmod(travel.toAngle - travel.fromAngle + 720, 360);
        const double from = std::fmod(angle - travel.fromAngle + 720, 360);
        if (from > range)
            angle = travel.fromAngle + (from - range < 360 - from ? range : 0);
    }
    const double radians = angle * std::numbers::pi / 180;
    return {travel.pivot.x + arm * std::cos(radians), travel.pivot.y + arm * std::sin(radians)};
}

} // namespace

LayoutDocument::LayoutDocument() : m_profile(*geometry::readProfile("GT2")) {
    m_fileProfile = m_profile;
    m_records = {
        {{LayoutEntry::Kind::toothed, {0, 0}, 20}, QStringLiteral("motore"), 0, {}, {}, {}},
        {{LayoutEntry::Kind::toothed, {150, 0}, 60}, QStringLiteral("condotta"), 0, {}, {}, {}}};
}

LayoutDocument::LayoutDocument(const LayoutFile &file)
    : m_below(file.below), m_fileProfile(file.profile),
      m_profile(file.profile ? *file.profile : *geometry::readProfile("XL037")) {
    const std::vector<LayoutEntry> &entries = file.layout.entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto at = static_cast<qsizetype>(i);
        LayoutRecord record{entries[i],
                            file.names.value(at),
                            file.lines[i],
                            file.comments.value(at),
                            i < file.above.size() ? file.above[i] : std::vector<LayoutNote>{},
                            std::nullopt};
        if (file.layout.travel && file.layout.travel->entry == i)
            record.travel = file.layout.travel;
        m_records.push_back(std::move(record));
    }
}

std::optional<std::size_t> LayoutDocument::movable() const {
    for (std::size_t i = 0; i < m_records.size(); ++i)
        if (m_records[i].travel)
            return i;
    return std::nullopt;
}

geometry::Layout LayoutDocument::layout() const {
    geometry::Layout layout;
    layout.profile = m_profile.profile;
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        layout.entries.push_back(m_records[i].entry);
        if (m_records[i].travel) {
            layout.travel = m_records[i].travel;
            layout.travel->entry = i;
        }
    }
    return layout;
}

geometry::Layout LayoutDocument::layoutThere() const {
    geometry::Layout there = layout();
    if (m_moved && there.travel)
        there.entries[there.travel->entry].centre = *m_moved;
    return there;
}

std::variant<geometry::BeltPath, geometry::LayoutFault> LayoutDocument::path() const {
    geometry::Layout there = layoutThere();
    // Its travel was checked where the file has it: moved to the travel's end, it would be one
    // of no length.
    if (m_moved)
        there.travel.reset();
    return geometry::beltPath(there);
}

LayoutFile LayoutDocument::file() const {
    LayoutFile file;
    file.layout = layout();
    file.profile = m_fileProfile;
    for (const LayoutRecord &record : m_records) {
        file.names << record.name;
        file.lines.push_back(record.line);
        file.comments << record.comment;
        file.above.push_back(record.above);
    }
    file.below = m_below;
    return file;
}

LayoutFile LayoutDocument::table() const {
    LayoutFile table = file();
    for (std::size_t i = 0; i < table.lines.size(); ++i) {
        const auto row = static_cast<int>(i) + 1;
        QString &name = table.names[static_cast<qsizetype>(i)];
        if (name == messages::layoutLineNumber(table.lines[i]))
            name = messages::layoutLineNumber(row);
        table.lines[i] = row;
    }
    return table;
}

LayoutRequest LayoutDocument::request(const std::optional<QString> &stock) const {
    LayoutRequest request;
    request.file = messages::layoutTableName();
    request.profile = m_profile;
    if (m_belt)
        request.belt = LayoutBelt{QString::fromStdString(geometry::beltName(m_profile, *m_belt)), 0,
                                  m_profile.profile, *m_belt};
    request.stock = stock;
    request.all = movable().has_value(); // the window lists every belt of the travel
    request.reader = messages::Reader::window;
    return request;
}

common::Problem LayoutDocument::faultProblem(const geometry::LayoutFault &fault) const {
    if (fault.kind == geometry::LayoutFault::Kind::tooFewPulleys)
        return {messages::layoutTableTooFewPulleys(), common::ExitStatus::wrongUse};
    return cli::faultProblem(table(), messages::layoutTableName(), m_profile, fault);
}

common::Result<LayoutDescription> LayoutDocument::describe(const LayoutRequest &request,
                                                           const QLocale &locale) const {
    // As the command line: what is wrong with the entries first, wherever the pulley stands.
    const auto atFile = geometry::beltPath(layout());
    if (const auto *fault = std::get_if<geometry::LayoutFault>(&atFile))
        if (common::Problem problem = faultProblem(*fault);
            problem.status == common::ExitStatus::wrongUse)
            return problem;
    return describeLayout(table(), request, locale);
}

bool LayoutDocument::samePlaces(const LayoutDocument &other) const {
    return layout() == other.layout() && m_moved == other.m_moved;
}

bool LayoutDocument::readsBack() const {
    QTemporaryFile written;
    if (!written.open() || written.write(layoutFileText(file())) < 0 || !written.flush())
        return true; // nothing to tell by
    return static_cast<bool>(readLayoutFile(written.fileName()));
}

common::Result<std::size_t> LayoutDocument::add(std::optional<std::size_t> after) {
    if (m_records.size() >= static_cast<std::size_t>(mostLayoutEntries))
        return common::Problem{messages::layoutTooManyEntries(mostLayoutEntries),
                               common::ExitStatus::wrongUse};
    const std::size_t row = after ? std::min(*after + 1, m_records.size()) : m_records.size();
    Point centre{0, 0};
    if (row > 0)
        centre = {m_records[row - 1].entry.centre.x + 50, m_records[row - 1].entry.centre.y};
    if (!isLayoutNumber(centre.x))
        centre.x -= 100;
    int count = 1;
    const auto taken = [&](const QString &name) {
        return std::ranges::any_of(m_records,
                                   [&](const LayoutRecord &each) { return each.name == name; });
    };
    while (taken(messages::layoutEntryName(false, count)))
        ++count;
    const LayoutDocument before = *this;
    m_records.insert(m_records.begin() + static_cast<std::ptrdiff_t>(row),
                     {{LayoutEntry::Kind::toothed, centre, 20},
                      messages::layoutEntryName(false, count),
                      0,
                      {},
                      {},
                      {}});
    if (!readsBack()) {
        *this = before;
        return common::Problem{messages::layoutNotReadBack(), common::ExitStatus::wrongUse};
    }
    m_stopped.clear();
    fitBelt();
    return row;
}

void LayoutDocument::remove(std::size_t row) {
    if (row >= m_records.size())
        return;
    if (m_records[row].travel)
        m_moved.reset();
    if (row + 1 < m_records.size()) {
        std::vector<LayoutNote> &next = m_records[row + 1].above;
        next.insert(next.begin(), m_records[row].above.begin(), m_records[row].above.end());
    } else {
        m_below.insert(m_below.begin(), m_records[row].above.begin(), m_records[row].above.end());
    }
    m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(row));
    m_stopped.clear();
    fitBelt();
}

bool LayoutDocument::move(std::size_t row, int by) {
    const auto to = static_cast<std::ptrdiff_t>(row) + by;
    if (row >= m_records.size() || to < 0 || to >= static_cast<std::ptrdiff_t>(m_records.size()))
        return false;
    // The lines above stay where they are in the file; the entry and its comment move.
    LayoutRecord &from = m_records[row], &other = m_records[static_cast<std::size_t>(to)];
    std::swap(from.above, other.above);
    std::swap(from, other);
    m_stopped.clear();
    fitBelt();
    return true;
}

std::optional<QString> LayoutDocument::setCell(std::size_t row, LayoutColumn column,
                                               const QString &typed) {
    LayoutRecord &record = m_records.at(row);
    const LayoutDocument before = *this;
    if (column == LayoutColumn::name) {
        const QString name = typed.trimmed();
        if (!isLayoutName(name))
            return messages::layoutBadName();
        for (std::size_t other = 0; other < m_records.size(); ++other)
            if (other != row && m_records[other].name == name)
                return messages::layoutNameTwice(name, static_cast<int>(other) + 1);
        record.name = name;
        if (!readsBack()) {
            *this = before;
            return messages::layoutNotReadBack();
        }
    } else if (column == LayoutColumn::idler) {
        return std::nullopt;
    } else {
        if (const std::optional<std::size_t> moving = movable(); column == LayoutColumn::travel &&
                                                                 moving && *moving != row &&
                                                                 !typed.trimmed().isEmpty())
            return messages::layoutTwoMovable(static_cast<int>(*moving) + 1);
        LayoutEntry entry = record.entry;
        std::optional<Travel> travel = record.travel;
        if (std::optional<QString> wrong = readLayoutCell(column, typed, row, entry, travel))
            return wrong;
        record.entry = entry;
        if (column == LayoutColumn::travel) {
            record.travel = travel;
            m_moved.reset();
        } else if (column == LayoutColumn::size && entry.kind == LayoutEntry::Kind::clamp) {
            if (std::exchange(record.travel, std::nullopt)) // a clamp does not move
                m_moved.reset();
        }
    }
    if (m_records == before.m_records)
        return std::nullopt;
    m_stopped.clear();
    fitBelt();
    return std::nullopt;
}

void LayoutDocument::setIdler(std::size_t row, bool idler) {
    if (m_records.at(row).entry.idler == idler)
        return;
    m_records[row].entry.idler = idler;
    m_stopped.clear();
}

std::optional<QString> LayoutDocument::setProfile(const QString &typed) {
    const std::optional<geometry::ProfileChoice> read =
        geometry::readProfile(typed.trimmed().toStdString());
    if (!read || !geometry::hasValidWidth(*read))
        return messages::layoutUnknownProfile(typed.trimmed());
    if (read->profile == m_profile.profile && read->width == m_profile.width)
        return std::nullopt;
    m_profile = *read;
    m_fileProfile = *read;
    m_belt.reset();
    m_moved.reset();
    m_stopped.clear();
    return std::nullopt;
}

common::Result<std::int64_t> LayoutDocument::readBelt(const QString &typed,
                                                      const QLocale &locale) const {
    const common::Result<LayoutBelt> belt = readLayoutBelt(typed, locale);
    if (!belt)
        return belt.problem();
    return layoutBeltTeeth(*belt, m_profile, locale);
}

std::vector<Point> LayoutDocument::beltPlaces(const std::optional<QString> &stock) const {
    std::vector<Point> places;
    if (!m_belt || !movable())
        return places;
    const common::Result<LayoutDescription> found = describe(request(stock), QLocale());
    if (found && !found->misfit)
        for (const LayoutPlace &place : found->places)
            places.push_back(*place.moved);
    return places;
}

void LayoutDocument::chooseBelt(std::optional<std::int64_t> teeth, std::optional<Point> near,
                                const std::optional<QString> &stock) {
    m_belt = teeth;
    m_stopped.clear();
    const std::vector<Point> places = beltPlaces(stock);
    if (places.empty())
        return;
    const std::size_t entry = *movable();
    const Point now = near.value_or(m_moved.value_or(m_records[entry].entry.centre));
    m_moved = std::ranges::min(places, {}, [&](Point place) { return distance(place, now); });
}

void LayoutDocument::placeMovable(Point at) {
    m_moved = at;
    m_stopped.clear();
}

std::optional<LayoutDocument::BeltNote>
LayoutDocument::beltNote(const std::optional<QString> &stock, const QLocale &locale) const {
    if (!m_belt)
        return std::nullopt;
    const common::Result<LayoutDescription> found = describe(request(stock), locale);
    if (!found)
        return BeltNote{found.problem().message, true};
    if (found->misfit)
        return BeltNote{*found->misfit, true};
    if (!movable() || !m_moved || found->places.empty())
        return std::nullopt;
    const auto at = std::ranges::find_if(
        found->places, [&](const LayoutPlace &place) { return place.moved == m_moved; });
    if (at == found->places.end())
        return std::nullopt; // moved off the belt's places, by hand
    const auto shown = [&](double value) {
        return QString::fromStdString(
            geometry::formatNumber(value, "0.00", locale.decimalPoint().toStdString()));
    };
    return BeltNote{
        messages::layoutBeltPlace(QString::fromStdString(geometry::beltName(m_profile, *m_belt)),
                                  shown(m_moved->x), shown(m_moved->y),
                                  static_cast<int>(at - found->places.begin()) + 1,
                                  static_cast<int>(found->places.size())),
        false, found->places.size()};
}

// With a belt chosen, the movable entry sent to the fit nearest where it stands; false where
// the belt fits nowhere, and the entry left.
bool LayoutDocument::fitBelt() {
    const geometry::Layout there = layout();
    if (!m_belt || !there.travel)
        return true;
    const Point now = m_moved.value_or(there.entries[there.travel->entry].centre);
    const std::vector<geometry::Placement> fits =
        geometry::placementsForLength(there, static_cast<double>(*m_belt) * there.profile->pitch);
    if (fits.empty())
        return false;
    m_moved = std::ranges::min(fits, {}, [&](const geometry::Placement &fit) {
                  return distance(fit.centre, now);
              }).centre;
    return true;
}

// The entry asked to a centre, a movable one held to its travel, another to the hundredth that
// the table shows and within the numbers a file holds; with fit, the belt chosen fitted again.
LayoutDocument::Placed LayoutDocument::place(std::size_t entry, Point centre, bool fit) {
    if (m_records[entry].travel) {
        m_moved = onTravel(layout(), centre);
        return Placed::yes;
    }
    const Point there{std::round(centre.x * 100) / 100, std::round(centre.y * 100) / 100};
    if (!isLayoutNumber(there.x) || !isLayoutNumber(there.y))
        return Placed::beyondFile;
    m_records[entry].entry.centre = there;
    return !fit || fitBelt() ? Placed::yes : Placed::noFit;
}

void LayoutDocument::moveToward(std::size_t entry, Point centre, int wholeTries,
                                std::optional<double> &unsure,
                                const std::optional<QString> &stock) {
    if (entry >= m_records.size())
        return;
    const auto builds = [](const LayoutDocument &document) {
        return std::holds_alternative<geometry::BeltPath>(document.path());
    };
    // From a layout that cannot be built there is no last buildable place to stop at.
    const bool buildable = builds(*this);
    const Point from = m_records[entry].travel ? m_moved.value_or(m_records[entry].entry.centre)
                                               : m_records[entry].entry.centre;
    LayoutDocument next = *this;
    const Placed placed = next.place(entry, centre, true);
    if (placed != Placed::beyondFile && (!buildable || (placed == Placed::yes && builds(next)))) {
        unsure.reset();
        *this = std::move(next);
        m_stopped.clear();
        return;
    }
    // The last buildable place on the way from where it stands, by halving the step to the
    // hundredth of a millimetre that the table shows. A whole try solves the belt's fit again and
    // costs a tenth of a frame: the way is halved first on the layout alone, the movable entry
    // held, which finds where the belt would leave a pulley or cross itself; only where the belt
    // then fits no more is it halved whole, at most wholeTries times.
    const auto at = [&](double share) {
        return Point{from.x + share * (centre.x - from.x), from.y + share * (centre.y - from.y)};
    };
    const auto buildsAt = [&](double share, bool fit) {
        LayoutDocument tried = *this;
        return tried.place(entry, at(share), fit) == Placed::yes && builds(tried);
    };
    constexpr double resolution = 0.01; // mm
    const double way = distance(centre, from);
    const auto halve = [&](double &good, double &bad, bool fit, int tries) {
        while ((bad - good) * way > resolution && tries-- > 0) {
            const double half = (good + bad) / 2;
            (buildsAt(half, fit) ? good : bad) = half;
        }
    };
    double good = 0, bad = 1;
    // Pushed on from where it last stopped, the edge lies within what that stop left unsure:
    // tried there first, the stop closes in on the edge frame by frame, and a pulley at the edge
    // costs one try.
    if (unsure && way > resolution) {
        const double near = std::min(1.0, std::max(*unsure, resolution) / way);
        (buildsAt(near, true) ? good : bad) = near;
    }
    if ((bad - good) * way > resolution) {
        double alone = good, unbuilt = bad;
        if (!buildsAt(unbuilt, false))
            halve(alone, unbuilt, false, exactly);
        else
            alone = unbuilt; // the belt's fit stops it, not the layout
        if (alone < bad && alone > good && buildsAt(alone, true)) {
            good = alone;
            bad = unbuilt;
        } else {
            bad = std::max(alone, good + resolution / way);
            halve(good, bad, true, wholeTries);
        }
    }
    LayoutDocument stopped = *this;
    if (good > 0)
        stopped.place(entry, at(good), true);
    // Why it stops: past the numbers a file holds, the fault just past the place, or a belt that
    // fits nowhere, which the description finds as it fits the belt.
    LayoutDocument past = stopped;
    QString why;
    if (past.place(entry, at(bad), false) == Placed::beyondFile) {
        why = messages::layoutBeyondFile();
    } else if (const auto faulty = past.path();
               const auto *fault = std::get_if<geometry::LayoutFault>(&faulty)) {
        why = past.faultProblem(*fault).message;
    } else if (const common::Result<LayoutDescription> found =
                   past.describe(past.request(stock), QLocale());
               !found) {
        why = found.problem().message;
    }
    *this = std::move(stopped);
    unsure = (bad - good) * way;
    m_stopped = why.isEmpty() ? QString() : messages::layoutDragStopped(why);
}

void LayoutDocument::nudge(std::size_t entry, Point step, const std::optional<QString> &stock) {
    if (entry >= m_records.size())
        return;
    const LayoutRecord &record = m_records[entry];
    Point asked{record.entry.centre.x + step.x, record.entry.centre.y + step.y};
    if (const std::optional<Travel> &travel = record.travel) {
        // Along the travel: right and up forward, left and down back.
        const Point now = m_moved.value_or(record.entry.centre);
        const double by = step.x + step.y;
        if (travel->kind == Travel::Kind::slot) {
            const Point start = record.entry.centre;
            const double length = distance(travel->end, start);
            if (length == 0)
                return;
            asked = {now.x + by * (travel->end.x - start.x) / length,
                     now.y + by * (travel->end.y - start.y) / length};
        } else {
            const double arm = distance(now, travel->pivot);
            const double angle =
                std::atan2(now.y - travel->pivot.y, now.x - travel->pivot.x) + by / arm;
            asked = {travel->pivot.x + arm * std::cos(angle),
                     travel->pivot.y + arm * std::sin(angle)};
        }
    }
    std::optional<double> unsure;
    moveToward(entry, asked, exactly, unsure, stock);
}

} // namespace cli
