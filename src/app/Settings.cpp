#include "app/Settings.h"

#include "platform/TempFiles.h"

namespace vx {
namespace {

IniFile gSettings;
IniFile gListColumns;

}  // namespace

IniFile& SettingsFile() {
    return gSettings;
}

bool OpenSettingsFile(const std::string& path) {
    return gSettings.Open(path.empty() ? platform::TempFolder() + "korv.ini" : path);
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
    // The second file keeps its historical upper-case name, which on this
    // platform is a different file from "korv.ini" in the same folder.
    if (!gListColumns.IsOpen()) gListColumns.Open(platform::TempFolder() + "KORV.ini");
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
