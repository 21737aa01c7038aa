// A push button with a title key; it holds no value. Panels subclass it or
// act on its UIEventHandler.
#pragma once

#include "BaseControl.h"

#include <functional>

namespace KESTRANE_NS {

class BaseButton : public BaseControl {
public:
    BaseButton(QWidget* widget, const char* titleKey);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    virtual bool InitializeTitle(PDEBundleRef bundle);
    bool UIEventHandler() override;
    // What a press does (for panels that do not subclass); its result is the
    // handler's.
    void SetPressAction(std::function<bool()> action) { pressAction = std::move(action); }

protected:
    const char* titleKey;
    std::function<bool()> pressAction;
};

} // namespace KESTRANE_NS
