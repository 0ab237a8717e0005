#include "app/Settings.h"

#include "platform/ConfigFolder.h"
#include "platform/TempFiles.h"

namespace vx {
namespace {

IniFile gSettings;
IniFile gListColumns;

constexpr const char* kSettingsName = "korv.ini";
// The second file keeps its historical upper-case name, which on this
// platform is a different file from "korv.ini" in the same folder.
constexpr const char* kListColumnsName = "KORV.ini";

// Opens one of the files in the user's settings folder. Older versions kept
// them in the temporary folder: a file of this user found there is read
// once into the new place.
bool OpenPerUser(IniFile& file, const char* name) {
    const std::string former = platform::TempFolder() + name;
    const std::string folder = platform::ConfigFolder();
    // Without a home, the settings live in memory for this run only.
    if (folder.empty()) {
        file.OpenInMemory();
        return false;
    }
    return file.Open(folder + name, former);
}

}  // namespace

IniFile& SettingsFile() {
    return gSettings;
}

bool OpenSettingsFile(const std::string& path) {
    return path.empty() ? OpenPerUser(gSettings, kSettingsName) : gSettings.Open(path);
}

void CloseSettingsFile() {
    gSettings.Close();
}

std::string ReadText(const std::string& section, const std::string& key,
                     const std::string& defaultValue) {
    return gSettings.ReadText(section, key, defaultValue);
}

void WriteText(const std::string& section, const std::string& key, const std::string& value) {
    gSettings.WriteText(section, key, value);
}

int ReadInt(const std::string& section, const std::string& key, int defaultValue) {
    return gSettings.ReadInt(section, key, defaultValue);
}

void WriteInt(const std::string& section, const std::string& key, int value) {
    gSettings.WriteInt(section, key, value);
}

const char* ListSectionName(ListSection list) {
    switch (list) {
        case ListSection::List:
            return "List";
        case ListSection::DesList:
            return "DesList";
        case ListSection::IslandList:
            return "IslandList";
    }
    return "List";
}

int ReadColumnWidth(ListSection list, int attribute, int defaultWidth) {
    return ReadInt(ListSectionName(list), std::to_string(attribute), defaultWidth);
}

void WriteColumnWidth(ListSection list, int attribute, int width) {
    WriteInt(ListSectionName(list), std::to_string(attribute), width);
}

IniFile& ListColumnsFile() {
    if (!gListColumns.IsOpen()) OpenPerUser(gListColumns, kListColumnsName);
    return gListColumns;
}

void CloseListColumnsFile() {
    gListColumns.Close();
}

std::string ReadListColumnString() {
    return ListColumnsFile().ReadText("List", "String", kDefaultListColumns);
}

void WriteListColumnString(const std::string& columns) {
    ListColumnsFile().WriteText("List", "String", columns);
}

}  // namespace vx
