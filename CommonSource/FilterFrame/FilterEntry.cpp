#include "FilterEntry.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "ClientAddress.h"
#include "CommandTableEngine.h"
#include "CupsPageHooks.h"
#include "FeaturesFilter.h"
#include "FilterGlobals.h"
#include "JBAFilter.h"
#include "PSStreamScanner.h"
#include "PrintTypeFilter.h"
#include "JobTicketFilter.h"
#include "UtilityFunctionFilter.h"
#include "WatermarkFilter.h"

namespace {

const void* const ParaHead[] = {&CTRLSym_ESC, &CTRLSym_PERCENTAGE, &CTRLSym_CR, &CTRLSym_LF};
CmdParaTable HeadPara;

const KPJLCommandEntry HeadCommandTable[] = {
    {"%c%c-12345X@PJL JOB MODE=PRINTER%c%c", &HeadPara, nullptr},
};
const KPJLCommandEntry EnterPostScriptCommandTable[] = {
    {"@PJL ENTER LANGUAGE=POSTSCRIPT\n", nullptr, nullptr},
};

// The page hooks of this job's document, chosen before it is read.
PSPageHooks gPageHooks = PSPageHooks::Generator;

// Argument i, or "" when CUPS gave fewer arguments.
const char* Argument(int argc, char* argv[], int i) {
    return (i < argc && argv[i]) ? argv[i] : "";
}

} // namespace

void ResetFilterState() {
    std::memset(StdUserName, 0, sizeof StdUserName);
    std::memset(StdDocumentName, 0, sizeof StdDocumentName);
    std::memset(PTStdDocumentName, 0, sizeof PTStdDocumentName);
    std::memset(IPAddressStr, 0, sizeof IPAddressStr);
    std::memset(NumberUpString, 0, sizeof NumberUpString);
    std::memset(NumberUpPlainString, 0, sizeof NumberUpPlainString);
    std::memset(LayoutDirectionString, 0, sizeof LayoutDirectionString);
    std::memset(LayoutRowsString, 0, sizeof LayoutRowsString);
    std::memset(LayoutColumnsString, 0, sizeof LayoutColumnsString);
    std::memset(JBAPaperRectStrings, 0, sizeof JBAPaperRectStrings);
    std::memset(&kpjlOptionPrintType, 0, sizeof kpjlOptionPrintType);
    std::memset(&kpjlOptionJBA, 0, sizeof kpjlOptionJBA);
    std::memset(&kpjlOptionFeatures, 0, sizeof kpjlOptionFeatures);
    std::memset(psOptionSpecialPage, 0, sizeof psOptionSpecialPage);
    PSPageCounter = 0;
    WatermarkResetState();
    CupsPageHooksReset();
}

void InvalidateStdUserName() {
    if (StdUserName[0] == '\0' || !ValidateDada(StdUserName, &kPrintableLatin1Table) ||
        IsAllSpace(StdUserName)) {
        std::memset(StdUserName, 0, sizeof StdUserName);
        std::strcpy(StdUserName, "UnknownUser");
    }
}

void InvalidateStdDocumentNameForProductType(char* const argv[]) {
    cups_option_t* options = nullptr;
    int numOptions = cupsParseOptions(argv[5], 0, &options);
    int32_t productType = -1;
    int present = GetTicketInteger(KTICKET("PrintTypeProductTypeTicketKey"), numOptions, options,
                                   &productType, 4);
    cupsFreeOptions(numOptions, options);
    if (!present)
        return;
    size_t limit = productType == 2 ? 12 : productType == 3 ? 64 : 24;
    if (std::strlen(StdDocumentName) > limit)
        std::memset(StdDocumentName + limit, 0, sizeof StdDocumentName - limit);
    std::memset(PTStdDocumentName, 0, sizeof PTStdDocumentName);
    std::memcpy(PTStdDocumentName, StdDocumentName, limit);
    if (!ValidateDada(PTStdDocumentName, &kPrintableLatin1Table))
        std::memset(PTStdDocumentName, 0, sizeof PTStdDocumentName);
}

void InializeDescriptionTable() {
    WireParams(HeadPara, ParaHead);
    PrintTypeInializeDescriptionTableFromFilter();
    JBAInializeDescriptionTableFromFilter();
    FeaturesInializeDescriptionTableFromFilter();
    SpecialPageInializeDescriptionTable();
}

int GetTicketFromPDE(char* const argv[]) {
    PrintTypeGetTicketFromPDE(argv);
    JBAGetTicketFromPDE(argv);
    FeaturesGetTicketFromPDE(argv);
    WatermarkGetTicketFromPDE(argv);
    SpecialPageGetTicketFromPDE(argv);
    return 1;
}

int OutputKPJLCommandFromFilter(char* const argv[]) {
    PrintTypeOutputKPJLCommandFromFilter(argv);
    JBAOutputKPJLCommandFromFilter(argv);
    FeaturesOutputKPJLCommandFromFilter(argv);
    return 1;
}

int OutputKPJLCommand(char* const argv[]) {
    InjectKPIFCommandSP();
    OutputKPJLCommandFromArray(argv, HeadCommandTable,
                               static_cast<int>(std::size(HeadCommandTable)));
    OutputKPJLCommandFromFilter(argv);
    OutputKPJLCommandFromArray(argv, EnterPostScriptCommandTable,
                               static_cast<int>(std::size(EnterPostScriptCommandTable)));
    return 1;
}

void OutputPSCommandFromFilter(int pointCode, int pageCounter) {
    if (gPageHooks == PSPageHooks::Cups) {
        CupsPageHooksOutputPSCommand(pointCode);
        return;
    }
    WatermarkOutputPSCommandFromFilter(pointCode, pageCounter);
    FeaturesOutputPSCommandFromFilter(pointCode);
}

int JobFilterMain(int argc, char* argv[]) {
    // The arguments CUPS always gives; like CUPS's own filters, anything less
    // is a mistake of whoever ran the filter.
    if (argc < 6) {
        std::fprintf(stderr, "Usage: %s job-id user title copies options [file]\n",
                     argc > 0 && argv[0] ? argv[0] : "jobfilter");
        return 1;
    }
    char* args[7];
    for (int i = 0; i < 7; ++i)
        args[i] = const_cast<char*>(Argument(argc, argv, i));
    const int documentArgc = argc > 7 ? 7 : argc;

    ResetFilterState();
    gPageHooks = ChoosePageHooks();
    CupsPageHooksReadJobOptions(args[5]);
    // Before a byte goes out: a job whose document cannot be read must fail
    // whole, not reach the printer as a PJL header without a document.
    PSDocument document;
    if (int error = OpenPSDocument(documentArgc, args, &document)) {
        std::fprintf(stderr, "ERROR: Unable to read print file \"%s\": %s\n",
                     documentArgc > 6 ? args[6] : "(stdin)", std::strerror(error));
        return 1;
    }
    ConvertUTF8ToEncoding(args[2], StdUserName, 255);
    InvalidateStdUserName();
    ConvertUTF8ToEncoding(args[3], StdDocumentName, 255);
    InvalidateStdDocumentNameForProductType(args);
    InializeDescriptionTable();
    GetClientIPAddress();
    std::setvbuf(stderr, nullptr, _IONBF, 0);
    GetTicketFromPDE(args);
    OutputKPJLCommand(args);
    if (int error = OutputPSStream(document, gPageHooks)) {
        std::fprintf(stderr, "ERROR: Unable to read print file \"%s\": %s\n",
                     documentArgc > 6 ? args[6] : "(stdin)", std::strerror(error));
        return 1;
    }
    if (std::fflush(gFilterOut) != 0 || std::ferror(gFilterOut)) {
        std::fprintf(stderr, "ERROR: Unable to write print data: %s\n", std::strerror(errno));
        return 1;
    }
    SpecialPageDeleteSentTicket();
    return 0;
}
