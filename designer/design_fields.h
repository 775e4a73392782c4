#pragma once

#include "cli/requests.h"
#include "designer/load_fields.h"
#include "geometry/design.h"

#include <QLocale>
#include <QStringList>

#include <variant>
#include <vector>

namespace designer {

// The ways in: two pulleys, a ratio, the shafts' speeds (each with a wanted distance or a
// slot), or two pulleys and a belt, a drive already chosen.
enum class Way { pulleys, ratio, speeds, oneBelt };

// What the designer types, as typed: the profile, two pulleys (and a belt) or a ratio with a
// range of teeth, a wanted distance or a slot, a stock list and the motor's speed.
enum class Field {
    larger,
    smaller,
    belt,
    ratio,
    ratioTo,
    fromSpeed,
    toSpeed,
    fewestTeeth,
    mostTeeth,
    distance,
    slotFrom,
    slotTo,
    stock,
    speed
};
inline constexpr int fieldCount = 14;

struct Fields {
    QString profile; // a name of the profile table
    Way way = Way::pulleys;
    QString larger, smaller, belt;
    QString ratio, ratioTo;         // ratioTo empty: the ratio within 1 %
    QString fromSpeed, toSpeed;     // toSpeed: one (within 1 %) or FROM:TO
    QString fewestTeeth, mostTeeth; // either empty: the command line's default
    bool soundOnly = false;         // drives that need a mark left out
    bool bySlot = false;
    QString distance;
    QString slotFrom, slotTo;
    QString stock, speed; // both optional
    bool loads = false;   // the loads' fields shown, and read
    LoadTexts loadTexts;

    QString &operator[](Field field);
    const QString &operator[](Field field) const;
};

// The field's heading, as its label shows it and its messages name it.
QString headingOf(Field field);

struct FieldProblem {
    Field field;
    QString message;
};

// What these fields ask for, the same request as the command line's for the same question;
// or what is wrong with each field that the search needs.
using Asked =
    std::variant<std::monostate, cli::BeltListRequest, cli::DesignRequest, cli::OneBeltRequest>;
struct Reading {
    Asked request; // empty with problems
    std::vector<FieldProblem> problems;
    std::optional<double> speed; // of the smaller pulley, for each drive's details
    cli::LoadRequest loads;      // for each drive's details and the rating column
    std::vector<LoadProblem> loadProblems;
};
Reading readFields(const Fields &fields, const QLocale &locale);

// The command that asks for the request, the program's name left out.
QStringList commandOf(const Asked &request);

} // namespace designer
