// Condition strings and groups: parsing, AND binding tighter than OR,
// short-circuiting, the ten-condition limit, descriptions, cached answers
// and the highlighted list.
#include <set>

#include "LoadedFileTest.h"
#include "analysis/IslandView.h"
#include "analysis/Islands.h"
#include "app/Errors.h"
#include "app/Options.h"
#include "app/Services.h"
#include "gedcom/GEDCollection.h"
#include "highlight/ColHLIterator.h"
#include "highlight/HLGroup.h"
#include "highlight/HLString.h"

namespace vx {
namespace {

// 1 and 2 are Lees; 3 a Smith, 4 a Smithson; 5 has no surname and only a
// christening; 4 is the only woman besides 2.
const char* kFamily =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 NAME Adam /Lee/\n1 SEX M\n1 BIRT\n2 DATE 1900\n1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Beth /Lee/\n1 SEX F\n1 BIRT\n2 DATE 1905\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Carl /Smith/\n1 SEX M\n1 BIRT\n2 DATE 1930\n1 FAMC @F1@\n"
    "0 @I4@ INDI\n1 NAME Dora /Smithson/\n1 SEX F\n1 BIRT\n2 DATE 1932\n"
    "0 @I5@ INDI\n1 NAME Eli\n1 SEX M\n1 CHR\n2 DATE 1950\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n0 TRLR\n";

class MessageServices : public UiServices {
  public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void PumpMessages() override { ++pumps; }
    std::vector<std::string> messages;
    int pumps = 0;
};

class GroupTest : public test::LoadedFileTest {
  protected:
    void SetUp() override {
        LoadedFileTest::SetUp();
        SetUiServices(&ui_);
        Adopt(LoadText(kFamily));
    }
    void TearDown() override {
        SetUiServices(nullptr);
        LoadedFileTest::TearDown();
    }
    // Who the string highlights, asked in individual order.
    std::set<int32_t> Highlighted(const std::string& conditions) {
        WHLGroup group(analysis_.get());
        group.SetConditionString(conditions);
        group.Refresh();
        return Members(group);
    }
    std::set<int32_t> Members(WHLGroup& group) {
        std::set<int32_t> members;
        for (int32_t n = 1; n <= collection_->IndividualCount(); ++n)
            if (group.IsHighlighted(n)) members.insert(n);
        return members;
    }
    MessageServices ui_;
};

using Set = std::set<int32_t>;

TEST(ConditionStringTest, EntriesOperatorsKindsAndParameters) {
    WHLString parsed;
    parsed.Parse("+29:1SMITH;A;-17:F:ignored;O;44:4100;A");
    ASSERT_EQ(parsed.EntryCount(), 3);
    EXPECT_TRUE(parsed.IsAnd(0));
    EXPECT_FALSE(parsed.IsAnd(1));
    EXPECT_TRUE(parsed.IsAnd(2)) << "an operator after the last entry is recorded, unused";
    EXPECT_FALSE(parsed.IsNegated(0));
    EXPECT_TRUE(parsed.IsNegated(1));
    EXPECT_FALSE(parsed.IsNegated(2));
    EXPECT_EQ(parsed.KindOf(0), 29);
    EXPECT_EQ(parsed.KindOf(1), 17);
    EXPECT_EQ(parsed.ParamOf(0), "1SMITH");
    EXPECT_EQ(parsed.ParamOf(1), "F");
    EXPECT_EQ(parsed.ParamOf(2), "4100");
    EXPECT_EQ(parsed.EntryText(1), "-17:F:ignored");

    parsed.Parse("13;x;14");  // anything but "A" is OR
    EXPECT_FALSE(parsed.IsAnd(0));
    EXPECT_EQ(parsed.ParamOf(0), "");
    parsed.Parse("");
    EXPECT_EQ(parsed.EntryCount(), 0);
    parsed.Parse("abc:1;A;;A;-2147483648");
    EXPECT_THROW(parsed.KindOf(0), EConvertError);
    EXPECT_THROW(parsed.KindOf(1), EConvertError);
    EXPECT_GT(parsed.KindOf(2), 0);
    EXPECT_FALSE(parsed.IsAnd(-1));
    EXPECT_FALSE(parsed.IsAnd(40));

    std::string many = "13";
    for (int i = 0; i < 20; ++i)
        many += ";A;13";
    parsed.Parse(many);
    EXPECT_EQ(parsed.EntryCount(), 21);
    EXPECT_TRUE(parsed.IsAnd(11));
    EXPECT_FALSE(parsed.IsAnd(12)) << "operators beyond the twelfth are not recorded";
}

TEST_F(GroupTest, AndBindsTighterThanOr) {
    EXPECT_EQ(Highlighted("+29:1LEE"), (Set{1, 2}));
    EXPECT_EQ(Highlighted("-17:F"), (Set{1, 3, 5}));
    EXPECT_EQ(Highlighted("+29:1LEE;A;-17:F;O;+29:1SMITH"), (Set{1, 3, 4}));
    EXPECT_EQ(Highlighted("+29:1LEE;O;-17:F;A;+29:1SMITH"), (Set{1, 2, 3}));
    EXPECT_EQ(Highlighted("+29:1LEE;O;+29:2SMITH;O;+13"), (Set{1, 2, 3, 5}));
    EXPECT_EQ(Highlighted("-17:F;A;+29:3SMITH;A;-29:2SMITH"), (Set{}));
    // Everyone whose surname lacks SMITH, those without one included.
    EXPECT_EQ(Highlighted("-29:1SMITH"), (Set{1, 2, 5}));
    EXPECT_EQ(Highlighted(""), (Set{}));
    EXPECT_EQ(Highlighted("1"), (Set{})) << "the editor's placeholder";
}

TEST_F(GroupTest, EntriesWithoutAConditionLeaveWithTheirOperator) {
    // 1 (placeholder), 101 (no condition class) and unknown kinds add nothing;
    // the operator after such an entry goes with it, the others stay: here
    // LEE AND SMITH, which nobody is.
    EXPECT_EQ(Highlighted("+29:1LEE;A;101:1;O;+29:1SMITH"), (Set{}));
    EXPECT_EQ(Highlighted("1;A;+29:1LEE;O;500;O;+13"), (Set{1, 2, 5}));
    WHLGroup group(analysis_.get());
    group.SetConditionString("0;A;-7;O;114");
    EXPECT_EQ(group.ConditionCount(), 1) << "only kind 7 exists";
}

TEST_F(GroupTest, TenConditionsAtMost) {
    std::string twelve = "+29:1LEE";
    for (int i = 0; i < 9; ++i)
        twelve += ";O;+29:1LEE";
    twelve += ";O;+13;O;+13";  // the 11th and 12th would add 5
    WHLGroup group(analysis_.get());
    group.SetConditionString(twelve);
    EXPECT_EQ(group.ConditionCount(), WHLGroup::kMaxConditions);
    // One message for the whole string, however many entries it leaves out.
    EXPECT_EQ(ui_.messages, (std::vector<std::string>{
                                "Error: Too many high lighting options (10 at most; 2 left out)"}));
    std::string thousand = "+13";
    for (int i = 1; i < 1000; ++i)
        thousand += ";O;+13";
    ui_.messages.clear();
    group.SetConditionString(thousand);
    EXPECT_EQ(group.ConditionCount(), WHLGroup::kMaxConditions);
    EXPECT_EQ(ui_.messages, (std::vector<std::string>{WHLGroup::TooManyMessage(990)}));
    group.SetConditionString(twelve);
    group.Refresh();
    EXPECT_EQ(Members(group), (Set{1, 2}));
}

TEST_F(GroupTest, GarbageKindEndsTheStringKeepingEarlierConditions) {
    WHLGroup group(analysis_.get());
    EXPECT_THROW(group.SetConditionString("+13;O;+x:1;O;+29:1LEE"), EConvertError);
    EXPECT_EQ(group.ConditionCount(), 1);
    group.Refresh();
    EXPECT_EQ(Members(group), (Set{5}));
    EXPECT_THROW(group.SetConditionString(";A;+13"), EConvertError);
    EXPECT_EQ(group.ConditionCount(), 0);
    group.Refresh();
    EXPECT_EQ(Members(group), (Set{}));
    // A string of nothing but separators or a very long parameter is harmless.
    EXPECT_EQ(Highlighted("+29:1" + std::string(100000, 'Q')), (Set{}));
    EXPECT_THROW(Highlighted(";;;;"), EConvertError);
}

TEST_F(GroupTest, LaterConditionsAreNotAskedOnceTheAnswerIsKnown) {
    WHLGroup group(analysis_.get());
    group.SetConditionString("+29:1SMITH;A;+13;O;+29:1LEE");
    group.Refresh();
    EXPECT_TRUE(group.IsHighlighted(1));  // not a Smith: the AND run stops; Lee holds
    EXPECT_TRUE(group.Condition(0).IsEvaluated(1));
    EXPECT_FALSE(group.Condition(1).IsEvaluated(1));
    EXPECT_TRUE(group.Condition(2).IsEvaluated(1));
    EXPECT_FALSE(group.IsHighlighted(3));  // a Smith with a surname, not a Lee
    EXPECT_TRUE(group.Condition(1).IsEvaluated(3));
}

TEST_F(GroupTest, DescriptionsJoinWithTheOperators) {
    WHLGroup group(analysis_.get());
    group.SetConditionString("+29:1lee;O;-17:F;A;+13");
    group.Refresh();
    EXPECT_EQ(group.Describe(),
              "with surname containing \"LEE\" OR not female AND without a surname");
    group.SetConditionString("");
    EXPECT_EQ(group.Describe(), "");
}

TEST_F(GroupTest, AnswersStayCachedUntilPrepared) {
    WHLGroup group(analysis_.get());
    group.SetConditionString("+29:1LEE");
    group.Refresh();
    EXPECT_TRUE(group.IsHighlighted(1));
    group.SetConditionString("+29:1SMITH");
    EXPECT_TRUE(group.IsHighlighted(1)) << "the previous answer until prepared";
    group.Refresh();
    EXPECT_FALSE(group.IsHighlighted(1));
    EXPECT_TRUE(group.IsHighlighted(3));

    // A setting that changes ages takes effect at the next preparation:
    // 5 has only a christening, which counts for ages while AgeCalcCB is on.
    group.SetConditionString("+52:110");
    group.Refresh();
    EXPECT_TRUE(group.IsHighlighted(5));
    WOptions::SetFlag(opt::kAgeCalcCB, false);
    EXPECT_TRUE(group.IsHighlighted(5));
    group.Refresh();
    EXPECT_FALSE(group.IsHighlighted(5));
}

TEST_F(GroupTest, ColoursComeFromTheSettings) {
    WHLGroup group(analysis_.get());
    group.SetConditionString("+29:1LEE");
    group.Refresh();
    EXPECT_EQ(group.BackgroundColor(1), 65535u);
    EXPECT_EQ(group.TextColor(1), 0u);
    EXPECT_EQ(group.BackgroundColor(3), kColorWhite);
    WOptions::SetInt(opt::kHLCol, 0x00FF00);
    WOptions::SetInt(opt::kHLTCol, 0x0000FF);
    EXPECT_EQ(group.BackgroundColor(2), 0x00FF00u);
    EXPECT_EQ(group.TextColor(2), 0x0000FFu);
    EXPECT_FALSE(group.IsHighlighted(0));
    EXPECT_FALSE(group.IsHighlighted(99));
    EXPECT_TRUE(group.IsEvaluated(99));
}

TEST_F(GroupTest, HighlightedListFollowsTheViewAndLetsTheScreenBreathe) {
    std::string many = "0 HEAD\n";
    for (int i = 1; i <= 600; ++i)
        many += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME N" + std::to_string(i) +
                (i % 3 == 0 ? " /Three/\n" : "\n");
    many += "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I3@\n0 TRLR\n";
    Adopt(LoadText(many, "many.ged"));
    WHLGroup group(analysis_.get());
    group.SetConditionString("+29:2THREE");
    group.Refresh();
    const int pumps = ui_.pumps;
    WColHLIterator list(group, collection_.get(), nullptr);
    EXPECT_EQ(list.Count(), 200);
    EXPECT_EQ(list.ItemID(1), 3);
    EXPECT_EQ(list.ItemID(200), 600);
    EXPECT_GE(ui_.pumps - pumps, 2);
    // The status bar can follow the count; the build says when it is done.
    EXPECT_EQ(ProgressCount(), 500);
    EXPECT_FALSE(ProgressRunning());

    IslandView view(*collection_);
    view.Use(analysis_->Islands(), 1);  // the family of 1 and 3
    WColHLIterator inView(group, collection_.get(), &view);
    EXPECT_EQ(inView.Count(), 1);
    EXPECT_EQ(inView.ItemID(1), 3);
}

}  // namespace
}  // namespace vx
