// The runtime cache of the start-up stub: unpacking, reuse, repair of
// damaged entries, refusal of unsafe folders, damaged bundles and starts
// racing each other. Bundles are made here from small files, so the tests
// need no viewer.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zstd.h>

#include <filesystem>
#include <functional>
#include <utility>

#include "TestSupport.h"
#include "runtime/BundleFormat.h"
#include "runtime/RuntimeCache.h"

namespace vx::runtime {
namespace {

namespace fs = std::filesystem;

struct BundleFile {
    std::string Path;
    std::string Bytes;
    bool Executable = false;
};

std::string Payload(const std::vector<BundleFile>& files) {
    std::string payload;
    auto put = [&payload](uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            payload += static_cast<char>(value >> (8 * i));
    };
    for (const BundleFile& file : files) {
        put(file.Path.size(), 2);
        payload += file.Path;
        put(file.Executable ? 0755 : 0644, 2);
        put(file.Bytes.size(), 8);
        payload += file.Bytes;
    }
    return payload;
}

std::string Compress(const std::string& payload) {
    std::string frame(ZSTD_compressBound(payload.size()), '\0');
    frame.resize(ZSTD_compress(frame.data(), frame.size(), payload.data(), payload.size(), 3));
    return frame;
}

class RuntimeCacheTest : public test::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        files_ = {{"ld-linux-x86-64.so.2", std::string(5000, 'L'), true},
                  {"lib/libQt6Core.so.6", "core library bytes", false},
                  {"plugins/platforms/libqxcb.so", std::string(70000, 'x') + "end", false},
                  {"vellacor", "the viewer", true}};
        location_ = {Path("home/.cache"), "vellacor", true};
    }
    void TearDown() override {
        if (image_.Fd >= 0) ::close(image_.Fd);
        TempDirTest::TearDown();
    }

    // A program file whose bundle is `payload` (compressed unless `frame`).
    void MakeImage(const std::string& payload, std::string frame = {}) {
        if (frame.empty()) frame = Compress(payload);
        WriteFile("program", "stub" + frame);
        if (image_.Fd >= 0) ::close(image_.Fd);
        image_.Path = Path("program");
        image_.Fd = ::open(image_.Path.c_str(), O_RDONLY);
        image_.BundleOffset = 4;
        image_.Header = {frame.size(), payload.size(), HashBytes(payload.data(), payload.size())};
    }

    EnsureResult Ensure(const CacheLocation& location, std::string& dir, std::string& problem) {
        return EnsureRuntime(image_, location, dir, problem);
    }

    std::string EnsureReady() {
        std::string dir;
        std::string problem;
        EXPECT_EQ(Ensure(location_, dir, problem), EnsureResult::Ready) << problem;
        return dir;
    }

    void ExpectFilesIn(const std::string& dir) {
        for (const BundleFile& file : files_) {
            EXPECT_EQ(test::ReadFile(dir + "/" + file.Path), file.Bytes) << file.Path;
            EXPECT_EQ(::access((dir + "/" + file.Path).c_str(), X_OK) == 0, file.Executable)
                << file.Path;
        }
    }

    std::vector<std::string> FolderNames(const std::string& dir) {
        std::vector<std::string> names;
        for (const auto& item : fs::directory_iterator(dir))
            names.push_back(item.path().filename().string());
        return names;
    }

    std::vector<BundleFile> files_;
    CacheLocation location_;
    SelfImage image_;
};

TEST(Hash64Test, MatchesTheReferenceAndStreamsInAnyPieces) {
    EXPECT_EQ(HashBytes("", 0), 0xEF46DB3751D8E999ULL);
    EXPECT_EQ(HashBytes("abc", 3), 0x44BC2CF5AD770999ULL);
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += static_cast<char>(i * 7 + i / 13);
    const uint64_t whole = HashBytes(text.data(), text.size());
    for (size_t piece : {1u, 3u, 31u, 32u, 33u, 100u}) {
        Hash64 hash;
        for (size_t at = 0; at < text.size(); at += piece)
            hash.Update(text.data() + at, std::min(piece, text.size() - at));
        EXPECT_EQ(hash.Digest(), whole) << piece;
    }
    EXPECT_NE(HashBytes(text.data(), text.size() - 1), whole);
}

TEST_F(RuntimeCacheTest, UnpacksOnceIntoAPrivateFolderAndReusesTheEntry) {
    MakeImage(Payload(files_));
    const std::string dir = EnsureReady();
    ExpectFilesIn(dir);
    struct stat info {};
    ASSERT_EQ(::stat((location_.Parent + "/vellacor").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(fs::path(dir).filename().string().rfind("runtime-", 0), 0u);

    struct stat before {};
    ASSERT_EQ(::stat((dir + "/vellacor").c_str(), &before), 0);
    EXPECT_EQ(EnsureReady(), dir);
    struct stat after {};
    ASSERT_EQ(::stat((dir + "/vellacor").c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino) << "a verified entry is not unpacked again";
    EXPECT_EQ(FolderNames(location_.Parent + "/vellacor").size(), 2u)
        << "only the entry and the install lock";
}

TEST_F(RuntimeCacheTest, DamagedOrHalfWrittenEntriesAreRebuilt) {
    MakeImage(Payload(files_));
    const std::string dir = EnsureReady();
    const std::vector<std::pair<const char*, std::function<void()>>> damages = {
        {"truncated library", [&] { fs::resize_file(dir + "/lib/libQt6Core.so.6", 4); }},
        {"changed byte",
         [&] {
             std::fstream file(dir + "/plugins/platforms/libqxcb.so",
                               std::ios::in | std::ios::out | std::ios::binary);
             file.seekp(1000);
             file.put('y');
         }},
        {"missing file", [&] { fs::remove(dir + "/vellacor"); }},
        {"no manifest (unpack cut short)", [&] { fs::remove(dir + "/.manifest"); }},
        {"cut manifest",
         [&] { fs::resize_file(dir + "/.manifest", fs::file_size(dir + "/.manifest") - 5); }},
        {"file replaced by a link",
         [&] {
             fs::remove(dir + "/vellacor");
             fs::create_symlink("/bin/sh", dir + "/vellacor");
         }},
    };
    for (const auto& [what, damage] : damages) {
        damage();
        EXPECT_FALSE(VerifyEntryAt(dir, image_.Header.PayloadHash)) << what;
        EXPECT_EQ(EnsureReady(), dir) << what;
        ExpectFilesIn(dir);
        EXPECT_TRUE(VerifyEntryAt(dir, image_.Header.PayloadHash)) << what;
    }
    EXPECT_FALSE(VerifyEntryAt(dir, image_.Header.PayloadHash + 1)) << "another runtime's hash";
}

TEST_F(RuntimeCacheTest, RefusesFoldersThatAreLinksOrUnwritable) {
    MakeImage(Payload(files_));
    fs::create_directories(Path("elsewhere"));
    fs::create_directories(location_.Parent);
    fs::create_directory_symlink(Path("elsewhere"), location_.Parent + "/vellacor");
    std::string dir;
    std::string problem;
    EXPECT_EQ(Ensure(location_, dir, problem), EnsureResult::TryElsewhere);
    EXPECT_NE(problem.find("not a folder"), std::string::npos) << problem;
    EXPECT_TRUE(fs::is_empty(Path("elsewhere"))) << "nothing written through the link";

    WriteFile("file", "x");
    EXPECT_EQ(Ensure({Path("file/below"), "vellacor", true}, dir, problem),
              EnsureResult::TryElsewhere);
    EXPECT_NE(problem.find("cannot create"), std::string::npos) << problem;
}

TEST_F(RuntimeCacheTest, MakesAnExistingLooseFolderPrivate) {
    MakeImage(Payload(files_));
    fs::create_directories(location_.Parent + "/vellacor");
    ::chmod((location_.Parent + "/vellacor").c_str(), 0777);
    EnsureReady();
    struct stat info {};
    ASSERT_EQ(::stat((location_.Parent + "/vellacor").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(RuntimeCacheTest, DamagedBundlesLeaveNothingBehind) {
    const std::string payload = Payload(files_);
    std::string frame = Compress(payload);
    frame[frame.size() / 2] ^= 0x55;
    MakeImage(payload, frame);
    std::string dir;
    std::string problem;
    EXPECT_EQ(Ensure(location_, dir, problem), EnsureResult::DamagedProgram);
    EXPECT_NE(problem.find("damaged"), std::string::npos) << problem;

    // Paths that would leave the entry are refused before anything is written.
    for (const char* path : {"../escaped", "/etc/escaped", "a//b", "lib/./x", ".manifest"}) {
        MakeImage(Payload({{"ok", "fine"}, {path, "evil"}}));
        EXPECT_EQ(Ensure(location_, dir, problem), EnsureResult::DamagedProgram) << path;
    }
    // A record running past the end of the bundle.
    std::string cut = Payload(files_);
    cut.resize(cut.size() - 2);
    MakeImage(cut);
    EXPECT_EQ(Ensure(location_, dir, problem), EnsureResult::DamagedProgram);

    EXPECT_FALSE(fs::exists(location_.Parent + "/escaped"));
    EXPECT_FALSE(fs::exists(location_.Parent + "/vellacor/escaped"));
    for (const std::string& name : FolderNames(location_.Parent + "/vellacor"))
        EXPECT_EQ(name, ".install-lock") << "no entry or temporary folder is left";
}

TEST_F(RuntimeCacheTest, LeftoversOfADeadStartAreCleared) {
    MakeImage(Payload(files_));
    fs::create_directories(location_.Parent + "/vellacor/tmp-0123-99-1/lib");
    WriteFile("home/.cache/vellacor/tmp-0123-99-1/lib/half", "half a library");
    EnsureReady();
    for (const std::string& name : FolderNames(location_.Parent + "/vellacor"))
        EXPECT_EQ(name.rfind("tmp-", 0), std::string::npos) << name;
}

TEST_F(RuntimeCacheTest, StartsRacingEachOtherAllGetOneIntactEntry) {
    files_.push_back({"lib/big", std::string(4 << 20, 'b'), false});
    MakeImage(Payload(files_));
    constexpr int kStarts = 6;
    std::vector<pid_t> children;
    for (int i = 0; i < kStarts; ++i) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::string dir;
            std::string problem;
            ::_exit(Ensure(location_, dir, problem) == EnsureResult::Ready &&
                            VerifyEntryAt(dir, image_.Header.PayloadHash)
                        ? 0
                        : 1);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ExpectFilesIn(EnsureReady());
    EXPECT_EQ(FolderNames(location_.Parent + "/vellacor").size(), 2u);
}

}  // namespace
}  // namespace vx::runtime
