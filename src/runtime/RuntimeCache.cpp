#include "runtime/RuntimeCache.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zstd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <new>

namespace vx::runtime {
namespace {

constexpr mode_t kPrivateMode = 0700;
constexpr const char* kEntryPrefix = "runtime-";
// Leftovers of an unpack that died (temporary and replaced entries).
constexpr const char* kTempPrefix = "tmp-";
constexpr const char* kOldPrefix = "old-";
constexpr const char* kLockName = ".install-lock";
constexpr const char* kManifestHeader = "vellacor-runtime";
constexpr size_t kMaxManifestBytes = 1 << 20;

std::string Errno(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

std::string HexHash(uint64_t hash) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

class Fd {
  public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }
    bool Ok() const { return fd_ >= 0; }
    void Reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Closes now, reporting a failed close (a late write error).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

int OpenDirAt(int parent, const char* name) {
    return ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Creates every missing folder of an absolute path (private, like a
// freshly made ~/.cache).
bool MakeParents(const std::string& path) {
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (::mkdir(prefix.c_str(), kPrivateMode) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) return true;
    }
}

// Removes `name` inside `parent` and everything below it, never following
// a symbolic link.
void RemoveTree(int parent, const char* name) {
    if (::unlinkat(parent, name, 0) == 0 || errno == ENOENT) return;
    const int fd = OpenDirAt(parent, name);
    if (fd < 0) return;
    if (DIR* dir = ::fdopendir(fd)) {
        while (const dirent* item = ::readdir(dir)) {
            if (std::strcmp(item->d_name, ".") == 0 || std::strcmp(item->d_name, "..") == 0)
                continue;
            RemoveTree(::dirfd(dir), item->d_name);
        }
        ::closedir(dir);
    } else {
        ::close(fd);
    }
    ::unlinkat(parent, name, AT_REMOVEDIR);
}

bool StartsWith(const char* text, const char* prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// Temporary and replaced entries left by starts that died. Called with the
// install lock held, so none of them is being written.
void RemoveLeftovers(int base) {
    const int fd = ::dup(base);
    if (fd < 0) return;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return;
    }
    ::rewinddir(dir);
    while (const dirent* item = ::readdir(dir)) {
        if (!StartsWith(item->d_name, kTempPrefix) && !StartsWith(item->d_name, kOldPrefix))
            continue;
        RemoveTree(base, item->d_name);
    }
    ::closedir(dir);
}

// A name no other start uses at the same moment.
std::string UniqueName(const char* prefix, uint64_t hash) {
    static unsigned counter = 0;
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return std::string(prefix) + HexHash(hash) + "-" + std::to_string(::getpid()) + "-" +
           std::to_string(now.tv_nsec) + "-" + std::to_string(++counter);
}

// Opens (making it when missing) the private cache folder of `location`.
bool OpenCacheFolder(const CacheLocation& location, Fd& folder, std::string& problem) {
    const std::string path = location.Parent + "/" + location.Name;
    if (location.CreateParent && !MakeParents(location.Parent)) {
        problem = Errno("cannot create " + location.Parent);
        return false;
    }
    const Fd parent(::open(location.Parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!parent.Ok()) {
        problem = Errno("cannot open " + location.Parent);
        return false;
    }
    if (::mkdirat(parent.Get(), location.Name.c_str(), kPrivateMode) != 0 && errno != EEXIST) {
        problem = Errno("cannot create " + path);
        return false;
    }
    const int fd = OpenDirAt(parent.Get(), location.Name.c_str());
    if (fd < 0) {
        problem = errno == ELOOP || errno == ENOTDIR
                      ? path + " is not a folder (a link or a file is in its place)"
                      : Errno("cannot open " + path);
        return false;
    }
    folder.Reset(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        problem = Errno("cannot examine " + path);
        return false;
    }
    if (info.st_uid != ::geteuid()) {
        problem = path + " belongs to another user";
        return false;
    }
    if ((info.st_mode & 07777) != kPrivateMode && ::fchmod(fd, kPrivateMode) != 0) {
        problem = Errno("cannot make " + path + " private");
        return false;
    }
    return true;
}

bool WriteAll(int fd, const char* data, size_t length) {
    while (length > 0) {
        const ssize_t done = ::write(fd, data, length);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        data += done;
        length -= static_cast<size_t>(done);
    }
    return true;
}

// Makes the folders leading to `path` inside `root`.
bool MakeFoldersFor(int root, const std::string& path) {
    for (size_t slash = path.find('/'); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        if (::mkdirat(root, path.substr(0, slash).c_str(), kPrivateMode) != 0 && errno != EEXIST)
            return false;
    return true;
}

bool ValidPath(const std::string& path) {
    if (path.empty() || path.front() == '/' || path.back() == '/') return false;
    if (path == kManifestName) return false;
    size_t start = 0;
    for (;;) {
        const size_t end = path.find('/', start);
        const std::string part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        if (end == std::string::npos) return true;
        start = end + 1;
    }
}

enum class UnpackResult { Done, WriteFailed, DamagedProgram };

// Decompresses the bundle of `image` and writes its files into `root`,
// then the manifest. `problem` says what failed.
UnpackResult UnpackInto(const SelfImage& image, int root, std::string& problem) {
    const BundleHeader& header = image.Header;
    std::unique_ptr<char[]> compressed(new (std::nothrow) char[header.CompressedBytes]);
    std::unique_ptr<char[]> payload(new (std::nothrow) char[header.PayloadBytes]);
    if (!compressed || !payload) {
        problem = "not enough memory to unpack the viewer's runtime";
        return UnpackResult::WriteFailed;
    }
    uint64_t done = 0;
    while (done < header.CompressedBytes) {
        const ssize_t got =
            ::pread(image.Fd, compressed.get() + done, header.CompressedBytes - done,
                    static_cast<off_t>(image.BundleOffset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            problem = Errno("cannot read " + image.Path);
            return UnpackResult::DamagedProgram;
        }
        done += static_cast<uint64_t>(got);
    }
    const size_t size = ZSTD_decompress(payload.get(), header.PayloadBytes, compressed.get(),
                                        header.CompressedBytes);
    compressed.reset();
    if (ZSTD_isError(size) || size != header.PayloadBytes ||
        HashBytes(payload.get(), size) != header.PayloadHash) {
        problem = "the viewer's runtime inside " + image.Path + " is damaged";
        return UnpackResult::DamagedProgram;
    }

    std::string manifest = std::string(kManifestHeader) + " " + HexHash(header.PayloadHash) + "\n";
    const unsigned char* p = reinterpret_cast<const unsigned char*>(payload.get());
    const unsigned char* const end = p + size;
    while (p < end) {
        constexpr size_t kFixed = 2 + 2 + 8;
        if (static_cast<size_t>(end - p) < kFixed) break;
        const size_t pathLength = p[0] | (p[1] << 8);
        if (pathLength > kMaxPathBytes || static_cast<size_t>(end - p) < kFixed + pathLength) {
            problem = "the viewer's runtime inside " + image.Path + " is damaged";
            return UnpackResult::DamagedProgram;
        }
        const std::string path(reinterpret_cast<const char*>(p + 2), pathLength);
        const unsigned char* fields = p + 2 + pathLength;
        const mode_t mode = (fields[0] | (fields[1] << 8)) & 0755;
        const uint64_t length = LoadLe64(fields + 2);
        const unsigned char* data = fields + 10;
        if (!ValidPath(path) || length > static_cast<uint64_t>(end - data)) {
            problem = "the viewer's runtime inside " + image.Path + " is damaged";
            return UnpackResult::DamagedProgram;
        }
        if (!MakeFoldersFor(root, path)) {
            problem = Errno("cannot create a folder for " + path);
            return UnpackResult::WriteFailed;
        }
        Fd file(::openat(root, path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                         mode));
        if (!file.Ok() || !WriteAll(file.Get(), reinterpret_cast<const char*>(data), length) ||
            !file.Close()) {
            problem = Errno("cannot write " + path);
            return UnpackResult::WriteFailed;
        }
        manifest +=
            std::to_string(length) + " " + HexHash(HashBytes(data, length)) + " " + path + "\n";
        p = data + length;
    }
    if (p != end) {
        problem = "the viewer's runtime inside " + image.Path + " is damaged";
        return UnpackResult::DamagedProgram;
    }
    manifest += "end " + HexHash(HashBytes(manifest.data(), manifest.size())) + "\n";
    Fd file(
        ::openat(root, kManifestName, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!file.Ok() || !WriteAll(file.Get(), manifest.data(), manifest.size()) || !file.Close()) {
        problem = Errno("cannot write the runtime's manifest");
        return UnpackResult::WriteFailed;
    }
    return UnpackResult::Done;
}

bool ReadSmallFile(int dir, const char* name, std::string& text) {
    const Fd file(::openat(dir, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (!file.Ok() || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size <= 0 || static_cast<uint64_t>(info.st_size) > kMaxManifestBytes)
        return false;
    text.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t got = ::read(file.Get(), text.data() + done, text.size() - done);
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

// Whether the file has exactly `size` bytes hashing to `hash`.
bool FileMatches(int dir, const std::string& path, uint64_t size, uint64_t hash) {
    const Fd file(::openat(dir, path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (!file.Ok() || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<uint64_t>(info.st_size) != size)
        return false;
    if (size == 0) return hash == HashBytes(nullptr, 0);
    void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, file.Get(), 0);
    if (map == MAP_FAILED) return false;
    const bool same = HashBytes(map, size) == hash;
    ::munmap(map, size);
    return same;
}

bool VerifyEntry(int entry, uint64_t hash) {
    std::string manifest;
    if (!ReadSmallFile(entry, kManifestName, manifest)) return false;
    // The last line seals the ones before it.
    const size_t seal = manifest.rfind("end ");
    if (seal == std::string::npos || manifest.back() != '\n' ||
        manifest.compare(seal + 4, 16, HexHash(HashBytes(manifest.data(), seal))) != 0 ||
        manifest.size() != seal + 4 + 16 + 1)
        return false;
    const std::string first = std::string(kManifestHeader) + " " + HexHash(hash) + "\n";
    if (manifest.compare(0, first.size(), first) != 0) return false;
    size_t line = first.size();
    while (line < seal) {
        const size_t next = manifest.find('\n', line);
        char* rest = nullptr;
        const unsigned long long size = std::strtoull(manifest.c_str() + line, &rest, 10);
        if (*rest != ' ') return false;
        const unsigned long long fileHash = std::strtoull(rest + 1, &rest, 16);
        if (*rest != ' ') return false;
        const std::string path(static_cast<const char*>(rest) + 1, manifest.c_str() + next);
        if (!ValidPath(path) || !FileMatches(entry, path, size, fileHash)) return false;
        line = next + 1;
    }
    return true;
}

bool VerifyNamedEntry(int base, const std::string& name, uint64_t hash) {
    const Fd entry(OpenDirAt(base, name.c_str()));
    return entry.Ok() && VerifyEntry(entry.Get(), hash);
}

}  // namespace

std::vector<CacheLocation> DefaultCacheLocations() {
    std::vector<CacheLocation> locations;
    const char* cacheHome = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    if (cacheHome && cacheHome[0] == '/')
        locations.push_back({cacheHome, "vellacor", true});
    else if (home && home[0] == '/')
        locations.push_back({std::string(home) + "/.cache", "vellacor", true});
    const char* temp = std::getenv("TMPDIR");
    const std::string tempDir = temp && temp[0] == '/' ? temp : "/tmp";
    // A shared folder: the name carries the user, and the checks on the
    // folder refuse one someone else made.
    locations.push_back({tempDir, "vellacor-" + std::to_string(::geteuid()), false});
    return locations;
}

EnsureResult EnsureRuntime(const SelfImage& image, const CacheLocation& location,
                           std::string& runtimeDir, std::string& problem) {
    Fd base;
    if (!OpenCacheFolder(location, base, problem)) return EnsureResult::TryElsewhere;
    const uint64_t hash = image.Header.PayloadHash;
    const std::string name = kEntryPrefix + HexHash(hash);
    runtimeDir = location.Parent + "/" + location.Name + "/" + name;
    if (VerifyNamedEntry(base.Get(), name, hash)) return EnsureResult::Ready;

    // Missing or damaged. One start at a time installs (the others wait
    // here, then find the entry ready); readers above never wait and never
    // remove anything, and an entry only ever appears complete.
    const Fd lock(::openat(base.Get(), kLockName, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!lock.Ok() || ::flock(lock.Get(), LOCK_EX) != 0) {
        problem = Errno("cannot lock " + location.Parent + "/" + location.Name);
        return EnsureResult::TryElsewhere;
    }
    if (VerifyNamedEntry(base.Get(), name, hash)) return EnsureResult::Ready;
    RemoveLeftovers(base.Get());
    const std::string old = UniqueName(kOldPrefix, hash);
    if (::renameat(base.Get(), name.c_str(), base.Get(), old.c_str()) == 0)
        RemoveTree(base.Get(), old.c_str());

    const std::string temp = UniqueName(kTempPrefix, hash);
    if (::mkdirat(base.Get(), temp.c_str(), kPrivateMode) != 0) {
        problem = Errno("cannot create a folder in " + location.Parent + "/" + location.Name);
        return EnsureResult::TryElsewhere;
    }
    UnpackResult unpacked = UnpackResult::WriteFailed;
    {
        const Fd root(OpenDirAt(base.Get(), temp.c_str()));
        if (root.Ok())
            unpacked = UnpackInto(image, root.Get(), problem);
        else
            problem = Errno("cannot open " + temp);
    }
    if (unpacked != UnpackResult::Done) {
        RemoveTree(base.Get(), temp.c_str());
        return unpacked == UnpackResult::DamagedProgram ? EnsureResult::DamagedProgram
                                                        : EnsureResult::TryElsewhere;
    }
    if (::renameat(base.Get(), temp.c_str(), base.Get(), name.c_str()) != 0) {
        const int error = errno;
        RemoveTree(base.Get(), temp.c_str());
        errno = error;
        problem = Errno("cannot complete " + runtimeDir);
        return EnsureResult::TryElsewhere;
    }
    return EnsureResult::Ready;
}

bool VerifyEntryAt(const std::string& entryDir, uint64_t hash) {
    const Fd entry(::open(entryDir.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    return entry.Ok() && VerifyEntry(entry.Get(), hash);
}

}  // namespace vx::runtime
