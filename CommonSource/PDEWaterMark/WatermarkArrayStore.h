// The watermark list in the user's preferences: eighteen per-printer arrays,
// read together and written together with one synchronisation.
#pragma once

#include "WatermarkRecord.h"

#include <string>
#include <vector>

namespace KESTRANE_NS {

// The printer's records; an array that is missing or cannot be read counts
// as empty (and so does the list).
std::vector<WatermarkRecord> LoadWatermarkRecords(const std::string& printer);
// Writes all arrays, then synchronises once; false when the file could not
// be written.
bool SaveWatermarkRecords(const std::string& printer, const std::vector<WatermarkRecord>& records);

} // namespace KESTRANE_NS
