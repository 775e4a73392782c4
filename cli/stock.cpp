#include "cli/stock.h"

#include "cli/arguments.h"
#include "common/messages.h"

#include <QFile>

#include <algorithm>

namespace cli {

common::Result<geometry::Stock> readStock(const QString &file,
                                          const geometry::BeltProfile &profile) {
    QFile list(file);
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        return common::Problem{messages::stockUnreadable(file, list.errorString()),
                               common::ExitStatus::wrongUse};
    geometry::Stock stock;
    int number = 0;
    while (!list.atEnd()) {
        ++number;
        const QString line = QString::fromUtf8(list.readLine());
        const QString belt = line.section(u'#', 0, 0).trimmed();
        if (belt.isEmpty())
            continue;
        const std::optional<geometry::NamedBelt> named = geometry::readBeltName(belt.toStdString());
        if (!named)
            return common::Problem{messages::stockLineNoBelt(file, number, belt),
                                   common::ExitStatus::wrongUse};
        if (named->profile == &profile)
            stock.push_back(named->teeth);
    }
    if (list.error() != QFileDevice::NoError)
        return common::Problem{messages::stockUnreadable(file, list.errorString()),
                               common::ExitStatus::wrongUse};
    std::ranges::sort(stock);
    stock.erase(std::unique(stock.begin(), stock.end()), stock.end());
    return stock;
}

common::Result<std::optional<geometry::Stock>> stockOf(const Request &request) {
    if (!request.stock)
        return std::optional<geometry::Stock>{};
    const common::Result<geometry::Stock> stock =
        readStock(*request.stock, *request.profile.profile);
    if (!stock)
        return stock.problem();
    return std::optional<geometry::Stock>{*stock};
}

} // namespace cli
