#include "designer/drives.h"

#include "cli/arguments.h"
#include "cli/belt_lists.h"
#include "cli/design_search.h"

namespace designer {

common::Result<Drives> findDrives(const QStringList &arguments, const QLocale &locale,
                                  const std::atomic<bool> *stop) {
    const common::Result<cli::Request> request =
        cli::readArguments(QStringList{QStringLiteral("interasse")} + arguments, locale);
    if (!request)
        return request.problem();
    if (const auto *design = std::get_if<cli::DesignRequest>(&request->asked))
        return cli::findDesigns(*design, stop, messages::Reader::window);
    return cli::findBelts(std::get<cli::BeltListRequest>(request->asked), stop,
                          messages::Reader::window);
}

} // namespace designer
