#pragma once

#include "cli/pulleys.h"
#include "common/messages.h"
#include "geometry/belt_profile.h"
#include "geometry/design.h"

#include <QString>

#include <optional>
#include <variant>

namespace cli {

// A range FROM:TO, both ends included: read, and as typed.
struct Range {
    double low = 0, high = 0;
    QString lowText, highText;
    bool operator==(const Range &) const = default;
};

// A number read, and as typed.
struct Value {
    double value = 0;
    QString text;
    bool operator==(const Value &) const = default;
};

// The teeth of a design search's pulleys unless --teeth says otherwise: from the profile's
// smallest recommended pulley to this many.
inline constexpr int mostTeethByDefault = 150;
// Pulleys of more teeth than this are no search that ends in reasonable time.
inline constexpr int mostTeethOfSearch = 10000;

// The one check of the teeth of a search's pulleys, whoever typed them: whole, 1 to
// mostTeethOfSearch. name: the option, or the field's heading.
std::optional<QString> searchTeethProblem(double teeth, const QString &name,
                                          messages::Reader reader);

// The one check of a wanted ratio, and of the smaller pulley's speed: above 0.
std::optional<QString> ratioProblem(double ratio, const QString &name, messages::Reader reader);
std::optional<QString> speedProblem(double speed, const QString &name, messages::Reader reader);

// How tight the belt is set and what it is asked to carry: --tension or --frequency (on a
// layout, of the span --span names), --mass, --power and --service-factor; each read and
// checked, above 0.
struct LoadRequest {
    std::optional<Value> tension;   // N, static, in every span
    std::optional<Value> frequency; // Hz, a span's when plucked
    std::optional<QString> span;    // A-B: the entries a layout's measured span runs between
    std::optional<Value> mass;      // kg/m, over the profile's own
    std::optional<Value> power;     // kW
    std::optional<Value> serviceFactor;
    // Whether any was asked: the belt's loads follow its geometry.
    bool asked() const { return tension || frequency || power; }
    bool operator==(const LoadRequest &) const = default;
};

// interasse Z1 Z2 CODE: one belt on two pulleys, with the texts the window's figure is
// computed from.
struct OneBeltRequest {
    geometry::ProfileChoice profile;
    Pulleys pulleys;
    QString largerText, smallerText; // as typed, the larger first
    Value code;
    std::optional<double> speed;     // --rpm: of the smaller pulley
    std::optional<QString> svg, dxf; // files for the drawing, - for the output
    QString speedText;               // --rpm as typed
    LoadRequest loads;
    bool operator==(const OneBeltRequest &) const = default;
};

// The belts on two pulleys: in a range of codes, nearest a distance, or in a slot.
struct BeltListRequest {
    geometry::ProfileChoice profile;
    Pulleys pulleys;
    std::optional<Range> codes;  // --belts
    std::optional<Value> wanted; // --near, mm
    std::optional<Range> slot;   // --between, mm
    std::optional<QString> stock;
    geometry::Limits limits;
    std::optional<Value> speed; // --rpm: of the smaller pulley, for the power
    LoadRequest loads;          // its power and service factor only
    bool operator==(const BeltListRequest &) const = default;
};

// The drives of two pulleys and a belt that give a ratio, in a slot or near a distance.
struct DesignRequest {
    geometry::ProfileChoice profile;
    Range ratio;                   // M/m as searched, at least 1; the texts as typed
    bool withinOnePercent = false; // one ratio typed
    double wantedRatio = 0;        // what the ranking measures from
    Range teeth;                   // on either pulley
    bool teethTyped = false;       // else the default range
    std::optional<Value> wanted;   // --near, mm
    std::optional<Range> slot;     // --between, mm
    std::optional<QString> stock;
    bool all = false; // every row, not the first 20
    geometry::Limits limits;
    std::optional<Value> speed; // --rpm: of the smaller pulley
    // The ratio asked as speeds instead, the ratio's texts then empty: the driving shaft's
    // (--from-rpm) and the driven one's (--to-rpm), one within 1 % or a range.
    std::optional<Value> fromSpeed;
    std::optional<Range> toSpeeds;
    bool soundOnly = false; // drives that need a mark left out
    LoadRequest loads;      // its power and service factor only
    bool operator==(const DesignRequest &) const = default;
};

// A belt for a layout, as typed: a code, of the layout's profile, or a belt as printed, of its
// own profile.
struct LayoutBelt {
    QString text;
    double code = 0;                                // without a profile
    const geometry::BeltProfile *profile = nullptr; // as printed: its profile and teeth
    std::int64_t teeth = 0;
    bool operator==(const LayoutBelt &) const = default;
};

// interasse --layout FILE [BELT]: the belt's path over the pulleys of a file, and the belts
// that fit it, or where its movable pulley sits on a belt.
struct LayoutRequest {
    QString file;
    std::optional<LayoutBelt> belt;
    std::optional<geometry::ProfileChoice> profile; // -p, over the file's
    std::optional<QString> stock;
    bool all = false; // every belt that fits, not the first 20
    std::optional<QString> svg, dxf;
    geometry::Limits limits;
    std::optional<Value> speed; // --rpm: of the first pulley, unless another is named here
    LoadRequest loads;
    std::optional<QString> speedOf; // the name of the entry that turns at speed (the designer's)
    messages::Reader reader = messages::Reader::commandLine; // whom a refusal speaks to
    bool operator==(const LayoutRequest &) const = default;
};

// The ratio as typed (a range, or one ratio searched within 1 %), set as M/m: a ratio below 1
// is read as its inverse. Checked before.
void setRatio(DesignRequest &request, const Range &typed, bool single);
// The ratio asked as speeds, set as M/m from the driving shaft's over the driven one's and
// ranked from the middle of a range of driven speeds. Checked before (speedsProblem).
void setSpeeds(DesignRequest &request, const Value &from, const Range &to, bool single);
// Driven speeds on both sides of the driving one, which would leave the driving pulley
// unsaid. fromName, toName: the options, or the fields' headings.
std::optional<QString> speedsProblem(double from, const Range &to, const QString &fromName,
                                     const QString &toName,
                                     messages::Reader reader = messages::Reader::commandLine);
// Whether the larger pulley drives: the driven shaft is asked to turn faster.
bool largerDrives(const DesignRequest &request);
// The teeth a search's pulleys have unless told.
Range defaultTeeth(const geometry::ProfileChoice &profile);

// What the command line is asked to do, read from its arguments, every value read and checked.
struct Request {
    enum class Form { help, version, profiles, oneBelt, belts, nearest, slot, design, layout };
    Form form = Form::help;
    QString helpText; // with Form::help
    bool csv = false;
    geometry::ProfileChoice profile; // XL037 unless chosen
    std::variant<std::monostate, OneBeltRequest, BeltListRequest, DesignRequest, LayoutRequest>
        asked;
};

} // namespace cli
