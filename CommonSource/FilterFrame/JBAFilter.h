// Job accounting (administrator and user modes) and the client identity
// attributes sent with every job.
#pragma once

#include <cstdint>

// Settings kept per accounting mode; the administrator and the user table
// read the same fields from their own keys.
struct kpjlJBAModeSettings_t {
    int32_t UserSettingRadioBtn; // 1: stored settings in use
    int32_t UserIDListCtrl;      // 1 login name, 2 entered user ID
    char UserID[33];
    char UserPassword[17];
    char AccountID[33];
    char StorageID[25];
    char StoragePassword[17];
    int32_t UserInputRadioBtn; // 1: print-time entry in use
};

struct kpjlOptionJBA_t {
    char MacHostName[33];
    char IPAddress[46];
    int32_t InfoList;    // 0 none, 1 user and account, 2 billing, 3 all
    int32_t InfoSetList; // 8 anonymous
    int32_t ManageType;  // 1 administrator, 2 user
    kpjlJBAModeSettings_t User;
    kpjlJBAModeSettings_t Admin;
    int32_t UserIDTextEditAbsent; // 1 when JBAUserIDTextEditTicket is not in the ticket
    int32_t InputAuthRadioBtn;
    int32_t InputStrgRadioBtn;
    char InputStorageID[25];
    char InputStoragePassword[17];
    char InputUserID[33];
    char InputUserPassword[17];
    char InputAccountID[33];
};
extern kpjlOptionJBA_t kpjlOptionJBA;

// Unadjusted paper rectangle of the page format, read but not sent.
extern char JBAPaperRectStrings[8][20];

class PPDJobOptions;

// Reads the ticket; without the dialog's accounting mode key, the job's PPD
// options and IPP accounting attributes give the accounting.
int JBAGetTicketFromPDE(char* const argv[]);
void JBAGetFromPPDOptions(const PPDJobOptions& job);
void JBAInializeDescriptionTableFromFilter();
// Administrator table, then the common table (identity lines and user table).
int JBAOutputKPJLCommandFromFilter(char* const argv[]);
