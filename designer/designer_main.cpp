// The designer's window as a module that the program loads only when it opens it.

#include "designer/designer_window.h"
#include "desktop/desktop_start.h"

extern "C" Q_DECL_EXPORT int interasseWindowMain(int &argc, char **argv) {
    return desktop::runOnTheDesktop(argc, argv, [] { return new designer::DesignerWindow; });
}
