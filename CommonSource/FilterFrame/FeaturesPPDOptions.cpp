// Finishing values of a job printed without the print dialog: each value
// whose switch key the dialog did not send comes from its PPD option, in the
// unit and range of the finishing option window that sets it.
#include "FeaturesFilter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "FilterGlobals.h"
#include "FinishingUnits.h"
#include "PPDJobOptions.h"
#include "SeparatorPageList.h"

namespace {

using namespace MNFilter;

// A number of `fractionDigits` decimals in `range`; "," counts as the
// decimal point as in many locales' dialogs.
bool FieldNumber(const std::string& text, int fractionDigits, FieldRange range, int& value) {
    std::string number = text;
    std::replace(number.begin(), number.end(), ',', '.');
    std::optional<int> parsed = ParseFieldNumber(number, fractionDigits);
    if (!parsed || !range.Contains(*parsed))
        return false;
    value = *parsed;
    return true;
}

template <size_t N> void WriteNumber(char (&field)[N], int value) {
    std::snprintf(field, N, "%d", value);
}

std::string RangeText(FieldRange range, int fractionDigits, const char* unit) {
    return "the value must be " + FormatFieldNumber(range.minimum, fractionDigits) + " to " +
           FormatFieldNumber(range.maximum, fractionDigits) + unit;
}

// One finishing value: its switch key, PPD option, feature name for the
// message, field unit and range, and where it goes.
struct FeatureNumber {
    const char* switchKey;
    const char* keyword;
    const char* feature;
    int fractionDigits;
    FieldRange range;
    const char* unit;
    void (*apply)(int value);
};

constexpr FieldRange kTrimmerMMRange{1, 9999};

const FeatureNumber kFeatureNumbers[] = {
    {"TabMarginSwitchTicket", "KRTabShift", "Tab shift", 1, kTabMarginMMRange, " mm",
     [](int v) {
         kpjlOptionFeatures.TabMarginSwitch = 1;
         WriteNumber(kpjlOptionFeatures.TabMarginShift, v);
     }},
    {"TrimmerSwitchTicket", "KRCuttingSize", "Trimming", 1, kTrimmerMMRange, " mm",
     [](int v) {
         kpjlOptionFeatures.TrimmerSwitch = 1;
         WriteNumber(kpjlOptionFeatures.TrimmerCuttingSize, v);
     }},
    {"NumInSequenceSwitchTicket", "KRNumberingStart", "Numbering", 0, kNumberInSequenceRange, "",
     [](int v) {
         kpjlOptionFeatures.NumInSequenceSwitch = 1;
         WriteNumber(kpjlOptionFeatures.NumInSequenceStart, v);
     }},
    {"OffsetStackingListTicket", "KROffsetPages", "Offset stacking", 0, kOffsetPagesRange, " pages",
     [](int v) {
         kpjlOptionFeatures.OffsetStackingList = 4;
         WriteNumber(kpjlOptionFeatures.OffsetStackingPages, v);
     }},
    {"OffsetStackingListTicket", "KROffsetCopies", "Offset stacking", 0, kOffsetCopiesRange,
     " copies",
     [](int v) {
         kpjlOptionFeatures.OffsetStackingList = 5;
         WriteNumber(kpjlOptionFeatures.OffsetStackingUnits, v);
     }},
    {"BookletMarginSwitchTicket", "KRBookletShift", "Booklet shift", 0, kBookletMarginMMRange,
     " mm",
     [](int v) {
         kpjlOptionFeatures.BookletMarginSwitch = 1;
         WriteNumber(kpjlOptionFeatures.BookletMarginShift, BookletMarginShiftTicketValue(v));
         // The booklet window starts with auto-fit on.
         if (kpjlOptionFeatures.AutoFitSwitch == -1)
             kpjlOptionFeatures.AutoFitSwitch = 1;
     }},
};

// True when the separator pages came from the PPD option.
bool GetSeparatorPages(const PPDJobOptions& job) {
    PPDJobOptionValue value = job.Option("KRSeparatorPages");
    if (!value.custom || job.HasTicketKey("SeparatorPageListTicket"))
        return false;
    std::string stored = SeparatorStoredForm(value.text);
    if (IsPageInputValid(value.text) != kSeparatorListOK || stored.empty() ||
        stored.size() >= sizeof kpjlOptionFeatures.SeparatorPage) {
        PPDJobOptionWarning("Separator pages",
                            "give up to " + std::to_string(kSeparatorMaxPages) + " pages from " +
                                std::to_string(kSeparatorFirstPage) + " to " +
                                std::to_string(kSeparatorLastPage) + ", as in 3,5,10");
        return false;
    }
    kpjlOptionFeatures.SeparatorPageList = 2;
    std::strcpy(kpjlOptionFeatures.SeparatorPage, stored.c_str());
    return true;
}

} // namespace

void FeaturesGetFromPPDOptions(const PPDJobOptions& job) {
    bool offsetTaken = false;
    bool fragments = false;
    for (const FeatureNumber& number : kFeatureNumbers) {
        PPDJobOptionValue value = job.Option(number.keyword);
        if (!value.custom || job.HasTicketKey(number.switchKey))
            continue;
        int v = 0;
        if (!FieldNumber(value.text, number.fractionDigits, number.range, v)) {
            PPDJobOptionWarning(number.feature,
                                RangeText(number.range, number.fractionDigits, number.unit));
            continue;
        }
        bool offset = std::strcmp(number.switchKey, "OffsetStackingListTicket") == 0;
        if (offset && offsetTaken) {
            // Offset every N pages and every N copies exclude each other.
            PPDJobOptionWarning(number.feature, "give either pages or copies, not both");
            kpjlOptionFeatures.OffsetStackingList = -1;
            continue;
        }
        offsetTaken = offsetTaken || offset;
        fragments = fragments || std::strcmp(number.keyword, "KRBookletShift") == 0;
        number.apply(v);
    }
    fragments = GetSeparatorPages(job) || fragments;
    // The separator and booklet fragments go where the layout puts them; a
    // job without the dialog's layout keys has its layout in "number-up".
    if (fragments && !LayoutRowsString[0] && !LayoutColumnsString[0]) {
        std::snprintf(LayoutRowsString, sizeof LayoutRowsString, "%s",
                      NumberUpPlainString[0] ? NumberUpPlainString : "1");
        std::strcpy(LayoutColumnsString, "1");
    }
}
