// Draws the window's pictures and icon into the folder given as the only argument.
// Its output is committed; run it again only to change the pictures:
//   build/assets/draw_assets assets

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// Little-endian fields of the bitmap and icon headers.
class Bytes {
public:
    void u8(int value) { m_data.push_back(static_cast<char>(value & 0xff)); }
    void u16(int value) {
        u8(value);
        u8(value >> 8);
    }
    void u32(std::int64_t value) {
        u16(static_cast<int>(value & 0xffff));
        u16(static_cast<int>((value >> 16) & 0xffff));
    }
    std::size_t size() const { return m_data.size(); }
    void append(const Bytes &other) {
        m_data.insert(m_data.end(), other.m_data.begin(), other.m_data.end());
    }
    bool save(const QString &path) const {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) &&
               file.write(m_data.data(), static_cast<qint64>(m_data.size())) ==
                   static_cast<qint64>(m_data.size());
    }

private:
    std::vector<char> m_data;
};

int rowBytes(int width, int bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

void infoHeader(Bytes &out, int width, int height, int bitsPerPixel, int imageBytes) {
    out.u32(40);
    out.u32(width);
    out.u32(height);
    out.u16(1);
    out.u16(bitsPerPixel);
    out.u32(0); // uncompressed
    out.u32(imageBytes);
    out.u32(3780); // 96 dots per inch
    out.u32(3780);
    out.u32(0);
    out.u32(0);
}

// An uncompressed 24-bit bitmap, rows bottom up as most files have them, or top down (a
// negative height) as the window reads the ones at the sizes it shows: in place, row by row.
enum class Rows { bottomUp, topDown };
bool saveBitmap24(const QImage &image, const QString &path, Rows rows = Rows::bottomUp) {
    const int stride = rowBytes(image.width(), 24);
    const int imageBytes = stride * image.height();
    Bytes out;
    out.u8('B');
    out.u8('M');
    out.u32(14 + 40 + imageBytes);
    out.u32(0);
    out.u32(14 + 40);
    infoHeader(out, image.width(), rows == Rows::topDown ? -image.height() : image.height(), 24,
               imageBytes);
    for (int row = 0; row < image.height(); ++row) {
        const int y = rows == Rows::topDown ? row : image.height() - 1 - row;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            out.u8(qBlue(pixel));
            out.u8(qGreen(pixel));
            out.u8(qRed(pixel));
        }
        for (int pad = image.width() * 3; pad < stride; ++pad)
            out.u8(0);
    }
    return out.save(path);
}

// Drawn in the coordinates of the 294 x 128 original at any size, so that a larger copy for
// a 2x screen is drawn sharp rather than stretched.
bool drivePicture(const QString &path, QSize size, Rows rows = Rows::bottomUp) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(qRgb(252, 227, 190));
    QPainter painter(&image);
    // Pure colours only: the picture is scaled and must not blur into new shades.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.scale(size.width() / 294.0, size.height() / 128.0);

    const QPointF large(61, 61), small(245, 62);
    const double largeRadius = 54, smallRadius = 35;

    // The straight spans are the outer tangents of the two discs.
    const QPointF along = small - large;
    const double distance = std::hypot(along.x(), along.y());
    const QPointF unit = along / distance;
    const QPointF across(-unit.y(), unit.x());
    const double cosine = (largeRadius - smallRadius) / distance;
    const double sine = std::sqrt(1 - cosine * cosine);
    const QPointF upper = unit * cosine - across * sine;
    const QPointF lower = unit * cosine + across * sine;
    const QPointF upperLarge = large + upper * largeRadius,
                  upperSmall = small + upper * smallRadius;
    const QPointF lowerLarge = large + lower * largeRadius,
                  lowerSmall = small + lower * smallRadius;

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 128));
    painter.drawPolygon(QPolygonF({upperLarge, upperSmall, lowerSmall, lowerLarge}));

    painter.setPen(QPen(QColor(255, 0, 0), 2));
    painter.drawLine(upperLarge, upperSmall);
    painter.drawLine(lowerLarge, lowerSmall);

    painter.setPen(QPen(QColor(0, 0, 255), 3));
    painter.setBrush(QColor(0, 255, 255));
    painter.drawEllipse(large, largeRadius - 1, largeRadius - 1);
    painter.setBrush(QColor(0, 255, 0));
    painter.drawEllipse(small, smallRadius - 1, smallRadius - 1);

    // The dimension arrow between the centres, two pixels thick.
    const QColor magenta(255, 0, 255);
    painter.setPen(Qt::NoPen);
    painter.setBrush(magenta);
    painter.drawRect(58, 60, 246 - 58 + 1, 2);
    painter.drawPolygon(QPolygon({QPoint(58, 60), QPoint(66, 55), QPoint(66, 66), QPoint(58, 61)}));
    painter.drawPolygon(
        QPolygon({QPoint(246, 60), QPoint(238, 55), QPoint(238, 66), QPoint(246, 61)}));
    painter.end();

    return saveBitmap24(image, path, rows);
}

bool logoPicture(const QString &path) {
    QImage image(503, 439, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    // Two shaded triangles, a tall narrow one and a smaller one to its right.
    QLinearGradient tall(40, 0, 150, 0);
    tall.setColorAt(0, QColor(120, 0, 0));
    tall.setColorAt(1, QColor(255, 90, 90));
    painter.setBrush(tall);
    painter.drawPolygon(QPolygonF({QPointF(40, 400), QPointF(110, 40), QPointF(160, 400)}));
    QLinearGradient short_(170, 0, 290, 0);
    short_.setColorAt(0, QColor(140, 0, 0));
    short_.setColorAt(1, QColor(255, 120, 120));
    painter.setBrush(short_);
    painter.drawPolygon(QPolygonF({QPointF(170, 400), QPointF(225, 170), QPointF(290, 400)}));

    // A shaded globe with a grid, top right.
    const QPointF centre(400, 95);
    const double radius = 75;
    QRadialGradient globe(centre + QPointF(-25, -25), radius * 1.4);
    globe.setColorAt(0, QColor(255, 170, 170));
    globe.setColorAt(0.6, QColor(220, 20, 20));
    globe.setColorAt(1, QColor(110, 0, 0));
    painter.setBrush(globe);
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 2));
    for (double fraction : {-0.6, -0.3, 0.0, 0.3, 0.6}) {
        const double y = centre.y() + fraction * radius;
        const double half = std::sqrt(1 - fraction * fraction) * radius;
        painter.drawLine(QPointF(centre.x() - half, y), QPointF(centre.x() + half, y));
        painter.drawEllipse(centre, std::abs(fraction) * radius, radius);
    }
    painter.drawEllipse(centre, radius, radius);

    QFont name(QStringLiteral("Liberation Sans"));
    name.setPixelSize(74);
    name.setBold(true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, -2);
    painter.setFont(name);
    painter.setPen(QColor(0, 0, 200));
    painter.drawText(QRectF(0, 190, 503, 110), Qt::AlignCenter, QStringLiteral("DENTAROLA"));

    QFont motto(QStringLiteral("Liberation Sans"));
    motto.setPixelSize(30);
    painter.setFont(motto);
    painter.setPen(QColor(0, 0, 220));
    painter.drawText(QRectF(0, 395, 503, 40), Qt::AlignCenter,
                     QStringLiteral("trasmissioni e cinghie dentate"));
    painter.end();

    return saveBitmap24(image, path);
}

// A window seen a little from the left: white, with a title bar, over a grey shadow.
// Transparent where the result's alpha is zero.
QImage windowSymbol(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.scale(size / 32.0, size / 32.0);

    const QPolygonF outline({QPointF(3, 4), QPointF(25, 7), QPointF(25, 24), QPointF(3, 27)});
    const QPolygonF titleBar({QPointF(3, 4), QPointF(25, 7), QPointF(25, 11), QPointF(3, 9.5)});
    const QColor ink = Qt::black;
    const QColor shadow(128, 128, 128);
    const QColor bar(0, 255, 255);

    painter.setPen(Qt::NoPen);
    painter.setBrush(shadow);
    painter.drawPolygon(outline.translated(4, 3));
    // A hairline up to 32 pixels, as the icon file has it; thicker with the larger sizes.
    painter.setPen(QPen(ink, size > 32 ? 1 : 0));
    painter.setBrush(Qt::white);
    painter.drawPolygon(outline);
    painter.setBrush(bar);
    painter.drawPolygon(titleBar);
    painter.end();
    return image;
}

// The designer's window: the same window, with a drive of two pulleys and a belt in it.
QImage designerSymbol(int size) {
    QImage image = windowSymbol(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    const QPointF large(9.5, 18), small(19.5, 18.5);
    const double r = 4, s = 2;
    painter.setPen(QPen(QColor(192, 0, 0), 1.4));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(large.x(), large.y() - r), QPointF(small.x(), small.y() - s));
    painter.drawLine(QPointF(large.x(), large.y() + r), QPointF(small.x(), small.y() + s));
    painter.drawArc(QRectF(large.x() - r, large.y() - r, 2 * r, 2 * r), 90 * 16, 180 * 16);
    painter.drawArc(QRectF(small.x() - s, small.y() - s, 2 * s, 2 * s), -90 * 16, 180 * 16);
    painter.setPen(QPen(QColor(0, 80, 160), 0.8));
    painter.drawEllipse(large, r - 1.2, r - 1.2);
    painter.drawEllipse(small, s - 0.9, s - 0.9);
    painter.end();
    return image;
}

// Pixels as the window takes them at start, with no decoder: 32-bit ARGB words,
// little-endian, rows top down; the size is in the file's name.
bool saveRawArgb(const QImage &image, const QString &path) {
    Bytes out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.u32(image.pixel(x, y));
    return out.save(path);
}

// A picture at a size the window shows it, scaled smoothly as Qt scales at start otherwise.
bool shownAt(const QString &folder, const char *name, const QString &source, QSize size) {
    const QImage image = QImage(folder + source).convertToFormat(QImage::Format_RGB32);
    return saveBitmap24(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                        folder + QStringLiteral("%1-%2x%3.bmp")
                                     .arg(QLatin1String(name))
                                     .arg(size.width())
                                     .arg(size.height()),
                        Rows::topDown);
}

} // namespace

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_assets FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    // The originals, then each at the size the window shows it on a 1x and a 2x screen: the
    // drawing at 270 x 128 and, drawn anew, at twice that; the logo at 135 x 119 and twice.
    bool written = drivePicture(folder + QStringLiteral("drive.bmp"), QSize(294, 128)) &&
                   drivePicture(folder + QStringLiteral("drive-540x256.bmp"), QSize(540, 256),
                                Rows::topDown) &&
                   logoPicture(folder + QStringLiteral("logo.bmp")) &&
                   shownAt(folder, "drive", QStringLiteral("drive.bmp"), QSize(270, 128)) &&
                   shownAt(folder, "logo", QStringLiteral("logo.bmp"), QSize(135, 119)) &&
                   shownAt(folder, "logo", QStringLiteral("logo.bmp"), QSize(270, 238));
    // The same symbol for the window on any screen and for the desktop's menus.
    for (int size : {16, 32, 48, 64, 128, 256})
        written =
            written &&
            windowSymbol(size).save(folder + QStringLiteral("icon-%1.png").arg(size), "PNG") &&
            designerSymbol(size).save(folder + QStringLiteral("icon-designer-%1.png").arg(size),
                                      "PNG");
    for (int size : {16, 32, 48, 64})
        written = written &&
                  saveRawArgb(windowSymbol(size),
                              folder + QStringLiteral("icon-%1.argb").arg(size)) &&
                  saveRawArgb(designerSymbol(size),
                              folder + QStringLiteral("icon-designer-%1.argb").arg(size));
    if (!written)
        std::fprintf(stderr, "cannot write into %s\n", argv[1]);
    return written ? 0 : 1;
}
