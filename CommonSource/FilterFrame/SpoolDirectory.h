// The spool directory shared by the dialog and the filter for the files that
// travel with a job (job ticket, watermark image).
#pragma once

#include <string>
#include <sys/stat.h>

// KESTRANE_SPOOL_DIR when set and not empty, else the build default; without
// trailing slashes.
std::string FilterSpoolDirectory();

// True when path is, as text, the spool directory, "/" and a name of exactly
// 14 letters and digits (the names mkstemp makes). The path is not resolved.
bool IsSpoolTicketPath(const char* path);

// True for a file the filter may take from the spool directory: a regular
// file with one name that neither group nor others may write (the dialog
// makes them 0644).
bool IsPrivateSpoolFile(const struct stat& info);
