// The program opening its window as main does, from the window's module, to its first paint;
// with --design, the designer's window from its module.

#include "app/window_module.h"
#include "first_paint.h"

#include <QString>

#include <cstring>

int main(int argc, char *argv[]) {
    endAtFirstPaint();
    const bool designer = argc == 2 && std::strcmp(argv[1], "--design") == 0;
    return runWindowModule(designer ? QStringLiteral(INTERASSE_DESIGNER_MODULE)
                                    : QStringLiteral(INTERASSE_WINDOW_MODULE),
                           argc, argv);
}
