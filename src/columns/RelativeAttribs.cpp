// Attributes about other people: parents and spouse, the relationship to
// the base person with the common ancestor, and the island.
#include "analysis/RelationShipCalc.h"
#include "app/Services.h"
#include "columns/AttribClasses.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"

namespace vx {

std::string WAttribFMS::GetText(int32_t individual, int occurrence) const {
    if (!Person(individual)) return {};
    int relation = 0;  // 1 father, 2 mother, 3 spouse
    int32_t relative = 0;
    // The prefix that names the relative when a fallback was taken.
    const char* prefixes[4] = {"", "", "", ""};
    switch (number_) {
        case 18:
        case 53:
            relative = collection_->NearestRelative(individual, relation, occurrence);
            prefixes[2] = "(M)-";
            prefixes[3] = "(S)-";
            break;
        case 56:
        case 57:
            relative = collection_->NearestRelativeSpouseFirst(individual, relation, occurrence);
            prefixes[1] = "(F)-";
            prefixes[2] = "(M)-";
            break;
        case 43:
        case 49:
            relative = collection_->FatherOf(individual);
            break;
        case 44:
        case 50:
            relative = collection_->MotherOf(individual);
            break;
        default:  // 45, 51
            relative = collection_->SpouseInMarriage(individual, occurrence);
            break;
    }
    auto person = Person(relative);
    if (!person) return {};
    const bool lastFirst =
        number_ == 49 || number_ == 50 || number_ == 51 || number_ == 53 || number_ == 57;
    return prefixes[relation] + (lastFirst ? person->SurnameText() + ", " + person->GivenNames()
                                           : person->FullName(true));
}

WAttribRelation::WAttribRelation(int number, const WABSCollection* collection)
    : WAttrib(number, collection), calculator_(std::make_unique<WRelCalc>(collection)) {}

WAttribRelation::~WAttribRelation() = default;

void WAttribRelation::SetCollection(const WABSCollection* collection) {
    WAttrib::SetCollection(collection);
    calculator_ = std::make_unique<WRelCalc>(collection);
}

std::string WAttribRelation::GetText(int32_t individual, int) const {
    if (!Person(individual)) return {};
    const std::string relation = calculator_->Relationship(basePerson_, individual);
    if (number_ == 38) return relation;
    return calculator_->CommonAncestorName(basePerson_, individual, number_ == 39);
}

WAttribIsland::WAttribIsland(int number, const WABSCollection* collection)
    : WAttrib(number, nullptr) {
    SetCollection(collection);
}

void WAttribIsland::SetCollection(const WABSCollection* collection) {
    WAttrib::SetCollection(collection);
    if (!collection || collection->IslandsComputed()) return;
    WaitScope wait("Calculating Islands.  Please Wait...", false, false);
    collection->ComputeIslands();
}

std::string WAttribIsland::GetText(int32_t individual, int) const {
    return std::to_string(GetInt(individual));
}

int32_t WAttribIsland::GetInt(int32_t individual) const {
    return Person(individual) ? collection_->IslandRankOf(individual) : 0;
}

}  // namespace vx
