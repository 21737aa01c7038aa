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
};
