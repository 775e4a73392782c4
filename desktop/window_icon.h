#pragma once

#include <QIcon>

// A window's icon drawn at 16, 32, 48 and 64 pixels, so that it stays sharp on a 2x screen
// too, from the resources :/assets/<name>-<size>.argb: ARGB words as they are stored, with
// no decoder to find at start.
namespace desktop {

QIcon windowIcon(const char *name);

} // namespace desktop
