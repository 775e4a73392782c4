#include "cli/layout_file.h"

#include "cli/stock.h"
#include "common/messages.h"
#include "geometry/errors.h"
#include "geometry/number_text.h"

#include <QLocale>
#include <QSet>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace cli {

namespace {

using Entry = geometry::LayoutEntry;

QString fileNumber(double value);

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
    const QString &taken() const { return m_words[m_next - 1]; }
    // Whether a number was wanted past the last word.
    bool ranShort() const { return m_short; }
    // A number with either decimal separator and no grouping.
    common::Result<double> number() {
        if (atEnd()) {
            m_short = true;
            return notEntry();
        }
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
    // A table's cell has no file: its words alone.
    common::Problem problem(const QString &what) const {
        return wrongUse(m_file.isNull() ? what : messages::layoutLine(m_file, m_line, what));
    }

private:
    QString m_file;
    int m_line;
    QString m_text;
    QStringList m_words;
    qsizetype m_next = 0;
    bool m_short = false;
};

// A travel after its keyword, the word just taken: scorre X Y | ruota PX PY [A:B].
std::optional<common::Problem> readTravel(Words &words, std::size_t index,
                                          std::optional<geometry::Travel> &travel) {
    const bool slot = isKeyword(words.taken(), "scorre");
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
        // One angle twice would be read as a whole turn, a pin, or an arc of nothing.
        if (std::remainder(*to - *from, 360) == 0)
            return words.problem(messages::layoutNoArc(typed));
        travel->fromAngle = *from;
        travel->toAngle = *to;
        travel->fullTurn = false;
    }
    return std::nullopt;
}

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
        } else if (!moves && (words.take("scorre") || words.take("ruota"))) {
            moves = true;
            if (travel)
                return words.problem(messages::layoutTwoMovable(movableLine));
            if (std::optional<common::Problem> wrong = readTravel(words, index, travel))
                return wrong;
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
                           [](const QString &path, int line, const QString &text) {
                               return messages::layoutLine(path, line,
                                                           messages::layoutLineNotEntry(text));
                           }};
    // What the file holds besides its entries, kept as it comes: the lines above the next entry
    // and the comment of the line being read.
    std::vector<LayoutNote> notes;
    QString comment;
    const auto asRead = [&](int, const QString &text) {
        const qsizetype hash = text.indexOf(u'#');
        comment = hash < 0 ? QString() : text.mid(hash);
        if (text.left(hash).trimmed().isEmpty())
            notes.push_back({false, text});
    };
    std::optional<common::Problem> problem = readLines(
        file, words,
        [&](int number, const QString &text) -> LineRead {
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
                notes.push_back({true, comment});
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
            read.comments << comment;
            read.above.push_back(std::exchange(notes, {}));
            return std::nullopt;
        },
        nullptr, asRead);
    if (problem)
        return *std::move(problem);
    read.below = std::move(notes);
    return read;
}

std::optional<QString> readLayoutCell(LayoutColumn column, const QString &typed, std::size_t index,
                                      geometry::LayoutEntry &entry,
                                      std::optional<geometry::Travel> &travel) {
    Words words(QString(), 0, typed);
    const auto said = [](const common::Problem &problem) { return problem.message; };
    const auto read = [&]() -> std::optional<QString> {
        switch (column) {
        case LayoutColumn::x:
        case LayoutColumn::y: {
            const common::Result<double> value = words.number();
            if (!value)
                return said(value.problem());
            (column == LayoutColumn::x ? entry.centre.x : entry.centre.y) = *value;
            break;
        }
        case LayoutColumn::size: {
            if (words.take("estremo")) {
                entry = {Entry::Kind::clamp, entry.centre, 0};
                break;
            }
            const bool plain = words.take("liscia");
            const common::Result<double> size = words.number();
            if (!size)
                return words.ranShort() || !plain ? messages::layoutSizeForm()
                                                  : said(size.problem());
            entry.kind = plain ? Entry::Kind::plain : Entry::Kind::toothed;
            entry.size = *size;
            break;
        }
        case LayoutColumn::side:
            if (!words.take("dorso") && words.word().compare(u"denti", Qt::CaseInsensitive) != 0)
                return messages::layoutSideForm();
            entry.face = isKeyword(words.taken(), "dorso") ? geometry::BeltFace::back
                                                           : geometry::BeltFace::teeth;
            break;
        case LayoutColumn::travel:
            if (!words.take("scorre") && !words.take("ruota"))
                return messages::layoutTravelForm();
            if (std::optional<common::Problem> wrong = readTravel(words, index, travel))
                return words.ranShort() ? messages::layoutTravelForm() : said(*wrong);
            break;
        case LayoutColumn::name:
        case LayoutColumn::idler:
            break;
        }
        return std::nullopt;
    };
    if (column == LayoutColumn::name || column == LayoutColumn::idler)
        return std::nullopt;
    if (column == LayoutColumn::travel && typed.trimmed().isEmpty()) {
        travel.reset();
        return std::nullopt;
    }
    if (std::optional<QString> wrong = read())
        return wrong;
    if (!words.atEnd())
        return column == LayoutColumn::size     ? messages::layoutSizeForm()
               : column == LayoutColumn::side   ? messages::layoutSideForm()
               : column == LayoutColumn::travel ? messages::layoutTravelForm()
                                                : messages::layoutNotANumber(typed.trimmed());
    return std::nullopt;
}

bool isLayoutNumber(double value) {
    try {
        geometry::textToNumber(fileNumber(value).toStdString(), ".");
        return std::isfinite(value);
    } catch (const geometry::CalculationError &) {
        return false;
    }
}

bool isLayoutName(const QString &name) {
    return !name.isEmpty() && name.front().isLetter() && !isKeyword(name) &&
           std::ranges::none_of(name, [](QChar c) { return c.isSpace() || c == u'#'; });
}

namespace {

// As the reader keeps it: to four decimals, and no "-0".
QString fileNumber(double value) {
    return QString::number(std::round(value * 1e4) / 1e4 + 0.0, 'f',
                           QLocale::FloatingPointShortest);
}

// A kept line or comment that is sure to be read as one.
QString asComment(QString text) {
    text.replace(u'\n', u' ').replace(u'\r', u' ');
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text.trimmed().isEmpty() || text.trimmed().startsWith(u'#') ? text : "# " + text;
}

} // namespace

QByteArray layoutFileText(const LayoutFile &file) {
    const std::vector<Entry> &entries = file.layout.entries;
    const auto at = [](const auto &list, std::size_t index) {
        using Item = std::decay_t<decltype(list[0])>;
        return index < static_cast<std::size_t>(list.size()) ? list[static_cast<qsizetype>(index)]
                                                             : Item{};
    };
    // The names typed that stay, the first of each; then one after its place for every other
    // entry.
    QStringList names;
    QSet<QString> taken;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QString name = at(file.names, i);
        const bool kept = isLayoutName(name) && !taken.contains(name);
        names << (kept ? name : QString());
        if (kept)
            taken.insert(name);
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        QString &name = names[static_cast<qsizetype>(i)];
        for (std::size_t place = i + 1; name.isEmpty(); ++place)
            if (const QString free = messages::layoutEntryName(
                    entries[i].kind == Entry::Kind::clamp, static_cast<int>(place));
                !taken.contains(free))
                name = free;
        taken.insert(name);
    }
    // Each entry's words, a pulley's centre apart from the rest, so that the columns line up.
    std::vector<QStringList> words;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry &entry = entries[i];
        const QString x = fileNumber(entry.centre.x), y = fileNumber(entry.centre.y);
        if (entry.kind == Entry::Kind::clamp) {
            words.push_back({QStringLiteral("estremo %1 %2").arg(x, y)});
            continue;
        }
        QStringList what{x, y};
        QString rest = entry.kind == Entry::Kind::plain ? QStringLiteral("liscia ") : QString();
        rest += fileNumber(entry.size);
        if (entry.face == geometry::BeltFace::back)
            rest += QStringLiteral(" dorso");
        if (entry.idler)
            rest += QStringLiteral(" folle");
        if (const std::optional<geometry::Travel> &travel = file.layout.travel;
            travel && travel->entry == i) {
            using Kind = geometry::Travel::Kind;
            const geometry::Point &to = travel->kind == Kind::slot ? travel->end : travel->pivot;
            rest += QStringLiteral(" %1 %2 %3")
                        .arg(travel->kind == Kind::slot ? "scorre" : "ruota", fileNumber(to.x),
                             fileNumber(to.y));
            if (travel->kind == Kind::arm && !travel->fullTurn)
                rest += QStringLiteral(" %1:%2").arg(fileNumber(travel->fromAngle),
                                                     fileNumber(travel->toAngle));
        }
        what << rest;
        words.push_back(what);
    }
    qsizetype nameWidth = 0, xWidth = 0, yWidth = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        nameWidth = std::max(nameWidth, names[static_cast<qsizetype>(i)].size());
        if (words[i].size() == 3) {
            xWidth = std::max(xWidth, words[i][0].size());
            yWidth = std::max(yWidth, words[i][1].size());
        }
    }
    QStringList lines;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QStringList &what = words[i];
        QString line = names[static_cast<qsizetype>(i)].leftJustified(nameWidth) + u' ';
        if (what.size() == 3)
            line += what[0].leftJustified(xWidth) + u' ' + what[1].leftJustified(yWidth) + u' ';
        lines << line + what.back();
    }
    qsizetype width = 0;
    for (const QString &line : lines)
        width = std::max(width, line.size());

    QString text;
    bool profileWritten = false;
    const auto writeNotes = [&](const std::vector<LayoutNote> &notes) {
        for (const LayoutNote &note : notes) {
            QString line;
            if (note.profile && file.profile && !profileWritten) {
                line = "profilo " + QString::fromStdString(geometry::profileName(*file.profile));
                if (const QString comment = asComment(note.text); !comment.isEmpty())
                    line += "  " + comment;
                profileWritten = true;
            } else if (note.profile) {
                line = asComment(note.text);
                if (line.isEmpty())
                    continue;
            } else {
                line = asComment(note.text);
            }
            text += line + u'\n';
        }
    };
    if (file.profile &&
        std::ranges::none_of(
            file.above,
            [](const auto &notes) { return std::ranges::any_of(notes, &LayoutNote::profile); }) &&
        std::ranges::none_of(file.below, &LayoutNote::profile))
        text += "profilo " + QString::fromStdString(geometry::profileName(*file.profile)) + u'\n';
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i < file.above.size())
            writeNotes(file.above[i]);
        const QString comment = asComment(at(file.comments, i));
        text += comment.isEmpty()
                    ? lines[static_cast<qsizetype>(i)]
                    : lines[static_cast<qsizetype>(i)].leftJustified(width) + "  " + comment;
        text += u'\n';
    }
    for (std::size_t i = entries.size(); i < file.above.size(); ++i)
        writeNotes(file.above[i]); // above entries no longer there
    writeNotes(file.below);
    return text.toUtf8();
}

} // namespace cli
