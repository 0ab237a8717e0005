#include "runtime/SelfImage.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace vx::runtime {
namespace {

bool ReadExactly(int fd, void* buffer, size_t length, uint64_t offset) {
    auto* p = static_cast<char*>(buffer);
    while (length > 0) {
        const ssize_t got = ::pread(fd, p, length, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        p += got;
        length -= static_cast<size_t>(got);
        offset += static_cast<uint64_t>(got);
    }
    return true;
}

std::string ExecutablePath(const char* argv0) {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length > 0) return std::string(buffer, static_cast<size_t>(length));
    // Without /proc: a path given on the command line still names the file.
    if (argv0 && std::strchr(argv0, '/') && ::realpath(argv0, buffer)) return buffer;
    return {};
}

// The end of the ELF image: the furthest of the section header table and
// every segment's bytes in the file.
bool ElfImageEnd(int fd, uint64_t fileSize, uint64_t& end) {
    Elf64_Ehdr elf{};
    if (!ReadExactly(fd, &elf, sizeof elf, 0)) return false;
    if (std::memcmp(elf.e_ident, ELFMAG, SELFMAG) != 0 || elf.e_ident[EI_CLASS] != ELFCLASS64 ||
        elf.e_phentsize != sizeof(Elf64_Phdr))
        return false;
    end = std::max<uint64_t>(sizeof elf, elf.e_shoff + uint64_t{elf.e_shnum} * elf.e_shentsize);
    for (unsigned i = 0; i < elf.e_phnum; ++i) {
        Elf64_Phdr segment{};
        if (!ReadExactly(fd, &segment, sizeof segment, elf.e_phoff + i * sizeof segment))
            return false;
        end = std::max<uint64_t>(end, segment.p_offset + segment.p_filesz);
    }
    return end <= fileSize;
}

}  // namespace

bool OpenSelfImage(const char* argv0, SelfImage& image, std::string& error) {
    image.Path = ExecutablePath(argv0);
    if (image.Path.empty()) {
        error = "cannot find the program file itself (is /proc mounted?)";
        return false;
    }
    image.Fd = ::open(image.Path.c_str(), O_RDONLY | O_CLOEXEC);
    if (image.Fd < 0) {
        error = "cannot open " + image.Path + ": " + std::strerror(errno);
        return false;
    }
    struct stat info {};
    uint64_t end = 0;
    unsigned char header[kBundleHeaderBytes];
    if (::fstat(image.Fd, &info) != 0 ||
        !ElfImageEnd(image.Fd, static_cast<uint64_t>(info.st_size), end) ||
        !ReadExactly(image.Fd, header, sizeof header, end) || !DecodeHeader(header, image.Header) ||
        end + sizeof header + image.Header.CompressedBytes > static_cast<uint64_t>(info.st_size)) {
        error = image.Path + " carries no viewer runtime, or it is damaged";
        return false;
    }
    image.BundleOffset = end + sizeof header;
    return true;
}

}  // namespace vx::runtime
