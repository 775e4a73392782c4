#include "cli/layout_document.h"
#include "cli/layouts.h"
#include "common/messages.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <variant>

namespace {

using cli::LayoutColumn;
using cli::LayoutDocument;

const QString layouts = QStringLiteral(DATA_DIR "/layouts/");

LayoutDocument read(const QString &path) {
    const common::Result<cli::LayoutFile> file = cli::readLayoutFile(path);
    if (!file)
        qFatal("%s", qPrintable(file.problem().message));
    return LayoutDocument(*file);
}

template <typename T> T valueOr(const common::Result<T> &result, T otherwise) {
    return result ? *result : otherwise;
}

// What an edit says is wrong, or "" for nothing.
QString said(const std::optional<QString> &problem) {
    return problem.value_or(QString());
}

bool builds(const LayoutDocument &document) {
    return std::holds_alternative<geometry::BeltPath>(document.path());
}

double length(const LayoutDocument &document) {
    return std::get<geometry::BeltPath>(document.path()).pitchLength;
}

// What the page shows under the drawing for the layout on screen.
QString faultSaid(const LayoutDocument &document) {
    const auto path = document.path();
    return document.faultProblem(std::get<geometry::LayoutFault>(path)).message;
}

} // namespace

class LayoutDocumentTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(directory.isValid()); }
    void addAfterRemovingAll_data();
    void addAfterRemovingAll();
    void movesAndRemovalsKeepTheFile();
    void cellsReadAsTheFileReadsItsLines_data();
    void cellsReadAsTheFileReadsItsLines();
    void cellsRefusedInTheTablesWords_data();
    void cellsRefusedInTheTablesWords();
    void aSharedCodeIsRefusedAsTheCommandLineRefusesIt();
    void aMoveStopsWhereTheLayoutStopsHolding_data();
    void aMoveStopsWhereTheLayoutStopsHolding();
    void noEditMakesAFileThatIsNotReadBack();
    void theTableSaysItsOwnRows();
    void theBeltsNoteFollowsTheLayout();
    void aTravelsBeltsAreListedWholeAndBoundedInTheTablesWords();

private:
    QTemporaryDir directory;
    QString written(const QByteArray &text) {
        const QString path = directory.filePath(QStringLiteral("disposizione.trasmissione"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
};

void LayoutDocumentTest::addAfterRemovingAll_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("removed");
    QTest::newRow("every row removed") << QByteArray("profilo GT2\na 0 0 20\nb 50 0 20\n") << 2;
    QTest::newRow("a file of a profile alone") << QByteArray("profilo 2GT\n") << 0;
}

// An entry added to an empty table is its first row.
void LayoutDocumentTest::addAfterRemovingAll() {
    QFETCH(QByteArray, file);
    QFETCH(int, removed);
    LayoutDocument document = read(written(file));
    for (int row = 0; row < removed; ++row)
        document.remove(0);
    document.remove(0); // none left: nothing to remove
    const common::Result<std::size_t> row = document.add(std::nullopt);
    QVERIFY(row);
    QCOMPARE(*row, 0u);
    QCOMPARE(document.records().size(), 1u);
    QCOMPARE(valueOr(document.add(0), std::size_t(9)), 1u);
    QCOMPARE(document.records()[1].name, QStringLiteral("puleggia2"));
}

// A swap with the movable entry takes its travel along; comments go with their entry, the
// lines above stay where they were, and a removed entry's lines above stay above the next.
void LayoutDocumentTest::movesAndRemovalsKeepTheFile() {
    LayoutDocument document = read(layouts + QStringLiteral("commenti.txt"));
    QVERIFY(document.move(2, -1));
    QCOMPARE(document.movable(), std::optional<std::size_t>(1));
    QVERIFY(!document.move(0, -1));
    QVERIFY(!document.move(2, 1));
    document.remove(0);
    const QByteArray text = cli::layoutFileText(document.file());
    QVERIFY2(text.startsWith("# A layout as a hand writes it"), text.constData());
    QVERIFY2(text.contains("# the profile below, in lower case\nprofilo 2GT  # GT2, 2 mm\n"),
             text.constData());
    QVERIFY2(text.contains("folle ruota 75 -10 200:340\n"), text.constData());
    QVERIFY2(text.contains("# the end"), text.constData());
    QVERIFY(!text.contains("carries load"));
    const LayoutDocument again = read(written(text));
    QCOMPARE(again.layout(), document.layout());

    // A movable entry made a clamp moves no more, as the file writes it.
    document = read(layouts + QStringLiteral("tenditore.txt"));
    document.chooseBelt(192, std::nullopt, std::nullopt);
    QCOMPARE(said(document.setCell(2, LayoutColumn::size, QStringLiteral("estremo"))), QString());
    QCOMPARE(document.movable(), std::nullopt);
    QCOMPARE(document.moved(), std::nullopt);
}

void LayoutDocumentTest::cellsReadAsTheFileReadsItsLines_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("upper");
    for (const QString &file : QDir(layouts).entryList({QStringLiteral("*.txt")}))
        if (cli::readLayoutFile(layouts + file) && file != QStringLiteral("anelli.txt"))
            for (const bool upper : {false, true})
                QTest::addRow("%s%s", qPrintable(file), upper ? ", upper case" : "")
                    << file << upper;
}

// Every entry of the example files typed into a blank row, cell by cell as its line has it,
// is the entry that the file gives, keywords in any case and "," or "." for decimals.
void LayoutDocumentTest::cellsReadAsTheFileReadsItsLines() {
    QFETCH(QString, file);
    QFETCH(bool, upper);
    const LayoutDocument asRead = read(layouts + file);
    QFile lines(layouts + file);
    QVERIFY(lines.open(QIODevice::ReadOnly));
    const QStringList text = QString::fromUtf8(lines.readAll()).split(u'\n');
    for (std::size_t row = 0; row < asRead.records().size(); ++row) {
        QString line = text[asRead.records()[row].line - 1];
        line = line.left(line.indexOf(u'#')).simplified();
        if (upper)
            line = line.toUpper();
        QStringList words = line.split(u' ');
        const auto keyword = [&](const char *word) {
            return !words.isEmpty() &&
                   words.front().compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
        };
        if (words.front().front().isLetter() && !keyword("estremo"))
            words.removeFirst(); // the name
        QString size;
        if (keyword("estremo"))
            size = words.takeFirst();
        const QString x = words.takeFirst(), y = words.takeFirst();
        if (size.isEmpty() && keyword("liscia"))
            size = words.takeFirst() + u' ';
        if (!size.startsWith(QStringLiteral("ESTREMO"), Qt::CaseInsensitive))
            size += words.takeFirst();
        const QString side = keyword("dorso") ? words.takeFirst() : QStringLiteral("DENTI");
        const bool idler = keyword("folle");
        if (idler)
            words.removeFirst();

        LayoutDocument typed = asRead;
        for (const auto &[column, blank] : {std::pair{LayoutColumn::travel, QString()},
                                            {LayoutColumn::size, QStringLiteral("1")},
                                            {LayoutColumn::side, QStringLiteral("denti")},
                                            {LayoutColumn::x, QStringLiteral("0")},
                                            {LayoutColumn::y, QStringLiteral("0")}})
            QCOMPARE(said(typed.setCell(row, column, blank)), QString());
        typed.setIdler(row, false);
        QVERIFY(typed.records()[row] != asRead.records()[row]);
        for (const auto &[column, cell] : {std::pair{LayoutColumn::x, x},
                                           {LayoutColumn::y, y},
                                           {LayoutColumn::size, size},
                                           {LayoutColumn::side, side},
                                           {LayoutColumn::travel, words.join(u' ')}})
            QCOMPARE(said(typed.setCell(row, column, cell)), QString());
        typed.setIdler(row, idler);
        QCOMPARE(typed.records()[row].entry, asRead.records()[row].entry);
        QCOMPARE(typed.records()[row].travel, asRead.records()[row].travel);
    }
}

void LayoutDocumentTest::cellsRefusedInTheTablesWords_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("words");
    const auto column = [](LayoutColumn each) { return static_cast<int>(each); };
    QTest::newRow("grouped thousands")
        << column(LayoutColumn::x) << "1.500,5" << messages::layoutNotANumber("1.500,5");
    QTest::newRow("two numbers") << column(LayoutColumn::y) << "1 2"
                                 << messages::layoutNotANumber("1 2");
    QTest::newRow("a size and a side")
        << column(LayoutColumn::size) << "20 dorso" << messages::layoutSizeForm();
    QTest::newRow("a plain pulley with no diameter")
        << column(LayoutColumn::size) << "liscia" << messages::layoutSizeForm();
    QTest::newRow("a diameter that is no number")
        << column(LayoutColumn::size) << "LISCIA 1O" << messages::layoutNotANumber("1O");
    QTest::newRow("a side of no face")
        << column(LayoutColumn::side) << "folle" << messages::layoutSideForm();
    QTest::newRow("a slot with one end")
        << column(LayoutColumn::travel) << "scorre 1" << messages::layoutTravelForm();
    QTest::newRow("an arm with a bad range")
        << column(LayoutColumn::travel) << "ruota 0 0 1:2:3" << messages::layoutBadAngles("1:2:3");
    QTest::newRow("a second movable entry")
        << column(LayoutColumn::travel) << "Scorre 0 9" << messages::layoutTwoMovable(3);
    QTest::newRow("a keyword as a name")
        << column(LayoutColumn::name) << "Dorso" << messages::layoutBadName();
    QTest::newRow("a name taken") << column(LayoutColumn::name) << "vite"
                                  << messages::layoutNameTwice("vite", 2);
}

// What a cell cannot be is said in the table's words, and the layout stays.
void LayoutDocumentTest::cellsRefusedInTheTablesWords() {
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, words);
    LayoutDocument document = read(layouts + QStringLiteral("tenditore.txt"));
    const LayoutDocument before = document;
    // Of the first entry, or of the movable one's travel, which a second one would not be.
    const std::size_t row = LayoutColumn(column) == LayoutColumn::travel &&
                                    !QByteArray(QTest::currentDataTag()).contains("second")
                                ? 2
                                : 0;
    QCOMPARE(said(document.setCell(row, LayoutColumn(column), typed)), words);
    QCOMPARE(document, before);
}

// MXL's 42 is the code of 41.6MXL and of 42.4MXL: refused naming both, as --layout does.
void LayoutDocumentTest::aSharedCodeIsRefusedAsTheCommandLineRefusesIt() {
    const LayoutDocument document = read(written("profilo MXL\na 0 0 20\nb 30 0 20\n"));
    const common::Result<std::int64_t> teeth =
        document.readBelt(QStringLiteral("42"), QLocale::c());
    QVERIFY(!teeth);
    QVERIFY2(teeth.problem().message.contains(QStringLiteral("41.6MXL")) &&
                 teeth.problem().message.contains(QStringLiteral("42.4MXL")),
             qPrintable(teeth.problem().message));
    QCOMPARE(valueOr(document.readBelt(QStringLiteral("41.6mxl"), QLocale::c()), std::int64_t(0)),
             std::int64_t(52));
}

void LayoutDocumentTest::aMoveStopsWhereTheLayoutStopsHolding_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QPointF>("asked");
    QTest::addColumn<bool>("withBelt"); // 384-2GT
    QTest::addColumn<QString>("why");   // the start of what stopped() says, or nothing
    const QByteArray below = "profilo GT2\nmotore 0 0 20\nvite 150 0 60\n"
                             "rullo 75 -40 20 folle scorre 75 -60\n";
    QFile tensioner(layouts + QStringLiteral("tenditore.txt")), loop(layouts + "stampante.txt");
    QVERIFY(tensioner.open(QIODevice::ReadOnly) && loop.open(QIODevice::ReadOnly));
    const QByteArray slot = tensioner.readAll(), printer = loop.readAll();
    QTest::newRow("the movable pulley past its slot's end")
        << below << 2 << QPointF(75, -100) << false << QString();
    QTest::newRow("the drive's pulley past where its belt fits")
        << slot << 1 << QPointF(210, 0) << true << "La puleggia si ferma qui: ";
    QTest::newRow("an idler onto the motor pulley")
        << printer << 1 << QPointF(0, 0) << false << "La puleggia si ferma qui: ";
    QTest::newRow("past the numbers a file holds")
        << printer << 1 << QPointF(2e15, 0) << false
        << messages::layoutDragStopped(messages::layoutBeyondFile());
}

// Asked too far, an entry stops at the last buildable place, to the hundredth, and says why;
// a movable one stops at its travel's end.
void LayoutDocumentTest::aMoveStopsWhereTheLayoutStopsHolding() {
    QFETCH(QByteArray, file);
    QFETCH(int, entry);
    QFETCH(QPointF, asked);
    QFETCH(bool, withBelt);
    QFETCH(QString, why);
    LayoutDocument document = read(written(file));
    if (withBelt)
        document.chooseBelt(192, std::nullopt, std::nullopt);
    std::optional<double> unsure;
    const auto index = static_cast<std::size_t>(entry);
    document.moveToward(index, {asked.x(), asked.y()}, LayoutDocument::exactly, unsure,
                        std::nullopt);
    QVERIFY2(document.stopped().startsWith(why) && document.stopped().isEmpty() == why.isEmpty(),
             qPrintable(document.stopped()));
    QVERIFY(builds(document));
    if (withBelt)
        QVERIFY(std::abs(length(document) - 384) < 1e-6);
    const geometry::Point at = document.layoutThere().entries[index].centre;
    if (why.isEmpty()) {
        QCOMPARE(at, (geometry::Point{75, -60}));
        return;
    }
    // A hundredth further and it no longer holds.
    const double dx = asked.x() - at.x, dy = asked.y() - at.y, way = std::hypot(dx, dy);
    LayoutDocument further = document;
    further.moveToward(index, {at.x + 0.02 * dx / way, at.y + 0.02 * dy / way},
                       LayoutDocument::exactly, unsure, std::nullopt);
    const geometry::Point pushed = further.layoutThere().entries[index].centre;
    QVERIFY2(std::hypot(pushed.x - at.x, pushed.y - at.y) < 0.0101,
             qPrintable(QStringLiteral("%1 %2").arg(pushed.x - at.x).arg(pushed.y - at.y)));
    QVERIFY(cli::readLayoutFile(written(cli::layoutFileText(document.file()))));
}

// The table, "Aggiungi" and a drag keep within what the file's reader reads.
void LayoutDocumentTest::noEditMakesAFileThatIsNotReadBack() {
    QByteArray many = "profilo GT2\n";
    for (int entry = 0; entry < cli::mostLayoutEntries - 1; ++entry)
        many += QByteArray::number(entry * 50) + " 0 20\n";
    LayoutDocument document = read(written(many));
    QVERIFY(document.add(std::nullopt));
    const common::Result<std::size_t> past = document.add(std::nullopt);
    QVERIFY(!past);
    QCOMPARE(past.problem().message, messages::layoutTooManyEntries(cli::mostLayoutEntries));
    QCOMPARE(document.records().size(), std::size_t(cli::mostLayoutEntries));

    document = read(layouts + QStringLiteral("tenditore.txt"));
    QCOMPARE(said(document.setCell(0, LayoutColumn::x, QStringLiteral("1451925810040550"))),
             messages::layoutNotANumber("1451925810040550"));
    QCOMPARE(said(document.setCell(0, LayoutColumn::name, QString(2000, u'a'))),
             messages::layoutNotReadBack());
    QVERIFY(cli::readLayoutFile(written(cli::layoutFileText(document.file()))));
}

// Faults are said once, naming the table's rows: the red line and the belts' note alike.
void LayoutDocumentTest::theTableSaysItsOwnRows() {
    LayoutDocument document = read(layouts + QStringLiteral("commenti.txt"));
    QCOMPARE(said(document.setCell(2, LayoutColumn::size, QStringLiteral("20,5"))), QString());
    const QString fault = faultSaid(document);
    QVERIFY2(fault.startsWith(QStringLiteral("Tabella, riga 3: ")), qPrintable(fault));
    const auto described = document.describe(document.request(std::nullopt), QLocale::c());
    QCOMPARE(described.problem().message, fault);

    QCOMPARE(valueOr(document.add(2), std::size_t(0)), 3u);
    QCOMPARE(document.table().called(3), QStringLiteral("puleggia1 (riga 4)"));
    QCOMPARE(document.table().called(1), QStringLiteral("riga 2")); // unnamed: line 6

    for (int row = 0; row < 4; ++row)
        document.remove(0);
    QCOMPARE(faultSaid(document), messages::layoutTableTooFewPulleys());
    QCOMPARE(document.describe(document.request(std::nullopt), QLocale::c()).problem().message,
             messages::layoutTableTooFewPulleys());
}

// Where the belt puts the movable pulley is said of the layout as it stands, after a move too;
// with no belt, nothing; an edit forgets why the last move stopped.
void LayoutDocumentTest::theBeltsNoteFollowsTheLayout() {
    LayoutDocument document = read(layouts + QStringLiteral("tenditore.txt"));
    QCOMPARE(document.beltNote(std::nullopt, QLocale::c()).has_value(), false);
    document.chooseBelt(192, std::nullopt, std::nullopt);
    const auto note = [&] {
        const std::optional<LayoutDocument::BeltNote> said =
            document.beltNote(std::nullopt, QLocale::c());
        return said ? said->text : QString();
    };
    const QString y = QString::number(document.moved()->y, 'f', 2);
    QVERIFY2(note().contains(y), qPrintable(note()));
    document.nudge(1, {-1, 0}, std::nullopt);
    QVERIFY(builds(document));
    const QString moved = QString::number(document.moved()->y, 'f', 2);
    QVERIFY(moved != y);
    QVERIFY2(note().contains(moved), qPrintable(note()));

    std::optional<double> unsure;
    document.moveToward(1, {210, 0}, LayoutDocument::exactly, unsure, std::nullopt);
    QVERIFY(!document.stopped().isEmpty());
    document.chooseBelt(std::nullopt, std::nullopt, std::nullopt);
    QVERIFY(document.stopped().isEmpty());
    QCOMPARE(note(), QString());
}

// The window lists every belt of a travel, not the command line's first 20; past the work's
// bound it says what to narrow in the table, with no option to type.
void LayoutDocumentTest::aTravelsBeltsAreListedWholeAndBoundedInTheTablesWords() {
    const LayoutDocument document = read(layouts + QStringLiteral("lunga.txt"));
    cli::LayoutRequest request = document.request(std::nullopt);
    const common::Result<cli::LayoutDescription> all = document.describe(request, QLocale::c());
    QVERIFY(all);
    QCOMPARE(all->unsolved, 0);
    QVERIFY(all->belts.size() > 20);
    request.limits.beltsTried = 25;
    const common::Result<cli::LayoutDescription> bounded =
        document.describe(request, QLocale::c());
    QVERIFY(!bounded);
    QVERIFY(bounded.problem().message.contains(QStringLiteral("nella tabella")));
    QVERIFY(!bounded.problem().message.contains(QStringLiteral("--")));
}

QTEST_GUILESS_MAIN(LayoutDocumentTest)
#include "layout_document_test.moc"
