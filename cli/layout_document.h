#pragma once

#include "cli/layout_file.h"
#include "cli/layouts.h"
#include "cli/requests.h"
#include "common/result.h"
#include "geometry/belt_profile.h"
#include "geometry/layout.h"

#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace cli {

// One entry of a layout as the user edits it, with what its file said of it.
struct LayoutRecord {
    geometry::LayoutEntry entry;
    QString name;                           // an unnamed one is called by its line: "riga 4"
    int line = 0;                           // of the file read; 0 for one added since
    QString comment;                        // "# …" or empty
    std::vector<LayoutNote> above;          // the file's lines above it
    std::optional<geometry::Travel> travel; // where it moves, if it does (its entry unused)
    bool operator==(const LayoutRecord &) const = default;
};

// A layout as the designer edits it, without a window: its entries as records, the profile,
// where the movable entry stands and the belt chosen. Each edit keeps a file that the file's
// reader reads back; what is wrong is said in the table's words, naming its rows. A value: the
// undo stack keeps it whole.
class LayoutDocument {
public:
    // A loop of two pulleys to start from.
    LayoutDocument();
    // As a file was read; a file with no profile is in XL 3/8", as the command line takes it.
    explicit LayoutDocument(const LayoutFile &file);

    const std::vector<LayoutRecord> &records() const { return m_records; }
    const geometry::ProfileChoice &profile() const { return m_profile; }
    std::optional<geometry::Point> moved() const { return m_moved; }
    std::optional<std::int64_t> belt() const { return m_belt; }
    // Why the last move stopped the pulley short of where it was asked, or nothing.
    const QString &stopped() const { return m_stopped; }
    std::optional<std::size_t> movable() const;

    // The layout as its file holds it, the movable entry at its travel's start; and as it
    // stands.
    geometry::Layout layout() const;
    geometry::Layout layoutThere() const;
    std::variant<geometry::BeltPath, geometry::LayoutFault> path() const;
    // The file to save, and the same as the table shows it: its lines the table's rows.
    LayoutFile file() const;
    LayoutFile table() const;
    // What the command line is asked for the layout: its belt, if chosen, and a stock list.
    LayoutRequest request(const std::optional<QString> &stock) const;
    // Why the layout cannot be built, in the table's words.
    common::Problem faultProblem(const geometry::LayoutFault &fault) const;
    // The command line's answer for the table, what is wrong with its entries in its words.
    common::Result<LayoutDescription> describe(const LayoutRequest &request,
                                               const QLocale &locale) const;
    // The same places: the layout and where its movable entry stands.
    bool samePlaces(const LayoutDocument &other) const;
    bool operator==(const LayoutDocument &) const = default;

    // An entry after a row (or after the last, or first in an empty table); its row.
    common::Result<std::size_t> add(std::optional<std::size_t> after);
    // Its comment goes with it; the lines above it stay, above the next.
    void remove(std::size_t row);
    // Swapped with its neighbour, by one row up or down; false past either end.
    bool move(std::size_t row, int by);
    // A cell from text, read as the file reads that part of a line; what is wrong, or nothing.
    std::optional<QString> setCell(std::size_t row, LayoutColumn column, const QString &typed);
    void setIdler(std::size_t row, bool idler);
    std::optional<QString> setProfile(const QString &typed);

    // The teeth of a belt typed, as the command line reads --layout's belt.
    common::Result<std::int64_t> readBelt(const QString &typed, const QLocale &locale) const;
    // The belt chosen, or none; the movable entry sent to the fit nearest a place (where it
    // stands, unless told). It stays where it is when the belt fits nowhere.
    void chooseBelt(std::optional<std::int64_t> teeth, std::optional<geometry::Point> near,
                    const std::optional<QString> &stock);
    // Where the chosen belt puts the movable entry, the one it is at first.
    std::vector<geometry::Point> beltPlaces(const std::optional<QString> &stock) const;
    // What the belt chosen does on the layout as it stands: where it puts the movable entry, or
    // why it fits nowhere (problem); nothing without a belt.
    struct BeltNote {
        QString text;
        bool problem = false;
        std::size_t places = 0; // where the belt puts the movable entry
    };
    std::optional<BeltNote> beltNote(const std::optional<QString> &stock,
                                     const QLocale &locale) const;
    void placeMovable(geometry::Point at);

    // An entry asked toward a centre, a movable one held to its travel: where the layout stops
    // being buildable it stops short, to the hundredth, and stopped() says why. unsure: how far
    // past the last stop the edge may be, kept from frame to frame of one drag; wholeTries: the
    // belt's fit solved again at most so many times.
    static constexpr int exactly = 64;
    void moveToward(std::size_t entry, geometry::Point centre, int wholeTries,
                    std::optional<double> &unsure, const std::optional<QString> &stock);
    // By a step: a movable entry along its travel, right and up forward.
    void nudge(std::size_t entry, geometry::Point step, const std::optional<QString> &stock);

private:
    enum class Placed { yes, beyondFile, noFit };
    Placed place(std::size_t entry, geometry::Point centre, bool fit);
    bool fitBelt();
    // Whether the file that this saves is read back.
    bool readsBack() const;

    std::vector<LayoutRecord> m_records;
    std::vector<LayoutNote> m_below;
    std::optional<geometry::ProfileChoice> m_fileProfile;
    geometry::ProfileChoice m_profile;
    std::optional<geometry::Point> m_moved;
    std::optional<std::int64_t> m_belt; // its teeth
    QString m_stopped;
};

} // namespace cli
