// A settings file in the classic ini layout: "[Section]" headers followed by
// "Key=Value" lines. Sections and keys match without regard to letter case.
// Every write reaches the disk at once; lines the program does not know
// (comments, other keys) are kept as they are.
#pragma once

#include <string>
#include <vector>

namespace vx {

class IniFile {
  public:
    // Opens the file at `path`; a missing file is fine (it is created by the
    // first write). When it is missing and `formerPath` names a usable file
    // (the place where older versions kept it), that file's lines are read
    // once and stored at `path`. Returns false when the path exists but
    // cannot be used safely: not a regular file, or owned by another user.
    // The file is open either way: an unusable one reads as empty, so that
    // every caller's default applies, and is never written.
    bool Open(const std::string& path, const std::string& formerPath = {});
    // An empty file that lives in memory only and is never written.
    void OpenInMemory();
    void Close();
    bool IsOpen() const { return open_; }
    const std::string& Path() const { return path_; }

    // While the file is closed, reads give an empty text or 0 and writes
    // do nothing. A missing key gives the caller's default.
    std::string ReadText(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
    void WriteText(const std::string& section, const std::string& key, const std::string& value);
    // A value that is not a decimal integer reads as 0.
    int ReadInt(const std::string& section, const std::string& key, int defaultValue) const;
    void WriteInt(const std::string& section, const std::string& key, int value);

    // Holds writes in memory until the matching EndUpdate writes the file
    // once; used when many keys are written together.
    void BeginUpdate() { ++updateDepth_; }
    void EndUpdate();

  private:
    // Index of the key's line inside the section, or -1; sectionEnd receives
    // the index after the section's last line (-1 when there is no section).
    int FindKey(const std::string& section, const std::string& key, int* sectionEnd) const;
    void Store();
    // Reads the lines of a regular file of this user; false when there is
    // none that may be used.
    bool ReadLines(const std::string& path);

    std::string path_;
    bool open_ = false;
    bool memoryOnly_ = false;  // the file could not be used: nothing is stored
    int updateDepth_ = 0;
    bool dirty_ = false;
    std::vector<std::string> lines_;
};

}  // namespace vx
