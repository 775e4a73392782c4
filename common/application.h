#pragma once

class QCoreApplication;

namespace common {

// The program's name and version, for --version, the window and Qt's own texts, and its
// maker's, under which its settings are kept.
void nameTheProgram();

// Qt's own texts (menus of the text boxes, dialog buttons, command-line help) in Italian,
// whatever the user's locale. Without the translation files installed they stay in English.
void installItalianTranslations(QCoreApplication &application);

} // namespace common
