#include "app/core/help_stand_ins.h"
#include "resources/string_table.h"

#include <gtest/gtest.h>

#include <array>

using namespace ondrix;

namespace {

TEST(HelpStandIns, EachPlaceholderKindGetsItsStandIn) {
    EXPECT_EQ(FillStandIns("Loading WAVE file. %d%% done."), "Loading WAVE file. 50% done.");
    EXPECT_EQ(FillStandIns("Do you really want to delete track %d?"),
              "Do you really want to delete track 2?");
    EXPECT_EQ(FillStandIns("%.1f MB"), "1.5 MB");
    EXPECT_EQ(FillStandIns("not %s"), "not <value>");
    EXPECT_EQ(FillStandIns("Track %1"), "Track <value>");
    // given stand-ins: in order for %s and %d, by number for %1..%9
    const std::array<std::string_view, 2> two{"<first>", "<second>"};
    EXPECT_EQ(FillStandIns("%s to %s, %d", two), "<first> to <second>, 2");
    EXPECT_EQ(FillStandIns("%2 before %1", two), "<second> before <first>");
    // percent signs that are no placeholder stay
    EXPECT_EQ(FillStandIns("New &Dynamics [0%..200%]:"), "New &Dynamics [0%..200%]:");
    EXPECT_EQ(FillStandIns("100%"), "100%");
    EXPECT_EQ(FillStandIns("%x and %%"), "%x and %");
    EXPECT_EQ(FillStandIns(""), "");
}

TEST(HelpStandIns, MessagesReadNaturally) {
    EXPECT_EQ(MessageWithStandIns(31501),
              "The file <file name> has no valid WAVE format.\nThis file cannot be opened.");
    EXPECT_EQ(
        MessageWithStandIns(30500),
        "The value in this edit field must be between <minimum> to <maximum>.\nPlease check your input.");
    EXPECT_EQ(MessageWithStandIns(33131), "<position> (44100)");
    EXPECT_EQ(MessageWithStandIns(1084), "Tr. 1/2");
    EXPECT_EQ(MessageWithStandIns(1029), "Saving WAVE file. 50% done.");
    EXPECT_EQ(MessageWithStandIns(32750), "About " + LoadString(32711));
    EXPECT_EQ(MessageWithStandIns(32461), "The function <function> has no parameter <parameter>.");
}

} // namespace
