// The shell's compiled-in assets, each what the generator makes: speed-button icons,
// the pointers and the click; the help pages with their links, the tutorial and the
// tips; and the help window that shows the pages.

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

// Pixels of `image` whose alpha is above `alpha` within r of `centre` (r 0: all of it).
int inked(const QImage& image, int alpha, QPoint centre = {}, int r = 0) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (r == 0 || (std::abs(x - centre.x()) <= r && std::abs(y - centre.y()) <= r))
                n += qAlpha(image.pixel(x, y)) > alpha;
    return n;
}

QImage argb(const QString& path) {
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(Assets, ButtonsAndPointersHaveTheirOwnPicturesAndTheClickIsAShortWave) {
    QSet<QString> names;
    QSet<QByteArray> pictures;
    for (const SpeedButtonInfo& info : speedButtons()) {
        const QImage small = argb(speedButtonIconPath(info.id));
        EXPECT_EQ(speedButtonIcon(info.id).availableSizes(), (QList<QSize>{{24, 24}, {48, 48}})) << info.name;
        EXPECT_TRUE(inked(small, 64) > 24 && inked(small, 64) < 24 * 24)
            << info.name << ": ink on a clear ground";
        EXPECT_TRUE(&speedButtonInfo(info.id) == &info && std::strlen(info.hint) > 3) << info.name;
        names.insert(info.name);
        pictures.insert(QByteArray(reinterpret_cast<const char*>(small.constBits()), small.sizeInBytes()));
    }
    EXPECT_EQ(names.size() + pictures.size(), 2 * SpeedButtonCount) << "no two share a name or a picture";

    for (int n = FirstPointer; n <= LastPointer; ++n) {
        const QImage image = pointerImage(n);
        const QPoint hot = pointerHotSpot(n);
        EXPECT_TRUE(pointerName(n) && image.size() == QSize(32, 32) && inked(image, 0) < 32 * 32) << n;
        EXPECT_EQ(image.text("HotSpot"), QString("%1,%2").arg(hot.x()).arg(hot.y())) << n;
        EXPECT_GT(inked(image, 128, hot, 2), 0) << n << ": the hot spot is on the ink";
        EXPECT_TRUE(programPointer(n).shape() == Qt::BitmapCursor && programPointer(n).hotSpot() == hot) << n;
    }
    for (const int n : {-1, 0, 16, 255})
        EXPECT_TRUE(!pointerName(n) && pointerImage(n).isNull() &&
                    programPointer(n).shape() == Qt::ArrowCursor);
    EXPECT_STREQ(pointerName(CrossPointer), "CURSOR_8");

    const QByteArray wav = contents(ClickSound::wavePath());
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
}

TEST(Assets, EveryHelpLinkLeadsToAPageAndAnchorThatExistAndTheWindowFollowsThem) {
    int links = 0;
    {
        QWidget owner;
        HelpWindow* window = HelpWindow::showPage(&owner, "keyboard");
        EXPECT_TRUE(window->isWindow() && !window->isModal());
        EXPECT_EQ(window->windowTitle(), "Quaverly Help - Keyboard shortcuts");
        EXPECT_TRUE(window->browser()->toHtml().contains("Alt+PgDn"));
        for (const QString& name : helpPageNames()) {
            ASSERT_TRUE(window->openPage(name)) << name.toStdString();
            EXPECT_FALSE(window->browser()->documentTitle().isEmpty()) << name.toStdString();
            for (QTextBlock block = window->browser()->document()->begin(); block.isValid();
                 block = block.next())
                for (auto it = block.begin(); !it.atEnd(); ++it) {
                    const QString href = it.fragment().charFormat().anchorHref();
                    if (href.isEmpty()) continue;
                    const QUrl url = window->browser()->source().resolved(QUrl(href));
                    const QString target = contents(":" + url.path());
                    EXPECT_EQ(url.scheme(), "qrc") << "help links stay inside the program";
                    const QRegularExpression anchor(QString("(name|id)=\"%1\"").arg(url.fragment()));
                    EXPECT_TRUE(!target.isEmpty() && (!url.hasFragment() || target.contains(anchor)))
                        << name.toStdString() << ": " << href.toStdString();
                    ++links;
                }
        }
        for (QDirIterator files(":/shell/help"); files.hasNext();)
            EXPECT_TRUE(helpPageNames().contains(QFileInfo(files.next()).completeBaseName()));

        // One window: showing a page again reuses it; its Back and the browser's history follow the links.
        EXPECT_EQ(HelpWindow::showPage(&owner, "about"), window);
        QTextBrowser* browser = window->browser();
        browser->setSource(browser->source().resolved(QUrl("gettingstarted.html#entering")));
        EXPECT_EQ(window->currentPage(), "gettingstarted");
        for (QToolButton* b : window->findChildren<QToolButton*>())
            if (b->text() == "Back") b->click();
        EXPECT_EQ(window->currentPage(), "about");
        browser->forward();
        EXPECT_EQ(window->currentPage(), "gettingstarted");
        EXPECT_FALSE(window->openPage("nosuchpage"));
        EXPECT_EQ(window->currentPage(), "index");
        EXPECT_FALSE(helpPageUrl("nosuchpage").isValid());
    }
    EXPECT_EQ(HelpWindow::existing(), nullptr) << "the window goes with its owner";
    EXPECT_GT(links, 10);

    const QStringList tips = tipsOfTheDay();
    EXPECT_GE(tips.size(), 8);
    for (const QString& tip : tips)
        EXPECT_TRUE(!tip.startsWith('#') && tip.size() <= 160 && tip.endsWith('.')) << tip.toStdString();
    EXPECT_TRUE(Qt::mightBeRichText(tutorialText()));
}

// The committed pictures and click are what the generator makes now: a drawing
// changed without regenerating (or a hand-edited file) shows up here.
TEST(Assets, CommittedAssetsAreWhatTheGeneratorMakes) {
    QTemporaryDir out;
    QProcess tool;
    tool.start(ICONSGEN_TOOL, {"--out", out.path()});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QDir committed(SHELL_RESOURCES), made(out.path());
    for (const QString folder : {"icons", "pointers"}) {
        const QStringList files = QDir(made.filePath(folder)).entryList(QDir::Files, QDir::Name);
        EXPECT_EQ(QDir(committed.filePath(folder)).entryList(QDir::Files, QDir::Name), files);
        for (const QString& file : files) {
            const QImage fresh = argb(made.filePath(folder + '/' + file));
            const QImage kept = argb(committed.filePath(folder + '/' + file));
            ASSERT_EQ(fresh.size(), kept.size()) << file.toStdString();
            // Font versions may move a letter's edge by a pixel; a changed drawing moves far more.
            int differing = 0;
            for (int y = 0; y < fresh.height(); ++y)
                for (int x = 0; x < fresh.width(); ++x) {
                    const QRgb p = fresh.pixel(x, y), q = kept.pixel(x, y);
                    differing +=
                        std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                  std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))}) > 40;
                }
            EXPECT_LT(differing, 0.02 * fresh.width() * fresh.height()) << file.toStdString();
            EXPECT_EQ(fresh.text("HotSpot"), kept.text("HotSpot")) << file.toStdString();
        }
    }
    EXPECT_EQ(contents(made.filePath("click.wav")), contents(committed.filePath("click.wav")));
}

} // namespace
} // namespace qv
