#include "cli/stock.h"

#include "cli/arguments.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <bitset>
#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {

namespace {

// A catalogue of every profile is a few thousand lines, some 100 KiB: ten times that is no
// belt list, and a device or a pipe that never ends is stopped.
constexpr qint64 mostBytes = 1024 * 1024;
// A belt's name is some twenty characters: a line whose first kilobyte holds no comment's #
// names no belt, whatever follows.
constexpr qint64 longestLine = 1024;

common::Problem wrongUse(QString message) {
    return {std::move(message), common::ExitStatus::wrongUse};
}

// How long one wait for a stream's bytes lasts before the stop is looked at again.
constexpr int waitSlice = 50; // ms

// The list's bytes, up to one past the bound, or the errno that kept them back; stopped when
// the stop was set while it waited.
struct Bytes {
    QByteArray bytes;
    int error = 0;
    bool stopped = false;
};

// Opened without blocking, so that a FIFO with no writer yet opens at once, and read only
// once poll says there is something to read: every wait, for a writer or for its next bytes,
// is one that the stop ends.
Bytes readBytes(const QString &file, const std::atomic<bool> *stop) {
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {{}, errno};
    const auto closed = [fd](Bytes bytes) {
        ::close(fd);
        return bytes;
    };
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return closed({{}, errno});
    if (S_ISDIR(status.st_mode)) // opened, but read() would fail with nothing said
        return closed({{}, EISDIR});
    QByteArray bytes;
    while (bytes.size() <= mostBytes) {
        if (stop && stop->load())
            return closed({{}, 0, true});
        pollfd ready{fd, POLLIN, 0};
        const int polled = ::poll(&ready, 1, stop ? waitSlice : -1);
        if (polled < 0 && errno != EINTR)
            return closed({{}, errno});
        if (polled <= 0)
            continue;
        const qsizetype had = bytes.size();
        bytes.resize(std::min<qsizetype>(had + 64 * 1024, mostBytes + 1));
        const ssize_t got = ::read(fd, bytes.data() + had, static_cast<size_t>(bytes.size() - had));
        const int error = errno;
        bytes.resize(had + std::max<ssize_t>(got, 0));
        if (got == 0) // the end: of a file, or of a pipe whose writers have all gone
            break;
        if (got < 0 && error != EAGAIN && error != EINTR)
            return closed({{}, error});
    }
    return closed({std::move(bytes)});
}

} // namespace

std::optional<common::Problem> readLines(const QString &file, const LinesWords &words,
                                         const std::function<LineRead(int, const QString &)> &line,
                                         const std::atomic<bool> *stop,
                                         const std::function<void(int, const QString &)> &asRead) {
    Bytes bytes = readBytes(file, stop);
    if (bytes.stopped) // no one waits for this answer
        return wrongUse(words.unreadable(file, {}));
    if (bytes.error != 0)
        return wrongUse(words.unreadable(file, messages::fileFailure(bytes.error)));
    QBuffer list(&bytes.bytes);
    list.open(QIODevice::ReadOnly | QIODevice::Text);
    qint64 read = 0;
    // A pipe or a device says nothing of its size: each is read until it says it ends.
    for (int number = 1;; ++number) {
        // Qt reads one byte less than asked: the bound and the line's end.
        QByteArray text = list.readLine(longestLine + 2);
        if (text.isEmpty())
            break;
        read += text.size();
        bool whole = text.endsWith('\n') || list.atEnd();
        QByteArray comment; // the whole of a long one
        if (!whole) {       // cut at the bound: only a comment goes on past it
            comment = text;
            if (!text.contains('#'))
                return wrongUse(words.notRead(file, number, QString::fromUtf8(text).trimmed()));
            while (!whole && read <= mostBytes) { // the rest of a long comment
                const QByteArray rest = list.readLine(longestLine + 1);
                read += rest.size();
                whole = rest.isEmpty() || rest.endsWith('\n');
                if (asRead)
                    comment += rest;
            }
        }
        if (read > mostBytes)
            return wrongUse(words.tooLong(file, mostBytes));
        if (asRead) {
            QString asItCame = QString::fromUtf8(comment.isEmpty() ? text : comment);
            while (!asItCame.isEmpty() && asItCame.back().isSpace())
                asItCame.chop(1);
            asRead(number, asItCame);
        }
        const QString kept = QString::fromUtf8(text).section(u'#', 0, 0).trimmed();
        if (kept.isEmpty())
            continue;
        LineRead answer = line(number, kept);
        if (answer)
            return answer;
    }
    return std::nullopt;
}

common::Result<geometry::Stock> readStock(const QString &file,
                                          const geometry::ProfileChoice &profile,
                                          messages::Reader reader, const std::atomic<bool> *stop) {
    geometry::Stock stock;
    std::bitset<geometry::beltProfiles.size()> others;
    const LinesWords words{messages::stockUnreadable, messages::stockTooLong,
                           messages::stockLineNoBelt};
    const std::optional<common::Problem> problem = readLines(
        file, words,
        [&](int number, const QString &belt) -> LineRead {
            const std::optional<geometry::NamedBelt> named =
                geometry::readBeltName(belt.toStdString());
            if (!named)
                return wrongUse(messages::stockLineNoBelt(file, number, belt));
            if (named->profile == profile.profile)
                stock.push_back(named->teeth);
            else
                others.set(
                    static_cast<std::size_t>(named->profile - geometry::beltProfiles.data()));
            return std::nullopt;
        },
        stop);
    if (problem)
        return *problem;
    if (stock.empty() && others.any()) {
        QStringList names;
        for (std::size_t i = 0; i < others.size(); ++i)
            if (others[i])
                names << QString::fromStdString(std::string(geometry::beltProfiles[i].name));
        return common::Problem{
            messages::stockOfOtherProfiles(
                file, QString::fromStdString(geometry::profileName(profile)), names, reader),
            common::ExitStatus::calculationFailed};
    }
    std::ranges::sort(stock);
    stock.erase(std::unique(stock.begin(), stock.end()), stock.end());
    return stock;
}

common::Result<std::optional<geometry::Stock>> stockOf(const std::optional<QString> &file,
                                                       const geometry::ProfileChoice &profile,
                                                       messages::Reader reader,
                                                       const std::atomic<bool> *stop) {
    if (!file)
        return std::optional<geometry::Stock>{};
    const common::Result<geometry::Stock> stock = readStock(*file, profile, reader, stop);
    if (!stock)
        return stock.problem();
    return std::optional<geometry::Stock>{*stock};
}

} // namespace cli
