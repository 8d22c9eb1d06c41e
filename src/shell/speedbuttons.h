#pragma once
// The buttons of the frame's speed bar: their names, the hints shown over them and
// their icons (compiled in under ":/shell/icons", 24 x 24 with a 48 x 48 twin).

#include <QIcon>

#include <span>

namespace qv {

// In the order the speed bar shows them.
enum class SpeedButton {
    sbOpen,
    sbSave,
    sbExit,
    sbNew,
    sbClose,
    sbPrint,
    sbpreview,
    sbundo,
    sbredraw,
    sbText,
    sbMusic,
    sbLine,
    sbcurve,
    sbHairpin,
    sbsymbol,
    sbdraw,
    sbEdit,
    sbLeft,
    sbright,
    sbattrib,
    sbdelete,
    sbdelstave,
    sbcomplete,
    sbPgUp,
    sbPgDn,
    sbfont,
    sbfavfont,
    sbheadfoot,
    sbcloseHF,
    sbstrings,
};

inline constexpr int SpeedButtonCount = static_cast<int>(SpeedButton::sbstrings) + 1;

struct SpeedButtonInfo {
    SpeedButton id;
    const char* name; // the control's name, also the icon's file name without ".png"
    const char* hint; // the tooltip
    const char* more; // what "&Please explain this!" adds to the hint
};

// The hint followed by a sentence more: the button's What's This text.
QString speedButtonExplanation(SpeedButton id);

// Every button, in the order of the enum.
std::span<const SpeedButtonInfo> speedButtons();
const SpeedButtonInfo& speedButtonInfo(SpeedButton id);

// The button's icon at 24 x 24, with the 48 x 48 drawing for high-density screens.
// Needs a QGuiApplication.
QIcon speedButtonIcon(SpeedButton id);

// The drawing a disabled button shows: `normal` in light grey, mostly transparent.
QPixmap fadedPixmap(const QPixmap& normal);

// Where the icon's 24 x 24 image lives in the resources; the 48 x 48 one has "@2x"
// before the extension.
QString speedButtonIconPath(SpeedButton id);

} // namespace qv
