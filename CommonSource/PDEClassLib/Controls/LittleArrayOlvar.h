// A stepper with a title: an integer value kept within the record's range.
#pragma once

#include "BaseControl.h"

namespace KESTRANE_NS {

class LittleArrayOlvar : public BaseControl {
public:
    LittleArrayOlvar(QWidget* widget, const LittleArrayOlvarIniData* iniData,
                     const ControlConstrainTable* table, const ControlDataAccessInfo* accessInfo,
                     const char* userName, const QString& title);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    void SetRange(int minimum, int maximum); // SetRange:Max:
    bool SetControlValueToUI() override;
    bool SetExternalValueToUI(const void* value, uint32_t size) override;
    void SetValueFromUIToControl() override;
    uint8_t* GetValueFromUI() override;
    uint8_t* GetValueFromControl() override { return GetControlBlkPtr(); }
    bool ConvertToTickectData(std::string& out) override;
    bool GetValueToPreset() override;
    bool ConvertFromPreferenceString(const std::string& text) override;
    bool ConvertToPreferenceString(std::string& out) override;
    const void* GetDefaultDataBlk() const override;
    uint32_t GetDefaultDataSize() const override { return hasIniData ? 4 : 0; }
    const void* GetIniDataBlk() const override;
    uint32_t GetIniDataSize() const override { return hasIniData ? 4 : 0; }
    bool SetValueToTicket(PMPrintSettings settings, bool lock) override;
    using BaseControl::SetValueToTicket;
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;
    virtual bool ToGetSummaryText() { return true; }

    int GetValue() const { return ControlBlkInt(); }
    int GetLastValue() const { return lastValue; }
    bool IsInRange(int value) const;

protected:
    int WidgetValue() const;

    LittleArrayOlvarIniData iniData;
    bool hasIniData = false;
    QString titleString;
    int lastValue = 0;
};

} // namespace KESTRANE_NS
