#include "FeaturesFilter.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "CommandTableEngine.h"
#include "FilterGlobals.h"
#include "PPDJobOptions.h"
#include "PSInjectionPoints.h"
#include "UtilityFunctionFilter.h"

kpjlOptionFeatures_t kpjlOptionFeatures;

namespace {

kpjlOptionFeatures_t& opt = kpjlOptionFeatures;

const TicketTableEntry FeaturesTicketTable[] = {
    {KTICKET("TabMarginSwitchTicket"), &opt.TabMarginSwitch, 4, GetTicketInteger},
    {KTICKET("TrimmerSwitchTicket"), &opt.TrimmerSwitch, 4, GetTicketInteger},
    {KTICKET("BookletMarginSwitchTicket"), &opt.BookletMarginSwitch, 4, GetTicketInteger},
    {KTICKET("TabMarginMMShiftTicket"), opt.TabMarginShift, 5, GetTicketStringConvertedToPrtLang},
    {KTICKET("TrimmerMMCuttingSizeTicket"), opt.TrimmerCuttingSize, 5,
     GetTicketStringConvertedToPrtLang},
    {KTICKET("NumInSequenceSwitchTicket"), &opt.NumInSequenceSwitch, 4, GetTicketInteger},
    {KTICKET("NumInSequenceLArrowTicket"), opt.NumInSequenceStart, 5,
     GetTicketStringConvertedToPrtLang},
    {KTICKET("OffsetStackingListTicket"), &opt.OffsetStackingList, 4, GetTicketInteger},
    {KTICKET("OffsetStackingPagesLArrowTicket"), opt.OffsetStackingPages, 6,
     GetTicketStringConvertedToPrtLang},
    {KTICKET("OffsetStackingUnitsLArrowTicket"), opt.OffsetStackingUnits, 6,
     GetTicketStringConvertedToPrtLang},
    {KTICKET("SeparatorPageListTicket"), &opt.SeparatorPageList, 4, GetTicketInteger},
    {KTICKET("SeparatorPageTicket"), opt.SeparatorPage, 100, GetTicketStringConvertedToPrtLang},
    {KTICKET("AutoFitSwitchTicket"), &opt.AutoFitSwitch, 4, GetTicketInteger},
    {KTICKET("BookletMarginMMShiftTicket"), opt.BookletMarginShift, 5,
     GetTicketStringConvertedToPrtLang},
};

const void* const ParaQuotesLF[] = {&CTRLSym_DOUBLE, &CTRLSym_DOUBLE, &CTRLSym_LF};
const void* const ParaLF[] = {&CTRLSym_LF};
const void* const ParaTabShift[] = {&CTRLSym_DOUBLE, opt.TabMarginShift, &CTRLSym_DOUBLE,
                                    &CTRLSym_LF};
const void* const ParaTrimming[] = {&CTRLSym_DOUBLE, opt.TrimmerCuttingSize, &CTRLSym_DOUBLE,
                                    &CTRLSym_LF};
const void* const ParaStartNumber[] = {&CTRLSym_DOUBLE, opt.NumInSequenceStart, &CTRLSym_DOUBLE,
                                       &CTRLSym_LF};
const void* const ParaOffsetPages[] = {&CTRLSym_DOUBLE, opt.OffsetStackingPages, &CTRLSym_DOUBLE,
                                       &CTRLSym_LF};
const void* const ParaOffsetUnits[] = {&CTRLSym_DOUBLE, opt.OffsetStackingUnits, &CTRLSym_DOUBLE,
                                       &CTRLSym_LF};
CmdParaTable QuotesLFPara, LFPara, TabShiftPara, TrimmingPara, StartNumberPara, OffsetPagesPara,
    OffsetUnitsPara;

const ComparationItem CondTabsOff[] = {CondIntIs(opt.TabMarginSwitch, 0)};
const ComparationItem CondTabsOn[] = {CondIntIs(opt.TabMarginSwitch, 1)};
const ComparationItem CondTrimmerOff[] = {CondIntIs(opt.TrimmerSwitch, 0)};
const ComparationItem CondTrimmerOn[] = {CondIntIs(opt.TrimmerSwitch, 1)};
const ComparationItem CondNumberingOff[] = {CondIntIs(opt.NumInSequenceSwitch, 0)};
const ComparationItem CondNumberingOn[] = {CondIntIs(opt.NumInSequenceSwitch, 1)};
const ComparationItem CondOffsetPages[] = {CondIntIs(opt.OffsetStackingList, 4)};
const ComparationItem CondOffsetCopies[] = {CondIntIs(opt.OffsetStackingList, 5)};
ComparationTable TabsOffCond, TabsOnCond, TrimmerOffCond, TrimmerOnCond, NumberingOffCond,
    NumberingOnCond, OffsetPagesCond, OffsetCopiesCond;

const KPJLCommandEntry FeaturesCommandTable[] = {
    {"@PJL SET JOBATTR=%c@TABS=OFF%c%c", &QuotesLFPara, &TabsOffCond},
    {"@PJL SET JOBATTR=%c@TABS=%s%c%c", &TabShiftPara, &TabsOnCond},
    {"@PJL SET JOBATTR=%c@TRMR=0%c%c", &QuotesLFPara, &TrimmerOffCond},
    {"@PJL SET JOBATTR=%c@TRMR=%s%c%c", &TrimmingPara, &TrimmerOnCond},
    {"@PJL SET JOBATTR=%c@MDOC=0%c%c", &QuotesLFPara, &NumberingOffCond},
    {"@PJL SET JOBATTR=%c@MDOC=%s%c%c", &StartNumberPara, &NumberingOnCond},
    {"@PJL SET JOBOFFSET=PAGES%c", &LFPara, &OffsetPagesCond},
    {"@PJL SET JOBOFFSET=COPIES%c", &LFPara, &OffsetCopiesCond},
    {"@PJL SET JOBATTR=%c@OCSN=%s%c%c", &OffsetPagesPara, &OffsetPagesCond},
    {"@PJL SET JOBATTR=%c@OCSN=%s%c%c", &OffsetUnitsPara, &OffsetCopiesCond},
};

// The fragments go into PostScript verbatim, so their values are held to the
// forms the panel produces: the separator specification to digits and blanks,
// the booklet shift to an optionally negative whole number.
bool IsSeparatorSpecification(const char* text) {
    for (; *text; ++text)
        if (!((*text >= '0' && *text <= '9') || *text == ' '))
            return false;
    return true;
}

bool IsBookletShift(const char* text) {
    if (*text == '-')
        ++text;
    if (!*text)
        return false;
    for (; *text; ++text)
        if (*text < '0' || *text > '9')
            return false;
    return true;
}

long long LayoutNumber(const char* text) {
    long value = std::strtol(text, nullptr, 10);
    // Beyond any real layout; keeps the product from overflowing.
    if (value > 1000000)
        value = 1000000;
    if (value < -1000000)
        value = -1000000;
    return value;
}

// A payload wrapped so that a PostScript error inside it ends only the
// fragment. The marker lines go through the formatted output, which turns
// "%%" into one percent sign.
void WriteWrappedFragment(const char* payload) {
    std::fputs("[{\n", gFilterOut);
    std::fprintf(gFilterOut, "%%BeginNonPPDFeatures\n");
    std::fputs(payload, gFilterOut);
    std::fprintf(gFilterOut, "%%EndNonPPDFeatures\n");
    std::fputs("} stopped cleartomark\n", gFilterOut);
}

} // namespace

int FeaturesGetTicketFromPDE(char* const argv[]) {
    GetTicketFromArray(argv, FeaturesTicketTable, static_cast<int>(std::size(FeaturesTicketTable)));
    if (opt.TabMarginSwitch == -1 || opt.TrimmerSwitch == -1 || opt.NumInSequenceSwitch == -1 ||
        opt.OffsetStackingList == -1 || opt.SeparatorPageList == -1 ||
        opt.BookletMarginSwitch == -1) {
        PPDJobOptions job(argv);
        FeaturesGetFromPPDOptions(job);
    }
    return 1;
}

void FeaturesInializeDescriptionTableFromFilter() {
    WireParams(QuotesLFPara, ParaQuotesLF);
    WireParams(LFPara, ParaLF);
    WireParams(TabShiftPara, ParaTabShift);
    WireParams(TrimmingPara, ParaTrimming);
    WireParams(StartNumberPara, ParaStartNumber);
    WireParams(OffsetPagesPara, ParaOffsetPages);
    WireParams(OffsetUnitsPara, ParaOffsetUnits);
    WireConditions(TabsOffCond, CondTabsOff);
    WireConditions(TabsOnCond, CondTabsOn);
    WireConditions(TrimmerOffCond, CondTrimmerOff);
    WireConditions(TrimmerOnCond, CondTrimmerOn);
    WireConditions(NumberingOffCond, CondNumberingOff);
    WireConditions(NumberingOnCond, CondNumberingOn);
    WireConditions(OffsetPagesCond, CondOffsetPages);
    WireConditions(OffsetCopiesCond, CondOffsetCopies);
}

int FeaturesOutputKPJLCommandFromFilter(char* const argv[]) {
    return OutputKPJLCommandFromArray(argv, FeaturesCommandTable,
                                      static_cast<int>(std::size(FeaturesCommandTable)));
}

long long FeaturesLogicalPageCount() {
    return LayoutNumber(LayoutRowsString) * LayoutNumber(LayoutColumnsString);
}

void FeaturesOutputSeparatorPages() {
    if (opt.SeparatorPageList == 1 || opt.SeparatorPageList == -1)
        return;
    if (!IsSeparatorSpecification(opt.SeparatorPage))
        return;
    char payload[256];
    std::snprintf(payload, sizeof payload,
                  "1 dict dup/SeparatorPages[%s]put/Custom/ProcSet findresource"
                  "/setcoverseparator get exec\n",
                  opt.SeparatorPage);
    WriteWrappedFragment(payload);
}

void FeaturesOutputAutoFit() {
    if (opt.BookletMarginSwitch == -1 || opt.BookletMarginSwitch == 0)
        return;
    if (!IsBookletShift(opt.BookletMarginShift))
        return;
    char payload[256];
    std::snprintf(payload, sizeof payload,
                  "%s.000/Custom/ProcSet findresource/setsignatureimageshift get exec\n",
                  opt.BookletMarginShift);
    WriteWrappedFragment(payload);
    if (opt.AutoFitSwitch == -1)
        return;
    WriteWrappedFragment(opt.AutoFitSwitch != 0
                             ? "/Custom/ProcSet findresource/setsignatureautoscale 2 copy known "
                               "{get true exch exec} {pop pop} ifelse\n"
                             : "/Custom/ProcSet findresource/setsignatureautoscale 2 copy known "
                               "{get false exch exec} {pop pop} ifelse\n");
}

void FeaturesOutputPSCommandFromFilter(int pointCode) {
    // The page points of every page pass by without reading the layout.
    if (pointCode != kPSPointEndProlog && pointCode != kPSPointEndSetup &&
        pointCode != kPSPointSetPageDeviceOff)
        return;
    long long n = FeaturesLogicalPageCount();
    if (n == 1) {
        if (pointCode == kPSPointEndProlog)
            FeaturesOutputSeparatorPages();
        else if (pointCode == kPSPointEndSetup)
            FeaturesOutputAutoFit();
    } else if (n > 1 && pointCode == kPSPointSetPageDeviceOff) {
        FeaturesOutputSeparatorPages();
        FeaturesOutputAutoFit();
    }
}
