#pragma once
// What the score window asks of the main frame that holds it: the speed bar, the
// mode label, the status line, the defaults panel, the caption, the recent files
// and the click.

#include "edit/toolstate.h"

#include <QColor>
#include <QString>

namespace qv {

class FrameLink {
  public:
    virtual ~FrameLink() = default;
    virtual void showTools(const ToolState& tools) = 0;
    virtual void showModeLabel(const QString& text, const QColor& colour) = 0;
    virtual void showStatus(const QString& text) = 0;
    virtual void playClick() = 0;
    // The defaults panel: the default duration, stem and style of Music mode.
    virtual void showDefaults(const QString& /*text*/) {}
    // The score's file name (without its folder) and whether it has unsaved changes,
    // for the frame's caption.
    virtual void showScoreCaption(const QString& /*name*/, bool /*modified*/) {}
    // A save named the score afresh: the recent files changed under the frame.
    virtual void recentFilesChanged() {}
};

} // namespace qv
