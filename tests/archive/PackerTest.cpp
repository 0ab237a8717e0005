#include <sys/stat.h>

#include <filesystem>

#include "ArchiveTestSupport.h"
#include "app/Unicode.h"
#include "archive/ArchiveErrors.h"
#include "archive/EmbeddedArchive.h"
#include "archive/GedcomEncoding.h"
#include "archive/ViewerMark.h"
#include "packing/Packer.h"
#include "storage/MMF.h"

namespace vx::test {
namespace {

namespace fs = std::filesystem;

class PackerTest : public ArchiveTest {
  protected:
    void SetUp() override {
        ArchiveTest::SetUp();
        viewer_ = WriteFile("viewer", "#!/bin/sh\nexit 0\n# " + ViewerMark() + "\n");
    }

    TPackRequest Request(const std::string& gedcom) {
        TPackRequest request;
        request.GedcomPath = gedcom;
        request.ViewerPath = viewer_;
        request.OutputPath = Path("packed");
        request.Sender.Title = "Test";
        request.Sender.FileName = "test.ged";
        return request;
    }

    // Packs, loads the way the viewer does and returns the GEDCOM text.
    std::string PackAndLoad(const TPackRequest& request) {
        const TPackResult result = PackProgram(request);
        const TEmbeddedGedcom loaded = LoadEmbeddedGedcom(request.OutputPath);
        EXPECT_TRUE(loaded.Payload.Layout.MarkerFound);
        EXPECT_EQ(loaded.Payload.Layout.ArchiveOffset,
                  static_cast<int64_t>(fs::file_size(viewer_)));
        EXPECT_EQ(loaded.Payload.Layout.ArchiveSize, result.ArchiveBytes);
        EXPECT_EQ(loaded.Payload.Layout.Sender.BlockCount, result.BlockCount);
        EXPECT_EQ(loaded.Payload.Layout.Sender.Title, "Test");
        EXPECT_TRUE(loaded.Payload.BadBlocks.empty());
        // Only the unpacked GEDCOM is left among the temporary files.
        EXPECT_EQ(TempFileNames().size(), 1u);
        return ReadFile(loaded.File.Path());
    }

    std::string viewer_;
};

TEST_F(PackerTest, PackThenLoadGivesBackEveryTestFile) {
    std::vector<std::string> files;
    for (const char* folder : {"/gedcom", "/archive/good"})
        for (const auto& entry : fs::directory_iterator(std::string(VELLACOR_TEST_DATA) + folder))
            if (entry.path().extension() == ".ged" || entry.path().extension() == ".in")
                files.push_back(entry.path().string());
    ASSERT_GE(files.size(), 10u);
    std::string large;  // three blocks, the last one partial
    for (int i = 0; large.size() < 1500000; ++i)
        large += "0 @I" + std::to_string(i) + "@ INDI\r\n1 NAME Person " + std::to_string(i % 977) +
                 " /Family/\r\n";
    files.push_back(WriteFile("large.ged", large));

    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        EXPECT_TRUE(PackAndLoad(Request(file)) == ReadFile(file));
    }
    EXPECT_TRUE(TempFileNames().empty());
    EXPECT_TRUE(fs::status(Path("packed")).permissions() == fs::perms(0755));
}

TEST_F(PackerTest, RefusesWhatItCannotPack) {
    const std::string gedcom = WriteFile("tree.ged", "0 HEAD\n0 TRLR\n");
    const std::string packed = Path("packed");
    auto expectRefusal = [&](TPackRequest request, const std::string& mentions) {
        SCOPED_TRACE(mentions);
        try {
            PackProgram(request);
            ADD_FAILURE() << "packed";
        } catch (const EPackRefused& error) {
            EXPECT_NE(std::string(error.what()).find(mentions), std::string::npos) << error.what();
        }
        EXPECT_FALSE(fs::exists(request.OutputPath));
        EXPECT_FALSE(fs::exists(request.OutputPath + ".part"));
    };
    TPackRequest request = Request(gedcom);
    request.GedcomPath = Path("missing.ged");
    expectRefusal(request, "cannot open the GEDCOM file");
    request.GedcomPath = WriteFile("empty.ged", "");
    expectRefusal(request, "is empty");
    request = Request(gedcom);
    request.ViewerPath = Path("no-viewer");
    expectRefusal(request, "cannot open the viewer");
    request.ViewerPath = WriteFile("empty-viewer", "");
    expectRefusal(request, "the viewer");

    PackProgram(Request(gedcom));  // a viewer that carries a GEDCOM already
    request = Request(gedcom);
    request.ViewerPath = packed;
    request.OutputPath = Path("packed-twice");
    expectRefusal(request, "already carries a GEDCOM");

    // Files that are no viewer: a program that cannot show the archive
    // behind it, a text file; and the tool that looks for the mark.
    for (const std::string& notAViewer :
         {std::string("/bin/true"), WriteFile("notes.txt", "a text file\n"), gedcom}) {
        request = Request(gedcom);
        request.ViewerPath = notAViewer;
        request.OutputPath = Path("other");
        expectRefusal(request, "is not the Vellacor viewer");
    }

    // A GEDCOM larger than the viewer can open (sparse: no disk is used).
    const std::string huge = Path("huge.ged");
    fs::copy_file(gedcom, huge);
    fs::resize_file(huge, WMMF::kMaxSize + 1);
    request = Request(huge);
    request.OutputPath = Path("other");
    expectRefusal(request, "the viewer opens files up to 2147483647 bytes");
    fs::remove(huge);

    request = Request(gedcom);
    for (const std::string& input : {gedcom, viewer_}) {
        request.OutputPath = input;
        const std::string before = ReadFile(input);
        try {
            PackProgram(request);
            ADD_FAILURE() << "replaced its input";
        } catch (const EPackRefused& error) {
            EXPECT_NE(std::string(error.what()).find("would replace an input"), std::string::npos);
        }
        EXPECT_EQ(ReadFile(input), before);
    }
}

TEST_F(PackerTest, ViewerMarkIsFoundWhereverItStands) {
    // The viewer's copy of the mark and the one pack looks for agree.
    EXPECT_EQ(ViewerMark(), VELLACOR_VIEWER_MARK);
    const std::string mark = ViewerMark();
    // Across the boundary of two reads (they are 1 MB each), and at the end.
    const size_t chunk = 1 << 20;
    for (const size_t at : {size_t{0}, chunk - 10, chunk - 1, 3 * chunk}) {
        std::string image(at, 'x');
        image += mark;
        EXPECT_TRUE(IsViewerImage(WriteFile("image", image))) << at;
        image.pop_back();  // a mark cut short is none
        EXPECT_FALSE(IsViewerImage(WriteFile("image", image))) << at;
    }
    EXPECT_FALSE(IsViewerImage(Path("missing")));
}

TEST_F(PackerTest, OutputsThatAreNotRegularFiles) {
    const std::string gedcom = WriteFile("tree.ged", "0 HEAD\n0 TRLR\n");
    TPackRequest request = Request(gedcom);
    // A folder and a FIFO are refused and stay what they are.
    fs::create_directory(Path("folder"));
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    for (const char* name : {"folder", "fifo"}) {
        request.OutputPath = Path(name);
        try {
            PackProgram(request);
            ADD_FAILURE() << "packed into " << name;
        } catch (const EPackRefused& error) {
            EXPECT_NE(std::string(error.what()).find("is not a regular file"), std::string::npos);
        }
    }
    EXPECT_TRUE(fs::is_directory(Path("folder")));
    EXPECT_TRUE(fs::is_fifo(Path("fifo")));
    // A character device is written into, never replaced.
    request.OutputPath = "/dev/null";
    EXPECT_GT(PackProgram(request).OutputBytes, 0);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    // An unrelated file named like the old work file survives, and the
    // work file goes once the output is complete.
    const std::string unrelated = WriteFile("packed.part", "keep me");
    request.OutputPath = Path("packed");
    PackProgram(request);
    EXPECT_EQ(ReadFile(unrelated), "keep me");
    for (const auto& entry : fs::directory_iterator(dir_))
        EXPECT_NE(entry.path().filename().string().rfind(".packed", 0), 0u) << entry.path();
}

TEST_F(PackerTest, TooLongTextWritesNothing) {
    TPackRequest request = Request(WriteFile("tree.ged", "0 HEAD\n"));
    request.Sender.Title = std::string(32, 'x');
    EXPECT_THROW(PackProgram(request), ESenderFieldTooLong);
    EXPECT_FALSE(fs::exists(request.OutputPath));
}

TEST_F(PackerTest, Utf16GedcomIsPackedAsUtf8OnRequest) {
    // "0 HEAD / 1 CHAR UNICODE / 1 NOTE é𝄞" in UTF-16, both byte orders.
    const std::u16string text =
        u"0 HEAD\r\n1 CHAR UNICODE\r\n1 NOTE \u00E9\U0001D11E\r\n0 TRLR\r\n";
    const std::string expected =
        "0 HEAD\r\n1 CHAR UTF-8\r\n1 NOTE \xC3\xA9\xF0\x9D\x84\x9E\r\n0 TRLR\r\n";
    for (bool little : {true, false}) {
        std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
        for (char16_t unit : text) {
            const char lo = static_cast<char>(unit & 0xFF), hi = static_cast<char>(unit >> 8);
            bytes += little ? std::string{lo, hi} : std::string{hi, lo};
        }
        TPackRequest request = Request(WriteFile("utf16.ged", bytes));
        request.ConvertUtf16 = true;
        EXPECT_EQ(PackAndLoad(request), expected);
    }
}

TEST_F(PackerTest, RealUtf16FileKeepsItsLinesAndSaysUtf8) {
    const std::string path = VELLACOR_TEST_DATA "/gedcom/gedcom4j_utf16le_bom_declares_ansel.ged";
    const std::string utf16 = ReadFile(path);
    ASSERT_EQ(DetectUtf16(utf16), Utf16Order::LittleEndian);
    // The viewer reads UTF-16: without the option the file is packed as it is.
    TPackRequest request = Request(path);
    EXPECT_EQ(PackAndLoad(request), utf16);
    request.ConvertUtf16 = true;
    const std::string text = PackAndLoad(request);
    EXPECT_EQ(text.rfind("0 HEAD", 0), 0u);
    EXPECT_NE(text.find("\n1 CHAR UTF-8"), std::string::npos);
    EXPECT_EQ(text.find("CHAR ANSEL"), std::string::npos);
    size_t lines16 = 0;
    for (size_t at = 2; at + 1 < utf16.size(); at += 2)
        lines16 += utf16[at] == '\n' && utf16[at + 1] == 0;
    EXPECT_EQ(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')), lines16);
}

TEST(GedcomEncodingTest, CharsetLineIsReplacedOrAdded) {
    EXPECT_EQ(SetGedcomCharset("0 HEAD\n1 CHAR ANSEL\n0 TRLR\n", "UTF-8"),
              "0 HEAD\n1 CHAR UTF-8\n0 TRLR\n");
    EXPECT_EQ(SetGedcomCharset("0 HEAD\r\n1 SOUR X\r\n  1  CHAR  UNICODE\r\n", "UTF-8"),
              "0 HEAD\r\n1 SOUR X\r\n  1  CHAR UTF-8\r\n");
    EXPECT_EQ(SetGedcomCharset("0 HEAD\r\n1 SOUR X\r\n0 @I1@ INDI\r\n1 CHAR X\r\n", "UTF-8"),
              "0 HEAD\r\n1 CHAR UTF-8\r\n1 SOUR X\r\n0 @I1@ INDI\r\n1 CHAR X\r\n");
    EXPECT_EQ(SetGedcomCharset("0 HEAD\n1 CHARX Y\n", "UTF-8"),
              "0 HEAD\n1 CHAR UTF-8\n1 CHARX Y\n");
    EXPECT_EQ(SetGedcomCharset("0 HEAD", "UTF-8"), "0 HEAD\n1 CHAR UTF-8\n");
}

// Packing with --convert-utf16 decodes as the viewer does: damage is marked
// with U+FFFD instead of refusing the file.
TEST(GedcomEncodingTest, MalformedUtf16IsMarkedNotRefused) {
    EXPECT_EQ(Utf16ToUtf8(std::string("\xFF\xFE"
                                      "a",
                                      3),
                          true),
              "\xEF\xBF\xBD");  // an odd last byte
    EXPECT_EQ(Utf16ToUtf8(std::string("\xFF\xFE\x00\xD8"
                                      "a\0",
                                      6),
                          true),
              "\xEF\xBF\xBD"
              "a");  // lone high surrogate
    EXPECT_EQ(Utf16ToUtf8(std::string("\xFF\xFE\x00\xDC", 4), true), "\xEF\xBF\xBD");  // lone low
    EXPECT_EQ(Utf16ToUtf8(std::string("\xFE\xFF\x00"
                                      "A",
                                      4),
                          false),
              "A");
}

class EmbeddedArchiveTest : public PackerTest {
  protected:
    // A packed file whose trailer is changed by `edit`.
    std::string PackedWith(const std::function<void(SenderRecord&)>& edit) {
        PackProgram(Request(WriteFile("tree.ged", "0 HEAD\n0 TRLR\n")));
        std::string file = ReadFile(Path("packed"));
        const size_t at = file.size() - SenderRecord::kSize;
        SenderRecord sender =
            SenderRecord::FromBytes(reinterpret_cast<const uint8_t*>(file.data() + at));
        edit(sender);
        file.replace(at, SenderRecord::kSize, sender.ToBytes());
        return WriteFile("edited", file);
    }
};

TEST_F(EmbeddedArchiveTest, TrailerValuesOutsideTheFileAreErrors) {
    for (int32_t offset : {-1, 1 << 30}) {
        const std::string program =
            PackedWith([offset](SenderRecord& s) { s.ArchiveOffset = offset; });
        EXPECT_FALSE(ReadPayloadLayout(program).ArchiveInsideFile());
        EXPECT_THROW(LoadEmbeddedGedcom(program), EArchiveCorrupt);
    }
    const std::string negative = PackedWith([](SenderRecord& s) { s.BlockCount = -5; });
    EXPECT_THROW(LoadEmbeddedGedcom(negative), EArchiveCorrupt);
    const std::string tooMany = PackedWith([](SenderRecord& s) { s.BlockCount = 1000000; });
    // The viewer refuses it before expanding; expanding anyway runs out of
    // blocks after the last real one.
    EXPECT_THROW(LoadEmbeddedGedcom(tooMany), EPayloadRefused);
    EXPECT_THROW(ExpandEmbeddedArchive(tooMany, Path("out.ged")), ESignatureWrong);
    // An offset inside the program image finds no archive signature there.
    const std::string early = PackedWith([](SenderRecord& s) { s.ArchiveOffset = 0; });
    EXPECT_THROW(LoadEmbeddedGedcom(early), ESignatureWrong);
    EXPECT_FALSE(ReadPayloadLayout(WriteFile("short", std::string(100, 'x'))).MarkerFound);
    EXPECT_THROW(ReadPayloadLayout(WriteFile("short", "image\xEF\xBE\xAD\xDE")), EArchiveCorrupt);
    EXPECT_TRUE(TempFileNames().empty());
}

TEST_F(EmbeddedArchiveTest, MissingMarkerIsReportedAndLoadingGoesOn) {
    const std::string program = PackedWith([](SenderRecord& s) { s.Magic = 0; });
    EXPECT_FALSE(HasPayloadMarker(program));
    const TEmbeddedGedcom loaded = LoadEmbeddedGedcom(program);
    EXPECT_FALSE(loaded.Payload.Layout.MarkerFound);
    EXPECT_EQ(ReadFile(loaded.File.Path()), "0 HEAD\n0 TRLR\n");
}

}  // namespace
}  // namespace vx::test
