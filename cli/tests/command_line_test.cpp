#include "cli/arguments.h"
#include "cli/command_line.h"
#include "cli/layout_file.h"
#include "cli/stock.h"
#include "common/output_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <atomic>
#include <cmath>
#include <numbers>
#include <tuple>
#include <variant>

#include <sys/stat.h>

namespace {

const QLocale italian(QLocale::Italian, QLocale::Italy);
const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale arabic(QLocale::Arabic, QLocale::Egypt);

QString number(double value) {
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QString range(const std::optional<cli::Range> &range) {
    return range ? number(range->low) + u':' + number(range->high) : QStringLiteral("-");
}

// The loads read, where any was typed.
QString loadsOf(const cli::LoadRequest &loads) {
    if (loads == cli::LoadRequest{})
        return {};
    const auto shown = [](const std::optional<cli::Value> &value) {
        return value ? number(value->value) : QStringLiteral("-");
    };
    return QStringLiteral(" loads %1 %2 %3 %4 %5 %6")
        .arg(shown(loads.tension), shown(loads.frequency), loads.span.value_or("-"),
             shown(loads.mass), shown(loads.power), shown(loads.serviceFactor));
}

// The values read into a request, in the words of the rows below.
QString valuesOf(const cli::Request &request) {
    const QString profile = QString::fromStdString(geometry::profileName(request.profile));
    if (const auto *one = std::get_if<cli::OneBeltRequest>(&request.asked))
        return QStringLiteral("%1 %2/%3%4 belt %5 rpm %6")
                   .arg(profile, number(one->pulleys.larger), number(one->pulleys.smaller),
                        one->pulleys.swapped ? QStringLiteral(" swapped") : QString(),
                        number(one->code.value),
                        one->speed ? number(*one->speed) : QStringLiteral("-")) +
               loadsOf(one->loads);
    if (const auto *list = std::get_if<cli::BeltListRequest>(&request.asked))
        return QStringLiteral("%1 %2/%3%4 codes %5 near %6 slot %7 stock %8")
            .arg(profile, number(list->pulleys.larger), number(list->pulleys.smaller),
                 list->pulleys.swapped ? QStringLiteral(" swapped") : QString(), range(list->codes),
                 list->wanted ? number(list->wanted->value) : "-", range(list->slot),
                 list->stock.value_or("-"));
    if (const auto *layout = std::get_if<cli::LayoutRequest>(&request.asked))
        return QStringLiteral("%1 layout %2 belt %3 (%4 teeth) profile %5 stock %6%7 svg %8 dxf %9")
                   .arg(profile, layout->file, layout->belt ? number(layout->belt->code) : "-",
                        layout->belt ? QString::number(layout->belt->teeth) : "-",
                        layout->profile ? "typed" : "-", layout->stock.value_or("-"),
                        layout->all ? QStringLiteral(" all") : QString(), layout->svg.value_or("-"),
                        layout->dxf.value_or("-")) +
               (layout->speed ? " rpm " + number(layout->speed->value) : QString()) +
               loadsOf(layout->loads);
    const auto &design = std::get<cli::DesignRequest>(request.asked);
    return QStringLiteral("%1 ratio %2 from %3 teeth %4 near %5 slot %6%7%8%9%10")
        .arg(profile, range(design.ratio), number(design.wantedRatio), range(design.teeth),
             design.wanted ? number(design.wanted->value) : "-", range(design.slot),
             design.all ? QStringLiteral(" all") : QString(),
             design.speed ? " rpm " + number(design.speed->value) : QString(),
             design.fromSpeed
                 ? " shafts " + number(design.fromSpeed->value) + u'>' + range(design.toSpeeds)
                 : QString(),
             design.soundOnly ? QStringLiteral(" sound only") : QString());
}

// A layout's file written as the window saves it, into copy, read back and written again: what
// differs from what was read (the layout, its profile, a name that was typed, the text), if
// anything.
QString writtenBack(const cli::LayoutFile &read, const QString &copy) {
    const QByteArray text = cli::layoutFileText(read);
    QFile file(copy);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
        return file.errorString();
    file.close();
    const common::Result<cli::LayoutFile> again = cli::readLayoutFile(copy);
    if (!again)
        return again.problem().message;
    if (again->layout != read.layout || again->profile != read.profile)
        return "another layout: " + QString::fromUtf8(text);
    for (qsizetype i = 0; i < read.names.size(); ++i)
        if (cli::isLayoutName(read.names[i]) && again->names[i] != read.names[i])
            return "another name: " + again->names[i];
    const QByteArray twice = cli::layoutFileText(*again);
    return twice == text ? QString() : "written again: " + QString::fromUtf8(twice);
}

} // namespace

// Layouts written by the test, each a case: belts at a slot's ends, an arm, entries named
// wrongly, one pulley between clamps, pulleys below the makers' smallest, a belt's length.
const std::pair<const char *, const char *> layoutFiles[] = {
    {"ends.txt", "profilo GT2-6\nmotore 0 0 20\nrinvio 395 0 20 folle scorre 420 0\n"},
    {"backwards.txt", "profilo GT2-6\nmotore 0 0 20\nrinvio 420 0 20 folle scorre 395 0\n"},
    {"across.txt", "profilo GT2-6\nmotore 0 0 20\nrinvio 395 0 20 folle scorre 395 30\n"},
    {"one-belt.txt", "profilo GT2-6\nmotore 0 0 20\nrinvio 395 0 20 folle scorre 395.5 0\n"},
    {"carriage.txt", "profilo GT2-6\ncarrelloS estremo 180 193.634\ngiuntoS 20 200 20 folle\n"
                     "angoloS 20.648 420 liscia 12 folle\nmotoreA 400 420.648 20\n"
                     "anteriore 400 220 20 folle\ngiuntoD 388.128 200.86 liscia 10 dorso folle\n"
                     "carrelloD estremo 240 206.366\n"},
    {"no-arc.txt", "profilo 2GT\nmotore 0 0 20\ncondotta 150 0 60\n"
                   "tenditore 75 4 20 dorso folle ruota 75 24 270:270\n"},
    {"turn.txt", "profilo GT2\nmotore 0 0 20\nvite 150 0 60\n"
                 "braccio 85 -20 20 dorso folle ruota 75 -20\n"},
    {"clamped.txt", "profilo GT2\nestremo -100 6.366\nmotore 0 0 20\nestremo -100 -6.366\n"},
    {"ten.txt", "profilo GT2-6\nmotore 0 0 10\nrinvio 300 0 10 folle\n"},
    {"nastro.txt", "profilo L075\nmotore 0 0 20\nnastro 400 0 80\n"
                   "tendi 200 -60 liscia 60 dorso folle scorre 200 -30\n"},
};

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QCoreApplication::setApplicationName(QStringLiteral("Interasse"));
        QCoreApplication::setApplicationVersion(QStringLiteral("1.00"));
        QFile drawing(folder.filePath(QStringLiteral("a.svg")));
        QVERIFY(drawing.open(QIODevice::WriteOnly));
        QVERIFY(drawing.link(folder.filePath(QStringLiteral("link.svg"))));
        // A layout of one pulley more than a layout takes, the last on the line after the bound.
        QFile many(folder.filePath(QStringLiteral("many.txt")));
        QVERIFY(many.open(QIODevice::WriteOnly));
        for (int line = 0; line <= cli::mostLayoutEntries; ++line)
            many.write(QByteArray::number(line * 100) + " 0 20\n");
        QFile nothing(folder.filePath(QStringLiteral("nothing.txt"))); // a comment alone
        QVERIFY(nothing.open(QIODevice::WriteOnly) && nothing.write("# no pulley\n") > 0);
        const QByteArray longComment = " # " + QByteArray(3000, 'x') + '\n';
        const std::pair<const char *, QByteArray> files[] = {
            {"senza-profilo.txt", "motore 0 0 20\nrinvio 300 0 20 folle\n"},
            {"commento-lungo.txt", "profilo GT2\nmotore 0 0 20" + longComment +
                                       "vite 150 0 60\nrullo 75 -30 20 dorso folle scorre 75 -2\n"},
            {"elenco-commento-lungo.txt", "150XL037" + longComment + "146XL037\n"},
            {"trattini.txt", "profilo GT2\na 0 0 20\nb-c 100 0 20\na-b 100 100 20\nc 0 100 20\n"},
            {"solo380.txt", "380-2GT\n"},
            {"riga-al-limite.txt", "profilo GT2\n" +
                                       QByteArray("motore 0 0 20").leftJustified(1024) +
                                       "\nvite 150 0 60\n"},
            {"riga-oltre.txt", "profilo GT2\n" + QByteArray("motore 0 0 20").leftJustified(1025) +
                                   "\nvite 150 0 60\n"}};
        const auto write = [&](const char *name, const QByteArray &text) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        };
        for (const auto &[name, text] : files)
            write(name, text);
        for (const auto &[name, text] : layoutFiles)
            write(name, text);
        for (const char *copied : {"tenditore.txt", "anelli.txt"})
            QVERIFY(
                QFile::copy(QStringLiteral(DATA_DIR "/layouts/") + QString::fromLatin1(copied),
                            folder.filePath(QStringLiteral("mia-") + QString::fromLatin1(copied))));
        QVERIFY(QFile::link(QStringLiteral("anelloB"), folder.filePath(QStringLiteral("anelloA"))));
        QVERIFY(QFile::link(QStringLiteral("anelloA"), folder.filePath(QStringLiteral("anelloB"))));
    }
    void answersInTheTerminal_data();
    void answersInTheTerminal();
    void refusesPastItsLimits_data();
    void refusesPastItsLimits();
    void helpExitsDone();
    void writesALayoutAsItReadsIt();
    void readsEachFormIntoItsRequest_data();
    void readsEachFormIntoItsRequest();
    void writesAFileWholeOrNotAtAll_data();
    void writesAFileWholeOrNotAtAll();
    void stopsAStockListNoLongerWanted();
    void setsALayoutAsItSetsOneBelt();

private:
    QTemporaryDir folder; // a drawing and a link to it, a layout past its bound and one empty
};

void CommandLineTest::answersInTheTerminal_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    // The start of standard output where it ends in "…", its end where it starts with "…".
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err"); // a part of standard error

    // The true geometry first; the window's own figure follows, with its digits.
    const QString workedExample = "interasse effettivo: 125,74 mm\n"
                                  "interasse della finestra: 125,75 mm\nM/m: 2,57\nm/M: 0,39\n"
                                  "angolo di avvolgimento sul minore: 163,74°\n"
                                  "denti in presa sul minore: 6,37\n…";
    QTest::newRow("worked example, comma")
        << italian << QStringList{"36", "14", "150"} << 0 << workedExample << "";
    QTest::newRow("worked example, point, smaller pulley first")
        << english << QStringList{"14", "36", "150", "-p", "xl"} << 0
        << QString(workedExample).replace(u',', u'.') << "";
    QTest::newRow("L: pitch circles overlap")
        << italian << QStringList{"36", "14", "150", "--profile", "L075"} << 1 << ""
        << "La cinghia è troppo corta per questi ingranaggi: con il profilo L075 la più corta "
           "su cui girano è 161L075.";
    QTest::newRow("L as makers print it, and as stock lists do")
        << italian << QStringList{"30", "20", "203", "-p", "L"} << 0
        << "interasse effettivo: 137,27 mm\ninterasse della finestra: 137,28 mm\nM/m: 1,5\n"
           "m/M: 0,67\nangolo di avvolgimento sul minore: 167,32°\n"
           "denti in presa sul minore: 9,30\n…"
        << "";
    QTest::newRow("L as stock lists print it")
        << english << QStringList{"40", "14", "322", "-p", "L"} << 0
        << "interasse effettivo: 278.19 mm\ninterasse della finestra: 278.21 mm\n…"
        << "";
    QTest::newRow("pulleys of part of a tooth: too short, no belt named")
        << english << QStringList{"36.5", "36", "72.5"} << 1 << ""
        << "La cinghia è troppo corta per questi ingranaggi: le loro circonferenze primitive";
    QTest::newRow("-,5 is a number in Italian")
        << italian << QStringList{"-,5", "14", "150"} << 0
        << "interasse della finestra: 172,96 mm\nM/m: -,04\nm/M: -28,0\n"
        << "deve essere un numero intero di denti";
    QTest::newRow("-.5 is a number in English")
        << english << QStringList{"-.5", "14", "150"} << 0
        << "interasse della finestra: 172.96 mm\nM/m: -.04\nm/M: -28.0\n"
        << "deve essere un numero intero di denti";
    QTest::newRow("-.5 is no number in Italian, nor an option")
        << italian << QStringList{"-.5", "14", "150"} << 2 << ""
        << "Il valore di \"ingranaggio maggiore\" non è un numero";
    QTest::newRow("MXL: a belt that cannot be built is named")
        << english << QStringList{"1", "1", "1", "-p", "MXL"} << 1 << ""
        << "Con la cinghia 1MXL le circonferenze primitive degli ingranaggi si sovrappongono";
    QTest::newRow("MXL: a code shared by two belts")
        << italian << QStringList{"100", "41", "1554", "-p", "MXL"} << 2 << ""
        << "Il codice 1554 è di due cinghie, 1553.6MXL (1942 denti) e 1554.4MXL (1943 denti): "
           "scrivere 1553,6 o 1554,4 per indicare quella voluta.";
    QTest::newRow("MXL: each belt of a shared code listed once")
        << english << QStringList{"100", "41", "--belts", "1553:1556", "-p", "MXL", "--csv"} << 0
        << "cinghia,denti,interasse_mm,denti_in_presa\n1553,1941,1900.33,20.37\n"
           "1553.6,1942,1901.35,20.37\n1554.4,1943,1902.36,20.37\n1555,1944,1903.38,20.37\n"
           "1556,1945,1904.40,20.37\n"
        << "";
    QTest::newRow("csv whatever the locale")
        << italian << QStringList{"36,0", "14", "150", "--csv"} << 0
        << "interasse_effettivo_mm,interasse_della_finestra_mm,M/m,m/M,"
           "angolo_di_avvolgimento_sul_minore_gradi,denti_in_presa_sul_minore,"
           "diametro_primitivo_maggiore_mm,diametro_primitivo_minore_mm,"
           "diametro_esterno_maggiore_mm,diametro_esterno_minore_mm,lunghezza_primitiva_mm,"
           "tratto_libero_mm,angolo_di_avvolgimento_sul_maggiore_gradi,"
           "denti_in_presa_sul_maggiore\n"
           "125.74,125.75,2.57,0.39,163.74,6.37,58.21,22.64,57.70,22.13,381.00,124.48,196.26,"
           "19.63\n"
        << "";
    // The whole geometry, and the speeds from the motor's: 1450 * 14 / 36, and 14 teeth of
    // 5.08 mm 1450 times a minute.
    QTest::newRow("whole geometry and speeds")
        << italian << QStringList{"36", "14", "150", "--rpm", "1450"} << 0
        << workedExample.chopped(1) +
               "diametro primitivo maggiore: 58,21 mm\ndiametro primitivo minore: 22,64 mm\n"
               "diametro esterno maggiore: 57,70 mm\ndiametro esterno minore: 22,13 mm\n"
               "lunghezza primitiva: 381,00 mm\ntratto libero: 124,48 mm\n"
               "angolo di avvolgimento sul maggiore: 196,26°\n"
               "denti in presa sul maggiore: 19,63\ngiri maggiore al minuto: 563,9\n"
               "velocità cinghia: 1,72 m/s\npotenza trasmissibile: 0,0882 kW\n"
        << "";
    QTest::newRow("speeds for a spreadsheet")
        << english << QStringList{"36", "14", "150", "--rpm", "1450", "--csv"} << 0
        << "interasse_effettivo_mm,…"
        << "";
    QTest::newRow("a pulley smaller than its makers recommend")
        << english << QStringList{"30", "10", "300", "-p", "5M"} << 0 << "interasse effettivo: …"
        << "L'ingranaggio minore ha solo 10 denti: per il profilo 5M i costruttori ne consigliano "
           "almeno 14.";
    QTest::newRow("separator kept") << english << QStringList{"20", "20", "140"} << 0
                                    << "interasse effettivo: 127.00 mm\n"
                                       "interasse della finestra: 127. mm\nM/m: 1.0\nm/M: 1.0\n"
                                       "angolo di avvolgimento sul minore: 180.00°\n"
                                       "denti in presa sul minore: 10.00\n…"
                                    << "";
    QTest::newRow("GT2, equal pulleys")
        << italian << QStringList{"20", "20", "200", "--profile", "2GT"} << 0
        << "interasse effettivo: 80,00 mm\nM/m: 1,00\nm/M: 1,00\n"
           "angolo di avvolgimento sul minore: 180,00°\ndenti in presa sul minore: 10,00\n…"
        << "";
    QTest::newRow("T2.5, a code that is no belt")
        << english << QStringList{"20", "20", "177", "-p", "T2.5"} << 1 << ""
        << "Nessuna cinghia T2.5 di denti interi ha il codice 177";
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
        << "interasse della finestra: 214.67 mm\nM/m: -2.57\nm/M: -0.39\n"
        << "Il valore di \"ingranaggio maggiore\" deve essere un numero intero di denti";
    QTest::newRow("few teeth in mesh")
        << italian << QStringList{"36", "14", "86"} << 0
        << "interasse effettivo: 41,88 mm\ninterasse della finestra: 42,12 mm\nM/m: 2,57\n"
           "m/M: 0,39\nangolo di avvolgimento sul minore: 129,74°\n"
           "denti in presa sul minore: 5,05\n…"
        << "Sull'ingranaggio minore sono in presa solo 5,05 denti";
    // The shortest belt on 60/20 2GT leaves the outside circles 0,83 mm apart.
    QTest::newRow("no room for flanges")
        << italian << QStringList{"60", "20", "138", "-p", "GT2"} << 0
        << "interasse effettivo: 25,79 mm\n…"
        << "Tra i cerchi esterni dei due ingranaggi restano solo 0,83 mm: due flange ne "
           "chiedono almeno 2,44.";
    QTest::newRow("room for flanges") << italian << QStringList{"60", "20", "142", "-p", "GT2"} << 0
                                      << "interasse effettivo: 28,06 mm\n…"
                                      << "";
    QTest::newRow("belts marked where flanges have no room")
        << italian << QStringList{"60", "20", "--belts", "138:142", "-p", "GT2"} << 0
        << "cinghia             denti   interasse       denti in presa\n"
           "138-2GT             69      25,79 mm ‡      6,71\n"
           "140-2GT             70      26,93 mm ‡      6,86\n"
           "142-2GT             71      28,06 mm        7,00\n"
           "‡ meno di 2,44 mm tra i cerchi esterni degli ingranaggi, lo spazio di due flange\n"
        << "";
    QTest::newRow("belt that is not made")
        << italian << QStringList{"36", "14", "151"} << 0
        << "interasse della finestra: 127,03 mm\nM/m: 2,57\nm/M: 0,39\n"
        << "Nessuna cinghia XL037 di denti interi ha il codice 151";
    QTest::newRow("pitch circles overlap, as in the window")
        << italian << QStringList{"36", "14", "66"} << 1 << ""
        << "La cinghia è troppo corta per questi ingranaggi: con il profilo XL037 la più corta "
           "su cui girano è 86XL037.";

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
           "244L075             65      113,98 mm ‡     3,36 *          +113,98 mm\n"
           "* meno di 6 denti in presa sull'ingranaggio minore\n"
           "‡ meno di 11,62 mm tra i cerchi esterni degli ingranaggi, lo spazio di due "
           "flange\n"
        << "";
    QTest::newRow("near, hit exactly, no sign")
        << english << QStringList{"20", "20", "--near", "127"} << 0
        << "cinghia             denti   interasse       denti in presa  differenza\n"
           "140XL037            70      127.00 mm       10.00           0.00 mm\n"
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
           "86XL037             43      41,88 mm ‡      5,05 *\n"
           "88XL037             44      44,67 mm ‡      5,17 *\n"
           "* meno di 6 denti in presa sull'ingranaggio minore\n"
           "‡ meno di 6,20 mm tra i cerchi esterni degli ingranaggi, lo spazio di due flange\n"
        << "";
    QTest::newRow("no belt in the range")
        << italian << QStringList{"36", "14", "--belts", "1:80", "--csv"} << 1 << ""
        << "Nessuna cinghia XL037 con codice da 1 a 80 gira su questi ingranaggi: la più corta "
           "è 86XL037.";
    QTest::newRow("pulleys no belt goes round")
        << italian << QStringList{"900000000000000", "1", "--near", "5"} << 1 << ""
        << "Nessuna cinghia XL037 gira su questi ingranaggi.";
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
           "T20, AT5, AT10, AT20, 3M, 5M, 8M, 14M, 2GT, 3GT, 5GT, 8GT, 14GT";
    QTest::newRow("inch width in its form")
        << english << QStringList{"36", "14", "150", "-p", "XL-37"} << 2 << ""
        << "Larghezza non valida in \"XL-37\": per XL si scrive subito dopo il nome con tre "
           "cifre in centesimi di pollice, da 010 a 500, per esempio XL037.";
    QTest::newRow("metric width in its form")
        << english << QStringList{"36", "14", "150", "-p", "5m999999999999999999"} << 2 << ""
        << "per 5M si scrive dopo un trattino in millimetri interi, da 1 a 500";
    QTest::newRow("range backwards")
        << english << QStringList{"36", "14", "--belts", "400:100"} << 2 << ""
        << "100:400";
    QTest::newRow("unknown option")
        << english << QStringList{"36", "14", "150", "--fast"} << 2 << ""
        << "fast";

    QTest::newRow("profiles for a spreadsheet")
        << italian << QStringList{"--profiles", "--csv"} << 0
        << QString("profilo,passo_mm,codice,esempio\n") +
               "MXL,2.032,lunghezza in decimi di pollice,80MXL\n"
               "XL,5.08,lunghezza in decimi di pollice,200XL\n"
               "L,9.525,lunghezza in decimi di pollice,375L\n"
               "H,12.7,lunghezza in decimi di pollice,500H\n"
               "XH,22.225,lunghezza in decimi di pollice,875XH\n"
               "XXH,31.75,lunghezza in decimi di pollice,1250XXH\n"
               "T2.5,2.5,lunghezza in mm,T2.5-250\nT5,5,lunghezza in mm,T5-500\n"
               "T10,10,lunghezza in mm,T10-1000\nT20,20,lunghezza in mm,T20-2000\n"
               "AT5,5,lunghezza in mm,AT5-500\nAT10,10,lunghezza in mm,AT10-1000\n"
               "AT20,20,lunghezza in mm,AT20-2000\n3M,3,lunghezza in mm,300-3M\n"
               "5M,5,lunghezza in mm,500-5M\n8M,8,lunghezza in mm,800-8M\n"
               "14M,14,lunghezza in mm,1400-14M\n2GT,2,lunghezza in mm,200-2GT\n"
               "3GT,3,lunghezza in mm,300-3GT\n5GT,5,lunghezza in mm,500-5GT\n"
               "8GT,8,lunghezza in mm,800-8GT\n14GT,14,lunghezza in mm,1400-14GT\n"
        << "";
    // What the program prints it reads back: digits 0 to 9 and the user's separator.
    QTest::newRow("Arabic separator, Latin digits, both ways")
        << arabic << QStringList{"36", "14", "--near", "125٫75"} << 0
        << "cinghia             denti   interasse       denti in presa  differenza\n"
           "150XL037            75      125٫74 mm       6٫37            -0٫01 mm\n"
           "152XL037            76      128٫31 mm       6٫38            +2٫56 mm\n"
        << "";
    // A slot for given pulleys, and the design search.
    QTest::newRow("belts that fit a slot")
        << italian << QStringList{"36", "14", "--between", "120:130"} << 0
        << "cinghia             denti   interasse       denti in presa\n"
           "146XL037            73      120,61 mm       6,34\n"
           "148XL037            74      123,17 mm       6,35\n"
           "150XL037            75      125,74 mm       6,37\n"
           "152XL037            76      128,31 mm       6,38\n"
        << "";
    const QString stock = QStringLiteral(DATA_DIR "/stock.txt");
    QTest::newRow("a slot within a stock list")
        << english << QStringList{"36", "14", "--between", "120:130", "--stock", stock, "--csv"}
        << 0
        << "cinghia,denti,interasse_mm,denti_in_presa\n146,73,120.61,6.34\n150,75,125.74,6.37\n"
        << "";
    QTest::newRow("near within a stock list")
        << english << QStringList{"36", "14", "--near", "124", "--stock", stock, "--csv"} << 0
        << "cinghia,denti,interasse_mm,denti_in_presa,differenza_mm\n"
           "146,73,120.61,6.34,-3.39\n150,75,125.74,6.37,+1.74\n"
        << "";
    QTest::newRow("drives from a ratio, within a stock list")
        << english << QStringList{"--ratio", "0.389", "--between", "120:130",
                                  "--teeth", "14:36", "--stock",   stock}
        << 0
        << "maggiore  minore  M/m      cinghia             denti   interasse       denti in presa\n"
           "36        14      2.571    146XL037            73      120.61 mm       6.34\n"
           "36        14      2.571    150XL037            75      125.74 mm       6.37\n"
        << "";
    QTest::newRow("drives for a spreadsheet")
        << english << QStringList{"--ratio", "3",       "--between", "150:152", "-p",
                                  "5M",      "--teeth", "14:45",     "--csv"}
        << 0
        << "maggiore,minore,rapporto,cinghia,denti,interasse_mm,denti_in_presa\n"
           "42,14,3.000,445,89,150.85,6.34\n45,15,3.000,455,91,150.60,6.74\n"
        << "";
    QTest::newRow("drives near a distance, within a stock list")
        << english << QStringList{"--ratio", "2",       "--near", "112",  "--teeth",
                                  "18:38",   "--stock", stock,    "--csv"}
        << 0
        << "maggiore,minore,rapporto,cinghia,denti,interasse_mm,denti_in_presa,differenza_mm\n"
           "38,19,2.000,146,73,111.97,8.67,-0.03\n36,18,2.000,146,73,115.93,8.28,+3.93\n"
           "38,19,2.000,150,75,117.10,8.70,+5.10\n"
        << "";
    // A ratio below 1 is read as M/m; a range is ranked from its centre, 3.095.
    QTest::newRow("a range of ratios below 1")
        << english << QStringList{"--ratio", "0.3:0.35", "--between", "150:152",
                                  "-p",      "5M",       "--teeth",   "14:45"}
        << 0
        << "maggiore  minore  M/m      cinghia             denti   interasse       denti in presa\n"
           "43        14      3.071    450-5M              90      151.99 mm       6.32\n"
           "44        14      3.143    450-5M              90      150.60 mm       6.29\n"
           "42        14      3.000    445-5M              89      150.85 mm       6.34\n…"
        << "";
    // Round 1: from 1 to the farther end, 1/0.9 or 1.2, ranked from 1.1.
    QTest::newRow("a range of ratios round 1")
        << english << QStringList{"--ratio", "0.9:1.2", "--between", "100:103", "-p",
                                  "5M",      "--teeth", "14:16",     "--csv"}
        << 0
        << "maggiore,minore,rapporto,cinghia,denti,interasse_mm,denti_in_presa\n"
           "15,14,1.071,275,55,101.25,6.96\n16,15,1.067,280,56,101.25,7.46\n"
           "16,14,1.143,280,56,102.49,6.93\n14,14,1.000,270,54,100.00,7.00\n"
           "14,14,1.000,275,55,102.50,7.00\n15,15,1.000,275,55,100.00,7.50\n"
           "15,15,1.000,280,56,102.50,7.50\n16,16,1.000,280,56,100.00,8.00\n"
           "16,16,1.000,285,57,102.50,8.00\n"
        << "";
    // Drives that need no mark first: 12 and 13 teeth are below 5M's smallest.
    QTest::newRow("sound drives first")
        << english
        << QStringList{"--ratio", "1", "--between", "60:62", "-p", "5M", "--teeth", "12:14"} << 0
        << "maggiore  minore  M/m      cinghia             denti   interasse       denti in presa\n"
           "14        14      1.000    190-5M              38      60.00 mm        7.00\n"
           "12        12 †    1.000    180-5M              36      60.00 mm        6.00\n"
           "13        13 †    1.000    185-5M              37      60.00 mm        6.50\n"
           "† ingranaggio minore di meno di 14 denti, il minimo che i costruttori consigliano per "
           "il profilo 5M\n"
        << "";
    QTest::newRow("sound drives first near a distance, and only them")
        << english << QStringList{"--ratio", "1",       "--near", "60",           "-p",
                                  "5M",      "--teeth", "12:14",  "--sound-only", "--csv"}
        << 0
        << "maggiore,minore,rapporto,cinghia,denti,interasse_mm,denti_in_presa,differenza_mm\n"
           "14,14,1.000,190,38,60.00,7.00,0.00\n"
        << "";
    QTest::newRow("drives with no room for flanges left out, sound drives only")
        << english << QStringList{"--ratio", "3",       "--between", "23:26",       "-p",
                                  "GT2",     "--teeth", "18:60",     "--sound-only"}
        << 0
        << "maggiore  minore  M/m      cinghia             denti   interasse       denti in presa\n"
           "54        18      3.000    128-2GT             64      25.36 mm        6.31\n"
        << "";
    QTest::newRow("every drive marked, sound drives only")
        << english << QStringList{"--ratio", "1",       "--between", "60:62",       "-p",
                                  "5M",      "--teeth", "12:13",     "--sound-only"}
        << 1 << ""
        << "Tutte le 2 trasmissioni trovate hanno un segno (*, † o ‡), e --sound-only le lascia "
           "fuori";
    // The ratio asked as speeds, 1450 to 600 rpm: 29/12 leads the ratio but has 5.7 teeth in
    // mesh.
    QTest::newRow("drives from speeds, the smaller pulley driving")
        << italian
        << QStringList{"--from-rpm", "1450", "--to-rpm", "600", "--between", "200:300", "-p", "T5"}
        << 0
        << "maggiore  minore  M/m      motrice   giri motrice  giri condotta  cinghia             "
           "denti   interasse       denti in presa\n"
           "58        24      2,417    minore    1450,0        600,0          T5-610              "
           "122     200,67 mm       10,97\n…"
        << "";
    QTest::newRow("drives from speeds, the larger pulley driving")
        << english << QStringList{"--from-rpm", "600", "--to-rpm", "1400:1500", "--near",
                                  "250",        "-p",  "T5",       "--csv"}
        << 0
        << "maggiore,minore,rapporto,motrice,giri_motrice_al_minuto,giri_condotta_al_minuto,"
           "cinghia,denti,interasse_mm,denti_in_presa,differenza_mm\n"
           "87,36,2.417,maggiore,600.0,1450.0,815,163,250.45,16.13,+0.45\n…"
        << "";
    QTest::newRow("a ratio and the smaller pulley's speed")
        << english << QStringList{"--ratio", "2.41667", "--between", "200:300", "-p",
                                  "T5",      "--rpm",   "1450",      "--csv"}
        << 0
        << "maggiore,minore,rapporto,giri_maggiore_al_minuto,cinghia,denti,interasse_mm,"
           "denti_in_presa\n58,24,2.417,600.0,610,122,200.67,10.97\n…"
        << "";
    // 22 drives: the first 20 and the count of the rest, or all of them.
    const QStringList drives22{"--ratio", "3",  "--between", "150:177",
                               "-p",      "5M", "--teeth",   "14:45"};
    QTest::newRow("the first 20 drives")
        << english << drives22 << 0
        << "…45        15      3.000    495-5M              99      170.83 mm       6.83\n"
           "... e altre 2 trasmissioni: --all le mostra tutte.\n"
        << "";
    QTest::newRow("all the drives")
        << english << drives22 + QStringList{"--all"} << 0
        << "…45        15      3.000    505-5M              101     175.88 mm       6.85\n"
        << "";
    QTest::newRow("no pulleys give the ratio")
        << english << QStringList{"--ratio", "50", "--between", "150:250", "--teeth", "10:20"} << 1
        << ""
        << "allargare l'intervallo del rapporto (--ratio) o quello dei denti (--teeth)";
    QTest::newRow("no belt in the slot")
        << english << QStringList{"--ratio", "3", "--between", "1:2"} << 1 << ""
        << "allargare l'intervallo (--between)";
    // A list is walked by its own belts, however wide the range; none in it is no success.
    QTest::newRow("every code within a stock list")
        << english
        << QStringList{"36", "14", "--belts", "1:922337203685477", "--stock", stock, "--csv"} << 0
        << "cinghia,denti,interasse_mm,denti_in_presa\n146,73,120.61,6.34\n150,75,125.74,6.37\n"
        << "";
    QTest::newRow("every code, past the limit of a list")
        << english << QStringList{"36", "14", "--belts", "1:922337203685477"} << 1 << ""
        << "Più di 1000000 cinghie: restringere i codici (--belts).";
    QTest::newRow("no belt of a stock list in the range")
        << english << QStringList{"36", "14", "--belts", "200:300", "--stock", stock} << 1 << ""
        << "Nessuna cinghia XL037 dell'elenco con codice da 200 a 300";
    QTest::newRow("a stock list line that names no belt")
        << english << QStringList{"36", "14", "--near", "124", "--stock", DATA_DIR "/stock-bad.txt"}
        << 2 << ""
        << "stock-bad.txt, riga 2: \"cinghia rotta\" non è una cinghia";
    QTest::newRow("a stock list that is not there")
        << english << QStringList{"36", "14", "--near", "124", "--stock", DATA_DIR "/none.txt"} << 2
        << ""
        << "L'elenco delle cinghie " DATA_DIR "/none.txt non si può leggere: il file non esiste.";
    QTest::newRow("a stock list that fails as it is read")
        << english << QStringList{"36", "14", "--near", "124", "--stock", "/proc/self/mem"} << 2
        << ""
        << "L'elenco delle cinghie /proc/self/mem non si può leggere.\n";
    QTest::newRow("a folder as a stock list")
        << english << QStringList{"36", "14", "--near", "124", "--stock", DATA_DIR} << 2 << ""
        << "L'elenco delle cinghie " DATA_DIR " non si può leggere: è una cartella.";
    QTest::newRow("a stock list without a name")
        << english << QStringList{"36", "14", "--near", "124", "--stock", ""} << 2 << ""
        << "Dopo --stock serve il nome del file dell'elenco delle cinghie";
    // Files that say they are empty, or never end: read to a bound, a line quoted in part.
    QTest::newRow("a stock list of size 0 that is not empty")
        << english << QStringList{"36", "14", "--near", "124", "--stock", "/proc/cpuinfo"} << 2
        << ""
        << "/proc/cpuinfo, riga 1: \"";
    QTest::newRow("a stock list that never ends, quoted in part")
        << english << QStringList{"36", "14", "--near", "124", "--stock", "/dev/zero"} << 2 << ""
        << "/dev/zero, riga 1: \"" + QString(60, u'?') + "…\" non è una cinghia";
    QTest::newRow("a stock list of other profiles only")
        << english
        << QStringList{"--ratio", "2", "--between", "120:180", "--stock", stock, "-p", "AT10"} << 1
        << ""
        << "Le cinghie dell'elenco " DATA_DIR "/stock.txt sono tutte di altri profili, XL, T5 e "
           "5M, non AT10: indicare il profilo con -p, per esempio -p XL.";
    QTest::newRow("no belt of a stock list near, and no range that was not typed")
        << english << QStringList{"80", "60", "--near", "300", "--stock", stock} << 1 << ""
        << "Nessuna cinghia XL037 dell'elenco gira su questi ingranaggi: la più corta è 232XL037.";
    // Layouts: the files in layouts/, each a case.
    const auto layout = [](const char *file) {
        return QStringLiteral(DATA_DIR "/layouts/") + QString::fromLatin1(file);
    };
    QTest::newRow("a printer's loop: the sides plus one turn, few teeth on the motor")
        << italian << QStringList{"--layout", layout("stampante.txt")} << 0
        << "nome            diametro primitivo  avvolgimento  denti in presa  tratto\n"
           "motore          12,73 mm            90,00°        5,00 *          300,00 mm\n"
           "riga 3          12,73 mm            90,00°        5,00            300,00 mm\n"
           "riga 4          12,73 mm            90,00°        5,00            300,00 mm\n"
           "riga 5          12,73 mm            90,00°        5,00            300,00 mm\n"
           "* meno di 6 denti in presa su un ingranaggio che porta il carico\n"
           "lunghezza primitiva: 1240,00 mm\n"
           "cinghia             denti   lunghezza primitiva   differenza\n"
           "1240-2GT            620     1240,00 mm            0,00 mm\n"
        << "Sulla puleggia motore (riga 2) sono in presa solo 5,00 denti: ne servono almeno 6 per "
           "trasmettere il carico.";
    QTest::newRow("an idler on fixed centres, where a belt fits")
        << italian << QStringList{"--layout", layout("tenditore.txt"), "384-2GT"} << 0
        << "nome            diametro primitivo  avvolgimento  denti in presa  tratto\n"
           "motore          12,73 mm            181,53°       10,08           149,46 mm\n"
           "vite            38,20 mm            201,33°       33,56           70,61 mm\n"
           "rullo           13,24 mm            22,86°        0,00            74,01 mm\n"
           "lunghezza primitiva: 384,00 mm\n"
           "posizione di rullo (riga 5): x 75,00 mm, y -4,66 mm\n"
        << "";
    QTest::newRow("the loops of a stock list that the idler's slot takes")
        << english
        << QStringList{"--layout", layout("tenditore.txt"), "--stock", layout("anelli.txt"),
                       "--csv"}
        << 0
        << "cinghia,x_mm,y_mm,lunghezza_primitiva_mm\n382,75.00,-11.13,382.00\n"
           "384,75.00,-4.66,384.00\n"
        << "";
    QTest::newRow("a belt that the slot cannot take, and those it can")
        << english << QStringList{"--layout", layout("tenditore.txt"), "400"} << 1 << ""
        << "La cinghia 400-2GT non si monta in nessun punto della corsa di rullo (riga 5): vi si "
           "montano le cinghie da 382-2GT a 384-2GT.";
    QTest::newRow("an arm on which a belt fits twice: two numbered blocks")
        << english << QStringList{"--layout", layout("braccio.txt"), "386", "--csv"} << 0
        << "soluzione,nome,x_mm,y_mm,diametro_primitivo_mm,avvolgimento_gradi,denti_in_presa,"
           "tratto_mm\n1,motore,0.00,0.00,12.73,153.36,8.52,149.46\n"
           "1,vite,150.00,0.00,38.20,177.44,29.57,91.27\n"
           "1,braccio,61.15,-24.43,12.73,29.20,1.62,65.84\n"
           "2,motore,0.00,0.00,12.73,158.01,8.78,149.46\n"
           "2,vite,150.00,0.00,38.20,172.88,28.81,67.91\n"
           "2,braccio,86.22,-26.56,12.73,29.11,1.62,90.21\n"
        << "";
    QTest::newRow("a travel that takes more belts than a table shows")
        << english << QStringList{"--layout", layout("lunga.txt")} << 0
        << "…428-2GT             75.00 mm      -70.82 mm     428.00 mm\n"
           "... e altre 20 cinghie: --all le mostra tutte.\n"
        << "";
    QTest::newRow("all of them") << english << QStringList{"--layout", layout("lunga.txt"), "--all"}
                                 << 0
                                 << "…468-2GT             75.00 mm      -99.10 mm     468.00 mm\n"
                                 << "";
    QTest::newRow("an open belt: the clamps have no teeth, the last no span")
        << english << QStringList{"--layout", layout("aperta.txt"), "--csv"} << 0
        << "nome,x_mm,y_mm,diametro_primitivo_mm,avvolgimento_gradi,denti_in_presa,tratto_mm\n"
           "carrello,-10.00,30.00,0.00,0.00,,30.98\nmotore,0.00,0.00,12.73,83.08,4.62,75.03\n"
           "rullo,75.00,-15.00,17.01,9.75,,71.33\nvite,150.00,0.00,38.20,118.56,19.76,25.20\n"
           "riga 6,160.00,30.00,0.00,0.00,,\n"
        << "solo 4.62 denti";
    QTest::newRow("a fixed layout, a width of -p over its profile, a belt too long for it")
        << english << QStringList{"--layout", layout("stampante.txt"), "1250", "-p", "GT2-9"} << 1
        << "…1250-2GT-9          625     1250.00 mm            +10.00 mm\n"
        << "La cinghia 1250-2GT-9 è 10.00 mm più lunga del percorso";
    // The belt's loads.
    QTest::newRow("a span plucked at a tension, a mass given")
        << italian
        << QStringList{"20", "20", "440", "-p", "T5", "--tension", "624", "--mass", "0,11"} << 0
        << "…tratto libero: 170,00 mm\nangolo di avvolgimento sul maggiore: 180,00°\n"
           "denti in presa sul maggiore: 10,00\nmassa della cinghia: 0,1100 kg/m\n"
           "frequenza del tratto: 221,52 Hz\n"
           "freccia: 2,66 mm\nforza per la freccia: 39,00 N\n"
           "carico sull'albero maggiore: 1248,00 N\ncarico sull'albero minore: 1248,00 N\n"
        << "Per la cinghia T5 non si trova pubblicata la rigidezza: la forza per la freccia è "
           "quella di una corda tesa, T/16";
    // A maker's table: 1.20 hp for 20 grooves on a 1-inch L belt at 1160 rpm.
    QTest::newRow("the rating at the width of the name")
        << italian << QStringList{"20", "20", "150", "-p", "L100", "--rpm", "1160"} << 0
        << "…velocità cinghia: 3,68 m/s\npotenza trasmissibile: 0,896 kW\n"
        << "";
    // A pulley maker's MXL table: 22.8 ozf·in at 60 grooves and 12000 rpm, 0.2023 kW, where
    // the belt's own mass takes its share; and 0.68 W at 20 grooves and 100 rpm.
    QTest::newRow("MXL's rating at speed, and in watts")
        << italian << QStringList{"60", "60", "144", "-p", "MXL012", "--rpm", "12000"} << 0
        << "…potenza trasmissibile: 0,202 kW\n"
        << "";
    QTest::newRow("a rating of a few watts to three figures")
        << italian << QStringList{"20", "20", "48", "-p", "MXL012", "--rpm", "100"} << 0
        << "…potenza trasmissibile: 0,000681 kW\n"
        << "";
    // 5M's mass from its makers' constants (3.1 g per metre and mm), and its stiffness
    // (24.80 lbf) in the force: (100 N + 175/500 · 110.32 N)/16.
    QTest::newRow("a 5M span's frequency and force")
        << italian << QStringList{"30", "30", "500", "-p", "5M-15", "--tension", "100"} << 0
        << "…frequenza del tratto: 132,50 Hz\nfreccia: 2,73 mm\nforza per la freccia: 8,66 N\n"
           "carico sull'albero maggiore: 200,00 N\ncarico sull'albero minore: 200,00 N\n"
        << "";
    QTest::newRow("a power: the pulls, the width that carries it, the slack side off the teeth")
        << italian << QStringList{"44",   "22",      "323",  "-p",        "L100", "--rpm",
                                  "1450", "--power", "0,75", "--tension", "50"}
        << 0
        << "…tiro utile: 148,10 N\ntiro lato teso: 124,05 N\ntiro lato lento: -24,05 N\n"
           "potenza trasmissibile: 1,226 kW\nlarghezza necessaria: L100 (margine 1,09)\n"
           "fattore di servizio: 1,50\n"
        << "Con un tiro statico di 50,00 N il lato lento si stacca dai denti e la cinghia può "
           "saltare: serve un tiro statico di almeno 76,13 N.";
    // The inch standard's formula for XH at 4 in, by hand: 46.80 hp on a 6.685 in pitch
    // diameter at 1000 rpm, times (3/4)^1.14 for 3 in.
    QTest::newRow("the rating of an XH belt 3 in wide")
        << english << QStringList{"36", "24", "875", "-p", "XH300", "--rpm", "1000"} << 0
        << "…potenza trasmissibile: 25.139 kW\n"
        << "";
    QTest::newRow("a spreadsheet's width without its margin, a service factor")
        << english
        << QStringList{"44",      "22",   "323",       "-p",  "L",      "--rpm", "1450",
                       "--power", "0.75", "--tension", "150", "--mass", "0.05",  "--service-factor",
                       "2",       "--csv"}
        << 0
        << "…massa_della_cinghia_kg_m,frequenza_del_tratto_hz,freccia_mm,forza_per_la_freccia_n,"
           "carico_albero_maggiore_n,"
           "carico_albero_minore_n,tiro_utile_n,tiro_lato_teso_n,tiro_lato_lento_n,"
           "larghezza_necessaria,fattore_di_servizio\n250.19,250.2,2.0,0.5,164.68,10.06,133.40,"
           "66.70,132.64,65.94,819.15,247.95,195.32,23.87,725.0,5.06,0.0500,110.45,3.87,9.38,297."
           "32,"
           "297.32,148.10,224.05,75.95,L150,2.00\n"
        << "Per la cinghia L non si trova pubblicata la rigidezza";
    // The makers' tables: a printer's belt, the spindle of 5M between two columns (× 1.89 for
    // 15 mm, × 0.90 for a 500 mm belt), the lower of two lines, where the tables end.
    QTest::newRow("a GT2 belt's width from its maker's table")
        << english
        << QStringList{"20", "20", "200", "-p", "GT2", "--rpm", "3000", "--power", "0.05"} << 0
        << "…velocità cinghia: 2.00 m/s\ntiro utile: 25.00 N\n"
           "larghezza necessaria: 2GT-12 (margine 1.25)\nfattore di servizio: 1.50\n"
        << "";
    QTest::newRow("a 5M spindle rated between two columns, and its width")
        << italian
        << QStringList{"30", "30", "500", "-p", "5M-15", "--rpm", "3000", "--power", "1,5"} << 0
        << "…potenza trasmissibile: 1,446 kW\nlarghezza necessaria: 5M-25 (margine 1,15)\n"
           "fattore di servizio: 1,50\n"
        << "";
    // A search's power: each drive rated as the one-belt answer rates it (1.446 kW above), or
    // the width that carries it; past a table's last row, no rating.
    const QString shortOf2250 =
        "\n§ potenza trasmissibile sotto 2.250 kW, la potenza per il fattore di servizio\n";
    QTest::newRow("a search's power at the width typed")
        << english << QStringList{"--ratio", "2",     "--teeth", "30:60", "--near",  "200",
                                  "-p",      "5M-15", "--rpm",   "3000",  "--power", "1.5"}
        << 0 << "…-1.44 mm        1.607 §" + shortOf2250 << "";
    QTest::newRow("the belts on two pulleys, rated as their one-belt answer")
        << english << QStringList{"30",    "30",    "--belts", "500:500", "-p",
                                  "5M-15", "--rpm", "3000",    "--power", "1.5"}
        << 0
        << "cinghia             denti   interasse       denti in presa  Potenza (kW)\n"
           "500-5M-15           100     175.00 mm       15.00           1.446 §" +
               shortOf2250
        << "";
    QTest::newRow("a search's spreadsheet: the width that carries the power")
        << english << QStringList{"--ratio", "2",     "--teeth", "30:60",   "--near", "200",  "-p",
                                  "5M",      "--rpm", "3000",    "--power", "1.5",    "--csv"}
        << 0
        << "maggiore,minore,rapporto,giri_maggiore_al_minuto,cinghia,denti,interasse_mm,"
           "denti_in_presa,differenza_mm,larghezza\n60,30,2.000,1500.0,630,126,201.08,13.86,"
           "+1.08,5M-25\n…"
        << "";
    QTest::newRow("a search by the shafts' speeds past a table's last row")
        << english << QStringList{"--from-rpm", "3000", "--to-rpm", "6000",   "--teeth", "30:60",
                                  "--near",     "200",  "-p",       "8GT-20", "--power", "1.5"}
        << 0
        << "…-3.73 mm        §" + shortOf2250 +
               "§ senza cifra: la trasmissione esce dalle tabelle pubblicate (denti, giri o "
               "lunghezza della cinghia) o ha meno di 2 denti in presa; la potenza non si stima\n"
        << "";
    // The tension to set for the power: the belt maker's Formula 5 for 5M-15, 27.84 lbf; for
    // 8 mm GT3 20 mm its least, 22.5 lbf, the span heard at the mass its constant means
    // (0.54 lbf per (1000 ft/min)²); a belt with no maker's row, the least that keeps it on.
    QTest::newRow("the tension to set, by a maker's formula")
        << italian
        << QStringList{"30", "30", "500", "-p", "5M-15", "--rpm", "3000", "--power", "1,5"} << 0
        << "…velocità cinghia: 7,50 m/s\nmassa della cinghia: 0,0465 kg/m\n"
           "tiro statico consigliato: 123,83 N\n"
           "tiro statico per una cinghia nuova, fino a: 136,21 N\nfrequenza del tratto: 147,44 "
           "Hz\nfreccia: 2,73 mm\nforza per la freccia: 10,15 N\ncarico sull'albero maggiore: "
           "247,66 N\ncarico sull'albero minore: 247,66 N\ntiro utile: 200,00 N\ntiro lato "
           "teso: 223,83 N\ntiro lato lento: 23,83 N\npotenza trasmissibile: 1,446 kW\n"
           "larghezza necessaria: 5M-25 (margine 1,15)\nfattore di servizio: 1,50\n"
        << "";
    QTest::newRow("the tension to set: the least, and the mass of the constant")
        << italian
        << QStringList{"30", "30", "800", "-p", "8GT-20", "--rpm", "3000", "--power", "1,5"} << 0
        << "…velocità cinghia: 12,00 m/s\n"
           "massa della cinghia dalla costante del costruttore: 0,0931 kg/m\n"
           "tiro statico consigliato: 100,08 N\ntiro statico per una cinghia nuova, fino a: "
           "110,09 N\nfrequenza del tratto: 58,56 Hz\nfreccia: 4,38 mm\nforza per la freccia: "
           "10,37 N\ncarico sull'albero maggiore: 200,17 N\ncarico sull'albero minore: 200,17 "
           "N\ntiro utile: 125,00 N\ntiro lato teso: 162,58 N\ntiro lato lento: 37,58 N\n"
           "potenza trasmissibile: 16,350 kW\nlinea della cinghia: gomma\nlarghezza necessaria: "
           "8GT-12 (margine 3,91)\nfattore di servizio: 1,50\n"
        << "";
    QTest::newRow("no tension published: the least")
        << italian
        << QStringList{"30", "30", "800", "-p", "8M-20", "--rpm", "3000", "--power", "1,5"} << 0
        << "…velocità cinghia: 12,00 m/s\nmassa della cinghia: 0,1100 kg/m\n"
           "tiro statico minimo: 78,34 N\ntiro utile: 125,00 N\n"
        << "Per la cinghia 8M-20 i costruttori non pubblicano il tiro da montare: si dà il tiro "
           "statico minimo";
    QTest::newRow("the lower of two lines, named")
        << english << QStringList{"30", "30", "500", "-p", "5GT-15", "--rpm", "3000"} << 0
        << "…potenza trasmissibile: 2.818 kW\nlinea della cinghia: GT2\n"
        << "";
    QTest::newRow("past the last row of a table")
        << english << QStringList{"30", "30", "800", "-p", "8GT-20", "--rpm", "6000"} << 0
        << "…velocità cinghia: 24.00 m/s\n"
        << "La tabella pubblicata della cinghia 8GT-20 arriva a 5500 giri al minuto";
    QTest::newRow("a width no table prints, no power asked")
        << english << QStringList{"30", "30", "500", "-p", "5GT-12", "--rpm", "3000"} << 0
        << "…velocità cinghia: 7.50 m/s\n"
        << "le tabelle del profilo 5GT sono per le larghezze 9, 15, 20 e 25 mm";
    QTest::newRow("no rating, neither formula nor table")
        << english
        << QStringList{"30", "30", "800", "-p", "8M-20", "--rpm", "1000", "--power", "0.05"} << 0
        << "…tiro utile: 12.50 N\n"
        << "Per il profilo 8M non si trova né una formula né una tabella pubblicata delle "
           "potenze";
    QTest::newRow("fewer than two teeth in mesh: no rating")
        << english << QStringList{"60", "3", "150", "-p", "XL", "--rpm", "1000", "--power", "0.01"}
        << 0 << "…tiro utile: 39.37 N\nfattore di servizio: 1.50\n"
        << "Sull'ingranaggio minore sono in presa solo 1.04 denti, meno di 2: la potenza "
           "trasmissibile non si calcola.";
    // The motor's 20 grooves and the screw's 60, 150 mm apart: their outer tangent on a 384 mm
    // belt, with the stiffness published for a 6 mm 2 mm GT belt, 2.05 lbf.
    const double radii = (60 - 20) * 2 / (2 * std::numbers::pi);
    const double screwSpan = std::sqrt(150 * 150 - radii * radii);
    const double screwForce = (30 + screwSpan / 384 * 2.05 * 4.4482216152605) / 16;
    QTest::newRow("a layout's tension: a line for each span and each shaft")
        << english
        << QStringList{"--layout", layout("tenditore.txt"), "384-2GT", "-p", "GT2-6", "--tension",
                       "30"}
        << 0
        << "…posizione di rullo (riga 5): x 75.00 mm, y -4.66 mm\n"
           "massa della cinghia: 0.00660 kg/m\nfrequenza del tratto motore-vite: 225.55 Hz\n"
           "frequenza del tratto vite-rullo: 477.43 Hz\n"
           "frequenza del tratto rullo-motore: 455.45 Hz\n"
           "freccia del tratto motore-vite: 2.34 mm\nfreccia del tratto vite-rullo: 1.10 mm\n"
           "freccia del tratto rullo-motore: 1.16 mm\nforza per la freccia del tratto "
           "motore-vite: " +
               QString::number(screwForce, 'f', 2) +
               " N\nforza per la freccia del tratto vite-rullo: 1.98 N\n"
               "forza per la freccia del tratto rullo-motore: 1.98 N\n"
               "carico sull'albero motore: 59.99 N\ncarico sull'albero vite: 58.96 N\n"
               "carico sull'albero rullo: 11.89 N\n"
        << "";
    QTest::newRow("a layout's speeds: the belt's and each turning entry's")
        << english
        << QStringList{"--layout", layout("tenditore.txt"), "384-2GT", "-p", "GT2-6", "--rpm",
                       "1400"}
        << 0
        << "…posizione di rullo (riga 5): x 75.00 mm, y -4.66 mm\nvelocità cinghia: 0.93 m/s\n"
           "giri di motore: 1400.0 al minuto\ngiri di vite: 466.7 al minuto\n"
           "giri di rullo: 1346.7 al minuto\npotenza trasmissibile: 0.0270 kW\n"
        << "";
    QTest::newRow("a layout's span measured, named from either end")
        << english << QStringList{"--layout",  layout("tenditore.txt"), "384-2GT", "-p",
                                  "GT2-6",     "--frequency",           "120",     "--span",
                                  "rullo-vite"}
        << 0
        << "…tiro statico: 1.90 N\nfrequenza del tratto motore-vite: 56.69 Hz\n"
           "frequenza del tratto vite-rullo: 120.00 Hz\n"
           "frequenza del tratto rullo-motore: 114.48 Hz\n"
           "freccia del tratto motore-vite: 2.34 mm\nfreccia del tratto vite-rullo: 1.10 mm\n"
           "freccia del tratto rullo-motore: 1.16 mm\n"
           "forza per la freccia del tratto motore-vite: 0.34 N\n"
           "forza per la freccia del tratto vite-rullo: 0.22 N\n"
           "forza per la freccia del tratto rullo-motore: 0.23 N\n"
           "carico sull'albero motore: 3.79 N\ncarico sull'albero vite: 3.72 N\n"
           "carico sull'albero rullo: 0.75 N\n"
        << "";
    QTest::newRow("spans alike: any measured, a spreadsheet's row for each entry")
        << english
        << QStringList{"--layout", layout("stampante.txt"), "-p", "GT2-6", "--frequency", "40",
                       "--csv"}
        << 0
        << "nome,x_mm,y_mm,diametro_primitivo_mm,avvolgimento_gradi,denti_in_presa,tratto_mm,"
           "frequenza_del_tratto_hz,freccia_mm,forza_per_la_freccia_n,carico_albero_n,"
           "massa_della_cinghia_kg_m,tiro_statico_n\nmotore,0.00,0.00,12.73,90.00,5.00,300.00,"
           "40.00,4.69,0.38,5.38,0.00660,3.80\n…"
        << "solo 5.00 denti";
    QTest::newRow("pulleys that overlap, named")
        << english << QStringList{"--layout", layout("sovrapposte.txt")} << 1 << ""
        << "Le pulegge motore (riga 2) e vite (riga 3) si sovrappongono";
    for (const auto &[file, words] : {
             std::pair{"none.txt", "none.txt non si può leggere: il file non esiste."},
             {"parola.txt", "parola.txt, riga 3: \"vite 150 0 60 storta\" non è una puleggia"},
             {"migliaia.txt", "migliaia.txt, riga 2: \"1.500,5\" non è un numero"},
             {"una.txt", "una.txt ha meno di due pulegge"},
             {"due-mobili.txt", "due-mobili.txt, riga 3: si muove già la puleggia della riga 1"},
             {"estremo.txt", "estremo.txt, riga 2: un estremo va sulla prima o sull'ultima riga"},
             {"denti-zero.txt", "denti-zero.txt, riga 1: i denti di un ingranaggio sono un numero "
                                "intero, almeno 1"},
             {"denti-parte.txt", "denti-parte.txt, riga 2: i denti di un ingranaggio"},
             {"diametro.txt", "diametro.txt, riga 3: il diametro di una puleggia liscia deve "
                              "essere più di 0 mm"},
         })
        QTest::newRow(file) << english << QStringList{"--layout", layout(file)} << 2 << ""
                            << QString::fromUtf8(words);
    // Written by initTestCase.
    const auto written = [this](const char *file) {
        return folder.filePath(QString::fromLatin1(file));
    };
    for (const char *file : {"ends.txt", "backwards.txt", "across.txt"})
        QTest::newRow(file) << english << QStringList{"--layout", written(file), "830"} << 0
                            << "…lunghezza primitiva: 830.00 mm\n"
                               "posizione di rinvio (riga 3): x 395.00 mm, y 0.00 mm\n"
                            << "";
    QTest::newRow("a travel's belts from one that fits at its start, every one in a spreadsheet")
        << english << QStringList{"--layout", written("ends.txt"), "--csv"} << 0
        << "cinghia,x_mm,y_mm,lunghezza_primitiva_mm\n830,395.00,0.00,830.00\n…"
        << "";
    QTest::newRow("a spreadsheet of a travel's belts past the rows a table shows")
        << english << QStringList{"--layout", layout("lunga.txt"), "--csv"} << 0
        << "…466,75.00,-97.79,466.00\n468,75.00,-99.10,468.00\n"
        << "";
    QTest::newRow("a travel that takes one belt")
        << italian << QStringList{"--layout", written("one-belt.txt"), "832"} << 1 << ""
        << "La cinghia 832-2GT-6 non si monta in nessun punto della corsa di rinvio (riga 3): vi "
           "si monta solo la cinghia 830-2GT-6.";
    QTest::newRow("the roller that leaves an open belt, not the first idler")
        << english << QStringList{"--layout", written("carriage.txt")} << 1 << ""
        << "La cinghia non tocca la puleggia giuntoD (riga 7)";
    QTest::newRow("an arm's range of one angle")
        << english << QStringList{"--layout", written("no-arc.txt")} << 2 << ""
        << "no-arc.txt, riga 4: \"270:270\" è un arco lungo zero";
    QTest::newRow("an arm's whole turn: two places where the idler presses the span")
        << english << QStringList{"--layout", written("turn.txt"), "382", "--csv"} << 0
        << "soluzione,nome,x_mm,y_mm,diametro_primitivo_mm,avvolgimento_gradi,denti_in_presa,"
           "tratto_mm\n1,motore,0.00,0.00,12.73,176.09,9.78,149.46\n"
           "1,vite,150.00,0.00,38.20,196.77,32.79,65.63\n"
           "1,braccio,80.48,-11.64,13.24,12.86,0.00,80.27\n"
           "2,motore,0.00,0.00,12.73,176.89,9.83,149.46\n"
           "2,vite,150.00,0.00,38.20,195.91,32.65,75.40\n"
           "2,braccio,71.07,-10.80,13.24,12.80,0.00,70.71\n"
        << "";
    QTest::newRow("a motor riding on a belt clamped at both ends")
        << english << QStringList{"--layout", written("clamped.txt")} << 0
        << "…lunghezza primitiva: 220.00 mm\n"
        << "";
    QTest::newRow("pulleys below the makers' smallest, the idler too")
        << english << QStringList{"--layout", written("ten.txt")} << 0
        << "…620.00 mm             0.00 mm\n"
        << "La puleggia rinvio (riga 3) ha solo 10 denti: per il profilo 2GT i costruttori ne "
           "consigliano almeno 12.";
    QTest::newRow("a belt's one length, placed and listed")
        << italian << QStringList{"--layout", written("nastro.txt"), "521"} << 0
        << "…lunghezza primitiva: 1323,98 mm\nposizione di tendi (riga 4): x 200,00 mm, y -37,25 "
           "mm\n"
        << "";
    QTest::newRow("a layout of no pulley at all")
        << english << QStringList{"--layout", folder.filePath("nothing.txt")} << 2 << ""
        << "nothing.txt ha meno di due pulegge";
    QTest::newRow("a layout past its bound, refused at the line past it")
        << english << QStringList{"--layout", folder.filePath("many.txt")} << 2 << ""
        << "many.txt, riga 1001: più di 1000 pulegge";
    const auto here = [&](const char *file) { return folder.filePath(QString::fromLatin1(file)); };
    QTest::newRow("a layout without a profile line: the default, said")
        << english << QStringList{"--layout", here("senza-profilo.txt")} << 0 << "nome…"
        << "Il file delle pulegge " + here("senza-profilo.txt") +
               " non ha una riga \"profilo\": si usa il profilo XL037";
    QTest::newRow("a comment longer than a line, skipped whole")
        << english << QStringList{"--layout", here("commento-lungo.txt"), "384"} << 0
        << "…posizione di rullo (riga 4): x 75.00 mm, y -4.66 mm\n"
        << "";
    QTest::newRow("a line as long as the bound")
        << english << QStringList{"--layout", here("riga-al-limite.txt")} << 0 << "nome…"
        << "";
    QTest::newRow("a line past the bound, no comment")
        << english << QStringList{"--layout", here("riga-oltre.txt")} << 2 << ""
        << "riga-oltre.txt, riga 2: \"motore 0 0 20";
    QTest::newRow("a stock list's comment longer than a line, skipped whole")
        << english
        << QStringList{"36",   "14", "--near", "124", "--stock", here("elenco-commento-lungo.txt"),
                       "--csv"}
        << 0
        << "cinghia,denti,interasse_mm,denti_in_presa,differenza_mm\n"
           "146,73,120.61,6.34,-3.39\n150,75,125.74,6.37,+1.74\n"
        << "";
    QTest::newRow("no belt of a stock list on a travel, the list named")
        << english
        << QStringList{"--layout", layout("tenditore.txt"), "--stock", here("solo380.txt")} << 1
        << ""
        << "Nessuna cinghia 2GT dell'elenco si monta sulla corsa di rullo (riga 5)";
    QTest::newRow("a power that no width carries fails")
        << english << QStringList{"36", "14", "150", "--rpm", "100", "--power", "100"} << 1
        << "…fattore di servizio: 1.50\n"
        << "Nessuna larghezza del profilo trasmette 150.000 kW";
    QTest::newRow("a layout's power that no width carries fails")
        << english << QStringList{"--layout", layout("stampante.txt"),
                                  "-p",       "XL037",
                                  "--rpm",    "100",
                                  "--power",  "100"}
        << 1 << "nome…"
        << "Nessuna larghezza del profilo trasmette 150.000 kW";
    QTest::newRow("a drawing over its layout")
        << english
        << QStringList{"--layout", here("mia-tenditore.txt"), "384", "--svg",
                       here("mia-tenditore.txt")}
        << 2 << ""
        << "--svg " + here("mia-tenditore.txt") + " è il file di --layout " +
               here("mia-tenditore.txt");
    QTest::newRow("a drawing over its stock list, by another name")
        << english << QStringList{"--layout", layout("tenditore.txt"),
                                  "--stock",  here("mia-anelli.txt"),
                                  "--dxf",    folder.path() + "/./mia-anelli.txt"}
        << 2 << ""
        << "--dxf " + folder.path() + "/./mia-anelli.txt è il file di --stock " +
               here("mia-anelli.txt");
    QTest::newRow("a link that loops, said as the reason")
        << english << QStringList{"--layout", here("anelloA")} << 2 << ""
        << here("anelloA") + " non si può leggere: i collegamenti simbolici formano un anello.";
    QTest::newRow("a drawing into a link that loops: refused")
        << english << QStringList{"36", "14", "150", "--svg", here("anelloA")} << 3 << ""
        << "Il disegno non si è potuto scrivere in " + here("anelloA") +
               ": i collegamenti simbolici formano un anello.";
    for (const auto &[name, arguments, words] : {
             std::tuple{"slot backwards", QStringList{"36", "14", "--between", "250:150"},
                        "L'intervallo di --between va dal più piccolo al più grande: 150:250."},
             std::tuple{"teeth backwards",
                        QStringList{"--ratio", "3", "--between", "150:250", "--teeth", "40:12"},
                        "L'intervallo di --teeth va dal più piccolo al più grande: 12:40."},
             std::tuple{"teeth of part of a tooth",
                        QStringList{"--ratio", "3", "--between", "150:250", "--teeth", "10.5:12"},
                        "I denti di --teeth sono numeri interi"},
             std::tuple{"ratio of 0", QStringList{"--ratio", "0", "--between", "150:250"},
                        "Il rapporto di --ratio deve essere maggiore di 0"},
             std::tuple{"negative ratio", QStringList{"--ratio", "-3", "--between", "150:250"},
                        "Il rapporto di --ratio deve essere maggiore di 0"},
             std::tuple{"ratio without a slot", QStringList{"--ratio", "3"},
                        "La ricerca delle trasmissioni si scrive"},
             std::tuple{"ratio with pulleys",
                        QStringList{"36", "14", "--ratio", "3", "--between", "150:250"},
                        "La ricerca delle trasmissioni si scrive"},
             std::tuple{"slot with a belt", QStringList{"36", "14", "150", "--between", "1:2"},
                        "Con --between servono solo i denti dei due ingranaggi"},
             std::tuple{"slot and near", QStringList{"36", "14", "--between", "1:2", "--near", "3"},
                        "--between non va con --near."},
             std::tuple{"speed with a list", QStringList{"36", "14", "--near", "124", "--rpm", "3"},
                        "--rpm va con una cinghia sola, con --ratio o con --layout"},
             std::tuple{"driving speed alone",
                        QStringList{"--from-rpm", "1450", "--between", "200:300"},
                        "--from-rpm e --to-rpm vanno insieme"},
             std::tuple{"speeds and a ratio",
                        QStringList{"--from-rpm", "1450", "--to-rpm", "600", "--ratio", "3",
                                    "--between", "200:300"},
                        "--from-rpm non va con --ratio."},
             std::tuple{
                 "driven speeds on both sides",
                 QStringList{"--from-rpm", "1450", "--to-rpm", "1400:1500", "--between", "200:300"},
                 "I giri di --to-rpm vanno tutti sotto o tutti sopra quelli di --from-rpm"},
             std::tuple{
                 "a driven speed of 0",
                 QStringList{"--from-rpm", "1450", "--to-rpm", "0:600", "--between", "200:300"},
                 "I giri di --to-rpm devono essere più di 0"},
             std::tuple{"sound drives of a list",
                        QStringList{"36", "14", "--near", "124", "--sound-only"},
                        "--sound-only va con --ratio o --from-rpm"},
             std::tuple{"both drawings in one file, by two names",
                        QStringList{"36", "14", "150", "--svg", "nowhere/a.svg", "--dxf",
                                    "nowhere/./a.svg"},
                        "--svg e --dxf vanno in due file diversi"},
             std::tuple{"both drawings in one file, through a link",
                        QStringList{"36", "14", "150", "--svg", folder.filePath("a.svg"), "--dxf",
                                    folder.filePath("link.svg")},
                        "--svg e --dxf vanno in due file diversi"},
             std::tuple{"an option for a file",
                        QStringList{"36", "14", "--near", "120", "--stock", "--csv"},
                        "Manca il file di --stock: --csv è un'opzione"},
             std::tuple{"stock with one belt", QStringList{"36", "14", "150", "--stock", "a.txt"},
                        "--stock va con --belts"},
             std::tuple{"an option twice, by its two names",
                        QStringList{"36", "14", "150", "-p", "L", "--profile", "XL"},
                        "--profile è scritta più di una volta"},
             std::tuple{"negative speed", QStringList{"36", "14", "150", "--rpm", "-1450"},
                        "I giri di --rpm devono essere più di 0"},
             std::tuple{"csv with the drawing alone on the output",
                        QStringList{"36", "14", "150", "--svg", "-", "--csv"},
                        "--csv non va con --svg -."},
             std::tuple{"csv with the DXF alone on the output",
                        QStringList{"36", "14", "150", "--dxf", "-", "--csv"},
                        "--csv non va con --dxf -."},
             std::tuple{
                 "the designer's window with arguments", QStringList{"36", "14", "150", "--design"},
                 "--design apre la finestra \"Progetta trasmissione\" e prende al più il file"},
             std::tuple{"all of a list that shows all",
                        QStringList{"36", "14", "--near", "120", "--all"}, "--all va con --ratio"},
             std::tuple{"profiles with pulleys", QStringList{"--profiles", "36", "14"},
                        "--profiles elenca i profili"},
             std::tuple{"profiles with a search", QStringList{"--profiles", "--near", "3"},
                        "--near non va con --profiles."},
             std::tuple{"a layout near a distance",
                        QStringList{"--layout", "a.txt", "--near", "120"},
                        "--near non va con --layout."},
             std::tuple{"a layout and two belts", QStringList{"--layout", "a.txt", "380", "382"},
                        "--layout prende il file delle pulegge e al più una cinghia"},
             std::tuple{"a layout's belt of another profile",
                        QStringList{"--layout", DATA_DIR "/layouts/stampante.txt", "150XL"},
                        "La cinghia 150XL è del profilo XL, le pulegge del profilo 2GT"},
             std::tuple{"tension of 0", QStringList{"36", "14", "150", "--tension", "0"},
                        "Il valore di --tension deve essere più di 0, per esempio 300."},
             std::tuple{"frequency not a number",
                        QStringList{"36", "14", "150", "--frequency", "1,5"},
                        "Il valore di \"--frequency\" non è un numero"},
             std::tuple{"negative mass",
                        QStringList{"36", "14", "150", "--tension", "9", "--mass", "-0.1"},
                        "Il valore di --mass deve essere più di 0"},
             std::tuple{"power of 0",
                        QStringList{"36", "14", "150", "--rpm", "1450", "--power", "0"},
                        "Il valore di --power deve essere più di 0"},
             std::tuple{"negative service factor",
                        QStringList{"36", "14", "150", "--rpm", "1450", "--power", "1",
                                    "--service-factor", "-2"},
                        "Il valore di --service-factor deve essere più di 0"},
             std::tuple{"power without a speed", QStringList{"36", "14", "150", "--power", "1"},
                        "--power chiede anche i giri: --rpm N"},
             std::tuple{"a search's power without a speed",
                        QStringList{"--ratio", "2", "--near", "200", "--power", "1"},
                        "--power chiede anche i giri: --rpm N"},
             std::tuple{"tension and frequency",
                        QStringList{"36", "14", "150", "--tension", "9", "--frequency", "9"},
                        "--tension non va con --frequency."},
             std::tuple{"a service factor without a power",
                        QStringList{"36", "14", "150", "--service-factor", "2"},
                        "--service-factor va con --power"},
             std::tuple{"a mass without a tension", QStringList{"36", "14", "150", "--mass", "2"},
                        "--mass va con --tension o --frequency"},
             std::tuple{"a tension with a list",
                        QStringList{"36", "14", "--near", "124", "--tension", "9"},
                        "--tension va con una cinghia sola o con --layout"},
             std::tuple{"a span without a layout",
                        QStringList{"36", "14", "150", "--frequency", "9", "--span", "a-b"},
                        "--span va con --layout e --frequency"},
             std::tuple{"no width, no mass",
                        QStringList{"20", "20", "440", "-p", "T5", "--tension", "9"},
                        "indicare la larghezza nel profilo, per esempio -p T5-10, o la massa in kg "
                        "al metro con --mass."},
             std::tuple{"no published mass",
                        QStringList{"36", "14", "150", "-p", "T10-25", "--frequency", "9"},
                        "Per il profilo T10 non si trova una massa pubblicata"},
             std::tuple{
                 "a width no table prints",
                 QStringList{"30", "30", "500", "-p", "5GT-12", "--rpm", "3000", "--power", "1"},
                 "le tabelle del profilo 5GT sono per le larghezze 9, 15, 20 e 25 mm; "
                 "indicarne una, per esempio -p 5GT-25."},
             std::tuple{
                 "a width not made",
                 QStringList{"36", "14", "150", "-p", "XL050", "--rpm", "1450", "--power", "0.1"},
                 "il profilo XL si fa largo 025, 031 e 037; indicarne una, per esempio -p "
                 "XL037."},
             std::tuple{"spans that differ, none named",
                        QStringList{"--layout", DATA_DIR "/layouts/tenditore.txt", "384",
                                    "--frequency", "9", "--mass", "0.01"},
                        "I tratti hanno lunghezze diverse: indicare con --span quello di cui si è "
                        "misurata la frequenza, per esempio --span motore-vite."},
             std::tuple{"a span with a tension",
                        QStringList{"--layout", DATA_DIR "/layouts/tenditore.txt", "384",
                                    "--tension", "9", "--mass", "0.01", "--span", "motore-vite"},
                        "--span va con --layout e --frequency"},
             std::tuple{"a span of entries that are not neighbours",
                        QStringList{"--layout", DATA_DIR "/layouts/tenditore.txt", "384",
                                    "--frequency", "9", "--mass", "0.01", "--span", "motore-x"},
                        "Nessun tratto va da una puleggia all'altra in \"motore-x\""},
             std::tuple{"a travel's loads without its belt",
                        QStringList{"--layout", DATA_DIR "/layouts/tenditore.txt", "--tension", "9",
                                    "--mass", "0.01"},
                        "Con una puleggia che si muove, --tension, --frequency, --power e --rpm "
                        "chiedono la cinghia"},
             std::tuple{"all of a fixed layout's two nearest",
                        QStringList{"--layout", DATA_DIR "/layouts/stampante.txt", "--all"},
                        "--all mostra tutte le cinghie della corsa"},
             std::tuple{"all of a fixed layout's one belt",
                        QStringList{"--layout", DATA_DIR "/layouts/stampante.txt", "1240", "--all"},
                        "--all mostra tutte le cinghie della corsa"},
             std::tuple{"all of a travel's one belt",
                        QStringList{"--layout", DATA_DIR "/layouts/tenditore.txt", "384", "--all"},
                        "--all mostra tutte le cinghie della corsa"},
             std::tuple{"a stock list for a belt already chosen",
                        QStringList{"--layout", DATA_DIR "/layouts/tenditore.txt", "384", "--stock",
                                    folder.filePath("solo380.txt")},
                        "--stock sceglie fra le cinghie da elencare"},
             std::tuple{"a drawing without a name", QStringList{"36", "14", "150", "--svg", ""},
                        "Dopo --svg serve il nome del file del disegno"},
             std::tuple{"a span that two pairs of names make",
                        QStringList{"--layout", folder.filePath("trattini.txt"), "-p", "GT2-6",
                                    "--frequency", "40", "--span", "a-b-c"},
                        "--span a-b-c può essere il tratto da \"a\" a \"b-c\" o quello da \"a-b\" "
                        "a \"c\""},
             std::tuple{"a tension that rounds to 0",
                        QStringList{"36", "14", "150", "--tension", "0.00001"},
                        "Il valore di --tension, arrotondato a quattro decimali, è 0: deve essere "
                        "più di 0, per esempio 300."},
             std::tuple{"a speed that is no number, named by its option",
                        QStringList{"36", "14", "150", "--rpm", "1e9"},
                        "Il valore di \"--rpm\" non è un numero"},
             std::tuple{"teeth beyond a search's",
                        QStringList{"--ratio", "3", "--between", "150:250", "--teeth", "14:10001"},
                        "da 1 a 10000"},
         })
        QTest::newRow(name) << english << arguments << 2 << "" << words;

    QTest::newRow("version") << english << QStringList{"--version"} << 0 << "Interasse 1.00\n"
                             << "";
    const QString profileColumns = "profilo passo      il codice è la                  esempio\n"
                                   "MXL     2,032 mm   lunghezza in decimi di pollice  80MXL\n"
                                   "XL      5,08 mm    lunghezza in decimi di pollice  200XL\n"
                                   "L       9,525 mm   lunghezza in decimi di pollice  375L\n"
                                   "H       12,7 mm    lunghezza in decimi di pollice  500H\n"
                                   "XH      22,225 mm  lunghezza in decimi di pollice  875XH\n"
                                   "XXH     31,75 mm   lunghezza in decimi di pollice  1250XXH\n"
                                   "T2.5    2,5 mm     lunghezza in mm                 T2.5-250\n"
                                   "T5      5 mm       lunghezza in mm                 T5-500\n"
                                   "T10     10 mm      lunghezza in mm                 T10-1000\n"
                                   "T20     20 mm      lunghezza in mm                 T20-2000\n"
                                   "AT5     5 mm       lunghezza in mm                 AT5-500\n"
                                   "AT10    10 mm      lunghezza in mm                 AT10-1000\n"
                                   "AT20    20 mm      lunghezza in mm                 AT20-2000\n"
                                   "3M      3 mm       lunghezza in mm                 300-3M\n"
                                   "5M      5 mm       lunghezza in mm                 500-5M\n"
                                   "8M      8 mm       lunghezza in mm                 800-8M\n"
                                   "14M     14 mm      lunghezza in mm                 1400-14M\n"
                                   "2GT     2 mm       lunghezza in mm                 200-2GT\n"
                                   "3GT     3 mm       lunghezza in mm                 300-3GT\n"
                                   "5GT     5 mm       lunghezza in mm                 500-5GT\n"
                                   "8GT     8 mm       lunghezza in mm                 800-8GT\n"
                                   "14GT    14 mm      lunghezza in mm                 1400-14GT\n";
    QTest::newRow("profiles in columns")
        << italian << QStringList{"--profiles"} << 0 << profileColumns << "";
    QTest::newRow("Arabic: profiles' pitches alike")
        << arabic << QStringList{"--profiles", "-p", "T2.5"} << 0
        << QString(profileColumns).replace(u',', u'٫') << "";
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
    QCOMPARE(static_cast<int>(cli::runCommandLine(arguments, outStream, errStream, locale)),
             status);
    outStream.flush();
    errStream.flush();
    if (out.startsWith(u'…'))
        QVERIFY2(printed.endsWith(out.mid(1)), qPrintable(printed));
    else if (out.endsWith(u'…'))
        QVERIFY2(printed.startsWith(out.chopped(1)), qPrintable(printed));
    else
        QCOMPARE(printed, out);
    QVERIFY2(complained.contains(err), qPrintable(complained));
    QCOMPARE(complained.isEmpty(), err.isEmpty());

    if (arguments[1] == u"--layout")
        if (const common::Result<cli::LayoutFile> read = cli::readLayoutFile(arguments[2]))
            QCOMPARE(writtenBack(*read, folder.filePath(QStringLiteral("copia.trasmissione"))),
                     QString());
}

// Every list is counted before its work, with limits lowered here: one past them prints
// nothing and says what to narrow; one at them runs whole.
void CommandLineTest::refusesPastItsLimits_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<qint64>("rows");
    QTest::addColumn<qint64>("tried");
    QTest::addColumn<QString>("err"); // empty: the list runs whole

    const QString stock = QStringLiteral(DATA_DIR "/stock.txt");
    const QStringList slot{"36", "14", "--between", "120:130"}; // 4 belts
    const QStringList designs{"--ratio", "3",  "--between", "150:152",
                              "-p",      "5M", "--teeth",   "14:45"}; // 2 drives
    const QStringList near{"--ratio", "3", "--near", "200", "-p", "5M", "--teeth", "14:60"};
    const qint64 many = 1'000'000'000;
    QTest::newRow("slot at the limit") << slot << 4LL << 0LL << "";
    QTest::newRow("slot") << slot << 3LL << 0LL
                          << "Più di 3 cinghie: restringere l'intervallo (--between).";
    QTest::newRow("codes") << QStringList{"36", "14", "--belts", "1:88"} << 1LL << 0LL
                           << "Più di 1 cinghie: restringere i codici (--belts).";
    QTest::newRow("codes within a stock list")
        << QStringList{"36", "14", "--belts", "1:922337203685477", "--stock", stock} << 1LL << 0LL
        << "Più di 1 cinghie: restringere i codici (--belts) o l'elenco di cinghie (--stock).";
    QTest::newRow("drives at the limit") << designs << 2LL << many << "";
    QTest::newRow("drives") << designs << 1LL << many
                            << "Più di 1 trasmissioni: restringere l'intervallo (--between), il "
                               "rapporto (--ratio) o i denti (--teeth).";
    QTest::newRow("drives within a stock list")
        << QStringList{"--ratio", "0.389", "--between", "120:130",
                       "--teeth", "14:36", "--stock",   stock}
        << 1LL << many
        << "Più di 1 trasmissioni: restringere l'intervallo (--between), il rapporto (--ratio), "
           "i denti (--teeth) o l'elenco di cinghie (--stock).";
    // 3:1 within 1 % from 14 to 60 teeth: 7 pairs, each searched twice among 2^48 belts of 5M,
    // and two rows each.
    const QStringList layout{"--layout", DATA_DIR "/layouts/tenditore.txt", "--csv"}; // 2 belts
    QTest::newRow("a layout's belts at the limit") << layout << 2LL << many << "";
    QTest::newRow("a layout's belts")
        << layout << 1LL << many << "Più di 1 cinghie: restringere la corsa nel file.";
    // Every one of 40 belts solved over 3 entries, each as 25 belts tried.
    const QStringList slot40{"--layout", DATA_DIR "/layouts/lunga.txt", "--csv"};
    QTest::newRow("a layout's solving at the limit") << slot40 << 40LL << 3000LL << "";
    QTest::newRow("a layout's solving")
        << slot40 << 40LL << 2999LL
        << "Collocare le cinghie sulla corsa vorrebbe più di 119 calcoli (cinghie per pulegge): "
           "restringere la corsa nel file o chiedere solo le prime (senza --all né --csv).";
    QTest::newRow("near at the limit of belts tried") << near << 14LL << 7 * (2 * 48LL + 4) << "";
    QTest::newRow("near, belts tried")
        << near << 14LL << 699LL
        << "La ricerca proverebbe più di 699 cinghie: restringere il rapporto (--ratio) o i denti "
           "(--teeth).";
    QTest::newRow("near, two rows a pair")
        << near << 13LL << many
        << "Più di 13 trasmissioni, due per coppia di ingranaggi: restringere il rapporto "
           "(--ratio) o i denti (--teeth).";
}

void CommandLineTest::refusesPastItsLimits() {
    QFETCH(QStringList, arguments);
    QFETCH(qint64, rows);
    QFETCH(qint64, tried);
    QFETCH(QString, err);

    QString printed, complained;
    QTextStream outStream(&printed), errStream(&complained);
    arguments.prepend(QStringLiteral("interasse"));
    const common::ExitStatus status =
        cli::runCommandLine(arguments, outStream, errStream, english, {rows, tried});
    outStream.flush();
    errStream.flush();
    QCOMPARE(complained.trimmed(), err);
    QCOMPARE(status,
             err.isEmpty() ? common::ExitStatus::done : common::ExitStatus::calculationFailed);
    // What runs whole prints its every row, with a heading.
    QCOMPARE(printed.count(u'\n'), err.isEmpty() ? rows + 1 : 0);
}

// The file the window saves, as a hand wrote it and as the window changed it: "." decimals, a
// name for every entry (the typed ones, if still names and not taken twice) and the comments,
// blank lines and profilo line where they were.
void CommandLineTest::writesALayoutAsItReadsIt() {
    common::Result<cli::LayoutFile> read =
        cli::readLayoutFile(QStringLiteral(DATA_DIR "/layouts/commenti.txt"));
    QVERIFY(read);
    const QString head =
        "# A layout as a hand writes it: commas, unnamed entries, comments everywhere.\n\n"
        "   # the profile below, in lower case\nprofilo 2GT  # GT2, 2 mm\n"
        "motore    0    0      20                             # carries load\n";
    QCOMPARE(QString::fromUtf8(cli::layoutFileText(*read)),
             head + "puleggia2 12.5 -30.25 liscia 16 dorso\n"
                    "braccio   75   -30    20 folle ruota 75 -10 200:340\n# the end\n");
    QCOMPARE(writtenBack(*read, folder.filePath(QStringLiteral("commenti.trasmissione"))),
             QString());
    // A name typed that a written one would have taken, a name taken twice, an entry added.
    cli::LayoutFile &edited = *read;
    edited.names[2] = QStringLiteral("puleggia2");
    edited.names << QStringLiteral("motore");
    edited.layout.entries.push_back({geometry::LayoutEntry::Kind::clamp, {150, 0.12345}});
    QCOMPARE(QString::fromUtf8(cli::layoutFileText(edited)),
             head + "puleggia3 12.5 -30.25 liscia 16 dorso\n"
                    "puleggia2 75   -30    20 folle ruota 75 -10 200:340\n"
                    "estremo4  estremo 150 0.1235\n# the end\n");
}

void CommandLineTest::helpExitsDone() {
    QString printed, complained;
    QTextStream outStream(&printed), errStream(&complained);
    const QStringList arguments{QStringLiteral("interasse"), QStringLiteral("--help")};
    QCOMPARE(cli::runCommandLine(arguments, outStream, errStream, italian),
             common::ExitStatus::done);
    outStream.flush();
    QVERIFY(printed.contains(QStringLiteral("Stato di uscita")));
}

// Every value read and checked into the request of its form; a list's or a search's request
// printed as its command reads back to the same request.
void CommandLineTest::readsEachFormIntoItsRequest_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("values");
    QTest::newRow("one belt, smaller pulley first")
        << italian << QStringList{"14", "36", "150,5", "--rpm", "1450"}
        << "XL037 36/14 swapped belt 150.5 rpm 1450";
    QTest::newRow("belts of a range, a stock list")
        << english << QStringList{"14", "36", "--belts", "100:400", "--stock", "a b.txt", "-p", "L"}
        << "L 36/14 swapped codes 100:400 near - slot - stock a b.txt";
    QTest::newRow("nearest, within codes")
        << italian << QStringList{"36", "14", "--near", "120,5", "--belts", "1:200"}
        << "XL037 36/14 codes 1:200 near 120.5 slot - stock -";
    QTest::newRow("slot") << italian << QStringList{"36", "14", "--between", "100:200,25"}
                          << "XL037 36/14 codes - near - slot 100:200.25 stock -";
    QTest::newRow("one ratio below 1, within 1 %")
        << english << QStringList{"--ratio", "0.5", "--between", "150:250", "-p", "5M"}
        << "5M ratio 1.98:2.02 from 2 teeth 14:150 near - slot 150:250";
    QTest::newRow("ratios round 1, teeth, all")
        << italian << QStringList{"--ratio", "0,5:3", "--near",  "200",  "--teeth",
                                  "20:40",   "--all", "--stock", "s.txt"}
        << "XL037 ratio 1:3 from 2 teeth 20:40 near 200 slot - all";
    QTest::newRow("a ratio and the smaller pulley's speed")
        << english << QStringList{"--ratio", "2", "--between", "150:250", "--rpm", "1450"}
        << "XL037 ratio 1.98:2.02 from 2 teeth 10:150 near - slot 150:250 rpm 1450";
    // Driven faster, ranked from the middle speed: 1450 / 600.
    QTest::newRow("speeds, a range of driven ones, sound drives only")
        << italian << QStringList{"--from-rpm", "600", "--to-rpm", "1400:1500",   "--near",
                                  "250",        "-p",  "T5",       "--sound-only"}
        << "T5 ratio 2.3333333333333335:2.5 from 2.4166666666666665 teeth 10:150 near 250 slot - "
           "shafts 600>1400:1500 sound only";
    // Both ends within a ten-thousandth, rounded outward: 30/19 = 1.5789474 stays in.
    QTest::newRow("a narrow range of ratios")
        << english << QStringList{"--ratio", "1.578947:1.578948", "--between", "0:100000"}
        << "XL037 ratio 1.5789:1.579 from 1.5789499999999999 teeth 10:150 near - slot 0:100000";
    QTest::newRow("a layout, a belt as printed, the drawings")
        << italian << QStringList{"--layout", "a b.txt", "384-2GT", "-p",   "GT2",
                                  "--svg",    "t.svg",   "--dxf",   "t.dxf"}
        << "2GT layout a b.txt belt 0 (192 teeth) profile typed stock - svg t.svg dxf t.dxf";
    QTest::newRow("a layout's belts, every one, of a stock list")
        << italian << QStringList{"--layout", "a b.txt", "--stock", "s.txt", "--all"}
        << "XL037 layout a b.txt belt - (- teeth) profile - stock s.txt all svg - dxf -";
    QTest::newRow("one belt's loads, every option")
        << italian << QStringList{"20",    "20",
                                  "440",   "-p",
                                  "T5",    "--frequency",
                                  "221,5", "--mass",
                                  "0,11",  "--rpm",
                                  "1450",  "--power",
                                  "0,75",  "--service-factor",
                                  "2"}
        << "T5 20/20 belt 440 rpm 1450 loads - 221.5 - 0.11 0.75 2";
    QTest::newRow("a layout's loads and speed")
        << english << QStringList{"--layout", "a.txt", "384",   "--frequency", "120",
                                  "--span",   "a-b",   "--rpm", "900"}
        << "XL037 layout a.txt belt 384 (0 teeth) profile - stock - svg - dxf - rpm 900 loads - "
           "120 a-b - - -";
    QTest::newRow("a layout and a belt's code in the user's format")
        << italian << QStringList{"--layout", "a.txt", "1553,6"}
        << "XL037 layout a.txt belt 1553.6 (0 teeth) profile - stock - svg - dxf -";
}

void CommandLineTest::readsEachFormIntoItsRequest() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, arguments);
    QFETCH(QString, values);
    const common::Result<cli::Request> read =
        cli::readArguments(QStringList{"interasse"} + arguments, locale);
    QVERIFY2(read, qPrintable(read ? QString() : read.problem().message));
    QCOMPARE(valuesOf(*read), values);
    QStringList command;
    if (const auto *list = std::get_if<cli::BeltListRequest>(&read->asked))
        command = cli::commandOf(*list);
    else if (const auto *design = std::get_if<cli::DesignRequest>(&read->asked))
        command = cli::commandOf(*design);
    else if (const auto *layout = std::get_if<cli::LayoutRequest>(&read->asked))
        command = cli::commandOf(*layout);
    else
        command = cli::commandOf(std::get<cli::OneBeltRequest>(read->asked));
    const common::Result<cli::Request> again = cli::readArguments(command, locale);
    QVERIFY2(again, qPrintable(command.join(u' ')));
    QVERIFY2(again->asked == read->asked, qPrintable(command.join(u' ')));
}

// The disk and the folders as writeFile sees them, told here: the devices' folder is one of the
// test's own, and a read-only folder on a full disk is a folder said not to let a file be
// replaced, with the free bytes said.
void CommandLineTest::writesAFileWholeOrNotAtAll_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("before"); // empty: no file there
    QTest::addColumn<bool>("replaceable");
    QTest::addColumn<qint64>("free");
    QTest::addColumn<qint64>("written"); // bytes
    QTest::addColumn<QString>("reason"); // empty: written

    const QByteArray block(4096, 'o');
    QTest::newRow("a device missing from the devices' folder")
        << "dev/stdout" << QByteArray() << true << qint64(1) << 10LL
        << "dev non ha questo dispositivo, e nessun file nuovo va creato lì.";
    QTest::newRow("a new file in another folder")
        << "other/a.svg" << QByteArray() << true << qint64(1) << 10LL << "";
    QTest::newRow("in place, on a disk too full for it")
        << "other/b.svg" << QByteArray("old") << false << qint64(0) << 3 * 4096LL
        << ": il disco è pieno.";
    QTest::newRow("in place, in the room its old bytes leave")
        << "other/c.svg" << block + block << false << qint64(0) << 2 * 4096LL << "";
    QTest::newRow("in place, one block short")
        << "other/d.svg" << block + block << false << qint64(4095) << 3 * 4096LL
        << ": il disco è pieno.";
}

void CommandLineTest::writesAFileWholeOrNotAtAll() {
    QFETCH(QString, file);
    QFETCH(QByteArray, before);
    QFETCH(bool, replaceable);
    QFETCH(qint64, free);
    QFETCH(qint64, written);
    QFETCH(QString, reason);

    const QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("dev")) &&
            QDir(root.path()).mkpath(QStringLiteral("other")));
    const QString path = root.filePath(file);
    if (!before.isEmpty()) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(before) == before.size());
    }
    common::FileSystem system;
    system.devices = root.filePath(QStringLiteral("dev"));
    system.letsReplace = [&](const QString &) { return replaceable; };
    system.room = [&](const QString &) { return common::FileSystem::Room{free, 4096}; };
    const QByteArray bytes(written, 'n');
    const std::optional<common::Problem> problem =
        common::writeFile(path, bytes, messages::drawingNotWritten, system);
    QFile after(path);
    if (reason.isEmpty()) {
        QVERIFY2(!problem, problem ? qPrintable(problem->message) : "");
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), bytes);
        return;
    }
    QVERIFY(problem);
    QVERIFY2(problem->message.endsWith(reason), qPrintable(problem->message));
    QCOMPARE(problem->status, common::ExitStatus::outputFailed);
    QCOMPARE(after.exists(), !before.isEmpty());
    if (after.open(QIODevice::ReadOnly))
        QCOMPARE(after.readAll(), before);
}

// The designer's window stops a list read from a pipe that no one writes to: the read ends at
// once, with a problem that no one is shown.
void CommandLineTest::stopsAStockListNoLongerWanted() {
    const QString pipe = folder.filePath(QStringLiteral("fifo"));
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const std::atomic<bool> stop{true};
    const common::Result<geometry::Stock> stock =
        cli::readStock(pipe, *geometry::readProfile("GT2"), messages::Reader::window, &stop);
    QVERIFY(!stock);
    QCOMPARE(stock.problem().status, common::ExitStatus::wrongUse);
}

QTEST_GUILESS_MAIN(CommandLineTest)
// The motor's 20 grooves at 1400 rpm run the belt as fast in a layout as on a drive's smaller
// pulley: the power asks the same tension of both.
void CommandLineTest::setsALayoutAsItSetsOneBelt() {
    const auto answer = [](QStringList arguments) {
        QString printed, complained;
        QTextStream outStream(&printed), errStream(&complained);
        arguments.prepend(QStringLiteral("interasse"));
        arguments << QStringList{"-p", "GT2-6", "--rpm", "1400", "--power", "0.02"};
        cli::runCommandLine(arguments, outStream, errStream, english);
        outStream.flush();
        return printed;
    };
    const QString layout =
        answer({"--layout", QStringLiteral(DATA_DIR "/layouts/tenditore.txt"), "384-2GT"});
    const QString oneBelt = answer({"60", "20", "384"});
    const QRegularExpression set(
        QStringLiteral("\\ntiro statico consigliato: .* N\\n"
                       "tiro statico per una cinghia nuova, fino a: .* N\\n"));
    const QString expected = set.match(oneBelt).captured();
    QVERIFY2(!expected.isEmpty(), qPrintable(oneBelt));
    QVERIFY2(layout.contains(expected), qPrintable(layout));
    QVERIFY2(layout.contains(QStringLiteral("\nforza per la freccia del tratto vite-rullo: ")),
             qPrintable(layout));
}

#include "command_line_test.moc"
