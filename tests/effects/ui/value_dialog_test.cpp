#include "app/ui/editor_qt_support.h"
#include "controls/ui/range_edit.h"
#include "controls/ui/spin_buttons.h"
#include "effects/dialogs/value_dialog.h"
#include "effects/effect_presets.h"
#include "resources/string_ids.h"
#include "support/fake_message_service.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

using namespace ondrix;
using namespace ondrix::test;

namespace {

class ValueDialogTest : public QtApplicationFirst, public ::testing::Test {
protected:
    /// Runs a step on the modal dialog once it is open.
    static void WhenOpen(std::function<void(CValueDialog&)> step) {
        QTimer::singleShot(0, [step = std::move(step)] {
            auto* dialog = qobject_cast<CValueDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            step(*dialog);
        });
    }

    FakeMessageService messages;
};

} // namespace

TEST_F(ValueDialogTest, OpensWithItsTextsAndTheFocusInTheSelectedValue) {
    const ValueDialogFields fields = CValueDialog::ForEffect(*OneValueDialogFor(EffectKind::Volume), 120);
    CValueDialog dialog(fields);
    dialog.show();
    ProcessPendingEvents();
    EXPECT_EQ(dialog.windowTitle(), "Raise/Lower Volume");
    EXPECT_EQ(dialog.Label()->text(), "New Volume [%]:");
    EXPECT_EQ(dialog.Edit()->Field()->text(), "120");
    EXPECT_EQ(dialog.focusWidget(), dialog.Edit()->Field());
    EXPECT_EQ(dialog.Edit()->Field()->selectedText(), "120");
}

TEST_F(ValueDialogTest, ReturnRefusesAValueOutsideTheRangeThenTakesOne) {
    int32_t value = 150;
    bool stayedOpen = false;
    WhenOpen([&](CValueDialog& dialog) {
        QLineEdit* field = dialog.Edit()->Field();
        ReplaceText(field, QStringLiteral("201"));
        SendKey(field, Qt::Key_Return);
        stayedOpen = dialog.isVisible();
        ReplaceText(field, QStringLiteral("0"));
        SendKey(field, Qt::Key_Return);
    });
    EXPECT_TRUE(
        CValueDialog::Ask(CValueDialog::ForEffect(*OneValueDialogFor(EffectKind::Dynamics), value), value));
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Please enter an integer between 0 and 200.");
    EXPECT_EQ(value, 0);
}

TEST_F(ValueDialogTest, EscapeLeavesTheValueAsItWas) {
    int32_t value = -10;
    WhenOpen([](CValueDialog& dialog) {
        ReplaceText(dialog.Edit()->Field(), QStringLiteral("55"));
        SendKey(dialog.Edit()->Field(), Qt::Key_Escape);
    });
    EXPECT_FALSE(
        CValueDialog::Ask(CValueDialog::ForEffect(*OneValueDialogFor(EffectKind::ZeroLine), value), value));
    EXPECT_EQ(value, -10);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ValueDialogTest, SpinStopsAtTheRangeEnds) {
    CValueDialog dialog({199, 1, 200, str::kVelocity, str::kNewVelocity});
    dialog.show();
    auto* spin = dialog.Edit()->findChild<CSpinButtons*>();
    ASSERT_NE(spin, nullptr);
    SendClick(spin->UpButton());
    SendClick(spin->UpButton());
    EXPECT_EQ(dialog.GetValue(), 200);
    dialog.Edit()->SetValue(2);
    SendClick(spin->DownButton());
    SendClick(spin->DownButton());
    EXPECT_EQ(dialog.GetValue(), 1);
}

/// Every function with a one-value dialog: its title, label and range (a value just outside is refused,
/// the end itself taken).
struct OneValueCase {
    EffectKind kind;
    const char* title;
    const char* label;
    int32_t minimum;
    int32_t maximum;
};

class OneValueDialogs : public ValueDialogTest, public ::testing::WithParamInterface<OneValueCase> {};

TEST_P(OneValueDialogs, ShowTheirTextsAndKeepTheirRange) {
    const OneValueCase& c = GetParam();
    const ValueDialogFields fields = CValueDialog::ForEffect(*OneValueDialogFor(c.kind), c.minimum);
    int32_t value = c.minimum;
    WhenOpen([&](CValueDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), c.title);
        EXPECT_EQ(dialog.Label()->text(), c.label);
        ReplaceText(dialog.Edit()->Field(), QString::number(c.maximum + 1));
        SendKey(dialog.Edit()->Field(), Qt::Key_Return);
        ReplaceText(dialog.Edit()->Field(), QString::number(c.minimum - 1));
        SendKey(dialog.Edit()->Field(), Qt::Key_Return);
        ReplaceText(dialog.Edit()->Field(), QString::number(c.maximum));
        SendKey(dialog.Edit()->Field(), Qt::Key_Return);
    });
    EXPECT_TRUE(CValueDialog::Ask(fields, value));
    EXPECT_EQ(value, c.maximum);
    EXPECT_EQ(messages.shown.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Functions, OneValueDialogs,
    ::testing::Values(OneValueCase{EffectKind::Volume, "Raise/Lower Volume", "New Volume [%]:", 0, 999},
                      OneValueCase{EffectKind::Dynamics, "Change Dynamics", "New &Dynamics [0%..200%]:", 0,
                                   200},
                      OneValueCase{EffectKind::ZeroLine, "Zero Line Correction",
                                   "New Zero Line (-100 ... 100%):", -100, 100},
                      OneValueCase{EffectKind::Velocity, "Velocity", "New &Velocity [%]:", 1, 200}));
