// The title text of a PPD option.
#pragma once

#include "BaseControl.h"

namespace KESTRANE_NS {

class PPDStaticTextCtrl : public BaseControl {
public:
    PPDStaticTextCtrl(QWidget* widget, const char* ppdKey);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    void setTargetandAction() override {}
    const std::string& GetPPDKey() const { return ppdKey; }
    // The option's translation text, empty when the option is missing.
    static QString OptionTitle(ppd_file_t* ppd, const std::string& key);

protected:
    void SetText(const QString& text);

    std::string ppdKey; // at most 255 bytes
};

} // namespace KESTRANE_NS
