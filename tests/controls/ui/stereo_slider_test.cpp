#include "app/ui/editor_qt_support.h"
#include "controls/ui/range_edit.h"
#include "controls/ui/stereo_slider.h"
#include "controls/ui/value_pair_dialog.h"
#include "support/fake_message_service.h"

#include <QLineEdit>
#include <QMenu>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// Records the (left, right) pairs a slider reports.
struct MovedRecorder {
    explicit MovedRecorder(CStereoSlider* slider) {
        QObject::connect(slider, &CStereoSlider::Moved, slider,
                         [this](int left, int right) { reports.emplace_back(left, right); });
    }
    std::vector<std::pair<int, int>> reports;
};

/// The main volume control's slider: 0..200, a tick every 50, a lock button, both at 100.
class StereoSliderTest : public QtApplicationFirst, public ::testing::Test {
protected:
    StereoSliderTest() {
        slider.SetRange(0, 200);
        slider.SetTickFrequency(50);
        slider.SetPositions(100, 100);
        slider.resize(160, 44);
        slider.show();
        QApplication::setActiveWindow(&slider);
        ProcessPendingEvents();
    }

    /// Runs a step once the next modal window or menu is open.
    static void WhenOpen(std::function<void()> step) {
        QTimer::singleShot(0, [step = std::move(step)] { step(); });
    }

    /// Opens the menu with the right mouse button and chooses the entry with the given text.
    QStringList Choose(const QString& entry) {
        QStringList entries;
        WhenOpen([&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* action : menu->actions()) {
                entries << action->text();
                if (action->text() == entry) {
                    action->trigger();
                }
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), slider.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(slider.LeftSlider(), &event);
        return entries;
    }

    CStereoSlider slider{Qt::Horizontal, true};
    FakeMessageService messages;
};

} // namespace

TEST_F(StereoSliderTest, LockedMoveSetsBothAndReportsOnce) {
    MovedRecorder moved(&slider);
    slider.LeftSlider()->setFocus();
    SendKey(slider.LeftSlider(), Qt::Key_PageUp); // one page of 50
    EXPECT_EQ(slider.GetLeft(), 150);
    EXPECT_EQ(slider.GetRight(), 150);
    ASSERT_EQ(int(moved.reports.size()), 1);
    EXPECT_EQ(moved.reports[0].first, 150);
    EXPECT_EQ(moved.reports[0].second, 150);
}

TEST_F(StereoSliderTest, LockButtonUncouplesTheSliders) {
    MovedRecorder moved(&slider);
    SendClick(slider.LockButton());
    EXPECT_FALSE(slider.IsLocked());
    SendKey(slider.RightSlider(), Qt::Key_Home);
    EXPECT_EQ(slider.GetLeft(), 100);
    EXPECT_EQ(slider.GetRight(), 0);
    ASSERT_EQ(int(moved.reports.size()), 1);
    EXPECT_EQ(moved.reports[0].second, 0);
    // the menu's lock entry is checked again after choosing it
    EXPECT_EQ(Choose(QStringLiteral("&Lock channels")),
              (QStringList{"&Numerical input...", "&Middle position", "", "&Lock channels"}));
    EXPECT_TRUE(slider.IsLocked());
}

TEST_F(StereoSliderTest, SettingPositionsReportsNothing) {
    MovedRecorder moved(&slider);
    slider.SetPositions(30, 170);
    EXPECT_EQ(slider.GetLeft(), 30);
    EXPECT_EQ(slider.GetRight(), 170);
    EXPECT_EQ(int(moved.reports.size()), 0);
}

TEST_F(StereoSliderTest, MiddlePositionIsTheMiddleOfTheRange) {
    slider.SetLock(false);
    slider.SetPositions(20, 180);
    MovedRecorder moved(&slider);
    Choose(QStringLiteral("&Middle position"));
    EXPECT_EQ(slider.GetLeft(), 100);
    EXPECT_EQ(slider.GetRight(), 100);
    EXPECT_FALSE(slider.IsLocked());
    EXPECT_EQ(int(moved.reports.size()), 1);
    // half the width of -100..100 would be the maximum; the middle is 0
    CStereoSlider balance(Qt::Vertical, false);
    balance.SetRange(-100, 100);
    balance.SetPositions(-100, 60);
    balance.MiddlePosition();
    EXPECT_EQ(balance.GetLeft(), 0);
    EXPECT_EQ(balance.GetRight(), 0);
}

TEST_F(StereoSliderTest, NumericalInputRefusesValuesOutsideTheRange) {
    slider.SetLock(true);
    MovedRecorder moved(&slider);
    bool stayedOpen = false;
    // the dialog opens from the menu: its step waits until the menu's own step has run
    WhenOpen([&] {
        WhenOpen([&] {
            auto* dialog = qobject_cast<CValuePairDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Change Volume");
            EXPECT_EQ(dialog->focusWidget(), dialog->FirstEdit()->Field());
            ReplaceText(dialog->FirstEdit()->Field(), QStringLiteral("250"));
            SendKey(dialog->FirstEdit()->Field(), Qt::Key_Return);
            stayedOpen = dialog->isVisible();
            ReplaceText(dialog->FirstEdit()->Field(), QStringLiteral("40"));
            ReplaceText(dialog->SecondEdit()->Field(), QStringLiteral("160"));
            SendKey(dialog->SecondEdit()->Field(), Qt::Key_Return);
        });
    });
    Choose(QStringLiteral("&Numerical input..."));
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Please enter an integer between 0 and 200.");
    EXPECT_EQ(messages.shown[0].helpId, 32400u);
    // typed values are taken as they are, the lock does not couple them
    EXPECT_EQ(slider.GetLeft(), 40);
    EXPECT_EQ(slider.GetRight(), 160);
    ASSERT_EQ(int(moved.reports.size()), 1);
    EXPECT_EQ(moved.reports[0].first, 40);
}

TEST_F(StereoSliderTest, EscapeCancelsNumericalInput) {
    MovedRecorder moved(&slider);
    WhenOpen([&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        SendKey(dialog->focusWidget(), Qt::Key_Escape);
    });
    slider.NumericalInput();
    EXPECT_EQ(slider.GetLeft(), 100);
    EXPECT_EQ(int(moved.reports.size()), 0);
}

TEST_F(StereoSliderTest, ShiftF10OpensTheMenuFromASlider) {
    bool opened = false;
    WhenOpen([&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        opened = menu != nullptr;
        if (menu) {
            menu->close();
        }
    });
    SendKey(slider.LeftSlider(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(opened);
}

TEST_F(StereoSliderTest, DisablingReachesBothSlidersAndTheLock) {
    slider.setEnabled(false);
    EXPECT_FALSE(slider.LeftSlider()->isEnabled());
    EXPECT_FALSE(slider.RightSlider()->isEnabled());
    EXPECT_FALSE(slider.LockButton()->isEnabled());
}
