#include "common/application.h"
#include "desktop/tests/golden_picture.h"
#include "window/controls.h"
#include "window/form1.h"
#include "window/module1.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

const QLocale italian(QLocale::Italian, QLocale::Italy);
const QLocale english(QLocale::English, QLocale::UnitedStates);

// What a screen reader announces for a control.
QString announced(QWidget *widget, QAccessible::Text what = QAccessible::Name) {
    return QAccessible::queryAccessibleInterface(widget)->text(what);
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        golden::requireTheRunsFace();
        QApplication::setStyle(QStringLiteral("Fusion"));
        common::installItalianTranslations(*qApp);
    }
    void init();
    void cleanup();

    void opensWithTheInitialState();
    void everyCaptionFitsItsRectangle();
    void computesAndShowsResults_data();
    void computesAndShowsResults();
    void choosingAProfileChangesNoResult();
    void enterInAnInputComputes();
    void reportsErrorsAndKeepsRunning_data();
    void reportsErrorsAndKeepsRunning();
    void tabReachesOnlyTheSelectedProfile_data();
    void tabReachesOnlyTheSelectedProfile();
    void arrowKeysChooseTheProfile();
    void quitButtonClosesTheWindow();
    void resultsTooWideAreNeverCut();
    void aPasteTooLongIsRefusedWhole();
    void qtsOwnTextsAreItalian();
    void staysSharpOnATwiceDenseScreen();
    void looksAsItsGoldenPictures();

private:
    template <typename T> T *control(const char *name) const {
        T *widget = form->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QString text(const char *name) const;
    void setInputs(const QString &z1, const QString &z2, const QString &beltCode);
    void clickCompute() { QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton); }
    // Runs action and returns the text of the modal box it opened, closing the box.
    QString messageFrom(const std::function<void()> &action);

    std::unique_ptr<Form1> form;
    QFont messageFont;
};

void Form1Test::init() {
    QLocale::setDefault(italian);
    Module1::BeltPitch = 0;
    form = std::make_unique<Form1>();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void Form1Test::cleanup() {
    form.reset();
    QLocale::setDefault(QLocale::system());
}

QString Form1Test::text(const char *name) const {
    if (auto *textBox = form->findChild<QLineEdit *>(QLatin1String(name)))
        return textBox->text();
    return control<QLabel>(name)->text();
}

void Form1Test::setInputs(const QString &z1, const QString &z2, const QString &beltCode) {
    control<QLineEdit>("Text1")->setText(z1);
    control<QLineEdit>("Text2")->setText(z2);
    control<QLineEdit>("Text3")->setText(beltCode);
}

QString Form1Test::messageFrom(const std::function<void()> &action) {
    QString message;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            message = box->text();
            messageFont = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))->font();
            box->accept();
        }
    });
    poll.start(10);
    action();
    return message;
}

void Form1Test::opensWithTheInitialState() {
    QCOMPARE(Module1::BeltPitch, 5.08);
    QCOMPARE(form->windowTitle().trimmed(), QString());
    QVERIFY(!form->windowTitle().isEmpty());
    QVERIFY(form->width() >= 681 && form->height() >= 345);

    QVERIFY(control<QRadioButton>("Option1_0")->isChecked());
    QVERIFY(!control<QRadioButton>("Option1_1")->isChecked());
    QCOMPARE(text("Text1"), QStringLiteral("36"));
    QCOMPARE(text("Text2"), QStringLiteral("14"));
    QCOMPARE(text("Text3"), QStringLiteral("150"));
    for (const char *result : {"Text4", "Label9", "Label6_0", "Label6_1"})
        QVERIFY2(text(result).isEmpty(), result);
    QCOMPARE(QApplication::focusWidget(), control<QLineEdit>("Text1"));

    QCOMPARE(text("Label8_3"),
             QStringLiteral("Immessi i dati, premere il pulsante \"Calcola interasse\"."));
    QVERIFY(text("Label3").contains(QStringLiteral("ingranaggi  e sulla vorla.")));
    QCOMPARE(control<QLineEdit>("Text3")->accessibleName(), QStringLiteral("cinghia"));
    QVERIFY(!control<QLineEdit>("Text4")->accessibleName().isEmpty());

    QCOMPARE(form->windowIcon().availableSizes(),
             QList<QSize>({QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64)}));

    // Empty results are announced by what they are, not by the frame around them.
    QCOMPARE(announced(control<QLabel>("Label6_0")), QStringLiteral("M/m: vuoto"));
    QCOMPARE(announced(control<QLabel>("Label6_1")), QStringLiteral("m/M: vuoto"));
    QCOMPARE(announced(control<QLabel>("Label9")), QStringLiteral("interasse: vuoto"));
    QCOMPARE(announced(control<QLineEdit>("Text4")), QStringLiteral("interasse in mm"));
    QCOMPARE(announced(form.get()), QStringLiteral("Interasse"));
    QVERIFY(announced(control<QLabel>("Image1")).startsWith(QStringLiteral("Disegno")));
    QVERIFY(announced(control<QLabel>("Image2")).startsWith(QStringLiteral("Logo")));
}

void Form1Test::everyCaptionFitsItsRectangle() {
    clickCompute(); // results must fit as well
    const auto labels = form->findChildren<QLabel *>();
    for (QLabel *label : labels) {
        if (label->text().isEmpty())
            continue;
        QCOMPARE(QFontInfo(label->font()).family(), QString::fromUtf8(qgetenv("EXPECTED_FONT")));
        const QRect needed = label->fontMetrics().boundingRect(
            QRect(0, 0, label->width(), 10000), int(label->alignment()) | Qt::TextWordWrap,
            label->text());
        QVERIFY2(
            needed.width() <= label->width() && needed.height() <= label->height(),
            qPrintable(label->objectName() +
                       QStringLiteral(" needs %1 x %2").arg(needed.width()).arg(needed.height())));
    }
    for (ColourButton *button : form->findChildren<ColourButton *>()) {
        const QRect room = button->captionRect();
        const QRect needed = button->fontMetrics().boundingRect(
            QRect(0, 0, room.width(), 10000), Qt::AlignCenter | Qt::TextWordWrap, button->text());
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(button->objectName()));
    }
    for (QRadioButton *option : form->findChildren<QRadioButton *>())
        QVERIFY(option->sizeHint().width() <= option->width());
    QCOMPARE(control<QPushButton>("Command1")->text(), QStringLiteral("calcola interasse"));
}

void Form1Test::computesAndShowsResults_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("profile");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("shown"); // Text4, Label9, Label6_0, Label6_1

    QTest::newRow("XL, Italian") << italian << 0 << QStringList{"36", "14", "150"}
                                 << QStringList{"125,75", "125,75 mm", "2,57", "0,39"};
    QTest::newRow("XL, English") << english << 0 << QStringList{"36", "14", "150"}
                                 << QStringList{"125.75", "125.75 mm", "2.57", "0.39"};
    QTest::newRow("L, Italian") << italian << 1 << QStringList{"36", "14", "304"}
                                << QStringList{"264,61", "264,61 mm", "2,57", "0,39"};
    QTest::newRow("L, English") << english << 1 << QStringList{"36", "14", "304"}
                                << QStringList{"264.61", "264.61 mm", "2.57", "0.39"};
    // True distance 40,475 mm against pitch radii of 40,425: it runs, though no belt of
    // 42,5 teeth is made.
    QTest::newRow("a belt that runs, just") << italian << 0 << QStringList{"36", "14", "85"}
                                            << QStringList{"40,74", "40,74 mm", "2,57", "0,39"};
    QTest::newRow("pulleys of part of a tooth")
        << italian << 0 << QStringList{"12,5", "10", "150"}
        << QStringList{"161,91", "161,91 mm", "1,25", "0,8"};
    QTest::newRow("separator kept") << italian << 0 << QStringList{"20", "20,0", " 140 "}
                                    << QStringList{"127,", "127, mm", "1,0", "1,0"};
    QTest::newRow("decimals") << english << 0 << QStringList{"36.5", "14", "150"}
                              << QStringList{"125.05", "125.05 mm", "2.61", "0.38"};
}

void Form1Test::computesAndShowsResults() {
    QFETCH(QLocale, locale);
    QFETCH(int, profile);
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, shown);
    QLocale::setDefault(locale);
    QTest::mouseClick(control<QRadioButton>(profile == 0 ? "Option1_0" : "Option1_1"),
                      Qt::LeftButton);
    setInputs(inputs[0], inputs[1], inputs[2]);
    control<QLineEdit>("Text4")->setText(QStringLiteral("typed over"));
    clickCompute();
    clickCompute(); // the same inputs give the same texts again

    const QStringList actual{text("Text4"), text("Label9"), text("Label6_0"), text("Label6_1")};
    QCOMPARE(actual, shown);
    QCOMPARE(QStringList({text("Text1"), text("Text2"), text("Text3")}), inputs);

    const QStringList heard{announced(control<QLineEdit>("Text4"), QAccessible::Value),
                            announced(control<QLabel>("Label9")),
                            announced(control<QLabel>("Label6_0")),
                            announced(control<QLabel>("Label6_1"))};
    QCOMPARE(heard, QStringList({shown[0], "interasse: " + shown[1], "M/m: " + shown[2],
                                 "m/M: " + shown[3]}));
    for (const char *result : {"Text4", "Label9", "Label6_0", "Label6_1"})
        QVERIFY2(control<QWidget>(result)->toolTip().isEmpty(), result);
}

void Form1Test::choosingAProfileChangesNoResult() {
    clickCompute();
    const QStringList before{text("Text4"), text("Label9"), text("Label6_0"), text("Label6_1")};
    QTest::mouseClick(control<QRadioButton>("Option1_1"), Qt::LeftButton);
    QVERIFY(control<QRadioButton>("Option1_1")->isChecked());
    QVERIFY(!control<QRadioButton>("Option1_0")->isChecked());
    QCOMPARE(Module1::BeltPitch, 9.525);
    QCOMPARE(QStringList({text("Text4"), text("Label9"), text("Label6_0"), text("Label6_1")}),
             before);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(text(qPrintable(QStringLiteral("Label2_%1").arg(i))), QStringLiteral("XL037"));

    QTest::mouseClick(control<QRadioButton>("Option1_0"), Qt::LeftButton);
    QCOMPARE(Module1::BeltPitch, 5.08);
}

void Form1Test::enterInAnInputComputes() {
    for (const char *input : {"Text1", "Text2", "Text3"}) {
        control<QLineEdit>("Text4")->clear();
        QTest::keyClick(control<QLineEdit>(input), Qt::Key_Return);
        QCOMPARE(text("Text4"), QStringLiteral("125,75"));
    }
    control<QLineEdit>("Text4")->clear();
    auto *compute = control<QPushButton>("Command1");
    compute->setFocus();
    QTest::keyClick(compute, Qt::Key_Enter);
    QTRY_COMPARE(text("Text4"), QStringLiteral("125,75"));
}

void Form1Test::reportsErrorsAndKeepsRunning_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("shown"); // Text4, Label9, Label6_0, Label6_1

    const QStringList none{"", "", "", ""};
    QTest::newRow("empty belt") << QStringList{"36", "14", " "}
                                << "Il campo \"cinghia\" è vuoto: scrivere il numero stampato "
                                   "sulla cinghia prima del profilo, per esempio 150 per 150XL037."
                                << none;
    QTest::newRow("letters") << QStringList{"trentasei", "14", "150"} << "\"ingranaggio maggiore\""
                             << none;
    QTest::newRow("English point")
        << QStringList{"36", "14.5", "150"} << "\"ingranaggio minore\"" << none;
    QTest::newRow("too large") << QStringList{"36", "14", "99999999999999999"}
                               << "\"cinghia\" è troppo grande: il massimo è "
                                  "922337203685477,5807."
                               << none;
    QTest::newRow("too small") << QStringList{"-99999999999999999", "14", "150"}
                               << "\"ingranaggio maggiore\" è troppo piccolo: il minimo è "
                                  "-922337203685477,5808."
                               << none;
    QTest::newRow("pasted digits")
        << QStringList{"36", "14", QString(100000, u'9')} << "troppo grande" << none;
    // The belt it names is the command line's too: the shortest on which the pulleys run.
    QTest::newRow("belt too short")
        << QStringList{"36", "14", "60"}
        << "La cinghia è troppo corta per questi ingranaggi: con il profilo XL037 la più corta "
           "su cui girano è 86XL037."
        << none;
    QTest::newRow("pitch circles overlap")
        << QStringList{"36", "14", "66"}
        << "La cinghia è troppo corta per questi ingranaggi: con il profilo XL037 la più corta "
           "su cui girano è 86XL037."
        << none;
    QTest::newRow("a negative belt")
        << QStringList{"36", "14", "-150"} << "la più corta su cui girano è 86XL037." << none;
    QTest::newRow("smaller pulley 0")
        << QStringList{"36", "0", "150"} << "Il valore di \"ingranaggio minore\" è 0"
        << QStringList{"141,82", "141,82 mm", "", ""};
    QTest::newRow("larger pulley 0")
        << QStringList{"0", "14", "150"} << "Il valore di \"ingranaggio maggiore\" è 0"
        << QStringList{"172,35", "172,35 mm", ",0", ""};
}

void Form1Test::reportsErrorsAndKeepsRunning() {
    QFETCH(QStringList, inputs);
    QFETCH(QString, message);
    QFETCH(QStringList, shown);
    clickCompute(); // earlier results, which must not stand beside new ones
    QVERIFY(!text("Label6_1").isEmpty());

    setInputs(inputs[0], inputs[1], inputs[2]);
    const QString reported = messageFrom([this] { clickCompute(); });
    QVERIFY2(reported.contains(message), qPrintable(reported));
    QCOMPARE(messageFont, form->font());
    QVERIFY(form->isVisible());
    QCOMPARE(QStringList({text("Text1"), text("Text2"), text("Text3")}), inputs);
    QCOMPARE(QStringList({text("Text4"), text("Label9"), text("Label6_0"), text("Label6_1")}),
             shown);

    setInputs(QStringLiteral("36"), QStringLiteral("14"), QStringLiteral("150"));
    clickCompute();
    QCOMPARE(text("Text4"), QStringLiteral("125,75"));
}

void Form1Test::tabReachesOnlyTheSelectedProfile_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("byClick");
    QTest::newRow("XL at start") << 0 << false;
    QTest::newRow("L by click") << 1 << true;
    QTest::newRow("L in code") << 1 << false;
    QTest::newRow("XL clicked back") << 0 << true;
}

void Form1Test::tabReachesOnlyTheSelectedProfile() {
    QFETCH(int, selected);
    QFETCH(bool, byClick);
    auto *other = control<QRadioButton>(selected == 0 ? "Option1_1" : "Option1_0");
    auto *option = control<QRadioButton>(selected == 0 ? "Option1_0" : "Option1_1");
    if (byClick) {
        QTest::mouseClick(other, Qt::LeftButton);
        QTest::mouseClick(option, Qt::LeftButton);
    } else {
        option->setChecked(true);
    }
    control<QLineEdit>("Text1")->setFocus();

    const QStringList forward{
        "Text2", "Text3", "Command1", "Text4", "Command2", option->objectName(), "Text1"};
    QStringList reached;
    for (qsizetype i = 0; i < forward.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(reached, forward);

    QStringList backward;
    for (qsizetype i = 0; i < forward.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        backward << QApplication::focusWidget()->objectName();
    }
    QStringList expected;
    for (qsizetype i = forward.size() - 2; i >= 0; --i)
        expected << forward[i];
    expected << QStringLiteral("Text1");
    QCOMPARE(backward, expected);
}

void Form1Test::arrowKeysChooseTheProfile() {
    auto *xl = control<QRadioButton>("Option1_0");
    auto *l = control<QRadioButton>("Option1_1");
    xl->setFocus();
    QTest::keyClick(xl, Qt::Key_Down);
    QVERIFY(l->isChecked());
    QCOMPARE(QApplication::focusWidget(), l);
    QCOMPARE(Module1::BeltPitch, 9.525);
    QTest::keyClick(l, Qt::Key_Up);
    QVERIFY(xl->isChecked());
    QCOMPARE(Module1::BeltPitch, 5.08);
}

void Form1Test::quitButtonClosesTheWindow() {
    QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
    QVERIFY(!form->isVisible());
}

// A result too wide for its place shows its start and "…", never a shorter number.
void Form1Test::resultsTooWideAreNeverCut() {
    setInputs(QStringLiteral("900000000000"), QStringLiteral("1"), QStringLiteral("3000000000000"));
    clickCompute();
    auto *distance = control<QLineEdit>("Text4");
    QCOMPARE(distance->text(), QStringLiteral("2565808630969,67"));
    QCOMPARE(distance->cursorPosition(), 0);
    QCOMPARE(distance->toolTip(), distance->text());

    const struct {
        const char *name;
        QString whole;
    } labels[] = {{"Label9", distance->text() + " mm"}, {"Label6_0", "900000000000,0"}};
    for (const auto &label : labels) {
        QVERIFY2(text(label.name).endsWith(u'…'), qPrintable(text(label.name)));
        QCOMPARE(control<QLabel>(label.name)->toolTip(), label.whole);
        QVERIFY(announced(control<QLabel>(label.name)).endsWith(label.whole));
    }
    QCOMPARE(text("Label6_1"), QStringLiteral("0,0"));

    // A ratio that just fills its label is shown whole; one pixel less and it is not.
    auto *ratio = control<QLabel>("Label6_1");
    const int frame = ratio->width() - ratio->contentsRect().width();
    ratio->resize(ratio->fontMetrics().horizontalAdvance(QStringLiteral("0,0")) + frame,
                  ratio->height());
    clickCompute();
    QCOMPARE(text("Label6_1"), QStringLiteral("0,0"));
    QVERIFY(ratio->toolTip().isEmpty());
    ratio->resize(ratio->width() - 1, ratio->height());
    clickCompute();
    QCOMPARE(ratio->toolTip(), QStringLiteral("0,0"));

    // The box ends it in "…" until it has the focus; its tooltip follows what is typed.
    QVERIFY(!qobject_cast<TextBox *>(distance)->textFits());
    distance->setFocus();
    distance->selectAll();
    QTest::keyClicks(distance, QStringLiteral("12"));
    QVERIFY(distance->toolTip().isEmpty());
    QTest::keyClicks(distance, QString(40, u'9'));
    QCOMPARE(distance->toolTip(), distance->text());
}

void Form1Test::aPasteTooLongIsRefusedWhole() {
    auto *input = control<QLineEdit>("Text1");
    input->setFocus();
    const QString longest = QString(TextBox::longestText - 2, u' ') + QStringLiteral("40");
    for (const QString &pasted : {longest, QStringLiteral("0") + longest}) {
        QApplication::clipboard()->setText(pasted);
        input->selectAll();
        QTest::keySequence(input, QKeySequence::Paste);
    }
    QCOMPARE(input->text(), longest);
    input->end(false);
    QTest::keyClick(input, Qt::Key_1);
    QCOMPARE(input->text(), longest);
}

void Form1Test::qtsOwnTextsAreItalian() {
    const std::unique_ptr<QMenu> menu(control<QLineEdit>("Text1")->createStandardContextMenu());
    QStringList actions;
    for (const QAction *action : menu->actions())
        actions << action->text().section(u'\t', 0, 0);
    QVERIFY2(actions.contains(QStringLiteral("&Incolla")), qPrintable(actions.join(u' ')));
}

// Run with QT_SCALE_FACTOR=2: the icon is drawn for that density, not stretched; the
// golden pictures show the rest of the window.
void Form1Test::staysSharpOnATwiceDenseScreen() {
    if (form->devicePixelRatioF() < 2)
        QSKIP("needs a device pixel ratio of 2");
    const auto onlyColours = [](const QImage &image, const QList<QRgb> &colours) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!colours.contains(image.pixel(x, y)))
                    return false;
        return true;
    };
    const QImage icon = form->windowIcon()
                            .pixmap(QSize(32, 32), 2.0)
                            .toImage()
                            .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(icon.size(), QSize(64, 64));
    QVERIFY(onlyColours(icon, {qRgba(0, 0, 0, 0), qRgb(0, 0, 0), qRgb(255, 255, 255),
                               qRgb(0, 255, 255), qRgb(128, 128, 128)}));
}

// The whole window against pictures committed in golden/, at start and after the worked
// example with each profile; GOLDEN names the face and scale the test runs with. Pixel for
// pixel, they hold every control's presence, place and size.
void Form1Test::looksAsItsGoldenPictures() {
    const QString configuration = golden::configuration();
    if (configuration.isEmpty())
        return;
    QStringList differences;
    const auto compare = [&](const char *state) {
        const QString difference =
            golden::differenceFrom(form->grab().toImage(), QStringLiteral(GOLDEN_DIR),
                                   configuration + u'-' + QLatin1String(state));
        if (!difference.isEmpty())
            differences << difference;
    };
    compare("start");
    clickCompute();
    compare("XL037");
    QTest::mouseClick(control<QRadioButton>("Option1_1"), Qt::LeftButton);
    control<QLineEdit>("Text3")->setText(QStringLiteral("304")); // 150L075 cannot run
    clickCompute();
    compare("L075");
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(u'\n')));
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
