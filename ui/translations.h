#pragma once

class QCoreApplication;

// Qt's own texts (menus of the text boxes, dialog buttons, command-line help) in Italian,
// whatever the user's locale. Without the translation files installed they stay in English.
void installItalianTranslations(QCoreApplication &application);
