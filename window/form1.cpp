#include "window/form1.h"

#include "common/calculation.h"
#include "common/messages.h"
#include "desktop/window_icon.h"
#include "window/control_table.h"
#include "window/controls.h"
#include "window/module1.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QRadioButton>
#include <QResource>
#include <QStyle>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <stdexcept>
#include <type_traits>
#include <vector>

namespace {

constexpr QRgb lightCyan = qRgb(192, 255, 255);
// The layout covers 681 x 345 pixels; this leaves a margin to its right and below.
constexpr QSize clientSize(705, 361);

QString controlName(const ControlRow &row) {
    QString name = QString::fromLatin1(row.name);
    if (row.index >= 0)
        name += QLatin1Char('_') + QString::number(row.index);
    return name;
}

// A 24-bit bitmap, uncompressed and stored in the resources as it is, read straight from
// them: Qt's own reader takes a pixel at a time, and first loads every image plugin to ask
// whether it knows the format. Rows may be stored top down (a negative height) or bottom up.
// A null image for any other kind of file.
QImage bitmap(const QString &path) {
    const QResource resource(path);
    const auto *data = reinterpret_cast<const uchar *>(resource.data());
    const qint64 size = resource.size();
    const auto field = [&](qint64 at) {
        return std::int32_t(std::uint32_t(data[at]) | std::uint32_t(data[at + 1]) << 8 |
                            std::uint32_t(data[at + 2]) << 16 | std::uint32_t(data[at + 3]) << 24);
    };
    if (!data || resource.compressionAlgorithm() != QResource::NoCompression || size < 54 ||
        data[0] != 'B' || data[1] != 'M' || (data[28] | data[29] << 8) != 24 || field(30) != 0)
        return {};
    const qint64 offset = field(10), width = field(18), height = std::abs(field(22));
    const qint64 stride = (width * 3 + 3) / 4 * 4;
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096 ||
        offset + stride * height > size)
        return {};
    const bool topDown = field(22) < 0;
    QImage image(int(width), int(height), QImage::Format_RGB32);
    for (qint64 y = 0; y < height; ++y) {
        const uchar *pixel = data + offset + stride * (topDown ? y : height - 1 - y);
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(int(y)));
        qint64 x = 0;
        // Four pixels from three little-endian words, B G R B | G R B G | R B G R: the
        // window's start spends its time here otherwise.
        for (; x + 4 <= width; x += 4, pixel += 12) {
            std::uint32_t a, b, c;
            std::memcpy(&a, pixel, 4);
            std::memcpy(&b, pixel + 4, 4);
            std::memcpy(&c, pixel + 8, 4);
            line[x] = 0xff000000 | (a & 0xffffff);
            line[x + 1] = 0xff000000 | a >> 24 | (b & 0xffff) << 8;
            line[x + 2] = 0xff000000 | b >> 16 | (c & 0xff) << 16;
            line[x + 3] = 0xff000000 | c >> 8;
        }
        for (; x < width; ++x, pixel += 3)
            line[x] = qRgb(pixel[2], pixel[1], pixel[0]);
    }
    return image;
}

// A picture at the size it is shown, in device pixels: drawn at that size for a 1x and a 2x
// screen, scaled from the 2x one for any other.
QPixmap picture(const QString &name, QSize shown, qreal pixelRatio) {
    const auto drawnAt = [&](QSize size) {
        return bitmap(name + QStringLiteral("-%1x%2.bmp").arg(size.width()).arg(size.height()));
    };
    const QSize pixels = shown * pixelRatio;
    QImage image = drawnAt(pixels);
    if (image.isNull())
        image = drawnAt(shown * 2).scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(pixelRatio);
    return pixmap;
}

// Font and place first, text last, so that no control lays out its text twice.
QWidget *createWidget(const ControlRow &row, QWidget *parent, const QFont &font) {
    const QString text = QString::fromUtf8(row.text);
    const auto placed = [&](auto *widget) {
        widget->setGeometry(twipsToPixels(row.left), twipsToPixels(row.top),
                            twipsToPixels(row.width), twipsToPixels(row.height));
        if constexpr (std::is_same_v<decltype(widget), TextBox *>) {
            if (text.isEmpty()) {
                widget->setFontWhenShown(font);
                return widget;
            }
        }
        widget->setFont(font);
        return widget;
    };
    switch (row.kind) {
    case ControlKind::Label: {
        auto *label = placed(new QLabel(parent));
        label->setWordWrap(true);
        label->setAlignment(row.align);
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
        return label;
    }
    case ControlKind::TextBox: {
        auto *textBox = placed(new TextBox(parent));
        textBox->setAlignment(Qt::AlignCenter);
        // A paste is never cut short: one too long is refused whole.
        textBox->setMaxLength(std::numeric_limits<int>::max());
        textBox->setText(text);
        return textBox;
    }
    case ControlKind::Button: {
        auto *button =
            placed(new ColourButton(QString(), QColor::fromRgb(row.background.rgb), parent));
        button->setText(text);
        return button;
    }
    case ControlKind::Option: {
        auto *option = placed(new OptionButton(parent));
        option->setText(text);
        return option;
    }
    case ControlKind::Frame: {
        auto *frame = placed(new FrameBox(parent));
        frame->setTitle(text);
        return frame;
    }
    case ControlKind::Image: {
        auto *image = placed(new QLabel(parent));
        image->setScaledContents(true);
        image->setPixmap(picture(text, image->size(), parent->devicePixelRatioF()));
        return image;
    }
    }
    throw std::logic_error("unknown kind of control");
}

QPalette::ColorRole textRole(ControlKind kind) {
    switch (kind) {
    case ControlKind::TextBox:
        return QPalette::Text;
    case ControlKind::Button:
        return QPalette::ButtonText;
    default:
        return QPalette::WindowText;
    }
}

void applyColours(QWidget *widget, const ControlRow &row) {
    QPalette palette = widget->palette();
    if (row.textColour.kind == Paint::Kind::Colour)
        palette.setColor(textRole(row.kind), QColor::fromRgb(row.textColour.rgb));
    // Buttons paint their own face; text boxes keep the platform's field colour.
    const bool fillsBackground = row.kind != ControlKind::Button &&
                                 row.kind != ControlKind::TextBox && row.kind != ControlKind::Image;
    if (fillsBackground && row.background.kind != Paint::Kind::Transparent) {
        // A control left in the platform's colour must not inherit the window's light cyan.
        const QColor fill = row.background.kind == Paint::Kind::Colour
                                ? QColor::fromRgb(row.background.rgb)
                                : QApplication::palette(widget).color(QPalette::Window);
        palette.setColor(QPalette::Window, fill);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

bool takesFocus(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::Button ||
           kind == ControlKind::Option;
}

// Whether every caption in the standard font fits its rectangle on the window at that font.
bool captionsFit(const QFont &font) {
    const QFontMetrics metrics(font);
    const QStyle *style = QApplication::style();
    const auto wrapsInto = [&](const QRect &room, const QString &text) {
        const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 10000),
                                                  Qt::AlignCenter | Qt::TextWordWrap, text);
        return needed.width() <= room.width() && needed.height() <= room.height();
    };
    for (const ControlRow &row : form1Controls()) {
        if (row.font != FontStyle::Standard || !*row.text)
            continue;
        const QString text = QString::fromUtf8(row.text);
        const QRect rect(0, 0, twipsToPixels(row.width), twipsToPixels(row.height));
        bool fits = true;
        switch (row.kind) {
        case ControlKind::Label:
            fits = wrapsInto(rect, text);
            break;
        case ControlKind::Button:
            fits = wrapsInto(ColourButton::captionRect(rect), text);
            break;
        case ControlKind::Option:
            fits = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                       style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing) + 4 +
                       metrics.horizontalAdvance(text) <=
                   rect.width();
            break;
        case ControlKind::Frame:
            fits = metrics.horizontalAdvance(text) + FrameBox::captionMargins <= rect.width();
            break;
        default:
            break;
        }
        if (!fits)
            return false;
    }
    return true;
}

// The largest size, up to the one the layout was drawn with, at which the face that this
// machine resolves fits every caption: faces differ in width, and a heading that wraps
// would hide its second line behind the field below it.
QFont standardFont() {
    QFont font(QString::fromLatin1(layoutFontFamily));
    constexpr double drawnSize = 7.5, smallest = 5, step = 0.25;
    font.setPointSizeF(drawnSize);
    // The layout is made for this face, and its tests prove that every caption fits in it.
    if (QFontInfo(font).family() == font.family())
        return font;
    for (double size = drawnSize; size >= smallest; size -= step) {
        font.setPointSizeF(size);
        if (captionsFit(font))
            break;
    }
    return font;
}

// Shows a result in a label, or its start and "…" when it is too wide for one line, so that
// it never reads as a shorter number; the whole value is then in the tooltip. A screen
// reader hears what the result is and its value, empty or not.
void showResult(QLabel *label, const QString &meaning, const QString &value) {
    const QFontMetrics metrics(label->font());
    const int room = label->contentsRect().width();
    const bool fits = metrics.horizontalAdvance(value) <= room;
    label->setText(fits ? value : metrics.elidedText(value, Qt::ElideRight, room));
    label->setToolTip(fits ? QString() : value);
    label->setAccessibleName(meaning + QStringLiteral(": ") +
                             (value.isEmpty() ? QStringLiteral("vuoto") : value));
}

} // namespace

// The pictures are compiled into this library; referencing them keeps the linker from
// dropping them from a program that uses it.
static void initialiseAssets() {
    Q_INIT_RESOURCE(assets);
}

Form1::Form1(QWidget *parent) : QWidget(parent) {
    initialiseAssets();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" ")); // an empty title would show the program's name
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(lightCyan));
    setPalette(palette);
    setFont(standardFont());
    // Text boxes lay out their first, empty text in the application's font before they take
    // their own: with this one no other face is loaded for it. Dialogs and tooltips use it too.
    QApplication::setFont(font());
    setFixedSize(clientSize);
    setWindowIcon(desktop::windowIcon("icon"));

    createControls();
    connectHandlers();
    Form_Load();
    Text1->setFocus();
}

void Form1::createControls() {
    std::map<QString, QWidget *> containers;
    std::vector<std::pair<int, QWidget *>> focusOrder;
    std::vector<QWidget *> raisedAboveLabels;
    for (const ControlRow &row : form1Controls()) {
        QWidget *parent = row.container ? containers.at(QString::fromLatin1(row.container)) : this;
        QWidget *widget = createWidget(row, parent, fontFor(row.font, font()));
        widget->setObjectName(controlName(row));
        applyColours(widget, row);
        if (row.kind == ControlKind::Frame)
            containers[widget->objectName()] = widget;
        if (takesFocus(row.kind))
            focusOrder.emplace_back(row.tab, widget);
        if (row.kind == ControlKind::TextBox || row.kind == ControlKind::Button ||
            row.kind == ControlKind::Frame)
            raisedAboveLabels.push_back(widget);
    }
    for (QWidget *widget : raisedAboveLabels)
        widget->raise();
    std::ranges::sort(focusOrder, {}, &std::pair<int, QWidget *>::first);
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);

    Text1 = findChild<QLineEdit *>(QStringLiteral("Text1"));
    Text2 = findChild<QLineEdit *>(QStringLiteral("Text2"));
    Text3 = findChild<QLineEdit *>(QStringLiteral("Text3"));
    Text4 = findChild<QLineEdit *>(QStringLiteral("Text4"));
    Label9 = findChild<QLabel *>(QStringLiteral("Label9"));
    for (std::size_t i = 0; i < Label6.size(); ++i)
        Label6[i] = findChild<QLabel *>(QStringLiteral("Label6_%1").arg(i));
    for (std::size_t i = 0; i < Option1.size(); ++i)
        Option1[i] = findChild<QRadioButton *>(QStringLiteral("Option1_%1").arg(i));
    Command1 = findChild<QPushButton *>(QStringLiteral("Command1"));
    Command2 = findChild<QPushButton *>(QStringLiteral("Command2"));

    Text1->setAccessibleName(messages::heading(messages::largerPulley));
    Text2->setAccessibleName(messages::heading(messages::smallerPulley));
    Text3->setAccessibleName(messages::heading(messages::belt));
    Text4->setAccessibleName(QStringLiteral("interasse in mm"));
    // The pictures say what they show; the window, whose title bar stays empty, its name.
    findChild<QLabel *>(QStringLiteral("Image1"))
        ->setAccessibleName(QStringLiteral(
            "Disegno della trasmissione: l'ingranaggio maggiore M a sinistra, il minore m a "
            "destra, la cinghia intorno e la freccia dell'interasse tra i centri"));
    findChild<QLabel *>(QStringLiteral("Image2"))
        ->setAccessibleName(
            QStringLiteral("Logo dell'editore: DENTAROLA, trasmissioni e cinghie dentate"));
    setAccessibleName(QStringLiteral("Interasse"));
    clearResults(0);

    Option1[0]->setChecked(true);
    updateOptionFocus();
}

void Form1::connectHandlers() {
    for (std::size_t i = 0; i < Option1.size(); ++i) {
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                Option1_Click(static_cast<std::int16_t>(i));
            updateOptionFocus();
        });
    }
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    for (QLineEdit *input : {Text1, Text2, Text3})
        connect(input, &QLineEdit::returnPressed, this, &Form1::Command1_Click);
}

// Tab reaches only the selected belt profile; the arrow keys move between profiles.
void Form1::updateOptionFocus() {
    for (QRadioButton *option : Option1)
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

void Form1::Form_Load() {
    Module1::initialisePitch();
}

void Form1::Option1_Click(std::int16_t Index) {
    Module1::selectProfile(Index);
}

// Empties the results from the given step on: 0 the centre distance, 1 the ratio z1/z2,
// 2 the ratio z2/z1. What earlier steps wrote stays, being right for the inputs on screen.
void Form1::clearResults(int firstStep) {
    if (firstStep <= 0) {
        showCentreDistance(QString());
    }
    if (firstStep <= 1)
        showResult(Label6[0], Label6[2]->text(), QString());
    if (firstStep <= 2)
        showResult(Label6[1], Label6[3]->text(), QString());
}

// The text box keeps the whole value, from its start when it gets the focus.
void Form1::showCentreDistance(const QString &value) {
    Text4->setText(value);
    Text4->setCursorPosition(0);
    const QString label =
        Text4->text().isEmpty() ? QString() : Text4->text() + QStringLiteral(" mm");
    showResult(Label9, QStringLiteral("interasse"), label);
}

void Form1::Command1_Click() {
    // The user's format as it is now; it may have changed since the last click.
    const common::Calculation result = common::calculate(
        Text1->text(), Text2->text(), Text3->text(), *Module1::ChosenProfile, QLocale());
    if (result.centreDistance)
        showCentreDistance(*result.centreDistance);
    if (result.ratio)
        showResult(Label6[0], Label6[2]->text(), *result.ratio);
    if (result.inverseRatio)
        showResult(Label6[1], Label6[3]->text(), *result.inverseRatio);
    if (!result.problem)
        return;

    clearResults(result.ratio ? 2 : result.centreDistance ? 1 : 0);
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Errore"), result.problem->message,
                    QMessageBox::Ok, this);
    box.setFont(font()); // a dialog is a window of its own and does not inherit it
    box.exec();
}

void Form1::Command2_Click() {
    close();
    QCoreApplication::quit();
}
