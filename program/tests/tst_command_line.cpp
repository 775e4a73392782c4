#include "program/command_line.h"

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

    // The window shows the same digits for the worked examples; the true geometry follows.
    const QString trueGeometry = "interasse effettivo: 125,74 mm\n"
                                 "angolo di avvolgimento sul minore: 163,74°\n"
                                 "denti in presa sul minore: 6,37\n";
    QTest::newRow("worked example, comma")
        << italian << QStringList{"36", "14", "150"} << 0
        << "interasse: 125,75 mm\nM/m: 2,57\nm/M: 0,39\n" + trueGeometry << "";
    QTest::newRow("worked example, point")
        << english << QStringList{"36", "14", "150", "-p", "xl"} << 0
        << "interasse: 125.75 mm\nM/m: 2.57\nm/M: 0.39\n" +
               QString(trueGeometry).replace(u',', u'.')
        << "";
    QTest::newRow("L: pitch circles overlap")
        << italian << QStringList{"36", "14", "150", "--profile", "L075"} << 0
        << "interasse: 63,17 mm\nM/m: 2,57\nm/M: 0,39\ninterasse effettivo: 62,27 mm\n"
           "angolo di avvolgimento sul minore: 115,24°\ndenti in presa sul minore: 4,48\n"
        << "Con la cinghia 150L075 le circonferenze primitive degli ingranaggi si sovrappongono";
    QTest::newRow("csv whatever the locale")
        << italian << QStringList{"36,0", "14", "150", "--csv"} << 0
        << "interasse_mm,M/m,m/M,interasse_effettivo_mm,angolo_di_avvolgimento_sul_minore_gradi,"
           "denti_in_presa_sul_minore\n125.75,2.57,0.39,125.74,163.74,6.37\n"
        << "";
    QTest::newRow("separator kept") << english << QStringList{"20", "20", "140"} << 0
                                    << "interasse: 127. mm\nM/m: 1.0\nm/M: 1.0\n"
                                       "interasse effettivo: 127.00 mm\n"
                                       "angolo di avvolgimento sul minore: 180.00°\n"
                                       "denti in presa sul minore: 10.00\n"
                                    << "";
    QTest::newRow("GT2, equal pulleys")
        << italian << QStringList{"20", "20", "200", "--profile", "2GT"} << 0
        << "interasse effettivo: 80,00 mm\nM/m: 1,00\nm/M: 1,00\n"
           "angolo di avvolgimento sul minore: 180,00°\ndenti in presa sul minore: 10,00\n"
        << "";
    QTest::newRow("T2.5, a code that is no belt")
        << english << QStringList{"20", "20", "177", "-p", "T2.5"} << 1 << ""
        << "Nessuna cinghia T2.5 in commercio ha il codice 177";
    QTest::newRow("5M near, made belts only")
        << english << QStringList{"36", "14", "--near", "125", "-p", "HTD5M-15", "--csv"} << 0
        << "cinghia,denti,interasse_mm,denti_in_presa,differenza_mm\n"
           "375,75,123.76,6.37,-1.24\n380,76,126.28,6.38,+1.28\n"
        << "";
    QTest::newRow("T5 belts in mm")
        << english << QStringList{"30", "15", "--belts", "400:410", "-p", "t5-10"} << 0
        << "cinghia             denti   interasse       denti in presa\n"
           "T5-400-10           80      143.25 mm       7.10\n"
           "T5-405-10           81      145.76 mm       7.11\n"
           "T5-410-10           82      148.27 mm       7.12\n"
        << "";
    QTest::newRow("negative pulley is a number")
        << english << QStringList{"-36", "14", "150"} << 0
        << "interasse: 214.67 mm\nM/m: -2.57\nm/M: -0.39\n"
        << "Il valore di \"ingranaggio maggiore\" deve essere un numero intero di denti";
    QTest::newRow("few teeth in mesh")
        << italian << QStringList{"36", "14", "86"} << 0
        << "interasse: 42,12 mm\nM/m: 2,57\nm/M: 0,39\ninterasse effettivo: 41,88 mm\n"
           "angolo di avvolgimento sul minore: 129,74°\ndenti in presa sul minore: 5,05\n"
        << "Sull'ingranaggio minore sono in presa solo 5,05 denti";
    QTest::newRow("belt that is not made") << italian << QStringList{"36", "14", "151"} << 0
                                           << "interasse: 127,03 mm\nM/m: 2,57\nm/M: 0,39\n"
                                           << "Nessuna cinghia XL037 in commercio ha il codice 151";
    QTest::newRow("shorter than the larger pulley")
        << italian << QStringList{"36", "14", "66"} << 0
        << "interasse: 9,82 mm\nM/m: 2,57\nm/M: 0,39\n"
        << "non può girare su questi ingranaggi: la più corta su cui girano è 86XL037.";

    QTest::newRow("near, comma") << italian << QStringList{"36", "14", "--near", "125,75"} << 0
                                 << "cinghia             denti   interasse       denti in presa  "
                                    "differenza\n"
                                    "150XL037            75      125,74 mm       6,37            "
                                    "-0,01 mm\n"
                                    "152XL037            76      128,31 mm       6,38            "
                                    "+2,56 mm\n"
                                 << "";
    QTest::newRow("near, overlapping belts left out")
        << italian << QStringList{"60", "12", "--near", "0", "-p", "L075"} << 0
        << "cinghia             denti   interasse       denti in presa  differenza\n"
           "244L075             65      113,98 mm       3,36 *          +113,98 mm\n"
           "* meno di 6 denti in presa sull'ingranaggio minore\n"
        << "";
    QTest::newRow("near, within a range")
        << english << QStringList{"36", "14", "--near", "1000", "--belts", "100:200", "--csv"} << 0
        << "cinghia,denti,interasse_mm,denti_in_presa,differenza_mm\n"
           "200,100,189.67,6.58,-810.33\n"
        << "";
    QTest::newRow("belts from too short ones")
        << italian << QStringList{"36", "14", "--belts", "1:88"} << 0
        << "Le cinghie più corte di 86XL037 non girano su questi ingranaggi.\n"
           "cinghia             denti   interasse       denti in presa\n"
           "86XL037             43      41,88 mm        5,05 *\n"
           "88XL037             44      44,67 mm        5,17 *\n"
           "* meno di 6 denti in presa sull'ingranaggio minore\n"
        << "";
    QTest::newRow("no belt in the range")
        << italian << QStringList{"36", "14", "--belts", "1:80", "--csv"} << 1 << ""
        << "Nessuna cinghia XL037 con codice da 1 a 80 gira su questi ingranaggi: la più corta "
           "è 86XL037.";
    QTest::newRow("none near within the range")
        << italian << QStringList{"36", "14", "--near", "50", "--belts", "40:60"} << 1 << ""
        << "Nessuna cinghia XL037 con codice da 40 a 60";

    // The same words as the window's messages.
    QTest::newRow("belt too short") << italian << QStringList{"36", "14", "60"} << 1 << ""
                                    << "La cinghia è troppo corta per questi ingranaggi: con il "
                                       "profilo XL037 la più corta su cui girano è 86XL037.";
    QTest::newRow("pulley of no teeth, csv prints nothing")
        << italian << QStringList{"36", "0", "150", "--csv"} << 1 << ""
        << "Il valore di \"ingranaggio minore\" è 0";
    QTest::newRow("not a number") << italian << QStringList{"36", "14.5", "150"} << 2 << ""
                                  << "Il valore di \"ingranaggio minore\" non è un numero: "
                                     "scrivere un numero, con \",\" per i decimali.";
    QTest::newRow("wanted distance not a number")
        << english << QStringList{"36", "14", "--near", "vicino"} << 2 << ""
        << "Il valore di \"interasse\" non è un numero";
    QTest::newRow("no whole pulley")
        << english << QStringList{"36", "14.5", "--near", "1"} << 1 << ""
        << "\"ingranaggio minore\" deve essere un numero intero";
    QTest::newRow("missing belt") << english << QStringList{"36", "14"} << 2 << ""
                                  << "interasse --help";
    QTest::newRow("belt with a search")
        << english << QStringList{"36", "14", "150", "--near", "120"} << 2 << ""
        << "--near";
    QTest::newRow("unknown profile")
        << english << QStringList{"36", "14", "150", "-p", "T7"} << 2 << ""
        << "Profilo \"T7\" sconosciuto: i profili sono MXL, XL, L, H, XH, XXH, T2.5, T5, T10, "
           "T20, AT5, AT10, AT20, 3M, 5M, 8M, 14M, 2GT, 3GT, 5GT";
    QTest::newRow("range backwards")
        << english << QStringList{"36", "14", "--belts", "400:100"} << 2 << ""
        << "100:400";
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
