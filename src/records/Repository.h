// Repositories (where a source is held), postal addresses and the submitter
// (who made the file).
#pragma once

#include <memory>
#include <string>

#include "records/Note.h"

namespace vx {

class WABSAddress {
  public:
    virtual ~WABSAddress() = default;
    virtual std::string AddressText() const = 0;
    virtual std::string Address1() const = 0;
    virtual std::string Address2() const = 0;
    virtual std::string City() const = 0;
    virtual std::string State() const = 0;
    virtual std::string PostalCode() const = 0;
    virtual std::string Country() const = 0;
    virtual std::string Phone() const = 0;
};

class WABSRepo {
  public:
    virtual ~WABSRepo() = default;
    virtual std::string RepoName() const = 0;
    virtual std::unique_ptr<WABSAddress> Address() const = 0;
    virtual std::unique_ptr<WABSNote> Note() const = 0;
    virtual std::string RecordText() const { return {}; }
};

class WABSSubmitter {
  public:
    virtual ~WABSSubmitter() = default;
    virtual std::string SubmitterName() const = 0;
    virtual std::string AddressLine1() const = 0;
    virtual std::string AddressLine2() const = 0;
    virtual std::string AddressLine3() const = 0;
    virtual std::string Country() const = 0;
    virtual std::string Phone() const = 0;
    virtual std::string Email() const = 0;
    virtual std::string RecordText() const = 0;
};

}  // namespace vx
