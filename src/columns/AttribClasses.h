// The attribute classes. A class that serves several attributes learns
// what its column reads (an event, an ordinance, a text, a count, a
// relative) from the column's row in Attrib.cpp, which also says which
// class serves which attribute; no class tells attributes apart by number.
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

// 2, 3, 48: the column's identifier (XRef, AFN, REFN), always sorted as text.
class WAttribID : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 4 to 7, 46, 47: the column's name form or Soundex code.
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

// 10, 12, 14, 16, 42, 54, 55, 65, 67: the column's date of an event, the
// marriage or the record; a stand-in date in brackets sorts without them.
class WAttribDate : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
    std::string GetSortText(int32_t individual) const override;
};

// 11, 13, 15, 17, 41, 66, 68: the column's place of an event or the marriage.
class WAttribPlace : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 18, 43 to 45, 49 to 51, 53, 56, 57: the column's relative (father, mother,
// spouse or the first of them there is), in full or "Surname, Given".
class WAttribFMS : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 19, 20, 59, 60: the column's age.
class WAttribAge : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 21 to 23: "Yes" or "No" for the column's fact (notes, sources, other
// events).
class WAttribHas : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 24 to 28, 61, 62: the column's count in decimal (spouse families,
// parents, children, distinct ancestors and descendants, the deepest
// ancestor and descendant generation).
class WAttribCount : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
    int32_t GetInt(int32_t individual) const override;
};

// 63, 64: the column's average of ancestor or descendant generations, two
// decimals.
class WAttribAvgGens : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
    long double GetFloat(int32_t individual) const override;
};

// 29: the four LDS ordinance marks, tab-separated.
class WAttribLDS : public WAttrib {
  public:
    WAttribLDS(int number, FamilyAnalysis* analysis, const AttributeBehaviour& behaviour = {});
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 30, 32, 34, 36: the date of the column's LDS ordinance.
class WAttribLDSDate : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
    std::string GetSortText(int32_t individual) const override;
};

// 31, 33, 35, 37: the temple of the column's LDS ordinance.
class WAttribLDSTemple : public WAttrib {
  public:
    using WAttrib::WAttrib;
    std::string GetText(int32_t individual, int occurrence) const override;
};

// 38, 39, 52: the column's relation text between the base person and the
// individual (the relationship, the common ancestor).
class WAttribRelation : public WAttrib {
  public:
    WAttribRelation(int number, FamilyAnalysis* analysis, const AttributeBehaviour& behaviour = {});
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
    WAttribIsland(int number, FamilyAnalysis* analysis, const AttributeBehaviour& behaviour = {});
    void SetAnalysis(FamilyAnalysis* analysis) override;
    std::string GetText(int32_t individual, int occurrence) const override;
    int32_t GetInt(int32_t individual) const override;
};

}  // namespace vx
