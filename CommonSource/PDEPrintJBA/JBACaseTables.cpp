#include "JBACaseTables.h"

#include <cstring>
#include <fstream>
#include <unistd.h>

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

int32_t GetJBASelectID(ppd_file_t* ppd) {
    if (!ppd)
        return -1;
    ppd_option_t* option = ppdFindOption(ppd, "KRSelectID");
    if (!option)
        return -1;
    ppd_choice_t* marked = ppdFindMarkedChoice(ppd, "KRSelectID");
    const char* value = marked ? marked->choice : option->defchoice;
    static const char* const prompts[] = {"UserID_AccountID", "UserID", "AccountID", "None"};
    for (int32_t i = 0; i < 4; ++i) {
        if (std::strcmp(value, prompts[i]) == 0)
            return i;
    }
    return -1;
}

int32_t JBAInfoSetFor(int32_t infoKind, int32_t selectID) {
    static const int32_t table[3][4] = {
        {5, 6, 7, 8},
        {9, 9, 9, 9},
        {1, 2, 3, 4},
    };
    if (infoKind < 1 || infoKind > 3 || selectID < 0 || selectID > 3)
        return 0;
    return table[infoKind - 1][selectID];
}

const JBACase kJBACases[9] = {
    {"Case_1", 0, 0, 0},
    {"Case_2", kJBAGroupAccount, 0, kJBAGroupAccount},
    {"Case_3", kJBAGroupUser, 0, kJBAGroupUser},
    {"Case_4", kJBAGroupAccount | kJBAGroupUser, kJBAGroupChoices, 0},
    {"Case_5", kJBAGroupStorage, 0, kJBAGroupChoices},
    {"Case_6", kJBAGroupAccount | kJBAGroupStorage, 0, kJBAGroupChoices | kJBAGroupAccount},
    {"Case_7", kJBAGroupUser | kJBAGroupStorage, 0, kJBAGroupChoices | kJBAGroupUser},
    {"Case_8", kJBAGroupAccount | kJBAGroupUser | kJBAGroupStorage, 0,
     kJBAGroupAccount | kJBAGroupChoices | kJBAGroupUser | kJBAGroupStorage},
    {"Case_9", kJBAGroupAccount | kJBAGroupUser, 0, kJBAGroupChoices},
};

std::vector<int32_t> JBASettingsGroupTags(uint32_t groups, int32_t base) {
    using namespace JBATag;
    std::vector<int32_t> tags;
    auto add = [&](std::initializer_list<int32_t> offsets) {
        for (int32_t offset : offsets)
            tags.push_back(base + offset);
    };
    if (groups & kJBAGroupAccount)
        add({kAccountIDLabel, kAccountIDEdit});
    if (groups & kJBAGroupUser)
        add({kUserIDListLabel, kUserIDList, kUserIDLabel, kUserIDEdit, kLoginEdit,
             kUserPasswordLabel, kUserPasswordEdit});
    if (groups & kJBAGroupStorage)
        add({kStorageIDLabel, kStorageIDEdit, kStoragePasswordLabel, kStoragePasswordEdit});
    return tags;
}

std::vector<int32_t> JBAInputGroupTags(uint32_t groups) {
    using namespace JBATag;
    std::vector<int32_t> tags;
    if (groups & kJBAGroupAccount)
        tags.insert(tags.end(), {kInputAccountIDLabel, kInputAccountIDEdit, kInputAccountIDHidden});
    if (groups & kJBAGroupChoices)
        tags.insert(tags.end(), {kInputAuthRadio, kInputStrgRadio});
    if (groups & kJBAGroupUser)
        tags.insert(tags.end(), {kInputUserIDLabel, kInputUserIDEdit, kInputUserIDHidden,
                                 kInputUserPasswordLabel, kInputUserPasswordEdit});
    if (groups & kJBAGroupStorage)
        tags.insert(tags.end(), {kInputStorageIDLabel, kInputStorageIDEdit, kInputStorageIDHidden,
                                 kInputStoragePasswordLabel, kInputStoragePasswordEdit});
    return tags;
}

std::vector<int32_t> JBAAdminLockTags() {
    using namespace JBATag;
    const int32_t base = kAllUsersBase;
    std::vector<int32_t> tags = {base + kRestore, base + kSettingRadio, base + kInputRadio};
    auto groups = JBASettingsGroupTags(kJBAGroupAccount | kJBAGroupUser | kJBAGroupStorage, base);
    tags.insert(tags.end(), groups.begin(), groups.end());
    tags.insert(tags.end(),
                {base + kLastInfoCheck, base + kUserIDFormatCheck, base + kAccountIDFormatCheck});
    return tags;
}

JBAInfoTicketValues JBAInfoValuesForTicket(bool hasSelectID, int32_t infoKind, int32_t infoSet) {
    if (!hasSelectID)
        return {0, 0};
    return {infoKind, infoSet};
}

std::string CopyMachineName() {
    std::ifstream info("/etc/machine-info");
    std::string line;
    while (std::getline(info, line)) {
        static const std::string key = "PRETTY_HOSTNAME=";
        if (line.compare(0, key.size(), key) != 0)
            continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        if (!value.empty())
            return value;
    }
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

} // namespace KESTRANE_NS
