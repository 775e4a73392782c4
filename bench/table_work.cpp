// The work that an action on the designer's table does on the GUI thread, with the most rows
// a table holds (a click on each heading, and the table saved as CSV): the longest stretch of the
// thread's own time between two returns to the event loop, against the 50 ms that the window may
// stand still (the same stretch by the clock grows with the machine's load), and how long after the
// action its result shows; and new rows of the same search (the smaller pulley's speed
// changed). Each action is measured in every round; the medians are printed. With KW, a power
// asked of the drives: the table then rates each belt in a column of its own.
//   table_work [ROUNDS] [KW]
#include "designer/design_fields.h"
#include "designer/designer_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <vector>

namespace {

using designer::Field;

constexpr double budget = 50; // ms

// 999,000 drives, as `interasse --ratio 1:1000000000 --between 5000:5000.78 -p MXL
// --teeth 1:1580` lists them.
void askForAMillionRows(designer::DesignerWindow &window) {
    auto *profile = window.findChild<QComboBox *>();
    profile->setCurrentIndex(profile->findData(QStringLiteral("MXL"), Qt::UserRole));
    for (QRadioButton *button : window.findChildren<QRadioButton *>()) {
        const QString text = button->text().remove(u'&');
        if (text == QStringLiteral("Un rapporto di velocità") ||
            text == QLatin1String("In un intervallo"))
            button->setChecked(true);
    }
    const std::map<Field, QString> typed = {
        {Field::ratio, QStringLiteral("1")},       {Field::ratioTo, QStringLiteral("1000000000")},
        {Field::fewestTeeth, QStringLiteral("1")}, {Field::mostTeeth, QStringLiteral("1580")},
        {Field::slotFrom, QStringLiteral("5000")}, {Field::slotTo, QStringLiteral("5000.78")},
        {Field::speed, QStringLiteral("1450")},
    };
    for (QLineEdit *edit : window.findChildren<QLineEdit *>())
        for (const auto &[field, text] : typed)
            if (edit->accessibleName() == designer::headingOf(field))
                edit->setText(text);
}

// The GUI thread's own time, which a busy machine does not stretch.
qint64 threadNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

struct Measured {
    double work;  // the most ms of the GUI thread's time between two returns to the event loop
    double wall;  // and the longest such stretch by the clock
    double shown; // ms from the action to its result
};

// Runs the action from the event loop, and times every pass of the loop until finished()
// holds and a further 200 ms have passed, for the repaints that follow.
Measured measure(const std::function<void()> &action, const std::function<bool()> &finished) {
    QEventLoop loop;
    QElapsedTimer clock;
    qint64 last = 0, started = -1, shown = -1, longest = 0;
    qint64 lastWork = threadNanoseconds(), work = 0;
    QTimer pass; // a timer of no interval fires on each pass of the loop
    pass.setInterval(0);
    QObject::connect(&pass, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const qint64 nowWork = threadNanoseconds();
        longest = std::max(longest, now - last);
        work = std::max(work, nowWork - lastWork);
        last = now;
        lastWork = nowWork;
        if (started < 0) {
            started = now;
            action();
        } else if (shown < 0 && finished()) {
            shown = now - started;
        } else if ((shown >= 0 && now - started > shown + 200'000'000) ||
                   now - started > 600'000'000'000) {
            loop.quit();
        }
    });
    clock.start();
    pass.start();
    loop.exec();
    return {static_cast<double>(work) / 1e6, static_cast<double>(longest) / 1e6,
            static_cast<double>(shown) / 1e6};
}

double median(std::vector<double> values) {
    std::ranges::sort(values);
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 3;
    // Settings of this run alone: the user's stock list stays out of it, and untouched.
    const QTemporaryDir settings;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QLocale::setDefault(QLocale::c());

    designer::DesignerWindow window;
    window.resize(1000, 640);
    window.show();
    askForAMillionRows(window);
    if (argc > 2) { // the loads' fields opened, and the power typed
        for (QCheckBox *box : window.findChildren<QCheckBox *>())
            if (box->text().startsWith(QStringLiteral("Carichi")))
                box->setChecked(true);
        for (QLineEdit *edit : window.findChildren<QLineEdit *>())
            if (edit->accessibleName() == QStringLiteral("Potenza"))
                edit->setText(QString::fromLocal8Bit(argv[2]));
    }
    auto *table = window.findChild<QTableView *>();
    QAbstractItemModel *rows = table->model();
    QElapsedTimer searching;
    searching.start();
    while (window.busy() || rows->rowCount() == 0) {
        if (searching.elapsed() > 600'000) {
            std::fprintf(stderr, "the search did not end: %s\n",
                         qPrintable(window.shownArguments().join(u' ')));
            return 1;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    std::printf("%d rows of interasse %s\n", rows->rowCount(),
                qPrintable(window.shownArguments().join(u' ')));

    // Each action as a click does it, and the sign that its result has come.
    struct Action {
        QString name;
        std::function<void()> act;
        std::function<bool()> finished;
    };
    int layouts = 0, layoutsBefore = 0; // the rows' new orders: in all, and before the click
    QObject::connect(rows, &QAbstractItemModel::layoutChanged, [&] { ++layouts; });
    std::vector<Action> actions;
    for (int column = 0; column < rows->columnCount(); ++column)
        for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder})
            actions.push_back({QStringLiteral("sort by %1 %2")
                                   .arg(rows->headerData(column, Qt::Horizontal).toString(),
                                        order == Qt::AscendingOrder ? u"↑" : u"↓"),
                               [&, column, order] {
                                   layoutsBefore = layouts;
                                   table->horizontalHeader()->setSortIndicator(column, order);
                               },
                               [&] { return layouts > layoutsBefore; }});

    int searches = 0, searchesBefore = 0;
    QObject::connect(&window, &designer::DesignerWindow::searchEnded, [&] { ++searches; });
    QLineEdit *speed = nullptr;
    for (QLineEdit *edit : window.findChildren<QLineEdit *>())
        if (edit->accessibleName() == designer::headingOf(Field::speed))
            speed = edit;
    actions.push_back({QStringLiteral("new rows"),
                       [&] {
                           searchesBefore = searches;
                           speed->setText(speed->text() == QLatin1String("1450")
                                              ? QStringLiteral("1500")
                                              : QStringLiteral("1450"));
                       },
                       [&] { return searches > searchesBefore && rows->rowCount() > 0; }});

    const QTemporaryDir folder;
    const QString saved = folder.filePath(QStringLiteral("trasmissioni.csv"));
    actions.push_back({QStringLiteral("Salva tabella…"), [&] { window.saveTable(saved); },
                       [&] { return !window.savingTable(); }});

    std::vector<std::vector<Measured>> measured(actions.size());
    for (int round = 0; round < rounds; ++round)
        for (std::size_t i = 0; i < actions.size(); ++i)
            measured[i].push_back(measure(actions[i].act, actions[i].finished));

    std::printf("%-30s %22s %22s %14s\n", "", "longest work on the", "longest stretch by",
                "shown after");
    std::printf("%-30s %22s %22s %14s\n", "action", "GUI thread (ms)", "the clock (ms)", "(ms)");
    double worst = 0;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const auto of = [&](double Measured::*figure) {
            std::vector<double> values;
            for (const Measured &m : measured[i])
                values.push_back(m.*figure);
            return median(values);
        };
        worst = std::max(worst, of(&Measured::work));
        std::printf("%-30s %22.1f %22.1f %14.0f\n", qPrintable(actions[i].name),
                    of(&Measured::work), of(&Measured::wall), of(&Measured::shown));
    }
    std::printf("medians of %d rounds; the longest work: %.1f ms, %.0f %% of the %.0f ms budget\n",
                rounds, worst, 100 * worst / budget, budget);
    return worst <= budget ? 0 : 2;
}
