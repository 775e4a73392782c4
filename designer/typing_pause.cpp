#include "designer/typing_pause.h"

#include "designer/search_service.h"

#include <QLineEdit>
#include <QTimer>

namespace designer {

void followTyping(QLineEdit *field, std::function<void()> act) {
    auto *pause = new QTimer(field);
    pause->setSingleShot(true);
    pause->setInterval(SearchService::typingPause);
    QObject::connect(field, &QLineEdit::textEdited, pause, qOverload<>(&QTimer::start));
    QObject::connect(pause, &QTimer::timeout, field, act);
    QObject::connect(field, &QLineEdit::editingFinished, field, [pause, act] {
        pause->stop();
        act();
    });
}

} // namespace designer
