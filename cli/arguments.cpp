#include "cli/arguments.h"

#include "common/calculation.h"
#include "common/messages.h"

#include "geometry/open_drive.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace cli {

namespace {

using common::ExitStatus;
using common::Problem;

Problem wrongUse(QString message) {
    return {std::move(message), ExitStatus::wrongUse};
}

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

common::Result<geometry::ProfileChoice> profileNamed(const QString &name) {
    const std::optional<geometry::ProfileChoice> choice = geometry::readProfile(name.toStdString());
    if (!choice) {
        QStringList names;
        for (const geometry::BeltProfile &profile : geometry::beltProfiles)
            names << fromView(profile.name);
        return wrongUse(messages::unknownProfile(name, names.join(QStringLiteral(", "))));
    }
    if (!geometry::hasValidWidth(*choice))
        return wrongUse(messages::widthMisread(name, fromView(choice->profile->name),
                                               choice->profile->family ==
                                                   geometry::BeltFamily::inchTrapezoidal));
    return *choice;
}

// A negative number is a value, not a cluster of options: it is hidden from the parser
// behind a mark that no typed number holds.
constexpr QChar negativeMark(0xE000);

QStringList markNegativeNumbers(QStringList arguments, const QStringList &takingValues) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const bool isValue = takingValues.contains(arguments[i - 1]);
        if (argument == QStringLiteral("--"))
            break;
        if (!isValue && argument.size() > 1 && argument[0] == u'-' &&
            (argument[1].isDigit() || argument[1] == u'.' || argument[1] == u','))
            arguments[i].prepend(negativeMark);
    }
    return arguments;
}

QString unmarked(QString text) {
    return text.startsWith(negativeMark) ? text.mid(1) : text;
}

// FROM:TO of an option: both ends read as the window reads a number, FROM not above TO;
// outward, each end rounded away from the other, so that the range holds what was typed.
common::Result<Range> readRange(const QString &text, const QString &option, messages::Input input,
                                const QString &example, const QLocale &locale,
                                bool outward = false) {
    using geometry::Rounding;
    const QStringList ends = text.split(u':');
    if (ends.size() != 2)
        return wrongUse(messages::rangeForm(option, example));
    const common::Result<double> low =
        common::readInput(ends[0], input, locale, outward ? Rounding::down : Rounding::nearest);
    const common::Result<double> high =
        low ? common::readInput(ends[1], input, locale, outward ? Rounding::up : Rounding::nearest)
            : low;
    if (!high)
        return high.problem();
    if (*low > *high)
        return wrongUse(messages::rangeBackwards(option, ends[1].trimmed(), ends[0].trimmed()));
    return Range{*low, *high, ends[0].trimmed(), ends[1].trimmed()};
}

// --ratio R (within 1 %) or FROM:TO, as M/m.
common::Result<DesignRequest> withRatio(DesignRequest request, const QString &text,
                                        const QLocale &locale) {
    const QString option = QStringLiteral("--ratio");
    const bool single = !text.contains(u':');
    const common::Result<Range> typed = single ? [&]() -> common::Result<Range> {
        const common::Result<double> value = common::readInput(text, messages::ratio, locale);
        if (!value)
            return value.problem();
        return Range{*value, *value, text.trimmed(), text.trimmed()};
    }()
        : readRange(text, option, messages::ratio, QStringLiteral("2.9:3.1"), locale, true);
    if (!typed)
        return typed.problem();
    if (const std::optional<QString> problem =
            ratioProblem(typed->low, option, messages::Reader::commandLine))
        return wrongUse(*problem);
    setRatio(request, *typed, single);
    return request;
}

// A speed typed for an option, read and checked.
common::Result<Value> readSpeed(const QString &text, const QString &option, const QLocale &locale) {
    const common::Result<double> read =
        common::readField(text, option, messages::whatToType(messages::speed), locale);
    if (!read)
        return read.problem();
    if (const std::optional<QString> problem =
            speedProblem(*read, option, messages::Reader::commandLine))
        return wrongUse(*problem);
    return Value{*read, text.trimmed()};
}

// --from-rpm F --to-rpm T (within 1 %) or FROM:TO: the ratio asked as speeds.
common::Result<DesignRequest> withSpeeds(DesignRequest request, const QString &fromText,
                                         const QString &toText, const QLocale &locale) {
    const QString fromOption = QStringLiteral("--from-rpm"), toOption = QStringLiteral("--to-rpm");
    const common::Result<Value> from = readSpeed(fromText, fromOption, locale);
    if (!from)
        return from.problem();
    const bool single = !toText.contains(u':');
    common::Result<Range> to = single ? [&]() -> common::Result<Range> {
        const common::Result<Value> speed = readSpeed(toText, toOption, locale);
        if (!speed)
            return speed.problem();
        return Range{speed->value, speed->value, speed->text, speed->text};
    }()
        : readRange(toText, toOption, messages::speed, QStringLiteral("590:610"), locale);
    if (!to)
        return to.problem();
    for (double end : {to->low, to->high})
        if (const std::optional<QString> problem =
                speedProblem(end, toOption, messages::Reader::commandLine))
            return wrongUse(*problem);
    if (const std::optional<QString> problem =
            speedsProblem(from->value, *to, fromOption, toOption))
        return wrongUse(*problem);
    setSpeeds(request, *from, *to, single);
    return request;
}

// The command line's options, each with its help.
struct Options {
    QCommandLineOption help, profile, profiles, belts, near, between, ratio, fromRpm, toRpm, teeth,
        soundOnly, stock, rpm, all, svg, dxf, csv, design, layout, tension, frequency, span, mass,
        power, serviceFactor;
};

Options options() {
    using messages::Help;
    const auto option = [](const char *name, Help help, const char *value = nullptr) {
        return value ? QCommandLineOption(QString::fromLatin1(name), messages::help(help),
                                          QString::fromLatin1(value))
                     : QCommandLineOption(QString::fromLatin1(name), messages::help(help));
    };
    // Qt's own help option has no Italian text.
    return {QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                               messages::help(Help::help)),
            QCommandLineOption({QStringLiteral("p"), QStringLiteral("profile")},
                               messages::help(Help::profile), QStringLiteral("profilo"),
                               QStringLiteral("XL037")),
            option("profiles", Help::profiles),
            option("belts", Help::belts, "DA:A"),
            option("near", Help::near, "MM"),
            option("between", Help::between, "MIN:MAX"),
            option("ratio", Help::ratio, "R"),
            option("from-rpm", Help::fromRpm, "N"),
            option("to-rpm", Help::toRpm, "N"),
            option("teeth", Help::teeth, "A:B"),
            option("sound-only", Help::soundOnly),
            option("stock", Help::stock, "FILE"),
            option("rpm", Help::rpm, "N"),
            option("all", Help::all),
            option("svg", Help::svg, "FILE"),
            option("dxf", Help::dxf, "FILE"),
            option("csv", Help::csv),
            option("design", Help::design),
            option("layout", Help::layout, "FILE"),
            option("tension", Help::tension, "N"),
            option("frequency", Help::frequency, "HZ"),
            option("span", Help::span, "A-B"),
            option("mass", Help::mass, "KG_PER_M"),
            option("power", Help::power, "KW"),
            option("service-factor", Help::serviceFactor, "F")};
}

QString optionName(const QCommandLineOption &option) {
    return QStringLiteral("--") + option.names().constLast();
}

// Every option as it may be typed, with - or --.
QStringList typedNames(const std::vector<const QCommandLineOption *> &all) {
    QStringList names;
    for (const QCommandLineOption *option : all)
        for (const QString &name : option->names())
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    return names;
}

// Given twice, an option would keep one of its values and drop the other.
std::optional<Problem> repeated(const QCommandLineParser &parser,
                                const std::vector<const QCommandLineOption *> &all) {
    const QStringList given = parser.optionNames();
    for (const QCommandLineOption *option : all) {
        qsizetype times = 0;
        for (const QString &name : option->names())
            times += given.count(name);
        if (times > 1)
            return wrongUse(messages::optionRepeated(optionName(*option)));
    }
    return std::nullopt;
}

// A file option followed by another option took that option for its file: --svg --dxf.
std::optional<Problem> fileTakenByOption(const QCommandLineParser &parser, const Options &o,
                                         const QStringList &names) {
    for (const QCommandLineOption *option : {&o.svg, &o.dxf, &o.stock, &o.layout}) {
        const QString typed = unmarked(parser.value(*option));
        if (parser.isSet(*option) && names.contains(typed.section(u'=', 0, 0)))
            return wrongUse(messages::fileMissing(optionName(*option), typed));
    }
    return std::nullopt;
}

// Whether two paths lead to one file: the same file where it exists, through any link, or else
// the same name in the same folder.
bool sameFile(const QString &first, const QString &second) {
    std::error_code error;
    if (std::filesystem::equivalent(QFile::encodeName(first).toStdString(),
                                    QFile::encodeName(second).toStdString(), error))
        return true;
    const auto place = [](const QString &path) {
        const QFileInfo file(QFileInfo(path).absoluteFilePath());
        const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
        return (folder.isEmpty() ? file.absolutePath() : folder) + u'/' + file.fileName();
    };
    return place(first) == place(second);
}

// Whether a drawing written to this path would replace this file that is read: the same
// regular file, on the same device, by any name.
bool replacesInput(const QString &drawing, const QString &input) {
    struct stat drawn {};
    struct stat read {};
    return stat(QFile::encodeName(drawing).constData(), &drawn) == 0 &&
           stat(QFile::encodeName(input).constData(), &read) == 0 && S_ISREG(read.st_mode) &&
           drawn.st_dev == read.st_dev && drawn.st_ino == read.st_ino;
}

// Whether this path is the program's standard output, where a drawing given as "-" goes.
bool isStandardOutput(const QString &path) {
    struct stat named {};
    struct stat output {};
    return stat(QFile::encodeName(path).constData(), &named) == 0 &&
           fstat(STDOUT_FILENO, &output) == 0 && named.st_dev == output.st_dev &&
           named.st_ino == output.st_ino;
}

// The options of the belt's loads that do not go with the form, or together.
std::optional<Problem> loadsProblem(const QCommandLineParser &parser, const Options &o, bool drawn,
                                    Request::Form form) {
    // A search's rows carry a rating, not a tension.
    for (const QCommandLineOption *option : {&o.tension, &o.frequency, &o.span, &o.mass})
        if (parser.isSet(*option) && !drawn)
            return wrongUse(messages::loadsOnlyForOneBelt(optionName(*option)));
    if (parser.isSet(o.tension) && parser.isSet(o.frequency))
        return wrongUse(messages::optionsApart(optionName(o.tension), optionName(o.frequency)));
    if (parser.isSet(o.span) && (form != Request::Form::layout || !parser.isSet(o.frequency)))
        return wrongUse(messages::spanOnlyForLayoutFrequency());
    if (parser.isSet(o.power) && !parser.isSet(o.rpm) && !parser.isSet(o.fromRpm))
        return wrongUse(messages::powerNeedsSpeed());
    if (parser.isSet(o.serviceFactor) && !parser.isSet(o.power))
        return wrongUse(messages::serviceFactorNeedsPower());
    if (parser.isSet(o.mass) && !parser.isSet(o.tension) && !parser.isSet(o.frequency))
        return wrongUse(messages::massNeedsTension());
    return std::nullopt;
}

// Which form the options and the values typed ask for, and the options that do not go with it.
common::Result<Request::Form> formOf(const QCommandLineParser &parser, const Options &o,
                                     qsizetype values) {
    if (parser.isSet(o.layout)) {
        for (const QCommandLineOption *option : {&o.near, &o.between, &o.belts, &o.ratio, &o.teeth,
                                                 &o.fromRpm, &o.toRpm, &o.soundOnly})
            if (parser.isSet(*option))
                return wrongUse(messages::optionsApart(optionName(*option), optionName(o.layout)));
        if (values > 1)
            return wrongUse(messages::layoutForm());
        // A belt is the answer: there is no list to show whole or to take from a stock list.
        if (values == 1 && parser.isSet(o.all))
            return wrongUse(messages::layoutAllUnused());
        if (values == 1 && parser.isSet(o.stock))
            return wrongUse(messages::layoutStockWithBelt());
    }
    for (const auto &[first, second] : {std::pair{&o.between, &o.belts},
                                        {&o.between, &o.near},
                                        {&o.ratio, &o.belts},
                                        {&o.fromRpm, &o.ratio},
                                        {&o.toRpm, &o.ratio},
                                        {&o.rpm, &o.fromRpm}})
        if (parser.isSet(*first) && parser.isSet(*second))
            return wrongUse(messages::optionsApart(optionName(*first), optionName(*second)));
    if (parser.isSet(o.fromRpm) != parser.isSet(o.toRpm))
        return wrongUse(messages::speedsTogether());
    const bool ratio = parser.isSet(o.ratio) || parser.isSet(o.fromRpm);
    Request::Form form = Request::Form::oneBelt;
    if (parser.isSet(o.layout)) {
        form = Request::Form::layout;
    } else if (ratio || parser.isSet(o.teeth)) {
        if (values != 0 || !(parser.isSet(o.between) || parser.isSet(o.near)) || !ratio)
            return wrongUse(messages::designSearchForm());
        form = Request::Form::design;
    } else if (parser.isSet(o.between)) {
        if (values != 2)
            return wrongUse(messages::slotForm());
        form = Request::Form::slot;
    } else {
        const bool searches = parser.isSet(o.belts) || parser.isSet(o.near);
        if (values != (searches ? 2 : 3))
            return wrongUse(searches ? messages::searchTakesTwoPulleys()
                                     : messages::oneBeltTakesThreeValues());
        form = parser.isSet(o.near)    ? Request::Form::nearest
               : parser.isSet(o.belts) ? Request::Form::belts
                                       : Request::Form::oneBelt;
    }
    const bool drawn = form == Request::Form::oneBelt || form == Request::Form::layout;
    if (parser.isSet(o.rpm) && !drawn && form != Request::Form::design && !parser.isSet(o.power))
        return wrongUse(messages::speedOnlyForOneBelt());
    if (const std::optional<Problem> problem = loadsProblem(parser, o, drawn, form))
        return *problem;
    if ((parser.isSet(o.svg) || parser.isSet(o.dxf)) && !drawn)
        return wrongUse(messages::drawingOnlyForOneBelt());
    if (parser.isSet(o.stock) && form == Request::Form::oneBelt)
        return wrongUse(messages::stockOnlyForLists());
    if (parser.isSet(o.all) && form != Request::Form::design && form != Request::Form::layout)
        return wrongUse(messages::allOnlyForDesigns());
    if (parser.isSet(o.soundOnly) && form != Request::Form::design)
        return wrongUse(messages::soundOnlyForDesigns());
    const QString svg = unmarked(parser.value(o.svg)), dxf = unmarked(parser.value(o.dxf));
    for (const QCommandLineOption *option : {&o.svg, &o.dxf})
        if (parser.isSet(*option) && unmarked(parser.value(*option)).isEmpty())
            return wrongUse(messages::drawingWithoutFile(optionName(*option)));
    if (parser.isSet(o.svg) && parser.isSet(o.dxf)) {
        if ((svg == u'-' || isStandardOutput(svg)) && (dxf == u'-' || isStandardOutput(dxf)) &&
            (svg == u'-' || dxf == u'-'))
            return wrongUse(messages::oneDrawingOnTheOutput());
        if (svg != u'-' && dxf != u'-' && sameFile(svg, dxf))
            return wrongUse(messages::sameDrawingFile(dxf));
    }
    for (const auto &[drawing, text] : {std::pair{&o.svg, svg}, {&o.dxf, dxf}})
        for (const QCommandLineOption *input : {&o.layout, &o.stock})
            if (parser.isSet(*drawing) && parser.isSet(*input) && text != u'-' &&
                replacesInput(text, unmarked(parser.value(*input))))
                return wrongUse(messages::drawingOverInput(optionName(*drawing), text,
                                                           optionName(*input),
                                                           unmarked(parser.value(*input))));
    // A drawing on standard output goes there alone: no results to write as CSV or with speeds.
    const QCommandLineOption *onTheOutput = svg == u'-' ? &o.svg : dxf == u'-' ? &o.dxf : nullptr;
    for (const QCommandLineOption *option : {&o.csv, &o.rpm, &o.tension, &o.frequency, &o.power})
        if (onTheOutput && parser.isSet(*option))
            return wrongUse(messages::optionsApart(optionName(*option), optionName(*onTheOutput) +
                                                                            QStringLiteral(" -")));
    return form;
}

// The value of an option typed, read as the window reads a number.
common::Result<std::optional<Value>> optionalValue(const std::optional<QString> &text,
                                                   messages::Input input, const QLocale &locale) {
    if (!text)
        return std::optional<Value>{};
    const common::Result<double> read = common::readInput(*text, input, locale);
    if (!read)
        return read.problem();
    return std::optional<Value>{Value{*read, text->trimmed()}};
}

// The loads' values, each above 0 and named by its option where it is not.
common::Result<LoadRequest> readLoads(const QCommandLineParser &parser, const Options &o,
                                      const QLocale &locale) {
    LoadRequest loads;
    if (parser.isSet(o.span))
        loads.span = unmarked(parser.value(o.span)).trimmed();
    struct LoadOption {
        const QCommandLineOption &option;
        const char *example;
        std::optional<Value> &field;
    };
    for (const LoadOption &load :
         {LoadOption{o.tension, "300", loads.tension},
          LoadOption{o.frequency, "120", loads.frequency}, LoadOption{o.mass, "0.03", loads.mass},
          LoadOption{o.power, "0.75", loads.power},
          LoadOption{o.serviceFactor, "1.5", loads.serviceFactor}}) {
        if (!parser.isSet(load.option))
            continue;
        const QString name = optionName(load.option);
        const QString example =
            QString::fromLatin1(load.example).replace(u'.', locale.decimalPoint());
        const QString text = unmarked(parser.value(load.option));
        const common::Result<double> read =
            common::readField(text, name, messages::loadToType(name, example), locale);
        if (!read)
            return read.problem();
        if (!(*read > 0)) {
            const common::Result<double> roundedUp =
                common::readField(text, name, {}, locale, geometry::Rounding::up);
            return wrongUse(roundedUp && *roundedUp > 0 ? messages::loadRoundedToZero(name, example)
                                                        : messages::loadNotPositive(name, example));
        }
        load.field = Value{*read, text.trimmed()};
    }
    return loads;
}

// --rpm and the loads, which every form but the profiles' list reads alike.
struct SpeedAndLoads {
    std::optional<Value> speed;
    LoadRequest loads;
};

common::Result<SpeedAndLoads> readSpeedAndLoads(const QCommandLineParser &parser, const Options &o,
                                                const QLocale &locale) {
    SpeedAndLoads read;
    if (parser.isSet(o.rpm)) {
        const common::Result<Value> speed =
            readSpeed(unmarked(parser.value(o.rpm)), optionName(o.rpm), locale);
        if (!speed)
            return speed.problem();
        read.speed = *speed;
    }
    const common::Result<LoadRequest> loads = readLoads(parser, o, locale);
    if (!loads)
        return loads.problem();
    read.loads = *loads;
    return read;
}

// The values of the request's options, each read and checked before anything is computed:
// the ranges first, then the pulleys, the belt and the distance in the order typed.
common::Result<Request> withValues(Request request, const QStringList &inputs,
                                   const QCommandLineParser &parser, const Options &o,
                                   const QLocale &locale) {
    const auto value = [&](const QCommandLineOption &option) {
        return parser.isSet(option) ? std::optional(unmarked(parser.value(option))) : std::nullopt;
    };
    std::optional<Range> codes, slot;
    struct RangeOption {
        const QCommandLineOption &option;
        messages::Input input;
        const char *example;
        std::optional<Range> &field;
    };
    for (const RangeOption &range :
         {RangeOption{o.belts, messages::belt, "100:400", codes},
          RangeOption{o.between, messages::centreDistance, "150:250", slot}}) {
        if (!parser.isSet(range.option))
            continue;
        const common::Result<Range> read =
            readRange(*value(range.option), optionName(range.option), range.input,
                      QString::fromLatin1(range.example), locale);
        if (!read)
            return read.problem();
        range.field = *read;
    }
    const std::optional<QString> stock = value(o.stock);
    if (request.form == Request::Form::layout) {
        LayoutRequest layout;
        layout.file = *value(o.layout);
        layout.stock = stock;
        layout.all = parser.isSet(o.all);
        layout.svg = value(o.svg);
        layout.dxf = value(o.dxf);
        if (layout.file.isEmpty())
            return wrongUse(messages::layoutWithoutFile());
        if (stock && stock->isEmpty())
            return wrongUse(messages::stockWithoutFile());
        if (parser.isSet(o.profile))
            layout.profile = request.profile;
        const common::Result<SpeedAndLoads> speedAndLoads = readSpeedAndLoads(parser, o, locale);
        if (!speedAndLoads)
            return speedAndLoads.problem();
        layout.speed = speedAndLoads->speed;
        layout.loads = speedAndLoads->loads;
        if (!inputs.isEmpty()) {
            const common::Result<LayoutBelt> belt = readLayoutBelt(inputs[0], locale);
            if (!belt)
                return belt.problem();
            layout.belt = *belt;
        }
        request.asked = std::move(layout);
        return request;
    }
    if (request.form == Request::Form::design) {
        DesignRequest design;
        design.profile = request.profile;
        const common::Result<DesignRequest> withIt =
            parser.isSet(o.ratio)
                ? withRatio(std::move(design), *value(o.ratio), locale)
                : withSpeeds(std::move(design), *value(o.fromRpm), *value(o.toRpm), locale);
        if (!withIt)
            return withIt.problem();
        design = *withIt;
        design.teethTyped = parser.isSet(o.teeth);
        const Range byDefault = defaultTeeth(request.profile);
        const QString text =
            design.teethTyped ? *value(o.teeth) : byDefault.lowText + u':' + byDefault.highText;
        const common::Result<Range> range =
            readRange(text, optionName(o.teeth), messages::teeth, QStringLiteral("14:80"), locale);
        if (!range)
            return range.problem();
        for (double end : {range->low, range->high})
            if (std::optional<QString> problem =
                    searchTeethProblem(end, optionName(o.teeth), messages::Reader::commandLine))
                return wrongUse(*problem);
        design.teeth = *range;
        if (stock && stock->isEmpty())
            return wrongUse(messages::stockWithoutFile());
        design.stock = stock;
        design.slot = slot;
        design.all = parser.isSet(o.all);
        design.soundOnly = parser.isSet(o.soundOnly);
        const common::Result<SpeedAndLoads> speedAndLoads = readSpeedAndLoads(parser, o, locale);
        if (!speedAndLoads)
            return speedAndLoads.problem();
        design.speed = speedAndLoads->speed;
        design.loads = speedAndLoads->loads;
        const common::Result<std::optional<Value>> wanted =
            optionalValue(value(o.near), messages::centreDistance, locale);
        if (!wanted)
            return wanted.problem();
        design.wanted = *wanted;
        request.asked = std::move(design);
        return request;
    }
    if (stock && stock->isEmpty())
        return wrongUse(messages::stockWithoutFile());
    const common::Result<Pulleys> pulleys = readPulleys(inputs[0], inputs[1], locale);
    if (!pulleys)
        return pulleys.problem();
    if (request.form == Request::Form::oneBelt) {
        OneBeltRequest one{request.profile, *pulleys,     {}, {}, {}, {},
                           value(o.svg),    value(o.dxf), {}, {}};
        const int larger = pulleys->swapped ? 1 : 0;
        one.largerText = inputs[larger];
        one.smallerText = inputs[1 - larger];
        const common::Result<double> code = common::readInput(inputs[2], messages::belt, locale);
        if (!code)
            return code.problem();
        one.code = Value{*code, inputs[2].trimmed()};
        const common::Result<SpeedAndLoads> speedAndLoads = readSpeedAndLoads(parser, o, locale);
        if (!speedAndLoads)
            return speedAndLoads.problem();
        if (speedAndLoads->speed) {
            one.speed = speedAndLoads->speed->value;
            one.speedText = speedAndLoads->speed->text;
        }
        one.loads = speedAndLoads->loads;
        request.asked = std::move(one);
        return request;
    }
    BeltListRequest list{request.profile, *pulleys, codes, {}, slot, stock, {}, {}, {}};
    const common::Result<SpeedAndLoads> speedAndLoads = readSpeedAndLoads(parser, o, locale);
    if (!speedAndLoads)
        return speedAndLoads.problem();
    list.speed = speedAndLoads->speed;
    list.loads = speedAndLoads->loads;
    const common::Result<std::optional<Value>> wanted =
        optionalValue(value(o.near), messages::centreDistance, locale);
    if (!wanted)
        return wanted.problem();
    list.wanted = *wanted;
    request.asked = std::move(list);
    return request;
}

} // namespace

common::Result<Request> readArguments(const QStringList &arguments, const QLocale &locale) {
    using messages::Help;
    const Options o = options();
    QCommandLineParser parser;
    parser.setApplicationDescription(messages::help(Help::description));
    parser.addOption(o.help);
    const QCommandLineOption version = parser.addVersionOption();
    const std::vector<const QCommandLineOption *> all{
        &o.help,      &version,   &o.profile, &o.profiles, &o.belts,        &o.near,   &o.between,
        &o.ratio,     &o.fromRpm, &o.toRpm,   &o.teeth,    &o.soundOnly,    &o.stock,  &o.rpm,
        &o.all,       &o.svg,     &o.dxf,     &o.csv,      &o.design,       &o.layout, &o.tension,
        &o.frequency, &o.span,    &o.mass,    &o.power,    &o.serviceFactor};
    for (const QCommandLineOption *option : all)
        if (option != &o.help && option != &version)
            parser.addOption(*option);
    parser.addPositionalArgument(QStringLiteral("maggiore"), messages::help(Help::largerPulley));
    parser.addPositionalArgument(QStringLiteral("minore"), messages::help(Help::smallerPulley));
    parser.addPositionalArgument(QStringLiteral("cinghia"), messages::help(Help::belt),
                                 QStringLiteral("[cinghia]"));

    QStringList valueOptions{QStringLiteral("-p")};
    for (const QCommandLineOption *option :
         {&o.profile, &o.belts, &o.near, &o.between, &o.ratio, &o.fromRpm, &o.toRpm, &o.teeth,
          &o.stock, &o.rpm, &o.svg, &o.dxf, &o.layout, &o.tension, &o.frequency, &o.span, &o.mass,
          &o.power, &o.serviceFactor})
        valueOptions << optionName(*option);
    if (!parser.parse(markNegativeNumbers(arguments, valueOptions)))
        return wrongUse(parser.errorText());
    Request request;
    if (parser.isSet(o.help)) {
        request.helpText = parser.helpText();
        return request;
    }
    if (parser.isSet(version)) {
        request.form = Request::Form::version;
        return request;
    }
    if (const std::optional<Problem> problem = repeated(parser, all))
        return *problem;
    if (const std::optional<Problem> problem = fileTakenByOption(parser, o, typedNames(all)))
        return *problem;
    // Alone, the program opens the designer's window before the command line is asked.
    if (parser.isSet(o.design))
        return wrongUse(messages::designWindowAlone());
    const common::Result<geometry::ProfileChoice> choice =
        profileNamed(unmarked(parser.value(o.profile)));
    if (!choice)
        return choice.problem();
    request.profile = *choice;
    request.csv = parser.isSet(o.csv);
    if (parser.isSet(o.profiles)) {
        for (const QCommandLineOption *option : all)
            if (parser.isSet(*option) && !QList{&o.profiles, &o.profile, &o.csv}.contains(option))
                return wrongUse(
                    messages::optionsApart(optionName(*option), optionName(o.profiles)));
        if (!parser.positionalArguments().isEmpty())
            return wrongUse(messages::profilesAlone());
        request.form = Request::Form::profiles;
        return request;
    }
    QStringList inputs;
    for (const QString &input : parser.positionalArguments())
        inputs << unmarked(input);
    const common::Result<Request::Form> form = formOf(parser, o, inputs.size());
    if (!form)
        return form.problem();
    request.form = *form;
    return withValues(request, inputs, parser, o, locale);
}

std::optional<QString> searchTeethProblem(double teeth, const QString &name,
                                          messages::Reader reader) {
    if (geometry::isWholeTeeth(teeth) && teeth >= 1 && teeth <= mostTeethOfSearch)
        return std::nullopt;
    return messages::notWholeTeeth(name, mostTeethOfSearch, reader);
}

std::optional<QString> ratioProblem(double ratio, const QString &name, messages::Reader reader) {
    if (ratio > 0)
        return std::nullopt;
    return messages::notPositive(name, reader);
}

std::optional<QString> speedProblem(double speed, const QString &name, messages::Reader reader) {
    if (speed > 0)
        return std::nullopt;
    return messages::speedNotPositive(name, reader);
}

namespace {

double atLeastOne(double ratio) {
    return ratio >= 1 ? ratio : 1 / ratio;
}

} // namespace

void setRatio(DesignRequest &request, const Range &typed, bool single) {
    double low = atLeastOne(typed.low), high = atLeastOne(typed.high);
    if (typed.low < 1 && typed.high > 1) // a range round 1: from 1 to the farther end
        low = 1, high = std::max(low, std::max(1 / typed.low, typed.high));
    if (low > high)
        std::swap(low, high);
    request.wantedRatio = single ? low : (low + high) / 2;
    if (single) // within 1 %
        low *= 0.99, high *= 1.01;
    request.ratio = Range{low, high, typed.lowText, typed.highText};
    request.withinOnePercent = single;
}

void setSpeeds(DesignRequest &request, const Value &from, const Range &to, bool single) {
    setRatio(request, Range{from.value / to.high, from.value / to.low, {}, {}}, single);
    if (!single)
        request.wantedRatio = atLeastOne(from.value / ((to.low + to.high) / 2));
    request.fromSpeed = from;
    request.toSpeeds = to;
}

std::optional<QString> speedsProblem(double from, const Range &to, const QString &fromName,
                                     const QString &toName, messages::Reader reader) {
    if (to.low < from && to.high > from)
        return messages::drivenSpeedsAround(fromName, toName, reader);
    return std::nullopt;
}

bool largerDrives(const DesignRequest &request) {
    return request.fromSpeed && request.toSpeeds &&
           request.toSpeeds->high > request.fromSpeed->value;
}

Range defaultTeeth(const geometry::ProfileChoice &profile) {
    const int fewest = profile.profile->smallestPulley;
    return {double(fewest), double(mostTeethByDefault), QString::number(fewest),
            QString::number(mostTeethByDefault)};
}

namespace {

QString rangeText(const Range &range) {
    return range.lowText + u':' + range.highText;
}

// The distance or the slot, then the profile and the stock list.
void addPlace(QStringList &command, const geometry::ProfileChoice &profile,
              const std::optional<Value> &wanted, const std::optional<Range> &slot,
              const std::optional<QString> &stock) {
    if (slot)
        command << QStringLiteral("--between") << rangeText(*slot);
    if (wanted)
        command << QStringLiteral("--near") << wanted->text;
    command << QStringLiteral("-p") << QString::fromStdString(geometry::profileName(profile));
    if (stock)
        command << QStringLiteral("--stock") << *stock;
}

} // namespace

namespace {

void addLoads(QStringList &command, const LoadRequest &loads) {
    for (const auto &[option, value] : {std::pair{"--tension", &loads.tension},
                                        {"--frequency", &loads.frequency},
                                        {"--mass", &loads.mass},
                                        {"--power", &loads.power},
                                        {"--service-factor", &loads.serviceFactor}})
        if (*value)
            command << QString::fromLatin1(option) << (*value)->text;
    if (loads.span)
        command << QStringLiteral("--span") << *loads.span;
}

} // namespace

QStringList commandOf(const BeltListRequest &request) {
    const Pulleys &pulleys = request.pulleys;
    QStringList command{QStringLiteral("interasse")};
    for (double teeth : pulleys.swapped ? std::array{pulleys.smaller, pulleys.larger}
                                        : std::array{pulleys.larger, pulleys.smaller})
        command << QString::number(teeth, 'f', QLocale::FloatingPointShortest);
    if (request.codes)
        command << QStringLiteral("--belts") << rangeText(*request.codes);
    addPlace(command, request.profile, request.wanted, request.slot, request.stock);
    if (request.speed)
        command << QStringLiteral("--rpm") << request.speed->text;
    addLoads(command, request.loads);
    return command;
}

QStringList commandOf(const OneBeltRequest &request) {
    QStringList command{QStringLiteral("interasse")};
    if (request.pulleys.swapped)
        command << request.smallerText << request.largerText;
    else
        command << request.largerText << request.smallerText;
    command << request.code.text << QStringLiteral("-p")
            << QString::fromStdString(geometry::profileName(request.profile));
    if (request.speed)
        command << QStringLiteral("--rpm") << request.speedText;
    addLoads(command, request.loads);
    return command;
}

QStringList commandOf(const DesignRequest &request) {
    QStringList command{QStringLiteral("interasse")};
    const auto asTyped = [&](const Range &range) {
        return request.withinOnePercent ? range.lowText : rangeText(range);
    };
    if (request.fromSpeed && request.toSpeeds)
        command << QStringLiteral("--from-rpm") << request.fromSpeed->text
                << QStringLiteral("--to-rpm") << asTyped(*request.toSpeeds);
    else
        command << QStringLiteral("--ratio") << asTyped(request.ratio);
    if (request.speed)
        command << QStringLiteral("--rpm") << request.speed->text;
    if (request.teethTyped)
        command << QStringLiteral("--teeth") << rangeText(request.teeth);
    addPlace(command, request.profile, request.wanted, request.slot, request.stock);
    if (request.all)
        command << QStringLiteral("--all");
    if (request.soundOnly)
        command << QStringLiteral("--sound-only");
    addLoads(command, request.loads);
    return command;
}

QStringList commandOf(const LayoutRequest &request) {
    QStringList command{QStringLiteral("interasse"), QStringLiteral("--layout"), request.file};
    if (request.belt)
        command << request.belt->text;
    if (request.profile)
        command << QStringLiteral("-p")
                << QString::fromStdString(geometry::profileName(*request.profile));
    if (request.stock)
        command << QStringLiteral("--stock") << *request.stock;
    if (request.all)
        command << QStringLiteral("--all");
    for (const auto &[option, file] : {std::pair{"--svg", &request.svg}, {"--dxf", &request.dxf}})
        if (*file)
            command << QString::fromLatin1(option) << **file;
    if (request.speed)
        command << QStringLiteral("--rpm") << request.speed->text;
    addLoads(command, request.loads);
    return command;
}

common::Result<LayoutBelt> readLayoutBelt(const QString &typed, const QLocale &locale) {
    const QString text = typed.trimmed();
    if (const std::optional<geometry::NamedBelt> named = geometry::readBeltName(text.toStdString()))
        return LayoutBelt{text, 0, named->profile, named->teeth};
    const common::Result<double> code = common::readInput(text, messages::belt, locale);
    if (!code)
        return code.problem();
    return LayoutBelt{text, *code, nullptr, 0};
}

} // namespace cli
