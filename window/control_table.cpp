#include "window/control_table.h"

#include "common/messages.h"

#include <QFont>

#include <array>

namespace {

constexpr Paint colour(int red, int green, int blue) {
    return {Paint::Kind::Colour, qRgb(red, green, blue)};
}

constexpr Paint standard{Paint::Kind::Standard, 0};
constexpr Paint transparent{Paint::Kind::Transparent, 0};
constexpr Paint lightYellow = colour(255, 255, 192);
constexpr Paint lightGreen = colour(192, 255, 192);
constexpr Paint green = colour(128, 255, 128);
constexpr Paint yellow = colour(255, 255, 0);
constexpr Paint lavender = colour(192, 192, 255);
constexpr Paint blue = colour(0, 0, 255);
constexpr Paint magenta = colour(255, 0, 255);
constexpr Paint red = colour(255, 0, 0);

constexpr auto label = ControlKind::Label;
constexpr auto textBox = ControlKind::TextBox;
constexpr auto button = ControlKind::Button;
constexpr auto option = ControlKind::Option;
constexpr auto frame = ControlKind::Frame;
constexpr auto image = ControlKind::Image;

constexpr auto std_ = FontStyle::Standard;
constexpr auto B9 = FontStyle::Bold9;
constexpr auto B12 = FontStyle::Bold12;
constexpr auto B13 = FontStyle::Bold13;
constexpr auto R9 = FontStyle::Regular9;

constexpr Qt::Alignment left = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
constexpr Qt::Alignment none = {};

constexpr const char *window = nullptr;
constexpr int single = -1;

// clang-format off
constexpr std::array rows = std::to_array<ControlRow>({
// name       index   kind     in        caption or initial text                 left  top   width height font  text colour background align   tab
// Input headings and fields
{"Label2",    0,      label,   window,   "XL037",                                1200, 120,  615,  255,   std_, blue,       yellow,      centred, 8},
{"Label2",    1,      label,   window,   "XL037",                                3480, 120,  735,  255,   std_, blue,       yellow,      centred, 9},
{"Label2",    2,      label,   window,   "XL037",                                5400, 120,  615,  255,   std_, blue,       yellow,      centred, 10},
{"Label1",    0,      label,   window,   messages::inputHeadings[0],             600,  360,  1575, 255,   std_, standard,   transparent, centred, 4},
{"Label1",    1,      label,   window,   messages::inputHeadings[1],             3000, 360,  1575, 255,   std_, standard,   transparent, centred, 5},
{"Label1",    2,      label,   window,   messages::inputHeadings[2],             4920, 360,  1575, 255,   std_, standard,   transparent, centred, 6},
{"Text1",     single, textBox, window,   "36",                                   480,  600,  1935, 375,   B9,   blue,       standard,    centred, 0},
{"Text2",     single, textBox, window,   "14",                                   3120, 600,  1335, 375,   B9,   magenta,    standard,    centred, 1},
{"Text3",     single, textBox, window,   "150",                                  4920, 570,  1575, 405,   B9,   red,        standard,    centred, 2},
// Drawing with the labels laid over it
{"Image1",    single, image,   window,   ":/assets/drive",                       480,  1080, 4050, 1920,  std_, standard,   standard,    none,    -1},
{"Label7",    0,      label,   window,   "M",                                    1080, 1440, 495,  375,   B12,  red,        transparent, centred, 19},
{"Label7",    1,      label,   window,   "m",                                    3720, 1560, 495,  375,   B12,  red,        transparent, centred, 20},
{"Label9",    single, label,   window,   "",                                     1800, 1680, 1815, 255,   B9,   magenta,    transparent, centred, 26},
// Compute button and centre distance
{"Command1",  single, button,  window,   "calcola interasse",                    5040, 1200, 1095, 495,   std_, standard,   lightYellow, none,    3},
{"Text4",     single, textBox, window,   "",                                     4680, 1800, 1935, 480,   B13,  red,        standard,    centred, 7},
{"Label5",    single, label,   window,   "mm",                                   6600, 1920, 735,  375,   R9,   standard,   transparent, left,    13},
// Ratios
{"Frame1",    single, frame,   window,   "Rapporti tra ingranaggi",              4800, 2400, 1935, 1095,  std_, standard,   green,       none,    14},
{"Label6",    2,      label,   "Frame1", "M/m",                                  120,  240,  375,  255,   std_, standard,   transparent, left,    17},
{"Label6",    0,      label,   "Frame1", "",                                     600,  240,  1095, 255,   B9,   magenta,    transparent, left,    15},
{"Label6",    3,      label,   "Frame1", "m/M",                                  120,  600,  375,  255,   std_, standard,   transparent, left,    18},
{"Label6",    1,      label,   "Frame1", "",                                     600,  600,  1095, 255,   B9,   magenta,    transparent, left,    16},
// Belt profile
{"Frame2",    single, frame,   window,   "Tipo vorla",                           4920, 3720, 1695, 1455,  std_, standard,   standard,    none,    27},
{"Option1",   0,      option,  "Frame2", "XL037",                                0,    240,  1455, 375,   std_, standard,   standard,    none,    28},
{"Option1",   1,      option,  "Frame2", "L075",                                 0,    600,  1455, 375,   std_, standard,   standard,    none,    29},
// Instructions and worked examples
{"Label3",    single, label,   window,   "Il software permette di calcolare l'interasse tra 2 puleggie unite da una vorla dentata. "
                                         "Inserire i valori riportati sugli ingranaggi  e sulla vorla.",
                                                                                 7080, 360,  3135, 975,   std_, standard,   lightYellow, left,    21},
{"Label8",    0,      label,   window,   "Es.1 Puleggia 36 denti -- 36XL037-- IMMETTERE IL VALORE 36",
                                                                                 7080, 1560, 3135, 615,   std_, standard,   lightGreen,  left,    22},
{"Label8",    1,      label,   window,   "Es.2 Puleggia 14 denti -- 14XL037-- IMMETTERE IL VALORE 14",
                                                                                 7080, 2280, 3135, 615,   std_, standard,   lightGreen,  left,    23},
{"Label8",    2,      label,   window,   "Es.3 Vorla dentata 75 denti -- 150XL037-- IMMETTERE IL VALORE 150",
                                                                                 7080, 3000, 3135, 615,   std_, standard,   lightGreen,  left,    24},
{"Label8",    3,      label,   window,   "Immessi i dati, premere il pulsante \"Calcola interasse\".",
                                                                                 7080, 3720, 3135, 615,   std_, standard,   lightYellow, left,    25},
// Logo, web address and quit button
{"Image2",    single, image,   window,   ":/assets/logo",                        360,  3120, 2025, 1785,  std_, standard,   standard,    none,    -1},
{"Label4",    single, label,   window,   "dentarola.test",                       2640, 3120, 1575, 375,   B9,   blue,       transparent, centred, 11},
{"Command2",  single, button,  window,   "Fine lavoro",                          2520, 4680, 1935, 495,   std_, standard,   lavender,    none,    12},
});
// clang-format on

} // namespace

std::span<const ControlRow> form1Controls() {
    return rows;
}

QFont fontFor(FontStyle style, const QFont &standardFont) {
    QFont font(QString::fromLatin1(layoutFontFamily));
    switch (style) {
    case FontStyle::Standard:
        return standardFont;
    case FontStyle::Bold9:
        font.setPointSizeF(9.75);
        font.setBold(true);
        break;
    case FontStyle::Bold12:
        font.setPointSizeF(12);
        font.setBold(true);
        break;
    case FontStyle::Bold13:
        font.setPointSizeF(13.5);
        font.setBold(true);
        break;
    case FontStyle::Regular9:
        font.setPointSizeF(9.75);
        break;
    }
    return font;
}
