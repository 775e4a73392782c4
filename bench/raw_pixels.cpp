// Writes a picture's pixels as raw 32-bit words, for the floor that bench/startup measures.
//   raw_pixels PICTURE OUTPUT

#include <QFile>
#include <QImage>

int main(int argc, char *argv[]) {
    if (argc != 3)
        return 2;
    const QImage image =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    QFile out(QString::fromLocal8Bit(argv[2]));
    return !image.isNull() && out.open(QIODevice::WriteOnly) &&
                   out.write(reinterpret_cast<const char *>(image.constBits()),
                             image.sizeInBytes()) == image.sizeInBytes()
               ? 0
               : 1;
}
