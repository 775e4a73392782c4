#include "designer/design_fields.h"

#include "cli/arguments.h"
#include "common/calculation.h"
#include "common/messages.h"
#include "geometry/number_text.h"
#include "geometry/open_drive.h"

#include <optional>

namespace designer {

namespace {

struct Heading {
    const char *heading;
    const char *whatToType;
};
constexpr Heading headings[fieldCount] = {
    {"Ingranaggio maggiore", "i suoi denti, per esempio 36"},
    {"Ingranaggio minore", "i suoi denti, per esempio 14"},
    {"Rapporto M/m", "il rapporto voluto, per esempio 3"},
    {"Rapporto fino a", ""},
    {"Denti da", ""},
    {"Denti fino a", ""},
    {"Interasse voluto", "l'interasse in millimetri, per esempio 200"},
    {"Interasse da", "il più piccolo in millimetri, per esempio 150"},
    {"Interasse fino a", "il più grande in millimetri, per esempio 250"},
    {"Elenco di cinghie", ""},
    {"Giri del minore al minuto", ""},
};

// Reads the fields one by one and keeps what is wrong with each.
class Reader {
public:
    Reader(const Fields &fields, const QLocale &locale) : m_fields(fields), m_locale(locale) {}

    // A number that must be there, or one that may be left empty.
    std::optional<double> number(Field field, bool optional = false) {
        if (optional && m_fields[field].trimmed().isEmpty())
            return std::nullopt;
        const auto &[heading, whatToType] = headings[static_cast<int>(field)];
        const common::Result<double> read = common::readField(
            m_fields[field], QString::fromUtf8(heading), QString::fromUtf8(whatToType), m_locale);
        if (!read)
            return fail(field, read.problem().message);
        return *read;
    }
    std::optional<double> positive(Field field, bool optional = false) {
        const std::optional<double> value = number(field, optional);
        if (value && *value <= 0)
            return fail(field, messages::fieldNotPositive(headingOf(field)));
        return value;
    }
    std::optional<double> teeth(Field field, bool optional = false) {
        const std::optional<double> value = number(field, optional);
        if (value && (*value < 1 || !geometry::isWholeTeeth(*value)))
            return fail(field, messages::fieldNotWholeTeeth(headingOf(field)));
        return value;
    }
    // Both ends of a range, the first at most the second.
    void ordered(std::optional<double> from, std::optional<double> to, Field fromField,
                 Field toField) {
        if (from && to && *from > *to)
            fail(fromField, messages::fieldBackwards(headingOf(fromField), headingOf(toField)));
    }
    QString typed(Field field) const { return m_fields[field].trimmed(); }
    std::vector<FieldProblem> problems;

private:
    std::nullopt_t fail(Field field, const QString &message) {
        problems.push_back({field, message});
        return std::nullopt;
    }
    const Fields &m_fields;
    const QLocale &m_locale;
};

} // namespace

QString &Fields::operator[](Field field) {
    return const_cast<QString &>(std::as_const(*this)[field]);
}

const QString &Fields::operator[](Field field) const {
    const QString *const fields[fieldCount] = {&larger,      &smaller,   &ratio,    &ratioTo,
                                               &fewestTeeth, &mostTeeth, &distance, &slotFrom,
                                               &slotTo,      &stock,     &speed};
    return *fields[static_cast<int>(field)];
}

QString headingOf(Field field) {
    return QString::fromUtf8(headings[static_cast<int>(field)].heading);
}

Reading readFields(const Fields &fields, const QLocale &locale) {
    Reader read(fields, locale);
    Reading reading;
    QStringList &arguments = reading.arguments;
    const auto range = [&](Field from, Field to) {
        return read.typed(from) + u':' + read.typed(to);
    };
    if (fields.byRatio) {
        const std::optional<double> ratio = read.positive(Field::ratio);
        const std::optional<double> ratioTo = read.positive(Field::ratioTo, true);
        read.ordered(ratio, ratioTo, Field::ratio, Field::ratioTo);
        arguments << QStringLiteral("--ratio")
                  << (ratioTo ? range(Field::ratio, Field::ratioTo) : read.typed(Field::ratio));
        const std::optional<double> fewest = read.teeth(Field::fewestTeeth, true);
        const std::optional<double> most = read.teeth(Field::mostTeeth, true);
        read.ordered(fewest, most, Field::fewestTeeth, Field::mostTeeth);
        // An end left empty is the command line's own.
        if (fewest || most) {
            const geometry::BeltProfile &profile =
                *geometry::readProfile(fields.profile.toStdString())->profile;
            arguments << QStringLiteral("--teeth")
                      << (fewest ? read.typed(Field::fewestTeeth)
                                 : QString::number(profile.smallestPulley)) +
                             u':' +
                             (most ? read.typed(Field::mostTeeth)
                                   : QString::number(cli::mostTeethByDefault));
        }
    } else {
        read.teeth(Field::larger);
        read.teeth(Field::smaller);
        arguments << read.typed(Field::larger) << read.typed(Field::smaller);
    }
    if (fields.bySlot) {
        const std::optional<double> from = read.number(Field::slotFrom);
        const std::optional<double> to = read.positive(Field::slotTo);
        read.ordered(from, to, Field::slotFrom, Field::slotTo);
        arguments << QStringLiteral("--between") << range(Field::slotFrom, Field::slotTo);
    } else {
        read.positive(Field::distance);
        arguments << QStringLiteral("--near") << read.typed(Field::distance);
    }
    arguments << QStringLiteral("-p") << fields.profile;
    if (!read.typed(Field::stock).isEmpty())
        arguments << QStringLiteral("--stock") << read.typed(Field::stock);
    read.positive(Field::speed, true);
    reading.problems = std::move(read.problems);
    return reading;
}

QStringList driveArguments(const Fields &fields, const geometry::Design &drive,
                           const QLocale &locale) {
    const geometry::BeltProfile &profile =
        *geometry::readProfile(fields.profile.toStdString())->profile;
    QStringList arguments{
        QString::number(drive.larger), QString::number(drive.smaller),
        QString::fromStdString(geometry::formatNumber(geometry::beltCode(profile, drive.belt.teeth),
                                                      "0.#", locale.decimalPoint().toStdString())),
        QStringLiteral("-p"), fields.profile};
    if (!fields.speed.trimmed().isEmpty())
        arguments << QStringLiteral("--rpm") << fields.speed.trimmed();
    return arguments;
}

} // namespace designer
