#include "shell/speedbuttons.h"

#include <array>

namespace qv {
namespace {

using enum SpeedButton;

constexpr std::array<SpeedButtonInfo, SpeedButtonCount> table{{
    {sbOpen, "sbOpen", "Open existing file"},
    {sbSave, "sbSave", "Save File"},
    {sbExit, "sbExit", "Exit"},
    {sbNew, "sbNew", "Create new file"},
    {sbClose, "sbClose", "Close File"},
    {sbPrint, "sbPrint", "Press to Print"},
    {sbpreview, "sbpreview", "Preview"},
    {sbundo, "sbundo", "Undo"},
    {sbredraw, "sbredraw", "Refresh screen"},
    {sbText, "sbText", "Text mode"},
    {sbMusic, "sbMusic", "Music (enter) mode"},
    {sbLine, "sbLine", "Line mode"},
    {sbcurve, "sbcurve", "Curve mode"},
    {sbHairpin, "sbHairpin", "Hairpin mode"},
    {sbsymbol, "sbsymbol", "Symbol mode"},
    {sbdraw, "sbdraw", "General drawing tools"},
    {sbEdit, "sbEdit", "Edit Mode"},
    {sbLeft, "sbLeft", "Previous object"},
    {sbright, "sbright", "Next object"},
    {sbattrib, "sbattrib", "Change object or stave attributes"},
    {sbdelete, "sbdelete", "Delete this object"},
    {sbdelstave, "sbdelstave", "Delete this stave"},
    {sbcomplete, "sbcomplete", "Complete Object"},
    {sbPgUp, "sbPgUp", "Previous page"},
    {sbPgDn, "sbPgDn", "Next page"},
    {sbfont, "sbfont", "Change text font"},
    {sbfavfont, "sbfavfont", "Select favourite font"},
    {sbheadfoot, "sbheadfoot", "Define Footer/Header"},
    {sbcloseHF, "sbcloseHF", "Close Header/Footer"},
    {sbstrings, "sbstrings", "Show objects and which stave they are attached to"},
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

QString speedButtonIconPath(SpeedButton id) {
    return QStringLiteral(":/shell/icons/%1.png").arg(QLatin1String(speedButtonInfo(id).name));
}

QIcon speedButtonIcon(SpeedButton id) {
    // Both sizes are named, so the icon never depends on Qt finding the "@2x" twin.
    const QString base = QStringLiteral(":/shell/icons/%1").arg(QLatin1String(speedButtonInfo(id).name));
    QIcon icon;
    icon.addFile(base + QStringLiteral(".png"), QSize(24, 24));
    icon.addFile(base + QStringLiteral("@2x.png"), QSize(48, 48));
    return icon;
}

} // namespace qv
