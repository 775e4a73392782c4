#pragma once

#include "common/result.h"
#include "geometry/belt_profile.h"
#include "geometry/design.h"

#include <QLocale>
#include <QStringList>

#include <optional>

namespace cli {

// A range FROM:TO of an option, both ends included: read, and as typed.
struct Range {
    double low = 0, high = 0;
    QString lowText, highText;
};

// The teeth of a design search's pulleys unless --teeth says otherwise: from the profile's
// smallest recommended pulley to this many.
inline constexpr int mostTeethByDefault = 150;

// What the command line is asked to do, read from its arguments. The values that every form
// shares are read and checked here; the pulleys, the belt and the wanted distance are read by
// the form that answers, in the order it needs them.
struct Request {
    enum class Form { help, version, profiles, oneBelt, belts, nearest, slot, design };
    Form form = Form::help;
    QString helpText;                // with Form::help
    geometry::ProfileChoice profile; // XL037 unless chosen
    bool csv = false;
    bool all = false;                // every row of a design search, not the first 20
    QStringList inputs;              // the pulleys' teeth, then the belt's code if given
    std::optional<Range> codes;      // --belts: codes of belts
    std::optional<QString> wanted;   // --near: the distance wanted, as typed
    std::optional<Range> slot;       // --between: centre distances, mm
    std::optional<Range> ratio;      // --ratio: M/m, at least 1
    double wantedRatio = 0;          // what the ranking of a design search measures from
    std::optional<Range> teeth;      // --teeth: on either pulley
    std::optional<QString> stock;    // --stock: the file of belts that can be bought
    std::optional<QString> speed;    // --rpm: of the smaller pulley, as typed
    std::optional<QString> svg, dxf; // --svg, --dxf: files for the drawing, - for the output
    geometry::Limits limits;         // of every list and search: the program's own
};

// arguments as QCoreApplication::arguments() gives them, the program's name first. A problem
// of wrong use for options that cannot be read or do not go together.
common::Result<Request> readArguments(const QStringList &arguments, const QLocale &locale);

} // namespace cli
