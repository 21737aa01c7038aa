// The record table of the special pages panel: a view over the special-page
// list with the page, type and setup columns. It restores the list from the
// print settings and stores it back; selecting follows the list's rules (front
// and back covers together).
#pragma once

#include "BaseControl.h"
#include "SpecialPageList.h"

#include <functional>

class QTableWidget;

namespace KESTRANE_NS {

enum SPTableStatus { kSPStatusIdle = 0, kSPStatusAdding = 1, kSPStatusEditing = 2 };

class SPSummaryScrollViewCtrl : public BaseControl {
public:
    // The three column texts of a record.
    using RowTexts = std::function<QStringList(const SpecialPageRecord&)>;

    explicit SPSummaryScrollViewCtrl(QWidget* table);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    void setTargetandAction() override;
    bool GetValueToPreset() override;
    void SetControlValueToDefault() override {}
    bool SetControlValueToUI() override;
    bool SetValueToTicket(PMPrintSettings settings, bool lock,
                          const std::vector<int>& encryptArray) override;
    bool SetValueToTicket(PMPrintSettings settings, bool lock) override;

    SpecialPageList& List() { return list; }
    void SetRowTexts(RowTexts texts) { rowTexts = std::move(texts); }
    void SetSelectionHandler(std::function<void()> handler) {
        selectionHandler = std::move(handler);
    }
    void SetDoubleClickHandler(std::function<void()> handler) {
        doubleClickHandler = std::move(handler);
    }

    // Rebuilds the rows; with status 1 the marked records are selected again.
    void upDateView();
    void setSummaryScrollViewStatus(int status) { tableStatus = status; }
    int getSummaryScrollViewStatus() const { return tableStatus; }
    RowSet SelectedRows() const;
    // Selects exactly these rows (no extension).
    void SelectRows(const RowSet& rows);
    int selectedItemCount() const { return static_cast<int>(SelectedRows().size()); }
    SpecialPageRecords getArrayOfCurrentSelectedRecords() const;
    QString getTipInformationByRow(int row) const;

private:
    void SelectionChanged();

    QTableWidget* tableWidget = nullptr;
    SpecialPageList list;
    int tableStatus = kSPStatusIdle;
    bool updating = false;
    RowTexts rowTexts;
    std::function<void()> selectionHandler;
    std::function<void()> doubleClickHandler;
};

} // namespace KESTRANE_NS
