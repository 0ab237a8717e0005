// Indexing a text handed over in pieces: wherever the pieces are cut (inside
// a line break, a level-0 line, an identifier, the trailer), the indexes are
// those of the whole text in one piece, and the collection loads the same
// from indexes made while its text was written as from its own reading.
#include <algorithm>
#include <filesystem>
#include <numeric>
#include <random>

#include "TestSupport.h"
#include "gedcom/ExpansionIndex.h"
#include "gedcom/GEDCollection.h"
#include "gedcom/RecordIndexer.h"

namespace vx {
namespace {

// Everything the indexes hold, in a form that compares whole.
struct IndexPicture {
    int64_t header = -1;
    std::vector<std::vector<int32_t>> offsets;   // by slot
    std::vector<std::vector<std::string>> keys;  // by slot, in file order

    bool operator==(const IndexPicture&) const = default;
};

IndexPicture PictureOf(const RecordIndexSet& set) {
    IndexPicture picture;
    picture.header = set.headerOffset;
    picture.offsets.resize(kSlotCount + 1);
    picture.keys.resize(kSlotCount + 1);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const WXREFIndex& xrefs = *set.xrefs[static_cast<size_t>(slot)];
        for (int32_t n = 1; n <= xrefs.Count(); ++n) {
            picture.keys[static_cast<size_t>(slot)].emplace_back(xrefs.KeyAt(n));
            picture.offsets[static_cast<size_t>(slot)].push_back(
                slot == kSlotIndividual ? set.individuals->Offset(n)
                                        : set.offsets[static_cast<size_t>(slot)]->Offset(n));
        }
    }
    return picture;
}

// The indexes of `text` fed in pieces that end at each of `cuts`.
IndexPicture IndexInPieces(const std::string& text, std::vector<size_t> cuts) {
    RecordIndexer indexer(RecordIndexSet::ForTextSize(static_cast<int64_t>(text.size())));
    cuts.push_back(text.size());
    std::sort(cuts.begin(), cuts.end());
    size_t from = 0;
    for (size_t cut : cuts) {
        indexer.Feed(text.data() + from, cut - from);
        from = cut;
    }
    EXPECT_EQ(indexer.BytesFed(), static_cast<int64_t>(text.size()));
    return PictureOf(indexer.Finish());
}

// Texts that put every kind of line start, line end and identifier at a
// piece boundary somewhere.
const std::vector<std::string> kAwkwardTexts = {
    "0 HEAD\r\n1 CHAR ANSEL\r\n0 @I2@ INDI\r\n0 @I1@ INDI\r\n0 NOTE no id\r\n0 @F1@ FAM\r\n"
    "0 @N1@ NOTE x\r\n0 @S1@ SOUR\r\n0 @R1@ REPO\r\n0 @U1@ SUBM\r\n0 @O1@ OBJE\r\n"
    "0 @X1@ SUBN\r\n0 @Z@ _CUSTOM\r\n0 TRLR\r\n0 @I3@ INDI\r\n",
    "\xEF\xBB\xBF\n\n  0 HEAD\n0 @I1@ INDI\n 0 @I9@ INDI\n0  @I2@ INDI\n0 @I3@INDI\n0 @@ INDI\n"
    "0 @I4 INDI\n0 @A-VERY-LONG-IDENTIFIER-1@ INDI\n0 @I1@ INDI\n0 @F1@ F\n0 @F2@ FOO\n0 TR",
    "0 HEAD\r0 @I1@ INDI\r1 NAME A\r0 @I2@ INDI\r\r\r0 @I3@ INDI\n\r0 @I4@ INDI",
    "no zero here at all\n",
    "abc10 HEAD\n0 @I1@ INDI\n0 @I2@ INDI\n0",
    "0 HEAD\n0 @N1@ NOTE " + std::string(5000, 'x') +
        "\n0 @I1@ INDI\n0 T\n0 TRAILING\n0 @I2@ INDI\n",
    std::string("0 HEAD\n0 @I\0@ INDI\n0 @I1@ \0NDI\n0 @I2@ INDI\n", 43),
};

TEST(RecordIndexerTest, EveryCutOfAwkwardTextsGivesTheWholeTextsIndexes) {
    for (const std::string& text : kAwkwardTexts) {
        SCOPED_TRACE(text.substr(0, 40));
        const IndexPicture whole = IndexInPieces(text, {});
        // One cut anywhere, and every byte a piece of its own.
        for (size_t cut = 0; cut <= text.size(); ++cut)
            ASSERT_EQ(IndexInPieces(text, {cut}), whole) << "cut at " << cut;
        std::vector<size_t> everyByte(text.size());
        std::iota(everyByte.begin(), everyByte.end(), size_t{0});
        ASSERT_EQ(IndexInPieces(text, everyByte), whole);
    }
    // What the whole first text holds, read independently of the cutting.
    const IndexPicture first = IndexInPieces(kAwkwardTexts[0], {});
    EXPECT_EQ(first.header, 0);
    EXPECT_EQ(first.keys[kSlotIndividual], (std::vector<std::string>{"I2", "I1"}));
    EXPECT_EQ(first.keys[kSlotOther], (std::vector<std::string>{"U1", "Z"}));
    EXPECT_EQ(first.offsets[kSlotFamily], (std::vector<int32_t>{62}));
    const IndexPicture second = IndexInPieces(kAwkwardTexts[1], {});
    EXPECT_EQ(second.header, 7);
    EXPECT_EQ(second.keys[kSlotIndividual],
              (std::vector<std::string>{"I1", "I2", "I3", "", "A-VERY-LONG-IDENTIFIER-1", "I1"}));
    EXPECT_EQ(second.keys[kSlotFamily], (std::vector<std::string>{"F1", "F2"}));
    // CR-only and mixed breaks; the last record has no line break after it.
    EXPECT_EQ(IndexInPieces(kAwkwardTexts[2], {}).keys[kSlotIndividual],
              (std::vector<std::string>{"I1", "I2", "I3", "I4"}));
    EXPECT_TRUE(IndexInPieces(kAwkwardTexts[3], {}).keys[kSlotIndividual].empty());
    EXPECT_EQ(IndexInPieces(kAwkwardTexts[3], {}).header, -1);
}

// A level-0 line is read no further than a value: an identifier that closes
// past that is no identifier, and a line that long is not kept whole when a
// piece cuts it. Either way the cuts do not matter.
TEST(RecordIndexerTest, OverlongLevelZeroLinesReadTheSameWhereverCut) {
    const std::string unclosed = "0 @" + std::string(kMaxValueLength, 'X') + "@ INDI\n";
    const std::string longNote = "0 @N1@ NOTE " + std::string(3 * kMaxValueLength, 'z') + "\n";
    const std::string text = "0 HEAD\n" + unclosed + longNote + "0 @I1@ INDI\n";
    const IndexPicture whole = IndexInPieces(text, {});
    EXPECT_EQ(whole.keys[kSlotIndividual], (std::vector<std::string>{"I1"}));
    EXPECT_EQ(whole.keys[kSlotNote], (std::vector<std::string>{"N1"}));
    std::vector<size_t> blocks;
    for (size_t cut = 4093; cut < text.size(); cut += 4093)
        blocks.push_back(cut);
    EXPECT_EQ(IndexInPieces(text, blocks), whole);
    for (size_t cut :
         {size_t{8}, size_t{10}, size_t{7} + kMaxValueLength, size_t{7} + kMaxValueLength + 4,
          7 + unclosed.size() + 20, 7 + unclosed.size() + kMaxValueLength + 1})
        EXPECT_EQ(IndexInPieces(text, {cut}), whole) << "cut at " << cut;
}

// Random texts over the bytes that matter to record starts, cut at random.
TEST(RecordIndexerTest, RandomTextsCutAtRandomGiveTheWholeTextsIndexes) {
    static constexpr char kAlphabet[] = "00000@@@@  \r\n\n\nIINDFTRSOUBJEX1";
    std::mt19937 random(20261211);
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 300, ' ');
        for (char& c : text)
            c = kAlphabet[random() % (sizeof kAlphabet - 1)];
        std::vector<size_t> cuts(random() % 6);
        for (size_t& cut : cuts)
            cut = text.empty() ? 0 : random() % (text.size() + 1);
        ASSERT_EQ(IndexInPieces(text, cuts), IndexInPieces(text, {})) << "text: " << text;
    }
}

// Real files cut as an archive cuts them, in blocks, and finer.
TEST(RecordIndexerTest, RealFilesCutInBlocksGiveTheWholeFilesIndexes) {
    for (const auto& entry : std::filesystem::directory_iterator(VELLACOR_GEDCOM_DATA)) {
        if (entry.path().extension() != ".ged") continue;
        SCOPED_TRACE(entry.path().filename().string());
        const std::string text = test::ReadFile(entry.path().string());
        const IndexPicture whole = IndexInPieces(text, {});
        for (size_t block : {size_t{4093}, size_t{777}, size_t{61}}) {
            std::vector<size_t> cuts;
            for (size_t cut = block; cut < text.size(); cut += block)
                cuts.push_back(cut);
            ASSERT_EQ(IndexInPieces(text, cuts), whole) << "blocks of " << block;
        }
    }
}

class OfferedIndexesTest : public test::TempDirTest {};

// A collection given indexes made block by block while its file was written
// reads exactly as one that indexed the file itself.
TEST_F(OfferedIndexesTest, IndexesMadeWhileWritingLoadTheSameCollection) {
    std::string text = "0 HEAD\n1 CHAR UTF-8\n";
    for (int i = 300; i >= 1; --i)
        text += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME P" + std::to_string(i) +
                " /Line/\n1 FAMC @F" + std::to_string(i + 1) + "@\n1 FAMS @F" + std::to_string(i) +
                "@\n";
    for (int f = 1; f <= 301; ++f)
        text += "0 @F" + std::to_string(f) + "@ FAM\n1 HUSB @I" + std::to_string(f) +
                "@\n1 CHIL @I" + std::to_string(f - 1) + "@\n";
    text += "0 TRLR\n";
    const std::string path = WriteFile("offered.ged", text);

    ExpansionIndex index(0);
    const ExpansionIndex::BlockSink sink = index.Sink();
    for (size_t from = 0; from < text.size(); from += 1000)
        sink(reinterpret_cast<const uint8_t*>(text.data() + from),
             std::min<size_t>(1000, text.size() - from));
    std::optional<ExpansionIndex::Result> made = index.Take();
    ASSERT_TRUE(made);
    EXPECT_EQ(made->textBytes, static_cast<int64_t>(text.size()));
    EXPECT_FALSE(index.Take());  // only once

    WGEDCollection offered(path);
    offered.OfferIndexes(std::move(made->indexes), made->textBytes);
    ASSERT_TRUE(offered.Load());
    EXPECT_TRUE(offered.IndexedBeforeLoad());
    WGEDCollection own(path);
    ASSERT_TRUE(own.Load());
    ASSERT_EQ(offered.IndividualCount(), 300);
    ASSERT_EQ(offered.FamilyCount(), 301);
    EXPECT_EQ(std::string(offered.Header(), 6), "0 HEAD");
    for (int32_t i = 1; i <= 300; ++i) {
        const std::string id = "I" + std::to_string(i);
        ASSERT_EQ(offered.IndividualByXRef(id), own.IndividualByXRef(id));
        ASSERT_EQ(offered.RecordLine(kSlotIndividual, i), own.RecordLine(kSlotIndividual, i) -
                                                              own.GedFile().TextStart() +
                                                              offered.GedFile().TextStart());
        ASSERT_EQ(offered.IndividualLinks().ParentFamily(i, 1),
                  own.IndividualLinks().ParentFamily(i, 1));
        ASSERT_EQ(offered.IndividualLinks().SpouseFamily(i, 1),
                  own.IndividualLinks().SpouseFamily(i, 1));
    }
}

// Indexes of another text are not used, whatever they hold.
TEST_F(OfferedIndexesTest, IndexesOfAnotherSizeAreDropped) {
    const std::string mine = "0 HEAD\n0 @I1@ INDI\n0 @I2@ INDI\n0 TRLR\n";
    const std::string other = "0 HEAD\n0 @X1@ INDI\n0 TRLR\n";
    RecordIndexer indexer(RecordIndexSet::ForTextSize(0));
    indexer.Feed(other.data(), other.size());
    WGEDCollection collection(WriteFile("mine.ged", mine));
    collection.OfferIndexes(indexer.Finish(), static_cast<int64_t>(other.size()));
    ASSERT_TRUE(collection.Load());
    EXPECT_FALSE(collection.IndexedBeforeLoad());
    EXPECT_EQ(collection.IndividualCount(), 2);
    EXPECT_EQ(collection.IndividualByXRef("I2"), 2);
    EXPECT_EQ(collection.IndividualByXRef("X1"), 0);
}

// Indexes of a UTF-16 file's bytes do not fit the UTF-8 text it is read as.
TEST_F(OfferedIndexesTest, IndexesOfAUtf16FileAreDropped) {
    const std::string text = "0 HEAD\n0 @I1@ INDI\n0 @I2@ INDI\n0 TRLR\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : text)
        utf16 += std::string{c, '\0'};
    RecordIndexer indexer(RecordIndexSet::ForTextSize(0));
    indexer.Feed(utf16.data(), utf16.size());
    std::string error;
    std::unique_ptr<WGEDCollection> collection =
        OpenCollection(WriteFile("wide.ged", utf16), WABSCollection::kKindGedcom, error);
    ASSERT_TRUE(collection) << error;
    collection->OfferIndexes(indexer.Finish(), static_cast<int64_t>(utf16.size()));
    ASSERT_TRUE(collection->Load());
    EXPECT_FALSE(collection->IndexedBeforeLoad());
    EXPECT_EQ(collection->IndividualCount(), 2);
    EXPECT_EQ(collection->IndividualByXRef("I2"), 2);
}

}  // namespace
}  // namespace vx
