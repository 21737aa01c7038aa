// Tags of the special pages panel and its windows, as the interface files
// carry them.
#pragma once

namespace KESTRANE_NS::SPTag {

// Panel.
inline constexpr int kAddCovers = 1001;
inline constexpr int kAddInserts = 1002;
inline constexpr int kAddExceptions = 1003;
inline constexpr int kSummaryTable = 1004;
inline constexpr int kUp = 1005;
inline constexpr int kDown = 1006;
inline constexpr int kEdit = 1007;
inline constexpr int kDelete = 1008;
inline constexpr int kDeleteAll = 1009;
inline constexpr int kUndo = 1010;
inline constexpr int kHelp = 1011;
inline constexpr int kVersionText = 1012;
inline constexpr int kTableTitle = 1013;

// Delete warning window.
inline constexpr int kWarningOK = 1101;
inline constexpr int kWarningCancel = 1102;
inline constexpr int kWarningMessage = 1103;
inline constexpr int kWarningIcon = 1104;

// Every option window: base + 1 OK, + 2 Cancel, + 3 Restore, + 4 Help.
inline constexpr int kCoversBase = 1200;
inline constexpr int kInsertsBase = 1300;
inline constexpr int kExceptionsBase = 1400;
inline constexpr int kAdvancedBase = 1500;
inline constexpr int kCustomBase = 1600;
inline constexpr int kOK = 1;
inline constexpr int kCancel = 2;
inline constexpr int kRestore = 3;
inline constexpr int kWindowHelp = 4;

// Covers window.
inline constexpr int kCoversOption = 1205;
inline constexpr int kFrontPrinting = 1206;
inline constexpr int kFrontPaper = 1207;
inline constexpr int kBackPrinting = 1208;
inline constexpr int kBackPaper = 1209;
inline constexpr int kFrontPaperInfo = 1210;
inline constexpr int kBackPaperInfo = 1211;
inline constexpr int kCoversJobSetting = 1212;

// Inserts window.
inline constexpr int kInsertOption = 1305;
inline constexpr int kInsertPages = 1306;
inline constexpr int kInsertQuantity = 1307;
inline constexpr int kInsertPaper = 1308;
inline constexpr int kInsertPaperInfo = 1309;
inline constexpr int kInsertJobSetting = 1310;

// Exceptions window.
inline constexpr int kExceptionPages = 1405;
inline constexpr int kExceptionPaper = 1406;
inline constexpr int kExceptionSides = 1407;
inline constexpr int kExceptionPaperInfo = 1408;
inline constexpr int kExceptionJobSetting = 1409;

// Advanced paper window.
inline constexpr int kAdvancedSize = 1505;
inline constexpr int kAdvancedColor = 1506;
inline constexpr int kAdvancedType = 1507;
inline constexpr int kAdvancedSummary = 1508;

// Custom size window.
inline constexpr int kInchRadio = 1605;
inline constexpr int kMMRadio = 1606;
inline constexpr int kWidthInch = 1607;
inline constexpr int kLengthInch = 1608;
inline constexpr int kWidthMM = 1609;
inline constexpr int kLengthMM = 1610;
inline constexpr int kInchSideText = 1611;
inline constexpr int kMMSideText = 1612;

} // namespace KESTRANE_NS::SPTag
