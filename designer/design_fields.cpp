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
    {"Cinghia", nullptr}, // the command line's words
    {"Rapporto M/m", "il rapporto voluto, per esempio 3"},
    {"Rapporto fino a", ""},
    {"Giri della motrice", "i suoi giri al minuto, per esempio 1450"},
    {"Giri della condotta", "i giri al minuto voluti, per esempio 600 o 590:610"},
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

    // A number that must be there, or one that may be left empty; its four decimals rounded
    // as told.
    std::optional<double> number(Field field, bool optional = false,
                                 geometry::Rounding rounding = geometry::Rounding::nearest) {
        return number(field, m_fields[field], optional, rounding);
    }
    std::optional<double> number(Field field, const QString &text, bool optional = false,
                                 geometry::Rounding rounding = geometry::Rounding::nearest) {
        if (optional && text.trimmed().isEmpty())
            return std::nullopt;
        const auto &[heading, whatToType] = headings[static_cast<int>(field)];
        const common::Result<double> read = common::readField(
            text, QString::fromUtf8(heading),
            whatToType ? QString::fromUtf8(whatToType) : messages::whatToType(messages::belt),
            m_locale, rounding);
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
    std::optional<double> checked(Field field, Check check, bool optional = false,
                                  geometry::Rounding rounding = geometry::Rounding::nearest) {
        return checked(field, m_fields[field], check, optional, rounding);
    }
    std::optional<double> checked(Field field, const QString &text, Check check,
                                  bool optional = false,
                                  geometry::Rounding rounding = geometry::Rounding::nearest) {
        const std::optional<double> value = number(field, text, optional, rounding);
        if (value)
            if (const std::optional<QString> problem =
                    check(*value, headingOf(field), messages::Reader::window))
                return fail(field, *problem);
        return value;
    }
    // One value, or FROM:TO as the command line takes it, each end checked.
    std::optional<cli::Range> oneOrRange(Field field, Check check, const QString &example) {
        const QStringList ends = typed(field).split(u':');
        if (ends.size() > 2)
            return fail(field, messages::fieldRangeForm(headingOf(field), example));
        const std::optional<double> low = checked(field, ends.first(), check);
        const std::optional<double> high = low ? checked(field, ends.last(), check) : low;
        if (!high)
            return std::nullopt;
        if (*low > *high)
            return fail(field,
                        messages::fieldRangeBackwards(headingOf(field), ends.first().trimmed(),
                                                      ends.last().trimmed()));
        return cli::Range{*low, *high, ends.first().trimmed(), ends.last().trimmed()};
    }
    std::nullopt_t fail(Field field, const QString &message) {
        problems.push_back({field, message});
        return std::nullopt;
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
    const Fields &m_fields;
    const QLocale &m_locale;
};

// What a search's command carries of the loads: its rows are rated, not tensioned.
cli::LoadRequest searchLoads(const cli::LoadRequest &loads) {
    cli::LoadRequest asked;
    asked.power = loads.power;
    asked.serviceFactor = loads.serviceFactor;
    return asked;
}

} // namespace

QString &Fields::operator[](Field field) {
    return const_cast<QString &>(std::as_const(*this)[field]);
}

const QString &Fields::operator[](Field field) const {
    const QString *const fields[fieldCount] = {
        &larger,      &smaller,   &belt,     &ratio,    &ratioTo, &fromSpeed, &toSpeed,
        &fewestTeeth, &mostTeeth, &distance, &slotFrom, &slotTo,  &stock,     &speed};
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
    // Two pulleys, the larger first, and the texts of the larger and the smaller.
    struct TwoPulleys {
        cli::Pulleys pulleys;
        QString largerText, smallerText;
    };
    const auto pulleys = [&]() -> std::optional<TwoPulleys> {
        const std::optional<double> larger = read.teeth(Field::larger);
        const std::optional<double> smaller = read.teeth(Field::smaller);
        if (!larger || !smaller)
            return std::nullopt;
        if (*larger < *smaller)
            return TwoPulleys{cli::Pulleys{*smaller, *larger, true}, read.typed(Field::smaller),
                              read.typed(Field::larger)};
        return TwoPulleys{cli::Pulleys{*larger, *smaller, false}, read.typed(Field::larger),
                          read.typed(Field::smaller)};
    };
    const bool bySpeeds = fields.way == Way::speeds;
    // The shafts' speeds give each drive's own: the motor's is not asked again.
    if (!bySpeeds)
        reading.speed = read.checked(Field::speed, cli::speedProblem, true);
    if (fields.loads) {
        // A power needs the smaller pulley's speed, unless the shafts' speeds give each drive
        // its own.
        const bool speedTyped = bySpeeds || !read.typed(Field::speed).isEmpty();
        LoadReading loads = readLoads(
            fields.loadTexts, locale, profile,
            speedTyped ? std::nullopt : std::optional(headingOf(Field::speed)), std::nullopt, true);
        reading.loads = loads.loads;
        reading.loadProblems = std::move(loads.problems);
    }
    if (fields.way == Way::ratio || bySpeeds) {
        cli::DesignRequest design;
        design.profile = profile;
        if (bySpeeds) {
            const std::optional<double> from = read.checked(Field::fromSpeed, cli::speedProblem);
            const std::optional<cli::Range> to =
                read.oneOrRange(Field::toSpeed, cli::speedProblem, QStringLiteral("590:610"));
            if (from && to) {
                if (const std::optional<QString> problem =
                        cli::speedsProblem(*from, *to, headingOf(Field::fromSpeed),
                                           headingOf(Field::toSpeed), messages::Reader::window))
                    read.fail(Field::toSpeed, *problem);
                else
                    cli::setSpeeds(design, *value(Field::fromSpeed, from), *to,
                                   !read.typed(Field::toSpeed).contains(u':'));
            }
        } else {
            // A range holds what was typed: its ends rounded outward, as --ratio rounds them.
            const bool single = read.typed(Field::ratioTo).isEmpty();
            const std::optional<double> ratio =
                read.checked(Field::ratio, cli::ratioProblem, false,
                             single ? geometry::Rounding::nearest : geometry::Rounding::down);
            const std::optional<double> ratioTo =
                read.checked(Field::ratioTo, cli::ratioProblem, true, geometry::Rounding::up);
            read.ordered(ratio, ratioTo, Field::ratio, Field::ratioTo);
            if (ratio)
                cli::setRatio(design,
                              ratioTo ? *range(Field::ratio, Field::ratioTo, ratio, ratioTo)
                                      : cli::Range{*ratio, *ratio, read.typed(Field::ratio),
                                                   read.typed(Field::ratio)},
                              !ratioTo);
        }
        const std::optional<double> fewest =
            read.checked(Field::fewestTeeth, cli::searchTeethProblem, true);
        const std::optional<double> most =
            read.checked(Field::mostTeeth, cli::searchTeethProblem, true);
        read.ordered(fewest, most, Field::fewestTeeth, Field::mostTeeth);
        place();
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
        design.soundOnly = fields.soundOnly;
        design.loads = searchLoads(reading.loads);
        if (design.loads.power && !bySpeeds)
            design.speed = value(Field::speed, reading.speed);
        reading.request = design;
    } else if (fields.way == Way::oneBelt) {
        const std::optional<TwoPulleys> two = pulleys();
        const std::optional<double> code = read.number(Field::belt);
        if (two && code)
            reading.request = cli::OneBeltRequest{profile,
                                                  two->pulleys,
                                                  two->largerText,
                                                  two->smallerText,
                                                  *value(Field::belt, code),
                                                  reading.speed,
                                                  {},
                                                  {},
                                                  read.typed(Field::speed),
                                                  reading.loads};
    } else {
        const std::optional<TwoPulleys> two = pulleys();
        place();
        if (two) {
            cli::BeltListRequest list{profile, two->pulleys, std::nullopt,
                                      wanted,  slot,         stock,
                                      {},      {},           searchLoads(reading.loads)};
            if (list.loads.power)
                list.speed = value(Field::speed, reading.speed);
            reading.request = list;
        }
    }
    reading.problems = std::move(read.problems);
    if (!reading.problems.empty() || !reading.loadProblems.empty())
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
