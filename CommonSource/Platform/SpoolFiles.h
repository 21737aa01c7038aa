// Temporary files that travel with a job (job ticket, watermark image). They
// live in the spool directory shared with the filter, are made with mkstemp
// and are readable by the filter (mode 0644).
#pragma once

#include "PlatformExport.h"

#include <string>

// $KESTRANE_SPOOL_DIR, else the build default.
KESTRANE_PLATFORM_EXPORT std::string SpoolDirectory();

// Creates "<spool dir>/<name>" exclusively, the name being `nameLength`
// (at least 6) unpredictable letters and digits: the form the filter
// accepts for a job ticket (14) and the watermark image (12). Nobody may list
// the spool directory, so a name nobody can guess keeps the file private to
// the job. Returns the open descriptor (mode 0644) and sets `path`, or -1
// (errno set, path empty).
KESTRANE_PLATFORM_EXPORT int CreateSpoolTempFile(int nameLength, std::string& path);

// Creates "<spool dir>/<prefix>XXXXXX<suffix>" exclusively, mode 0644.
// Returns the open descriptor and sets `path`, or -1 (errno set, path empty).
// The prefix must not contain "/".
KESTRANE_PLATFORM_EXPORT int CreateSpoolFile(const std::string& prefix, const std::string& suffix,
                                             std::string& path);
