#pragma once

#include "cli/drive_ratings.h"
#include "cli/rows.h"
#include "geometry/belt_profile.h"
#include "geometry/belt_search.h"

#include <QLocale>
#include <QStringList>
#include <QTextStream>

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace cli {

// A difference from a wanted value with two decimals: "+" before a positive one, none
// before zero.
QString signedDifference(double value, std::string_view decimalSeparator);

// The rows a table shows unless asked for every one.
inline constexpr qsizetype firstRows = 20;

// The one writer of the program's answers, the command line's and the designer's exports alike:
// numbers as the window shows them, in the user's format, or with "." for a spreadsheet;
// tables in columns, or comma-separated values with a heading row.
class Writer {
public:
    Writer(QTextStream &out, bool csv, const QLocale &locale, geometry::ProfileChoice profile);
    ~Writer() { flush(); }
    Writer(const Writer &) = delete;
    Writer &operator=(const Writer &) = delete;

    bool csv() const { return m_csv; }
    // The decimal separator that numbers are written with.
    const std::string &separator() const { return m_separator; }
    // Whether writing has failed: rows not yet written are not asked.
    bool failed() const { return m_out.status() != QTextStream::Ok; }
    QTextStream &stream() {
        flush();
        return m_out;
    }

    QString number(double value, const char *pattern) const;
    QString twoDecimals(double value) const { return number(value, "0.00"); }
    // A belt's code as the user types it back: its decimals, if any, in the user's format.
    QString code(double value) const { return number(value, "0.#"); }
    // As few decimals as tell the value, with the digits 0 to 9 that the reader reads.
    QString shortest(double value) const;
    QString difference(double value) const { return signedDifference(value, m_separator); }
    // A length with its unit, which a spreadsheet has in the column's heading instead.
    QString millimetres(const QString &value) const;
    QString heading(const QString &name, const char *unit = nullptr) const;

    // One line of a table: comma-separated, or in columns of these widths (the last one's
    // for every further column), wide enough for long numbers.
    void row(const QStringList &cells, std::span<const int> widths = beltColumns);
    // The rows of long tables, thousands of them, written cell by cell without Qt's strings:
    // begin a row, add its cells, end it.
    void beginRow(std::span<const int> widths = beltColumns);
    void cell(std::int64_t whole);
    void cell(std::string_view text);
    void cellFixed(double value, int decimals, bool millimetres = false);
    void cellBelt(std::int64_t teeth);  // as printed (150XL037), its code alone for a spreadsheet
    void cellTeethInMesh(double teeth); // marked when too few, with a legend at the end
    void cellCentreDistance(const geometry::OpenDrive &drive); // marked when flanges clash
    void cellSmallerPulley(std::int64_t teeth); // marked below the profile's recommended smallest
    void endRow();
    // For a spreadsheet, whose rows often begin with the same cells: the row so far, to be
    // written again as it stands into a later row, with the number of cells it holds.
    std::string rowSoFar() const { return m_pending.substr(m_rowStart); }
    void cellsAsWritten(std::string_view cells, std::size_t count);
    // The tables of made belts: their headings, and a row for each belt, with its difference
    // from the wanted distance when there is one.
    void beltHeadings(bool withDifference);
    void beltRow(const geometry::Belt &belt, std::optional<double> wanted = std::nullopt);
    void legend();

    // Whole answers: the belts on two pulleys, a design search's drives (the first 20 and how
    // many more, unless all are asked or for a spreadsheet), or the drives as found; with
    // their ratings, a last column of them and the legend of the rows that fall short; one
    // drive's details.
    void belts(const Drives &drives, const Ratings *ratings = nullptr);
    void designs(const Drives &drives, bool all, const Ratings *ratings = nullptr);
    void drives(const Drives &drives, const Ratings *ratings = nullptr) {
        drives.ofPairs ? designs(drives, true, ratings) : belts(drives, ratings);
    }
    void details(const std::vector<DetailLine> &lines);
    // A layout's table: a heading, with a first column that numbers the solutions in a
    // spreadsheet; a row per entry, its teeth in mesh marked when too few on a pulley that
    // carries load; and the legend of that mark. Its pitch length, in the line that follows.
    // A spreadsheet's rows go on with the belt's loads: more, their headings and cells.
    void layoutHeadings(bool numbered, const QStringList &more = {});
    void layoutRow(const LayoutRow &row, std::optional<int> solution, const QStringList &more = {});
    void layoutLegend();
    void pitchLength(double length);
    // Made belts for a layout: each with its difference from the path, or with the movable
    // entry's centre where it fits; the first 20 unless all are asked or for a spreadsheet.
    // unsolved: the belts that fit past the rows, left unsolved, counted with those not shown.
    void layoutBelts(const std::vector<LayoutBeltRow> &rows, bool placed, bool all,
                     qint64 unsolved = 0);

    static constexpr int beltColumns[] = {18, 6, 14, 14};
    static constexpr int layoutColumns[] = {14, 18, 12, 14, 12};

private:
    // Rows of long tables wait here and go to the stream in large pieces, straight to its
    // device when it has one: a stream converts its text a piece at a time, at a cost for
    // each.
    void flush();
    void beginCell() {
        if (m_csv && m_column++ > 0)
            m_pending += ',';
        else if (!m_csv)
            beginColumn();
        m_cellStart = m_pending.size();
    }
    void beginColumn();
    QString ratingHeading(const Ratings &ratings) const;
    void cellRating(const Ratings &ratings, std::size_t row);
    void ratingLegend(const Ratings &ratings);

    std::string m_pending;
    std::span<const int> m_widths;
    std::size_t m_column = 0, m_cellStart = 0, m_rowStart = 0;
    QTextStream &m_out;
    bool m_csv;
    std::string m_separator;
    QLocale m_locale;
    geometry::ProfileChoice m_profile;
    bool m_marked = false, m_smallPulley = false, m_flangesClash = false, m_fewOnLoad = false,
         m_shortOfPower = false;
};

} // namespace cli
