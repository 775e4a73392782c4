// The designer's window as a module that the program loads only when it opens it.

#include "designer/designer_window.h"
#include "desktop/desktop_start.h"

#include <QFile>
#include <QString>

#include <optional>

// argv: the program, then --design and the layout's file, if one, as main lets them through.
extern "C" Q_DECL_EXPORT int interasseWindowMain(int &argc, char **argv) {
    // Read before Qt takes its own arguments out.
    const std::optional<QString> file =
        argc == 3 ? std::optional(QFile::decodeName(argv[2])) : std::nullopt;
    return desktop::runOnTheDesktop(argc, argv, [&file] {
        auto *window = new designer::DesignerWindow;
        if (file)
            window->openLayout(*file);
        return window;
    });
}
