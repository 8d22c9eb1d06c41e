#include "transpose/transposedialog.h"

#include "layout/pagination.h"
#include "model/score.h"
#include "model/ui.h"

#include <algorithm>
#include <cstdlib>

namespace qv {

namespace {

// The clef lines of the confirmation, in the clef types' order.
constexpr std::array<const char*, 4> ClefLines{
    "\n\n  all clef(s) changed to Treble (G)",
    "\n\n  all clef(s) changed to Bass (F)",
    "\n\n  all clef(s) changed to Alto (C)",
    "\n\n  all clef(s) changed to Tenor (C)",
};

// How the confirmation names the staves of each extent.
constexpr std::array<const char*, 3> ExtentNames{"this one stave", "this system", "the whole score"};

bool yes(Ui& ui, const std::string& question) {
    return ui.message(MessageType::Confirmation, question, ButtonYes | ButtonNo) == ButtonYes;
}

} // namespace

const std::array<const char*, TransposeDialog::IntervalCount>& TransposeDialog::intervals() {
    static constexpr std::array<const char*, IntervalCount> captions{
        "One octave up",
        "Major 7th up",
        "Minor 7th up",
        "Major 6th up",
        "Minor 6th up",
        "Perfect 5th up",
        "Augmented 4th (tritone) up",
        "Perfect 4th up",
        "Major 3rd up",
        "Minor 3rd up",
        "Major 2nd up (1 tone)",
        "Minor 2nd up (semitone)",
        "Unison",
        "Minor 2nd down (semitone)",
        "Major 2nd down (1 tone)",
        "Minor 3rd down",
        "Major 3rd down",
        "Perfect 4th down",
        "Augmented 4th (tritone) down",
        "Perfect 5th down",
        "Minor 6th down",
        "Major 6th down",
        "Minor 7th down",
        "Major 7th down",
        "Octave down",
    };
    return captions;
}

const std::array<const char*, 3>& TransposeDialog::extentCaptions() {
    static constexpr std::array<const char*, 3> captions{"&Current stave", "This s&ystem", "&Whole score"};
    return captions;
}

const std::array<const char*, 5>& TransposeDialog::clefCaptions() {
    static constexpr std::array<const char*, 5> captions{
        "&No change", "To treble (&G) clef", "To bass (&F) clef", "To &Alto (C) clef", "To &Tenor (C) clef"};
    return captions;
}

const char* TransposeDialog::explanation() {
    return "Interval, or Distance and Direction: how far the music moves, one semitone at a time, up to an "
           "octave up or down. Choosing an interval sets the distance, and the other way round.\n\n"
           "Extent: the current (purple) stave, the staves of its system, or every stave of the score.\n\n"
           "Clef Change: gives the current stave the chosen clef and moves its notes so that they sound as "
           "before. It works on one stave at a time.\n\n"
           "Adjust stem directions: every note gets its stem afresh, down above the middle line and up "
           "otherwise; the notes of a beamed group all go one way, down when they lie above the middle "
           "line on the whole. Chords may end up with stems both ways.\n\n"
           "Worth knowing:\n"
           "- Every stave transposed needs a key signature before its first note or accidental, even in C "
           "major.\n"
           "- Twelve semitones is an octave shift: the notes move by an octave, key signatures and chord "
           "names stay as they are.\n"
           "- Only texts marked Transposable (chord names such as Am7) are respelt.\n"
           "- Notes placed as symbols from the palette are not transposed.\n"
           "- One Undo takes the whole transposition back.";
}

TransposeDialog::TransposeDialog(const Score& score, int currentStave, Ui& ui)
    : score_(score), ui_(ui), stave_(currentStave) {}

void TransposeDialog::chooseInterval(int entry) {
    setDistance(MaxDistance - entry);
}

void TransposeDialog::setDistance(int semitones) {
    distance_ = std::clamp(semitones, -MaxDistance, MaxDistance);
}

void TransposeDialog::refuseClefWithSeveralStaves() {
    if (!clef_ || extent_ == TransposeExtent::CurrentStave) return;
    showWarning(ui_, OneStaveWithClefChange);
    extent_ = TransposeExtent::CurrentStave;
}

void TransposeDialog::chooseExtent(TransposeExtent extent) {
    extent_ = extent;
    refuseClefWithSeveralStaves();
}

void TransposeDialog::chooseClef(std::optional<int> target) {
    const bool known = target && *target >= ClefTreble && *target <= ClefTenor;
    clef_ = known ? target : std::nullopt;
    refuseClefWithSeveralStaves();
}

int TransposeDialog::firstStave() const {
    switch (extent_) {
    case TransposeExtent::CurrentStave: return stave_;
    case TransposeExtent::ThisSystem: return SystemExtent(score_, stave_).first;
    case TransposeExtent::WholeScore: break;
    }
    return 1;
}

int TransposeDialog::lastStave() const {
    switch (extent_) {
    case TransposeExtent::CurrentStave: return stave_;
    case TransposeExtent::ThisSystem: return SystemExtent(score_, stave_).last;
    case TransposeExtent::WholeScore: break;
    }
    return score_.Nstaves;
}

std::string TransposeDialog::confirmation() const {
    const int steps = std::abs(distance_);
    std::string text = std::string("You have chosen:\n\nTranspose ") +
                       ExtentNames[static_cast<std::size_t>(extent_)] + " by " + std::to_string(steps) +
                       " semitone" + (steps == 1 ? "" : "s") + " " + (distance_ > 0 ? "up" : "down");
    if (clef_) text += ClefLines[static_cast<std::size_t>(*clef_)];
    return text + (adjustStems ? "\n\nwith" : "\n\nwithout") + " automatic stem adjustments";
}

void TransposeDialog::doIt() {
    if (distance_ == 0 && !clef_ && !adjustStems) {
        showWarning(ui_, NoDistanceRefusal);
        return;
    }
    open_ = false;
    if (!yes(ui_, confirmation())) return;
    if (adjustStems && !yes(ui_, StemsQuestion)) return;
    chosen_ = TransposeRequest{distance_, firstStave(), lastStave(), clef_, adjustStems};
}

void TransposeDialog::explain() {
    ui_.captionedMessage(MessageType::Information, TransposeCaption, explanation());
}

void TransposeDialog::cancel() {
    open_ = false;
    chosen_.reset();
}

} // namespace qv
