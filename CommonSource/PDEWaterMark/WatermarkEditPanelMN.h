// The edit window of the watermark panel: the fields of one record with their
// units and limits, the live preview, and OK that saves the record into the
// list (asking before it replaces another of the same name).
#pragma once

#include "PopupWinInPanel.h"
#include "WatermarkRecord.h"
#include "WatermarkView.h"

#include <QImage>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QSpinBox;

namespace KESTRANE_NS {

struct WatermarkEditContext {
    WatermarkRecordList* list = nullptr;
    int editedIndex = -1; // -1: a new record
    WatermarkPaperRect paper;
    int orientation = 1;
    int productType = 1; // 0: text only
    std::vector<std::string> fonts;
    int defaultFont = 0;
    WatermarkRecord defaults; // the new record, with the localised name and text
    std::string fallbackFontName;
};

class WatermarkEditPanelMN : public PopupWinInPanel {
public:
    WatermarkEditPanelMN(QWidget* dialog, PDEBundleRef bundle, const QString& table,
                         const std::string& helpPage);
    ~WatermarkEditPanelMN() override;

    // Shows the record of the context modally; true when OK saved it, with
    // the saved record's index in `selected`.
    bool RunEdit(const WatermarkEditContext& context, int* selected);

    // The record the fields make now (type, texts, numbers, offsets).
    WatermarkRecord GetWMDataFromUIItems() const;
    WatermarkView* Preview() const { return preview; }

private:
    // One number shown by a slider (optional), a stepper and a text field.
    struct LinkedNumber {
        QSlider* slider = nullptr;
        QSpinBox* stepper = nullptr;
        QLineEdit* field = nullptr;
        bool inch = false; // the field shows tenths as "%d.%d"
    };

    void FindWidgets();
    void Connect();
    void LinkNumber(LinkedNumber& number, std::function<void()> changed);
    void ShowNumber(LinkedNumber& number, int value);
    int NumberValue(const LinkedNumber& number) const;
    // The field's text as a number of the stepper's range; false when it is
    // none (the person is told).
    bool ReadField(LinkedNumber& number, bool showMessage);
    void SetRange(LinkedNumber& number, int minimum, int maximum);

    void ShowRecord(const WatermarkRecord& record);
    void UpdateEnabling();
    void UpdatePreview();
    void ChoosePicture();
    void ChooseColor();
    void ShowColor();
    void OnOK();
    void OnRestore();
    void Alert(const QString& text);
    QString Text(const char* key) const;
    bool Validate();

    PDEBundleRef bundle;
    QString table;
    std::string helpPage;
    WatermarkEditContext context;
    int savedIndex = -1;

    QLineEdit* nameEdit = nullptr;
    QAbstractButton* textRadio = nullptr;
    QAbstractButton* pictureRadio = nullptr;
    QLineEdit* textEdit = nullptr;
    QLineEdit* pictureNameEdit = nullptr;
    QComboBox* fontList = nullptr;
    QAbstractButton* colorWell = nullptr;
    QAbstractButton* chooseButton = nullptr;
    QAbstractButton* inchRadio = nullptr;
    QAbstractButton* mmRadio = nullptr;
    QComboBox* productTypeList = nullptr;
    QLabel* textNote = nullptr;
    QLabel* fontNote = nullptr;
    WatermarkView* preview = nullptr;
    LinkedNumber size, angle, density, scale, hInch, hMM, vInch, vMM;

    double red = 0, green = 0, blue = 0, alpha = 1;
    std::string picturePath;
    QImage picture;
};

} // namespace KESTRANE_NS
