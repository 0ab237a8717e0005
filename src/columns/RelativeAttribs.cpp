// Attributes about other people: parents and spouse, the relationship to
// the base person with the common ancestor, and the island, with the
// readings their rows give them.
#include <array>

#include "analysis/FamilyAnalysis.h"
#include "analysis/Islands.h"
#include "analysis/RelationShipCalc.h"
#include "app/Services.h"
#include "columns/AttribClasses.h"
#include "columns/AttributeReadings.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"

namespace vx {

std::string WAttribFMS::GetText(int32_t individual, int occurrence) const {
    if (!Person(individual)) return {};
    const char* prefix = "";
    auto person = Person(behaviour_.relative(*collection_, individual, occurrence, prefix));
    if (!person) return {};
    return prefix + (behaviour_.lastFirst ? person->SurnameText() + ", " + person->GivenNames()
                                          : person->FullName(true));
}

WAttribRelation::WAttribRelation(int number, FamilyAnalysis* analysis,
                                 const AttributeBehaviour& behaviour)
    : WAttrib(number, analysis, behaviour), calculator_(std::make_unique<WRelCalc>(collection_)) {}

WAttribRelation::~WAttribRelation() = default;

void WAttribRelation::SetAnalysis(FamilyAnalysis* analysis) {
    WAttrib::SetAnalysis(analysis);
    calculator_ = std::make_unique<WRelCalc>(collection_);
}

std::string WAttribRelation::GetText(int32_t individual, int) const {
    if (!Person(individual)) return {};
    return behaviour_.relation(*calculator_, basePerson_, individual);
}

WAttribIsland::WAttribIsland(int number, FamilyAnalysis* analysis,
                             const AttributeBehaviour& behaviour)
    : WAttrib(number, nullptr, behaviour) {
    SetAnalysis(analysis);
}

void WAttribIsland::SetAnalysis(FamilyAnalysis* analysis) {
    WAttrib::SetAnalysis(analysis);
    if (!analysis || analysis->IslandsComputed()) return;
    WaitScope wait("Calculating Islands.  Please Wait...", false, false);
    analysis->Islands().ComputeIslands();
}

std::string WAttribIsland::GetText(int32_t individual, int) const {
    return std::to_string(GetInt(individual));
}

int32_t WAttribIsland::GetInt(int32_t individual) const {
    return Person(individual) ? analysis_->Islands().IslandRankOf(individual) : 0;
}

// ---- the readings ----

namespace cells {
namespace {

// The names of the relations the nearest-relative look-ups report:
// 1 father, 2 mother, 3 spouse.
constexpr int kRelations = 4;
using RelationPrefixes = std::array<const char*, kRelations>;

const char* PrefixOf(const RelationPrefixes& prefixes, int relation) {
    return relation >= 0 && relation < kRelations ? prefixes[static_cast<size_t>(relation)] : "";
}

}  // namespace

int32_t Father(const WABSCollection& collection, int32_t individual, int, const char*&) {
    return collection.FatherOf(individual);
}

int32_t Mother(const WABSCollection& collection, int32_t individual, int, const char*&) {
    return collection.MotherOf(individual);
}

int32_t Spouse(const WABSCollection& collection, int32_t individual, int occurrence, const char*&) {
    return collection.SpouseInMarriage(individual, occurrence);
}

int32_t FatherMotherOrSpouse(const WABSCollection& collection, int32_t individual, int occurrence,
                             const char*& prefix) {
    static constexpr RelationPrefixes kPrefixes = {"", "", "(M)-", "(S)-"};
    int relation = 0;
    const int32_t relative = collection.NearestRelative(individual, relation, occurrence);
    prefix = PrefixOf(kPrefixes, relation);
    return relative;
}

int32_t SpouseFatherOrMother(const WABSCollection& collection, int32_t individual, int occurrence,
                             const char*& prefix) {
    static constexpr RelationPrefixes kPrefixes = {"", "(F)-", "(M)-", ""};
    int relation = 0;
    const int32_t relative =
        collection.NearestRelativeSpouseFirst(individual, relation, occurrence);
    prefix = PrefixOf(kPrefixes, relation);
    return relative;
}

std::string Relationship(WRelCalc& calculator, int32_t base, int32_t other) {
    return calculator.Relationship(base, other);
}

std::string CommonAncestor(WRelCalc& calculator, int32_t base, int32_t other) {
    // The relationship is worked out first: it finds the common ancestor.
    calculator.Relationship(base, other);
    return calculator.CommonAncestorName(base, other, true);
}

std::string CommonAncestorLastFirst(WRelCalc& calculator, int32_t base, int32_t other) {
    calculator.Relationship(base, other);
    return calculator.CommonAncestorName(base, other, false);
}

}  // namespace cells
}  // namespace vx
