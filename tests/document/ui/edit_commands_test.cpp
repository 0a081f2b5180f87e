#include "document/ui/document_fixture.h"
#include "document/update_hints.h"
#include "resources/command_ids.h"

using namespace ondrix;
using namespace ondrix::test;

namespace {

class EditCommandsTest : public DocumentFixture {};

TEST_F(EditCommandsTest, SelectAllAsksTheViewsForTheWholeSound) {
    MakeSound(1, 500);
    log->Take();
    int32_t range[2] = {-2, -2};
    struct Selector final : CDocView {
        Selector(COndrixDoc* d, int32_t* r) : doc(d), range(r) { d->AddView(this); }
        ~Selector() override { doc->RemoveView(this); }
        void OnUpdate(CDocView*, uint32_t hint, intptr_t data) override {
            if (hint == HINT_SELECT) {
                const auto* frames = reinterpret_cast<const int32_t*>(data);
                range[0] = frames[0];
                range[1] = frames[1];
            }
        }
        COndrixDoc* GetDocument() const override { return doc; }
        COndrixDoc* doc;
        int32_t* range;
    } selector(doc.get(), range);
    ASSERT_TRUE(Run(cmd::kEditSelectAll));
    EXPECT_EQ(log->Take().at(0).first, HINT_SELECT);
    EXPECT_EQ(range[0], 0);
    EXPECT_EQ(range[1], 499);
}

TEST_F(EditCommandsTest, SelectAllNeedsDataAndTheSampleWindow) {
    MakeSound(1, 0);
    EXPECT_FALSE(Enabled(cmd::kEditSelectAll));
    MakeSound(1, 10);
    EXPECT_TRUE(Enabled(cmd::kEditSelectAll));
    doc->SetSampleShown(false);
    EXPECT_FALSE(Enabled(cmd::kEditSelectAll));
    EXPECT_FALSE(Enabled(cmd::kSwitchPane));
    doc->SetSampleShown(true);
    EXPECT_TRUE(Enabled(cmd::kSwitchPane));
}

TEST_F(EditCommandsTest, ZoomCommandsMarkTheFactorAndEnableTheOther) {
    MakeSound(1, 1000);
    log->Take();
    CCmdUI adapt = Route().Update(cmd::kZoomAdapt);
    EXPECT_TRUE(adapt.IsRadio());
    EXPECT_TRUE(adapt.IsChecked());
    EXPECT_FALSE(adapt.IsEnabled());
    EXPECT_TRUE(Enabled(cmd::kZoomFullDetail));
    EXPECT_FALSE(Enabled(cmd::kZoomIntoBlock)); // no block
    ASSERT_TRUE(Run(cmd::kZoomFullDetail));
    EXPECT_EQ(doc->GetZoom(), 1);
    EXPECT_EQ(log->Take(), (std::vector<std::pair<uint32_t, intptr_t>>{{HINT_ZOOM, 0}}));
    EXPECT_TRUE(Route().Update(cmd::kZoomFullDetail).IsChecked());
    EXPECT_FALSE(Route().Update(cmd::kZoomAdapt).IsChecked());

    doc->SetBlock(100, 399);
    log->Take();
    ASSERT_TRUE(Run(cmd::kZoomIntoBlock));
    EXPECT_EQ(log->Take(), (std::vector<std::pair<uint32_t, intptr_t>>{{HINT_ZOOM_BLOCK, 0}}));
}

TEST_F(EditCommandsTest, AllTracksTogglesAndTellsTheViewsOnlyWithABlock) {
    MakeSound(2, 100);
    log->Take();
    Run(cmd::kAllTracks);
    EXPECT_EQ(g_settings.edit.allTracks, 1);
    EXPECT_TRUE(Route().Update(cmd::kAllTracks).IsChecked());
    EXPECT_TRUE(log->Take().empty());
    doc->SetBlock(0, 10);
    log->Take();
    Run(cmd::kAllTracks);
    EXPECT_EQ(g_settings.edit.allTracks, 0);
    EXPECT_EQ(log->Take(), (std::vector<std::pair<uint32_t, intptr_t>>{{HINT_EDIT_STATE, 0}}));

    Run(cmd::kOverwrite);
    EXPECT_EQ(g_settings.edit.overWrite, 1);
    EXPECT_TRUE(Route().Update(cmd::kOverwrite).IsChecked());
}

TEST_F(EditCommandsTest, TheEqualizerIsNeverEnabledAndForeignCommandsAreNotTheDocuments) {
    MakeSound(1, 100);
    EXPECT_FALSE(Enabled(cmd::kEqualizer));
    EXPECT_FALSE(Enabled(cmd::kStop)); // the transport's, not on this route
    for (CCmdTarget* commands : doc->CommandTargets()) {
        EXPECT_FALSE(commands->HasCommand(cmd::kPlayStart)); // the document's own
    }
    EXPECT_TRUE(doc->HasCommand(cmd::kPlayStart));
}

} // namespace
