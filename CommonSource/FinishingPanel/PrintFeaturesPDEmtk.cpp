#include "PrintFeaturesPDEmtk.h"

#include "BaseButton.h"
#include "FinishingControls.h"
#include "FinishingTags.h"
#include "FinishingWindows.h"
#include "InterfaceFile.h"
#include "PDEPlugInEntry.h"
#include "PDEResourceAccess.h"
#include "SeparatorPageList.h"
#include "XPPD.h"
#include "XPPDConstraints.h"

#include "PageFormat.h"
#include "PluginBundle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cstring>

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

namespace {

// Layout of the run-time rows (points).
constexpr int kControlTopOffset = -20;
constexpr int kControlDistance = 8;
constexpr int titleHoffset = 30;
constexpr int ktitleCtrlWidthOffset = 15;
constexpr int kButtonHoffset = 320;
constexpr int kButtonCtrlWidth = 100;
constexpr int kButtonCtrlHeight = 25;
constexpr int kPopUpCtrlTotalWidth = 420;
constexpr int kPopUpCtrlTotalWidthWithButton = 305;
constexpr int kTabMarginCtrlTotalWidth = 300;
// Tags of controls bound to PPD options outside the "Default00" list.
constexpr int kOtherPPDTagBase = 7300;

const ControlDataAccessInfo kTabMarginSwitchAccess = {
    kControlValueTypeInteger, kControlValueTypeInteger,
    "com.kestrane.mtz.printsettings.TabMarginSwitchTicket", nullptr};
const ControlDataAccessInfo kNumInSeqSwitchAccess = {
    kControlValueTypeInteger, kControlValueTypeInteger,
    "com.kestrane.mtz.printsettings.NumInSequenceSwitchTicket", nullptr};
const ControlDataAccessInfo kTrimmerSwitchAccess = {
    kControlValueTypeInteger, kControlValueTypeInteger,
    "com.kestrane.mtz.printsettings.TrimmerSwitchTicket", nullptr};

enum class RowKind {
    Plain,
    Separator,
    Cover,
    CoverType,
    BookletSwitch,
    TabMargin,
    NumInSeq,
    Offset,
    Trimmer
};

struct PlannedRow {
    RowKind kind;
    std::string key;
};

struct PlannedGroup {
    QString name;
    bool general = false;
    std::vector<PlannedRow> rows;
};

KeyList StringList(const QJsonValue& value) {
    KeyList out;
    for (const QJsonValue& item : value.toArray())
        out.push_back(item.toString().toStdString());
    return out;
}

// The window keys each window owns, by key prefix.
bool KeyOfWindow(const std::string& key, FinishingWindow window) {
    auto starts = [&key](const char* prefix) { return key.rfind(prefix, 0) == 0; };
    switch (window) {
    case FinishingWindow::Trimmer:
        return starts("Trimmer");
    case FinishingWindow::BookletMargin:
        return starts("BookletMargin") || starts("AutoFit");
    case FinishingWindow::TabMargin:
        return starts("TabMargin");
    case FinishingWindow::Separator:
        return starts("SeparatorPage");
    case FinishingWindow::OffsetPages:
        return starts("OffsetStackingPages");
    case FinishingWindow::OffsetCopies:
        return starts("OffsetStackingUnits");
    case FinishingWindow::NumberInSequence:
        return starts("NumInSequence");
    }
    return false;
}

constexpr FinishingWindow kAllWindows[] = {
    FinishingWindow::Trimmer,         FinishingWindow::BookletMargin, FinishingWindow::TabMargin,
    FinishingWindow::Separator,       FinishingWindow::OffsetPages,   FinishingWindow::OffsetCopies,
    FinishingWindow::NumberInSequence};

} // namespace

struct PrintFeaturesPDEmtk::Row {
    PPDStaticTextCtrlExt* title = nullptr;
    BaseControl* control = nullptr;
    BaseControl* button = nullptr;
    int page = 0;
    int index = 0;
    int totalWidth = kPopUpCtrlTotalWidth;
    int tag = -1;
};

PrintFeaturesPDEmtk::PrintFeaturesPDEmtk(PDECallbackRef callback)
    : PDEPrintPanel(callback, kFeaturesPanelKind, "KRPDE Title") {
    SetKeepsValuesInPreferences(true);
    SetHelpBookNameKey("Help Book Name");
}

PrintFeaturesPDEmtk::~PrintFeaturesPDEmtk() {
    // The windows and controls go before the view they point into.
    terminate();
}

// ---------------------------------------------------------------- job state

bool PrintFeaturesPDEmtk::IsJobTypeMailbox() const {
    std::string key, text;
    if (!FormPerPrinterKey(kPrintTypeReferenceKey, GetCurrentPrinterString(), key) ||
        !ReadPreferenceText(key, "", text))
        return false;
    return IsMailboxJobTypeText(text);
}

bool PrintFeaturesPDEmtk::IsSpecialPage() const {
    std::string text;
    return ReadSettingsText(GetCurrentPMPrintSettings(), kSpecialPageCountKey, text) &&
           HasSpecialPagesText(text);
}

void PrintFeaturesPDEmtk::RefreshJobFlags() {
    isPrintTypeSavetoMailbox = IsJobTypeMailbox();
    isSpecialPage = IsSpecialPage();
}

// ---------------------------------------------------------------- queries

static bool SwitchOn(BaseControl* control) {
    if (!control)
        return false;
    // A switch without a value block cannot say no.
    if (!control->GetControlPtr() || !control->GetControlBlkPtr())
        return true;
    return control->GetCurrentControlArrayNumber() == 1;
}

bool PrintFeaturesPDEmtk::IsTabMarginShift() const {
    return SwitchOn(tabMarginSwitch);
}

bool PrintFeaturesPDEmtk::IsTrimmer() const {
    return SwitchOn(trimmerSwitch);
}

bool PrintFeaturesPDEmtk::IsBookletMarginShift() const {
    return SwitchOn(bookletSwitch);
}

bool PrintFeaturesPDEmtk::IsNumberInSequence() const {
    return SwitchOn(numInSeqSwitch);
}

bool PrintFeaturesPDEmtk::IsSeparatorOff() const {
    return separatorList && separatorList->GetControlPtr() &&
           separatorList->GetCurrentControlArrayNumber() == 0;
}

int PrintFeaturesPDEmtk::getOffsetStackingValue() const {
    if (!offsetStackingList || !offsetStackingList->GetControlPtr())
        return 0;
    const int value = offsetStackingList->GetCurrentControlArrayNumber() + 1;
    return value > 0 ? value : 0;
}

bool PrintFeaturesPDEmtk::IsOffsetStacking() const {
    const int value = getOffsetStackingValue();
    return value == 4 || value == 5;
}

bool PrintFeaturesPDEmtk::IsAnySheetFromMSI() const {
    for (PFListMN* list : {frontCoverList, backCoverList, separatorList})
        if (list && list->GetControlPtr() && list->SelectedChoice() == "MSI")
            return true;
    return false;
}

FeaturesOptionWindow* PrintFeaturesPDEmtk::GetOptionWindow(FinishingWindow window) const {
    for (FeaturesOptionWindow* w : optionWindows)
        if (w->Kind() == window)
            return w;
    return nullptr;
}

// ---------------------------------------------------------------- PPD keys

std::vector<std::string> PrintFeaturesPDEmtk::PanelPPDOptionKeys() {
    ppd_file_t* ppd = CallbackPPD(GetCurrentPDECallbackObj());
    if (!ppd)
        return {};
    if (!Getxppd())
        LoadConstraintIndex(ppd);
    ppd_attr_t* mode = ppdFindAttr(ppd, kKVProductType, nullptr);
    if (!mode || !mode->value)
        return {};
    return PPDKeysForProductMode(mode->value);
}

void PrintFeaturesPDEmtk::LoadConstraintIndex(ppd_file_t* ppd) {
    if (LoadConstraintIndexFromCache(kFeaturesCDFSection))
        return;
    // No cache, or one that cannot be read: the PPD's own constraints for
    // the options that have a control (all of them before the panel is
    // built), so conflicts are never silently lost.
    ownIndex = std::make_unique<CQuickXPPDIndex>();
    CQuickXPPD builder;
    if (kvPPDKeywordList.empty()) {
        for (int i = 0; i < ppd->num_groups; ++i)
            for (int j = 0; j < ppd->groups[i].num_options; ++j)
                builder.OptionNames().push_back(ppd->groups[i].options[j].keyword);
    } else {
        builder.OptionNames() = kvPPDKeywordList;
    }
    builder.SetXppd(ppd, *ownIndex);
    SetxppdPtr(ownIndex.get());
}

bool PrintFeaturesPDEmtk::GetCurrentProductType(ppd_file_t* ppd) {
    ppd_attr_t* mode = ppdFindAttr(ppd, kKVProductType, nullptr);
    PrintFeaturesMode = mode && mode->value ? mode->value : "";
    PluginBundle* bundle = GetPDEPlugInBundle();
    if (!bundle || PrintFeaturesMode.empty())
        return false;
    QFile file(QString::fromStdString(bundle->Path() + "/Info.json"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonObject info = QJsonDocument::fromJson(file.readAll()).object();
    return info.value(QString::fromStdString(PrintFeaturesMode)).isArray();
}

// ---------------------------------------------------------------- building

BaseControl* PrintFeaturesPDEmtk::MakeButton(int tag, const char* titleKey, int group,
                                             FinishingWindow window) {
    auto* widget = new QPushButton(groupBox);
    widget->setProperty("tag", tag);
    auto* button = new BaseButton(widget, titleKey);
    button->SetGroup(group);
    button->SetPressAction([this, window] {
        if (window == FinishingWindow::OffsetPages) {
            // The button opens the window of the entry chosen, if it has one.
            if (getOffsetStackingValue() == 4)
                OpenOptionWindow(FinishingWindow::OffsetPages);
            else if (getOffsetStackingValue() == 5)
                OpenOptionWindow(FinishingWindow::OffsetCopies);
        } else {
            OpenOptionWindow(window);
        }
        return true;
    });
    RunTimeAddNewControl(button);
    setupButtons.emplace_back(tag, button);
    return button;
}

int PrintFeaturesPDEmtk::AddUserPaneControl(ppd_file_t* ppd) {
    PluginBundle* bundle = GetPDEPlugInBundle();
    QFile file(QString::fromStdString(bundle->Path() + "/Info.json"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QJsonObject info = QJsonDocument::fromJson(file.readAll()).object();
    const QJsonArray modeEntry = info.value(QString::fromStdString(PrintFeaturesMode)).toArray();
    const KeyList supported = StringList(info.value(kKVPPDKeySupported));
    KeyList excluded;
    if (modeEntry.size() == 1)
        excluded = StringList(modeEntry.at(0));
    const bool hasIntSheet = CheckPPDKeyIsExist(ppd, KPPDIntSheet);
    // An option that a control of its own shows gets no second, plain one.
    if (hasIntSheet)
        excluded.insert(excluded.end(), KKVCoverSepGroupKeyArray.begin(),
                        KKVCoverSepGroupKeyArray.end());
    if (isLayoutPanelExist)
        excluded.insert(excluded.end(), KKVLayoutGroupKeyArray.begin(),
                        KKVLayoutGroupKeyArray.end());
    for (const std::string& key : kKVAdvancedFeatureKeyArray)
        if (CheckPPDKeyIsExist(ppd, key.c_str()))
            excluded.push_back(key);

    auto text = [this](const char* key) {
        return LocalizedString(GetPDEPlugInBundle(), key, LocalizeTableName);
    };
    std::vector<PlannedGroup> groups;
    std::set<std::string> claimed;
    auto plain = [&](PlannedGroup& group, const char* keyword) {
        if (IsOptionCounted(keyword, supported, excluded) && claimed.insert(keyword).second)
            group.rows.push_back({RowKind::Plain, keyword});
    };
    auto isGeneral = [](const char* name) {
        return std::strcmp(name, "General") == 0 || std::strcmp(name, "Extra") == 0;
    };

    PlannedGroup general{text("GeneralGroupText"), true, {}};
    for (int i = 0; i < ppd->num_groups; ++i)
        if (isGeneral(ppd->groups[i].name))
            for (int j = 0; j < ppd->groups[i].num_options; ++j)
                plain(general, ppd->groups[i].options[j].keyword);
    if (!general.rows.empty())
        groups.push_back(std::move(general));

    if (hasIntSheet) {
        PlannedGroup covers{text("Covers Separator Ttitle String"), false, {}};
        for (const std::string& key : KKVCoverSepGroupKeyArray) {
            if (!CheckPPDKeyIsExist(ppd, key.c_str()) || !claimed.insert(key).second)
                continue;
            RowKind kind = key == KPPDIntSheet            ? RowKind::Separator
                           : key == KPPDIntSheetMediaType ? RowKind::CoverType
                                                          : RowKind::Cover;
            covers.rows.push_back({kind, key});
        }
        if (!covers.rows.empty())
            groups.push_back(std::move(covers));
    }

    if (isLayoutPanelExist && CheckPPDKeyIsExist(ppd, KPPDSignatureKey)) {
        PlannedGroup layout{text("Layout Ttitle String"), false, {}};
        for (const std::string& key : KKVLayoutGroupKeyArray) {
            if (!CheckPPDKeyIsExist(ppd, key.c_str()) || !claimed.insert(key).second)
                continue;
            layout.rows.push_back({RowKind::Plain, key});
            if (key == KPPDSignatureKey)
                layout.rows.push_back({RowKind::BookletSwitch, ""});
        }
        groups.push_back(std::move(layout));
    }

    for (int i = 0; i < ppd->num_groups; ++i) {
        if (isGeneral(ppd->groups[i].name))
            continue;
        PlannedGroup group{
            QString::fromUtf8(ppd->groups[i].text[0] ? ppd->groups[i].text : ppd->groups[i].name),
            false,
            {}};
        for (int j = 0; j < ppd->groups[i].num_options; ++j)
            plain(group, ppd->groups[i].options[j].keyword);
        if (!group.rows.empty())
            groups.push_back(std::move(group));
    }

    PlannedGroup advanced{text("Adavaned Features Title"), false, {}};
    const std::pair<const char*, RowKind> kAdvanced[] = {{kKVTabMarginExKey, RowKind::TabMargin},
                                                         {KPPDNumberInSequence, RowKind::NumInSeq},
                                                         {KPPDKVJog, RowKind::Offset},
                                                         {kKVTrimmerKey, RowKind::Trimmer}};
    for (const auto& [key, kind] : kAdvanced)
        if (CheckPPDKeyIsExist(ppd, key) && claimed.insert(key).second)
            advanced.rows.push_back({kind, key});
    if (!advanced.rows.empty())
        groups.push_back(std::move(advanced));

    // Pages and controls.
    int otherTag = kOtherPPDTagBase;
    for (const PlannedGroup& group : groups) {
        const int firstPage = AllGroupNameStrArray.size();
        for (const std::string& name : GroupPageNames(
                 group.name.toStdString(), static_cast<int>(group.rows.size()), group.general))
            AllGroupNameStrArray.append(QString::fromStdString(name));
        for (size_t i = 0; i < group.rows.size(); ++i) {
            const PlannedRow& planned = group.rows[i];
            auto row = std::make_unique<Row>();
            row->page = firstPage + static_cast<int>(i) / kMaxControlInPanel;
            row->index = static_cast<int>(i) % kMaxControlInPanel;
            PPDControlPlacement place;
            place.indexInPanel = row->index;
            place.group = row->page;
            place.parentGroupBox = groupBox;
            place.position = {titleHoffset, kControlDistance, kControlTopOffset,
                              kMaxControlInPanel};
            const char* key = planned.key.c_str();
            auto addTitle = [&] {
                row->title = new PPDStaticTextCtrlExt(place, key);
                RunTimeAddNewControl(row->title);
            };
            auto addList = [&](PFListMN* list) {
                addTitle();
                row->control = list;
                RunTimeAddNewControl(list);
                return list;
            };
            auto addSwitch = [&](PFCheckBoxMN* box) {
                row->control = box;
                RunTimeAddNewControl(box);
                return box;
            };
            switch (planned.kind) {
            case RowKind::Plain: {
                ppd_option_t* option = ppdFindOption(ppd, key);
                if (option && option->ui == PPD_UI_BOOLEAN)
                    addSwitch(new PFCheckBoxMN(this, place, key));
                else
                    addList(new PFListMN(this, place, key));
                break;
            }
            case RowKind::Separator:
                separatorList = addList(new PFListExtMN(this, place));
                row->totalWidth = kTabMarginCtrlTotalWidth;
                row->button = MakeButton(FTag::kSeparatorButton, "Setup Button Text", row->page,
                                         FinishingWindow::Separator);
                break;
            case RowKind::Cover: {
                PFListMN* cover = addList(new PFCoverListMN(this, place, key));
                (planned.key == KPPDIntCoverSheet ? frontCoverList : backCoverList) = cover;
                break;
            }
            case RowKind::CoverType:
                addList(new PFCoverTypeListMN(this, place, key));
                break;
            case RowKind::BookletSwitch: {
                auto* widget = new QCheckBox(groupBox);
                widget->setProperty("tag", FTag::kBookletSwitch);
                bookletSwitch = new PFNonPPDCheckBoxMN(this, widget);
                bookletSwitch->SetGroup(row->page);
                row->control = bookletSwitch;
                RunTimeAddNewControl(bookletSwitch);
                row->button = MakeButton(FTag::kBookletButton, "Setup Button Text", row->page,
                                         FinishingWindow::BookletMargin);
                break;
            }
            case RowKind::TabMargin:
                tabMarginSwitch =
                    addSwitch(new PFCheckBoxExtMN(this, place, key, &kTabMarginSwitchAccess));
                row->button = MakeButton(FTag::kTabMarginButton, "Shift Button Text", row->page,
                                         FinishingWindow::TabMargin);
                break;
            case RowKind::NumInSeq:
                numInSeqSwitch =
                    addSwitch(new PFCheckBoxExtMN(this, place, key, &kNumInSeqSwitchAccess));
                row->button = MakeButton(FTag::kNumInSeqButton, "Num In Sequence Button Text",
                                         row->page, FinishingWindow::NumberInSequence);
                break;
            case RowKind::Offset:
                offsetStackingList = addList(new PFOffsetStackingListCtrlMN(this, place));
                row->totalWidth = kPopUpCtrlTotalWidthWithButton;
                row->button = MakeButton(FTag::kOffsetButton, "Offset Stacking Button Text",
                                         row->page, FinishingWindow::OffsetPages);
                break;
            case RowKind::Trimmer:
                trimmerSwitch =
                    addSwitch(new PFCheckBoxExtMN(this, place, key, &kTrimmerSwitchAccess));
                row->button = MakeButton(FTag::kTrimmerButton, "Shift Button Text", row->page,
                                         FinishingWindow::Trimmer);
                break;
            }
            if (!planned.key.empty()) {
                kvPPDKeywordList.push_back(planned.key);
                row->tag = FeaturesTagForPPDKey(planned.key);
                if (row->tag < 0)
                    row->tag = otherTag++;
            }
            rows.push_back(std::move(row));
        }
    }
    return rows.empty() ? kFeaturesNoOptionError : 0;
}

void PrintFeaturesPDEmtk::AddOptionWindows() {
    struct WindowFile {
        FinishingWindow kind;
        const char* file;
        bool wanted;
    };
    const WindowFile files[] = {
        {FinishingWindow::Trimmer, "TrimmerWindow", trimmerSwitch != nullptr},
        {FinishingWindow::BookletMargin, "BookletMarginWindow", bookletSwitch != nullptr},
        {FinishingWindow::TabMargin, "TabMarginWindow", tabMarginSwitch != nullptr},
        {FinishingWindow::Separator, "SeparatorWindow", separatorList != nullptr},
        {FinishingWindow::OffsetPages, "OffsetPagesWindow", offsetStackingList != nullptr},
        {FinishingWindow::OffsetCopies, "OffsetCopiesWindow", offsetStackingList != nullptr},
        {FinishingWindow::NumberInSequence, "NumberInSequenceWindow", numInSeqSwitch != nullptr},
    };
    PluginBundle* bundle = GetPDEPlugInBundle();
    for (const WindowFile& f : files) {
        if (!f.wanted || !bundle)
            continue;
        const std::string path = bundle->PathForResource(f.file, "ui");
        QWidget* dialog = path.empty() ? nullptr : LoadInterfaceFile(QString::fromStdString(path));
        if (!dialog)
            continue;
        FeaturesOptionWindow* window = nullptr;
        switch (f.kind) {
        case FinishingWindow::Trimmer:
            window = new TrimmerWindowMN(dialog, this);
            break;
        case FinishingWindow::BookletMargin:
        case FinishingWindow::TabMargin:
            window = new MarginWindowMN(dialog, this, f.kind);
            break;
        case FinishingWindow::Separator:
            window = new SeparatorWindowMN(dialog, this);
            break;
        case FinishingWindow::OffsetPages:
            window = new CountWindowMN(dialog, "Offset Per Page Window Title String",
                                       FTag::kOffsetPagesWindow, f.kind, "PageOffset.htm", this,
                                       kOffsetPagesRange, "Message22l",
                                       &FinishingWindowValues::offsetPages);
            break;
        case FinishingWindow::OffsetCopies:
            window = new CountWindowMN(dialog, "Offset Per Copy Window Title String",
                                       FTag::kOffsetCopiesWindow, f.kind, "PageOffset.htm", this,
                                       kOffsetCopiesRange, "Message22m",
                                       &FinishingWindowValues::offsetCopies);
            break;
        case FinishingWindow::NumberInSequence:
            window = new CountWindowMN(dialog, "Number In Sequence Window Title String",
                                       FTag::kNumInSeqWindow, f.kind, "NumberInSequence.htm", this,
                                       kNumberInSequenceRange, "Message22k",
                                       &FinishingWindowValues::numberStart);
            break;
        }
        window->CreateWindowControls();
        RunTimeAddNewWindow(window);
        optionWindows.push_back(window);
    }
}

bool PrintFeaturesPDEmtk::LoadPanelControls() {
    ppd_file_t* ppd = GetCurrentPPD();
    QWidget* view = GetPanelControlPtr();
    if (!ppd || !view)
        return false;
    LocalizeTableName = LocalizeTableNameFromPPD(ppd);
    groupBox = FindTaggedWidget(view, FTag::kGroupBox);
    if (auto* title = qobject_cast<QLabel*>(FindTaggedWidget(view, FTag::kGroupTitle)))
        title->setText(
            LocalizedString(GetPDEPlugInBundle(), "GroupUI List Control Title", LocalizeTableName));
    inService = GetCurrentProductType(ppd);
    if (!inService || !groupBox)
        return true;
    ppd_attr_t* layout = ppdFindAttr(ppd, kKVLayoutSettings, nullptr);
    isLayoutPanelExist =
        layout && layout->value && ResourceModePart(layout->value) == kPRODUCTMODE00;

    groupList = new PFGroupListMN(this, FindTaggedWidget(view, FTag::kGroupList));
    RunTimeAddNewControl(groupList);
    buildStatus = AddUserPaneControl(ppd);
    if (buildStatus != 0)
        return true;
    AddOptionWindows();
    // The index must exist before the PPD controls are initialised.
    if (!Getxppd() || (ownIndex && Getxppd() == ownIndex.get()))
        LoadConstraintIndex(ppd);
    return true;
}

int PrintFeaturesPDEmtk::InitializeUserPane(PDEBundleRef bundle, ppd_file_t* ppd) {
    if (!inService)
        return 0;
    if (buildStatus != 0)
        return buildStatus;
    int status = PDEPrintPanel::InitializeUserPane(bundle, ppd);
    LayoutRows();
    return status;
}

void PrintFeaturesPDEmtk::LayoutRows() {
    if (!groupBox)
        return;
    const int boxHeight = groupBox->height();
    const ControlPositionData pos{titleHoffset, kControlDistance, kControlTopOffset,
                                  kMaxControlInPanel};
    for (const auto& row : rows) {
        QWidget* control = row->control ? row->control->GetControlPtr() : nullptr;
        if (!control)
            continue;
        if (row->tag >= 0)
            control->setProperty("tag", row->tag);
        const int height = std::max(control->sizeHint().height(), kButtonCtrlHeight);
        const int top = boxHeight - GetControlPositionY(pos, row->index, height) - height;
        int x = titleHoffset;
        int width = row->totalWidth;
        if (auto* title =
                qobject_cast<QLabel*>(row->title ? row->title->GetControlPtr() : nullptr)) {
            const int titleWidth =
                title->fontMetrics().horizontalAdvance(title->text()) + ktitleCtrlWidthOffset;
            title->setGeometry(x, top, titleWidth, height);
            x += titleWidth;
            width = std::max(row->totalWidth - titleWidth, 120);
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            if (row->control == bookletSwitch)
                box->setText(LocalizedString(GetPDEPlugInBundle(), "Booklet Margin Title",
                                             LocalizeTableName));
            width = kButtonHoffset - 10;
        }
        control->setGeometry(x, top, width, height);
        if (QWidget* button = row->button ? row->button->GetControlPtr() : nullptr)
            button->setGeometry(titleHoffset + kButtonHoffset,
                                top + (height - kButtonCtrlHeight) / 2, kButtonCtrlWidth,
                                kButtonCtrlHeight);
        row->control->SetGroup(row->page);
    }
}

// ---------------------------------------------------------------- behaviour

void PrintFeaturesPDEmtk::ShowGroupPage(int page) {
    for (BaseControl* control : getCtrlGroupArrayRef()) {
        QWidget* widget = control->GetControlPtr();
        if (widget && control->GetGroup() >= 0)
            widget->setVisible(control->GetGroup() == page);
    }
}

// A control a person can reach now.
static bool Usable(const BaseControl* control) {
    return control && control->GetControlPtr() && control->GetControlPtr()->isEnabled();
}

void PrintFeaturesPDEmtk::UpdateSetupButtons() {
    for (const auto& [tag, button] : setupButtons) {
        bool on = false;
        switch (tag) {
        case FTag::kTabMarginButton:
            on = Usable(tabMarginSwitch) && IsTabMarginShift();
            break;
        case FTag::kNumInSeqButton:
            on = Usable(numInSeqSwitch) && IsNumberInSequence();
            break;
        case FTag::kOffsetButton:
            on = Usable(offsetStackingList) && IsOffsetStacking();
            break;
        case FTag::kTrimmerButton:
            on = Usable(trimmerSwitch) && IsTrimmer();
            break;
        case FTag::kSeparatorButton:
            on = Usable(separatorList) && !IsSeparatorOff();
            break;
        case FTag::kBookletButton:
            on = Usable(bookletSwitch) && IsBookletMarginShift();
            break;
        }
        if (QWidget* widget = button->GetControlPtr())
            widget->setEnabled(on);
    }
}

bool PrintFeaturesPDEmtk::OpenOptionWindow(FinishingWindow kind) {
    FeaturesOptionWindow* window = GetOptionWindow(kind);
    bool ok = window && window->Run();
    UpdateSetupButtons();
    return ok;
}

void PrintFeaturesPDEmtk::SwitchOffAfterCancel(FinishingWindow kind) {
    switch (kind) {
    case FinishingWindow::TabMargin:
        if (tabMarginSwitch)
            tabMarginSwitch->ChooseValue(0);
        break;
    case FinishingWindow::Trimmer:
        if (trimmerSwitch)
            trimmerSwitch->ChooseValue(0);
        break;
    case FinishingWindow::NumberInSequence:
        if (numInSeqSwitch)
            numInSeqSwitch->ChooseValue(0);
        break;
    case FinishingWindow::BookletMargin:
        if (bookletSwitch)
            bookletSwitch->SwitchOff();
        break;
    case FinishingWindow::Separator:
        if (separatorList)
            separatorList->ChooseValue(1);
        break;
    case FinishingWindow::OffsetPages:
    case FinishingWindow::OffsetCopies:
        if (offsetStackingList)
            offsetStackingList->HoldDefault(true);
        break;
    }
    // The cancelled window's own values stay as they were.
    if (ppd_file_t* ppd = GetCurrentPPD())
        UpdateConflictsPanelControlFromPPD(ppd);
}

int PrintFeaturesPDEmtk::UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) {
    BasePrintPanel::UpdateConflictsPanelControlFromPPD(ppd);
    // The inserted-sheet type follows the lists updated before it.
    for (const auto& row : rows)
        if (dynamic_cast<PFCoverTypeListMN*>(row->control))
            row->control->UpdateConflictsPanelControlFromPPD(ppd);
    for (const auto& row : rows) {
        QWidget* control = row->control ? row->control->GetControlPtr() : nullptr;
        QWidget* title = row->title ? row->title->GetControlPtr() : nullptr;
        if (control && title)
            title->setEnabled(control->isEnabled());
    }
    UpdateSetupButtons();
    return 0;
}

int PrintFeaturesPDEmtk::Open() {
    RefreshJobFlags();
    if (ppd_file_t* ppd = GetCurrentPPD(); ppd && !IsFirstInitialize())
        UpdateConflictsPanelControlFromPPD(ppd);
    return PDEPrintPanel::Open();
}

void PrintFeaturesPDEmtk::ValuesShown() {
    RefreshJobFlags();
    if (ppd_file_t* ppd = GetCurrentPPD())
        UpdateConflictsPanelControlFromPPD(ppd);
    if (groupList)
        groupList->ShowPage(groupList->GetCurrentControlArrayNumber());
}

int PrintFeaturesPDEmtk::SetValueFromUIToControl() {
    RefreshJobFlags();
    return PDEPrintPanel::SetValueFromUIToControl();
}

QVariantMap PrintFeaturesPDEmtk::summaryInfo() {
    RefreshJobFlags();
    return PDEPrintPanel::summaryInfo();
}

// ---------------------------------------------------------------- values

TrimmerValues PrintFeaturesPDEmtk::CurrentTrimmerValues() const {
    ppd_file_t* ppd = GetCurrentPPD();
    TrimmerPaper paper;
    if (ppd) {
        ppd_choice_t* size = ppdFindMarkedChoice(ppd, "PageSize");
        if (size && std::strcmp(size->choice, "Custom") != 0) {
            if (ppd_size_t* dims = ppdPageSize(ppd, size->choice)) {
                paper.width = dims->right + dims->left;
                paper.height = dims->top + dims->bottom;
            }
        }
        char keyword[PPD_MAX_NAME] = {};
        FixPPDKeywordAccordingToType(ppd, KPPDSignatureKey, keyword, sizeof keyword);
        if (ppdFindOption(ppd, keyword))
            if (ppd_choice_t* sig = ppdFindMarkedChoice(ppd, keyword))
                paper.signatureChoice = std::string(sig->choice);
        if (ppd_choice_t* sigSize = ppdFindMarkedChoice(ppd, KPPDSigSizeKey)) {
            paper.sigSizeChoice = sigSize->choice;
            paper.sigSizeCode = sigSize->code ? sigSize->code : "";
        }
        ppd_choice_t* region = ppdFindMarkedChoice(ppd, kKVRegionalPaperKey);
        paper.inchRegion = region && std::strcmp(region->choice, "Inch") == 0;
    }
    // A custom size (or none marked) is what the page format measures.
    if (paper.width <= 0 || paper.height <= 0) {
        PDECallbackRef callback = GetCurrentPDECallbackObj();
        if (PageFormat* format = callback ? callback->pageFormat() : nullptr) {
            PMRect rect = format->GetUnadjustedPaperRect();
            paper.width = std::min(rect.right - rect.left, kTrimmerMaxPaperWidth);
            paper.height = std::min(rect.bottom - rect.top, kTrimmerMaxPaperHeight);
        }
    }
    return TrimmerValuesForBase(TrimmerBaseLength(paper));
}

TicketEntries PrintFeaturesPDEmtk::WrittenWindowEntries() const {
    TicketEntries out;
    for (auto& entry : FinishingTicketEntries(windowValues, CurrentTrimmerValues()))
        for (FinishingWindow window : kAllWindows)
            if (HasWindow(window) && KeyOfWindow(entry.first, window)) {
                out.push_back(entry);
                break;
            }
    return out;
}

int PrintFeaturesPDEmtk::SetValueToTicket(PMPrintSettings settings, bool lock,
                                          const std::vector<int>& encryptArray) {
    int status = BasePrintPanel::SetValueToTicket(settings, lock, encryptArray);
    if (!settings || !inService)
        return status;
    for (const auto& [key, text] : WrittenWindowEntries())
        StoreSettingsText(settings, (kTicketPrefix + key).c_str(), text, lock);
    return status;
}

int PrintFeaturesPDEmtk::SetValueToPreference() {
    int status = BasePrintPanel::SetValueToPreference();
    for (const auto& [key, text] : WrittenWindowEntries()) {
        std::string prefKey;
        if (FormPerPrinterKey((kTicketPrefix + key).c_str(), GetCurrentPrinterString(), prefKey))
            WritePreferenceText(prefKey, text, "");
    }
    return status;
}

int PrintFeaturesPDEmtk::GetValueFromPreference() {
    int status = BasePrintPanel::GetValueFromPreference();
    ReadFinishingTicketEntries(windowValues, [this](const std::string& key, std::string& text) {
        std::string prefKey;
        return FormPerPrinterKey((kTicketPrefix + key).c_str(), GetCurrentPrinterString(),
                                 prefKey) &&
               ReadPreferenceText(prefKey, "", text);
    });
    return status;
}

bool PrintFeaturesPDEmtk::GetValueFromPreset() {
    RefreshJobFlags();
    PDEPrintPanel::GetValueFromPreset();
    ReadFinishingTicketEntries(windowValues, [this](const std::string& key, std::string& text) {
        return ReadSettingsText(GetCurrentPMPrintSettings(), (kTicketPrefix + key).c_str(), text);
    });
    return true;
}

int PrintFeaturesPDEmtk::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    for (BaseControl* control : getCtrlGroupArrayRef())
        control->GetSummaryText(dict, orderArray);
    auto add = [&](const char* titleKey, const QString& value) {
        QString title = LocalizedString(GetPDEPlugInBundle(), titleKey, LocalizeTableName);
        dict.insert(title, value);
        orderArray.append(title);
    };
    auto number = [](int value, int digits) {
        return QString::fromStdString(FormatFieldNumber(value, digits));
    };
    const FinishingWindowValues& v = windowValues;
    if (separatorList && separatorList->GetControlPtr() && !IsSeparatorOff())
        add("Separator Location Title",
            QString::fromStdString(SeparatorEntryForm(v.separatorPages)));
    if (bookletSwitch && IsBookletMarginShift()) {
        add(v.bookletInchUnit ? "Booklet Margin Summary for Inches Radio Button Title"
                              : "Booklet Margin Summary for MM Radio Button Title",
            v.bookletInchUnit ? number(v.bookletInch, 1) : number(v.bookletMM, 0));
        add("Booklet Margin Auto Fit Text",
            LocalizedString(GetPDEPlugInBundle(), v.autoFit ? "On" : "Off", LocalizeTableName));
    }
    if (tabMarginSwitch && IsTabMarginShift())
        add(v.tabInchUnit ? "Tab Margin Summary for Inches Radio Button Title"
                          : "Tab Margin Summary for MM Radio Button Title",
            v.tabInchUnit ? number(v.tabInch, 2) : number(v.tabMM, 1));
    if (numInSeqSwitch && IsNumberInSequence())
        add("Number In Sequence Window Title String", QString::number(v.numberStart));
    if (getOffsetStackingValue() == 4)
        add("Offset Per Page Window Title String", QString::number(v.offsetPages));
    else if (getOffsetStackingValue() == 5)
        add("Offset Per Copy Window Title String", QString::number(v.offsetCopies));
    if (trimmerSwitch && IsTrimmer()) {
        const TrimmerValues paper = CurrentTrimmerValues();
        add(v.trimInchUnit ? "Trimmer Summary for Inches Radio Button Title"
                           : "Trimmer Summary for MM Radio Button Title",
            v.trimInchUnit ? number(TrimmerShownInch(paper, v.trimInch), 2)
                           : number(TrimmerShownMM(paper, v.trimMM), 1));
    }
    return 0;
}

} // namespace KESTRANE_NS
