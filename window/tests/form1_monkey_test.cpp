// Thousands of random steps on the window, as a careless user would take them, with a fixed
// seed. After each press of the button the results keep what is known of them without the
// window's formula, and a step that computes nothing must change no result.

#include "geometry/number_text.h"
#include "window/form1.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <array>
#include <cmath>
#include <random>

namespace {

using Results = std::array<QString, 4>; // Text4, Label9, Label6_0, Label6_1, whole

// Within the two decimals a result is shown with.
bool shownAs(double shown, double exact) {
    return std::abs(shown - exact) <= 0.005 + 1e-12 * exact;
}

// Types text as keys, Unicode included, which QTest::keyClicks takes only in ASCII.
void type(QWidget *widget, const QString &text) {
    for (QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void randomStepsKeepResultsTrue();
};

void MonkeyTest::randomStepsKeepResultsTrue() {
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QLocale locales[] = {QLocale(QLocale::Italian, QLocale::Italy),
                               QLocale(QLocale::English, QLocale::UnitedStates)};
    QLocale::setDefault(locales[0]);
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    const std::array<QLineEdit *, 3> inputs{form.findChild<QLineEdit *>(QStringLiteral("Text1")),
                                            form.findChild<QLineEdit *>(QStringLiteral("Text2")),
                                            form.findChild<QLineEdit *>(QStringLiteral("Text3"))};
    auto *distance = form.findChild<QLineEdit *>(QStringLiteral("Text4"));
    const std::array<QLabel *, 3> labels{form.findChild<QLabel *>(QStringLiteral("Label9")),
                                         form.findChild<QLabel *>(QStringLiteral("Label6_0")),
                                         form.findChild<QLabel *>(QStringLiteral("Label6_1"))};
    auto *compute = form.findChild<QPushButton *>(QStringLiteral("Command1"));
    const std::array<QRadioButton *, 2> profiles{
        form.findChild<QRadioButton *>(QStringLiteral("Option1_0")),
        form.findChild<QRadioButton *>(QStringLiteral("Option1_1"))};

    const auto results = [&] {
        Results now{distance->text()};
        for (std::size_t i = 0; i < labels.size(); ++i)
            now[i + 1] = labels[i]->toolTip().isEmpty() ? labels[i]->text() : labels[i]->toolTip();
        return now;
    };
    const auto typed = [&] {
        return std::array<QString, 3>{inputs[0]->text(), inputs[1]->text(), inputs[2]->text()};
    };

    // Every error box is closed as soon as it opens.
    bool boxOpened = false;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&boxOpened] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            boxOpened = true;
            box->accept();
        }
    });
    closer.start(0);

    const QString texts[] = {QStringLiteral("0"),      QStringLiteral("1"),
                             QStringLiteral("36"),     QStringLiteral("150"),
                             QStringLiteral(","),      QStringLiteral("."),
                             QStringLiteral("-"),      QStringLiteral(" "),
                             QStringLiteral("x"),      QStringLiteral("\u00A0"),
                             QStringLiteral("\u066B"), QStringLiteral("\u0661"),
                             QStringLiteral("€"),      QStringLiteral("99999999999999")};
    std::mt19937 random(20261207);
    const auto pick = [&](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    };
    std::size_t locale = 0;
    int calculations = 0, equalPulleys = 0;
    for (int step = 0; step < 3000; ++step) {
        QLineEdit *input = inputs[static_cast<std::size_t>(pick(3))];
        const Results before = results();
        const auto inputsBefore = typed();
        bool computes = false;
        boxOpened = false;
        switch (pick(12)) {
        case 0:
            type(input, texts[pick(std::size(texts))]);
            break;
        case 1:
        case 2:
        case 3: // a number that is likely to give a result, or the other pulley's
            input->clear();
            type(input, input != inputs[2] && pick(2) == 0
                            ? inputs[input == inputs[0] ? 1U : 0U]->text()
                            : QString::number(input == inputs[2] ? pick(400) : pick(60)));
            if (pick(4) == 0)
                type(input, locales[locale].decimalPoint() + QString::number(pick(100)));
            break;
        case 4:
            QTest::keyClick(input, Qt::Key_Backspace);
            break;
        case 5:
            QApplication::clipboard()->setText(
                QString(pick(10) == 0 ? 100'000 : pick(30), QChar(u'0' + pick(10))));
            input->paste();
            break;
        case 6:
        case 7:
            QTest::keyClick(input, Qt::Key_Return);
            computes = true;
            break;
        case 8:
            QTest::mouseClick(compute, Qt::LeftButton);
            computes = true;
            break;
        case 9:
            QTest::mouseClick(profiles[static_cast<std::size_t>(pick(2))], Qt::LeftButton);
            break;
        case 10:
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &form,
                            Qt::Key_Tab);
            break;
        default:
            locale = 1 - locale;
            QLocale::setDefault(locales[locale]);
            break;
        }
        if (computes) {
            ++calculations;
            QCOMPARE(typed(), inputsBefore);
            QCOMPARE(distance->cursorPosition(), 0);
            const Results now = results();
            // A result left empty is one a box said why of, and only then.
            QCOMPARE(boxOpened, now[0].isEmpty() || now[2].isEmpty() || now[3].isEmpty());
            QCOMPARE(now[1], now[0].isEmpty() ? QString() : now[0] + QStringLiteral(" mm"));
            if (now[0].isEmpty())
                continue;
            const auto number = [&](const QString &text) {
                return geometry::textToNumber(text.toStdString(),
                                              locales[locale].decimalPoint().toStdString());
            };
            const double z1 = number(inputsBefore[0]), z2 = number(inputsBefore[1]);
            const double code = number(inputsBefore[2]);
            // Each ratio is the typed teeth divided; equal pulleys stand half the free belt apart,
            // its length the code in tenths of an inch (for L, in whole teeth of 3/8 inch).
            QVERIFY(now[2].isEmpty() || shownAs(number(now[2]), z1 / z2));
            QVERIFY(now[3].isEmpty() || shownAs(number(now[3]), z2 / z1));
            const bool xl = profiles[0]->isChecked();
            if (z1 == z2 && z1 > 0 && (xl || std::fmod(code * 4, 15) == 0)) {
                ++equalPulleys;
                QVERIFY(shownAs(number(now[0]), (code * 2.54 - z1 * (xl ? 5.08 : 9.525)) / 2));
            }
        } else {
            QCOMPARE(results(), before);
        }
    }
    QVERIFY(calculations > 300);
    QVERIFY(equalPulleys > 10);
    QLocale::setDefault(QLocale::system());
}

QTEST_MAIN(MonkeyTest)
#include "form1_monkey_test.moc"
