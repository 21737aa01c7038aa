#include "CupsPageHooks.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <cups/cups.h>

#include "FeaturesFilter.h"
#include "ImposedSheetSlots.h"
#include "FilterGlobals.h"
#include "PSInjectionPoints.h"
#include "WatermarkFilter.h"
#include "WatermarkGeometry.h"
#include "WatermarkOption.h"

namespace {

// What the watermark draws and where it hangs.
enum class Drawing { None, Over, Under };

struct CupsHookState {
    bool setupWritten = false;     // procedures (and image data) sent
    bool drawable = false;         // the procedures exist in the printer
    bool cellsExpected = false;    // pstops switched setpagedevice off: n-up cells
    bool separatorWritten = false; // each finishing fragment goes out once
    bool bookletWritten = false;
    bool inPageSetup = false; // between %%BeginPageSetup and the first %%EndPageSetup
    bool cellThisSheet = false;
    bool inCellSetup = false; // after "userdict/ESPsave save put", before its page
    bool cellHasPage = false; // the open cell holds a page (not an empty one)
    bool cellsAnnounced = false;
    bool imposed = false; // sheets pdftopdf imposed: the watermark goes into their slots
    char layout[8] = "";  // the job's number-up-layout
    int orientation = 3;  // and orientation-requested
};
CupsHookState gHooks;

Drawing WatermarkDrawing() {
    const WatermarkOptionRecord& o = psOptionWatermark;
    if (o.name[0] == '\0')
        return Drawing::None;
    if (o.type == 0)
        return IsWatermarkFontName(o.font) ? Drawing::Over : Drawing::None;
    if (o.type == 1)
        return o.imagePlacement == 1   ? Drawing::Over
               : o.imagePlacement == 2 ? Drawing::Under
                                       : Drawing::None;
    return Drawing::None;
}

// The drawing procedure's guard: with first-page-only it draws once per job.
// The flag lives in global VM so that no restore of the document brings it
// back.
void WriteDrawProcStart() {
    std::fputs("userdict/kvqwmdraw{", gFilterOut);
    if (psOptionWatermark.onlyFirst != 0)
        std::fputs("userdict/kvqWM get/done get not{", gFilterOut);
    std::fputs("gsave\n", gFilterOut);
}

void WriteDrawProcEnd() {
    std::fputs("grestore", gFilterOut);
    if (psOptionWatermark.onlyFirst != 0)
        std::fputs(" userdict/kvqWM get/done true put}if", gFilterOut);
    std::fputs("}bind put\n", gFilterOut);
}

// A logical page of the job's paper, 1-up: the cell or sheet being drawn on
// already carries the n-up placement and scale.
WatermarkLayout OneUp() {
    return WatermarkLayout{1, 1, 1, 1, 0};
}

// The picture's record as kvqwmdraw sees the page: pstops has already turned
// a landscape or reverse page onto the paper (in a cell as on a whole sheet),
// so the picture is placed as on an upright page of the turned size, the way
// the text already is. Placing it for the paper would turn it a second time.
WatermarkOptionRecord PageFrameOption() {
    WatermarkOptionRecord option = psOptionWatermark;
    if (option.orientation == 2 || option.orientation == 4)
        std::swap(option.paperWidth, option.paperHeight);
    option.orientation = 1;
    return option;
}

bool WriteImageProc(Drawing drawing) {
    if (!WatermarkImageReady())
        return false;
    const unsigned width = WatermarkImageWidth(), height = WatermarkImageHeight();
    std::fprintf(gFilterOut, "userdict/kvqpic %u array put\n", height);
    std::fprintf(gFilterOut,
                 "0 1 %u 1 sub{userdict/kvqpic get exch currentfile %u string readhexstring pop "
                 "put}for\n",
                 height, 3 * width);
    WatermarkWriteImageHex();
    double k = 0;
    const WatermarkTranslate t = GetImagePlacement(PageFrameOption(), OneUp(), 1,
                                                   drawing == Drawing::Over, width, height, &k);
    WriteDrawProcStart();
    std::fprintf(gFilterOut, "%.2f %.2f translate\n%.2f %.2f scale\n%d rotate\n",
                 std::isfinite(t.tx) ? t.tx : 0.0, std::isfinite(t.ty) ? t.ty : 0.0,
                 std::isfinite(k) ? k : 0.0, std::isfinite(k) ? -k : 0.0, t.rotate);
    std::fprintf(gFilterOut,
                 "/DeviceRGB setcolorspace userdict/kvqrow 0 put\n"
                 "<</ImageType 1/Width %u/Height %u/ImageMatrix[1 0 0 1 0 0]"
                 "/MultipleDataSources false\n"
                 "/DataSource{userdict/kvqpic get userdict/kvqrow get 2 copy exch length lt"
                 "{get userdict/kvqrow 2 copy get 1 add put}{pop pop()}ifelse}\n"
                 "/BitsPerComponent 8/Decode[0 1 0 1 0 1]/Interpolate false>>image\n",
                 width, height);
    WriteDrawProcEnd();
    return true;
}

// kvqwmpaper: from the paper to the page where pstops has not turned the
// sheet (PDF jobs, whose pages pdftopdf turned itself), the page lying on
// the paper as the record's orientation says, as pstops would turn it. Text
// and picture alike are placed for the upright page of the turned size.
void WritePaperProc() {
    const WatermarkOptionRecord& o = psOptionWatermark;
    switch (o.orientation) {
    case 2:
        std::fprintf(gFilterOut, "userdict/kvqwmpaper{%d 0 translate 90 rotate}bind put\n",
                     o.paperWidth);
        break;
    case 3:
        std::fprintf(gFilterOut, "userdict/kvqwmpaper{%d %d translate 180 rotate}bind put\n",
                     o.paperWidth, o.paperHeight);
        break;
    case 4:
        std::fprintf(gFilterOut, "userdict/kvqwmpaper{0 %d translate -90 rotate}bind put\n",
                     o.paperHeight);
        break;
    default:
        std::fputs("userdict/kvqwmpaper{}bind put\n", gFilterOut);
        break;
    }
}

// Which slots of an imposed sheet hold a page. pdftopdf draws each page of
// the sheet inside its own clip: a rectangle no larger than the slot, set
// when the page's group opens, before anything of the page. Ghostscript's
// ps2write runs the sheet's content through a dictionary of PDF operators,
// so wrapping its "q", "Q", "W" and "W*" shows, as the sheet is drawn, each
// clip, how deeply it is nested and where it lies. The clips nested least
// deeply that each fit inside one slot mark the slots that hold pages (the
// document's own clips lie deeper, inside its page's group); a sheet on
// which no such clip shows, or a document without that dictionary, has
// every slot counted as holding a page. The counts live in global VM, so
// the restore at the end of each page leaves them.
//
//   kvqwmfilled  col row -> bool: the slot holds a page (or nothing is known)
//   kvqclip      before each clip: records its slot and, for a picture
//                under the page, draws it in that slot before the page
//   kvqslotreset after each sheet
//   kvqdepth     n ->: after each "q" (1) and "Q" (-1)
void WriteFilledSlotProcs(const ImposedSheet& sheet) {
    std::fputs(
        "userdict/kvqslotreset{userdict/kvqWM get dup/depth 0 put dup/best 0 put/mask 0 put}"
        "bind put kvqslotreset\n"
        "userdict/kvqdepth{userdict/kvqWM get dup/depth get 3 -1 roll add/depth exch put}bind "
        "put\n",
        gFilterOut);
    std::fprintf(
        gFilterOut,
        "userdict/kvqwmfilled{%d mul add 1 exch bitshift userdict/kvqWM get dup/best get 0 "
        "eq{pop pop true}{/mask get and 0 ne}ifelse}bind put\n",
        sheet.columns);
    std::fprintf(
        gFilterOut,
        "userdict/kvqclip{countdictstack mark{userdict/kvqWM get dup/cells get not 1 index/depth "
        "get 0 gt and 1 index/hooked get and{12 dict begin/kvqK exch def/kvqM kvqK/ctm get def\n"
        "pathbbox/kvqy1 exch def/kvqx1 exch def/kvqy0 exch def/kvqx0 exch def\n"
        "kvqx0 kvqx1 add 2 div kvqy0 kvqy1 add 2 div transform kvqM itransform"
        "/kvqcy exch def/kvqcx exch def\n"
        "kvqx1 kvqx0 sub 2 div 0 dtransform kvqM idtransform abs/kvquy exch def abs/kvqux exch "
        "def\n"
        "0 kvqy1 kvqy0 sub 2 div dtransform kvqM idtransform abs/kvqvy exch def abs/kvqvx exch "
        "def\n"
        "currentpagedevice/PageSize get aload pop %d div/kvqsh exch def %d div/kvqsw exch def\n"
        "/kvqc kvqcx kvqsw div floor cvi def/kvqr kvqcy kvqsh div floor cvi def\n"
        "kvqc 0 ge kvqc %d lt and kvqr 0 ge and kvqr %d lt and kvqux kvqvx add 2 mul kvqsw 1.05 "
        "mul le and kvquy kvqvy add 2 mul kvqsh 1.05 mul le and{\n"
        "/kvqd kvqK/depth get def/kvqb 1 kvqr %d mul kvqc add bitshift def\n"
        "kvqK/best get dup 0 eq exch kvqd gt or{kvqK/best kvqd put kvqK/mask 0 put}if\n"
        "kvqK/best get kvqd eq{kvqK/mask get kvqb and 0 eq%s"
        "kvqK/mask kvqK/mask get kvqb or put}if}if end}{pop}ifelse}stopped cleartomark\n"
        "countdictstack exch sub{end}repeat}bind put\n",
        sheet.rows, sheet.columns, sheet.columns, sheet.rows, sheet.columns,
        WatermarkDrawing() == Drawing::Under
            ? "{gsave kvqM setmatrix kvqc kvqr kvqwmslot grestore}if\n"
            : " pop\n");
}

// Wraps ps2write's operators, when the document carries their dictionary;
// nothing changes for any other document.
void WriteOperatorHooks() {
    // All four are wrapped or none: "hooked" is set only once they are, and
    // until then no clip counts. The originals (procedures in ps2write's
    // dictionary for "q" and "Q", operators for "W" and "W*") are called by
    // name from userdict; the wrappers hold only names and are made in the
    // dictionary's own VM, so that a dictionary in global VM takes them too.
    std::fputs(
        "/PDFReader where{/PDFReader get dup/Operators known{/Operators get dup wcheck 1 index/q "
        "known and 1 index/Q known and 1 index/W known and 1 index/W* known and{\n"
        "countdictstack exch currentglobal exch dup gcheck setglobal mark exch{\n"
        "userdict/kvqorigq 2 index/q get put userdict/kvqorigQ 2 index/Q get put\n"
        "userdict/kvqorigW 2 index/W get put userdict/kvqorigW* 2 index/W* get put begin\n"
        "/Q[/kvqorigQ cvx -1/kvqdepth cvx]cvx def/q[/kvqorigq cvx 1/kvqdepth cvx]cvx def\n"
        "/W[/kvqclip cvx/kvqorigW cvx]cvx def/W*[/kvqclip cvx/kvqorigW* cvx]cvx def\n"
        "end userdict/kvqWM get/hooked true put}stopped cleartomark setglobal\n"
        "countdictstack exch sub{end}repeat}{pop}ifelse}{pop}ifelse}if\n",
        gFilterOut);
}

// kvqwmsheet: the watermark on one sheet in default user space, once or, on
// a sheet pdftopdf has imposed (PDF jobs, which reach the filter without
// pstops cells), in each slot: the page turned and scaled to fit its slot
// and centred in it. The slots are listed in page order, so that a
// first-page-only watermark lands on the first page's.
void WriteSheetProc() {
    const WatermarkOptionRecord& o = psOptionWatermark;
    ImposedSheet sheet;
    const int n = MakeWatermarkLayout(NumberUpPlainString, "", "", "").n;
    if (!ImposedSheetFor(n, gHooks.layout, gHooks.orientation, &sheet) || o.paperWidth <= 0 ||
        o.paperHeight <= 0) {
        // The watermark is placed on the page; a sheet whose saved transform
        // is turned less than 45 degrees from the paper's holds a page that
        // pstops has not turned.
        std::fputs(
            "userdict/kvqwmsheet{userdict/kvqWM get/ctm get aload pop pop pop pop pop matrix "
            "defaultmatrix aload pop pop pop pop pop 4 copy 3 -1 roll mul 3 1 roll mul add 5 "
            "1 roll exch 3 -1 roll mul 3 1 roll mul sub abs 1 index lt exch 0 gt and"
            "{userdict/kvqwmpaper get exec}if userdict/kvqwmdraw get exec}bind put\n",
            gFilterOut);
        return;
    }
    const bool turned = sheet.rotate == 90 || sheet.rotate == 270;
    const int lw = turned ? o.paperHeight : o.paperWidth;
    const int lh = turned ? o.paperWidth : o.paperHeight;
    std::fprintf(gFilterOut,
                 "userdict/kvqwmslot{gsave currentpagedevice/PageSize get aload pop"
                 " %d div exch %d div 2 copy %d div exch %d div 2 copy gt{exch}if pop"
                 " 5 1 roll 4 -1 roll 0.5 add mul 3 1 roll exch 0.5 add mul translate"
                 "%s dup scale %d %d translate userdict/kvqwmpaper get exec userdict/kvqwmdraw get"
                 " exec grestore}bind put\n",
                 sheet.rows, sheet.columns, lw, lh,
                 sheet.rotate == 0     ? ""
                 : sheet.rotate == 90  ? " 90 rotate"
                 : sheet.rotate == 180 ? " 180 rotate"
                                       : " 270 rotate",
                 -o.paperWidth / 2, -o.paperHeight / 2);
    WriteFilledSlotProcs(sheet);
    std::fputs("userdict/kvqwmsheet{", gFilterOut);
    for (const ImposedSlot& slot : sheet.order)
        std::fprintf(gFilterOut, "%d %d 2 copy kvqwmfilled{kvqwmslot}{pop pop}ifelse ", slot.column,
                     slot.row);
    std::fputs("}bind put\n", gFilterOut);
    gHooks.imposed = true;
}

// Procedures, image data and, for sheets without cells, the EndPage hook;
// once, at the end of the document setup.
void WriteWatermarkSetup() {
    gHooks.setupWritten = true;
    const Drawing drawing = WatermarkDrawing();
    if (drawing == Drawing::None)
        return;
    // The sheet's page transform (pstops turns landscape pages in the page
    // setup) is kept in global VM too, filled in place at every page setup.
    std::fputs("userdict/kvqWM currentglobal true setglobal 8 dict dup/ctm matrix defaultmatrix put"
               " exch setglobal put\n"
               "userdict/kvqWM get dup/done false put dup/cells false put/hooked false put\n",
               gFilterOut);
    if (psOptionWatermark.type == 0) {
        WriteDrawProcStart();
        WatermarkWriteTextBody();
        WriteDrawProcEnd();
    } else if (!WriteImageProc(drawing)) {
        return;
    }
    gHooks.drawable = true;
    WritePaperProc();
    WriteSheetProc();
    // ps2write output calls showpage through systemdict, so only the page
    // device sees the end of every page; n-up cells draw themselves.
    if (gHooks.cellsExpected)
        return;
    if (gHooks.imposed)
        WriteOperatorHooks();
    // Over the page: at its end. Under it, on an imposed sheet: drawn in each
    // slot as its page begins; at the end only on a sheet where no slot
    // could be told, so that no page goes without.
    const char* draw = drawing == Drawing::Over ? "true"
                       : gHooks.imposed ? "userdict/kvqWM get dup/hooked get exch/best get 0 eq and"
                                        : nullptr;
    if (!draw)
        return;
    std::fprintf(gFilterOut,
                 "userdict/kvqEndPage currentpagedevice/EndPage get put\n"
                 "<</EndPage{dup 2 ne userdict/kvqWM get/cells get not and"
                 "{%s{gsave initgraphics userdict/kvqWM get/ctm get setmatrix"
                 " userdict/kvqwmsheet get exec grestore}if%s}if"
                 " userdict/kvqEndPage get exec}bind>>setpagedevice\n",
                 draw, gHooks.imposed ? " kvqslotreset" : "");
}

void WriteSeparatorOnce() {
    if (!gHooks.separatorWritten)
        FeaturesOutputSeparatorPages();
    gHooks.separatorWritten = true;
}

void WriteBookletOnce() {
    if (!gHooks.bookletWritten)
        FeaturesOutputAutoFit();
    gHooks.bookletWritten = true;
}

// The finishing fragments, each once per job and before pstops switches
// setpagedevice off (n-up PostScript jobs) or the setup ends (PDF jobs).
void FinishingFragments(int pointCode) {
    const long long n = FeaturesLogicalPageCount();
    if (n == 1) {
        if (pointCode == kPSPointEndProlog)
            WriteSeparatorOnce();
        else if (pointCode == kPSPointEndSetup) {
            WriteSeparatorOnce();
            WriteBookletOnce();
        }
    } else if (n > 1 && (pointCode == kPSPointSetPageDeviceOff || pointCode == kPSPointEndSetup)) {
        WriteSeparatorOnce();
        WriteBookletOnce();
    }
}

void Watermark(int pointCode) {
    switch (pointCode) {
    case kPSPointSetPageDeviceOff:
        gHooks.cellsExpected = true;
        return;
    case kPSPointEndSetup:
        if (!gHooks.setupWritten)
            WriteWatermarkSetup();
        return;
    default:
        break;
    }
    if (!gHooks.drawable)
        return;
    const Drawing drawing = WatermarkDrawing();
    switch (pointCode) {
    case kPSPointBeginPageSetup:
        gHooks.inPageSetup = true;
        gHooks.cellThisSheet = false;
        break;
    case kPSPointEndPageSetup:
        // A sheet without cells: its page transform is in force, and the page
        // under the image starts here.
        if (gHooks.inPageSetup && !gHooks.cellThisSheet) {
            std::fputs("userdict/kvqWM get/ctm get currentmatrix pop\n", gFilterOut);
            // Unless the slots of an imposed sheet draw as their pages begin.
            if (drawing == Drawing::Under)
                std::fputs("userdict/kvqWM get/hooked get not{gsave userdict/kvqwmsheet get exec "
                           "grestore}if\n",
                           gFilterOut);
        }
        gHooks.inPageSetup = false;
        break;
    case kPSPointCellSave:
        gHooks.inCellSetup = true;
        gHooks.cellHasPage = false;
        if (gHooks.inPageSetup)
            gHooks.cellThisSheet = true;
        break;
    case kPSPointCellBegin:
        if (!gHooks.inCellSetup)
            break;
        gHooks.inCellSetup = false;
        gHooks.cellHasPage = true;
        if (!gHooks.cellsAnnounced)
            std::fputs("userdict/kvqWM get/cells true put\n", gFilterOut);
        gHooks.cellsAnnounced = true;
        // The cell's own transform and clip are in force right now.
        if (drawing == Drawing::Under)
            std::fputs("gsave userdict/kvqwmdraw get exec grestore\n", gFilterOut);
        else
            std::fputs("userdict/kvqcellgs gstate put\n", gFilterOut);
        break;
    case kPSPointCellEnd:
        if (gHooks.cellHasPage && drawing == Drawing::Over)
            std::fputs("gsave userdict/kvqcellgs get setgstate userdict/kvqwmdraw get exec "
                       "grestore\n",
                       gFilterOut);
        gHooks.inCellSetup = false;
        gHooks.cellHasPage = false;
        break;
    default:
        break;
    }
}

} // namespace

PSPageHooks ChoosePageHooks() {
    const char* chosen = std::getenv("KESTRANE_PAGE_HOOKS");
    if (chosen && std::strcmp(chosen, "cups") == 0)
        return PSPageHooks::Cups;
    if (chosen && std::strcmp(chosen, "generator") == 0)
        return PSPageHooks::Generator;
    const char* ppd = std::getenv("PPD");
    const char* serverBin = std::getenv("CUPS_SERVERBIN");
    return ppd && *ppd && serverBin && *serverBin ? PSPageHooks::Cups : PSPageHooks::Generator;
}

void CupsPageHooksOutputPSCommand(int pointCode) {
    Watermark(pointCode);
    FinishingFragments(pointCode);
}

void CupsPageHooksReadJobOptions(const char* options) {
    cups_option_t* parsed = nullptr;
    const int count = cupsParseOptions(options, 0, &parsed);
    const char* layout = cupsGetOption("number-up-layout", count, parsed);
    if (layout && std::strlen(layout) < sizeof gHooks.layout)
        std::strcpy(gHooks.layout, layout);
    const char* orientation = cupsGetOption("orientation-requested", count, parsed);
    if (orientation && orientation[0] >= '3' && orientation[0] <= '6' && orientation[1] == '\0')
        gHooks.orientation = orientation[0] - '0';
    cupsFreeOptions(count, parsed);
}

void CupsPageHooksReset() {
    gHooks = CupsHookState{};
}
