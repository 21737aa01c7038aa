// The plug-in's version text: "ver." and the bundle's short version, with a
// "." appended when the PPD names no constraint cache. Hidden at
// initialisation; panels show it on request.
#pragma once

#include "BaseControl.h"

namespace KESTRANE_NS {

class VersionStringSText : public BaseControl {
public:
    VersionStringSText() = default;
    // CreateControl:withTitle:CDFSupport:
    void CreateControl(QWidget* widget, const char* title, bool cdfSupported);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool InitializeTitle(PDEBundleRef bundle);
    bool IsCDFSupported() const { return cdfSupported; }
    void setTargetandAction() override {}
    // The text shown for a version.
    static QString VersionText(const QString& version, bool cdfSupported);

private:
    using BaseControl::CreateControl;
    const char* title = nullptr;
    bool cdfSupported = false;
};

} // namespace KESTRANE_NS
