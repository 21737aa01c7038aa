#include "PPDCheckBox.h"

#include "BasePrintPanel.h"
#include "XPPD.h"

#include <QAbstractButton>

#include <cstring>

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

PPDCheckBox::PPDCheckBox(QWidget* widget, const char* key, const CheckBoxIniData* ini,
                         const ControlConstrainTable* table,
                         const ControlDataAccessInfo* accessInfo, const char* userName)
    : PPDBoundControl(widget, key, ini, table, accessInfo, userName) {}

bool PPDCheckBox::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    std::optional<std::string> title;
    if (ppd)
        GetUITitleFromPPD(ppd, ppdKey.c_str(), title);
    optionTitle = title ? QString::fromStdString(*title) : QString();
    bool ok = CheckBox::InitializeCtrl(bundle, ppd);
    BindPPDOption(ppd);
    int value = 0;
    if (GetDefaultValueFromPPD(ppd, &value))
        TakeDefaultValue(value);
    return ok;
}

bool PPDCheckBox::InitializeTitle(PDEBundleRef bundle) {
    if (hasIniData && iniData.titleKey)
        return CheckBox::InitializeTitle(bundle);
    // Without a title key the option's own text is the title.
    if (auto* button = qobject_cast<QAbstractButton*>(ControlPtr); button && !optionTitle.isEmpty())
        button->setText(optionTitle);
    return true;
}

bool PPDCheckBox::GetDefaultValueFromPPD(ppd_file_t* ppd, int* value) {
    if (!ppd || !value)
        return false;
    std::optional<std::string> def;
    GetUIDefaultFromPPD(ppd, ppdKey.c_str(), def);
    if (!def)
        return false;
    *value = *def == "True" ? 1 : 0;
    return true;
}

ppd_choice_t* PPDCheckBox::ChoiceForValue(int value) const {
    if (!m_ptPPDOptions)
        return nullptr;
    const char* wanted = value ? "True" : "False";
    for (int i = 0; i < m_ptPPDOptions->num_choices; ++i)
        if (std::strcmp(m_ptPPDOptions->choices[i].choice, wanted) == 0)
            return &m_ptPPDOptions->choices[i];
    return nullptr;
}

bool PPDCheckBox::PPDMarkOptionByIndex(ppd_file_t* ppd, int value) {
    if (!ppd || ppdKey.empty())
        return false;
    if (!m_ptPPDOptions)
        BindPPDOption(ppd);
    ppd_choice_t* choice = ChoiceForValue(value);
    return choice && MarkChoice(ppd, choice->choice);
}

bool PPDCheckBox::SetPPD(ppd_file_t* ppd) {
    return PPDMarkOptionByIndex(ppd, WidgetValue());
}

bool PPDCheckBox::MarkedValue(ppd_file_t* ppd, int& value) {
    ppd_choice_t* marked = ppdFindMarkedChoice(ppd, ppdKey.c_str());
    if (!marked)
        return false;
    value = std::strcmp(marked->choice, "True") == 0 ? 1 : 0;
    return true;
}

int PPDCheckBox::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    if (ctrlDataBlkPtr.empty())
        return 0;
    ppd_choice_t* choice = ChoiceForValue(ControlBlkInt());
    if (!choice)
        return 0;
    QString title = optionTitle;
    if (auto* button = qobject_cast<QAbstractButton*>(ControlPtr);
        button && !button->text().isEmpty())
        title = button->text();
    dict.insert(title, QString::fromUtf8(choice->text));
    orderArray.append(title);
    return 0;
}

} // namespace KESTRANE_NS

#pragma GCC diagnostic pop
