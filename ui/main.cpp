#include "ui/command_line.h"
#include "ui/form1.h"
#include "ui/translations.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

namespace {

void nameTheProgram() {
    QCoreApplication::setApplicationName(QStringLiteral("Interasse"));
    QCoreApplication::setApplicationVersion(QStringLiteral(INTERASSE_VERSION));
}

} // namespace

// With arguments the program answers in the terminal and needs no display.
int main(int argc, char *argv[]) {
    if (argc > 1) {
        QCoreApplication app(argc, argv);
        nameTheProgram();
        installItalianTranslations(app);
        QTextStream out(stdout), err(stderr);
        return runCommandLine(QCoreApplication::arguments(), out, err, QLocale());
    }
    QApplication app(argc, argv);
    nameTheProgram();
    QApplication::setStyle(QStringLiteral("Fusion"));
    installItalianTranslations(app);

    Form1 form;
    form.show();
    return QApplication::exec();
}
