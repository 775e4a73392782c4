#pragma once

#include "cli/layout_document.h"
#include "cli/layouts.h"
#include "designer/search_service.h"
#include "geometry/layout.h"

#include <QKeySequence>
#include <QMap>
#include <QUndoStack>
#include <QWidget>

#include <optional>
#include <utility>
#include <variant>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSplitter;
class QTableWidget;

namespace designer {

class LayoutLoads;
class LayoutPane;

// An action's key: a sequence, or a standard key, which stands for every binding that the
// platform gives it.
using ActionKey = std::variant<QKeySequence, QKeySequence::StandardKey>;
QList<QKeySequence> keysOf(const QList<ActionKey> &keys);

// The designer's page for drives of many pulleys: a table of the layout's entries edited in
// place, its drawing whose pulleys the mouse and the arrow keys move, the belt's length, the
// made belts nearest it and those that fit the travel. The layout document makes each edit;
// the page shows it, keeps each edit as a step to undo, and asks the command line's finders,
// reads and writes the command line's file, and exports with the command line's writer.
class LayoutPage : public QWidget {
    Q_OBJECT
public:
    explicit LayoutPage(QWidget *parent = nullptr);

    enum class Export { csv, svg, dxf };
    // Each false with the reason said on the page; the layout shown stays when a file cannot be
    // read. Only a regular file opens: a pipe would hold the window until written to.
    bool open(const QString &file);
    bool save(const QString &file);
    bool exportTo(const QString &file, Export kind);

    const cli::LayoutDocument &document() const { return m_document; }
    QUndoStack &undoStack() { return m_undo; }
    // Whether the edits since the layout was opened or saved may go: true where there are none,
    // or once the user has saved them or chosen to drop them; false where the user cancels.
    bool mayDropEdits();
    // Whether the belts of the travel are still being searched.
    bool searchingBelts() const { return m_beltSearch.busy(); }
    LayoutPane *pane() const { return m_pane; }
    // The page as the user changes it, one step a change: also what a command of the undo
    // stack sets.
    void apply(const cli::LayoutDocument &document);
    void change(const cli::LayoutDocument &document);
    // A drag's frame: the entry asked to this centre, stopped near the last buildable place, at
    // it when the drag ends.
    void dragTo(int entry, geometry::Point centre);
    // Undo's and redo's: each key once, whatever the platform's standard keys hold.
    static const QList<ActionKey> undoKeys, redoKeys;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildTable(QWidget *side);
    void fillTable();
    void cellEdited(int row, int column);
    void markCells();
    void refresh(bool dragging);
    void showBelts();
    void showBeltNote();
    void showFoundBelts(const common::Result<cli::LayoutDescription> &found, bool stock);
    void showLoads();
    void chooseBelt(const QString &typed);
    void addEntry();
    void removeEntry();
    void moveEntry(int by);
    void nudge(int entry, geometry::Point step);
    std::optional<QString> stock() const;
    // problem: said in red, or not; unsaid, as the label was.
    void setNote(QLabel *label, const QString &text, std::optional<bool> problem = {});
    void askToOpen();
    bool askToSave();
    void askToExport(Export kind);

    cli::LayoutDocument m_document, m_beforeDrag;
    QUndoStack m_undo;
    SearchService m_beltSearch; // the belts of a travel, which may be many
    QString m_fileName;         // as last opened or saved
    QString m_faultSaid;        // under the drawing: why the layout on screen cannot be built
    std::optional<std::pair<int, geometry::Point>> m_pushedTo; // the drag's centre past the edge
    std::optional<double> m_unsure; // mm: how far past the last stop the edge may be
    QMap<std::pair<int, int>, QString> m_cellProblems;
    bool m_filling = false;
    bool m_splitterSet = false;

    QTableWidget *m_table;
    QSplitter *m_splitter;
    LayoutPane *m_pane;
    LayoutLoads *m_loads;
    QLineEdit *m_profile, *m_belt, *m_stock;
    QLabel *m_status, *m_tableProblems, *m_drawingNote, *m_legend, *m_length, *m_nearest,
        *m_beltNote, *m_beltsHeading;
    QListWidget *m_belts;
    QPushButton *m_otherPlace;
};

} // namespace designer
