#include "TestSupport.h"
#include "analysis/SourceIterator.h"
#include "app/Errors.h"
#include "app/Services.h"
#include "gedcom/GEDCollection.h"
#include "gedcom/GEDSource.h"
#include "records/Note.h"
#include "records/Repository.h"
#include "records/Source.h"

namespace vx {
namespace {

class SupportRecordsTest : public test::TempDirTest {
  protected:
    WGEDCollection& Load(const std::string& content) {
        collection_ = std::make_unique<WGEDCollection>(WriteFile("t.ged", content));
        EXPECT_TRUE(collection_->Load());
        return *collection_;
    }
    // The line of the loaded text that starts with `prefix`.
    const char* Line(const std::string& prefix) const {
        const WGEDTextMMF& text = collection_->GedFile();
        for (const char* p = text.TextStart(); p; p = text.NextLine(p, true))
            if (std::string(p, text.LineEnd(p)).rfind(prefix, 0) == 0) return p;
        return nullptr;
    }
    std::unique_ptr<WGEDCollection> collection_;
};

TEST_F(SupportRecordsTest, NoteRecords) {
    WGEDCollection& c = Load(
        "0 HEAD\n1 CHAR ANSEL\n0 @N1@ NOTE First line\n1 CONT\n1 CONT Third line\n"
        "0 @N2@ NOTE\n1 CONC Text\n1 CONC  more\n1 CONT   next  \n0 @N3@ NOTE \xE2"
        "e\n0 TRLR\n");
    auto first = c.Note(1);
    EXPECT_EQ(first->Lines(), (std::vector<std::string>{"First line", "Third line"}));
    EXPECT_EQ(first->NoteText("\r\n"), "First line\r\nThird line");
    EXPECT_EQ(c.Note(2)->Lines(), (std::vector<std::string>{"Textmore", "next"}));
    EXPECT_EQ(c.Note(3)->NoteText("|"), "\xC3\xA9");
    EXPECT_EQ(c.Note(0), nullptr);
    EXPECT_THROW(c.Note(4), EIndexError);
}

TEST_F(SupportRecordsTest, NotesFromLines) {
    WGEDCollection& c = Load(
        "0 HEAD\n0 @I1@ INDI\n1 NOTE @N1@\n1 NOTE @GONE@\n1 NOTE in line\n2 CONT second\n"
        "2 NOTE sub note\n2 SOUR @S1@\n1 BIRT\n0 @N1@ NOTE Record note\n0 TRLR\n");
    EXPECT_EQ(c.NoteFromLine(Line("1 NOTE @N1@"))->NoteText("/"), "Record note");
    EXPECT_EQ(c.NoteFromLine(Line("1 NOTE @GONE@")), nullptr);
    EXPECT_EQ(c.NoteFromLine(Line("1 NOTE in"))->Lines(),
              (std::vector<std::string>{"in line", "second", "sub note"}));
    EXPECT_EQ(c.NoteFromLine(nullptr), nullptr);
}

TEST_F(SupportRecordsTest, SourcesCitationsAndSummaries) {
    WGEDCollection& c = Load(
        "0 HEAD\n0 @I1@ INDI\n1 SOUR @S1@\n2 PAGE p. 12\n2 NOTE cited\n1 BIRT\n2 SOUR Family "
        "Bible\n"
        "3 PAGE p. 4\n3 NOTE bible note\n3 TEXT verse\n1 SOUR @NONE@\n"
        "0 @S1@ SOUR\n1 AUTH Smith, J.\n1 TITL Parish\n2 CONT Register\n1 REPO @R1@\n1 NOTE src "
        "note\n"
        "0 @S2@ SOUR\n1 NAME Named\n1 PUBL Pub\n1 ABBR Ab\n1 CALN 123\n1 REPO @R9@\n1 TEXT one\n2 "
        "CONT two\n"
        "0 @R1@ REPO\n1 NAME Archive\n2 CONT Hall\n1 ADDR 1 Main St\n2 CONT Suite 2\n2 CITY "
        "Boston\n"
        "2 STAE MA\n2 POST 02100\n2 CTRY USA\n1 PHON 555\n0 TRLR\n");
    auto s1 = c.Source(1);
    EXPECT_EQ(s1->Author(), "Smith, J.");
    EXPECT_EQ(s1->Title(), "Parish\r\nRegister");
    EXPECT_EQ(s1->SummaryText(), "Smith, J., Parish Register");
    EXPECT_EQ(s1->RepositoryNumber(), 1);
    EXPECT_TRUE(s1->HasNote());
    EXPECT_FALSE(s1->HasText());
    EXPECT_EQ(s1->RecordText().substr(0, 12), "0 @S1@ SOUR\n");

    auto s2 = c.Source(2);
    EXPECT_EQ(s2->Title(), "Named");
    EXPECT_EQ(s2->SummaryText(), "Named, Pub, 123, Ab");
    EXPECT_TRUE(s2->HasRepository());
    EXPECT_EQ(s2->RepositoryNumber(), 0);  // names no repository
    EXPECT_EQ(s2->TextNote()->Lines(), (std::vector<std::string>{"one", "two"}));

    WGEDCitation cited(c, Line("1 SOUR @S1@"));
    EXPECT_EQ(cited.Page(), "p. 12");
    EXPECT_EQ(cited.CitationText(), "p. 12, cited, Smith, J., Parish Register, src note");
    WGEDCitation bible(c, Line("2 SOUR Family"));
    auto inLine = bible.Source();
    EXPECT_EQ(inLine->Title(), "Family Bible");
    EXPECT_EQ(inLine->RecordText(), "");
    EXPECT_TRUE(inLine->HasText());
    EXPECT_EQ(bible.CitationText(), "p. 4, bible note, Family Bible");
    WGEDCitation missing(c, Line("1 SOUR @NONE@"));
    EXPECT_EQ(missing.Source(), nullptr);
    EXPECT_EQ(missing.CitationText(), "");

    auto repo = c.Repository(1);
    EXPECT_EQ(repo->RepoName(), "Archive\rHall");
    auto address = repo->Address();
    EXPECT_EQ(address->AddressText(), "1 Main St\r\nSuite 2");
    EXPECT_EQ(address->City(), "Boston");
    EXPECT_EQ(address->State(), "MA");
    EXPECT_EQ(address->PostalCode(), "02100");
    EXPECT_EQ(address->Country(), "USA");
    EXPECT_EQ(address->Phone(), "555");
    EXPECT_EQ(address->Address1(), "");
    EXPECT_EQ(repo->Note(), nullptr);
}

TEST_F(SupportRecordsTest, Submitter) {
    WGEDCollection& c = Load(
        "0 HEAD\n1 SUBM\n1 SUBM @U1@\n0 @U1@ SUBM\n1 NAME John Doe\n1 ADDR 12 High St\n2 CONT "
        "Town\n"
        "1 EMAIL y@x\n1 _EMAIL x@x\n1 PHON 123\n2 CTRY UK\n0 TRLR\n");
    auto submitter = c.Submitter();
    ASSERT_NE(submitter, nullptr);
    EXPECT_EQ(submitter->SubmitterName(), "John Doe");
    EXPECT_EQ(submitter->Email(), "x@x");
    EXPECT_EQ(submitter->AddressLine1(), "12 High St");
    EXPECT_EQ(submitter->AddressLine2(), "Town");
    EXPECT_EQ(submitter->AddressLine3(), "");
    EXPECT_EQ(submitter->Phone(), "123");
    EXPECT_EQ(submitter->Country(), "UK");

    EXPECT_EQ(Load("0 HEAD\n1 SOUR X\n0 TRLR\n").Submitter(), nullptr);
    EXPECT_EQ(Load("0 HEAD\n1 SUBM @U9@\n0 @U1@ SUBM\n0 TRLR\n").Submitter(), nullptr);
    EXPECT_EQ(
        Load("0 HEAD\n1 SUBM @U1@\n0 @U1@ SUBM\n1 EMAIL only@x\n0 TRLR\n").Submitter()->Email(),
        "only@x");
}

}  // namespace
}  // namespace vx

namespace vx {
namespace {

TEST_F(SupportRecordsTest, SourcesListSortsAndReverses) {
    struct CountWaits : UiServices {
        int waits = 0;
        void WaitBegin(const std::string& message, bool, void*) override {
            waits += message == "Sorting.  Please Wait...";
        }
    } ui;
    WGEDCollection& c = Load(
        "0 HEAD\n0 @S1@ SOUR\n1 TITL b title\n1 NOTE n\n0 @S2@ SOUR\n1 TITL A title\n"
        "0 @S3@ SOUR\n1 TITL c title\n1 AUTH Zed\n0 TRLR\n");
    SetUiServices(&ui);
    WSourceIterator list(c);
    auto rows = [&list] {
        std::vector<int32_t> out;
        for (int32_t row = 1; row <= list.Count(); ++row)
            out.push_back(list.SourceAt(row));
        return out;
    };
    EXPECT_EQ(rows(), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(list.SortKey(), WSourceIterator::kFileOrder);
    list.SortBy(WSourceIterator::kTitle, true);
    EXPECT_EQ(rows(), (std::vector<int32_t>{2, 1, 3}));  // letter case ignored
    list.SortBy(WSourceIterator::kTitle, true);          // the same column again
    EXPECT_EQ(rows(), (std::vector<int32_t>{3, 1, 2}));
    EXPECT_EQ(list.Direction(), 2);
    EXPECT_EQ(ui.waits, 1);  // reversing does not sort again
    list.SortBy(WSourceIterator::kAuthor, false);
    EXPECT_EQ(rows().front(), 3);
    list.SortBy(WSourceIterator::kNote, false);
    EXPECT_EQ(rows().front(), 1);
    list.SortBy(WSourceIterator::kFileOrder, true);
    EXPECT_EQ(rows(), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(list.SourceAt(0), 0);
    EXPECT_EQ(list.SourceAt(4), 0);
    SetUiServices(nullptr);
}

}  // namespace
}  // namespace vx
