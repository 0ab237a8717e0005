#include "gedcom/GEDCollection.h"

#include <cstring>

#include "app/Services.h"
#include "app/TextUtil.h"
#include "app/Unicode.h"
#include "gedcom/LinkBuilder.h"
#include "platform/FileHandle.h"

namespace vx {
namespace {

// The mapped text is indexed in slices of this many bytes, with queued
// messages let through (and Cancel heard) after each.
constexpr int64_t kIndexSlice = 128 * 1024;

// A record of each index slot, for messages.
constexpr const char* kSlotWords[] = {"",       "individual", "family",     "note",  "source",
                                      "record", "submission", "repository", "object"};

// Two records with one identifier cannot both be reached by links; the
// user hears of it once per load rather than finding people mislinked.
std::string DuplicateIdentifierMessage(const std::array<std::unique_ptr<WXREFIndex>, 9>& xrefs) {
    int64_t total = 0;
    std::string message;
    for (int slot = 1; slot <= 8; ++slot) {
        const WXREFIndex& index = *xrefs[static_cast<size_t>(slot)];
        if (index.DuplicateCount() == 0) continue;
        if (total == 0)
            message = std::string("More than one ") + kSlotWords[slot] + " has the identifier @" +
                      index.FirstDuplicate() + "@";
        total += index.DuplicateCount();
    }
    if (total == 0) return {};
    if (total > 1)
        message += " (" + std::to_string(total) + " identifiers are each used more than once)";
    return message + ". Links to such an identifier lead to the first record that has it.";
}

}  // namespace

WGEDCollection::WGEDCollection(const std::string& path)
    : gedFile_(std::make_unique<WGEDTextMMF>(path)) {
    filePath_ = path;
    fileKind_ = kKindGedcom;
    individualIndex_ = std::make_unique<WGEDIndIndex>();
    for (int slot = 1; slot <= 8; ++slot) {
        if (slot > 1) offsets_[slot] = std::make_unique<WOffsetIndex>();
        xrefs_[slot] = std::make_unique<WXREFIndex>();
    }
    individualLinks_ = std::make_unique<WIndLinks>(0);
    familyLinks_ = std::make_unique<WFamLinks>(0);
}

WGEDCollection::WGEDCollection(platform::TempFile utf8Copy, const std::string& originalPath)
    : WGEDCollection(utf8Copy.Path()) {
    utf8Copy_ = std::move(utf8Copy);
    filePath_ = originalPath;
}

void WGEDCollection::OfferIndexes(RecordIndexSet indexes, int64_t textBytes) {
    if (utf8Copy_.IsOpen() || textBytes != gedFile_->DataSize()) return;
    offeredIndexes_ = std::move(indexes);
}

bool WGEDCollection::Load() {
    header_ = nullptr;
    indexedBeforeLoad_ = offeredIndexes_.has_value();
    if (offeredIndexes_) {
        TakeIndexes(std::move(*offeredIndexes_));
        offeredIndexes_.reset();
    } else if (!WorkCancelled() && !BuildIndexes()) {
        return false;
    }
    if (!WorkCancelled() && FinishIndexes()) BuildLinks();
    charSet_ = static_cast<uint8_t>(DetectCharSet());
    return !WorkCancelled();
}

bool WGEDCollection::BuildIndexes() {
    const WGEDTextMMF& text = *gedFile_;
    const int64_t size = text.TextEnd() - text.TextStart();
    RecordIndexer indexer(RecordIndexSet::ForTextSize(size));
    for (int64_t done = 0; done < size; done += kIndexSlice) {
        indexer.Feed(text.TextStart() + done,
                     static_cast<size_t>(std::min(kIndexSlice, size - done)));
        PumpMessages();
        if (WorkCancelled()) return false;
    }
    TakeIndexes(indexer.Finish());
    return true;
}

void WGEDCollection::TakeIndexes(RecordIndexSet indexes) {
    const WGEDTextMMF& text = *gedFile_;
    header_ = indexes.headerOffset >= 0 && indexes.headerOffset < text.TextEnd() - text.TextStart()
                  ? text.TextStart() + indexes.headerOffset
                  : nullptr;
    individualIndex_ = std::move(indexes.individuals);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (slot > 1) offsets_[slot] = std::move(indexes.offsets[slot]);
        xrefs_[slot] = std::move(indexes.xrefs[slot]);
    }
}

bool WGEDCollection::FinishIndexes() {
    for (int slot = 1; slot <= kSlotCount; ++slot)
        xrefs_[slot]->SortIfNeeded();
    if (WorkCancelled()) return false;
    if (const std::string message = DuplicateIdentifierMessage(xrefs_); !message.empty())
        ShowMessage(message);
    return true;
}

void WGEDCollection::BuildLinks() {
    individualLinks_ = std::make_unique<WIndLinks>(IndividualCount());
    familyLinks_ = std::make_unique<WFamLinks>(FamilyCount());
    BuildFamilyLinks(*this, *individualLinks_, *familyLinks_);
}

int WGEDCollection::DetectCharSet() const {
    // A converted UTF-16 file is UTF-8, whatever its header says.
    if (utf8Copy_.IsOpen()) return kCharSetUtf8;
    if (!header_) return kCharSetNone;
    const WGEDTextMMF& text = *gedFile_;
    std::optional<int> declared;
    ForEachSubLine(header_, [&](const char* line) {
        if (declared || *line != '1' || !text.TagIs(line, "CHAR")) return;
        const std::string value = UpperText(Trim(LineValue(text, text.WithinLine(line, 6))));
        if (value == "ANSEL")
            declared = kCharSetAnsel;
        else if (value == "UTF-8" || value == "UTF8" || value == "UNICODE")
            declared = kCharSetUtf8;
        else
            declared = kCharSetNone;
    });
    if (declared) return *declared;
    // Without a CHAR line, a UTF-8 byte-order mark or GEDCOM 7 (UTF-8 by
    // definition) says UTF-8; anything else is read as Windows-1252.
    const std::string_view start(text.TextStart(),
                                 std::min<size_t>(text.TextEnd() - text.TextStart(), 3));
    if (start == "\xEF\xBB\xBF" || DeclaresGedcom7()) return kCharSetUtf8;
    return kCharSetNone;
}

bool WGEDCollection::DeclaresGedcom7() const {
    const WGEDTextMMF& text = *gedFile_;
    bool seven = false;
    ForEachSubLine(header_, [&](const char* line) {
        if (seven || *line != '1' || !text.TagIs(line, "GEDC")) return;
        const char* version = FirstChildLine(text, line, "VERS");
        seven = version && LineValue(text, text.WithinLine(version, 7)).rfind('7', 0) == 0;
    });
    return seven;
}

int32_t WGEDCollection::RecordByXRef(int slot, std::string_view id) const {
    return (slot >= 1 && slot <= 8) ? xrefs_[slot]->Lookup(id) : 0;
}

int32_t WGEDCollection::IndividualByXRef(std::string_view id) const {
    return RecordByXRef(kSlotIndividual, id);
}
int32_t WGEDCollection::FamilyByXRef(std::string_view id) const {
    return RecordByXRef(kSlotFamily, id);
}
int32_t WGEDCollection::NoteByXRef(std::string_view id) const {
    return RecordByXRef(kSlotNote, id);
}
int32_t WGEDCollection::SourceByXRef(std::string_view id) const {
    return RecordByXRef(kSlotSource, id);
}
int32_t WGEDCollection::RepositoryByXRef(std::string_view id) const {
    return RecordByXRef(kSlotRepository, id);
}

const char* WGEDCollection::RecordLine(int slot, int32_t n) const {
    const int32_t offset =
        slot == kSlotIndividual ? individualIndex_->Offset(n) : offsets_.at(slot)->Offset(n);
    return gedFile_->TextStart() + offset;
}

int64_t WGEDCollection::IndexBytes() const {
    int64_t bytes =
        individualIndex_->UsedBytes() + individualLinks_->UsedBytes() + familyLinks_->UsedBytes();
    for (int slot = 1; slot <= 8; ++slot) {
        if (offsets_[slot]) bytes += offsets_[slot]->UsedBytes();
        bytes += xrefs_[slot]->UsedBytes();
    }
    return bytes;
}

int FileKindOf(std::string_view extension) {
    struct Kind {
        const char* extension;
        int kind;
    };
    constexpr int kGedcom = WABSCollection::kKindGedcom;
    // The numbers above GEDCOM are other programs' own files, which are
    // recognised only to be refused.
    static constexpr Kind kKinds[] = {
        {".ged", kGedcom}, {".tmp", kGedcom}, {".xxx", kGedcom}, {".sub", kGedcom}, {".paf", 2},
        {".ftw", 4},       {".fbk", 4},       {".tmg", 5},       {".pjc", 6},       {".rmg", 7},
    };
    for (const Kind& k : kKinds)
        if (extension == k.extension) return k.kind;
    return WABSCollection::kKindUnknown;
}

namespace {

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const platform::FileHandle& file) {
    const int64_t length = platform::FileLength(file);
    if (length < 0) return std::nullopt;
    std::string bytes(static_cast<size_t>(length), '\0');
    if (platform::ReadAt(file, bytes.data(), bytes.size(), 0) != length) return std::nullopt;
    return bytes;
}

// The UTF-8 text of a UTF-16 file in a new temporary file; not open when
// the file cannot be read or the copy cannot be written.
platform::TempFile Utf8CopyOf(const platform::FileHandle& file, Utf16Order order) {
    const std::optional<std::string> bytes = ReadWholeFile(file);
    if (!bytes) return {};
    const std::string text = Utf16ToUtf8(*bytes, order == Utf16Order::LittleEndian);
    platform::TempFile copy = platform::NewTempFile();
    if (!copy.IsOpen() || !platform::WriteAll(copy.Handle(), text.data(), text.size())) return {};
    return copy;
}

}  // namespace

std::unique_ptr<WGEDCollection> OpenCollection(const std::string& path, int forcedKind,
                                               std::string& error) {
    error.clear();
    int kind = forcedKind;
    if (kind == WABSCollection::kKindUnknown) {
        const std::string lower = LowerText(path);
        const size_t dot = lower.find_last_of('.');
        const size_t slash = lower.find_last_of('/');
        const bool hasExtension =
            dot != std::string::npos && (slash == std::string::npos || dot > slash);
        kind = FileKindOf(hasExtension ? std::string_view(lower).substr(dot) : std::string_view());
    }
    if (kind != WABSCollection::kKindGedcom) {
        error = "Unknown file format";
        return nullptr;
    }
    constexpr size_t kProbeBytes = 2;
    char start[kProbeBytes] = {};
    platform::FileHandle file = platform::OpenExistingFile(path, platform::FileAccess::Read);
    const int64_t got = file.IsOpen() ? platform::ReadAt(file, start, kProbeBytes, 0) : 0;
    const Utf16Order order = DetectUtf16(std::string_view(start, got > 0 ? got : 0));
    if (order == Utf16Order::None) return std::make_unique<WGEDCollection>(path);
    platform::TempFile copy = Utf8CopyOf(file, order);
    if (!copy.IsOpen()) {
        error = "Error: Cannot convert the UTF-16 GEDCOM file\r" + path;
        return nullptr;
    }
    return std::make_unique<WGEDCollection>(std::move(copy), path);
}

}  // namespace vx
