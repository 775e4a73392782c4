#include "cli/layout_file.h"

#include "cli/stock.h"
#include "common/messages.h"
#include "geometry/errors.h"
#include "geometry/number_text.h"

#include <array>

namespace cli {

namespace {

using Entry = geometry::LayoutEntry;

common::Problem wrongUse(QString message) {
    return {std::move(message), common::ExitStatus::wrongUse};
}

constexpr std::array keywords{"profilo", "estremo", "liscia", "dorso", "folle", "scorre", "ruota"};

bool isKeyword(const QString &word, const char *keyword = nullptr) {
    for (const char *each : keywords)
        if ((!keyword || qstrcmp(each, keyword) == 0) &&
            word.compare(QLatin1String(each), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// A line's words, read one after another; each failure says what is wrong at that word.
class Words {
public:
    Words(const QString &file, int line, const QString &text)
        : m_file(file), m_line(line), m_text(text), m_words(text.simplified().split(u' ')) {}

    bool atEnd() const { return m_next >= m_words.size(); }
    const QString &peek() const { return m_words[m_next]; }
    bool take(const char *keyword) {
        if (atEnd() || !isKeyword(peek(), keyword))
            return false;
        ++m_next;
        return true;
    }
    QString word() { return atEnd() ? QString() : m_words[m_next++]; }
    // A number with either decimal separator and no grouping.
    common::Result<double> number() {
        if (atEnd())
            return notEntry();
        const QString typed = word();
        try {
            return geometry::textToNumber(QString(typed).replace(u',', u'.').toStdString(), ".");
        } catch (const geometry::CalculationError &) {
            return problem(messages::layoutNotANumber(typed));
        }
    }
    common::Result<geometry::Point> point() {
        const common::Result<double> x = number();
        const common::Result<double> y = x ? number() : x;
        if (!y)
            return y.problem();
        return geometry::Point{*x, *y};
    }
    common::Problem notEntry() const { return problem(messages::layoutLineNotEntry(m_text)); }
    common::Problem problem(const QString &what) const {
        return wrongUse(messages::layoutLine(m_file, m_line, what));
    }

private:
    QString m_file;
    int m_line;
    QString m_text;
    QStringList m_words;
    qsizetype m_next = 0;
};

// What a pulley's line says after its centre: its size, its face, whether it carries load and
// how it moves.
std::optional<common::Problem> readPulley(Words &words, Entry &entry,
                                          std::optional<geometry::Travel> &travel,
                                          std::size_t index, int movableLine) {
    const bool plain = words.take("liscia");
    const common::Result<double> size = words.number();
    if (!size)
        return size.problem();
    entry.kind = plain ? Entry::Kind::plain : Entry::Kind::toothed;
    entry.size = *size;
    bool back = false, idler = false, moves = false;
    while (!words.atEnd()) {
        if (!back && words.take("dorso")) {
            back = true;
        } else if (!idler && words.take("folle")) {
            idler = true;
        } else if (const bool slot = !moves && words.take("scorre");
                   slot || (!moves && words.take("ruota"))) {
            moves = true;
            if (travel)
                return words.problem(messages::layoutTwoMovable(movableLine));
            const common::Result<geometry::Point> at = words.point();
            if (!at)
                return at.problem();
            using Kind = geometry::Travel::Kind;
            travel = slot ? geometry::Travel{index, Kind::slot, *at, {}, 0, 0, false}
                          : geometry::Travel{index, Kind::arm, {}, *at, 0, 0, true};
            if (!slot && !words.atEnd() && words.peek().contains(u':')) {
                const QString typed = words.word();
                const QStringList ends = typed.split(u':');
                Words range(QString(), 0, ends.join(u' '));
                const common::Result<double> from = range.number();
                const common::Result<double> to = from ? range.number() : from;
                if (ends.size() != 2 || !to)
                    return words.problem(messages::layoutBadAngles(typed));
                travel->fromAngle = *from;
                travel->toAngle = *to;
                travel->fullTurn = false;
            }
        } else {
            return words.notEntry();
        }
    }
    entry.face = back ? geometry::BeltFace::back : geometry::BeltFace::teeth;
    entry.idler = idler;
    return std::nullopt;
}

} // namespace

QString LayoutFile::called(std::size_t entry) const {
    const QString line = messages::layoutLineNumber(lines[entry]);
    return names[static_cast<qsizetype>(entry)] == line
               ? line
               : QStringLiteral("%1 (%2)").arg(names[static_cast<qsizetype>(entry)], line);
}

common::Result<LayoutFile> readLayoutFile(const QString &file) {
    LayoutFile read;
    int profileLine = 0, movableLine = 0;
    const LinesWords words{messages::layoutUnreadable, messages::layoutTooLong,
                           [](const QString &, int, const QString &text) {
                               return messages::layoutLineNotEntry(text);
                           }};
    std::optional<common::Problem> problem =
        readLines(file, words, [&](int number, const QString &text) -> LineRead {
            Words line(file, number, text);
            if (line.take("profilo")) {
                const QString name = line.word();
                if (name.isEmpty() || !line.atEnd())
                    return line.notEntry();
                if (profileLine != 0)
                    return line.problem(messages::layoutProfileTwice(profileLine));
                const std::optional<geometry::ProfileChoice> profile =
                    geometry::readProfile(name.toStdString());
                if (!profile || !geometry::hasValidWidth(*profile))
                    return line.problem(messages::layoutUnknownProfile(name));
                read.profile = profile;
                profileLine = number;
                return std::nullopt;
            }
            const std::size_t index = read.layout.entries.size();
            if (index == mostLayoutEntries)
                return line.problem(messages::layoutTooManyEntries(mostLayoutEntries));
            QString name = messages::layoutLineNumber(number);
            if (!line.atEnd() && line.peek().front().isLetter() && !isKeyword(line.peek())) {
                name = line.word();
                if (const qsizetype twice = read.names.indexOf(name); twice >= 0)
                    return line.problem(messages::layoutNameTwice(
                        name, read.lines[static_cast<std::size_t>(twice)]));
            }
            Entry entry;
            const bool clamp = line.take("estremo");
            const common::Result<geometry::Point> centre = line.point();
            if (!centre)
                return centre.problem();
            entry.centre = *centre;
            if (clamp) {
                entry.kind = Entry::Kind::clamp;
                if (!line.atEnd())
                    return line.notEntry();
            } else if (std::optional<common::Problem> wrong =
                           readPulley(line, entry, read.layout.travel, index, movableLine)) {
                return wrong;
            }
            if (read.layout.travel && read.layout.travel->entry == index)
                movableLine = number;
            read.layout.entries.push_back(entry);
            read.names << name;
            read.lines.push_back(number);
            return std::nullopt;
        });
    if (problem)
        return *std::move(problem);
    return read;
}

} // namespace cli
