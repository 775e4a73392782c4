#include "cli/command_line.h"

#include "cli/arguments.h"
#include "cli/belt_lists.h"
#include "cli/design_search.h"
#include "cli/layouts.h"
#include "cli/one_belt.h"
#include "cli/profile_list.h"
#include "cli/writer.h"
#include "common/messages.h"

#include <QCoreApplication>
#include <QTextStream>

namespace cli {

namespace {

common::Result<common::ExitStatus> answer(const Request &request, QTextStream &out,
                                          QTextStream &err, const QLocale &locale) {
    Writer write(out, request.csv, locale, request.profile);
    switch (request.form) {
    case Request::Form::help:
        out << request.helpText << '\n' << messages::helpEpilogue();
        break;
    case Request::Form::version:
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << '\n';
        break;
    case Request::Form::profiles:
        listProfiles(write);
        break;
    case Request::Form::oneBelt:
        return oneBelt(std::get<OneBeltRequest>(request.asked), write, err, locale);
    case Request::Form::belts:
    case Request::Form::nearest:
    case Request::Form::slot:
        return listBelts(std::get<BeltListRequest>(request.asked), write, err);
    case Request::Form::design:
        return searchDesigns(std::get<DesignRequest>(request.asked), write, err);
    case Request::Form::layout:
        return answerLayout(std::get<LayoutRequest>(request.asked), out, err, request.csv, locale);
    }
    return common::ExitStatus::done;
}

} // namespace

common::ExitStatus runCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err,
                                  const QLocale &locale, const geometry::Limits &limits) {
    common::Result<Request> request = readArguments(arguments, locale);
    if (request) {
        if (auto *list = std::get_if<BeltListRequest>(&(*request).asked))
            list->limits = limits;
        if (auto *design = std::get_if<DesignRequest>(&(*request).asked))
            design->limits = limits;
        if (auto *layout = std::get_if<LayoutRequest>(&(*request).asked))
            layout->limits = limits;
    }
    const common::Result<common::ExitStatus> status =
        request ? answer(*request, out, err, locale) : request.problem();
    if (status)
        return *status;
    err << status.problem().message << '\n';
    if (status.problem().status == common::ExitStatus::wrongUse)
        err << messages::usageHint() << '\n';
    return status.problem().status;
}

} // namespace cli
