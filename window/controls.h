#pragma once

#include <QColor>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

// Controls that draw themselves as the window's users know them, whatever the style.

// A push button whose face is one flat colour and whose caption wraps at word boundaries
// when one line is too narrow; text() stays the caption as given.
class ColourButton : public QPushButton {
    Q_OBJECT
public:
    ColourButton(const QString &text, QColor face, QWidget *parent = nullptr);

    QColor face() const { return m_face; }

    // Where the caption is laid out, inside the bevel of a button of that rectangle.
    static QRect captionRect(const QRect &button) { return button.adjusted(3, 2, -3, -2); }
    QRect captionRect() const { return captionRect(rect()); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QColor m_face;
};

// A radio button that answers a click anywhere in its rectangle, not only on its caption.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};

// A group box filled evenly in its background colour, with its caption on the top edge.
class FrameBox : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

    // The caption starts this far from the left edge, with a little clear space either side.
    static constexpr int captionLeft = 8;
    static constexpr int captionPadding = 2;
    // Room the caption needs beyond its own width, to stay clear of both corners.
    static constexpr int captionMargins = 2 * (captionLeft + captionPadding);

protected:
    void paintEvent(QPaintEvent *event) override;
};
