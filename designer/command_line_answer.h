#pragma once

#include "common/result.h"

#include <QByteArray>
#include <QLocale>
#include <QStringList>

namespace designer {

// What the command line answers to these arguments (the program's name left out) in this
// locale, byte for byte: every export and the details are the command line's own output.
struct Answer {
    QByteArray output;
    QString errors; // its standard error, what is wrong with a drive that has an answer
    common::ExitStatus status;
};
Answer askTheCommandLine(const QStringList &arguments, const QLocale &locale);

} // namespace designer
