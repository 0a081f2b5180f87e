#include "app/ui/editor_qt_support.h"
#include "controls/ui/spin_buttons.h"
#include "controls/ui/time_edit.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <limits>

using namespace ondrix;
using namespace ondrix::test;

namespace {

TimeFormat Format(uint8_t index, uint8_t frameRate = 30) {
    TimeFormat format;
    format.index = index;
    format.frameRate = frameRate;
    return format;
}

/// A shown, active window holding a time edit and its spin buttons.
class TimeEditTest : public QtApplicationFirst, public ::testing::Test {
protected:
    TimeEditTest() {
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(spin);
        edit->SetBuddy(spin);
        window.resize(320, 40);
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        ProcessPendingEvents();
    }

    /// Gives a field the focus.
    void Focus(int index) {
        QApplication::setActiveWindow(&window); // a closed pop-up menu may have taken the activation
        edit->Field(index)->setFocus(Qt::OtherFocusReason);
        ProcessPendingEvents();
        ASSERT_TRUE(edit->Field(index)->hasFocus());
    }

    /// Replaces a field's text by typing it (select all, then the keys).
    void Type(int index, const char* text) {
        Focus(index);
        edit->Field(index)->selectAll();
        for (const char* c = text; *c != '\0'; ++c) {
            SendKey(edit->Field(index), static_cast<Qt::Key>(*c));
        }
    }

    QStringList Texts() const {
        QStringList texts;
        for (int i = 0; i < edit->FieldCount(); ++i) {
            texts << edit->Field(i)->text();
        }
        return texts;
    }

    /// Opens the context menu with a triggering action, then presses key in it; returns its entries.
    QStringList ChooseFromMenu(const std::function<void()>& open, Qt::Key key) {
        QStringList entries;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            for (QAction* action : menu->actions()) {
                entries << action->text();
            }
            SendKey(menu, key);
        });
        open();
        return entries;
    }

    QWidget window;
    CTimeEdit* edit = new CTimeEdit(&window);
    CSpinButtons* spin = new CSpinButtons(&window);
};

} // namespace

TEST_F(TimeEditTest, FieldsAndLabelsOfTheFormat) {
    edit->Attach(Format(TIMEFMT_MSF));
    ASSERT_EQ(edit->FieldCount(), 3);
    EXPECT_EQ(edit->Label(0)->text(), "min:");
    EXPECT_EQ(edit->Label(1)->text(), "sec.");
    EXPECT_EQ(edit->Label(2)->text(), "ht");
    EXPECT_EQ(Texts(), (QStringList{"00", "00", "00"})); // Attach shows 0
    edit->SetValue(1234);
    EXPECT_EQ(Texts(), (QStringList{"00", "01", "23"}));
    EXPECT_EQ(edit->GetValue(), 1230u);

    edit->Attach(Format(TIMEFMT_FRAMES, 25));
    ASSERT_EQ(edit->FieldCount(), 1);
    EXPECT_EQ(edit->Label(0)->text(), "f");
    edit->SetValue(1000);
    EXPECT_EQ(Texts(), QStringList{"25"});
    edit->Attach(Format(TIMEFMT_HMSF));
    EXPECT_EQ(edit->FieldCount(), 4);
    edit->Attach(Format(TIMEFMT_SAMPLES));
    ASSERT_EQ(edit->FieldCount(), 1);
    EXPECT_EQ(edit->Label(0)->text(), "");
    edit->SetValue(4000000000u);
    EXPECT_EQ(Texts(), QStringList{"4000000000"});
}

TEST_F(TimeEditTest, FirstFieldTakesTheSpareWidthInsideASunkenFrame) {
    edit->Attach(Format(TIMEFMT_HMSF));
    edit->resize(300, 30);
    EXPECT_EQ(edit->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(edit->frameWidth(), 2);
    const QRect inner = edit->contentsRect();
    EXPECT_EQ(edit->Field(0)->geometry().left(), inner.left());
    EXPECT_EQ(edit->Field(0)->geometry().top(), 2);
    const int small = edit->Field(1)->width();
    EXPECT_EQ(edit->Field(2)->width(), small);
    EXPECT_EQ(edit->Field(3)->width(), small);
    EXPECT_GT(edit->Field(0)->width(), 2 * small);
    // Fields and labels follow each other without gaps and fill the control.
    int x = inner.left();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(edit->Field(i)->x(), x);
        x += edit->Field(i)->width();
        EXPECT_EQ(edit->Label(i)->x(), x);
        EXPECT_EQ(edit->Label(i)->width(), edit->fontMetrics().horizontalAdvance(edit->Label(i)->text()) + 2);
        x += edit->Label(i)->width();
    }
    EXPECT_EQ(x, inner.right() + 1);
    const int before = edit->Field(0)->width();
    edit->resize(400, 30);
    EXPECT_EQ(edit->Field(0)->width(), before + 100);
    EXPECT_EQ(edit->Field(1)->width(), small);
}

TEST_F(TimeEditTest, AcceptsDigitsOnly) {
    edit->Attach(Format(TIMEFMT_MIN_SEC));
    Type(0, "1x2");
    EXPECT_EQ(edit->Field(0)->text(), "12");
    SendKey(edit->Field(0), Qt::Key_Backspace); // backspace is dropped as well
    EXPECT_EQ(edit->Field(0)->text(), "12");
    SendKey(edit->Field(0), Qt::Key_Home);
    SendKey(edit->Field(0), Qt::Key_Delete);
    EXPECT_EQ(edit->Field(0)->text(), "2");
    Type(1, "375"); // later fields hold two digits
    EXPECT_EQ(edit->Field(1)->text(), "37");
    Type(0, "1");
    Type(1, "75");
    EXPECT_EQ(edit->GetValue(), 135000u); // 1 min + 75 s
    edit->Field(1)->setFocus();
    edit->Field(1)->selectAll();
    edit->Field(1)->insert("-5"); // a paste of something else is refused whole
    EXPECT_EQ(edit->Field(1)->text(), "75");
}

TEST_F(TimeEditTest, ArrowsStepTheFocusedFieldAndClamp) {
    edit->Attach(Format(TIMEFMT_MSF));
    edit->SetRange(0, 100000);
    edit->SetValue(1000);
    Focus(1);
    SendKey(edit->Field(1), Qt::Key_Up);
    EXPECT_EQ(edit->GetValue(), 2000u);
    Focus(0);
    SendKey(edit->Field(0), Qt::Key_Up);
    EXPECT_EQ(edit->GetValue(), 62000u);
    SendKey(edit->Field(0), Qt::Key_Up);
    EXPECT_EQ(edit->GetValue(), 100000u); // clamped at the maximum
    EXPECT_EQ(Texts(), (QStringList{"01", "40", "00"}));
    Focus(2);
    edit->SetValue(20);
    SendKey(edit->Field(2), Qt::Key_Down);
    EXPECT_EQ(edit->GetValue(), 10u);
    SendKey(edit->Field(2), Qt::Key_Down);
    SendKey(edit->Field(2), Qt::Key_Down);
    EXPECT_EQ(edit->GetValue(), 0u); // clamped at the minimum
    edit->SetRange(500, 100000);
    edit->SetValue(600);
    Focus(1);
    SendKey(edit->Field(1), Qt::Key_Down);
    EXPECT_EQ(edit->GetValue(), 500u);
}

TEST_F(TimeEditTest, SpinButtonsStepTheFieldThatHasTheFocus) {
    edit->Attach(Format(TIMEFMT_MSF));
    edit->SetRange(0, 1000000);
    edit->SetValue(5000);
    Focus(0);
    SendClick(spin->UpButton());
    EXPECT_EQ(edit->GetValue(), 65000u);
    EXPECT_TRUE(edit->Field(0)->hasFocus()); // the buttons take no focus
    spin->setFocusPolicy(Qt::StrongFocus);
    spin->setFocus();
    ProcessPendingEvents();
    SendClick(spin->DownButton()); // no field has the focus: the last one steps
    EXPECT_EQ(edit->GetValue(), 64990u);
}

TEST_F(TimeEditTest, FramesStepWithTheirOddSteps) {
    edit->Attach(Format(TIMEFMT_FRAMES, 30));
    edit->SetRange(0, 100000);
    edit->SetValue(1000); // 30 frames
    Focus(0);
    SendKey(edit->Field(0), Qt::Key_Up); // 1000 + 1999 / 30 = 1066 ms: 107 ht x 0.01 x 30 = 32 frames
    EXPECT_EQ(edit->Field(0)->text(), "32");
    EXPECT_EQ(edit->GetValue(), 1066u);
    SendKey(edit->Field(0), Qt::Key_Down); // 1066 - 101 / 30 = 1063 ms: 106 ht = 31 frames
    EXPECT_EQ(edit->Field(0)->text(), "31");
    EXPECT_EQ(edit->GetValue(), 1033u);
}

TEST_F(TimeEditTest, ContextMenuSetsMinimumMiddleAndMaximum) {
    edit->Attach(Format(TIMEFMT_SAMPLES));
    edit->SetRange(0, 7);
    edit->SetValue(5);
    QLineEdit* field = edit->Field(0);
    const QStringList entries = ChooseFromMenu(
        [&] {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), field->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(field, &event);
        },
        Qt::Key_D);
    EXPECT_EQ(entries, (QStringList{"&Minimum value", "Mi&ddle value", "Ma&ximum value"}));
    EXPECT_EQ(edit->GetValue(), 3u);
    Focus(0);
    ChooseFromMenu([&] { SendKey(field, Qt::Key_F10, Qt::ShiftModifier); }, Qt::Key_X);
    EXPECT_EQ(edit->GetValue(), 7u);
    ChooseFromMenu([&] { SendKey(field, Qt::Key_Menu); }, Qt::Key_M);
    EXPECT_EQ(edit->GetValue(), 0u);
    edit->SetRange(10, 20);
    ChooseFromMenu(
        [&] {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(1, 1), edit->mapToGlobal(QPoint(1, 1)));
            QApplication::sendEvent(edit, &event);
        },
        Qt::Key_D);
    EXPECT_EQ(edit->GetValue(), 15u);
}

TEST_F(TimeEditTest, ValidateAcceptsTheShownMaximum) {
    FakeMessageService messages;
    edit->Attach(Format(TIMEFMT_MSF));
    edit->SetRange(0, 12345);
    edit->SetValue(12345);
    EXPECT_EQ(Texts(), (QStringList{"00", "12", "35"}));
    EXPECT_TRUE(edit->Validate(true)); // 12350 ms, the maximum as the fields show it
    EXPECT_TRUE(messages.shown.empty());
    edit->Attach(Format(TIMEFMT_MIN_SEC));
    edit->SetRange(0, 600000);
    Type(0, "1");
    Type(1, "75");
    EXPECT_TRUE(edit->Validate(true));
    EXPECT_EQ(Texts(), (QStringList{"02", "15"})); // the accepted value is shown in its fields
}

TEST_F(TimeEditTest, ValidateRefusesWithTheRangeMessageAndKeepsTheFocus) {
    FakeMessageService messages;
    QLineEdit other(&window);
    other.show();
    edit->Attach(Format(TIMEFMT_MSF));
    edit->SetRange(0, 12345);
    Type(0, "0");
    Type(1, "12");
    Type(2, "36");
    other.setFocus();
    ProcessPendingEvents();
    EXPECT_FALSE(edit->Validate(true));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "The value in this edit field must be between 00min:00sec.00ht to 00min:12sec.35ht.\n"
              "Please check your input.");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(messages.shown[0].helpId, 30500u);
    EXPECT_EQ(messages.beeps, std::vector<MsgIcon>{MsgIcon::Stop});
    ProcessPendingEvents();
    EXPECT_TRUE(edit->Field(2)->hasFocus());            // the control took the focus (its last field)
    EXPECT_EQ(Texts(), (QStringList{"0", "12", "36"})); // as typed
}

TEST_F(TimeEditTest, ValidateWithoutReportShowsTheNearerEnd) {
    FakeMessageService messages;
    edit->Attach(Format(TIMEFMT_MS));
    edit->SetRange(100, 200);
    edit->SetValue(250);
    EXPECT_FALSE(edit->Validate(false));
    EXPECT_EQ(edit->GetValue(), 200u);
    edit->SetValue(50);
    EXPECT_FALSE(edit->Validate(false));
    EXPECT_EQ(edit->GetValue(), 100u);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(messages.beeps.empty());
}

TEST_F(TimeEditTest, UntouchedFieldHandsBackItsExactFrames) {
    FakeMessageService messages;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 1, 44100, false));
    // Frame 100 at 44.1 kHz is 2 ms, and 2 ms read back would be frame 89 (00:00.00 even frame 0).
    for (const uint8_t format : {TIMEFMT_MS, TIMEFMT_MSF, TIMEFMT_SAMPLES}) {
        edit->Attach(Format(format));
        edit->SetRange(0, 100000);
        edit->SetFrames(100, store);
        EXPECT_FALSE(edit->IsEdited());
        EXPECT_TRUE(edit->Validate(true)); // the check reformats the fields and keeps the frame value
        EXPECT_EQ(edit->GetFrames(store), 100);
    }
    EXPECT_EQ(Texts(), QStringList{"100"});

    // An edited field is converted: 3 ms are ceil(132.3) frames.
    edit->Attach(Format(TIMEFMT_MS));
    edit->SetFrames(100, store);
    Type(0, "3");
    EXPECT_TRUE(edit->IsEdited());
    EXPECT_EQ(edit->GetFrames(store), 133);
    // Typing the shown text again is no change.
    Type(0, "2");
    EXPECT_EQ(edit->GetFrames(store), 100);
    // A step, a menu value or a plain SetValue replace the frame value.
    Focus(0);
    SendKey(edit->Field(0), Qt::Key_Up);
    EXPECT_EQ(edit->GetFrames(store), 133);
    edit->SetFrames(100, store);
    edit->SetValue(2);
    EXPECT_EQ(edit->GetFrames(store), 89);

    // In format 7, "0" and "0" typed over 00:00 are reformatted by the check, but they were an edit.
    edit->Attach(Format(TIMEFMT_MIN_SEC));
    edit->SetFrames(100, store);
    Type(1, "0");
    EXPECT_TRUE(edit->Validate(true));
    EXPECT_EQ(Texts(), (QStringList{"00", "00"}));
    EXPECT_EQ(edit->GetFrames(store), 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TimeEditTest, RangeBelowItsMinimumIsRaisedToIt) {
    FakeMessageService messages;
    edit->Attach(Format(TIMEFMT_SAMPLES));
    edit->SetRange(19, 18); // a one-frame block: the upper bound was computed one below
    EXPECT_EQ(edit->GetMaximum(), 19u);
    edit->SetValue(19);
    EXPECT_TRUE(edit->Validate(true));
    edit->SetRange(5, 0u - 1u);
    EXPECT_EQ(edit->GetMaximum(), 0xFFFFFFFFu);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TimeEditTest, OversizedEntryIsRefusedNotWrapped) {
    FakeMessageService messages;
    edit->Attach(Format(TIMEFMT_HOURS));
    edit->SetRange(0, 4000000000u);
    Type(0, "1194"); // 1194 h wrap to 3432704 ms in 32 bits
    EXPECT_EQ(edit->GetValue(), std::numeric_limits<uint32_t>::max());
    EXPECT_FALSE(edit->Validate(true));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(edit->Field(0)->text(), "1194"); // left as typed for the user to correct
    edit->Attach(Format(TIMEFMT_SAMPLES));
    Type(0, "99999999999999");
    EXPECT_FALSE(edit->Validate(true));
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(TimeEditTest, EnableShowAndFocusReachTheFields) {
    edit->Attach(Format(TIMEFMT_MIN_SEC));
    EXPECT_EQ(edit->backgroundRole(), QPalette::Base);
    edit->setEnabled(false);
    EXPECT_FALSE(edit->Field(0)->isEnabled());
    EXPECT_FALSE(edit->Field(1)->isEnabled());
    EXPECT_EQ(edit->backgroundRole(), QPalette::Button);
    edit->setEnabled(true);
    EXPECT_TRUE(edit->Field(1)->isEnabled());
    EXPECT_EQ(edit->backgroundRole(), QPalette::Base);
    edit->hide();
    EXPECT_FALSE(edit->Field(0)->isVisible());
    edit->show();
    EXPECT_TRUE(edit->Field(0)->isVisible());
    edit->setFocus();
    ProcessPendingEvents();
    EXPECT_TRUE(edit->Field(1)->hasFocus());
}

TEST_F(TimeEditTest, ClickOnALabelFocusesItsField) {
    edit->Attach(Format(TIMEFMT_MSF));
    edit->resize(300, 30);
    Focus(2);
    const QRect label = edit->Label(0)->geometry();
    SendClick(edit, Qt::LeftButton, label.center());
    EXPECT_TRUE(edit->Field(0)->hasFocus());
    SendClick(edit, Qt::LeftButton, edit->Label(1)->geometry().center());
    EXPECT_TRUE(edit->Field(1)->hasFocus());
}

TEST_F(TimeEditTest, FieldsUseTheDialogFont) {
    QFont big = window.font();
    big.setPointSize(big.pointSize() * 2);
    window.setFont(big);
    edit->Attach(Format(TIMEFMT_MIN_SEC));
    edit->resize(300, 60);
    EXPECT_EQ(edit->Field(1)->font(), big);
    EXPECT_EQ(edit->Field(1)->width(), QFontMetrics(big).horizontalAdvance("00") + 6);
}
