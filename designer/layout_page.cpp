#include "designer/layout_page.h"

#include "cli/layouts.h"
#include "cli/writer.h"
#include "common/messages.h"
#include "common/output_file.h"
#include "designer/layout_loads.h"
#include "designer/layout_pane.h"
#include "designer/note_label.h"
#include "designer/typing_pause.h"
#include "geometry/number_text.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QTableWidget>
#include <QTextStream>
#include <QVBoxLayout>

#include <algorithm>

#include <sys/stat.h>

namespace designer {

namespace {

using geometry::LayoutEntry;
using geometry::Point;
using geometry::Travel;

// The document's columns, in its order.
constexpr int idlerColumn = static_cast<int>(cli::LayoutColumn::idler);
constexpr int columns = static_cast<int>(cli::LayoutColumn::travel) + 1;
const char *const headings[] = {"Nome", "x (mm)", "y (mm)",  "Denti o\ndiametro",
                                "Lato", "Folle",  "Si muove"};
// A column as sentences name it, on one line.
QString columnName(int column) {
    return QString::fromUtf8(headings[column]).replace(u'\n', u' ');
}
// A step of the undo stack: the page before and after one drag or one edit.
class Change : public QUndoCommand {
public:
    Change(LayoutPage *page, cli::LayoutDocument before, cli::LayoutDocument after)
        : m_page(page), m_before(std::move(before)), m_after(std::move(after)) {}
    void undo() override { m_page->apply(m_before); }
    void redo() override { m_page->apply(m_after); }

private:
    LayoutPage *m_page;
    cli::LayoutDocument m_before, m_after;
};

QString text(const std::string &value) {
    return QString::fromStdString(value);
}

QString shown(double value, const char *pattern) {
    return text(geometry::formatNumber(value, pattern, QLocale().decimalPoint().toStdString()));
}

// A value of the table: as few decimals as tell it.
QString shown(double value) {
    return QString::number(value + 0.0, 'f', QLocale::FloatingPointShortest)
        .replace(u'.', QLocale().decimalPoint());
}

// What a path is that is there and no regular file; one that is not there is left to the
// reader, which says why.
std::optional<messages::NotAFile> notAFile(const QString &path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || S_ISREG(status.st_mode))
        return std::nullopt;
    using messages::NotAFile;
    if (S_ISFIFO(status.st_mode))
        return NotAFile::fifo;
    if (S_ISDIR(status.st_mode))
        return NotAFile::folder;
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
        return NotAFile::device;
    return S_ISSOCK(status.st_mode) ? NotAFile::socket : NotAFile::other;
}

// The entries' names as the drawing writes them.
std::vector<std::string> namesOf(const cli::LayoutDocument &document) {
    std::vector<std::string> names;
    for (const cli::LayoutRecord &record : document.records())
        names.push_back(record.name.toStdString());
    return names;
}

// A layout that cannot be built, its pulleys drawn without the belt, so that there is
// something to see and to move; none without an entry.
std::optional<LayoutPane::Picture> pulleysAlone(const cli::LayoutDocument &document) {
    const geometry::Layout there = document.layoutThere();
    if (there.entries.empty())
        return std::nullopt;
    const geometry::Layout layout = document.layout();
    LayoutPane::Picture picture;
    picture.draw = [layout, names = namesOf(document),
                    moved = layout.travel ? document.moved() : std::nullopt](double text) {
        return geometry::drawPulleys(layout, names, moved, text);
    };
    for (const LayoutEntry &entry : there.entries) {
        picture.centres.push_back(entry.centre);
        picture.radii.push_back(std::max(geometry::pitchRadius(*there.profile, entry), 0.0));
    }
    picture.marked.assign(there.entries.size(), false);
    return picture;
}

} // namespace

QList<QKeySequence> keysOf(const QList<ActionKey> &keys) {
    QList<QKeySequence> sequences;
    for (const ActionKey &key : keys)
        if (const auto *standard = std::get_if<QKeySequence::StandardKey>(&key))
            sequences << QKeySequence::keyBindings(*standard);
        else
            sequences << std::get<QKeySequence>(key);
    return sequences;
}

// Ctrl+Y as well, where the platform's redo is only Ctrl+Shift+Z.
const QList<ActionKey> LayoutPage::undoKeys{QKeySequence::Undo},
    LayoutPage::redoKeys{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                         QKeySequence(Qt::CTRL | Qt::Key_Y)};

LayoutPage::LayoutPage(QWidget *parent) : QWidget(parent) {
    auto *side = new QWidget(this);
    buildTable(side);
    auto *drawingSide = new QWidget(this);
    m_pane = new LayoutPane(drawingSide);
    m_pane->setAccessibleName(QStringLiteral("Disegno"));
    m_drawingNote = noteLabel(drawingSide, true);
    m_legend = noteLabel(drawingSide, false);
    auto *drawingColumn = new QVBoxLayout(drawingSide);
    drawingColumn->setContentsMargins(0, 0, 0, 0);
    drawingColumn->addWidget(m_pane, 1);
    drawingColumn->addWidget(m_drawingNote);
    drawingColumn->addWidget(m_legend);
    m_loads = new LayoutLoads(drawingSide);
    drawingColumn->addWidget(m_loads);
    // The details share the column's room with the table, and with the belts of a travel.
    auto *sideColumn = static_cast<QVBoxLayout *>(side->layout());
    sideColumn->addWidget(m_loads->detailsPane(), 2);
    sideColumn->setStretchFactor(m_table, 2);
    connect(m_loads, &LayoutLoads::changed, this, &LayoutPage::showLoads);
    auto *splitter = m_splitter = new QSplitter(this);
    splitter->addWidget(side);
    splitter->addWidget(drawingSide);
    splitter->setChildrenCollapsible(false);

    auto *buttons = new QHBoxLayout;
    QWidgetList order;
    const auto button = [&](const char *label, const QString &name, auto slot) {
        auto *made = new QPushButton(QString::fromUtf8(label), this);
        made->setAccessibleName(name);
        buttons->addWidget(made);
        connect(made, &QPushButton::clicked, this, slot);
        order << made;
    };
    button("&Apri…", QStringLiteral("Apri"), &LayoutPage::askToOpen);
    button("&Salva…", QStringLiteral("Salva"), &LayoutPage::askToSave);
    button("Esporta &CSV…", QStringLiteral("Esporta CSV"), [this] { askToExport(Export::csv); });
    button("Esporta S&VG…", QStringLiteral("Esporta SVG"), [this] { askToExport(Export::svg); });
    button("Esporta D&XF…", QStringLiteral("Esporta DXF"), [this] { askToExport(Export::dxf); });
    m_status = noteLabel(this, false);
    buttons->addWidget(m_status, 1);
    auto *page = new QVBoxLayout(this);
    page->addLayout(buttons);
    page->addWidget(splitter, 1);

    // The files first, then the layout as the eye reads it, then its drawing.
    order << m_profile << m_table;
    for (QPushButton *each : side->findChildren<QPushButton *>())
        if (each != m_otherPlace)
            order << each;
    order << m_belt << m_otherPlace << m_stock << m_belts << m_pane << m_loads->fields();
    for (qsizetype at = 1; at < order.size(); ++at)
        setTabOrder(order[at - 1], order[at]);

    QAction *undo = m_undo.createUndoAction(this);
    undo->setShortcuts(keysOf(undoKeys));
    QAction *redo = m_undo.createRedoAction(this);
    redo->setShortcuts(keysOf(redoKeys));
    addActions({undo, redo});

    connect(m_pane, &LayoutPane::selectedChanged, this, [this](int entry) {
        if (entry >= 0 && m_table->currentRow() != entry)
            m_table->setCurrentCell(entry,
                                    m_table->currentColumn() < 0 ? 0 : m_table->currentColumn());
    });
    connect(m_pane, &LayoutPane::dragStarted, this, [this] {
        m_beforeDrag = m_document;
        m_pushedTo.reset();
        m_unsure.reset();
    });
    connect(m_pane, &LayoutPane::draggedTo, this, &LayoutPage::dragTo);
    connect(m_pane, &LayoutPane::dragEnded, this, [this] {
        if (m_pushedTo)
            m_document.moveToward(static_cast<std::size_t>(m_pushedTo->first), m_pushedTo->second,
                                  cli::LayoutDocument::exactly, m_unsure, stock());
        m_pushedTo.reset();
        if (!m_document.samePlaces(m_beforeDrag))
            m_undo.push(new Change(this, m_beforeDrag, m_document));
        else
            refresh(false);
    });
    connect(m_pane, &LayoutPane::nudged, this, &LayoutPage::nudge);
    connect(&m_beltSearch, &SearchService::showBusy, this, [this](bool shown) {
        if (shown)
            setNote(m_beltsHeading, messages::searching());
    });

    apply(cli::LayoutDocument());
}

// Room for the table's columns, a travel's among them, beside the drawing: set once the page
// has its width, then the user's.
void LayoutPage::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (std::exchange(m_splitterSet, true))
        return;
    const int width = m_splitter->width() - m_splitter->handleWidth();
    m_splitter->setSizes({width * 45 / 100, width - width * 45 / 100});
}

void LayoutPage::buildTable(QWidget *side) {
    auto *column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    const auto labelled = [&](const char *label, QWidget *field, QGridLayout *grid, int row) {
        auto *caption = new QLabel(QString::fromUtf8(label), side);
        caption->setBuddy(field);
        field->setAccessibleName(caption->text().remove(u'&'));
        grid->addWidget(caption, row, 0);
        grid->addWidget(field, row, 1);
    };
    auto *top = new QGridLayout;
    m_profile = new QLineEdit(side);
    labelled("Pro&filo", m_profile, top, 0);
    column->addLayout(top);
    followTyping(m_profile, [this] {
        cli::LayoutDocument next = m_document;
        if (const std::optional<QString> problem = next.setProfile(m_profile->text())) {
            setNote(m_tableProblems, *problem);
            return;
        }
        if (next != m_document)
            change(next);
    });

    m_table = new QTableWidget(0, columns, side);
    m_table->setAccessibleName(QStringLiteral("Pulegge"));
    QStringList names;
    for (const char *heading : headings)
        names << QString::fromUtf8(heading);
    m_table->setHorizontalHeaderLabels(names);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(columns - 1, QHeaderView::Stretch);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setTabKeyNavigation(false); // Tab leaves the table; the arrows walk it
    column->addWidget(m_table, 1);
    connect(m_table, &QTableWidget::cellChanged, this, &LayoutPage::cellEdited);
    connect(m_table, &QTableWidget::currentCellChanged, this,
            [this](int row) { m_pane->select(row); });

    auto *edits = new QHBoxLayout;
    const auto button = [&](const char *label, const QString &name, auto slot) {
        auto *made = new QPushButton(QString::fromUtf8(label), side);
        made->setAccessibleName(name);
        edits->addWidget(made);
        connect(made, &QPushButton::clicked, this, slot);
    };
    button("A&ggiungi", QStringLiteral("Aggiungi una puleggia"), &LayoutPage::addEntry);
    button("&Rimuovi", QStringLiteral("Rimuovi la puleggia"), &LayoutPage::removeEntry);
    button("S&u", QStringLiteral("Sposta su"), [this] { moveEntry(-1); });
    button("Gi&ù", QStringLiteral("Sposta giù"), [this] { moveEntry(1); });
    column->addLayout(edits);
    m_tableProblems = noteLabel(side, true);
    column->addWidget(m_tableProblems);

    m_length = new QLabel(side);
    m_nearest = noteLabel(side, false);
    column->addWidget(m_length);
    column->addWidget(m_nearest);
    auto *belts = new QGridLayout;
    m_belt = new QLineEdit(side);
    m_belt->setPlaceholderText(QStringLiteral("facoltativo"));
    labelled("C&inghia", m_belt, belts, 0);
    m_otherPlace = new QPushButton(QStringLiteral("Altra p&osizione"), side);
    m_otherPlace->setAccessibleName(QStringLiteral("Altra posizione"));
    belts->addWidget(m_otherPlace, 0, 2);
    m_stock = new QLineEdit(side);
    m_stock->setPlaceholderText(QStringLiteral("facoltativo"));
    m_stock->setText(QSettings().value(QStringLiteral("elencoCinghie")).toString());
    labelled("&Elenco di cinghie", m_stock, belts, 1);
    column->addLayout(belts);
    followTyping(m_belt, [this] { chooseBelt(m_belt->text()); });
    followTyping(m_stock, [this] { refresh(false); });
    connect(m_otherPlace, &QPushButton::clicked, this, [this] {
        const std::vector<Point> places = m_document.beltPlaces(stock());
        if (places.size() < 2 || !m_document.moved())
            return;
        cli::LayoutDocument next = m_document;
        next.placeMovable(places[places[0] == *m_document.moved() ? 1 : 0]);
        change(next);
    });
    m_beltNote = noteLabel(side, false);
    column->addWidget(m_beltNote);
    m_beltsHeading = noteLabel(side, false);
    column->addWidget(m_beltsHeading);
    m_belts = new QListWidget(side);
    m_belts->setAccessibleName(QStringLiteral("Cinghie che vanno bene"));
    m_belts->hide();
    // A share of the room that the table leaves, whatever its lines.
    m_belts->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    m_belts->setMinimumHeight(3 * m_belts->fontMetrics().lineSpacing());
    column->addWidget(m_belts, 1);
    connect(m_belts, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        const QList<QVariant> at = item->data(Qt::UserRole + 1).toList();
        m_belt->setText(item->data(Qt::UserRole + 2).toString());
        cli::LayoutDocument next = m_document;
        next.chooseBelt(item->data(Qt::UserRole).toLongLong(),
                        Point{at.value(0).toDouble(), at.value(1).toDouble()}, stock());
        change(next);
    });
    connect(m_belts, &QListWidget::itemClicked, m_belts, &QListWidget::itemActivated);
}

std::optional<QString> LayoutPage::stock() const {
    const QString typed = m_stock->text().trimmed();
    return typed.isEmpty() ? std::nullopt : std::optional(typed);
}

void LayoutPage::setNote(QLabel *label, const QString &text, std::optional<bool> problem) {
    if (problem) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, *problem
                                                   ? QColor(176, 0, 32)
                                                   : this->palette().color(QPalette::WindowText));
        label->setPalette(palette);
    }
    label->setText(text);
    label->setVisible(!text.isEmpty());
}

void LayoutPage::change(const cli::LayoutDocument &document) {
    m_undo.push(new Change(this, m_document, document));
}

void LayoutPage::apply(const cli::LayoutDocument &document) {
    m_document = document;
    m_cellProblems.clear();
    fillTable();
    m_profile->setText(text(geometry::profileName(m_document.profile())));
    m_belt->setText(m_document.belt()
                        ? text(geometry::beltName(m_document.profile(), *m_document.belt()))
                        : QString());
    setNote(m_tableProblems, {});
    refresh(false);
}

// The table as the layout holds it, with the cells still wrong left as typed.
void LayoutPage::fillTable() {
    m_filling = true;
    const geometry::Layout layout = m_document.layout();
    const int current = m_table->currentRow(), currentColumn = m_table->currentColumn();
    m_table->setRowCount(static_cast<int>(layout.entries.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const auto at = static_cast<std::size_t>(row);
        const LayoutEntry &entry = layout.entries[at];
        const bool clamp = entry.kind == LayoutEntry::Kind::clamp;
        QString moves;
        if (layout.travel && layout.travel->entry == at) {
            const Travel &travel = *layout.travel;
            moves =
                travel.kind == Travel::Kind::slot
                    ? QStringLiteral("scorre %1 %2").arg(shown(travel.end.x), shown(travel.end.y))
                    : QStringLiteral("ruota %1 %2")
                          .arg(shown(travel.pivot.x), shown(travel.pivot.y));
            if (travel.kind == Travel::Kind::arm && !travel.fullTurn)
                moves +=
                    QStringLiteral(" %1:%2").arg(shown(travel.fromAngle), shown(travel.toAngle));
        }
        const QString cells[] = {m_document.records()[at].name,
                                 shown(entry.centre.x),
                                 shown(entry.centre.y),
                                 clamp ? QStringLiteral("estremo")
                                 : entry.kind == LayoutEntry::Kind::plain
                                     ? QStringLiteral("liscia ") + shown(entry.size)
                                     : shown(entry.size),
                                 entry.face == geometry::BeltFace::back ? QStringLiteral("dorso")
                                                                        : QStringLiteral("denti"),
                                 QString(),
                                 moves};
        for (int column = 0; column < columns; ++column) {
            if (m_cellProblems.contains({row, column}))
                continue;
            auto *item = new QTableWidgetItem(cells[column]);
            if (column == idlerColumn) {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
                item->setCheckState(entry.idler ? Qt::Checked : Qt::Unchecked);
            }
            m_table->setItem(row, column, item);
        }
    }
    if (current >= 0 && current < m_table->rowCount())
        m_table->setCurrentCell(current, std::max(currentColumn, 0));
    // Every entry in view, up to a dozen, beside a scroll bar that narrow columns may need:
    // past the room that the window has, the page scrolls.
    const int rows = std::clamp(m_table->rowCount(), 1, 12);
    m_table->setMinimumHeight(2 * m_table->frameWidth() +
                              m_table->horizontalHeader()->sizeHint().height() +
                              rows * m_table->verticalHeader()->defaultSectionSize() +
                              m_table->horizontalScrollBar()->sizeHint().height());
    m_filling = false;
    markCells();
}

// Each cell that is no value marked, with the reason in its tooltip and in the line under.
void LayoutPage::markCells() {
    m_filling = true;
    QStringList lines;
    for (int row = 0; row < m_table->rowCount(); ++row)
        for (int column = 0; column < columns; ++column)
            if (QTableWidgetItem *item = m_table->item(row, column)) {
                const QString problem = m_cellProblems.value({row, column});
                item->setBackground(problem.isEmpty() ? QBrush() : QBrush(QColor(255, 220, 220)));
                item->setToolTip(problem);
                if (!problem.isEmpty())
                    lines << messages::layoutCell(row + 1, columnName(column), problem);
            }
    setNote(m_tableProblems, lines.join(u'\n'));
    m_filling = false;
}

void LayoutPage::cellEdited(int row, int column) {
    if (m_filling)
        return;
    const QTableWidgetItem *item = m_table->item(row, column);
    cli::LayoutDocument next = m_document;
    const auto at = static_cast<std::size_t>(row);
    std::optional<QString> problem;
    if (column == idlerColumn)
        next.setIdler(at, item->checkState() == Qt::Checked);
    else
        problem = next.setCell(at, cli::LayoutColumn(column), item->text());
    if (problem) {
        m_cellProblems[{row, column}] = *problem;
        markCells();
        return;
    }
    m_cellProblems.remove({row, column});
    if (next == m_document) {
        markCells();
        return;
    }
    const QMap<std::pair<int, int>, QString> still = m_cellProblems;
    change(next);
    m_cellProblems = still;
    fillTable();
}

// The length, the drawing and its marks, and beside them the belts; the belts that fit the
// travel, and where the chosen belt puts the movable entry, only once a drag ends.
void LayoutPage::refresh(bool dragging) {
    const std::variant<geometry::BeltPath, geometry::LayoutFault> path = m_document.path();
    const cli::LayoutFile table = m_document.table();
    if (dragging)
        setNote(m_beltNote, {});
    else
        showBeltNote();
    if (const auto *fault = std::get_if<geometry::LayoutFault>(&path)) {
        m_faultSaid = m_document.faultProblem(*fault).message;
        setNote(m_drawingNote, m_faultSaid);
        m_pane->setPicture(pulleysAlone(m_document));
        m_length->clear();
        setNote(m_nearest, {});
        setNote(m_legend, messages::layoutKeys());
        m_loads->setNames(table);
        m_loads->clearDetails();
        if (!dragging)
            showBelts();
        return;
    }
    m_faultSaid.clear();
    setNote(m_drawingNote, m_document.stopped());
    const geometry::BeltPath &there = std::get<geometry::BeltPath>(path);
    const geometry::Layout layout = m_document.layoutThere();
    const std::vector<geometry::LayoutWarning> warnings = geometry::layoutWarnings(layout, there);
    LayoutPane::Picture picture;
    const geometry::ProfileChoice &profile = m_document.profile();
    const std::string caption = m_document.belt()
                                    ? geometry::beltName(profile, *m_document.belt())
                                    : shown(there.pitchLength, "0.00").toStdString() + " mm";
    picture.draw = [layout = table.layout, there, names = namesOf(m_document), caption,
                    moved = table.layout.travel ? m_document.moved() : std::nullopt](double text) {
        return geometry::drawLayout(layout, there, names, caption, moved, text);
    };
    for (std::size_t entry = 0; entry < layout.entries.size(); ++entry) {
        picture.centres.push_back(layout.entries[entry].centre);
        picture.radii.push_back(there.entries[entry].pitchRadius);
    }
    picture.marked.assign(layout.entries.size(), false);
    QStringList tips(static_cast<qsizetype>(layout.entries.size()));
    for (const geometry::LayoutWarning &warning : warnings) {
        picture.marked[warning.entry] = true;
        QString &tip = tips[static_cast<qsizetype>(warning.entry)];
        tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) +
               cli::warningText(table, profile, warning, QLocale());
    }
    for (int row = 0; row < m_table->rowCount(); ++row) {
        auto *header = new QTableWidgetItem(
            QString::number(row + 1) + (tips[row].isEmpty() ? QString() : QStringLiteral(" *")));
        header->setToolTip(tips[row]);
        m_table->setVerticalHeaderItem(row, header);
    }
    m_pane->setPicture(std::move(picture));
    m_length->setText(messages::layoutPitchLength(shown(there.pitchLength, "0.00")));
    setNote(m_legend, messages::layoutKeys() +
                          (warnings.empty() ? QString() : u'\n' + messages::layoutWarningLegend()));
    if (!dragging || !table.layout.travel)
        showBelts();
    m_loads->setNames(table);
    if (!dragging) // they cost as much again as the rest of a frame
        showLoads();
}

// The belt's loads on the layout as it stands, its movable entry where it is.
void LayoutPage::showLoads() {
    cli::LayoutDocument asked = m_document;
    asked.chooseBelt(std::nullopt, std::nullopt, std::nullopt);
    cli::LayoutRequest request = asked.request(std::nullopt);
    request.all = false; // the layout as it stands, its travel held: no list of belts
    cli::LayoutFile there = m_document.table();
    if (!m_loads->ask(there, request)) {
        m_loads->clearDetails();
        return;
    }
    there.layout = m_document.layoutThere();
    there.layout.travel.reset();
    m_loads->showDetails(there, request);
}

// The made belts nearest a fixed layout, or those that fit the travel, as the command line
// finds them; a fault already said under the drawing is not said again.
void LayoutPage::showBelts() {
    cli::LayoutDocument asked = m_document;
    asked.chooseBelt(std::nullopt, std::nullopt, std::nullopt);
    const cli::LayoutRequest request = asked.request(stock());
    // A long travel has many belts, each solved: off the window's thread, only the latest
    // answer shown, and the job's own copies, since closing does not wait for it.
    m_beltSearch.start(
        [document = m_document, request, locale = QLocale()](const SearchService::Stop &) {
            return document.describe(request, locale);
        },
        [this, stock = request.stock.has_value()](
            quint64, const common::Result<cli::LayoutDescription> &found) {
            showFoundBelts(found, stock);
        });
}

void LayoutPage::showFoundBelts(const common::Result<cli::LayoutDescription> &found, bool stock) {
    m_belts->clear();
    const bool travel = m_document.movable().has_value();
    const geometry::ProfileChoice &profile = m_document.profile();
    m_belts->setVisible(travel && found);
    setNote(m_beltsHeading, travel && found ? messages::layoutBeltsOnTravel(stock) : QString());
    if (!found) {
        setNote(m_nearest,
                found.problem().message == m_faultSaid ? QString() : found.problem().message);
    } else if (travel) {
        setNote(m_nearest, {});
        for (const cli::LayoutBeltRow &row : found->belts) {
            const QString belt = text(geometry::beltName(profile, row.teeth));
            auto *item = new QListWidgetItem(
                QStringLiteral("%1  (%2; %3)")
                    .arg(belt, shown(row.centre->x, "0.00"), shown(row.centre->y, "0.00")),
                m_belts);
            item->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(row.teeth));
            item->setData(Qt::UserRole + 1, QVariantList{row.centre->x, row.centre->y});
            item->setData(Qt::UserRole + 2, belt);
        }
    } else {
        QStringList nearest;
        for (const cli::LayoutBeltRow &row : found->belts)
            nearest << QStringLiteral("%1 (%2 mm)")
                           .arg(text(geometry::beltName(profile, row.teeth)),
                                cli::signedDifference(row.difference,
                                                      QLocale().decimalPoint().toStdString()));
        setNote(m_nearest, nearest.isEmpty() ? QString() : messages::layoutNearestBelts(nearest));
    }
}

// What the chosen belt does on the layout on screen.
void LayoutPage::showBeltNote() {
    const std::optional<cli::LayoutDocument::BeltNote> note =
        m_document.beltNote(stock(), QLocale());
    setNote(m_beltNote, note ? note->text : QString(), note && note->problem);
    m_otherPlace->setEnabled(note && note->places > 1);
}

void LayoutPage::chooseBelt(const QString &typed) {
    cli::LayoutDocument next = m_document;
    if (typed.trimmed().isEmpty()) {
        next.chooseBelt(std::nullopt, std::nullopt, stock());
    } else {
        const common::Result<std::int64_t> teeth = m_document.readBelt(typed, QLocale());
        if (!teeth) {
            setNote(m_beltNote, teeth.problem().message, true);
            return;
        }
        if (*teeth == m_document.belt())
            return;
        next.chooseBelt(*teeth, std::nullopt, stock());
    }
    if (next != m_document)
        change(next);
}

void LayoutPage::dragTo(int entry, Point centre) {
    // A frame affords a few solves of the belt's fit; the drag's end finds the edge exactly.
    m_document.moveToward(static_cast<std::size_t>(entry), centre, 2, m_unsure, stock());
    refresh(true);
    fillTable();
    m_pushedTo =
        m_document.stopped().isEmpty() ? std::nullopt : std::optional{std::pair{entry, centre}};
}

void LayoutPage::nudge(int entry, Point step) {
    if (entry < 0)
        return;
    cli::LayoutDocument next = m_document;
    next.nudge(static_cast<std::size_t>(entry), step, stock());
    if (!next.samePlaces(m_document)) {
        change(next);
        return;
    }
    m_document = next; // why it did not move
    refresh(false);
}

void LayoutPage::addEntry() {
    cli::LayoutDocument next = m_document;
    const int current = m_table->currentRow();
    const common::Result<std::size_t> row =
        next.add(current < 0 ? std::nullopt : std::optional(static_cast<std::size_t>(current)));
    if (!row) {
        setNote(m_tableProblems, row.problem().message, true);
        return;
    }
    change(next);
    m_table->setCurrentCell(static_cast<int>(*row), 0);
}

void LayoutPage::removeEntry() {
    const int row = m_table->currentRow();
    if (row < 0)
        return;
    cli::LayoutDocument next = m_document;
    next.remove(static_cast<std::size_t>(row));
    change(next);
}

void LayoutPage::moveEntry(int by) {
    const int row = m_table->currentRow();
    cli::LayoutDocument next = m_document;
    if (row < 0 || !next.move(static_cast<std::size_t>(row), by))
        return;
    change(next);
    m_table->setCurrentCell(row + by, std::max(m_table->currentColumn(), 0));
}

bool LayoutPage::open(const QString &file) {
    if (const std::optional<messages::NotAFile> kind = notAFile(file)) {
        setNote(m_status, messages::layoutUnreadable(file, messages::layoutOnlyFiles(*kind)), true);
        return false;
    }
    const common::Result<cli::LayoutFile> read = cli::readLayoutFile(file);
    if (!read) {
        setNote(m_status, read.problem().message, true);
        return false;
    }
    m_fileName = file;
    m_undo.clear();
    apply(cli::LayoutDocument(*read));
    m_pane->fitLayout();
    setNote(m_status, messages::layoutFileOpened(QFileInfo(file).fileName()), false);
    return true;
}

bool LayoutPage::save(const QString &file) {
    const std::optional<common::Problem> problem =
        common::writeFile(file, cli::layoutFileText(m_document.file()), messages::layoutNotWritten);
    setNote(m_status,
            problem ? problem->message : messages::layoutFileSaved(QFileInfo(file).fileName()),
            problem.has_value());
    if (!problem) {
        m_fileName = file;
        m_undo.setClean();
    }
    return !problem;
}

bool LayoutPage::exportTo(const QString &file, Export kind) {
    cli::LayoutRequest request = m_document.request(stock());
    if (kind == Export::svg)
        request.svg = file;
    if (kind == Export::dxf)
        request.dxf = file;
    const QLocale locale;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextStream out(&buffer);
    QString warnings;
    QTextStream err(&warnings);
    // Said in the table's words; written with the names that the file keeps.
    const common::Result<cli::LayoutDescription> described = m_document.describe(request, locale);
    const common::Result<common::ExitStatus> answered = cli::answerLayout(
        described ? cli::describeLayout(m_document.file(), request, locale) : described, request,
        out, err, kind == Export::csv, locale);
    out.flush();
    std::optional<common::Problem> problem;
    if (!answered)
        problem = answered.problem();
    else if (kind == Export::csv)
        problem = common::writeFile(file, bytes, messages::tableNotWritten);
    setNote(m_status,
            problem ? problem->message : messages::layoutFileSaved(QFileInfo(file).fileName()),
            problem.has_value());
    return !problem;
}

bool LayoutPage::mayDropEdits() {
    if (m_undo.isClean())
        return true;
    QMessageBox question(QMessageBox::Question, QString(), messages::layoutUnsavedQuestion(),
                         QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    question.setInformativeText(messages::layoutUnsavedDetail());
    question.button(QMessageBox::Save)->setText(QStringLiteral("&Salva"));
    question.button(QMessageBox::Discard)->setText(QStringLiteral("&Non salvare"));
    question.button(QMessageBox::Cancel)->setText(QStringLiteral("Annulla"));
    question.setDefaultButton(QMessageBox::Save);
    switch (question.exec()) {
    case QMessageBox::Save:
        return m_fileName.isEmpty() ? askToSave() : save(m_fileName);
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void LayoutPage::askToOpen() {
    if (!mayDropEdits())
        return;
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Apri disposizione"),
                                                      m_fileName, messages::layoutFileFilter());
    if (!file.isEmpty())
        open(file);
}

bool LayoutPage::askToSave() {
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("Salva disposizione"),
        m_fileName.isEmpty() ? QStringLiteral("disposizione.trasmissione") : m_fileName,
        messages::layoutFileFilter());
    return !file.isEmpty() && save(file);
}

void LayoutPage::askToExport(Export kind) {
    const char *extension = kind == Export::csv ? "csv" : kind == Export::svg ? "svg" : "dxf";
    const QString base = m_fileName.isEmpty() ? QStringLiteral("disposizione")
                                              : QFileInfo(m_fileName).completeBaseName();
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("Esporta"), base + u'.' + QLatin1String(extension),
        QStringLiteral("%1 (*.%2)")
            .arg(QString::fromLatin1(extension).toUpper(), QLatin1String(extension)));
    if (!file.isEmpty())
        exportTo(file, kind);
}

} // namespace designer
