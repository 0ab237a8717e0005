#include "main/ToolGedcom.h"

#include <cstdio>

#include "app/Errors.h"
#include "app/Options.h"
#include "app/TextUtil.h"
#include "gedcom/GEDCollection.h"
#include "highlight/HLGroup.h"
#include "main/ToolArgs.h"

namespace vx::tool {

std::unique_ptr<WGEDCollection> LoadGedcom(const std::string& path) {
    WOptions::ResetToDefaults();
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

void MakeActive(const WGEDCollection& collection, int32_t n) {
    collection.PersonSummary(1);
    if (n != 1) collection.PersonSummary(n);
}

std::unique_ptr<WHLGroup> ConditionGroup(const WGEDCollection& collection, const ToolArgs& parsed) {
    const auto conditions = parsed.Value("conditions");
    if (!conditions) throw UsageError("--conditions is required");
    auto group = std::make_unique<WHLGroup>(&collection);
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
