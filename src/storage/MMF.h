// Files mapped into memory and used as seekable byte streams.
//
// WMMF is the base: a store that either lives in a heap block (while small)
// or in a mapped file, and can grow. WVersionMMF adds an 8-byte header and
// append operations; every index array of the program keeps its records in
// one. WMMFReadOnly maps an existing file read-only (the GEDCOM text).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileHandle.h"
#include "platform/MemoryMap.h"
#include "platform/TempFiles.h"

namespace vx {

class WMMF {
  public:
    // Heap blocks below this size keep a store out of the file system.
    static constexpr int32_t kHeapLimit = 65536;
    // The stream works with 32-bit positions: no store or mapped file is
    // larger (the largest GEDCOM file the program can open).
    static constexpr int64_t kMaxSize = 0x7FFFFFFF;

    enum class OpenMode { ReadOnly, ReadWrite };
    // Where a seek counts from.
    enum SeekOrigin : int { kFromStart = 0, kFromPosition = 1, kFromSize = 2 };

    // Creates a new store. An empty file name makes it temporary: it lives in
    // memory (when wished and small) and otherwise in a locked "vor*.tmp"
    // file that is deleted with the store. A named store replaces its file.
    WMMF(const std::string& fileName, bool inMemory, int32_t growBy, int32_t initialSize);
    // Maps an existing file. Errors: EFileError (open) when the file cannot
    // be opened, is empty, is not a regular file or cannot be mapped.
    WMMF(const std::string& fileName, int32_t growBy, OpenMode mode);
    virtual ~WMMF();
    WMMF(const WMMF&) = delete;
    WMMF& operator=(const WMMF&) = delete;

    // The raw layer: byte copies at the stream position.
    virtual int32_t RawRead(void* buffer, int32_t count);
    // Returns the position at which the bytes were written.
    virtual int32_t RawWrite(const void* buffer, int32_t count);
    // `origin` is a SeekOrigin.
    virtual int32_t RawSeek(int32_t offset, int origin);
    // The stream layer that callers use; WVersionMMF overrides Write.
    virtual int32_t Read(void* buffer, int32_t count) { return RawRead(buffer, count); }
    virtual int32_t Write(const void* buffer, int32_t count) { return RawWrite(buffer, count); }
    virtual int32_t Seek(int32_t offset, int origin) { return RawSeek(offset, origin); }

    // Flushes, unmaps and closes. Errors: EFileError (stream).
    void Close();
    void Flush();

    char* PointerAt(int32_t offset) const { return base_ + offset; }
    int32_t DataSize() const { return size_; }
    int32_t Capacity() const { return capacity_; }
    int32_t Position() const { return position_; }
    bool InMemory() const { return inMemory_; }
    bool Temporary() const { return temporary_; }
    // The backing file: the given name, or the temporary file once the
    // store has spilled; empty for a temporary store still in memory.
    const std::string& BackingFileName() const { return fileName_; }
    const platform::FileHandle& BackingFileHandle() const;

  protected:
    const char* Base() const { return base_; }
    const char* TextEnd() const { return textEnd_; }

  private:
    void OpenCreated();
    void OpenExisting(OpenMode mode);
    void MapWhole(bool writable);
    void Grow(int64_t newSize);
    // Errors: EInOutError when the disk has no room for `length` bytes.
    void Reserve(int64_t length) const;
    void Spill(int64_t newCapacity);
    [[noreturn]] void FailOpen() const;

    bool inMemory_ = false;
    char* base_ = nullptr;
    const char* textEnd_ = nullptr;
    int32_t size_ = 0;
    int32_t initialSize_ = 0;
    int32_t capacity_ = 0;
    int32_t position_ = 0;
    int32_t growBy_ = 0;
    std::string fileName_;
    bool temporary_ = false;
    bool writable_ = true;

    std::vector<char> heap_;
    platform::FileHandle file_;    // named backing file
    platform::TempFile tempFile_;  // temporary backing file, locked
    platform::MemoryMap view_;
};

// An append-only store: version 1 and the used length ahead of the data.
class WVersionMMF : public WMMF {
  public:
    static constexpr int32_t kDataStart = 8;

    WVersionMMF(const std::string& fileName, int32_t growBy, int32_t initialSize);

    void Reset();
    void Clear() { Reset(); }
    int32_t UsedLength() const;
    void SetUsedLength(int32_t value);
    int32_t DataStart() const { return kDataStart; }

    // Raw write that also moves the used length past the bytes written.
    int32_t Write(const void* buffer, int32_t count) override;
    void Append(const void* buffer, int32_t count);
    // Returns the offset at which the text starts (no terminator is written).
    int32_t AppendText(std::string_view text);
    void AppendZeros(int32_t n);
};

// An existing file mapped read-only; the GEDCOM text.
class WMMFReadOnly : public WMMF {
  public:
    explicit WMMFReadOnly(const std::string& fileName) : WMMF(fileName, 0, OpenMode::ReadOnly) {}
};

}  // namespace vx
