#include "program/window_module.h"

#include "program/messages.h"

#include <QLibrary>

#include <cstdio>

int runWindowModule(const QString &path, int argc, char *argv[]) {
    QLibrary library(path);
#ifndef __SANITIZE_ADDRESS__ // which cannot follow a library bound deep
    // Qt's libraries find each other's symbols among themselves first, as when linked to a
    // program, not after a search of the program's own: a twentieth less work to the window.
    library.setLoadHints(QLibrary::DeepBindHint);
#endif
    using WindowMain = int (*)(int &, char **);
    const auto windowMain = reinterpret_cast<WindowMain>(library.resolve("interasseWindowMain"));
    if (!windowMain) {
        std::fprintf(stderr, "%s\n", qPrintable(messages::windowMissing(library.errorString())));
        return 1;
    }
    return windowMain(argc, argv);
}
