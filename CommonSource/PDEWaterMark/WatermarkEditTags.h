// Tags of the watermark panel's widgets and of its edit window.
#pragma once

namespace KESTRANE_NS::WMTag {

// Panel.
inline constexpr int kList = 8001;
inline constexpr int kNew = 8002;
inline constexpr int kEdit = 8003;
inline constexpr int kDelete = 8004;
inline constexpr int kLayer = 8005;
inline constexpr int kFirstPageOnly = 8006;
inline constexpr int kRestore = 8007;
inline constexpr int kHelp = 8008;
inline constexpr int kVersion = 8009;

// Edit window.
inline constexpr int kName = 8101;
inline constexpr int kTextRadio = 8102;
inline constexpr int kPictureRadio = 8103;
inline constexpr int kText = 8104;
inline constexpr int kPictureName = 8105;
inline constexpr int kFont = 8106;
inline constexpr int kSizeStepper = 8107;
inline constexpr int kSizeField = 8108;
inline constexpr int kColor = 8109;
inline constexpr int kChoosePicture = 8110;
inline constexpr int kAngleSlider = 8111;
inline constexpr int kDensitySlider = 8114;
inline constexpr int kScaleSlider = 8117;
inline constexpr int kInchRadio = 8120;
inline constexpr int kMMRadio = 8121;
inline constexpr int kHInchStepper = 8122;
inline constexpr int kHMMStepper = 8124;
inline constexpr int kVInchStepper = 8126;
inline constexpr int kVMMStepper = 8128;
inline constexpr int kCentre = 8130;
inline constexpr int kOK = 8131;
inline constexpr int kCancel = 8132;
inline constexpr int kEditRestore = 8133;
inline constexpr int kEditHelp = 8134;
inline constexpr int kProductType = 8135;
inline constexpr int kPreview = 8136;
// Labels that are no controls: the notes under the fields.
inline constexpr int kTextNote = 8190;
inline constexpr int kFontNote = 8191;

// A slider's stepper and field follow it (+1, +2); a position stepper's
// field follows it (+1).

} // namespace KESTRANE_NS::WMTag
