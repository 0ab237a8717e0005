// The blood relationship of any individual to one base person ("Brother",
// "1st Cousin", "2C1R", "G Grand Father") and their nearest common
// ancestor. Lists compare one base person with every individual in turn, so
// the base person's ancestry is marked once and kept until the base changes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/PedigreeShape.h"

namespace vx {

class WABSCollection;
class WIntArray;

class WRelCalc {
  public:
    // Columns of the relation words, chosen by the other person's sex.
    enum SexIndex : int { kMale = 0, kFemale = 1, kUnknown = 2 };

    // The collection is not owned; without one every answer is empty.
    explicit WRelCalc(const WABSCollection* collection);
    ~WRelCalc();
    WRelCalc(const WRelCalc&) = delete;
    WRelCalc& operator=(const WRelCalc&) = delete;

    // How `other` is related to `base`; empty when they share no ancestor
    // or when the wait dialog's Cancel stopped the search.
    std::string Relationship(int32_t base, int32_t other);
    // The common ancestor found by the last Relationship call: empty when
    // there is none or when it is `base` or `other` themselves; otherwise
    // its display name (full) or "Surname, Given names".
    std::string CommonAncestorName(int32_t base, int32_t other, bool full) const;

    // The last result: the common ancestor (0 when none) and the
    // generations from the base person (a) and from the other person (b)
    // up to it; -1 when there is none.
    int32_t CommonAncestor() const { return commonAncestor_; }
    int32_t BaseDistance() const;
    int32_t OtherDistance() const;

    // The relation text for a generations from the base person and b from
    // the other person up to their common ancestor; empty for negative
    // distances.
    static std::string RelationText(int32_t a, int32_t b, SexIndex sex);
    // 'M' male, 'F' female, anything else unknown.
    static SexIndex SexIndexOf(std::string_view sex);

  private:
    struct Frame {
        int32_t person;
        int32_t depth;
    };

    void EnsureArrays();
    bool IsPerson(int32_t n) const { return n >= 1 && n <= individualCount_; }
    // Appends the husband then the wife of each parent family of n, in file
    // order, leaving out absent and unresolvable spouses.
    void AppendParents(int32_t n, std::vector<int32_t>& out) const;
    // Pushes the parents of n so that the first of them is popped first.
    void PushParents(int32_t n, int32_t depth);
    void MarkAncestors(int32_t base);
    // False when cancelled.
    bool WalkFrom(int32_t other);
    // Fills the remembered result of `other` and of whoever it needs
    // first; false when cancelled.
    bool Resolve(int32_t other);

    const WABSCollection* collection_;
    int32_t individualCount_ = 0;

    bool baseCached_ = false;
    int32_t cachedBase_ = 0;
    // Fewest generations from the cached base person up to each of its
    // ancestors (0 for the base itself), -1 for everybody else.
    std::unique_ptr<WIntArray> distances_;
    // An individual was visited by the current walk when its stamp equals
    // walkStamp_; a new stamp per walk avoids clearing every flag per call.
    std::unique_ptr<WIntArray> visitStamps_;
    int32_t walkStamp_ = 0;

    int32_t commonAncestor_ = 0;
    int32_t baseDistance_;
    int32_t otherDistance_;

    // The parents of everybody, read once; and for the cached base, each
    // individual's result (common ancestor, a, b) once known, so that people
    // down a long line reuse the answer of the line above them.
    WPedigreeShape parentShape_;
    static constexpr int32_t kNotResolved = -1;
    struct Result {
        int32_t ancestor = kNotResolved;
        int32_t a = 0, b = 0;
    };
    std::vector<Result> results_;

    // Work areas reused between calls.
    std::vector<Frame> stack_;
    std::vector<int32_t> parents_;
};

}  // namespace vx
