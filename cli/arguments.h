#pragma once

#include "cli/requests.h"
#include "common/result.h"

#include <QLocale>
#include <QStringList>

namespace cli {

// arguments as QCoreApplication::arguments() gives them, the program's name first. A problem
// of wrong use for options that cannot be read or do not go together, or a value that cannot.
common::Result<Request> readArguments(const QStringList &arguments, const QLocale &locale);

// A layout's belt as printed (384-2GT), or its code alone in the user's format (384).
common::Result<LayoutBelt> readLayoutBelt(const QString &typed, const QLocale &locale);

// The command that asks for this request, the program's name first: what readArguments reads
// back to the same request. Values as typed.
QStringList commandOf(const OneBeltRequest &request);
QStringList commandOf(const BeltListRequest &request);
QStringList commandOf(const DesignRequest &request);
QStringList commandOf(const LayoutRequest &request);

} // namespace cli
