#pragma once

#include "common/result.h"
#include "geometry/drawing.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace common {

// What writeFile asks of the system, each replaceable in tests: the devices' folder, in which
// no new file is made; whether a folder lets a new file take an old one's place; and the bytes
// free, and the size of a block, on the disk that holds a folder, where known.
struct FileSystem {
    struct Room {
        qint64 free = 0, block = 1;
    };
    QString devices = QStringLiteral("/dev");
    std::function<bool(const QString &folder)> letsReplace;         // else access(2)
    std::function<std::optional<Room>(const QString &folder)> room; // else statvfs(3)
};

// The sentence that says this file could not be written, and why.
using NotWritten = QString (*)(const QString &file, const QString &reason);

// Writes these bytes as the whole of this file: a regular file is written whole or not at
// all, beside it and renamed over it; a pipe, a device or a terminal is written into, never
// replaced; so is a file that is already the program's standard input, output or error,
// through its descriptor. A file in a folder that does not let it be replaced is written in
// place when the user may write it and the disk can hold it, and is left whole when it cannot.
// A name that cannot be followed (a loop of links) and a new file in the devices' folder are
// refused. The failure names the file, with status outputFailed.
std::optional<Problem> writeFile(const QString &file, const QByteArray &bytes,
                                 NotWritten notWritten, const FileSystem &system = {});

// The drawing as SVG and as DXF into each file given, each as writeFile writes it; the one
// for standard output ("-") returned as text instead.
Result<QString> writeDrawingFiles(const geometry::Drawing &drawing,
                                  const std::optional<QString> &svg,
                                  const std::optional<QString> &dxf);

} // namespace common
