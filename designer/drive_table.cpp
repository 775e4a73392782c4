#include "designer/drive_table.h"

#include "cli/writer.h"
#include "common/messages.h"
#include "geometry/number_text.h"
#include "geometry/open_drive.h"

#include <QBrush>
#include <QColor>

#include <algorithm>
#include <numeric>

namespace designer {

namespace {

// The marks after a figure that the designer should look at twice, as the command line
// marks them.
const QString fewInMeshMark = QStringLiteral(" *");
const QString smallPulleyMark = QStringLiteral(" †");

} // namespace

DriveTable::DriveTable(QObject *parent)
    : QAbstractTableModel(parent), m_separator(m_locale.decimalPoint().toStdString()) {}

void DriveTable::setDrives(Drives drives) {
    beginResetModel();
    m_drives = std::move(drives);
    m_order.resize(m_drives.rows.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    m_anyFewInMesh =
        std::ranges::any_of(m_drives.rows, [&](const auto &d) { return fewInMesh(d); });
    m_anySmallPulley =
        std::ranges::any_of(m_drives.rows, [&](const auto &d) { return smallPulley(d); });
    endResetModel();
}

void DriveTable::clear() {
    setDrives({});
}

const geometry::Design &DriveTable::drive(int row) const {
    return m_drives.rows[static_cast<std::size_t>(m_order[static_cast<std::size_t>(row)])];
}

int DriveTable::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_order.size());
}

int DriveTable::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : (m_drives.wanted ? difference + 1 : difference);
}

bool DriveTable::smallPulley(const geometry::Design &drive) const {
    return m_drives.profile.profile && drive.smaller < m_drives.profile.profile->smallestPulley;
}

bool DriveTable::fewInMesh(const geometry::Design &drive) const {
    return drive.belt.drive.teethInMesh < geometry::fewestTeethInMesh;
}

QString DriveTable::text(const geometry::Design &drive, int column) const {
    const auto fixed = [&](double value, const char *pattern) {
        return QString::fromStdString(geometry::formatNumber(value, pattern, m_separator));
    };
    switch (column) {
    case larger:
        return QString::number(drive.larger);
    case smaller:
        return QString::number(drive.smaller) + (smallPulley(drive) ? smallPulleyMark : QString());
    case ratio:
        return fixed(drive.ratio, "0.000");
    case belt:
        return QString::fromStdString(geometry::beltName(m_drives.profile, drive.belt.teeth));
    case teeth:
        return QString::number(drive.belt.teeth);
    case distance:
        return fixed(drive.belt.drive.centreDistance, "0.00");
    case teethInMesh:
        return fixed(drive.belt.drive.teethInMesh, "0.00") +
               (fewInMesh(drive) ? fewInMeshMark : QString());
    default:
        return cli::signedDifference(drive.belt.drive.centreDistance - *m_drives.wanted,
                                     m_separator);
    }
}

double DriveTable::sortValue(const geometry::Design &drive, int column) const {
    switch (column) {
    case larger:
        return static_cast<double>(drive.larger);
    case smaller:
        return static_cast<double>(drive.smaller);
    case ratio:
        return drive.ratio;
    case belt:
    case teeth:
        return static_cast<double>(drive.belt.teeth);
    case distance:
        return drive.belt.drive.centreDistance;
    case teethInMesh:
        return drive.belt.drive.teethInMesh;
    default: // the nearer first, whichever side
        return std::abs(drive.belt.drive.centreDistance - *m_drives.wanted);
    }
}

QVariant DriveTable::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    const geometry::Design &shown = drive(index.row());
    const int column = index.column();
    const bool marked =
        (column == smaller && smallPulley(shown)) || (column == teethInMesh && fewInMesh(shown));
    switch (role) {
    case Qt::DisplayRole:
        return text(shown, column);
    case sortRole:
        return sortValue(shown, column);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return marked ? QVariant(QBrush(QColor(255, 236, 179))) : QVariant();
    case Qt::ToolTipRole:
        if (column == teethInMesh && fewInMesh(shown))
            return messages::fewTeethInMeshLegend();
        if (column == smaller && smallPulley(shown))
            return messages::smallPulleyLegend(
                QString::fromStdString(geometry::profileName(m_drives.profile)),
                m_drives.profile.profile->smallestPulley);
        return {};
    default:
        return {};
    }
}

QVariant DriveTable::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char *const headings[] = {"Maggiore",       "Minore",         "M/m",
                                           "Cinghia",        "Denti",          "Interasse (mm)",
                                           "Denti in presa", "Differenza (mm)"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section > difference)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromUtf8(headings[section]);
}

void DriveTable::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> rowsBefore;
    for (const QModelIndex &index : before)
        rowsBefore.push_back(m_order[static_cast<std::size_t>(index.row())]);
    // Ties keep the command line's order.
    std::ranges::sort(m_order, [&](int a, int b) {
        const double first = sortValue(m_drives.rows[static_cast<std::size_t>(a)], column);
        const double second = sortValue(m_drives.rows[static_cast<std::size_t>(b)], column);
        if (first != second)
            return order == Qt::AscendingOrder ? first < second : first > second;
        return a < b;
    });
    std::vector<int> rowOf(m_order.size());
    for (std::size_t row = 0; row < m_order.size(); ++row)
        rowOf[static_cast<std::size_t>(m_order[row])] = static_cast<int>(row);
    QModelIndexList after;
    for (std::size_t i = 0; i < rowsBefore.size(); ++i)
        after << index(rowOf[static_cast<std::size_t>(rowsBefore[i])],
                       before[qsizetype(i)].column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QString DriveTable::widestText(int column) const {
    if (m_drives.rows.empty())
        return {};
    const auto widest = std::ranges::max_element(m_drives.rows, {}, [&](const geometry::Design &d) {
        return column == difference ? std::abs(sortValue(d, column)) : sortValue(d, column);
    });
    QString shown = text(*widest, column);
    if (shown.endsWith(fewInMeshMark) || shown.endsWith(smallPulleyMark))
        return shown;
    const bool marked =
        (column == smaller && m_anySmallPulley) || (column == teethInMesh && m_anyFewInMesh);
    return marked ? shown + fewInMeshMark : shown;
}

QStringList DriveTable::legend() const {
    QStringList lines;
    if (m_anyFewInMesh)
        lines << messages::fewTeethInMeshLegend();
    if (m_anySmallPulley)
        lines << messages::smallPulleyLegend(
            QString::fromStdString(geometry::profileName(m_drives.profile)),
            m_drives.profile.profile->smallestPulley);
    return lines;
}

QString DriveTable::rowText(int row) const {
    QStringList cells;
    for (int column = 0; column < columnCount(); ++column)
        cells << text(drive(row), column);
    return cells.join(u'\t');
}

} // namespace designer
