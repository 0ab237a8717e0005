// A highlight condition over the individuals of a file, with one byte per
// individual that remembers its answer: conditions are evaluated lazily, the
// first time a list asks about an individual, and answered from the store
// afterwards until the condition is prepared again.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "highlight/KindBehaviour.h"
#include "storage/ABSArrayIndex.h"

namespace vx {

class FamilyAnalysis;
class WABSCollection;
class WABSIndividual;

// Colours are COLORREF values, 0x00BBGGRR.
inline constexpr uint32_t kColorWhite = 0xFFFFFF;
inline constexpr uint32_t kColorBlack = 0x000000;

class WABSHighLighter : public WABSArrayIndex {
  public:
    enum Answer : uint8_t { kUnevaluated = 0, kFalse = 1, kTrue = 2 };

    // The analysis (null without a file) gives the collection and the
    // statistics.
    explicit WABSHighLighter(FamilyAnalysis* analysis, int kind = 0);

    // The test result, evaluating the individual when still unknown.
    virtual bool IsTrue(int32_t individual);
    // Computes the test for one individual and stores it with SetResult.
    virtual void Evaluate(int32_t individual) = 0;
    // Reads the parameter and forgets every stored answer; called before
    // use and after every change.
    virtual void Prepare() = 0;
    // The condition in words.
    virtual std::string Describe() const = 0;
    virtual void SetParams(const std::string& text) { params_ = text; }
    // The test result with the negation applied; false out of range.
    virtual bool IsHighlighted(int32_t individual);
    // Ignored for individuals out of range.
    virtual void SetResult(int32_t individual, bool flag);
    // Every answer to `value`: unevaluated, or false.
    virtual void Reset(Answer value);

    bool IsEvaluated(int32_t individual) const;
    bool RawTrue(int32_t individual) const;
    void SetNegated(bool negated) { negated_ = negated; }
    bool IsNegated() const { return negated_; }
    void Refresh() { Prepare(); }
    int Kind() const { return kind_; }
    const std::string& Params() const { return params_; }

    uint32_t BackgroundColor(int32_t individual);
    uint32_t TextColor(int32_t individual);
    // The colours the settings give highlighted individuals.
    static uint32_t HighlightColor();
    static uint32_t HighlightTextColor();

  protected:
    // The individual, or null for a number the collection cannot read.
    std::unique_ptr<WABSIndividual> Person(int32_t individual) const;
    Answer StoredAnswer(int32_t individual) const;

    FamilyAnalysis* analysis_;
    const WABSCollection* collection_;
    bool negated_ = false;
    std::string params_;
    int kind_;
};

// The base of every condition on individuals: a first parameter (an
// individual number) and a second (a number of generations), and what its
// kind's catalogue row says the kind reads.
class WABSHLInd : public WABSHighLighter {
  public:
    explicit WABSHLInd(FamilyAnalysis* analysis, int kind = 0, const KindBehaviour& behaviour = {});

    // Most conditions read their parameter, then forget every answer.
    void Prepare() override;
    // Most conditions test one readable individual at a time; unreadable
    // ones are false.
    void Evaluate(int32_t individual) override;

  protected:
    virtual void ParseParams() {}
    virtual bool Test(const WABSIndividual& /*person*/, int32_t /*individual*/) { return false; }
    // "individual^generations": the first piece defaults to 1, the second
    // to 0. Errors: VxError when there is no "^".
    void ParseIndividualParam(const std::string& text);
    // The person with the kind's behaviour, for the readings; only for a
    // person the collection gave.
    PersonReading Reading(const WABSIndividual& person, int32_t individual) const;

    KindBehaviour behaviour_;
    int32_t firstParam_ = 0;
    int32_t secondParam_ = 1;
};

}  // namespace vx
