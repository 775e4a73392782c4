#include "cli/writer.h"

#include "common/messages.h"
#include "geometry/design.h"
#include "geometry/number_text.h"
#include "geometry/open_drive.h"

#include <QIODevice>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace cli {

Writer::Writer(QTextStream &out, bool csv, const QLocale &locale, geometry::ProfileChoice profile)
    : m_out(out), m_csv(csv), m_separator(csv ? "." : locale.decimalPoint().toStdString()),
      m_locale(locale), m_profile(std::move(profile)) {}

QString Writer::number(double value, const char *pattern) const {
    return QString::fromStdString(geometry::formatNumber(value, pattern, m_separator));
}

QString Writer::shortest(double value) const {
    return QString::number(value, 'f', QLocale::FloatingPointShortest)
        .replace(u'.', QString::fromStdString(m_separator));
}

QString signedDifference(double value, std::string_view decimalSeparator) {
    const auto shown = [&](double number) {
        return QString::fromStdString(geometry::formatNumber(number, "0.00", decimalSeparator));
    };
    const QString text = shown(value);
    return value > 0 && text != shown(0) ? u'+' + text : text;
}

QString Writer::millimetres(const QString &value) const {
    return m_csv ? value : value + QStringLiteral(" mm");
}

QString Writer::heading(const QString &name, const char *unit) const {
    if (!m_csv)
        return name;
    QString column = name;
    column.replace(u' ', u'_');
    return unit ? column + u'_' + QLatin1String(unit) : column;
}

void Writer::flush() {
    if (m_pending.empty())
        return;
    if (QIODevice *device = m_out.device()) {
        m_out.flush();
        if (device->write(m_pending.data(), static_cast<qint64>(m_pending.size())) < 0)
            m_out.setStatus(QTextStream::WriteFailed);
    } else {
        m_out << QString::fromUtf8(m_pending);
    }
    m_pending.clear();
}

void Writer::row(const QStringList &cells, std::span<const int> widths) {
    flush();
    if (m_csv) {
        m_out << cells.join(u',') << '\n';
        return;
    }
    const auto last = static_cast<qsizetype>(widths.size()) - 1;
    QString line;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const int width = widths[static_cast<std::size_t>(std::min(i, last))];
        line +=
            i + 1 < cells.size() ? cells[i].leftJustified(width) + QStringLiteral("  ") : cells[i];
    }
    m_out << line << '\n';
}

void Writer::beginRow(std::span<const int> widths) {
    m_widths = widths;
    m_column = 0;
    m_rowStart = m_pending.size();
}

void Writer::cellsAsWritten(std::string_view cells, std::size_t count) {
    m_pending += cells;
    m_column += count;
}

void Writer::beginColumn() {
    if (m_column > 0) {
        // Columns count characters, not bytes: a separator may take two.
        const auto width =
            static_cast<std::size_t>(m_widths[std::min(m_column, m_widths.size()) - 1]);
        const auto characters = static_cast<std::size_t>(
            std::count_if(m_pending.begin() + static_cast<std::ptrdiff_t>(m_cellStart),
                          m_pending.end(), [](char c) { return (c & 0xC0) != 0x80; }));
        if (characters < width)
            m_pending.append(width - characters, ' ');
        m_pending += "  ";
    }
    ++m_column;
}

void Writer::cell(std::int64_t whole) {
    beginCell();
    char digits[24];
    const char *end = std::to_chars(digits, digits + sizeof digits, whole).ptr;
    m_pending.append(digits, static_cast<std::size_t>(end - digits));
}

void Writer::cell(std::string_view text) {
    beginCell();
    m_pending += text;
}

void Writer::cellFixed(double value, int decimals, bool millimetres) {
    beginCell();
    geometry::appendFixed(m_pending, value, decimals, m_separator);
    if (millimetres && !m_csv)
        m_pending += " mm";
}

void Writer::cellBelt(std::int64_t teeth) {
    if (!m_csv) {
        cell(geometry::beltName(m_profile, teeth));
        return;
    }
    beginCell();
    const double code = geometry::beltCode(*m_profile.profile, teeth);
    char text[32];
    const auto end =
        code == std::floor(code) && code < 0x1p53
            ? std::to_chars(text, text + sizeof text, static_cast<std::int64_t>(code)).ptr
            : std::to_chars(text, text + sizeof text, code, std::chars_format::fixed).ptr;
    m_pending.append(text, static_cast<std::size_t>(end - text));
}

void Writer::cellTeethInMesh(double teeth) {
    beginCell();
    geometry::appendFixed(m_pending, teeth, 2, m_separator);
    const bool few = teeth < geometry::fewestTeethInMesh;
    m_marked = m_marked || few;
    if (few && !m_csv)
        m_pending += " *";
}

void Writer::cellCentreDistance(const geometry::OpenDrive &drive) {
    cellFixed(drive.centreDistance, 2, true);
    const bool clash =
        geometry::outsideGap(*m_profile.profile, drive) < geometry::flangeRoom(*m_profile.profile);
    m_flangesClash = m_flangesClash || clash;
    if (clash && !m_csv)
        m_pending += " \u2021";
}

void Writer::cellSmallerPulley(std::int64_t teeth) {
    cell(teeth);
    const bool small = teeth < m_profile.profile->smallestPulley;
    m_smallPulley = m_smallPulley || small;
    if (small && !m_csv)
        m_pending += " \u2020";
}

void Writer::endRow() {
    m_pending += '\n';
    if (m_pending.size() > 1 << 16)
        flush();
}

void Writer::beltHeadings(bool withDifference) {
    QStringList headings{heading(QStringLiteral("cinghia")), heading(QStringLiteral("denti")),
                         heading(QStringLiteral("interasse"), "mm"),
                         heading(QStringLiteral("denti in presa"))};
    if (withDifference)
        headings << heading(QStringLiteral("differenza"), "mm");
    row(headings);
}

void Writer::beltRow(const geometry::Belt &belt, std::optional<double> wanted) {
    beginRow();
    cellBelt(belt.teeth);
    cell(belt.teeth);
    cellCentreDistance(belt.drive);
    cellTeethInMesh(belt.drive.teethInMesh);
    if (wanted)
        cell(millimetres(difference(belt.drive.centreDistance - *wanted)).toStdString());
    endRow();
}

void Writer::legend() {
    flush();
    if (m_marked && !m_csv)
        m_out << messages::fewTeethInMeshLegend() << '\n';
    if (m_smallPulley && !m_csv)
        m_out << messages::smallPulleyLegend(
                     QString::fromStdString(std::string(m_profile.profile->name)),
                     m_profile.profile->smallestPulley)
              << '\n';
    if (m_flangesClash && !m_csv)
        m_out << messages::noRoomForFlangesLegend(
                     twoDecimals(geometry::flangeRoom(*m_profile.profile)))
              << '\n';
}

QString Writer::ratingHeading(const Ratings &ratings) const {
    if (!m_csv)
        return cli::ratingHeading(ratings);
    return ratings.atWidth ? QStringLiteral("potenza_trasmissibile_kw")
                           : QStringLiteral("larghezza");
}

void Writer::cellRating(const Ratings &ratings, std::size_t row) {
    const bool mark = !m_csv && fallsShort(ratings, row);
    m_shortOfPower = m_shortOfPower || mark;
    const QString rating = cli::ratingCell(ratings, row, m_profile, m_separator);
    cell((mark ? (rating + QStringLiteral(" §")).trimmed() : rating).toStdString());
}

void Writer::ratingLegend(const Ratings &ratings) {
    flush();
    if (m_shortOfPower)
        m_out << cli::ratingLegend(ratings, m_profile, m_separator) << '\n';
}

void Writer::belts(const Drives &drives, const Ratings *ratings) {
    if (!ratings) {
        beltHeadings(drives.wanted.has_value());
        for (auto row = drives.rows.begin(); row != drives.rows.end() && !failed(); ++row)
            beltRow(row->belt, drives.wanted);
        legend();
        return;
    }
    QStringList headings{heading(QStringLiteral("cinghia")), heading(QStringLiteral("denti")),
                         heading(QStringLiteral("interasse"), "mm"),
                         heading(QStringLiteral("denti in presa"))};
    if (drives.wanted)
        headings << heading(QStringLiteral("differenza"), "mm");
    row(headings << ratingHeading(*ratings));
    for (std::size_t i = 0; i < drives.rows.size() && !failed(); ++i) {
        const geometry::Belt &belt = drives.rows[i].belt;
        beginRow();
        cellBelt(belt.teeth);
        cell(belt.teeth);
        cellCentreDistance(belt.drive);
        cellTeethInMesh(belt.drive.teethInMesh);
        if (drives.wanted)
            cell(millimetres(difference(belt.drive.centreDistance - *drives.wanted)).toStdString());
        cellRating(*ratings, i);
        endRow();
    }
    legend();
    ratingLegend(*ratings);
}

void Writer::designs(const Drives &drives, bool all, const Ratings *ratings) {
    const std::optional<double> &wanted = drives.wanted;
    const std::optional<Drives::Speeds> &speeds = drives.speeds;
    QStringList headings{heading(QStringLiteral("maggiore")), heading(QStringLiteral("minore")),
                         csv() ? QStringLiteral("rapporto") : QStringLiteral("M/m")};
    std::vector<int> columns{8, 6, 7};
    if (speeds && speeds->shafts) {
        headings << heading(QStringLiteral("motrice"))
                 << heading(QStringLiteral("giri motrice"), "al_minuto")
                 << heading(QStringLiteral("giri condotta"), "al_minuto");
        columns.insert(columns.end(), {8, 12, 13});
    } else if (speeds) {
        headings << heading(QStringLiteral("giri maggiore"), "al_minuto");
        columns.push_back(13);
    }
    // A pair's cells, the same for all its belts' rows.
    const std::size_t pairColumns = columns.size();
    headings << heading(QStringLiteral("cinghia")) << heading(QStringLiteral("denti"))
             << heading(QStringLiteral("interasse"), "mm")
             << heading(QStringLiteral("denti in presa"));
    columns.insert(columns.end(), {18, 6, 14, 14});
    if (wanted)
        headings << heading(QStringLiteral("differenza"), "mm");
    if (ratings)
        headings << ratingHeading(*ratings);
    row(headings, columns);
    const auto shown = static_cast<qsizetype>(drives.rows.size());
    const qsizetype rows = csv() || all ? shown : std::min(shown, firstRows);
    // A pair's cells are written once for all its belts' rows in a spreadsheet.
    const geometry::Design *pair = nullptr;
    std::string pairCells;
    for (qsizetype i = 0; i < rows && !failed(); ++i) {
        const geometry::Design &design = drives.rows[static_cast<std::size_t>(i)];
        beginRow(columns);
        if (csv() && pair && pair->larger == design.larger && pair->smaller == design.smaller) {
            cellsAsWritten(pairCells, pairColumns);
        } else {
            cell(design.larger);
            cellSmallerPulley(design.smaller);
            cellFixed(design.ratio, 3);
            if (speeds) {
                const auto larger = static_cast<double>(design.larger),
                           smaller = static_cast<double>(design.smaller);
                if (speeds->shafts) {
                    cell(speeds->largerDrives ? "maggiore" : "minore");
                    cellFixed(speeds->driving, 1);
                }
                cellFixed(speeds->largerDrives ? speeds->driving * larger / smaller
                                               : speeds->driving * smaller / larger,
                          1);
            }
            pair = &design;
            pairCells = rowSoFar();
        }
        cellBelt(design.belt.teeth);
        cell(design.belt.teeth);
        cellCentreDistance(design.belt.drive);
        cellTeethInMesh(design.belt.drive.teethInMesh);
        if (wanted)
            cell(millimetres(difference(design.belt.drive.centreDistance - *wanted)).toStdString());
        if (ratings)
            cellRating(*ratings, static_cast<std::size_t>(i));
        endRow();
    }
    legend();
    if (ratings)
        ratingLegend(*ratings);
    if (rows < shown)
        stream() << messages::moreDesigns(shown - rows) << '\n';
}

void Writer::details(const std::vector<DetailLine> &lines) {
    const auto text = [&](const std::optional<QString> &value) {
        return !value  ? QString()
               : m_csv ? QString(*value).replace(m_locale.decimalPoint(), QStringLiteral("."))
                       : *value;
    };
    if (m_csv) {
        QStringList headings, cells;
        for (const DetailLine &line : lines) {
            headings << (line.csvName ? QString::fromLatin1(line.csvName)
                                      : heading(line.label, line.csvUnit));
            cells << text(line.value);
        }
        row(headings);
        row(cells);
    } else {
        for (const DetailLine &line : lines)
            if (line.value)
                stream() << line.label << QStringLiteral(": ") << *line.value
                         << QString::fromUtf8(line.unit) << '\n';
    }
}

} // namespace cli

namespace cli {

void Writer::layoutHeadings(bool numbered, const QStringList &more) {
    QStringList headings;
    if (numbered && m_csv)
        headings << heading(QStringLiteral("soluzione"));
    if (m_csv)
        headings << heading(QStringLiteral("nome")) << heading(QStringLiteral("x"), "mm")
                 << heading(QStringLiteral("y"), "mm");
    else
        headings << heading(QStringLiteral("nome"));
    headings << heading(QStringLiteral("diametro primitivo"), "mm")
             << heading(QStringLiteral("avvolgimento"), "gradi")
             << heading(QStringLiteral("denti in presa"))
             << heading(QStringLiteral("tratto"), "mm");
    if (m_csv)
        headings << more;
    row(headings, layoutColumns);
}

void Writer::layoutRow(const LayoutRow &row, std::optional<int> solution, const QStringList &more) {
    beginRow(layoutColumns);
    if (solution && m_csv)
        cell(std::int64_t{*solution});
    cell(row.name.toStdString());
    if (m_csv) {
        cellFixed(row.centre.x, 2);
        cellFixed(row.centre.y, 2);
    }
    cellFixed(row.pitchDiameter, 2, true);
    cellFixed(row.wrap, 2);
    if (!m_csv)
        m_pending += "\u00B0";
    beginCell();
    if (row.teethInMesh) {
        geometry::appendFixed(m_pending, *row.teethInMesh, 2, m_separator);
        const bool few = row.carriesLoad && *row.teethInMesh < geometry::fewestTeethInMesh;
        m_fewOnLoad = m_fewOnLoad || few;
        if (few && !m_csv)
            m_pending += " *";
    }
    beginCell();
    if (row.span)
        geometry::appendFixed(m_pending, *row.span, 2, m_separator);
    if (row.span && !m_csv)
        m_pending += " mm";
    if (m_csv)
        for (const QString &cell : more)
            this->cell(cell.toStdString());
    endRow();
}

void Writer::layoutLegend() {
    flush();
    if (m_fewOnLoad && !m_csv)
        m_out << messages::fewTeethOnLoadLegend() << '\n';
    m_fewOnLoad = false;
}

void Writer::pitchLength(double length) {
    stream() << QStringLiteral("lunghezza primitiva: ") << twoDecimals(length)
             << QStringLiteral(" mm\n");
}

void Writer::layoutBelts(const std::vector<LayoutBeltRow> &rows, bool placed, bool all,
                         qint64 unsolved) {
    QStringList headings{heading(QStringLiteral("cinghia"))};
    if (placed)
        headings << heading(QStringLiteral("x"), "mm") << heading(QStringLiteral("y"), "mm")
                 << heading(QStringLiteral("lunghezza primitiva"), "mm");
    else
        headings << heading(QStringLiteral("denti"))
                 << heading(QStringLiteral("lunghezza primitiva"), "mm")
                 << heading(QStringLiteral("differenza"), "mm");
    static constexpr int placedColumns[] = {18, 12, 12, 20}, differenceColumns[] = {18, 6, 20, 12};
    const std::span<const int> widths =
        placed ? std::span<const int>(placedColumns) : std::span<const int>(differenceColumns);
    row(headings, widths);
    const auto shown = static_cast<qsizetype>(rows.size());
    const qsizetype written = m_csv || all ? shown : std::min(shown, firstRows);
    for (qsizetype i = 0; i < written && !failed(); ++i) {
        const LayoutBeltRow &belt = rows[static_cast<std::size_t>(i)];
        beginRow(widths);
        cellBelt(belt.teeth);
        if (belt.centre) {
            cellFixed(belt.centre->x, 2, true);
            cellFixed(belt.centre->y, 2, true);
        } else {
            cell(belt.teeth);
        }
        cellFixed(geometry::beltPitchLength(*m_profile.profile, belt.teeth), 2, true);
        if (!belt.centre)
            cell(millimetres(difference(belt.difference)).toStdString());
        endRow();
    }
    if (written < shown || (unsolved > 0 && !m_csv))
        stream() << messages::moreLayoutBelts(shown - written + unsolved) << '\n';
}

} // namespace cli
