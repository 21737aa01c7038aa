// The watermark panel: the printer's list of named watermarks ("None" first),
// new, edit and delete, the print layer and first-page-only choices, and on
// print the chosen watermark's keys for the filter.
#pragma once

#include "CheckBox.h"
#include "PDEPrintPanel.h"
#include "PopupControl.h"
#include "WatermarkPicture.h"
#include "WatermarkRecord.h"
#include "WatermarkTicketValues.h"

#include <string>
#include <vector>

namespace KESTRANE_NS {

class LayoutPDEmtk;
class WatermarkEditPanelMN;

// A summary line with the list's chosen item under the title of the key.
void AddPopupSummary(PopupControl* control, const char* titleKey, SummaryDictionary& dict,
                     QStringList& orderArray);

// The print layer list: over (1) or under (2) the page.
class WMListCtrlMN : public PopupControl {
public:
    explicit WMListCtrlMN(QWidget* widget);
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;
};

// "Print on page 1 only".
class WMCheckBoxMN : public CheckBox {
public:
    explicit WMCheckBoxMN(QWidget* widget);
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;
};

// The watermark list: item 1 "None", item k + 2 record k. It writes the
// chosen record's name (empty for "None" or when the watermark cannot be
// printed) and finds the record again by name.
class WMOptionListCtrlMN : public PopupControl {
public:
    WMOptionListCtrlMN(QWidget* widget, LayoutPDEmtk* panel);
    bool InitializeMenu(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool ConvertToTickectData(std::string& out) override;
    bool GetValueToPreset() override;
    bool ConvertToPreferenceString(std::string& out) override;
    bool ConvertFromPreferenceString(const std::string& text) override;
    bool UIEventHandler() override;
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;
    // Selects list value `value` as the committed and shown value.
    void Select(int value);
    int Shown() const { return WidgetValue(); }

private:
    // The list value of the record of that name; 1 when there is none.
    int ValueForName(const std::string& name, bool refusePictures) const;
    LayoutPDEmtk* panel;
};

class LayoutPDEmtk : public PDEPrintPanel {
public:
    explicit LayoutPDEmtk(PDECallbackRef callback);
    ~LayoutPDEmtk() override;

    bool shouldHide() override;
    bool shouldPrint() override;

    const WatermarkRecordList& Records() const { return records; }
    int GetProductsType() const { return iProductsType; }
    void SetProductsType(int type) { iProductsType = type; }
    void SetProductType(int productType) override;
    bool getPrintTypeMailbox() const { return isPrintTypeSavetoMailbox; }
    int getOrientation() const { return orientation; }
    // The paper of the job, as the filter is told.
    WatermarkPaperRect PMGetPhysicalPaperSize() const;
    // The name written for the list's value ("" for "None" or a watermark
    // that cannot be printed).
    std::string TicketName(int listValue) const;
    // Whether a picture record's file can be read now.
    static bool PictureLoads(const WatermarkRecord& record);

    // Buttons.
    void OnNew();
    void OnEdit();
    void OnDelete();
    void OnRestore();
    void SelectionChanged();

    // Loads and saves the eighteen arrays.
    void GetWMArrayValue();
    bool SetWMArrayValue();

protected:
    bool LoadPanelControls() override;
    BaseControl* GetHelpButtonControl() override { return helpButton; }
    void SaveValuesToTicket(PrintSettings* settings) override;
    void ValuesShown() override;

private:
    void RefreshPageFormat();
    void RefreshMailboxFlag();
    void RebuildList(int selectValue);
    bool OpenEditWindow(int editedIndex);
    // Makes the ticket values of the chosen record, for a print with its
    // picture file; false when the person chose not to print after a failure.
    bool PrepareTicket(bool forPrint);
    void ForgetPreparedPicture();

    WatermarkRecordList records;
    WMOptionListCtrlMN* list = nullptr;
    BaseControl* helpButton = nullptr;
    WatermarkEditPanelMN* editWindow = nullptr;
    std::vector<std::string> fonts;
    int defaultFont = 0;
    WatermarkPaperRect curPaperSize;
    int orientation = 1;
    int iProductsType = 1;
    bool isPrintTypeSavetoMailbox = false;
    // What the next ticket write puts down.
    WatermarkTicketValues prepared;
    bool preparedFailed = false;
    bool preparingPrint = false;
    std::string preparedPicture; // the spool file this panel made last
};

} // namespace KESTRANE_NS
