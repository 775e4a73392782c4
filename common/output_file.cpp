#include "common/output_file.h"

#include "common/messages.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace common {

namespace {

// The standard input, output or error that this file already is, if it is one: written through
// it, so that one closed by the caller (held by the program on a placeholder that takes no
// bytes) fails as closed. A device such as /dev/null or a terminal, opened again by name, is
// the user's to write into whatever standard input reads from it.
std::optional<int> standardFileOf(const struct stat &target) {
    for (const int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (descriptor == STDIN_FILENO && S_ISCHR(target.st_mode))
            continue;
        struct stat open {};
        if (fstat(descriptor, &open) == 0 && open.st_dev == target.st_dev &&
            open.st_ino == target.st_ino)
            return descriptor;
    }
    return std::nullopt;
}

// Each device is opened unbuffered, so that a failure shows at the write: QSaveFile loses one
// at the flush on closing, and commits the file cut short. A short write is no failure yet;
// writing the rest again fails with the reason.
bool writeAll(QFileDevice &device, const QByteArray &bytes) {
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 count = device.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0)
            return false;
        written += count;
    }
    return true;
}

std::optional<FileSystem::Room> roomOnDisk(const QString &folder) {
    struct statvfs disk {};
    if (statvfs(QFile::encodeName(folder).constData(), &disk) != 0)
        return std::nullopt;
    return FileSystem::Room{static_cast<qint64>(disk.f_bavail * disk.f_frsize),
                            static_cast<qint64>(std::max<unsigned long>(disk.f_frsize, 1))};
}

} // namespace

std::optional<Problem> writeFile(const QString &file, const QByteArray &bytes,
                                 NotWritten notWritten, const FileSystem &system) {
    // Called right after the failing call, while errno still says why; Qt's own words are
    // the last resort, since they may be English inside an Italian sentence.
    const auto failed = [&](const QFileDevice &device, bool inPlace = false) {
        const QString said = messages::fileFailure(errno, true);
        const QString reason = said.isEmpty() ? device.errorString() : said;
        return Problem{notWritten(file, inPlace ? messages::writtenInPlace(reason) : reason),
                       ExitStatus::outputFailed};
    };
    const QByteArray path = QFile::encodeName(file);
    struct stat target {};
    const bool exists = stat(path.constData(), &target) == 0;
    if (!exists && errno != ENOENT) // a loop of links, say: replacing the name loses the link
        return Problem{notWritten(file, messages::fileFailure(errno, true)),
                       ExitStatus::outputFailed};
    errno = 0; // a file not there yet is no failure to report
    const QString folder = QFileInfo(file).absolutePath();
    // A device missing there (a bare /dev in a container) is no file to make.
    const QString devices = QFileInfo(system.devices).canonicalFilePath();
    if (!exists && !devices.isEmpty() && QFileInfo(folder).canonicalFilePath() == devices)
        return Problem{notWritten(file, messages::noNewFileAmongDevices(system.devices)),
                       ExitStatus::outputFailed};
    if (exists) {
        // Written through the descriptor already open, at its offset: what the program
        // writes there before and after stays, in order. Opened again, with O_TRUNC it would
        // cut off what is there, and at an offset of its own it would write over it.
        if (const std::optional<int> descriptor = standardFileOf(target)) {
            QFile standard;
            if (!standard.open(*descriptor, QIODevice::WriteOnly | QIODevice::Unbuffered,
                               QFileDevice::DontCloseHandle) ||
                !writeAll(standard, bytes))
                return failed(standard);
            return std::nullopt;
        }
        if (!S_ISREG(target.st_mode)) {
            // A pipe, a device or a terminal: written into, as the shell's > does.
            QFile device(file);
            if (!device.open(QIODevice::WriteOnly | QIODevice::ExistingOnly |
                             QIODevice::Unbuffered) ||
                !writeAll(device, bytes))
                return failed(device);
            return std::nullopt;
        }
    }
    // A folder that we may not write into lets no new file be put in its place: the file
    // itself is written instead, and a failure then may leave part of it.
    const bool inPlace =
        exists && !(system.letsReplace ? system.letsReplace(folder)
                                       : access(QFile::encodeName(folder).constData(), W_OK) == 0);
    if (inPlace) {
        // Cut first, then written: the disk must hold the new bytes once the old are freed.
        const std::optional<FileSystem::Room> room =
            system.room ? system.room(folder) : roomOnDisk(folder);
        if (room && (bytes.size() + room->block - 1) / room->block * room->block >
                        room->free + static_cast<qint64>(target.st_blocks) * 512)
            return Problem{notWritten(file, messages::fileFailure(ENOSPC, true)),
                           ExitStatus::outputFailed};
    }
    QSaveFile saved(file);
    saved.setDirectWriteFallback(true);
    if (!saved.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(saved);
    if (!writeAll(saved, bytes) || !saved.commit())
        return failed(saved, inPlace);
    return std::nullopt;
}

Result<QString> writeDrawingFiles(const geometry::Drawing &drawing,
                                  const std::optional<QString> &svg,
                                  const std::optional<QString> &dxf) {
    QString onTheOutput;
    for (const auto &[file, write] :
         {std::pair{&svg, &geometry::svgFile}, std::pair{&dxf, &geometry::dxfFile}}) {
        if (!*file)
            continue;
        const std::string bytes = write(drawing);
        if (**file == u'-') {
            onTheOutput = QString::fromStdString(bytes);
            continue;
        }
        if (std::optional<Problem> problem =
                writeFile(**file, QByteArray::fromStdString(bytes), messages::drawingNotWritten))
            return *std::move(problem);
    }
    return onTheOutput;
}

} // namespace common
