#include "StaticTextEditControl.h"

#include <QLineEdit>

namespace KESTRANE_NS {

StaticTextEditControl::StaticTextEditControl(QWidget* widget, const TextEditIniData* ini,
                                             const ControlConstrainTable* table,
                                             const ControlDataAccessInfo* accessInfo,
                                             const char* userName, const char* summaryKey)
    : TextEditCtrl(widget, ini, table, accessInfo, userName, nullptr), summaryTitleKey(summaryKey) {
}

bool StaticTextEditControl::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    if (auto* edit = qobject_cast<QLineEdit*>(ControlPtr))
        edit->setReadOnly(true);
    AllocateValueBlocks(kTextEditBlockSize);
    ctrlDataSize = 0;
    return true;
}

bool StaticTextEditControl::ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    return BaseControl::InitializeCtrl(bundle, ppd);
}

int StaticTextEditControl::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    if (!summaryTitleKey || ctrlDataBlkPtr.empty())
        return 0;
    QString title = LocalizedText(summaryTitleKey);
    dict.insert(title, QString::fromStdString(GetText()));
    orderArray.append(title);
    return 0;
}

} // namespace KESTRANE_NS
