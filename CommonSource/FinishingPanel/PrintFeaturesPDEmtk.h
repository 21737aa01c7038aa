// The finishing panel: controls built from the PPD's finishing options,
// paged in groups behind a group pop-up, the extras with their option
// windows, and the rules the job type and the special pages impose.
#pragma once

#include "FinishingKeys.h"
#include "FinishingWindowValues.h"
#include "PDEPrintPanel.h"

#include <memory>
#include <set>

namespace KESTRANE_NS {

class BaseControl;
class FeaturesOptionWindow;
class PFCheckBoxMN;
class PFGroupListMN;
class PFListMN;
class PFNonPPDCheckBoxMN;
class PPDStaticTextCtrlExt;

class PrintFeaturesPDEmtk : public PDEPrintPanel {
public:
    explicit PrintFeaturesPDEmtk(PDECallbackRef callback);
    ~PrintFeaturesPDEmtk() override;

    int Open() override;
    int InitializeUserPane(PDEBundleRef bundle, ppd_file_t* ppd) override;
    int UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) override;
    int SetValueFromUIToControl() override;
    int SetValueToTicket(PMPrintSettings settings, bool lock,
                         const std::vector<int>& encryptArray) override;
    using BasePrintPanel::SetValueToTicket;
    int GetValueFromPreference() override;
    int SetValueToPreference() override;
    bool GetValueFromPreset() override;
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;
    QVariantMap summaryInfo() override;

    // Queries of the controls and windows.
    bool IsTabMarginShift() const;
    bool IsTrimmer() const;
    bool IsBookletMarginShift() const;
    bool IsNumberInSequence() const;
    bool IsSeparatorOff() const;
    bool IsOffsetStacking() const;
    int getOffsetStackingValue() const;
    bool IsJobTypeMailbox() const;
    bool IsSpecialPage() const;
    bool getPrintTypeMailbox() const { return isPrintTypeSavetoMailbox; }
    bool getSpecialPage() const { return isSpecialPage; }
    const KeyList& getSavetoMailboxConstrainArray() const { return kKVMailboxConstrainArray; }
    const KeyList& getSavetoMailboxConstrainandRestoreArray() const {
        return kKVMailboxConstrainandRestoreDefaultArray;
    }
    const KeyList& getSpecialPageConstrainandRestoreArray() const {
        return kKVSpecialPageConstrainandRestoreDefaultArray;
    }
    FeaturesOptionWindow* GetOptionWindow(FinishingWindow window) const;
    QWidget* GetFeaturesGroupBox() const { return groupBox; }
    const std::string& GetPrintFeaturesMode() const { return PrintFeaturesMode; }
    bool IsLayoutPanelExist() const { return isLayoutPanelExist; }
    // The PPD keywords that have a control.
    const std::vector<std::string>& GetPPDKeywordList() const { return kvPPDKeywordList; }

    // A cover or separator list feeds from the multi-purpose tray.
    bool IsAnySheetFromMSI() const;
    // Each setup button is usable only while its option is in effect.
    void UpdateSetupButtons();
    void ShowGroupPage(int page);
    // Runs an option window; true when closed with OK.
    bool OpenOptionWindow(FinishingWindow window);
    // A window cancelled with a field that does not hold switches its option
    // off (the separator list back to its first choice).
    void SwitchOffAfterCancel(FinishingWindow window);
    FinishingWindowValues& WindowValues() { return windowValues; }
    // The trimmer's half length and ranges for the marked paper and booklet.
    TrimmerValues CurrentTrimmerValues() const;

protected:
    std::vector<std::string> PanelPPDOptionKeys() override;
    bool LoadPanelControls() override;
    void ValuesShown() override;

private:
    struct Row;
    void RefreshJobFlags();
    // GetCurrentProductType: the mode and whether the bundle serves it.
    bool GetCurrentProductType(ppd_file_t* ppd);
    int AddUserPaneControl(ppd_file_t* ppd);
    void LoadConstraintIndex(ppd_file_t* ppd);
    void AddOptionWindows();
    void LayoutRows();
    bool HasWindow(FinishingWindow window) const { return GetOptionWindow(window) != nullptr; }
    TicketEntries WrittenWindowEntries() const;
    BaseControl* MakeButton(int tag, const char* titleKey, int group, FinishingWindow window);

    std::string PrintFeaturesMode;
    bool isLayoutPanelExist = false;
    bool isPrintTypeSavetoMailbox = false;
    bool isSpecialPage = false;
    bool inService = false;
    int buildStatus = 0;
    std::vector<std::string> kvPPDKeywordList;
    std::vector<std::unique_ptr<Row>> rows;
    QWidget* groupBox = nullptr;
    PFGroupListMN* groupList = nullptr;
    PFListMN* separatorList = nullptr;
    PFListMN* frontCoverList = nullptr;
    PFListMN* backCoverList = nullptr;
    PFListMN* offsetStackingList = nullptr;
    PFCheckBoxMN* tabMarginSwitch = nullptr;
    PFCheckBoxMN* numInSeqSwitch = nullptr;
    PFCheckBoxMN* trimmerSwitch = nullptr;
    PFNonPPDCheckBoxMN* bookletSwitch = nullptr;
    std::vector<std::pair<int, BaseControl*>> setupButtons; // tag, button
    std::vector<FeaturesOptionWindow*> optionWindows;       // owned by the base panel
    FinishingWindowValues windowValues;
    std::unique_ptr<CQuickXPPDIndex> ownIndex;
};

} // namespace KESTRANE_NS
