// The printer-options page as a person uses it: a custom choice waits for
// its fields, a forbidden choice is greyed out while its constraint holds.
#include "DialogSession.h"
#include "HostTestSupport.h"
#include "PrinterOptionsPage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>

#include <gtest/gtest.h>

using namespace hosttest;

namespace {

class OptionsPage : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(session.Open("Office_Printer", DataPath("options.ppd"), {}, error)) << error;
        page.Rebuild();
    }
    template <typename T> T* Child(const char* name) { return page.findChild<T*>(name); }
    std::string LastChoice(const std::string& option) {
        std::string choice;
        for (const auto& [o, c] : session.PPDChoices())
            if (o == option)
                choice = c;
        return choice;
    }
    DialogSession session;
    PrinterOptionsPage page{session};
};

TEST_F(OptionsPage, CustomChoiceWaitsForItsFields) {
    auto* box = Child<QComboBox>("KSTDarkness");
    auto* level = Child<QLineEdit>("KSTDarkness.Level");
    ASSERT_TRUE(box && level);
    box->setCurrentIndex(box->findData("Custom"));
    emit box->activated(box->currentIndex());
    // Nothing is chosen yet, but the list keeps showing "Custom" to fill in.
    EXPECT_EQ(box->currentData().toString(), "Custom");
    EXPECT_TRUE(level->isEnabled());
    EXPECT_EQ(LastChoice("KSTDarkness"), "");
    level->setText("7");
    emit level->editingFinished();
    EXPECT_EQ(LastChoice("KSTDarkness"), "");
    EXPECT_NE(Child<QLabel>("printerOptionsMessage")->text().indexOf("-5 to 5"), -1);
    level->setText("2");
    emit level->editingFinished();
    EXPECT_EQ(LastChoice("KSTDarkness"), "Custom.2");
}

TEST_F(OptionsPage, ForbiddenChoicesAreGreyedWhileTheConstraintHolds) {
    auto* duplex = Child<QComboBox>("Duplex");
    auto* media = Child<QComboBox>("MediaType");
    ASSERT_TRUE(duplex && media);
    auto enabled = [&](const char* choice) {
        auto* model = qobject_cast<QStandardItemModel*>(duplex->model());
        return model->item(duplex->findData(choice))->isEnabled();
    };
    EXPECT_TRUE(enabled("DuplexTumble"));
    media->setCurrentIndex(media->findData("Transparency"));
    emit media->activated(media->currentIndex());
    EXPECT_EQ(LastChoice("MediaType"), "Transparency");
    EXPECT_FALSE(enabled("DuplexTumble"));
    EXPECT_TRUE(enabled("None"));
    std::string message;
    EXPECT_FALSE(page.Choose("Duplex", "DuplexTumble", message));
    EXPECT_EQ(message, "Duplex=DuplexTumble conflicts with MediaType");
    ASSERT_TRUE(page.Choose("MediaType", "Plain", message)) << message;
    EXPECT_TRUE(enabled("DuplexTumble"));
}

} // namespace
