// Shared test helpers: a private temporary folder per test and small file
// utilities.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace vx::test {

// Points $TMPDIR at a fresh folder for the duration of a test, and
// $XDG_CONFIG_HOME at its "config" subfolder, so temporary files and
// settings files of one test never meet another's (nor the user's own).
class TempDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* base = std::getenv("TMPDIR");
        savedTmp_ = base ? base : "";
        const char* config = std::getenv("XDG_CONFIG_HOME");
        savedConfig_ = config ? std::optional<std::string>(config) : std::nullopt;
        std::string pattern = std::filesystem::temp_directory_path().string() + "/vxtestXXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        ASSERT_NE(::mkdtemp(buffer.data()), nullptr);
        dir_ = buffer.data();
        ::setenv("TMPDIR", dir_.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (dir_ + "/config").c_str(), 1);
    }
    void TearDown() override {
        if (savedTmp_.empty())
            ::unsetenv("TMPDIR");
        else
            ::setenv("TMPDIR", savedTmp_.c_str(), 1);
        if (savedConfig_)
            ::setenv("XDG_CONFIG_HOME", savedConfig_->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    // Where the program keeps a settings file during the test.
    std::string SettingsPath(const std::string& name) const {
        return dir_ + "/config/vellacor/" + name;
    }

    std::string WriteFile(const std::string& name, const std::string& content) const {
        std::string path = Path(name);
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    // Names in the folder that look like the program's temporary files.
    std::vector<std::string> TempFileNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
            std::string name = entry.path().filename().string();
            if (name.rfind("vor", 0) == 0 && name.size() > 7 &&
                name.compare(name.size() - 4, 4, ".tmp") == 0)
                names.push_back(name);
        }
        return names;
    }

    std::string dir_;

  private:
    std::string savedTmp_;
    std::optional<std::string> savedConfig_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace vx::test
