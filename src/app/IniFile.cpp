#include "app/IniFile.h"

#include "app/TextUtil.h"
#include "app/Unicode.h"
#include "app/Win1252.h"
#include "platform/FileHandle.h"
#include "platform/OwnFile.h"

namespace vx {
namespace {

bool IsSectionLine(const std::string& line, std::string* name) {
    std::string trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') return false;
    if (name) *name = Trim(std::string_view(trimmed).substr(1, trimmed.size() - 2));
    return true;
}

}  // namespace

bool IniFile::Open(const std::string& path, const std::string& formerPath) {
    Close();
    path_ = path;
    lines_.clear();
    memoryOnly_ = false;
    open_ = true;
    if (platform::FileExists(path)) {
        if (ReadLines(path)) return true;
        memoryOnly_ = true;
        return false;
    }
    if (!formerPath.empty() && platform::FileExists(formerPath) && ReadLines(formerPath)) {
        dirty_ = true;
        Store();
    }
    return true;
}

void IniFile::OpenInMemory() {
    Close();
    path_.clear();
    lines_.clear();
    memoryOnly_ = true;
    open_ = true;
}

bool IniFile::ReadLines(const std::string& path) {
    lines_.clear();
    platform::FileHandle file = platform::OpenOwnRegularFile(path, platform::OwnFileOpen::Read);
    if (!file.IsOpen()) return false;
    std::string content;
    char buffer[8192];
    for (int64_t offset = 0;;) {
        int64_t got = platform::ReadAt(file, buffer, sizeof buffer, offset);
        if (got <= 0) break;
        content.append(buffer, static_cast<size_t>(got));
        offset += got;
    }
    std::vector<std::string> raw;
    Split(content, "\n", raw, true);
    for (std::string& line : raw) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines_.push_back(std::move(line));
    }
    return true;
}

void IniFile::Close() {
    if (open_ && dirty_) Store();
    open_ = false;
    updateDepth_ = 0;
    dirty_ = false;
}

int IniFile::FindKey(const std::string& section, const std::string& key, int* sectionEnd) const {
    bool inSection = false;
    int found = -1;
    if (sectionEnd) *sectionEnd = -1;
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
        std::string name;
        if (IsSectionLine(lines_[i], &name)) {
            inSection = SameText(name, section) == 0;
            if (inSection && sectionEnd) *sectionEnd = i + 1;
            continue;
        }
        if (!inSection) continue;
        const std::string& line = lines_[i];
        if (!Trim(line).empty() && sectionEnd) *sectionEnd = i + 1;
        size_t equals = line.find('=');
        if (found < 0 && equals != std::string::npos &&
            SameText(Trim(std::string_view(line).substr(0, equals)), key) == 0)
            found = i;
    }
    return found;
}

std::string IniFile::ReadText(const std::string& section, const std::string& key,
                              const std::string& defaultValue) const {
    if (!open_) return {};
    int line = FindKey(section, key, nullptr);
    if (line < 0) return defaultValue;
    const std::string& text = lines_[line];
    const std::string value = Trim(std::string_view(text).substr(text.find('=') + 1));
    // Values are written as UTF-8; one that is not valid UTF-8 was written
    // as Windows-1252 by an earlier version.
    return IsValidUtf8(value) ? value : Win1252ToUtf8(value);
}

void IniFile::WriteText(const std::string& section, const std::string& key,
                        const std::string& value) {
    if (!open_) return;
    // Line breaks inside a value would break the file's layout.
    const std::string entry = key + "=" + FlattenLineBreaks(value);
    int sectionEnd = -1;
    int line = FindKey(section, key, &sectionEnd);
    if (line >= 0) {
        lines_[line] = entry;
    } else if (sectionEnd >= 0) {
        lines_.insert(lines_.begin() + sectionEnd, entry);
    } else {
        while (!lines_.empty() && Trim(lines_.back()).empty())
            lines_.pop_back();
        if (!lines_.empty()) lines_.emplace_back();
        lines_.push_back("[" + section + "]");
        lines_.push_back(entry);
    }
    dirty_ = true;
    if (updateDepth_ == 0) Store();
}

int IniFile::ReadInt(const std::string& section, const std::string& key, int defaultValue) const {
    if (!open_) return 0;
    if (FindKey(section, key, nullptr) < 0) return defaultValue;
    int32_t value = 0;
    return ParseInt(ReadText(section, key, ""), value) ? value : 0;
}

void IniFile::WriteInt(const std::string& section, const std::string& key, int value) {
    WriteText(section, key, std::to_string(value));
}

void IniFile::EndUpdate() {
    if (updateDepth_ > 0 && --updateDepth_ == 0 && dirty_) Store();
}

void IniFile::Store() {
    if (memoryOnly_) {
        dirty_ = false;
        return;
    }
    std::string content;
    for (const std::string& line : lines_)
        content += line + "\r\n";
    platform::FileHandle file =
        platform::OpenOwnRegularFile(path_, platform::OwnFileOpen::WriteOrCreate);
    // A settings file that cannot be written is not reported: the values
    // stay in memory for this run.
    if (file.IsOpen() && platform::SetFileLength(file, 0))
        platform::WriteAll(file, content.data(), content.size());
    dirty_ = false;
}

}  // namespace vx
