#include "app/Options.h"

#include <array>

#include "app/Settings.h"
#include "app/TextUtil.h"

namespace vx {
namespace {

constexpr OptionDef kOptions[kOptionCount] = {
    {"General", "UseLDS", "F"},                               // 1
    {"General", "FirstTime", "T"},                            // 2
    {"General", "MailingList", "T"},                          // 3
    {"General", "GEDAssoc", "T"},                             // 4
    {"Printing", "Ped_Single", "T"},                          // 5
    {"Printing", "List_Grey", "F"},                           // 6
    {"Printing", "List_Divider", "F"},                        // 7
    {"Printing", "List_HL", "F"},                             // 8
    {"Printing", "HL_Grey", "F"},                             // 9
    {"Printing", "HL_Divider", "F"},                          // 10
    {"Printing", "Island_Grey", "F"},                         // 11
    {"Printing", "Island_Divider", "F"},                      // 12
    {"General", "FindDlg", "3"},                              // 13
    {"General", "FindInList", "F"},                           // 14
    {"General", "Finddir", ""},                               // 15
    {"Internet", "YearRange", "0"},                           // 16
    {"Internet", "UseYear", "T"},                             // 17
    {"Internet", "MatchAll", "T"},                            // 18
    {"General", "SrcCol1", "40"},                             // 19
    {"General", "SrcCol2", "12"},                             // 20
    {"General", "SrcCol3", "12"},                             // 21
    {"General", "SrcCol4", "12"},                             // 22
    {"General", "SrcCol5", "150"},                            // 23
    {"General", "SrcCol6", "150"},                            // 24
    {"General", "SrcCol7", "150"},                            // 25
    {"General", "SrcCol8", "150"},                            // 26
    {"General", "File1", ""},                                 // 27
    {"General", "File2", ""},                                 // 28
    {"General", "File3", ""},                                 // 29
    {"General", "File4", ""},                                 // 30
    {"General", "File5", ""},                                 // 31
    {"General", "File6", ""},                                 // 32
    {"General", "File7", ""},                                 // 33
    {"General", "File8", ""},                                 // 34
    {"General", "File9", ""},                                 // 35
    {"General", "File10", ""},                                // 36
    {"General", "OpenLastFile", "T"},                         // 37
    {"General", "LastTab", "1"},                              // 38
    {"General", "LastID", "1"},                               // 39
    {"General", "LastPanel", "0"},                            // 40
    {"General", "LastPanelWidth", "150"},                     // 41
    {"General", "LastPanelState", "T"},                       // 42
    {"General", "LastDrive", ""},                             // 43
    {"General", "LastDir", ""},                               // 44
    {"General", "HLManual", "F"},                             // 45
    {"SelfExtract", "Name", ""},                              // 46
    {"SelfExtract", "Email", ""},                             // 47
    {"SelfExtract", "Addr1", ""},                             // 48
    {"SelfExtract", "Addr2", ""},                             // 49
    {"SelfExtract", "Addr3", ""},                             // 50
    {"SelfExtract", "BNRadio", "0"},                          // 51
    {"SelfExtract", "sendmsg", "sendmsg.txt"},                // 52
    {"SelfExtract", "Title", ""},                             // 53
    {"SelfExtract", "Phone", ""},                             // 54
    {"SelfExtract", "AllowExtract", "F"},                     // 55
    {"SelfExtract", "Dir", ""},                               // 56
    {"SelfExtract", "Web", ""},                               // 57
    {"General", "FamCol1", "10"},                             // 58
    {"General", "FamCol2", "200"},                            // 59
    {"General", "FamCol3", "25"},                             // 60
    {"General", "FamCol4", "75"},                             // 61
    {"General", "FamCol5", "75"},                             // 62
    {"General", "FamCol6", "200"},                            // 63
    {"General", "FontSize", "8"},                             // 64
    {"General", "GridHeight", "14"},                          // 65
    {"General", "HLText", "T"},                               // 66
    {"General", "FHCOpen", "T"},                              // 67
    {"General", "AutoSearch", "T"},                           // 68
    {"General", "DesColumns", "65,67,19,59,60"},              // 69
    {"General", "DesNameCol", "400"},                         // 70
    {"General", "DesGenLimit", "32"},                         // 71
    {"General", "DesShowLines", "T"},                         // 72
    {"General", "DesRepDups", "F"},                           // 73
    {"General", "DesIndent", "8"},                            // 74
    {"Printing", "DesColW", "36"},                            // 75
    {"Printing", "DesPC", "T"},                               // 76
    {"Printing", "DesDLines", "F"},                           // 77
    {"General", "CheckUpdates", "T"},                         // 78
    {"General", "LastUpdate", ""},                            // 79
    {"General", "UpdatePeriod", "30"},                        // 80
    {"General", "AgeCalcCB", "T"},                            // 81
    {"General", "ShowHlPanel", "T"},                          // 82
    {"General", "ShowIndHint", "T"},                          // 83
    {"General", "LoadLastFile", "T"},                         // 84
    {"General", "LEGCacheNames", "F"},                        // 85
    {"General", "SortFirstColumn", "T"},                      // 86
    {"Printing", "SaveToFileDir", ""},                        // 87
    {"General", "IslandColumns", "1,2,7,65,67,19,18,54,55"},  // 88
    {"General", "FNValueFlag", "T"},                          // 89
    {"General", "FNValue", "1"},                              // 90
    {"Printing", "IndNotes", "T"},                            // 91
    {"General", "OpenDir", ""},                               // 92
    {"Printing", "ViewSaved", "T"},                           // 93
    {"Help", "DispInitHelp", "T"},                            // 94
    {"Help", "IH1", "T"},                                     // 95
    {"Help", "IH2", "T"},                                     // 96
    {"Help", "IH3", "T"},                                     // 97
    {"Help", "IH4", "T"},                                     // 98
    {"Help", "IH5", "T"},                                     // 99
    {"Help", "IH6", "T"},                                     // 100
    {"Help", "IH7", "T"},                                     // 101
    {"Help", "IH8", "T"},                                     // 102
    {"Help", "IH9", "T"},                                     // 103
    {"Help", "IH10", "T"},                                    // 104
    {"Help", "IH11", "T"},                                    // 105
    {"Help", "IH12", "T"},                                    // 106
    {"Help", "IH13", "T"},                                    // 107
    {"Help", "IH14", "T"},                                    // 108
    {"Help", "IH15", "T"},                                    // 109
    {"Help", "IH16", "T"},                                    // 110
    {"Help", "IH17", "T"},                                    // 111
    {"Help", "IH18", "T"},                                    // 112
    {"Help", "IH19", "T"},                                    // 113
    {"Help", "IH20", "T"},                                    // 114
    {"Help", "IH21", "T"},                                    // 115
    {"Help", "IH22", "T"},                                    // 116
    {"Help", "IH23", "T"},                                    // 117
    {"Help", "IH24", "T"},                                    // 118
    {"Help", "IH25", "T"},                                    // 119
    {"General", "CalcIslands", "T"},                          // 120
    {"General", "HLCol", "65535"},                            // 121
    {"General", "HLTCol", "0"},                               // 122
    {"General", "NameSlash", "T"},                            // 123
    {"General", "NameUpper", "F"},                            // 124
    {"General", "PreSuf", "T"},                               // 125
    {"TMG", "TMGTagSent", "T"},                               // 126
    {"TMG", "TMGEngage", "F"},                                // 127
    {"General", "Chrono", "F"},                               // 128
    {"General", "IslandWit", "T"},                            // 129
    {"General", "SrcCol9", "150"},                            // 130
    {"General", "SrcCol10", "150"},                           // 131
    {"General", "SrcCol11", "150"},                           // 132
    {"General", "IndMod", "T"},                               // 133
    {"General", "QFind", "1"},                                // 134
    {"General", "SortChildren", "T"},                         // 135
    {"General", "PlaceCommas", "T"},                          // 136
    {"General", "FamBirChr", "T"},                            // 137
    {"General", "ShowSplash", "T"},                           // 138
};

constexpr OptionDef kNoOpt = {"Vellacor", "NoOpt", "T"};

// Room beyond the table so that a stray key number cannot reach past it.
constexpr int kValueSlots = 500;

struct Values {
    std::array<std::string, kValueSlots> values;
    std::string noOpt;
    bool noOptLoaded = false;
    Values() { Reset(); }
    void Reset() {
        for (int n = 1; n <= kOptionCount; ++n)
            values[n] = kOptions[n - 1].defaultValue;
        noOpt = kNoOpt.defaultValue;
        noOptLoaded = false;
    }
};

Values& State() {
    static Values state;
    return state;
}

std::string& Slot(int n) {
    // Key numbers come from the table; anything else lands in slot 0.
    return State().values[(n > 0 && n < kValueSlots) ? n : 0];
}

}  // namespace

const OptionDef& WOptions::Definition(int n) {
    return kOptions[n - 1];
}
const OptionDef& WOptions::NoOptDefinition() {
    return kNoOpt;
}

void WOptions::Load() {
    for (int n = 1; n <= kOptionCount; ++n) {
        const OptionDef& def = kOptions[n - 1];
        State().values[n] = ReadText(def.section, def.key, def.defaultValue);
    }
    State().noOpt = ReadText(kNoOpt.section, kNoOpt.key, kNoOpt.defaultValue);
    State().noOptLoaded = true;
}

void WOptions::Save() {
    IniFile& file = SettingsFile();
    file.BeginUpdate();
    for (int n = 1; n <= kOptionCount; ++n) {
        const OptionDef& def = kOptions[n - 1];
        WriteText(def.section, def.key, State().values[n]);
    }
    if (State().noOptLoaded) WriteText(kNoOpt.section, kNoOpt.key, State().noOpt);
    file.EndUpdate();
}

std::string WOptions::GetText(int n) {
    return Slot(n);
}
void WOptions::SetText(int n, const std::string& value) {
    Slot(n) = value;
}
bool WOptions::GetFlag(int n) {
    return Slot(n) == "T";
}
void WOptions::SetFlag(int n, bool value) {
    Slot(n) = value ? "T" : "F";
}

int WOptions::GetInt(int n) {
    int32_t value = 0;
    return ParseInt(Slot(n), value) ? value : 0;
}

void WOptions::SetInt(int n, int value) {
    Slot(n) = std::to_string(value);
}
std::string WOptions::NoOpt() {
    return State().noOpt;
}
void WOptions::ResetToDefaults() {
    State().Reset();
}

}  // namespace vx
