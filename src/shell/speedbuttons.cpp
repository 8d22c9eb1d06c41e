#include "shell/speedbuttons.h"

#include <QImage>
#include <QPixmap>

#include <array>

namespace qv {
namespace {

using enum SpeedButton;

constexpr std::array<SpeedButtonInfo, SpeedButtonCount> table{{
    {sbOpen, "sbOpen", "Open existing file",
     "Opens a Quaverly or NoteWorthy 2 score; only while no score is open."},
    {sbSave, "sbSave", "Save File",
     "Saves the score under its own name, keeping the previous file as a backup."},
    {sbExit, "sbExit", "Exit", "Closes the program, asking first about a score that has not been saved."},
    {sbNew, "sbNew", "Create new file", "Starts a new empty score, from a template if you choose one."},
    {sbClose, "sbClose", "Close File",
     "Closes the score, asking first if it has changes that are not saved."},
    {sbPrint, "sbPrint", "Press to Print", "Prints pages of the score on the chosen printer."},
    {sbpreview, "sbpreview", "Preview",
     "Shows the pages side by side as they will be printed; Esc returns to the score."},
    {sbundo, "sbundo", "Undo", "Takes back the last change to the score."},
    {sbredraw, "sbredraw", "Refresh screen", "Draws the page again from the score."},
    {sbText, "sbText", "Text mode", "Click where the text goes and type it; Esc ends the text."},
    {sbMusic, "sbMusic", "Music (enter) mode",
     "Notes, rests and signs are typed from the keyboard at the cursor on the purple stave."},
    {sbLine, "sbLine", "Line mode", "Click where a line starts and again where it ends."},
    {sbcurve, "sbcurve", "Curve mode", "Click the anchor points of a slur or phrase mark one after another."},
    {sbHairpin, "sbHairpin", "Hairpin mode", "Click where a hairpin starts and again where it ends."},
    {sbsymbol, "sbsymbol", "Symbol mode",
     "Opens the palette of dynamics, ornaments and other symbols to place on the page."},
    {sbdraw, "sbdraw", "General drawing tools",
     "Places rectangles, circles, ellipses and squares on the page."},
    {sbEdit, "sbEdit", "Edit Mode",
     "Chooses objects of the purple stave one at a time to change, move or delete them."},
    {sbLeft, "sbLeft", "Previous object", "In Edit mode, chooses the object before the one highlighted."},
    {sbright, "sbright", "Next object", "In Edit mode, chooses the object after the one highlighted."},
    {sbattrib, "sbattrib", "Change object or stave attributes",
     "Opens the attributes of the chosen object, or of the stave when nothing is chosen."},
    {sbdelete, "sbdelete", "Delete this object", "In Edit mode, deletes the highlighted object."},
    {sbdelstave, "sbdelstave", "Delete this stave",
     "Deletes the purple stave with everything on it; there must be another stave left."},
    {sbcomplete, "sbcomplete", "Complete Object",
     "Puts the grey object being entered into the score, as Enter does."},
    {sbPgUp, "sbPgUp", "Previous page", "Shows the page before this one."},
    {sbPgDn, "sbPgDn", "Next page", "Shows the page after this one."},
    {sbfont, "sbfont", "Change text font", "Chooses the font that new text is written in."},
    {sbfavfont, "sbfavfont", "Select favourite font",
     "Makes one of your favourite fonts the font for new text."},
    {sbheadfoot, "sbheadfoot", "Define Footer/Header",
     "Opens the screen on which the headers and footers of every page are written."},
    {sbcloseHF, "sbcloseHF", "Close Header/Footer",
     "Closes the header and footer screen and returns to the page shown before."},
    {sbstrings, "sbstrings", "Show objects and which stave they are attached to",
     "While you hold it down, lines join each object to the stave it belongs to."},
}};

// The table is indexed by the enum; a reordering of either shows up at compile time.
constexpr bool tableFollowsEnum() {
    for (int i = 0; i < SpeedButtonCount; ++i)
        if (static_cast<int>(table[i].id) != i) return false;
    return true;
}
static_assert(tableFollowsEnum());

} // namespace

std::span<const SpeedButtonInfo> speedButtons() {
    return table;
}

const SpeedButtonInfo& speedButtonInfo(SpeedButton id) {
    return table.at(static_cast<std::size_t>(id));
}

QString speedButtonExplanation(SpeedButton id) {
    const SpeedButtonInfo& info = speedButtonInfo(id);
    return QStringLiteral("%1.\n\n%2").arg(QString::fromUtf8(info.hint), QString::fromUtf8(info.more));
}

QString speedButtonIconPath(SpeedButton id) {
    return QStringLiteral(":/shell/icons/%1.png").arg(QLatin1String(speedButtonInfo(id).name));
}

QPixmap fadedPixmap(const QPixmap& normal) {
    // Grey, lightened towards white and mostly transparent: a disabled button reads
    // as disabled at a glance, not as a slightly greyer enabled one.
    QImage image = normal.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 255 - (255 - qGray(row[x])) * 2 / 5;
            row[x] = qRgba(grey, grey, grey, qAlpha(row[x]) * 2 / 5);
        }
    }
    QPixmap faded = QPixmap::fromImage(image);
    faded.setDevicePixelRatio(normal.devicePixelRatio());
    return faded;
}

QIcon speedButtonIcon(SpeedButton id) {
    // Both sizes are named, so the icon never depends on Qt finding the "@2x" twin.
    const QString base = QStringLiteral(":/shell/icons/%1").arg(QLatin1String(speedButtonInfo(id).name));
    QIcon icon;
    for (const QString& file : {base + QStringLiteral(".png"), base + QStringLiteral("@2x.png")}) {
        const QPixmap normal(file);
        icon.addPixmap(normal, QIcon::Normal);
        icon.addPixmap(fadedPixmap(normal), QIcon::Disabled);
    }
    return icon;
}

} // namespace qv
