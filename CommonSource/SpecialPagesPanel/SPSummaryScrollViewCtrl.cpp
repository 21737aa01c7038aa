#include "SPSummaryScrollViewCtrl.h"

#include "BasePrintPanel.h"
#include "SPPaperMenu.h"
#include "SpecialPagesTicket.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableWidget>

namespace KESTRANE_NS {

SPSummaryScrollViewCtrl::SPSummaryScrollViewCtrl(QWidget* table)
    : tableWidget(qobject_cast<QTableWidget*>(table)) {
    CreateControl(table);
}

bool SPSummaryScrollViewCtrl::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    if (!tableWidget)
        return false;
    tableWidget->setColumnCount(3);
    tableWidget->setHorizontalHeaderLabels({SPLocalized("Page(s) Title", LocalizeTableName),
                                            SPLocalized("Type Title", LocalizeTableName),
                                            SPLocalized("Setup Title", LocalizeTableName)});
    tableWidget->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableWidget->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tableWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableWidget->verticalHeader()->setVisible(false);
    tableWidget->horizontalHeader()->setStretchLastSection(true);
    return true;
}

void SPSummaryScrollViewCtrl::setTargetandAction() {
    DropConnections();
    if (!tableWidget)
        return;
    TrackConnection(QObject::connect(tableWidget, &QTableWidget::itemSelectionChanged, tableWidget,
                                     [this] { SelectionChanged(); }));
    TrackConnection(QObject::connect(tableWidget, &QTableWidget::cellDoubleClicked, tableWidget,
                                     [this](int, int) {
                                         if (doubleClickHandler)
                                             doubleClickHandler();
                                     }));
}

bool SPSummaryScrollViewCtrl::GetValueToPreset() {
    SpecialPageRecords records;
    if (!RestoreSpecialPageList(
            GetParentPanel() ? GetParentPanel()->GetCurrentPMPrintSettings() : nullptr, records))
        return false;
    list.Records() = std::move(records);
    return true;
}

bool SPSummaryScrollViewCtrl::SetControlValueToUI() {
    tableStatus = kSPStatusIdle;
    upDateView();
    return true;
}

bool SPSummaryScrollViewCtrl::SetValueToTicket(PMPrintSettings settings, bool lock,
                                               const std::vector<int>&) {
    return SetValueToTicket(settings, lock);
}

bool SPSummaryScrollViewCtrl::SetValueToTicket(PMPrintSettings settings, bool lock) {
    return StoreSpecialPageList(settings, list.Records(), lock);
}

void SPSummaryScrollViewCtrl::upDateView() {
    if (!tableWidget)
        return;
    updating = true;
    tableWidget->clearSelection();
    tableWidget->setRowCount(list.allItemCount());
    for (int row = 0; row < list.allItemCount(); ++row) {
        const QStringList texts =
            rowTexts ? rowTexts(*list.getRecordByIndex(row)) : QStringList{"", "", ""};
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(texts.value(column));
            tableWidget->setItem(row, column, item);
        }
        for (int column = 0; column < 3; ++column)
            tableWidget->item(row, column)->setToolTip(getTipInformationByRow(row));
    }
    if (tableStatus == kSPStatusAdding)
        SelectRows(list.MarkedRows());
    else if (tableStatus == kSPStatusEditing)
        list.MarkRows({});
    updating = false;
    if (selectionHandler)
        selectionHandler();
}

RowSet SPSummaryScrollViewCtrl::SelectedRows() const {
    RowSet rows;
    if (!tableWidget || !tableWidget->selectionModel())
        return rows;
    for (const QModelIndex& index : tableWidget->selectionModel()->selectedRows())
        rows.insert(index.row());
    return rows;
}

void SPSummaryScrollViewCtrl::SelectRows(const RowSet& rows) {
    if (!tableWidget || !tableWidget->selectionModel())
        return;
    const bool wasUpdating = updating;
    updating = true;
    QItemSelection selection;
    for (int row : rows)
        if (row >= 0 && row < tableWidget->rowCount())
            selection.select(tableWidget->model()->index(row, 0),
                             tableWidget->model()->index(row, 2));
    tableWidget->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    updating = wasUpdating;
}

void SPSummaryScrollViewCtrl::SelectionChanged() {
    if (updating)
        return;
    const RowSet rows = SelectedRows();
    const RowSet extended = list.ExtendSelection(rows);
    if (extended != rows)
        SelectRows(extended);
    list.MarkRows(extended);
    if (selectionHandler)
        selectionHandler();
}

SpecialPageRecords SPSummaryScrollViewCtrl::getArrayOfCurrentSelectedRecords() const {
    SpecialPageRecords out;
    for (int row : SelectedRows())
        if (const SpecialPageRecord* r = list.getRecordByIndex(row))
            out.push_back(*r);
    return out;
}

QString SPSummaryScrollViewCtrl::getTipInformationByRow(int row) const {
    if (!tableWidget || row < 0 || row >= tableWidget->rowCount() || !tableWidget->item(row, 2))
        return {};
    return SPLocalized("Page(s) Title", LocalizeTableName) + QStringLiteral(" ") +
           tableWidget->item(row, 0)->text() + QStringLiteral(";  ") +
           tableWidget->item(row, 1)->text() + QStringLiteral(";  ") +
           tableWidget->item(row, 2)->text();
}

} // namespace KESTRANE_NS
