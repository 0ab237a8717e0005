// Attributes about other people: parents and spouse, the relationship to
// the base person with the common ancestor, and the island.
#include "analysis/FamilyAnalysis.h"
#include "analysis/Islands.h"
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
        case Attr::FatherMotherSpouse:
        case Attr::FatherMotherSpouseLastFirst:
            relative = collection_->NearestRelative(individual, relation, occurrence);
            prefixes[2] = "(M)-";
            prefixes[3] = "(S)-";
            break;
        case Attr::SpouseFatherMother:
        case Attr::SpouseFatherMotherLastFirst:
            relative = collection_->NearestRelativeSpouseFirst(individual, relation, occurrence);
            prefixes[1] = "(F)-";
            prefixes[2] = "(M)-";
            break;
        case Attr::Father:
        case Attr::FatherLastFirst:
            relative = collection_->FatherOf(individual);
            break;
        case Attr::Mother:
        case Attr::MotherLastFirst:
            relative = collection_->MotherOf(individual);
            break;
        default:  // Attr::Spouse, Attr::SpouseLastFirst
            relative = collection_->SpouseInMarriage(individual, occurrence);
            break;
    }
    auto person = Person(relative);
    if (!person) return {};
    const bool lastFirst = number_ == Attr::FatherLastFirst || number_ == Attr::MotherLastFirst ||
                           number_ == Attr::SpouseLastFirst ||
                           number_ == Attr::FatherMotherSpouseLastFirst ||
                           number_ == Attr::SpouseFatherMotherLastFirst;
    return prefixes[relation] + (lastFirst ? person->SurnameText() + ", " + person->GivenNames()
                                           : person->FullName(true));
}

WAttribRelation::WAttribRelation(int number, FamilyAnalysis* analysis)
    : WAttrib(number, analysis), calculator_(std::make_unique<WRelCalc>(collection_)) {}

WAttribRelation::~WAttribRelation() = default;

void WAttribRelation::SetAnalysis(FamilyAnalysis* analysis) {
    WAttrib::SetAnalysis(analysis);
    calculator_ = std::make_unique<WRelCalc>(collection_);
}

std::string WAttribRelation::GetText(int32_t individual, int) const {
    if (!Person(individual)) return {};
    const std::string relation = calculator_->Relationship(basePerson_, individual);
    if (number_ == Attr::Relationship) return relation;
    return calculator_->CommonAncestorName(basePerson_, individual,
                                           number_ == Attr::CommonAncestor);
}

WAttribIsland::WAttribIsland(int number, FamilyAnalysis* analysis) : WAttrib(number, nullptr) {
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

}  // namespace vx
