#include "PPDStaticTextCtrl.h"

#include "XPPD.h"

#include <QLabel>

#include <cstring>

namespace KESTRANE_NS {

PPDStaticTextCtrl::PPDStaticTextCtrl(QWidget* widget, const char* key) {
    CreateControl(widget);
    if (key)
        ppdKey.assign(key, strnlen(key, 255));
}

QString PPDStaticTextCtrl::OptionTitle(ppd_file_t* ppd, const std::string& key) {
    std::optional<std::string> title;
    if (ppd && !key.empty())
        GetUITitleFromPPD(ppd, key.c_str(), title);
    return title ? QString::fromStdString(*title) : QString();
}

void PPDStaticTextCtrl::SetText(const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(ControlPtr))
        label->setText(text);
}

bool PPDStaticTextCtrl::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    QString title = OptionTitle(ppd, ppdKey);
    if (title.isEmpty())
        return false;
    SetText(title);
    return true;
}

} // namespace KESTRANE_NS
