#include "document/core/command_target.h"

#include <gtest/gtest.h>

using namespace ondrix;

namespace {

/// A target whose handlers are set by the test.
class Target : public CCmdTarget {
public:
    using CCmdTarget::MapCommand;
    using CCmdTarget::MapUpdate;
};

TEST(CommandRoute, FirstHandlerOnTheRouteRunsTheCommand) {
    Target view, doc, frame;
    std::string ran;
    doc.MapCommand(100, [&] { ran += "doc"; });
    frame.MapCommand(100, [&] { ran += "frame"; });
    frame.MapCommand(200, [&] { ran += "frame200"; });
    CCommandRoute route({&view, &doc, nullptr, &frame});
    EXPECT_TRUE(route.Execute(100));
    EXPECT_EQ(ran, "doc");
    EXPECT_TRUE(route.Execute(200));
    EXPECT_EQ(ran, "docframe200");
    EXPECT_FALSE(route.Execute(300));
}

TEST(CommandRoute, CommandsWithoutHandlerAreDisabledAndDoNotRun) {
    Target doc;
    CCommandRoute route({&doc});
    EXPECT_FALSE(route.Update(12345).IsEnabled());
    doc.MapCommand(12345, [] {});
    EXPECT_TRUE(route.Update(12345).IsEnabled());
}

TEST(CommandRoute, FirstUpdateHandlerDecidesAndADisabledCommandDoesNotRun) {
    Target view, doc;
    int runs = 0;
    bool enabled = false;
    doc.MapCommand(
        7, [&] { ++runs; }, [&](CCmdUI& ui) { ui.Enable(enabled), ui.SetCheck(true); });
    view.MapUpdate(8, [](CCmdUI& ui) { ui.SetText("eight"); });
    CCommandRoute route({&view, &doc});
    CCmdUI state = route.Update(7);
    EXPECT_FALSE(state.IsEnabled());
    EXPECT_TRUE(state.IsChecked());
    EXPECT_FALSE(route.Execute(7));
    EXPECT_EQ(runs, 0);
    enabled = true;
    EXPECT_TRUE(route.Execute(7));
    EXPECT_EQ(runs, 1);
    // an update handler without a command handler anywhere still decides the state
    CCmdUI eight = route.Update(8);
    EXPECT_TRUE(eight.IsEnabled());
    EXPECT_EQ(eight.GetText().value_or(""), "eight");
    EXPECT_FALSE(route.Execute(8));
}

TEST(CommandRoute, AHandlerMayDestroyItsTarget) {
    auto doc = std::make_unique<Target>();
    Target* raw = doc.get();
    raw->MapCommand(5, [&] { doc.reset(); });
    CCommandRoute route({raw});
    EXPECT_TRUE(route.Execute(5));
    EXPECT_EQ(doc, nullptr);
}

} // namespace
