#pragma once

#include "cli/rows.h"

#include <QAbstractTableModel>
#include <QLocale>

namespace designer {

using Drives = cli::Drives;

// The drives found, one a row, in the columns of the command line's table and its numbers'
// decimals, in the user's format. Rows come in the command line's order; a sort on screen
// reorders only the view of them. A smaller pulley below its profile's recommended smallest,
// and too few teeth in mesh, are marked in the row.
class DriveTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { larger, smaller, ratio, belt, teeth, distance, teethInMesh, difference };
    // The value a column sorts by, under this role.
    static constexpr int sortRole = Qt::UserRole;

    explicit DriveTable(QObject *parent = nullptr);

    void setDrives(Drives drives);
    void clear();
    // The drive shown at this row of the table as it is sorted now.
    const geometry::Design &drive(int row) const;
    const Drives &drives() const { return m_drives; }
    // The cells of a row as shown, separated by tabs.
    QString rowText(int row) const;
    // The widest text of a column over every row, near enough to size it: that of the
    // largest value, with a mark if any row is marked.
    QString widestText(int column) const;
    // What the marks that the rows carry mean, a line for each kind.
    QStringList legend() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    QString text(const geometry::Design &drive, int column) const;
    double sortValue(const geometry::Design &drive, int column) const;
    bool smallPulley(const geometry::Design &drive) const;
    bool fewInMesh(const geometry::Design &drive) const;

    Drives m_drives;
    std::vector<int> m_order; // the rows of m_drives in the order shown
    bool m_anyFewInMesh = false, m_anySmallPulley = false;
    QLocale m_locale;
    std::string m_separator;
};

} // namespace designer
