// Tests over family files loaded as the viewer loads them, in a private
// temporary folder and with default options (as if no settings file
// existed).
#pragma once

#include <memory>
#include <string>

#include "GedcomLoading.h"
#include "TestSupport.h"
#include "analysis/FamilyAnalysis.h"
#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "records/Date.h"

namespace vx::test {

// One collection at a time in `collection_`, loaded from text, with its
// analyses in `analysis_`.
class GedcomFileTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        WOptions::ResetToDefaults();
    }
    void TearDown() override {
        analysis_.reset();
        collection_.reset();
        WOptions::ResetToDefaults();
        TempDirTest::TearDown();
    }
    // Writes the text to a file of that name in the test's folder and loads
    // it into `collection_`, which it replaces.
    WGEDCollection& Load(const std::string& content, const std::string& name = "t.ged") {
        analysis_.reset();
        EXPECT_TRUE(LoadGedcomText(collection_, Path(name), content)) << name;
        if (collection_) analysis_ = std::make_unique<FamilyAnalysis>(*collection_);
        return *collection_;
    }
    // Makes a collection loaded elsewhere the test's, with new analyses
    // (the old ones go first: they belong to the old collection).
    void Adopt(std::unique_ptr<WGEDCollection> collection) {
        analysis_.reset();
        collection_ = std::move(collection);
        if (collection_) analysis_ = std::make_unique<FamilyAnalysis>(*collection_);
    }

    std::unique_ptr<WGEDCollection> collection_;
    std::unique_ptr<FamilyAnalysis> analysis_;
};

// As above with "today" fixed at 15 June 2026, so ages and living tests
// never drift.
class LoadedFileTest : public GedcomFileTest {
  protected:
    void SetUp() override {
        GedcomFileTest::SetUp();
        SetTodayProvider([] { return CivilDate{15, 6, 2026}; });
    }
    void TearDown() override {
        SetTodayProvider({});
        GedcomFileTest::TearDown();
    }
    // Writes the text to a file of that name and loads it into a collection
    // of the caller's own.
    std::unique_ptr<WGEDCollection> LoadText(const std::string& content,
                                             const std::string& name = "family.ged") {
        std::unique_ptr<WGEDCollection> collection;
        EXPECT_TRUE(LoadGedcomText(collection, Path(name), content)) << name;
        return collection;
    }
};

}  // namespace vx::test
