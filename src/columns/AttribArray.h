// Cached attribute values: one fixed-size record per individual of the
// file, filled in one pass over a list so that sorting the list reads only
// these records. Each value type has its own record and its own order.
#pragma once

#include <memory>
#include <string>

#include "records/Date.h"
#include "storage/ABSArrayIndex.h"

namespace vx {

class WAttrib;
class WCollectionIterator;

class WAttribArray : public WABSArrayIndex {
  public:
    // False when the wait dialog's Cancel stopped the filling: the values
    // are then incomplete and must not be used.
    bool Filled() const { return filled_; }
    int32_t IndividualCount() const { return individualCount_; }
    // Orders two individual numbers by their cached values.
    virtual int CompareIndividuals(int32_t a, int32_t b) const = 0;

  protected:
    // Sized for every individual of the iterator's collection, all zero.
    WAttribArray(int32_t recordSize, const WCollectionIterator& iterator);
    // Stores the value of every individual of the list, letting the user
    // interface breathe every 50 individuals and whenever the work has run
    // for a while; stops at Cancel. Called by each subclass's
    // constructor, when its own StoreValue is in place.
    void Fill(WCollectionIterator& iterator, const WAttrib& attribute);
    virtual void StoreValue(const WAttrib& attribute, int32_t individual) = 0;
    // Record n, or null outside 1..individual count.
    const char* Record(int32_t individual) const;

  private:
    int32_t individualCount_;
    bool filled_ = false;
};

class WAttribIntArray : public WAttribArray {
  public:
    WAttribIntArray(WCollectionIterator& iterator, const WAttrib& attribute);
    int32_t Value(int32_t individual) const;
    int CompareIndividuals(int32_t a, int32_t b) const override;

  protected:
    void StoreValue(const WAttrib& attribute, int32_t individual) override;
};

class WAttribFloatArray : public WAttribArray {
  public:
    WAttribFloatArray(WCollectionIterator& iterator, const WAttrib& attribute);
    long double Value(int32_t individual) const;
    int CompareIndividuals(int32_t a, int32_t b) const override;

  protected:
    void StoreValue(const WAttrib& attribute, int32_t individual) override;
};

// Texts accent-folded and upper-cased, kept as sort keys so that sorting
// compares bytes.
class WAttribStrArray : public WAttribArray {
  public:
    static constexpr size_t kMaxText = 47;  // bytes of sort key: 47 letters of Windows-1252
    WAttribStrArray(WCollectionIterator& iterator, const WAttrib& attribute);
    std::string Value(int32_t individual) const;
    int CompareIndividuals(int32_t a, int32_t b) const override;

  protected:
    void StoreValue(const WAttrib& attribute, int32_t individual) override;
};

// Date sort texts. The date read from each text is kept beside it, so that
// a comparison costs no parsing; the order is that of the dates themselves.
class WAttribDateArray : public WAttribArray {
  public:
    static constexpr size_t kMaxText = 15;  // characters
    WAttribDateArray(WCollectionIterator& iterator, const WAttrib& attribute);
    std::string Value(int32_t individual) const;
    int CompareIndividuals(int32_t a, int32_t b) const override;

  protected:
    void StoreValue(const WAttrib& attribute, int32_t individual) override;
};

// An age as the age columns show it: "45", "~45", "45?", "[~45?]".
struct AgeValue {
    bool valid = false;
    bool about = false;  // shown with "~"
    int32_t years = 0;
    bool uncertain = false;  // shown with "?"
};

// Reads an age text: about when it starts with "~", uncertain when it ends
// with "?", the years from all its digits. A bracketed age keeps its years
// but loses both marks.
AgeValue ParseAgeText(const std::string& text);

class WAttribAgeArray : public WAttribArray {
  public:
    WAttribAgeArray(WCollectionIterator& iterator, const WAttrib& attribute);
    AgeValue Value(int32_t individual) const;
    int CompareIndividuals(int32_t a, int32_t b) const override;

  protected:
    void StoreValue(const WAttrib& attribute, int32_t individual) override;
};

// The array for the attribute's value type, filled.
std::unique_ptr<WAttribArray> CreateAttribArray(WCollectionIterator& iterator,
                                                const WAttrib& attribute);

}  // namespace vx
