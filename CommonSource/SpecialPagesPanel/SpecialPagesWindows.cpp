#include "SpecialPagesWindows.h"

#include "BaseButton.h"
#include "PageListSyntax.h"
#include "SPSummaryScrollViewCtrl.h"
#include "SpecialPagesPDEm14.h"
#include "SpecialPagesTags.h"

#include "InterfaceFile.h"

#include "PluginBundle.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPixmap>
#include <QSpinBox>
#include <QStandardItemModel>

namespace KESTRANE_NS {

namespace {

const std::vector<const char*> kCoversItems = {"No Covers String", "Front Only String",
                                               "Back Only String", "Front and Back Same String",
                                               "Front and Back Different String"};
const std::vector<const char*> kPrintingItems = {
    "Blank or Pre-Printed String", "Print On Side One String", "Print On Side Two String",
    "Print On Both Sides String"};
const std::vector<const char*> kInsertItems = {"After String", "Before Page one String"};
const std::vector<const char*> kSidesItems = {
    "No Change Option String", "1 Side Print Option String", "2 Side Print Option String",
    "2 Side Short Edge Option String"};

void SetItemEnabled(QComboBox* combo, int index, bool enabled) {
    if (auto* model = qobject_cast<QStandardItemModel*>(combo ? combo->model() : nullptr))
        if (QStandardItem* item = model->item(index))
            item->setEnabled(enabled);
}

void SetItemHidden(QComboBox* combo, int index, bool hidden) {
    if (auto* view = qobject_cast<QListView*>(combo ? combo->view() : nullptr))
        view->setRowHidden(index, hidden);
}

int Current(const QComboBox* combo) {
    return combo ? combo->currentIndex() : 0;
}

void SetCurrent(QComboBox* combo, int index) {
    if (combo && index >= 0 && index < combo->count())
        combo->setCurrentIndex(index);
}

SpecialPageRecord NewRecord(int type, const std::string& page) {
    SpecialPageRecord r;
    r.Set("type", std::to_string(type));
    r.Set("page", page);
    r.SetSelected(false);
    return r;
}

std::string JoinInts(const std::vector<int>& values) {
    std::string out;
    for (int v : values)
        out += (out.empty() ? "" : ",") + std::to_string(v);
    return out;
}

} // namespace

// ---- The common window ----

void AddOptionWindowButtons(PopupWinInPanel* window, QWidget* dialog, int tagBase,
                            std::function<void(int)> press) {
    const std::pair<int, const char*> keys[] = {{SPTag::kOK, "Special Pages OK Btn"},
                                                {SPTag::kCancel, "Special Pages CANCEL Btn"},
                                                {SPTag::kRestore, "Special Pages RESTORE Btn"},
                                                {SPTag::kWindowHelp, nullptr}};
    for (const auto& [offset, key] : keys) {
        QWidget* widget = FindTaggedWidget(dialog, tagBase + offset);
        if (!widget)
            continue;
        auto* button = new BaseButton(widget, key);
        button->SetPressAction([press, which = offset] {
            press(which);
            return true;
        });
        window->RunTimeAddNewControl(button);
    }
}

SPOptionWindow::SPOptionWindow(QWidget* dialog, const char* add, const char* edit, int base,
                               const char* help, SpecialPagesPDEm14* owner)
    : panel(owner), tagBase(base), addTitle(add), editTitle(edit), helpName(help) {
    PopupWinInPanelInit(dialog, add);
    AddOptionWindowButtons(this, dialog, tagBase, [this](int which) {
        if (which == SPTag::kOK) {
            OnOK();
        } else if (which == SPTag::kCancel) {
            DeactivateWindow(1);
        } else if (which == SPTag::kRestore) {
            RestoreDefaults();
            ApplyRules();
        } else {
            panel->ShowHelp(helpName);
        }
    });
}

SPOptionWindow::~SPOptionWindow() {
    // The paper lists point into the window; they go with their owner first.
    terminate();
    delete windowRef;
}

int SPOptionWindow::InitializeUserPane(PDEBundleRef bundle, ppd_file_t* ppd) {
    PopupWinInPanel::InitializeUserPane(bundle, ppd);
    LocalizeKeyedTexts(windowRef, LocalizeTableName);
    InitializePaper(ppd);
    return 0;
}

bool SPOptionWindow::Run(int tableStatus) {
    status = tableStatus;
    accepted = false;
    winTitleTextRef = status == kSPStatusEditing ? editTitle : addTitle;
    ActivateWindow();
    return accepted;
}

void SPOptionWindow::WindowValuesShown() {
    Prepare();
    ApplyRules();
}

void SPOptionWindow::OnOK() {
    if (!Validate() || !Commit())
        return;
    accepted = true;
    DeactivateWindow(0);
}

QWidget* SPOptionWindow::Tagged(int tag) const {
    return FindTaggedWidget(windowRef, tag);
}

QString SPOptionWindow::Text(const char* key) const {
    return SPLocalized(key, LocalizeTableName);
}

QComboBox* SPOptionWindow::TaggedList(int tag, const std::vector<const char*>& itemKeys) {
    auto* combo = qobject_cast<QComboBox*>(Tagged(tag));
    if (!combo)
        return nullptr;
    combo->clear();
    for (const char* key : itemKeys)
        combo->addItem(Text(key));
    QObject::connect(combo, &QComboBox::activated, combo, [this](int) { ApplyRules(); });
    return combo;
}

std::unique_ptr<SPSubMenuListCtrlMN> SPOptionWindow::MakePaperMenu(int menuTag, int infoTag) {
    auto menu = std::make_unique<SPSubMenuListCtrlMN>(Tagged(menuTag), Tagged(infoTag));
    menu->InitializeFromPPD(currentPPD, LocalizeTableName);
    return menu;
}

void SPOptionWindow::ShowJobSetting(int tag) {
    if (auto* label = qobject_cast<QLabel*>(Tagged(tag)))
        label->setText(panel->JobSettingText());
}

bool SPOptionWindow::Alert(const char* messageKey) {
    ShowErrMsg(messageKey);
    return false;
}

// ---- Covers ----

SPAddCoversWndMN::SPAddCoversWndMN(QWidget* dialog, SpecialPagesPDEm14* owner)
    : SPOptionWindow(dialog, "Add Covers Windows", "Edit Covers Windows", SPTag::kCoversBase,
                     "SpecialPagesCover", owner) {}

void SPAddCoversWndMN::InitializePaper(ppd_file_t*) {
    coversOption = TaggedList(SPTag::kCoversOption, kCoversItems);
    printing[0] = TaggedList(SPTag::kFrontPrinting, kPrintingItems);
    printing[1] = TaggedList(SPTag::kBackPrinting, kPrintingItems);
    paper[0] = MakePaperMenu(SPTag::kFrontPaper, SPTag::kFrontPaperInfo);
    paper[1] = MakePaperMenu(SPTag::kBackPaper, SPTag::kBackPaperInfo);
    for (auto& p : paper) {
        SPSubMenuListCtrlMN* menu = p.get();
        menu->SetChoiceHandler([this, menu](PaperChoiceEffect effect) {
            if (effect == PaperChoiceEffect::OpenAdvanced)
                panel->OpenAdvanced(menu, nullptr, kSPCover);
            else if (effect == PaperChoiceEffect::OpenCustomSize)
                panel->OpenCustomSize(menu);
            ApplyRules();
        });
    }
}

void SPAddCoversWndMN::RestoreDefaults() {
    SetCurrent(coversOption, 0);
    for (int side = 0; side < 2; ++side) {
        SetCurrent(printing[side], 0);
        paper[side]->RestoreDefaults();
    }
}

void SPAddCoversWndMN::Prepare() {
    RestoreDefaults();
    ShowJobSetting(SPTag::kCoversJobSetting);
    // The window shows the covers the list has, so OK never drops one unseen.
    const SpecialPageRecords covers =
        panel->getSPSummaryScrollViewCtrlPtr()->List().getArrayByType(kSPCover);
    if (covers.empty())
        return;
    SetCurrent(coversOption, covers.front().IntField("coversoption"));
    for (const SpecialPageRecord& r : covers) {
        const int side = r.IsBackCover() ? 1 : 0;
        SetCurrent(printing[side], r.IntField("printingoptions"));
        paper[side]->SetSelection(PaperSelection::FromRecord(r), false);
    }
}

void SPAddCoversWndMN::ApplyRules() {
    const int c = Current(coversOption);
    const bool front = c == 1 || c == 3 || c == 4;
    const bool back = c == 2 || c == 4;
    printing[0]->setEnabled(front);
    paper[0]->SetEnabled(front);
    printing[1]->setEnabled(back);
    paper[1]->SetEnabled(back);
    if (c == 3) {
        SetCurrent(printing[1], Current(printing[0]));
        PaperSelection s = paper[1]->Selection();
        const PaperSelection& f = paper[0]->Selection();
        s.selectedSizeIndex = f.selectedSizeIndex;
        s.selectedColorIndex = f.selectedColorIndex;
        s.selectedTypeIndex = f.selectedTypeIndex;
        s.interposerValue = f.interposerValue;
        s.customPageWidth = f.customPageWidth;
        s.customPageLength = f.customPageLength;
        s.customPageSizeLongMeasure = f.customPageSizeLongMeasure;
        paper[1]->SetSelection(s, false);
    }
    // Paper from the inserter cannot be printed on.
    for (int side = 0; side < 2; ++side) {
        paper[side]->SetExtraConstraintChoices(
            DuplexChoicesForSides(kSPCover, Current(printing[side])));
        const bool tray = paper[side]->Selection().interposerValue;
        for (int item = 1; item < 4; ++item)
            SetItemEnabled(printing[side], item, !tray);
        if (tray)
            SetCurrent(printing[side], 0);
    }
}

bool SPAddCoversWndMN::Commit() {
    SPSummaryScrollViewCtrl* table = panel->getSPSummaryScrollViewCtrlPtr();
    SpecialPageList& list = table->List();
    std::string marker[2] = {"false", "false"};
    for (const SpecialPageRecord& r : list.getArrayByType(kSPCover))
        marker[r.IsBackCover() ? 1 : 0] = r.IsSelected() ? "true" : "false";
    const int c = Current(coversOption);
    auto make = [&](int page, int from) {
        SpecialPageRecord r = NewRecord(kSPCover, std::to_string(page));
        r.Set("printingoptions", std::to_string(Current(printing[from])));
        paper[from]->Selection().ToRecord(r);
        r.Set("coversoption", std::to_string(c));
        r.Set("selected", marker[page]);
        return r;
    };
    SpecialPageRecords covers;
    if (c == 1 || c == 3 || c == 4)
        covers.push_back(make(0, 0));
    if (c == 2 || c == 4)
        covers.push_back(make(1, 1));
    if (c == 3)
        covers.push_back(make(1, 0));
    if (c != 0 || list.CountByType(kSPCover) > 0)
        panel->toMakeChange();
    if (c == 1 || c == 3 || c == 4)
        list.doDelectBeforePageOne();
    list.updateRequest(kSPCover, covers);
    return true;
}

// ---- Inserts ----

SPAddInsertWndMN::SPAddInsertWndMN(QWidget* dialog, SpecialPagesPDEm14* owner)
    : SPOptionWindow(dialog, "Add Inserts Windows", "Edit Inserts Windows", SPTag::kInsertsBase,
                     "SpecialPagesInsert", owner) {}

void SPAddInsertWndMN::InitializePaper(ppd_file_t*) {
    option = TaggedList(SPTag::kInsertOption, kInsertItems);
    pages = qobject_cast<QLineEdit*>(Tagged(SPTag::kInsertPages));
    if (pages)
        pages->setMaxLength(kPageListMaxLength);
    quantity = qobject_cast<QSpinBox*>(Tagged(SPTag::kInsertQuantity));
    if (quantity)
        quantity->setRange(1, kSPMaxQuantity);
    paper = MakePaperMenu(SPTag::kInsertPaper, SPTag::kInsertPaperInfo);
    SPSubMenuListCtrlMN* menu = paper.get();
    menu->SetChoiceHandler([this, menu](PaperChoiceEffect effect) {
        if (effect == PaperChoiceEffect::OpenAdvanced)
            panel->OpenAdvanced(menu, nullptr, kSPInsert);
        else if (effect == PaperChoiceEffect::OpenCustomSize)
            panel->OpenCustomSize(menu);
    });
}

void SPAddInsertWndMN::RestoreDefaults() {
    SetCurrent(option, 0);
    if (pages)
        pages->clear();
    if (quantity)
        quantity->setValue(1);
    paper->RestoreDefaults();
}

void SPAddInsertWndMN::Prepare() {
    RestoreDefaults();
    ShowJobSetting(SPTag::kInsertJobSetting);
    SPSummaryScrollViewCtrl* table = panel->getSPSummaryScrollViewCtrlPtr();
    const SpecialPageList& list = table->List();
    const std::vector<int> indexes = list.IndexesByType(table->SelectedRows(), kSPInsert);
    selectedInserts = RowSet(indexes.begin(), indexes.end());
    const SpecialPageRecords chosen = table->getArrayOfCurrentSelectedRecords();
    SpecialPageRecords inserts;
    for (const SpecialPageRecord& r : chosen)
        if (r.Type() == kSPInsert)
            inserts.push_back(r);
    if (inserts.empty() || (!IsEditing() && inserts.size() != 1))
        return;
    const SpecialPageRecord& first = inserts.front();
    bool sameOption = true, sameQuantity = true, paperDiffers = false;
    std::vector<int> pageNumbers;
    for (const SpecialPageRecord& r : inserts) {
        sameOption = sameOption && r.Get("insertoption") == first.Get("insertoption");
        sameQuantity = sameQuantity && r.Get("insertquantity") == first.Get("insertquantity");
        paperDiffers =
            paperDiffers || !(PaperSelection::FromRecord(r) == PaperSelection::FromRecord(first));
        if (r.FirstPage() != 0)
            pageNumbers.push_back(r.FirstPage());
    }
    SetCurrent(option, sameOption ? first.IntField("insertoption") : 0);
    if (quantity && sameQuantity)
        quantity->setValue(first.IntField("insertquantity"));
    paper->SetSelection(CommonPaper(inserts, paper->Choices()), paperDiffers);
    if (IsEditing() && pages)
        pages->setText(QString::fromStdString(JoinInts(pageNumbers)));
}

void SPAddInsertWndMN::ApplyRules() {
    const SpecialPageList& list = panel->getSPSummaryScrollViewCtrlPtr()->List();
    SetItemEnabled(option, 1, !list.HasFrontCover());
    if (list.HasFrontCover() && Current(option) == 1)
        SetCurrent(option, 0);
    const bool several = IsEditing() && selectedInserts.size() > 1;
    option->setEnabled(!several);
    const bool before = Current(option) == 1;
    if (pages) {
        if (before)
            pages->clear();
        pages->setEnabled(!before && !several);
    }
}

bool SPAddInsertWndMN::Validate() {
    pageArray.clear();
    if (quantity && (quantity->value() < 1 || quantity->value() > kSPMaxQuantity))
        return Alert("Warning45");
    if (Current(option) == 1 || !pages || !pages->isEnabled())
        return true;
    const SpecialPageList& list = panel->getSPSummaryScrollViewCtrlPtr()->List();
    const PageListResult result =
        ParseInsertPageList(pages->text().toStdString(), list.HasFrontCover());
    if (result.error == kPageListTooMany)
        return Alert("Warning47");
    if (result.error != kPageListOK)
        return Alert(InsertPageListMessage(result.error));
    // Nothing typed, or only page 0, which the front cover takes.
    if (result.pages.empty())
        return Alert("Warning44");
    int existing = list.CountByType(kSPInsert);
    if (IsEditing())
        existing -= 1;
    if (existing + static_cast<int>(result.pages.size()) > kSPMaxInserts)
        return Alert("Warning47");
    pageArray = result.pages;
    return true;
}

bool SPAddInsertWndMN::Commit() {
    SPSummaryScrollViewCtrl* table = panel->getSPSummaryScrollViewCtrlPtr();
    SpecialPageList& list = table->List();
    SpecialPageRecords records = list.getArrayByType(kSPInsert);
    const int o = Current(option);
    const std::string q = std::to_string(quantity ? quantity->value() : 1);
    const PaperSelection chosen = paper->Selection();
    const bool frontCover = list.HasFrontCover();
    auto make = [&](int page) {
        SpecialPageRecord r = NewRecord(kSPInsert, std::to_string(page));
        r.Set("insertoption", page == 0 ? "1" : "0");
        r.Set("insertquantity", q);
        chosen.ToRecord(r);
        return r;
    };
    const std::vector<int> newPages = o == 1 ? std::vector<int>{0} : pageArray;
    if (!IsEditing() || (selectedInserts.size() == 1 && newPages.size() > 1)) {
        if (IsEditing())
            records.erase(records.begin() + *selectedInserts.begin());
        for (int page : newPages)
            if (page != 0 || !frontCover)
                records.push_back(make(page));
    } else {
        int position = 0;
        for (int index : selectedInserts) {
            SpecialPageRecord& r = records[static_cast<std::size_t>(index)];
            if (option->isEnabled()) {
                const int page = o == 1 ? 0
                                 : position < static_cast<int>(newPages.size())
                                     ? newPages[static_cast<std::size_t>(position)]
                                     : r.FirstPage();
                r.Set("page", std::to_string(page));
                r.Set("insertoption", page == 0 ? "1" : "0");
            }
            ++position;
            PaperSelection s = MergePaper(PaperSelection::FromRecord(r), chosen);
            if (!paper->doCustomSizeSetCheckByIndex(s.selectedSizeIndex))
                s.setDefaultCustomValue();
            s.ToRecord(r);
            r.Set("insertquantity", q);
        }
        // A page 0 insert cannot stand beside a front cover.
        if (frontCover)
            std::erase_if(records, [](const SpecialPageRecord& r) { return r.FirstPage() == 0; });
    }
    SortByFirstPage(records);
    panel->toMakeChange();
    list.updateRequest(kSPInsert, records);
    return true;
}

// ---- Exceptions ----

SPAddExceptionWndMN::SPAddExceptionWndMN(QWidget* dialog, SpecialPagesPDEm14* owner)
    : SPOptionWindow(dialog, "Add Exceptions Windows", "Edit Exceptions Windows",
                     SPTag::kExceptionsBase, "SpecialPagesException", owner) {}

void SPAddExceptionWndMN::InitializePaper(ppd_file_t*) {
    pages = qobject_cast<QLineEdit*>(Tagged(SPTag::kExceptionPages));
    if (pages)
        pages->setMaxLength(kPageListMaxLength);
    sides = TaggedList(SPTag::kExceptionSides, kSidesItems);
    paper = MakePaperMenu(SPTag::kExceptionPaper, SPTag::kExceptionPaperInfo);
    SPSubMenuListCtrlMN* menu = paper.get();
    menu->SetChoiceHandler([this, menu](PaperChoiceEffect effect) {
        if (effect == PaperChoiceEffect::OpenAdvanced)
            panel->OpenAdvanced(menu, sides, kSPException);
        else if (effect == PaperChoiceEffect::OpenCustomSize)
            panel->OpenCustomSize(menu);
    });
}

void SPAddExceptionWndMN::RestoreDefaults() {
    if (pages)
        pages->clear();
    SetItemHidden(sides, 0, true);
    SetCurrent(sides, 1);
    paper->RestoreDefaults();
}

void SPAddExceptionWndMN::Prepare() {
    RestoreDefaults();
    ShowJobSetting(SPTag::kExceptionJobSetting);
    SPSummaryScrollViewCtrl* ctrl = panel->getSPSummaryScrollViewCtrlPtr();
    table.Rebuild(ctrl->List().getArrayByType(kSPException));
    selected.clear();
    for (const SpecialPageRecord& r : ctrl->getArrayOfCurrentSelectedRecords())
        if (r.Type() == kSPException)
            selected.push_back(r);
    if (pages)
        pages->setEnabled(!(IsEditing() && selected.size() > 1));
    if (selected.empty() || (!IsEditing() && selected.size() != 1))
        return;
    const SpecialPageRecord& first = selected.front();
    bool sameSides = true, paperDiffers = false;
    QStringList texts;
    for (const SpecialPageRecord& r : selected) {
        sameSides = sameSides && r.Get("twoSidePrint") == first.Get("twoSidePrint");
        paperDiffers =
            paperDiffers || !(PaperSelection::FromRecord(r) == PaperSelection::FromRecord(first));
        texts << QString::fromStdString(r.Get("page"));
    }
    SetItemHidden(sides, 0, sameSides);
    SetCurrent(sides, sameSides ? first.IntField("twoSidePrint") : 0);
    paper->SetSelection(CommonPaper(selected, paper->Choices()), paperDiffers);
    if (IsEditing() && pages)
        pages->setText(texts.join(QStringLiteral(", ")));
}

void SPAddExceptionWndMN::ApplyRules() {
    paper->SetExtraConstraintChoices(DuplexChoicesForSides(kSPException, Current(sides)));
}

bool SPAddExceptionWndMN::Validate() {
    pageSet.clear();
    if (!pages || !pages->isEnabled() || pages->isHidden())
        return true;
    const PageListResult result = ParseExceptionPageList(pages->text().toStdString());
    if (result.error != kPageListOK)
        return Alert(ExceptionPageListMessage(result.error));
    pageSet = result.pages;
    return true;
}

bool SPAddExceptionWndMN::Commit() {
    SPSummaryScrollViewCtrl* ctrl = panel->getSPSummaryScrollViewCtrlPtr();
    std::set<int> removed, reselect;
    if (IsEditing() && selected.size() == 1) {
        for (int p = selected.front().FirstPage(); p <= selected.front().LastPage(); ++p)
            removed.insert(p);
    } else if (!IsEditing()) {
        for (const SpecialPageRecord& r : selected)
            reselect.insert(r.FirstPage());
    }
    // With the page field off (several records edited), the pages are theirs.
    std::vector<int> newPages = pageSet;
    if (!pages || !pages->isEnabled())
        for (const SpecialPageRecord& r : selected)
            for (int p = r.FirstPage(); p <= r.LastPage(); ++p)
                newPages.push_back(p);
    SpecialPageRecord chosen;
    paper->Selection().ToRecord(chosen);
    chosen.Set("twoSidePrint", std::to_string(Current(sides)));
    const ExceptionPageSetting setting = SettingOfRecord(chosen);
    const ExceptionPageTable before = table;
    table.Apply(newPages, setting, removed);
    const SpecialPageRecords records = table.Regroup(reselect);
    if (static_cast<int>(records.size()) > kSPMaxExceptionRecords) {
        table = before;
        return Alert("Warning48");
    }
    panel->toMakeChange();
    ctrl->List().updateRequest(kSPException, records);
    return true;
}

// ---- Delete warning ----

SPWarningWndMN::SPWarningWndMN(QWidget* dialog, SpecialPagesPDEm14*) {
    PopupWinInPanelInit(dialog, "Delete Special Pages Title");
    const std::pair<int, const char*> keys[] = {{SPTag::kWarningOK, "SP Warning OK Btn"},
                                                {SPTag::kWarningCancel, "SP Warning Cancel Btn"}};
    for (const auto& [tag, key] : keys) {
        auto* button = new BaseButton(FindTaggedWidget(dialog, tag), key);
        const int code = tag == SPTag::kWarningOK ? 0 : 1;
        button->SetPressAction([this, code] {
            exitStatus = code;
            DeactivateWindow(code);
            return true;
        });
        RunTimeAddNewControl(button);
    }
}

SPWarningWndMN::~SPWarningWndMN() {
    terminate();
    delete windowRef;
}

bool SPWarningWndMN::Ask(int which) {
    exitStatus = 1;
    if (auto* icon = FindTaggedWidgetAs<QLabel>(windowRef, SPTag::kWarningIcon);
        icon && pdeBundleRef)
        icon->setPixmap(
            QPixmap(QString::fromStdString(pdeBundleRef->PathForResource("AlertIcon", "png"))));
    if (auto* label = FindTaggedWidgetAs<QLabel>(windowRef, SPTag::kWarningMessage))
        label->setText(
            SPLocalized(which == 0 ? "Delete Selected Special Pages" : "Delete All Special Pages",
                        LocalizeTableName));
    ActivateWindow();
    return exitStatus == 0;
}

} // namespace KESTRANE_NS
