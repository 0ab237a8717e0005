#include "exports/IndividualPage.h"

#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>

#include "app/Options.h"
#include "app/TextUtil.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"

namespace vx {
namespace {

// Family rows are indented under the marriage unless the rows are in date
// order.
constexpr const char* kIndent = "     ";

struct EventRowKind {
    int kind;
    const char* type;
};
constexpr EventRowKind kVitalRows[] = {{kEventBirth, "Birth"},
                                       {kEventChristening, "Christening"},
                                       {kEventDeath, "Death"},
                                       {kEventBurial, "Burial"}};
constexpr EventRowKind kLDSRows[] = {{kLDSBaptism, "LDS Baptism"},
                                     {kLDSEndowment, "LDS Endowment"},
                                     {kLDSSealingToParents, "LDS SP"}};

// Ages and the date order need a recognised date with a year.
bool IsUsable(const WDate* date) {
    return date && date->HasText() && date->IsRecognised() && date->Year() != 0;
}

// Whole calendar years from `from` to the later date `to`: a year counts once
// its anniversary is reached. Months and days count only where both dates
// give them.
int64_t WholeYears(const WDate& from, const WDate& to) {
    int64_t years = static_cast<int64_t>(to.Year()) - from.Year();
    if (from.Month() != 0 && to.Month() != 0 &&
        (to.Month() < from.Month() ||
         (to.Month() == from.Month() && from.Day() != 0 && to.Day() != 0 && to.Day() < from.Day())))
        --years;
    return years < 0 ? 0 : years;
}

std::string JoinNonEmpty(std::initializer_list<const std::string*> parts) {
    std::string text;
    for (const std::string* part : parts) {
        if (part->empty()) continue;
        if (!text.empty()) text += ", ";
        text += *part;
    }
    return text;
}

std::string SexLetter(const WABSIndividual& person) {
    const std::string sex = UpperText(person.Sex());
    return sex == "F" || sex == "M" ? sex : "U";
}

class PageBuilder {
  public:
    PageBuilder(const WABSCollection& collection, const WABSIndividual& person,
                const IndividualPageOptions& options)
        : collection_(collection), person_(person), options_(options) {
        // Ages count from the birth, failing that from the christening.
        for (int kind : {kEventBirth, kEventChristening}) {
            auto event = person_.Event(kind, 1);
            if (event && IsUsable(event->Date())) {
                base_ = *event->Date();
                baseFromChristening_ = kind == kEventChristening;
                break;
            }
        }
    }

    std::vector<IndividualRow> Build(const std::string& sex) {
        const int32_t n = person_.Number();
        IndividualRow ids;
        ids.type = "REF/AFN/Custom";
        ids.information = person_.XRef() + " / " + person_.AFN() + " / " + person_.RefNumber();
        ids.notes = person_.NoteText();
        ids.sources = person_.CitationsText();
        Add(std::move(ids), nullptr);

        IndividualRow name = PersonRow(n);
        name.type = "Name";
        name.information = person_.FullName(true);
        if (auto record = person_.Name()) {
            name.notes = record->NoteText();
            name.sources = record->CitationsText();
        }
        Add(std::move(name), nullptr);

        if (options_.sexAndModifyRows) {
            IndividualRow sexRow;
            sexRow.type = "Sex";
            sexRow.information = sex == "F" ? "Female" : sex == "M" ? "Male" : "Unknown";
            Add(std::move(sexRow), nullptr);
            IndividualRow modified;
            modified.type = "Modify Date";
            modified.date = person_.ChangeDateText();
            Add(std::move(modified), nullptr);
        }
        const size_t sortFrom = rows_.size();

        for (const EventRowKind& vital : kVitalRows)
            AddEventOrType(vital.type, person_.Event(vital.kind, 1).get());
        if (options_.useLDS)
            for (const EventRowKind& lds : kLDSRows)
                AddEventOrType(lds.type, person_.LDSEvent(lds.kind).get());

        for (int i = 1; i <= person_.EventCount(kEventOther); ++i) {
            if (auto event = person_.Event(kEventOther, i)) {
                AddEventRow(event->EventName(), *event);
            } else {
                IndividualRow unreadable;
                unreadable.type = "User Event";
                Add(std::move(unreadable), nullptr);
            }
        }

        AddParents();
        for (int i = 1; i <= person_.SpouseFamilyCount(); ++i)
            AddSpouseFamily(i, person_.SpouseFamily(i));

        if (options_.chronological) SortByDate(sortFrom);
        std::vector<IndividualRow> rows;
        rows.reserve(rows_.size());
        for (Pending& pending : rows_)
            rows.push_back(std::move(pending.row));
        return rows;
    }

  private:
    struct Pending {
        IndividualRow row;
        std::optional<WDate> sortDate;
    };

    void Add(IndividualRow row, const WDate* sortDate) {
        if (rows_.size() >= static_cast<size_t>(kMaxIndividualRows)) return;
        Pending pending{std::move(row), std::nullopt};
        if (sortDate) pending.sortDate = *sortDate;
        rows_.push_back(std::move(pending));
    }

    // A row that stands for individual n, in n's colours.
    IndividualRow PersonRow(int32_t n) const {
        IndividualRow row;
        row.individual = n;
        if (options_.highlight && n != 0) {
            row.background = options_.highlight->BackgroundColor(n);
            row.textColor = options_.highlight->TextColor(n);
        }
        return row;
    }

    // "-----" for the date ages count from, else the whole years from it,
    // negative before it, in brackets when counted from the christening.
    std::string Age(const WDate* date) const {
        if (!base_ || !IsUsable(date)) return {};
        const int order = date->Compare(*base_);
        if (order == 0) return "-----";
        const int64_t years = order < 0 ? WholeYears(*date, *base_) : WholeYears(*base_, *date);
        std::string text = (order < 0 && years != 0 ? "-" : "") + std::to_string(years);
        return baseFromChristening_ ? "[" + text + "]" : text;
    }

    void AddEventRow(std::string type, const WABSEvent& event) {
        IndividualRow row;
        row.type = std::move(type);
        row.date = event.DateText();
        row.sortDate = event.SortDateText();
        const std::string value = event.Description();
        const std::string place = event.PlaceText();
        row.information = JoinNonEmpty({&value, &place});
        row.age = Age(event.Date());
        row.notes = event.NoteText();
        row.sources = event.CitationsText();
        Add(std::move(row), event.SortDate());
    }

    // Without the event the row keeps its place in the list, unless the
    // rows are in date order.
    void AddEventOrType(const char* type, const WABSEvent* event) {
        if (event) {
            AddEventRow(type, *event);
        } else if (!options_.chronological) {
            IndividualRow row;
            row.type = type;
            Add(std::move(row), nullptr);
        }
    }

    // A parent's or a child's row: born when, summary, the person's notes.
    void AddRelativeRow(std::string type, int32_t n) {
        auto relative = collection_.Individual(n);
        if (!relative) return;
        auto birth = relative->Event(kEventBirth, 1);
        const WDate* date = birth ? birth->Date() : nullptr;
        IndividualRow row = PersonRow(n);
        row.type = std::move(type);
        row.date = birth ? birth->DateText() : std::string();
        row.sortDate = row.date;
        row.information = relative->SummaryLine(true);
        row.age = Age(date);
        row.notes = relative->NoteText();
        row.sources = relative->CitationsText();
        Add(std::move(row), date);
    }

    void AddParents() {
        const int count = person_.ParentFamilyCount();
        for (int i = 1; i <= count; ++i) {
            int32_t familyNumber = 0;
            int motherLink = 0;
            int fatherLink = 0;
            if (!person_.ParentFamilyLink(i, familyNumber, motherLink, fatherLink)) continue;
            auto family = collection_.Family(familyNumber);
            if (!family) continue;
            // The first of several parent families is marked.
            const std::string mark = count > 1 && i == 1 ? " (P)" : "";
            if (family->Husband() != 0)
                AddRelativeRow(collection_.ParentLinkName(fatherLink) + mark, family->Husband());
            if (family->Wife() != 0)
                AddRelativeRow(collection_.ParentLinkName(motherLink) + mark, family->Wife());
        }
    }

    void AddSpouseFamily(int position, int32_t familyNumber) {
        auto family = collection_.Family(familyNumber);
        if (!family) return;
        const int32_t n = person_.Number();
        const std::string indent = options_.chronological ? "" : kIndent;
        const std::string children = " (" + std::to_string(family->ChildCount()) + ")";
        const int32_t spouse = family->OtherSpouse(n);
        if (spouse != 0) {
            IndividualRow row = PersonRow(spouse);
            row.type = family->EventName() + (options_.chronological ? "" : children);
            row.date = family->MarriageDateText();
            row.sortDate = family->SortDateText();
            row.information =
                collection_.FullNameOf(spouse) + ", m. " + family->MarriageDatePlaceText();
            row.age = Age(family->MarriageDate());
            row.notes = family->NoteText();
            row.sources = family->CitationsText();
            Add(std::move(row), family->SortDate());
            if (options_.useLDS && family->HasSealing())
                if (auto sealing = family->Sealing()) AddEventRow(indent + "LDS SS", *sealing);
        } else {
            IndividualRow row;
            row.type = "Marriage " + std::to_string(position) + children;
            row.date = family->MarriageDateText();
            row.sortDate = family->SortDateText();
            row.notes = family->NoteText();
            row.sources = family->CitationsText();
            Add(std::move(row), family->SortDate());
        }

        // The child's word depends on whether this person is the father or
        // the mother in the child's link to the family.
        const bool isHusband = family->Husband() == n;
        for (int i = 1; i <= family->ChildCount(); ++i) {
            const int32_t child = family->Child(i);
            auto person = collection_.Individual(child);
            if (!person) continue;
            std::string type = indent + "Child";
            for (int j = 1; j <= person->ParentFamilyCount(); ++j) {
                int32_t linked = 0;
                int motherLink = 0;
                int fatherLink = 0;
                if (person->ParentFamilyLink(j, linked, motherLink, fatherLink) &&
                    linked == familyNumber) {
                    type = indent + collection_.ChildLinkName(isHusband ? fatherLink : motherLink,
                                                              person->Sex());
                    break;
                }
            }
            AddRelativeRow(std::move(type), child);
        }
    }

    // Rows without a usable date first, by their date texts; then the others
    // by date; equal dates by type. Exchanges as the page always did, so
    // rows with equal keys may change places.
    static bool Before(const Pending& a, const Pending& b) {
        const bool aDated = a.sortDate && IsUsable(&*a.sortDate);
        const bool bDated = b.sortDate && IsUsable(&*b.sortDate);
        if (aDated != bDated) return bDated;
        const int order =
            aDated ? a.sortDate->Compare(*b.sortDate) : CompareText(a.row.sortDate, b.row.sortDate);
        if (order != 0) return order < 0;
        return CompareText(a.row.type, b.row.type) < 0;
    }

    void SortByDate(size_t from) {
        for (size_t i = from; i < rows_.size(); ++i)
            for (size_t j = i + 1; j < rows_.size(); ++j)
                if (Before(rows_[j], rows_[i])) std::swap(rows_[i], rows_[j]);
    }

    const WABSCollection& collection_;
    const WABSIndividual& person_;
    const IndividualPageOptions& options_;
    std::optional<WDate> base_;
    bool baseFromChristening_ = false;
    std::vector<Pending> rows_;
};

}  // namespace

IndividualPageOptions IndividualPageSettings() {
    IndividualPageOptions options;
    options.chronological = WOptions::GetFlag(opt::kChrono);
    options.useLDS = WOptions::GetFlag(opt::kUseLDS);
    return options;
}

IndividualPage BuildIndividualPage(const WABSCollection& collection, int32_t n,
                                   const IndividualPageOptions& options) {
    IndividualPage page;
    auto person = n > 0 ? collection.Individual(n) : nullptr;
    if (!person) return page;
    page.individual = n;
    page.sex = SexLetter(*person);
    page.modified = person->ChangeDateText();
    page.recordText = person->RecordText();
    if (options.highlight) {
        page.background = options.highlight->BackgroundColor(n);
        page.textColor = options.highlight->TextColor(n);
    }
    page.rows = PageBuilder(collection, *person, options).Build(page.sex);
    return page;
}

std::string IndividualCell(const IndividualRow& row, int column) {
    switch (column) {
        case kIndividualNotesColumn:
            return row.notes.empty() ? "" : "N";
        case kIndividualSourcesColumn:
            return row.sources.empty() ? "" : "S";
        case kIndividualTypeColumn:
            return row.type;
        case kIndividualDateColumn:
            return row.date;
        case kIndividualInformationColumn:
            return row.information;
        case kIndividualAgeColumn:
            return row.age;
        default:
            return {};
    }
}

const IndividualRow* SelectedIndividualRow(const IndividualPage& page, int position) {
    if (position < 0 || position >= static_cast<int>(page.rows.size())) return nullptr;
    return &page.rows[static_cast<size_t>(position)];
}

int KeptIndividualSelection(const IndividualPage& page, int position) {
    return SelectedIndividualRow(page, position) ? position : 0;
}

std::string IndividualText(const IndividualPage& page, bool raw) {
    if (page.individual == 0) return {};
    if (raw) return page.recordText;
    std::string text;
    for (const IndividualRow& row : page.rows)
        text += row.type + ": " + JoinNonEmpty({&row.date, &row.information, &row.notes}) + "\r\n";
    return text;
}

std::string IndividualText(const WABSCollection& collection, int32_t individual, bool raw) {
    IndividualPageOptions options = IndividualPageSettings();
    options.sexAndModifyRows = true;
    return IndividualText(BuildIndividualPage(collection, individual, options), raw);
}

}  // namespace vx
