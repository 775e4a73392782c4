#include "app/window_module.h"

#include "common/messages.h"

#include <QString>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using messages::WindowProblem;

// A file closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int descriptor) : m_descriptor(descriptor) {}
    ~Descriptor() {
        if (m_descriptor >= 0)
            close(m_descriptor);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_descriptor; }

private:
    int m_descriptor;
};

bool readAt(int descriptor, void *buffer, std::size_t size, off_t offset) {
    return pread(descriptor, buffer, size, offset) == static_cast<ssize_t>(size);
}

// The ELF header of a file, if it has one whole.
std::optional<ElfW(Ehdr)> elfHeader(int descriptor) {
    ElfW(Ehdr) header;
    if (!readAt(descriptor, &header, sizeof header, 0) ||
        std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
        return std::nullopt;
    return header;
}

// Whether a part of `size` bytes at `offset` lies inside a file of `fileSize` bytes.
bool within(std::uint64_t offset, std::uint64_t size, std::uint64_t fileSize) {
    return offset <= fileSize && size <= fileSize - offset;
}

// What is wrong with the file at path as a module to load here, if anything. A module cut
// short would be mapped past its end and crash the program when touched, and a FIFO would
// hang it: both are found before loading.
std::optional<WindowProblem> problemWithModule(const QByteArray &path) {
    struct stat status {};
    if (stat(path.constData(), &status) != 0)
        return WindowProblem::missing;
    if (!S_ISREG(status.st_mode))
        return WindowProblem::notAFile;
    const Descriptor module(open(path.constData(), O_RDONLY | O_CLOEXEC));
    const Descriptor program(open("/proc/self/exe", O_RDONLY | O_CLOEXEC));
    const std::optional<ElfW(Ehdr)> header = elfHeader(module.get());
    const std::optional<ElfW(Ehdr)> own = elfHeader(program.get());
    // A library made for the machine this program was made for: the same class, byte order
    // and processor as this program's own file.
    if (!header || !own || header->e_type != ET_DYN ||
        header->e_ident[EI_CLASS] != own->e_ident[EI_CLASS] ||
        header->e_ident[EI_DATA] != own->e_ident[EI_DATA] || header->e_machine != own->e_machine ||
        header->e_phentsize != sizeof(ElfW(Phdr)))
        return WindowProblem::notForThisComputer;
    const auto fileSize = static_cast<std::uint64_t>(status.st_size);
    std::vector<ElfW(Phdr)> segments(header->e_phnum);
    const std::uint64_t tableSize = std::uint64_t{header->e_phnum} * sizeof(ElfW(Phdr));
    if (!within(header->e_phoff, tableSize, fileSize) ||
        !within(header->e_shoff, std::uint64_t{header->e_shnum} * header->e_shentsize, fileSize) ||
        !readAt(module.get(), segments.data(), tableSize, static_cast<off_t>(header->e_phoff)))
        return WindowProblem::damaged;
    for (const ElfW(Phdr) & segment : segments)
        if (segment.p_type == PT_LOAD && !within(segment.p_offset, segment.p_filesz, fileSize))
            return WindowProblem::damaged;
    return std::nullopt;
}

int refuse(WindowProblem problem, const QString &path, const QString &detail = {}) {
    std::fprintf(stderr, "%s\n",
                 messages::windowUnavailable(problem, path, detail).toLocal8Bit().constData());
    return 1;
}

} // namespace

int runWindowModule(const QString &path, int argc, char *argv[]) {
    const QByteArray file = path.toLocal8Bit();
    if (!path.startsWith(u'/')) // never a search from the current folder
        return refuse(WindowProblem::noProgramFolder, path);
    if (const std::optional<WindowProblem> problem = problemWithModule(file))
        return refuse(*problem, path);
    void *module = dlopen(file.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
        return refuse(WindowProblem::notLoaded, path, QString::fromLocal8Bit(dlerror()));
    using WindowMain = int (*)(int &, char **);
    const auto windowMain = reinterpret_cast<WindowMain>(dlsym(module, "interasseWindowMain"));
    if (!windowMain)
        return refuse(WindowProblem::noEntryPoint, path);
    return windowMain(argc, argv);
}
