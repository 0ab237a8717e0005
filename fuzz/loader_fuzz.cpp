// Loads arbitrary bytes as a GEDCOM file and reads every record the way the
// screens do. Only crashes, sanitizer reports and hangs count.
#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzInput.h"
#include "app/Errors.h"
#include "gedcom/GEDCollection.h"
#include "records/Individual.h"
#include "records/Repository.h"

namespace {

size_t ReadPerson(const vx::WABSIndividual& person) {
    size_t total = person.SummaryLine(true).size() + person.DisplayName().size() +
                   person.AgeText().size() + person.RecordText().size() + person.NoteText().size() +
                   person.CitationsText().size() + person.ChangeDateText().size();
    total += person.IsPossiblyLiving(110) + person.HasNotes() + person.HasSources();
    for (int kind = vx::kEventBirth; kind <= vx::kEventOther; ++kind)
        for (int i = 1; i <= person.EventCount(kind); ++i)
            if (auto event = person.Event(kind, i))
                total += event->DateText().size() + event->PlaceText().size() +
                         event->Description().size() + event->NoteText().size();
    for (int kind = vx::kLDSBaptism; kind <= vx::kLDSSealingToParents; ++kind)
        total += person.LDSDateText(kind).size() + person.LDSTempleText(kind, true).size();
    return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = vx::fuzz::InputAsFile(data, size);
    if (path.empty()) return 0;
    try {
        vx::WGEDCollection collection(path);
        if (!collection.Load()) return 0;
        collection.AfterLoad();
        size_t total = collection.HeaderText().size() + collection.HeaderFields().size();
        if (auto submitter = collection.Submitter())
            total += submitter->SubmitterName().size() + submitter->Email().size();
        for (int32_t n = 1; n <= collection.IndividualCount(); ++n)
            total += ReadPerson(*collection.Individual(n));
        for (int32_t n = 1; n <= collection.FamilyCount(); ++n) {
            auto family = collection.Family(n);
            family->SortChildren();
            total += family->MarriageDatePlaceText().size() + family->CitationsText().size();
            for (int i = 1; i <= family->ChildCount(); ++i)
                total += family->Child(i);
        }
        for (int32_t n = 1; n <= collection.NoteCount(); ++n)
            total += collection.Note(n)->LineCount();
        for (int32_t n = 1; n <= collection.SourceCount(); ++n)
            total += collection.Source(n)->SummaryText().size();
        for (int32_t n = 1; n <= collection.RecordCount(vx::WGEDCollection::kSlotRepository); ++n)
            total += collection.Repository(n)->RepoName().size();
        if (total == 0xFFFFFFFF) std::puts("");  // keep the work observable
    } catch (const vx::VxError&) {
        // Empty input cannot be mapped: the expected error.
    }
    return 0;
}
