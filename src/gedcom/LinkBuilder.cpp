#include "gedcom/LinkBuilder.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

#include "app/Services.h"
#include "gedcom/GEDCollection.h"
#include "platform/SystemInfo.h"

namespace vx {
namespace {

// Records read per stretch of work. Two stretches are read at once where
// there are two processors; after each stretch (or pair) queued messages are
// let through and Cancel is heard.
constexpr int32_t kStretchRecords = 4096;

// The pointer of a link line stands after its level, tag and a space.
constexpr int kPointerPosition = 6;

enum class Relation : uint8_t { ParentFamily, SpouseFamily, Husband, Wife, Child };

// A link line read and looked up: record `from` of the stretch's kind names
// record `to` of the other kind.
struct FoundLink {
    int32_t from;
    int32_t to;
    Relation relation;
};

struct Stretch {
    int slot;  // kSlotIndividual or kSlotFamily
    int32_t first;
    int32_t last;
};

// The identifier a link line points at; empty when it names none, which
// is looked up all the same (a record may have the empty identifier "@@").
std::string_view PointerOf(const WGEDTextMMF& text, const char* line) {
    const char* p = text.WithinLine(line, kPointerPosition);
    if (!text.Contains(p)) return {};
    return XRefAt(p, text.TextEnd()).value_or(std::string_view());
}

// Reads the link lines of one stretch of records and looks them up. Only
// reads the collection, so two stretches can be read at once.
void ReadStretch(const WGEDCollection& collection, const Stretch& stretch,
                 std::vector<FoundLink>& found) {
    const WGEDTextMMF& text = collection.GedFile();
    for (int32_t r = stretch.first; r <= stretch.last; ++r) {
        collection.ForEachSubLine(collection.RecordLine(stretch.slot, r), [&](const char* line) {
            if (*line != '1') return;
            if (stretch.slot == kSlotIndividual) {
                const bool parents = text.TagIs(line, "FAMC");
                if (!parents && !text.TagIs(line, "FAMS")) return;
                if (const int32_t f = collection.FamilyByXRef(PointerOf(text, line)); f > 0)
                    found.push_back(
                        {r, f, parents ? Relation::ParentFamily : Relation::SpouseFamily});
                return;
            }
            Relation relation;
            if (text.TagIs(line, "HUSB"))
                relation = Relation::Husband;
            else if (text.TagIs(line, "WIFE"))
                relation = Relation::Wife;
            else if (text.TagIs(line, "CHIL"))
                relation = Relation::Child;
            else
                return;
            if (const int32_t i = collection.IndividualByXRef(PointerOf(text, line)); i > 0)
                found.push_back({r, i, relation});
        });
    }
}

// Adds the links of a stretch, in the order its lines stand.
void AddLinks(const std::vector<FoundLink>& found, WIndLinks& people, WFamLinks& families) {
    for (const FoundLink& link : found) {
        switch (link.relation) {
            case Relation::ParentFamily:
                people.AddParentFamily(link.from, link.to);
                families.AddChild(link.to, link.from);
                break;
            case Relation::SpouseFamily:
                people.AddSpouseFamily(link.from, link.to);
                break;
            case Relation::Child:
                families.AddChild(link.from, link.to);
                people.AddParentFamily(link.to, link.from);
                break;
            case Relation::Husband:
                families.SetHusband(link.from, link.to);
                people.AddSpouseFamily(link.to, link.from);
                break;
            case Relation::Wife:
                families.SetWife(link.from, link.to);
                people.AddSpouseFamily(link.to, link.from);
                break;
        }
    }
}

std::vector<Stretch> StretchesOf(const WGEDCollection& collection) {
    std::vector<Stretch> stretches;
    for (const auto& [slot, count] : {std::pair{int{kSlotIndividual}, collection.IndividualCount()},
                                      std::pair{int{kSlotFamily}, collection.FamilyCount()}})
        for (int32_t first = 1; first <= count; first += kStretchRecords)
            stretches.push_back({slot, first, std::min(count, first + kStretchRecords - 1)});
    return stretches;
}

}  // namespace

void BuildFamilyLinks(const WGEDCollection& collection, WIndLinks& people, WFamLinks& families) {
    const std::vector<Stretch> stretches = StretchesOf(collection);
    const bool twoThreads = platform::UsableProcessors() > 1;
    std::vector<FoundLink> mine, theirs;
    for (size_t s = 0; s < stretches.size() && !WorkCancelled(); s += twoThreads ? 2 : 1) {
        mine.clear();
        theirs.clear();
        const bool pair = twoThreads && s + 1 < stretches.size();
        std::exception_ptr theirFailure;
        std::thread helper;
        if (pair) {
            // Without a thread to be had, this one reads both stretches.
            try {
                helper = std::thread([&] {
                    try {
                        ReadStretch(collection, stretches[s + 1], theirs);
                    } catch (...) {
                        theirFailure = std::current_exception();
                    }
                });
            } catch (const std::system_error&) {
                helper = std::thread();
            }
        }
        try {
            ReadStretch(collection, stretches[s], mine);
            if (pair && !helper.joinable()) ReadStretch(collection, stretches[s + 1], theirs);
        } catch (...) {
            if (helper.joinable()) helper.join();
            throw;
        }
        if (helper.joinable()) helper.join();
        if (theirFailure) std::rethrow_exception(theirFailure);
        AddLinks(mine, people, families);
        AddLinks(theirs, people, families);
        PumpMessages();
    }
    people.FinishLoading();
    families.FinishLoading();
}

}  // namespace vx
