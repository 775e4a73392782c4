#include "designer/note_label.h"

#include <QColor>
#include <QPalette>

namespace designer {

QLabel *noteLabel(QWidget *parent, bool problem) {
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    if (problem) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(176, 0, 32));
        label->setPalette(palette);
    }
    label->hide();
    return label;
}

} // namespace designer
