#include "app/window_module.h"
#include "cli/command_line.h"
#include "common/application.h"
#include "common/messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QTextStream>

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A file descriptor written straight through, which keeps why a write failed: results that
// never reached a full disk or a closed output are a failure, not a success.
class Output : public QIODevice {
public:
    // closed: the caller closed it, and every write fails as it would have.
    Output(int descriptor, bool closed) : m_descriptor(descriptor), m_closed(closed) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    int failure() const { return m_failure; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override {
        if (m_closed) {
            m_failure = EBADF;
            return -1;
        }
        qint64 written = 0;
        while (written < size) {
            const ssize_t count =
                ::write(m_descriptor, data + written, static_cast<size_t>(size - written));
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0) {
                m_failure = errno;
                return -1;
            }
            written += count;
        }
        return written;
    }

private:
    int m_descriptor;
    bool m_closed;
    int m_failure = 0;
};

// Standard input, output and error that the caller closed are held before Qt starts, so that
// no file the program opens takes their numbers and gets what is meant for them: each on the
// reading end of a pipe of its own with no writer, which reads as empty and takes no bytes, so
// that a drawing sent there by name (/dev/stderr) fails as the closed file would. Returns
// which of them were closed.
std::array<bool, 3> holdClosedStandardFiles() {
    std::array<bool, 3> closed{};
    for (int descriptor = 0; descriptor < 3; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) != -1)
            continue;
        closed[static_cast<std::size_t>(descriptor)] = true;
        // The lowest free number is this one: the numbers below it are open by now.
        std::array<int, 2> ends{};
        if (pipe(ends.data()) != 0)
            continue;
        close(ends[1]);
        if (ends[0] != descriptor) {
            dup2(ends[0], descriptor);
            close(ends[0]);
        }
    }
    return closed;
}

int answerInTheTerminal(int argc, char *argv[], bool outputClosed) {
    QCoreApplication app(argc, argv);
    common::nameTheProgram();
    common::installItalianTranslations(app);
    Output standardOutput(STDOUT_FILENO, outputClosed), standardError(STDERR_FILENO, false);
    QTextStream out(&standardOutput), err(&standardError);
    QStringList arguments = QCoreApplication::arguments();
    const auto status = static_cast<int>(cli::runCommandLine(arguments, out, err, QLocale()));
    out.flush();
    if (!standardOutput.failure())
        return status;
    // A reader that went away, as `| head` does, wanted no more: nothing to report.
    if (standardOutput.failure() != EPIPE) {
        // Italian words where there are any, as for every file the program writes.
        const QString said = messages::fileFailure(standardOutput.failure(), true);
        err << messages::outputFailed(
                   said.isEmpty() ? QString::fromLocal8Bit(std::strerror(standardOutput.failure()))
                                  : said)
            << '\n';
    }
    return static_cast<int>(common::ExitStatus::outputFailed);
}

#ifdef INTERASSE_WINDOW_MODULE
// Each window lives in a module of its own, so that the command line loads Qt Core alone.
// It is found beside the program; a program that cannot tell where it is loads nothing.
int openTheWindow(const char *module, int argc, char *argv[]) {
    const QString folder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return runWindowModule(
        folder.isEmpty() ? QString() : QDir::cleanPath(folder + u'/' + QString::fromUtf8(module)),
        argc, argv);
}
#endif

} // namespace

// With arguments the program answers in the terminal and needs no display; --design, alone
// or with the one file it opens, the designer's window. Anything else after --design, an
// option or a second file, is left to the command line, which calls it wrong use.
int main(int argc, char *argv[]) {
    const std::array<bool, 3> closed = holdClosedStandardFiles();
#ifdef INTERASSE_WINDOW_MODULE
    if (argc == 1)
        return openTheWindow(INTERASSE_WINDOW_MODULE, argc, argv);
    if ((argc == 2 || (argc == 3 && argv[2][0] != '-' && argv[2][0] != '\0')) &&
        std::strcmp(argv[1], "--design") == 0)
        return openTheWindow(INTERASSE_DESIGNER_MODULE, argc, argv);
#endif
    return answerInTheTerminal(argc, argv, closed[STDOUT_FILENO]);
}
