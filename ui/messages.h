#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// What the program tells its users, in the window and on the command line alike.
namespace messages {

// The headings of the three inputs of the window, and the wanted centre distance of the
// command line, which name them wherever a value is wrong.
inline constexpr const char *inputHeadings[4] = {"ingranaggio maggiore", "ingranaggio minore",
                                                 "cinghia", "interasse"};
enum Input { largerPulley, smallerPulley, belt, centreDistance };

QString heading(Input input);
QString notANumber(Input input, const QString &decimalSeparator);
QString outOfRange(Input input, bool negative, const QString &decimalSeparator);
// shortestCode: the smallest belt code that gives these pulleys a result, if any does.
QString beltTooShort(const QString &profile, std::optional<std::int64_t> shortestCode);
QString pulleyWithoutTeeth(Input input);
QString resultTooLarge();

} // namespace messages
