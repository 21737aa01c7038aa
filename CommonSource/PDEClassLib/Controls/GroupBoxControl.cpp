#include "GroupBoxControl.h"

#include <QGroupBox>

namespace KESTRANE_NS {

GroupBoxControl::GroupBoxControl(QWidget* widget, const char* key) : titleKey(key) {
    CreateControl(widget);
}

bool GroupBoxControl::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    return InitializeTitle(bundle);
}

bool GroupBoxControl::ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    return InitializeCtrl(bundle, ppd);
}

bool GroupBoxControl::InitializeTitle(PDEBundleRef) {
    if (!titleKey)
        return true;
    auto* box = qobject_cast<QGroupBox*>(ControlPtr);
    if (!box)
        return false;
    box->setTitle(LocalizedText(titleKey));
    return true;
}

} // namespace KESTRANE_NS
