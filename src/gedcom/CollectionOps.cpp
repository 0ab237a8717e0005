// Relations between people, answered through the abstract records: every
// operation asks for the individual or family objects it needs and frees
// them before returning.
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"

namespace vx {
namespace {

// The family with number f when it exists.
std::unique_ptr<WABSMarriage> FamilyIfAny(const WABSCollection& c, int32_t f) {
    return (f > 0 && f <= c.FamilyCount()) ? c.Family(f) : nullptr;
}

// Whether any spouse family of n satisfies `test`.
template <class Test>
bool AnySpouseFamily(const WABSCollection& c, int32_t n, Test test) {
    auto person = c.Individual(n);
    if (!person) return false;
    for (int i = 1; i <= person->SpouseFamilyCount(); ++i)
        if (auto family = FamilyIfAny(c, person->SpouseFamily(i)); family && test(*family))
            return true;
    return false;
}

}  // namespace

int32_t WABSCollection::FatherOf(int32_t n) const {
    auto person = Individual(n);
    if (!person || person->ParentFamilyCount() == 0) return 0;
    auto family = FamilyIfAny(*this, person->ParentFamily(1));
    return family ? family->Husband() : 0;
}

int32_t WABSCollection::MotherOf(int32_t n) const {
    auto person = Individual(n);
    if (!person || person->ParentFamilyCount() == 0) return 0;
    auto family = FamilyIfAny(*this, person->ParentFamily(1));
    return family ? family->Wife() : 0;
}

int32_t WABSCollection::SpouseOf(int32_t n, int k) const {
    auto person = Individual(n);
    if (!person || k < 1 || k > person->SpouseFamilyCount()) return 0;
    auto family = FamilyIfAny(*this, person->SpouseFamily(k));
    if (!family) return 0;
    return family->Husband() == n ? family->Wife() : family->Husband();
}

int32_t WABSCollection::CommonSpouseFamily(int32_t a, int32_t b) const {
    auto first = Individual(a);
    auto second = Individual(b);
    if (!first || !second) return 0;
    for (int i = 1; i <= first->SpouseFamilyCount(); ++i)
        for (int j = 1; j <= second->SpouseFamilyCount(); ++j)
            if (first->SpouseFamily(i) == second->SpouseFamily(j)) return first->SpouseFamily(i);
    return 0;
}

bool WABSCollection::HasChildren(int32_t n) const {
    return AnySpouseFamily(*this, n, [](const WABSMarriage& f) { return f.ChildCount() > 0; });
}

int WABSCollection::ChildrenCount(int32_t n) const {
    auto person = Individual(n);
    if (!person) return 0;
    int count = 0;
    for (int i = 1; i <= person->SpouseFamilyCount(); ++i)
        if (auto family = FamilyIfAny(*this, person->SpouseFamily(i)))
            count += family->ChildCount();
    return count;
}

namespace {

int CountChildrenOfSex(const WABSCollection& c, int32_t n, const char* sex) {
    auto person = c.Individual(n);
    if (!person) return 0;
    int count = 0;
    for (int i = 1; i <= person->SpouseFamilyCount(); ++i) {
        auto family = FamilyIfAny(c, person->SpouseFamily(i));
        if (!family) continue;
        for (int k = 1; k <= family->ChildCount(); ++k)
            if (auto child = c.Individual(family->Child(k)); child && child->Sex() == sex) ++count;
    }
    return count;
}

}  // namespace

int WABSCollection::SonsCount(int32_t n) const {
    return CountChildrenOfSex(*this, n, "M");
}
int WABSCollection::DaughtersCount(int32_t n) const {
    return CountChildrenOfSex(*this, n, "F");
}

int WABSCollection::ParentsCount(int32_t n) const {
    auto person = Individual(n);
    if (!person) return 0;
    int count = 0;
    for (int i = 1; i <= person->ParentFamilyCount(); ++i)
        if (auto family = FamilyIfAny(*this, person->ParentFamily(i)))
            count += (family->Husband() != 0) + (family->Wife() != 0);
    return count;
}

bool WABSCollection::HasFamilyLinks(int32_t n) const {
    auto person = Individual(n);
    return person && (person->ParentFamily(1) != 0 || person->SpouseFamilyCount() > 0);
}

std::string WABSCollection::FullNameOf(int32_t n) const {
    auto person = Individual(n);
    return person ? person->FullName(true) : std::string();
}

std::string WABSCollection::DisplayNameOf(int32_t n) const {
    auto person = Individual(n);
    return person ? person->DisplayName() : std::string();
}

std::string WABSCollection::DisplayNameWithBirth(int32_t n) const {
    auto person = Individual(n);
    return person ? person->DisplayName() + ", " + person->EventDatePlaceText(kEventBirth)
                  : std::string();
}

int32_t WABSCollection::NearestRelative(int32_t n, int& relation, int k) const {
    relation = 0;
    if (n == 0) return 0;
    if (const int32_t father = FatherOf(n)) {
        relation = 1;
        return father;
    }
    if (const int32_t mother = MotherOf(n)) {
        relation = 2;
        return mother;
    }
    const int32_t spouse = SpouseInMarriage(n, k);
    if (spouse) relation = 3;
    return spouse;
}

int32_t WABSCollection::SpouseInMarriage(int32_t n, int k) const {
    auto person = Individual(n);
    if (!person || person->SpouseFamilyCount() == 0) return 0;
    auto family = FamilyIfAny(*this, person->SpouseFamily(std::max(k, 1)));
    if (!family) return 0;
    return family->Wife() == n ? family->Husband() : family->Wife();
}

int32_t WABSCollection::NearestRelativeSpouseFirst(int32_t n, int& relation, int k) const {
    relation = 0;
    if (n == 0) return 0;
    if (const int32_t spouse = SpouseInMarriage(n, k)) {
        relation = 3;
        return spouse;
    }
    if (const int32_t father = FatherOf(n)) {
        relation = 1;
        return father;
    }
    if (const int32_t mother = MotherOf(n)) {
        relation = 2;
        return mother;
    }
    return 0;
}

bool WABSCollection::FamilyHasSources(int32_t n) const {
    return AnySpouseFamily(*this, n, [](const WABSMarriage& f) { return f.CitationCount() > 0; });
}

bool WABSCollection::FamilyHasNotes(int32_t n) const {
    return AnySpouseFamily(*this, n, [](const WABSMarriage& f) { return !f.NoteText().empty(); });
}

bool WABSCollection::HasSourcesWithFamilies(int32_t n) const {
    auto person = Individual(n);
    return person && (person->HasSources() || FamilyHasSources(n));
}

bool WABSCollection::HasNotesWithFamilies(int32_t n) const {
    auto person = Individual(n);
    return person && (person->HasNotes() || FamilyHasNotes(n));
}

std::unique_ptr<WABSLDSEvent> WABSCollection::SpouseSealing(int32_t n, int k) const {
    auto person = Individual(n);
    if (!person || k < 1 || k > person->SpouseFamilyCount()) return nullptr;
    auto family = FamilyIfAny(*this, person->SpouseFamily(k));
    return family ? family->Sealing() : nullptr;
}

bool WABSCollection::HasSpouseSealing(int32_t n, int k) const {
    auto person = Individual(n);
    if (!person) return false;
    const int count = person->SpouseFamilyCount();
    if (k >= 1 && k <= count) return SpouseSealing(n, k) != nullptr;
    for (int i = 1; i <= count; ++i)
        if (SpouseSealing(n, i)) return true;
    return false;
}

std::string WABSCollection::SpouseSealingDateText(int32_t n, int k) const {
    auto sealing = SpouseSealing(n, k);
    return sealing ? sealing->DateText() : std::string();
}

std::string WABSCollection::SpouseSealingTempleText(int32_t n, int k, bool livingForm) const {
    auto sealing = SpouseSealing(n, k);
    if (!sealing) return {};
    if (livingForm && !sealing->HasTemple()) return "Live";
    return sealing->PlaceText();
}

std::string WABSCollection::PersonSummary(int32_t n) const {
    auto person = Individual(n);
    if (!person) return {};
    // One person per line of a family block: "< " marks someone with
    // children, then the birth year (or eight blanks) and the name.
    auto personLine = [this](int32_t c, bool longForm) -> std::string {
        auto other = Individual(c);
        if (c == 0 || !other) return "<No Given Name>";
        if (!longForm) return other->DisplayName();
        std::string line = HasChildren(c) ? "< " : "   ";
        const int year = other->EventYear(kEventBirth);
        line += year != 0 ? std::to_string(year) + " " : std::string(8, ' ');
        return line + other->DisplayName();
    };
    std::string text = "Name :" + person->DisplayName() + "\r\nSex    :" + person->Sex() +
                       "\r\nBirth   :" + person->EventDatePlaceText(kEventBirth) +
                       "\r\nChr     :" + person->EventDatePlaceText(kEventChristening) +
                       "\r\nDeath :" + person->EventDatePlaceText(kEventDeath) +
                       "\r\nBur     :" + person->EventDatePlaceText(kEventBurial) +
                       "\r\nAge     :" + person->AgeText() +
                       "\r\nFather :" + DisplayNameOf(FatherOf(n)) +
                       "\r\nMother :" + DisplayNameOf(MotherOf(n));
    if (person->SpouseFamilyCount() == 0) return text;
    std::string block;
    for (int i = 1; i <= person->SpouseFamilyCount(); ++i) {
        auto family = FamilyIfAny(*this, person->SpouseFamily(i));
        if (!family) continue;
        block += "Spouse: " + personLine(family->OtherSpouse(n), false) + "\r\n";
        block += "   Mar. Date: " + family->MarriageDateText() + ", " +
                 family->MarriagePlaceText() + "\r\n";
        family->SortChildren();
        for (int k = 1; k <= family->ChildCount(); ++k)
            block += "   " + personLine(family->Child(k), true) + "\r\n";
    }
    if (block.size() >= 2) block.erase(block.size() - 2);
    return text + "\r\n" + block;
}

}  // namespace vx
