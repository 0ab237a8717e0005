// Attributes: the 68 computable properties of an individual that lists and
// list reports show as columns (name forms, dates, places, ages, relatives,
// counts, LDS ordinances, relationship, island...). An attribute turns an
// individual number into the text of a cell and, for sorting, into a typed
// value; the attribute arrays cache those values for a whole list.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "columns/AttributeBehaviour.h"
#include "columns/AttributeIds.h"

namespace vx {

class FamilyAnalysis;
class WABSCollection;
class WABSIndividual;

// How a column sorts.
enum AttribValueType : int {
    kValueText = 1,
    kValueInt = 2,
    kValueDate = 3,
    kValueAge = 4,
    kValueFloat = 5,
};

class WAttrib {
  public:
    // The value type comes from the attribute table, and so does what the
    // column reads. The analysis (null without a file) gives the
    // collection and the statistics.
    WAttrib(int number, FamilyAnalysis* analysis, const AttributeBehaviour& behaviour = {});
    virtual ~WAttrib();
    WAttrib(const WAttrib&) = delete;
    WAttrib& operator=(const WAttrib&) = delete;

    virtual void SetAnalysis(FamilyAnalysis* analysis);
    // The cell text. `occurrence` picks the marriage that marriage columns
    // read (1 = first; lower values count as 1).
    virtual std::string GetText(int32_t individual, int occurrence) const = 0;
    virtual int32_t GetInt(int32_t /*individual*/) const { return 0; }
    virtual long double GetFloat(int32_t /*individual*/) const { return 0; }
    virtual std::string GetSortText(int32_t /*individual*/) const { return {}; }

    int Number() const { return number_; }
    int ValueType() const { return valueType_; }
    // Pixel offsets of the tab-separated pieces of the cell text, or null.
    const std::vector<int>* TabStops() const { return tabStops_.empty() ? nullptr : &tabStops_; }
    // The person relationship columns are computed against; 0 = none.
    void SetBasePerson(int32_t individual) { basePerson_ = individual; }
    int32_t BasePerson() const { return basePerson_; }
    const WABSCollection* Collection() const { return collection_; }

  protected:
    // The individual, or null without a collection or for a number the
    // collection cannot resolve.
    std::unique_ptr<WABSIndividual> Person(int32_t individual) const;
    // The person with the column's behaviour, for the readings; only for a
    // person the collection gave.
    AttributeReading Reading(const WABSIndividual& person, int32_t individual,
                             int occurrence) const;
    // The column's text reading, empty for an individual the collection
    // cannot resolve.
    std::string ReadText(int32_t individual, int occurrence) const;

    AttributeBehaviour behaviour_;
    FamilyAnalysis* analysis_;
    const WABSCollection* collection_;
    int number_;
    int valueType_;
    int32_t basePerson_ = 0;
    std::vector<int> tabStops_;
};

// The first attribute whose row lacks what its class or its reading reads
// (an event, an ordinance, a reading); 0 when every row is whole. Checked
// by the tests: compilers cannot always compare function addresses at
// compile time (GCC's null-pointer sanitizer).
int FirstIncompleteAttribute();

// The attribute of that number, or null outside 1..68.
std::unique_ptr<WAttrib> CreateAttribute(int number, FamilyAnalysis* analysis);
// The short caption heads grid columns; the long one names the attribute in
// the column chooser and in reports. Empty outside 1..68.
std::string AttributeCaption(int number, bool longCaption, const WABSCollection* collection);
// The value type of the attribute of that number (text outside 1..68).
int AttributeValueType(int number);
// The width in pixels its column has until the user changes it (0 outside
// 1..68).
int AttributeDefaultWidth(int number);

}  // namespace vx
