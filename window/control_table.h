#pragma once

#include <QRgb>
#include <Qt>

class QFont;

#include <span>

// The window's controls as data: one row a control, in the order they are created, which is
// also their stacking order among labels and pictures.

enum class ControlKind { Label, TextBox, Button, Option, Frame, Image };

enum class FontStyle { Standard, Bold9, Bold12, Bold13, Regular9 };

// A text or background colour: the platform's own, see-through, or a fixed colour.
struct Paint {
    enum class Kind { Standard, Transparent, Colour };
    Kind kind;
    QRgb rgb;
};

struct ControlRow {
    const char *name;
    int index; // element of a control array, or -1
    ControlKind kind;
    const char *container;        // a frame's name, or nullptr for the window
    const char *text;             // caption, initial text, or the resource of a picture
    int left, top, width, height; // twips
    FontStyle font;
    Paint textColour;
    Paint background;
    Qt::Alignment align;
    int tab; // -1 for pictures, which have none
};

std::span<const ControlRow> form1Controls();

// Window coordinates are kept in twips; 15 make one logical pixel.
constexpr int twipsToPixels(int twips) {
    return (twips + 7) / 15;
}

// The face the layout was drawn for: the closest scalable sans to its original.
inline constexpr const char *layoutFontFamily = "Liberation Sans";

// A control's font in the table's short forms; Standard is the window's own, `standard`.
QFont fontFor(FontStyle style, const QFont &standard);
