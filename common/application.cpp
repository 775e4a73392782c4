#include "common/application.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace common {

void nameTheProgram() {
    QCoreApplication::setApplicationName(QStringLiteral("Interasse"));
    // As the desktop entries' names (test.dentarola.*) say; the settings live under it.
    QCoreApplication::setOrganizationName(QStringLiteral("dentarola"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("dentarola.test"));
    QCoreApplication::setApplicationVersion(QStringLiteral(INTERASSE_VERSION));
}

void installItalianTranslations(QCoreApplication &application) {
    auto *translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace common
