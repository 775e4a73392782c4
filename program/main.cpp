#include "program/application.h"
#include "program/command_line.h"
#include "program/messages.h"
#include "program/window_module.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QIODevice>
#include <QTextStream>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A file descriptor written straight through, which keeps why a write failed: results that
// never reached a full disk or a closed output are a failure, not a success.
class Output : public QIODevice {
public:
    explicit Output(int descriptor, int failure = 0)
        : m_descriptor(descriptor), m_failure(failure) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    int failure() const { return m_failure; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override {
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
    int m_failure;
};

int answerInTheTerminal(int argc, char *argv[]) {
    // A closed standard output fails every write; its number is held so that no file the
    // program opens takes it and gets the results.
    int outputFailure = 0;
    if (fcntl(STDOUT_FILENO, F_GETFD) == -1) {
        outputFailure = EBADF;
        const int placeholder = open("/dev/null", O_WRONLY);
        if (placeholder != STDOUT_FILENO && placeholder >= 0) {
            dup2(placeholder, STDOUT_FILENO);
            close(placeholder);
        }
    }
    QCoreApplication app(argc, argv);
    nameTheProgram();
    installItalianTranslations(app);
    Output standardOutput(STDOUT_FILENO, outputFailure), standardError(STDERR_FILENO);
    QTextStream out(&standardOutput), err(&standardError);
    QStringList arguments = QCoreApplication::arguments();
    const int status = runCommandLine(arguments, out, err, QLocale());
    out.flush();
    if (!standardOutput.failure())
        return status;
    // A reader that went away, as `| head` does, wanted no more: nothing to report.
    if (standardOutput.failure() != EPIPE)
        err << messages::outputFailed(
                   QString::fromLocal8Bit(std::strerror(standardOutput.failure())))
            << '\n';
    return outputFailed;
}

#ifdef INTERASSE_WINDOW_MODULE
// The window lives in a module of its own, so that the command line loads Qt Core alone.
int openTheWindow(int argc, char *argv[]) {
    return runWindowModule(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() +
                               QStringLiteral("/" INTERASSE_WINDOW_MODULE),
                           argc, argv);
}
#endif

} // namespace

// With arguments the program answers in the terminal and needs no display.
int main(int argc, char *argv[]) {
#ifdef INTERASSE_WINDOW_MODULE
    if (argc == 1)
        return openTheWindow(argc, argv);
#endif
    return answerInTheTerminal(argc, argv);
}
