// A test over a family file loaded as the viewer loads it: default options
// (as if no settings file existed) and "today" fixed at 15 June 2026, so
// ages and living tests never drift.
#pragma once

#include <memory>
#include <string>

#include "TestSupport.h"
#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "records/Date.h"

namespace vx::test {

class LoadedFileTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        WOptions::ResetToDefaults();
        SetTodayProvider([] { return CivilDate{15, 6, 2026}; });
    }
    void TearDown() override {
        SetTodayProvider({});
        WOptions::ResetToDefaults();
        TempDirTest::TearDown();
    }
    // Writes the text to a file of that name and loads it.
    std::unique_ptr<WGEDCollection> LoadText(const std::string& content,
                                             const std::string& name = "family.ged") {
        auto collection = std::make_unique<WGEDCollection>(WriteFile(name, content));
        EXPECT_TRUE(collection->Load());
        collection->AfterLoad();
        return collection;
    }
};

}  // namespace vx::test
