#include "main/ToolGedcom.h"

#include <cstdio>

#include "app/Errors.h"
#include "app/Options.h"
#include "app/TextUtil.h"
#include "gedcom/GEDCollection.h"
#include "highlight/HLGroup.h"
#include "main/ToolArgs.h"
#include "platform/FileHandle.h"

namespace vx::tool {

std::unique_ptr<WGEDCollection> LoadGedcom(const std::string& path) {
    WOptions::ResetToDefaults();
    // An empty file cannot be mapped; say what is wrong with it rather
    // than that it cannot be opened.
    if (const platform::FileHandle file =
            platform::OpenExistingFile(path, platform::FileAccess::Read);
        file.IsOpen() && platform::FileLength(file) == 0)
        throw VxError(path + " is empty: it holds no GEDCOM records");
    std::string error;
    auto collection = OpenCollection(path, WABSCollection::kKindGedcom, error);
    if (!collection) throw VxError(OneLine(error));
    if (!collection->Load()) throw VxError("loading " + path + " was cancelled");
    collection->AfterLoad();
    return collection;
}

int32_t PersonNumber(const WGEDCollection& collection, const std::string& text) {
    int32_t n = 0;
    if (!ParseInt(text, n)) throw UsageError("not an individual number: " + text);
    if (n < 1 || n > collection.IndividualCount())
        throw VxError("there is no individual " + text + " (the file holds " +
                      std::to_string(collection.IndividualCount()) + ")");
    return n;
}

int32_t BasePerson(const WGEDCollection& collection, const std::optional<std::string>& given) {
    if (!given && collection.IndividualCount() == 0) return 0;
    return PersonNumber(collection, given.value_or("1"));
}

void MakeActive(const WGEDCollection& collection, int32_t n) {
    collection.PersonSummary(1);
    if (n != 1) collection.PersonSummary(n);
}

std::unique_ptr<WHLGroup> ConditionGroup(FamilyAnalysis& analysis, const ToolArgs& parsed) {
    const auto conditions = parsed.Value("conditions");
    if (!conditions) throw UsageError("--conditions is required");
    auto group = std::make_unique<WHLGroup>(&analysis);
    group->SetConditionString(*conditions);
    group->Refresh();
    return group;
}

TerminalMessages::TerminalMessages(std::string prefix) : prefix_(std::move(prefix)) {
    SetUiServices(this);
}

TerminalMessages::~TerminalMessages() {
    SetUiServices(nullptr);
}

void TerminalMessages::ShowMessage(const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", prefix_.c_str(), ForTerminal(text).c_str());
}

}  // namespace vx::tool
