// The shell's compiled-in assets: speed-button icons, pointers and the click; the help pages with their
// links, the tutorial and the tips; and the help window that shows the pages.

#include "shell/clicksound.h"
#include "shell/helpwindow.h"
#include "shell/pointers.h"
#include "shell/speedbuttons.h"

#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>

#include <gtest/gtest.h>

namespace qv {
namespace {

// Pixels of `image` whose alpha is above `alpha` within r of `centre` (r 0: all of it).
int inked(const QImage& image, int alpha = 64, QPoint centre = {}, int r = 0) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (r == 0 || (std::abs(x - centre.x()) <= r && std::abs(y - centre.y()) <= r)) &&
                 qAlpha(image.pixel(x, y)) > alpha;
    return n;
}
QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(Assets, ButtonsAndPointersHaveTheirOwnPicturesAndTheClickIsAShortWave) {
    QSet<QString> names;
    QSet<QByteArray> pictures;
    for (const SpeedButtonInfo& info : speedButtons()) {
        const QImage small = QImage(speedButtonIconPath(info.id)).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(speedButtonIcon(info.id).availableSizes(), (QList<QSize>{{24, 24}, {48, 48}})) << info.name;
        EXPECT_TRUE(inked(small) > 24 && inked(small) < 24 * 24) << info.name << ": ink on a clear ground";
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
              QByteArray("RIFFWAVEfmt \1\0\1\0\20\0data", 22))
        << "PCM, mono, 16 bits";
    EXPECT_TRUE(wav.size() > 44 + 441 && wav.size() < 44 + 2205) << "10 to 50 ms at 22050 per second";
    ClickSound click;
    click.setAudible(false), click.play();
    click.setAudible(true), click.play(); // perhaps no sound device: must return at once and quietly
    QCoreApplication::processEvents();
    EXPECT_EQ(click.playCount(), 2);
}

// How dark the icon looks on a white bar: the sum of each pixel's darkness times its cover.
double darkness(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += qAlpha(image.pixel(x, y)) * (255 - qGray(image.pixel(x, y))) / 255.0;
    return sum;
}

TEST(Assets, ADisabledButtonIsDrawnFarFainterThanAnEnabledOne) {
    for (const SpeedButtonInfo& info : speedButtons()) {
        const QIcon icon = speedButtonIcon(info.id);
        for (const int size : {24, 48}) {
            const double normal = darkness(icon.pixmap(size, QIcon::Normal));
            const double disabled = darkness(icon.pixmap(size, QIcon::Disabled));
            EXPECT_TRUE(normal > 0 && disabled > 0 && disabled < 0.3 * normal) << info.name << " " << size;
        }
    }
}

TEST(Assets, TheHelpWindowFollowsEveryLinkToAPageAndAnchorThatExist) {
    int links = 0;
    {
        QWidget owner;
        HelpWindow* window = HelpWindow::showPage(&owner, "keyboard");
        EXPECT_TRUE(window->isWindow() && !window->isModal());
        EXPECT_EQ(window->windowTitle(), "Quaverly Help - Keyboard shortcuts");
        QTextBrowser* browser = window->browser();
        for (const QString& name : helpPageNames()) {
            ASSERT_TRUE(window->openPage(name) && !browser->documentTitle().isEmpty()) << name.toStdString();
            for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
                for (auto it = block.begin(); !it.atEnd(); ++it)
                    if (const QString href = it.fragment().charFormat().anchorHref(); !href.isEmpty()) {
                        const QUrl url = browser->source().resolved(QUrl(href));
                        const QString target = contents(":" + url.path());
                        const QRegularExpression anchor(QString("(name|id)=\"%1\"").arg(url.fragment()));
                        EXPECT_TRUE(url.scheme() == "qrc" && !target.isEmpty() &&
                                    (!url.hasFragment() || target.contains(anchor)))
                            << name.toStdString() << ": " << href.toStdString();
                        ++links;
                    }
        }
        EXPECT_EQ(HelpWindow::showPage(&owner, "about"), window) << "one help window";
        browser->setSource(browser->source().resolved(QUrl("gettingstarted.html#entering")));
        EXPECT_EQ(window->currentPage(), "gettingstarted");
        for (QToolButton* b : window->findChildren<QToolButton*>())
            EXPECT_TRUE(b->text() != "Back" || b->isEnabled()) << "a page to go back to";
        EXPECT_FALSE(window->openPage("nosuchpage") || helpPageUrl("nosuchpage").isValid());
        EXPECT_EQ(window->currentPage(), "index");
    }
    EXPECT_EQ(HelpWindow::existing(), nullptr) << "the window goes with its owner";
    EXPECT_GT(links, 10);
    EXPECT_GE(tipsOfTheDay().size(), 8);
    for (const QString& tip : tipsOfTheDay())
        EXPECT_TRUE(!tip.startsWith('#') && tip.size() <= 160 && tip.endsWith('.')) << tip.toStdString();
    EXPECT_TRUE(Qt::mightBeRichText(tutorialText()));
}

} // namespace
} // namespace qv
