// The abstract genealogy file: what every screen, list and report may ask
// of an open family file. WGEDCollection answers it from a GEDCOM file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

class WABSIndividual;
class WABSMarriage;
class WABSNote;
class WABSSource;
class WABSRepo;
class WABSSubmitter;
class WABSLDSEvent;

// One labelled value of the file header, as the General tab lists them.
struct GenHeaderRec {
    int32_t tag = 0;
    std::string label;
    std::string value;
    std::string spare;
};

class WABSCollection {
  public:
    // File kinds, by extension.
    enum FileKindCode : int { kKindUnknown = 0, kKindGedcom = 1 };
    static constexpr int kMaxHeaderFields = 256;

    WABSCollection() = default;
    virtual ~WABSCollection() = default;
    WABSCollection(const WABSCollection&) = delete;
    WABSCollection& operator=(const WABSCollection&) = delete;

    virtual void Flush() {}
    virtual std::string FileSizeText() const = 0;
    virtual std::string FileDateText() const = 0;
    // Puts every person's spouse families in marriage order; called once
    // right after a successful Load.
    virtual void AfterLoad() {}

    // Record objects, new for every request and owned by the caller; null
    // for 0. Errors: EIndexError for a number above the records of its kind.
    // Individual n: null for 0 and numbers above the count.
    virtual std::unique_ptr<WABSIndividual> Individual(int32_t n) const = 0;
    virtual std::unique_ptr<WABSMarriage> Family(int32_t n) const = 0;
    virtual std::unique_ptr<WABSSubmitter> Submitter() const = 0;
    virtual std::unique_ptr<WABSNote> Note(int32_t n) const = 0;
    virtual std::unique_ptr<WABSSource> Source(int32_t n) const = 0;
    virtual std::unique_ptr<WABSRepo> Repository(int32_t n) const = 0;
    // The sealing to spouse of the k-th spouse family of n, or null.
    std::unique_ptr<WABSLDSEvent> SpouseSealing(int32_t n, int k) const;

    virtual int32_t IndividualCount() const = 0;
    virtual int32_t FamilyCount() const = 0;
    virtual int32_t NoteCount() const = 0;
    virtual int32_t SourceCount() const = 0;
    // At most kMaxHeaderFields entries, in file order.
    virtual std::vector<GenHeaderRec> HeaderFields() const = 0;
    virtual std::string HeaderText() const = 0;
    virtual std::string DatabaseVersionText() const = 0;
    // Reads the file; false when the user cancelled.
    virtual bool Load() = 0;

    // Record numbers by identifier (the text between the '@' signs); 0
    // when absent.
    virtual int32_t IndividualByXRef(std::string_view) const { return 0; }
    virtual int32_t FamilyByXRef(std::string_view) const { return 0; }
    virtual int32_t NoteByXRef(std::string_view) const { return 0; }
    virtual int32_t SourceByXRef(std::string_view) const { return 0; }
    virtual int32_t RepositoryByXRef(std::string_view) const { return 0; }

    // Words for parent-child links: kinds 0 to 36 of the link table.
    virtual std::string ParentLinkName(int kind) const;
    // The child's word for a parent link kind (1 to 18) and the child's sex.
    virtual std::string ChildLinkName(int kind, std::string_view sex) const;

    // ---- who is related to whom, through the abstract records ----
    // Numbers that name no record, and 0, give 0, false or empty texts.

    // Husband and wife of the first parent family.
    int32_t FatherOf(int32_t n) const;
    int32_t MotherOf(int32_t n) const;
    // The other spouse in the k-th spouse family (1-based).
    int32_t SpouseOf(int32_t n, int k) const;
    // The spouse as lists name it: the wife of the k-th spouse family, or
    // its husband when the wife is n herself (k below 1 counting as 1).
    int32_t SpouseInMarriage(int32_t n, int k) const;
    // The first spouse family of a that is also one of b's.
    int32_t CommonSpouseFamily(int32_t a, int32_t b) const;
    bool HasChildren(int32_t n) const;
    int ChildrenCount(int32_t n) const;
    int SonsCount(int32_t n) const;
    int DaughtersCount(int32_t n) const;
    // Recorded husbands and wives over all parent families.
    int ParentsCount(int32_t n) const;
    bool HasFamilyLinks(int32_t n) const;
    std::string FullNameOf(int32_t n) const;
    std::string DisplayNameOf(int32_t n) const;
    std::string DisplayNameWithBirth(int32_t n) const;
    // Father (relation 1), else mother (2), else the spouse in the k-th
    // spouse family (3, k below 1 counting as 1); 0 and relation 0 when none.
    int32_t NearestRelative(int32_t n, int& relation, int k) const;
    // The same with the spouse tried first.
    int32_t NearestRelativeSpouseFirst(int32_t n, int& relation, int k) const;
    bool HasSourcesWithFamilies(int32_t n) const;
    bool HasNotesWithFamilies(int32_t n) const;
    // Whether any spouse family of n has a note, or a citation.
    bool FamilyHasNotes(int32_t n) const;
    bool FamilyHasSources(int32_t n) const;
    // The sealing to spouse of the k-th spouse family; HasSpouseSealing
    // with k out of range asks about any spouse family.
    bool HasSpouseSealing(int32_t n, int k) const;
    std::string SpouseSealingDateText(int32_t n, int k) const;
    std::string SpouseSealingTempleText(int32_t n, int k, bool livingForm) const;
    // The plain-text summary of a person used by hints, the clipboard and
    // the find dialogs.
    std::string PersonSummary(int32_t n) const;

    int FileKind() const { return fileKind_; }
    int CharacterSet() const { return charSet_; }
    const std::string& FilePath() const { return filePath_; }

  protected:
    std::string filePath_;
    uint8_t fileKind_ = kKindUnknown;
    uint8_t charSet_ = 1;  // ANSEL until a file says otherwise
};

}  // namespace vx
