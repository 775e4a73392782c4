#include "cli/arguments.h"

#include "common/calculation.h"
#include "common/messages.h"

#include <QCommandLineParser>

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

common::Result<CodeRange> codeRange(const QString &text, const QLocale &locale) {
    const QStringList ends = text.split(u':');
    if (ends.size() != 2)
        return wrongUse(messages::codeRangeForm());
    const common::Result<double> first = common::readInput(ends[0], messages::belt, locale);
    const common::Result<double> last =
        first ? common::readInput(ends[1], messages::belt, locale) : first;
    if (!last)
        return last.problem();
    if (*first > *last)
        return wrongUse(messages::codeRangeBackwards(ends[1].trimmed(), ends[0].trimmed()));
    return CodeRange{*first, *last, ends[0].trimmed(), ends[1].trimmed()};
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
    const QCommandLineOption csv(QStringLiteral("csv"), messages::help(Help::csv));
    parser.addOptions({profile, profiles, belts, near, csv});
    parser.addPositionalArgument(QStringLiteral("maggiore"), messages::help(Help::largerPulley));
    parser.addPositionalArgument(QStringLiteral("minore"), messages::help(Help::smallerPulley));
    parser.addPositionalArgument(QStringLiteral("cinghia"), messages::help(Help::belt),
                                 QStringLiteral("[cinghia]"));

    const QStringList valueOptions{QStringLiteral("-p"), QStringLiteral("--profile"),
                                   QStringLiteral("--belts"), QStringLiteral("--near")};
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
    if (parser.isSet(profiles)) {
        request.form = Request::Form::profiles;
        return request;
    }
    for (const QString &input : parser.positionalArguments())
        request.inputs << unmarked(input);
    const bool searches = parser.isSet(belts) || parser.isSet(near);
    if (request.inputs.size() != (searches ? 2 : 3))
        return wrongUse(searches ? messages::searchTakesTwoPulleys()
                                 : messages::oneBeltTakesThreeValues());
    if (parser.isSet(belts)) {
        const common::Result<CodeRange> range = codeRange(unmarked(parser.value(belts)), locale);
        if (!range)
            return range.problem();
        request.range = *range;
    }
    if (parser.isSet(near))
        request.wanted = unmarked(parser.value(near));
    request.form = parser.isSet(near)    ? Request::Form::nearest
                   : parser.isSet(belts) ? Request::Form::belts
                                         : Request::Form::oneBelt;
    return request;
}

} // namespace cli
