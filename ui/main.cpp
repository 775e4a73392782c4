#include "ui/form1.h"
#include "ui/translations.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Interasse"));
    QApplication::setApplicationVersion(QStringLiteral(INTERASSE_VERSION));
    QApplication::setStyle(QStringLiteral("Fusion"));
    installItalianTranslations(app);

    Form1 form;
    form.show();
    return QApplication::exec();
}
