#include "app/WinPos.h"

#include "app/Settings.h"

namespace vx {

WindowPlacement RestorePlacement(const std::string& section, int screenWidth, int screenHeight) {
    WindowPlacement p;
    p.showCmd = ReadInt(section, "ShowCmd", 3);
    p.minX = ReadInt(section, "MinX", -1);
    p.minY = ReadInt(section, "MinY", -1);
    p.maxX = ReadInt(section, "MaxX", 0);
    p.maxY = ReadInt(section, "MaxY", 0);
    p.top = ReadInt(section, "Top", screenHeight / 8);
    p.left = ReadInt(section, "Left", screenWidth / 8);
    p.bottom = ReadInt(section, "Bottom", 7 * p.top);
    p.right = ReadInt(section, "Right", 7 * p.left);
    return p;
}

void SavePlacement(const std::string& section, const WindowPlacement& p) {
    IniFile& file = SettingsFile();
    file.BeginUpdate();
    WriteInt(section, "ShowCmd", p.showCmd);
    WriteInt(section, "MinX", p.minX);
    WriteInt(section, "MinY", p.minY);
    WriteInt(section, "MaxX", p.maxX);
    WriteInt(section, "MaxY", p.maxY);
    WriteInt(section, "Top", p.top);
    WriteInt(section, "Left", p.left);
    WriteInt(section, "Bottom", p.bottom);
    WriteInt(section, "Right", p.right);
    file.EndUpdate();
}

}  // namespace vx
