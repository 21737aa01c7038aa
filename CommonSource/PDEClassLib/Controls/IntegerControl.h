// What the integer-valued controls (check boxes, radio buttons, pop-up lists,
// steppers) have in common: a 4-byte value block, "%d" ticket and preference
// texts, and the default and initial values taken from the second and third
// fields of their initial-data record. Each control says only how its widget
// shows and gives its value.
#pragma once

#include "BaseControl.h"

#include <cstdlib>
#include <cstring>

namespace KESTRANE_NS {

template <typename IniRecord> class IntegerControl : public BaseControl {
public:
    bool SetControlValueToUI() override {
        ShowWidgetValue(ControlBlkInt());
        return true;
    }
    bool SetExternalValueToUI(const void* value, uint32_t) override {
        if (!ControlPtr || !IsWidgetEnabled(ControlPtr) || !value)
            return false;
        int32_t v;
        std::memcpy(&v, value, sizeof v);
        ShowWidgetValue(v);
        return true;
    }
    void SetValueFromUIToControl() override {
        if (ControlPtr)
            SetControlBlkInt(UIBlkInt());
    }
    uint8_t* GetValueFromUI() override {
        SetUIBlkInt(WidgetValue());
        return GetValueFromUIDataBlk();
    }
    uint8_t* GetValueFromControl() override { return GetControlBlkPtr(); }
    bool ConvertToTickectData(std::string& out) override {
        out = std::to_string(ControlBlkInt());
        return true;
    }
    bool GetValueToPreset() override {
        std::string text;
        if (!ReadPresetText(text))
            return false;
        SetControlBlkInt(std::atoi(text.c_str()));
        return true;
    }
    bool ConvertFromPreferenceString(const std::string& text) override {
        SetControlBlkInt(std::atoi(text.c_str()));
        return true;
    }
    bool ConvertToPreferenceString(std::string& out) override {
        out = std::to_string(ControlBlkInt());
        return true;
    }
    const void* GetDefaultDataBlk() const override {
        return hasIniData ? &iniData.defaultValue : nullptr;
    }
    uint32_t GetDefaultDataSize() const override { return hasIniData ? 4 : 0; }
    const void* GetIniDataBlk() const override {
        return hasIniData ? &iniData.initialValue : nullptr;
    }
    uint32_t GetIniDataSize() const override { return hasIniData ? 4 : 0; }

    // The committed value.
    int GetValue() const { return ControlBlkInt(); }

protected:
    IntegerControl(QWidget* widget, const IniRecord* ini, const ControlConstrainTable* table,
                   const ControlDataAccessInfo* accessInfo, const char* userName) {
        CreateControl(widget);
        if (ini) {
            iniData = *ini;
            hasIniData = true;
        }
        StoreRecords(table, accessInfo, userName);
        ctrlDataSize = 4;
    }

    // The value the widget shows (the UI value when there is no widget).
    virtual int WidgetValue() const = 0;
    // Shows a value in the widget without raising its action.
    virtual void ShowWidgetValue(int value) = 0;
    // Both value blocks, 4 bytes of 0.
    void AllocateIntegerBlocks() {
        AllocateValueBlocks(4);
        ctrlDataSize = 4;
    }

    IniRecord iniData{};
    bool hasIniData = false;
};

} // namespace KESTRANE_NS
