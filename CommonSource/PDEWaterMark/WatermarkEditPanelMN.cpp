#include "WatermarkEditPanelMN.h"

#include "InterfaceFile.h"
#include "PDEResourceAccess.h"
#include "PlatformServices.h"
#include "WatermarkEditTags.h"
#include "WatermarkFontTable.h"
#include "WatermarkPicture.h"
#include "WatermarkPosition.h"
#include "WatermarkTextMeasure.h"

#include "PluginBundle.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QValidator>
#include <QVBoxLayout>

namespace KESTRANE_NS {

namespace {

// Refuses, key by key, what the filter cannot send, and has the field say
// so at once.
class WatermarkTextValidator : public QValidator {
public:
    WatermarkTextValidator(QObject* parent, int maximum, std::function<void(bool)> refused)
        : QValidator(parent), maximum(maximum), refused(std::move(refused)) {}
    State validate(QString& input, int&) const override {
        const std::string text = input.toStdString();
        const bool ok = text.empty() || IsWatermarkLatin1Text(text);
        refused(!ok);
        if (!ok || input.size() > maximum)
            return Invalid;
        return Acceptable;
    }

private:
    int maximum;
    std::function<void(bool)> refused;
};

QString ColorStyle(double r, double g, double b) {
    return QStringLiteral("background-color: %1;")
        .arg(QColor::fromRgbF(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b))
                 .name());
}

} // namespace

WatermarkEditPanelMN::WatermarkEditPanelMN(QWidget* dialog, PDEBundleRef bundleRef,
                                           const QString& tableName, const std::string& help)
    : bundle(bundleRef), table(tableName), helpPage(help) {
    PopupWinInPanelInit(dialog, "Watermark Edit Windows Title String");
    LocalizeTableName = table;
    pdeBundleRef = bundle;
    FindWidgets();
    Connect();
}

WatermarkEditPanelMN::~WatermarkEditPanelMN() {
    // The window is a top-level widget of its own.
    delete windowRef;
}

QString WatermarkEditPanelMN::Text(const char* key) const {
    QString text = LocalizedString(bundle, key, table);
    return text == QLatin1String(kNoTranslation) ? QString::fromUtf8(key) : text;
}

void WatermarkEditPanelMN::FindWidgets() {
    using namespace WMTag;
    QWidget* w = windowRef;
    nameEdit = FindTaggedWidgetAs<QLineEdit>(w, kName);
    textRadio = FindTaggedWidgetAs<QAbstractButton>(w, kTextRadio);
    pictureRadio = FindTaggedWidgetAs<QAbstractButton>(w, kPictureRadio);
    textEdit = FindTaggedWidgetAs<QLineEdit>(w, kText);
    pictureNameEdit = FindTaggedWidgetAs<QLineEdit>(w, kPictureName);
    fontList = FindTaggedWidgetAs<QComboBox>(w, kFont);
    colorWell = FindTaggedWidgetAs<QAbstractButton>(w, kColor);
    chooseButton = FindTaggedWidgetAs<QAbstractButton>(w, kChoosePicture);
    inchRadio = FindTaggedWidgetAs<QAbstractButton>(w, kInchRadio);
    mmRadio = FindTaggedWidgetAs<QAbstractButton>(w, kMMRadio);
    productTypeList = FindTaggedWidgetAs<QComboBox>(w, kProductType);
    textNote = FindTaggedWidgetAs<QLabel>(w, kTextNote);
    // The two radio pairs share one parent: each pair is its own group.
    for (auto [first, second] :
         {std::pair{textRadio, pictureRadio}, std::pair{inchRadio, mmRadio}}) {
        if (!first || !second)
            continue;
        auto* group = new QButtonGroup(w);
        group->addButton(first);
        group->addButton(second);
    }
    fontNote = FindTaggedWidgetAs<QLabel>(w, kFontNote);
    auto number = [w](LinkedNumber& n, int stepperTag, int fieldTag, int sliderTag, bool inch) {
        n.slider = sliderTag ? FindTaggedWidgetAs<QSlider>(w, sliderTag) : nullptr;
        n.stepper = FindTaggedWidgetAs<QSpinBox>(w, stepperTag);
        n.field = FindTaggedWidgetAs<QLineEdit>(w, fieldTag);
        n.inch = inch;
    };
    number(size, kSizeStepper, kSizeField, 0, false);
    number(angle, kAngleSlider + 1, kAngleSlider + 2, kAngleSlider, false);
    number(density, kDensitySlider + 1, kDensitySlider + 2, kDensitySlider, false);
    number(scale, kScaleSlider + 1, kScaleSlider + 2, kScaleSlider, false);
    number(hInch, kHInchStepper, kHInchStepper + 1, 0, true);
    number(hMM, kHMMStepper, kHMMStepper + 1, 0, false);
    number(vInch, kVInchStepper, kVInchStepper + 1, 0, true);
    number(vMM, kVMMStepper, kVMMStepper + 1, 0, false);
    SetRange(size, 7, 600);
    SetRange(angle, 0, 360);
    SetRange(density, 0, 100);
    SetRange(scale, 0, 1000);
    if (QWidget* holder = FindTaggedWidget(w, kPreview)) {
        preview = new WatermarkView(holder);
        auto* layout = new QVBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(preview);
    }
    if (productTypeList) {
        productTypeList->clear();
        productTypeList->addItems({QStringLiteral("Default00"), QStringLiteral("Default01")});
        productTypeList->hide();
    }
}

void WatermarkEditPanelMN::SetRange(LinkedNumber& n, int minimum, int maximum) {
    if (n.slider) {
        const QSignalBlocker b(n.slider);
        n.slider->setRange(minimum, maximum);
    }
    if (n.stepper) {
        const QSignalBlocker b(n.stepper);
        n.stepper->setRange(minimum, maximum);
    }
}

void WatermarkEditPanelMN::ShowNumber(LinkedNumber& n, int value) {
    if (n.slider) {
        const QSignalBlocker b(n.slider);
        n.slider->setValue(value);
    }
    if (n.stepper) {
        const QSignalBlocker b(n.stepper);
        n.stepper->setValue(value);
        value = n.stepper->value(); // kept within its range
    }
    if (n.field)
        n.field->setText(
            QString::fromStdString(n.inch ? InchFieldText(value) : MMFieldText(value)));
}

int WatermarkEditPanelMN::NumberValue(const LinkedNumber& n) const {
    return n.stepper ? n.stepper->value() : 0;
}

bool WatermarkEditPanelMN::ReadField(LinkedNumber& n, bool showMessage) {
    if (!n.field || !n.stepper)
        return true;
    const int limit = std::max(std::abs(n.stepper->minimum()), n.stepper->maximum());
    std::optional<int> value =
        ParsePositionText(n.field->text().trimmed().toStdString(), n.inch, limit);
    if (value && *value >= n.stepper->minimum() && *value <= n.stepper->maximum()) {
        ShowNumber(n, *value);
        return true;
    }
    if (showMessage) {
        const bool position = n.stepper->minimum() < 0;
        const char* key = !position ? "WM Number Range Message"
                          : n.inch  ? "WM Inch Range Message"
                                    : "WM MM Range Message";
        const int bound = n.stepper->maximum();
        QString text = QString::fromStdString(PositionRangeMessage(
            Text(key).toStdString(), n.inch ? InchFieldText(bound) : MMFieldText(bound)));
        if (!position)
            text = text.arg(n.stepper->minimum()).arg(bound);
        Alert(text);
    }
    ShowNumber(n, NumberValue(n));
    return false;
}

void WatermarkEditPanelMN::LinkNumber(LinkedNumber& n, std::function<void()> changed) {
    LinkedNumber* self = &n;
    if (n.slider)
        QObject::connect(n.slider, &QSlider::valueChanged, n.slider, [this, self, changed](int v) {
            ShowNumber(*self, v);
            changed();
        });
    if (n.stepper)
        QObject::connect(n.stepper, &QSpinBox::valueChanged, n.stepper,
                         [this, self, changed](int v) {
                             ShowNumber(*self, v);
                             changed();
                         });
    if (n.field)
        QObject::connect(n.field, &QLineEdit::editingFinished, n.field, [this, self, changed] {
            if (ReadField(*self, true))
                changed();
        });
}

void WatermarkEditPanelMN::Connect() {
    auto redraw = [this] { UpdatePreview(); };
    LinkNumber(size, redraw);
    LinkNumber(angle, redraw);
    LinkNumber(density, redraw);
    LinkNumber(scale, redraw);
    // Inches and millimetres follow each other.
    for (auto [inch, mm] : {std::pair{&hInch, &hMM}, std::pair{&vInch, &vMM}}) {
        LinkNumber(*inch, [this, inch, mm] {
            ShowNumber(*mm, MillimetresFromTenths(NumberValue(*inch), mm->stepper->maximum()));
            UpdatePreview();
        });
        LinkNumber(*mm, [this, inch, mm] {
            ShowNumber(*inch, TenthsFromMillimetres(NumberValue(*mm), inch->stepper->maximum()));
            UpdatePreview();
        });
    }
    auto note = [this](bool refused) {
        if (textNote)
            textNote->setText(refused ? Text("WM Latin1 Note") : QString());
    };
    for (auto [edit, maximum] :
         {std::pair{nameEdit, kWatermarkNameMax}, std::pair{textEdit, kWatermarkTextMax},
          std::pair{pictureNameEdit, kWatermarkTextMax}}) {
        if (!edit)
            continue;
        edit->setMaxLength(maximum);
        edit->setValidator(new WatermarkTextValidator(edit, maximum, note));
        QObject::connect(edit, &QLineEdit::editingFinished, edit, [this, edit, note] {
            note(!IsWatermarkLatin1Text(edit->text().toStdString()) && !edit->text().isEmpty());
            UpdatePreview();
        });
        QObject::connect(edit, &QLineEdit::textEdited, edit, [this] { UpdatePreview(); });
    }
    for (QAbstractButton* radio : {textRadio, pictureRadio, inchRadio, mmRadio})
        if (radio)
            QObject::connect(radio, &QAbstractButton::toggled, radio, [this](bool) {
                UpdateEnabling();
                UpdatePreview();
            });
    if (fontList)
        QObject::connect(fontList, &QComboBox::activated, fontList, [this] { UpdatePreview(); });
    auto button = [this](int tag, std::function<void()> action) {
        if (auto* b = FindTaggedWidgetAs<QAbstractButton>(windowRef, tag))
            QObject::connect(b, &QAbstractButton::clicked, b, [action] { action(); });
    };
    button(WMTag::kColor, [this] { ChooseColor(); });
    button(WMTag::kChoosePicture, [this] { ChoosePicture(); });
    button(WMTag::kCentre, [this] {
        for (LinkedNumber* n : {&hInch, &hMM, &vInch, &vMM})
            ShowNumber(*n, 0);
        UpdatePreview();
    });
    button(WMTag::kOK, [this] { OnOK(); });
    button(WMTag::kCancel, [this] { DeactivateWindow(0); });
    button(WMTag::kEditRestore, [this] { OnRestore(); });
    button(WMTag::kEditHelp,
           [this] { GotoHelpPage(bundle, helpPage.c_str(), nullptr, "Help Book Name"); });
}

bool WatermarkEditPanelMN::RunEdit(const WatermarkEditContext& ctx, int* selected) {
    context = ctx;
    savedIndex = -1;
    if (!windowRef || !context.list)
        return false;
    windowRef->setWindowTitle(Text("Watermark Edit Windows Title String"));
    if (productTypeList) {
        productTypeList->setCurrentIndex(context.productType == 0 ? 0 : 1);
        productTypeList->hide();
    }
    if (fontList) {
        const QSignalBlocker b(fontList);
        fontList->clear();
        for (const std::string& font : context.fonts)
            fontList->addItem(Text(font.c_str()), QString::fromStdString(font));
    }
    const WatermarkPositionRanges ranges = PositionRanges(context.paper, context.orientation);
    SetRange(hInch, -ranges.hInch, ranges.hInch);
    SetRange(vInch, -ranges.vInch, ranges.vInch);
    SetRange(hMM, -ranges.hMM, ranges.hMM);
    SetRange(vMM, -ranges.vMM, ranges.vMM);
    const bool editing = context.editedIndex >= 0 && context.editedIndex < context.list->Count();
    ShowRecord(editing ? context.list->Records()[static_cast<size_t>(context.editedIndex)]
                       : context.defaults);
    if (textNote)
        textNote->clear();
    ActivateWindow();
    if (savedIndex < 0)
        return false;
    if (selected)
        *selected = savedIndex;
    return true;
}

void WatermarkEditPanelMN::ShowRecord(const WatermarkRecord& r) {
    if (nameEdit)
        nameEdit->setText(QString::fromStdString(r.name));
    const bool isPicture = r.IsPicture() && context.productType != 0;
    {
        const QSignalBlocker a(textRadio), b(pictureRadio);
        if (textRadio)
            textRadio->setChecked(!isPicture);
        if (pictureRadio)
            pictureRadio->setChecked(isPicture);
    }
    if (textEdit)
        textEdit->setText(QString::fromStdString(isPicture ? context.defaults.text : r.text));
    if (pictureNameEdit)
        pictureNameEdit->setText(isPicture ? QString::fromStdString(r.text) : QString());
    picturePath = isPicture ? r.imagePath : std::string();
    picture = isPicture ? LoadWatermarkPicture(picturePath) : QImage();
    const WatermarkRecord& text = isPicture ? context.defaults : r;
    if (fontList) {
        int index = fontList->findData(QString::fromStdString(text.fontName));
        if (index < 0)
            index = context.defaultFont;
        const QSignalBlocker b(fontList);
        fontList->setCurrentIndex(index);
    }
    red = text.red;
    green = text.green;
    blue = text.blue;
    alpha = text.alpha;
    ShowColor();
    ShowNumber(size, static_cast<int>(text.size));
    ShowNumber(angle, text.angle);
    ShowNumber(density, text.density);
    ShowNumber(scale, isPicture ? r.scale : 100);
    {
        const QSignalBlocker a(inchRadio), b(mmRadio);
        if (inchRadio)
            inchRadio->setChecked(text.unit != kWMUnitMM);
        if (mmRadio)
            mmRadio->setChecked(text.unit == kWMUnitMM);
    }
    // Kept offsets beyond this paper stop at its edge.
    ShowNumber(hInch, text.hOffset);
    ShowNumber(vInch, text.vOffset);
    ShowNumber(hMM, text.hMMOffset);
    ShowNumber(vMM, text.vMMOffset);
    UpdateEnabling();
    UpdatePreview();
}

void WatermarkEditPanelMN::UpdateEnabling() {
    const bool picture = pictureRadio && pictureRadio->isChecked();
    if (pictureRadio)
        pictureRadio->setEnabled(context.productType != 0);
    for (QWidget* w : std::initializer_list<QWidget*>{
             textEdit, fontList, colorWell, size.stepper, size.field, angle.slider, angle.stepper,
             angle.field, density.slider, density.stepper, density.field, inchRadio, mmRadio})
        if (w)
            w->setEnabled(!picture);
    for (QWidget* w : std::initializer_list<QWidget*>{pictureNameEdit, chooseButton, scale.slider,
                                                      scale.stepper, scale.field})
        if (w)
            w->setEnabled(picture);
    const bool mm = mmRadio && mmRadio->isChecked();
    for (const LinkedNumber* n : {&hInch, &vInch})
        for (QWidget* w : std::initializer_list<QWidget*>{n->stepper, n->field})
            if (w)
                w->setEnabled(!picture && !mm);
    for (const LinkedNumber* n : {&hMM, &vMM})
        for (QWidget* w : std::initializer_list<QWidget*>{n->stepper, n->field})
            if (w)
                w->setEnabled(!picture && mm);
    if (auto* centre = FindTaggedWidget(windowRef, WMTag::kCentre))
        centre->setEnabled(!picture);
}

WatermarkRecord WatermarkEditPanelMN::GetWMDataFromUIItems() const {
    const std::string name = nameEdit ? nameEdit->text().toStdString() : std::string();
    if (pictureRadio && pictureRadio->isChecked())
        return MakePictureRecord(name, pictureNameEdit ? pictureNameEdit->text().toStdString() : "",
                                 picturePath, NumberValue(scale));
    WatermarkRecord r;
    r.name = name;
    r.text = textEdit ? textEdit->text().toStdString() : std::string();
    r.red = red;
    r.green = green;
    r.blue = blue;
    r.alpha = alpha;
    r.fontName = fontList ? fontList->currentData().toString().toStdString() : std::string();
    r.size = NumberValue(size);
    r.angle = NumberValue(angle);
    r.density = NumberValue(density);
    r.unit = mmRadio && mmRadio->isChecked() ? kWMUnitMM : kWMUnitInch;
    r.hOffset = NumberValue(hInch);
    r.vOffset = NumberValue(vInch);
    r.hMMOffset = NumberValue(hMM);
    r.vMMOffset = NumberValue(vMM);
    return r;
}

void WatermarkEditPanelMN::UpdatePreview() {
    const WatermarkRecord r = GetWMDataFromUIItems();
    const WatermarkFontTicket font = FontTicketForDisplayName(r.fontName);
    bool local = true;
    if (!r.IsPicture())
        WatermarkFont(font.printName, 10, context.fallbackFontName, &local);
    if (fontNote)
        fontNote->setText(local ? QString() : Text("WM No Local Face Note"));
    if (!preview)
        return;
    WatermarkPreviewState state;
    state.record = r;
    state.paper = context.paper;
    state.orientation = context.orientation;
    state.printFontName = font.printName;
    state.fallbackFontName = context.fallbackFontName;
    state.picture = r.IsPicture() ? picture : QImage();
    preview->SetState(state);
}

void WatermarkEditPanelMN::ShowColor() {
    if (colorWell)
        colorWell->setStyleSheet(ColorStyle(red, green, blue));
}

void WatermarkEditPanelMN::ChooseColor() {
    ColorChooserRequest request;
    request.title = Text("WM Color Title String").toStdString();
    request.initial = {red, green, blue};
    request.parent = windowRef;
    if (std::optional<ChosenColor> chosen = Services().ChooseColor(request)) {
        red = std::clamp(chosen->red, 0.0, 1.0);
        green = std::clamp(chosen->green, 0.0, 1.0);
        blue = std::clamp(chosen->blue, 0.0, 1.0);
        alpha = 1;
        ShowColor();
        UpdatePreview();
    }
}

void WatermarkEditPanelMN::ChoosePicture() {
    FileChooserRequest request;
    request.title = Text("WM Edit Choose File Watermark Btn").toStdString();
    if (const char* home = std::getenv("HOME"))
        request.directory = home;
    request.nameFilter = WatermarkPictureNameFilter();
    request.parent = windowRef;
    std::optional<std::string> chosen = Services().ChooseFile(request);
    // The path travels in 255-byte fields.
    if (!chosen || chosen->size() >= 255)
        return;
    if (!IsWatermarkPictureFile(*chosen)) {
        Alert(Text("WM Picture Type Message"));
        return;
    }
    QImage image = LoadWatermarkPicture(*chosen);
    if (image.isNull()) {
        Alert(Text("WM Picture Unreadable Message"));
        return;
    }
    picturePath = *chosen;
    picture = image;
    if (pictureNameEdit && pictureNameEdit->text().isEmpty()) {
        std::string base = chosen->substr(chosen->rfind('/') + 1);
        if (IsWatermarkLatin1Text(base) && WatermarkCharacterCount(base) <= kWatermarkTextMax)
            pictureNameEdit->setText(QString::fromStdString(base));
    }
    UpdatePreview();
}

void WatermarkEditPanelMN::Alert(const QString& text) {
    AlertRequest request;
    request.informativeText = text.toStdString();
    if (bundle)
        request.iconPath = bundle->PathForResource("AlertIcon", "png");
    request.buttons.push_back(Text(kAlertOKButtonKey).toStdString());
    request.parent = windowRef;
    Services().RunAlert(request);
}

bool WatermarkEditPanelMN::Validate() {
    const std::string name = nameEdit ? nameEdit->text().toStdString() : std::string();
    if (name.empty() || QString::fromStdString(name).trimmed().isEmpty()) {
        Alert(Text("WM Name Empty Message"));
        return false;
    }
    const bool isPicture = pictureRadio && pictureRadio->isChecked();
    const std::string text = isPicture
                                 ? (pictureNameEdit ? pictureNameEdit->text().toStdString() : "")
                                 : (textEdit ? textEdit->text().toStdString() : "");
    if (!IsWatermarkLatin1Text(name) || (!text.empty() && !IsWatermarkLatin1Text(text))) {
        Alert(Text("WM Latin1 Note"));
        return false;
    }
    if (WatermarkCharacterCount(name) > kWatermarkNameMax ||
        WatermarkCharacterCount(text) > kWatermarkTextMax)
        return false;
    if (isPicture) {
        if (picturePath.empty() || picture.isNull()) {
            Alert(Text("WM Picture Missing Message"));
            return false;
        }
        return ReadField(scale, true);
    }
    if (text.empty()) {
        Alert(Text("WM Text Empty Message"));
        return false;
    }
    const bool mm = mmRadio && mmRadio->isChecked();
    for (LinkedNumber* n : {&size, &angle, &density})
        if (!ReadField(*n, true))
            return false;
    return mm ? ReadField(hMM, true) && ReadField(vMM, true)
              : ReadField(hInch, true) && ReadField(vInch, true);
}

void WatermarkEditPanelMN::OnOK() {
    if (!Validate())
        return;
    const WatermarkRecord record = GetWMDataFromUIItems();
    int selected = -1;
    auto result = context.list->Save(record, context.editedIndex, false, &selected);
    if (result == WatermarkRecordList::SaveResult::NeedsConfirmation) {
        // The name-exists window: OK replaces, Cancel goes back to editing.
        AlertRequest request;
        request.message = Text("Watermark About Windows Title String").toStdString();
        request.informativeText = Text("Message112").toStdString();
        if (bundle)
            request.iconPath = bundle->PathForResource("AlertIcon", "png");
        request.buttons = {Text(kAlertOKButtonKey).toStdString(),
                           Text("Alert Cancel Btn").toStdString()};
        request.parent = windowRef;
        if (Services().RunAlert(request) != 0)
            return;
        result = context.list->Save(record, context.editedIndex, true, &selected);
    }
    if (result == WatermarkRecordList::SaveResult::Full) {
        Alert(Text("Message115"));
        return;
    }
    savedIndex = selected;
    DeactivateWindow(1);
}

void WatermarkEditPanelMN::OnRestore() {
    WatermarkRecord defaults = context.defaults;
    // The name is the person's; everything else goes back.
    if (nameEdit)
        defaults.name = nameEdit->text().toStdString();
    ShowRecord(defaults);
}

} // namespace KESTRANE_NS
