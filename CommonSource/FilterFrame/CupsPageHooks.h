// The filter's fragments for documents as CUPS delivers them (pstops output,
// PDF jobs as Ghostscript ps2write output wrapped by pstops): no "bp"/"ep"
// page procedures, so the watermark hangs on the page device's EndPage
// procedure, on each sheet's page setup, and on the cells pstops wraps around
// each logical page of an n-up sheet.
#pragma once

#include "PSStreamScanner.h"

// CUPS hooks when KESTRANE_PAGE_HOOKS says "cups", generator ones when it says
// "generator"; otherwise CUPS hooks when cupsd runs the filter (it sets PPD and
// CUPS_SERVERBIN), where the input is always pstops output.
PSPageHooks ChoosePageHooks();

// Writes the watermark and finishing fragments of one injection point of a
// CUPS-delivered document.
void CupsPageHooksOutputPSCommand(int pointCode);

// Takes the job's number-up-layout and orientation-requested from its CUPS
// options (argv[5]): they place the pages of an imposed PDF sheet.
void CupsPageHooksReadJobOptions(const char* options);

// Forgets the per-job state.
void CupsPageHooksReset();
