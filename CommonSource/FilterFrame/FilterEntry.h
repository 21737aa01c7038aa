// Start-up of the filter and the order in which it writes the printer stream:
// job ticket, PJL header, PostScript document, Control-D.
#pragma once

// The whole filter run over the CUPS filter arguments, writing to gFilterOut.
// Returns 0; 1 with a usage line for fewer than five arguments, or with one
// "ERROR:" line on standard error when the document cannot be opened or read
// or the output cannot be written (then nothing is deleted, and nothing at
// all is written when the document cannot be opened).
int JobFilterMain(int argc, char* argv[]);

// Forgets every job-wide value (names, address, option records, page counter,
// watermark writer state), so the filter can run again in the same process.
void ResetFilterState();

// Replaces an empty, unprintable or all-blank user name by "UnknownUser".
void InvalidateStdUserName();
// Limits the document name by the product type named in the job options.
void InvalidateStdDocumentNameForProductType(char* const argv[]);

void InializeDescriptionTable();
int GetTicketFromPDE(char* const argv[]);
int OutputKPJLCommand(char* const argv[]);
int OutputKPJLCommandFromFilter(char* const argv[]);
void OutputPSCommandFromFilter(int pointCode, int pageCounter);
