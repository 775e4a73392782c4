#pragma once

#include <functional>

class QWidget;

// Starts Qt Widgets as both windows start: the Fusion style, the program's name, Qt's texts
// in Italian. Without a display, or with a platform that cannot start, it ends the program
// with an Italian sentence and status 1 instead of Qt's fatal message. Then shows the window
// that `open` makes and runs it until it is closed; returns the exit status.
namespace desktop {

int runOnTheDesktop(int &argc, char **argv, const std::function<QWidget *()> &open);

} // namespace desktop
