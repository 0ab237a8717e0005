#include "privacy/LivingPrivacy.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "privacy/GedcomLines.h"
#include "privacy/LivingRule.h"

namespace vx::privacy {
namespace {

struct ModeName {
    LivingMode Mode;
    std::string_view Name;
};
constexpr ModeName kModeNames[] = {
    {LivingMode::Keep, "keep"},
    {LivingMode::NameOnly, "name-only"},
    {LivingMode::Hide, "hide"},
};

// What a private record keeps at level 1.
constexpr std::string_view kPersonKeeps[] = {"NAME", "SEX", "FAMC", "FAMS"};
constexpr std::string_view kFamilyKeeps[] = {"HUSB", "WIFE", "CHIL"};
// Below a kept line these still go: they carry notes, citations and media.
constexpr std::string_view kDetailTags[] = {"NOTE", "SOUR", "OBJE"};
// Under a hidden NAME only the surname's parts stay (GIVN is rewritten).
constexpr std::string_view kHiddenNameKeeps[] = {"GIVN", "SURN", "SPFX", "NSFX", "TYPE"};
// Records left out when only removed lines pointed at them.
constexpr std::string_view kDependentRecords[] = {"NOTE", "SOUR", "OBJE"};

template <size_t N>
bool OneOf(std::string_view tag, const std::string_view (&tags)[N]) {
    return std::find(std::begin(tags), std::end(tags), tag) != std::end(tags);
}

// The line with its value replaced, keeping its start and line break.
std::string WithValue(const GedLine& line, std::string_view value) {
    const size_t valueStart = static_cast<size_t>(line.Value.data() - line.Whole.data());
    const size_t valueEnd = valueStart + line.Value.size();
    std::string text(line.Whole.substr(0, valueStart));
    if (line.Value.empty()) text += ' ';
    text += value;
    text += line.Whole.substr(valueEnd);
    return text;
}

// "Given /Surname/ suffix" as "Living /Surname/ suffix".
std::string HiddenName(std::string_view name) {
    const size_t slash = name.find('/');
    if (slash == std::string_view::npos) return std::string(kHiddenGivenName);
    return std::string(kHiddenGivenName) + " " + std::string(name.substr(slash));
}

class Rewriter {
  public:
    Rewriter(std::string_view text, LivingMode mode) : mode_(mode) {
        lines_ = SplitGedcomLines(text);
        records_ = SplitGedcomRecords(lines_);
        keep_.assign(lines_.size(), 1);
    }

    PrivacyResult Run(int currentYear) {
        PrivacyResult result;
        for (const GedRecord& record : records_)
            if (record.Tag == "INDI") ++result.IndividualCount;
        if (mode_ != LivingMode::Keep) {
            const auto living = FindLivingPeople(lines_, records_, currentYear);
            for (const GedRecord& record : records_) {
                if (record.Tag == "INDI" && living.count(record.XRef)) {
                    FilterPerson(record);
                    ++result.PrivateCount;
                } else if (record.Tag == "FAM" && AllSpousesLiving(record, living)) {
                    FilterRecord(record, kFamilyKeeps, false);
                }
            }
            result.RemovedRecords = DropUnreferencedRecords();
        }
        result.Text = Assemble();
        return result;
    }

  private:
    bool AllSpousesLiving(const GedRecord& record,
                          const std::unordered_set<std::string_view>& living) const {
        int spouses = 0;
        for (size_t i = record.First + 1; i < record.End; ++i) {
            const GedLine& line = lines_[i];
            if (line.Level != 1 || (line.Tag != "HUSB" && line.Tag != "WIFE")) continue;
            if (!living.count(line.Value)) return false;
            ++spouses;
        }
        return spouses > 0;
    }

    void FilterPerson(const GedRecord& record) { FilterRecord(record, kPersonKeeps, true); }

    // Keeps the record's level-1 lines of `keeps` with their sub-lines,
    // except the sub-trees of notes, citations and media.
    template <size_t N>
    void FilterRecord(const GedRecord& record, const std::string_view (&keeps)[N], bool person) {
        const bool hide = person && mode_ == LivingMode::Hide;
        int dropBelow = -1;  // dropping lines deeper than this level
        std::string_view level1;
        for (size_t i = record.First + 1; i < record.End; ++i) {
            const GedLine& line = lines_[i];
            if (dropBelow >= 0 && (line.Level < 0 || line.Level > dropBelow)) {
                keep_[i] = 0;
                continue;
            }
            dropBelow = -1;
            bool drop = false;
            if (line.Level == 1) {
                level1 = line.Tag;
                drop = !OneOf(line.Tag, keeps);
                if (!drop && hide && line.Tag == "NAME")
                    replaced_[i] = WithValue(line, HiddenName(line.Value));
            } else if (line.Level >= 2) {
                drop = OneOf(line.Tag, kDetailTags);
                if (hide && level1 == "NAME" && line.Level == 2) {
                    drop = drop || !OneOf(line.Tag, kHiddenNameKeeps);
                    if (!drop && line.Tag == "GIVN")
                        replaced_[i] = WithValue(line, kHiddenGivenName);
                }
            } else {
                keep_[i] = 0;  // an unreadable line inside a private record
                continue;
            }
            if (drop) {
                keep_[i] = 0;
                dropBelow = line.Level;
            }
        }
    }

    // Leaves out the notes, sources and media that removed lines pointed at
    // and no kept line does, until nothing more goes.
    int DropUnreferencedRecords() {
        int dropped = 0;
        std::vector<char> recordKept(records_.size(), 1);
        for (bool changed = true; changed;) {
            changed = false;
            std::unordered_set<std::string_view> kept, removed;
            for (size_t i = 0; i < lines_.size(); ++i)
                if (IsPointer(lines_[i].Value)) (keep_[i] ? kept : removed).insert(lines_[i].Value);
            for (size_t r = 0; r < records_.size(); ++r) {
                const GedRecord& record = records_[r];
                if (!recordKept[r] || !OneOf(record.Tag, kDependentRecords)) continue;
                if (!removed.count(record.XRef) || kept.count(record.XRef)) continue;
                recordKept[r] = 0;
                std::fill(keep_.begin() + static_cast<std::ptrdiff_t>(record.First),
                          keep_.begin() + static_cast<std::ptrdiff_t>(record.End), 0);
                ++dropped;
                changed = true;
            }
        }
        return dropped;
    }

    std::string Assemble() const {
        std::string text;
        size_t size = 0;
        for (const GedLine& line : lines_)
            size += line.Whole.size();
        text.reserve(size);
        for (size_t i = 0; i < lines_.size(); ++i) {
            if (!keep_[i]) continue;
            const auto found = replaced_.find(i);
            if (found != replaced_.end())
                text += found->second;
            else
                text += lines_[i].Whole;
        }
        return text;
    }

    LivingMode mode_;
    std::vector<GedLine> lines_;
    std::vector<GedRecord> records_;
    std::vector<char> keep_;
    std::unordered_map<size_t, std::string> replaced_;
};

}  // namespace

std::string_view LivingModeName(LivingMode mode) {
    for (const ModeName& entry : kModeNames)
        if (entry.Mode == mode) return entry.Name;
    return {};
}

bool ParseLivingMode(std::string_view name, LivingMode& mode) {
    for (const ModeName& entry : kModeNames) {
        if (entry.Name != name) continue;
        mode = entry.Mode;
        return true;
    }
    return false;
}

PrivacyResult MakeLivingPrivate(std::string_view text, LivingMode mode, int currentYear) {
    return Rewriter(text, mode).Run(currentYear);
}

}  // namespace vx::privacy
