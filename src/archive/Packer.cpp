#include "archive/Packer.h"

#include <limits>
#include <memory>
#include <vector>

#include "archive/Compressor.h"
#include "archive/GedcomEncoding.h"
#include "archive/ViewerMark.h"
#include "gedcom/MMF.h"
#include "platform/FileHandle.h"
#include "platform/OutputFile.h"

namespace vx {
namespace {

constexpr size_t kChunk = 1 << 20;

platform::FileHandle OpenInput(const std::string& path, const char* what) {
    platform::FileHandle file = platform::OpenExistingFile(path, platform::FileAccess::Read);
    if (!file.IsOpen())
        throw EPackRefused(std::string("cannot open the ") + what + " " + path + ": " +
                           platform::LastErrorText());
    return file;
}

// The largest GEDCOM file the viewer can open once it is expanded.
constexpr int64_t kMaxGedcomBytes = WMMF::kMaxSize;

EPackRefused TooLarge(const std::string& path, int64_t bytes) {
    return EPackRefused("the GEDCOM file " + path + " is " + std::to_string(bytes) +
                        " bytes long; the viewer opens files up to " +
                        std::to_string(kMaxGedcomBytes) + " bytes");
}

// Reads a whole file region, or throws.
std::string ReadRange(const platform::FileHandle& file, int64_t offset, int64_t length,
                      const std::string& path) {
    std::string bytes(static_cast<size_t>(length), '\0');
    int64_t done = 0;
    while (done < length) {
        const int64_t got = platform::ReadAt(file, bytes.data() + done,
                                             static_cast<size_t>(length - done), offset + done);
        if (got <= 0) throw EInOutError("Error with I/O reading " + path);
        done += got;
    }
    return bytes;
}

// The output file while it is written (a new file beside the target, or a
// character device written directly); it replaces the target only once
// complete, and is removed on any failure.
class PackOutput {
  public:
    PackOutput(const std::string& target, const std::vector<std::string>& inputs)
        : target_(target) {
        switch (file_.Open(target, inputs)) {
            case platform::OutputFile::Status::Ready:
                return;
            case platform::OutputFile::Status::IsAnInput:
                throw EPackRefused("the output " + target + " would replace an input");
            case platform::OutputFile::Status::NotRegular:
                throw EPackRefused("the output " + target +
                                   " exists and is not a regular file; nothing written");
            case platform::OutputFile::Status::CannotCreate:
                break;
        }
        throw EInOutError("cannot create " + target + ": " + platform::LastErrorText());
    }
    void Write(std::string_view bytes) {
        if (!platform::WriteAll(file_.Handle(), bytes.data(), bytes.size()))
            throw EInOutError("Error with I/O writing " + file_.Path() + ": " +
                              platform::LastErrorText());
        written_ += static_cast<int64_t>(bytes.size());
    }
    int64_t Written() const { return written_; }
    void Commit() {
        if (!file_.Commit(kProgramMode))
            throw EInOutError("cannot complete " + target_ + ": " + platform::LastErrorText());
    }

  private:
    // rwxr-xr-x: a program anyone may run.
    static constexpr unsigned kProgramMode = 0755;

    std::string target_;
    platform::OutputFile file_;
    int64_t written_ = 0;
};

}  // namespace

TPackResult PackProgram(const TPackRequest& request) {
    platform::FileHandle viewer = OpenInput(request.ViewerPath, "viewer");
    const int64_t viewerSize = platform::FileLength(viewer);
    if (viewerSize <= 0) throw EPackRefused("the viewer " + request.ViewerPath + " is empty");
    if (viewerSize > std::numeric_limits<int32_t>::max())
        throw EPackRefused("the viewer " + request.ViewerPath + " is larger than 2 GB");
    if (HasPayloadMarker(request.ViewerPath))
        throw EPackRefused("the viewer " + request.ViewerPath +
                           " already carries a GEDCOM; give the plain viewer");
    if (!IsViewerImage(request.ViewerPath))
        throw EPackRefused("the viewer " + request.ViewerPath +
                           " is not the Vellacor viewer; give the vellacor program");

    platform::FileHandle gedcom = OpenInput(request.GedcomPath, "GEDCOM file");
    const int64_t gedcomSize = platform::FileLength(gedcom);
    if (gedcomSize <= 0) throw EPackRefused("the GEDCOM file " + request.GedcomPath + " is empty");
    if (gedcomSize > kMaxGedcomBytes) throw TooLarge(request.GedcomPath, gedcomSize);
    const TUtf16Kind utf16 =
        DetectUtf16(ReadRange(gedcom, 0, std::min<int64_t>(gedcomSize, 2), request.GedcomPath));
    if (utf16 != TUtf16Kind::None && !request.ConvertUtf16)
        throw EPackRefused("the GEDCOM file " + request.GedcomPath +
                           " is UTF-16, which the viewer cannot read; "
                           "use --convert-utf16 to pack it as UTF-8");

    // Every text must fit before anything is written.
    SenderRecord sender = request.Sender;
    sender.Magic = SenderRecord::kMagic;
    sender.ToBytes();

    PackOutput out(request.OutputPath, {request.GedcomPath, request.ViewerPath});
    TPackResult result;
    for (int64_t offset = 0; offset < viewerSize; offset += kChunk)
        out.Write(ReadRange(viewer, offset, std::min<int64_t>(kChunk, viewerSize - offset),
                            request.ViewerPath));

    TArchiveWriter writer([&out](const std::string& bytes) { out.Write(bytes); },
                          request.BlockSize);
    if (utf16 != TUtf16Kind::None) {
        const std::string text = SetGedcomCharset(
            Utf16ToUtf8(ReadRange(gedcom, 0, gedcomSize, request.GedcomPath)), "UTF-8");
        if (static_cast<int64_t>(text.size()) > kMaxGedcomBytes)
            throw TooLarge(request.GedcomPath, static_cast<int64_t>(text.size()));
        writer.Add(text);
        result.GedcomBytes = static_cast<int64_t>(text.size());
    } else {
        for (int64_t offset = 0; offset < gedcomSize; offset += kChunk)
            writer.Add(ReadRange(gedcom, offset, std::min<int64_t>(kChunk, gedcomSize - offset),
                                 request.GedcomPath));
        result.GedcomBytes = gedcomSize;
    }
    result.BlockCount = writer.Finish();
    result.ArchiveBytes = writer.BytesWritten();

    sender.ArchiveOffset = static_cast<int32_t>(viewerSize);
    sender.BlockCount = result.BlockCount;
    out.Write(sender.ToBytes());
    result.OutputBytes = out.Written();
    out.Commit();
    return result;
}

}  // namespace vx
