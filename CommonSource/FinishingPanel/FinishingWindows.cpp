#include "FinishingWindows.h"

#include "BaseButton.h"
#include "FinishingTags.h"
#include "InterfaceFile.h"
#include "PDEResourceAccess.h"
#include "PrintFeaturesPDEmtk.h"
#include "SeparatorPageList.h"

#include "PlatformServices.h"
#include "PluginBundle.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>

namespace KESTRANE_NS {

FeaturesOptionWindow::FeaturesOptionWindow(QWidget* dialog, const char* titleKey, int base,
                                           FinishingWindow windowKind, const char* help,
                                           PrintFeaturesPDEmtk* owner)
    : tagBase(base), kind(windowKind), helpPage(help), panel(owner) {
    PopupWinInPanelInit(dialog, titleKey);
}

FeaturesOptionWindow::~FeaturesOptionWindow() {
    // The window is a top-level widget of its own.
    delete windowRef;
}

QLineEdit* FeaturesOptionWindow::Edit(int offset) const {
    return FindTaggedWidgetAs<QLineEdit>(windowRef, tagBase + offset);
}

QAbstractButton* FeaturesOptionWindow::Button(int offset) const {
    return FindTaggedWidgetAs<QAbstractButton>(windowRef, tagBase + offset);
}

void FeaturesOptionWindow::CreateWindowControls() {
    auto addButton = [this](int offset, const char* key, void (FeaturesOptionWindow::*action)()) {
        auto* button = new BaseButton(Button(offset), key);
        button->SetPressAction([this, action] {
            (this->*action)();
            return true;
        });
        RunTimeAddNewControl(button);
    };
    addButton(FTag::kOK, "Features OK Btn", &FeaturesOptionWindow::OnOK);
    addButton(FTag::kCancel, "Features Cancel Btn", &FeaturesOptionWindow::OnCancel);
    addButton(FTag::kRestore, "Features Restore Btn", &FeaturesOptionWindow::OnRestore);
    addButton(FTag::kHelp, "Features Help Btn", &FeaturesOptionWindow::OnHelp);
}

bool FeaturesOptionWindow::Run() {
    if (!windowRef)
        return false;
    values = panel->WindowValues();
    ActivateWindow();
    return GetModalResult() == 1;
}

void FeaturesOptionWindow::OnOK() {
    if (!TakeValues(true))
        return;
    panel->WindowValues() = values;
    DeactivateWindow(1);
}

void FeaturesOptionWindow::OnCancel() {
    if (!TakeValues(false))
        panel->SwitchOffAfterCancel(kind);
    DeactivateWindow(0);
}

void FeaturesOptionWindow::OnRestore() {
    values.RestoreDefaults(kind);
    ShowValues();
}

void FeaturesOptionWindow::OnHelp() {
    GotoHelpPage(pdeBundleRef, helpPage, nullptr, "Help Book Name");
}

void FeaturesOptionWindow::Refuse(const char* messageKey, QLineEdit* field) {
    ShowControlAlert(pdeBundleRef, messageKey, LocalizeTableName, windowRef);
    if (field)
        field->setFocus();
}

void FeaturesOptionWindow::RefuseWithText(const QString& text, QLineEdit* field) {
    AlertRequest request;
    request.informativeText = text.toStdString();
    if (pdeBundleRef)
        request.iconPath = pdeBundleRef->PathForResource("AlertIcon", "png");
    request.buttons.push_back(
        LocalizedString(pdeBundleRef, kAlertOKButtonKey, LocalizeTableName).toStdString());
    request.parent = windowRef;
    Services().RunAlert(request);
    if (field)
        field->setFocus();
}

void FeaturesOptionWindow::FilterDigits(QLineEdit* field, bool point, int maxLength) {
    if (!field)
        return;
    const QString pattern = point ? QStringLiteral("[0-9.]*") : QStringLiteral("[0-9]*");
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), field));
    field->setMaxLength(maxLength);
}

void UnitPairWindow::CreateWindowControls() {
    FeaturesOptionWindow::CreateWindowControls();
    FilterDigits(Edit(FTag::kMMEdit), true, 6);
    FilterDigits(Edit(FTag::kInchEdit), true, 6);
    if (QLineEdit* mm = Edit(FTag::kMMEdit))
        QObject::connect(mm, &QLineEdit::editingFinished, mm, [this] {
            MMEdited();
            SyncArrows();
        });
    if (QLineEdit* inch = Edit(FTag::kInchEdit))
        QObject::connect(inch, &QLineEdit::editingFinished, inch, [this] {
            InchEdited();
            SyncArrows();
        });
    for (bool inch : {true, false})
        if (auto* arrow = FindTaggedWidgetAs<QSpinBox>(
                windowRef, tagBase + (inch ? FTag::kInchArrow : FTag::kMMArrow)))
            QObject::connect(arrow, &QSpinBox::valueChanged, arrow,
                             [this, inch](int value) { ArrowStepped(inch, value); });
    if (QAbstractButton* inch = Button(FTag::kInchRadio))
        QObject::connect(inch, &QAbstractButton::toggled, inch, [this](bool on) { ShowUnit(on); });
}

bool UnitPairWindow::InchUnit() const {
    QAbstractButton* inch = Button(FTag::kInchRadio);
    return inch && inch->isChecked();
}

void UnitPairWindow::ShowUnit(bool inch) {
    if (QAbstractButton* radio = Button(inch ? FTag::kInchRadio : FTag::kMMRadio))
        radio->setChecked(true);
    // Each unit's field and its unit label.
    if (QLineEdit* edit = Edit(FTag::kInchEdit))
        edit->setVisible(inch);
    if (QLineEdit* edit = Edit(FTag::kMMEdit))
        edit->setVisible(!inch);
    if (auto* label = windowRef->findChild<QWidget*>(QStringLiteral("inchUnit")))
        label->setVisible(inch);
    if (auto* label = windowRef->findChild<QWidget*>(QStringLiteral("mmUnit")))
        label->setVisible(!inch);
    if (QWidget* arrow = FindTaggedWidget(windowRef, tagBase + FTag::kInchArrow))
        arrow->setVisible(inch);
    if (QWidget* arrow = FindTaggedWidget(windowRef, tagBase + FTag::kMMArrow))
        arrow->setVisible(!inch);
    SyncArrows();
}

void UnitPairWindow::SyncArrows() {
    for (bool inch : {true, false}) {
        auto* arrow = FindTaggedWidgetAs<QSpinBox>(
            windowRef, tagBase + (inch ? FTag::kInchArrow : FTag::kMMArrow));
        if (!arrow)
            continue;
        const FieldRange range = UnitRange(inch);
        const QSignalBlocker block(arrow);
        arrow->setRange(range.minimum, range.maximum);
        auto shown =
            ParseFieldNumber(Text(inch ? FTag::kInchEdit : FTag::kMMEdit), UnitDigits(inch));
        arrow->setValue(shown ? ClampToRange(*shown, range.minimum, range.maximum) : range.minimum);
    }
}

void UnitPairWindow::ArrowStepped(bool inch, int value) {
    SetText(inch ? FTag::kInchEdit : FTag::kMMEdit, FormatFieldNumber(value, UnitDigits(inch)));
    if (inch)
        InchEdited();
    else
        MMEdited();
    SyncArrows();
}

void UnitPairWindow::SetText(int offset, const std::string& text) {
    if (QLineEdit* edit = Edit(offset))
        edit->setText(QString::fromStdString(text));
}

std::string UnitPairWindow::Text(int offset) const {
    QLineEdit* edit = Edit(offset);
    return edit ? edit->text().toStdString() : std::string();
}

namespace {

const UnitPairSpec kTabMarginPair = {&FinishingWindowValues::tabMM,
                                     &FinishingWindowValues::tabInch,
                                     &FinishingWindowValues::tabInchUnit,
                                     1,
                                     2,
                                     kTabMarginMMRange,
                                     kTabMarginInchRange,
                                     TabMarginInchFromMM,
                                     TabMarginMMFromInch,
                                     "Message22b",
                                     "Message22b2"};
const UnitPairSpec kBookletMarginPair = {&FinishingWindowValues::bookletMM,
                                         &FinishingWindowValues::bookletInch,
                                         &FinishingWindowValues::bookletInchUnit,
                                         0,
                                         1,
                                         kBookletMarginMMRange,
                                         kBookletMarginInchRange,
                                         BookletMarginInchFromMM,
                                         BookletMarginMMFromInch,
                                         "Message22e",
                                         "Message22e2"};

bool IsTabMargin(FinishingWindow kind) {
    return kind == FinishingWindow::TabMargin;
}

} // namespace

MarginWindowMN::MarginWindowMN(QWidget* dialog, PrintFeaturesPDEmtk* owner,
                               FinishingWindow windowKind)
    : UnitPairWindow(dialog,
                     IsTabMargin(windowKind) ? "Tab Margin Window Title String"
                                             : "Booklet Margin Window Title String",
                     IsTabMargin(windowKind) ? FTag::kTabMarginWindow : FTag::kBookletWindow,
                     windowKind, IsTabMargin(windowKind) ? "TabMarginShift.htm" : "Margins.htm",
                     owner),
      spec(IsTabMargin(windowKind) ? kTabMarginPair : kBookletMarginPair) {}

void MarginWindowMN::ShowValues() {
    SetText(FTag::kMMEdit, FormatFieldNumber(values.*spec.mm, spec.mmDigits));
    SetText(FTag::kInchEdit, FormatFieldNumber(values.*spec.inch, spec.inchDigits));
    if (QAbstractButton* autoFit = Button(FTag::kAutoFit))
        autoFit->setChecked(values.autoFit);
    ShowUnit(values.*spec.inchUnit);
}

FieldRange MarginWindowMN::UnitRange(bool inch) const {
    return inch ? spec.inchRange : spec.mmRange;
}

int MarginWindowMN::UnitDigits(bool inch) const {
    return inch ? spec.inchDigits : spec.mmDigits;
}

void MarginWindowMN::MMEdited() {
    if (auto mm = ParseFieldNumber(Text(FTag::kMMEdit), spec.mmDigits))
        SetText(FTag::kInchEdit, FormatFieldNumber(spec.inchFromMM(*mm), spec.inchDigits));
}

void MarginWindowMN::InchEdited() {
    if (auto inch = ParseFieldNumber(Text(FTag::kInchEdit), spec.inchDigits))
        SetText(FTag::kMMEdit, FormatFieldNumber(spec.mmFromInch(*inch), spec.mmDigits));
}

bool MarginWindowMN::TakeValues(bool tell) {
    const bool inchUnit = InchUnit();
    const int offset = inchUnit ? FTag::kInchEdit : FTag::kMMEdit;
    const FieldRange range = inchUnit ? spec.inchRange : spec.mmRange;
    auto number = ParseFieldNumber(Text(offset), inchUnit ? spec.inchDigits : spec.mmDigits);
    if (!number || !range.Contains(*number)) {
        if (tell)
            Refuse(inchUnit ? spec.inchMessage : spec.mmMessage, Edit(offset));
        return false;
    }
    // The millimetre value is what the filter sends; it follows the inch one.
    values.*spec.inch = inchUnit ? *number : spec.inchFromMM(*number);
    values.*spec.mm = inchUnit ? spec.mmFromInch(*number) : *number;
    values.*spec.inchUnit = inchUnit;
    if (QAbstractButton* autoFit = Button(FTag::kAutoFit))
        values.autoFit = autoFit->isChecked();
    return true;
}

TrimmerWindowMN::TrimmerWindowMN(QWidget* dialog, PrintFeaturesPDEmtk* owner)
    : UnitPairWindow(dialog, "Trimmer Window Title String", FTag::kTrimmerWindow,
                     FinishingWindow::Trimmer, "Trimmer.htm", owner) {}

void TrimmerWindowMN::ShowValues() {
    // The paper may have changed since the last opening.
    paper = panel->CurrentTrimmerValues();
    SetText(FTag::kMMEdit, FormatFieldNumber(TrimmerShownMM(paper, values.trimMM), 1));
    SetText(FTag::kInchEdit, FormatFieldNumber(TrimmerShownInch(paper, values.trimInch), 2));
    ShowUnit(values.trimInchUnit);
}

FieldRange TrimmerWindowMN::UnitRange(bool inch) const {
    return inch ? paper.inchRange : paper.mmRange;
}

int TrimmerWindowMN::UnitDigits(bool inch) const {
    return inch ? 2 : 1;
}

void TrimmerWindowMN::MMEdited() {
    if (auto mm = ParseFieldNumber(Text(FTag::kMMEdit), 1))
        SetText(FTag::kInchEdit, FormatFieldNumber(TrimmerInchFromMM(*mm), 2));
}

void TrimmerWindowMN::InchEdited() {
    if (auto inch = ParseFieldNumber(Text(FTag::kInchEdit), 2))
        SetText(FTag::kMMEdit, FormatFieldNumber(TrimmerMMFromInch(*inch), 1));
}

bool TrimmerWindowMN::TakeValues(bool tell) {
    const bool inchUnit = InchUnit();
    const FieldRange range = inchUnit ? paper.inchRange : paper.mmRange;
    const int offset = inchUnit ? FTag::kInchEdit : FTag::kMMEdit;
    auto shown = ParseFieldNumber(Text(offset), inchUnit ? 2 : 1);
    if (!shown || !range.Contains(*shown)) {
        if (tell) {
            QString text = LocalizedString(pdeBundleRef, "Message51", LocalizeTableName);
            for (int bound : {range.minimum, range.maximum}) {
                int at = text.indexOf(QLatin1String("%s"));
                if (at >= 0)
                    text.replace(at, 2,
                                 QString::fromStdString(FormatTrimmerBound(bound, inchUnit)));
            }
            RefuseWithText(text, Edit(offset));
        }
        return false;
    }
    const int shownMM = inchUnit ? TrimmerMMFromInch(*shown) : *shown;
    const int shownInch = inchUnit ? *shown : TrimmerInchFromMM(*shown);
    values.trimMM = TrimmerTrimFromShownMM(paper, shownMM);
    values.trimInch = TrimmerTrimFromShownInch(paper, shownInch);
    values.trimInchUnit = inchUnit;
    return true;
}

SeparatorWindowMN::SeparatorWindowMN(QWidget* dialog, PrintFeaturesPDEmtk* owner)
    : FeaturesOptionWindow(dialog, "Separator Window Title String", FTag::kSeparatorWindow,
                           FinishingWindow::Separator, "SpecifyPosition.htm", owner) {}

void SeparatorWindowMN::CreateWindowControls() {
    FeaturesOptionWindow::CreateWindowControls();
    if (QLineEdit* pages = Edit(FTag::kFirstField)) {
        pages->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ,]*")), pages));
        pages->setMaxLength(255);
    }
}

void SeparatorWindowMN::ShowValues() {
    if (QLineEdit* pages = Edit(FTag::kFirstField))
        pages->setText(QString::fromStdString(SeparatorEntryForm(values.separatorPages)));
}

bool SeparatorWindowMN::TakeValues(bool tell) {
    QLineEdit* pages = Edit(FTag::kFirstField);
    const std::string text = pages ? pages->text().toStdString() : std::string();
    if (int error = IsPageInputValid(text)) {
        if (tell)
            Refuse(SeparatorListMessageKey(error), pages);
        return false;
    }
    values.separatorPages = SeparatorStoredForm(text);
    return true;
}

CountWindowMN::CountWindowMN(QWidget* dialog, const char* titleKey, int base,
                             FinishingWindow windowKind, const char* help,
                             PrintFeaturesPDEmtk* owner, FieldRange countRange, const char* message,
                             int FinishingWindowValues::*valueField)
    : FeaturesOptionWindow(dialog, titleKey, base, windowKind, help, owner), range(countRange),
      messageKey(message), field(valueField) {}

void CountWindowMN::CreateWindowControls() {
    FeaturesOptionWindow::CreateWindowControls();
    QLineEdit* edit = Edit(FTag::kFirstField);
    FilterDigits(edit, false, 5);
    auto* arrow = FindTaggedWidgetAs<QSpinBox>(windowRef, tagBase + FTag::kCountArrow);
    if (!edit || !arrow)
        return;
    arrow->setRange(range.minimum, range.maximum);
    QObject::connect(arrow, &QSpinBox::valueChanged, edit,
                     [edit](int value) { edit->setText(QString::number(value)); });
    QObject::connect(edit, &QLineEdit::editingFinished, arrow, [this] { SyncArrow(); });
}

void CountWindowMN::SyncArrow() {
    auto* arrow = FindTaggedWidgetAs<QSpinBox>(windowRef, tagBase + FTag::kCountArrow);
    QLineEdit* edit = Edit(FTag::kFirstField);
    if (!arrow || !edit)
        return;
    const QSignalBlocker block(arrow);
    auto count = ParseFieldNumber(edit->text().toStdString(), 0);
    arrow->setValue(count ? ClampToRange(*count, range.minimum, range.maximum) : range.minimum);
}

void CountWindowMN::ShowValues() {
    if (QLineEdit* edit = Edit(FTag::kFirstField))
        edit->setText(QString::number(values.*field));
    SyncArrow();
}

bool CountWindowMN::TakeValues(bool tell) {
    QLineEdit* edit = Edit(FTag::kFirstField);
    auto count = ParseFieldNumber(edit ? edit->text().toStdString() : std::string(), 0);
    if (!count || !range.Contains(*count)) {
        if (tell)
            Refuse(messageKey, edit);
        return false;
    }
    values.*field = *count;
    return true;
}

} // namespace KESTRANE_NS
