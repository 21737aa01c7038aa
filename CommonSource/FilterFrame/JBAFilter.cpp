#include "JBAFilter.h"

#include <cstring>
#include <initializer_list>
#include <iterator>

#include "CommandTableEngine.h"
#include "FilterGlobals.h"
#include "PPDJobOptions.h"
#include "UtilityFunctionFilter.h"

kpjlOptionJBA_t kpjlOptionJBA;
char JBAPaperRectStrings[8][20];

namespace {

kpjlOptionJBA_t& opt = kpjlOptionJBA;

#define PMLAYOUT(name) "com.apple.print.PrintSettings." name "..n."
#define PAGEFORMAT(name) "com.apple.print.PageFormat." name

// Passwords arrive as Base64 text, which may begin with "/": they are read as
// plain text, never decoded from the escaped form.
const TicketTableEntry JBACommonTicketTable[] = {
    {KTICKET("JBAMacHostNameStringTicket"), opt.MacHostName, 33, GetTicketStringConvertedToPrtLang},
    {KTICKET("JBAIPAddressStringTicket"), opt.IPAddress, 46, GetTicketStringConvertedToPrtLang},
    {KTICKET("JBAInfoListTicketKey"), &opt.InfoList, 4, GetTicketInteger},
    {KTICKET("JBAInfoSetListTicketKey"), &opt.InfoSetList, 4, GetTicketInteger},
    {"number-up", NumberUpString, 10, GetNumberUpTicketString},
    {"number-up", NumberUpPlainString, 10, GetTicketStringConvertedToPrtLang},
    {PMLAYOUT("PMLayoutDirection"), LayoutDirectionString, 10, GetTicketStringConvertedToPrtLang},
    {PMLAYOUT("PMLayoutRows"), LayoutRowsString, 10, GetTicketStringConvertedToPrtLang},
    {PMLAYOUT("PMLayoutColumns"), LayoutColumnsString, 10, GetTicketStringConvertedToPrtLang},
    {KTICKET("JBAManageTypeListTicketKey"), &opt.ManageType, 4, GetTicketInteger},
    {KTICKET("JBAUserSettingRadioBtnTicket"), &opt.User.UserSettingRadioBtn, 4, GetTicketInteger},
    {KTICKET("JBAUserIDListCtrlTicket"), &opt.User.UserIDListCtrl, 4, GetTicketInteger},
    {KTICKET("JBAUserIDTextEditTicket"), &opt.UserIDTextEditAbsent, 4, CheckTicketKey},
    {KTICKET("JBAUserIDTextEditTicket"), opt.User.UserID, 33, GetTicketStringConvertedToPrtLang},
    {KTICKET("JBAUserPasswordTextEditTicket"), opt.User.UserPassword, 17, GetTicketString},
    {KTICKET("JBAAccountIDTextEditTicket"), opt.User.AccountID, 33,
     GetTicketStringConvertedToPrtLang},
    {KTICKET("JBAStorageIDTextEditTicket"), opt.User.StorageID, 25,
     GetTicketStringConvertedToPrtLang},
    {KTICKET("JBAStoragePasswordTextEditTicket"), opt.User.StoragePassword, 17, GetTicketString},
    {KTICKET("JBAUserInputRadioBtnTicket"), &opt.User.UserInputRadioBtn, 4, GetTicketInteger},
    {KTICKET("JBAInputAuthRadioBtnTicketKey"), &opt.InputAuthRadioBtn, 4, GetTicketInteger},
    {KTICKET("JBAInputStrgRadioBtnTicketKey"), &opt.InputStrgRadioBtn, 4, GetTicketInteger},
    {KTICKET("JBAInputStorageIDTextEditTicket"), opt.InputStorageID, 25,
     GetTicketStringConvertedToPrtLang},
    {KTICKET("JBAInputStoragePasswordTextEditTicket"), opt.InputStoragePassword, 17,
     GetTicketString},
    {KTICKET("JBAInputUserIDTextEditTicket"), opt.InputUserID, 33,
     GetTicketStringConvertedToPrtLang},
    {KTICKET("JBAInputUserPasswordTextEditTicket"), opt.InputUserPassword, 17, GetTicketString},
    {KTICKET("JBAInputAccountIDTextEditTicket"), opt.InputAccountID, 33,
     GetTicketStringConvertedToPrtLang},
    {PAGEFORMAT("PMUnadjustedPaperRect.top"), JBAPaperRectStrings[0], 20, GetTicketString},
    {PAGEFORMAT("PMUnadjustedPaperRect.left"), JBAPaperRectStrings[1], 20, GetTicketString},
    {PAGEFORMAT("PMUnadjustedPaperRect.bottom"), JBAPaperRectStrings[2], 20, GetTicketString},
    {PAGEFORMAT("PMUnadjustedPaperRect.right"), JBAPaperRectStrings[3], 20, GetTicketString},
    {"PMUnadjustedPaperRect.top", JBAPaperRectStrings[4], 20, GetTicketString},
    {"PMUnadjustedPaperRect.left", JBAPaperRectStrings[5], 20, GetTicketString},
    {"PMUnadjustedPaperRect.bottom", JBAPaperRectStrings[6], 20, GetTicketString},
    {"PMUnadjustedPaperRect.right", JBAPaperRectStrings[7], 20, GetTicketString},
};
static_assert(std::size(JBACommonTicketTable) == 34);

const TicketTableEntry JBAAdminTicketTable[] = {
    {KTICKET("JBAAdminUserSettingRadioBtnTicket"), &opt.Admin.UserSettingRadioBtn, 4,
     GetTicketInteger},
    {KTICKET("JBAAdminUserIDListCtrlTicket"), &opt.Admin.UserIDListCtrl, 4, GetTicketInteger},
    {KTICKET("JBAAdminUserIDTextEditTicket"), opt.Admin.UserID, 33,
     GetTicketStringConvertedToPrtLang},
    {KTICKET("JBAAdminUserPasswordTextEditTicket"), opt.Admin.UserPassword, 17, GetTicketString},
    {KTICKET("JBAAdminAccountIDTextEditTicket"), opt.Admin.AccountID, 33,
     GetTicketStringConvertedToPrtLang},
    {KTICKET("JBAAdminStorageIDTextEditTicket"), opt.Admin.StorageID, 25,
     GetTicketStringConvertedToPrtLang},
    {KTICKET("JBAAdminStoragePasswordTextEditTicket"), opt.Admin.StoragePassword, 17,
     GetTicketString},
    {KTICKET("JBAAdminUserInputRadioBtnTicket"), &opt.Admin.UserInputRadioBtn, 4, GetTicketInteger},
};

// Shared parameter lists.
const void* const ParaQuotesCRLF[] = {&CTRLSym_DOUBLE, &CTRLSym_DOUBLE, &CTRLSym_CR, &CTRLSym_LF};
const void* const ParaQuotes[] = {&CTRLSym_DOUBLE, &CTRLSym_DOUBLE};
CmdParaTable QuotesCRLFPara, QuotesPara;

// One accounting mode's 33 lines (34 with the user table's line U), wired
// from the mode's own settings.
constexpr int kModeLines = 34;
constexpr int kMaxItems = 7;

struct JBAModeTable {
    const void* valueParams[kModeLines][5];
    CmdParaTable valuePara[kModeLines];
    ComparationItem items[kModeLines][kMaxItems];
    ComparationTable conditions[kModeLines];
    KPJLCommandEntry entries[kModeLines];
    int count;
};
JBAModeTable JBAAdminModeTable, JBAUserModeTable;

struct ModeTableBuilder {
    JBAModeTable& table;

    void Line(const char* format, const CmdParaTable* params,
              std::initializer_list<ComparationItem> conditions) {
        int n = table.count++;
        int k = 0;
        for (const ComparationItem& item : conditions)
            table.items[n][k++] = item;
        InitializeComparationTable(&table.conditions[n], k, table.items[n]);
        table.entries[n] = {format, params, &table.conditions[n]};
    }
    // A line carrying one text value between quotes, ended by CR LF.
    void Value(const char* format, const char* value,
               std::initializer_list<ComparationItem> conditions) {
        int n = table.count;
        const void* const params[5] = {&CTRLSym_DOUBLE, value, &CTRLSym_DOUBLE, &CTRLSym_CR,
                                       &CTRLSym_LF};
        std::memcpy(table.valueParams[n], params, sizeof params);
        InitializeCmdParaTable(&table.valuePara[n], 5, table.valueParams[n]);
        Line(format, &table.valuePara[n], conditions);
    }
};

void WireModeTable(JBAModeTable& table, kpjlJBAModeSettings_t& s, int mode, bool userTable) {
    table.count = 0;
    ModeTableBuilder b{table};
    const ComparationItem M = CondIntIs(opt.ManageType, mode);
    const ComparationItem S = CondIntIs(s.UserSettingRadioBtn, 1);
    const ComparationItem Src1 = CondIntIs(s.UserIDListCtrl, 1);
    const ComparationItem Src2 = CondIntIs(s.UserIDListCtrl, 2);
    const ComparationItem P = CondIntIs(s.UserInputRadioBtn, 1);
    const ComparationItem A = CondIntIs(opt.InputAuthRadioBtn, 1);
    const ComparationItem G = CondIntIs(opt.InputStrgRadioBtn, 1);
    const ComparationItem T8 = CondIntIs(opt.InfoSetList, 8);
    const ComparationItem TNot8 = CondIntIsNot(opt.InfoSetList, 8);
    const ComparationItem Name = CondStrSet(StdUserName);

    const char* JOAU = "@PJL SET JOBATTR=%c@JOAU=%s%c%c%c";
    const char* JOEP = "@PJL SET JOBATTR=%c@JOEP=%s%c%c%c";
    const char* DAID = "@PJL SET JOBATTR=%c@DAID=%s%c%c%c";
    const char* ACID = "@PJL SET JOBATTR=%c@ACID=%s%c%c%c";
    const char* ACNA = "@PJL SET JOBATTR=%c@ACNA=%s%c%c%c";
    const char* ACEP = "@PJL SET JOBATTR=%c@ACEP=%s%c%c%c";
    const char* JOEPEmpty = "@PJL SET JOBATTR=%c@JOEP=%c%c%c";
    const char* DAIDEmpty = "@PJL SET JOBATTR=%c@DAID=%c%c%c";
    const char* ACEPEmpty = "@PJL SET JOBATTR=%c@ACEP=%c%c%c";
    const char* JOAUUnknownLF = "@PJL SET JOBATTR=%c@JOAU=UnknownUser%c\n";
    const char* JOAUUnknown = "@PJL SET JOBATTR=%c@JOAU=UnknownUser%c%c%c";
    const char* JOEPEmptyLF = "@PJL SET JOBATTR=%c@JOEP=%c\n";

    // Stored settings.
    b.Value(JOAU, StdUserName, {M, S, Src1, Name, CondIntIs(opt.InfoList, 0)});
    b.Line(JOAUUnknownLF, &QuotesPara, {M, S, Src1, CondIntIs(opt.InfoList, 2), TNot8});
    b.Value(JOAU, StdUserName, {M, S, Src1, Name, CondIntIs(opt.InfoList, 1), TNot8});
    b.Value(JOAU, StdUserName, {M, S, Src1, Name, CondIntIs(opt.InfoList, 3), TNot8});
    b.Line(JOAUUnknownLF, &QuotesPara, {M, S, Src1, CondIntIsNot(opt.InfoList, 0), T8});
    if (userTable)
        b.Value(JOAU, StdUserName, {CondIntIs(opt.UserIDTextEditAbsent, 1)});
    b.Value(JOAU, s.UserID, {M, S, Src2, CondStrSet(s.UserID)});
    b.Value(JOEP, s.UserPassword, {M, S, Src1, Name, CondStrSet(s.UserPassword)});
    b.Line(JOEPEmpty, &QuotesCRLFPara, {M, S, Src1, Name, CondStrEmpty(s.UserPassword)});
    b.Value(JOEP, s.UserPassword, {M, S, Src2, CondStrSet(s.UserID), CondStrSet(s.UserPassword)});
    b.Line(JOEPEmpty, &QuotesCRLFPara,
           {M, S, Src2, CondStrSet(s.UserID), CondStrEmpty(s.UserPassword)});
    b.Value(DAID, s.AccountID, {M, S, CondStrSet(s.AccountID)});
    b.Line(DAIDEmpty, &QuotesCRLFPara, {M, S, CondStrEmpty(s.AccountID)});
    b.Value(ACID, s.StorageID, {M, S, CondStrSet(s.StorageID)});
    b.Value(ACNA, StdDocumentName, {M, S, CondStrSet(StdDocumentName)});
    b.Value(ACEP, s.StoragePassword,
            {M, S, CondStrSet(s.StorageID), CondStrSet(s.StoragePassword)});
    b.Line(ACEPEmpty, &QuotesCRLFPara,
           {M, S, CondStrSet(s.StorageID), CondStrEmpty(s.StoragePassword)});

    // Print-time entry.
    b.Value(JOAU, opt.InputUserID, {M, P, A, CondStrSet(opt.InputUserID), TNot8});
    b.Line(JOAUUnknown, &QuotesCRLFPara, {M, P, A, T8});
    b.Line(JOAUUnknown, &QuotesCRLFPara, {M, P, A, CondStrEmpty(opt.InputUserID), TNot8});
    b.Value(JOEP, opt.InputUserPassword,
            {M, P, A, CondStrSet(opt.InputUserID), CondStrSet(opt.InputUserPassword), TNot8});
    b.Line(JOEPEmpty, &QuotesCRLFPara, {M, P, A, T8});
    b.Line(JOEPEmpty, &QuotesCRLFPara,
           {M, P, A, CondStrEmpty(opt.InputUserPassword), CondStrSet(opt.InputUserID), TNot8});
    b.Line(JOEPEmpty, &QuotesCRLFPara, {M, P, A, CondStrEmpty(opt.InputUserID), TNot8});
    b.Value(DAID, opt.InputAccountID, {M, P, A, CondStrSet(opt.InputAccountID), TNot8});
    b.Line(DAIDEmpty, &QuotesCRLFPara, {M, P, A, CondStrSet(opt.InputAccountID), T8});
    b.Line(DAIDEmpty, &QuotesCRLFPara, {M, P, A, CondStrEmpty(opt.InputAccountID)});
    b.Line(DAIDEmpty, &QuotesCRLFPara, {M, P, G, CondIntIsNot(opt.InfoList, 0)});
    b.Value(ACID, opt.InputStorageID, {M, P, G, CondStrSet(opt.InputStorageID)});
    b.Value(ACNA, StdDocumentName, {M, P, CondStrSet(StdDocumentName)});
    b.Line(JOAUUnknownLF, &QuotesPara, {M, P, G});
    b.Line(JOEPEmptyLF, &QuotesPara, {M, P, G});
    b.Value(ACEP, opt.InputStoragePassword,
            {M, P, G, CondStrSet(opt.InputStorageID), CondStrSet(opt.InputStoragePassword)});
    b.Line(ACEPEmpty, &QuotesCRLFPara,
           {M, P, G, CondStrSet(opt.InputStorageID), CondStrEmpty(opt.InputStoragePassword)});
}

// Identity lines, at the head of the common table.
const void* const ParaHostName[] = {&CTRLSym_DOUBLE, opt.MacHostName, &CTRLSym_DOUBLE, &CTRLSym_LF};
const void* const ParaLoginName[] = {&CTRLSym_DOUBLE, StdUserName, &CTRLSym_DOUBLE, &CTRLSym_LF};
const void* const ParaTicketAddress[] = {&CTRLSym_DOUBLE, opt.IPAddress, &CTRLSym_DOUBLE,
                                         &CTRLSym_LF};
const void* const ParaFilterAddress[] = {&CTRLSym_DOUBLE, IPAddressStr, &CTRLSym_DOUBLE,
                                         &CTRLSym_LF};
const void* const ParaNumberUp[] = {&CTRLSym_DOUBLE, NumberUpString, &CTRLSym_DOUBLE, &CTRLSym_LF};
CmdParaTable HostNamePara, LoginNamePara, TicketAddressPara, FilterAddressPara, NumberUpPara;

const ComparationItem CondHostName[] = {CondStrSet(opt.MacHostName)};
const ComparationItem CondNoHostName[] = {CondStrEmpty(opt.MacHostName)};
const ComparationItem CondLoginName[] = {CondStrSet(StdUserName)};
const ComparationItem CondNoLoginName[] = {CondStrEmpty(StdUserName)};
const ComparationItem CondTicketAddress[] = {CondStrSet(opt.IPAddress)};
const ComparationItem CondFilterAddress[] = {CondStrEmpty(opt.IPAddress), CondStrSet(IPAddressStr)};
ComparationTable HostNameCond, NoHostNameCond, LoginNameCond, NoLoginNameCond, TicketAddressCond,
    FilterAddressCond;
// Never wired: count 0, so the n-up line is always written.
ComparationTable NumberUpCond;

const KPJLCommandEntry JBAIdentityCommandTable[] = {
    {"@PJL SET JOBATTR=%c@CNAM=%s%c%c", &HostNamePara, &HostNameCond},
    {"@PJL SET JOBATTR=%c@CNAM=UnknownHost%c\n", &QuotesPara, &NoHostNameCond},
    {"@PJL SET JOBATTR=%c@LUNA=%s%c%c", &LoginNamePara, &LoginNameCond},
    {"@PJL SET JOBATTR=%c@LUNA=UnknownUser%c\n", &QuotesPara, &NoLoginNameCond},
    {"@PJL SET JOBATTR=%c@HOAD=%s%c%c", &TicketAddressPara, &TicketAddressCond},
    {"@PJL SET JOBATTR=%c@HOAD=%s%c%c", &FilterAddressPara, &FilterAddressCond},
    {"@PJL SET JOBATTR=%c@NLPP=%s%c%c", &NumberUpPara, &NumberUpCond},
};

} // namespace

int JBAGetTicketFromPDE(char* const argv[]) {
    GetTicketFromArray(argv, JBACommonTicketTable,
                       static_cast<int>(std::size(JBACommonTicketTable)));
    GetTicketFromArray(argv, JBAAdminTicketTable, static_cast<int>(std::size(JBAAdminTicketTable)));
    if (opt.ManageType == -1) {
        PPDJobOptions job(argv);
        if (!job.HasTicketKey("JBAManageTypeListTicketKey"))
            JBAGetFromPPDOptions(job);
    }
    return 1;
}

void JBAInializeDescriptionTableFromFilter() {
    WireParams(QuotesCRLFPara, ParaQuotesCRLF);
    WireParams(QuotesPara, ParaQuotes);
    WireModeTable(JBAAdminModeTable, opt.Admin, 1, false);
    WireModeTable(JBAUserModeTable, opt.User, 2, true);

    WireParams(HostNamePara, ParaHostName);
    WireParams(LoginNamePara, ParaLoginName);
    WireParams(TicketAddressPara, ParaTicketAddress);
    WireParams(FilterAddressPara, ParaFilterAddress);
    WireParams(NumberUpPara, ParaNumberUp);
    WireConditions(HostNameCond, CondHostName);
    WireConditions(NoHostNameCond, CondNoHostName);
    WireConditions(LoginNameCond, CondLoginName);
    WireConditions(NoLoginNameCond, CondNoLoginName);
    WireConditions(TicketAddressCond, CondTicketAddress);
    WireConditions(FilterAddressCond, CondFilterAddress);
}

int JBAOutputKPJLCommandFromFilter(char* const argv[]) {
    OutputKPJLCommandFromArray(argv, JBAAdminModeTable.entries, JBAAdminModeTable.count);
    OutputKPJLCommandFromArray(argv, JBAIdentityCommandTable,
                               static_cast<int>(std::size(JBAIdentityCommandTable)));
    OutputKPJLCommandFromArray(argv, JBAUserModeTable.entries, JBAUserModeTable.count);
    return 1;
}
