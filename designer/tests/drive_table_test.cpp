#include "designer/drive_table.h"
#include "geometry/belt_profile.h"

#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTest>

using designer::DriveTable;

namespace {

// A table past the size sorted at once, its rows in many ties; each row's belt code is its
// place in the command line's order.
designer::Drives manyDrives() {
    designer::Drives drives{};
    const int count = 3 * static_cast<int>(DriveTable::sortedAtOnce);
    for (int row = 0; row < count; ++row) {
        geometry::Design drive{};
        drive.larger = 10 + row % 50;
        drive.smaller = 10;
        drive.ratio = static_cast<double>(drive.larger) / 10;
        drive.belt.teeth = 100 + row * 7919 % 1000;
        drive.belt.code = row;
        drive.belt.drive.centreDistance = row * 7919 % 3001 * 0.1;
        drives.rows.push_back(drive);
    }
    return drives;
}

// The first row out of the order of this key, ties in the command line's order; -1 if none.
template <typename Key> int outOfOrder(const DriveTable &table, Key key, Qt::SortOrder order) {
    for (int row = 1; row < table.rowCount(); ++row) {
        const geometry::Design &before = table.drive(row - 1), &after = table.drive(row);
        const double first = key(before), second = key(after);
        if (first == second ? before.belt.code > after.belt.code
                            : (order == Qt::AscendingOrder) != (first < second))
            return row;
    }
    return -1;
}

const auto distance = [](const geometry::Design &d) { return d.belt.drive.centreDistance; };
const auto teeth = [](const geometry::Design &d) { return static_cast<double>(d.belt.teeth); };

} // namespace

class DriveTableTest : public QObject {
    Q_OBJECT

private slots:
    // The window goes on while a long table sorts; then the rows change order at once, and the
    // selected drive stays selected wherever it lands.
    void sortsALongTableBesideTheWindow() {
        DriveTable table;
        table.setDrives(manyDrives());
        QItemSelectionModel selection(&table);
        const int chosen = 12345;
        selection.setCurrentIndex(table.index(chosen, 0),
                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QSignalSpy sorted(&table, &QAbstractItemModel::layoutChanged);
        table.sort(DriveTable::distance, Qt::DescendingOrder);
        QCOMPARE(sorted.count(), 0);
        QVERIFY(sorted.wait());
        QCOMPARE(outOfOrder(table, distance, Qt::DescendingOrder), -1);
        std::vector<bool> seen(static_cast<std::size_t>(table.rowCount()));
        for (int row = 0; row < table.rowCount(); ++row)
            seen[static_cast<std::size_t>(table.drive(row).belt.code)] = true;
        QVERIFY(std::find(seen.begin(), seen.end(), false) == seen.end());
        const int now = selection.currentIndex().row();
        QCOMPARE(table.drive(now).belt.code, chosen);
        QVERIFY(selection.isRowSelected(now));
    }

    // A second click while the first sort runs: only its order is ever shown.
    void theLatestClickWins() {
        DriveTable table;
        table.setDrives(manyDrives());
        QSignalSpy sorted(&table, &QAbstractItemModel::layoutChanged);
        table.sort(DriveTable::distance, Qt::AscendingOrder);
        table.sort(DriveTable::teeth, Qt::DescendingOrder);
        QVERIFY(sorted.wait());
        QCOMPARE(outOfOrder(table, teeth, Qt::DescendingOrder), -1);
    }

    // Each column sized for its widest cell over every row (a mark's room kept where any row
    // has one), found in the one pass that new rows take, and not only among the first rows.
    void eachColumnFitsItsWidestCell() {
        DriveTable table;
        designer::Drives drives = manyDrives();
        drives.profile = *geometry::readProfile("5M");
        drives.wanted = 150;
        table.setDrives(std::move(drives));
        for (int column = 0; column < table.columnCount(); ++column) {
            qsizetype widest = 0;
            for (int row = 0; row < table.rowCount(); ++row)
                widest = std::max(widest, table.index(row, column).data().toString().size());
            QVERIFY2(table.widestText(column).size() >= widest,
                     qPrintable(table.widestText(column)));
        }
    }
};

QTEST_GUILESS_MAIN(DriveTableTest)
#include "drive_table_test.moc"
