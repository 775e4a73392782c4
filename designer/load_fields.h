#pragma once

#include "cli/requests.h"
#include "geometry/belt_profile.h"

#include <QLocale>
#include <QObject>

#include <array>
#include <vector>

class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace designer {

// What a belt is asked to carry and how tight it is set, as typed: the power, the service
// factor (empty: the default), the static tension or a span's measured frequency, and the
// belt's mass (empty: the profile's published one).
enum class LoadField { power, serviceFactor, tension, frequency, mass };
inline constexpr int loadFieldCount = 5;
using LoadTexts = std::array<QString, loadFieldCount>;

// The field's heading, as its label shows it and its messages name it.
QString headingOf(LoadField field);

struct LoadProblem {
    LoadField field;
    QString message;
};
struct LoadReading {
    cli::LoadRequest loads;
    std::vector<LoadProblem> problems; // loads empty with problems
};

// The loads typed, each value above 0 and in the user's locale, as the command line checks
// its options: a tension and a frequency not both, and a mass known where a frequency or a
// tension asks for one (the profile's, from the width of its name). speedNeeded: the speed
// that a power needs is not given, and is named by that heading. names: the fields as their
// page labels them, where it does not use headingOf. massInDetails: a profile named without
// the width that would give the mass is no problem of the fields; the drives are still found,
// and the details of each say what its tension needs.
LoadReading readLoads(const LoadTexts &texts, const QLocale &locale,
                      const geometry::ProfileChoice &profile,
                      const std::optional<QString> &speedNeeded = std::nullopt,
                      const std::optional<LoadTexts> &names = std::nullopt,
                      bool massInDetails = false);

// The fields of the loads, each with its unit and, under it, the line that says what is wrong
// with it, in rows of a form's grid of three columns (label, box, unit), so that they line up
// with its other fields. Their labels take no Alt key: the letters of a page's labels run
// out, and the fields follow one another in the order of Tab.
class LoadFields : public QObject {
    Q_OBJECT
public:
    // The grid's rows from firstRow, rowsTaken of them.
    static constexpr int rowsTaken = 2 * loadFieldCount;
    LoadFields(QWidget *form, QGridLayout *grid, int firstRow);
    void setVisible(bool visible);
    // The mass field's placeholder: the profile's published mass at its width, where it has one.
    void showMassOf(const geometry::ProfileChoice &profile);
    LoadTexts texts() const;
    void setText(LoadField field, const QString &text);
    void markProblems(const std::vector<LoadProblem> &problems);
    QLineEdit *edit(LoadField field) const { return m_edits[static_cast<std::size_t>(field)]; }

signals:
    void changed();

private:
    std::array<QLineEdit *, loadFieldCount> m_edits{};
    std::array<QLabel *, loadFieldCount> m_problems{};
    QList<QWidget *> m_shown; // all but the problems, which show when they have one
};

} // namespace designer
