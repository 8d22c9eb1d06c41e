// Templates: saving a score as one, the selection dialog with deleting, File | New with and without.

#include "files/templates.h"
#include "layout/pagination.h"
#include "model/settings.h"
#include "support/scorebuilder.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qv {
namespace {
namespace fs = std::filesystem;
using Names = std::vector<std::string>;

Score clefsAndKeys() { // two staves of a clef and a key signature each
    Score score = test::makeScore(2);
    for (int s = 1; s <= 2; ++s) {
        test::append(score.stave(s), test::makeClef(10, 0, score.stave(s).Ycoord));
        ScoreObject key = makeObject(ObjectKind::KeySignature, 30, 0);
        key.setKeyCount(-2);
        test::append(score.stave(s), key);
    }
    return score;
}

class Templates : public ::testing::Test {
  protected:
    void SetUp() override { context.folder = scratch.at("TEMPLATE"); }
    std::string at(const std::string& name) const { return context.folder + "/" + name; }
    bool save(Score& score, const std::string& name, std::vector<std::optional<std::string>> descriptions) {
        ui.fileAnswers.push_back(at(name));
        ui.inputAnswers.assign(descriptions.begin(), descriptions.end());
        return saveAsTemplate(score, "/music/song.QVR", settings, ui, context);
    }
    test::ScratchFolder scratch;
    TemplateContext context;
    Settings settings;
    test::ScriptedUi ui;
};

TEST_F(Templates, SavingAsksForADescriptionAndKeepsTheListSorted) {
    settings.templates = {templateEntry("Brass", "b.QVT"), templateEntry("Strings", "gone.QVT")};
    settings.options.Templates = false;
    Score score = clefsAndKeys();
    score.description = "kept", score.modified = true;
    std::string longer;
    for (int i = 0; i < 100; ++i)
        longer += static_cast<char>('a' + i % 26);
    ASSERT_TRUE(save(score, "c.QVT", {"", "   ", longer})); // blank twice, asked again
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_EQ(ui.fileRequests[0].folder + "/" + ui.fileRequests[0].fileName, at("song.QVT"));
    EXPECT_EQ(ui.prompts, Names(3, TemplateInputPrompt));
    EXPECT_EQ(ui.progress, Names{"Template saved as c.QVT"});
    ASSERT_EQ(ui.messages.size(), 3u) << "clefs and keys alone: no question";
    EXPECT_EQ((Names{ui.messages[1].text, ui.messages[2].text}),
              (Names{BlankDescriptionMessage, TemplatesDisabledMessage}));
    // Header, page, description, a font pair, two staves, four objects; the description cut to 21.
    const auto bytes = test::fileBytes(at("c.QVT"));
    ASSERT_EQ(bytes.size(), 11u * RecordSize);
    EXPECT_TRUE(bytes[0] == 2 && bytes[3] == (FlagPartial | FlagTemplate | FlagDescription));
    EXPECT_EQ(std::string(bytes.begin() + 2 * RecordSize, bytes.begin() + 3 * RecordSize),
              char(21) + longer.substr(0, 21));
    EXPECT_TRUE(score.description == "kept" && score.modified);
    // More than clefs and keys: asked; Abort ends there, Yes saves and replaces a leftover entry.
    test::append(score.stave(2), test::makeNote(60, 0, 3, score.stave(2).Ycoord));
    settings.options.Templates = true;
    ui = {};
    ui.buttonAnswers = {ButtonAbort, ButtonYes};
    EXPECT_FALSE(save(score, "gone.QVT", {"Quartet"}));
    EXPECT_TRUE(ui.prompts.empty() && !fs::exists(at("gone.QVT")));
    ASSERT_TRUE(save(score, "gone.QVT", {"Quartet"}));
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].buttons, unsigned{ButtonYes | ButtonAbort});
    EXPECT_EQ(test::fileBytes(at("gone.QVT")).size(), 12u * RecordSize);
    EXPECT_EQ(settings.templates, (Names{templateEntry("Brass", "b.QVT"),
                                         templateEntry("Quartet", "gone.QVT"),
                                         templateEntry(longer.substr(0, 80), "c.QVT")}));
    ui.fileAnswers.push_back(at("cancelled.QVT"));
    ui.inputAnswers = {std::nullopt};
    EXPECT_FALSE(saveAsTemplate(score, "x.QVR", settings, ui, context));
    EXPECT_EQ(ui.lastText(), TemplateNotSavedMessage);
    EXPECT_TRUE(!fs::exists(at("cancelled.QVT")) && settings.templates.size() == 3u);
}

TEST_F(Templates, AnExistingNameOrALinkLeadingOutIsRefused) {
    fs::create_directories(context.folder);
    test::writeBytes(at("taken.QVT"), test::bytesOf("old"));
    fs::create_symlink(scratch.at("outside.QVT"), at("link.QVT")); // to nothing yet
    Score score = clefsAndKeys();
    for (const char* name : {"taken.QVT", "link.QVT"}) {
        EXPECT_FALSE(save(score, name, {"New one"})) << name;
        EXPECT_TRUE(ui.lastText() == TemplateExistsMessage && ui.messages.back().type == MessageType::Error);
    }
    EXPECT_TRUE(ui.prompts.empty() && settings.templates.empty());
    EXPECT_TRUE(test::fileBytes(at("taken.QVT")) == test::bytesOf("old"));
    EXPECT_FALSE(fs::exists(scratch.at("outside.QVT")));
}

// A listed name that is not a plain name (a forged settings file) never reaches a file outside.
TEST_F(Templates, ANameThatLeavesTheFolderIsNeverOpenedOrDeleted) {
    fs::create_directories(context.folder);
    const std::string outside = scratch.at("symphony.QVR");
    test::writeBytes(outside, test::bytesOf("the user's music"));
    for (const std::string& name : Names{"../symphony.QVR", outside, "..", ".", ""}) {
        SCOPED_TRACE(name);
        settings.templates = {templateEntry("Forged", name)};
        TemplateSelectionDialog dialog(settings, ui, context.folder);
        EXPECT_FALSE(dialog.accept());
        EXPECT_EQ(ui.lastText(), "The template list names \"" + name +
                                     "\", which is not a plain file name in the template folder. "
                                     "That file is left alone.");
        EXPECT_FALSE(dialog.chosenFile());
        ui.buttonAnswers.push_back(ButtonYes);
        EXPECT_TRUE(dialog.deleteSelected() && settings.templates.empty()) << "the entry leaves the list";
        EXPECT_TRUE(fs::exists(outside) && fs::is_directory(context.folder));
    }
    EXPECT_TRUE(isPlainFileName("Hymn..QVT"));
    // The chosen entry goes, with its file, and only it.
    for (const char* name : {"a.QVT", "b.QVT", "c.QVT"}) test::writeBytes(at(name), test::bytesOf("x"));
    settings.templates = {templateEntry("A", "a.QVT"), templateEntry("B", "b.QVT"), templateEntry("C", "c.QVT")};
    TemplateSelectionDialog dialog(settings, ui, context.folder);
    dialog.select(1);
    ui.buttonAnswers.push_back(ButtonYes);
    ASSERT_TRUE(dialog.deleteSelected());
    EXPECT_EQ(settings.templates, (Names{templateEntry("A", "a.QVT"), templateEntry("C", "c.QVT")}));
    EXPECT_TRUE(fs::exists(at("a.QVT")) && !fs::exists(at("b.QVT")) && fs::exists(at("c.QVT")));
}

TEST(EmptyScore, OneStaveOnPageOneWithTheDefaults) {
    Settings settings;
    settings.defaultPage.Width = 10.0, settings.defaultPage.GutM = 0.0;
    settings.defaultPage.LeftM = settings.defaultPage.RightM = 0.5;
    settings.defaultStaveSize = 0.4, settings.defaultSpacing = 5; // 80 units an inch: 9 inches are 720
    const Score score = emptyScore(settings);
    const Stave& s = score.stave(1);
    EXPECT_TRUE(score.page == settings.defaultPage && score.StvSiz == 0.4);
    EXPECT_EQ((std::vector<int>{score.Nstaves, score.Spacing, score.Pulse, score.Beamang, s.Ycoord, s.LeftX,
                                s.RightX, s.PageNum, s.lineValue, s.paramA, s.paramB, s.Nobjec,
                                score.stave(0).Nobjec}),
              (std::vector<int>{1, 5, 3, 10, FirstStaveY, 17, 715, 1, 5, 20, 20, 0, 0}));
    EXPECT_TRUE(s.MinY < s.Ycoord && s.MaxY > s.Ycoord && score.stave(0).invisible && !score.modified);
}

TEST_F(Templates, NewScoresComeFromTheTemplateChosenOrEmpty) {
    Score choir = clefsAndKeys();
    ASSERT_TRUE(save(choir, "choir.QVT", {"Choir"}));
    ui = {};
    settings.Level = Standard, settings.defaultStaveSize = 0.5;
    int dialogsRun = 0;
    ui.templateScript = [&](TemplateSelectionDialog& d) { return ++dialogsRun, d.accept(); };
    Document doc = newScoreCommand(2, settings, ui, context);
    EXPECT_TRUE(doc.fileName == "NONAME3" && doc.score.stave(1).Nobjec == 2) << doc.fileName;
    EXPECT_EQ(doc.score.StvSiz, 0.5) << "a template takes the default stave size";
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    const auto staves = [&] { return newScoreCommand(0, settings, ui, context).score.Nstaves; };
    // Not offered to beginners, when disabled, or when there are none.
    const auto templates = settings.templates;
    settings.Level = Beginner;
    EXPECT_EQ(staves(), 1);
    settings.Level = Advanced, settings.options.Templates = false;
    EXPECT_EQ(staves(), 1);
    settings.options.Templates = true, settings.templates.clear();
    EXPECT_EQ(staves() * 10 + dialogsRun, 11);
    settings.templates = templates;
    ui.templateScript = [&](TemplateSelectionDialog& d) { return ++dialogsRun, d.noTemplate(), false; };
    doc = newScoreCommand(0, settings, ui, context);
    EXPECT_TRUE(dialogsRun == 2 && doc.fileName == "NONAME1" && doc.score.Nstaves == 1);
    EXPECT_EQ(doc.score.stave(1).Ycoord, FirstStaveY);
    // A template that cannot be read, or is gone, gives an empty score with a message.
    ui.templateScript = [](TemplateSelectionDialog& d) { return d.accept(); };
    test::writeBytes(at("choir.QVT"), test::bytesOf("not a score"));
    EXPECT_TRUE(staves() == 1 && ui.lastText() == TemplateReadErrorMessage);
    ui.messages.clear();
    fs::remove(at("choir.QVT"));
    EXPECT_TRUE(staves() == 1 && ui.lastText() == TemplateReadErrorMessage);
}
} // namespace
} // namespace qv
