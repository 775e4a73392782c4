#include "designer/layout_page.h"

#include "cli/arguments.h"
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
#include <cmath>
#include <numbers>

#include <sys/stat.h>

namespace designer {

namespace {

using geometry::LayoutEntry;
using geometry::Point;
using geometry::Travel;

enum Column {
    nameColumn,
    xColumn,
    yColumn,
    sizeColumn,
    sideColumn,
    idlerColumn,
    travelColumn,
    columns
};
const char *const headings[] = {"Nome", "x (mm)", "y (mm)",  "Denti o\ndiametro",
                                "Lato", "Folle",  "Si muove"};
// A column as sentences name it, on one line.
QString columnName(int column) {
    return QString::fromUtf8(headings[column]).replace(u'\n', u' ');
}
// A step of the undo stack: the page before and after one drag or one edit.
class Change : public QUndoCommand {
public:
    Change(LayoutPage *page, LayoutState before, LayoutState after)
        : m_page(page), m_before(std::move(before)), m_after(std::move(after)) {}
    void undo() override { m_page->apply(m_before); }
    void redo() override { m_page->apply(m_after); }

private:
    LayoutPage *m_page;
    LayoutState m_before, m_after;
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

std::optional<double> number(const QString &typed) {
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool read = false;
    const double value = locale.toDouble(typed.trimmed(), &read);
    return read && std::isfinite(value) ? std::optional(value) : std::nullopt;
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

// The layout at the page's places: the movable entry where it stands.
geometry::Layout layoutThere(const LayoutState &state) {
    geometry::Layout there = state.file.layout;
    if (state.moved && there.travel)
        there.entries[there.travel->entry].centre = *state.moved;
    return there;
}

std::variant<geometry::BeltPath, geometry::LayoutFault> pathOf(const LayoutState &state) {
    return geometry::beltPath(layoutThere(state));
}

// The point of the travel nearest a point asked.
Point onTravel(const geometry::Layout &layout, Point asked) {
    const Travel &travel = *layout.travel;
    const Point start = layout.entries[travel.entry].centre;
    if (travel.kind == Travel::Kind::slot) {
        const double dx = travel.end.x - start.x, dy = travel.end.y - start.y;
        const double length = dx * dx + dy * dy;
        const double along =
            length > 0 ? std::clamp(((asked.x - start.x) * dx + (asked.y - start.y) * dy) / length,
                                    0.0, 1.0)
                       : 0;
        return {start.x + along * dx, start.y + along * dy};
    }
    const double arm = std::hypot(start.x - travel.pivot.x, start.y - travel.pivot.y);
    double angle =
        std::atan2(asked.y - travel.pivot.y, asked.x - travel.pivot.x) * 180 / std::numbers::pi;
    if (!travel.fullTurn) {
        const double range = std::fmod(travel.toAngle - travel.fromAngle + 720, 360);
        const double from = std::fmod(angle - travel.fromAngle + 720, 360);
        if (from > range)
            angle = travel.fromAngle + (from - range < 360 - from ? range : 0);
    }
    const double radians = angle * std::numbers::pi / 180;
    return {travel.pivot.x + arm * std::cos(radians), travel.pivot.y + arm * std::sin(radians)};
}

// With a belt chosen, the movable entry sent to the fit nearest where it stands; false where
// the belt fits nowhere, and the entry left.
bool fitBelt(LayoutState &state) {
    const geometry::Layout &layout = state.file.layout;
    if (!state.belt || !layout.travel)
        return true;
    const Point now = state.moved.value_or(layout.entries[layout.travel->entry].centre);
    const std::vector<geometry::Placement> fits = geometry::placementsForLength(
        layout, static_cast<double>(*state.belt) * layout.profile->pitch);
    if (fits.empty())
        return false;
    state.moved = std::ranges::min(fits, {}, [&](const geometry::Placement &fit) {
                      return std::hypot(fit.centre.x - now.x, fit.centre.y - now.y);
                  }).centre;
    return true;
}

// The entry asked to a centre, a movable one held to its travel; with fit, false where the belt
// chosen then fits nowhere. Without, the movable entry stays where it stands.
bool place(LayoutState &state, int entry, Point centre, bool fit = true) {
    geometry::Layout &layout = state.file.layout;
    const auto at = static_cast<std::size_t>(entry);
    if (layout.travel && layout.travel->entry == at) {
        state.moved = onTravel(layout, centre);
        return true;
    }
    // To the hundredth that the table shows and the file keeps.
    layout.entries[at].centre = {std::round(centre.x * 100) / 100,
                                 std::round(centre.y * 100) / 100};
    return !fit || fitBelt(state);
}

} // namespace

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
    undo->setShortcut(QKeySequence::Undo);
    QAction *redo = m_undo.createRedoAction(this);
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence::Redo});
    addActions({undo, redo});

    connect(m_pane, &LayoutPane::selectedChanged, this, [this](int entry) {
        if (entry >= 0 && m_table->currentRow() != entry)
            m_table->setCurrentCell(entry,
                                    m_table->currentColumn() < 0 ? 0 : m_table->currentColumn());
    });
    connect(m_pane, &LayoutPane::dragStarted, this, [this] {
        m_beforeDrag = m_state;
        m_stopped.clear();
        m_pushedTo.reset();
        m_unsure.reset();
    });
    connect(m_pane, &LayoutPane::draggedTo, this, &LayoutPage::dragTo);
    connect(m_pane, &LayoutPane::dragEnded, this, [this] {
        if (m_pushedTo)
            moveTowards(m_pushedTo->first, m_pushedTo->second, exactly);
        m_pushedTo.reset();
        if (m_state.file.layout != m_beforeDrag.file.layout || m_state.moved != m_beforeDrag.moved)
            m_undo.push(new Change(this, m_beforeDrag, m_state));
        else
            refresh(false);
    });
    connect(m_pane, &LayoutPane::nudged, this, &LayoutPage::nudge);
    connect(&m_beltSearch, &SearchService::showBusy, this, [this](bool shown) {
        if (shown)
            setNote(m_beltsHeading, messages::searching());
    });

    // A loop of two pulleys to start from.
    LayoutState start;
    start.profile = *geometry::readProfile("GT2");
    start.file.profile = start.profile;
    start.file.layout.profile = start.profile.profile;
    start.file.layout.entries = {{LayoutEntry::Kind::toothed, {0, 0}, 20},
                                 {LayoutEntry::Kind::toothed, {150, 0}, 60}};
    start.file.names = {QStringLiteral("motore"), QStringLiteral("condotta")};
    start.file.lines = {0, 0};
    apply(start);
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
        const std::optional<geometry::ProfileChoice> read =
            geometry::readProfile(m_profile->text().trimmed().toStdString());
        if (!read || !geometry::hasValidWidth(*read)) {
            setNote(m_tableProblems, messages::layoutUnknownProfile(m_profile->text().trimmed()));
            return;
        }
        if (read->profile == m_state.profile.profile && read->width == m_state.profile.width)
            return;
        LayoutState next = m_state;
        next.profile = *read;
        next.file.profile = *read;
        next.file.layout.profile = read->profile;
        next.belt.reset();
        next.moved.reset();
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
        if (m_places.size() < 2 || !m_state.moved)
            return;
        LayoutState next = m_state;
        next.moved =
            m_places[m_places[0].x == m_state.moved->x && m_places[0].y == m_state.moved->y ? 1
                                                                                            : 0];
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
        placeOnBelt(item->data(Qt::UserRole).toLongLong(),
                    Point{at.value(0).toDouble(), at.value(1).toDouble()});
    });
    connect(m_belts, &QListWidget::itemClicked, m_belts, &QListWidget::itemActivated);
}

// What the command line is asked for the page's layout: its belt, if chosen, and stock list.
cli::LayoutRequest LayoutPage::beltRequest(const LayoutState &state) const {
    cli::LayoutRequest request;
    request.file = m_fileName.isEmpty() ? messages::layoutTableName() : m_fileName;
    request.profile = state.profile;
    if (state.belt)
        request.belt = cli::LayoutBelt{text(geometry::beltName(state.profile, *state.belt)), 0,
                                       state.profile.profile, *state.belt};
    if (!m_stock->text().trimmed().isEmpty())
        request.stock = m_stock->text().trimmed();
    return request;
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

void LayoutPage::change(const LayoutState &state) {
    m_undo.push(new Change(this, m_state, state));
}

void LayoutPage::apply(const LayoutState &state) {
    m_state = state;
    m_cellProblems.clear();
    fillTable();
    m_profile->setText(text(geometry::profileName(m_state.profile)));
    m_belt->setText(m_state.belt ? text(geometry::beltName(m_state.profile, *m_state.belt))
                                 : QString());
    setNote(m_tableProblems, {});
    refresh(false);
}

// The table as the layout holds it, with the cells still wrong left as typed.
void LayoutPage::fillTable() {
    m_filling = true;
    const geometry::Layout &layout = m_state.file.layout;
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
        const QString cells[] = {m_state.file.names.value(row),
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
    m_stopped.clear();
    const QTableWidgetItem *item = m_table->item(row, column);
    const QString typed = item->text().trimmed();
    const QStringList words = typed.split(u' ', Qt::SkipEmptyParts);
    LayoutState next = m_state;
    cli::LayoutFile &file = next.file;
    const auto at = static_cast<std::size_t>(row);
    LayoutEntry &entry = file.layout.entries[at];
    const QString separator = QLocale().decimalPoint();
    QString problem;
    const auto read = [&](const QString &word, double &into) {
        const std::optional<double> value = number(word);
        if (!value && problem.isEmpty())
            problem = messages::notANumber(columnName(column), separator);
        if (value)
            into = *value;
    };
    switch (column) {
    case nameColumn: {
        if (!cli::isLayoutName(typed))
            problem = messages::layoutBadName();
        else if (const qsizetype first = file.names.indexOf(typed); first >= 0 && first != row)
            problem = messages::layoutNameTwice(typed, static_cast<int>(first) + 1);
        else
            file.names[row] = typed;
        break;
    }
    case xColumn:
        read(typed, entry.centre.x);
        break;
    case yColumn:
        read(typed, entry.centre.y);
        break;
    case sizeColumn:
        if (typed == QLatin1String("estremo")) {
            entry = {LayoutEntry::Kind::clamp, entry.centre, 0};
        } else if (words.size() == 2 && words[0] == QLatin1String("liscia")) {
            entry.kind = LayoutEntry::Kind::plain;
            read(words[1], entry.size);
        } else if (words.size() == 1 && number(typed)) {
            entry.kind = LayoutEntry::Kind::toothed;
            read(typed, entry.size);
        } else {
            problem = messages::layoutSizeForm();
        }
        break;
    case sideColumn:
        if (typed == QLatin1String("denti") || typed == QLatin1String("dorso"))
            entry.face = typed == QLatin1String("dorso") ? geometry::BeltFace::back
                                                         : geometry::BeltFace::teeth;
        else
            problem = messages::layoutSideForm();
        break;
    case idlerColumn:
        entry.idler = item->checkState() == Qt::Checked;
        break;
    case travelColumn: {
        std::optional<Travel> &moving = file.layout.travel;
        next.moved.reset();
        if (words.isEmpty()) {
            if (moving && moving->entry == at)
                moving.reset();
            break;
        }
        if (moving && moving->entry != at) {
            problem = messages::layoutTwoMovable(static_cast<int>(moving->entry) + 1);
            break;
        }
        Travel made;
        made.entry = at;
        if (words.size() == 3 && words[0] == QLatin1String("scorre")) {
            made.kind = Travel::Kind::slot;
            read(words[1], made.end.x);
            read(words[2], made.end.y);
        } else if ((words.size() == 3 || words.size() == 4) && words[0] == QLatin1String("ruota")) {
            made.kind = Travel::Kind::arm;
            read(words[1], made.pivot.x);
            read(words[2], made.pivot.y);
            made.fullTurn = words.size() == 3;
            if (words.size() == 4) {
                const QStringList range = words[3].split(u':');
                if (range.size() != 2)
                    problem = messages::layoutBadAngles(words[3]);
                else {
                    read(range[0], made.fromAngle);
                    read(range[1], made.toAngle);
                }
            }
        } else {
            problem = messages::layoutTravelForm();
        }
        moving = made;
        break;
    }
    default:
        break;
    }
    if (!problem.isEmpty()) {
        m_cellProblems[{row, column}] = problem;
        markCells();
        return;
    }
    m_cellProblems.remove({row, column});
    if (next.file.layout == m_state.file.layout && next.file.names == m_state.file.names) {
        markCells();
        return;
    }
    fitBelt(next);
    const QMap<std::pair<int, int>, QString> still = m_cellProblems;
    change(next);
    m_cellProblems = still;
    fillTable();
}

// The length, the drawing and its marks, and beside them the belts; the belts that fit the
// travel only once a drag ends.
void LayoutPage::refresh(bool dragging) {
    const std::variant<geometry::BeltPath, geometry::LayoutFault> path = pathOf(m_state);
    const cli::LayoutFile &file = m_state.file;
    if (const auto *fault = std::get_if<geometry::LayoutFault>(&path)) {
        cli::LayoutFile rows = file;
        for (std::size_t entry = 0; entry < rows.lines.size(); ++entry)
            rows.lines[entry] = static_cast<int>(entry) + 1;
        setNote(
            m_drawingNote,
            cli::faultProblem(rows, messages::layoutTableName(), m_state.profile, *fault).message);
        m_pane->setPicture(std::nullopt);
        m_length->clear();
        setNote(m_nearest, {});
        setNote(m_legend, messages::layoutKeys());
        m_loads->setNames(file);
        m_loads->clearDetails();
        if (!dragging)
            showBelts();
        return;
    }
    setNote(m_drawingNote, m_stopped);
    const geometry::BeltPath &there = std::get<geometry::BeltPath>(path);
    const geometry::Layout layout = layoutThere(m_state);
    const std::vector<geometry::LayoutWarning> warnings = geometry::layoutWarnings(layout, there);
    std::vector<std::string> names;
    for (const QString &each : file.names)
        names.push_back(each.toStdString());
    LayoutPane::Picture picture;
    const std::string caption = m_state.belt
                                    ? geometry::beltName(m_state.profile, *m_state.belt)
                                    : shown(there.pitchLength, "0.00").toStdString() + " mm";
    picture.drawing = geometry::drawLayout(file.layout, there, names, caption,
                                           file.layout.travel ? m_state.moved : std::nullopt);
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
               cli::warningText(file, m_state.profile, warning, QLocale());
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
    if (!dragging || !file.layout.travel)
        showBelts();
    m_loads->setNames(file);
    if (!dragging) // they cost as much again as the rest of a frame
        showLoads();
}

// The belt's loads on the layout as it stands, its movable entry where it is.
void LayoutPage::showLoads() {
    LayoutState asked = m_state;
    asked.belt.reset();
    cli::LayoutRequest request = beltRequest(asked);
    request.stock.reset();
    if (!m_loads->ask(m_state.file, request)) {
        m_loads->clearDetails();
        return;
    }
    cli::LayoutFile there = m_state.file;
    there.layout = layoutThere(m_state);
    there.layout.travel.reset();
    m_loads->showDetails(there, request);
}

// The made belts nearest a fixed layout, or those that fit the travel, as the command line
// finds them; where the chosen belt puts the movable entry.
void LayoutPage::showBelts() {
    LayoutState asked = m_state;
    asked.belt.reset();
    const cli::LayoutRequest request = beltRequest(asked);
    m_otherPlace->setEnabled(m_state.belt && m_state.file.layout.travel && m_places.size() > 1);
    // A long travel has many belts, each solved: off the window's thread, only the latest
    // answer shown, and the job's own copies, since closing does not wait for it.
    m_beltSearch.start(
        [file = m_state.file, request, locale = QLocale()](const SearchService::Stop &) {
            return cli::describeLayout(file, request, locale);
        },
        [this, stock = request.stock.has_value()](
            quint64, const common::Result<cli::LayoutDescription> &found) {
            showFoundBelts(found, stock);
        });
}

void LayoutPage::showFoundBelts(const common::Result<cli::LayoutDescription> &found, bool stock) {
    m_belts->clear();
    const bool travel = m_state.file.layout.travel.has_value();
    m_belts->setVisible(travel && found);
    setNote(m_beltsHeading, travel && found ? messages::layoutBeltsOnTravel(stock) : QString());
    if (!found) {
        setNote(m_nearest, found.problem().message);
    } else if (travel) {
        setNote(m_nearest, {});
        for (const cli::LayoutBeltRow &row : found->belts) {
            const QString belt = text(geometry::beltName(m_state.profile, row.teeth));
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
                           .arg(text(geometry::beltName(m_state.profile, row.teeth)),
                                cli::signedDifference(row.difference,
                                                      QLocale().decimalPoint().toStdString()));
        setNote(m_nearest, nearest.isEmpty() ? QString() : messages::layoutNearestBelts(nearest));
    }
}

void LayoutPage::chooseBelt(const QString &typed) {
    if (typed.trimmed().isEmpty()) {
        setNote(m_beltNote, {});
        if (m_state.belt) {
            LayoutState next = m_state;
            next.belt.reset();
            change(next);
        }
        return;
    }
    const common::Result<cli::LayoutBelt> belt = cli::readLayoutBelt(typed, QLocale());
    if (!belt) {
        setNote(m_beltNote, belt.problem().message, true);
        return;
    }
    std::int64_t teeth = belt->teeth;
    const QString profile = text(geometry::profileName(m_state.profile));
    if (belt->profile && belt->profile != m_state.profile.profile) {
        setNote(m_beltNote,
                messages::layoutBeltOfOtherProfile(belt->text,
                                                   text(std::string(belt->profile->name)), profile),
                true);
        return;
    }
    if (!belt->profile) {
        const std::vector<std::int64_t> found =
            geometry::teethOfCode(*m_state.profile.profile, belt->code);
        if (found.empty()) {
            setNote(m_beltNote, messages::layoutNoSuchBelt(profile, belt->text, std::nullopt),
                    true);
            return;
        }
        teeth = found.front();
    }
    if (teeth != m_state.belt)
        placeOnBelt(teeth, std::nullopt);
}

// The belt chosen: the movable entry sent to the fit nearest a place (where it stands, unless
// told), or left where it is with the reason when the belt fits nowhere.
void LayoutPage::placeOnBelt(std::int64_t teeth, std::optional<Point> at) {
    LayoutState next = m_state;
    next.belt = teeth;
    m_places.clear();
    setNote(m_beltNote, {});
    const common::Result<cli::LayoutDescription> found =
        cli::describeLayout(m_state.file, beltRequest(next), QLocale());
    if (!found) {
        setNote(m_beltNote, found.problem().message, true);
    } else if (found->misfit) {
        setNote(m_beltNote, *found->misfit, true);
    } else if (m_state.file.layout.travel) {
        for (const cli::LayoutPlace &place : found->places)
            m_places.push_back(*place.moved);
        const geometry::Layout &layout = m_state.file.layout;
        const Point now =
            at.value_or(m_state.moved.value_or(layout.entries[layout.travel->entry].centre));
        next.moved = std::ranges::min(m_places, {}, [&](Point place) {
            return std::hypot(place.x - now.x, place.y - now.y);
        });
    }
    change(next);
    if (next.moved && m_places.size() > 0) {
        const auto index =
            std::ranges::find_if(
                m_places,
                [&](Point place) { return place.x == next.moved->x && place.y == next.moved->y; }) -
            m_places.begin();
        setNote(m_beltNote,
                messages::layoutBeltPlace(text(geometry::beltName(m_state.profile, teeth)),
                                          shown(next.moved->x, "0.00"),
                                          shown(next.moved->y, "0.00"), static_cast<int>(index) + 1,
                                          static_cast<int>(m_places.size())),
                false);
        m_otherPlace->setEnabled(m_places.size() > 1);
    }
}

void LayoutPage::dragTo(int entry, Point centre) {
    // A frame affords a few solves of the belt's fit; the drag's end finds the edge exactly.
    moveTowards(entry, centre, 2);
    m_pushedTo = m_stopped.isEmpty() ? std::nullopt : std::optional{std::pair{entry, centre}};
}

void LayoutPage::moveTowards(int entry, Point centre, int wholeTries) {
    if (entry < 0)
        return;
    // From a layout that cannot be built there is no last buildable place to stop at.
    const bool buildable = std::holds_alternative<geometry::BeltPath>(pathOf(m_state));
    const auto at = static_cast<std::size_t>(entry);
    const geometry::Layout &layout = m_state.file.layout;
    const bool movable = layout.travel && layout.travel->entry == at;
    const Point from =
        movable ? m_state.moved.value_or(layout.entries[at].centre) : layout.entries[at].centre;
    LayoutState next = m_state;
    const bool placed = place(next, entry, centre);
    if (!buildable || (placed && std::holds_alternative<geometry::BeltPath>(pathOf(next)))) {
        m_unsure.reset();
        m_state = next;
        refresh(true);
        fillTable();
        return;
    }
    // The last buildable place on the way from where it stands, by halving the step to the
    // hundredth of a millimetre that the table shows. A whole try solves the belt's fit again and
    // costs a tenth of a frame: the way is halved first on the layout alone, the movable entry
    // held, which finds where the belt would leave a pulley or cross itself; only where the belt
    // then fits no more is it halved whole, at most wholeTries times.
    const auto builds = [&](double share, bool fit) {
        LayoutState tried = m_state;
        return place(tried, entry,
                     {from.x + share * (centre.x - from.x), from.y + share * (centre.y - from.y)},
                     fit) &&
               std::holds_alternative<geometry::BeltPath>(pathOf(tried));
    };
    constexpr double resolution = 0.01; // mm
    const double distance = std::hypot(centre.x - from.x, centre.y - from.y);
    const auto halve = [&](double &good, double &bad, bool fit, int tries) {
        while ((bad - good) * distance > resolution && tries-- > 0) {
            const double half = (good + bad) / 2;
            (builds(half, fit) ? good : bad) = half;
        }
    };
    double good = 0, bad = 1;
    // Pushed on from where it last stopped, the edge lies within what that stop left unsure:
    // tried there first, the stop closes in on the edge frame by frame, and a pulley at the edge
    // costs one try.
    if (m_unsure && distance > resolution) {
        const double near = std::min(1.0, std::max(*m_unsure, resolution) / distance);
        (builds(near, true) ? good : bad) = near;
    }
    if ((bad - good) * distance > resolution) {
        double alone = good, unbuilt = bad;
        if (!builds(unbuilt, false))
            halve(alone, unbuilt, false, exactly);
        else
            alone = unbuilt; // the belt's fit stops it, not the layout
        if (alone < bad && alone > good && builds(alone, true)) {
            good = alone;
            bad = unbuilt;
        } else {
            bad = std::max(alone, good + resolution / distance);
            halve(good, bad, true, wholeTries);
        }
    }
    LayoutState stopped = m_state;
    if (good > 0)
        place(stopped, entry,
              {from.x + good * (centre.x - from.x), from.y + good * (centre.y - from.y)});
    // Why it stops: the fault just past the place, or a belt that fits nowhere, which the
    // description finds as it fits the belt.
    LayoutState past = stopped;
    const Point beyond{from.x + bad * (centre.x - from.x), from.y + bad * (centre.y - from.y)};
    QString why;
    place(past, entry, beyond, false);
    const std::variant<geometry::BeltPath, geometry::LayoutFault> faulty = pathOf(past);
    if (const auto *fault = std::get_if<geometry::LayoutFault>(&faulty)) {
        why =
            cli::faultProblem(past.file, messages::layoutTableName(), past.profile, *fault).message;
    } else {
        const common::Result<cli::LayoutDescription> found =
            cli::describeLayout(past.file, beltRequest(past), QLocale());
        if (!found)
            why = found.problem().message;
    }
    m_state = stopped;
    refresh(true);
    fillTable();
    m_unsure = (bad - good) * distance;
    m_stopped = why.isEmpty() ? QString() : messages::layoutDragStopped(why);
    setNote(m_drawingNote, m_stopped);
}

void LayoutPage::nudge(int entry, Point step) {
    const auto at = static_cast<std::size_t>(entry);
    const geometry::Layout &layout = m_state.file.layout;
    Point asked{layout.entries[at].centre.x + step.x, layout.entries[at].centre.y + step.y};
    if (layout.travel && layout.travel->entry == at) {
        // Along the travel: right and up forward, left and down back.
        const Travel &travel = *layout.travel;
        const Point now = m_state.moved.value_or(layout.entries[at].centre);
        const double by = step.x + step.y;
        if (travel.kind == Travel::Kind::slot) {
            const Point start = layout.entries[at].centre;
            const double length = std::hypot(travel.end.x - start.x, travel.end.y - start.y);
            if (length == 0)
                return;
            asked = {now.x + by * (travel.end.x - start.x) / length,
                     now.y + by * (travel.end.y - start.y) / length};
        } else {
            const double arm = std::hypot(now.x - travel.pivot.x, now.y - travel.pivot.y);
            const double angle =
                std::atan2(now.y - travel.pivot.y, now.x - travel.pivot.x) + by / arm;
            asked = {travel.pivot.x + arm * std::cos(angle),
                     travel.pivot.y + arm * std::sin(angle)};
        }
    }
    m_beforeDrag = m_state;
    m_stopped.clear();
    m_unsure.reset();
    moveTowards(entry, asked, exactly);
    LayoutState moved = m_state;
    if (moved.file.layout != m_beforeDrag.file.layout || moved.moved != m_beforeDrag.moved) {
        m_state = m_beforeDrag;
        change(moved);
    }
}

void LayoutPage::addEntry() {
    LayoutState next = m_state;
    cli::LayoutFile &file = next.file;
    const int row = m_table->currentRow() < 0 ? static_cast<int>(file.layout.entries.size()) - 1
                                              : m_table->currentRow();
    const auto after = static_cast<std::size_t>(row + 1);
    LayoutEntry entry = file.layout.entries[static_cast<std::size_t>(row)];
    entry = {LayoutEntry::Kind::toothed, {entry.centre.x + 50, entry.centre.y}, 20};
    file.layout.entries.insert(file.layout.entries.begin() + static_cast<std::ptrdiff_t>(after),
                               entry);
    int count = 1;
    while (file.names.contains(QStringLiteral("puleggia%1").arg(count)))
        ++count;
    file.names.insert(row + 1, QStringLiteral("puleggia%1").arg(count));
    file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(after), 0);
    if (file.comments.size() > row + 1)
        file.comments.insert(row + 1, QString());
    if (file.above.size() > after)
        file.above.insert(file.above.begin() + static_cast<std::ptrdiff_t>(after), {});
    if (file.layout.travel && file.layout.travel->entry >= after)
        ++file.layout.travel->entry;
    change(next);
    m_table->setCurrentCell(row + 1, 0);
}

void LayoutPage::removeEntry() {
    const int row = m_table->currentRow();
    if (row < 0)
        return;
    LayoutState next = m_state;
    cli::LayoutFile &file = next.file;
    const auto at = static_cast<std::size_t>(row);
    file.layout.entries.erase(file.layout.entries.begin() + row);
    file.names.removeAt(row);
    file.lines.erase(file.lines.begin() + row);
    // A comment goes with its entry; the lines above it stay above the next.
    if (file.comments.size() > row)
        file.comments.removeAt(row);
    if (file.above.size() > at) {
        if (file.above.size() > at + 1)
            file.above[at + 1].insert(file.above[at + 1].begin(), file.above[at].begin(),
                                      file.above[at].end());
        file.above.erase(file.above.begin() + row);
    }
    if (std::optional<Travel> &travel = file.layout.travel; travel && travel->entry == at) {
        travel.reset();
        next.moved.reset();
    } else if (travel && travel->entry > at) {
        --travel->entry;
    }
    change(next);
}

void LayoutPage::moveEntry(int by) {
    const int row = m_table->currentRow(), to = row + by;
    if (row < 0 || to < 0 || to >= m_table->rowCount())
        return;
    LayoutState next = m_state;
    cli::LayoutFile &file = next.file;
    std::swap(file.layout.entries[static_cast<std::size_t>(row)],
              file.layout.entries[static_cast<std::size_t>(to)]);
    file.names.swapItemsAt(row, to);
    std::swap(file.lines[static_cast<std::size_t>(row)], file.lines[static_cast<std::size_t>(to)]);
    if (file.comments.size() > std::max(row, to))
        file.comments.swapItemsAt(row, to);
    if (std::optional<Travel> &travel = file.layout.travel; travel) {
        if (travel->entry == static_cast<std::size_t>(row))
            travel->entry = static_cast<std::size_t>(to);
        else if (travel->entry == static_cast<std::size_t>(to))
            travel->entry = static_cast<std::size_t>(row);
    }
    change(next);
    m_table->setCurrentCell(to, std::max(m_table->currentColumn(), 0));
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
    LayoutState next;
    next.file = *read;
    next.profile = read->profile ? *read->profile : *geometry::readProfile("XL037");
    next.file.layout.profile = next.profile.profile;
    m_fileName = file;
    m_stopped.clear();
    m_places.clear();
    setNote(m_beltNote, {});
    m_undo.clear();
    apply(next);
    setNote(m_status, messages::layoutFileOpened(QFileInfo(file).fileName()), false);
    return true;
}

bool LayoutPage::save(const QString &file) {
    const std::optional<common::Problem> problem =
        common::writeFile(file, cli::layoutFileText(m_state.file), messages::layoutNotWritten);
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
    cli::LayoutRequest request = beltRequest(m_state);
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
    const common::Result<common::ExitStatus> answered =
        cli::answerLayout(cli::describeLayout(m_state.file, request, locale), request, out, err,
                          kind == Export::csv, locale);
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
