#pragma once

#include "common/result.h"
#include "designer/design_fields.h"
#include "designer/drive_table.h"
#include "designer/search_service.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;

namespace designer {

class DriveDrawing;
class DriveTable;

// The designer's window: a drive asked for on the left, the drives that fit in a table that
// follows the typing, and the selected one's whole geometry and drawing. It asks the command
// line's requests of the command line's finders, and writes its exports with its writer.
class DesignerWindow : public QWidget {
    Q_OBJECT
public:
    explicit DesignerWindow(QWidget *parent = nullptr);
    ~DesignerWindow() override;

    // How long typing must pause before a search starts, in milliseconds.
    static constexpr int typingPause = SearchService::typingPause;

    // The fields as typed, and the command line's arguments that ask for what the table shows.
    Fields fields() const;
    QStringList shownArguments() const { return commandOf(m_shown); }
    // Whether a search is waiting for typing to pause, or running.
    bool busy() const { return m_search.busy(); }

    // The exports, to a file chosen by the caller; false with the reason in the status line.
    // The table is written on a thread of its own from the rows on screen when it starts, and
    // tableSaved follows; false if there are none, or a table is still being written.
    bool saveTable(const QString &file);
    bool saveDrawing(const QString &file, bool dxf);
    bool savingTable() const { return m_savingTable; }

    // The page of layouts, the window's second tab, built when first shown (Ctrl+L selects
    // it), and opened on a file: one that cannot be read is said there, naming the file and
    // its line.
    class LayoutPage *layoutPage();
    void openLayout(const QString &file);

protected:
    // Not while the user keeps a layout's unsaved edits.
    void closeEvent(QCloseEvent *event) override;

signals:
    // A search has ended and its results, or why there are none, are shown.
    void searchEnded();
    // The table has been written whole (true), or not, with the reason in the status line.
    void tableSaved(bool written);

private:
    void buildForm(QWidget *form);
    void buildResults(QWidget *results);
    void chooseMode();
    void profileTyped(const QString &text);
    void fieldsChanged();
    void search();
    void showDrives(common::Result<RatedDrives> found, const Reading &asked);
    void showLoads(bool shown);
    void showSelectedDrive();
    cli::OneBeltRequest detailsRequest(const geometry::Design &drive) const;
    void markProblems(const std::vector<FieldProblem> &problems);
    void setStatus(const QString &text);
    void setSaveStatus(const QString &text);
    void tableWritten(const QString &message, bool written);
    void enableSaveTable();
    void chooseStockList();
    void askForTableFile();
    void askForDrawingFile(bool dxf);
    void copyRow();
    void copyDetails();

    QComboBox *m_profile;
    QRadioButton *m_byPulleys, *m_byRatio, *m_bySpeeds, *m_byBelt, *m_byDistance, *m_bySlot;
    QCheckBox *m_soundOnly;
    std::array<QLineEdit *, fieldCount> m_edits{};
    std::array<QList<QWidget *>, fieldCount> m_fieldWidgets; // its label, box and unit
    std::array<QLabel *, fieldCount> m_problems{};
    QPushButton *m_browse;
    QCheckBox *m_loadsBox;
    class LoadFields *m_loadFields = nullptr; // built when first shown
    QGridLayout *m_form;
    int m_loadsRow = 0; // of the form, where they go
    QLabel *m_status, *m_legend;
    QProgressBar *m_busy;
    QTableView *m_table;
    DriveTable *m_drives;
    QPlainTextEdit *m_details;
    DriveDrawing *m_drawing;
    QPushButton *m_saveTable, *m_saveSvg, *m_saveDxf, *m_copyRow, *m_copyDetails;

    SearchService m_search;
    Asked m_shown;                        // what the table answers
    std::optional<double> m_shownSpeed;   // for the details of its drives
    cli::LoadRequest m_shownLoads;        // and their loads
    QString m_rememberedStock;            // the stock list as the settings hold it
    QString m_searchStatus, m_saveStatus; // the status line: the table's, then the last save's
    bool m_savingTable = false;
    struct TableWriting;
    std::shared_ptr<TableWriting> m_tableWriting; // shared with the thread that writes
    QString m_typedProfile;                       // the profile's name in the table, as last read
    QTabWidget *m_pages;
    QWidget *m_layoutTab; // holds the page of layouts once built
    class LayoutPage *m_layoutPage = nullptr;
};

} // namespace designer
