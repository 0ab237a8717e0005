#include "packing/Packer.h"

#include <limits>
#include <memory>
#include <vector>

#include "app/Unicode.h"
#include "archive/Compressor.h"
#include "archive/GedcomEncoding.h"
#include "archive/ViewerMark.h"
#include "platform/FileHandle.h"
#include "platform/OutputFile.h"
#include "records/Date.h"
#include "storage/MMF.h"

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

// Reports progress and honours a cancel.
class ProgressSink {
  public:
    ProgressSink(const TPackRequest& request, int64_t total)
        : report_(request.Progress), total_(total) {}
    void Add(int64_t bytes) {
        done_ += bytes;
        if (report_ && !report_(std::min(done_, total_), total_)) throw EPackCancelled();
    }

  private:
    const std::function<bool(int64_t, int64_t)>& report_;
    int64_t total_;
    int64_t done_ = 0;
};

// The image bytes of the viewer file: the whole file, or its first
// ViewerLength bytes when it is a packed program file.
int64_t ViewerImageLength(const TPackRequest& request, int64_t viewerSize) {
    if (request.ViewerLength > 0) {
        if (request.ViewerLength > viewerSize)
            throw EPackRefused("the viewer " + request.ViewerPath + " is shorter than its image");
        return request.ViewerLength;
    }
    if (HasPayloadMarker(request.ViewerPath))
        throw EPackRefused("the viewer " + request.ViewerPath +
                           " already carries a GEDCOM; give the plain viewer");
    return viewerSize;
}

}  // namespace

TPackResult PackProgram(const TPackRequest& request) {
    platform::FileHandle viewer = OpenInput(request.ViewerPath, "viewer");
    const int64_t viewerFileSize = platform::FileLength(viewer);
    if (viewerFileSize <= 0) throw EPackRefused("the viewer " + request.ViewerPath + " is empty");
    const int64_t viewerSize = ViewerImageLength(request, viewerFileSize);
    if (viewerSize > std::numeric_limits<int32_t>::max())
        throw EPackRefused("the viewer " + request.ViewerPath + " is larger than 2 GB");
    if (request.RequireViewerMark && !IsViewerImage(request.ViewerPath))
        throw EPackRefused("the viewer " + request.ViewerPath +
                           " is not the Vellacor viewer; give the vellacor program");

    platform::FileHandle gedcom = OpenInput(request.GedcomPath, "GEDCOM file");
    const int64_t gedcomSize = platform::FileLength(gedcom);
    if (gedcomSize <= 0) throw EPackRefused("the GEDCOM file " + request.GedcomPath + " is empty");
    if (gedcomSize > kMaxGedcomBytes) throw TooLarge(request.GedcomPath, gedcomSize);
    // The viewer reads UTF-16 files too; converting them is optional, and
    // makes the packed text half the size.
    const bool rewrite = request.Living != privacy::LivingMode::Keep;
    const Utf16Order utf16 =
        request.ConvertUtf16 || rewrite
            ? DetectUtf16(
                  ReadRange(gedcom, 0, std::min<int64_t>(gedcomSize, 2), request.GedcomPath))
            : Utf16Order::None;

    // Every text must fit before anything is written.
    SenderRecord sender = request.Sender;
    sender.Magic = SenderRecord::kMagic;
    sender.ToBytes();

    TPackResult result;
    // A converted or rewritten text is made whole before anything is written.
    std::string text;
    const bool inMemory = utf16 != Utf16Order::None || rewrite;
    if (inMemory) {
        text = ReadRange(gedcom, 0, gedcomSize, request.GedcomPath);
        if (utf16 != Utf16Order::None)
            text = SetGedcomCharset(Utf16ToUtf8(text, utf16 == Utf16Order::LittleEndian), "UTF-8");
        if (rewrite) {
            const int year = request.CurrentYear != 0 ? request.CurrentYear : Today().Year;
            privacy::PrivacyResult privacy = privacy::MakeLivingPrivate(text, request.Living, year);
            text = std::move(privacy.Text);
            result.PrivateCount = privacy.PrivateCount;
            result.IndividualCount = privacy.IndividualCount;
        }
        if (text.empty()) throw EPackRefused("the GEDCOM file " + request.GedcomPath + " is empty");
        if (static_cast<int64_t>(text.size()) > kMaxGedcomBytes)
            throw TooLarge(request.GedcomPath, static_cast<int64_t>(text.size()));
    }
    const int64_t textSize = inMemory ? static_cast<int64_t>(text.size()) : gedcomSize;

    ProgressSink progress(request, viewerSize + textSize);
    PackOutput out(request.OutputPath, {request.GedcomPath, request.ViewerPath});
    for (int64_t offset = 0; offset < viewerSize; offset += kChunk) {
        const int64_t length = std::min<int64_t>(kChunk, viewerSize - offset);
        out.Write(ReadRange(viewer, offset, length, request.ViewerPath));
        progress.Add(length);
    }

    TArchiveWriter writer([&out](const std::string& bytes) { out.Write(bytes); },
                          request.BlockSize);
    for (int64_t offset = 0; offset < textSize; offset += kChunk) {
        const int64_t length = std::min<int64_t>(kChunk, textSize - offset);
        if (inMemory)
            writer.Add(std::string_view(text).substr(static_cast<size_t>(offset),
                                                     static_cast<size_t>(length)));
        else
            writer.Add(ReadRange(gedcom, offset, length, request.GedcomPath));
        progress.Add(length);
    }
    result.GedcomBytes = textSize;
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
