// The names the watermark panel stores under: ticket keys the filter reads,
// and the eighteen per-printer preference arrays of the watermark list.
#pragma once

namespace KESTRANE_NS {

#define KESTRANE_WM_KEY(name) "com.kestrane.mtz.printsettings." name

inline constexpr const char* kWMARKNameTicket = KESTRANE_WM_KEY("WMARKNameTicket");
inline constexpr const char* kWMARKOptionsTicket = KESTRANE_WM_KEY("WMARKOptionsTicket");
inline constexpr const char* kWMARKOnlyFirstTicket = KESTRANE_WM_KEY("WMARKOnlyFirstTicket");
inline constexpr const char* kWMARKTextTicket = KESTRANE_WM_KEY("WMARKTextTicket");
inline constexpr const char* kWMARKOrientationTicket = KESTRANE_WM_KEY("WMARKOrientationTicket");
inline constexpr const char* kWMARKPaperHeightTicket = KESTRANE_WM_KEY("WMARKPaperHeightTicket");
inline constexpr const char* kWMARKPaperWidthTicket = KESTRANE_WM_KEY("WMARKPaperWidthTicket");
inline constexpr const char* kWMARKFilePathTicket = KESTRANE_WM_KEY("WMARKFilePathTicket");
inline constexpr const char* kWMARKTypeTicket = KESTRANE_WM_KEY("WMARKTypeTicket");
inline constexpr const char* kWMARKFontTicket = KESTRANE_WM_KEY("WMARKFontTicket");
inline constexpr const char* kWMARKFontSizeTicket = KESTRANE_WM_KEY("WMARKFontSizeTicket");
inline constexpr const char* kWMARKFontTypeTicket = KESTRANE_WM_KEY("WMARKFontTypeTicket");
inline constexpr const char* kWMARKColorRTicket = KESTRANE_WM_KEY("WMARKColorRTicket");
inline constexpr const char* kWMARKColorGTicket = KESTRANE_WM_KEY("WMARKColorGTicket");
inline constexpr const char* kWMARKColorBTicket = KESTRANE_WM_KEY("WMARKColorBTicket");
inline constexpr const char* kWMARKColorATicket = KESTRANE_WM_KEY("WMARKColorATicket");
inline constexpr const char* kWMARKAngleTicket = KESTRANE_WM_KEY("WMARKAngleTicket");
inline constexpr const char* kWMARKDensityTicket = KESTRANE_WM_KEY("WMARKDensityTicket");
inline constexpr const char* kWMARKScaleTicket = KESTRANE_WM_KEY("WMARKScaleTicket");
inline constexpr const char* kWMARKWidthTicket = KESTRANE_WM_KEY("WMARKWidthTicket");
inline constexpr const char* kWMARKHeightTicket = KESTRANE_WM_KEY("WMARKHeightTicket");
inline constexpr const char* kWMARKhOffsetTicket = KESTRANE_WM_KEY("WMARKhOffsetTicket");
inline constexpr const char* kWMARKvOffsetTicket = KESTRANE_WM_KEY("WMARKvOffsetTicket");

// Every key a chosen watermark writes besides the list, layer and first-page
// controls' own: removed before each write so no value of an earlier
// watermark rides along.
inline constexpr const char* kWMARKRecordTicketKeys[] = {
    kWMARKTextTicket,     kWMARKOrientationTicket, kWMARKPaperHeightTicket, kWMARKPaperWidthTicket,
    kWMARKFilePathTicket, kWMARKTypeTicket,        kWMARKFontTicket,        kWMARKFontSizeTicket,
    kWMARKFontTypeTicket, kWMARKColorRTicket,      kWMARKColorGTicket,      kWMARKColorBTicket,
    kWMARKColorATicket,   kWMARKAngleTicket,       kWMARKDensityTicket,     kWMARKScaleTicket,
    kWMARKWidthTicket,    kWMARKHeightTicket,      kWMARKhOffsetTicket,     kWMARKvOffsetTicket,
};

// The job type the job-type panel keeps per printer (5: save to mailbox).
inline constexpr const char* kWMPrintTypeReference = KESTRANE_WM_KEY("PrintTypeReference");

// Per-printer preferences of the panel's own controls.
inline constexpr const char* kWMARKNameReference = KESTRANE_WM_KEY("WMARKNameReference");
inline constexpr const char* kWMARKOptionsReference = KESTRANE_WM_KEY("WMARKOptionsReference");
inline constexpr const char* kWMARKOnlyFirstReference = KESTRANE_WM_KEY("WMARKOnlyFirstReference");

} // namespace KESTRANE_NS
