#include "LayoutPDEmtk.h"

#include "BaseButton.h"
#include "CheckBox.h"
#include "InterfaceFile.h"
#include "PDEPlugInEntry.h"
#include "PDEResourceAccess.h"
#include "PDETextUnits.h"
#include "PageFormat.h"
#include "PlatformServices.h"
#include "PluginBundle.h"
#include "TicketText.h"
#include "VersionStringSText.h"
#include "WatermarkArrayStore.h"
#include "WatermarkEditPanelMN.h"
#include "WatermarkEditTags.h"
#include "WatermarkFontTable.h"
#include "WatermarkKeys.h"
#include "WatermarkTextMeasure.h"

#include "PrintSettings.h"

#include <QComboBox>
#include <QImageReader>

#include <cups/ppd.h>

#include <cstdio>
#include <unistd.h>

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

namespace {

const char* const kNoneItems[] = {"Watermark option None", nullptr};
const PopupIniData kListIniData = {0, 1, 1, kNoneItems};
const ControlDataAccessInfo kListAccess = {kControlValueTypeCFString, kControlValueTypeCFString,
                                           kWMARKNameTicket, kWMARKNameReference};

const char* const kLayerItems[] = {"Watermark Print in Foreground", "Watermark Print in Background",
                                   nullptr};
const PopupIniData kLayerIniData = {0, 1, 1, kLayerItems};
const ControlDataAccessInfo kLayerAccess = {kControlValueTypeInteger, kControlValueTypeInteger,
                                            kWMARKOptionsTicket, kWMARKOptionsReference};

const CheckBoxIniData kFirstPageIniData = {0, 0, 0, "WM Print on Page 1 only String"};
const ControlDataAccessInfo kFirstPageAccess = {kControlValueTypeInteger, kControlValueTypeInteger,
                                                kWMARKOnlyFirstTicket, kWMARKOnlyFirstReference};

constexpr double kPaperHeightMax = 1383.3;
constexpr double kPaperWidthMax = 935.44;

QString Localized(PDEBundleRef bundle, const char* key, const QString& table) {
    QString text = LocalizedString(bundle, key, table);
    return text == QLatin1String(kNoTranslation) ? QString::fromUtf8(key) : text;
}

} // namespace

void AddPopupSummary(PopupControl* control, const char* titleKey, SummaryDictionary& dict,
                     QStringList& orderArray) {
    QComboBox* combo = control->GetComboBox();
    const int value = control->GetValue();
    if (!combo || value < 1 || value > combo->count())
        return;
    const QString title =
        Localized(GetPDEPlugInBundle(), titleKey, control->GetLocalizeTableName());
    dict.insert(title, combo->itemText(value - 1));
    orderArray.append(title);
}

WMListCtrlMN::WMListCtrlMN(QWidget* widget)
    : PopupControl(widget, &kLayerIniData, nullptr, &kLayerAccess, nullptr) {}

int WMListCtrlMN::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    AddPopupSummary(this, "WM Option List Summary String", dict, orderArray);
    return 0;
}

WMCheckBoxMN::WMCheckBoxMN(QWidget* widget)
    : CheckBox(widget, &kFirstPageIniData, nullptr, &kFirstPageAccess, nullptr) {}

int WMCheckBoxMN::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    PDEBundleRef bundle = GetPDEPlugInBundle();
    const QString title = Localized(bundle, "WM Print on Page 1 only String", LocalizeTableName);
    dict.insert(title, Localized(bundle, GetValue() ? "WM Summary On" : "WM Summary Off",
                                 LocalizeTableName));
    orderArray.append(title);
    return 0;
}

WMOptionListCtrlMN::WMOptionListCtrlMN(QWidget* widget, LayoutPDEmtk* owner)
    : PopupControl(widget, &kListIniData, nullptr, &kListAccess, nullptr), panel(owner) {}

bool WMOptionListCtrlMN::InitializeMenu(PDEBundleRef bundle, ppd_file_t* ppd) {
    PopupControl::InitializeMenu(bundle, ppd);
    QComboBox* combo = GetComboBox();
    if (!combo)
        return false;
    const QSignalBlocker block(combo);
    const auto& records = panel->Records().Records();
    for (const WatermarkRecord& r : records)
        combo->addItem(QString::fromStdString(r.name), QString::fromStdString(r.name));
    // A printer that prints text only keeps its pictures listed, not chosen.
    for (size_t i = 0; i < records.size(); ++i)
        SetItemEnabled(static_cast<int>(i) + 1,
                       !(records[i].IsPicture() && panel->GetProductsType() == 0));
    return true;
}

int WMOptionListCtrlMN::ValueForName(const std::string& name, bool refusePictures) const {
    const int i = panel->Records().FindByName(name);
    if (i < 0)
        return 1;
    const WatermarkRecord& r = panel->Records().Records()[static_cast<size_t>(i)];
    if (r.IsPicture() && (refusePictures ? panel->GetProductsType() == 0 : false))
        return -1;
    if (r.IsPicture() && (panel->GetProductsType() == 0 || !LayoutPDEmtk::PictureLoads(r)))
        return 1;
    return i + 2;
}

bool WMOptionListCtrlMN::ConvertToTickectData(std::string& out) {
    out = panel->TicketName(GetValue());
    return true;
}

bool WMOptionListCtrlMN::GetValueToPreset() {
    std::string text;
    if (!ReadPresetText(text))
        return false;
    // The name travels escaped when it holds a comma or the like.
    const int value = ValueForName(ReadTicketString(text), true);
    if (value < 0)
        return false;
    SetControlBlkInt(value);
    return true;
}

bool WMOptionListCtrlMN::ConvertToPreferenceString(std::string& out) {
    const int value = GetValue();
    const auto& records = panel->Records().Records();
    out = value >= 2 && value - 2 < static_cast<int>(records.size())
              ? records[static_cast<size_t>(value - 2)].name
              : std::string();
    return true;
}

bool WMOptionListCtrlMN::ConvertFromPreferenceString(const std::string& text) {
    SetControlBlkInt(text.empty() ? 1 : std::max(1, ValueForName(text, false)));
    return true;
}

bool WMOptionListCtrlMN::UIEventHandler() {
    PopupControl::UIEventHandler();
    SetValueFromUIToControl();
    panel->SelectionChanged();
    return true;
}

int WMOptionListCtrlMN::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    AddPopupSummary(this, "WM List Summary String", dict, orderArray);
    return 0;
}

void WMOptionListCtrlMN::Select(int value) {
    SetControlBlkInt(value);
    SetUIBlkInt(value);
    ShowWidgetValue(value);
}

LayoutPDEmtk::LayoutPDEmtk(PDECallbackRef callback)
    : PDEPrintPanel(callback, "com.kestrane.mtk.pde.WaterMarkKind") {
    SetKeepsValuesInPreferences(true);
    SetHelpBookNameKey("Help Book Name");
}

LayoutPDEmtk::~LayoutPDEmtk() = default;

void LayoutPDEmtk::SetProductType(int productType) {
    PDEPrintPanel::SetProductType(productType);
    iProductsType = productType == 0 ? 0 : 1;
}

bool LayoutPDEmtk::PictureLoads(const WatermarkRecord& r) {
    return !r.imagePath.empty() && QImageReader(QString::fromStdString(r.imagePath)).canRead();
}

void LayoutPDEmtk::RefreshPageFormat() {
    PDECallbackRef callback = GetCurrentPDECallbackObj();
    PageFormat* format = callback ? callback->pageFormat() : nullptr;
    if (!format)
        return;
    const PMRect rect = format->GetUnadjustedPaperRect();
    curPaperSize = {rect.top, rect.left, rect.bottom, rect.right};
    if (curPaperSize.Height() > kPaperHeightMax) {
        curPaperSize.top = 0;
        curPaperSize.bottom = kPaperHeightMax;
    }
    if (curPaperSize.Width() > kPaperWidthMax) {
        curPaperSize.left = 0;
        curPaperSize.right = kPaperWidthMax;
    }
    const int o = static_cast<int>(format->GetOrientation());
    orientation = o >= 1 && o <= 4 ? o : 1;
}

void LayoutPDEmtk::RefreshMailboxFlag() {
    std::string key, text;
    isPrintTypeSavetoMailbox =
        FormPerPrinterKey(kWMPrintTypeReference, GetCurrentPrinterString(), key) &&
        ReadPreferenceText(key, "", text) && std::atoi(text.c_str()) == 5;
}

WatermarkPaperRect LayoutPDEmtk::PMGetPhysicalPaperSize() const {
    return PhysicalPaperSize(GetCurrentPPD(), curPaperSize);
}

void LayoutPDEmtk::GetWMArrayValue() {
    records = WatermarkRecordList(LoadWatermarkRecords(GetCurrentPrinterString()));
}

bool LayoutPDEmtk::SetWMArrayValue() {
    if (GetCurrentPrinterString().empty())
        return false;
    return SaveWatermarkRecords(GetCurrentPrinterString(), records.Records());
}

bool LayoutPDEmtk::LoadPanelControls() {
    using namespace WMTag;
    QWidget* view = GetPanelControlPtr();
    ppd_file_t* ppd = GetCurrentPPD();
    PDEBundleRef bundle = GetPDEPlugInBundle();
    if (LocalizeTableName.isEmpty())
        LocalizeTableName = LocalizeTableNameFromPPD(ppd);
    RefreshPageFormat();
    RefreshMailboxFlag();

    std::vector<std::string> ppdFonts;
    for (int i = 0; ppd && i < ppd->num_fonts; ++i)
        ppdFonts.push_back(ppd->fonts[i]);
    fonts = WatermarkFontList(ppdFonts);
    if (fonts.empty())
        fonts.push_back("Courier");
    defaultFont = 0;
    if (ppd_attr_t* attr = ppd ? ppdFindAttr(ppd, "DefaultFont", nullptr) : nullptr;
        attr && attr->value) {
        const auto entry = WatermarkFontList({attr->value});
        for (size_t i = 0; !entry.empty() && i < fonts.size(); ++i)
            if (fonts[i] == entry[0])
                defaultFont = static_cast<int>(i);
    }
    GetWMArrayValue();

    auto button = [&](int tag, const char* key, void (LayoutPDEmtk::*action)()) {
        auto* b = new BaseButton(FindTaggedWidget(view, tag), key);
        b->SetPressAction([this, action] {
            (this->*action)();
            return true;
        });
        RunTimeAddNewControl(b);
        return b;
    };
    button(kRestore, "WM RESTORE Btn", &LayoutPDEmtk::OnRestore);
    auto* help = new BaseButton(FindTaggedWidget(view, kHelp), nullptr);
    help->SetPressAction([this, bundle] {
        GotoHelpPage(bundle, GetHelpPageName().c_str(), nullptr, "Help Book Name");
        return true;
    });
    RunTimeAddNewControl(help);
    helpButton = help;
    auto* version = new VersionStringSText();
    version->CreateControl(FindTaggedWidget(view, kVersion), nullptr,
                           ppd && ppdFindAttr(ppd, "KRVCDFSetting", nullptr));
    RunTimeAddNewControl(version);
    button(kNew, "WM New Watermark Btn", &LayoutPDEmtk::OnNew);
    button(kEdit, "WM Edit Watermark Btn", &LayoutPDEmtk::OnEdit);
    button(kDelete, "WM Delete Watermark Btn", &LayoutPDEmtk::OnDelete);
    list = new WMOptionListCtrlMN(FindTaggedWidget(view, kList), this);
    RunTimeAddNewControl(list);
    RunTimeAddNewControl(new WMListCtrlMN(FindTaggedWidget(view, kLayer)));
    RunTimeAddNewControl(new WMCheckBoxMN(FindTaggedWidget(view, kFirstPageOnly)));

    if (bundle) {
        const std::string path = bundle->PathForResource("WatermarkEditWindow", "ui");
        if (QWidget* dialog =
                path.empty() ? nullptr : LoadInterfaceFile(QString::fromStdString(path))) {
            editWindow =
                new WatermarkEditPanelMN(dialog, bundle, LocalizeTableName, "Watermark.htm");
            RunTimeAddNewWindow(editWindow);
        }
    }
    return true;
}

void LayoutPDEmtk::ValuesShown() {
    SelectionChanged();
}

void LayoutPDEmtk::SelectionChanged() {
    // Edit and Delete follow the selection alone; no constraint list
    // counts on them.
    const bool chosen = list && list->Shown() >= 2;
    for (int tag : {WMTag::kEdit, WMTag::kDelete})
        if (QWidget* w = FindTaggedWidget(GetPanelControlPtr(), tag))
            w->setEnabled(chosen);
}

void LayoutPDEmtk::RebuildList(int selectValue) {
    if (!list)
        return;
    list->InitializeMenu(GetPDEPlugInBundle(), GetCurrentPPD());
    list->Select(selectValue);
    SelectionChanged();
}

bool LayoutPDEmtk::OpenEditWindow(int editedIndex) {
    if (!editWindow)
        return false;
    RefreshPageFormat();
    PDEBundleRef bundle = GetPDEPlugInBundle();
    WatermarkEditContext context;
    context.list = &records;
    context.editedIndex = editedIndex;
    context.paper = PMGetPhysicalPaperSize();
    context.orientation = orientation;
    context.productType = iProductsType;
    context.fonts = fonts;
    context.defaultFont = defaultFont;
    context.defaults.name =
        Localized(bundle, "Default WaterMark Name", LocalizeTableName).toStdString();
    context.defaults.text =
        Localized(bundle, "Default WaterMark Text", LocalizeTableName).toStdString();
    context.defaults.fontName = fonts[static_cast<size_t>(defaultFont)];
    context.fallbackFontName =
        Localized(bundle, "DefaultFont String", LocalizeTableName).toStdString();
    int selected = -1;
    if (!editWindow->RunEdit(context, &selected))
        return false;
    // The list is the person's: it is kept at once, not only when the
    // panel hides.
    SetWMArrayValue();
    RebuildList(selected + 2);
    return true;
}

void LayoutPDEmtk::OnNew() {
    if (records.IsFull()) {
        ShowErrMsg("Message115");
        return;
    }
    OpenEditWindow(-1);
}

void LayoutPDEmtk::OnEdit() {
    if (list && list->Shown() >= 2)
        OpenEditWindow(list->Shown() - 2);
}

void LayoutPDEmtk::OnDelete() {
    if (!list || list->Shown() < 2)
        return;
    records.Remove(list->Shown() - 2);
    SetWMArrayValue();
    RebuildList(1);
}

void LayoutPDEmtk::OnRestore() {
    SetDefaultValueToUI();
    for (BaseControl* c : getCtrlGroupArrayRef())
        c->SetValueFromUIToControl();
    SelectionChanged();
}

bool LayoutPDEmtk::shouldHide() {
    SetWMArrayValue();
    return true;
}

std::string LayoutPDEmtk::TicketName(int listValue) const {
    if (preparedFailed || listValue < 2 || listValue - 2 >= records.Count())
        return {};
    return FitEscapedTicketText(records.Records()[static_cast<size_t>(listValue - 2)].name, 255);
}

void LayoutPDEmtk::ForgetPreparedPicture() {
    // A file made for a print that did not happen belongs to no job.
    if (!preparedPicture.empty())
        ::unlink(preparedPicture.c_str());
    preparedPicture.clear();
}

bool LayoutPDEmtk::PrepareTicket(bool forPrint) {
    prepared.clear();
    preparedFailed = false;
    if (forPrint)
        ForgetPreparedPicture();
    RefreshMailboxFlag();
    const int value = list ? list->GetValue() : 1;
    if (value < 2 || value - 2 >= records.Count())
        return true;
    const WatermarkRecord& r = records.Records()[static_cast<size_t>(value - 2)];
    RefreshPageFormat();
    WatermarkTicketInput input;
    input.record = r;
    input.paper = PMGetPhysicalPaperSize();
    input.orientation = orientation;
    PDEBundleRef bundle = GetPDEPlugInBundle();
    if (r.IsPicture() && !forPrint) {
        // Saving without printing: the values other panels and the summary
        // see, but no file until the job needs one.
        const QSize size = QImageReader(QString::fromStdString(r.imagePath)).size();
        if (iProductsType == 0 || !size.isValid()) {
            preparedFailed = true;
            return true;
        }
        input.pictureWidth = size.width();
        input.pictureHeight = size.height();
    } else if (r.IsPicture()) {
        WatermarkPictureFile file;
        const WatermarkPictureStatus status = iProductsType == 0
                                                  ? WatermarkPictureStatus::CannotLoad
                                                  : WriteWatermarkPicture(r.imagePath, file);
        if (status != WatermarkPictureStatus::Written) {
            // Nothing of this watermark goes to the job; the person decides
            // whether the job goes without it.
            preparedFailed = true;
            const char* reason = status == WatermarkPictureStatus::CannotLoad
                                     ? "WM Picture Print Unreadable Message"
                                     : "WM Picture Not Written Message";
            AlertRequest request;
            request.message = Localized(bundle, "WM Picture Failed Message", LocalizeTableName)
                                  .arg(QString::fromStdString(r.name))
                                  .toStdString();
            request.informativeText = Localized(bundle, reason, LocalizeTableName).toStdString();
            if (bundle)
                request.iconPath = bundle->PathForResource("AlertIcon", "png");
            request.buttons = {
                Localized(bundle, "WM Print Without Btn", LocalizeTableName).toStdString(),
                Localized(bundle, "WM Do Not Print Btn", LocalizeTableName).toStdString()};
            request.parent = GetPanelControlPtr() ? GetPanelControlPtr()->window() : nullptr;
            return Services().RunAlert(request) == 0;
        }
        preparedPicture = file.path;
        input.picturePath = file.path;
        input.pictureWidth = file.width;
        input.pictureHeight = file.height;
    } else {
        const WatermarkFontTicket font = FontTicketForDisplayName(r.fontName);
        const WatermarkTextBox box = MeasureWatermarkText(
            r.text, font.printName, r.size,
            Localized(bundle, "DefaultFont String", LocalizeTableName).toStdString());
        input.textWidth = box.width;
        input.textHeight = box.height;
    }
    prepared = MakeWatermarkTicketValues(input);
    return true;
}

void LayoutPDEmtk::SaveValuesToTicket(PrintSettings* settings) {
    if (!preparingPrint)
        PrepareTicket(false);
    if (settings) {
        for (const char* key : kWMARKRecordTicketKeys)
            settings->RemoveValue(key);
        for (const auto& [key, value] : prepared)
            StoreSettingsText(settings, key, value, false);
    }
    PDEPrintPanel::SaveValuesToTicket(settings);
}

bool LayoutPDEmtk::shouldPrint() {
    if (IsFirstInitialize())
        SimulationOpenPDE();
    // Without a PPD or interface the panel was never built: nothing to write.
    if (IsFirstInitialize() || !list)
        return true;
    SetValueFromUIToControl();
    SetWMArrayValue();
    if (!PrepareTicket(true))
        return false;
    preparingPrint = true;
    const bool saved = saveValuesAndReturnError(nullptr);
    preparingPrint = false;
    // The file now travels with this job.
    preparedPicture.clear();
    return saved;
}

} // namespace KESTRANE_NS
