#include "InstallableControl.h"

#include <cstring>

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

void InstallableControl::CreateControl(const char* key, const InstallableConstrainPair* pairs) {
    BaseControl::CreateControl(nullptr);
    ppdKey = key ? key : "";
    constrainPairs = pairs;
}

int InstallableControl::ConstrainPanelControlFromPPD(ppd_file_t* ppd) {
    if (!ppd || ppdKey.empty() || !constrainPairs)
        return 0;
    ppd_choice_t* marked = ppdFindMarkedChoice(ppd, ppdKey.c_str());
    if (!marked)
        return 0;
    for (const InstallableConstrainPair* pair = constrainPairs; pair->choiceName; ++pair) {
        if (std::strncmp(marked->choice, pair->choiceName, std::strlen(pair->choiceName)) == 0) {
            DisableControlConstrains(&pair->tags);
            return kInstallableConstrained;
        }
    }
    return 0;
}

} // namespace KESTRANE_NS

#pragma GCC diagnostic pop
