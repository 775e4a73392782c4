#include "ui/form1.h"

#include "geometry/belt_profile.h"
#include "geometry/centre_distance.h"
#include "geometry/errors.h"
#include "geometry/number_text.h"
#include "ui/control_table.h"
#include "ui/controls.h"

#include <QApplication>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QRadioButton>

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
        image->setPixmap(QPixmap(text));
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

// Raised so that a typed value the program cannot read names its field.
class InputError : public std::runtime_error {
public:
    explicit InputError(const QString &message) : std::runtime_error("input"), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

QString describe(const geometry::CalculationError &error) {
    if (dynamic_cast<const geometry::InvalidArgumentError *>(&error))
        return QStringLiteral("La cinghia è troppo corta per questi ingranaggi: il tratto "
                              "libero è più corto della differenza tra i raggi.");
    if (dynamic_cast<const geometry::DivisionByZeroError *>(&error))
        return QStringLiteral("Divisione per zero: un ingranaggio con 0 denti non ha "
                              "rapporto di trasmissione.");
    if (dynamic_cast<const geometry::OverflowError *>(&error))
        return QStringLiteral("Il risultato è troppo grande per essere calcolato.");
    return QString::fromUtf8(error.what());
}

QString format(double value, const char *pattern, const std::string &decimalSeparator) {
    return QString::fromStdString(geometry::formatNumber(value, pattern, decimalSeparator));
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
    // The size at which the widest one-line caption, "ingranaggio maggiore", fits its label.
    QFont standard(fontFamily());
    standard.setPointSizeF(7.5);
    setFont(standard);
    setFixedSize(clientSize);
    setWindowIcon(QIcon(QStringLiteral(":/assets/window.ico")));

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

double Form1::readInput(const QLineEdit *field, int input,
                        const std::string &decimalSeparator) const {
    try {
        return geometry::textToNumber(field->text().toStdString(), decimalSeparator);
    } catch (const geometry::TypeMismatchError &) {
        throw InputError(QStringLiteral("Il valore di \"%1\" non è un numero: scrivere un "
                                        "numero, con \"%2\" per i decimali.")
                             .arg(heading(input), QString::fromStdString(decimalSeparator)));
    } catch (const geometry::OverflowError &) {
        throw InputError(
            QStringLiteral("Il valore di \"%1\" è troppo grande.").arg(heading(input)));
    }
}

// Empties the results from the given step on: 0 the centre distance, 1 the ratio z1/z2,
// 2 the ratio z2/z1. What earlier steps wrote stays, being right for the inputs on screen.
void Form1::clearResults(int firstStep) {
    if (firstStep <= 0) {
        Text4->clear();
        Label9->clear();
    }
    if (firstStep <= 1)
        Label6[0]->clear();
    if (firstStep <= 2)
        Label6[1]->clear();
}

void Form1::Command1_Click() {
    // The user's format as it is now; it may have changed since the last click.
    const std::string separator = QLocale().decimalPoint().toStdString();
    int step = 0;
    QString error;
    try {
        const double z1 = readInput(Text1, 0, separator);
        const double z2 = readInput(Text2, 1, separator);
        const double beltCode = readInput(Text3, 2, separator);
        const double distance = geometry::centreDistance(z1, z2, beltCode, Module1::BeltPitch);
        Text4->setText(format(distance, "######.##", separator));
        Label9->setText(Text4->text() + QStringLiteral(" mm"));
        step = 1;
        Label6[0]->setText(format(geometry::ratio(z1, z2), "####.0#", separator));
        step = 2;
        Label6[1]->setText(format(geometry::ratio(z2, z1), "###0.0#", separator));
        return;
    } catch (const InputError &e) {
        error = e.message();
    } catch (const geometry::CalculationError &e) {
        error = describe(e);
    } catch (const std::exception &e) {
        error = QString::fromUtf8(e.what());
    }
    clearResults(step);
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Errore"), error, QMessageBox::Ok, this);
    box.exec();
}

void Form1::Command2_Click() {
    close();
    QCoreApplication::quit();
}
