// Accounting panel rules that need no widgets: the printer's customised
// prompt (KRSelectID), the information set it forces, the case lists that
// disable and hide control groups, and the field limits of both windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <cups/ppd.h>

namespace KESTRANE_NS {

// Accounting modes of the mode list.
enum JBAManageType : int32_t {
    kJBAModeAllUsers = 1, // settings kept for every user of the computer
    kJBAModePersonal = 2, // settings kept for the current user
};

// Tags of the accounting panel and its windows. The all-users window uses
// 2000 + n, the personal window 3000 + n for the same control n.
namespace JBATag {
constexpr int32_t kModeList = 1001;
constexpr int32_t kSettingsButton = 1002;
constexpr int32_t kInfoList = 1003;
constexpr int32_t kInfoSetList = 1004;
constexpr int32_t kVersionText = 1005;
constexpr int32_t kModeLabel = 1006;
constexpr int32_t kInfoLabel = 1007;
constexpr int32_t kInfoSetLabel = 1008;

constexpr int32_t kAllUsersBase = 2000;
constexpr int32_t kPersonalBase = 3000;
// Offsets within a settings window.
constexpr int32_t kOK = 1;
constexpr int32_t kCancel = 2;
constexpr int32_t kRestore = 3;
constexpr int32_t kHelp = 4;
constexpr int32_t kSettingRadio = 5;
constexpr int32_t kUserIDList = 6;
constexpr int32_t kUserIDEdit = 7;
constexpr int32_t kLoginEdit = 8;
constexpr int32_t kUserPasswordEdit = 9;
constexpr int32_t kUserIDListLabel = 10;
constexpr int32_t kUserIDLabel = 11;
constexpr int32_t kUserPasswordLabel = 12;
constexpr int32_t kStorageIDEdit = 13;
constexpr int32_t kStoragePasswordEdit = 14;
constexpr int32_t kStorageIDLabel = 15;
constexpr int32_t kStoragePasswordLabel = 16;
constexpr int32_t kInputRadio = 17;
constexpr int32_t kAccountIDEdit = 18;
constexpr int32_t kAccountIDLabel = 19;
constexpr int32_t kLastInfoCheck = 20;
constexpr int32_t kUserIDFormatCheck = 21;
constexpr int32_t kAccountIDFormatCheck = 22;

// Print-time entry window.
constexpr int32_t kInputOK = 4001;
constexpr int32_t kInputCancel = 4002;
constexpr int32_t kInputHelp = 4003;
constexpr int32_t kInputAuthRadio = 4004;
constexpr int32_t kInputUserIDLabel = 4005;
constexpr int32_t kInputUserIDEdit = 4006;
constexpr int32_t kInputUserPasswordLabel = 4007;
constexpr int32_t kInputUserPasswordEdit = 4008;
constexpr int32_t kInputStrgRadio = 4009;
constexpr int32_t kInputStorageIDLabel = 4010;
constexpr int32_t kInputStorageIDEdit = 4011;
constexpr int32_t kInputStoragePasswordLabel = 4012;
constexpr int32_t kInputStoragePasswordEdit = 4013;
constexpr int32_t kInputStorageIDHidden = 4014;
constexpr int32_t kInputUserIDHidden = 4015;
constexpr int32_t kInputAccountIDLabel = 4016;
constexpr int32_t kInputAccountIDEdit = 4017;
constexpr int32_t kInputAccountIDHidden = 4018;
} // namespace JBATag

// Customised prompt c from the PPD option KRSelectID: 0 "UserID_AccountID",
// 1 "UserID", 2 "AccountID", 3 "None"; -1 without the option or for an
// unknown value.
int32_t GetJBASelectID(ppd_file_t* ppd);

// Information set forced by information kind k (1..3) and prompt c (0..3);
// 0 when either is out of range (the set is then left as it is).
int32_t JBAInfoSetFor(int32_t infoKind, int32_t selectID);

// The anonymous set: mode list and settings button are disabled with it.
constexpr int32_t kJBAAnonymousInfoSet = 8;

// Control groups named by the case lists.
enum JBAGroup : uint32_t {
    kJBAGroupAccount = 1u << 0,
    kJBAGroupUser = 1u << 1,
    kJBAGroupStorage = 1u << 2,
    kJBAGroupChoices = 1u << 3,
};

struct JBACase {
    const char* key; // "Case_1".."Case_9"
    uint32_t settingsDisable;
    uint32_t inputDisable;
    uint32_t inputHide;
};
extern const JBACase kJBACases[9];

// Tags of the groups in a settings window (base 2000 or 3000).
std::vector<int32_t> JBASettingsGroupTags(uint32_t groups, int32_t base);
// Tags of the groups in the print-time entry window.
std::vector<int32_t> JBAInputGroupTags(uint32_t groups);
// What a non-administrator may not touch in the all-users window.
std::vector<int32_t> JBAAdminLockTags();

// Ticket values of the information kind and set: both 0 without KRSelectID.
struct JBAInfoTicketValues {
    int32_t infoKind;
    int32_t infoSet;
};
JBAInfoTicketValues JBAInfoValuesForTicket(bool hasSelectID, int32_t infoKind, int32_t infoSet);

// Limits of the accounting text fields.
constexpr int32_t kJBAUserIDMax = 32;
constexpr int32_t kJBAPasswordMax = 12;
constexpr int32_t kJBAStorageIDMax = 24;
constexpr int32_t kJBAAccountIDMax = 32;

// The computer's name as people see it: the pretty host name of
// /etc/machine-info when set, else the host name.
std::string CopyMachineName();

} // namespace KESTRANE_NS
