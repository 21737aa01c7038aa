// What the PPD-bound controls add to their base control: the option keyword
// they are bound to, the option and its choices looked up in the panel's PPD,
// and the rule that they write no ticket key: the choice travels as a PPD mark
// of the job, reported to the host, after which the panel re-evaluates the
// conflicts of every PPD control.
#pragma once

#include "BaseControl.h"
#include "XPPDConstraints.h"

#include <cstring>
#include <string>

namespace KESTRANE_NS {

template <typename Control> class PPDBoundControl : public Control {
public:
    bool SetValueToTicket(PMPrintSettings, bool) override { return true; }
    using Control::SetValueToTicket;
    bool BaseSetValueToTicket(PMPrintSettings settings, bool lock) {
        return BaseControl::SetValueToTicket(settings, lock);
    }
    bool UIEventHandler() override;
    // Without a ticket key the value is the choice marked in the PPD.
    bool GetValueToPreset() override;
    // Marks the choice of the shown value in the PPD and reports it.
    virtual bool SetPPD(ppd_file_t* ppd) = 0;

    const std::string& GetPPDKey() const { return ppdKey; }

protected:
    template <typename IniRecord>
    PPDBoundControl(QWidget* widget, const char* key, const IniRecord* ini,
                    const ControlConstrainTable* table, const ControlDataAccessInfo* accessInfo,
                    const char* userName)
        : Control(widget, ini, table, accessInfo, userName) {
        if (key)
            ppdKey.assign(key, strnlen(key, 255));
    }

    // The value of the choice marked in the PPD; false when none is.
    virtual bool MarkedValue(ppd_file_t* ppd, int& value) = 0;
    ppd_file_t* PanelPPD() const;
    // Looks the option up in the PPD and makes its choice array.
    void BindPPDOption(ppd_file_t* ppd);
    // Marks a choice of the option in the PPD and reports it to the host;
    // false without PPD or keyword.
    bool MarkChoice(ppd_file_t* ppd, const char* choice);
    // The option's PPD information list through the panel's constraint
    // index; false (and an empty list) without PPD, index or keyword.
    bool FillPPDInfoList(ppd_file_t* ppd, PPDUIList& list) const;
    // The PPD's default choice replaces the record's default value.
    void TakeDefaultValue(int value);

    std::string ppdKey; // at most 255 bytes
    QString optionTitle;
};

} // namespace KESTRANE_NS
