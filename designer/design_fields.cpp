#include "designer/design_fields.h"

#include "cli/arguments.h"
#include "cli/requests.h"
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
    // A value that the command line checks as well, by the same check.
    using Check = std::optional<QString> (*)(double, const QString &, messages::Reader);
    std::optional<double> checked(Field field, Check check, bool optional = false) {
        const std::optional<double> value = number(field, optional);
        if (value)
            if (const std::optional<QString> problem =
                    check(*value, headingOf(field), messages::Reader::window))
                return fail(field, *problem);
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
    const geometry::ProfileChoice profile = *geometry::readProfile(fields.profile.toStdString());
    const auto value = [&](Field field, std::optional<double> number) {
        return number ? std::optional(cli::Value{*number, read.typed(field)}) : std::nullopt;
    };
    const auto range = [&](Field from, Field to, std::optional<double> low,
                           std::optional<double> high) {
        return low && high
                   ? std::optional(cli::Range{*low, *high, read.typed(from), read.typed(to)})
                   : std::nullopt;
    };
    std::optional<cli::Range> slot;
    std::optional<cli::Value> wanted;
    const auto place = [&] {
        if (fields.bySlot) {
            const std::optional<double> from = read.number(Field::slotFrom);
            const std::optional<double> to = read.positive(Field::slotTo);
            read.ordered(from, to, Field::slotFrom, Field::slotTo);
            slot = range(Field::slotFrom, Field::slotTo, from, to);
        } else {
            wanted = value(Field::distance, read.positive(Field::distance));
        }
    };
    const std::optional<QString> stock =
        read.typed(Field::stock).isEmpty() ? std::nullopt : std::optional(read.typed(Field::stock));
    if (fields.byRatio) {
        const std::optional<double> ratio = read.checked(Field::ratio, cli::ratioProblem);
        const std::optional<double> ratioTo = read.checked(Field::ratioTo, cli::ratioProblem, true);
        read.ordered(ratio, ratioTo, Field::ratio, Field::ratioTo);
        const std::optional<double> fewest =
            read.checked(Field::fewestTeeth, cli::searchTeethProblem, true);
        const std::optional<double> most =
            read.checked(Field::mostTeeth, cli::searchTeethProblem, true);
        read.ordered(fewest, most, Field::fewestTeeth, Field::mostTeeth);
        place();
        cli::DesignRequest design;
        design.profile = profile;
        if (ratio)
            cli::setRatio(design,
                          ratioTo ? *range(Field::ratio, Field::ratioTo, ratio, ratioTo)
                                  : cli::Range{*ratio, *ratio, read.typed(Field::ratio),
                                               read.typed(Field::ratio)},
                          !ratioTo);
        // An end left empty is the command line's own.
        cli::Range teeth = cli::defaultTeeth(profile);
        if (fewest)
            teeth.low = *fewest, teeth.lowText = read.typed(Field::fewestTeeth);
        if (most)
            teeth.high = *most, teeth.highText = read.typed(Field::mostTeeth);
        design.teeth = teeth;
        design.teethTyped = fewest || most;
        design.wanted = wanted;
        design.slot = slot;
        design.stock = stock;
        reading.request = design;
    } else {
        const std::optional<double> larger = read.teeth(Field::larger);
        const std::optional<double> smaller = read.teeth(Field::smaller);
        place();
        if (larger && smaller)
            reading.request =
                cli::BeltListRequest{profile,
                                     *larger < *smaller ? cli::Pulleys{*smaller, *larger, true}
                                                        : cli::Pulleys{*larger, *smaller, false},
                                     std::nullopt,
                                     wanted,
                                     slot,
                                     stock,
                                     {}};
    }
    reading.speed = read.checked(Field::speed, cli::speedProblem, true);
    reading.problems = std::move(read.problems);
    if (!reading.problems.empty())
        reading.request = std::monostate{};
    return reading;
}

QStringList commandOf(const Asked &request) {
    QStringList command = std::visit(
        [](const auto &asked) {
            if constexpr (std::is_same_v<std::decay_t<decltype(asked)>, std::monostate>)
                return QStringList{};
            else
                return cli::commandOf(asked);
        },
        request);
    if (!command.isEmpty())
        command.removeFirst(); // the program's name
    return command;
}

} // namespace designer
