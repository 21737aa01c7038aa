// Tags of the finishing panel's own controls and of its option windows. The
// controls bound to a PPD option take 7100 + the keyword's position in the
// "Default00" key list (FeaturesTagForPPDKey).
#pragma once

namespace KESTRANE_NS::FTag {

constexpr int kGroupList = 6001;
constexpr int kGroupBox = 6002;
constexpr int kGroupTitle = 6003;
constexpr int kBookletSwitch = 6010;
constexpr int kTabMarginButton = 6011;
constexpr int kNumInSeqButton = 6012;
constexpr int kOffsetButton = 6013;
constexpr int kTrimmerButton = 6014;
constexpr int kSeparatorButton = 6015;
constexpr int kBookletButton = 6016;

// Window bases; a window's controls are base + offset.
constexpr int kTrimmerWindow = 6100;
constexpr int kBookletWindow = 6200;
constexpr int kTabMarginWindow = 6300;
constexpr int kSeparatorWindow = 6400;
constexpr int kOffsetPagesWindow = 6500;
constexpr int kOffsetCopiesWindow = 6600;
constexpr int kNumInSeqWindow = 6700;

constexpr int kOK = 1;
constexpr int kCancel = 2;
constexpr int kRestore = 3;
constexpr int kHelp = 4;
constexpr int kFirstField = 5; // the field of a window without units
constexpr int kCountArrow = 6; // and its arrow
constexpr int kInchRadio = 5;
constexpr int kMMRadio = 6;
constexpr int kInchEdit = 7;
constexpr int kInchArrow = 8;
constexpr int kMMEdit = 9;
constexpr int kMMArrow = 10;
constexpr int kAutoFit = 11;

} // namespace KESTRANE_NS::FTag
