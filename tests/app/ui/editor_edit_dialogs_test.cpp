#include "app/ui/editor_fixture.h"
#include "controls/time_format.h"
#include "controls/ui/range_edit.h"
#include "controls/ui/time_edit.h"
#include "document/dialogs/position_dialogs.h"
#include "document/dialogs/undo_steps_dialog.h"
#include "document/dialogs/wave_info_dialog.h"
#include "resources/command_ids.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <vector>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// The dialogs of the Edit and Tracks menus, opened by their shortcuts and menu items.
class EditDialogsTest : public EditorFixture {
protected:
    /// A window with a mono 16-bit ramp (sample i = i % 30000) of frames at rate.
    COndrixDoc* Ramp(uint32_t frames, uint32_t rate, uint32_t tracks = 1, uint32_t bits = 16) {
        COndrixDoc* doc = NewSound(bits, tracks, rate, false);
        std::vector<int16_t> data(std::size_t(frames) * tracks);
        for (std::size_t i = 0; i < data.size(); ++i) {
            data[i] = int16_t((i / tracks) % 30000);
        }
        if (bits == 16) {
            EXPECT_TRUE(doc->GetStore()->AppendData(data.data(), uint32_t(data.size() * 2)));
        } else {
            std::vector<uint8_t> bytes(data.size());
            for (std::size_t i = 0; i < data.size(); ++i) {
                bytes[i] = uint8_t(data[i]);
            }
            EXPECT_TRUE(doc->GetStore()->AppendData(bytes.data(), uint32_t(bytes.size())));
        }
        doc->UpdateAllViews(nullptr, 3);
        ProcessPendingEvents();
        return doc;
    }
    static QPushButton* Button(QWidget* dialog, QDialogButtonBox::StandardButton which) {
        return dialog->findChild<QDialogButtonBox*>()->button(which);
    }
};

TEST_F(EditDialogsTest, GoToHandsBackAnUntouchedCursorExactly) {
    g_settings.sampleWindow.timeFmt = TIMEFMT_MS;
    COndrixDoc* doc = Ramp(100000, 44100);
    doc->SetBlock(-1, 100);
    bool focused = false;
    QString title;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CGoToDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        focused = dialog->Position()->Field(0)->hasFocus();
        EXPECT_EQ(dialog->Position()->Field(0)->text(), "2"); // 100 frames are 2 ms
        EXPECT_EQ(dialog->Position()->GetMaximum(), 2267u);   // frame 99999
        SendKey(dialog->Position()->Field(0), Qt::Key_Return);
    });
    PressInSample(Qt::Key_G);
    EXPECT_EQ(title, "Go To Position");
    EXPECT_TRUE(focused);
    EXPECT_EQ(doc->GetCursor(), 100); // not 89
    // an edited field is converted: 3 ms are frame 133
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CGoToDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->Position()->Field(0)->selectAll();
        SendKey(dialog->Position()->Field(0), Qt::Key_3);
        SendKey(dialog->Position()->Field(0), Qt::Key_Return);
    });
    ChooseMenuItem(cmd::kGoTo);
    EXPECT_EQ(doc->GetCursor(), 133);
    // Escape is Cancel
    WhenModal([&](QWidget* modal) { SendKey(modal->focusWidget(), Qt::Key_Escape); });
    ChooseMenuItem(cmd::kGoTo);
    EXPECT_EQ(doc->GetCursor(), 133);
}

TEST_F(EditDialogsTest, SelectBlockKeepsUntouchedEndsAndDeselectAllLeavesTheCursor) {
    g_settings.sampleWindow.timeFmt = TIMEFMT_MS;
    COndrixDoc* doc = Ramp(100000, 44100);
    doc->SetBlock(5000, 100); // cursor 100, anchor 5000
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CDefineBlockDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Define Block");
        EXPECT_FALSE(dialog->DeselectAll()->isChecked());
        EXPECT_TRUE(dialog->From()->Field(0)->hasFocus());
        SendKey(dialog->From()->Field(0), Qt::Key_Return);
    });
    PressInSample(Qt::Key_B);
    int32_t first = 0;
    int32_t last = 0;
    doc->GetBlock(first, last);
    EXPECT_EQ(first, 100);
    EXPECT_EQ(last, 5000);

    // "&Deselect All": the edits are disabled, OK removes the block and the cursor stays
    const int32_t cursor = doc->GetCursor();
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CDefineBlockDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->DeselectAll()->setFocus();
        SendKey(dialog->DeselectAll(), Qt::Key_Space);
        EXPECT_FALSE(dialog->From()->isEnabled());
        EXPECT_FALSE(dialog->To()->isEnabled());
        SendClick(Button(dialog, QDialogButtonBox::Ok));
    });
    ChooseMenuItem(cmd::kSelectBlock);
    EXPECT_FALSE(doc->HasBlock());
    EXPECT_EQ(doc->GetCursor(), cursor);

    // without a block the box is checked; unchecking it offers the whole sound, and its typed maximum is
    // exactly the last frame
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CDefineBlockDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->DeselectAll()->isChecked());
        SendKey(dialog->DeselectAll(), Qt::Key_Space);
        EXPECT_TRUE(dialog->From()->isEnabled());
        EXPECT_EQ(dialog->To()->Field(0)->text(), "2267");
        dialog->To()->Field(0)->setFocus();
        dialog->To()->Field(0)->selectAll();
        for (const Qt::Key key : {Qt::Key_2, Qt::Key_2, Qt::Key_6, Qt::Key_7}) {
            SendKey(dialog->To()->Field(0), key);
        }
        SendKey(dialog->To()->Field(0), Qt::Key_Return);
    });
    ChooseMenuItem(cmd::kSelectBlock);
    doc->GetBlock(first, last);
    EXPECT_TRUE(doc->HasBlock());
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 99999);
}

TEST_F(EditDialogsTest, AOneFrameSoundsRangeCanBeAccepted) {
    g_settings.sampleWindow.timeFmt = TIMEFMT_SAMPLES;
    COndrixDoc* doc = Ramp(1, 8000);
    bool accepted = false;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CGoToDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->Position()->GetMinimum(), 0u);
        EXPECT_EQ(dialog->Position()->GetMaximum(), 0u);
        SendKey(dialog->Position()->Field(0), Qt::Key_Return);
        accepted = !dialog->isVisible();
    });
    ChooseMenuItem(cmd::kGoTo);
    EXPECT_TRUE(accepted);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(doc->GetCursor(), 0);
}

} // namespace
