// Injection points of the PostScript stream: the scanner fires them at their
// trigger lines, the fragment writers decide what to write for each.
#pragma once

enum PSInjectionPoint : int {
    kPSPointBeginProlog = 13,      // after "%%BeginProlog"
    kPSPointEndProlog = 14,        // before "%%EndProlog"
    kPSPointEndSetup = 16,         // before "%%EndSetup"
    kPSPointSetPageDeviceOff = 21, // before "userdict/setpagedevice{pop}bind put"
    kPSPointBeginPage = 23,        // after "bp"
    kPSPointEndPageSetup = 24,     // after "%%EndPageSetup"
    kPSPointEndPage = 27,          // before "ep"
    kPSPointEndPageNUp = 28,       // before "endp"

    // Points of the CUPS page hooks only (pstops output).
    kPSPointBeginPageSetup = 30, // after "%%BeginPageSetup"
    kPSPointCellSave = 31,       // after "userdict/ESPsave save put"
    kPSPointCellBegin = 32,      // after a line ending in " ESPrc", before the next line,
                                 // unless that is the lone "showpage" of an empty cell
    kPSPointCellEnd = 33,        // before "userdict/ESPsave get restore"
};
