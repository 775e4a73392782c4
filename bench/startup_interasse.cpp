// The program opening its window as main does, from the window's module, to its first paint.

#include "app/window_module.h"
#include "first_paint.h"

#include <QString>

int main(int argc, char *argv[]) {
    endAtFirstPaint();
    return runWindowModule(QStringLiteral(INTERASSE_WINDOW_MODULE), argc, argv);
}
