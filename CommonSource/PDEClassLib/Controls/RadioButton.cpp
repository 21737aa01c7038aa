#include "RadioButton.h"

#include <algorithm>
#include <cstring>

namespace KESTRANE_NS {

void RadioGroup::AddRadio(RadioButton* button) {
    if (!button || std::find(radioArray.begin(), radioArray.end(), button) != radioArray.end())
        return;
    radioArray.push_back(button);
    radioCount = static_cast<int>(radioArray.size());
}

int RadioGroup::IndexOfTag(int tag) const {
    for (size_t i = 0; i < radioArray.size(); ++i)
        if (radioArray[i]->GetControlTag() == tag)
            return static_cast<int>(i);
    return -1;
}

void RadioGroup::GetValueFromUI() {
    for (RadioButton* button : radioArray)
        button->GetValueFromUI();
}

static CheckBoxIniData CheckBoxPartOf(const RadioButtonIniData* ini) {
    CheckBoxIniData out;
    if (ini) {
        out.firstField = ini->firstField;
        out.defaultValue = ini->defaultValue;
        out.initialValue = ini->initialValue;
        out.titleKey = ini->titleKey;
    }
    return out;
}

RadioButton::RadioButton(QWidget* widget, const RadioButtonIniData* ini,
                         const ControlConstrainTable* table,
                         const ControlDataAccessInfo* accessInfo, const char* userName,
                         RadioGroup* group)
    : CheckBox(widget, nullptr, table, accessInfo, userName), radioGroup(group) {
    if (ini) {
        radioIniData = *ini;
        iniData = CheckBoxPartOf(ini);
        hasIniData = true;
    }
    // Radio titles come from the default table.
    useDefaultTable = true;
    if (radioGroup)
        radioGroup->AddRadio(this);
}

void RadioButton::SetGrpcurRadio() {
    if (radioGroup)
        radioGroup->SetcurRadio(radioGroup->IndexOfTag(GetControlTag()));
}

int RadioButton::GetRadioIndex() const {
    return radioGroup ? radioGroup->IndexOfTag(GetControlTag()) : -1;
}

bool RadioButton::SetControlValueToUI() {
    CheckBox::SetControlValueToUI();
    if (ControlBlkInt() > 0)
        SetGrpcurRadio();
    return true;
}

bool RadioButton::UIEventHandler() {
    BaseControl::UIEventHandler();
    SetGrpcurRadio();
    if (radioGroup) {
        // The button the click turned off releases its own lists too;
        // otherwise they would stay applied after the group reads it.
        for (RadioButton* other : radioGroup->GetRadioArray())
            if (other != this && other->WidgetValue() != other->UIBlkInt())
                other->BaseControl::UIEventHandler();
        radioGroup->GetValueFromUI();
    }
    return true;
}

bool RadioButton::SimulationUIEventHandler() {
    if (radioGroup && radioGroup->GetcurRadio() < 0)
        radioGroup->SetcurRadio(0);
    return CheckBox::SimulationUIEventHandler();
}

bool RadioButton::setExternalValueToData(const void* bytes, uint32_t size, int valueType) {
    if (!bytes)
        return true;
    int32_t v;
    std::memcpy(&v, bytes, sizeof v);
    SetControlBlkInt(v);
    if (v > 0)
        SetGrpcurRadio();
    (void)size;
    (void)valueType;
    return true;
}

} // namespace KESTRANE_NS
