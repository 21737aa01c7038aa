// The panels' use of the constraint index: loading it from the cache file the
// PPD names, and asking it which choices the current marks forbid.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <cups/ppd.h>

#include "CQuickXPPD.h"

namespace KESTRANE_NS {

// PPD information list entry: option keyword, choice keyword, choice text,
// "ConflictTrue" or "ConflictFalse".
using PPDUIListEntry = std::array<std::string, 4>;
using PPDUIList = std::vector<PPDUIListEntry>;

inline constexpr const char* kCDFSettingKey = "KRVCDFSetting";
inline constexpr const char* kConflictTrue = "ConflictTrue";
inline constexpr const char* kConflictFalse = "ConflictFalse";

// The system version whose sections the cache files of this platform carry.
uint32_t GetSystemVersionForXPPD();
// Base name + "Panther" on the 10.3 system (version & 0xFFF0 == 0x1030),
// + "Tiger" otherwise.
std::string GetXPPDSectionName(const char* baseName, uint32_t systemVersion);

// 0 when the cache file opened and the section was read, 1 otherwise.
int GetXPPD(ppd_file_t* ppd, XPPDHashMap& index, const char* baseName,
            const char* cachePathAttribute);
bool CDFKeyExist(ppd_file_t* ppd, const char* attributeName);
bool IsPPDChoiceConflicted(ppd_file_t* ppd, const XPPDHashMap& index, const char* option,
                           const char* choice);
int GetUIListFromPPD(ppd_file_t* ppd, const XPPDHashMap& index, const char* option, PPDUIList* list,
                     int* counter);
int InitializeValueFromPPD(ppd_file_t* ppd, const XPPDHashMap& index, PPDUIList* list,
                           const char* option);

} // namespace KESTRANE_NS
