#include "ClockControlMN.h"

#include "BasePrintPanel.h"
#include "DelayPrintTime.h"

#include <QTime>
#include <QTimeEdit>

#include <cstring>

namespace KESTRANE_NS {

ClockControlMN::ClockControlMN(QWidget* widget, const ControlDataAccessInfo* accessInfo,
                               const char* userName) {
    CreateControl(widget);
    StoreRecords(nullptr, accessInfo, userName);
}

bool ClockControlMN::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    if (ctrlDataBlkPtr.empty()) {
        AllocateValueBlocks(sizeof defaultTime);
        GetDefaultDataBlk();
        SetBlock(ctrlDataBlkPtr, defaultTime[0], defaultTime[1]);
        SetBlock(ctrlUIDataBlkPtr, defaultTime[0], defaultTime[1]);
    }
    ctrlDataSize = sizeof defaultTime;
    return true;
}

void ClockControlMN::setTargetandAction() {
    DropConnections();
    if (auto* edit = qobject_cast<QTimeEdit*>(ControlPtr))
        TrackConnection(QObject::connect(edit, &QTimeEdit::timeChanged, edit,
                                         [this](QTime) { RequestControlAction(); }));
}

const void* ClockControlMN::GetDefaultDataBlk() const {
    // The picker starts at the present time of day.
    std::time_t now = CurrentDelayPrintClock()();
    std::tm local{};
    localtime_r(&now, &local);
    defaultTime[0] = local.tm_hour;
    defaultTime[1] = local.tm_min;
    return defaultTime;
}

void ClockControlMN::SetBlock(std::vector<uint8_t>& block, int32_t hour, int32_t minute) {
    if (block.size() < sizeof defaultTime)
        return;
    int32_t value[2] = {hour, minute};
    std::memcpy(block.data(), value, sizeof value);
}

int32_t ClockControlMN::GetHour() const {
    int32_t value[2] = {0, 0};
    if (ctrlDataBlkPtr.size() >= sizeof value)
        std::memcpy(value, ctrlDataBlkPtr.data(), sizeof value);
    return value[0];
}

int32_t ClockControlMN::GetMinute() const {
    int32_t value[2] = {0, 0};
    if (ctrlDataBlkPtr.size() >= sizeof value)
        std::memcpy(value, ctrlDataBlkPtr.data(), sizeof value);
    return value[1];
}

void ClockControlMN::SetTime(int32_t hour, int32_t minute) {
    SetBlock(ctrlDataBlkPtr, hour, minute);
    SetBlock(ctrlUIDataBlkPtr, hour, minute);
    SetControlValueToUI();
}

bool ClockControlMN::SetControlValueToUI() {
    auto* edit = qobject_cast<QTimeEdit*>(ControlPtr);
    if (!edit)
        return false;
    edit->setTime(QTime(GetHour(), GetMinute()));
    return true;
}

uint8_t* ClockControlMN::GetValueFromUI() {
    auto* edit = qobject_cast<QTimeEdit*>(ControlPtr);
    if (!edit || ctrlUIDataBlkPtr.empty())
        return GetValueFromUIDataBlk();
    SetBlock(ctrlUIDataBlkPtr, edit->time().hour(), edit->time().minute());
    return GetValueFromUIDataBlk();
}

bool ClockControlMN::GetValueToPreset() {
    if (!ctrlParentPanelPtr || !ctrlDataAccessInfoPtr || !ctrlDataAccessInfoPtr->ticketKey ||
        ctrlDataBlkPtr.empty())
        return false;
    std::string text;
    int32_t hour = 0, minute = 0;
    if (!ReadSettingsText(ctrlParentPanelPtr->GetCurrentPMPrintSettings(),
                          ctrlDataAccessInfoPtr->ticketKey, text) ||
        !ParseTimeOfDay(text, hour, minute))
        return false;
    SetBlock(ctrlDataBlkPtr, hour, minute);
    return true;
}

bool ClockControlMN::ConvertToTickectData(std::string& out) {
    if (ctrlDataBlkPtr.empty())
        return false;
    out = FormDelayPrintTime(GetHour(), GetMinute(), CurrentDelayPrintClock()());
    return true;
}

bool ClockControlMN::ConvertToPreferenceString(std::string& out) {
    if (ctrlDataBlkPtr.empty())
        return false;
    out = FormTimeOfDay(GetHour(), GetMinute());
    return true;
}

bool ClockControlMN::ConvertFromPreferenceString(const std::string& text) {
    int32_t hour = 0, minute = 0;
    if (ctrlDataBlkPtr.empty() || !ParseTimeOfDay(text, hour, minute))
        return false;
    SetBlock(ctrlDataBlkPtr, hour, minute);
    return true;
}

int ClockControlMN::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    QString title = LocalizedText("Summary Print Time");
    dict.insert(title, QString::fromStdString(FormTimeOfDay(GetHour(), GetMinute())));
    orderArray.append(title);
    return 0;
}

} // namespace KESTRANE_NS
