#include "SpecialPagesPDEm14.h"

#include "BaseButton.h"
#include "InterfaceFile.h"
#include "NumberUnit.h"
#include "PDEPlugInEntry.h"
#include "PDEResourceAccess.h"
#include "PaperWindows.h"
#include "QueueLocality.h"
#include "SPSummaryScrollViewCtrl.h"
#include "SpecialPagesTags.h"
#include "SpecialPagesTicket.h"
#include "SpecialPagesWindows.h"
#include "VersionStringSText.h"
#include "XPPD.h"

#include "PageFormat.h"
#include "PlatformServices.h"
#include "PluginBundle.h"
#include "PrintSettings.h"
#include "SpoolFiles.h"

#include <QComboBox>
#include <QLabel>
#include <QWidget>

#include <cstdlib>

// The PPD is read through libcups' PPD interface.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

namespace {

const char* const kTypeKeys[3] = {"Cover String", "Insert String", "Exception String"};
const char* const kPrintingKeys[4] = {"Blank or Pre-Printed String", "Print On Side One String",
                                      "Print On Side Two String", "Print On Both Sides String"};
const char* const kSidesKeys[4] = {"No Change Option String", "1 Side Print Option String",
                                   "2 Side Print Option String", "2 Side Short Edge Option String"};

QWidget* LoadWindow(const char* name) {
    PluginBundle* bundle = GetPDEPlugInBundle();
    const std::string path = bundle ? bundle->PathForResource(name, "ui") : std::string();
    return path.empty() ? nullptr : LoadInterfaceFile(QString::fromStdString(path));
}

} // namespace

SpecialPagesPDEm14::SpecialPagesPDEm14(PDECallbackRef callback)
    : PDEPrintPanel(callback, "com.kestrane.mtk.pde.SpecialPagesKind") {
    SetHelpBookNameKey("Help Book Name");
}

QString SpecialPagesPDEm14::Text(const char* key) const {
    return SPLocalized(key, LocalizeTableName);
}

std::vector<std::string> SpecialPagesPDEm14::supportedPPDOptionKeys() {
    LoadConstraintIndexFromCache("SpecialPagesPDE");
    return {};
}

bool SpecialPagesPDEm14::LoadPanelControls() {
    using namespace SPTag;
    QWidget* view = GetPanelControlPtr();
    auto addButton = [&](int tag, const char* key, std::function<void()> action) {
        auto* button = new BaseButton(FindTaggedWidget(view, tag), key);
        button->SetPressAction([action] {
            action();
            return true;
        });
        RunTimeAddNewControl(button);
        return button;
    };
    addButton(kAddCovers, "Add Covers Btn", [this] { OpenWindowForType(kSPCover, 1); });
    addButton(kAddInserts, "Add Inserts Btn", [this] { OpenWindowForType(kSPInsert, 1); });
    addButton(kAddExceptions, "Add Exceptions Btn", [this] { OpenWindowForType(kSPException, 1); });
    table = new SPSummaryScrollViewCtrl(FindTaggedWidget(view, kSummaryTable));
    table->SetRowTexts([this](const SpecialPageRecord& r) { return RowTexts(r); });
    table->SetSelectionHandler([this] { UpdateButtons(); });
    table->SetDoubleClickHandler([this] {
        if (table->List().CanEdit(table->SelectedRows()))
            EditSelected();
    });
    RunTimeAddNewControl(table);
    auto* version = new VersionStringSText();
    version->CreateControl(FindTaggedWidget(view, kVersionText), nullptr, false);
    RunTimeAddNewControl(version);
    buttons[0] = addButton(kUp, "Up Btn", [this] { Move(true); });
    buttons[1] = addButton(kDown, "Down Btn", [this] { Move(false); });
    buttons[2] = addButton(kEdit, "Edit Btn", [this] { EditSelected(); });
    buttons[3] = addButton(kDelete, "Delete Btn", [this] { DeleteSelected(); });
    buttons[4] = addButton(kDeleteAll, "Delete All Btn", [this] { DeleteAll(); });
    buttons[5] = addButton(kUndo, "Undo Btn", [this] { Undo(); });
    helpButton = addButton(kHelp, nullptr, [this] { ShowHelp("SpecialPagesMain"); });
    if (auto* title = FindTaggedWidgetAs<QLabel>(view, kTableTitle))
        title->setText(Text("Special Pages Summary Scroll View Title"));

    auto addWindow = [&](auto* window) {
        RunTimeAddNewWindow(window);
        return window;
    };
    if (QWidget* w = LoadWindow("SPAddCoversWnd"))
        coversWindow = addWindow(new SPAddCoversWndMN(w, this));
    if (QWidget* w = LoadWindow("SPAddInsertWnd"))
        insertWindow = addWindow(new SPAddInsertWndMN(w, this));
    if (QWidget* w = LoadWindow("SPAddExceptionWnd"))
        exceptionWindow = addWindow(new SPAddExceptionWndMN(w, this));
    if (QWidget* w = LoadWindow("SPCustomSizeWnd"))
        customWindow = addWindow(new SPCustomSizeWndMN(w, this));
    if (QWidget* w = LoadWindow("SPAdvSeleWnd"))
        advancedWindow = addWindow(new SPAdvSeleWndMN(w, this));
    if (QWidget* w = LoadWindow("SPWarningWnd"))
        warningWindow = addWindow(new SPWarningWndMN(w, this));
    for (const auto& window : GetChildWindows())
        window->SetParenetPane(this);
    return true;
}

BaseControl* SpecialPagesPDEm14::GetHelpButtonControl() {
    return helpButton;
}

QStringList SpecialPagesPDEm14::RowTexts(const SpecialPageRecord& r) const {
    const int type = r.Type();
    QString page = QString::fromStdString(r.Get("page"));
    if (r.IsFrontCover())
        page = Text("Front String");
    else if (r.IsBackCover())
        page = Text("Back String");
    else if (type == kSPInsert && r.Get("insertoption") == "1")
        page = Text("Before Page one String");

    QString paperText;
    if (r.Get("interposer") == "true") {
        paperText = Text("Tray Interposer String");
    } else {
        const PaperChoices choices = ReadPaperChoices(GetCurrentPPD());
        auto title = [&](const std::vector<PaperChoice>& list, int index) -> QString {
            if (index < 0 || index >= static_cast<int>(list.size()))
                return Text("No Change Option String");
            return QString::fromStdString(list[static_cast<std::size_t>(index)].text);
        };
        QString size = title(choices.sizes, r.IntField("pagesize"));
        if (r.IntField("pagesize") >= 0 && r.IntField("pagesize") == choices.customSizeIndex) {
            std::string w = r.Get("width"), l = r.Get("length");
            if (r.Get("longmeasure") == "0") {
                w = TransformMillimetreToInchs(&w).value_or(w);
                l = TransformMillimetreToInchs(&l).value_or(l);
            }
            for (std::string* v : {&w, &l})
                if (v->find('.') == std::string::npos)
                    *v += ".0";
            size =
                QString::fromStdString(w + " x " + l + " ") +
                Text(r.Get("longmeasure") == "0" ? "Custom Size Inch Text" : "Custom Size MM Text");
        }
        paperText = size + QStringLiteral(", ") + title(choices.colors, r.IntField("pagecolor")) +
                    QStringLiteral(", ") + title(choices.types, r.IntField("pagetype"));
    }
    QString setup;
    if (type == kSPCover)
        setup = Text(kPrintingKeys[std::clamp(r.IntField("printingoptions"), 0, 3)]);
    else if (type == kSPInsert)
        setup = Text("Quantity String").arg(r.IntField("insertquantity"));
    else
        setup = Text(kSidesKeys[std::clamp(r.IntField("twoSidePrint"), 0, 3)]);
    setup += QStringLiteral("; ") + paperText;
    return {page, type >= 0 ? Text(kTypeKeys[type]) : QString(), setup};
}

void SpecialPagesPDEm14::RefreshTable() {
    if (table)
        table->upDateView();
}

void SpecialPagesPDEm14::UpdateButtons() {
    if (!table)
        return;
    const SpecialPageList& list = table->List();
    const RowSet rows = table->SelectedRows();
    const bool enabled[6] = {list.CanMoveUp(rows), list.CanMoveDown(rows), list.CanEdit(rows),
                             list.CanDelete(rows), list.CanDeleteAll(),    undo.IsEnabled()};
    // The state follows the list alone, so it is set, not counted as a constraint.
    for (int i = 0; i < 6; ++i)
        if (QWidget* widget = buttons[i] ? buttons[i]->GetControlPtr() : nullptr)
            widget->setEnabled(enabled[i]);
}

void SpecialPagesPDEm14::toMakeChange() {
    if (table)
        undo.Take(table->List(), table->SelectedRows());
    UpdateButtons();
}

void SpecialPagesPDEm14::OpenWindowForType(int type, int tableStatus) {
    if (!table)
        return;
    table->setSummaryScrollViewStatus(tableStatus);
    bool changed = false;
    if (type == kSPCover && coversWindow)
        changed = coversWindow->Run(tableStatus);
    else if (type == kSPInsert && insertWindow)
        changed = insertWindow->Run(tableStatus);
    else if (type == kSPException && exceptionWindow)
        changed = exceptionWindow->Run(tableStatus);
    if (changed)
        RefreshTable();
    UpdateButtons();
}

void SpecialPagesPDEm14::EditSelected() {
    const SpecialPageRecords chosen = table->getArrayOfCurrentSelectedRecords();
    if (chosen.empty() || !table->List().CanEdit(table->SelectedRows()))
        return;
    OpenWindowForType(chosen.front().Type(), kSPStatusEditing);
}

bool SpecialPagesPDEm14::sureToMakeChange(int which) {
    return warningWindow && warningWindow->Ask(which);
}

void SpecialPagesPDEm14::DeleteSelected() {
    const RowSet rows = table->SelectedRows();
    if (rows.empty() || !sureToMakeChange(0))
        return;
    toMakeChange();
    table->List().MarkRows({});
    table->List().DeleteRows(rows);
    table->setSummaryScrollViewStatus(kSPStatusAdding);
    RefreshTable();
}

void SpecialPagesPDEm14::DeleteAll() {
    if (!table->List().CanDeleteAll() || !sureToMakeChange(1))
        return;
    toMakeChange();
    table->List().deleteAllItem();
    RefreshTable();
}

void SpecialPagesPDEm14::Move(bool up) {
    const RowSet rows = table->SelectedRows();
    SpecialPageList& list = table->List();
    if (up ? !list.CanMoveUp(rows) : !list.CanMoveDown(rows))
        return;
    toMakeChange();
    const RowSet moved = up ? list.MoveUp(rows) : list.MoveDown(rows);
    list.MarkRows(moved);
    table->setSummaryScrollViewStatus(kSPStatusAdding);
    RefreshTable();
}

void SpecialPagesPDEm14::Undo() {
    RowSet rows;
    if (!undo.Restore(table->List(), rows))
        return;
    table->setSummaryScrollViewStatus(kSPStatusIdle);
    RefreshTable();
    table->SelectRows(rows);
    UpdateButtons();
}

void SpecialPagesPDEm14::OpenAdvanced(SPSubMenuListCtrlMN* paper, QComboBox*, int) {
    if (advancedWindow)
        advancedWindow->RunFor(paper);
}

void SpecialPagesPDEm14::OpenCustomSize(SPSubMenuListCtrlMN* paper) {
    if (customWindow)
        customWindow->RunFor(paper);
}

QString SpecialPagesPDEm14::JobSettingText() const {
    ppd_file_t* ppd = GetCurrentPPD();
    if (!ppd)
        return {};
    char colorKey[PPD_MAX_NAME] = {};
    FixPPDKeywordAccordingToType(ppd, "KRMediaColor", colorKey, sizeof colorKey);
    QString text;
    for (const char* keyword : {"PageSize", static_cast<const char*>(colorKey), "MediaType"}) {
        ppd_option_t* option = ppdFindOption(ppd, keyword);
        ppd_choice_t* marked = option ? ppdFindMarkedChoice(ppd, keyword) : nullptr;
        if (!marked)
            return {};
        text += QString::fromUtf8(option->text) + QStringLiteral(": ") +
                QString::fromUtf8(marked->text) + QLatin1Char('\n');
    }
    return text;
}

void SpecialPagesPDEm14::ShowHelp(const char* pageName) {
    // The page of the resource the PPD names: "SpecialPagesCover_" + "Main.htm".
    const std::string main = GetHelpPageName();
    const std::string prefix = "SpecialPagesMain_";
    std::string page = std::string(pageName) + ".htm";
    if (main.rfind(prefix, 0) == 0)
        page = std::string(pageName) + "_" + main.substr(prefix.size());
    GotoHelpPage(GetPDEPlugInBundle(), page.c_str(), nullptr, "Help Book Name");
}

bool SpecialPagesPDEm14::IsJobTypeMailbox() const {
    std::string key, text;
    if (!FormPerPrinterKey(kPrintTypeReferenceKey, GetCurrentPrinterString(), key) ||
        !ReadPreferenceText(key, "", text))
        return true;
    return std::atoi(text.c_str()) != kSPMailboxJobType;
}

KPIFJobPaper SpecialPagesPDEm14::getCurrentSystemPrintingSetting() const {
    double width = 0, length = 0;
    if (PageFormat* format =
            GetCurrentPDECallbackObj() ? GetCurrentPDECallbackObj()->pageFormat() : nullptr) {
        const PMRect paper = format->GetUnadjustedPaperRect();
        width = paper.right - paper.left;
        length = paper.bottom - paper.top;
    }
    return GetCurrentSystemPrintingSetting(GetCurrentPPD(), width, length);
}

bool SpecialPagesPDEm14::AskPrintWithout(const char* messageKey) {
    AlertRequest request;
    request.message = Text(messageKey).toStdString();
    if (PluginBundle* bundle = GetPDEPlugInBundle())
        request.iconPath = bundle->PathForResource("AlertIcon", "png");
    request.buttons = {Text("Print Without Special Pages Btn").toStdString(),
                       Text("Cancel Print Btn").toStdString()};
    request.parent = GetPanelControlPtr() ? GetPanelControlPtr()->window() : nullptr;
    return Services().RunAlert(request) == 0;
}

bool SpecialPagesPDEm14::outputKPIFCommand(PMPrintSettings settings, bool lock) {
    if (!settings || !table)
        return true;
    const SpecialPageRecords& records = table->List().Records();
    if (!records.empty() && LocateQueue(GetCurrentPrinterString()) == QueueLocation::Remote) {
        // The filter runs on another host and would never see the file.
        RemoveKPIFCommand(settings);
        return AskPrintWithout("Remote Queue Message");
    }
    const KPIFOutput out =
        OutputKPIFCommand(settings, records, getCurrentSystemPrintingSetting(), lock);
    switch (out.outcome) {
    case KPIFOutcome::Written:
    case KPIFOutcome::NoRecords:
        return true;
    case KPIFOutcome::SpoolUnusable:
        return AskPrintWithout(KPIFOutcomeMessage(out.outcome));
    default:
        ShowErrMsg(KPIFOutcomeMessage(out.outcome));
        return false;
    }
}

bool SpecialPagesPDEm14::saveValuesAndReturnError(QString* error) {
    PrintSettings* settings = GetCurrentPMPrintSettings();
    if (!settings) {
        if (error)
            *error = QStringLiteral("the dialog gave no print settings");
        return false;
    }
    // Only a print makes a job ticket; a saved ticket path would outlive its file.
    RemoveKPIFCommand(settings);
    SaveValuesToTicket(settings);
    return true;
}

bool SpecialPagesPDEm14::shouldPrint() {
    if (IsFirstInitialize())
        SimulationOpenPDE();
    PrintSettings* settings = GetCurrentPMPrintSettings();
    if (IsFirstInitialize() || !settings)
        return true;
    if (!IsJobTypeMailbox()) {
        // A mailbox job carries no special pages, not even an earlier job's.
        RemoveKPIFCommand(settings);
        settings->RemoveValue(kSpecialPageRecordCountTicket);
    } else if (!outputKPIFCommand(settings, false)) {
        return false;
    }
    SaveValuesToTicket(settings);
    return true;
}

} // namespace KESTRANE_NS
