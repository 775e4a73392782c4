#include "desktop/tests/golden_picture.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QTest>

namespace golden {

void requireTheRunsFace() {
    const QString face = qEnvironmentVariable("EXPECTED_FONT");
    if (!QFontDatabase::families().contains(face))
        QFAIL(qPrintable(QStringLiteral("The font \"%1\" is missing: install %2.")
                             .arg(face, qEnvironmentVariable("FONT_PACKAGE"))));
    QApplication::setCursorFlashTime(0);
}

QString configuration() {
    const QString configuration = qEnvironmentVariable("GOLDEN");
    if (configuration.isEmpty())
        QTest::qFail("GOLDEN names no configuration of face and scale, such as liberation-100: "
                     "run the test through CTest, which sets it with its fonts",
                     __FILE__, __LINE__);
    return configuration;
}

QString differenceFrom(QImage got, const QString &folder, const QString &name) {
    const QString reference = folder + u'/' + name + QStringLiteral(".png");
    got = got.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("UPDATE_GOLDEN_PICTURES"))
        return got.save(reference) ? QString() : QStringLiteral("cannot write ") + reference;
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    QImage difference =
        expected.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
    QRect where;
    int count = 0;
    for (int y = 0; y < got.height(); ++y) {
        for (int x = 0; x < got.width(); ++x) {
            if (expected.size() == got.size() && expected.pixel(x, y) == got.pixel(x, y))
                continue;
            ++count;
            where |= QRect(x, y, 1, 1);
            if (difference.valid(x, y))
                difference.setPixel(x, y, qRgb(255, 0, 0));
        }
    }
    if (count == 0)
        return {};
    QDir().mkpath(QStringLiteral("golden-failures"));
    const QString written = QDir::current().filePath(QStringLiteral("golden-failures/") + name);
    got.save(written + QStringLiteral("-got.png"));
    difference.save(written + QStringLiteral("-difference.png"));
    return QStringLiteral("%1: %2 pixels differ within %3,%4 %5 x %6 (%7 x %8 against %9 x %10); "
                          "see %11-got.png and -difference.png")
        .arg(name)
        .arg(count)
        .arg(where.x())
        .arg(where.y())
        .arg(where.width())
        .arg(where.height())
        .arg(got.width())
        .arg(got.height())
        .arg(expected.width())
        .arg(expected.height())
        .arg(written);
}

} // namespace golden
