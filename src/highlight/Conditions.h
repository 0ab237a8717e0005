// The condition classes of the highlighting catalogue. Classes that serve
// several kinds tell them apart by kind number; the catalogue in
// Catalogue.cpp says which class serves which kind and gives each kind's
// word for the descriptions.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "highlight/HighLighter.h"
#include "records/Date.h"

namespace vx {

class WRelCalc;

// 2, 4, 6, 8, 10: no date with text.
class WHLNoDate : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 3, 5, 7, 9, 11, 12: no place text.
class WHLNoPlace : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 13: no surname.
class WHLNoSurname : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 14: no given name.
class WHLNoGivenName : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 15: no father.
class WHLNoFather : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 16: no mother.
class WHLNoMother : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 17: of one sex.
class WHLSex : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    void ParseParams() override;
    bool Test(const WABSIndividual& person, int32_t individual) override;

  private:
    char sex_ = 0;
};

// 18: notes anywhere; 52: an age below the limit.
class WHLHas : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    void ParseParams() override;
    bool Test(const WABSIndividual& person, int32_t individual) override;

  private:
    int32_t ageLimit_ = 110;
};

// 65: possibly living within the age limit.
class WHLALive : public WHLHas {
  public:
    using WHLHas::WHLHas;
};

// 20: has an AFN.
class WHLAFN : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 21: ancestors of one person within a number of generations.
class WHLAncestor : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    void Prepare() override;
    void Evaluate(int32_t) override {}
    std::string Describe() const override;

  protected:
    // The people one generation further away.
    virtual void NextGeneration(int32_t individual, std::vector<int32_t>& out) const;
};

// 22: descendants of one person within a number of generations.
class WHLDescendants : public WHLAncestor {
  public:
    using WHLAncestor::WHLAncestor;
    std::string Describe() const override;

  protected:
    void NextGeneration(int32_t individual, std::vector<int32_t>& out) const override;
};

// 23: related by blood to one person.
class WHLRelation : public WABSHLInd {
  public:
    WHLRelation(FamilyAnalysis* analysis, int kind);
    ~WHLRelation() override;
    std::string Describe() const override;

  protected:
    void ParseParams() override;
    bool Test(const WABSIndividual& person, int32_t individual) override;

  private:
    std::unique_ptr<WRelCalc> calculator_;
};

// 60 to 63: the parent, spouse, sibling or child is one person; 64: no
// family links at all.
class WHLRelationIs : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    void Prepare() override;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 95, 96: on the longest ancestor or descendant path of one person.
class WHLPaths : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    void Prepare() override;
    void Evaluate(int32_t) override {}
    std::string Describe() const override;
};

// 31 to 34 and 79 to 86: LDS ordinances, their dates and temples.
class WHLHasLDS : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 35: any LDS ordinance.
class WHLLDS : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 87 to 90: an LDS ordinance's date is recognised, or is a status word.
class WHLLDSDate : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    void ParseParams() override;
    bool Test(const WABSIndividual& person, int32_t individual) override;

  private:
    int32_t mode_ = 1;
    std::string statusWord_;
};

// 36: a spouse family without the other spouse.
class WHLMarriedNoSpouse : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 37: two spouses with the same name.
class WHLMarriedSameName : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 38: two children with the same name.
class WHLChildSameName : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    void Evaluate(int32_t individual) override;
    std::string Describe() const override;

  private:
    // The other parents of the first two of the individual's children that
    // share a name; none when no two do.
    std::optional<std::pair<int32_t, int32_t>> FirstSameNamePair(int32_t individual) const;
};

// 39 to 42: an event date before, after, about or equal to a date.
class WHLDate : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    void ParseParams() override;
    bool Test(const WABSIndividual& person, int32_t individual) override;

  private:
    WDate reference_{"TODAY"};
    int qualifier_ = 0;
};

// 44 to 51 and 78: a count compared with a number.
class WHLInt : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    void ParseParams() override;
    bool Test(const WABSIndividual& person, int32_t individual) override;

  private:
    int32_t value_ = -1;
    int op_ = 1;
};

// 53 to 56: surnames that differ from, or equal, a relative's.
class WHLWarning : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 66 to 71 and 99: citations.
class WHLHasSource : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 72 to 77 and 100: notes.
class WHLHasNote : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// Texts matched against a key (containing, equal to, beginning with,
// ending with), and Soundex codes.
class WHLStr : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    void Evaluate(int32_t individual) override;
    std::string Describe() const override;

  protected:
    void ParseParams() override;
    bool Test(const WABSIndividual& person, int32_t individual) override;

  private:
    bool Matches(const std::string& text) const;
    bool SoundexMatches(const WABSIndividual& person) const;
    // Whether someone along the ancestry (or descent) of `start` has a
    // matching name; the store remembers the answers on the way.
    bool SearchLine(int32_t start);
    bool OwnNameMatches(int32_t individual) const;

    int mode_ = 1;
    std::string key_;
    std::string soundexKey_;
};

}  // namespace vx
