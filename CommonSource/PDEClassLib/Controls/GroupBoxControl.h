// A group box with a title key; it holds no value but can be disabled or
// hidden by constraint lists like any control.
#pragma once

#include "BaseControl.h"

namespace KESTRANE_NS {

class GroupBoxControl : public BaseControl {
public:
    GroupBoxControl(QWidget* widget, const char* titleKey);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool InitializeTitle(PDEBundleRef bundle);
    void setTargetandAction() override {}

private:
    const char* titleKey;
};

} // namespace KESTRANE_NS
