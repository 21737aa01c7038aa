#include "PaperWindows.h"

#include "InterfaceFile.h"
#include "NumberUnit.h"
#include "SPPaperMenu.h"
#include "SpecialPagesPDEm14.h"
#include "SpecialPagesTags.h"
#include "SpecialPagesWindows.h"

#include "PlatformServices.h"
#include "PluginBundle.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace KESTRANE_NS {

// ---- The common window ----

SPPaperWindowBase::SPPaperWindowBase(QWidget* dialog, const char* titleKey, int tagBase,
                                     const char* helpName, SpecialPagesPDEm14* owner)
    : panel(owner) {
    PopupWinInPanelInit(dialog, titleKey);
    AddOptionWindowButtons(this, dialog, tagBase, [this, helpName](int which) {
        if (which == SPTag::kOK) {
            if (Commit()) {
                accepted = true;
                DeactivateWindow(0);
            }
        } else if (which == SPTag::kCancel) {
            DeactivateWindow(1);
        } else if (which == SPTag::kRestore) {
            RestoreDefaults();
        } else {
            panel->ShowHelp(helpName);
        }
    });
}

SPPaperWindowBase::~SPPaperWindowBase() {
    terminate();
    delete windowRef;
}

int SPPaperWindowBase::InitializeUserPane(PDEBundleRef bundle, ppd_file_t* ppd) {
    PopupWinInPanel::InitializeUserPane(bundle, ppd);
    LocalizeKeyedTexts(windowRef, LocalizeTableName);
    return 0;
}

QWidget* SPPaperWindowBase::Tagged(int tag) const {
    return FindTaggedWidget(windowRef, tag);
}

bool SPPaperWindowBase::RunFor(SPSubMenuListCtrlMN* list) {
    paper = list;
    accepted = false;
    if (paper)
        ActivateWindow();
    paper = nullptr;
    return accepted;
}

// ---- Advanced paper selection ----

SPAdvSeleWndMN::SPAdvSeleWndMN(QWidget* dialog, SpecialPagesPDEm14* owner)
    : SPPaperWindowBase(dialog, "Adv Paper Wnd", SPTag::kAdvancedBase, "SpecialPagesAdv", owner) {
    for (int g = 0; g < 3; ++g) {
        lists[g] = FindTaggedWidgetAs<QComboBox>(dialog, SPTag::kAdvancedSize + g);
        if (lists[g])
            QObject::connect(lists[g], &QComboBox::activated, lists[g],
                             [this, g](int) { ListChanged(g); });
    }
}

void SPAdvSeleWndMN::Fill() {
    const PaperChoices& choices = paper->Choices();
    const std::vector<PaperChoice>* sources[3] = {&choices.sizes, &choices.colors, &choices.types};
    for (int g = 0; g < 3; ++g) {
        if (!lists[g])
            continue;
        lists[g]->clear();
        lists[g]->addItem(paper->LocalizedText("No Change Option String"));
        for (int i = 0; i < static_cast<int>(sources[g]->size()); ++i)
            lists[g]->addItem(paper->ChoiceTitle(g + kPaperSizeGroup, i));
    }
}

void SPAdvSeleWndMN::Prepare() {
    Fill();
    const PaperSelection& s = paper->Selection();
    const int indexes[3] = {s.selectedSizeIndex, s.selectedColorIndex, s.selectedTypeIndex};
    for (int g = 0; g < 3; ++g)
        if (lists[g])
            lists[g]->setCurrentIndex(std::clamp(indexes[g] + 1, 0, lists[g]->count() - 1));
    if (auto* summary = FindTaggedWidgetAs<QLabel>(windowRef, SPTag::kAdvancedSummary))
        summary->setText(paper->PaperInformation(s));
}

void SPAdvSeleWndMN::ListChanged(int group) {
    const PaperChoices& choices = paper ? paper->Choices() : PaperChoices{};
    if (group == 2 && lists[1] && choices.clearColorIndex >= 0 &&
        lists[2]->currentIndex() - 1 == choices.transparencyIndex)
        lists[1]->setCurrentIndex(choices.clearColorIndex + 1);
    if (group == 0 && paper && paper->doCustomSizeSetCheckByIndex(lists[0]->currentIndex() - 1))
        panel->OpenCustomSize(paper);
}

void SPAdvSeleWndMN::RestoreDefaults() {
    const PaperSelection s = PaperSelection::Defaults(paper->Choices());
    const int indexes[3] = {s.selectedSizeIndex, s.selectedColorIndex, s.selectedTypeIndex};
    for (int g = 0; g < 3; ++g)
        if (lists[g])
            lists[g]->setCurrentIndex(indexes[g] + 1);
}

bool SPAdvSeleWndMN::Commit() {
    PaperSelection s = paper->Selection();
    s.selectedSizeIndex = lists[0] ? lists[0]->currentIndex() - 1 : -1;
    s.selectedColorIndex = lists[1] ? lists[1]->currentIndex() - 1 : -1;
    s.selectedTypeIndex = lists[2] ? lists[2]->currentIndex() - 1 : -1;
    s.interposerValue = false;
    paper->SetSelection(s, false);
    return true;
}

// ---- Custom size ----

SPCustomSizeWndMN::SPCustomSizeWndMN(QWidget* dialog, SpecialPagesPDEm14* owner)
    : SPPaperWindowBase(dialog, "Custom Size Windows", SPTag::kCustomBase, "SpecialPagesCustom",
                        owner) {
    inchRadio = FindTaggedWidgetAs<QRadioButton>(dialog, SPTag::kInchRadio);
    mmRadio = FindTaggedWidgetAs<QRadioButton>(dialog, SPTag::kMMRadio);
    for (int i = 0; i < 4; ++i)
        fields[i] = FindTaggedWidgetAs<QLineEdit>(dialog, SPTag::kWidthInch + i);
    if (inchRadio)
        QObject::connect(inchRadio, &QRadioButton::clicked, inchRadio,
                         [this] { UnitChanged(true); });
    if (mmRadio)
        QObject::connect(mmRadio, &QRadioButton::clicked, mmRadio, [this] { UnitChanged(false); });
}

int SPCustomSizeWndMN::InitializeUserPane(PDEBundleRef bundle, ppd_file_t* ppd) {
    SPPaperWindowBase::InitializeUserPane(bundle, ppd);
    limits = GetCustomSizeLimits(ppd);
    const std::pair<int, const char*> sides[] = {
        {SPTag::kInchSideText, "Custom Size Inch Side Static Text"},
        {SPTag::kMMSideText, "Custom Size MM Side Static Text"}};
    for (const auto& [tag, key] : sides) {
        auto* label = FindTaggedWidgetAs<QLabel>(windowRef, tag);
        if (!label)
            continue;
        const int w = tag == SPTag::kInchSideText ? kCustomWidthInch : kCustomWidthMM;
        const int d = limits[w].decimals;
        label->setText(
            SPLocalized(key, LocalizeTableName)
                .arg(QString::fromStdString(FormatCustomSizeValue(limits[w].minimum, d)),
                     QString::fromStdString(FormatCustomSizeValue(limits[w].maximum, d)),
                     QString::fromStdString(FormatCustomSizeValue(limits[w + 1].minimum, d)),
                     QString::fromStdString(FormatCustomSizeValue(limits[w + 1].maximum, d))));
    }
    return 0;
}

bool SPCustomSizeWndMN::InchesShown() const {
    return !mmRadio || !mmRadio->isChecked();
}

void SPCustomSizeWndMN::SetField(int id, int value) {
    syncedText[id] = QString::fromStdString(FormatCustomSizeValue(value, limits[id].decimals));
    if (fields[id])
        fields[id]->setText(syncedText[id]);
}

int SPCustomSizeWndMN::TwinValue(int source, int target) const {
    int value = 0;
    if (fields[source]->text() == syncedText[source]) {
        ParseCustomSizeText(fields[target]->text().toStdString(), limits[target].decimals, value);
        return value;
    }
    ParseCustomSizeText(fields[source]->text().toStdString(), limits[source].decimals, value);
    return source < kCustomWidthMM ? InchToMillimetreValue(value, limits[source], limits[target])
                                   : MillimetreToInchValue(value, limits[source], limits[target]);
}

void SPCustomSizeWndMN::ShowUnit(bool inches) {
    if (inchRadio)
        inchRadio->setChecked(inches);
    if (mmRadio)
        mmRadio->setChecked(!inches);
    for (int i = 0; i < 4; ++i)
        if (fields[i])
            fields[i]->setHidden((i < 2) != inches);
}

void SPCustomSizeWndMN::Prepare() {
    const PaperSelection& s = paper->Selection();
    const std::string texts[2] = {s.customPageWidth, s.customPageLength};
    for (int k = 0; k < 2; ++k) {
        const int mm = kCustomWidthMM + k, inch = kCustomWidthInch + k;
        int tenths =
            IsMillimetreText(texts[k]) ? GetMillimetreFromStr(texts[k]) : limits[mm].minimum;
        tenths = std::clamp(tenths, limits[mm].minimum, limits[mm].maximum);
        SetField(mm, tenths);
        SetField(inch, MillimetreToInchValue(tenths, limits[mm], limits[inch]));
    }
    ShowUnit(s.customPageSizeLongMeasure == 0);
}

void SPCustomSizeWndMN::RestoreDefaults() {
    for (int i = 0; i < 4; ++i)
        SetField(i, limits[i].defaultValue);
    ShowUnit(true);
}

bool SPCustomSizeWndMN::ValidateShown() {
    const int first = InchesShown() ? kCustomWidthInch : kCustomWidthMM;
    for (int id = first; id < first + 2; ++id) {
        if (!fields[id] || IsCustomSizeTextValid(fields[id]->text().toStdString(), limits[id]))
            continue;
        const int d = limits[id].decimals;
        AlertRequest request;
        request.message =
            SPLocalized(InchesShown() ? "Message22_Inchs" : "Message22_Millimeters",
                        LocalizeTableName)
                .arg(QString::fromStdString(FormatCustomSizeValue(limits[id].minimum, d)),
                     QString::fromStdString(FormatCustomSizeValue(limits[id].maximum, d)))
                .toStdString();
        if (pdeBundleRef)
            request.iconPath = pdeBundleRef->PathForResource("AlertIcon", "png");
        request.buttons.push_back(SPLocalized("Alert OK Btn", LocalizeTableName).toStdString());
        request.parent = windowRef;
        Services().RunAlert(request);
        fields[id]->setFocus();
        return false;
    }
    return true;
}

void SPCustomSizeWndMN::UnitChanged(bool inches) {
    if (!fields[0] || !fields[2] || !fields[0]->isHidden() == inches)
        return;
    // The radio already moved; check the fields of the unit that was shown.
    ShowUnit(!inches);
    if (!ValidateShown())
        return;
    for (int k = 0; k < 2; ++k) {
        const int mm = kCustomWidthMM + k, inch = kCustomWidthInch + k;
        const int source = inches ? mm : inch, target = inches ? inch : mm;
        const int value = TwinValue(source, target);
        SetField(target, value);
        syncedText[source] = fields[source]->text();
    }
    ShowUnit(inches);
}

bool SPCustomSizeWndMN::Commit() {
    if (!ValidateShown())
        return false;
    const bool inches = InchesShown();
    std::string texts[2];
    for (int k = 0; k < 2; ++k) {
        const int mm = kCustomWidthMM + k, inch = kCustomWidthInch + k;
        int value = 0;
        if (inches)
            value = TwinValue(inch, mm);
        else
            ParseCustomSizeText(fields[mm]->text().toStdString(), 1, value);
        texts[k] = FormatCustomSizeValue(value, 1);
    }
    paper->SetCustomSize(texts[0], texts[1], inches ? 0 : 1);
    return true;
}

} // namespace KESTRANE_NS
