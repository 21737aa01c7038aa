#include "WatermarkFilter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unistd.h>
#include <string>
#include <vector>

#include "FilterGlobals.h"
#include "PSInjectionPoints.h"
#include "UtilityFunctionFilter.h"
#include "WatermarkGeometry.h"
#include "WatermarkImage.h"
#include "WatermarkOption.h"

WatermarkOptionRecord psOptionWatermark;

namespace {

WatermarkOptionRecord& W = psOptionWatermark;

// The name only switches the watermark on; it never reaches the printer. A
// name that Latin-1 cannot hold (Japanese, an en dash) must not switch off a
// watermark the user chose, so it is kept as "?" instead of read as empty.
int GetWatermarkNameTicket(const char* key, int num_options, cups_option_t* options, void* dest,
                           int size) {
    int present = GetTicketString(key, num_options, options, dest, size);
    const char* value = cupsGetOption(key, num_options, options);
    char* name = static_cast<char*>(dest);
    if (present && name[0] == '\0' && value && value[0] != '\0')
        std::strcpy(name, "?");
    return present;
}

const TicketTableEntry kWatermarkTicketTable[] = {
    {KTICKET("WMARKNameTicket"), W.name, sizeof W.name, GetWatermarkNameTicket},
    {KTICKET("WMARKOptionsTicket"), &W.imagePlacement, 4, GetTicketInteger},
    {KTICKET("WMARKOnlyFirstTicket"), &W.onlyFirst, 4, GetTicketInteger},
    {KTICKET("WMARKTextTicket"), W.text, sizeof W.text, GetTicketStringConvertedToPrtLang},
    {KTICKET("WMARKOrientationTicket"), &W.orientation, 4, GetTicketInteger},
    {KTICKET("WMARKPaperHeightTicket"), &W.paperHeight, 4, GetTicketInteger},
    {KTICKET("WMARKPaperWidthTicket"), &W.paperWidth, 4, GetTicketInteger},
    {KTICKET("WMARKFilePathTicket"), W.filePath, sizeof W.filePath,
     GetTicketStringConvertedToPrtLang},
    {KTICKET("WMARKTypeTicket"), &W.type, 4, GetTicketInteger},
    {KTICKET("WMARKFontTicket"), W.font, sizeof W.font, GetTicketString},
    {KTICKET("WMARKFontSizeTicket"), &W.fontSize, 4, GetTicketInteger},
    {KTICKET("WMARKFontTypeTicket"), &W.fontType, 4, GetTicketInteger},
    {KTICKET("WMARKColorRTicket"), &W.colorR, 4, GetTicketFloat},
    {KTICKET("WMARKColorGTicket"), &W.colorG, 4, GetTicketFloat},
    {KTICKET("WMARKColorBTicket"), &W.colorB, 4, GetTicketFloat},
    {KTICKET("WMARKColorATicket"), &W.colorA, 4, GetTicketFloat},
    {KTICKET("WMARKAngleTicket"), &W.angle, 4, GetTicketInteger},
    {KTICKET("WMARKDensityTicket"), &W.density, 4, GetTicketInteger},
    {KTICKET("WMARKScaleTicket"), &W.scale, 4, GetTicketFloat},
    {KTICKET("WMARKPosHorizontalTicket"), &W.posHorizontal, 4, GetTicketFloat},
    {KTICKET("WMARKPosVerticalTicket"), &W.posVertical, 4, GetTicketFloat},
    {KTICKET("WMARKWidthTicket"), &W.width, 4, GetTicketFloat},
    {KTICKET("WMARKHeightTicket"), &W.height, 4, GetTicketFloat},
    {KTICKET("WMARKhOffsetTicket"), &W.hOffset, 4, GetTicketFloat},
    {KTICKET("WMARKvOffsetTicket"), &W.vOffset, 4, GetTicketFloat},
};
constexpr int kWatermarkTicketCount =
    sizeof kWatermarkTicketTable / sizeof kWatermarkTicketTable[0];
static_assert(kWatermarkTicketCount == 25);

// Print-again flags, one per written piece; the image's over-page drawing
// shares one flag between "ep" and "endp".
struct WatermarkWriterState {
    int prolog = 1;     // after "%%BeginProlog"
    int pageSetup = 1;  // after "%%EndPageSetup"
    int textEp = 1;     // before "ep", text
    int textEndp = 1;   // before "endp", text
    int imageUnder = 1; // after "bp"
    int imageOver = 1;  // before "ep" and "endp", image
    bool imageLoaded = false;
    // Decoded once for the whole job; a further "%%EndSetup" sends the same
    // pixels again. A file that is missing is looked for again then, but one
    // that failed to decode is not decoded again (each try may take seconds).
    bool imageDecoded = false;
    WatermarkPixels pixels;
    unsigned imageWidth = 0;
    unsigned imageHeight = 0;
    int hexColumn = 0;
    // The text watermark's lines are the same on every page: formatted once.
    std::string textBody;
};
WatermarkWriterState gState;

// After a piece is written it is written again only on every-page jobs.
void Written(int& flag) {
    flag = psOptionWatermark.onlyFirst == 0 ? 1 : 0;
}

// A real that is not a number must not reach the PostScript as "nan".
double Finite(double v) {
    return std::isfinite(v) ? v : 0.0;
}

void FiniteField(float& v) {
    if (!std::isfinite(v))
        v = 0.0f;
}

WatermarkLayout CurrentLayout() {
    return MakeWatermarkLayout(NumberUpPlainString, LayoutDirectionString, LayoutRowsString,
                               LayoutColumnsString);
}

void WriteProlog() {
    std::fputs("userdict/kvqInfo 2 dict dup begin\n"
               "/kvqpgsave 0 def\n"
               "/kvqbp{/kvqpgsave save store} bind def\n",
               gFilterOut);
}

void WriteText(int pointCode) {
    std::fputs(pointCode == kPSPointEndPage ? "pgsave restore /pgsave save store gsave\n"
                                            : "pm restore /pm save store gsave\n",
               gFilterOut);
    WatermarkWriteTextBody();
    std::fputs("grestore\n", gFilterOut);
}

// Sends the image's pixels once, into the printer's picstr array.
void LoadImage() {
    gState.imageLoaded = false;
    if (!WatermarkImageReady())
        return;
    const int height = static_cast<int>(gState.imageHeight);
    std::fprintf(gFilterOut, "%d array /picstr exch def\n", height);
    std::fprintf(gFilterOut, "/line 0 def /readdata { 0 1 %d 1 sub { /strix exch def\n", height);
    std::fprintf(gFilterOut,
                 "picstr strix currentfile %d string readhexstring pop put } for } bind def\n",
                 static_cast<int>(3 * gState.imageWidth));
    std::fputs("readdata\n", gFilterOut);
    WatermarkWriteImageHex();
    gState.imageLoaded = true;
}

void WriteImage(long long page, bool overPage) {
    const WatermarkOptionRecord& o = psOptionWatermark;
    const int height = static_cast<int>(gState.imageHeight);
    double k = 0;
    const WatermarkTranslate t = GetImagePlacement(o, CurrentLayout(), page, overPage,
                                                   gState.imageWidth, gState.imageHeight, &k);
    k = Finite(k);
    std::fprintf(gFilterOut,
                 "/line 0 def /picdata { line %d lt { picstr line get line 1 add /line exch def } "
                 "{ () } ifelse } bind def\n",
                 height);
    std::fputs("gsave initgraphics\n", gFilterOut);
    std::fputs("/DeviceRGB setcolorspace /imageDict 20 dict def\n", gFilterOut);
    std::fprintf(gFilterOut, "%.2f%c%.2f translate\n", Finite(t.tx), ' ', Finite(t.ty));
    // The y scale is the x scale negated; written as two numbers so that a
    // negative scale still gives valid PostScript ("-0.50 0.50", not "--0.50").
    std::fprintf(gFilterOut, "%.2f%c%.2f scale\n", k, ' ', -k);
    std::fprintf(gFilterOut, "%d rotate\n", t.rotate);
    std::fputs("imageDict begin\n", gFilterOut);
    std::fprintf(gFilterOut, "/ImageType 1 def /Width %d def /Height %d def\n",
                 static_cast<int>(gState.imageWidth), height);
    std::fputs("/ImageMatrix [1 0 0 1 0 0] def /MultipleDataSources false def\n", gFilterOut);
    std::fputs("/DataSource { picdata } cvx def\n", gFilterOut);
    std::fputs("/BitsPerComponent 8 def /Decode [0 1 0 1 0 1] def /Interpolate false def end\n",
               gFilterOut);
    std::fputs("imageDict image grestore\n", gFilterOut);
}

// The pieces both kinds write: the save procedure in the prolog and its call
// at every page's setup end. Returns whether the point was one of them.
bool WriteSharedPiece(int pointCode) {
    switch (pointCode) {
    case kPSPointBeginProlog:
        if (gState.prolog) {
            WriteProlog();
            Written(gState.prolog);
        }
        return true;
    case kPSPointEndPageSetup:
        if (gState.pageSetup) {
            std::fputs("kvqbp\n", gFilterOut);
            Written(gState.pageSetup);
        }
        return true;
    default:
        return false;
    }
}

void TextWatermark(int pointCode) {
    // A font name that could break out of the name token draws nothing at all.
    if (!IsWatermarkFontName(psOptionWatermark.font) || WriteSharedPiece(pointCode))
        return;
    if (pointCode == kPSPointEndPage || pointCode == kPSPointEndPageNUp) {
        int& flag = pointCode == kPSPointEndPage ? gState.textEp : gState.textEndp;
        if (flag) {
            WriteText(pointCode);
            Written(flag);
        }
    }
}

void ImageWatermark(int pointCode, int pageCounter) {
    if (WriteSharedPiece(pointCode))
        return;
    const int placement = psOptionWatermark.imagePlacement;
    switch (pointCode) {
    case kPSPointEndSetup:
        LoadImage();
        break;
    case kPSPointBeginPage:
        if (placement == 2 && gState.imageUnder) {
            // The page being begun: the counter still counts the pages before it.
            if (gState.imageLoaded)
                WriteImage(static_cast<long long>(pageCounter) + 1, false);
            Written(gState.imageUnder);
        }
        break;
    case kPSPointEndPage:
    case kPSPointEndPageNUp:
        if (placement == 1 && gState.imageOver) {
            if (gState.imageLoaded)
                WriteImage(pageCounter, true);
            Written(gState.imageOver);
        }
        break;
    default:
        break;
    }
}

} // namespace

void WatermarkWriteTextBody() {
    std::string& body = gState.textBody;
    if (body.empty()) {
        const WatermarkOptionRecord& o = psOptionWatermark;
        char line[600];
        std::snprintf(line, sizeof line, "%.2f%c%.2f%c%.2f setrgbcolor\n",
                      Finite(WatermarkDensityColor(o.colorR, o.density)), ' ',
                      Finite(WatermarkDensityColor(o.colorG, o.density)), ' ',
                      Finite(WatermarkDensityColor(o.colorB, o.density)));
        body += line;
        std::snprintf(line, sizeof line, "/%s%c%d selectfont\n", o.font, ' ', o.fontSize);
        body += line;
        const WatermarkPoint start = GetWatermarkPostion(o, CurrentLayout(), false);
        std::snprintf(line, sizeof line, "%.2f%c%.2f moveto\n%d rotate\n", Finite(start.x), ' ',
                      Finite(start.y), o.angle);
        body += line;
        char shown[256];
        getWMOuputText(shown, o.text, sizeof shown, o.fontType);
        body += shown;
        body += " show\n";
    }
    std::fwrite(body.data(), 1, body.size(), gFilterOut);
}

bool WatermarkImageReady() {
    if (gState.pixels.fd < 0 && !gState.imageDecoded)
        WatermarkOpenImage(psOptionWatermark.filePath, &gState.pixels, &gState.imageDecoded);
    if (gState.pixels.fd < 0)
        return false;
    gState.imageWidth = gState.pixels.width;
    gState.imageHeight = gState.pixels.height;
    return true;
}

unsigned WatermarkImageWidth() {
    return gState.imageWidth;
}

unsigned WatermarkImageHeight() {
    return gState.imageHeight;
}

void WatermarkWriteImageHex() {
    // Rows in batches of about 64 KiB keep the filter's memory small.
    const size_t rowBytes = 3 * static_cast<size_t>(gState.imageWidth);
    const uint32_t batch = static_cast<uint32_t>(std::max<size_t>(1, (64 * 1024) / rowBytes));
    std::vector<unsigned char> rows(rowBytes * batch);
    for (uint32_t y = 0; y < gState.imageHeight; y += batch) {
        const uint32_t count = std::min(batch, gState.imageHeight - y);
        // The decoder checked the size; a short read can only mean a broken
        // spool file system, and blank rows keep the PostScript whole.
        if (!ReadWatermarkRows(gState.pixels, y, count, rows.data()))
            std::fill(rows.begin(), rows.end(), 0xFF);
        WatermarkWriteHex(gFilterOut, rows.data(), rowBytes * count, &gState.hexColumn);
    }
    if (gState.hexColumn != 0)
        std::fputc('\n', gFilterOut);
    gState.hexColumn = 0;
}

int WatermarkGetTicketFromPDE(char* const argv[]) {
    GetTicketFromArray(argv, kWatermarkTicketTable, kWatermarkTicketCount);
    for (float* v : {&W.colorR, &W.colorG, &W.colorB, &W.colorA, &W.scale, &W.posHorizontal,
                     &W.posVertical, &W.width, &W.height, &W.hOffset, &W.vOffset})
        FiniteField(*v);
    return 1;
}

void WatermarkResetState() {
    if (gState.pixels.fd >= 0)
        close(gState.pixels.fd);
    gState = WatermarkWriterState{};
}

bool IsWatermarkFontName(const char* font) {
    if (!font || !*font)
        return false;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(font); *p; ++p) {
        if (*p < 0x21 || *p > 0x7E || std::strchr("()<>[]{}/%", *p))
            return false;
    }
    return true;
}

void getWMOuputText(char* dest, const char* text, int size, int encoding) {
    if (size <= 0)
        return;
    std::memset(dest, 0, static_cast<size_t>(size));
    if (size < 3)
        return;
    // Room between the brackets, keeping the closing bracket and terminator.
    const size_t room = static_cast<size_t>(size) - 3;
    size_t w = 0;
    if (encoding == 1) {
        static const char kDigits[] = "0123456789abcdef";
        dest[w++] = '<';
        for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
             *p && w - 1 + 2 <= room; ++p) {
            dest[w++] = kDigits[*p >> 4];
            dest[w++] = kDigits[*p & 0x0F];
        }
        dest[w++] = '>';
    } else if (encoding == 0) {
        dest[w++] = '(';
        for (const char* p = text; *p; ++p) {
            const bool escape = *p == '(' || *p == ')' || *p == '\\';
            if (w - 1 + (escape ? 2 : 1) > room)
                break;
            if (escape)
                dest[w++] = '\\';
            dest[w++] = *p;
        }
        dest[w++] = ')';
    } else {
        dest[w++] = '(';
        dest[w++] = ')';
    }
    dest[w] = '\0';
}

void WatermarkOutputPSCommandFromFilter(int pointCode, int pageCounter) {
    if (psOptionWatermark.name[0] == '\0')
        return;
    if (psOptionWatermark.type == 0)
        TextWatermark(pointCode);
    else if (psOptionWatermark.type == 1)
        ImageWatermark(pointCode, pageCounter);
}
