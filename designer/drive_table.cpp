#include "designer/drive_table.h"

#include "cli/writer.h"
#include "common/messages.h"
#include "geometry/design.h"
#include "geometry/loads.h"
#include "geometry/number_text.h"
#include "geometry/open_drive.h"

#include <QBrush>
#include <QColor>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>

namespace designer {

namespace {

// The marks after a figure that the designer should look at twice, as the command line
// marks them.
const QString fewInMeshMark = QStringLiteral(" *");
const QString smallPulleyMark = QStringLiteral(" †");
const QString flangesMark = QStringLiteral(" ‡");
const QString shortOfPowerMark = QStringLiteral(" §");

// The speed of the shaft that does not drive, or of the larger pulley, in turns a minute.
double otherSpeed(const Drives::Speeds &speeds, const geometry::Design &drive) {
    const auto larger = static_cast<double>(drive.larger),
               smaller = static_cast<double>(drive.smaller);
    return speeds.largerDrives ? speeds.driving * larger / smaller
                               : speeds.driving * smaller / larger;
}

double sortValue(const Drives &drives, const geometry::Design &drive, int kind) {
    switch (kind) {
    case DriveTable::driving:
        return drives.speeds->largerDrives ? 1 : 0;
    case DriveTable::drivingSpeed:
        return drives.speeds->driving;
    case DriveTable::drivenSpeed:
    case DriveTable::largerSpeed:
        return otherSpeed(*drives.speeds, drive);
    case DriveTable::larger:
        return static_cast<double>(drive.larger);
    case DriveTable::smaller:
        return static_cast<double>(drive.smaller);
    case DriveTable::ratio:
        return drive.ratio;
    case DriveTable::belt:
    case DriveTable::teeth:
        return static_cast<double>(drive.belt.teeth);
    case DriveTable::distance:
        return drive.belt.drive.centreDistance;
    case DriveTable::teethInMesh:
        return drive.belt.drive.teethInMesh;
    default: // the nearer first, whichever side
        return std::abs(drive.belt.drive.centreDistance - *drives.wanted);
    }
}

struct Key {
    double value; // negated for a descending sort
    int row;      // ties keep the command line's order
    bool operator<(const Key &other) const {
        return value != other.value ? value < other.value : row < other.row;
    }
};

struct Sorted {
    std::vector<int> order; // the rows of the drives in the new order
    std::vector<int> rowOf; // where each row of the drives now stands
};

// The drives sorted by a column, or nothing once the sort is no longer the latest: sorted in
// runs, then merged in passes, each a few milliseconds' work at most between two looks at
// latest.
std::optional<Sorted> sortDrives(const Drives &drives, const std::vector<double> &ratings, int kind,
                                 Qt::SortOrder order, const std::atomic<std::uint64_t> &latest,
                                 std::uint64_t mine) {
    const auto stopped = [&] { return latest.load(std::memory_order_relaxed) != mine; };
    const std::size_t count = drives.rows.size();
    std::vector<Key> keys(count);
    const double sign = order == Qt::AscendingOrder ? 1 : -1;
    for (std::size_t row = 0; row < count; ++row) // a drive that cannot be rated lowest
        keys[row] = {sign * (kind == DriveTable::rating
                                 ? (std::isnan(ratings[row]) ? -1 : ratings[row])
                                 : sortValue(drives, drives.rows[row], kind)),
                     static_cast<int>(row)};
    constexpr std::size_t run = 16'384;
    for (std::size_t first = 0; first < count; first += run) {
        if (stopped())
            return std::nullopt;
        std::sort(keys.begin() + static_cast<std::ptrdiff_t>(first),
                  keys.begin() + static_cast<std::ptrdiff_t>(std::min(first + run, count)));
    }
    std::vector<Key> merged(count);
    const auto at = [&](std::size_t i) {
        return keys.begin() + static_cast<std::ptrdiff_t>(std::min(i, count));
    };
    for (std::size_t width = run; width < count; width *= 2) {
        for (std::size_t first = 0; first < count; first += 2 * width) {
            if (stopped())
                return std::nullopt;
            std::merge(at(first), at(first + width), at(first + width), at(first + 2 * width),
                       merged.begin() + static_cast<std::ptrdiff_t>(first));
        }
        keys.swap(merged);
    }
    Sorted sorted{std::vector<int>(count), std::vector<int>(count)};
    for (std::size_t row = 0; row < count; ++row) {
        sorted.order[row] = keys[row].row;
        sorted.rowOf[static_cast<std::size_t>(keys[row].row)] = static_cast<int>(row);
    }
    return sorted;
}

std::vector<int> columnsOf(const Drives &drives, bool rated) {
    std::vector<int> columns{DriveTable::larger, DriveTable::smaller, DriveTable::ratio};
    if (drives.speeds && drives.speeds->shafts)
        columns.insert(columns.end(),
                       {DriveTable::driving, DriveTable::drivingSpeed, DriveTable::drivenSpeed});
    else if (drives.speeds)
        columns.push_back(DriveTable::largerSpeed);
    columns.insert(columns.end(), {DriveTable::belt, DriveTable::teeth, DriveTable::distance,
                                   DriveTable::teethInMesh});
    if (drives.wanted)
        columns.push_back(DriveTable::difference);
    if (rated)
        columns.push_back(DriveTable::rating);
    return columns;
}

} // namespace

DriveTable::DriveTable(QObject *parent)
    : QAbstractTableModel(parent), m_drives(std::make_shared<const Drives>()),
      m_ratings(std::make_shared<const Ratings>()), m_columns(columnsOf(*m_drives, false)),
      m_separator(m_locale.decimalPoint().toStdString()) {
    m_sorter.setMaxThreadCount(1);
}

DriveTable::~DriveTable() {
    ++m_latestSort; // the worker's sort stops, and the pool waits for it
}

void DriveTable::setDrives(Drives drives, std::optional<Ratings> ratings) {
    ++m_latestSort;
    beginResetModel();
    m_drives = std::make_shared<const Drives>(std::move(drives));
    m_rated = ratings.has_value();
    m_ratings = std::make_shared<const Ratings>(ratings ? std::move(*ratings) : Ratings{});
    m_order.resize(m_drives->rows.size());
    m_columns = columnsOf(*m_drives, m_rated);
    std::iota(m_order.begin(), m_order.end(), 0);
    // One pass over up to a million rows: a pass for each column and mark took the window's
    // thread 50 ms more.
    m_anyFewInMesh = m_anySmallPulley = m_anyFlangesClash = false;
    m_widestRow.assign(m_columns.size(), 0);
    std::vector<double> widest(m_columns.size(), -std::numeric_limits<double>::infinity());
    for (std::size_t row = 0; row < m_drives->rows.size(); ++row) {
        const geometry::Design &drive = m_drives->rows[row];
        m_anyFewInMesh = m_anyFewInMesh || fewInMesh(drive);
        m_anySmallPulley = m_anySmallPulley || smallPulley(drive);
        m_anyFlangesClash = m_anyFlangesClash || flangesClash(drive);
        for (std::size_t column = 0; column < m_columns.size(); ++column) {
            const int kind = m_columns[column];
            if (kind == rating)
                continue;
            const double value = sortValue(*m_drives, drive, kind);
            if (const double width = kind == difference ? std::abs(value) : value;
                width > widest[column]) {
                widest[column] = width;
                m_widestRow[column] = row;
            }
        }
    }
    m_anyShortOfPower = false;
    for (std::size_t row = 0; row < m_ratings->values.size() && !m_anyShortOfPower; ++row)
        m_anyShortOfPower = shortOfPower(row);
    endResetModel();
}

void DriveTable::clear() {
    setDrives({});
}

const geometry::Design &DriveTable::drive(int row) const {
    return m_drives->rows[static_cast<std::size_t>(m_order[static_cast<std::size_t>(row)])];
}

int DriveTable::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_order.size());
}

int DriveTable::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

bool DriveTable::smallPulley(const geometry::Design &drive) const {
    return m_drives->profile.profile && drive.smaller < m_drives->profile.profile->smallestPulley;
}

bool DriveTable::fewInMesh(const geometry::Design &drive) const {
    return drive.belt.drive.teethInMesh < geometry::fewestTeethInMesh;
}

bool DriveTable::flangesClash(const geometry::Design &drive) const {
    const geometry::BeltProfile *profile = m_drives->profile.profile;
    return profile &&
           geometry::outsideGap(*profile, drive.belt.drive) < geometry::flangeRoom(*profile);
}

bool DriveTable::shortOfPower(std::size_t row) const {
    return cli::fallsShort(*m_ratings, row);
}

QString DriveTable::text(std::size_t row, int kind) const {
    if (kind != rating)
        return text(m_drives->rows[row], kind);
    return cli::ratingCell(*m_ratings, row, m_drives->profile, m_separator) +
           (shortOfPower(row) ? shortOfPowerMark : QString());
}

QString DriveTable::text(const geometry::Design &drive, int kind) const {
    const auto fixed = [&](double value, const char *pattern) {
        return QString::fromStdString(geometry::formatNumber(value, pattern, m_separator));
    };
    switch (kind) {
    case driving:
        return m_drives->speeds->largerDrives ? QStringLiteral("maggiore")
                                              : QStringLiteral("minore");
    case drivingSpeed:
        return fixed(m_drives->speeds->driving, "0.0");
    case drivenSpeed:
    case largerSpeed:
        return fixed(otherSpeed(*m_drives->speeds, drive), "0.0");
    case larger:
        return QString::number(drive.larger);
    case smaller:
        return QString::number(drive.smaller) + (smallPulley(drive) ? smallPulleyMark : QString());
    case ratio:
        return fixed(drive.ratio, "0.000");
    case belt:
        return QString::fromStdString(geometry::beltName(m_drives->profile, drive.belt.teeth));
    case teeth:
        return QString::number(drive.belt.teeth);
    case distance:
        return fixed(drive.belt.drive.centreDistance, "0.00") +
               (flangesClash(drive) ? flangesMark : QString());
    case teethInMesh:
        return fixed(drive.belt.drive.teethInMesh, "0.00") +
               (fewInMesh(drive) ? fewInMeshMark : QString());
    default:
        return cli::signedDifference(drive.belt.drive.centreDistance - *m_drives->wanted,
                                     m_separator);
    }
}

QVariant DriveTable::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    const auto row = static_cast<std::size_t>(m_order[static_cast<std::size_t>(index.row())]);
    const geometry::Design &shown = m_drives->rows[row];
    const int column = kindOf(index.column());
    const bool marked =
        (column == smaller && smallPulley(shown)) || (column == teethInMesh && fewInMesh(shown)) ||
        (column == distance && flangesClash(shown)) || (column == rating && shortOfPower(row));
    switch (role) {
    case Qt::DisplayRole:
        return text(row, column);
    case sortRole:
        return column == rating ? ratingOf(row) : sortValue(*m_drives, shown, column);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return marked ? QVariant(QBrush(QColor(255, 236, 179))) : QVariant();
    case Qt::ToolTipRole:
        if (column == teethInMesh && fewInMesh(shown))
            return messages::fewTeethInMeshLegend();
        if (column == smaller && smallPulley(shown))
            return messages::smallPulleyLegend(
                QString::fromStdString(geometry::profileName(m_drives->profile)),
                m_drives->profile.profile->smallestPulley);
        if (column == distance && flangesClash(shown))
            return flangesLegend();
        if (column == rating && shortOfPower(row))
            return ratingLegend();
        return {};
    default:
        return {};
    }
}

QVariant DriveTable::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char *const headings[] = {"Maggiore",       "Minore",          "M/m",
                                           "Cinghia",        "Denti",           "Interasse (mm)",
                                           "Denti in presa", "Differenza (mm)", "Motrice",
                                           "Giri motrice",   "Giri condotta",   "Giri maggiore"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (kindOf(section) == rating)
        return cli::ratingHeading(*m_ratings);
    return QString::fromUtf8(headings[kindOf(section)]);
}

void DriveTable::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount())
        return;
    const std::uint64_t mine = ++m_latestSort;
    const int kind = kindOf(column);
    if (m_order.size() <= sortedAtOnce) {
        Sorted sorted = *sortDrives(*m_drives, m_ratings->values, kind, order, m_latestSort, mine);
        showSorted(std::move(sorted.order), sorted.rowOf);
        return;
    }
    m_sorter.start([this, drives = m_drives, ratings = m_ratings, kind, order, mine] {
        std::optional<Sorted> sorted =
            sortDrives(*drives, ratings->values, kind, order, m_latestSort, mine);
        if (!sorted)
            return;
        QMetaObject::invokeMethod(
            this,
            [this, mine, sorted = std::move(*sorted)]() mutable {
                if (mine == m_latestSort)
                    showSorted(std::move(sorted.order), sorted.rowOf);
            },
            Qt::QueuedConnection);
    });
}

void DriveTable::showSorted(std::vector<int> order, const std::vector<int> &rowOf) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &was : before)
        after << index(
            rowOf[static_cast<std::size_t>(m_order[static_cast<std::size_t>(was.row())])],
            was.column());
    m_order = std::move(order);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QString DriveTable::widestText(int shownColumn) const {
    if (m_drives->rows.empty())
        return {};
    const int column = kindOf(shownColumn);
    if (column == rating) { // a few characters, whatever the rows
        // Small ratings take more decimals for their figures: the longest text.
        QString widest;
        for (std::size_t row = 0; row < m_ratings->values.size(); ++row)
            if (const QString cell =
                    cli::ratingCell(*m_ratings, row, m_drives->profile, m_separator);
                cell.size() > widest.size())
                widest = cell;
        return widest + (m_anyShortOfPower ? shortOfPowerMark : QString());
    }
    QString shown =
        text(m_drives->rows[m_widestRow[static_cast<std::size_t>(shownColumn)]], column);
    if (shown.endsWith(fewInMeshMark) || shown.endsWith(smallPulleyMark) ||
        shown.endsWith(flangesMark))
        return shown;
    const bool marked = (column == smaller && m_anySmallPulley) ||
                        (column == teethInMesh && m_anyFewInMesh) ||
                        (column == distance && m_anyFlangesClash);
    return marked ? shown + fewInMeshMark : shown;
}

QString DriveTable::flangesLegend() const {
    return messages::noRoomForFlangesLegend(QString::fromStdString(geometry::formatNumber(
        geometry::flangeRoom(*m_drives->profile.profile), "0.00", m_separator)));
}

QStringList DriveTable::legend() const {
    QStringList lines;
    if (m_anyFewInMesh)
        lines << messages::fewTeethInMeshLegend();
    if (m_anySmallPulley)
        lines << messages::smallPulleyLegend(
            QString::fromStdString(geometry::profileName(m_drives->profile)),
            m_drives->profile.profile->smallestPulley);
    if (m_anyFlangesClash)
        lines << flangesLegend();
    if (m_anyShortOfPower)
        lines << ratingLegend();
    return lines;
}

QString DriveTable::ratingLegend() const {
    return cli::ratingLegend(*m_ratings, m_drives->profile, m_separator);
}

QString DriveTable::rowText(int row) const {
    QStringList cells;
    for (int column = 0; column < columnCount(); ++column)
        cells << text(static_cast<std::size_t>(m_order[static_cast<std::size_t>(row)]),
                      kindOf(column));
    return cells.join(u'\t');
}

} // namespace designer
