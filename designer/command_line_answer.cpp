#include "designer/command_line_answer.h"

#include "cli/command_line.h"

#include <QBuffer>
#include <QTextStream>

namespace designer {

Answer askTheCommandLine(const QStringList &arguments, const QLocale &locale) {
    Answer answer;
    QBuffer output(&answer.output);
    output.open(QIODevice::WriteOnly);
    QTextStream out(&output), err(&answer.errors);
    answer.status =
        cli::runCommandLine(QStringList{QStringLiteral("interasse")} + arguments, out, err, locale);
    out.flush();
    err.flush();
    return answer;
}

} // namespace designer
