// The advanced paper selection window (size, colour and type from three
// lists) and the custom size window (width and length in inches or
// millimetres), both opened from a paper selection list and writing into it
// only on OK.
#pragma once

#include "CustomSizeRules.h"
#include "PopupWinInPanel.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace KESTRANE_NS {

class SPSubMenuListCtrlMN;
class SpecialPagesPDEm14;

class SPPaperWindowBase : public PopupWinInPanel {
public:
    SPPaperWindowBase(QWidget* dialog, const char* titleKey, int tagBase, const char* helpName,
                      SpecialPagesPDEm14* panel);
    ~SPPaperWindowBase() override;
    int InitializeUserPane(PDEBundleRef bundle, ppd_file_t* ppd) override;
    // Runs the window for the list; true when closed with OK.
    bool RunFor(SPSubMenuListCtrlMN* paper);

protected:
    void WindowValuesShown() override { Prepare(); }
    virtual void Prepare() = 0;
    virtual bool Commit() = 0;
    virtual void RestoreDefaults() = 0;
    QWidget* Tagged(int tag) const;

    SpecialPagesPDEm14* panel;
    SPSubMenuListCtrlMN* paper = nullptr;

private:
    bool accepted = false;
};

class SPAdvSeleWndMN : public SPPaperWindowBase {
public:
    SPAdvSeleWndMN(QWidget* dialog, SpecialPagesPDEm14* panel);

protected:
    void Prepare() override;
    bool Commit() override;
    void RestoreDefaults() override;

private:
    void Fill();
    void ListChanged(int group);
    QComboBox* lists[3] = {nullptr, nullptr, nullptr};
};

class SPCustomSizeWndMN : public SPPaperWindowBase {
public:
    SPCustomSizeWndMN(QWidget* dialog, SpecialPagesPDEm14* panel);
    int InitializeUserPane(PDEBundleRef bundle, ppd_file_t* ppd) override;

protected:
    void Prepare() override;
    bool Commit() override;
    void RestoreDefaults() override;

private:
    bool InchesShown() const;
    // Checks the fields of the shown unit; alerts about the first bad one.
    bool ValidateShown();
    void UnitChanged(bool inches);
    void ShowUnit(bool inches);
    void SetField(int id, int value);
    // The value of `target` after its twin `source` (the same dimension in
    // the other unit) was edited; a twin left as it was keeps the target
    // exact, so switching units back and forth never drifts.
    int TwinValue(int source, int target) const;

    CustomSizeLimits limits;
    QRadioButton* inchRadio = nullptr;
    QRadioButton* mmRadio = nullptr;
    QLineEdit* fields[4] = {nullptr, nullptr, nullptr, nullptr};
    QString syncedText[4]; // each field's text when it last matched its twin
};

} // namespace KESTRANE_NS
