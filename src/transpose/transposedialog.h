#pragma once
// The model of the "Transposing" dialog: how far, over which staves, to which clef
// and whether stems are set afresh; the questions of "&Do it!"; and the request it
// hands to the caller. The window shows it through Ui::runTransposeDialog.
//
// Controls and what they set:
//   "&Interval" (cbinterval)                  one of 25 intervals       distance 12 - entry
//   "Di&stance and Direction" (seDistance)    -12..12 semitones         entry 12 - distance
//   "Extent" (rgextent)                       current stave, this system, whole score
//   "Clef Change" (rgclef)                    no change, treble, bass, alto, tenor
//   "Adjust ste&m directions" (cbstemchange)  adjustStems
//   "&Do it!" (bbDoIt), "Explain", Cancel (Esc)

#include "transpose/transpose.h"

#include <array>
#include <optional>
#include <string>

namespace qv {

class Score;
class Ui;

inline const char* const TransposeCaption = "Transposing";
inline const char* const NoDistanceRefusal =
    "Aw, c'mon! I positively refuse to attempt to transpose by no distance at all, and no clef "
    "change, and no adjustment of stem direction. Be reasonable!";
inline const char* const OneStaveWithClefChange = "Only one stave allowed with clef change";
inline const char* const StemsQuestion =
    "You have chosen to re-align stems. This may be a dangerous thing to do.\n\nFor instance if you "
    "have chords on the stave you may end up with stems going in different directions.\n\nPlease confirm.";

// The radio buttons of "Extent", in their order.
enum class TransposeExtent : int { CurrentStave = 0, ThisSystem = 1, WholeScore = 2 };

class TransposeDialog {
  public:
    static constexpr int MaxDistance = 12; // semitones either way: one octave
    static constexpr int IntervalCount = 2 * MaxDistance + 1;

    // The captions of the interval list, octave up first; entry 12 is "Unison".
    static const std::array<const char*, IntervalCount>& intervals();
    // "Extent" in TransposeExtent order; "Clef Change" with "&No change" first,
    // then the clef types in their stored order (treble, bass, alto, tenor).
    static const std::array<const char*, 3>& extentCaptions();
    static const std::array<const char*, 5>& clefCaptions();
    // What "Explain" shows.
    static const char* explanation();

    // Opens on "Unison", the current stave, no clef change and stems left alone.
    TransposeDialog(const Score& score, int currentStave, Ui& ui);

    int distance() const { return distance_; }
    int interval() const { return MaxDistance - distance_; }
    // Each sets the other control; values beyond the ends are taken as the ends.
    void chooseInterval(int entry);
    void setDistance(int semitones);

    TransposeExtent extent() const { return extent_; }
    std::optional<int> clefTarget() const { return clef_; } // a ClefType, or no change
    // A clef change goes with the current stave alone: choosing either while the
    // other rules it out says so and falls back to the current stave.
    void chooseExtent(TransposeExtent extent);
    void chooseClef(std::optional<int> target);

    bool adjustStems = false;

    // The staves the extent covers, first..last.
    int firstStave() const;
    int lastStave() const;

    // The question "&Do it!" asks before anything happens.
    std::string confirmation() const;
    // "&Do it!": refuses to do nothing at all (the dialog stays open), otherwise asks
    // and closes; with every question answered Yes the request is chosen.
    void doIt();
    void explain();
    void cancel();

    bool isOpen() const { return open_; }
    // What to carry out once the dialog closed through "&Do it!" and its questions.
    const std::optional<TransposeRequest>& chosen() const { return chosen_; }

  private:
    void refuseClefWithSeveralStaves();

    const Score& score_;
    Ui& ui_;
    int stave_;
    int distance_ = 0;
    TransposeExtent extent_ = TransposeExtent::CurrentStave;
    std::optional<int> clef_;
    bool open_ = true;
    std::optional<TransposeRequest> chosen_;
};

} // namespace qv
