// Job type: hold, secure, sample, delayed and mailbox print attributes.
#pragma once

#include <cstdint>

struct kpjlOptionPrintType_t {
    int32_t PrintType; // 1 normal, 2 secure, 3 sample, 4 delayed, 5 mailbox; -1 absent
    char UserName[25];
    char Password[17];
    int32_t DocumentNameType; // 1 job title, 2 entered name
    char DocumentName[65];
    char DelayTime[17];
    char MailBoxNumber[5];
    char MailBoxPassword[30];
};
extern kpjlOptionPrintType_t kpjlOptionPrintType;

class PPDJobOptions;

// Reads the ticket; without the dialog's job type key, the job's PPD options
// give the job type.
int PrintTypeGetTicketFromPDE(char* const argv[]);
void PrintTypeGetFromPPDOptions(const PPDJobOptions& job);
void PrintTypeInializeDescriptionTableFromFilter();
int PrintTypeOutputKPJLCommandFromFilter(char* const argv[]);
