// File | Import MusicXML on the real main frame: the chosen file opens as a new
// untitled score; a refused file, or a score already open, leaves things as they were.

#include "shell/mainframe.h"
#include "shell/scorewindow.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

namespace qv {
namespace {

QAction* importItem(MainFrame& frame) {
    for (QAction* a : frame.fileMenu()->actions())
        if (a->text() == QStringLiteral("Import M&usicXML...")) return a;
    return nullptr;
}

TEST(ImportMenuTest, TheChosenFileOpensAsANewUntitledScore) {
    test::ScratchFolder dir;
    test::ScriptedUi ui;
    MainFrame frame(&ui);
    const std::string good = std::string(QUAVERLY_SOURCE_DIR) + "/fuzz/corpus-import/grand.musicxml";
    const std::string bad = dir.at("bad.musicxml");
    test::writeBytes(bad, test::bytesOf("<score-timewise/>"));
    QAction* item = importItem(frame);
    ASSERT_TRUE(item);
    // The item comes right after Open.
    const auto actions = frame.fileMenu()->actions();
    ASSERT_GT(actions.indexOf(item), 0);
    EXPECT_EQ(actions[actions.indexOf(item) - 1]->text(), QStringLiteral("&Open..."));

    ui.fileAnswers = {bad};
    item->trigger();
    EXPECT_FALSE(frame.scoreWindow());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.lastText().find("timewise"), std::string::npos);

    ui.fileAnswers = {good};
    item->trigger();
    ASSERT_TRUE(frame.scoreWindow());
    const Document& doc = frame.scoreWindow()->document();
    EXPECT_EQ(doc.fileName, "NONAME1");
    EXPECT_TRUE(doc.score.modified);
    EXPECT_EQ(doc.score.Nstaves, 2);
    EXPECT_TRUE(doc.score.stave(1).brace);

    // With a score open, importing another is refused and the open one is untouched.
    const std::size_t shown = ui.messages.size();
    ui.fileAnswers = {good};
    item->trigger();
    EXPECT_EQ(ui.messages.size(), shown + 1);
    EXPECT_EQ(ui.lastText(), "Please close the current score before opening another one.");
    EXPECT_EQ(&frame.scoreWindow()->document(), &doc);

    // The two MusicXML items have letters of their own in the File menu, so a
    // key press runs them rather than stepping between items.
    for (const char* text : {"Import M&usicXML...", "Export MusicXM&L..."}) {
        const QString name = QString::fromLatin1(text);
        const QChar letter = name.at(name.indexOf('&') + 1).toLower();
        int sharing = 0, found = 0;
        for (const QAction* a : frame.fileMenu()->actions()) {
            const QString t = a->text();
            found += t == name;
            const qsizetype amp = t.indexOf('&');
            sharing += amp >= 0 && amp + 1 < t.size() && t.at(amp + 1).toLower() == letter;
        }
        EXPECT_EQ(found, 1) << text;
        EXPECT_EQ(sharing, 1) << text;
    }
}

} // namespace
} // namespace qv
