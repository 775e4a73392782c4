#pragma once

#include "cli/drive_ratings.h"
#include "cli/rows.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <QThreadPool>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace designer {

using Drives = cli::Drives;

using cli::PowerAsked;
using cli::Ratings;

// The drives found, with their ratings where a power is asked.
struct RatedDrives {
    Drives drives;
    std::optional<Ratings> ratings;
};

// The drives found, one a row, in the columns of the command line's table and its numbers'
// decimals, in the user's format. Rows come in the command line's order; a sort on screen
// reorders only the view of them. A smaller pulley below its profile's recommended smallest,
// and too few teeth in mesh, are marked in the row; with ratings, a last column has each
// belt's, marked where it falls short of the power.
//
// A sort of a long table runs on a worker and the rows change order when it is done, their
// selection kept, so that the window keeps answering; a newer sort or new rows stop it.
class DriveTable : public QAbstractTableModel {
    Q_OBJECT
public:
    // The columns, in this order; the speeds' after the ratio when the rows have them, as the
    // command line's table has them: which pulley drives and both shafts' speeds, or the
    // larger pulley's from the smaller's.
    enum Column {
        larger,
        smaller,
        ratio,
        belt,
        teeth,
        distance,
        teethInMesh,
        difference,
        driving,
        drivingSpeed,
        drivenSpeed,
        largerSpeed,
        rating
    };
    // The value a column sorts by, under this role.
    static constexpr int sortRole = Qt::UserRole;

    // Tables up to this many rows sort at once, in about 2 ms of work here; longer ones on a
    // worker.
    static constexpr std::size_t sortedAtOnce = 20'000;

    explicit DriveTable(QObject *parent = nullptr);
    ~DriveTable() override;

    void setDrives(Drives drives, std::optional<Ratings> ratings = std::nullopt);
    // The rows' ratings, in the rows' order, where a power was asked.
    std::shared_ptr<const Ratings> sharedRatings() const { return m_rated ? m_ratings : nullptr; }
    void clear();
    // The drive shown at this row of the table as it is sorted now.
    const geometry::Design &drive(int row) const;
    const Drives &drives() const { return *m_drives; }
    // The same rows, to read on another thread while new ones may come.
    std::shared_ptr<const Drives> sharedDrives() const { return m_drives; }
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
    // What a column of the table shows, one of Column.
    int kindOf(int column) const { return m_columns[static_cast<std::size_t>(column)]; }
    QString text(const geometry::Design &drive, int kind) const;
    QString text(std::size_t row, int kind) const;
    bool smallPulley(const geometry::Design &drive) const;
    bool fewInMesh(const geometry::Design &drive) const;
    bool flangesClash(const geometry::Design &drive) const;
    // The rating's figure of a row of m_drives, and whether it falls short.
    double ratingOf(std::size_t row) const { return m_ratings->values[row]; }
    bool shortOfPower(std::size_t row) const;
    QString ratingLegend() const;
    QString flangesLegend() const;
    // The rows in a new order; rowOf: where each row of m_drives now stands.
    void showSorted(std::vector<int> order, const std::vector<int> &rowOf);

    // Shared with a sort on the worker, which reads them while new ones may come.
    std::shared_ptr<const Drives> m_drives;
    std::shared_ptr<const Ratings> m_ratings; // no values without a power
    bool m_rated = false;
    std::vector<int> m_order;                    // the rows of m_drives in the order shown
    std::vector<int> m_columns;                  // what each column shows
    std::vector<std::size_t> m_widestRow;        // the row of each column's largest value
    std::atomic<std::uint64_t> m_latestSort = 0; // a sort that is not the latest stops
    QThreadPool m_sorter;                        // one thread: a stopped sort ends first
    bool m_anyFewInMesh = false, m_anySmallPulley = false, m_anyFlangesClash = false,
         m_anyShortOfPower = false;
    QLocale m_locale;
    std::string m_separator;
};

} // namespace designer
