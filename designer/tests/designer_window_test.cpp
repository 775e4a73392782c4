#include "common/application.h"
#include "common/messages.h"
#include "designer/designer_window.h"
#include "designer/drive_table.h"
#include "designer/layout_page.h"
#include "designer/layout_pane.h"
#include "designer/load_fields.h"
#include "desktop/tests/golden_picture.h"
#include "geometry/number_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include <sys/stat.h>

using designer::DesignerWindow;
using designer::Field;
using designer::LoadField;
// Fields typed, in order.
using Typed = QList<std::pair<Field, QString>>;
using Loads = QList<std::pair<LoadField, QString>>;
Q_DECLARE_METATYPE(Typed)
Q_DECLARE_METATYPE(Loads)

namespace {

const QLocale italian(QLocale::Italian, QLocale::Italy);

// The program itself, in the Italian number format, and what it writes on standard output;
// with its standard error after it, as it writes them, when merged, or into errors.
QByteArray programOutput(const QStringList &arguments, bool merged = false,
                         QByteArray *errors = nullptr) {
    QProcess program;
    if (merged)
        program.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("it_IT.UTF-8"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(INTERASSE_PROGRAM), arguments);
    program.waitForFinished();
    if (errors)
        *errors = program.readAllStandardError();
    return program.readAllStandardOutput();
}

} // namespace

class DesignerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        golden::requireTheRunsFace();
        // Settings of this run alone: the three runs of this test go side by side.
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        QApplication::setStyle(QStringLiteral("Fusion"));
        common::installItalianTranslations(*qApp);
    }
    void init() {
        QLocale::setDefault(italian);
        window = std::make_unique<DesignerWindow>();
        window->resize(1000, 640); // whatever the offscreen screen's size
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() {
        window.reset();
        QLocale::setDefault(QLocale::system());
    }

    void looksAsItsGoldenPictures();
    void tableHoldsTheProgramsRows_data();
    void tableHoldsTheProgramsRows();
    void detailsWithLoadsAreTheProgramsAnswer_data();
    void detailsWithLoadsAreTheProgramsAnswer();
    void aBadLoadIsMarkedUnderItsField_data();
    void aBadLoadIsMarkedUnderItsField();
    void beltsShortOfThePowerAreMarkedAndLeftOut_data();
    void beltsShortOfThePowerAreMarkedAndLeftOut();
    void aDriveAlreadyChosenIsTheProgramsAnswer_data();
    void aDriveAlreadyChosenIsTheProgramsAnswer();
    void exportsAreTheProgramsFiles_data();
    void exportsAreTheProgramsFiles();
    void tabWalksTheFormInOrder();
    void invalidInputIsMarkedBesideItsField_data();
    void invalidInputIsMarkedBesideItsField();
    void remembersTheStockList();
    void takesOverTheStockListKeptBeforeTheMakerWasNamed();
    void refusesAListPastItsBound_data();
    void refusesAListPastItsBound();
    void aFifoAsTheStockListBlocksNothing();
    void everyControlHasItsOwnAltKey();
    void profileBoxReadsTheCommandLinesSpellings_data();
    void profileBoxReadsTheCommandLinesSpellings();
    void sortedHeadingShowsItsArrow();
    void fitsASmallScreenAt200Percent();
    void theTableIsWrittenBesideTheWindow();
    void aDrawingSavedDuringASearchIsTheDriveOnScreen();
    void typingDuringASearchShowsTheLastTyped();
    void layoutPageLooksAsItsGoldenPictures();
    void aDraggedPulleyIsTheProgramsLayout_data();
    void aDraggedPulleyIsTheProgramsLayout();
    void theLayoutPageByKeyboard();
    void theDrawingHoldsStillThroughADrag_data();
    void theDrawingHoldsStillThroughADrag();
    void aLayoutThatCannotBeBuiltShowsItsPulleys();
    void theDrawingShowsItHasTheFocus();
    void aDamagedLayoutIsMarkedWithItsLine_data();
    void aDamagedLayoutIsMarkedWithItsLine();
    void aLayoutWithNoPulleysOpens();
    void loadsOnABeltThatPlacesItsTravel();
    void layoutLoadsAreTheProgramsLines_data();
    void layoutLoadsAreTheProgramsLines();
    void aBadLayoutLoadIsMarkedUnderItsField_data();
    void aBadLayoutLoadIsMarkedUnderItsField();
    void aMeasuredSpanIsTheUsersToChoose();
    void theTableByItsButtons();
    void undoAndRedoHaveEachKeyOnce();
    void notesSayTheLayoutOnScreen();
    void onlyARegularFileOpens_data();
    void onlyARegularFileOpens();
    void unsavedEditsAreAskedFor_data();
    void unsavedEditsAreAskedFor();
    void layoutFieldsFollowTyping_data();
    void layoutFieldsFollowTyping();
    void aLongTravelsBeltsLeaveTheWindowFree();
    void theLayoutPageFitsItsScreen_data();
    void theLayoutPageFitsItsScreen();
    void aTensionOnAProfileWithoutWidthKeepsTheDrives();

private:
    template <typename Widget> Widget *named(const QString &name) const {
        for (Widget *widget : window->findChildren<Widget *>())
            if (widget->accessibleName() == name)
                return widget;
        qFatal("no control named %s", qPrintable(name));
    }
    QLineEdit *edit(Field field) const { return named<QLineEdit>(designer::headingOf(field)); }
    QRadioButton *radio(const char *text) const {
        for (QRadioButton *button : window->findChildren<QRadioButton *>())
            if (button->text().remove(u'&') == QString::fromUtf8(text))
                return button;
        qFatal("no radio button %s", text);
    }
    QPushButton *button(const char *text) const {
        for (QPushButton *button : window->findChildren<QPushButton *>())
            if (button->text().remove(u'&') == QString::fromUtf8(text))
                return button;
        qFatal("no button %s", text);
    }
    bool saveTable(const QString &file) {
        QSignalSpy saved(window.get(), &DesignerWindow::tableSaved);
        return window->saveTable(file) && saved.wait(10000) && saved.first().first().toBool();
    }
    // Typed key by key, as the designer types, then the results once typing has paused.
    void type(Field field, const QString &text) {
        edit(field)->clear();
        QTest::keyClicks(edit(field), text);
    }
    bool settled() {
        return QTest::qWaitFor([&] { return !window->busy(); }, 10000);
    }
    // The question of the issue: 3:1 from a 1,450 rpm motor, axes 150 to 250 mm, 5M, with
    // pulleys of at least 12 teeth, so that some rows are marked.
    void askForADrive() {
        auto *profile = named<QComboBox>(QStringLiteral("Profilo"));
        profile->setCurrentIndex(profile->findData(QStringLiteral("5M"), Qt::UserRole));
        QTest::mouseClick(radio("Un rapporto di velocità"), Qt::LeftButton);
        QTest::mouseClick(radio("In un intervallo"), Qt::LeftButton);
        type(Field::ratio, QStringLiteral("3"));
        type(Field::fewestTeeth, QStringLiteral("12"));
        type(Field::slotFrom, QStringLiteral("150"));
        type(Field::slotTo, QStringLiteral("250"));
        type(Field::speed, QStringLiteral("1450"));
    }
    // Another way in, with its fields typed for the question above: 3:1 as the shafts'
    // speeds, or 48/16 on 565-5M.
    void chooseWay(const QString &way) {
        QTest::mouseClick(radio(way.toUtf8().constData()), Qt::LeftButton);
        if (way == QStringLiteral("Giri di motrice e condotta")) {
            type(Field::fromSpeed, QStringLiteral("1450"));
            type(Field::toSpeed, QStringLiteral("483"));
        } else if (way == QStringLiteral("Due ingranaggi e una cinghia")) {
            type(Field::larger, QStringLiteral("48"));
            type(Field::smaller, QStringLiteral("16"));
            type(Field::belt, QStringLiteral("565"));
        }
    }
    // The profile typed in its box as the designer types it, width and all.
    void typeProfile(const QString &typed) {
        auto *box = named<QComboBox>(QStringLiteral("Profilo"));
        box->setFocus(Qt::TabFocusReason);
        box->lineEdit()->selectAll();
        QTest::keyClicks(box, typed);
    }
    // The loads' fields opened and typed.
    void typeLoads(const Loads &loads) {
        for (QCheckBox *box : window->findChildren<QCheckBox *>())
            if (box->text().startsWith(QStringLiteral("Carichi")) && !box->isChecked())
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        for (const auto &[field, text] : loads) {
            QLineEdit *load = named<QLineEdit>(designer::headingOf(field));
            load->clear();
            QTest::keyClicks(load, text);
        }
    }
    // The question of the loads: 0,75 kW at 1450 rpm to about 725 rpm, axes about 250 mm.
    void askForTheMotorsDrive(const QString &profile) {
        typeProfile(profile);
        QTest::mouseClick(radio("Giri di motrice e condotta"), Qt::LeftButton);
        type(Field::fromSpeed, QStringLiteral("1450"));
        type(Field::toSpeed, QStringLiteral("725"));
        QTest::mouseClick(radio("Vicino a un interasse"), Qt::LeftButton);
        type(Field::distance, QStringLiteral("250"));
    }
    QTableView *table() const { return window->findChild<QTableView *>(); }
    int beltColumn() const {
        const QAbstractItemModel *model = table()->model();
        for (int column = 0; column < model->columnCount(); ++column)
            if (model->headerData(column, Qt::Horizontal).toString() == QStringLiteral("Cinghia"))
                return column;
        qFatal("no belt column");
    }
    QTabBar *tabs() const { return window->findChild<QTabBar *>(); }
    // The page of layouts opened on a file of these lines.
    // settled: once its belts are found.
    designer::LayoutPage *openLayout(const QByteArray &text, bool settled = true) {
        const QString file = layouts.filePath(QStringLiteral("disposizione.trasmissione"));
        QFile written(file);
        if (!written.open(QIODevice::WriteOnly) || written.write(text) != text.size())
            qFatal("cannot write %s", qPrintable(file));
        written.close();
        window->openLayout(file);
        designer::LayoutPage *page = window->layoutPage();
        window->resize(1000, 640);
        if (!QTest::qWaitForWindowExposed(window.get()) || !page->isVisible())
            qFatal("the page is not shown");
        if (settled && !QTest::qWaitFor([&] { return !page->searchingBelts(); }, 10000))
            qFatal("the belts are not found");
        return page;
    }
    QTemporaryDir layouts;
    void chooseBelt(const QString &belt) {
        QLineEdit *field = nullptr;
        for (QLineEdit *each : window->layoutPage()->findChildren<QLineEdit *>())
            if (each->accessibleName() == QStringLiteral("Cinghia"))
                field = each;
        field->setText(belt);
        emit field->editingFinished();
    }
    // Typed into a field of the page of layouts, as from the keyboard, or a choice made.
    void typeOnPage(const QString &field, const QString &text) {
        for (QWidget *each : window->layoutPage()->findChildren<QWidget *>())
            if (each->accessibleName() == field) {
                if (auto *chooser = qobject_cast<QComboBox *>(each)) {
                    chooser->setCurrentText(text);
                    return;
                }
                auto *edit = qobject_cast<QLineEdit *>(each);
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Backspace);
                QTest::keyClicks(edit, text);
                QTest::keyClick(edit, Qt::Key_Return);
                return;
            }
        qFatal("no field %s", qPrintable(field));
    }
    static QString stoppedNote(const designer::LayoutPage *page) {
        for (const QLabel *label : page->findChildren<QLabel *>())
            if (label->isVisible() && label->text().startsWith(QStringLiteral("La puleggia")))
                return label->text();
        return {};
    }

    std::unique_ptr<DesignerWindow> window;
    QTemporaryDir settings;
};

// At start, with the drives of a ratio (the first selected), and with another selected after
// a sort; GOLDEN names the face and scale of the run.
void DesignerWindowTest::looksAsItsGoldenPictures() {
    const QString configuration = golden::configuration();
    if (configuration.isEmpty())
        return;
    QStringList differences;
    const auto compare = [&](const char *state) {
        QApplication::processEvents(); // the layout that a shown legend asks for, as on screen
        const QString difference =
            golden::differenceFrom(window->grab().toImage(), QStringLiteral(GOLDEN_DIR),
                                   configuration + u'-' + QLatin1String(state));
        if (!difference.isEmpty())
            differences << difference;
    };
    QVERIFY(settled());
    compare("start");
    askForADrive();
    QVERIFY(settled());
    compare("results");
    table()->horizontalHeader()->setSortIndicatorShown(true);
    table()->sortByColumn(designer::DriveTable::teethInMesh, Qt::DescendingOrder);
    table()->selectRow(2);
    compare("selected");
    // The motor's drive with its loads: the rating column, and the details' last lines.
    askForTheMotorsDrive(QStringLiteral("L100"));
    typeLoads({{LoadField::power, "0,75"}, {LoadField::tension, "100"}});
    QVERIFY(settled());
    auto *details = named<QPlainTextEdit>(QStringLiteral("Dettagli della trasmissione"));
    details->verticalScrollBar()->setValue(details->verticalScrollBar()->maximum());
    compare("loads");
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(u'\n')));
}

void DesignerWindowTest::tableHoldsTheProgramsRows_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<Typed>("typed");
    QTest::addColumn<bool>("soundOnly");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<int>("fewestRows");
    QTest::addColumn<int>("marked"); // the least rows with a mark, or exactly none (0)
    const QString heading = "maggiore,minore,rapporto,cinghia,denti,interasse_mm,denti_in_presa";
    QTest::newRow("a ratio") << "Un rapporto di velocità" << Typed{} << false << heading << 21 << 1;
    QTest::newRow("a ratio, marked drives left out")
        << "Un rapporto di velocità" << Typed{} << true << heading << 21 << 0;
    QTest::newRow("the shafts' speeds, the larger driving")
        << "Giri di motrice e condotta" << Typed{{Field::toSpeed, "4340:4360"}} << false
        << "maggiore,minore,rapporto,motrice,giri_motrice_al_minuto,giri_condotta_al_minuto,"
           "cinghia,denti,interasse_mm,denti_in_presa"
        << 21 << 1;
    // 30/19 = 1,5789474: the ends typed hold it once rounded outward to four decimals.
    QTest::newRow("a narrow range of ratios")
        << "Un rapporto di velocità"
        << Typed{{Field::ratio, "1,578947"}, {Field::ratioTo, "1,578948"},
                 {Field::fewestTeeth, "19"}, {Field::mostTeeth, "30"},
                 {Field::slotFrom, "0"},     {Field::slotTo, "300"}}
        << false << heading << 1 << 1;
}

// Every row as the program's CSV has it for the same question, in its order.
void DesignerWindowTest::tableHoldsTheProgramsRows() {
    QFETCH(QString, way);
    QFETCH(Typed, typed);
    QFETCH(bool, soundOnly);
    QFETCH(QString, heading);
    QFETCH(int, fewestRows);
    QFETCH(int, marked);
    askForADrive();
    chooseWay(way);
    for (const auto &[field, text] : typed)
        type(field, text);
    if (soundOnly)
        QTest::mouseClick(window->findChild<QCheckBox *>(), Qt::LeftButton);
    QVERIFY(settled());
    QVERIFY(!window->shownArguments().isEmpty()); // drives found
    QStringList lines = QString::fromUtf8(programOutput(window->shownArguments() +
                                                        QStringList{QStringLiteral("--csv")}))
                            .split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.takeFirst(), heading);
    const QAbstractItemModel *model = table()->model();
    QCOMPARE(model->rowCount(), lines.size());
    QVERIFY(lines.size() >= fewestRows);
    int marks = 0;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList shown;
        for (int column = 0; column < model->columnCount(); ++column) {
            QString cell = model->index(row, column).data().toString();
            for (const QString mark : {" *", " †", " ‡"})
                marks += static_cast<int>(cell.count(mark));
            shown << cell.remove(QStringLiteral(" *"))
                         .remove(QStringLiteral(" †"))
                         .remove(QStringLiteral(" ‡"))
                         .replace(u',', u'.');
        }
        QCOMPARE(shown.join(u',').remove(QStringLiteral("-5M")), lines[row]);
    }
    QVERIFY2(marked ? marks >= marked : marks == 0, qPrintable(QString::number(marks)));
}

void DesignerWindowTest::detailsWithLoadsAreTheProgramsAnswer_data() {
    QTest::addColumn<QString>("profile");
    QTest::addColumn<bool>("bySpeeds"); // else a ratio of 3 near 200 mm at 1450 rpm
    QTest::addColumn<Loads>("loads");
    QTest::addColumn<QStringList>("options");
    QTest::newRow("the motor's drive on L100, power and tension")
        << "L100" << true << Loads{{LoadField::power, "0,75"}, {LoadField::tension, "100"}}
        << QStringList{"--rpm", "1450", "--power", "0,75", "--tension", "100"};
    QTest::newRow("a measured frequency on T5, its mass typed")
        << "T5" << false << Loads{{LoadField::frequency, "200"}, {LoadField::mass, "0,11"}}
        << QStringList{"--rpm", "1450", "--frequency", "200", "--mass", "0,11"};
}

// The selected drive's details with its loads, byte for byte the program's for that drive.
void DesignerWindowTest::detailsWithLoadsAreTheProgramsAnswer() {
    QFETCH(QString, profile);
    QFETCH(bool, bySpeeds);
    QFETCH(Loads, loads);
    QFETCH(QStringList, options);
    if (bySpeeds) {
        askForTheMotorsDrive(profile);
    } else {
        askForADrive();
        typeProfile(profile);
        QTest::mouseClick(radio("Vicino a un interasse"), Qt::LeftButton);
        type(Field::distance, QStringLiteral("200"));
    }
    typeLoads(loads);
    QVERIFY(settled());
    const QAbstractItemModel *model = table()->model();
    QVERIFY(model->rowCount() > 0);
    table()->selectRow(0);
    const auto cell = [&](int column) { return model->index(0, column).data().toString(); };
    QString code = cell(beltColumn());
    code.remove(profile.endsWith(u'5') ? profile + u'-' : profile);
    const QStringList asked = QStringList{cell(0).section(u' ', 0, 0), cell(1).section(u' ', 0, 0),
                                          code, QStringLiteral("-p"), profile} +
                              options;
    const QByteArray expected = programOutput(asked, true);
    QVERIFY(expected.contains("frequenza del tratto: "));
    QCOMPARE(named<QPlainTextEdit>(QStringLiteral("Dettagli della trasmissione"))
                 ->toPlainText()
                 .toUtf8(),
             expected);
}

void DesignerWindowTest::aBadLoadIsMarkedUnderItsField_data() {
    QTest::addColumn<Loads>("loads");
    QTest::addColumn<bool>("speed"); // the smaller pulley's typed
    QTest::addColumn<LoadField>("field");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("profile");
    QTest::newRow("power") << Loads{{LoadField::power, "tre"}} << true << LoadField::power
                           << "Il valore di \"Potenza\" non è un numero"
                           << "L";
    QTest::newRow("power without the speed")
        << Loads{{LoadField::power, "0,75"}} << false << LoadField::power
        << "Il valore di \"Potenza\" chiede anche \"Giri del minore al minuto\"."
        << "L";
    QTest::addColumn<QString>("profile");
    QTest::newRow("service factor")
        << Loads{{LoadField::power, "0,75"}, {LoadField::serviceFactor, "0"}} << true
        << LoadField::serviceFactor << "Il valore di \"Fattore di servizio\" deve essere maggiore"
        << "L";
    QTest::newRow("tension") << Loads{{LoadField::tension, "-100"}} << true << LoadField::tension
                             << "Il valore di \"Tiro statico\" deve essere maggiore di 0."
                             << "L";
    QTest::newRow("frequency with a tension")
        << Loads{{LoadField::tension, "100"},
                 {LoadField::frequency, "70"},
                 {LoadField::mass, "0,2"}}
        << true << LoadField::frequency
        << "Il valore di \"Frequenza del tratto\" va al posto di quello di \"Tiro statico\""
        << "L";
    QTest::newRow("mass") << Loads{{LoadField::tension, "100"}, {LoadField::mass, "1.5"}} << true
                          << LoadField::mass << "Il valore di \"Massa della cinghia\" non è"
                          << "L";
    QTest::newRow("power on a width not made")
        << Loads{{LoadField::power, "0,75"}} << true << LoadField::power
        << "Il valore di \"Potenza\" chiede una larghezza che si fa: la cinghia L040 non si fa, il "
           "profilo L si fa largo 050, 075, 100 e 150; indicarne una nel profilo, per esempio L150."
        << "L040";
}

// Under its field, naming it, and no drives until it is mended.
void DesignerWindowTest::aBadLoadIsMarkedUnderItsField() {
    QFETCH(Loads, loads);
    QFETCH(bool, speed);
    QFETCH(LoadField, field);
    QFETCH(QString, words);
    QFETCH(QString, profile);
    askForTheMotorsDrive(profile);
    QTest::mouseClick(radio("Un rapporto di velocità"), Qt::LeftButton);
    type(Field::ratio, QStringLiteral("2"));
    type(Field::speed, speed ? QStringLiteral("1450") : QString());
    typeLoads(loads);
    QVERIFY(settled());
    QCOMPARE(table()->model()->rowCount(), 0);
    QList<QLabel *> marked;
    for (QLabel *label : window->findChildren<QLabel *>())
        if (label->isVisible() && label->text().startsWith(QStringLiteral("Il valore")))
            marked << label;
    QCOMPARE(marked.size(), 1);
    QVERIFY2(marked[0]->text().startsWith(words), qPrintable(marked[0]->text()));
    QLineEdit *box = named<QLineEdit>(designer::headingOf(field));
    QCOMPARE(box->accessibleDescription(), marked[0]->text());
    const QRect under = marked[0]->geometry(), above = box->geometry();
    QVERIFY(under.top() >= above.bottom() && under.top() - above.bottom() < above.height());
}

void DesignerWindowTest::beltsShortOfThePowerAreMarkedAndLeftOut_data() {
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("line"); // the program's, that the column's cell shows
    QTest::newRow("at the width typed") << "L100"
                                        << "Potenza (kW)"
                                        << "potenza trasmissibile: ";
    QTest::newRow("no width typed: the width needed") << "L"
                                                      << "Larghezza"
                                                      << "larghezza necessaria: ";
    QTest::newRow("a maker's table, at the width typed") << "5M-15"
                                                         << "Potenza (kW)"
                                                         << "potenza trasmissibile: ";
    QTest::newRow("a maker's table, the width needed") << "5M"
                                                       << "Larghezza"
                                                       << "larghezza necessaria: ";
}

// 1 kW: the belt's column is the program's figure for each drive, marked where it falls short;
// marked drives, this mark's and the others', are then left out.
void DesignerWindowTest::beltsShortOfThePowerAreMarkedAndLeftOut() {
    QFETCH(QString, profile);
    QFETCH(QString, heading);
    QFETCH(QString, line);
    askForTheMotorsDrive(profile);
    QTest::mouseClick(radio("In un intervallo"), Qt::LeftButton);
    type(Field::slotFrom, QStringLiteral("200"));
    type(Field::slotTo, QStringLiteral("300"));
    typeLoads({{LoadField::power, "1"}});
    QVERIFY(settled());
    const QAbstractItemModel *model = table()->model();
    const int column = model->columnCount() - 1;
    QCOMPARE(model->headerData(column, Qt::Horizontal).toString(), heading);
    int marked = 0, sound = 0;
    std::optional<int> firstMarked, firstUnmarked;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int each = 0; each < model->columnCount(); ++each)
            cells << model->index(row, each).data().toString();
        const bool falls = cells.last().endsWith(QStringLiteral(" §"));
        marked += falls;
        std::optional<int> &first = falls ? firstMarked : firstUnmarked;
        first = first.value_or(row);
        sound += !cells.join(u'|').contains(QRegularExpression(QStringLiteral(" [*†‡§]")));
    }
    QVERIFY(firstMarked && firstUnmarked);
    QList<int> compared{*firstMarked, *firstUnmarked};
    for (int row = 0; row < model->rowCount(); row += 50) // and some across the table
        compared << row;
    for (const int row : compared) {
        const auto cell = [&](int at) {
            return model->index(row, at).data().toString().section(u' ', 0, 0);
        };
        QString code = cell(beltColumn());
        code.remove(u'-' + profile).remove(profile);
        const QString details = QString::fromUtf8(programOutput(
            {cell(0), cell(1), code, "-p", profile, "--rpm", "1450", "--power", "1"}, true));
        const qsizetype at = details.indexOf(line);
        const QString said =
            at < 0 ? QString() : details.mid(at + line.size()).section(u'\n', 0, 0);
        QCOMPARE(said.section(u' ', 0, 0), cell(column));
    }
    const QString legend = model->index(*firstMarked, column).data(Qt::ToolTipRole).toString();
    QVERIFY2(legend.startsWith(QStringLiteral("§ ")) && legend.contains(QStringLiteral("1,500 kW")),
             qPrintable(legend));
    // The table saved is the program's for the command shown, its power and all.
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("tabella.csv"));
    QVERIFY(saveTable(file));
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), programOutput(window->shownArguments() + QStringList{"--csv"}));
    QTest::mouseClick(window->findChild<QCheckBox *>(), Qt::LeftButton); // the sound ones only
    QVERIFY(settled());
    QCOMPARE(model->rowCount(), sound);
    QVERIFY(marked > 0 && sound > 0);
}

void DesignerWindowTest::aDriveAlreadyChosenIsTheProgramsAnswer_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("details") << "txt";
    QTest::newRow("table") << "csv";
    QTest::newRow("drawing") << "svg";
}

// Two pulleys and a belt, the smaller typed first: one row, and the details, the table and the
// drawing of the program's one-belt command, which the window shows.
void DesignerWindowTest::aDriveAlreadyChosenIsTheProgramsAnswer() {
    QFETCH(QString, what);
    chooseWay(QStringLiteral("Due ingranaggi e una cinghia"));
    type(Field::larger, QStringLiteral("14"));
    type(Field::smaller, QStringLiteral("36"));
    type(Field::belt, QStringLiteral("150"));
    type(Field::speed, QStringLiteral("1450,5"));
    QVERIFY(settled());
    const QStringList asked = window->shownArguments();
    QCOMPARE(asked, (QStringList{"14", "36", "150", "-p", "XL", "--rpm", "1450,5"}));
    QCOMPARE(table()->model()->rowCount(), 1);
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("saved.") + what);
    QByteArray saved, expected;
    if (what == QLatin1String("txt")) {
        saved = named<QPlainTextEdit>(QStringLiteral("Dettagli della trasmissione"))
                    ->toPlainText()
                    .toUtf8();
        expected = programOutput(asked, true);
    } else {
        if (what == QLatin1String("csv"))
            QVERIFY(saveTable(file));
        else
            QVERIFY(window->saveDrawing(file, false));
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        saved = written.readAll();
        expected = programOutput(what == QLatin1String("csv")
                                     ? asked + QStringList{QStringLiteral("--csv")}
                                     : asked.first(5) + QStringList{"--svg", "-"});
    }
    QVERIFY(!expected.isEmpty());
    QCOMPARE(saved, expected);
}

void DesignerWindowTest::exportsAreTheProgramsFiles_data() {
    QTest::addColumn<QString>("what");
    QTest::addColumn<bool>("pulleys");
    QTest::addColumn<bool>("near");
    QTest::newRow("table") << "csv" << false << false;
    QTest::newRow("table of two pulleys near a distance") << "csv" << true << true;
    QTest::newRow("table of two pulleys in a slot") << "csv" << true << false;
    QTest::newRow("table of a ratio near a distance") << "csv" << false << true;
    QTest::newRow("drawing") << "svg" << false << false;
    QTest::newRow("drawing for CAD") << "dxf" << false << false;
    QTest::newRow("details") << "txt" << false << false;
}

// Each file the window saves is what the program writes for the same question; the drawing
// of the row selected after a sort.
void DesignerWindowTest::exportsAreTheProgramsFiles() {
    QFETCH(QString, what);
    QFETCH(bool, pulleys);
    QFETCH(bool, near);
    askForADrive();
    if (pulleys) {
        QTest::mouseClick(radio("Due ingranaggi"), Qt::LeftButton);
        type(Field::larger, QStringLiteral("14"));
        type(Field::smaller, QStringLiteral("36"));
    }
    if (near) {
        QTest::mouseClick(radio("Vicino a un interasse"), Qt::LeftButton);
        type(Field::distance, QStringLiteral("200,5"));
    }
    QVERIFY(settled());
    QVERIFY(window->shownArguments().contains(near ? QStringLiteral("--near")
                                                   : QStringLiteral("--between")));
    table()->sortByColumn(designer::DriveTable::distance, Qt::AscendingOrder);
    table()->selectRow(4);
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("saved.") + what);
    QByteArray expected;
    if (what == QLatin1String("csv")) {
        QVERIFY(saveTable(file));
        expected = programOutput(window->shownArguments() + QStringList{QStringLiteral("--csv")});
    } else {
        const bool details = what == QLatin1String("txt");
        if (details) { // what the window shows, with what is wrong with the drive: too few
                       // teeth in mesh
            table()->sortByColumn(designer::DriveTable::teethInMesh, Qt::AscendingOrder);
            table()->selectRow(4);
            QFile text(file);
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write(named<QPlainTextEdit>(QStringLiteral("Dettagli della trasmissione"))
                           ->toPlainText()
                           .toUtf8());
        } else {
            QVERIFY(window->saveDrawing(file, what == QLatin1String("dxf")));
        }
        const QAbstractItemModel *model = table()->model();
        const auto cell = [&](int column) { // without its mark
            return model->index(4, column).data().toString().section(u' ', 0, 0);
        };
        QStringList arguments{cell(designer::DriveTable::larger),
                              cell(designer::DriveTable::smaller),
                              cell(designer::DriveTable::belt).section(u'-', 0, 0),
                              QStringLiteral("-p"), QStringLiteral("5M")};
        arguments << (details ? QStringList{"--rpm", "1450"}
                              : QStringList{u"--"_qs + what, QStringLiteral("-")});
        expected = programOutput(arguments, details);
    }
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(!expected.isEmpty());
    QCOMPARE(saved.readAll(), expected);
}

// From the profile, Tab reaches each field of the chosen ways in reading order, then the
// exports, the table and the details; each with a name that a screen reader announces.
void DesignerWindowTest::tabWalksTheFormInOrder() {
    askForADrive();
    typeLoads({}); // the loads' fields, opened, follow their box
    QVERIFY(settled());
    named<QComboBox>(QStringLiteral("Profilo"))->setFocus();
    QStringList walked;
    for (int step = 0; step < 26; ++step) {
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused);
        const QString name = focused->accessibleName().isEmpty()
                                 ? qobject_cast<QAbstractButton *>(focused)->text().remove(u'&')
                                 : focused->accessibleName();
        QVERIFY2(!name.isEmpty(), focused->metaObject()->className());
        walked << name;
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    QCOMPARE(walked, (QStringList{"Profilo",
                                  "Un rapporto di velocità",
                                  "Rapporto M/m",
                                  "Rapporto fino a",
                                  "Denti da",
                                  "Denti fino a",
                                  "Solo trasmissioni senza segni",
                                  "In un intervallo",
                                  "Interasse da",
                                  "Interasse fino a",
                                  "Elenco di cinghie",
                                  "Scegli l'elenco di cinghie",
                                  "Giri del minore al minuto",
                                  "Carichi (kW, N, Hz)",
                                  "Potenza",
                                  "Fattore di servizio",
                                  "Tiro statico",
                                  "Frequenza del tratto",
                                  "Massa della cinghia",
                                  "Salva tabella…",
                                  "Copia questa riga",
                                  "Salva disegno SVG…",
                                  "Salva disegno DXF…",
                                  "Copia dettagli",
                                  "Trasmissioni trovate",
                                  "Dettagli della trasmissione"}));
}

void DesignerWindowTest::invalidInputIsMarkedBesideItsField_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("mended"); // typed after, so that drives come back
    const QString ratio = "Un rapporto di velocità", speeds = "Giri di motrice e condotta";
    QTest::newRow("ratio") << ratio << Field::ratio << "tre"
                           << "Il valore di \"Rapporto M/m\" non è un numero"
                           << "3";
    QTest::newRow("teeth") << ratio << Field::fewestTeeth << "12,5"
                           << "Il valore di \"Denti da\" deve essere un numero intero di denti"
                           << "";
    QTest::newRow("teeth past a search's")
        << ratio << Field::mostTeeth << "20000"
        << "Il valore di \"Denti fino a\" deve essere un numero intero di denti da 1 a 10000."
        << "";
    QTest::newRow("slot backwards")
        << ratio << Field::slotFrom << "300"
        << "Il valore di \"Interasse da\" deve essere al più quello di \"Interasse fino a\""
        << "150";
    QTest::newRow("speed") << ratio << Field::speed << "0"
                           << "Il valore di \"Giri del minore al minuto\" deve essere maggiore "
                              "di 0"
                           << "";
    QTest::newRow("driving shaft's speed")
        << speeds << Field::fromSpeed << "0"
        << "Il valore di \"Giri della motrice\" deve essere maggiore di 0."
        << "1450";
    QTest::newRow("driven speeds backwards")
        << speeds << Field::toSpeed << "490:480"
        << "Il valore di \"Giri della condotta\" va dal più piccolo al più grande: 490:480."
        << "480:490";
    QTest::newRow("driven speeds of three ends")
        << speeds << Field::toSpeed << "480:490:500"
        << "Il valore di \"Giri della condotta\" si scrive come un numero o come DA:A"
        << "483";
    QTest::newRow("driven speeds on both sides of the driving one")
        << speeds << Field::toSpeed << "1400:1500"
        << "Il valore di \"Giri della condotta\" va tutto sotto o tutto sopra quello di \"Giri "
           "della motrice\""
        << "483";
    QTest::newRow("belt") << "Due ingranaggi e una cinghia" << Field::belt << "cento"
                          << "Il valore di \"Cinghia\" non è un numero"
                          << "565";
}

// The words right under the field, naming it; no dialog, and no results for a wrong question.
void DesignerWindowTest::invalidInputIsMarkedBesideItsField() {
    QFETCH(QString, way);
    QFETCH(Field, field);
    QFETCH(QString, typed);
    QFETCH(QString, words);
    QFETCH(QString, mended);
    askForADrive();
    chooseWay(way);
    QVERIFY(settled());
    type(field, typed);
    QVERIFY(settled());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(table()->model()->rowCount(), 0);
    QVERIFY(!button("Salva tabella…")->isEnabled());
    QList<QLabel *> marked;
    for (QLabel *label : window->findChildren<QLabel *>())
        if (label->isVisible() && label->text().startsWith(QStringLiteral("Il valore")))
            marked << label;
    QCOMPARE(marked.size(), 1);
    QVERIFY2(marked[0]->text().startsWith(words), qPrintable(marked[0]->text()));
    const QRect box = edit(field)->geometry();
    const QRect label = marked[0]->geometry();
    QVERIFY(label.top() >= box.bottom() && label.top() - box.bottom() < box.height());
    QCOMPARE(edit(field)->accessibleDescription(), marked[0]->text());
    // Mended, the mark goes and the drives come back.
    type(field, mended);
    QVERIFY(settled());
    QVERIFY(!marked[0]->isVisible());
    QVERIFY(table()->model()->rowCount() > 0);
    QVERIFY(button("Salva tabella…")->isEnabled());
}

// The stock list of a search is there at the next start; one that could not be read is not.
void DesignerWindowTest::remembersTheStockList() {
    const QTemporaryDir folder;
    const QString list = folder.filePath(QStringLiteral("cinghie.txt"));
    QFile file(list);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("500-5M\n600-5M\n700-5M\n") > 0);
    file.close();
    askForADrive();
    for (const QString &typed : {folder.filePath(QStringLiteral("altre.txt")), list}) {
        type(Field::stock, typed);
        QVERIFY(settled());
        window = std::make_unique<DesignerWindow>();
        QCOMPARE(edit(Field::stock)->text(), typed == list ? list : QString());
        askForADrive();
    }
    type(Field::stock, QString());
    QVERIFY(settled());
}

void DesignerWindowTest::takesOverTheStockListKeptBeforeTheMakerWasNamed() {
    QTemporaryDir config;
    const QByteArray home = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const QString key = QStringLiteral("elencoCinghie");
    QSettings(config.filePath(QStringLiteral("Unknown Organization/Interasse.conf")),
              QSettings::IniFormat)
        .setValue(key, QStringLiteral("/tmp/vecchio.txt"));
    QSettings().remove(key);
    window = std::make_unique<DesignerWindow>();
    if (home.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", home);
    QCOMPARE(edit(Field::stock)->text(), QStringLiteral("/tmp/vecchio.txt"));
    QCOMPARE(QSettings().value(key).toString(), QStringLiteral("/tmp/vecchio.txt")); // now kept
    QSettings().remove(key); // the windows of later tests start without a list
}

// A slot of every code: more rows than a list holds, refused at once in the window's words,
// as the command line refuses it.
void DesignerWindowTest::refusesAListPastItsBound_data() {
    QTest::addColumn<bool>("pulleys");
    QTest::addColumn<QString>("words");
    QTest::newRow("drives of a ratio")
        << false << "Più di 1000000 trasmissioni: restringere l'intervallo, il rapporto o i denti.";
    QTest::newRow("belts of two pulleys")
        << true << "Più di 1000000 cinghie: restringere l'intervallo.";
}

void DesignerWindowTest::refusesAListPastItsBound() {
    QFETCH(bool, pulleys);
    QFETCH(QString, words);
    askForADrive();
    if (pulleys) {
        QTest::mouseClick(radio("Due ingranaggi"), Qt::LeftButton);
        type(Field::larger, QStringLiteral("36"));
        type(Field::smaller, QStringLiteral("14"));
    }
    type(Field::slotTo, QStringLiteral("922337203685477"));
    QVERIFY(settled());
    QCOMPARE(table()->model()->rowCount(), 0);
    QStringList shown;
    for (QLabel *label : window->findChildren<QLabel *>())
        if (label->isVisible() && label->text().startsWith(QStringLiteral("Più di")))
            shown << label->text();
    QCOMPARE(shown, QStringList{words});
}

// A FIFO typed as the stock list blocks nothing: the next key searches again, the FIFO is not
// remembered, and the window closes while a read still waits for a writer.
void DesignerWindowTest::aFifoAsTheStockListBlocksNothing() {
    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("cinghie"));
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    askForADrive();
    QVERIFY(settled());
    const int rows = table()->model()->rowCount();
    QVERIFY(rows > 0);
    type(Field::stock, fifo);
    QTest::qWait(3 * DesignerWindow::typingPause); // the search now waits on the FIFO
    QVERIFY(window->busy());
    type(Field::stock, QString());
    QVERIFY(settled());
    QCOMPARE(table()->model()->rowCount(), rows);
    QVERIFY(QSettings().value(QStringLiteral("elencoCinghie")).toString() != fifo);
    type(Field::stock, fifo);
    QTest::qWait(3 * DesignerWindow::typingPause);
    QVERIFY(window->busy());
    window.reset(); // returns at once: a wait here would hang the test
}

// In each way in and each place, each field's label and each button shown answers its own Alt
// key: two on one key would take turns. Controls never shown together may share one, and every
// control is shown in some way; a label's key reaches its field.
void DesignerWindowTest::everyControlHasItsOwnAltKey() {
    QVERIFY(!window->findChild<designer::LayoutPage *>()); // built when its tab first shows
    QSet<QObject *> seen;
    const QList<QLabel *> labels = window->findChildren<QLabel *>();
    const QList<QAbstractButton *> buttons = window->findChildren<QAbstractButton *>();
    for (const char *way : {"Due ingranaggi", "Un rapporto di velocità",
                            "Giri di motrice e condotta", "Due ingranaggi e una cinghia"})
        for (const char *place : {"Vicino a un interasse", "In un intervallo"}) {
            QTest::mouseClick(radio(way), Qt::LeftButton);
            if (radio(place)->isVisible())
                QTest::mouseClick(radio(place), Qt::LeftButton);
            QMap<QKeySequence, QString> owners;
            const auto own = [&](QObject *control, const QString &text) {
                const QKeySequence key = QKeySequence::mnemonic(text);
                QVERIFY2(!key.isEmpty(), qPrintable(text));
                QVERIFY2(!owners.contains(key),
                         qPrintable(owners[key] + QStringLiteral(" / ") + text));
                owners[key] = text;
                seen << control;
            };
            for (QLabel *label : labels)
                if (label->buddy() && label->isVisible()) {
                    own(label, label->text());
                    QTest::keySequence(window.get(), QKeySequence::mnemonic(label->text()));
                    QVERIFY2(label->buddy()->hasFocus(), qPrintable(label->text()));
                }
            for (QAbstractButton *button : buttons)
                if (!button->text().isEmpty() && button->isVisible()) // not the table's corner
                    own(button, button->text());
            for (int tab = 0; tab < tabs()->count(); ++tab)
                own(tabs(), tabs()->tabText(tab));
            QCOMPARE(owners.value(QKeySequence(Qt::ALT | Qt::Key_D)),
                     QStringLiteral("Salva disegno &DXF…"));
        }
    for (QLabel *label : labels)
        QVERIFY2(!label->buddy() || seen.contains(label), qPrintable(label->text()));
    for (QAbstractButton *button : buttons)
        QVERIFY2(button->text().isEmpty() || seen.contains(button), qPrintable(button->text()));

    // The page of layouts, its tab reached by its key: every control's key its own there.
    QTest::keySequence(window.get(), QKeySequence::mnemonic(tabs()->tabText(1)));
    QCOMPARE(tabs()->currentIndex(), 1);
    designer::LayoutPage *page = window->layoutPage();
    QVERIFY(page->isVisible());
    QMap<QKeySequence, QString> owners;
    for (int tab = 0; tab < tabs()->count(); ++tab)
        owners[QKeySequence::mnemonic(tabs()->tabText(tab))] = tabs()->tabText(tab);
    const auto own = [&](const QString &text) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        QVERIFY2(!key.isEmpty() && !owners.contains(key),
                 qPrintable(owners.value(key) + QStringLiteral(" / ") + text));
        owners[key] = text;
    };
    for (QLabel *label : page->findChildren<QLabel *>())
        if (label->buddy()) {
            own(label->text());
            QTest::keySequence(page, QKeySequence::mnemonic(label->text()));
            QVERIFY2(label->buddy()->hasFocus(), qPrintable(label->text()));
        }
    for (QAbstractButton *button : page->findChildren<QAbstractButton *>())
        if (!button->text().isEmpty())
            own(button->text());
}

void DesignerWindowTest::profileBoxReadsTheCommandLinesSpellings_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("item"); // of the box's list
    QTest::newRow("maker's prefix") << "HTD5M"
                                    << "5M"
                                    << "5M";
    QTest::newRow("family first") << "GT2"
                                  << "2GT"
                                  << "2GT";
    QTest::newRow("with M") << "8MGT"
                            << "8GT"
                            << "8GT";
    QTest::newRow("decimal comma") << "t2,5"
                                   << "T2.5"
                                   << "T2.5";
    QTest::newRow("inch width") << "XL037"
                                << "XL037"
                                << "XL";
    QTest::newRow("metric width") << "T5-10"
                                  << "T5-10"
                                  << "T5";
    QTest::newRow("no profile: the last one stays") << "ZZ"
                                                    << "5M"
                                                    << "5M";
}

// Typed in the box, each spelling asks for its profile's drives; the box then shows its name.
void DesignerWindowTest::profileBoxReadsTheCommandLinesSpellings() {
    QFETCH(QString, typed);
    QFETCH(QString, profile);
    QFETCH(QString, item);
    askForADrive();
    auto *box = named<QComboBox>(QStringLiteral("Profilo"));
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box, typed);
    QVERIFY(settled());
    const QStringList shown = window->shownArguments();
    QCOMPARE(shown.value(shown.indexOf(QStringLiteral("-p")) + 1), profile);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(box->currentText(), profile);
    QCOMPARE(box->currentData(Qt::UserRole).toString(), item);
}

// A click on a heading sorts by it under an arrow; new rows, in the ranking's order, have none.
void DesignerWindowTest::sortedHeadingShowsItsArrow() {
    askForADrive();
    QVERIFY(settled());
    QHeaderView *header = table()->horizontalHeader();
    QCOMPARE(header->sortIndicatorSection(), -1);
    const int column = designer::DriveTable::teethInMesh;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    QVERIFY(header->isSortIndicatorShown());
    QCOMPARE(header->sortIndicatorSection(), column);
    const QAbstractItemModel *model = table()->model();
    const auto mesh = [&](int row) {
        return model->index(row, column).data(designer::DriveTable::sortRole).toDouble();
    };
    QVERIFY(mesh(0) != mesh(model->rowCount() - 1)); // the click did sort
    type(Field::slotTo, QStringLiteral("240"));
    QVERIFY(settled());
    QCOMPARE(header->sortIndicatorSection(), -1);
}

// At 200 % a screen of 1600 × 1000 pixels is 800 × 500: the window fits it, its form scrolling.
void DesignerWindowTest::fitsASmallScreenAt200Percent() {
    askForADrive();
    type(Field::ratio, QStringLiteral("tre")); // a mark under a field makes the form taller
    QVERIFY(settled());
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    QVERIFY2(least.width() <= 800 && least.height() <= 500,
             qPrintable(QStringLiteral("%1 × %2").arg(least.width()).arg(least.height())));
    // The page of layouts, its tab chosen by Ctrl+L, fits it too.
    QTest::keyClick(window.get(), Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(tabs()->currentIndex(), 1);
    const QSize withLayouts = window->minimumSizeHint().expandedTo(window->minimumSize());
    QVERIFY2(
        withLayouts.width() <= 800 && withLayouts.height() <= 500,
        qPrintable(QStringLiteral("%1 × %2").arg(withLayouts.width()).arg(withLayouts.height())));
    QTest::keyClick(window.get(), Qt::Key_1, Qt::AltModifier);
    // Lower still, a field reached by its Alt key comes into view.
    window->resize(800, 300);
    for (const auto &[key, field] :
         {std::pair{Qt::Key_G, Field::speed}, {Qt::Key_R, Field::ratio}}) {
        QTest::keyClick(window.get(), key, Qt::AltModifier);
        QTRY_VERIFY(edit(field)->hasFocus());
        QTRY_COMPARE(edit(field)->visibleRegion().boundingRect(), edit(field)->rect());
    }
}

// A FIFO that no one reads yet holds the table's save, while the window answers the next
// question; the FIFO then gets the rows that the save started with.
void DesignerWindowTest::theTableIsWrittenBesideTheWindow() {
    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("tabella.csv"));
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    askForADrive();
    QVERIFY(settled());
    const QStringList asked = window->shownArguments();
    std::atomic<bool> answered = false, answeredBeforeRead = false;
    QByteArray read;
    std::thread reader([&] { // reads after the window's answer, or after 10 s without one
        for (int wait = 0; wait < 200 && !answered; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        answeredBeforeRead = answered.load();
        QFile pipe(fifo);
        if (pipe.open(QIODevice::ReadOnly))
            read = pipe.readAll();
    });
    QSignalSpy saved(window.get(), &DesignerWindow::tableSaved);
    const bool started = window->saveTable(fifo);
    const bool disabled = !button("Salva tabella…")->isEnabled();
    type(Field::slotTo, QStringLiteral("200"));
    answered = settled() && window->shownArguments() != asked;
    if (!started) { // the reader's open waits for a writer
        QFile unblock(fifo);
        (void)unblock.open(QIODevice::WriteOnly);
    }
    if (started && saved.isEmpty())
        saved.wait(10000);
    reader.join();
    QVERIFY(started && disabled);
    QVERIFY(answeredBeforeRead);
    QCOMPARE(saved.size(), 1);
    QVERIFY(saved.first().first().toBool());
    QCOMPARE(read, programOutput(asked + QStringList{QStringLiteral("--csv")}));
    QVERIFY(button("Salva tabella…")->isEnabled());
}

// Change the profile, then save the drawing while the new search runs (waiting on a FIFO as
// its stock list): the file holds the drive on screen, or nothing.
void DesignerWindowTest::aDrawingSavedDuringASearchIsTheDriveOnScreen() {
    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("cinghie"));
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    askForADrive();
    QVERIFY(settled());
    table()->selectRow(3);
    auto *profile = named<QComboBox>(QStringLiteral("Profilo"));
    profile->setCurrentIndex(profile->findData(QStringLiteral("8M"), Qt::UserRole));
    type(Field::stock, fifo);
    QTest::qWait(3 * DesignerWindow::typingPause);
    QVERIFY(window->busy());
    const QString file = folder.filePath(QStringLiteral("disegno.svg"));
    const QModelIndex current = table()->currentIndex();
    if (!window->saveDrawing(file, false)) {
        QVERIFY(!current.isValid() && !QFile::exists(file));
    } else {
        const auto cell = [&](int column) { // without its mark
            return current.siblingAtColumn(column).data().toString().section(u' ', 0, 0);
        };
        const QString belt = cell(designer::DriveTable::belt); // 565-5M
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(
            saved.readAll(),
            programOutput({cell(designer::DriveTable::larger), cell(designer::DriveTable::smaller),
                           belt.section(u'-', 0, 0), QStringLiteral("-p"), belt.section(u'-', 1),
                           QStringLiteral("--svg"), QStringLiteral("-")}));
    }
    type(Field::stock, QString());
    QVERIFY(settled());
}

// Typing while a long search runs: the rows shown are those of the fields typed last.
void DesignerWindowTest::typingDuringASearchShowsTheLastTyped() {
    askForADrive();
    QVERIFY(settled());
    auto *profile = named<QComboBox>(QStringLiteral("Profilo"));
    profile->setCurrentIndex(profile->findData(QStringLiteral("MXL"), Qt::UserRole));
    type(Field::ratio, QStringLiteral("1"));
    type(Field::ratioTo, QStringLiteral("1000000000"));
    type(Field::fewestTeeth, QStringLiteral("1"));
    type(Field::mostTeeth, QStringLiteral("1580"));
    type(Field::slotFrom, QStringLiteral("5000"));
    type(Field::slotTo, QStringLiteral("5000,78")); // 999,000 drives, in about a second
    QTest::qWait(DesignerWindow::typingPause + 50);
    QVERIFY(window->busy());
    type(Field::mostTeeth, QStringLiteral("100"));
    QVERIFY(settled());
    QTest::qWait(2000); // for an answer to the older search, had it not been dropped
    QVERIFY(window->shownArguments().contains(QStringLiteral("1:100")));
    const QByteArray program =
        programOutput(window->shownArguments() + QStringList{QStringLiteral("--csv")});
    QVERIFY(program.count('\n') > 1);
    QCOMPARE(table()->model()->rowCount(), program.count('\n') - 1);
}

QTEST_MAIN(DesignerWindowTest)
namespace {

// A back-side idler on a slot under a 20 and 60-tooth GT2 drive; a printer's loop of a motor
// pulley and three idlers on a 300 mm square.
const QByteArray slotLayout = "profilo GT2\nmotore 0 0 20\ncondotta 150 0 60\n"
                              "tenditore 75 -30 20 dorso folle scorre 75 -2\n";
const QByteArray printerLoop = "profilo GT2\nmotore 0 0 20\na 300 0 20 folle\n"
                               "b 300 300 20 folle\nc 0 300 20 folle\n";

} // namespace

void DesignerWindowTest::layoutPageLooksAsItsGoldenPictures() {
    const QString configuration = golden::configuration();
    if (configuration.isEmpty())
        return;
    designer::LayoutPage *page = openLayout(slotLayout);
    chooseBelt(QStringLiteral("384"));
    QApplication::processEvents();
    const QString difference =
        golden::differenceFrom(page->grab().toImage(), QStringLiteral(GOLDEN_DIR),
                               configuration + QStringLiteral("-layout"));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void DesignerWindowTest::aDraggedPulleyIsTheProgramsLayout_data() {
    QTest::addColumn<QByteArray>("layout");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QPoint>("by"); // pixels
    QTest::addColumn<QString>("belt");
    QTest::addColumn<bool>("stops");
    QTest::addColumn<int>("moves");
    QTest::newRow("an idler of the loop outward")
        << printerLoop << 2 << QPoint(40, -25) << QString() << false << 10;
    QTest::newRow("an idler onto the motor pulley")
        << printerLoop << 1 << QPoint(-600, 0) << QString() << true << 10;
    QTest::newRow("the drive's pulley, the idler on its belt")
        << slotLayout << 1 << QPoint(2, 0) << "384-2GT" << false << 10;
    // One long move: the frame stops it short, letting go at the edge.
    QTest::newRow("the drive's pulley past where its belt fits")
        << slotLayout << 1 << QPoint(60, 0) << "384-2GT" << true << 1;
}

// Dragged with the mouse: the centre in the table, the file saved and the exports what the
// program writes for it; a drag into an impossible place stops where the layout still holds.
void DesignerWindowTest::aDraggedPulleyIsTheProgramsLayout() {
    QFETCH(QByteArray, layout);
    QFETCH(int, entry);
    QFETCH(QPoint, by);
    QFETCH(QString, belt);
    QFETCH(bool, stops);
    QFETCH(int, moves);
    designer::LayoutPage *page = openLayout(layout);
    if (!belt.isEmpty())
        chooseBelt(belt);
    const geometry::Point before = page->document().layout().entries[std::size_t(entry)].centre;
    designer::LayoutPane *pane = page->pane();
    const QPoint from = pane->pixelOf(before).toPoint();
    const int steps = page->undoStack().count();
    QTest::mousePress(pane, Qt::LeftButton, {}, from);
    for (int step = 1; step <= moves; ++step)
        QTest::mouseMove(pane, from + by * step / moves);
    QTest::mouseRelease(pane, Qt::LeftButton, {}, from + by);
    const geometry::Point after = page->document().layout().entries[std::size_t(entry)].centre;
    QVERIFY(after.x != before.x || after.y != before.y);
    const auto path = page->document().path();
    QVERIFY(std::holds_alternative<geometry::BeltPath>(path));
    if (!belt.isEmpty()) // the idler solved again on the belt
        QVERIFY(std::abs(std::get<geometry::BeltPath>(path).pitchLength - 384) < 1e-6);
    const auto *table = page->findChild<QTableWidget *>();
    QCOMPARE(table->item(entry, 1)->text(),
             QString::fromStdString(geometry::formatNumber(after.x, "0.##", ",")));
    QVERIFY2(stoppedNote(page).startsWith(QStringLiteral("La puleggia si ferma qui: ")) == stops,
             qPrintable(stoppedNote(page)));
    QCOMPARE(page->undoStack().count(), steps + 1); // one step for the whole drag
    if (stops) { // at the edge once the hand lets go: a little further, no farther than a hundredth
        const double dx = after.x - before.x, dy = after.y - before.y, way = std::hypot(dx, dy);
        page->dragTo(entry, {after.x + 0.05 * dx / way, after.y + 0.05 * dy / way});
        const geometry::Point pushed = page->document().layout().entries[std::size_t(entry)].centre;
        QVERIFY2(
            std::hypot(pushed.x - after.x, pushed.y - after.y) < 0.0101,
            qPrintable(QStringLiteral("%1 %2").arg(pushed.x - after.x).arg(pushed.y - after.y)));
        page->undoStack().undo();
        page->undoStack().redo();
    }
    const QString saved = layouts.filePath(QStringLiteral("spostata.trasmissione"));
    QVERIFY(page->save(saved));
    using Export = designer::LayoutPage::Export;
    for (const auto &[kind, option] :
         {std::pair{Export::csv, "--csv"}, std::pair{Export::svg, "--svg"},
          std::pair{Export::dxf, "--dxf"}}) {
        const QString exported = layouts.filePath(QStringLiteral("esportata"));
        QVERIFY(page->exportTo(exported, kind));
        QFile file(exported);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList arguments{QStringLiteral("--layout"), saved, QString::fromLatin1(option)};
        if (!belt.isEmpty())
            arguments.insert(2, belt);
        if (kind != Export::csv)
            arguments << QStringLiteral("-");
        QCOMPARE(file.readAll(), programOutput(arguments));
    }
}

// Tab walks the page in reading order; the arrows move the selected pulley, a movable one
// along its slot; each move is a step undone and done again.
void DesignerWindowTest::theLayoutPageByKeyboard() {
    designer::LayoutPage *page = openLayout(slotLayout);
    QApplication::setActiveWindow(page);
    named<QPushButton>(QStringLiteral("Apri"))->setFocus();
    QStringList walked;
    for (int step = 0; step < 15; ++step) {
        walked << QApplication::focusWidget()->accessibleName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(walked, QStringList({"Apri", "Salva", "Esporta CSV", "Esporta SVG", "Esporta DXF",
                                  "Profilo", "Pulegge", "Aggiungi una puleggia",
                                  "Rimuovi la puleggia", "Sposta su", "Sposta giù", "Cinghia",
                                  "Elenco di cinghie", "Cinghie che vanno bene", "Disegno"}));
    designer::LayoutPane *pane = page->pane();
    const auto centre = [&](std::size_t entry) {
        return page->document().layoutThere().entries[entry].centre;
    };
    struct Key {
        std::size_t entry;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        geometry::Point to;
    };
    // The idler's slot runs up from (75, -30) to (75, -2): forward is up.
    for (const Key &each :
         {Key{0, Qt::Key_Right, {}, {1, 0}}, Key{0, Qt::Key_Down, {}, {1, -1}},
          Key{1, Qt::Key_Up, Qt::ShiftModifier, {150, 0.1}}, Key{2, Qt::Key_Up, {}, {75, -29}},
          Key{2, Qt::Key_Left, Qt::ShiftModifier, {75, -29.1}}}) {
        pane->select(int(each.entry));
        QTest::keyClick(pane, each.key, each.modifiers);
        QVERIFY(std::abs(centre(each.entry).x - each.to.x) < 1e-9);
        QVERIFY(std::abs(centre(each.entry).y - each.to.y) < 1e-9);
    }
    QCOMPARE(page->undoStack().count(), 5);
    QTest::keyClick(page, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(page, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(centre(2), (geometry::Point{75, -30}));
    QCOMPARE(centre(1), (geometry::Point{150, 0.1}));
    QTest::keyClick(page, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(centre(2), (geometry::Point{75, -29}));
    QTest::keyClick(page, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(centre(2), (geometry::Point{75, -29.1}));
}

void DesignerWindowTest::aDamagedLayoutIsMarkedWithItsLine_data() {
    QTest::addColumn<QByteArray>("layout");
    QTest::addColumn<QString>("said");
    QTest::newRow("no entry") << QByteArray("profilo GT2\nmotore 0 0 20\nfolle a caso\n")
                              << "disposizione.trasmissione, riga 3: ";
    QTest::newRow("two movable")
        << QByteArray("a 0 0 20 scorre 0 9\nb 50 0 20\nc 9 9 20 ruota 0 0\n")
        << "disposizione.trasmissione, riga 3: si muove già la puleggia della riga 1";
}

// Said on the page, naming the file and the line, and the layout shown stays.
void DesignerWindowTest::aDamagedLayoutIsMarkedWithItsLine() {
    QFETCH(QByteArray, layout);
    QFETCH(QString, said);
    const std::vector<cli::LayoutRecord> before = window->layoutPage()->document().records();
    designer::LayoutPage *page = openLayout(layout);
    QVERIFY(page->document().records() == before);
    bool found = false;
    for (const QLabel *label : page->findChildren<QLabel *>())
        found = found || (label->isVisible() && label->text().contains(said));
    QVERIFY2(found, qPrintable(said));
}

namespace {

// An L belt on a 20 and a 40-tooth pulley, a back-side idler pressing its slack span.
const QByteArray backIdler = "profilo L100\nmotore 0 0 20\ncondotta 300 0 40\n"
                             "rullo 150 -45 16 dorso folle\n";
// Typed on the page, in order: a field's name and its text, or a chooser's and its choice.
using PageTyped = QList<std::pair<QString, QString>>;

} // namespace

Q_DECLARE_METATYPE(PageTyped)

// A file of a profile alone, as a layout begins: no pulley, and so no span to choose, and no
// loads for what is typed.
void DesignerWindowTest::aLayoutWithNoPulleysOpens() {
    designer::LayoutPage *page = openLayout("profilo 2GT\n");
    QVERIFY(page->document().records().empty());
    QCOMPARE(named<QComboBox>(QStringLiteral("del tratto"))->count(), 0);
    for (const auto &[field, text] : PageTyped{
             {"Giri al minuto", "1450"}, {"Potenza (kW)", "0,75"}, {"Tiro statico (N)", "100"}})
        typeOnPage(field, text);
    QVERIFY(page->findChild<QPlainTextEdit *>()->toPlainText().isEmpty());
}

// A belt chosen on a travel places its pulley: the loads are the layout's there, and nothing
// of the list of the travel's belts stands in their way.
void DesignerWindowTest::loadsOnABeltThatPlacesItsTravel() {
    designer::LayoutPage *page = openLayout(QByteArray(slotLayout).replace("GT2\n", "GT2-6\n"));
    chooseBelt(QStringLiteral("384"));
    for (const auto &[field, text] :
         PageTyped{{"Giri al minuto", "600"}, {"Tiro statico (N)", "20"}})
        typeOnPage(field, text);
    QVERIFY(page->findChild<QPlainTextEdit *>()->toPlainText().contains(
        QStringLiteral("carico sull'albero motore: ")));
}

void DesignerWindowTest::layoutLoadsAreTheProgramsLines_data() {
    QTest::addColumn<PageTyped>("typed");
    QTest::addColumn<QStringList>("options");
    QTest::newRow("a tension, the first pulley's speed")
        << PageTyped{{"Giri al minuto", "1450"},
                     {"Potenza (kW)", "0,75"},
                     {"Tiro statico (N)", "100"}}
        << QStringList{"--rpm", "1450", "--power", "0,75", "--tension", "100"};
    // 725 rpm on 40 teeth is 1450 on the first pulley's 20; the slack side leaves the teeth.
    QTest::newRow("a frequency on a span, the driven pulley's speed")
        << PageTyped{{"della puleggia", "condotta"},
                     {"Giri al minuto", "725"},
                     {"Potenza (kW)", "0,75"},
                     {"del tratto", "condotta-rullo"},
                     {"Frequenza (Hz)", "60"}}
        << QStringList{"--rpm",       "1450", "--power", "0,75",
                       "--frequency", "60",   "--span",  "condotta-rullo"};
}

// The details are the lines that the program writes after the layout's length, and the
// sentences that it writes on standard error.
void DesignerWindowTest::layoutLoadsAreTheProgramsLines() {
    QFETCH(PageTyped, typed);
    QFETCH(QStringList, options);
    designer::LayoutPage *page = openLayout(backIdler);
    for (const auto &[field, text] : typed)
        typeOnPage(field, text);
    QByteArray errors;
    const QByteArray output =
        programOutput(QStringList{QStringLiteral("--layout"),
                                  layouts.filePath(QStringLiteral("disposizione.trasmissione"))} +
                          options,
                      false, &errors);
    const qsizetype from = output.indexOf('\n', output.indexOf("lunghezza primitiva:")) + 1;
    // The warnings first, and every line whole in the pane's width.
    const QByteArray expected = errors + output.mid(from, output.indexOf("\ncinghia ") + 1 - from);
    QVERIFY(expected.contains("tiro utile: "));
    const auto *details = page->findChild<QPlainTextEdit *>();
    QCOMPARE(details->toPlainText().toUtf8(), expected);
    QCOMPARE(details->horizontalScrollBar()->maximum(), 0);
    if (QString configuration = golden::configuration();
        !configuration.isEmpty() && options.contains("--tension")) {
        const QString difference =
            golden::differenceFrom(page->grab().toImage(), QStringLiteral(GOLDEN_DIR),
                                   configuration + QStringLiteral("-layout-loads"));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
}

void DesignerWindowTest::aBadLayoutLoadIsMarkedUnderItsField_data() {
    QTest::addColumn<PageTyped>("typed");
    QTest::addColumn<QString>("words");
    const QString frequency = "Frequenza (Hz)";
    QTest::newRow("speed") << PageTyped{{"Giri al minuto", "mille"}}
                           << "Il valore di \"Giri al minuto\" non è un numero";
    QTest::newRow("power") << PageTyped{{"Giri al minuto", "1450"}, {"Potenza (kW)", "0"}}
                           << "Il valore di \"Potenza (kW)\" deve essere maggiore di 0.";
    QTest::newRow("power without a speed")
        << PageTyped{{"Potenza (kW)", "0,75"}}
        << "Il valore di \"Potenza (kW)\" chiede anche \"Giri al minuto\".";
    QTest::newRow("service factor")
        << PageTyped{{"Giri al minuto", "1450"}, {"Fattore di servizio", "-1,5"}}
        << "Il valore di \"Fattore di servizio\" deve essere maggiore di 0.";
    QTest::newRow("tension") << PageTyped{{"Tiro statico (N)", "cento"}}
                             << "Il valore di \"Tiro statico (N)\" non è un numero";
    QTest::newRow("frequency and tension")
        << PageTyped{{"Tiro statico (N)", "100"}, {frequency, "60"}}
        << "Il valore di \"Frequenza (Hz)\" va al posto di quello di \"Tiro statico (N)\"";
    QTest::newRow("mass") << PageTyped{{"Tiro statico (N)", "100"}, {"Massa (kg/m)", "0,1x"}}
                          << "Il valore di \"Massa (kg/m)\" non è un numero";
}

// Said right under the last field typed, naming it, with no details; gone once it is emptied.
void DesignerWindowTest::aBadLayoutLoadIsMarkedUnderItsField() {
    QFETCH(PageTyped, typed);
    QFETCH(QString, words);
    designer::LayoutPage *page = openLayout(backIdler);
    for (const auto &[field, text] : typed)
        typeOnPage(field, text);
    QList<QLabel *> marked;
    for (QLabel *label : page->findChildren<QLabel *>())
        if (label->isVisible() && label->text().startsWith(words))
            marked << label;
    QCOMPARE(marked.size(), 1);
    const QString field = typed.last().first;
    const QLineEdit *edit = named<QLineEdit>(field);
    QCOMPARE(edit->accessibleDescription(), marked[0]->text());
    const QPoint box = edit->mapTo(page, QPoint(0, edit->height()));
    const QPoint label = marked[0]->mapTo(page, QPoint(0, 0));
    QVERIFY(label.y() >= box.y() && label.y() - box.y() < edit->height());
    QVERIFY(page->findChild<QPlainTextEdit *>()->toPlainText().isEmpty());
    typeOnPage(field, QString());
    QVERIFY(!marked[0]->isVisible());
}

void DesignerWindowTest::theDrawingHoldsStillThroughADrag_data() {
    QTest::addColumn<QPoint>("by"); // pixels, the driven pulley
    QTest::addColumn<bool>("leaves");
    QTest::newRow("inward") << QPoint(-60, 0) << false;
    QTest::newRow("out of the pane") << QPoint(400, 0) << true;
    // Stopped on the motor pulley: the reason, said under the drawing, takes some of its height.
    QTest::newRow("onto the motor pulley, stopped") << QPoint(-600, 0) << false;
}

// The drawing's scale and place hold while a pulley is dragged and when it is let go, so that
// nothing jumps under the pointer; fitted anew only once the layout has left the pane.
void DesignerWindowTest::theDrawingHoldsStillThroughADrag() {
    QFETCH(QPoint, by);
    QFETCH(bool, leaves);
    designer::LayoutPage *page = openLayout(backIdler);
    designer::LayoutPane *pane = page->pane();
    const auto frame = [&] { return QLineF(pane->pixelOf({0, 0}), pane->pixelOf({300, 0})); };
    const QLineF before = frame();
    const QPoint from = pane->pixelOf({300, 0}).toPoint();
    QTest::mousePress(pane, Qt::LeftButton, {}, from);
    for (int step = 1; step <= 4; ++step) {
        QTest::mouseMove(pane, from + by * step / 4);
        QCOMPARE(frame(), before);
    }
    QTest::mouseRelease(pane, Qt::LeftButton, {}, from + by);
    QVERIFY(page->document().layout().entries[1].centre.x != 300);
    QCOMPARE(frame() != before, leaves);
    const geometry::Drawing &drawing = *pane->drawing();
    QVERIFY(QRectF(pane->rect()).contains(pane->pixelOf(drawing.lowest)) &&
            QRectF(pane->rect()).contains(pane->pixelOf(drawing.highest)));
    const QLineF held = frame(); // a larger window fits it anew
    window->resize(1200, 800);
    QTRY_VERIFY(frame() != held);
}

// The README's tensioner where its file puts it, clear of the belt, cannot be built: its
// pulleys are drawn without the belt, and the idler is dragged up its slot.
void DesignerWindowTest::aLayoutThatCannotBeBuiltShowsItsPulleys() {
    designer::LayoutPage *page = openLayout(slotLayout);
    designer::LayoutPane *pane = page->pane();
    QVERIFY(pane->drawing());
    QCOMPARE(pane->drawing()->outsideCircles.size(), 3);
    QVERIFY(pane->drawing()->spans.empty());
    const QPoint from = pane->pixelOf({75, -30}).toPoint();
    QTest::mousePress(pane, Qt::LeftButton, {}, from);
    QTest::mouseMove(pane, from - QPoint(0, 10));
    QTest::mouseRelease(pane, Qt::LeftButton, {}, from - QPoint(0, 10));
    QVERIFY(page->document().moved() && page->document().moved()->y > -30);
}

// A frame in the highlight's colour round the drawing while it has the keyboard's focus.
void DesignerWindowTest::theDrawingShowsItHasTheFocus() {
    designer::LayoutPage *page = openLayout(slotLayout);
    QApplication::setActiveWindow(page);
    designer::LayoutPane *pane = page->pane();
    named<QPushButton>(QStringLiteral("Apri"))->setFocus();
    const QImage without = pane->grab().toImage();
    pane->setFocus(Qt::TabFocusReason);
    QVERIFY(pane->hasFocus());
    const QImage with = pane->grab().toImage();
    const QPoint edge(1, with.height() / 2);
    QCOMPARE(without.pixelColor(edge), QColor(Qt::white));
    QCOMPARE(with.pixelColor(edge), pane->palette().color(QPalette::Highlight));
}

// Where the spans differ, a frequency waits for its span to be chosen, and the details say so.
void DesignerWindowTest::aMeasuredSpanIsTheUsersToChoose() {
    designer::LayoutPage *page = openLayout(backIdler);
    for (const auto &[field, text] :
         PageTyped{{"Giri al minuto", "1450"}, {"Potenza (kW)", "0,75"}, {"Frequenza (Hz)", "60"}})
        typeOnPage(field, text);
    QCOMPARE(named<QComboBox>(QStringLiteral("del tratto"))->currentIndex(), -1);
    QVERIFY(page->findChild<QPlainTextEdit *>()->toPlainText().isEmpty());
    bool said = false;
    for (const QLabel *label : page->findChildren<QLabel *>())
        said = said || (label->isVisible() && label->text() == messages::layoutSpanToChoose());
    QVERIFY(said);
    typeOnPage(QStringLiteral("del tratto"), QStringLiteral("condotta-rullo"));
    QVERIFY(page->findChild<QPlainTextEdit *>()->toPlainText().contains(QStringLiteral("60")));
}

// "Rimuovi" on every row says once that the table needs two pulleys; "Aggiungi" then starts
// it again; "Su" and "Giù" swap rows; each press a step undone and done again.
void DesignerWindowTest::theTableByItsButtons() {
    designer::LayoutPage *page = openLayout(slotLayout);
    auto *table = page->findChild<QTableWidget *>();
    table->setCurrentCell(1, 0);
    const auto press = [&](const char *button) {
        named<QPushButton>(QString::fromUtf8(button))->click();
    };
    for (int row = 0; row < 4; ++row)
        press("Rimuovi la puleggia");
    QCOMPARE(table->rowCount(), 0);
    int said = 0;
    for (const QLabel *label : page->findChildren<QLabel *>())
        said += label->isVisible() && label->text().contains(QStringLiteral("meno di due"));
    QCOMPARE(said, 1);
    press("Aggiungi una puleggia");
    press("Aggiungi una puleggia");
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->currentRow(), 1);
    press("Sposta su");
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("puleggia2"));
    press("Sposta giù");
    QCOMPARE(table->item(1, 0)->text(), QStringLiteral("puleggia2"));
    const int steps = page->undoStack().count();
    while (page->undoStack().canUndo())
        page->undoStack().undo();
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->item(2, 0)->text(), QStringLiteral("tenditore"));
    while (page->undoStack().canRedo())
        page->undoStack().redo();
    QCOMPARE(page->undoStack().count(), steps);
    QCOMPARE(table->item(1, 0)->text(), QStringLiteral("puleggia2"));
}

// A key bound twice is ambiguous and does nothing: each key once among the window's actions,
// the standard keys taken as every binding that a platform gives them.
void DesignerWindowTest::undoAndRedoHaveEachKeyOnce() {
    designer::LayoutPage *page = openLayout(slotLayout);
    QList<QKeySequence> bound = designer::keysOf(designer::LayoutPage::undoKeys) +
                                designer::keysOf(designer::LayoutPage::redoKeys);
    for (QAction *action : window->findChildren<QAction *>())
        if (!page->actions().contains(action))
            bound << action->shortcuts();
    for (const QKeySequence &key : bound)
        QVERIFY2(bound.count(key) == 1, qPrintable(key.toString()));
    for (const QKeySequence &redo :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
        QVERIFY(designer::keysOf(designer::LayoutPage::redoKeys).contains(redo));
}

// Every note says the layout on screen, or nothing: after undo, a key's move, a belt cleared.
void DesignerWindowTest::notesSayTheLayoutOnScreen() {
    designer::LayoutPage *page = openLayout(slotLayout);
    const auto said = [&](const QString &words) {
        for (const QLabel *label : page->findChildren<QLabel *>())
            if (label->isVisible() && label->text().contains(words))
                return label->text();
        return QString();
    };
    chooseBelt(QStringLiteral("386"));
    QVERIFY(!said(QStringLiteral("386-2GT")).isEmpty());
    QTest::keyClick(page, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(said(QStringLiteral("386-2GT")), QString());

    chooseBelt(QStringLiteral("384"));
    page->pane()->select(1);
    QTest::keyClick(page->pane(), Qt::Key_Left);
    const QString y =
        QString::fromStdString(geometry::formatNumber(page->document().moved()->y, "0.00", ","));
    QVERIFY2(said(QStringLiteral("Su 384-2GT")).contains(y), qPrintable(y));

    page->dragTo(1, {210, 0});
    QVERIFY(stoppedNote(page).contains(QStringLiteral("384-2GT")));
    chooseBelt(QString());
    QCOMPARE(stoppedNote(page), QString());

    page = openLayout(printerLoop);
    designer::LayoutPane *pane = page->pane();
    const QPoint from = pane->pixelOf(page->document().layout().entries[1].centre).toPoint();
    QTest::mousePress(pane, Qt::LeftButton, {}, from);
    for (int step = 1; step <= 10; ++step)
        QTest::mouseMove(pane, from + QPoint(-60, 0) * step);
    QTest::mouseRelease(pane, Qt::LeftButton, {}, from + QPoint(-600, 0));
    QVERIFY(!stoppedNote(page).isEmpty());
    QTest::keyClick(page, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(stoppedNote(page), QString());
}

void DesignerWindowTest::onlyARegularFileOpens_data() {
    QTest::addColumn<bool>("fifo");
    QTest::addColumn<QString>("said");
    QTest::newRow("a named pipe") << true << "è una pipe con nome, e la finestra apre solo file";
    QTest::newRow("a folder") << false << "è una cartella, e la finestra apre solo file";
}

// Refused at once, naming it, the layout shown staying: a pipe that no one writes to would
// hold the window for good. A writer comes after a while, so that a page that waits for one
// ends its wait and fails.
void DesignerWindowTest::onlyARegularFileOpens() {
    QFETCH(bool, fifo);
    QFETCH(QString, said);
    QTemporaryDir folder;
    QString path = folder.path();
    if (fifo) {
        path = folder.filePath(QStringLiteral("disposizione"));
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
    std::atomic<bool> opened = false;
    std::thread writer([&] {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        if (fifo && !opened)
            QFile(path).open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    });
    const std::vector<cli::LayoutRecord> before = window->layoutPage()->document().records();
    window->openLayout(path);
    opened = true;
    writer.join();
    QCOMPARE(window->layoutPage()->document().records(), before);
    bool found = false;
    for (const QLabel *label : window->layoutPage()->findChildren<QLabel *>())
        found = found || (label->isVisible() && label->text().contains(path) &&
                          label->text().contains(said));
    QVERIFY2(found, qPrintable(said));
}

void DesignerWindowTest::unsavedEditsAreAskedFor_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("saved") << "Salva" << true << true;
    QTest::newRow("dropped") << "Non salvare" << true << false;
    QTest::newRow("kept") << "Annulla" << false << false;
}

// An edit shows in the title; "Apri…" and closing the window ask first, as desktop programs
// do. Undone back to the file, the page has nothing to ask.
void DesignerWindowTest::unsavedEditsAreAskedFor() {
    QFETCH(QString, answer);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    designer::LayoutPage *page = openLayout(slotLayout);
    QVERIFY(!window->isWindowModified());
    page->pane()->select(0);
    QTest::keyClick(page->pane(), Qt::Key_Right);
    QVERIFY(window->isWindowModified());
    QTest::keyClick(page, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!window->isWindowModified());
    QVERIFY(window->close());
    window->show();
    QTest::keyClick(page->pane(), Qt::Key_Right);
    // Answers the question, or turns down whatever else asks, which then counts as no question.
    QStringList asked;
    QTimer answering;
    connect(&answering, &QTimer::timeout, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            asked << box->text();
            for (QAbstractButton *each : box->buttons())
                if (each->text().remove(u'&') ==
                    (asked.size() == 1 ? QStringLiteral("Annulla") : answer))
                    each->click();
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            dialog->reject();
        }
    });
    answering.start(20);
    QTest::mouseClick(named<QPushButton>(QStringLiteral("Apri")), Qt::LeftButton);
    QCOMPARE(asked, QStringList{"Salvare le modifiche?"});
    QCOMPARE(page->document().layout().entries[0].centre, (geometry::Point{1, 0}));
    QCOMPARE(window->close(), closes);
    answering.stop();
    QCOMPARE(asked.size(), 2);
    QFile file(layouts.filePath(QStringLiteral("disposizione.trasmissione")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()).contains(QRegularExpression("motore +1 +0 +20")),
             saved);
    QCOMPARE(window->isWindowModified(), !saved);
}

void DesignerWindowTest::layoutFieldsFollowTyping_data() {
    QTest::addColumn<QByteArray>("layout");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::newRow("belt") << slotLayout << "Cinghia"
                          << "384";
    QTest::newRow("profile") << slotLayout << "Profilo"
                             << "GT2-6";
    QTest::newRow("a load") << backIdler << "Tiro statico (N)"
                            << "100";
}

// Typed, with no Enter and the focus kept, the page follows once the typing pauses.
void DesignerWindowTest::layoutFieldsFollowTyping() {
    QFETCH(QByteArray, layout);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    designer::LayoutPage *page = openLayout(layout);
    QLineEdit *edit = nullptr;
    for (QLineEdit *each : page->findChildren<QLineEdit *>())
        if (each->accessibleName() == field)
            edit = each;
    QVERIFY(edit);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, typed);
    const auto *details = page->findChild<QPlainTextEdit *>();
    QTRY_VERIFY(page->undoStack().count() == 1 || !details->toPlainText().isEmpty());
    QVERIFY(edit->hasFocus());
}

// The belts of a travel of 100 m, which take seconds to find, are found beside the window: it
// opens the layout as soon as one of a few millimetres, and closing does not wait for them.
void DesignerWindowTest::aLongTravelsBeltsLeaveTheWindowFree() {
    QElapsedTimer clock;
    clock.start();
    openLayout(slotLayout); // its belts found
    const qint64 baseline = std::max<qint64>(clock.restart(), 1);
    designer::LayoutPage *page = openLayout("profilo GT2\nmotore 0 0 20\nvite 150 0 60\n"
                                            "rullo 75 -30 20 folle scorre 75 -100000\n",
                                            false);
    const qint64 opened = clock.restart();
    QVERIFY2(opened < 50 * baseline,
             qPrintable(QStringLiteral("%1 against %2 ms").arg(opened).arg(baseline)));
    QVERIFY(page->searchingBelts());
    window.reset();
    QVERIFY2(clock.elapsed() < 50 * baseline, qPrintable(QString::number(clock.elapsed())));
}

void DesignerWindowTest::theLayoutPageFitsItsScreen_data() {
    QTest::addColumn<QSize>("screen");
    QTest::newRow("1000 × 640") << QSize(1000, 640);
    QTest::newRow("a 1280-pixel screen at 200 %") << QSize(640, 400);
}

// A layout of seven entries: the window no larger than the screen, every entry in the table's
// view and every label whole, the page scrolling where it must.
void DesignerWindowTest::theLayoutPageFitsItsScreen() {
    QFETCH(QSize, screen);
    designer::LayoutPage *page = openLayout(
        "profilo GT2\nmotore 0 0 20\na 300 0 20 folle\nb 300 300 20 folle\n"
        "c 150 350 20 folle\nd 0 300 20 folle\ne -50 200 20 folle\nf -50 100 20 folle\n");
    window->resize(screen);
    QApplication::processEvents();
    QVERIFY2(window->width() <= screen.width() && window->height() <= screen.height(),
             qPrintable(QStringLiteral("%1 × %2").arg(window->width()).arg(window->height())));
    const auto *table = page->findChild<QTableWidget *>();
    QCOMPARE(table->rowCount(), 7);
    for (int row = 0; row < table->rowCount(); ++row)
        QVERIFY2(table->viewport()->rect().contains(table->visualItemRect(table->item(row, 0))),
                 qPrintable(QString::number(row + 1)));
    for (const QLabel *label : page->findChildren<QLabel *>())
        if (label->isVisible() && !label->wordWrap())
            QVERIFY2(label->width() >= label->minimumSizeHint().width(), qPrintable(label->text()));
}

// The width that carries the power is each drive's, found by the table: the tension's lines,
// which need the mass that a width gives, say so in the details, and the drives stay.
void DesignerWindowTest::aTensionOnAProfileWithoutWidthKeepsTheDrives() {
    typeProfile(QStringLiteral("L"));
    QTest::mouseClick(radio("Giri di motrice e condotta"), Qt::LeftButton);
    type(Field::fromSpeed, QStringLiteral("1400"));
    type(Field::toSpeed, QStringLiteral("350"));
    QTest::mouseClick(radio("Vicino a un interasse"), Qt::LeftButton);
    type(Field::distance, QStringLiteral("400"));
    typeLoads({{LoadField::power, QStringLiteral("0,37")}});
    QVERIFY(settled());
    const int rows = table()->model()->rowCount();
    QVERIFY(rows > 0);
    typeLoads({{LoadField::tension, QStringLiteral("150")}});
    QVERIFY(settled());
    QCOMPARE(table()->model()->rowCount(), rows);
    const QAbstractItemModel *model = table()->model();
    QCOMPARE(model->headerData(model->columnCount() - 1, Qt::Horizontal).toString(),
             QStringLiteral("Larghezza"));
    const QString details =
        named<QPlainTextEdit>(QStringLiteral("Dettagli della trasmissione"))->toPlainText();
    QVERIFY2(details.contains(QStringLiteral("interasse")) &&
                 details.endsWith(QStringLiteral(
                     "Il valore di \"Massa della cinghia\" serve per il tiro e la frequenza: "
                     "scrivere la massa in kg al metro, o la larghezza nel profilo, per esempio "
                     "L050.\n")),
             qPrintable(details));
}

#include "designer_window_test.moc"
