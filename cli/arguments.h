#pragma once

#include "common/result.h"
#include "geometry/belt_profile.h"

#include <QLocale>
#include <QStringList>

#include <optional>

namespace cli {

// A range of belt codes, as --belts gives it: its ends read and as typed.
struct CodeRange {
    double first = 1;
    double last = static_cast<double>(geometry::largestBeltCode);
    QString firstText, lastText;
};

// What the command line is asked to do, read from its arguments; values as typed, read by
// the form that answers.
struct Request {
    enum class Form { help, version, profiles, oneBelt, belts, nearest };
    Form form = Form::help;
    QString helpText;                // with Form::help
    geometry::ProfileChoice profile; // XL037 unless chosen
    bool csv = false;
    QStringList inputs;             // the pulleys' teeth, then the belt's code if given
    std::optional<CodeRange> range; // --belts
    std::optional<QString> wanted;  // --near: the distance wanted
};

// arguments as QCoreApplication::arguments() gives them, the program's name first. A problem
// of wrong use for options that cannot be read or do not go together.
common::Result<Request> readArguments(const QStringList &arguments, const QLocale &locale);

} // namespace cli
