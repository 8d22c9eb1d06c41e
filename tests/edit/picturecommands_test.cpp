// The picture commands as the window runs them: the current page from the menu,
// and the box of a marked block from the "Block Mode Action" dialog, each read
// back by a reader that is not ours.

#include "edit/picturecommands.h"
#include "print/pictureexport.h"
#include "recordinghost.h"
#include "render/pageimage.h"
#include "support/picturereaders.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

struct PictureSession : test::Session {
    test::ScratchFolder folder;
    std::string name = "NONAME2";
    PictureSession() : Session(2) {
        session.fileName = &name;
        editor.mode = ModeMusic;
        editor.page.currentStave = editor.page.currentPage = 1;
        for (int s = 1; s <= 2; ++s)
            for (int x : {100, 130, 160})
                test::append(score.stave(s), test::makeNote(x, x / 30 - 4, 3, score.stave(s).Ycoord));
    }
    QImage printed() { return renderPrintPage(score, 1, name); }
};

TEST(PictureCommands, ThePageFromTheMenuIsWrittenInWaitingMode) {
    PictureSession t;
    t.ui.fileAnswers = {t.folder.at("page.PCX")};
    pcxOutputCommand(t.session);
    ASSERT_EQ(t.ui.fileRequests.size(), 1u);
    EXPECT_EQ(t.ui.fileRequests[0].fileName, "NONAME.PCX");
    EXPECT_EQ(t.ui.lastText(), PcxSavedMessage);
    EXPECT_NE(t.host.take().find("Waiting in colour"), std::string::npos);
    EXPECT_EQ(t.editor.mode, ModeMusic);
    EXPECT_EQ(test::inkMismatches(test::readPcxWithNetpbm(t.folder.at("page.PCX")), t.printed()), 0);

    // A named score proposes its own name beside it; cancelling writes nothing.
    t.name = t.folder.at("song.qvr");
    pcxOutputCommand(t.session);
    EXPECT_EQ(t.ui.fileRequests[1].fileName, "song.PCX");
    EXPECT_EQ(t.ui.fileRequests[1].folder, t.folder.path());
    EXPECT_EQ(t.folder.names(), std::vector<std::string>{"page.PCX"});
}

TEST(PictureCommands, ABlocksPcxExportWritesItsBoxInTheFormatChosen) {
    PictureSession t;
    t.ui.blockActions = {BlockPcxExport, BlockPcxExport};
    t.ui.fileAnswers = {t.folder.at("block.pcx")};
    t.ui.filterAnswers = {1};
    t.dragBox({200, 110}, {90, 0}, 800);
    EXPECT_EQ(t.editor.mode, ModeMusic);
    EXPECT_TRUE(t.score.marked[1].none());
    const QImage bmp = test::readWithImageMagick(t.folder.at("block.BMP"), t.folder.at("block.png"));
    ASSERT_EQ(bmp.size(), QSize(330, 330));
    EXPECT_EQ(test::inkMismatches(bmp, boxPicture(t.printed(), printImageOrigin(t.score), {90, 0, 200, 110})),
              0);

    t.dragBox({90, 0}, {200, 110}, 800); // the chooser cancelled
    EXPECT_EQ(t.editor.mode, ModeMusic);
    EXPECT_EQ(t.folder.names(), (std::vector<std::string>{"block.BMP", "block.png"}));
}

} // namespace
} // namespace qv
