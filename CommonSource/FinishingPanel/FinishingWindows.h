// The finishing option windows: tab margin shift, trimmer, booklet margin,
// separator pages, offset stacking per page and per copy, and numbering in
// sequence. Each edits a copy of the panel's window values and hands it back
// on OK; Cancel with a field that does not hold switches the option off.
#pragma once

#include "FinishingWindowValues.h"
#include "PopupWinInPanel.h"

class QAbstractButton;
class QLineEdit;

namespace KESTRANE_NS {

class PrintFeaturesPDEmtk;

class FeaturesOptionWindow : public PopupWinInPanel {
public:
    FeaturesOptionWindow(QWidget* dialog, const char* titleKey, int tagBase, FinishingWindow kind,
                         const char* helpPage, PrintFeaturesPDEmtk* panel);
    ~FeaturesOptionWindow() override;

    // Makes the buttons and connects the fields.
    virtual void CreateWindowControls();
    // Shows the panel's values and runs the window; true when closed with OK.
    bool Run();
    FinishingWindow Kind() const { return kind; }

    void OnOK();
    void OnCancel();
    void OnRestore();
    void OnHelp();

protected:
    // Values -> widgets.
    virtual void ShowValues() = 0;
    // Widgets -> values, field by field; false at the first field that does
    // not hold, after its message when `tell` is set.
    virtual bool TakeValues(bool tell) = 0;
    QLineEdit* Edit(int offset) const;
    QAbstractButton* Button(int offset) const;
    // The field's message as an alert; the focus goes back to the field.
    void Refuse(const char* messageKey, QLineEdit* field);
    void RefuseWithText(const QString& text, QLineEdit* field);
    // A field of digits, or digits and ".".
    void FilterDigits(QLineEdit* field, bool point, int maxLength);
    void WindowValuesShown() override { ShowValues(); }

    int tagBase;
    FinishingWindow kind;
    const char* helpPage;
    PrintFeaturesPDEmtk* panel;
    FinishingWindowValues values;
};

// Windows with a millimetre/inch pair: editing one field shows the other.
class UnitPairWindow : public FeaturesOptionWindow {
public:
    using FeaturesOptionWindow::FeaturesOptionWindow;
    void CreateWindowControls() override;

protected:
    bool InchUnit() const;
    void ShowUnit(bool inch);
    // The other field follows an edited one.
    virtual void MMEdited() = 0;
    virtual void InchEdited() = 0;
    // The range and decimals of a unit's field.
    virtual FieldRange UnitRange(bool inch) const = 0;
    virtual int UnitDigits(bool inch) const = 0;
    // Each arrow steps its field by one within the range.
    void SyncArrows();
    void ArrowStepped(bool inch, int value);
    void SetText(int offset, const std::string& text);
    std::string Text(int offset) const;
};

// How a millimetre/inch pair is kept: the fields of the values, the decimals
// each field shows, the ranges, the conversions and the messages.
struct UnitPairSpec {
    int FinishingWindowValues::*mm;
    int FinishingWindowValues::*inch;
    bool FinishingWindowValues::*inchUnit;
    int mmDigits;
    int inchDigits;
    FieldRange mmRange;
    FieldRange inchRange;
    int (*inchFromMM)(int);
    int (*mmFromInch)(int);
    const char* mmMessage;
    const char* inchMessage;
};

// Tab margin shift, and the booklet margin with its auto fit.
class MarginWindowMN : public UnitPairWindow {
public:
    MarginWindowMN(QWidget* dialog, PrintFeaturesPDEmtk* panel, FinishingWindow kind);

protected:
    void ShowValues() override;
    bool TakeValues(bool tell) override;
    void MMEdited() override;
    void InchEdited() override;
    FieldRange UnitRange(bool inch) const override;
    int UnitDigits(bool inch) const override;

private:
    const UnitPairSpec& spec;
};

// The trimmer shows the cutting size; the paper's half length turns it into
// the trim amount the values keep.
class TrimmerWindowMN : public UnitPairWindow {
public:
    TrimmerWindowMN(QWidget* dialog, PrintFeaturesPDEmtk* panel);

protected:
    void ShowValues() override;
    bool TakeValues(bool tell) override;
    void MMEdited() override;
    void InchEdited() override;
    FieldRange UnitRange(bool inch) const override;
    int UnitDigits(bool inch) const override;

private:
    TrimmerValues paper;
};

class SeparatorWindowMN : public FeaturesOptionWindow {
public:
    SeparatorWindowMN(QWidget* dialog, PrintFeaturesPDEmtk* panel);
    void CreateWindowControls() override;

protected:
    void ShowValues() override;
    bool TakeValues(bool tell) override;
};

// One count within a range: offset every N pages or copies, first number.
class CountWindowMN : public FeaturesOptionWindow {
public:
    CountWindowMN(QWidget* dialog, const char* titleKey, int tagBase, FinishingWindow kind,
                  const char* helpPage, PrintFeaturesPDEmtk* panel, FieldRange range,
                  const char* messageKey, int FinishingWindowValues::*field);
    void CreateWindowControls() override;

protected:
    void ShowValues() override;
    bool TakeValues(bool tell) override;
    // The arrow shows the field's count.
    void SyncArrow();

private:
    FieldRange range;
    const char* messageKey;
    int FinishingWindowValues::*field;
};

} // namespace KESTRANE_NS
