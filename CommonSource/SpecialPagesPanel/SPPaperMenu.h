// The paper selection list of the covers, inserts and exceptions windows: a
// button whose menu offers "No Change", the size, colour and type submenus
// from the PPD, the tray interposer and the advanced window; the paper
// information view beside it shows what is chosen.
#pragma once

#include "PaperSelection.h"

#include <QString>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QWidget;

namespace KESTRANE_NS {

// The localised text of the key in the plug-in's table; the key itself when
// the table has no text for it.
QString SPLocalized(const char* key, const QString& table);
// Gives every label under root that names a strings key (its "textKey"
// property) the key's text.
void LocalizeKeyedTexts(QWidget* root, const QString& table);

class SPSubMenuListCtrlMN {
public:
    SPSubMenuListCtrlMN(QWidget* button, QWidget* infoView);
    ~SPSubMenuListCtrlMN();
    SPSubMenuListCtrlMN(const SPSubMenuListCtrlMN&) = delete;
    SPSubMenuListCtrlMN& operator=(const SPSubMenuListCtrlMN&) = delete;

    // Builds the menu from the PPD's choices; the selection goes to the defaults.
    void InitializeFromPPD(ppd_file_t* ppd, const QString& table);
    const PaperChoices& Choices() const { return choices; }
    const PaperSelection& Selection() const { return selection; }
    // Shows a selection; `recordsDiffer` when it stands for several records
    // that differ (the "No Change" items then show).
    void SetSelection(const PaperSelection& s, bool recordsDiffer);
    void SetCustomSize(const std::string& width, const std::string& length, int unit);
    void RestoreDefaults();
    // Called after every choice a person makes, with what it opens.
    void SetChoiceHandler(std::function<void(PaperChoiceEffect)> handler) {
        choiceHandler = std::move(handler);
    }
    void Choose(int item);
    // The window's own choices the paper must go with (the duplex choices of
    // its sides setting); items the PPD forbids with them are disabled.
    void SetExtraConstraintChoices(std::vector<PPDChoicePair> extra);
    void SetEnabled(bool enabled);
    bool IsEnabled() const;

    // The title of a choice ("Custom Size Text" for the custom size); empty
    // for -1 or an index the PPD does not have.
    QString ChoiceTitle(int group, int index) const;
    // One line per chosen size, colour and type, or the interposer.
    QString PaperInformation(const PaperSelection& s) const;
    bool doCustomSizeSetCheckByIndex(int index) const {
        return index >= 0 && index == choices.customSizeIndex;
    }
    bool doTabStockSetCheckByIndex(int index) const;
    QString LocalizedText(const char* key) const { return SPLocalized(key, table); }

private:
    void Refresh();

    QPushButton* button = nullptr;
    QLabel* info = nullptr;
    QMenu* menu = nullptr;
    QAction* topItems[7] = {};
    std::vector<QAction*> groupItems[3];
    PaperChoices choices;
    PaperSelection selection;
    ppd_file_t* ppd = nullptr;
    std::vector<PPDChoicePair> extraChoices;
    bool recordsDiffer = false;
    QString table;
    std::function<void(PaperChoiceEffect)> choiceHandler;
};

} // namespace KESTRANE_NS
