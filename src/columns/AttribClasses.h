// The attribute classes. Each class serves one or more attributes and
// tells them apart by their Attr::Id; the attribute table in Attrib.cpp says
// which class serves which attribute.
#pragma once

#include <memory>

#include "columns/Attrib.h"

namespace vx {

class WRelCalc;

// 1: the individual number.
class WAttribIndex : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
    int32_t GetInt(int32_t individual) const override;
};

// 2, 3, 48: identifiers (XRef, AFN, REFN), always sorted as text.
class WAttribID : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 4 to 7, 46, 47: name forms and Soundex codes.
class WAttribName : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 8: the individual's note on one line.
class WAttribNote : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 9: the sex letter.
class WAttribSex : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 10, 12, 14, 16, 42, 54, 55, 65, 67: dates of events, the marriage and
// the record.
class WAttribDate : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
    std::string GetSortText(int32_t individual) const override;
};

// 11, 13, 15, 17, 41, 66, 68: places of events and of the marriage.
class WAttribPlace : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 18, 43 to 45, 49 to 51, 53, 56, 57: father, mother and spouse.
class WAttribFMS : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 19, 20, 59, 60: ages.
class WAttribAge : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 21 to 23: "Yes" or "No" for notes, sources and other events.
class WAttribHas : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// The counting attributes show their count in decimal.
class WAttribCount : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 24: spouse families.
class WAttribNumMarriages : public WAttribCount {
  public:
    using WAttribCount::WAttribCount;
    int32_t GetInt(int32_t individual) const override;
};

// 25: recorded parents over all parent families.
class WAttribNumParents : public WAttribCount {
  public:
    using WAttribCount::WAttribCount;
    int32_t GetInt(int32_t individual) const override;
};

// 26: children over all spouse families.
class WAttribNumChildren : public WAttribCount {
  public:
    using WAttribCount::WAttribCount;
    int32_t GetInt(int32_t individual) const override;
};

// 27, 61: distinct ancestors and the deepest ancestor generation.
class WAttribNumAnc : public WAttribCount {
  public:
    using WAttribCount::WAttribCount;
    int32_t GetInt(int32_t individual) const override;
};

// 28, 62: distinct descendants and the deepest descendant generation.
class WAttribNumDes : public WAttribCount {
  public:
    using WAttribCount::WAttribCount;
    int32_t GetInt(int32_t individual) const override;
};

// 63, 64: average ancestor and descendant generations, two decimals.
class WAttribAvgGens : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
    long double GetFloat(int32_t individual) const override;
};

// 29: the four LDS ordinance marks, tab-separated.
class WAttribLDS : public WAttrib {
  public:
    WAttribLDS(int number, FamilyAnalysis* analysis);
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 30, 32, 34, 36: dates of LDS ordinances.
class WAttribLDSDate : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
    std::string GetSortText(int32_t individual) const override;
};

// 31, 33, 35, 37: temples of LDS ordinances.
class WAttribLDSTemple : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 38, 39, 52: relationship to the base person and the common ancestor.
class WAttribRelation : public WAttrib {
  public:
    WAttribRelation(int number, FamilyAnalysis* analysis);
    ~WAttribRelation() override;
    void SetAnalysis(FamilyAnalysis* analysis) override;
    std::string GetText(int32_t individual, int occurrence) const override;

  private:
    // The calculator keeps the base person's ancestry between calls.
    std::unique_ptr<WRelCalc> calculator_;
};

// 40: possibly living.
class WAttribALive : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 58: the rank of the individual's island.
class WAttribIsland : public WAttrib {
  public:
    WAttribIsland(int number, FamilyAnalysis* analysis);
    void SetAnalysis(FamilyAnalysis* analysis) override;
    std::string GetText(int32_t individual, int occurrence) const override;
    int32_t GetInt(int32_t individual) const override;
};

}  // namespace vx
