#include "VersionStringSText.h"

#include "PluginBundle.h"

#include <QLabel>
#include <QLineEdit>

namespace KESTRANE_NS {

void VersionStringSText::CreateControl(QWidget* widget, const char* titleText, bool cdf) {
    BaseControl::CreateControl(widget);
    title = titleText;
    cdfSupported = cdf;
}

QString VersionStringSText::VersionText(const QString& version, bool cdf) {
    return QStringLiteral("ver.") + version + (cdf ? QString() : QStringLiteral("."));
}

bool VersionStringSText::InitializeTitle(PDEBundleRef bundle) {
    if (!bundle)
        return false;
    QString version =
        QString::fromStdString(bundle->InfoString("CFBundleShortVersionString").value_or(""));
    QString text = VersionText(version, cdfSupported);
    if (auto* label = qobject_cast<QLabel*>(ControlPtr))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(ControlPtr))
        edit->setText(text);
    else
        return false;
    return true;
}

bool VersionStringSText::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    InitializeTitle(bundle);
    if (ControlPtr)
        ControlPtr->setHidden(true);
    return true;
}

} // namespace KESTRANE_NS
