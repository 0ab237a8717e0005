#include "storage/MMF.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "app/Errors.h"

namespace vx {
namespace {

constexpr int64_t kMaxStoreSize = WMMF::kMaxSize;
static_assert(kMaxStoreSize == std::numeric_limits<int32_t>::max());

void WriteInt32(char* at, int32_t value) {
    std::memcpy(at, &value, 4);
}

int32_t ReadInt32(const char* at) {
    int32_t value;
    std::memcpy(&value, at, 4);
    return value;
}

}  // namespace

WMMF::WMMF(const std::string& fileName, bool inMemory, int32_t growBy, int32_t initialSize)
    : inMemory_(inMemory),
      initialSize_(initialSize < 0 ? 0 : initialSize),
      growBy_(growBy < 0 ? 0 : growBy),
      fileName_(fileName),
      temporary_(fileName.empty()) {
    OpenCreated();
}

WMMF::WMMF(const std::string& fileName, int32_t growBy, OpenMode mode)
    : initialSize_(4096), growBy_(growBy < 0 ? 0 : growBy), fileName_(fileName) {
    OpenExisting(mode);
}

WMMF::~WMMF() {
    try {
        if (inMemory_ && !temporary_ && !fileName_.empty()) {
            platform::FileHandle file = platform::CreateOrReplaceFile(fileName_);
            if (file.IsOpen()) platform::WriteAll(file, heap_.data(), static_cast<size_t>(size_));
        }
        Close();
    } catch (const VxError&) {
        // A destructor cannot report; the data of a temporary store is
        // discarded anyway.
    }
    tempFile_.Delete();
}

void WMMF::FailOpen() const {
    throw EFileError(EFileError::Kind::Open, fileName_);
}

const platform::FileHandle& WMMF::BackingFileHandle() const {
    return tempFile_.IsOpen() ? tempFile_.Handle() : file_;
}

void WMMF::OpenCreated() {
    position_ = 0;
    if (inMemory_ && initialSize_ < kHeapLimit) {
        heap_.assign(static_cast<size_t>(initialSize_), 0);
        base_ = heap_.data();
        size_ = capacity_ = initialSize_;
        textEnd_ = base_ + size_;
        return;
    }
    inMemory_ = false;
    if (temporary_) {
        tempFile_ = platform::NewTempFile();
        if (!tempFile_.IsOpen()) throw EFileError(EFileError::Kind::Create, platform::TempFolder());
        fileName_ = tempFile_.Path();
    } else {
        file_ = platform::CreateOrReplaceFile(fileName_);
        if (!file_.IsOpen()) throw EFileError(EFileError::Kind::Create, fileName_);
    }
    size_ = capacity_ = initialSize_;
    MapWhole(true);
}

void WMMF::OpenExisting(OpenMode mode) {
    position_ = 0;
    writable_ = mode == OpenMode::ReadWrite;
    file_ = platform::OpenExistingFile(
        fileName_, writable_ ? platform::FileAccess::ReadWrite : platform::FileAccess::Read);
    if (!file_.IsOpen()) FailOpen();
    const int64_t length = platform::FileLength(file_);
    // The stream works with 32-bit positions: larger files are refused.
    if (length < 0 || length > kMaxStoreSize) FailOpen();
    size_ = capacity_ = static_cast<int32_t>(length);
    MapWhole(writable_);
}

void WMMF::MapWhole(bool writable) {
    const platform::FileHandle& file = BackingFileHandle();
    // A created file gets its disk blocks before it is mapped: a full disk
    // must be an error here, not a SIGBUS at the first write to a page.
    if (writable) Reserve(capacity_);
    if (!view_.Map(file, static_cast<size_t>(capacity_), writable)) FailOpen();
    base_ = view_.Data();
    textEnd_ = base_ + size_;
}

void WMMF::Close() {
    heap_.clear();
    heap_.shrink_to_fit();
    bool ok = view_.Flush();
    ok = view_.Unmap() && ok;
    ok = file_.Close() && ok;
    base_ = nullptr;
    textEnd_ = nullptr;
    if (!ok) throw EFileError(EFileError::Kind::Stream, fileName_);
}

void WMMF::Flush() {
    if (!inMemory_) view_.Flush();
}

int32_t WMMF::RawRead(void* buffer, int32_t count) {
    if (position_ < 0 || count <= 0 || position_ >= size_) return 0;
    const int32_t n = std::min(count, size_ - position_);
    std::memcpy(buffer, base_ + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int32_t WMMF::RawWrite(const void* buffer, int32_t count) {
    const int32_t p = position_;
    const int64_t end = static_cast<int64_t>(p) + count;
    if (p < 0 || count < 0 || end <= 0) return p;
    if (end > size_) {
        if (end > capacity_) Grow(end);
        size_ = static_cast<int32_t>(end);
        textEnd_ = base_ + size_;
    }
    if (count > 0) std::memcpy(base_ + p, buffer, static_cast<size_t>(count));
    position_ = static_cast<int32_t>(end);
    return p;
}

int32_t WMMF::RawSeek(int32_t offset, int origin) {
    int64_t target = position_;
    switch (origin) {
        case kFromStart:
            target = offset;
            break;
        case kFromPosition:
            target = static_cast<int64_t>(position_) + offset;
            break;
        case kFromSize:
            target = static_cast<int64_t>(size_) + offset;
            break;
        default:
            break;
    }
    if (target >= std::numeric_limits<int32_t>::min() && target <= kMaxStoreSize)
        position_ = static_cast<int32_t>(target);
    return position_;
}

void WMMF::Grow(int64_t newSize) {
    const int64_t newCapacity = newSize + growBy_;
    if (newCapacity > kMaxStoreSize) FailOpen();
    if (inMemory_ && newCapacity < kHeapLimit) {
        heap_.resize(static_cast<size_t>(newCapacity), 0);
        base_ = heap_.data();
        capacity_ = static_cast<int32_t>(newCapacity);
        textEnd_ = base_ + size_;
        return;
    }
    // A mapped store grows by half its size at least: remapping costs in
    // proportion to what is mapped, so fixed small steps would make a long
    // run of appends quadratic.
    const int64_t grown =
        inMemory_ ? newCapacity
                  : std::min(std::max(newCapacity, static_cast<int64_t>(capacity_) * 3 / 2),
                             kMaxStoreSize);
    // The room is reserved while the old contents are still in place, so a
    // full disk leaves the store as it was.
    if (inMemory_) {
        Spill(grown);
    } else {
        Reserve(grown);
        view_.Flush();
        view_.Unmap();
    }
    capacity_ = static_cast<int32_t>(grown);
    MapWhole(true);
}

void WMMF::Reserve(int64_t length) const {
    if (!platform::ReserveFileLength(BackingFileHandle(), length))
        throw EInOutError("Error with I/O writing " + fileName_ + ": " + platform::LastErrorText());
}

// Moves a store that outgrew the heap into its backing file.
void WMMF::Spill(int64_t newCapacity) {
    if (temporary_) {
        tempFile_ = platform::NewTempFile();
        if (!tempFile_.IsOpen()) throw EFileError(EFileError::Kind::Create, platform::TempFolder());
        fileName_ = tempFile_.Path();
    } else {
        file_ = platform::CreateOrReplaceFile(fileName_);
        if (!file_.IsOpen()) throw EFileError(EFileError::Kind::Create, fileName_);
    }
    if (!platform::WriteAll(BackingFileHandle(), heap_.data(), static_cast<size_t>(capacity_)))
        throw EInOutError("Error with I/O writing " + fileName_ + ": " + platform::LastErrorText());
    Reserve(newCapacity);
    heap_.clear();
    heap_.shrink_to_fit();
    inMemory_ = false;
}

WVersionMMF::WVersionMMF(const std::string& fileName, int32_t growBy, int32_t initialSize)
    : WMMF(fileName, true, growBy, initialSize) {
    Reset();
}

void WVersionMMF::Reset() {
    char header[kDataStart];
    WriteInt32(header, 1);
    WriteInt32(header + 4, kDataStart);
    RawSeek(0, kFromStart);
    RawWrite(header, kDataStart);
}

int32_t WVersionMMF::UsedLength() const {
    return ReadInt32(PointerAt(4));
}
void WVersionMMF::SetUsedLength(int32_t value) {
    WriteInt32(PointerAt(4), value);
}

int32_t WVersionMMF::Write(const void* buffer, int32_t count) {
    const int32_t at = RawWrite(buffer, count);
    if (count > 0 && UsedLength() < at + count) SetUsedLength(at + count);
    return at;
}

void WVersionMMF::Append(const void* buffer, int32_t count) {
    Seek(UsedLength(), kFromStart);
    Write(buffer, count);
}

int32_t WVersionMMF::AppendText(std::string_view text) {
    Seek(UsedLength(), kFromStart);
    return Write(text.data(), static_cast<int32_t>(text.size()));
}

void WVersionMMF::AppendZeros(int32_t n) {
    static const std::vector<char> zeros(65536, 0);
    Seek(UsedLength(), kFromStart);
    while (n > 65535) {
        Write(zeros.data(), 65536);
        n -= 65536;
    }
    if (n > 0) Write(zeros.data(), n);
}

}  // namespace vx
