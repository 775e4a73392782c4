#pragma once

#include "cli/requests.h"
#include "cli/rows.h"
#include "common/result.h"
#include "geometry/belt_profile.h"
#include "geometry/loads.h"

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace cli {

// The belt's mass per metre for its span frequencies: --mass, or the profile's published one at
// the width of its name; never a guess. Nothing when neither a tension nor a frequency is asked.
common::Result<std::optional<double>> loadMass(const LoadRequest &loads,
                                               const geometry::ProfileChoice &profile);

// The profile's name with a width that gives it its published mass, as an example (L100,
// T5-10); nothing where it has none.
std::optional<QString> massExample(const geometry::BeltProfile &profile);

// A width in the profile's name that is not made, where a power is asked of it.
std::optional<common::Problem> unmadeWidth(const LoadRequest &loads,
                                           const geometry::ProfileChoice &profile);

// A width in the profile's name that is neither made (inch profiles) nor printed by a table.
std::optional<common::Problem> unratedWidth(const geometry::ProfileChoice &profile);

// The static tension asked, or the one that the frequency measured on a span of that length
// means.
std::optional<double> staticTension(const LoadRequest &loads, std::optional<double> mass,
                                    double measuredSpan);

// Where no tension is asked but a power is, on a profile with a width: the tension to set for
// it at the belt's speed (m/s), and the mass its spans are heard at, the profile's, else the one
// the maker's tension constant means. Its lines: that mass, then the tension to set and a new
// belt's, or where no maker's row gives one, the least tension, with a sentence in complaints.
struct TensionToSet {
    std::optional<double> tension;
    std::optional<double> mass;
    std::vector<DetailLine> lines;
};
std::optional<TensionToSet> tensionToSet(const LoadRequest &loads,
                                         const geometry::ProfileChoice &profile, double speed,
                                         const std::string &separator, QStringList &complaints);

// A pulley the belt's rating is read on, and how sentences name it (a layout's entry).
struct RatedOn {
    geometry::RatedPulley pulley;
    std::optional<QString> entry;
};

// What the power asks of the belt running at speed (m/s) and what the belt carries, after its
// spans' lines: the effective pull, the sides' tensions from a static one, the rating at the
// width of the profile's name and the narrowest made width for the power, each rated on the
// least of the pulleys (none: no rating). With --rpm and no power, the rating alone. What is
// wrong with the answer goes to complaints; a power that no made width carries also sets
// powerNotCarried, which fails the answer. separator: the decimal separator written; csv: for
// a spreadsheet, the width without its margin.
std::vector<DetailLine> powerLines(const LoadRequest &loads, const geometry::ProfileChoice &profile,
                                   double speed, const std::vector<RatedOn> &pulleys,
                                   std::optional<double> tension, std::optional<double> mass,
                                   const std::string &separator, bool csv, QStringList &complaints,
                                   bool &powerNotCarried);

} // namespace cli
