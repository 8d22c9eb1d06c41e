#pragma once
// The model of the "Stave Attributes and System Construction" dialog: the binding
// flags of one stave as its controls show them, and which controls are offered.
// The window shows it through Ui::runBindingDialog; OK applies the flags.
//
// Controls and the flags they stand for:
//   "Current Stave" (rgConn): "Do &Not join to next" / "&Join to next"   joinToNext
//   "Type of binding": "With &brace" (cbcurly)                            brace
//                      "Bar &line through" (cbBarline)                    barLineThrough
//                      "&Full end bar" (cbendbar)                         fullEndBar
//                      "With b&racket" (cbBracket)                        bracket
//                      "Bracket &with next" (cbbrackdown)                 bracketWithNext
//   "Other": "&Page break after stave" (cbpagebreak)                      ForcedBk
//            "&Invisible" (cbinvisible)                                   invisible

#include "layout/staves.h"

namespace qv {

class BindingDialog {
  public:
    static constexpr const char* Caption = "Stave Attributes and System Construction";
    static constexpr const char* PageBreakHint = "Tick to make a forced page break after this stave";

    BindingDialog(const Score& score, int stave)
        : flags(BindingFlags::of(score.stave(stave))), stave_(stave), last_(stave >= score.Nstaves) {}

    BindingFlags flags; // what the controls show; the user changes these

    int stave() const { return stave_; }
    // The last stave has nothing to join to: "Current Stave" is not offered there.
    bool joinOffered() const { return !last_; }
    // Brace, bar line through and bracket with next bind the stave to the next one
    // and are offered only while it is joined.
    bool joinedControlsEnabled() const { return !last_ && flags.joinToNext; }

  private:
    int stave_;
    bool last_;
};

} // namespace qv
