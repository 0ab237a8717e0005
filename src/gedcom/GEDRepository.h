// Repositories, postal addresses and the submitter as a GEDCOM file writes
// them.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "records/Repository.h"

namespace vx {

class WGEDCollection;

// An address at an ADDR line; its fields are the lines that follow, up to
// the end of the record.
class WGEDAddress : public WABSAddress {
  public:
    WGEDAddress(const WGEDCollection& collection, const char* addrLine);
    std::string AddressText() const override { return Field(kAddress); }
    std::string Address1() const override { return Field(kAddress1); }
    std::string Address2() const override { return Field(kAddress2); }
    std::string City() const override { return Field(kCity); }
    std::string State() const override { return Field(kState); }
    std::string PostalCode() const override { return Field(kPostalCode); }
    std::string Country() const override { return Field(kCountry); }
    std::string Phone() const override { return Field(kPhone); }

  private:
    enum FieldIndex {
        kAddress,
        kAddress1,
        kAddress2,
        kCity,
        kState,
        kPostalCode,
        kCountry,
        kPhone,
        kFieldCount
    };
    std::string Field(FieldIndex field) const;

    const WGEDCollection& collection_;
    const char* values_[kFieldCount] = {};
    mutable std::optional<std::string> cache_[kFieldCount];
};

class WGEDRepo : public WABSRepo {
  public:
    WGEDRepo(const WGEDCollection& collection, const char* recordLine);
    // The name's lines joined by a bare carriage return.
    std::string RepoName() const override;
    std::unique_ptr<WABSAddress> Address() const override;
    // Repository notes are not shown.
    std::unique_ptr<WABSNote> Note() const override { return nullptr; }
    std::string RecordText() const override;

  private:
    const WGEDCollection& collection_;
    const char* recordLine_;
    const char* nameValue_ = nullptr;
    const char* addrLine_ = nullptr;
    mutable std::optional<std::string> name_;
};

class WGEDSubmitter : public WABSSubmitter {
  public:
    WGEDSubmitter(const WGEDCollection& collection, const char* recordLine);
    std::string SubmitterName() const override { return ValueOfFirst("NAME"); }
    std::string AddressLine1() const override { return AddressLine(0); }
    std::string AddressLine2() const override { return AddressLine(1); }
    std::string AddressLine3() const override { return AddressLine(2); }
    std::string Country() const override { return ValueOfFirst("CTRY"); }
    std::string Phone() const override { return ValueOfFirst("PHON"); }
    // The _EMAIL value, else the EMAIL one.
    std::string Email() const override;
    std::string RecordText() const override;

  private:
    // The converted value after the tag of the first line of the record
    // whose four tag bytes are `tag` ("_EMA" also finds "_EMAIL").
    std::string ValueOfFirst(const char* tag) const;
    std::string AddressLine(size_t index) const;

    const WGEDCollection& collection_;
    const char* recordLine_;
    mutable std::optional<std::vector<std::string>> addressLines_;
};

}  // namespace vx
