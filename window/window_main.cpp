// The window as a module that the program loads only when it opens it.

#include "desktop/desktop_start.h"
#include "window/form1.h"

extern "C" Q_DECL_EXPORT int interasseWindowMain(int &argc, char **argv) {
    return desktop::runOnTheDesktop(argc, argv, [] { return new Form1; });
}
