// The window as a module that the program loads only when it opens it.

#include "program/application.h"
#include "window/form1.h"

#include <QApplication>

extern "C" Q_DECL_EXPORT int interasseWindowMain(int &argc, char **argv) {
    QApplication app(argc, argv);
    nameTheProgram();
    QApplication::setStyle(QStringLiteral("Fusion"));
    installItalianTranslations(app);

    Form1 form;
    form.show();
    return QApplication::exec();
}
