#include "gedcom/GEDRepository.h"

#include "gedcom/GEDCollection.h"
#include "gedcom/GEDRecordLines.h"

namespace vx {
namespace {

// The value's lines (with CONC and CONT) joined by `separator`, converted.
std::string JoinedValue(const WGEDCollection& collection, const char* value,
                        const char* separator) {
    std::string joined;
    const auto lines = ContinuedText(collection.GedFile(), value);
    for (size_t i = 0; i < lines.size(); ++i)
        joined += (i ? separator : "") + lines[i];
    return collection.ConvertText(joined);
}

}  // namespace

WGEDAddress::WGEDAddress(const WGEDCollection& collection, const char* addrLine)
    : collection_(collection) {
    const WGEDTextMMF& text = collection.GedFile();
    if (!text.Contains(addrLine)) return;
    struct Tag {
        const char* tag;
        FieldIndex field;
    };
    static constexpr Tag kTags[] = {{"ADDR", kAddress}, {"ADR1", kAddress1}, {"ADR2", kAddress2},
                                    {"CITY", kCity},    {"STAE", kState},    {"POST", kPostalCode},
                                    {"CTRY", kCountry}, {"PHON", kPhone}};
    auto take = [&](const char* line) {
        for (const Tag& t : kTags)
            if (text.TagIs(line, t.tag)) values_[t.field] = ValueOf(text, line);
    };
    take(addrLine);
    ForEachLineInRecord(text, addrLine, take);
}

std::string WGEDAddress::Field(FieldIndex field) const {
    if (!values_[field]) return {};
    if (!cache_[field]) cache_[field] = JoinedValue(collection_, values_[field], "\r\n");
    return *cache_[field];
}

WGEDRepo::WGEDRepo(const WGEDCollection& collection, const char* recordLine)
    : collection_(collection), recordLine_(recordLine) {
    const WGEDTextMMF& text = collection.GedFile();
    if (!text.Contains(recordLine)) return;
    ForEachLineInRecord(text, recordLine, [&](const char* line) {
        if (text.TagIs(line, "NAME")) nameValue_ = ValueOf(text, line);
        if (text.TagIs(line, "ADDR")) addrLine_ = line;
    });
}

std::string WGEDRepo::RepoName() const {
    if (!nameValue_) return {};
    if (!name_) name_ = JoinedValue(collection_, nameValue_, "\r");
    return *name_;
}

std::unique_ptr<WABSAddress> WGEDRepo::Address() const {
    return addrLine_ ? std::make_unique<WGEDAddress>(collection_, addrLine_) : nullptr;
}

std::string WGEDRepo::RecordText() const {
    return collection_.ConvertText(RawRecordText(collection_.GedFile(), recordLine_));
}

WGEDSubmitter::WGEDSubmitter(const WGEDCollection& collection, const char* recordLine)
    : collection_(collection), recordLine_(recordLine) {}

std::string WGEDSubmitter::ValueOfFirst(const char* tag) const {
    const WGEDTextMMF& text = collection_.GedFile();
    if (!text.Contains(recordLine_)) return {};
    const char* found = nullptr;
    ForEachLineInRecord(text, recordLine_, [&](const char* line) {
        if (!found && text.TagIs(line, tag)) found = line;
    });
    return found ? collection_.ConvertText(LineValueAfterTag(text, found)) : std::string();
}

std::string WGEDSubmitter::Email() const {
    std::string email = ValueOfFirst("_EMA");
    return email.empty() ? ValueOfFirst("EMAI") : email;
}

std::string WGEDSubmitter::AddressLine(size_t index) const {
    if (!addressLines_) {
        addressLines_.emplace();
        const WGEDTextMMF& text = collection_.GedFile();
        const char* addr = nullptr;
        if (text.Contains(recordLine_))
            ForEachLineInRecord(text, recordLine_, [&](const char* line) {
                if (!addr && text.TagIs(line, "ADDR")) addr = line;
            });
        if (addr) *addressLines_ = ContinuedText(text, ValueOf(text, addr));
    }
    return index < addressLines_->size() ? collection_.ConvertText((*addressLines_)[index])
                                         : std::string();
}

std::string WGEDSubmitter::RecordText() const {
    return collection_.ConvertText(RawRecordText(collection_.GedFile(), recordLine_));
}

}  // namespace vx
