// A text control that shows a value without editing (a label or a read-only
// field); same record and blocks as a text field, plus a summary entry.
#pragma once

#include "TextEditCtrl.h"

namespace KESTRANE_NS {

class StaticTextEditControl : public TextEditCtrl {
public:
    StaticTextEditControl(QWidget* widget, const TextEditIniData* iniData,
                          const ControlConstrainTable* table,
                          const ControlDataAccessInfo* accessInfo, const char* userName,
                          const char* summaryTitleKey = nullptr);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool InvalidateData() override { return true; }
    bool InvalidateDataAndReturnError() override { return true; }
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;

private:
    const char* summaryTitleKey;
};

} // namespace KESTRANE_NS
