#include "ExceptionPageTable.h"

#include "PaperSelection.h"

#include <algorithm>

namespace KESTRANE_NS {

ExceptionPageSetting SettingOfRecord(const SpecialPageRecord& record) {
    ExceptionPageSetting s;
    s.pageSize = record.IntField("pagesize");
    s.pageType = record.IntField("pagetype");
    s.pageColor = record.IntField("pagecolor");
    s.interposer = record.Get("interposer") == "true";
    s.twoSide = record.IntField("twoSidePrint");
    s.width = record.Get("width");
    s.length = record.Get("length");
    s.unit = record.Get("longmeasure");
    return s;
}

ExceptionPageSetting MergeExceptionSetting(const ExceptionPageSetting& old,
                                           const ExceptionPageSetting& update) {
    auto paperOf = [](const ExceptionPageSetting& e) {
        PaperSelection p;
        p.selectedSizeIndex = e.pageSize;
        p.selectedColorIndex = e.pageColor;
        p.selectedTypeIndex = e.pageType;
        p.interposerValue = e.interposer;
        p.customPageWidth = e.width;
        p.customPageLength = e.length;
        p.customPageSizeLongMeasure = e.unit == "1" ? 1 : 0;
        return p;
    };
    const PaperSelection paper = MergePaper(paperOf(old), paperOf(update));
    ExceptionPageSetting out = old;
    out.pageSize = paper.selectedSizeIndex;
    out.pageColor = paper.selectedColorIndex;
    out.pageType = paper.selectedTypeIndex;
    out.interposer = paper.interposerValue;
    out.width = paper.customPageWidth;
    out.length = paper.customPageLength;
    if (update.pageSize != -1)
        out.unit = update.unit;
    if (update.twoSide != 0)
        out.twoSide = update.twoSide;
    return out;
}

void ExceptionPageTable::Rebuild(const SpecialPageRecords& exceptions) {
    pages.clear();
    for (const SpecialPageRecord& record : exceptions) {
        if (record.Type() != kSPException)
            continue;
        const ExceptionPageSetting setting = SettingOfRecord(record);
        const int last = std::min(record.LastPage(), kSPMaxPage);
        for (int page = std::max(record.FirstPage(), 1); page <= last; ++page)
            pages[page] = setting;
    }
}

void ExceptionPageTable::Apply(const std::vector<int>& newPages,
                               const ExceptionPageSetting& setting, const std::set<int>& removed) {
    std::set<int> dropped = removed;
    for (int page : newPages) {
        dropped.erase(page);
        auto it = pages.find(page);
        if (it == pages.end())
            pages.emplace(page, setting);
        else
            it->second = MergeExceptionSetting(it->second, setting);
    }
    for (int page : dropped)
        pages.erase(page);
}

SpecialPageRecords ExceptionPageTable::Regroup(const std::set<int>& reselect) const {
    SpecialPageRecords out;
    auto it = pages.begin();
    while (it != pages.end()) {
        const int first = it->first;
        const ExceptionPageSetting& s = it->second;
        int last = first;
        auto next = std::next(it);
        while (next != pages.end() && next->first - last <= 1 && next->second == s) {
            last = next->first;
            ++next;
        }
        SpecialPageRecord r;
        r.Set("type", "2");
        r.Set("page", first == last ? std::to_string(first)
                                    : std::to_string(first) + "-" + std::to_string(last));
        r.Set("pagesize", std::to_string(s.pageSize));
        r.Set("pagetype", std::to_string(s.pageType));
        r.Set("pagecolor", std::to_string(s.pageColor));
        r.Set("interposer", s.interposer ? "true" : "false");
        r.Set("twoSidePrint", std::to_string(s.twoSide));
        r.Set("width", s.width);
        r.Set("length", s.length);
        r.Set("longmeasure", s.unit);
        r.SetSelected(reselect.count(first) != 0);
        out.push_back(std::move(r));
        it = next;
    }
    return out;
}

} // namespace KESTRANE_NS
