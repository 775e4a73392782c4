// What the window shows and nothing more, the floor to measure it against: its captions as
// plain labels in the same fonts and places, and the two pictures as raw pixels already at
// the size shown. With --bare, an empty window of the same size.

#include "first_paint.h"
#include "window/control_table.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPixmap>

#include <cstring>

namespace {

// Raw 32-bit pixels at the size shown, as bench/CMakeLists.txt makes them.
QPixmap rawPicture(const ControlRow &row) {
    const int width = twipsToPixels(row.width), height = twipsToPixels(row.height);
    QFile file(QStringLiteral(":/raw/%1-%2x%3")
                   .arg(QString::fromUtf8(row.text).section(u'/', -1))
                   .arg(width)
                   .arg(height));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    if (data.size() != qsizetype(width) * height * 4)
        return {};
    // A copy: the pixmap may keep the image, which must not outlive the data it points into.
    return QPixmap::fromImage(QImage(reinterpret_cast<const uchar *>(data.constData()), width,
                                     height, width * 4, QImage::Format_RGB32)
                                  .copy());
}

} // namespace

int main(int argc, char *argv[]) {
    const bool bare = argc > 1 && std::strcmp(argv[1], "--bare") == 0;
    endAtFirstPaint();
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QWidget window;
    window.setFixedSize(705, 361); // the program's window
    if (!bare) {
        QFont standard(QString::fromLatin1(layoutFontFamily));
        standard.setPointSizeF(7.5);
        window.setFont(standard);
        for (const ControlRow &row : form1Controls()) {
            if (!*row.text)
                continue;
            auto *label = new QLabel(&window);
            label->setFont(fontFor(row.font, standard));
            label->setGeometry(twipsToPixels(row.left), twipsToPixels(row.top),
                               twipsToPixels(row.width), twipsToPixels(row.height));
            if (row.kind == ControlKind::Image)
                label->setPixmap(rawPicture(row));
            else
                label->setText(QString::fromUtf8(row.text));
        }
    }
    window.show();
    return QApplication::exec();
}
