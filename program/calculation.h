#pragma once

#include <QLocale>
#include <QString>

#include "geometry/belt_profile.h"
#include "program/messages.h"

#include <optional>

// A step that failed, with the message for the user, which names the field to change.
struct Failure {
    QString message;
};

// Reads a typed number as the window does; throws Failure.
double readInput(const QString &text, messages::Input input, const QLocale &locale);

// The name of the belt profile of that pitch, as its option button shows it.
QString profileName(double pitch);

// The window's profile of that pitch as a made belt's, if it is one of the window's.
std::optional<geometry::ProfileChoice> windowProfileChoice(double pitch);

// The shortest made belt on which these pulleys run, as it is printed: the one answer of the
// window and the command line to "which belt at the least?".
std::optional<QString> shortestBeltName(double z1, double z2,
                                        const std::optional<geometry::ProfileChoice> &profile);

// One press of "calcola interasse" without the window: the three typed texts in, the texts
// of the results out, each in the window's pattern and the locale's decimal separator.
// The steps run in order and stop at the first failure; the results of the steps before it
// are kept, being right for these inputs.
struct Calculation {
    std::optional<QString> centreDistance; // "######.##", mm
    std::optional<QString> ratio;          // larger over smaller, "####.0#"
    std::optional<QString> inverseRatio;   // smaller over larger, "###0.0#"
    QString error;                         // the message of the failed step, or empty
    bool unreadableInput = false;          // the failed step read a typed value
};

Calculation calculate(const QString &z1, const QString &z2, const QString &beltCode, double pitch,
                      const QLocale &locale);
