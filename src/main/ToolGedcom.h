// What the subcommands that read a GEDCOM file share: loading it as the
// viewer does, naming individuals, making one active, the highlight group of
// a condition string, and messages on the terminal.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/Services.h"

namespace vx {
class FamilyAnalysis;
class WGEDCollection;
class WHLGroup;
}  // namespace vx

namespace vx::tool {

class ToolArgs;

// Loads the file with the default settings (as if no settings file existed).
std::unique_ptr<WGEDCollection> LoadGedcom(const std::string& path);

// Individual number `text`; a UsageError for no number, a VxError for a
// number that names nobody.
int32_t PersonNumber(const WGEDCollection& collection, const std::string& text);

// The person a list or report starts from: `given`, else individual 1, else
// (a file without individuals, where the list is simply empty) 0.
int32_t BasePerson(const WGEDCollection& collection, const std::optional<std::string>& given);

// The viewer starts on individual 1 and then moves to n; each move shows the
// person's summary as the scroller's hint, which puts the children of that
// person's families in birth order.
void MakeActive(const WGEDCollection& collection, int32_t n);

// The highlight group of the --conditions string, prepared.
std::unique_ptr<WHLGroup> ConditionGroup(FamilyAnalysis& analysis, const ToolArgs& parsed);

// Messages the core would show in a box go to the terminal, installed for
// the object's lifetime.
class TerminalMessages : public UiServices {
  public:
    explicit TerminalMessages(std::string prefix);
    ~TerminalMessages() override;
    void ShowMessage(const std::string& text) override;

  private:
    std::string prefix_;
};

}  // namespace vx::tool
