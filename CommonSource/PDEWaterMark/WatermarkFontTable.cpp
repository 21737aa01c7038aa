#include "WatermarkFontTable.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace KESTRANE_NS {

// The Latin rows the printers' own tables give no rates for measure like
// Helvetica.
const char* const WaterMarkFontNameString[][kWaterMarkFontNameInfoNum] = {
    {"AlbertusMT", "AlbertusMT", "AlbertusMT", "0", "1.0495", "1.2065"},
    {"AntiqueOlive", "AntiqueOlive-Roman", "AntiqueOlive-Roman", "0", "1.0067", "1.6393"},
    {"Apple", "Apple-Chancery", "Apple-Chancery", "0", "1.0067", "1.6393"},
    {"Arial", "Arial", "Arial", "0", "1.0067", "1.6393"},
    {"ArialMT", "ArialMT", "ArialMT", "0", "1.0067", "1.6393"},
    {"AvantGarde", "AvantGarde-Book", "AvantGarde-Book", "0", "1.0067", "1.6393"},
    {"Bodoni", "Bodoni", "Bodoni", "0", "1.0067", "1.6393"},
    {"Bookman", "Bookman-Light", "Bookman-Light", "0", "1.0067", "1.6393"},
    {"Carta", "Carta", "Carta", "0", "1.0067", "1.6393"},
    {"Chicago", "Chicago", "Chicago", "0", "1.0067", "1.6393"},
    {"Clarendon", "Clarendon", "Clarendon", "0", "1.0067", "1.6393"},
    {"CooperBlack", "CooperBlack", "CooperBlack", "0", "1.0067", "1.6393"},
    {"Copperplate", "Copperplate-ThirtyThreeBC", "Copperplate-ThirtyThreeBC", "0", "1.1769",
     "0.8820"},
    {"Coronet", "Coronet-Regular", "Coronet-Regular", "0", "1.0067", "1.6393"},
    {"Courier", "Courier", "Courier", "0", "1.0320", "2.0328"},
    {"Eurostile", "Eurostile", "Eurostile", "0", "1.0067", "1.6393"},
    {"Geneva", "Geneva", "Geneva", "0", "1.0067", "1.6393"},
    {"GillSans", "GillSans", "GillSans", "0", "1.0067", "1.6393"},
    {"Goudy", "Goudy", "Goudy", "0", "1.0067", "1.6393"},
    {"Helvetica", "Helvetica", "Helvetica", "0", "1.0067", "1.6393"},
    {"HoeflerText", "HoeflerText-Regular", "HoeflerText-Regular", "0", "1.0067", "1.6393"},
    {"JoannaMT", "JoannaMT", "JoannaMT", "0", "1.0067", "1.6393"},
    {"LetterGothic", "LetterGothic", "LetterGothic", "0", "1.0318", "1.6187"},
    {"LubalinGraph", "LetterGothic", "LetterGothic", "0", "1.0318", "1.6187"},
    {"Marigold", "Marigold", "Marigold", "0", "1.0067", "1.6393"},
    {"MonaLisa", "MonaLisa-Recut", "MonaLisa-Recut", "0", "1.0067", "1.6393"},
    {"Monaco", "Monaco", "Monaco", "0", "1.0067", "1.6393"},
    {"NewCenturySchlbk", "NewCenturySchlbk-Roman", "NewCenturySchlbk-Roman", "0", "1.0067",
     "1.6393"},
    {"NewYork", "NewYork", "NewYork", "0", "1.0067", "1.6393"},
    {"OCRBLetM", "OCRB", "OCRB", "0", "1.0067", "1.6393"},
    {"Optima", "Optima", "Optima", "0", "1.0067", "1.6393"},
    {"Oxford", "Oxford", "Oxford", "0", "1.0067", "1.6393"},
    {"Palatino", "Palatino-Roman", "Palatino-Roman", "0", "1.0067", "1.6393"},
    {"StempelGaramond", "StempelGaramond-Roman", "StempelGaramond-Roman", "0", "1.0067", "1.6393"},
    {"Symbol", "Symbol", "Symbol", "0", "1.0067", "1.6393"},
    {"Tekton", "Tekton", "Tekton", "0", "1.0067", "1.6393"},
    {"Times", "Times-Roman", "Times-Roman", "0", "1.0132", "1.7843"},
    {"TimesNewRomanPS", "TimesNewRomanPS", "TimesNewRomanPS", "0", "1.0132", "1.7843"},
    {"TimesNewRomanPSMT", "TimesNewRomanPSMT", "TimesNewRomanPSMT", "0", "1.0132", "1.7843"},
    {"Univers", "Univers", "Univers", "0", "1.0067", "1.6393"},
    {"Wingdings", "Wingdings-Regular", "Wingdings-Regular", "0", "1.0067", "1.6393"},
    {"ZapfChancery", "ZapfChancery-MediumItalic", "ZapfChancery-MediumItalic", "0", "1.0067",
     "1.6393"},
    {"ZapfDingbats", "ZapfDingbats", "ZapfDingbats", "0", "1.0067", "1.6393"},
    {"HeiseiKakuGo", "HeiseiKakuGo-W5-78-RKSJ-H", "HeiseiKakuGo-W5-78-RKSJ-H", "1", "1.0351",
     "1.6115"},
    {"HeiseiMaruGo", "HeiseiMaruGo-W4-78-RKSJ-H", "HeiseiMaruGo-W4-78-RKSJ-H", "1", "1.0351",
     "1.6115"},
    {"HeiseiMin", "HeiseiMin-W3-78-RKSJ-H", "HeiseiMin-W3-78-RKSJ-H", "1", "1.0351", "1.6115"},
    {"GothicBBB", "GothicBBB-Medium-78-RKSJ-H", "GothicBBB-Medium-78-RKSJ-H", "1", "1.0351",
     "1.6115"},
    {"Ryumin", "Ryumin-Light-78-RKSJ-H", "Ryumin-Light-78-RKSJ-H", "1", "1.0351", "1.6115"},
    {"FutoGoB101", "FutoGoB101-Bold-78-RKSJ-H", "FutoGoB101-Bold-78-RKSJ-H", "1", "1.0351",
     "1.6115"},
    {"FutoMinA101", "FutoMinA101-Bold-78-RKSJ-H", "FutoMinA101-Bold-78-RKSJ-H", "1", "1.0351",
     "1.6115"},
    {"Jun101", "Jun101-Light-78-RKSJ-H", "Jun101-Light-78-RKSJ-H", "1", "1.0351", "1.6115"},
};

const int WaterMarkFontListNum =
    static_cast<int>(sizeof WaterMarkFontNameString / sizeof WaterMarkFontNameString[0]);

namespace {

WatermarkFontRow RowAt(int i) {
    const char* const* r = WaterMarkFontNameString[i];
    return {r[kWaterMarkPPDFontName],          r[kWaterMarkDisplayFontName],
            r[kWaterMarkPrintFontName],        r[kWaterMarkFontType],
            std::atof(r[kWaterMarkFontXRate]), std::atof(r[kWaterMarkFontYRate])};
}

bool FindRow(int column, const std::string& name, WatermarkFontRow& row) {
    for (int i = 0; i < WaterMarkFontListNum; ++i) {
        if (name == WaterMarkFontNameString[i][column]) {
            row = RowAt(i);
            return true;
        }
    }
    return false;
}

// The base-35 faces of the URW fonts, by PostScript name.
struct LocalFaceRow {
    const char* printName;
    WatermarkLocalFace face;
};
constexpr LocalFaceRow kLocalFaces[] = {
    {"Helvetica", {"Nimbus Sans", false, false}},
    {"Helvetica-Bold", {"Nimbus Sans", true, false}},
    {"Helvetica-Oblique", {"Nimbus Sans", false, true}},
    {"Helvetica-BoldOblique", {"Nimbus Sans", true, true}},
    {"Arial", {"Nimbus Sans", false, false}},
    {"ArialMT", {"Nimbus Sans", false, false}},
    {"Times-Roman", {"Nimbus Roman", false, false}},
    {"Times-Bold", {"Nimbus Roman", true, false}},
    {"Times-Italic", {"Nimbus Roman", false, true}},
    {"Times-BoldItalic", {"Nimbus Roman", true, true}},
    {"TimesNewRomanPS", {"Nimbus Roman", false, false}},
    {"TimesNewRomanPSMT", {"Nimbus Roman", false, false}},
    {"Courier", {"Nimbus Mono PS", false, false}},
    {"Courier-Bold", {"Nimbus Mono PS", true, false}},
    {"Courier-Oblique", {"Nimbus Mono PS", false, true}},
    {"Courier-BoldOblique", {"Nimbus Mono PS", true, true}},
    {"AvantGarde-Book", {"URW Gothic", false, false}},
    {"Bookman-Light", {"URW Bookman", false, false}},
    {"NewCenturySchlbk-Roman", {"C059", false, false}},
    {"Palatino-Roman", {"P052", false, false}},
    {"ZapfChancery-MediumItalic", {"Z003", false, true}},
    {"Symbol", {"Standard Symbols PS", false, false}},
    {"ZapfDingbats", {"D050000L", false, false}},
};

} // namespace

bool FindFontRowByPPDName(const std::string& ppdName, WatermarkFontRow& row) {
    return FindRow(kWaterMarkPPDFontName, ppdName, row);
}

bool FindFontRowByDisplayName(const std::string& displayName, WatermarkFontRow& row) {
    return FindRow(kWaterMarkDisplayFontName, displayName, row);
}

std::vector<std::string> WatermarkFontList(const std::vector<std::string>& ppdFontNames) {
    std::vector<std::string> list;
    for (const std::string& font : ppdFontNames) {
        if (font.empty())
            continue;
        WatermarkFontRow row;
        std::string entry =
            FindFontRowByPPDName(font.substr(0, font.find('-')), row) ? row.displayName : font;
        if (std::find(list.begin(), list.end(), entry) == list.end())
            list.push_back(entry);
    }
    return list;
}

WatermarkFontTicket FontTicketForDisplayName(const std::string& displayName) {
    WatermarkFontTicket ticket;
    WatermarkFontRow row;
    if (FindFontRowByDisplayName(displayName, row)) {
        ticket.printName = row.printName;
        ticket.fontType = std::atoi(row.type);
        ticket.xRate = row.xRate;
        ticket.yRate = row.yRate;
        ticket.inTable = true;
    } else {
        ticket.printName = displayName;
    }
    return ticket;
}

bool LocalFaceForPrintName(const std::string& printName, WatermarkLocalFace& face) {
    for (const LocalFaceRow& row : kLocalFaces) {
        if (printName == row.printName) {
            face = row.face;
            return true;
        }
    }
    return false;
}

} // namespace KESTRANE_NS
