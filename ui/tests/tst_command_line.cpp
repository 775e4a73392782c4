#include "ui/command_line.h"

#include <QCoreApplication>
#include <QTest>
#include <QTextStream>

namespace {

const QLocale italian(QLocale::Italian, QLocale::Italy);
const QLocale english(QLocale::English, QLocale::UnitedStates);

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QCoreApplication::setApplicationName(QStringLiteral("Interasse"));
        QCoreApplication::setApplicationVersion(QStringLiteral("1.00"));
    }
    void answersInTheTerminal_data();
    void answersInTheTerminal();
};

void CommandLineTest::answersInTheTerminal_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err"); // a part of standard error

    // The window shows the same digits for the worked examples.
    QTest::newRow("worked example, comma") << italian << QStringList{"36", "14", "150"} << 0
                                           << "interasse: 125,75 mm\nM/m: 2,57\nm/M: 0,39\n"
                                           << "";
    QTest::newRow("worked example, point") << english << QStringList{"36", "14", "150"} << 0
                                           << "interasse: 125.75 mm\nM/m: 2.57\nm/M: 0.39\n"
                                           << "";
    QTest::newRow("L, comma") << italian << QStringList{"36", "14", "150", "--profile", "L075"} << 0
                              << "interasse: 63,17 mm\nM/m: 2,57\nm/M: 0,39\n"
                              << "";
    QTest::newRow("csv whatever the locale")
        << italian << QStringList{"36,0", "14", "150", "--csv", "-p", "l075"} << 0
        << "interasse_mm,M/m,m/M\n63.17,2.57,0.39\n"
        << "";
    QTest::newRow("separator kept") << english << QStringList{"20", "20", "140"} << 0
                                    << "interasse: 127. mm\nM/m: 1.0\nm/M: 1.0\n"
                                    << "";

    QTest::newRow("near, comma") << italian << QStringList{"36", "14", "--near", "125,75"} << 0
                                 << "cinghia       denti   interasse       differenza\n"
                                    "150XL037      75      125,75 mm       0,00 mm\n"
                                    "152XL037      76      128,31 mm       +2,56 mm\n"
                                 << "";
    QTest::newRow("near, exact hit is one row")
        << english << QStringList{"20", "20", "--near", "76.2", "--csv"} << 0
        << "cinghia,denti,interasse_mm,differenza_mm\n100,50,76.2,0.00\n"
        << "";
    QTest::newRow("near, within a range")
        << english << QStringList{"36", "14", "--near", "1000", "--belts", "100:200", "--csv"} << 0
        << "cinghia,denti,interasse_mm,differenza_mm\n200,100,189.67,-810.33\n"
        << "";
    QTest::newRow("belts, L once each")
        << english << QStringList{"36", "14", "--belts", "140:160", "--profile", "L075", "--csv"}
        << 0
        << "cinghia,denti,interasse_mm\n142,38,52.16\n146,39,57.73\n150,40,63.17\n"
           "154,41,68.51\n157,42,73.77\n"
        << "";
    QTest::newRow("belts from too short ones")
        << italian << QStringList{"36", "14", "--belts", "1:66"} << 0
        << "Le cinghie più corte di 66XL037 sono troppo corte per questi ingranaggi.\n"
           "cinghia       denti   interasse\n"
           "66XL037       33      9,82 mm\n"
        << "";

    // The same words as the window's messages.
    QTest::newRow("belt too short") << italian << QStringList{"36", "14", "60"} << 1 << ""
                                    << "con il profilo XL037 il codice più piccolo che dà un "
                                       "interasse è 65.";
    QTest::newRow("pulley of no teeth")
        << italian << QStringList{"36", "0", "150"} << 1 << "interasse: 141,82 mm\n"
        << "\"ingranaggio minore\" ha 0 denti";
    QTest::newRow("not a number") << italian << QStringList{"36", "14.5", "150"} << 2 << ""
                                  << "Il valore di \"ingranaggio minore\" non è un numero: "
                                     "scrivere un numero, con \",\" per i decimali.";
    QTest::newRow("wanted distance not a number")
        << english << QStringList{"36", "14", "--near", "vicino"} << 2 << ""
        << "Il valore di \"interasse\" non è un numero";
    QTest::newRow("no belt fits") << english << QStringList{"900000000000000", "0", "--near", "1"}
                                  << 1 << ""
                                  << "nessuna cinghia dà un interasse";
    QTest::newRow("missing belt") << english << QStringList{"36", "14"} << 2 << ""
                                  << "interasse --help";
    QTest::newRow("belt with a search")
        << english << QStringList{"36", "14", "150", "--near", "120"} << 2 << ""
        << "--near";
    QTest::newRow("unknown profile")
        << english << QStringList{"36", "14", "150", "-p", "T5"} << 2 << ""
        << "Profilo \"T5\" sconosciuto";
    QTest::newRow("range backwards")
        << english << QStringList{"36", "14", "--belts", "400:100"} << 2 << ""
        << "DA:A";
    QTest::newRow("unknown option")
        << english << QStringList{"36", "14", "150", "--fast"} << 2 << ""
        << "fast";

    QTest::newRow("version") << english << QStringList{"--version"} << 0 << "Interasse 1.00\n"
                             << "";
}

void CommandLineTest::answersInTheTerminal() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QString printed, complained;
    QTextStream outStream(&printed), errStream(&complained);
    arguments.prepend(QStringLiteral("interasse"));
    QCOMPARE(runCommandLine(arguments, outStream, errStream, locale), status);
    outStream.flush();
    errStream.flush();
    QCOMPARE(printed, out);
    QVERIFY2(complained.contains(err), qPrintable(complained));
    QCOMPARE(complained.isEmpty(), err.isEmpty());
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_command_line.moc"
