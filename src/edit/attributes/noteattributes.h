#pragma once
// The note dialog's model ("Note Attributes", "Rest attributes"): the values it shows
// and the results it gives, for one note or rest or for the notes of a marked block.
// A value of NoChange stands for "No change" (a block whose notes differ) or a grey
// check box; a block leaves those values alone.

#include "model/scoreobject.h"
#include "model/stave.h"

#include <bitset>
#include <vector>
#include <string>

namespace qv {

inline constexpr int NoChange = -1;

inline const char* const ManyStylesMessage = "Cannot change many source styles";

enum TieChoice : int { TieNone = 0, TieOverhand = 1, TieUnderhand = 2 };

struct NoteAttributes {
    bool rest = false;
    bool block = false; // the dialog serves a marked block
    int language = 0;   // duration names: 0 British, 1 American
    int duration = 0;   // 0..7
    int dots = 0;       // 0..3
    int accent = 0;     // 0, 1
    int staccato = 0;   // 0 none, 1 staccato, 2 staccatissimo
    int stem = 0;       // the stored code: 0 up, 1 down, 3 auto, 2 none
    int beam = 0;       // "&Beam back" ticked; for a block "Beam together"
    int style = 0;      // 0..4
    int tie = TieNone;
    int stemLength = 0; // -2..9
    bool keepStemLength = false; // "Don't chan&ge": each note keeps its own
    bool manyStyles = false;     // the block's notes have different head styles
    bool setDefault = false;     // closed with "Set De&fault"

    std::string caption() const { return rest ? "Rest attributes" : "Note Attributes"; }
};

// The dialog opened on one note or rest.
NoteAttributes noteAttributesOf(const ScoreObject& note, int language);
// The dialog opened on the notes (not rests) marked on staves of the block; values
// the notes share are shown, others are NoChange; "Beam together" starts grey.
NoteAttributes blockNoteAttributes(const std::vector<ScoreObject>& notes, int language);

// The note's glyph after a change of duration, stem or head style.
void refreshNoteGlyph(ScoreObject& note);

// Applies the dialog's results to the note or rest `note` that is (or, for the
// provisional note, will be) object `index` of `stave`: ties and the beam back link
// are made or cut both ways with the earlier notes of the stave. With
// `resolveAutoStem` an automatic stem is settled up or down by the note's position,
// as a stored note's stem always is.
void applyNoteResults(Stave& stave, int index, ScoreObject& note, const NoteAttributes& a, bool resolveAutoStem);

// Applies a block's results to every marked note (not rest) of `stave`.
void applyBlockNoteResults(Stave& stave, const std::bitset<256>& marked, const NoteAttributes& a);

} // namespace qv
