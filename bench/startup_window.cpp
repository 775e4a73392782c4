// Starts like the program, or with a bare window of the same size (--bare), and ends as soon
// as the window is mapped and painted: a start-up to time from outside.

#include "window/form1.h"
#include "program/application.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>

#include <cstring>
#include <memory>

namespace {

// Quits once the window is exposed and its first paint, which follows the expose, is done.
class QuitWhenExposed : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed())
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return false;
    }
};

} // namespace

int main(int argc, char *argv[]) {
    const bool bare = argc > 1 && std::strcmp(argv[1], "--bare") == 0;
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    std::unique_ptr<QWidget> window;
    if (bare) {
        window = std::make_unique<QWidget>();
        window->setFixedSize(705, 361); // the program's window
    } else {
        installItalianTranslations(app);
        window = std::make_unique<Form1>();
    }
    QuitWhenExposed quitter;
    window->winId(); // creates the native window to watch
    window->windowHandle()->installEventFilter(&quitter);
    window->show();
    return QApplication::exec();
}
