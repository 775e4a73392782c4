#include "cli/writer.h"

#include "common/messages.h"
#include "geometry/number_text.h"
#include "geometry/open_drive.h"

#include <algorithm>

namespace cli {

Writer::Writer(QTextStream &out, bool csv, const QLocale &locale, geometry::ProfileChoice profile)
    : m_out(out), m_csv(csv), m_separator(csv ? "." : locale.decimalPoint().toStdString()),
      m_profile(std::move(profile)) {}

QString Writer::number(double value, const char *pattern) const {
    return QString::fromStdString(geometry::formatNumber(value, pattern, m_separator));
}

QString Writer::shortest(double value) const {
    return QString::number(value, 'f', QLocale::FloatingPointShortest)
        .replace(u'.', QString::fromStdString(m_separator));
}

QString Writer::difference(double value) const {
    const QString text = twoDecimals(value);
    return value > 0 && text != twoDecimals(0) ? u'+' + text : text;
}

QString Writer::teethInMesh(double teeth) {
    const bool few = teeth < geometry::fewestTeethInMesh;
    m_marked = m_marked || few;
    return m_csv || !few ? twoDecimals(teeth) : twoDecimals(teeth) + QStringLiteral(" *");
}

QString Writer::belt(std::int64_t teeth) const {
    return m_csv ? QString::number(geometry::beltCode(*m_profile.profile, teeth), 'f',
                                   QLocale::FloatingPointShortest)
                 : QString::fromStdString(geometry::beltName(m_profile, teeth));
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

void Writer::row(const QStringList &cells, std::span<const int> widths) {
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

void Writer::beltHeadings(bool withDifference) {
    QStringList headings{heading(QStringLiteral("cinghia")), heading(QStringLiteral("denti")),
                         heading(QStringLiteral("interasse"), "mm"),
                         heading(QStringLiteral("denti in presa"))};
    if (withDifference)
        headings << heading(QStringLiteral("differenza"), "mm");
    row(headings);
}

void Writer::beltRow(const geometry::Belt &belt, std::optional<double> wanted) {
    QStringList cells{this->belt(belt.teeth), QString::number(belt.teeth),
                      millimetres(twoDecimals(belt.drive.centreDistance)),
                      teethInMesh(belt.drive.teethInMesh)};
    if (wanted)
        cells << millimetres(difference(belt.drive.centreDistance - *wanted));
    row(cells);
}

void Writer::legend() {
    if (m_marked && !m_csv)
        m_out << messages::fewTeethInMeshLegend() << '\n';
}

} // namespace cli
