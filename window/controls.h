#pragma once

#include <QColor>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <optional>

// Controls that draw themselves as the window's users know them, whatever the style.

// A push button whose face is one flat colour and whose caption wraps at word boundaries
// when one line is too narrow; text() stays the caption as given.
class ColourButton : public QPushButton {
    Q_OBJECT
public:
    ColourButton(const QString &text, QColor face, QWidget *parent = nullptr);

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

// A single-line text box. Without the focus, a text too long for it ends in "…", as the
// result labels do, and the tooltip holds it whole; with the focus it is all there to edit.
// One that starts empty takes its own font only when it first has something to show, since
// an empty box looks the same in any font and loading a face costs time at start.
// An edit that would make the text longer than longestText characters, far longer than any
// number, is refused whole: QLineEdit lays its whole text out again at every key, and a
// paste cut short could read as another number.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int longestText = 4096;

    explicit TextBox(QWidget *parent = nullptr);

    void setFontWhenShown(const QFont &font);
    bool textFits() const;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void takeFont();
    QRect textRect() const;

    std::optional<QFont> m_fontWhenShown;
};
