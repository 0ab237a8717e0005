// The program's two settings files, both in the user's settings folder
// (platform::ConfigFolder): "korv.ini" holds every preference (open for the whole run), "KORV.ini"
// holds the List tab's column string (opened on first use).
#pragma once

#include <string>

#include "app/IniFile.h"

namespace vx {

IniFile& SettingsFile();
// Opens "korv.ini" in the user's settings folder (or `path` when given).
// False when the file cannot be used; it then reads as empty (every default
// applies) and is never written.
bool OpenSettingsFile(const std::string& path = {});
void CloseSettingsFile();

// Direct access to keys outside the options table.
std::string ReadText(const std::string& section, const std::string& key,
                     const std::string& defaultValue);
void WriteText(const std::string& section, const std::string& key, const std::string& value);
int ReadInt(const std::string& section, const std::string& key, int defaultValue);
void WriteInt(const std::string& section, const std::string& key, int value);

// Column widths of the three lists, one key per attribute number.
enum class ListSection { List, DesList, IslandList };
const char* ListSectionName(ListSection list);
int ReadColumnWidth(ListSection list, int attribute, int defaultWidth);
void WriteColumnWidth(ListSection list, int attribute, int width);

// The List tab's column string in the second file, "KORV.ini".
inline constexpr const char* kDefaultListColumns = "1,2,7,65,67,19,18";
std::string ReadListColumnString();
void WriteListColumnString(const std::string& columns);
IniFile& ListColumnsFile();  // opened on first use; for tests and shutdown
void CloseListColumnsFile();

}  // namespace vx
