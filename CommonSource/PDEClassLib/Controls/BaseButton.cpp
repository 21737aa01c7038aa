#include "BaseButton.h"

#include <QAbstractButton>

namespace KESTRANE_NS {

BaseButton::BaseButton(QWidget* widget, const char* key) : titleKey(key) {
    CreateControl(widget);
}

bool BaseButton::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    return InitializeTitle(bundle);
}

bool BaseButton::ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    return InitializeTitle(bundle);
}

bool BaseButton::InitializeTitle(PDEBundleRef) {
    if (!titleKey)
        return true;
    auto* button = qobject_cast<QAbstractButton*>(ControlPtr);
    if (!button)
        return false;
    button->setText(LocalizedText(titleKey));
    return true;
}

bool BaseButton::UIEventHandler() {
    BaseControl::UIEventHandler();
    return pressAction ? pressAction() : true;
}

} // namespace KESTRANE_NS
