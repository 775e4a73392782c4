#include "cli/stock.h"

#include "cli/arguments.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <bitset>
#include <cerrno>

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

} // namespace

common::Result<geometry::Stock>
readStock(const QString &file, const geometry::ProfileChoice &profile, messages::Reader reader) {
    QFile list(file);
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const int error = errno;
        // Qt refuses a folder itself, with errno left as it was.
        return wrongUse(messages::stockUnreadable(
            file, messages::fileFailure(QFileInfo(file).isDir() ? EISDIR : error)));
    }
    geometry::Stock stock;
    std::bitset<geometry::beltProfiles.size()> others;
    qint64 read = 0;
    // A pipe or a device says nothing of its size: each is read until it says it ends.
    for (int number = 1;; ++number) {
        QByteArray line = list.readLine(longestLine + 1);
        if (line.isEmpty())
            break;
        read += line.size();
        bool whole = line.endsWith('\n');
        if (!whole && line.size() > longestLine) {
            line.chop(1); // read only to tell a line longer than the bound
            if (!line.contains('#'))
                return wrongUse(
                    messages::stockLineNoBelt(file, number, QString::fromUtf8(line).trimmed()));
            while (!whole && read <= mostBytes) { // the rest of a long comment
                const QByteArray rest = list.readLine(longestLine + 1);
                read += rest.size();
                whole = rest.isEmpty() || rest.endsWith('\n');
            }
        }
        if (read > mostBytes)
            return wrongUse(messages::stockTooLong(file, mostBytes));
        const QString belt = QString::fromUtf8(line).section(u'#', 0, 0).trimmed();
        if (belt.isEmpty())
            continue;
        const std::optional<geometry::NamedBelt> named = geometry::readBeltName(belt.toStdString());
        if (!named)
            return wrongUse(messages::stockLineNoBelt(file, number, belt));
        if (named->profile == profile.profile)
            stock.push_back(named->teeth);
        else
            others.set(static_cast<std::size_t>(named->profile - geometry::beltProfiles.data()));
    }
    if (list.error() != QFileDevice::NoError) // errno no longer tells why: left unsaid
        return wrongUse(messages::stockUnreadable(file, {}));
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
                                                       messages::Reader reader) {
    if (!file)
        return std::optional<geometry::Stock>{};
    const common::Result<geometry::Stock> stock = readStock(*file, profile, reader);
    if (!stock)
        return stock.problem();
    return std::optional<geometry::Stock>{*stock};
}

} // namespace cli
