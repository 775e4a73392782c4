#pragma once

#include "common/result.h"
#include "geometry/drawing.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace common {

// The sentence that says this file could not be written, and why.
using NotWritten = QString (*)(const QString &file, const QString &reason);

// Writes these bytes as the whole of this file: a regular file is written whole or not at
// all, beside it and renamed over it; a pipe, a device or a terminal is written into, never
// replaced; so is a file that is already the program's standard output or error. A file in a
// folder that does not let it be replaced is written in place when the user may write it.
// The failure names the file, with status outputFailed.
std::optional<Problem> writeFile(const QString &file, const QByteArray &bytes,
                                 NotWritten notWritten);

// The drawing as SVG and as DXF into each file given, each as writeFile writes it; the one
// for standard output ("-") returned as text instead.
Result<QString> writeDrawingFiles(const geometry::Drawing &drawing,
                                  const std::optional<QString> &svg,
                                  const std::optional<QString> &dxf);

} // namespace common
