#pragma once

#include "geometry/design.h"

#include <QLocale>
#include <QStringList>

#include <vector>

namespace designer {

// What the designer types, as typed: the profile, two pulleys or a ratio with a range of
// teeth, a wanted distance or a slot, a stock list and the motor's speed.
enum class Field {
    larger,
    smaller,
    ratio,
    ratioTo,
    fewestTeeth,
    mostTeeth,
    distance,
    slotFrom,
    slotTo,
    stock,
    speed
};
inline constexpr int fieldCount = 11;

struct Fields {
    QString profile; // a name of the profile table
    bool byRatio = false;
    QString larger, smaller;
    QString ratio, ratioTo;         // ratioTo empty: the ratio within 1 %
    QString fewestTeeth, mostTeeth; // either empty: the command line's default
    bool bySlot = false;
    QString distance;
    QString slotFrom, slotTo;
    QString stock, speed; // both optional

    QString &operator[](Field field);
    const QString &operator[](Field field) const;
};

// The field's heading, as its label shows it and its messages name it.
QString headingOf(Field field);

struct FieldProblem {
    Field field;
    QString message;
};

// The command line's arguments that ask for the drives of these fields, the program's name
// left out; or what is wrong with each field that the search needs.
struct Reading {
    QStringList arguments;
    std::vector<FieldProblem> problems;
};
Reading readFields(const Fields &fields, const QLocale &locale);

// The command line's arguments for one drive of these fields: its whole geometry, with the
// motor's speed when there is one.
QStringList driveArguments(const Fields &fields, const geometry::Design &drive,
                           const QLocale &locale);

} // namespace designer
