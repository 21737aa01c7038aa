// Fixture and widget helpers shared by the framework tests.
#pragma once

#include "FrameworkTestPanel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStyleOptionButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace KESTRANE_NS {

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ctx = std::make_unique<FrameworkTestContext>();
        panel = std::make_unique<FrameworkTestPanel>();
    }
    void TearDown() override {
        panel.reset();
        ctx.reset();
    }
    // First open of the panel, shown on the offscreen screen.
    void OpenPanel() {
        panel->RunFirstOpen(ctx->host, ctx->bundle, &ctx->index);
        panel->view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel->view.get()));
    }
    template <typename T> T* W(int tag) { return panel->Widget<T>(tag); }
    // What saving does: commit the widgets, then write the ticket.
    void Save() {
        panel->SetValueFromUIToControl();
        panel->SetValueToTicket(&ctx->host.settings, false, panel->encryptTags);
    }

    std::unique_ptr<FrameworkTestContext> ctx;
    std::unique_ptr<FrameworkTestPanel> panel;
};

// A click lands on a check box or radio button only on its indicator.
inline void ClickButton(QAbstractButton* button) {
    QStyleOptionButton opt;
    opt.initFrom(button);
    QStyle::SubElement element = qobject_cast<QRadioButton*>(button)
                                     ? QStyle::SE_RadioButtonIndicator
                                     : QStyle::SE_CheckBoxIndicator;
    QPoint at = qobject_cast<QPushButton*>(button)
                    ? button->rect().center()
                    : button->style()->subElementRect(element, &opt, button).center();
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

// Opens the list and clicks an item, as a person chooses from a menu. A
// disabled item takes no click; the list is then closed unchanged.
inline void ChooseMenuItem(QComboBox* combo, int index) {
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QTest::qWait(1);
    QRect rect = view->visualRect(combo->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    if (view->isVisible())
        combo->hidePopup();
}

} // namespace KESTRANE_NS
