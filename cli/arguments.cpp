#include "cli/arguments.h"

#include "common/calculation.h"
#include "common/messages.h"

#include "geometry/open_drive.h"

#include <QCommandLineParser>

#include <algorithm>

namespace cli {

namespace {

using common::ExitStatus;
using common::Problem;

// Pulleys of more teeth than this are no search that ends in reasonable time.
constexpr double maxTeethOfSearch = 10000;

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

// FROM:TO of an option: both ends read as the window reads a number, FROM not above TO.
common::Result<Range> readRange(const QString &text, const QString &option, messages::Input input,
                                const QString &example, const QLocale &locale) {
    const QStringList ends = text.split(u':');
    if (ends.size() != 2)
        return wrongUse(messages::rangeForm(option, example));
    const common::Result<double> low = common::readInput(ends[0], input, locale);
    const common::Result<double> high = low ? common::readInput(ends[1], input, locale) : low;
    if (!high)
        return high.problem();
    if (*low > *high)
        return wrongUse(messages::rangeBackwards(option, ends[1].trimmed(), ends[0].trimmed()));
    return Range{*low, *high, ends[0].trimmed(), ends[1].trimmed()};
}

// --ratio R (within 1 %) or FROM:TO, as M/m: a ratio below 1 is read as its inverse.
common::Result<Request> withRatio(Request request, const QString &text, const QLocale &locale) {
    const QString option = QStringLiteral("--ratio");
    const bool single = !text.contains(u':');
    const common::Result<Range> typed = single ? [&]() -> common::Result<Range> {
        const common::Result<double> value = common::readInput(text, messages::ratio, locale);
        if (!value)
            return value.problem();
        return Range{*value, *value, text.trimmed(), text.trimmed()};
    }()
        : readRange(text, option, messages::ratio, QStringLiteral("2.9:3.1"), locale);
    if (!typed)
        return typed.problem();
    if (!(typed->low > 0))
        return wrongUse(messages::notPositive(option));
    const auto atLeastOne = [](double ratio) { return ratio >= 1 ? ratio : 1 / ratio; };
    double low = atLeastOne(typed->low), high = atLeastOne(typed->high);
    if (typed->low < 1 && typed->high > 1) // a range round 1: from 1 to the farther end
        low = 1, high = std::max(low, std::max(1 / typed->low, typed->high));
    if (low > high)
        std::swap(low, high);
    request.wantedRatio = single ? low : (low + high) / 2;
    if (single) // within 1 %
        low *= 0.99, high *= 1.01;
    request.ratio = Range{low, high, typed->lowText, typed->highText};
    return request;
}

} // namespace

common::Result<Request> readArguments(const QStringList &arguments, const QLocale &locale) {
    using messages::Help;
    QCommandLineParser parser;
    parser.setApplicationDescription(messages::help(Help::description));
    // Qt's own help option has no Italian text.
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  messages::help(Help::help));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption profile(QStringList{QStringLiteral("p"), QStringLiteral("profile")},
                                     messages::help(Help::profile), QStringLiteral("profilo"),
                                     QStringLiteral("XL037"));
    const QCommandLineOption profiles(QStringLiteral("profiles"), messages::help(Help::profiles));
    const QCommandLineOption belts(QStringLiteral("belts"), messages::help(Help::belts),
                                   QStringLiteral("DA:A"));
    const QCommandLineOption near(QStringLiteral("near"), messages::help(Help::near),
                                  QStringLiteral("MM"));
    const QCommandLineOption between(QStringLiteral("between"), messages::help(Help::between),
                                     QStringLiteral("MIN:MAX"));
    const QCommandLineOption ratio(QStringLiteral("ratio"), messages::help(Help::ratio),
                                   QStringLiteral("R"));
    const QCommandLineOption teeth(QStringLiteral("teeth"), messages::help(Help::teeth),
                                   QStringLiteral("A:B"));
    const QCommandLineOption stock(QStringLiteral("stock"), messages::help(Help::stock),
                                   QStringLiteral("FILE"));
    const QCommandLineOption rpm(QStringLiteral("rpm"), messages::help(Help::rpm),
                                 QStringLiteral("N"));
    const QCommandLineOption all(QStringLiteral("all"), messages::help(Help::all));
    const QCommandLineOption svg(QStringLiteral("svg"), messages::help(Help::svg),
                                 QStringLiteral("FILE"));
    const QCommandLineOption dxf(QStringLiteral("dxf"), messages::help(Help::dxf),
                                 QStringLiteral("FILE"));
    const QCommandLineOption csv(QStringLiteral("csv"), messages::help(Help::csv));
    parser.addOptions(
        {profile, profiles, belts, near, between, ratio, teeth, stock, rpm, all, svg, dxf, csv});
    parser.addPositionalArgument(QStringLiteral("maggiore"), messages::help(Help::largerPulley));
    parser.addPositionalArgument(QStringLiteral("minore"), messages::help(Help::smallerPulley));
    parser.addPositionalArgument(QStringLiteral("cinghia"), messages::help(Help::belt),
                                 QStringLiteral("[cinghia]"));

    QStringList valueOptions{QStringLiteral("-p")};
    for (const QCommandLineOption &option :
         {profile, belts, near, between, ratio, teeth, stock, rpm, svg, dxf})
        valueOptions << QStringLiteral("--") + option.names().constLast();
    if (!parser.parse(markNegativeNumbers(arguments, valueOptions)))
        return wrongUse(parser.errorText());
    Request request;
    if (parser.isSet(help)) {
        request.helpText = parser.helpText();
        return request;
    }
    if (parser.isSet(version)) {
        request.form = Request::Form::version;
        return request;
    }
    const common::Result<geometry::ProfileChoice> choice =
        profileNamed(unmarked(parser.value(profile)));
    if (!choice)
        return choice.problem();
    request.profile = *choice;
    request.csv = parser.isSet(csv);
    request.all = parser.isSet(all);
    if (parser.isSet(profiles)) {
        request.form = Request::Form::profiles;
        return request;
    }
    for (const QString &input : parser.positionalArguments())
        request.inputs << unmarked(input);
    const auto value = [&](const QCommandLineOption &option) {
        return unmarked(parser.value(option));
    };
    const auto optionName = [](const QCommandLineOption &option) {
        return QStringLiteral("--") + option.names().constLast();
    };
    // Which form, and the options that do not go with it.
    for (const auto &[first, second] : {std::pair{&between, &belts}, std::pair{&between, &near},
                                        std::pair{&ratio, &belts}, std::pair{&ratio, &near}})
        if (parser.isSet(*first) && parser.isSet(*second))
            return wrongUse(messages::optionsApart(optionName(*first), optionName(*second)));
    if (parser.isSet(ratio) || parser.isSet(teeth)) {
        if (!request.inputs.isEmpty() || !parser.isSet(between) || !parser.isSet(ratio))
            return wrongUse(messages::designSearchForm());
        request.form = Request::Form::design;
    } else if (parser.isSet(between)) {
        if (request.inputs.size() != 2)
            return wrongUse(messages::slotForm());
        request.form = Request::Form::slot;
    } else {
        const bool searches = parser.isSet(belts) || parser.isSet(near);
        if (request.inputs.size() != (searches ? 2 : 3))
            return wrongUse(searches ? messages::searchTakesTwoPulleys()
                                     : messages::oneBeltTakesThreeValues());
        request.form = parser.isSet(near)    ? Request::Form::nearest
                       : parser.isSet(belts) ? Request::Form::belts
                                             : Request::Form::oneBelt;
    }
    if (parser.isSet(rpm) && request.form != Request::Form::oneBelt)
        return wrongUse(messages::speedOnlyForOneBelt());
    if ((parser.isSet(svg) || parser.isSet(dxf)) && request.form != Request::Form::oneBelt)
        return wrongUse(messages::drawingOnlyForOneBelt());
    if (parser.isSet(svg) && parser.isSet(dxf) && value(svg) == u'-' && value(dxf) == u'-')
        return wrongUse(messages::oneDrawingOnTheOutput());

    // The values every form of these shares, checked before anything is computed.
    if (parser.isSet(belts)) {
        const common::Result<Range> codes = readRange(
            value(belts), optionName(belts), messages::belt, QStringLiteral("100:400"), locale);
        if (!codes)
            return codes.problem();
        request.codes = *codes;
    }
    if (parser.isSet(between)) {
        const common::Result<Range> slot =
            readRange(value(between), optionName(between), messages::centreDistance,
                      QStringLiteral("150:250"), locale);
        if (!slot)
            return slot.problem();
        request.slot = *slot;
    }
    if (parser.isSet(ratio)) {
        const common::Result<Request> withIt = withRatio(request, value(ratio), locale);
        if (!withIt)
            return withIt.problem();
        request = *withIt;
    }
    if (request.form == Request::Form::design) {
        const QString text =
            parser.isSet(teeth)
                ? value(teeth)
                : QStringLiteral("%1:150").arg(request.profile.profile->smallestPulley);
        const common::Result<Range> range =
            readRange(text, optionName(teeth), messages::teeth, QStringLiteral("14:80"), locale);
        if (!range)
            return range.problem();
        if (!geometry::isWholeTeeth(range->low) || !geometry::isWholeTeeth(range->high) ||
            range->high > maxTeethOfSearch)
            return wrongUse(messages::notWholeTeeth(optionName(teeth)));
        request.teeth = *range;
    }
    if (parser.isSet(near))
        request.wanted = value(near);
    if (parser.isSet(stock))
        request.stock = value(stock);
    if (parser.isSet(rpm))
        request.speed = value(rpm);
    if (parser.isSet(svg))
        request.svg = value(svg);
    if (parser.isSet(dxf))
        request.dxf = value(dxf);
    return request;
}

} // namespace cli
