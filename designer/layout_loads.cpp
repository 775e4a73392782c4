#include "designer/layout_loads.h"

#include "cli/arguments.h"
#include "cli/layouts.h"
#include "common/calculation.h"
#include "common/messages.h"
#include "designer/load_fields.h"
#include "designer/note_label.h"
#include "designer/typing_pause.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace designer {

namespace {

// Each field's label, its Alt key marked, and what it holds when left empty.
struct Heading {
    const char *label;
    const char *empty;
};
const Heading headings[] = {{"Giri al &minuto", nullptr},    {"&Potenza (kW)", nullptr},
                            {"Fattore di servi&zio", "1,5"}, {"&Tiro statico (N)", nullptr},
                            {"Fre&quenza (Hz)", nullptr},    {"Massa (&kg/m)", "pubblicata"}};

// A chooser's names again, the one chosen kept where it still is, else the first, or none
// where a choice is the user's to make.
void refill(QComboBox *chooser, const QStringList &names, bool first = true) {
    QStringList now;
    for (int at = 0; at < chooser->count(); ++at)
        now << chooser->itemText(at);
    if (now == names)
        return;
    const QString chosen = chooser->currentText();
    const QSignalBlocker quiet(chooser);
    chooser->clear();
    chooser->addItems(names);
    chooser->setCurrentIndex(
        std::max<int>(static_cast<int>(names.indexOf(chosen)), first ? 0 : -1));
}

} // namespace

LayoutLoads::LayoutLoads(QWidget *parent) : QWidget(parent) {
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto labelled = [&](const QString &label, QWidget *field, int row, int column) {
        auto *caption = new QLabel(label, this);
        caption->setBuddy(field);
        field->setAccessibleName(QString(label).remove(u'&'));
        grid->addWidget(caption, row, column);
        grid->addWidget(field, row, column + 1);
    };
    m_speedOf = new QComboBox(this);
    m_span = new QComboBox(this);
    for (std::size_t field = 0; field < fieldsOnPage; ++field) {
        m_fields[field] = new QLineEdit(this);
        if (const char *empty = headings[field].empty)
            m_fields[field]->setPlaceholderText(QString::fromUtf8(empty));
        m_notes[field] = noteLabel(this, true);
        followTyping(m_fields[field], [this, edit = m_fields[field]] {
            // Only a value that changed asks the details again.
            if (edit->isModified()) {
                edit->setModified(false);
                emit changed();
            }
        });
    }
    const auto text = [](Field field) { return QString::fromUtf8(headings[field].label); };
    // Two by two, each row's notes under it.
    struct Cell {
        QWidget *field;
        QString label;
        QLabel *note; // under it, where it can be wrong
    };
    const Cell cells[4][2] = {
        {{m_fields[speed], text(speed), m_notes[speed]},
         {m_speedOf, QStringLiteral("della pu&leggia"), nullptr}},
        {{m_fields[power], text(power), m_notes[power]},
         {m_fields[serviceFactor], text(serviceFactor), m_notes[serviceFactor]}},
        {{m_fields[tension], text(tension), m_notes[tension]},
         {m_fields[frequency], text(frequency), m_notes[frequency]}},
        {{m_span, QStringLiteral("&del tratto"), nullptr},
         {m_fields[mass], text(mass), m_notes[mass]}},
    };
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 2; ++column) {
            const Cell &cell = cells[row][column];
            labelled(cell.label, cell.field, 2 * row, 2 * column);
            if (cell.note)
                grid->addWidget(cell.note, 2 * row + 1, 2 * column, 1, 2);
        }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    connect(m_speedOf, &QComboBox::currentIndexChanged, this, &LayoutLoads::changed);
    connect(m_span, &QComboBox::currentIndexChanged, this, &LayoutLoads::changed);

    m_detailsPane = new QWidget(parent);
    auto *column = new QVBoxLayout(m_detailsPane);
    column->setContentsMargins(0, 0, 0, 0);
    auto *caption = new QLabel(QStringLiteral("Caric&hi"), m_detailsPane);
    m_details = new QPlainTextEdit(m_detailsPane);
    m_details->setReadOnly(true);
    m_details->setAccessibleName(QStringLiteral("Carichi"));
    m_details->setPlaceholderText(messages::layoutLoadsHint());
    // A share of the column with the table of entries, whatever its lines: four at the least.
    m_details->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    m_details->setMinimumHeight(4 * m_details->fontMetrics().lineSpacing() +
                                2 * m_details->frameWidth());
    caption->setBuddy(m_details);
    m_problem = noteLabel(m_detailsPane, true);
    column->addWidget(caption);
    column->addWidget(m_details, 1);
    column->addWidget(m_problem);
}

QWidgetList LayoutLoads::fields() const {
    return {m_fields[speed],   m_speedOf,           m_fields[power], m_fields[serviceFactor],
            m_fields[tension], m_fields[frequency], m_span,          m_fields[mass],
            m_details};
}

void LayoutLoads::setNames(const cli::LayoutFile &file) {
    QStringList pulleys;
    for (std::size_t entry = 0; entry < file.layout.entries.size(); ++entry)
        if (file.layout.entries[entry].kind != geometry::LayoutEntry::Kind::clamp)
            pulleys << file.names.value(static_cast<qsizetype>(entry));
    refill(m_speedOf, pulleys);
    refill(m_span, cli::layoutSpanNames(file), false);
}

bool LayoutLoads::ask(const cli::LayoutFile &file, cli::LayoutRequest &request) {
    const QLocale locale;
    // The speed is the page's own, checked as the command line checks --rpm; the rest read as
    // the search page reads them.
    std::optional<cli::Value> speedValue;
    QString speedProblem;
    const QString speedName = m_fields[speed]->accessibleName();
    if (const QString typed = m_fields[speed]->text().trimmed(); !typed.isEmpty()) {
        const common::Result<double> number =
            common::readField(typed, speedName, QString(), locale);
        if (!number)
            speedProblem = number.problem().message;
        else if (const std::optional<QString> problem =
                     cli::speedProblem(*number, speedName, messages::Reader::window))
            speedProblem = *problem;
        else
            speedValue = cli::Value{*number, typed};
    }
    LoadTexts texts, names;
    for (std::size_t field = power; field < fieldsOnPage; ++field) {
        texts[field - power] = m_fields[field]->text();
        names[field - power] = m_fields[field]->accessibleName();
    }
    const bool speedTyped = !m_fields[speed]->text().trimmed().isEmpty();
    const LoadReading read = readLoads(texts, locale, cli::layoutProfile(file, request),
                                       speedTyped ? std::nullopt : std::optional(speedName), names);
    std::array<QString, fieldsOnPage> problems;
    problems[speed] = speedProblem;
    for (const LoadProblem &problem : read.problems) {
        QString &said = problems[static_cast<std::size_t>(problem.field) + power];
        if (said.isEmpty())
            said = problem.message;
    }
    for (std::size_t field = 0; field < fieldsOnPage; ++field) {
        m_fields[field]->setAccessibleDescription(problems[field]);
        m_notes[field]->setText(problems[field]);
        m_notes[field]->setVisible(!problems[field].isEmpty());
    }
    if (!speedProblem.isEmpty() || !read.problems.empty())
        return false;
    request.speed = speedValue;
    request.speedOf = m_speedOf->currentText();
    request.loads = read.loads;
    if (read.loads.frequency && m_span->currentIndex() >= 0)
        request.loads.span = m_span->currentText();
    return true;
}

void LayoutLoads::showDetails(const cli::LayoutFile &file, const cli::LayoutRequest &request) {
    if (!request.speed && !request.loads.asked()) {
        clearDetails();
        return;
    }
    const QLocale locale;
    QStringList complaints;
    const common::Result<cli::LayoutDescription> described =
        cli::describeLayout(file, request, locale);
    const common::Result<QString> lines =
        described ? cli::layoutLoadLines(*described, request, locale, complaints)
                  : common::Result<QString>(described.problem());
    // The warnings first, as the command line's standard error has them: a belt that leaves
    // its teeth matters more than twenty lines of frequencies.
    QString text;
    for (const QString &complaint : complaints)
        text += complaint + u'\n';
    if (lines)
        text += *lines;
    m_details->setPlainText(text);
    // The command line's --span is the chooser here.
    const QStringList spans = cli::layoutSpanNames(file);
    m_problem->setText(lines ? QString()
                       : !spans.isEmpty() &&
                               lines.problem().message == messages::spanNeeded(spans.front())
                           ? messages::layoutSpanToChoose()
                           : lines.problem().message);
    m_problem->setVisible(!lines);
}

void LayoutLoads::clearDetails() {
    m_details->clear();
    m_problem->hide();
}

} // namespace designer
