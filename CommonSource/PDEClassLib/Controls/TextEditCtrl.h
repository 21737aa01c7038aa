// A text field: 256 bytes of UTF-8 text, the size field holds its display
// width; a formatter limits what can be typed, InvalidateData checks the
// width range and the filter before the value is saved.
#pragma once

#include "BaseControl.h"
#include "InputFilter.h"
#include "TextEditFormatter.h"

#include <QPointer>

namespace KESTRANE_NS {

class TextEditCtrl : public BaseControl {
public:
    TextEditCtrl(QWidget* widget, const TextEditIniData* iniData,
                 const ControlConstrainTable* table, const ControlDataAccessInfo* accessInfo,
                 const char* userName, const TextEditFilterData* filterData);
    ~TextEditCtrl() override;

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
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
    uint32_t GetDefaultDataSize() const override;
    const void* GetIniDataBlk() const override;
    uint32_t GetIniDataSize() const override;
    void SetControlValueToDefault() override;
    bool InvalidateData() override;
    bool InvalidateDataAndReturnError() override;
    virtual void ShowErrMsg();
    void CorrectCtrlUI();

    // The committed text.
    std::string GetText() const;
    // The text the widget shows now.
    std::string GetWidgetText() const;
    TextEditFormatter* GetFormatter() const { return formatter; }
    const TextEditFilterData* GetFilterData() const { return filterData; }

protected:
    // The check of InvalidateData without the message.
    bool IsTextAcceptable(const std::string& text) const;
    void AttachFormatter();
    void SetWidgetText(const QString& text);
    void StoreText(std::vector<uint8_t>& block, const std::string& text);
    static std::string BlockText(const std::vector<uint8_t>& block);

    TextEditIniData iniData;
    bool hasIniData = false;
    const TextEditFilterData* filterData = nullptr;
    QPointer<TextEditFormatter> formatter; // owned by the widget
};

} // namespace KESTRANE_NS
