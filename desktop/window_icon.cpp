#include "desktop/window_icon.h"

#include <QImage>
#include <QPixmap>
#include <QResource>

namespace {

QImage iconImage(const char *name, int size) {
    const QResource resource(
        QStringLiteral(":/assets/%1-%2.argb").arg(QLatin1String(name)).arg(size));
    const auto *data = reinterpret_cast<const uchar *>(resource.data());
    if (!data || resource.size() != qint64(size) * size * 4)
        return {};
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size; ++x, data += 4)
            line[x] = QRgb(uint(data[0]) | uint(data[1]) << 8 | uint(data[2]) << 16 |
                           uint(data[3]) << 24);
    }
    return image;
}

} // namespace

namespace desktop {

QIcon windowIcon(const char *name) {
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(iconImage(name, size)));
    return icon;
}

} // namespace desktop
