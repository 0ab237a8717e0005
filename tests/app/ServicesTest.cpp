#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Services.h"

namespace vx {
namespace {

// Records what the core asks the user interface to do.
class RecordingServices : public UiServices {
  public:
    void PumpMessages() override { ++pumps; }
    void SetBusyCursor(bool busy) override { cursorBusy = busy; }
    void WaitCreate() override { log.push_back("create"); }
    void WaitSetCancelButton(bool withCancel, int height) override {
        log.push_back(std::string(withCancel ? "cancel " : "plain ") + std::to_string(height));
    }
    void WaitBegin(const std::string& message, bool atOnce, void*) override {
        log.push_back((atOnce ? "now " : "later ") + message);
    }
    void WaitDestroy() override { log.push_back("destroy"); }
    bool LargeFonts() const override { return large; }

    int pumps = 0;
    bool cursorBusy = false;
    bool large = false;
    std::vector<std::string> log;
};

class ServicesTest : public ::testing::Test {
  protected:
    void SetUp() override { SetUiServices(&ui); }
    void TearDown() override {
        while (WaitNesting() > 0)
            HideWait();
        while (BusyCount() > 0)
            SetBusy(false);
        SetUiServices(nullptr);
    }
    RecordingServices ui;
};

TEST_F(ServicesTest, BusyCursorFollowsTheOutermostBracket) {
    SetBusy(true);
    SetBusy(true);
    SetBusy(false);
    EXPECT_TRUE(ui.cursorBusy);
    SetBusy(false);
    EXPECT_FALSE(ui.cursorBusy);
    SetBusy(false);  // an extra release leaves the counter at 0
    EXPECT_EQ(BusyCount(), 0);
    SetBusy(true);
    EXPECT_TRUE(ui.cursorBusy);
    SetBusy(false);
}

TEST_F(ServicesTest, NestedWaitKeepsTheFirstMessageUntilTheOutermostHide) {
    ShowWait("Reading.  Please Wait...", false, true);
    ShowWait("Sorting.  Please Wait...", false, false);
    EXPECT_EQ(WaitNesting(), 2);
    HideWait();
    EXPECT_TRUE(WaitDialogExists());
    HideWait();
    EXPECT_FALSE(WaitDialogExists());
    HideWait();  // an extra hide changes nothing
    EXPECT_EQ(WaitNesting(), 0);
    EXPECT_EQ(ui.log,
              (std::vector<std::string>{"create", "cancel 100", "later Reading.  Please Wait...",
                                        "plain 67", "destroy"}));
}

TEST_F(ServicesTest, CancelFlagIsClearedByARequestWithCancel) {
    ShowWait("Reading.  Please Wait...", true, true);
    SetWaitCancelled();
    EXPECT_TRUE(WaitCancelled());
    ShowWait("Sorting.  Please Wait...", false, false);
    EXPECT_TRUE(WaitCancelled());  // a request without Cancel leaves it
    HideWait();
    HideWait();
    ShowWait("Reading.  Please Wait...", false, true);
    EXPECT_FALSE(WaitCancelled());
    HideWait();
}

// Work stops only for a Cancel the user could press: under a request that
// offers it, however deeply nested the request doing the work.
TEST_F(ServicesTest, WorkIsCancelledOnlyUnderARequestWithCancel) {
    ShowWait("Sorting.  Please Wait...", false, false);
    SetWaitCancelled();
    EXPECT_FALSE(WorkCancelled());
    ShowWait("Calculating.  Please Wait...", false, true);
    EXPECT_TRUE(WaitCancellable());
    EXPECT_FALSE(WorkCancelled());  // the new request cleared the flag
    SetWaitCancelled();
    ShowWait("Sorting.  Please Wait...", false, false);
    EXPECT_TRUE(WorkCancelled());  // inner work without its own Cancel
    HideWait();
    HideWait();
    EXPECT_FALSE(WaitCancellable());
    EXPECT_FALSE(WorkCancelled());
    HideWait();
    EXPECT_FALSE(WorkCancelled());
}

TEST_F(ServicesTest, DialogHeightsOnLargeFontScreens) {
    EXPECT_EQ(WaitDialogHeight(true, false), 100);
    EXPECT_EQ(WaitDialogHeight(false, false), 67);
    EXPECT_EQ(WaitDialogHeight(true, true), 125);
    EXPECT_EQ(WaitDialogHeight(false, true), 84);
    ui.large = true;
    WaitScope scope("Copying to clipboard", false, false);
    EXPECT_EQ(ui.log.at(1), "plain 84");
}

TEST_F(ServicesTest, ScopesCloseOnErrors) {
    try {
        WaitScope wait("Calculating.  Please Wait...", false, false);
        BusyScope busy;
        PumpMessages();
        throw std::runtime_error("failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(WaitNesting(), 0);
    EXPECT_EQ(BusyCount(), 0);
    EXPECT_FALSE(ui.cursorBusy);
    EXPECT_EQ(ui.pumps, 1);
}

}  // namespace
}  // namespace vx
