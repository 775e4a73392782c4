#pragma once

#include "cli/layout_file.h"
#include "cli/layouts.h"
#include "cli/requests.h"
#include "designer/search_service.h"
#include "geometry/belt_profile.h"
#include "geometry/layout.h"

#include <QMap>
#include <QUndoStack>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSplitter;
class QTableWidget;

namespace designer {

class LayoutLoads;
class LayoutPane;

// What the page shows: the layout as its file holds it (the movable entry's centre is where
// its travel starts), where the movable entry stands when not there, and the belt chosen.
struct LayoutState {
    cli::LayoutFile file; // its layout's profile set
    geometry::ProfileChoice profile;
    std::optional<geometry::Point> moved;
    std::optional<std::int64_t> belt; // its teeth
};

// The designer's page for drives of many pulleys: a table of the layout's entries edited in
// place, its drawing whose pulleys the mouse and the arrow keys move, the belt's length, the
// made belts nearest it and those that fit the travel. It asks the command line's finders,
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

    const LayoutState &state() const { return m_state; }
    QUndoStack &undoStack() { return m_undo; }
    // Whether the edits since the layout was opened or saved may go: true where there are none,
    // or once the user has saved them or chosen to drop them; false where the user cancels.
    bool mayDropEdits();
    // Whether the belts of the travel are still being searched.
    bool searchingBelts() const { return m_beltSearch.busy(); }
    LayoutPane *pane() const { return m_pane; }
    // The page as the user changes it, one step a change: also what a command of the undo
    // stack sets.
    void apply(const LayoutState &state);
    void change(const LayoutState &state);
    // A drag's frame: the entry asked to this centre, stopped near the last buildable place, at
    // it when the drag ends.
    void dragTo(int entry, geometry::Point centre);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildTable(QWidget *side);
    void fillTable();
    void cellEdited(int row, int column);
    void markCells();
    void refresh(bool dragging);
    void showBelts();
    void showFoundBelts(const common::Result<cli::LayoutDescription> &found, bool stock);
    void showLoads();
    void chooseBelt(const QString &typed);
    void placeOnBelt(std::int64_t teeth, std::optional<geometry::Point> at);
    void addEntry();
    void removeEntry();
    void moveEntry(int by);
    void nudge(int entry, geometry::Point step);
    // Tries of the layout with the belt's fit solved again, to find where the entry stops.
    static constexpr int exactly = 64;
    void moveTowards(int entry, geometry::Point centre, int wholeTries);
    cli::LayoutRequest beltRequest(const LayoutState &state) const;
    // problem: said in red, or not; unsaid, as the label was.
    void setNote(QLabel *label, const QString &text, std::optional<bool> problem = {});
    void askToOpen();
    bool askToSave();
    void askToExport(Export kind);

    LayoutState m_state, m_beforeDrag;
    QUndoStack m_undo;
    SearchService m_beltSearch; // the belts of a travel, which may be many
    QString m_fileName;         // as last opened or saved
    QString m_stopped;          // why the last drag or key stopped a pulley short
    std::optional<std::pair<int, geometry::Point>> m_pushedTo; // the drag's centre past the edge
    std::optional<double> m_unsure; // mm: how far past the last stop the edge may be
    QMap<std::pair<int, int>, QString> m_cellProblems;
    std::vector<geometry::Point> m_places; // where the chosen belt fits
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
