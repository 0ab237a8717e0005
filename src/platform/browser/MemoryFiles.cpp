#include "platform/browser/MemoryFiles.h"

#include <ctime>
#include <map>

namespace vx::platform {
namespace {

struct OpenFile {
    std::shared_ptr<MemoryFileBytes> bytes;
    int64_t position = 0;
    int64_t created = 0;
};

// Descriptors start above the standard streams, like real ones.
constexpr int kFirstDescriptor = 3;

std::map<std::string, std::shared_ptr<MemoryFileBytes>>& Files() {
    static std::map<std::string, std::shared_ptr<MemoryFileBytes>> files;
    return files;
}

std::map<int, OpenFile>& Descriptors() {
    static std::map<int, OpenFile> descriptors;
    return descriptors;
}

int NewDescriptor(std::shared_ptr<MemoryFileBytes> bytes) {
    auto& descriptors = Descriptors();
    int fd = kFirstDescriptor;
    for (const auto& [taken, open] : descriptors) {
        if (taken != fd) break;
        ++fd;
    }
    descriptors[fd] = OpenFile{std::move(bytes), 0, static_cast<int64_t>(std::time(nullptr))};
    return fd;
}

OpenFile* Lookup(int fd) {
    auto found = Descriptors().find(fd);
    return found == Descriptors().end() ? nullptr : &found->second;
}

}  // namespace

void PutMemoryFile(const std::string& path, MemoryFileBytes bytes) {
    Files()[path] = std::make_shared<MemoryFileBytes>(std::move(bytes));
}

void ClearMemoryFiles() {
    Descriptors().clear();
    Files().clear();
}

namespace memfs {

std::shared_ptr<MemoryFileBytes> Find(const std::string& path) {
    auto found = Files().find(path);
    return found == Files().end() ? nullptr : found->second;
}

bool Remove(const std::string& path) {
    return Files().erase(path) > 0;
}

int Create(const std::string& path, CreateMode mode) {
    auto& files = Files();
    if (mode == CreateMode::Exclusive && files.count(path) > 0) return -1;
    auto bytes = std::make_shared<MemoryFileBytes>();
    files[path] = bytes;
    return NewDescriptor(std::move(bytes));
}

int Open(const std::string& path) {
    auto bytes = Find(path);
    return bytes ? NewDescriptor(std::move(bytes)) : -1;
}

bool Close(int fd) {
    return Descriptors().erase(fd) > 0;
}

int64_t CreatedTime(int fd) {
    OpenFile* open = Lookup(fd);
    return open ? open->created : -1;
}

MemoryFileBytes* Bytes(int fd) {
    OpenFile* open = Lookup(fd);
    return open ? open->bytes.get() : nullptr;
}

int64_t* Position(int fd) {
    OpenFile* open = Lookup(fd);
    return open ? &open->position : nullptr;
}

}  // namespace memfs
}  // namespace vx::platform
