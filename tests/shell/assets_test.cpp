// The shell's compiled-in assets: speed-button icons and hints, the pointers, the
// click, the help pages with their links, the tutorial and the tips; and the help
// window that shows the pages.

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
#include <QTextDocument>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdint>

// widgetmain.cpp makes the QApplication that icons, cursors and windows need.

namespace qv {
namespace {

// --- speed buttons ----------------------------------------------------------

TEST(Assets, EverySpeedButtonHasItsNameHintAndBothIconSizes) {
    ASSERT_EQ(speedButtons().size(), std::size_t(SpeedButtonCount));
    QSet<QString> names;
    for (const SpeedButtonInfo& info : speedButtons()) {
        SCOPED_TRACE(info.name);
        EXPECT_TRUE(QString::fromLatin1(info.name).startsWith(QStringLiteral("sb")));
        names.insert(QString::fromLatin1(info.name));
        EXPECT_GT(std::strlen(info.hint), 3u);
        EXPECT_EQ(&speedButtonInfo(info.id), &info);

        const QIcon icon = speedButtonIcon(info.id);
        ASSERT_FALSE(icon.isNull());
        const QImage small(speedButtonIconPath(info.id));
        ASSERT_EQ(small.size(), QSize(24, 24));
        QString large = speedButtonIconPath(info.id);
        large.insert(large.size() - 4, QStringLiteral("@2x"));
        EXPECT_EQ(QImage(large).size(), QSize(48, 48));
        EXPECT_TRUE(icon.availableSizes().contains(QSize(48, 48)));

        // Something is drawn, and not the whole square: a transparent surround.
        int inked = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                inked += qAlpha(small.pixel(x, y)) > 64;
        EXPECT_GT(inked, 24) << "too little drawn";
        EXPECT_LT(inked, 24 * 24) << "no transparent background";
    }
    EXPECT_EQ(names.size(), SpeedButtonCount) << "two buttons share a name";
}

TEST(Assets, QuotedHintsAreTheProgramsOwnTexts) {
    EXPECT_STREQ(speedButtonInfo(SpeedButton::sbOpen).hint, "Open existing file");
    EXPECT_STREQ(speedButtonInfo(SpeedButton::sbSave).hint, "Save File");
    EXPECT_STREQ(speedButtonInfo(SpeedButton::sbPrint).hint, "Press to Print");
    EXPECT_STREQ(speedButtonInfo(SpeedButton::sbredraw).hint, "Refresh screen");
    EXPECT_STREQ(speedButtonInfo(SpeedButton::sbMusic).hint, "Music (enter) mode");
    EXPECT_STREQ(speedButtonInfo(SpeedButton::sbdraw).hint, "General drawing tools");
    EXPECT_STREQ(speedButtonInfo(SpeedButton::sbattrib).hint, "Change object or stave attributes");
    EXPECT_STREQ(speedButtonInfo(SpeedButton::sbcomplete).hint, "Complete Object");
    EXPECT_STREQ(speedButtonInfo(SpeedButton::sbheadfoot).hint, "Define Footer/Header");
    EXPECT_STREQ(speedButtonInfo(SpeedButton::sbcloseHF).hint, "Close Header/Footer");
    EXPECT_STREQ(speedButtonInfo(SpeedButton::sbstrings).hint,
                 "Show objects and which stave they are attached to");
}

// Icons that show different things must not come out as the same picture.
TEST(Assets, NoTwoIconsAreTheSamePicture) {
    QSet<QByteArray> seen;
    for (const SpeedButtonInfo& info : speedButtons()) {
        QImage image(speedButtonIconPath(info.id));
        image = image.convertToFormat(QImage::Format_ARGB32);
        const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        EXPECT_FALSE(seen.contains(bytes)) << info.name;
        seen.insert(bytes);
    }
}

// --- pointers ---------------------------------------------------------------

TEST(Assets, EveryPointerLoadsWithItsHotSpotOnTheDrawing) {
    for (int n = FirstPointer; n <= LastPointer; ++n) {
        SCOPED_TRACE(n);
        ASSERT_NE(pointerName(n), nullptr);
        const QImage image = pointerImage(n);
        ASSERT_EQ(image.size(), QSize(32, 32));
        EXPECT_TRUE(image.hasAlphaChannel());
        int clearCorners = 0;
        for (const QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
            clearCorners += qAlpha(image.pixel(corner)) == 0;
        EXPECT_GT(clearCorners, 0) << "no transparent surround";

        // The hot spot is stated in the picture, lies inside it, and something is
        // drawn within two pixels of it (a pointer points at its own ink).
        EXPECT_FALSE(image.text(QStringLiteral("HotSpot")).isEmpty());
        const QPoint hot = pointerHotSpot(n);
        ASSERT_TRUE(image.rect().contains(hot));
        int inkNear = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (image.rect().contains(hot + QPoint(dx, dy)))
                    inkNear += qAlpha(image.pixel(hot + QPoint(dx, dy))) > 128;
        EXPECT_GT(inkNear, 0);

        const QCursor cursor = programPointer(n);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        EXPECT_EQ(cursor.hotSpot(), hot);
    }
}

TEST(Assets, UnknownPointerNumbersGiveTheArrow) {
    for (const int n : {-1, 0, 16, 255}) {
        EXPECT_EQ(pointerName(n), nullptr);
        EXPECT_TRUE(pointerImage(n).isNull());
        EXPECT_EQ(programPointer(n).shape(), Qt::ArrowCursor);
    }
    EXPECT_STREQ(pointerName(1), "PENCIL");
    EXPECT_STREQ(pointerName(CrossPointer), "CURSOR_8");
    EXPECT_STREQ(pointerName(15), "ARROWH");
}

// --- the click ----------------------------------------------------------------

std::uint32_t le32(const QByteArray& b, int at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}
std::uint16_t le16(const QByteArray& b, int at) {
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

TEST(Assets, ClickIsAShortMono16BitWave) {
    QFile file(ClickSound::wavePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray wav = file.readAll();
    ASSERT_GE(wav.size(), 44);
    EXPECT_EQ(wav.left(4), "RIFF");
    EXPECT_EQ(le32(wav, 4), std::uint32_t(wav.size() - 8));
    EXPECT_EQ(wav.mid(8, 4), "WAVE");
    EXPECT_EQ(wav.mid(12, 4), "fmt ");
    EXPECT_EQ(le32(wav, 16), 16u);
    EXPECT_EQ(le16(wav, 20), 1u);     // PCM
    EXPECT_EQ(le16(wav, 22), 1u);     // mono
    EXPECT_EQ(le32(wav, 24), 22050u); // samples per second
    EXPECT_EQ(le32(wav, 28), 44100u); // bytes per second
    EXPECT_EQ(le16(wav, 32), 2u);     // bytes per frame
    EXPECT_EQ(le16(wav, 34), 16u);    // bits
    EXPECT_EQ(wav.mid(36, 4), "data");
    const std::uint32_t bytes = le32(wav, 40);
    ASSERT_EQ(bytes, std::uint32_t(wav.size() - 44));
    const int samples = int(bytes / 2);
    const double ms = 1000.0 * samples / 22050;
    EXPECT_GE(ms, 10.0);
    EXPECT_LE(ms, 50.0);

    // Loud enough to hear, not clipped, and faded out at the end (no pop when it stops).
    int peak = 0;
    for (int i = 0; i < samples; ++i)
        peak = std::max(peak, std::abs(int(std::int16_t(le16(wav, 44 + 2 * i)))));
    EXPECT_GT(peak, 8000);
    EXPECT_LT(peak, 32767);
    EXPECT_LT(std::abs(int(std::int16_t(le16(wav, 44 + 2 * (samples - 1))))), 200);
}

TEST(Assets, ClickCountsEveryPlayAndNeverBlocksWithoutAnAudioDevice) {
    ClickSound click;
    EXPECT_EQ(click.playCount(), 0);
    click.setAudible(false);
    click.play();
    click.play();
    EXPECT_EQ(click.playCount(), 2);
    click.setAudible(true);
    click.play(); // offscreen, perhaps no sound device: must return at once and quietly
    QCoreApplication::processEvents();
    EXPECT_EQ(click.playCount(), 3);
    click.resetCount();
    EXPECT_EQ(click.playCount(), 0);
}

// --- help pages -----------------------------------------------------------------

// Every link of a page as the browser sees it: (href, resolved URL).
QList<QPair<QString, QUrl>> linksOf(QTextBrowser& browser) {
    QList<QPair<QString, QUrl>> links;
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor() && !format.anchorHref().isEmpty())
                links.append({format.anchorHref(), browser.source().resolved(QUrl(format.anchorHref()))});
        }
    return links;
}

QString resourceText(const QUrl& url) {
    QFile file(QStringLiteral(":") + url.path());
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

TEST(Assets, EveryHelpPageLoadsAndEveryLinkLeadsToAPageAndAnchorThatExist) {
    QWidget owner;
    HelpWindow window(&owner);
    int linksSeen = 0;
    for (const QString& name : helpPageNames()) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(window.openPage(name));
        EXPECT_EQ(window.currentPage(), name);
        EXPECT_FALSE(window.browser()->documentTitle().isEmpty());
        EXPECT_GT(window.browser()->toPlainText().size(), 200);
        for (const auto& [href, url] : linksOf(*window.browser())) {
            SCOPED_TRACE(href.toStdString());
            ++linksSeen;
            EXPECT_EQ(url.scheme(), QStringLiteral("qrc")) << "help links stay inside the program";
            const QString target = resourceText(url);
            ASSERT_FALSE(target.isEmpty());
            if (url.hasFragment()) {
                const QRegularExpression anchor(QStringLiteral("(name|id)=\"%1\"").arg(url.fragment()));
                EXPECT_TRUE(target.contains(anchor));
            }
        }
    }
    EXPECT_GT(linksSeen, 10);

    // Every help file in the resources is one of the named pages.
    QDirIterator files(QStringLiteral(":/shell/help"));
    while (files.hasNext()) {
        const QString file = QFileInfo(files.next()).completeBaseName();
        EXPECT_TRUE(helpPageNames().contains(file)) << file.toStdString();
    }
}

TEST(Assets, KeyboardPageListsTheModeKeysAndMenuShortcuts) {
    const QString page = resourceText(helpPageUrl(QStringLiteral("keyboard")));
    EXPECT_TRUE(page.contains(QStringLiteral("<title>Keyboard shortcuts</title>")));
    for (const char* key :
         {"F7",     "F9",      "F10",      "F11",      "F12",          "Ctrl+F10", "Ctrl+F11", "Ctrl+F12",
          "Alt+F2", "Alt+F3",  "Alt+PgUp", "Alt+PgDn", "F2",           "Ctrl+F2",  "F4",       "Esc",
          "Ctrl+S", "Ctrl+F4", "Ctrl+P",   "Alt+F4",   "Ctrl+N",       "Ctrl+C",   "Ctrl+K",   "Ctrl+T",
          "Ctrl+J", "Ctrl+L",  "Ctrl+R",   "Del",      "Alt+Backspace"})
        EXPECT_TRUE(page.contains(QStringLiteral("<td>%1</td>").arg(QLatin1String(key)))) << key;
    EXPECT_TRUE(resourceText(helpPageUrl(QStringLiteral("gettingstarted")))
                    .contains(QStringLiteral("<title>Getting started</title>")));
}

TEST(Assets, HelpWindowIsOneNonModalWindowThatFollowsLinksAndHistory) {
    QWidget owner;
    HelpWindow* first = HelpWindow::showPage(&owner, QStringLiteral("keyboard"));
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->isModal());
    EXPECT_TRUE(first->isWindow());
    EXPECT_EQ(first->currentPage(), QStringLiteral("keyboard"));
    EXPECT_TRUE(first->windowTitle().contains(QStringLiteral("Keyboard shortcuts")));

    HelpWindow* second = HelpWindow::showPage(&owner, QStringLiteral("about"));
    EXPECT_EQ(second, first);
    EXPECT_EQ(HelpWindow::existing(), first);
    EXPECT_EQ(first->currentPage(), QStringLiteral("about"));

    // A link followed the way a click follows it, then back and forward.
    QTextBrowser* browser = first->browser();
    browser->setSource(browser->source().resolved(QUrl(QStringLiteral("gettingstarted.html#entering"))));
    EXPECT_EQ(first->currentPage(), QStringLiteral("gettingstarted"));
    browser->backward();
    EXPECT_EQ(first->currentPage(), QStringLiteral("about"));
    browser->forward();
    EXPECT_EQ(first->currentPage(), QStringLiteral("gettingstarted"));

    // An unknown name falls back to the contents.
    EXPECT_FALSE(first->openPage(QStringLiteral("nosuchpage")));
    EXPECT_EQ(first->currentPage(), QStringLiteral("index"));
    EXPECT_FALSE(helpPageUrl(QStringLiteral("nosuchpage")).isValid());
}

TEST(Assets, HelpWindowOwnedByItsOwnerGoesWithIt) {
    {
        QWidget owner;
        HelpWindow::showPage(&owner, QStringLiteral("index"));
        ASSERT_NE(HelpWindow::existing(), nullptr);
    }
    EXPECT_EQ(HelpWindow::existing(), nullptr);
    QWidget owner;
    EXPECT_NE(HelpWindow::showPage(&owner, QStringLiteral("index")), nullptr);
}

// --- tutorial and tips ------------------------------------------------------------

TEST(Assets, TutorialIsRichTextAndTipsAreShortSentences) {
    const QString tutorial = tutorialText();
    ASSERT_FALSE(tutorial.isEmpty());
    EXPECT_TRUE(Qt::mightBeRichText(tutorial));
    QTextDocument document;
    document.setHtml(tutorial);
    EXPECT_GT(document.toPlainText().size(), 300);

    const QStringList tips = tipsOfTheDay();
    EXPECT_GE(tips.size(), 8);
    for (const QString& tip : tips) {
        EXPECT_FALSE(tip.startsWith(QLatin1Char('#'))) << tip.toStdString();
        EXPECT_LE(tip.size(), 160) << tip.toStdString();
        EXPECT_TRUE(tip.endsWith(QLatin1Char('.'))) << tip.toStdString();
    }
}

// --- the generator ----------------------------------------------------------------

// The committed pictures and click are what the generator makes now: a change to the
// drawings that was not regenerated (or a hand-edited file) shows up here.
double differingShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 1.0;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            differing += d > 40;
        }
    return double(differing) / (x.width() * x.height());
}

TEST(Assets, CommittedAssetsAreWhatTheGeneratorMakes) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess tool;
    tool.start(QStringLiteral(ICONSGEN_TOOL), {QStringLiteral("--out"), out.path()});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();

    const QDir committed(QStringLiteral(SHELL_RESOURCES));
    const QDir made(out.path());
    for (const QString& folder : {QStringLiteral("icons"), QStringLiteral("pointers")}) {
        const QStringList madeFiles = QDir(made.filePath(folder)).entryList(QDir::Files, QDir::Name);
        EXPECT_EQ(QDir(committed.filePath(folder)).entryList(QDir::Files, QDir::Name), madeFiles)
            << folder.toStdString();
        for (const QString& file : madeFiles) {
            SCOPED_TRACE((folder + QLatin1Char('/') + file).toStdString());
            const QImage fresh(made.filePath(folder + QLatin1Char('/') + file));
            const QImage kept(committed.filePath(folder + QLatin1Char('/') + file));
            // Font versions may move a letter's edge by a pixel; a changed drawing moves far more.
            EXPECT_LT(differingShare(fresh, kept), 0.02);
            EXPECT_EQ(fresh.text(QStringLiteral("HotSpot")), kept.text(QStringLiteral("HotSpot")));
        }
    }
    QFile freshClick(made.filePath(QStringLiteral("click.wav")));
    QFile keptClick(committed.filePath(QStringLiteral("click.wav")));
    ASSERT_TRUE(freshClick.open(QIODevice::ReadOnly));
    ASSERT_TRUE(keptClick.open(QIODevice::ReadOnly));
    EXPECT_EQ(freshClick.readAll(), keptClick.readAll());
}

} // namespace
} // namespace qv
