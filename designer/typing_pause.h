#pragma once

#include <functional>

class QLineEdit;

namespace designer {

// A field that acts as the search page's fields do: once typing in it pauses for the search
// service's pause, and at once on Enter or on leaving it.
void followTyping(QLineEdit *field, std::function<void()> act);

} // namespace designer
