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

    virtual ~WABSCollection() = default;

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

    int FileKind() const { return fileKind_; }
    int CharacterSet() const { return charSet_; }
    const std::string& FilePath() const { return filePath_; }

  protected:
    std::string filePath_;
    uint8_t fileKind_ = kKindUnknown;
    uint8_t charSet_ = 1;  // ANSEL until a file says otherwise
};

}  // namespace vx
