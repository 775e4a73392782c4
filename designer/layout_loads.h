#pragma once

#include "cli/layout_file.h"
#include "cli/requests.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace designer {

// The loads asked of the layout on the page of layouts, as the command line's options ask them:
// the speed of a chosen entry, the power, the service factor, the static tension or a frequency
// measured on a chosen span, and the belt's mass; and the details that answer them, in the
// command line's lines.
class LayoutLoads : public QWidget {
    Q_OBJECT
public:
    explicit LayoutLoads(QWidget *parent = nullptr);

    // The choosers of an entry and of a span, for the layout's names; a choice stays where its
    // name still is. The span is the user's to choose: none until then.
    void setNames(const cli::LayoutFile &file);
    // The fields into a request of the layout as it stands; false, and each bad value said
    // under its field, naming it, where one cannot be read.
    bool ask(const cli::LayoutFile &file, cli::LayoutRequest &request);
    // The details of the layout asked, or why there are none.
    void showDetails(const cli::LayoutFile &file, const cli::LayoutRequest &request);
    // Cleared, for a layout that cannot be built.
    void clearDetails();
    // The fields as the eye reads them, for the page's tab order.
    QWidgetList fields() const;
    // The details, a pane of their own that the page places.
    QWidget *detailsPane() const { return m_detailsPane; }

signals:
    // A field typed or a choice made.
    void changed();

private:
    enum Field : std::size_t {
        speed,
        power,
        serviceFactor,
        tension,
        frequency,
        mass,
        fieldsOnPage
    };
    std::array<QLineEdit *, fieldsOnPage> m_fields;
    std::array<QLabel *, fieldsOnPage> m_notes;
    QComboBox *m_speedOf, *m_span;
    QWidget *m_detailsPane;
    QPlainTextEdit *m_details;
    QLabel *m_problem;
};

} // namespace designer
