#include "designer/load_fields.h"

#include "cli/loads.h"
#include "common/calculation.h"
#include "common/messages.h"
#include "designer/note_label.h"
#include "geometry/loads.h"
#include "geometry/number_text.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

namespace designer {

namespace {

struct Heading {
    const char *heading, *unit, *whatToType, *placeholder;
};
constexpr Heading headings[loadFieldCount] = {
    {"Potenza", "kW", "la potenza in kW, per esempio 0,75", nullptr},
    {"Fattore di servizio", nullptr, "il fattore di servizio, per esempio 1,5", "1,5 se vuoto"},
    {"Tiro statico", "N", "il tiro statico in newton, per esempio 100", "facoltativo"},
    {"Frequenza del tratto", "Hz", "la frequenza misurata in hertz, per esempio 70",
     "al posto del tiro"},
    {"Massa della cinghia", "kg/m", "la massa in kg al metro, per esempio 0,11",
     "quella del profilo"},
};

const Heading &headingFor(LoadField field) {
    return headings[static_cast<std::size_t>(field)];
}

QString profileNameOf(const geometry::BeltProfile &profile) {
    return QString::fromUtf8(profile.name.data(), qsizetype(profile.name.size()));
}

} // namespace

QString headingOf(LoadField field) {
    return QString::fromUtf8(headingFor(field).heading);
}

LoadReading readLoads(const LoadTexts &texts, const QLocale &locale,
                      const geometry::ProfileChoice &profile,
                      const std::optional<QString> &speedNeeded,
                      const std::optional<LoadTexts> &names, bool massInDetails) {
    LoadReading reading;
    const auto nameOf = [&](LoadField field) {
        return names ? (*names)[static_cast<std::size_t>(field)] : headingOf(field);
    };
    const auto text = [&](LoadField field) {
        return texts[static_cast<std::size_t>(field)].trimmed();
    };
    const auto fail = [&](LoadField field, const QString &message) {
        reading.problems.push_back({field, message});
    };
    const auto read = [&](LoadField field, std::optional<cli::Value> &into) {
        if (text(field).isEmpty())
            return;
        const QString heading = nameOf(field);
        // The example in the user's own decimal separator.
        const QString whatToType =
            QString::fromUtf8(headingFor(field).whatToType).replace(u',', locale.decimalPoint());
        const common::Result<double> value =
            common::readField(text(field), heading, whatToType, locale);
        if (!value)
            fail(field, value.problem().message);
        else if (!(*value > 0))
            fail(field, messages::fieldNotPositive(heading));
        else
            into = cli::Value{*value, text(field)};
    };
    cli::LoadRequest &loads = reading.loads;
    read(LoadField::power, loads.power);
    read(LoadField::serviceFactor, loads.serviceFactor);
    read(LoadField::tension, loads.tension);
    read(LoadField::frequency, loads.frequency);
    read(LoadField::mass, loads.mass);
    if (loads.tension && loads.frequency)
        fail(LoadField::frequency,
             messages::fieldsApart(nameOf(LoadField::tension), nameOf(LoadField::frequency)));
    if (loads.power && geometry::hasRatingFormula(*profile.profile) && !profile.width.empty() &&
        !geometry::isMadeWidth(profile)) {
        QStringList widths;
        for (const int hundredths : geometry::madeWidths(*profile.profile))
            widths << QStringLiteral("%1").arg(hundredths, 3, 10, QChar(u'0'));
        fail(LoadField::power,
             messages::fieldWidthNotMade(nameOf(LoadField::power),
                                         QString::fromStdString(geometry::profileName(profile)),
                                         profileNameOf(*profile.profile), widths));
    }
    if (loads.power && speedNeeded)
        fail(LoadField::power, messages::fieldNeeds(nameOf(LoadField::power), *speedNeeded));
    // Never a frequency from a guessed mass.
    const bool widthGivesMass = profile.width.empty() && cli::massExample(*profile.profile);
    if ((loads.tension || loads.frequency) && !loads.mass && text(LoadField::mass).isEmpty() &&
        !geometry::massPerMetre(profile) && !(massInDetails && widthGivesMass))
        fail(LoadField::mass, messages::fieldMassUnknown(nameOf(LoadField::mass),
                                                         cli::massExample(*profile.profile)));
    if (!reading.problems.empty())
        loads = {};
    return reading;
}

void LoadFields::showMassOf(const geometry::ProfileChoice &profile) {
    const std::optional<double> mass = geometry::massPerMetre(profile);
    m_edits[static_cast<std::size_t>(LoadField::mass)]->setPlaceholderText(
        mass ? QStringLiteral("%1 del profilo")
                   .arg(QString::fromStdString(geometry::formatSignificant(
                       *mass, 3, 4, QLocale().decimalPoint().toStdString())))
             : QString::fromUtf8(headingFor(LoadField::mass).placeholder));
}

LoadFields::LoadFields(QWidget *form, QGridLayout *grid, int firstRow) : QObject(form) {
    int row = firstRow;
    for (int i = 0; i < loadFieldCount; ++i) {
        const Heading &heading = headings[i];
        auto *edit = new QLineEdit(form);
        edit->setAccessibleName(QString::fromUtf8(heading.heading));
        if (heading.placeholder)
            edit->setPlaceholderText(QString::fromUtf8(heading.placeholder));
        auto *label = new QLabel(QString::fromUtf8(heading.heading), form);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        m_shown << label << edit;
        if (heading.unit) {
            auto *unit = new QLabel(QString::fromUtf8(heading.unit), form);
            grid->addWidget(unit, row, 2);
            m_shown << unit;
        }
        ++row;
        m_problems[static_cast<std::size_t>(i)] = noteLabel(form, true);
        grid->addWidget(m_problems[static_cast<std::size_t>(i)], row++, 0, 1, 3);
        m_edits[static_cast<std::size_t>(i)] = edit;
        connect(edit, &QLineEdit::textChanged, this, &LoadFields::changed);
    }
}

void LoadFields::setVisible(bool visible) {
    for (QWidget *widget : m_shown)
        widget->setVisible(visible);
    for (QLabel *problem : m_problems)
        problem->setVisible(visible && !problem->text().isEmpty());
}

LoadTexts LoadFields::texts() const {
    LoadTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = m_edits[i]->text();
    return texts;
}

void LoadFields::setText(LoadField field, const QString &text) {
    edit(field)->setText(text);
}

void LoadFields::markProblems(const std::vector<LoadProblem> &problems) {
    for (std::size_t i = 0; i < m_problems.size(); ++i) {
        m_problems[i]->clear();
        m_problems[i]->hide();
        m_edits[i]->setAccessibleDescription({});
    }
    for (const LoadProblem &problem : problems) {
        const auto at = static_cast<std::size_t>(problem.field);
        m_problems[at]->setText(problem.message);
        m_problems[at]->show();
        m_edits[at]->setAccessibleDescription(problem.message);
    }
}

} // namespace designer
