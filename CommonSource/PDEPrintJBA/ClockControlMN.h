// Time-of-day picker of the delayed print window. The ticket carries the full
// date and time the printer waits for; the preferences keep the time of day.
#pragma once

#include "BaseControl.h"

namespace KESTRANE_NS {

class ClockControlMN : public BaseControl {
public:
    ClockControlMN(QWidget* widget, const ControlDataAccessInfo* accessInfo, const char* userName);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    void setTargetandAction() override;
    bool SetControlValueToUI() override;
    uint8_t* GetValueFromUI() override;
    uint8_t* GetValueFromControl() override { return GetControlBlkPtr(); }
    bool GetValueToPreset() override;
    bool ConvertToTickectData(std::string& out) override;
    bool ConvertToPreferenceString(std::string& out) override;
    bool ConvertFromPreferenceString(const std::string& text) override;
    const void* GetDefaultDataBlk() const override;
    uint32_t GetDefaultDataSize() const override { return sizeof defaultTime; }
    const void* GetIniDataBlk() const override { return GetDefaultDataBlk(); }
    uint32_t GetIniDataSize() const override { return sizeof defaultTime; }
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;

    int32_t GetHour() const;
    int32_t GetMinute() const;
    // Sets the committed time and shows it.
    void SetTime(int32_t hour, int32_t minute);

private:
    void SetBlock(std::vector<uint8_t>& block, int32_t hour, int32_t minute);
    mutable int32_t defaultTime[2] = {0, 0};
};

} // namespace KESTRANE_NS
