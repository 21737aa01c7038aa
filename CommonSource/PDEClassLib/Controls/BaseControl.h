// The common base of every value-holding control of a panel: one widget, the
// static records that describe it, the committed value and the value last read
// from the widget, and the constraint lists its value drives.
#pragma once

#include "ControlPlatform.h"
#include "ControlRecords.h"

#include <cstdint>
#include <string>
#include <vector>

#include <QMetaObject>
#include <QString>

class QWidget;

namespace KESTRANE_NS {

class BasePrintPanel;

class BaseControl {
public:
    BaseControl() = default;
    virtual ~BaseControl(); // dealloc
    BaseControl(const BaseControl&) = delete;
    BaseControl& operator=(const BaseControl&) = delete;

    void CreateControl(QWidget* widget);
    void SetControlPtr(QWidget* widget);
    virtual int Open() { return 0; }
    virtual int Close() { return 0; }
    void SetParenetPanel(BasePrintPanel* panel) { ctrlParentPanelPtr = panel; }
    BasePrintPanel* GetParentPanel() const { return ctrlParentPanelPtr; }
    virtual void setTargetandAction();

    virtual bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd);
    virtual bool ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd);
    virtual int ConstrainPanelControlFromPPD(ppd_file_t*) { return 0; }
    virtual int UpdateConflictsPanelControlFromPPD(ppd_file_t*) { return 0; }

    virtual uint8_t* GetValueFromUI() { return nullptr; }
    virtual bool GetValueToPreset() { return false; }
    virtual uint8_t* GetValueFromControl() { return nullptr; }

    // Validation hooks; text controls replace them.
    virtual bool InvalidateData() { return true; }
    virtual bool InvalidateDataAndReturnError() { return true; }
    virtual bool InvalidateDataOnCancel() { return true; }
    virtual bool PreInvalidateData() { return true; }
    virtual bool PreInvalidateDataOnCancel() { return true; }
    virtual bool InvalidateDataOnPrintCommand();

    virtual void SetValueFromUIToControl();
    virtual bool SetControlValueToUI() { return true; }
    virtual void SetUIValueToIniData();
    virtual void SetControlValueToDefault();

    virtual bool ConvertToPreferenceString(std::string& out);
    virtual bool ConvertFromPreferenceString(const std::string& text);
    virtual bool ConvertToTickectData(std::string& out);

    virtual bool SetValueToPreference();
    virtual bool GetValueFromPreference();

    virtual bool SetValueToTicket(PMPrintSettings settings, bool lock,
                                  const std::vector<int>& encryptArray);
    virtual bool SetValueToTicketWithKSPEnc(PMPrintSettings settings, bool lock);
    virtual bool SetValueToTicket(PMPrintSettings settings, bool lock);

    virtual int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray);

    virtual bool UIEventHandler();
    virtual bool SimulationUIEventHandler();
    virtual int DoControlConstrain() { return 0; }
    virtual int DoControlHideConstrain() { return 0; }
    virtual int DoSelfUpdate() { return 0; }
    virtual int DoControlUpdateConstrain();

    void HideControlConstrains(const ControlTagList* tags);
    void EnableControlConstrains(const ControlTagList* tags);
    void ShowControlConstrains(const ControlTagList* tags);
    void DisableControlConstrains(const ControlTagList* tags);
    void HideControlConstrains();
    void ShowControlConstrains();
    void DisableControlConstrains();
    void EnableControlConstrains();

    virtual void ResetStatus();
    virtual bool SetControlData(const void*) { return true; }
    virtual bool SetExternalValueToUI(const void*, uint32_t) { return true; }
    virtual bool setExternalValueToData(const void* bytes, uint32_t size, int valueType);
    virtual bool SetDefaultValueToUI();

    virtual const void* GetDefaultDataBlk() const { return nullptr; }
    virtual uint32_t GetDefaultDataSize() const { return 0; }
    virtual const void* GetIniDataBlk() const { return nullptr; }
    virtual uint32_t GetIniDataSize() const { return 0; }

    uint8_t* GetControlBlkPtr() { return ctrlDataBlkPtr.empty() ? nullptr : ctrlDataBlkPtr.data(); }
    void setDataBlkSize(uint32_t size) { ctrlDataSize = size; }
    uint32_t GetDataBlkSize() const { return ctrlDataSize; }

    virtual void Enable();
    virtual void Disable();
    virtual void Show();
    virtual void Hide();
    void PPDCtrlShow();
    void PPDCtrlHide();
    virtual int Update() { return 0; }
    virtual int GetCurrentControlArrayNumber() { return 0; }
    virtual bool IsOutputNullToTicket() { return false; }
    virtual void RequestControlAction();

    QWidget* GetControlPtr() const { return ControlPtr; }
    uint8_t* GetValueFromUIDataBlk() {
        return ctrlUIDataBlkPtr.empty() ? nullptr : ctrlUIDataBlkPtr.data();
    }
    const std::vector<PDEChoiceRef>& getPPDChoices() const { return m_paPPDChoices; }
    void setPPDChoices(std::vector<PDEChoiceRef> choices) { m_paPPDChoices = std::move(choices); }
    ppd_option_t* getPPDOptions() const { return m_ptPPDOptions; }
    void setPPDOptions(ppd_option_t* option) { m_ptPPDOptions = option; }

    // Glue: the widget's tag (its integer property "tag"), -1 without widget.
    int GetControlTag() const;
    int GetConstrainCount() const { return ctrlConstrainCount; }
    int GetHideCount() const { return ctrlHideCount; }
    int GetGroup() const { return ctrlInWhichGroup; }
    void SetGroup(int group) { ctrlInWhichGroup = group; }
    const ControlDataAccessInfo* GetDataAccessInfo() const { return ctrlDataAccessInfoPtr; }
    const QString& GetLocalizeTableName() const { return LocalizeTableName; }
    const std::string& GetUserNameInPreference() const { return userNameinPreference; }

protected:
    // Value blocks: empty means absent.
    void AllocateValueBlocks(size_t size);
    int32_t ControlBlkInt() const;
    void SetControlBlkInt(int32_t value);
    int32_t UIBlkInt() const;
    void SetUIBlkInt(int32_t value);
    void StoreRecords(const ControlConstrainTable* table, const ControlDataAccessInfo* info,
                      const char* userName);
    // Applies a change of an integer value index (old taken from the UI block).
    int ApplyDisableLists(int newIndex, int oldIndex);
    int ApplyHideLists(int newIndex, int oldIndex);
    int ApplyUpdateList(int newIndex, int oldIndex);
    void TrackConnection(QMetaObject::Connection c) { widgetConnections.push_back(c); }
    void DropConnections();
    // The text stored under the ticket key in the panel's current print
    // settings; false without settings, ticket key or value block, or when
    // the read fails.
    bool ReadPresetText(std::string& text) const;
    // Writes already-formed text under the ticket key.
    bool StoreTicketText(PMPrintSettings settings, bool lock, std::string text);
    QString LocalizedText(const char* key, bool defaultTable = false) const;

    QWidget* ControlPtr = nullptr;
    int32_t ctrlInWhichGroup = -1;
    BasePrintPanel* ctrlParentPanelPtr = nullptr;
    uint32_t ctrlDataSize = 0;
    std::vector<uint8_t> ctrlDataBlkPtr;
    std::vector<uint8_t> ctrlUIDataBlkPtr;
    int32_t ctrlConstrainCount = 0;
    int32_t ctrlHideCount = 0;
    const ControlConstrainTable* ctrlConstrainControlArray = nullptr;
    const ControlDataAccessInfo* ctrlDataAccessInfoPtr = nullptr;
    std::string userNameinPreference;
    std::vector<PDEChoiceRef> m_paPPDChoices;
    ppd_option_t* m_ptPPDOptions = nullptr;
    QString LocalizeTableName;

    PDEBundleRef ctrlBundleRef = nullptr; // the bundle given at initialisation
    std::vector<QMetaObject::Connection> widgetConnections;
};

} // namespace KESTRANE_NS
