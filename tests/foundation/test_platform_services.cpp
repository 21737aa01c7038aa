// The alert, modal-run, beep and help services: the recording services that
// tests install, and the Qt services driven offscreen by timers.
#include "PlatformServices.h"
#include "QtPlatformServices.h"
#include "RecordingPlatformServices.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QMessageBox>
#include <QTimer>

namespace {

class QtServices : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "foundation_tests";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
    }
    void SetUp() override {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            GTEST_SKIP() << "another kind of application runs in this process";
    }
};

// Runs `step` once the next modal run has started.
void WhenModal(std::function<void()> step) {
    QTimer::singleShot(0, std::move(step));
}

} // namespace

TEST(RecordingServices, AnswerFromTheQueuesAndFallBackWithoutBlocking) {
    RecordingPlatformServices services;
    {
        ScopedPlatformServices installed(&services);
        services.alertAnswers = {1};
        EXPECT_EQ(Services().RunAlert({}), 1);
        EXPECT_EQ(Services().RunAlert({}), 0); // queue empty: default button

        QWidget* window = reinterpret_cast<QWidget*>(0x1000); // never touched
        services.modalActions.push_back([](QWidget* w) {
            Services().StopModal(w, 4);
            return 4;
        });
        EXPECT_EQ(Services().RunModal(window), 4);
        EXPECT_EQ(Services().RunModal(window), 0);
        EXPECT_EQ(Services().ChooseFile({}), std::nullopt);
    }
    EXPECT_NE(&Services(), &services); // the previous services are back
    EXPECT_EQ(services.alerts.size(), 2u);
    EXPECT_EQ(services.modalRuns.size(), 2u);
    EXPECT_EQ(services.modalStops.size(), 1u);
    EXPECT_EQ(services.fileRequests.size(), 1u);
}

TEST_F(QtServices, AlertShowsTextIconAndButtonsAndAnswersTheButtonChosen) {
    TempDir dir;
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    const std::string iconPath = dir / "AlertIcon.png";
    ASSERT_TRUE(icon.save(QString::fromStdString(iconPath)));

    QString seenText;
    bool customIcon = false;
    QStringList seenButtons;
    WhenModal([&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenText = box->text();
        customIcon = !box->iconPixmap().isNull() && box->icon() == QMessageBox::NoIcon;
        for (QAbstractButton* b : box->buttons())
            seenButtons << b->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == "Cancel")
                b->click();
    });
    QtPlatformServices services;
    AlertRequest request;
    request.message = "The value is too long.";
    request.iconPath = iconPath;
    request.buttons = {"OK", "Cancel"};
    EXPECT_EQ(services.RunAlert(request), 1);
    EXPECT_EQ(seenText, "The value is too long.");
    EXPECT_TRUE(customIcon);
    EXPECT_TRUE(seenButtons.contains("OK") && seenButtons.contains("Cancel"));

    // A missing icon falls back to the standard one; no buttons means OK.
    WhenModal([] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        box->buttons().front()->click();
    });
    request.iconPath = dir / "missing.png";
    request.buttons.clear();
    EXPECT_EQ(services.RunAlert(request), 0);
}

TEST_F(QtServices, ModalRunsEndWithTheCodeGivenToStopModal) {
    QtPlatformServices services;
    QDialog dialog;
    WhenModal([&] {
        EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
        services.StopModal(&dialog, 7);
    });
    EXPECT_EQ(services.RunModal(&dialog), 7);
    EXPECT_FALSE(dialog.isVisible());

    // A window that is not a dialog runs in its own loop.
    QWidget window;
    WhenModal([&] {
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.windowModality(), Qt::ApplicationModal);
        services.StopModal(&window, 3);
    });
    EXPECT_EQ(services.RunModal(&window), 3);
    EXPECT_FALSE(window.isVisible());

    EXPECT_EQ(services.RunModal(nullptr), 0);
    services.StopModal(nullptr, 1);
    services.StopModal(&window, 1); // not running: nothing to end
}
