// The edit window through its real widgets, offscreen: units that follow each
// other, typed values refused, OK that keeps the window open until the record
// is whole, and a stored record shown and saved back unchanged.
#include "InterfaceFile.h"
#include "RecordingPlatformServices.h"
#include "WatermarkEditPanelMN.h"
#include "WatermarkEditTags.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QSpinBox>

#include <gtest/gtest.h>

using namespace MNTest;

namespace {

class WatermarkEditWindow : public testing::Test {
protected:
    void SetUp() override {
        QWidget* dialog = LoadInterfaceFile(QStringLiteral(EDIT_WINDOW_UI));
        ASSERT_NE(dialog, nullptr);
        window =
            std::make_unique<WatermarkEditPanelMN>(dialog, nullptr, QString(), "Watermark.htm");
        context.list = &list;
        context.paper = {0, 0, 792, 612}; // Letter
        context.fonts = {"Courier", "Helvetica", "Times-Roman"};
        context.defaults.name = "New Watermark";
        context.defaults.text = "DRAFT";
        context.defaults.fontName = "Courier";
    }
    // Runs the window with `person` playing it; true when it saved.
    bool Run(std::function<void(QWidget*)> person) {
        services.modalActions.push_back([person](QWidget* w) {
            person(w);
            return 0;
        });
        return window->RunEdit(context, &selected);
    }
    template <typename T> static T* W(QWidget* root, int tag) {
        T* w = FindTaggedWidgetAs<T>(root, tag);
        EXPECT_NE(w, nullptr) << tag;
        return w;
    }
    static void Type(QWidget* root, int tag, const QString& text) {
        auto* edit = W<QLineEdit>(root, tag);
        edit->setText(text);
        emit edit->editingFinished();
    }

    RecordingPlatformServices services;
    ScopedPlatformServices scoped{&services};
    WatermarkRecordList list;
    WatermarkEditContext context;
    std::unique_ptr<WatermarkEditPanelMN> window;
    int selected = -1;
};

} // namespace

TEST_F(WatermarkEditWindow, PositionUnitsFollowEachOtherWithinThePage) {
    using namespace WMTag;
    ASSERT_TRUE(Run([&](QWidget* w) {
        EXPECT_EQ(W<QSpinBox>(w, kHInchStepper)->maximum(), 43);
        EXPECT_EQ(W<QSpinBox>(w, kVInchStepper)->minimum(), -55);
        EXPECT_EQ(W<QSpinBox>(w, kHMMStepper)->maximum(), 107);
        // Only the chosen unit's fields take input.
        EXPECT_FALSE(W<QLineEdit>(w, kHMMStepper + 1)->isEnabled());
        Type(w, kHInchStepper + 1, "0.3");
        EXPECT_EQ(W<QLineEdit>(w, kHMMStepper + 1)->text(), "8");
        W<QAbstractButton>(w, kMMRadio)->click();
        Type(w, kHMMStepper + 1, "25");
        EXPECT_EQ(W<QLineEdit>(w, kHInchStepper + 1)->text(), "1.0");
        Type(w, kVMMStepper + 1, "-139");
        EXPECT_EQ(W<QLineEdit>(w, kVInchStepper + 1)->text(), "-5.5");
        // Refused: a minus inside, a minus on zero, beyond half the page; the
        // field shows its value again and the person is told.
        const size_t alerts = services.alerts.size();
        for (const char* refused : {"2-5", "-0", "108"}) {
            Type(w, kHMMStepper + 1, refused);
            EXPECT_EQ(W<QLineEdit>(w, kHMMStepper + 1)->text(), "25") << refused;
        }
        EXPECT_EQ(services.alerts.size(), alerts + 3);
        Type(w, kName, "Offset");
        W<QAbstractButton>(w, kOK)->click();
    }));
    const WatermarkRecord& r = list.Records()[0];
    EXPECT_EQ(r.unit, kWMUnitMM);
    EXPECT_EQ(r.hMMOffset, 25);
    EXPECT_EQ(r.hOffset, 10);
    EXPECT_EQ(r.vMMOffset, -139);

    // Landscape turns the ranges.
    context.orientation = 2;
    Run([&](QWidget* w) {
        EXPECT_EQ(W<QSpinBox>(w, kHInchStepper)->maximum(), 55);
        W<QAbstractButton>(w, kCancel)->click();
    });
}

TEST_F(WatermarkEditWindow, OKWaitsForAWholeRecordAndKeepsStoredValues) {
    using namespace WMTag;
    WatermarkRecord stored;
    stored.name = "Confidential";
    stored.text = "CONFIDENTIAL";
    stored.fontName = "Times-Roman";
    stored.size = 48;
    stored.angle = 30;
    stored.density = 70;
    stored.red = 0.5;
    stored.unit = kWMUnitMM;
    stored.hMMOffset = -20;
    stored.hOffset = -8;
    stored.vOffset = 12;
    stored.vMMOffset = 30;
    list = WatermarkRecordList({stored});
    context.editedIndex = 0;
    // Shown and saved without a change, the record stays what it was.
    ASSERT_TRUE(Run([&](QWidget* w) { W<QAbstractButton>(w, kOK)->click(); }));
    EXPECT_EQ(list.Records()[0], stored);

    // A new record: an empty name and text keep the window open with a
    // message each; a text the filter cannot carry is refused as typed.
    context.editedIndex = -1;
    ASSERT_TRUE(Run([&](QWidget* w) {
        Type(w, kName, "");
        W<QAbstractButton>(w, kOK)->click();
        Type(w, kName, "Second");
        Type(w, kText, "");
        W<QAbstractButton>(w, kOK)->click();
        EXPECT_EQ(services.alerts.size(), 2u);
        EXPECT_EQ(list.Count(), 1);
        auto* text = W<QLineEdit>(w, kText);
        int at = 0;
        QString euro = QString::fromUtf8("\xe2\x82\xac");
        EXPECT_EQ(text->validator()->validate(euro, at), QValidator::Invalid);
        Type(w, kText, "Second copy");
        W<QAbstractButton>(w, kOK)->click();
    }));
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(list.Records()[1].text, "Second copy");
    EXPECT_EQ(list.Records()[1].fontName, "Courier");

    // A printer for text only offers no picture.
    context.productType = 0;
    Run([&](QWidget* w) {
        EXPECT_FALSE(W<QAbstractButton>(w, kPictureRadio)->isEnabled());
        W<QAbstractButton>(w, kCancel)->click();
    });
}
