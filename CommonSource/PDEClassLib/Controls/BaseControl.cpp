#include "BaseControl.h"

#include "BasePrintPanel.h"
#include "TicketText.h"

#include <QWidget>

#include <algorithm>
#include <cstring>

namespace KESTRANE_NS {

BaseControl::~BaseControl() {
    DropConnections();
}

void BaseControl::DropConnections() {
    for (auto& c : widgetConnections)
        QObject::disconnect(c);
    widgetConnections.clear();
}

void BaseControl::CreateControl(QWidget* widget) {
    DropConnections();
    ctrlDataSize = 0;
    ctrlDataBlkPtr.clear();
    ctrlUIDataBlkPtr.clear();
    ctrlConstrainCount = 0;
    ctrlHideCount = 0;
    ctrlConstrainControlArray = nullptr;
    ctrlDataAccessInfoPtr = nullptr;
    userNameinPreference.clear();
    m_paPPDChoices.clear();
    m_ptPPDOptions = nullptr;
    LocalizeTableName.clear();
    ctrlParentPanelPtr = nullptr;
    ControlPtr = widget;
    ctrlInWhichGroup = -1;
}

void BaseControl::SetControlPtr(QWidget* widget) {
    DropConnections();
    ControlPtr = widget;
}

void BaseControl::StoreRecords(const ControlConstrainTable* table,
                               const ControlDataAccessInfo* info, const char* userName) {
    ctrlConstrainControlArray = table;
    ctrlDataAccessInfoPtr = info;
    if (userName)
        userNameinPreference = userName;
}

int BaseControl::GetControlTag() const {
    return ControlPtr ? GetWidgetTag(ControlPtr) : -1;
}

void BaseControl::setTargetandAction() {
    DropConnections();
    if (ControlPtr)
        TrackConnection(ConnectWidgetAction(ControlPtr, [this] { RequestControlAction(); }));
}

bool BaseControl::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    ctrlBundleRef = bundle;
    if (ppd) {
        QString table = LocalizeTableNameFromPPD(ppd);
        if (!table.isEmpty())
            LocalizeTableName = table;
    }
    return true;
}

bool BaseControl::ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    return InitializeCtrl(bundle, ppd);
}

bool BaseControl::InvalidateDataOnPrintCommand() {
#ifdef KESTRANE_NO_OUTPUT_NULL_TICKET
    return true;
#else
    if (!PreInvalidateData())
        return false;
    return InvalidateData();
#endif
}

void BaseControl::SetValueFromUIToControl() {
    if (ctrlUIDataBlkPtr.empty() || ctrlDataBlkPtr.empty() || ctrlDataSize == 0)
        return;
    size_t n = std::min<size_t>({ctrlDataSize, ctrlUIDataBlkPtr.size(), ctrlDataBlkPtr.size()});
    std::memcpy(ctrlDataBlkPtr.data(), ctrlUIDataBlkPtr.data(), n);
}

void BaseControl::SetUIValueToIniData() {
    const void* ini = GetIniDataBlk();
    uint32_t size = GetIniDataSize();
    if (!ini || ctrlUIDataBlkPtr.empty())
        return;
    size = std::min<uint32_t>(size, static_cast<uint32_t>(ctrlUIDataBlkPtr.size()));
    std::memcpy(ctrlUIDataBlkPtr.data(), ini, size);
    ctrlDataSize = size;
}

void BaseControl::SetControlValueToDefault() {
    const void* def = GetDefaultDataBlk();
    uint32_t size = GetDefaultDataSize();
    if (!def || ctrlDataBlkPtr.empty())
        return;
    size = std::min<uint32_t>(size, static_cast<uint32_t>(ctrlDataBlkPtr.size()));
    std::memcpy(ctrlDataBlkPtr.data(), def, size);
    ctrlDataSize = size;
}

bool BaseControl::ConvertToPreferenceString(std::string&) {
    return true;
}
bool BaseControl::ConvertFromPreferenceString(const std::string&) {
    return true;
}
bool BaseControl::ConvertToTickectData(std::string&) {
    return true;
}

bool BaseControl::SetValueToPreference() {
    if (!ctrlDataAccessInfoPtr || !ctrlDataAccessInfoPtr->preferenceKey)
        return true;
    if (ctrlDataBlkPtr.empty())
        return false;
    // Settings for all users are only written by an administrator; for anyone
    // else there is nothing to do.
    if (!IsCurrentUserDomain(userNameinPreference) && !IsAdministrator())
        return true;
    std::string text;
    if (!ConvertToPreferenceString(text))
        return false;
    if (text.size() > 254)
        text.resize(254);
    std::string key;
    if (!ctrlParentPanelPtr ||
        !FormPerPrinterKey(ctrlDataAccessInfoPtr->preferenceKey,
                           ctrlParentPanelPtr->GetCurrentPrinterString(), key))
        return false;
    return WritePreferenceText(key, text, userNameinPreference);
}

bool BaseControl::GetValueFromPreference() {
    if (!ctrlDataAccessInfoPtr || !ctrlDataAccessInfoPtr->preferenceKey)
        return true;
    if (ctrlDataBlkPtr.empty())
        return false;
    std::string key;
    if (!ctrlParentPanelPtr ||
        !FormPerPrinterKey(ctrlDataAccessInfoPtr->preferenceKey,
                           ctrlParentPanelPtr->GetCurrentPrinterString(), key))
        return false;
    std::string text;
    if (!ReadPreferenceText(key, userNameinPreference, text) || text.size() > 254)
        return false;
    return ConvertFromPreferenceString(text);
}

bool BaseControl::SetValueToTicket(PMPrintSettings settings, bool lock,
                                   const std::vector<int>& encryptArray) {
    int tag = GetControlTag();
    bool protect = ControlPtr &&
                   std::find(encryptArray.begin(), encryptArray.end(), tag) != encryptArray.end();
    return protect ? SetValueToTicketWithKSPEnc(settings, lock) : SetValueToTicket(settings, lock);
}

bool BaseControl::ReadPresetText(std::string& text) const {
    BasePrintPanel* panel = ctrlParentPanelPtr;
    if (!panel || !panel->GetCurrentPMPrintSettings() || !ctrlDataAccessInfoPtr ||
        !ctrlDataAccessInfoPtr->ticketKey || ctrlDataBlkPtr.empty())
        return false;
    return ReadSettingsText(panel->GetCurrentPMPrintSettings(), ctrlDataAccessInfoPtr->ticketKey,
                            text);
}

bool BaseControl::StoreTicketText(PMPrintSettings settings, bool lock, std::string text) {
#ifndef KESTRANE_NO_OUTPUT_NULL_TICKET
    if (IsOutputNullToTicket())
        text.clear();
#endif
    return StoreSettingsText(settings, ctrlDataAccessInfoPtr->ticketKey, text, lock) == 0;
}

bool BaseControl::SetValueToTicketWithKSPEnc(PMPrintSettings settings, bool lock) {
    if (!ctrlDataAccessInfoPtr || !ctrlDataAccessInfoPtr->ticketKey)
        return false;
    std::string text;
    if (!ConvertToTickectData(text))
        return false;
    if (text.size() > 255)
        text.resize(255);
    std::string protectedText;
    if (!FormProtectedTicketString(text, protectedText))
        return false;
    return StoreTicketText(settings, lock, std::move(protectedText));
}

bool BaseControl::SetValueToTicket(PMPrintSettings settings, bool lock) {
    if (!ctrlDataAccessInfoPtr || !ctrlDataAccessInfoPtr->ticketKey)
        return false;
    std::string text;
    if (!ConvertToTickectData(text))
        return false;
    return StoreTicketText(settings, lock, FormTicketString(text));
}

int BaseControl::GetSummaryText(SummaryDictionary&, QStringList&) {
    return 0;
}

bool BaseControl::UIEventHandler() {
    DoControlUpdateConstrain();
    DoSelfUpdate();
    DoControlHideConstrain();
    DoControlConstrain();
    return true;
}

bool BaseControl::SimulationUIEventHandler() {
    DoControlUpdateConstrain();
    DoSelfUpdate();
    DoControlHideConstrain();
    DoControlConstrain();
    return true;
}

int BaseControl::DoControlUpdateConstrain() {
    if (!ctrlConstrainControlArray)
        return 0;
    const ControlTagList* list =
        GetConstrainList(ctrlConstrainControlArray->updateLists, GetCurrentControlArrayNumber());
    if (list && ctrlParentPanelPtr)
        for (int tag : *list)
            if (BaseControl* c = ctrlParentPanelPtr->GetPanelControl(tag))
                c->Update();
    return 0;
}

// Sends one counted request to every control of a tag list; unknown tags are
// skipped.
template <typename Fn>
static void ForEachTagged(BasePrintPanel* panel, const ControlTagList* tags, Fn fn) {
    if (!tags || !panel)
        return;
    for (int tag : *tags)
        if (BaseControl* c = panel->GetPanelControl(tag))
            fn(c);
}

void BaseControl::HideControlConstrains(const ControlTagList* tags) {
    ForEachTagged(ctrlParentPanelPtr, tags, [](BaseControl* c) { c->Hide(); });
}
void BaseControl::EnableControlConstrains(const ControlTagList* tags) {
    ForEachTagged(ctrlParentPanelPtr, tags, [](BaseControl* c) { c->Enable(); });
}
void BaseControl::ShowControlConstrains(const ControlTagList* tags) {
    ForEachTagged(ctrlParentPanelPtr, tags, [](BaseControl* c) { c->Show(); });
}
void BaseControl::DisableControlConstrains(const ControlTagList* tags) {
    ForEachTagged(ctrlParentPanelPtr, tags, [](BaseControl* c) { c->Disable(); });
}

void BaseControl::HideControlConstrains() {
    int index = GetCurrentControlArrayNumber();
    if (index >= 0 && ctrlConstrainControlArray)
        HideControlConstrains(GetConstrainList(ctrlConstrainControlArray->hideLists, index));
}
void BaseControl::ShowControlConstrains() {
    int index = GetCurrentControlArrayNumber();
    if (index >= 0 && ctrlConstrainControlArray)
        ShowControlConstrains(GetConstrainList(ctrlConstrainControlArray->hideLists, index));
}
void BaseControl::DisableControlConstrains() {
    int index = GetCurrentControlArrayNumber();
    if (index >= 0 && ctrlConstrainControlArray)
        DisableControlConstrains(GetConstrainList(ctrlConstrainControlArray->disableLists, index));
}
void BaseControl::EnableControlConstrains() {
    int index = GetCurrentControlArrayNumber();
    if (index >= 0 && ctrlConstrainControlArray)
        EnableControlConstrains(GetConstrainList(ctrlConstrainControlArray->disableLists, index));
}

int BaseControl::ApplyDisableLists(int newIndex, int oldIndex) {
    if (!ctrlConstrainControlArray || newIndex == oldIndex)
        return 0;
    DisableControlConstrains(GetConstrainList(ctrlConstrainControlArray->disableLists, newIndex));
    if (oldIndex >= 0)
        EnableControlConstrains(
            GetConstrainList(ctrlConstrainControlArray->disableLists, oldIndex));
    return 0;
}

int BaseControl::ApplyHideLists(int newIndex, int oldIndex) {
    if (!ctrlConstrainControlArray || newIndex == oldIndex)
        return 0;
    HideControlConstrains(GetConstrainList(ctrlConstrainControlArray->hideLists, newIndex));
    if (oldIndex >= 0)
        ShowControlConstrains(GetConstrainList(ctrlConstrainControlArray->hideLists, oldIndex));
    return 0;
}

int BaseControl::ApplyUpdateList(int newIndex, int oldIndex) {
    if (!ctrlConstrainControlArray || newIndex == oldIndex)
        return 0;
    const ControlTagList* list = GetConstrainList(ctrlConstrainControlArray->updateLists, newIndex);
    ForEachTagged(ctrlParentPanelPtr, list, [](BaseControl* c) { c->Update(); });
    return 0;
}

void BaseControl::ResetStatus() {
    ctrlConstrainCount = 0;
    ctrlHideCount = 0;
    if (!ControlPtr)
        return;
    if (!IsWidgetEnabled(ControlPtr))
        ControlPtr->setEnabled(true);
    if (ControlPtr->isHidden())
        ControlPtr->setHidden(false);
}

bool BaseControl::setExternalValueToData(const void* bytes, uint32_t size, int valueType) {
    if (!bytes || ctrlDataBlkPtr.empty())
        return true;
    if (valueType == 0) {
        std::fill_n(ctrlDataBlkPtr.begin(), std::min<size_t>(256, ctrlDataBlkPtr.size()), 0);
        std::memcpy(ctrlDataBlkPtr.data(), bytes, std::min<size_t>(size, ctrlDataBlkPtr.size()));
    } else if (valueType == 2) {
        int32_t v;
        std::memcpy(&v, bytes, sizeof v);
        SetControlBlkInt(v);
    }
    return true;
}

bool BaseControl::SetDefaultValueToUI() {
    if (!ctrlDataBlkPtr.empty() && GetDefaultDataBlk())
        SetExternalValueToUI(GetDefaultDataBlk(), GetDefaultDataSize());
    return true;
}

void BaseControl::Disable() {
    ++ctrlConstrainCount;
    if (ctrlConstrainCount >= 1 && ControlPtr && IsWidgetEnabled(ControlPtr))
        ControlPtr->setEnabled(false);
}

// The counters never go below 0: releasing a list that was never applied (the
// value shown first had no previous value) must not cancel a later Disable.
void BaseControl::Enable() {
    if (ctrlConstrainCount > 0)
        --ctrlConstrainCount;
    if (ctrlConstrainCount <= 0 && ControlPtr && !IsWidgetEnabled(ControlPtr))
        ControlPtr->setEnabled(true);
}

void BaseControl::Hide() {
    ++ctrlHideCount;
    if (ctrlHideCount >= 1 && ControlPtr)
        ControlPtr->setHidden(true);
}

void BaseControl::Show() {
    if (ctrlHideCount > 0)
        --ctrlHideCount;
    if (ctrlHideCount <= 0 && ControlPtr)
        ControlPtr->setHidden(false);
}

void BaseControl::PPDCtrlShow() {
    if (ControlPtr)
        ControlPtr->setHidden(false);
}

void BaseControl::PPDCtrlHide() {
    if (ControlPtr)
        ControlPtr->setHidden(true);
}

void BaseControl::RequestControlAction() {
    UIEventHandler();
    GetValueFromUI();
}

void BaseControl::AllocateValueBlocks(size_t size) {
    ctrlDataBlkPtr.assign(size, 0);
    ctrlUIDataBlkPtr.assign(size, 0);
}

int32_t BaseControl::ControlBlkInt() const {
    int32_t v = 0;
    if (ctrlDataBlkPtr.size() >= sizeof v)
        std::memcpy(&v, ctrlDataBlkPtr.data(), sizeof v);
    return v;
}

void BaseControl::SetControlBlkInt(int32_t value) {
    if (ctrlDataBlkPtr.size() >= sizeof value)
        std::memcpy(ctrlDataBlkPtr.data(), &value, sizeof value);
}

int32_t BaseControl::UIBlkInt() const {
    int32_t v = 0;
    if (ctrlUIDataBlkPtr.size() >= sizeof v)
        std::memcpy(&v, ctrlUIDataBlkPtr.data(), sizeof v);
    return v;
}

void BaseControl::SetUIBlkInt(int32_t value) {
    if (ctrlUIDataBlkPtr.size() >= sizeof value)
        std::memcpy(ctrlUIDataBlkPtr.data(), &value, sizeof value);
}

QString BaseControl::LocalizedText(const char* key, bool defaultTable) const {
    return LocalizedString(ctrlBundleRef, key, defaultTable ? QString() : LocalizeTableName);
}

} // namespace KESTRANE_NS
