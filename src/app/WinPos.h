// Remembered window placement: nine keys under a window's section. This is
// the computation only; the GUI applies the result to a real window.
#pragma once

#include <string>

namespace vx {

struct WindowPlacement {
    int showCmd = 3;  // 1 normal, 2 minimised, 3 maximised
    int minX = -1, minY = -1;
    int maxX = 0, maxY = 0;
    int top = 0, left = 0, bottom = 0, right = 0;
    // The minimised position is applied only when both coordinates are set.
    bool HasMinimisedPosition() const { return minX != -1 && minY != -1; }
};

// Reads the placement stored under `section`. Missing keys give a maximised
// window whose normal rectangle runs from one eighth to seven eighths of the
// screen: Bottom and Right default to 7 times the Top and Left actually read.
WindowPlacement RestorePlacement(const std::string& section, int screenWidth, int screenHeight);

// Writes ShowCmd, MinX, MinY, MaxX, MaxY, Top, Left, Bottom, Right in order.
void SavePlacement(const std::string& section, const WindowPlacement& placement);

}  // namespace vx
