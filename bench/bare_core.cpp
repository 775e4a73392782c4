// A bare Qt Core program that prints one line: the floor of the command line.

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << "interasse: 125,75 mm\n";
    return 0;
}
