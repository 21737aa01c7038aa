// What the exceptions window edits, kept page by page in page order: pages
// typed again keep what they already had where the new setting says "no
// change", and consecutive pages with the same setting become one range
// record again.
#pragma once

#include "SpecialPageRecord.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace KESTRANE_NS {

// The paper and sides of one page; -1 (0 for twoSide) means no change.
struct ExceptionPageSetting {
    int pageSize = -1;
    int pageType = -1;
    int pageColor = -1;
    bool interposer = false;
    int twoSide = 1;
    std::string width = kSPDefaultWidth;
    std::string length = kSPDefaultLength;
    std::string unit = "0";
    bool operator==(const ExceptionPageSetting&) const = default;
};

class ExceptionPageTable {
public:
    // Each record's range expanded into its pages.
    void Rebuild(const SpecialPageRecords& exceptions);
    // Sets the pages to the new setting, merged with what a page already has;
    // `removed` pages (of the record being edited) that are not set again go.
    void Apply(const std::vector<int>& pages, const ExceptionPageSetting& setting,
               const std::set<int>& removed);
    // Runs of consecutive pages with equal settings become one record each;
    // a record is marked selected when its first page is in `reselect`.
    SpecialPageRecords Regroup(const std::set<int>& reselect) const;
    const std::map<int, ExceptionPageSetting>& Pages() const { return pages; }

private:
    std::map<int, ExceptionPageSetting> pages;
};

ExceptionPageSetting SettingOfRecord(const SpecialPageRecord& record);
// Applies a new setting over an old one: no-change fields keep the old value.
ExceptionPageSetting MergeExceptionSetting(const ExceptionPageSetting& old,
                                           const ExceptionPageSetting& update);

} // namespace KESTRANE_NS
