// The committed demonstration score loads without a word to the user, spans more
// than one page, and is exactly what the tool builds today.

#include "files/loader.h"
#include "model/score.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<char> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DemoScore, LoadsWithoutMessagesOnTwoOrMorePages) {
    qv::test::ScriptedUi ui;
    qv::Score score;
    ASSERT_TRUE(qv::loadScore(DEMOSCORE_FILE, {}, ui, score));
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    ASSERT_GE(score.Nstaves, 2);
    EXPECT_GE(score.stave(score.Nstaves).PageNum, 2);
    EXPECT_TRUE(score.stave(1).brace);
    EXPECT_TRUE(score.stave(1).joinToNext);
}

TEST(DemoScore, RebuildingGivesTheCommittedBytes) {
    const auto out = std::filesystem::temp_directory_path() / "quaverly_demoscore_rebuild.QVR";
    const std::string command = std::string(DEMOSCORE_TOOL) + " " + out.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::vector<char> rebuilt = fileBytes(out.string());
    std::filesystem::remove(out);
    EXPECT_FALSE(rebuilt.empty());
    EXPECT_EQ(rebuilt, fileBytes(DEMOSCORE_FILE));
}

} // namespace
