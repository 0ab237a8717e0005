// The main window on damaged, refused and unloadable payloads: every case
// ends in one clear message, never an abort. A payload that cannot be
// expanded ends the program with exit status 1; a GEDCOM the loader cannot
// open leaves the empty window; a block that fails its CRC check is
// reported once and the tree is shown, marked as damaged.
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "QtTestSupport.h"
#include "app/Options.h"
#include "app/Services.h"
#include "archive/EmbeddedArchive.h"
#include "archive/SenderRecord.h"
#include "archive/ViewerMark.h"
#include "gedcom/GEDCollection.h"
#include "platform/FileHandle.h"
#include "ui/LogoMain.h"
#include "ui/SenderPage.h"

namespace vx {
namespace {

const char* kFamily =
    "0 HEAD\n1 CHAR ANSI\n"
    "0 @I1@ INDI\n1 NAME Ann /Lee/\n1 SEX F\n1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Bo /Lee/\n1 SEX M\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Kim /Lee/\n1 FAMC @F1@\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n1 CHIL @I3@\n0 TRLR\n";

// Offsets inside the first block's header, from the archive's start.
constexpr int64_t kFirstBlockSignature = 4;
constexpr int64_t kFirstBlockCrc = 8;

// Packs `gedcom` with vellacor-tool; any bytes stand in for the viewer.
QString Pack(const QString& folder, const QString& name, const QByteArray& gedcom) {
    const QString gedcomPath = folder + "/" + name + ".ged";
    const QString viewer = folder + "/viewer-image";
    std::ofstream(gedcomPath.toStdString(), std::ios::binary) << gedcom.toStdString();
    // Any bytes with the viewer's mark stand in for the viewer image.
    std::ofstream(viewer.toStdString()) << "viewer image " << ViewerMark();
    const QString output = folder + "/" + name;
    QProcess tool;
    tool.start(VELLACOR_TOOL, {"pack", gedcomPath, "-o", output, "--viewer", viewer});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0) return {};
    return output;
}

size_t CountOf(const std::vector<std::string>& messages, const std::string& text) {
    return static_cast<size_t>(std::count(messages.begin(), messages.end(), text));
}

}  // namespace

class DamagedPayloadTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void crcMismatchIsShownOnceAndTheTreeMarkedDamaged();
    void damagedArchiveEndsWithExitStatusOne();
    void oversizedPayloadIsRefusedBeforeExpanding();
    void refusalNamesTheTemporaryFolderWhenItIsFull();
    void emptyGedcomLeavesTheEmptyWindow();
    void gedcomOverTwoGigabytesLeavesTheEmptyWindow();

  private:
    // A copy of the packed family with `change` applied to its bytes.
    QString Damaged(const QString& name, const std::function<void(std::string&)>& change);
    std::unique_ptr<TLogoAppForm> Open(const QString& program);
    // vor*.tmp files in the temporary folder.
    int TempFileCount() const;

    QTemporaryDir dir_;
    test::RecordingServices services_;
    QString program_;
    TPayloadLayout layout_;
};

void DamagedPayloadTest::initTestCase() {
    QVERIFY(dir_.isValid());
    qputenv("TMPDIR", dir_.path().toLocal8Bit());
    program_ = Pack(dir_.path(), "family", kFamily);
    QVERIFY(!program_.isEmpty());
    layout_ = ReadPayloadLayout(program_.toStdString());
    QVERIFY(layout_.MarkerFound);
}

void DamagedPayloadTest::init() {
    WOptions::ResetToDefaults();
    WOptions::SetFlag(opt::kDispInitHelp, false);
    services_.messages.clear();
    SetUiServices(&services_);
}

void DamagedPayloadTest::cleanup() {
    SetUiServices(nullptr);
}

QString DamagedPayloadTest::Damaged(const QString& name,
                                    const std::function<void(std::string&)>& change) {
    std::ifstream in(program_.toStdString(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    change(bytes);
    const QString path = dir_.filePath(name);
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    return path;
}

std::unique_ptr<TLogoAppForm> DamagedPayloadTest::Open(const QString& program) {
    auto window = std::make_unique<TLogoAppForm>(program.toStdString());
    window->show();
    if (!QTest::qWaitFor([&] { return window->StartSequenceDone() && !window->IsLoading(); },
                         20000))
        return nullptr;
    QTest::qWait(10);  // a failed start closes the window on the next turn
    return window;
}

int DamagedPayloadTest::TempFileCount() const {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path().toStdString())) {
        const std::string name = entry.path().filename().string();
        count += name.rfind("vor", 0) == 0 && entry.path().extension() == ".tmp";
    }
    return count;
}

void DamagedPayloadTest::crcMismatchIsShownOnceAndTheTreeMarkedDamaged() {
    const QString damaged = Damaged("crc", [&](std::string& bytes) {
        bytes[static_cast<size_t>(layout_.ArchiveOffset + kFirstBlockCrc)] ^= 0x01;
    });
    auto window = Open(damaged);
    QVERIFY(window);
    QCOMPARE(CountOf(services_.messages, WRESCompress::kCrcMessage), size_t{1});
    // The block is still written: the tree loads in full.
    QVERIFY(window->Collection());
    QCOMPARE(window->Collection()->IndividualCount(), 3);
    QVERIFY(window->SenderPage()->DamageStatus()->isVisibleTo(window->SenderPage()));
    QVERIFY(window->SenderPage()->DamageStatus()->text().contains("damaged"));
    QCOMPARE(window->ExitStatus(), 0);

    // A sound file shows no such line.
    services_.messages.clear();
    auto sound = Open(program_);
    QVERIFY(sound);
    QVERIFY(services_.messages.empty());
    QVERIFY(!sound->SenderPage()->DamageStatus()->isVisibleTo(sound->SenderPage()));
}

void DamagedPayloadTest::damagedArchiveEndsWithExitStatusOne() {
    const QString damaged = Damaged("signature", [&](std::string& bytes) {
        bytes[static_cast<size_t>(layout_.ArchiveOffset + kFirstBlockSignature)] = 'X';
    });
    auto window = Open(damaged);
    QVERIFY(window);
    QCOMPARE(services_.messages.size(), size_t{1});
    QVERIFY(services_.messages.front().find("Wrong Signature.") != std::string::npos);
    QVERIFY(!window->Collection());
    QCOMPARE(window->ExitStatus(), 1);
    QVERIFY(!window->isVisible());
}

void DamagedPayloadTest::oversizedPayloadIsRefusedBeforeExpanding() {
    // Ten thousand full blocks would be about 6 GB of text.
    const QString huge = Damaged("huge", [&](std::string& bytes) {
        SenderRecord sender = layout_.Sender;
        sender.BlockCount = 10000;
        bytes.replace(bytes.size() - SenderRecord::kSize, SenderRecord::kSize, sender.ToBytes());
    });
    const int before = TempFileCount();
    auto window = Open(huge);
    QVERIFY(window);
    QCOMPARE(services_.messages.size(), size_t{1});
    QVERIFY2(services_.messages.front().find("too large to open") != std::string::npos,
             services_.messages.front().c_str());
    QCOMPARE(window->ExitStatus(), 1);
    QCOMPARE(TempFileCount(), before);
}

void DamagedPayloadTest::refusalNamesTheTemporaryFolderWhenItIsFull() {
    TPayloadLayout layout = layout_;
    layout.Sender.BlockCount = 3;
    const int64_t needed = DeclaredGedcomBytes(layout) + layout.ArchiveSize;
    QVERIFY(needed > 2 * 615399);
    CheckPayloadFits(layout, needed, "/tmp/");
    CheckPayloadFits(layout, -1, "/tmp/");  // room unknown: not refused
    try {
        CheckPayloadFits(layout, needed - 1, "/somewhere/tmp/");
        QFAIL("no refusal");
    } catch (const EPayloadRefused& refused) {
        const std::string text = refused.what();
        QVERIFY2(text.find("/somewhere/tmp/") != std::string::npos, refused.what());
        QVERIFY2(text.find(std::to_string(needed)) != std::string::npos, refused.what());
    }
    // The largest text the loader opens passes; one more block does not.
    layout.Sender.BlockCount = static_cast<int32_t>(kMaxGedcomBytes / 615399);
    CheckPayloadFits(layout, -1, "/tmp/");
    layout.Sender.BlockCount += 2;
    QVERIFY_THROWS_EXCEPTION(EPayloadRefused, CheckPayloadFits(layout, -1, "/tmp/"));
}

void DamagedPayloadTest::emptyGedcomLeavesTheEmptyWindow() {
    // A trailer that declares no blocks: the GEDCOM unpacks to 0 bytes.
    const QString empty = Damaged("no-blocks", [&](std::string& bytes) {
        SenderRecord sender = layout_.Sender;
        sender.BlockCount = 0;
        bytes.replace(bytes.size() - SenderRecord::kSize, SenderRecord::kSize, sender.ToBytes());
    });
    auto window = Open(empty);
    QVERIFY(window);
    QCOMPARE(services_.messages.size(), size_t{1});
    QVERIFY(!services_.messages.front().empty());
    QVERIFY(!window->Collection());
    QVERIFY(!window->IsLoading());
    QCOMPARE(window->ExitStatus(), 0);
    QVERIFY(window->isVisible());
}

void DamagedPayloadTest::gedcomOverTwoGigabytesLeavesTheEmptyWindow() {
    auto window = Open(program_);
    QVERIFY(window);
    QVERIFY(window->Collection());
    // A sparse file takes no room on the disk.
    const std::string big = dir_.filePath("big.ged").toStdString();
    {
        platform::FileHandle file = platform::CreateOrReplaceFile(big);
        QVERIFY(file.IsOpen());
        QVERIFY(platform::SetFileLength(file, kMaxGedcomBytes + 2));
    }
    services_.messages.clear();
    QVERIFY(!window->LoadFile(big));
    QCOMPARE(services_.messages.size(), size_t{1});
    QVERIFY(!window->Collection());
    QVERIFY(!window->IsLoading());
    QVERIFY(window->isVisible());
    std::filesystem::remove(big);
}

}  // namespace vx

QTEST_MAIN(vx::DamagedPayloadTest)
#include "DamagedPayloadTest.moc"
