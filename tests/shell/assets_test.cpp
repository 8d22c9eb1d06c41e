// The shell's compiled-in assets: speed-button icons, the pointers, the click,
// the help pages with their links, the tutorial and the tips, each what the
// generator makes; and the help window that shows the pages.

#include "shell/clicksound.h"
#include "shell/helpwindow.h"
#include "shell/pointers.h"
#include "shell/speedbuttons.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>

#include <gtest/gtest.h>

namespace qv {
namespace {

// Pixels of `image` whose alpha is above `alpha` within `r` of `centre` (the whole
// image when r is 0).
int inked(const QImage& image, int alpha, QPoint centre = {}, int r = 0) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (r == 0 || (std::abs(x - centre.x()) <= r && std::abs(y - centre.y()) <= r))
                n += qAlpha(image.pixel(x, y)) > alpha;
    return n;
}

TEST(Assets, EverySpeedButtonHasItsNameHintAndTwoDistinctIcons) {
    ASSERT_EQ(speedButtons().size(), std::size_t(SpeedButtonCount));
    QSet<QString> names;
    QSet<QByteArray> pictures;
    for (const SpeedButtonInfo& info : speedButtons()) {
        SCOPED_TRACE(info.name);
        EXPECT_EQ(&speedButtonInfo(info.id), &info);
        names.insert(QString::fromLatin1(info.name));
        EXPECT_GT(std::strlen(info.hint), 3u);
        const QImage small = QImage(speedButtonIconPath(info.id)).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(small.size(), QSize(24, 24));
        EXPECT_EQ(speedButtonIcon(info.id).availableSizes(), (QList<QSize>{{24, 24}, {48, 48}}));
        EXPECT_GT(inked(small, 64), 24) << "too little drawn";
        EXPECT_LT(inked(small, 64), 24 * 24) << "no transparent background";
        EXPECT_FALSE(pictures.contains(
            QByteArray(reinterpret_cast<const char*>(small.constBits()), small.sizeInBytes())));
        pictures.insert(QByteArray(reinterpret_cast<const char*>(small.constBits()), small.sizeInBytes()));
    }
    EXPECT_EQ(names.size(), SpeedButtonCount) << "two buttons share a name";
}

TEST(Assets, EveryPointerPointsAtItsOwnInkAndUnknownNumbersGiveTheArrow) {
    for (int n = FirstPointer; n <= LastPointer; ++n) {
        SCOPED_TRACE(n);
        ASSERT_NE(pointerName(n), nullptr);
        const QImage image = pointerImage(n);
        ASSERT_EQ(image.size(), QSize(32, 32));
        EXPECT_LT(inked(image, 0), 32 * 32) << "no transparent surround";
        const QPoint hot = pointerHotSpot(n);
        EXPECT_EQ(image.text("HotSpot"), QString("%1,%2").arg(hot.x()).arg(hot.y()));
        EXPECT_GT(inked(image, 128, hot, 2), 0);
        EXPECT_EQ(programPointer(n).shape(), Qt::BitmapCursor);
        EXPECT_EQ(programPointer(n).hotSpot(), hot);
    }
    for (const int n : {-1, 0, 16, 255}) {
        EXPECT_EQ(pointerName(n), nullptr);
        EXPECT_TRUE(pointerImage(n).isNull());
        EXPECT_EQ(programPointer(n).shape(), Qt::ArrowCursor);
    }
    EXPECT_STREQ(pointerName(CrossPointer), "CURSOR_8");
}

TEST(Assets, TheClickIsAShortWaveAndEveryPlayIsCountedWithoutBlocking) {
    QFile file(ClickSound::wavePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray wav = file.readAll();
    EXPECT_EQ(wav.left(4) + wav.mid(8, 8) + wav.mid(20, 4) + wav.mid(34, 6),
              QByteArray("RIFFWAVEfmt \x01\x00\x01\x00\x10\x00"
                         "data",
                         22))
        << "PCM, mono, 16 bits";
    const double ms = (wav.size() - 44) / 2 * 1000.0 / 22050;
    EXPECT_TRUE(ms >= 10 && ms <= 50) << ms;
    ClickSound click;
    click.setAudible(false);
    click.play();
    click.setAudible(true);
    click.play(); // offscreen, perhaps no sound device: must return at once and quietly
    QCoreApplication::processEvents();
    EXPECT_EQ(click.playCount(), 2);
    click.resetCount();
    EXPECT_EQ(click.playCount(), 0);
}

QString resourceText(const QUrl& url) {
    QFile file(":" + url.path());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(Assets, EveryHelpPageLoadsAndEveryLinkLeadsToAPageAndAnchorThatExist) {
    QWidget owner;
    HelpWindow window(&owner);
    int links = 0;
    for (const QString& name : helpPageNames()) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(window.openPage(name));
        EXPECT_EQ(window.currentPage(), name);
        EXPECT_FALSE(window.browser()->documentTitle().isEmpty());
        for (QTextBlock block = window.browser()->document()->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QString href = it.fragment().charFormat().anchorHref();
                if (href.isEmpty()) continue;
                ++links;
                const QUrl url = window.browser()->source().resolved(QUrl(href));
                EXPECT_EQ(url.scheme(), "qrc") << "help links stay inside the program";
                const QString target = resourceText(url);
                ASSERT_FALSE(target.isEmpty()) << href.toStdString();
                if (url.hasFragment()) {
                    EXPECT_TRUE(
                        target.contains(QRegularExpression(QString("(name|id)=\"%1\"").arg(url.fragment()))));
                }
            }
    }
    EXPECT_GT(links, 10);
    for (QDirIterator files(":/shell/help"); files.hasNext();)
        EXPECT_TRUE(helpPageNames().contains(QFileInfo(files.next()).completeBaseName()));
    EXPECT_TRUE(resourceText(helpPageUrl("keyboard")).contains("<td>Alt+PgDn</td>"));

    const QStringList tips = tipsOfTheDay();
    EXPECT_GE(tips.size(), 8);
    for (const QString& tip : tips)
        EXPECT_TRUE(!tip.startsWith('#') && tip.size() <= 160 && tip.endsWith('.')) << tip.toStdString();
    EXPECT_TRUE(Qt::mightBeRichText(tutorialText()));
}

TEST(Assets, TheHelpWindowIsOneWindowThatFollowsLinksAndHistoryAndGoesWithItsOwner) {
    {
        QWidget owner;
        HelpWindow* window = HelpWindow::showPage(&owner, "keyboard");
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isWindow() && !window->isModal());
        EXPECT_EQ(window->windowTitle(), "Quaverly Help - Keyboard shortcuts");
        EXPECT_EQ(HelpWindow::showPage(&owner, "about"), window);
        EXPECT_EQ(HelpWindow::existing(), window);
        QToolButton* back = nullptr;
        for (QToolButton* b : window->findChildren<QToolButton*>())
            if (b->text() == "Back") back = b;
        ASSERT_NE(back, nullptr);
        EXPECT_TRUE(back->isEnabled());

        QTextBrowser* browser = window->browser();
        browser->setSource(browser->source().resolved(QUrl("gettingstarted.html#entering")));
        EXPECT_EQ(window->currentPage(), "gettingstarted");
        back->click();
        EXPECT_EQ(window->currentPage(), "about");
        browser->forward();
        EXPECT_EQ(window->currentPage(), "gettingstarted");
        EXPECT_FALSE(window->openPage("nosuchpage"));
        EXPECT_EQ(window->currentPage(), "index");
        EXPECT_FALSE(helpPageUrl("nosuchpage").isValid());
    }
    EXPECT_EQ(HelpWindow::existing(), nullptr);
}

// The committed pictures and click are what the generator makes now: a change to the
// drawings that was not regenerated (or a hand-edited file) shows up here.
TEST(Assets, CommittedAssetsAreWhatTheGeneratorMakes) {
    QTemporaryDir out;
    QProcess tool;
    tool.start(ICONSGEN_TOOL, {"--out", out.path()});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QDir committed(SHELL_RESOURCES);
    const QDir made(out.path());
    for (const QString folder : {"icons", "pointers"}) {
        const QStringList files = QDir(made.filePath(folder)).entryList(QDir::Files, QDir::Name);
        EXPECT_EQ(QDir(committed.filePath(folder)).entryList(QDir::Files, QDir::Name), files);
        for (const QString& file : files) {
            SCOPED_TRACE((folder + '/' + file).toStdString());
            const QImage fresh =
                QImage(made.filePath(folder + '/' + file)).convertToFormat(QImage::Format_ARGB32);
            const QImage kept =
                QImage(committed.filePath(folder + '/' + file)).convertToFormat(QImage::Format_ARGB32);
            ASSERT_EQ(fresh.size(), kept.size());
            // Font versions may move a letter's edge by a pixel; a changed drawing moves far more.
            int differing = 0;
            for (int y = 0; y < fresh.height(); ++y)
                for (int x = 0; x < fresh.width(); ++x) {
                    const QRgb p = fresh.pixel(x, y), q = kept.pixel(x, y);
                    differing +=
                        std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                  std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))}) > 40;
                }
            EXPECT_LT(differing, 0.02 * fresh.width() * fresh.height());
            EXPECT_EQ(fresh.text("HotSpot"), kept.text("HotSpot"));
        }
    }
    QFile freshClick(made.filePath("click.wav")), keptClick(committed.filePath("click.wav"));
    ASSERT_TRUE(freshClick.open(QIODevice::ReadOnly) && keptClick.open(QIODevice::ReadOnly));
    EXPECT_EQ(freshClick.readAll(), keptClick.readAll());
}

} // namespace
} // namespace qv
