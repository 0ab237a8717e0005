// All preferences of the program, by key number, held as texts and saved in
// the settings file. Flags are the texts "T" and "F"; integers decimal text.
#pragma once

#include <string>

namespace vx {

// Key numbers of the options table, in table order. Kept in their own
// namespace: names such as kTitle would collide with other catalogues.
namespace opt {
enum OptionKey : int {
    kUseLDS = 1,
    kFirstTime,
    kMailingList,
    kGEDAssoc,
    kPed_Single,
    kList_Grey,
    kList_Divider,
    kList_HL,
    kHL_Grey,
    kHL_Divider,
    kIsland_Grey,
    kIsland_Divider,
    kFindDlg,
    kFindInList,
    kFinddir,
    kYearRange,
    kUseYear,
    kMatchAll,
    kSrcCol1,
    kSrcCol2,
    kSrcCol3,
    kSrcCol4,
    kSrcCol5,
    kSrcCol6,
    kSrcCol7,
    kSrcCol8,
    kFile1,
    kFile2,
    kFile3,
    kFile4,
    kFile5,
    kFile6,
    kFile7,
    kFile8,
    kFile9,
    kFile10,
    kOpenLastFile,
    kLastTab,
    kLastID,
    kLastPanel,
    kLastPanelWidth,
    kLastPanelState,
    kLastDrive,
    kLastDir,
    kHLManual,
    kName,
    kEmail,
    kAddr1,
    kAddr2,
    kAddr3,
    kBNRadio,
    kSendmsg,
    kTitle,
    kPhone,
    kAllowExtract,
    kDir,
    kWeb,
    kFamCol1,
    kFamCol2,
    kFamCol3,
    kFamCol4,
    kFamCol5,
    kFamCol6,
    kFontSize,
    kGridHeight,
    kHLText,
    kFHCOpen,
    kAutoSearch,
    kDesColumns,
    kDesNameCol,
    kDesGenLimit,
    kDesShowLines,
    kDesRepDups,
    kDesIndent,
    kDesColW,
    kDesPC,
    kDesDLines,
    kCheckUpdates,
    kLastUpdate,
    kUpdatePeriod,
    kAgeCalcCB,
    kShowHlPanel,
    kShowIndHint,
    kLoadLastFile,
    kLEGCacheNames,
    kSortFirstColumn,
    kSaveToFileDir,
    kIslandColumns,
    kFNValueFlag,
    kFNValue,
    kIndNotes,
    kOpenDir,
    kViewSaved,
    kDispInitHelp,
    kIH1,
    kIH2,
    kIH3,
    kIH4,
    kIH5,
    kIH6,
    kIH7,
    kIH8,
    kIH9,
    kIH10,
    kIH11,
    kIH12,
    kIH13,
    kIH14,
    kIH15,
    kIH16,
    kIH17,
    kIH18,
    kIH19,
    kIH20,
    kIH21,
    kIH22,
    kIH23,
    kIH24,
    kIH25,
    kCalcIslands,
    kHLCol,
    kHLTCol,
    kNameSlash,
    kNameUpper,
    kPreSuf,
    kTMGTagSent,
    kTMGEngage,
    kChrono,
    kIslandWit,
    kSrcCol9,
    kSrcCol10,
    kSrcCol11,
    kIndMod,
    kQFind,
    kSortChildren,
    kPlaceCommas,
    kFamBirChr,
    kShowSplash,
};

// The stored values of kFNValue: what follows a name when kFNValueFlag is on.
enum NameValue : int {
    kNameValueRIN = 1,       // "[I12]"
    kNameValueNumber = 2,    // "(12)", the individual number
    kNameValueCustomID = 3,  // "{REFN}"
};
}  // namespace opt

inline constexpr int kOptionCount = 138;
static_assert(opt::kShowSplash == kOptionCount);

struct OptionDef {
    const char* section;
    const char* key;
    const char* defaultValue;
};

class WOptions {
  public:
    // The definition of key n (1..kOptionCount).
    static const OptionDef& Definition(int n);
    // The second table's single key, section "Vellacor", key "NoOpt".
    static const OptionDef& NoOptDefinition();

    // Reads every key from the settings file (defaults for missing keys).
    static void Load();
    // Writes every key back to the settings file.
    static void Save();

    static std::string GetText(int n);
    static void SetText(int n, const std::string& value);
    // True exactly when the value is "T".
    static bool GetFlag(int n);
    static void SetFlag(int n, bool value);
    // 0 for an empty or non-numeric value.
    static int GetInt(int n);
    static void SetInt(int n, int value);

    static std::string NoOpt();
    // Restores every value to its default (as before the first Load).
    static void ResetToDefaults();
};

}  // namespace vx
