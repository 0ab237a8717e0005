// The condition classes of the highlighting catalogue. A class that serves
// several kinds learns what its kind reads (an event, an ordinance, a fact,
// a count, a text, relatives) from the kind's row in Catalogue.cpp, which
// also gives each kind's word for the descriptions; no class tells kinds
// apart by number.
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

// 2, 4, 6, 8, 10: the kind's fact (a date with text) is missing.
class WHLNoDate : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 3, 5, 7, 9, 11, 12: the kind's fact (a place text) is missing.
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

// 52: an age below the limit.
class WHLHas : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    void ParseParams() override;
    bool Test(const WABSIndividual& person, int32_t individual) override;

    int32_t ageLimit_ = 110;
};

// 65: possibly living within the age limit.
class WHLALive : public WHLHas {
  public:
    using WHLHas::WHLHas;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
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
    WHLRelation(FamilyAnalysis* analysis, int kind, const KindBehaviour& behaviour = {});
    ~WHLRelation() override;
    std::string Describe() const override;

  protected:
    void ParseParams() override;
    bool Test(const WABSIndividual& person, int32_t individual) override;

  private:
    std::unique_ptr<WRelCalc> calculator_;
};

// 60 to 63: the parent, spouse, sibling or child is one person: marks that
// person's relatives of the kind (children, partners, siblings, parents).
class WHLRelationIs : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    void Prepare() override;
    std::string Describe() const override;
};

// 64: no family links at all.
class WHLUnlinked : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 95: on the longest ancestor path of one person.
class WHLPaths : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    void Prepare() override;
    void Evaluate(int32_t) override {}
    std::string Describe() const override;

  protected:
    // The people one generation further along the path.
    virtual void NextGeneration(const WABSIndividual& person, int32_t individual,
                                std::vector<int32_t>& out) const;
    // How many generations continue beyond the individual.
    virtual int32_t GenerationsBeyond(int32_t individual) const;
};

// 96: on the longest descendant path of one person.
class WHLDescendantPaths : public WHLPaths {
  public:
    using WHLPaths::WHLPaths;
    std::string Describe() const override;

  protected:
    void NextGeneration(const WABSIndividual& person, int32_t individual,
                        std::vector<int32_t>& out) const override;
    int32_t GenerationsBeyond(int32_t individual) const override;
};

// 31 to 34 and 79 to 86: the kind's fact about an LDS ordinance (recorded,
// with a date, with a temple).
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

// 87 to 90: the kind's LDS ordinance has a recognised date, or a status word.
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

// 39 to 42: the kind's event has a date before, after, about or equal to a date.
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

// 44 to 51 and 78: the kind's count compared with a number.
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

// 53 to 56: the kind's fact about surnames that differ from, or equal, a
// relative's; the kind's word says which.
class WHLWarning : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 66 to 71 and 99: the kind's fact about citations.
class WHLHasSource : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 18, 72 to 77 and 100: the kind's fact about notes.
class WHLHasNote : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    std::string Describe() const override;

  protected:
    bool Test(const WABSIndividual& person, int32_t individual) override;
};

// 19, 24 to 30, 59, 91 to 94, 97, 98, 102 to 105, 110 to 113: the kind's
// text matched against a key (containing, equal to, beginning with, ending
// with); the base of the other text conditions.
class WHLStr : public WABSHLInd {
  public:
    using WABSHLInd::WABSHLInd;
    void Evaluate(int32_t individual) override;
    std::string Describe() const override;

  protected:
    void ParseParams() override;
    bool Test(const WABSIndividual& person, int32_t individual) override;

    TextKey key_;
};

// 43: the marriage place; both spouses of a matching family match.
class WHLMarriagePlace : public WHLStr {
  public:
    using WHLStr::WHLStr;
    void Evaluate(int32_t individual) override;
};

// 57, 58: the Soundex code of the kind's name part, from a text or a code.
class WHLSoundex : public WHLStr {
  public:
    using WHLStr::WHLStr;
    std::string Describe() const override;

  protected:
    void ParseParams() override;
    bool Test(const WABSIndividual& person, int32_t individual) override;

  private:
    std::string soundexKey_;
};

// 106 to 109: someone along the line the kind's relatives make (parents:
// the ancestry; children: the descent) has a matching name part.
class WHLLineName : public WHLStr {
  public:
    using WHLStr::WHLStr;
    void Evaluate(int32_t individual) override;

  private:
    // Whether someone along the line of `start` matches; the store
    // remembers the answers on the way.
    bool SearchLine(int32_t start);
    bool OwnNameMatches(int32_t individual) const;
};

}  // namespace vx
