// Linking a loaded GEDCOM's individuals and families: the FAMC and FAMS
// lines of every individual, then the HUSB, WIFE and CHIL lines of every
// family, each looked up among the identifiers. The reading and looking up
// (most of the work) runs on two threads, a stretch of records each; the
// links are then added on the caller's thread in file order, so the lists
// come out exactly as a plain walk through the records makes them.
#pragma once

namespace vx {

class WGEDCollection;
class WIndLinks;
class WFamLinks;

// Fills `people` and `families` (sized for the collection's records) and
// finishes them. Lets queued messages through now and then, and stops
// early at Cancel.
void BuildFamilyLinks(const WGEDCollection& collection, WIndLinks& people, WFamLinks& families);

}  // namespace vx
