#include "ui/form1.h"

#include "geometry/belt_profile.h"
#include "ui/calculation.h"
#include "ui/control_table.h"
#include "ui/controls.h"
#include "ui/messages.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QRadioButton>
#include <QStyle>

#include <algorithm>
#include <limits>
#include <map>
#include <stdexcept>
#include <vector>

namespace {

constexpr QRgb lightCyan = qRgb(192, 255, 255);
// The layout covers 681 x 345 pixels; this leaves a margin to its right and below.
constexpr QSize clientSize(705, 361);

QFont fontFor(FontStyle style, const QFont &standard) {
    QFont font(Form1::fontFamily());
    switch (style) {
    case FontStyle::Standard:
        return standard;
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

QString controlName(const ControlRow &row) {
    QString name = QString::fromLatin1(row.name);
    if (row.index >= 0)
        name += QLatin1Char('_') + QString::number(row.index);
    return name;
}

QWidget *createWidget(const ControlRow &row, QWidget *parent) {
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
    case ControlKind::Label: {
        auto *label = new QLabel(text, parent);
        label->setWordWrap(true);
        label->setAlignment(row.align);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case ControlKind::TextBox: {
        auto *textBox = new QLineEdit(text, parent);
        textBox->setAlignment(Qt::AlignCenter);
        textBox->setMaxLength(std::numeric_limits<int>::max()); // a paste is never cut short
        return textBox;
    }
    case ControlKind::Button:
        return new ColourButton(text, QColor::fromRgb(row.background.rgb), parent);
    case ControlKind::Option:
        return new OptionButton(text, parent);
    case ControlKind::Frame:
        return new FrameBox(text, parent);
    case ControlKind::Image: {
        auto *image = new QLabel(parent);
        // A copy drawn at twice the size, where there is one, keeps a 2x screen sharp.
        const QString doubleSize = QString(text).insert(text.lastIndexOf(u'.'), u"@2x");
        const bool sharper = parent->devicePixelRatioF() >= 2 && QFile::exists(doubleSize);
        image->setPixmap(QPixmap(sharper ? doubleSize : text));
        image->setScaledContents(true);
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
    for (const ControlRow &row : form1Controls()) {
        if (row.font != FontStyle::Standard || !*row.text || row.kind == ControlKind::Image)
            continue;
        const QString text = QString::fromUtf8(row.text);
        const QRect rect(0, 0, twipsToPixels(row.width), twipsToPixels(row.height));
        QRect room = rect;
        int needed = 0;
        switch (row.kind) {
        case ControlKind::Label:
            break;
        case ControlKind::Button:
            room = ColourButton::captionRect(rect);
            break;
        case ControlKind::Option:
            needed = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                     style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing) + 4;
            break;
        default: // a frame: the caption stands on its top edge, clear of both corners
            needed = 20;
            break;
        }
        if (row.kind == ControlKind::Label || row.kind == ControlKind::Button) {
            const QRect wrapped = metrics.boundingRect(QRect(0, 0, room.width(), 10000),
                                                       Qt::AlignCenter | Qt::TextWordWrap, text);
            if (wrapped.width() > room.width() || wrapped.height() > room.height())
                return false;
        } else if (metrics.horizontalAdvance(text) + needed > rect.width()) {
            return false;
        }
    }
    return true;
}

// The largest size, up to the one the layout was drawn with, at which the face that this
// machine resolves fits every caption: faces differ in width, and a heading that wraps
// would hide its second line behind the field below it.
QFont standardFont() {
    QFont font(QString::fromLatin1(Form1::fontFamily()));
    constexpr double drawnSize = 7.5, smallest = 5, step = 0.25;
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

const char *Form1::fontFamily() {
    return "Liberation Sans";
}

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
    setFixedSize(clientSize);
    // Drawn at each size, so that it stays sharp on a 2x screen too.
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/assets/icon-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);

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
        QWidget *widget = createWidget(row, parent);
        widget->setObjectName(controlName(row));
        widget->setGeometry(twipsToPixels(row.left), twipsToPixels(row.top),
                            twipsToPixels(row.width), twipsToPixels(row.height));
        widget->setFont(fontFor(row.font, font()));
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

    Text1->setAccessibleName(heading(0));
    Text2->setAccessibleName(heading(1));
    Text3->setAccessibleName(heading(2));
    Text4->setAccessibleName(QStringLiteral("interasse in mm"));
    clearResults(0);

    Option1[0]->setChecked(true);
    updateOptionFocus();
}

QString Form1::heading(int input) const {
    return findChild<QLabel *>(QStringLiteral("Label1_%1").arg(input))->text();
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
    geometry::initialisePitch();
}

void Form1::Option1_Click(std::int16_t Index) {
    geometry::selectProfile(Index);
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

// A text box keeps the whole value and shows its start; the tooltip holds it when it does
// not fit, since the box would otherwise show only its tail.
void Form1::showCentreDistance(const QString &value) {
    Text4->setText(value);
    Text4->setCursorPosition(0);
    const bool fits =
        Text4->fontMetrics().horizontalAdvance(value) <
        Text4->width() - 2 * Text4->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 4;
    Text4->setToolTip(fits ? QString() : value);
    const QString label =
        Text4->text().isEmpty() ? QString() : Text4->text() + QStringLiteral(" mm");
    showResult(Label9, QStringLiteral("interasse"), label);
}

void Form1::Command1_Click() {
    // The user's format as it is now; it may have changed since the last click.
    const Calculation result =
        calculate(Text1->text(), Text2->text(), Text3->text(), Module1::BeltPitch, QLocale());
    if (result.centreDistance)
        showCentreDistance(*result.centreDistance);
    if (result.ratio)
        showResult(Label6[0], Label6[2]->text(), *result.ratio);
    if (result.inverseRatio)
        showResult(Label6[1], Label6[3]->text(), *result.inverseRatio);
    if (result.error.isEmpty())
        return;

    clearResults(result.ratio ? 2 : result.centreDistance ? 1 : 0);
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Errore"), result.error, QMessageBox::Ok,
                    this);
    box.setFont(font()); // a dialog is a window of its own and does not inherit it
    box.exec();
}

void Form1::Command2_Click() {
    close();
    QCoreApplication::quit();
}
