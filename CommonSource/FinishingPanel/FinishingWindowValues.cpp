#include "FinishingWindowValues.h"

#include "SeparatorPageList.h"

namespace KESTRANE_NS {

void FinishingWindowValues::RestoreDefaults(FinishingWindow window) {
    const FinishingWindowValues d;
    switch (window) {
    case FinishingWindow::Trimmer:
        trimInchUnit = d.trimInchUnit;
        trimMM = d.trimMM;
        trimInch = d.trimInch;
        break;
    case FinishingWindow::BookletMargin:
        bookletInchUnit = d.bookletInchUnit;
        bookletMM = d.bookletMM;
        bookletInch = d.bookletInch;
        autoFit = d.autoFit;
        break;
    case FinishingWindow::TabMargin:
        tabInchUnit = d.tabInchUnit;
        tabMM = d.tabMM;
        tabInch = d.tabInch;
        break;
    case FinishingWindow::Separator:
        separatorPages = d.separatorPages;
        break;
    case FinishingWindow::OffsetPages:
        offsetPages = d.offsetPages;
        break;
    case FinishingWindow::OffsetCopies:
        offsetCopies = d.offsetCopies;
        break;
    case FinishingWindow::NumberInSequence:
        numberStart = d.numberStart;
        break;
    }
}

namespace {

std::string Flag(bool on) {
    return on ? "1" : "0";
}

} // namespace

TicketEntries FinishingTicketEntries(const FinishingWindowValues& v, const TrimmerValues& trimmer) {
    TicketEntries out = {
        {"TabMarginInchesRadioTicket", Flag(v.tabInchUnit)},
        {"TabMarginMMRadioTicket", Flag(!v.tabInchUnit)},
        {"TabMarginMMShiftTicket", std::to_string(v.tabMM)},
        {"TabMarginMMTextEditTicket", FormatFieldNumber(v.tabMM, 1)},
        {"TabMarginInchesShiftTicket", std::to_string(v.tabInch)},
        {"TabMarginInchesTextEditTicket", FormatFieldNumber(v.tabInch, 2)},
        {"BookletMarginInchesRadioTicket", Flag(v.bookletInchUnit)},
        {"BookletMarginMMRadioTicket", Flag(!v.bookletInchUnit)},
        {"BookletMarginMMShiftTicket", std::to_string(BookletMarginShiftTicketValue(v.bookletMM))},
        {"BookletMarginMMTextEditTicket", FormatFieldNumber(v.bookletMM, 0)},
        {"BookletMarginInchesShiftTicket", std::to_string(v.bookletInch)},
        {"BookletMarginInchesTextEditTicket", FormatFieldNumber(v.bookletInch, 1)},
        {"AutoFitSwitchTicket", Flag(v.autoFit)},
        {"TrimmerInchesRadioTicket", Flag(v.trimInchUnit)},
        {"TrimmerMMRadioTicket", Flag(!v.trimInchUnit)},
        {"TrimmerMMShiftTicket", std::to_string(v.trimMM)},
        {"TrimmerMMTextEditTicket", FormatFieldNumber(TrimmerShownMM(trimmer, v.trimMM), 1)},
        {"TrimmerInchesShiftTicket", std::to_string(v.trimInch)},
        {"TrimmerInchesTextEditTicket",
         FormatFieldNumber(TrimmerShownInch(trimmer, v.trimInch), 2)},
        {"SeparatorPageTicket", v.separatorPages},
        {"OffsetStackingPagesLArrowTicket", std::to_string(v.offsetPages)},
        {"OffsetStackingPagesTextEditTicket", std::to_string(v.offsetPages)},
        {"OffsetStackingUnitsLArrowTicket", std::to_string(v.offsetCopies)},
        {"OffsetStackingUnitsTextEditTicket", std::to_string(v.offsetCopies)},
        {"NumInSequenceLArrowTicket", std::to_string(v.numberStart)},
        {"NumInSequenceTextEditTicket", std::to_string(v.numberStart)},
    };
    if (auto cutting = TrimmerCuttingSize(trimmer, v.trimMM))
        out.emplace_back("TrimmerMMCuttingSizeTicket", std::to_string(*cutting));
    return out;
}

namespace {

using Lookup = std::function<bool(const std::string&, std::string&)>;

void ReadFlag(const Lookup& lookup, const char* key, bool& value) {
    std::string text;
    if (lookup(key, text) && (text == "0" || text == "1"))
        value = text == "1";
}

void ReadNumber(const Lookup& lookup, const char* key, FieldRange range, int& value) {
    std::string text;
    if (!lookup(key, text))
        return;
    if (auto number = ParseFieldNumber(text, 0); number && range.Contains(*number))
        value = *number;
}

} // namespace

void ReadFinishingTicketEntries(FinishingWindowValues& v, const Lookup& lookup) {
    ReadFlag(lookup, "TabMarginInchesRadioTicket", v.tabInchUnit);
    ReadNumber(lookup, "TabMarginMMShiftTicket", kTabMarginMMRange, v.tabMM);
    ReadNumber(lookup, "TabMarginInchesShiftTicket", kTabMarginInchRange, v.tabInch);
    ReadFlag(lookup, "BookletMarginInchesRadioTicket", v.bookletInchUnit);
    int shift = -1;
    ReadNumber(lookup, "BookletMarginMMShiftTicket", {0, 2 * kBookletMarginMMRange.maximum}, shift);
    if (shift >= 0)
        v.bookletMM = shift / 2;
    ReadNumber(lookup, "BookletMarginInchesShiftTicket", kBookletMarginInchRange, v.bookletInch);
    ReadFlag(lookup, "AutoFitSwitchTicket", v.autoFit);
    ReadFlag(lookup, "TrimmerInchesRadioTicket", v.trimInchUnit);
    // The trim amount lies between 2 and 20 mm whatever the paper.
    ReadNumber(lookup, "TrimmerMMShiftTicket", {20, 200}, v.trimMM);
    ReadNumber(lookup, "TrimmerInchesShiftTicket", {8, 79}, v.trimInch);
    std::string pages;
    if (lookup("SeparatorPageTicket", pages) &&
        pages.find_first_not_of("0123456789 ") == std::string::npos &&
        IsPageInputValid(SeparatorEntryForm(pages)) == kSeparatorListOK)
        v.separatorPages = SeparatorStoredForm(SeparatorEntryForm(pages));
    ReadNumber(lookup, "OffsetStackingPagesLArrowTicket", kOffsetPagesRange, v.offsetPages);
    ReadNumber(lookup, "OffsetStackingUnitsLArrowTicket", kOffsetCopiesRange, v.offsetCopies);
    ReadNumber(lookup, "NumInSequenceLArrowTicket", kNumberInSequenceRange, v.numberStart);
}

} // namespace KESTRANE_NS
