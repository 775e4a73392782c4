#include "first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

// The first paint follows the expose event at once; the timer fires after it.
class EndAtFirstPaint : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Expose && watched->isWindowType() && !m_ending) {
            m_ending = true;
            QTimer::singleShot(0, [] {
                std::fflush(nullptr);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool m_ending = false;
};

void install() {
    QCoreApplication::instance()->installEventFilter(new EndAtFirstPaint);
}

} // namespace

void endAtFirstPaint() {
    qAddPreRoutine(install);
}
