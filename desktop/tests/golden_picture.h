#pragma once

#include <QImage>
#include <QString>

namespace golden {

// Fails the test unless the run's one face (EXPECTED_FONT) is there: without it every
// picture would differ. Also stops the cursor blinking, which pictures would catch.
void requireTheRunsFace();

// The configuration of face and scale that the run's pictures are named after (GOLDEN, such
// as liberation-100); fails the test, and is empty, when CTest did not set it.
QString configuration();

// Where got differs from the reference picture folder/name.png, and the pictures that show
// it, written beside the build; empty when every pixel is the same. UPDATE_GOLDEN_PICTURES=1
// writes the reference instead.
QString differenceFrom(QImage got, const QString &folder, const QString &name);

} // namespace golden
