#include "designer/designer_window.h"

#include "cli/belt_lists.h"
#include "cli/design_search.h"
#include "cli/loads.h"
#include "cli/one_belt.h"
#include "cli/writer.h"
#include "common/messages.h"
#include "common/output_file.h"
#include "designer/drive_drawing.h"
#include "designer/drive_table.h"
#include "designer/layout_page.h"
#include "designer/load_fields.h"
#include "designer/note_label.h"
#include "desktop/window_icon.h"
#include "geometry/belt_search.h"
#include "geometry/drawing.h"
#include "geometry/loads.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTextStream>
#include <QVBoxLayout>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace designer {

namespace {

// The profiles by family, as the makers' catalogues group them.
struct Family {
    const char *title;
    geometry::BeltFamily family;
};
constexpr Family families[] = {
    {"Trapezoidali in pollici", geometry::BeltFamily::inchTrapezoidal},
    {"Trapezoidali metriche", geometry::BeltFamily::metricTrapezoidal},
    {"Metriche a dente largo", geometry::BeltFamily::metricWideTooth},
    {"Curvilinee", geometry::BeltFamily::curvilinear},
    {"Curvilinee GT", geometry::BeltFamily::gt},
};

const QString settingsStockList = QStringLiteral("elencoCinghie");

// The stock list remembered, taken over once from where the program kept it before it named
// its maker: Qt's folder for a program without one.
QString rememberedStockList() {
    QSettings settings;
    if (!settings.contains(settingsStockList)) {
        const QSettings before(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                QStringLiteral("/Unknown Organization/Interasse.conf"),
            QSettings::IniFormat);
        if (before.contains(settingsStockList))
            settings.setValue(settingsStockList, before.value(settingsStockList));
    }
    return settings.value(settingsStockList).toString();
}

// A command as a terminal takes it: an argument with spaces in quotes.
QString asTyped(const QStringList &arguments) {
    QStringList words{QStringLiteral("interasse")};
    for (const QString &argument : arguments)
        words << (argument.contains(u' ') ? u'\'' + argument + u'\'' : argument);
    return words.join(u' ');
}

// A drive described as the command line describes it; a tension or a frequency that needs a
// mass which the profile, named without its width, does not give is left out, and what it needs
// said after the other lines.
common::Result<cli::DriveDescription> describeWithoutMass(cli::OneBeltRequest request,
                                                          const QLocale &locale) {
    QString needs;
    if (!cli::loadMass(request.loads, request.profile)) {
        needs = messages::fieldMassUnknown(headingOf(LoadField::mass),
                                           cli::massExample(*request.profile.profile));
        request.loads.tension.reset();
        request.loads.frequency.reset();
    }
    common::Result<cli::DriveDescription> described = cli::describeDrive(request, locale);
    if (described && !needs.isEmpty())
        (*described).complaints << needs;
    return described;
}

// A drive already chosen, as its one row: what the command line says of it, or why it has no
// geometry.
common::Result<Drives> chosenDrive(const cli::OneBeltRequest &request, const QLocale &locale) {
    const common::Result<cli::DriveDescription> described = describeWithoutMass(request, locale);
    if (!described)
        return described.problem();
    if (!described->drive)
        return common::Problem{described->complaints.join(u'\n'),
                               common::ExitStatus::calculationFailed};
    const double larger = request.pulleys.larger, smaller = request.pulleys.smaller;
    return Drives{
        {{static_cast<std::int64_t>(larger), static_cast<std::int64_t>(smaller), larger / smaller,
          geometry::beltWithTeeth(larger, smaller, *request.profile.profile,
                                  described->beltTeeth)}},
        std::nullopt,
        request.profile,
        false,
        std::nullopt};
}

// The drives that the request asks for, found as the command line finds them.
common::Result<Drives> findDrives(const Asked &request, const std::atomic<bool> *stop,
                                  const QLocale &locale) {
    if (const auto *design = std::get_if<cli::DesignRequest>(&request))
        return cli::findDesigns(*design, stop, messages::Reader::window);
    if (const auto *one = std::get_if<cli::OneBeltRequest>(&request))
        return chosenDrive(*one, locale);
    return cli::findBelts(std::get<cli::BeltListRequest>(request), stop, messages::Reader::window);
}

// A page that scrolls rather than hold the window wider or taller than its screen, or squeeze
// its labels and tables; a control that takes the focus, by Tab or by its Alt key, comes into
// view.
QScrollArea *scrolling(QWidget *page, QWidget *parent) {
    auto *area = new QScrollArea(parent);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus); // Tab goes from the tabs to the page's first control
    area->setWidget(page);
    QObject::connect(qApp, &QApplication::focusChanged, area,
                     [area, page](QWidget *, QWidget *now) {
                         if (now && page->isAncestorOf(now))
                             area->ensureWidgetVisible(now);
                     });
    return area;
}

// What the command line's writer writes, byte for byte.
template <typename Write>
QByteArray written(bool csv, const geometry::ProfileChoice &profile, const QLocale &locale,
                   const Write &write) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextStream out(&buffer);
    {
        cli::Writer writer(out, csv, locale, profile);
        write(writer);
    }
    out.flush();
    return bytes;
}

} // namespace

DesignerWindow::DesignerWindow(QWidget *parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Progetta trasmissione[*]")); // "*" while a layout is unsaved
    setWindowIcon(desktop::windowIcon("icon-designer"));
    auto *form = new QWidget(this);
    auto *results = new QWidget(this);
    buildForm(form);
    buildResults(results);
    // The form scrolls rather than hold the window taller than a small screen at 200 %.
    auto *formArea = new QScrollArea(this);
    formArea->setWidget(form);
    formArea->setWidgetResizable(true);
    formArea->setFrameShape(QFrame::NoFrame);
    formArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    formArea->setFixedWidth(form->sizeHint().width() +
                            formArea->verticalScrollBar()->sizeHint().width());
    connect(qApp, &QApplication::focusChanged, formArea, [formArea, form](QWidget *, QWidget *now) {
        if (now && form->isAncestorOf(now))
            formArea->ensureWidgetVisible(now); // reached by an Alt key as well as by Tab
    });
    // The search and the page of layouts as the window's two tabs; the second is built when
    // first shown, so that the window's start does not pay for it.
    m_pages = new QTabWidget(this);
    m_pages->setDocumentMode(true);
    auto *search = new QWidget(m_pages);
    auto *searchLayout = new QHBoxLayout(search);
    searchLayout->addWidget(formArea);
    searchLayout->addWidget(results, 1);
    m_layoutTab = new QWidget(m_pages);
    new QVBoxLayout(m_layoutTab);
    m_layoutTab->layout()->setContentsMargins(0, 0, 0, 0);
    // Every letter is some field's Alt key already: the tabs take digits.
    m_pages->addTab(scrolling(search, m_pages), QStringLiteral("&1 Ricerca"));
    m_pages->addTab(m_layoutTab, QStringLiteral("&2 Più pulegge"));
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int shown) {
        if (m_pages->widget(shown) == m_layoutTab)
            layoutPage();
    });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);

    connect(&m_search, &SearchService::typingPaused, this, &DesignerWindow::search);
    connect(&m_search, &SearchService::showBusy, m_busy, &QWidget::setVisible);

    m_tableWriting = std::make_shared<TableWriting>(this);
    m_rememberedStock = rememberedStockList();
    m_edits[static_cast<int>(Field::stock)]->setText(m_rememberedStock);
    chooseMode();
    setStatus(messages::designerHint());
    auto *layouts = new QAction(this);
    layouts->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(layouts, &QAction::triggered, this, [this] { m_pages->setCurrentWidget(m_layoutTab); });
    addAction(layouts);
    // Room for the form, a table of a dozen rows and a drawing, on any screen that has it.
    resize(QSize(1000, 640).boundedTo(screen()->availableSize() * 9 / 10));
}

// What the window shares with the thread that writes its table: the window while it lives,
// and whether the table is written.
struct DesignerWindow::TableWriting {
    explicit TableWriting(DesignerWindow *alive) : window(alive) {}
    std::mutex mutex;
    std::condition_variable ended;
    DesignerWindow *window;
    bool writing = false;
};

// A search still running is left to end alone. A table being written is waited for, since the
// user asked for it, but not for long: a named pipe that no one reads would hold the window.
DesignerWindow::~DesignerWindow() {
    std::unique_lock lock(m_tableWriting->mutex);
    m_tableWriting->ended.wait_for(lock, std::chrono::seconds(5),
                                   [&] { return !m_tableWriting->writing; });
    m_tableWriting->window = nullptr;
    // The profile box's text loses its focus as the children go, after this window is gone:
    // what it would call is no longer there.
    m_profile->disconnect(this);
    m_profile->lineEdit()->disconnect(this);
}

void DesignerWindow::buildForm(QWidget *form) {
    form->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto *grid = new QGridLayout(form);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;

    m_profile = new QComboBox(form);
    auto *profiles = new QStandardItemModel(m_profile);
    for (const Family &family : families) {
        auto *title = new QStandardItem(QString::fromUtf8(family.title));
        title->setFlags(Qt::NoItemFlags);
        QFont bold = m_profile->font();
        bold.setBold(true);
        title->setFont(bold);
        profiles->appendRow(title);
        for (const geometry::BeltProfile &profile : geometry::beltProfiles)
            if (profile.family == family.family) {
                const QString name = QString::fromUtf8(profile.name.data(),
                                                       static_cast<qsizetype>(profile.name.size()));
                auto *item = new QStandardItem(name);
                item->setData(name, Qt::UserRole);
                profiles->appendRow(item);
            }
    }
    m_profile->setModel(profiles);
    // Typed as the command line reads it (HTD5M, GT2, T2,5, XL037…); the box shows the name
    // of the table once the typing is done, with the width typed, which the belts' names and
    // their loads take.
    m_profile->setEditable(true);
    m_profile->setInsertPolicy(QComboBox::NoInsert);
    m_profile->setCompleter(nullptr); // a completion would take keys of the other spellings
    m_profile->setCurrentIndex(m_profile->findData(QStringLiteral("XL"), Qt::UserRole));
    m_profile->lineEdit()->selectAll(); // the first key typed replaces it
    m_typedProfile = m_profile->currentData(Qt::UserRole).toString();
    connect(m_profile, &QComboBox::editTextChanged, this, &DesignerWindow::profileTyped);
    connect(m_profile->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        const geometry::BeltProfile &profile =
            *geometry::readProfile(m_typedProfile.toStdString())->profile;
        const QSignalBlocker quiet(m_profile); // the width stays
        m_profile->setCurrentIndex(m_profile->findData(
            QString::fromUtf8(profile.name.data(), static_cast<qsizetype>(profile.name.size())),
            Qt::UserRole));
        m_profile->setEditText(m_typedProfile);
    });
    m_profile->setAccessibleName(QStringLiteral("Profilo"));
    auto *profileLabel = new QLabel(QStringLiteral("&Profilo"), form);
    profileLabel->setBuddy(m_profile);
    grid->addWidget(profileLabel, row, 0);
    grid->addWidget(m_profile, row++, 1, 1, 2);

    // The buttons of one choice, side by side in rows of two; the first chosen.
    const auto radios = [&](std::initializer_list<std::pair<QRadioButton **, const char *>> made) {
        auto *group = new QButtonGroup(form);
        auto *rows = new QGridLayout;
        int at = 0;
        for (const auto &[button, text] : made) {
            *button = new QRadioButton(QString::fromUtf8(text), form);
            group->addButton(*button);
            rows->addWidget(*button, at / 2, at % 2);
            ++at;
        }
        (*made.begin()->first)->setChecked(true);
        for (const auto &[button, text] : made)
            connect(*button, &QRadioButton::toggled, this, [this](bool on) {
                if (on)
                    chooseMode();
            });
        rows->setColumnStretch(2, 1);
        grid->addLayout(rows, row++, 0, 1, 3);
    };
    const auto field = [&](Field which, const char *label, const char *unit) {
        auto *edit = new QLineEdit(form);
        edit->setAccessibleName(headingOf(which));
        auto *caption = new QLabel(QString::fromUtf8(label), form);
        caption->setBuddy(edit);
        grid->addWidget(caption, row, 0);
        grid->addWidget(edit, row, 1);
        const auto at = static_cast<std::size_t>(which);
        m_fieldWidgets[at] = {caption, edit};
        if (unit) {
            auto *units = new QLabel(QString::fromUtf8(unit), form);
            grid->addWidget(units, row, 2);
            m_fieldWidgets[at] << units;
        }
        ++row;
        auto *problem = noteLabel(form, true);
        grid->addWidget(problem, row++, 0, 1, 3);
        m_edits[at] = edit;
        m_problems[at] = problem;
        connect(edit, &QLineEdit::textChanged, this, &DesignerWindow::fieldsChanged);
    };

    // The fields of the ways not chosen are hidden, so that controls never shown together may
    // share an Alt key: the letters of Italian labels run out.
    radios({{&m_byPulleys, "Due &ingranaggi"},
            {&m_byBelt, "Due ingr&anaggi e una cinghia"},
            {&m_byRatio, "Un rapporto di velocit&à"},
            {&m_bySpeeds, "Giri di mo&trice e condotta"}});
    field(Field::larger, "Ingranaggio &maggiore", "denti");
    field(Field::smaller, "Ingranaggio mi&nore", "denti");
    field(Field::belt, "Cing&hia", nullptr);
    field(Field::ratio, "&Rapporto M/m", nullptr);
    field(Field::ratioTo, "Rapp&orto fino a", nullptr);
    field(Field::fromSpeed, "Giri della mot&rice", nullptr);
    field(Field::toSpeed, "Giri della c&ondotta", nullptr);
    field(Field::fewestTeeth, "De&nti da", nullptr);
    field(Field::mostTeeth, "Denti &fino a", nullptr);
    m_soundOnly = new QCheckBox(QStringLiteral("Solo tras&missioni senza segni"), form);
    grid->addWidget(m_soundOnly, row++, 0, 1, 3);
    connect(m_soundOnly, &QCheckBox::toggled, this, &DesignerWindow::fieldsChanged);
    radios({{&m_byDistance, "Vicino a &un interasse"}, {&m_bySlot, "In un interva&llo"}});
    field(Field::distance, "Interass&e voluto", "mm");
    field(Field::slotFrom, "Interass&e da", "mm");
    field(Field::slotTo, "Interas&se fino a", "mm");
    field(Field::stock, "Elenco di cing&hie", nullptr);
    m_browse = new QPushButton(QStringLiteral("Sele&ziona…"), form);
    m_browse->setAccessibleName(QStringLiteral("Scegli l'elenco di cinghie"));
    grid->addWidget(m_browse, row - 2, 2);
    // The boxes keep their width when the button is hidden.
    grid->setColumnMinimumWidth(2, m_browse->sizeHint().width());
    m_fieldWidgets[static_cast<std::size_t>(Field::stock)] << m_browse;
    connect(m_browse, &QPushButton::clicked, this, &DesignerWindow::chooseStockList);
    field(Field::speed, "&Giri del minore al minuto", nullptr);
    // Every letter is some control's already: the loads' fields take none, and follow their
    // box in the order of Tab.
    m_loadsBox = new QCheckBox(QStringLiteral("Carichi (k&W, N, Hz)"), form);
    grid->addWidget(m_loadsBox, row++, 0, 1, 3);
    m_loadsRow = row;
    row += LoadFields::rowsTaken;
    m_form = grid;
    connect(m_loadsBox, &QCheckBox::toggled, this, &DesignerWindow::showLoads);
    m_edits[static_cast<int>(Field::ratioTo)]->setPlaceholderText(QStringLiteral("entro l'1 %"));
    m_edits[static_cast<int>(Field::toSpeed)]->setPlaceholderText(
        QStringLiteral("entro l'1 % o DA:A"));
    for (Field optional : {Field::fewestTeeth, Field::mostTeeth, Field::stock, Field::speed})
        m_edits[static_cast<std::size_t>(optional)]->setPlaceholderText(
            QStringLiteral("facoltativo"));

    grid->setRowStretch(row++, 1);
    auto *buttons = new QGridLayout;
    const auto button = [&](QPushButton *&made, const char *text, int at, int column,
                            void (DesignerWindow::*slot)()) {
        made = new QPushButton(QString::fromUtf8(text), form);
        made->setEnabled(false);
        buttons->addWidget(made, at, column);
        if (slot)
            connect(made, &QPushButton::clicked, this, slot);
    };
    button(m_saveTable, "Salva ta&bella…", 0, 0, &DesignerWindow::askForTableFile);
    button(m_copyRow, "Copia &questa riga", 0, 1, &DesignerWindow::copyRow);
    button(m_saveSvg, "Salva disegno S&VG…", 1, 0, nullptr);
    button(m_saveDxf, "Salva disegno &DXF…", 1, 1, nullptr);
    button(m_copyDetails, "&Copia dettagli", 2, 0, &DesignerWindow::copyDetails);
    connect(m_saveSvg, &QPushButton::clicked, this, [this] { askForDrawingFile(false); });
    connect(m_saveDxf, &QPushButton::clicked, this, [this] { askForDrawingFile(true); });
    grid->addLayout(buttons, row++, 0, 1, 3);
}

void DesignerWindow::buildResults(QWidget *results) {
    auto *layout = new QVBoxLayout(results);
    layout->setContentsMargins(0, 0, 0, 0);
    m_status = new QLabel(results);
    m_status->setWordWrap(true);
    m_busy = new QProgressBar(results);
    m_busy->setRange(0, 0);
    m_busy->setAccessibleName(messages::searching());
    m_busy->hide();

    m_drives = new DriveTable(this);
    m_table = new QTableView(results);
    m_table->setModel(m_drives);
    m_table->setSortingEnabled(true);
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder); // the ranking's order
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setTabKeyNavigation(false); // Tab leaves the table, arrows move in it
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    // Headings whole and side by side before there are rows, with no scroll bar under them.
    m_table->horizontalHeader()->resizeSections(QHeaderView::ResizeToContents);
    m_table->setAccessibleName(QStringLiteral("Trasmissioni trovate"));
    auto *copy = new QAction(m_table);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    m_table->addAction(copy);
    connect(copy, &QAction::triggered, this, &DesignerWindow::copyRow);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &DesignerWindow::showSelectedDrive);
    m_legend = new QLabel(results);
    // A long mark's line wraps rather than widen the window that shows it.
    m_legend->setWordWrap(true);

    m_details = new QPlainTextEdit(results);
    m_details->setReadOnly(true);
    m_details->setTabChangesFocus(true);
    m_details->setAccessibleName(QStringLiteral("Dettagli della trasmissione"));
    m_drawing = new DriveDrawing(results);
    m_drawing->setAccessibleName(QStringLiteral("Disegno della trasmissione"));

    auto *table = new QWidget(results);
    auto *tableLayout = new QVBoxLayout(table);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->addWidget(m_status);
    tableLayout->addWidget(m_busy);
    tableLayout->addWidget(m_table, 1);
    tableLayout->addWidget(m_legend);
    auto *selected = new QSplitter(Qt::Horizontal, results);
    selected->addWidget(m_details);
    selected->addWidget(m_drawing);
    selected->setStretchFactor(1, 1);
    selected->setSizes({300, 400});
    auto *split = new QSplitter(Qt::Vertical, results);
    split->addWidget(table);
    split->addWidget(selected);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);
    split->setSizes({330, 310});
    layout->addWidget(split);
}

Fields DesignerWindow::fields() const {
    Fields typed;
    typed.profile = m_typedProfile;
    typed.way = m_byRatio->isChecked()    ? Way::ratio
                : m_bySpeeds->isChecked() ? Way::speeds
                : m_byBelt->isChecked()   ? Way::oneBelt
                                          : Way::pulleys;
    typed.bySlot = m_bySlot->isChecked();
    typed.soundOnly = m_soundOnly->isChecked();
    typed.loads = m_loadFields && m_loadsBox->isChecked();
    if (typed.loads)
        typed.loadTexts = m_loadFields->texts();
    for (int i = 0; i < fieldCount; ++i)
        typed[static_cast<Field>(i)] = m_edits[static_cast<std::size_t>(i)]->text();
    return typed;
}

// Only the fields of the chosen ways show; the others keep what was typed in them.
void DesignerWindow::chooseMode() {
    const Way way = fields().way;
    const bool pulleys = way == Way::pulleys || way == Way::oneBelt;
    const bool design = way == Way::ratio || way == Way::speeds;
    const bool placed = way != Way::oneBelt, bySlot = m_bySlot->isChecked();
    const std::pair<Field, bool> shown[] = {{Field::larger, pulleys},
                                            {Field::smaller, pulleys},
                                            {Field::belt, way == Way::oneBelt},
                                            {Field::ratio, way == Way::ratio},
                                            {Field::ratioTo, way == Way::ratio},
                                            {Field::fromSpeed, way == Way::speeds},
                                            {Field::toSpeed, way == Way::speeds},
                                            {Field::fewestTeeth, design},
                                            {Field::mostTeeth, design},
                                            {Field::distance, placed && !bySlot},
                                            {Field::slotFrom, placed && bySlot},
                                            {Field::slotTo, placed && bySlot},
                                            {Field::stock, placed},
                                            {Field::speed, way != Way::speeds}};
    for (const auto &[field, visible] : shown) {
        for (QWidget *widget : m_fieldWidgets[static_cast<std::size_t>(field)])
            widget->setVisible(visible);
        if (!visible)
            m_problems[static_cast<std::size_t>(field)]->hide();
    }
    m_soundOnly->setVisible(design);
    m_byDistance->setVisible(placed);
    m_bySlot->setVisible(placed);
    fieldsChanged();
}

// Built when first shown: the window's first paint does not pay for them.
void DesignerWindow::showLoads(bool shown) {
    if (shown && !m_loadFields) {
        m_loadFields = new LoadFields(m_loadsBox->parentWidget(), m_form, m_loadsRow);
        QWidget *previous = m_loadsBox;
        for (int i = 0; i < loadFieldCount; ++i) {
            QWidget *next = m_loadFields->edit(static_cast<LoadField>(i));
            QWidget::setTabOrder(previous, next);
            previous = next;
        }
        connect(m_loadFields, &LoadFields::changed, this, &DesignerWindow::fieldsChanged);
        m_loadFields->showMassOf(*geometry::readProfile(m_typedProfile.toStdString()));
    }
    if (m_loadFields)
        m_loadFields->setVisible(shown);
    fieldsChanged();
}

void DesignerWindow::profileTyped(const QString &text) {
    const std::optional<geometry::ProfileChoice> read =
        geometry::readProfile(text.trimmed().toStdString());
    if (!read || !geometry::hasValidWidth(*read))
        return; // the profile searched stays until the text reads as one
    // With the width typed: the belts are named with it, and rated at it.
    const QString name = QString::fromStdString(geometry::profileName(*read));
    if (name == m_typedProfile)
        return;
    m_typedProfile = name;
    if (m_loadFields)
        m_loadFields->showMassOf(*read);
    fieldsChanged();
}

void DesignerWindow::fieldsChanged() {
    m_search.typing();
}

void DesignerWindow::markProblems(const std::vector<FieldProblem> &problems) {
    for (QLabel *label : m_problems) {
        label->clear();
        label->hide();
    }
    for (QLineEdit *edit : m_edits)
        edit->setAccessibleDescription({});
    for (const FieldProblem &problem : problems) {
        QLabel *label = m_problems[static_cast<std::size_t>(problem.field)];
        label->setText(problem.message);
        label->show();
        m_edits[static_cast<std::size_t>(problem.field)]->setAccessibleDescription(problem.message);
    }
}

void DesignerWindow::setStatus(const QString &text) {
    m_searchStatus = text;
    m_status->setText(m_saveStatus.isEmpty() ? text : text + u'\n' + m_saveStatus);
}

void DesignerWindow::setSaveStatus(const QString &text) {
    m_saveStatus = text;
    setStatus(m_searchStatus);
}

// Only a table that the fields answer, and one at a time.
void DesignerWindow::enableSaveTable() {
    m_saveTable->setEnabled(!m_savingTable && !m_drives->drives().rows.empty() &&
                            !std::holds_alternative<std::monostate>(m_shown));
}

void DesignerWindow::search() {
    const Fields typed = fields();
    const QLocale locale;
    const Reading reading = readFields(typed, locale);
    // A field not yet typed in is not a mistake: the search just waits for it.
    std::vector<FieldProblem> shown;
    bool waiting = false;
    for (const FieldProblem &problem : reading.problems) {
        if (typed[problem.field].trimmed().isEmpty())
            waiting = true;
        else
            shown.push_back(problem);
    }
    markProblems(shown);
    if (m_loadFields)
        m_loadFields->markProblems(reading.loadProblems);
    if (!m_savingTable)
        m_saveStatus.clear(); // said once, until the fields change
    if (waiting || !shown.empty() || !reading.loadProblems.empty()) {
        m_search.cancel();
        m_drives->clear();
        m_shown = std::monostate{};
        enableSaveTable();
        showSelectedDrive();
        setStatus(shown.empty() && reading.loadProblems.empty() ? messages::designerHint()
                                                                : QString());
        emit searchEnded();
        return;
    }
    const auto *design = std::get_if<cli::DesignRequest>(&reading.request);
    const bool leaveShortOut = design && design->soundOnly;
    // The job holds copies only: it may outlive the window.
    m_search.start(
        [request = reading.request, locale, loads = reading.loads, speed = reading.speed,
         leaveShortOut](const SearchService::Stop &stop) -> common::Result<RatedDrives> {
            common::Result<Drives> found = findDrives(request, &stop, locale);
            if (!found)
                return found.problem();
            // With a power, each drive's belt rated on its smaller pulley, as the command
            // line rates it; the drives that fall short left out with the other marked ones.
            QStringList unrated; // a profile nothing rates: no column
            common::Result<std::optional<cli::Ratings>> ratings =
                cli::rateFound(*found, loads, speed, leaveShortOut, unrated);
            if (!ratings)
                return ratings.problem();
            return RatedDrives{std::move(*found), std::move(*ratings)};
        },
        [this, reading](quint64, common::Result<RatedDrives> found) {
            showDrives(std::move(found), reading);
        });
    setStatus(messages::searching());
}

void DesignerWindow::showDrives(common::Result<RatedDrives> found, const Reading &asked) {
    // New rows come in the ranking's order, which no heading's arrow stands for.
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    if (!found) {
        m_drives->clear();
        m_shown = std::monostate{};
        setStatus(found.problem().message);
    } else {
        // up to a million rows: moved, not copied (through the answer's non-const access)
        RatedDrives &rated = *found;
        m_drives->setDrives(std::move(rated.drives), std::move(rated.ratings));
        m_shown = asked.request;
        m_shownSpeed = asked.speed;
        m_shownLoads = asked.loads;
        // Kept only once read: a list that cannot be read, or that blocks, is not met again at
        // the next start. Written only when it changes; a drive already chosen reads none.
        const QString stock = std::visit(
            [this](const auto &request) {
                using Request = std::decay_t<decltype(request)>;
                if constexpr (std::is_same_v<Request, std::monostate>)
                    return QString();
                else if constexpr (std::is_same_v<Request, cli::OneBeltRequest>)
                    return m_rememberedStock;
                else
                    return request.stock.value_or(QString());
            },
            asked.request);
        if (stock != m_rememberedStock) {
            m_rememberedStock = stock;
            QSettings().setValue(settingsStockList, stock);
        }
        // Wide enough for every row, not only the first ones: the longest belts come last. The
        // headings are measured without the sort arrow's room, which every column would
        // otherwise keep for the one arrow shown.
        const QFontMetrics metrics = m_table->fontMetrics();
        const int padding = 2 * metrics.horizontalAdvance(u'0');
        QHeaderView *header = m_table->horizontalHeader();
        header->setSortIndicatorShown(false);
        for (int column = 0; column < m_drives->columnCount(); ++column)
            m_table->setColumnWidth(
                column,
                std::max(header->sectionSizeHint(column),
                         metrics.horizontalAdvance(m_drives->widestText(column)) + padding));
        header->setSortIndicatorShown(true);
        // The command can be selected and copied; made so only now, since the text control
        // that it takes costs the window's start about 5 % of its instructions.
        m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
        setStatus(messages::drivesFound(m_drives->rowCount(), asTyped(shownArguments())));
        m_table->selectRow(0);
    }
    // The marks that the rows carry, explained once under the table.
    const QStringList legend = m_drives->legend();
    m_legend->setText(legend.join(u'\n'));
    m_legend->setVisible(!legend.isEmpty());
    enableSaveTable();
    showSelectedDrive();
    emit searchEnded();
}

void DesignerWindow::showSelectedDrive() {
    const QModelIndex current = m_table->currentIndex();
    const bool any = current.isValid() && m_drives->rowCount() > 0;
    for (QPushButton *button : {m_saveSvg, m_saveDxf, m_copyRow, m_copyDetails})
        button->setEnabled(any);
    if (!any) {
        m_details->clear();
        m_drawing->setDrive(std::nullopt);
        return;
    }
    const geometry::Design &drive = m_drives->drive(current.row());
    const QLocale locale;
    const geometry::ProfileChoice &profile = m_drives->drives().profile;
    const common::Result<cli::DriveDescription> described =
        describeWithoutMass(detailsRequest(drive), locale);
    if (described)
        m_details->setPlainText(QString::fromUtf8(written(
                                    false, profile, locale,
                                    [&](cli::Writer &write) { write.details(described->lines); })) +
                                described->complaints.join(u'\n') +
                                (described->complaints.isEmpty() ? "" : "\n"));
    else
        m_details->setPlainText(described.problem().message + u'\n');
    m_drawing->setDrive(DriveToDraw{profile, static_cast<double>(drive.larger),
                                    static_cast<double>(drive.smaller), drive.belt.teeth,
                                    locale.decimalPoint().toStdString()});
}

// A drive already chosen is described as asked, with the texts typed; a found one with the
// smaller pulley's speed, given or, from the shafts' speeds, its own.
cli::OneBeltRequest DesignerWindow::detailsRequest(const geometry::Design &drive) const {
    if (const auto *one = std::get_if<cli::OneBeltRequest>(&m_shown))
        return *one;
    std::optional<double> speed = m_shownSpeed;
    if (const std::optional<Drives::Speeds> &speeds = m_drives->drives().speeds; speeds)
        speed = speeds->largerDrives ? speeds->driving * static_cast<double>(drive.larger) /
                                           static_cast<double>(drive.smaller)
                                     : speeds->driving;
    cli::OneBeltRequest request =
        cli::oneBeltRequest(m_drives->drives().profile, drive, speed, QLocale());
    request.loads = m_shownLoads;
    return request;
}

// Written from the rows on screen, as the command line writes them for the same request: a
// million rows take the better part of a second, so on a thread of their own, from rows that a
// new search leaves as they are.
bool DesignerWindow::saveTable(const QString &file) {
    std::shared_ptr<const Drives> drives = m_drives->sharedDrives();
    if (m_savingTable || drives->rows.empty() || std::holds_alternative<std::monostate>(m_shown))
        return false;
    m_savingTable = true;
    enableSaveTable();
    const auto count = static_cast<qsizetype>(drives->rows.size());
    setSaveStatus(messages::writingTable(count, file));
    const auto *one = std::get_if<cli::OneBeltRequest>(&m_shown);
    const auto write = [drives = std::move(drives), ratings = m_drives->sharedRatings(), file,
                        count, locale = QLocale(),
                        chosen = one ? std::optional(*one) : std::nullopt] {
        std::optional<common::Problem> problem;
        try {
            // A drive already chosen is written as its command writes it: its details.
            const common::Result<cli::DriveDescription> described =
                chosen ? cli::describeDrive(*chosen, locale, true)
                       : common::Result<cli::DriveDescription>(cli::DriveDescription{});
            const QByteArray table =
                written(true, drives->profile, locale, [&](cli::Writer &writer) {
                    if (chosen)
                        writer.details(described ? described->lines
                                                 : std::vector<cli::DetailLine>{});
                    else
                        writer.drives(*drives, ratings.get());
                });
            problem = common::writeFile(file, table, messages::tableNotWritten);
        } catch (const std::bad_alloc &) {
            problem = common::Problem{messages::tableNotWritten(file, messages::memoryShort()),
                                      common::ExitStatus::outputFailed};
        }
        return std::pair{problem ? problem->message : messages::tableWritten(count, file),
                         !problem};
    };
    {
        const std::lock_guard lock(m_tableWriting->mutex);
        m_tableWriting->writing = true;
    }
    try {
        std::thread([write, shared = m_tableWriting] {
            const std::pair<QString, bool> ended = write();
            const std::lock_guard lock(shared->mutex);
            shared->writing = false;
            shared->ended.notify_all();
            if (DesignerWindow *window = shared->window)
                QMetaObject::invokeMethod(
                    window, [window, ended] { window->tableWritten(ended.first, ended.second); },
                    Qt::QueuedConnection);
        }).detach();
    } catch (const std::system_error &) { // no thread to be had: written here
        {
            const std::lock_guard lock(m_tableWriting->mutex);
            m_tableWriting->writing = false;
        }
        const std::pair<QString, bool> ended = write();
        QMetaObject::invokeMethod(
            this, [this, ended] { tableWritten(ended.first, ended.second); }, Qt::QueuedConnection);
    }
    return true;
}

void DesignerWindow::tableWritten(const QString &message, bool written) {
    m_savingTable = false;
    setSaveStatus(message);
    enableSaveTable();
    emit tableSaved(written);
}

bool DesignerWindow::saveDrawing(const QString &file, bool dxf) {
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid())
        return false;
    const QLocale locale;
    cli::OneBeltRequest request = cli::oneBeltRequest(
        m_drives->drives().profile, m_drives->drive(current.row()), std::nullopt, locale);
    (dxf ? request.dxf : request.svg) = file;
    const common::Result<cli::DriveDescription> described = cli::describeDrive(request, locale);
    const common::Result<QString> saved =
        described ? cli::writeDrawings(request, *described, locale) : described.problem();
    if (!saved) {
        setSaveStatus(saved.problem().message);
        return false;
    }
    return true;
}

void DesignerWindow::chooseStockList() {
    QLineEdit *stock = m_edits[static_cast<int>(Field::stock)];
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Elenco di cinghie"),
                                                      stock->text(), messages::stockListFilter());
    if (!file.isEmpty())
        stock->setText(file);
}

void DesignerWindow::askForTableFile() {
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Salva tabella"),
                                                      QStringLiteral("trasmissioni.csv"),
                                                      QStringLiteral("CSV (*.csv)"));
    if (!file.isEmpty())
        saveTable(file);
}

void DesignerWindow::askForDrawingFile(bool dxf) {
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("Salva disegno"),
        dxf ? QStringLiteral("trasmissione.dxf") : QStringLiteral("trasmissione.svg"),
        dxf ? QStringLiteral("DXF (*.dxf)") : QStringLiteral("SVG (*.svg)"));
    if (!file.isEmpty())
        saveDrawing(file, dxf);
}

void DesignerWindow::copyRow() {
    const QModelIndex current = m_table->currentIndex();
    if (current.isValid())
        QApplication::clipboard()->setText(m_drives->rowText(current.row()));
}

LayoutPage *DesignerWindow::layoutPage() {
    if (!m_layoutPage) {
        m_layoutPage = new LayoutPage(m_layoutTab);
        QScrollArea *area = scrolling(m_layoutPage, m_layoutTab);
        m_layoutTab->layout()->addWidget(area);
        area->show(); // now, not after the events of its tab's showing
        connect(&m_layoutPage->undoStack(), &QUndoStack::cleanChanged, this,
                [this](bool clean) { setWindowModified(!clean); });
    }
    return m_layoutPage;
}

void DesignerWindow::closeEvent(QCloseEvent *event) {
    if (m_layoutPage && !m_layoutPage->mayDropEdits())
        event->ignore();
    else
        QWidget::closeEvent(event);
}

void DesignerWindow::openLayout(const QString &file) {
    layoutPage()->open(file);
    m_pages->setCurrentWidget(m_layoutTab);
}

void DesignerWindow::copyDetails() {
    QApplication::clipboard()->setText(m_details->toPlainText());
}

} // namespace designer
