// Registering fonts: reuse of an equal entry, the next free slot, and a full table.

#include "model/fonttable.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// Reusing an equal entry or the next slot above the highest; a full table; empty names.
TEST(FontTable, RegisteringReusingAndNaming) {
    FontTable t;
    test::ScriptedUi ui;
    t.setFont(1, {"Times New Roman", 12, 0, 0});
    t.markInUse(1);
    t.setFont(3, {"Courier New", 10, FontBold, 0});
    t.markInUse(3);
    EXPECT_EQ(t.registerFont({"Courier New", 10, FontBold, 0}, ui), 3);
    EXPECT_EQ(t.registerFont({"Courier New", 10, FontBold, 0x0000FF}, ui), 4) << "colour differs";
    EXPECT_TRUE(t.inUse(4));
    EXPECT_FALSE(t.inUse(2)) << "a gap below the highest is not filled";
    EXPECT_EQ(t.registerFont({"Times New Roman", 14, 0, 0}, ui), 5);
    EXPECT_EQ(t.highestInUse(), 5);
    EXPECT_TRUE(ui.messages.empty());
    for (int n = 1; n <= MaxFonts; ++n) {
        t.setFont(n, {"Font" + std::to_string(n), 12, 0, 0});
        t.markInUse(n);
    }
    EXPECT_EQ(t.registerFont({"Font200", 12, 0, 0}, ui), 200);
    EXPECT_EQ(t.registerFont({"Another", 12, 0, 0}, ui), 1);
    EXPECT_TRUE(ui.saw("Too many fonts used in this document. Standard font chosen.")) << "a full table";
    t.setFont(2, {"Liberation Serif", 12, 0, 0});
    t.setFont(2, {"", 18, FontItalic, 0x00FF00});
    EXPECT_EQ(t.font(2).name, "Liberation Serif");
    EXPECT_EQ(t.font(2).size, 18);
    EXPECT_EQ(t.font(2).style, FontItalic);
    t.setFont(2, {std::string(40, 'n'), 12, 0, 0});
    EXPECT_EQ(t.font(2).name.size(), 31u) << "face names hold at most 31 characters";
}

} // namespace
} // namespace qv
