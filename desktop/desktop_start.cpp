#include "desktop/desktop_start.h"

#include "common/application.h"
#include "common/messages.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// What Qt says while its platform starts: held until the platform has started, since a
// platform that cannot start ends in a fatal message and an abort, with a hint in English
// that says nothing to this program's users.
struct HeldMessage {
    QtMsgType type;
    QString text;
};
std::vector<HeldMessage> heldMessages;

void whileThePlatformStarts(QtMsgType type, const QMessageLogContext &, const QString &text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(messages::windowUnavailable(messages::WindowProblem::noDisplay)));
        std::_Exit(1);
    }
    heldMessages.push_back({type, text});
}

} // namespace

namespace desktop {

int runOnTheDesktop(int &argc, char **argv, const std::function<QWidget *()> &open) {
    const QtMessageHandler previous = qInstallMessageHandler(whileThePlatformStarts);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage &message : heldMessages)
        previous(message.type, QMessageLogContext(), message.text);
    heldMessages.clear();

    common::nameTheProgram();
    QApplication::setStyle(QStringLiteral("Fusion"));
    common::installItalianTranslations(app);

    const std::unique_ptr<QWidget> window(open());
    window->show();
    return QApplication::exec();
}

} // namespace desktop
