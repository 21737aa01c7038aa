#include "SPPaperMenu.h"

#include "ControlPlatform.h"
#include "PDEPlugInEntry.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace KESTRANE_NS {

namespace {

const char* const kGroupTitles[3] = {"Size String", "Color String", "Type String"};

} // namespace

QString SPLocalized(const char* key, const QString& table) {
    QString text = LocalizedString(GetPDEPlugInBundle(), key, table);
    if (text == QLatin1String(kNoTranslation))
        text = QString::fromUtf8(key);
    return text;
}

void LocalizeKeyedTexts(QWidget* root, const QString& table) {
    if (!root)
        return;
    for (QLabel* label : root->findChildren<QLabel*>()) {
        const QByteArray key = label->property("textKey").toString().toUtf8();
        if (!key.isEmpty())
            label->setText(SPLocalized(key.constData(), table));
    }
}

SPSubMenuListCtrlMN::SPSubMenuListCtrlMN(QWidget* widget, QWidget* infoView)
    : button(qobject_cast<QPushButton*>(widget)), info(qobject_cast<QLabel*>(infoView)) {}

SPSubMenuListCtrlMN::~SPSubMenuListCtrlMN() {
    // The menu belongs to the button's window, which outlives this list.
    if (button)
        button->setMenu(nullptr);
    delete menu;
}

void SPSubMenuListCtrlMN::InitializeFromPPD(ppd_file_t* file, const QString& tableName) {
    table = tableName;
    ppd = file;
    choices = ReadPaperChoices(ppd);
    selection = PaperSelection::Defaults(choices);
    if (!button)
        return;
    if (button)
        button->setMenu(nullptr);
    delete menu;
    menu = new QMenu(button);
    const char* const topKeys[7] = {
        "Select Paper String", "No Change Option String", nullptr, nullptr, nullptr,
        "Inteposer String",    "Advanced Setting String"};
    const std::vector<PaperChoice>* lists[3] = {&choices.sizes, &choices.colors, &choices.types};
    for (int i = 0; i < 7; ++i) {
        if (i >= 2 && i <= 4) {
            const int g = i - 2;
            QMenu* sub = menu->addMenu(LocalizedText(kGroupTitles[g]));
            topItems[i] = sub->menuAction();
            groupItems[g].clear();
            const int group = g + kPaperSizeGroup;
            for (int k = -1; k < static_cast<int>(lists[g]->size()); ++k) {
                const QString title =
                    k < 0 ? LocalizedText("No Change Option String") : ChoiceTitle(group, k);
                QAction* a = sub->addAction(title);
                const int tag = group * 1000 + 1 + k;
                a->setProperty("tag", tag);
                a->setCheckable(true);
                QObject::connect(a, &QAction::triggered, menu, [this, tag] { Choose(tag); });
                groupItems[g].push_back(a);
            }
            continue;
        }
        topItems[i] = menu->addAction(LocalizedText(topKeys[i]));
        if (i == kPaperItemTitle) {
            topItems[i]->setEnabled(false);
            continue;
        }
        QObject::connect(topItems[i], &QAction::triggered, menu, [this, i] { Choose(i); });
    }
    button->setMenu(menu);
    Refresh();
}

void SPSubMenuListCtrlMN::SetSelection(const PaperSelection& s, bool differ) {
    selection = s;
    recordsDiffer = differ;
    Refresh();
}

void SPSubMenuListCtrlMN::SetCustomSize(const std::string& width, const std::string& length,
                                        int unit) {
    selection.customPageWidth = width;
    selection.customPageLength = length;
    selection.customPageSizeLongMeasure = unit;
    Refresh();
}

void SPSubMenuListCtrlMN::RestoreDefaults() {
    SetSelection(PaperSelection::Defaults(choices), false);
}

void SPSubMenuListCtrlMN::Choose(int item) {
    const PaperChoiceEffect effect = ChoosePaperItem(selection, choices, item);
    Refresh();
    if (choiceHandler)
        choiceHandler(effect);
    Refresh();
}

void SPSubMenuListCtrlMN::SetExtraConstraintChoices(std::vector<PPDChoicePair> extra) {
    if (extra == extraChoices)
        return;
    extraChoices = std::move(extra);
    Refresh();
}

void SPSubMenuListCtrlMN::SetEnabled(bool enabled) {
    if (button)
        button->setEnabled(enabled);
    if (info)
        info->setEnabled(enabled);
}

bool SPSubMenuListCtrlMN::IsEnabled() const {
    return button && button->isEnabled();
}

bool SPSubMenuListCtrlMN::doTabStockSetCheckByIndex(int index) const {
    for (int i : choices.tabStockIndexes)
        if (i == index)
            return true;
    return false;
}

QString SPSubMenuListCtrlMN::ChoiceTitle(int group, int index) const {
    const std::vector<PaperChoice>* list = group == kPaperSizeGroup    ? &choices.sizes
                                           : group == kPaperColorGroup ? &choices.colors
                                                                       : &choices.types;
    if (index < 0 || index >= static_cast<int>(list->size()))
        return {};
    if (group == kPaperSizeGroup && index == static_cast<int>(list->size()) - 1 &&
        index == choices.customSizeIndex)
        return LocalizedText("Custom Size Text");
    return QString::fromStdString((*list)[static_cast<std::size_t>(index)].text);
}

QString SPSubMenuListCtrlMN::PaperInformation(const PaperSelection& s) const {
    if (s.interposerValue)
        return LocalizedText("Tray Interposer String");
    const int indexes[3] = {s.selectedSizeIndex, s.selectedColorIndex, s.selectedTypeIndex};
    QStringList lines;
    for (int g = 0; g < 3; ++g) {
        const QString title = ChoiceTitle(g + kPaperSizeGroup, indexes[g]);
        if (!title.isEmpty())
            lines << LocalizedText(kGroupTitles[g]) + QStringLiteral(": ") + title;
    }
    return lines.isEmpty() ? LocalizedText("No Change Infomation") : lines.join(QLatin1Char('\n'));
}

void SPSubMenuListCtrlMN::Refresh() {
    if (info)
        info->setText(PaperInformation(selection));
    if (!menu)
        return;
    const PaperMenuVisibility v = GetPaperMenuVisibility(selection, choices, recordsDiffer);
    topItems[kPaperItemNoChange]->setVisible(v.noChange);
    topItems[kPaperItemInterposer]->setVisible(v.interposer);
    topItems[kPaperItemInterposer]->setCheckable(true);
    topItems[kPaperItemInterposer]->setChecked(selection.interposerValue);
    const int indexes[3] = {selection.selectedSizeIndex, selection.selectedColorIndex,
                            selection.selectedTypeIndex};
    const std::vector<PaperChoice>* lists[3] = {&choices.sizes, &choices.colors, &choices.types};
    const std::string options[3] = {"PageSize", choices.colorOptionKeyword, "MediaType"};
    for (int g = 0; g < 3; ++g) {
        // A candidate is tested against the other options' choices only.
        PaperSelection others = selection;
        (g == 0   ? others.selectedSizeIndex
         : g == 1 ? others.selectedColorIndex
                  : others.selectedTypeIndex) = -1;
        const std::vector<PPDChoicePair> context =
            PaperConstraintContext(ppd, choices, others, extraChoices);
        for (std::size_t k = 0; k < groupItems[g].size(); ++k) {
            QAction* a = groupItems[g][k];
            a->setChecked(!selection.interposerValue && static_cast<int>(k) - 1 == indexes[g]);
            if (k == 0) {
                a->setVisible(v.groupNoChange[g]);
                continue;
            }
            a->setEnabled(
                !IsPaperChoiceConflicted(ppd, {options[g], (*lists[g])[k - 1].keyword}, context));
        }
    }
    if (groupItems[2].size() > 1)
        groupItems[2][1]->setVisible(v.firstType);
    if (button)
        button->setText(LocalizedText("Select Paper String"));
}

} // namespace KESTRANE_NS
