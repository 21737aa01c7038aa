// The watermark font table: for each font name of the PPD (before any "-")
// the name shown and stored in records, the PostScript name written to the
// ticket, the text encoding the filter uses and the rates that turn a
// measured text box into the box the filter centres.
#pragma once

#include <string>
#include <vector>

namespace KESTRANE_NS {

enum : int {
    kWaterMarkPPDFontName = 0,
    kWaterMarkDisplayFontName = 1,
    kWaterMarkPrintFontName = 2,
    kWaterMarkFontType = 3,
    kWaterMarkFontXRate = 4,
    kWaterMarkFontYRate = 5,
    kWaterMarkFontNameInfoNum = 6,
};

extern const char* const WaterMarkFontNameString[][kWaterMarkFontNameInfoNum];
extern const int WaterMarkFontListNum;

struct WatermarkFontRow {
    const char* ppdName;
    const char* displayName;
    const char* printName;
    const char* type; // "0" literal text, "1" hexadecimal (double-byte fonts)
    double xRate;
    double yRate;
};

// The row whose PPD name, or display name, equals the name; false when none.
bool FindFontRowByPPDName(const std::string& ppdName, WatermarkFontRow& row);
bool FindFontRowByDisplayName(const std::string& displayName, WatermarkFontRow& row);

// The font list of the edit window from the PPD's font names, in PPD order:
// the display name of the row of each name's part before "-", else the name
// itself; no entry twice.
std::vector<std::string> WatermarkFontList(const std::vector<std::string>& ppdFontNames);

// What the filter is told about a record's font: the PostScript name, the
// ticket's font type and the rates. A font without a row (a PPD font the
// table lacks) is sent under its own name as literal text, its box measured
// as it is.
struct WatermarkFontTicket {
    std::string printName;
    int fontType = 0;
    double xRate = 1.0;
    double yRate = 1.0;
    bool inTable = false;
};
WatermarkFontTicket FontTicketForDisplayName(const std::string& displayName);

// The local face that has the metrics of a standard PostScript font (the URW
// base-35 faces): family, bold, italic. False when there is none.
struct WatermarkLocalFace {
    const char* family;
    bool bold;
    bool italic;
};
bool LocalFaceForPrintName(const std::string& printName, WatermarkLocalFace& face);

} // namespace KESTRANE_NS
