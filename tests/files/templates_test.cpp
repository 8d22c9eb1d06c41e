// Templates: saving a score as one, the selection dialog with deleting, and File |
// New with and without a template.

#include "files/templates.h"
#include "layout/pagination.h"
#include "model/settings.h"
#include "support/scratchfolder.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

ScoreObject keySignature(int x, int count) {
    ScoreObject o = makeObject(ObjectKind::KeySignature, x, 0);
    o.setKeyCount(count);
    return o;
}

// Two staves holding only a clef and a key signature each.
Score clefsAndKeys() {
    Score score = test::makeScore(2);
    for (int s = 1; s <= 2; ++s) {
        test::append(score.stave(s), test::makeClef(10, 0, score.stave(s).Ycoord));
        test::append(score.stave(s), keySignature(30, -2));
    }
    return score;
}

class Templates : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("quaverly-templates-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        context.folder = (dir / "TEMPLATE").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    // Saves `score` as `name` with the description, answering the chooser and input box.
    bool save(Score& score, const std::string& name, const std::string& description) {
        ui.fileAnswers.push_back((fs::path(context.folder) / name).string());
        ui.inputAnswers.push_back(description);
        return saveAsTemplate(score, "/music/song.QVR", settings, ui, context);
    }

    std::vector<std::uint8_t> templateBytes(const std::string& name) {
        return test::fileBytes((fs::path(context.folder) / name).string());
    }

    fs::path dir;
    TemplateContext context;
    Settings settings;
    test::ScriptedUi ui;
};

TEST_F(Templates, ClefsAndKeySignaturesAloneSaveWithoutTheQuestion) {
    Score score = clefsAndKeys();
    ASSERT_TRUE(save(score, "plain.QVT", "Two staves"));
    for (const auto& m : ui.messages)
        EXPECT_NE(m.text, TemplateContentQuestion);
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_EQ(ui.fileRequests[0].folder, context.folder);
    EXPECT_EQ(ui.fileRequests[0].fileName, "song.QVT") << "the current name with extension .QVT";
    EXPECT_EQ(ui.progress, std::vector<std::string>{"Template saved as plain.QVT"});

    const auto bytes = templateBytes("plain.QVT");
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[3], FlagPartial | FlagTemplate | FlagDescription);
    // header, page, description, one font pair, two staves, four objects
    EXPECT_EQ(bytes.size(), 11u * RecordSize);
}

TEST_F(Templates, OneNoteAsksBeforeIncludingIt) {
    Score score = clefsAndKeys();
    test::append(score.stave(2), test::makeNote(60, 0, 3, score.stave(2).Ycoord));
    ui.buttonAnswers.push_back(ButtonAbort);
    EXPECT_FALSE(save(score, "notes.QVT", "With a note"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, TemplateContentQuestion);
    EXPECT_EQ(ui.messages[0].buttons, unsigned{ButtonYes | ButtonAbort});
    EXPECT_TRUE(ui.prompts.empty()) << "Abort ends before the description";
    EXPECT_FALSE(fs::exists(fs::path(context.folder) / "notes.QVT"));

    ui.buttonAnswers.push_back(ButtonYes);
    ui.fileAnswers.clear();
    ui.inputAnswers.clear();
    EXPECT_TRUE(save(score, "notes.QVT", "With a note"));
    EXPECT_EQ(templateBytes("notes.QVT").size(), 12u * RecordSize);
}

TEST_F(Templates, ALongDescriptionIsCutTo80InTheListAnd21InTheFile) {
    Score score = clefsAndKeys();
    score.description = "kept";
    score.modified = true;
    std::string description;
    for (int i = 0; i < 100; ++i)
        description += static_cast<char>('a' + i % 26);
    ASSERT_TRUE(save(score, "long.QVT", description));

    ASSERT_EQ(settings.templates.size(), 1u);
    EXPECT_EQ(settings.templates[0], description.substr(0, 80) + "long.QVT");
    const auto bytes = templateBytes("long.QVT");
    ASSERT_GE(bytes.size(), 3u * RecordSize);
    const std::uint8_t* record = bytes.data() + 2 * RecordSize;
    EXPECT_EQ(record[0], 21);
    EXPECT_EQ(std::string(record + 1, record + 22), description.substr(0, 21));
    EXPECT_EQ(score.description, "kept");
    EXPECT_TRUE(score.modified);
}

TEST_F(Templates, TheListStaysSortedAndAReusedFileNameIsListedOnce) {
    settings.templates = {templateEntry("Brass", "b.QVT"), templateEntry("Strings", "gone.QVT")};
    Score score = clefsAndKeys();
    ASSERT_TRUE(save(score, "c.QVT", "Choir"));
    ASSERT_TRUE(save(score, "gone.QVT", "Quartet")); // its file had been removed by hand
    EXPECT_EQ(settings.templates, (std::vector<std::string>{templateEntry("Brass", "b.QVT"),
                                                             templateEntry("Choir", "c.QVT"),
                                                             templateEntry("Quartet", "gone.QVT")}));
}

TEST_F(Templates, AnExistingNameIsRefused) {
    fs::create_directories(context.folder);
    { std::ofstream(fs::path(context.folder) / "taken.QVT") << "old"; }
    Score score = clefsAndKeys();
    EXPECT_FALSE(save(score, "taken.QVT", "New one"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].type, MessageType::Error);
    EXPECT_EQ(ui.messages[0].text, TemplateExistsMessage);
    EXPECT_TRUE(ui.prompts.empty());
    EXPECT_TRUE(settings.templates.empty());
    EXPECT_EQ(fs::file_size(fs::path(context.folder) / "taken.QVT"), 3u);

    // A link that leads out of the folder to nothing yet is in the way as well.
    fs::create_symlink(dir / "outside.QVT", fs::path(context.folder) / "link.QVT");
    EXPECT_FALSE(save(score, "link.QVT", "New one"));
    EXPECT_EQ(ui.lastText(), TemplateExistsMessage);
    EXPECT_FALSE(fs::exists(dir / "outside.QVT"));
}

TEST_F(Templates, ABlankDescriptionIsAskedAgainAndCancelSavesNothing) {
    Score score = clefsAndKeys();
    ui.inputAnswers = {std::string(), std::string("   ")};
    EXPECT_TRUE(save(score, "asked.QVT", "Third time"));
    EXPECT_EQ(ui.prompts.size(), 3u);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, BlankDescriptionMessage);
    EXPECT_EQ(ui.prompts[0], TemplateInputPrompt);
    EXPECT_EQ(templateDescription(settings.templates.at(0)).substr(0, 10), "Third time");

    ui.messages.clear();
    ui.fileAnswers.push_back((fs::path(context.folder) / "cancelled.QVT").string());
    ui.inputAnswers = {std::nullopt};
    EXPECT_FALSE(saveAsTemplate(score, "x.QVR", settings, ui, context));
    EXPECT_EQ(ui.lastText(), TemplateNotSavedMessage);
    EXPECT_FALSE(fs::exists(fs::path(context.folder) / "cancelled.QVT"));
    EXPECT_EQ(settings.templates.size(), 1u);
}

TEST_F(Templates, DisabledTemplatesAreSavedWithAWarning) {
    settings.options.Templates = false;
    Score score = clefsAndKeys();
    ASSERT_TRUE(save(score, "quiet.QVT", "Quiet"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].type, MessageType::Warning);
    EXPECT_EQ(ui.messages[0].text, TemplatesDisabledMessage);

    settings.options.Templates = true;
    ui.messages.clear();
    ASSERT_TRUE(save(score, "loud.QVT", "Loud"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Templates, DeletingAsksAndThenRemovesFileAndEntry) {
    fs::create_directories(context.folder);
    const std::string longName(60, 'x');
    settings.templates = {templateEntry("  Alpha", "a.QVT"), templateEntry("Beta", "b.QVT"),
                          templateEntry(longName, "c.QVT")};
    for (const char* f : {"a.QVT", "b.QVT", "c.QVT"})
        std::ofstream(fs::path(context.folder) / f) << "t";

    TemplateSelectionDialog dialog(settings, ui, context.folder);
    EXPECT_EQ(dialog.descriptions(), (std::vector<std::string>{"  Alpha", "Beta", longName}));
    EXPECT_EQ(dialog.selected(), 0);

    dialog.select(2);
    ui.buttonAnswers.push_back(ButtonNo);
    EXPECT_FALSE(dialog.deleteSelected());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].type, MessageType::Confirmation);
    EXPECT_EQ(ui.messages[0].buttons, unsigned{ButtonYes | ButtonNo});
    EXPECT_EQ(ui.messages[0].text, "About to delete template \"" + std::string(50, 'x') + "\". Are you sure?");
    EXPECT_TRUE(fs::exists(fs::path(context.folder) / "c.QVT"));
    EXPECT_EQ(settings.templates.size(), 3u);

    dialog.select(1);
    ui.buttonAnswers.push_back(ButtonYes);
    EXPECT_TRUE(dialog.deleteSelected());
    EXPECT_EQ(ui.lastText(), "About to delete template \"Beta\". Are you sure?");
    EXPECT_FALSE(fs::exists(fs::path(context.folder) / "b.QVT"));
    EXPECT_EQ(dialog.descriptions(), (std::vector<std::string>{"  Alpha", longName}));
    EXPECT_EQ(dialog.selected(), 0);

    ui.buttonAnswers.push_back(ButtonYes);
    EXPECT_TRUE(dialog.deleteSelected());
    EXPECT_EQ(ui.lastText(), "About to delete template \"Alpha\". Are you sure?") << "trimmed";
    ui.buttonAnswers.push_back(ButtonYes);
    EXPECT_TRUE(dialog.deleteSelected());
    EXPECT_EQ(dialog.selected(), -1);
    EXPECT_FALSE(dialog.accept()) << "nothing left to choose";
    EXPECT_TRUE(fs::is_empty(context.folder));
}

// A name in the template list that is not a plain file name (a hand-edited or
// forged settings file) never reaches a file outside the template folder: not to
// open it, not to delete it.
TEST_F(Templates, ANameThatLeavesTheFolderIsNeverOpenedOrDeleted) {
    fs::create_directories(context.folder);
    const std::string outside = (dir / "symphony.QVR").string();
    std::ofstream(outside) << "the user's music";
    const std::vector<std::string> forged = {"../symphony.QVR", outside, "..", ".", ""};
    for (const std::string& name : forged) {
        SCOPED_TRACE(name);
        settings.templates = {templateEntry("Forged", name)};
        TemplateSelectionDialog dialog(settings, ui, context.folder);
        EXPECT_FALSE(dialog.accept());
        EXPECT_EQ(ui.lastText(), "The template list names \"" + name +
                                     "\", which is not a plain file name in the template folder. That file is "
                                     "left alone.");
        EXPECT_FALSE(dialog.chosenFile());

        ui.buttonAnswers.push_back(ButtonYes);
        EXPECT_TRUE(dialog.deleteSelected()) << "the entry leaves the list";
        EXPECT_TRUE(settings.templates.empty());
        EXPECT_TRUE(fs::exists(outside));
        EXPECT_TRUE(fs::is_directory(context.folder));
    }
    EXPECT_TRUE(isPlainFileName("Hymn..QVT"));
}

TEST_F(Templates, TheFolderFollowsTheEnvironment) {
    const auto keep = [](const char* name) {
        const char* v = std::getenv(name);
        return v ? std::optional<std::string>(v) : std::nullopt;
    };
    const auto own = keep("QUAVERLY_TEMPLATES"), data = keep("XDG_DATA_HOME"), home = keep("HOME");
    ::unsetenv("QUAVERLY_TEMPLATES");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", "/home/ann", 1);
    EXPECT_EQ(templateFolder(), "/home/ann/.local/share/quaverly/TEMPLATE");
    ::setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ(templateFolder(), "/data/quaverly/TEMPLATE");
    ::setenv("QUAVERLY_TEMPLATES", "/tmp/mine", 1);
    EXPECT_EQ(templateFolder(), "/tmp/mine");
    const auto restore = [](const char* name, const std::optional<std::string>& v) {
        if (v) ::setenv(name, v->c_str(), 1);
        else ::unsetenv(name);
    };
    restore("QUAVERLY_TEMPLATES", own);
    restore("XDG_DATA_HOME", data);
    restore("HOME", home);
}

TEST(EmptyScore, OneStaveOnPageOneWithTheDefaults) {
    Settings settings;
    settings.defaultPage.Width = 10.0;
    settings.defaultPage.LeftM = settings.defaultPage.RightM = 0.5;
    settings.defaultPage.GutM = 0.0;
    settings.defaultStaveSize = 0.4; // 80 page units to the inch: 9 inches are 720
    settings.defaultSpacing = 5;
    const Score score = emptyScore(settings);
    EXPECT_EQ(score.Nstaves, 1);
    EXPECT_EQ(score.page, settings.defaultPage);
    EXPECT_EQ(score.StvSiz, 0.4);
    EXPECT_EQ(score.Spacing, 5);
    EXPECT_EQ(score.Pulse, 3);
    EXPECT_EQ(score.Beamang, 10);
    const Stave& s = score.stave(1);
    EXPECT_EQ(s.Ycoord, FirstStaveY);
    EXPECT_EQ(s.LeftX, 17);
    EXPECT_EQ(s.RightX, 715);
    EXPECT_EQ(s.PageNum, 1);
    EXPECT_EQ(s.lineValue, 5);
    EXPECT_EQ(s.paramA, 20);
    EXPECT_EQ(s.paramB, 20);
    EXPECT_EQ(s.Nobjec, 0);
    EXPECT_LT(s.MinY, s.Ycoord);
    EXPECT_GT(s.MaxY, s.Ycoord);
    EXPECT_TRUE(score.stave(0).invisible);
    EXPECT_EQ(score.stave(0).Nobjec, 0);
    EXPECT_FALSE(score.modified);
}

class NewScore : public Templates {
  protected:
    // One saved template "Choir" of two staves, offered to a standard user.
    void SetUp() override {
        Templates::SetUp();
        Score score = clefsAndKeys();
        ASSERT_TRUE(save(score, "choir.QVT", "Choir"));
        ui = test::ScriptedUi{};
        settings.Level = Standard;
        settings.defaultStaveSize = 0.5;
    }

    int dialogsRun = 0;
    void chooseFirst() {
        ui.templateScript = [this](TemplateSelectionDialog& d) {
            ++dialogsRun;
            return d.accept();
        };
    }
};

TEST_F(NewScore, ATemplateChosenIsLoadedUnderTheNonameName) {
    chooseFirst();
    const Document doc = newScoreCommand(2, settings, ui, context);
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_EQ(doc.fileName, "NONAME3");
    EXPECT_EQ(doc.score.Nstaves, 2);
    EXPECT_EQ(doc.score.stave(1).Nobjec, 2);
    EXPECT_EQ(doc.score.StvSiz, 0.5) << "a template takes the default stave size";
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
}

TEST_F(NewScore, NoTemplateOrEscapeStartsAnEmptyScore) {
    ui.templateScript = [this](TemplateSelectionDialog& d) {
        ++dialogsRun;
        d.noTemplate();
        return false;
    };
    const Document doc = newScoreCommand(0, settings, ui, context);
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_EQ(doc.fileName, "NONAME1");
    EXPECT_EQ(doc.score.Nstaves, 1);
    EXPECT_EQ(doc.score.stave(1).Ycoord, FirstStaveY);
}

TEST_F(NewScore, TemplatesAreNotOfferedToBeginnersWhenDisabledOrWhenThereAreNone) {
    chooseFirst();
    settings.Level = Beginner;
    EXPECT_EQ(newScoreCommand(0, settings, ui, context).score.Nstaves, 1);
    settings.Level = Advanced;
    settings.options.Templates = false;
    EXPECT_EQ(newScoreCommand(0, settings, ui, context).score.Nstaves, 1);
    settings.options.Templates = true;
    const auto kept = settings.templates;
    settings.templates.clear();
    EXPECT_EQ(newScoreCommand(0, settings, ui, context).score.Nstaves, 1);
    EXPECT_EQ(dialogsRun, 0);
    settings.templates = kept;
    EXPECT_EQ(newScoreCommand(0, settings, ui, context).score.Nstaves, 2);
    EXPECT_EQ(dialogsRun, 1);
}

TEST_F(NewScore, ATemplateThatCannotBeReadGivesAnEmptyScoreWithAMessage) {
    chooseFirst();
    { std::ofstream(fs::path(context.folder) / "choir.QVT", std::ios::trunc) << "not a score"; }
    const Document doc = newScoreCommand(0, settings, ui, context);
    EXPECT_EQ(ui.lastText(), TemplateReadErrorMessage);
    EXPECT_EQ(doc.score.Nstaves, 1);
    EXPECT_EQ(doc.fileName, "NONAME1");

    ui.messages.clear();
    fs::remove(fs::path(context.folder) / "choir.QVT");
    EXPECT_EQ(newScoreCommand(0, settings, ui, context).score.Nstaves, 1);
    EXPECT_EQ(ui.lastText(), TemplateReadErrorMessage);
}

} // namespace
} // namespace qv
