#include "window/controls.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStyleOptionFrame>
#include <QValidator>
#include <qdrawutil.h>

ColourButton::ColourButton(const QString &text, QColor face, QWidget *parent)
    : QPushButton(text, parent), m_face(face) {}

void ColourButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QBrush faceBrush(m_face);
    // The bevel takes its light and dark shades from the face, as a classic button does.
    qDrawWinButton(&painter, rect(), QPalette(m_face), isDown(), &faceBrush);

    QRect caption = captionRect();
    if (isDown())
        caption.translate(1, 1);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextWordWrap, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        focus.backgroundColor = m_face;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

// Enter presses a focused button, as Space does.
void ColourButton::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        animateClick();
    else
        QPushButton::keyPressEvent(event);
}

void FrameBox::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QColor background = palette().color(QPalette::Window);
    painter.fillRect(rect(), background);

    // An etched line: a dark one with a light one inside it.
    const int top = fontMetrics().height() / 2;
    const QRect line = rect().adjusted(0, top, -1, -1);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(line.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(line.adjusted(1, 1, 0, 0));

    QRect caption = fontMetrics().boundingRect(title());
    caption.moveTopLeft(QPoint(captionLeft, 0));
    caption.adjust(-captionPadding, 0, captionPadding, 0);
    painter.fillRect(caption, background);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

namespace {

class LengthLimit : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override {
        return input.size() > TextBox::longestText ? Invalid : Acceptable;
    }
};

} // namespace

TextBox::TextBox(QWidget *parent) : QLineEdit(parent) {
    setValidator(new LengthLimit(this));
    connect(this, &QLineEdit::textChanged, this, [this] {
        takeFont();
        setToolTip(textFits() ? QString() : text());
    });
}

void TextBox::setFontWhenShown(const QFont &font) {
    m_fontWhenShown = font;
}

void TextBox::takeFont() {
    if (!m_fontWhenShown)
        return;
    setFont(*m_fontWhenShown);
    m_fontWhenShown.reset();
}

void TextBox::focusInEvent(QFocusEvent *event) {
    takeFont(); // the cursor's height is the font's
    QLineEdit::focusInEvent(event);
}

// Where QLineEdit lays out its text: inside the frame, its margins, and two pixels aside
// and one above and below.
QRect TextBox::textRect() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
        .marginsRemoved(textMargins())
        .adjusted(2, 1, -2, -1);
}

bool TextBox::textFits() const {
    return fontMetrics().horizontalAdvance(text()) <= textRect().width();
}

void TextBox::paintEvent(QPaintEvent *event) {
    if (hasFocus() || textFits()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const QRect room = textRect();
    painter.setClipRect(room);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(room, Qt::AlignCenter,
                     fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}
