// Radio buttons and their group. Each button is a control with value 0 or 1;
// the group knows which of its buttons is the current one.
#pragma once

#include "CheckBox.h"

#include <vector>

namespace KESTRANE_NS {

class RadioButton;

class RadioGroup {
public:
    void AddRadio(RadioButton* button);
    const std::vector<RadioButton*>& GetRadioArray() const { return radioArray; }
    int GetRadioCount() const { return radioCount; }
    int GetcurRadio() const { return curRadio; }
    void SetcurRadio(int index) { curRadio = index; }
    // Index of the button whose widget has the tag; -1 when none.
    int IndexOfTag(int tag) const;
    // Reads every button's widget into its UI value.
    void GetValueFromUI();

private:
    std::vector<RadioButton*> radioArray; // not owned: the panel owns controls
    int radioCount = 0;
    int curRadio = -1;
};

class RadioButton : public CheckBox {
public:
    // RadioButton:IniData:Constrain:AccessInfo:usernamein: (and its group)
    RadioButton(QWidget* widget, const RadioButtonIniData* iniData,
                const ControlConstrainTable* table, const ControlDataAccessInfo* accessInfo,
                const char* userName, RadioGroup* group);

    bool SetControlValueToUI() override;
    bool UIEventHandler() override;
    bool SimulationUIEventHandler() override;
    bool setExternalValueToData(const void* bytes, uint32_t size, int valueType) override;
    void SetGrpcurRadio();
    int GetRadioIndex() const;
    RadioGroup* GetRadioGroup() const { return radioGroup; }
    const RadioButtonIniData& GetRadioIniData() const { return radioIniData; }

private:
    RadioGroup* radioGroup = nullptr;
    RadioButtonIniData radioIniData;
};

} // namespace KESTRANE_NS
