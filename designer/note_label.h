#pragma once

#include <QLabel>

namespace designer {

// A line of text under a part of the designer, hidden until it has something to say: a
// problem in red, a note in the window's own colour.
QLabel *noteLabel(QWidget *parent, bool problem);

} // namespace designer
