#include "PrintTypeFilter.h"

#include "CommandTableEngine.h"
#include "FilterGlobals.h"
#include "PPDJobOptions.h"
#include "UtilityFunctionFilter.h"

#include <iterator>

kpjlOptionPrintType_t kpjlOptionPrintType;

namespace {

kpjlOptionPrintType_t& opt = kpjlOptionPrintType;

// Passwords arrive as Base64 text, which may begin with "/": they are read as
// plain text, never decoded from the escaped form.
const TicketTableEntry PrintTypeTicketTable[] = {
    {KTICKET("PrintTypeTicketKey"), &opt.PrintType, 4, GetTicketInteger},
    {KTICKET("PrintTypeUserNameTicketKey"), opt.UserName, 25, GetTicketStringConvertedToPrtLang},
    {KTICKET("PrintTypePasswordTicketKey"), opt.Password, 17, GetTicketString},
    {KTICKET("DocumentNameTypeTicketKey"), &opt.DocumentNameType, 4, GetTicketInteger},
    {KTICKET("DocumentNameTicketKey"), opt.DocumentName, 65, GetTicketStringConvertedToPrtLang},
    {KTICKET("DelayPrintTicketKey"), opt.DelayTime, 17, GetTicketStringConvertedToPrtLang},
    {KTICKET("PrintTypeMBNTicketKey"), opt.MailBoxNumber, 5, GetTicketStringConvertedToPrtLang},
    {KTICKET("PrintTypeMBNPasswordTicketKey"), opt.MailBoxPassword, 30, GetTicketString},
};

// Parameter lists.
const void* const ParaBoxNumber[] = {opt.MailBoxNumber, &CTRLSym_CR, &CTRLSym_LF};
const void* const ParaBoxEncryptKey[] = {&CTRLSym_DOUBLE, opt.MailBoxPassword, &CTRLSym_DOUBLE,
                                         &CTRLSym_CR, &CTRLSym_LF};
const void* const ParaUserName[] = {&CTRLSym_DOUBLE, opt.UserName, &CTRLSym_DOUBLE, &CTRLSym_CR,
                                    &CTRLSym_LF};
const void* const ParaHoldEncryptKey[] = {&CTRLSym_DOUBLE, opt.Password, &CTRLSym_DOUBLE,
                                          &CTRLSym_CR, &CTRLSym_LF};
const void* const ParaJobNameTitle[] = {&CTRLSym_DOUBLE, PTStdDocumentName, &CTRLSym_DOUBLE};
const void* const ParaJobNameEntered[] = {&CTRLSym_DOUBLE, opt.DocumentName, &CTRLSym_DOUBLE};
const void* const ParaDelayTime[] = {&CTRLSym_DOUBLE, opt.DelayTime, &CTRLSym_DOUBLE};

CmdParaTable BoxNumberPara, BoxEncryptKeyPara, UserNamePara, HoldEncryptKeyPara, JobNameTitlePara,
    JobNameEnteredPara, DelayTimePara;

// Condition lists.
const ComparationItem CondHoldStore[] = {CondIntIs(opt.PrintType, 2), CondStrSet(opt.UserName)};
const ComparationItem CondHoldPrivate[] = {CondIntIs(opt.PrintType, 2), CondStrSet(opt.UserName),
                                           CondStrSet(opt.Password)};
const ComparationItem CondHoldProof[] = {CondIntIs(opt.PrintType, 3), CondStrSet(opt.UserName)};
const ComparationItem CondBoxStore[] = {CondIntIs(opt.PrintType, 5)};
const ComparationItem CondBoxPrivate[] = {CondIntIs(opt.PrintType, 5),
                                          CondStrSet(opt.MailBoxPassword)};
const ComparationItem CondBoxNumber[] = {CondIntIs(opt.PrintType, 5)};
const ComparationItem CondBoxEncryptKey[] = {CondIntIs(opt.PrintType, 5),
                                             CondStrSet(opt.MailBoxPassword)};
const ComparationItem CondUserName[] = {CondIntIsNot(opt.PrintType, 1),
                                        CondIntIsNot(opt.PrintType, 4),
                                        CondIntIsNot(opt.PrintType, 5), CondStrSet(opt.UserName)};
const ComparationItem CondHoldEncryptKey[] = {CondIntIs(opt.PrintType, 2), CondStrSet(opt.UserName),
                                              CondStrSet(opt.Password)};
const ComparationItem CondJobNameTitle[] = {CondIntIsNot(opt.PrintType, 1),
                                            CondIntIs(opt.DocumentNameType, 1),
                                            CondStrSet(PTStdDocumentName)};
const ComparationItem CondJobNameEntered[] = {CondIntIsNot(opt.PrintType, 1),
                                              CondIntIs(opt.DocumentNameType, 2),
                                              CondStrSet(opt.DocumentName)};
const ComparationItem CondDelayTime[] = {CondIntIs(opt.PrintType, 4), CondStrSet(opt.DelayTime)};

ComparationTable HoldStoreCond, HoldPrivateCond, HoldProofCond, BoxStoreCond, BoxPrivateCond,
    BoxNumberCond, BoxEncryptKeyCond, UserNameCond, HoldEncryptKeyCond, JobNameTitleCond,
    JobNameEnteredCond, DelayTimeCond;

const KPJLCommandEntry PrintTypeCommandTable[] = {
    {"@PJL SET HOLD=STORE\n", nullptr, &HoldStoreCond},
    {"@PJL SET HOLDTYPE=PRIVATE\n", nullptr, &HoldPrivateCond},
    {"@PJL SET HOLD=PROOF\n", nullptr, &HoldProofCond},
    {"@PJL SET HOLD=BOXSTORE\n", nullptr, &BoxStoreCond},
    {"@PJL SET HOLDTYPE=PRIVATE\n", nullptr, &BoxPrivateCond},
    {"@PJL SET BOXNUMBER=%s%c%c", &BoxNumberPara, &BoxNumberCond},
    {"@PJL SET BOXENCRYPTKEY=%c%s%c%c%c", &BoxEncryptKeyPara, &BoxEncryptKeyCond},
    {"@PJL SET USERNAME=%c%s%c%c%c", &UserNamePara, &UserNameCond},
    {"@PJL SET HOLDENCRYPTKEY=%c%s%c%c%c", &HoldEncryptKeyPara, &HoldEncryptKeyCond},
    {"@PJL SET JOBNAME=%c%s%c\r\n", &JobNameTitlePara, &JobNameTitleCond},
    {"@PJL SET JOBNAME=%c%s%c\r\n", &JobNameEnteredPara, &JobNameEnteredCond},
    {"@PJL SET JOBATTR=%c@PRTM=%s%c\r\n", &DelayTimePara, &DelayTimeCond},
};

} // namespace

int PrintTypeGetTicketFromPDE(char* const argv[]) {
    GetTicketFromArray(argv, PrintTypeTicketTable,
                       static_cast<int>(std::size(PrintTypeTicketTable)));
    if (opt.PrintType == -1) {
        PPDJobOptions job(argv);
        if (!job.HasTicketKey("PrintTypeTicketKey"))
            PrintTypeGetFromPPDOptions(job);
    }
    return 1;
}

void PrintTypeInializeDescriptionTableFromFilter() {
    WireParams(BoxNumberPara, ParaBoxNumber);
    WireParams(BoxEncryptKeyPara, ParaBoxEncryptKey);
    WireParams(UserNamePara, ParaUserName);
    WireParams(HoldEncryptKeyPara, ParaHoldEncryptKey);
    WireParams(JobNameTitlePara, ParaJobNameTitle);
    WireParams(JobNameEnteredPara, ParaJobNameEntered);
    WireParams(DelayTimePara, ParaDelayTime);

    WireConditions(HoldStoreCond, CondHoldStore);
    WireConditions(HoldPrivateCond, CondHoldPrivate);
    WireConditions(HoldProofCond, CondHoldProof);
    WireConditions(BoxStoreCond, CondBoxStore);
    WireConditions(BoxPrivateCond, CondBoxPrivate);
    WireConditions(BoxNumberCond, CondBoxNumber);
    WireConditions(BoxEncryptKeyCond, CondBoxEncryptKey);
    WireConditions(UserNameCond, CondUserName);
    WireConditions(HoldEncryptKeyCond, CondHoldEncryptKey);
    WireConditions(JobNameTitleCond, CondJobNameTitle);
    WireConditions(JobNameEnteredCond, CondJobNameEntered);
    WireConditions(DelayTimeCond, CondDelayTime);
}

int PrintTypeOutputKPJLCommandFromFilter(char* const argv[]) {
    return OutputKPJLCommandFromArray(argv, PrintTypeCommandTable,
                                      static_cast<int>(std::size(PrintTypeCommandTable)));
}
