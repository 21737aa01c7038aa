// Not a widget: ties an installable printer option of the PPD to the
// controls that its installed choice rules out.
#pragma once

#include "BaseControl.h"

namespace KESTRANE_NS {

// A choice-name text and the tags it disables; a list ends at a null name.
struct InstallableConstrainPair {
    const char* choiceName = nullptr;
    ControlTagList tags;
};

inline constexpr int kInstallableConstrained = 1000;

class InstallableControl : public BaseControl {
public:
    InstallableControl() = default;
    // CreateControl:withConstrain:
    void CreateControl(const char* ppdKey, const InstallableConstrainPair* pairs);

    // 1000 when the marked choice matched a pair (its tags disabled), else 0.
    int ConstrainPanelControlFromPPD(ppd_file_t* ppd) override;
    void setTargetandAction() override {}
    const std::string& GetPPDKey() const { return ppdKey; }

private:
    using BaseControl::CreateControl;
    std::string ppdKey;
    const InstallableConstrainPair* constrainPairs = nullptr;
};

} // namespace KESTRANE_NS
