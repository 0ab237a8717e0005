#include "privacy/LivingRule.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "records/Date.h"

namespace vx::privacy {

const char* const kLivingRuleText =
    "A person is dead when they have a death or burial date, or a death or\n"
    "burial line that says \"Y\". Otherwise, with a birth date (or, lacking one,\n"
    "a christening date), they count as living when that year is fewer than\n"
    "110 years before the current year. With none of those four dates they\n"
    "count as living unless a child was born or christened more than 110 years\n"
    "ago, a parent more than 150 years ago, or a spouse died or was buried more\n"
    "than 100 years ago. Of a date range or period the later year counts.\n";

namespace {

struct PersonFacts {
    int BirthYear = 0;  // birth, else christening; 0: none
    int DeathYear = 0;  // death, else burial; 0: none
    bool Dead = false;  // a death or burial date, or "Y"
    std::vector<std::string_view> SpouseFamilies;
    std::vector<std::string_view> ParentFamilies;
};

struct FamilyFacts {
    std::vector<std::string_view> Spouses;
    std::vector<std::string_view> Children;
};

// The later year a date allows (a range's or period's second year); 0 when
// the text names no year.
int LatestYear(std::string_view text) {
    const WDate date(text);
    if (!date.HasText()) return 0;
    return std::max(date.Year(), date.Date2().Year);
}

bool Is(std::string_view tag, std::string_view name) {
    return tag == name;
}

PersonFacts ReadPerson(const std::vector<GedLine>& lines, const GedRecord& record) {
    PersonFacts person;
    int birth = 0, christening = 0, death = 0, burial = 0;
    std::string_view event;  // the level-1 tag the lines below belong to
    for (size_t i = record.First + 1; i < record.End; ++i) {
        const GedLine& line = lines[i];
        if (line.Level == 1) {
            event = line.Tag;
            if (Is(event, "FAMS") && IsPointer(line.Value))
                person.SpouseFamilies.push_back(line.Value);
            if (Is(event, "FAMC") && IsPointer(line.Value))
                person.ParentFamilies.push_back(line.Value);
            if ((Is(event, "DEAT") || Is(event, "BURI")) &&
                (line.Value == "Y" || line.Value == "y"))
                person.Dead = true;
            continue;
        }
        if (line.Level != 2 || !Is(line.Tag, "DATE") || line.Value.empty()) continue;
        const bool deathLike = Is(event, "DEAT") || Is(event, "BURI");
        if (deathLike) person.Dead = true;
        const int year = LatestYear(line.Value);
        if (year <= 0) continue;
        int* slot = Is(event, "BIRT")   ? &birth
                    : Is(event, "CHR")  ? &christening
                    : Is(event, "DEAT") ? &death
                    : Is(event, "BURI") ? &burial
                                        : nullptr;
        if (slot && *slot == 0) *slot = year;
    }
    person.BirthYear = birth != 0 ? birth : christening;
    person.DeathYear = death != 0 ? death : burial;
    return person;
}

FamilyFacts ReadFamily(const std::vector<GedLine>& lines, const GedRecord& record) {
    FamilyFacts family;
    for (size_t i = record.First + 1; i < record.End; ++i) {
        const GedLine& line = lines[i];
        if (line.Level != 1 || !IsPointer(line.Value)) continue;
        if (Is(line.Tag, "HUSB") || Is(line.Tag, "WIFE")) family.Spouses.push_back(line.Value);
        if (Is(line.Tag, "CHIL")) family.Children.push_back(line.Value);
    }
    return family;
}

}  // namespace

std::unordered_set<std::string_view> FindLivingPeople(const std::vector<GedLine>& lines,
                                                      const std::vector<GedRecord>& records,
                                                      int currentYear) {
    std::unordered_map<std::string_view, PersonFacts> people;
    std::unordered_map<std::string_view, FamilyFacts> families;
    std::vector<std::string_view> order;
    for (const GedRecord& record : records) {
        if (record.Tag == "INDI") {
            people.emplace(record.XRef, ReadPerson(lines, record));
            order.push_back(record.XRef);
        } else if (record.Tag == "FAM") {
            families.emplace(record.XRef, ReadFamily(lines, record));
        }
    }
    const auto person = [&people](std::string_view xref) -> const PersonFacts* {
        const auto found = people.find(xref);
        return found == people.end() ? nullptr : &found->second;
    };
    const auto yearsAgo = [currentYear](int year) { return currentYear - year; };

    std::unordered_set<std::string_view> living;
    for (std::string_view xref : order) {
        const PersonFacts& facts = people[xref];
        if (facts.Dead) continue;
        if (facts.BirthYear != 0) {
            if (yearsAgo(facts.BirthYear) < kMaxLivingAge) living.insert(xref);
            continue;
        }
        bool relativesShowDead = false;
        for (std::string_view id : facts.SpouseFamilies) {
            const auto family = families.find(id);
            if (family == families.end()) continue;
            for (std::string_view child : family->second.Children)
                if (const PersonFacts* c = person(child);
                    c && c->BirthYear != 0 && yearsAgo(c->BirthYear) > kChildBornYearsAgo)
                    relativesShowDead = true;
            for (std::string_view spouse : family->second.Spouses)
                if (const PersonFacts* s = person(spouse);
                    s && spouse != xref && s->DeathYear != 0 &&
                    yearsAgo(s->DeathYear) > kSpouseDiedYearsAgo)
                    relativesShowDead = true;
        }
        for (std::string_view id : facts.ParentFamilies) {
            const auto family = families.find(id);
            if (family == families.end()) continue;
            for (std::string_view parent : family->second.Spouses)
                if (const PersonFacts* p = person(parent);
                    p && p->BirthYear != 0 && yearsAgo(p->BirthYear) > kParentBornYearsAgo)
                    relativesShowDead = true;
        }
        if (!relativesShowDead) living.insert(xref);
    }
    return living;
}

}  // namespace vx::privacy
