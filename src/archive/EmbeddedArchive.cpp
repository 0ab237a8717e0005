#include "archive/EmbeddedArchive.h"

#include <algorithm>
#include <memory>

#include "app/Errors.h"
#include "archive/ArchiveErrors.h"
#include "archive/BlockMan.h"
#include "platform/FileHandle.h"
#include "platform/SystemInfo.h"

namespace vx {
namespace {

constexpr int64_t kTrailerSize = SenderRecord::kSize;
constexpr size_t kCopyChunk = 65536;

platform::FileHandle OpenProgram(const std::string& path) {
    platform::FileHandle file = platform::OpenExistingFile(path, platform::FileAccess::Read);
    if (!file.IsOpen()) throw EFileError(EFileError::Kind::Open, path);
    return file;
}

TPayloadLayout ReadLayout(const platform::FileHandle& program, const std::string& path) {
    TPayloadLayout layout;
    layout.FileSize = platform::FileLength(program);
    if (layout.FileSize < kTrailerSize) {
        // A short file without the marker is simply not a packed program.
        if (!HasPayloadMarker(path)) return layout;
        throw EArchiveCorrupt(path + " is too short to carry a GEDCOM.");
    }
    uint8_t bytes[SenderRecord::kSize];
    if (platform::ReadAt(program, bytes, sizeof bytes, layout.FileSize - kTrailerSize) !=
        kTrailerSize)
        throw EInOutError("Error with I/O reading " + path + ": " + platform::LastErrorText());
    layout.Sender = SenderRecord::FromBytes(bytes);
    layout.MarkerFound = layout.Sender.Magic == SenderRecord::kMagic;
    layout.ArchiveOffset = layout.Sender.ArchiveOffset;
    layout.ArchiveSize = layout.FileSize - kTrailerSize - layout.ArchiveOffset;
    return layout;
}

// Copies the archive bytes of the program file into `target`.
void CopyArchive(const platform::FileHandle& program, const TPayloadLayout& layout,
                 const platform::TempFile& target) {
    std::unique_ptr<char[]> chunk(new char[kCopyChunk]);
    int64_t offset = layout.ArchiveOffset;
    int64_t left = layout.ArchiveSize;
    while (left > 0) {
        const size_t want = static_cast<size_t>(std::min<int64_t>(left, kCopyChunk));
        const int64_t got = platform::ReadAt(program, chunk.get(), want, offset);
        if (got <= 0) break;
        if (!platform::WriteAll(target.Handle(), chunk.get(), static_cast<size_t>(got)))
            throw EInOutError("Error with I/O writing " + target.Path() + ": " +
                              platform::LastErrorText());
        offset += got;
        left -= got;
    }
}

platform::TempFile NewTempFileOrThrow() {
    platform::TempFile file = platform::NewTempFile();
    if (!file.IsOpen()) throw EFileError(EFileError::Kind::Create, platform::TempFolder());
    return file;
}

}  // namespace

void TPayloadLayout::CheckArchiveInsideFile() const {
    if (!ArchiveInsideFile())
        throw EArchiveCorrupt("The archive offset " + std::to_string(ArchiveOffset) +
                              " lies outside the file (" + std::to_string(FileSize) +
                              " bytes with a " + std::to_string(kTrailerSize) +
                              "-byte trailer); the file is corrupt.");
}

int64_t DeclaredGedcomBytes(const TPayloadLayout& layout) {
    const int64_t blocks = layout.Sender.BlockCount;
    return blocks > 1 ? (blocks - 1) * TBlockMan::kMaxBlockBytes + 1 : 0;
}

void CheckPayloadFits(const TPayloadLayout& layout, int64_t freeBytes, const std::string& folder) {
    const int64_t declared = DeclaredGedcomBytes(layout);
    if (declared > kMaxGedcomBytes)
        throw EPayloadRefused("The GEDCOM in this file is too large to open: its " +
                              std::to_string(layout.Sender.BlockCount) + " blocks hold more than " +
                              std::to_string(kMaxGedcomBytes) + " bytes.");
    const int64_t needed = declared + std::max<int64_t>(layout.ArchiveSize, 0);
    if (freeBytes >= 0 && needed > freeBytes)
        throw EPayloadRefused("There is not enough free space in the temporary folder " + folder +
                              " to unpack this file: it needs at least " + std::to_string(needed) +
                              " bytes, " + std::to_string(freeBytes) + " are free.");
}

TPayloadLayout ReadPayloadLayout(const std::string& programPath) {
    return ReadLayout(OpenProgram(programPath), programPath);
}

TExpandedPayload ExpandEmbeddedArchive(const std::string& programPath,
                                       const std::string& outputPath,
                                       WRESCompress::CrcMismatchHandler onCrcMismatch,
                                       bool forViewer, TBlockScheduler::BlockSink sink) {
    TExpandedPayload result;
    {
        platform::FileHandle program = OpenProgram(programPath);
        result.Layout = ReadLayout(program, programPath);
        result.Layout.CheckArchiveInsideFile();
        if (forViewer) {
            const std::string folder = platform::TempFolder();
            CheckPayloadFits(result.Layout, platform::FreeBytes(folder), folder);
        }
        platform::TempFile archive = NewTempFileOrThrow();
        CopyArchive(program, result.Layout, archive);
        program.Close();

        WRESCompress expander;
        expander.SetCrcMismatchHandler(std::move(onCrcMismatch));
        expander.SetBlockSink(std::move(sink));
        if (forViewer) expander.SetOutputLimit(kMaxGedcomBytes);
        expander.Expand(archive.Path(), outputPath, result.Layout.Sender.BlockCount);
        result.BadBlocks = expander.BadBlocks();
    }
    return result;
}

TEmbeddedGedcom LoadEmbeddedGedcom(const std::string& programPath,
                                   WRESCompress::CrcMismatchHandler onCrcMismatch,
                                   TBlockScheduler::BlockSink sink) {
    TEmbeddedGedcom gedcom;
    gedcom.File = NewTempFileOrThrow();
    gedcom.Payload = ExpandEmbeddedArchive(programPath, gedcom.File.Path(),
                                           std::move(onCrcMismatch), true, std::move(sink));
    return gedcom;
}

}  // namespace vx
