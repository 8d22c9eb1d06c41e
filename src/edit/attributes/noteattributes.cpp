#include "edit/attributes/noteattributes.h"

#include "model/staveops.h"
#include "render/glyphcatalogue.h"

#include <vector>

namespace qv {

namespace {

bool validIndex(const Stave& s, int i) { return i >= 1 && i <= s.Nobjec && i < ObjectSlots; }

int tieOf(const ScoreObject& n) {
    if (n.tiedFrom() == 0) return TieNone;
    return n.tieOverhand() ? TieOverhand : TieUnderhand;
}

// The value every note shares, or NoChange when they differ.
template <typename Get> int common(const std::vector<ScoreObject>& notes, Get get) {
    if (notes.empty()) return NoChange;
    const int first = get(notes.front());
    for (const ScoreObject& n : notes)
        if (get(n) != first) return NoChange;
    return first;
}

// The nearest earlier note (smaller x, not `self`) that `fits`; 0 for none.
template <typename Fits> int nearestEarlier(const Stave& s, int self, int x, Fits fits) {
    int best = 0;
    for (int i = 1; i <= s.Nobjec && i < ObjectSlots; ++i) {
        const ScoreObject& o = s.object(i);
        if (i == self || !o.isNote() || o.x() >= x || !fits(o)) continue;
        if (best == 0 || o.x() > s.object(best).x()) best = i;
    }
    return best;
}

void cutBeamBack(Stave& s, ScoreObject& n) {
    if (validIndex(s, n.beamBack())) s.object(n.beamBack()).setBeamForward(0);
    n.setBeamBack(0);
}

void cutBeamForward(Stave& s, ScoreObject& n) {
    if (validIndex(s, n.beamForward())) s.object(n.beamForward()).setBeamBack(0);
    n.setBeamForward(0);
}

// The slot a provisional note will take holds its place, so that a link to it can be drawn.
void holdPlace(Stave& s, int index, const ScoreObject& n) {
    if (index == s.Nobjec + 1 && index <= MaxObjects) {
        s.object(index).setX(n.x());
        s.object(index).setY(n.y());
    }
}

void applyTie(Stave& s, int index, ScoreObject& n, int tie) {
    if (tie == NoChange) return;
    if (tie == TieNone) {
        if (n.tiedFrom() != 0 && validIndex(s, n.tiedFrom())) s.object(n.tiedFrom()).setTiedTo(0);
        n.setTiedFrom(0);
        return;
    }
    n.setTieOverhand(tie == TieOverhand);
    // A provisional note on a full stave will not be stored: nothing may point at it.
    if (n.tiedFrom() != 0 || index > MaxObjects) return;
    const int found = nearestEarlier(s, index, n.x(),
                                     [&](const ScoreObject& o) { return o.staffPosition() == n.staffPosition(); });
    if (found == 0) return;
    n.setTiedFrom(found);
    s.object(found).setTiedTo(index);
    holdPlace(s, index, n);
}

void applyBeamBack(Stave& s, int index, ScoreObject& n, bool ticked) {
    if (!ticked) return cutBeamBack(s, n);
    if (n.beamBack() != 0 || n.duration() < 4 || index > MaxObjects) return;
    const int stem = effectiveStem(n);
    const int partner = nearestEarlier(s, index, n.x(), [&](const ScoreObject& o) {
        return o.duration() >= 4 && effectiveStem(o) == stem && o.beamForward() == 0 && o.headStyle() == n.headStyle();
    });
    if (partner == 0) return;
    n.setBeamBack(partner);
    s.object(partner).setBeamForward(index);
    holdPlace(s, index, n);
}

void setStem(ScoreObject& n, int stem, bool resolveAutoStem) {
    n.setStem(stem);
    if (resolveAutoStem && stem == StemAuto) n.setStem(effectiveStem(n));
}

// The values that need no neighbour: what a block sets on each of its notes too.
void applyPlainValues(ScoreObject& n, const NoteAttributes& a) {
    if (a.duration != NoChange) n.setDuration(a.duration);
    if (a.dots != NoChange) n.setDots(a.dots);
    if (n.isRest()) return;
    if (a.accent != NoChange) n.setAccent(a.accent != 0);
    if (a.staccato != NoChange) n.setStaccato(a.staccato);
    if (!a.keepStemLength && a.stemLength != NoChange) n.setStemExtra(a.stemLength);
}

} // namespace

NoteAttributes noteAttributesOf(const ScoreObject& n, int language) {
    NoteAttributes a;
    a.language = language;
    a.rest = n.isRest();
    a.duration = n.duration();
    a.dots = n.dots();
    a.accent = n.accent() ? 1 : 0;
    a.staccato = n.staccato();
    a.stem = n.stem();
    a.beam = n.beamBack() != 0 ? 1 : 0;
    a.style = n.headStyle();
    a.tie = tieOf(n);
    a.stemLength = n.stemExtra();
    return a;
}

NoteAttributes blockNoteAttributes(const std::vector<ScoreObject>& notes, int language) {
    NoteAttributes a;
    a.language = language;
    a.block = true;
    a.duration = common(notes, [](const ScoreObject& n) { return n.duration(); });
    a.dots = common(notes, [](const ScoreObject& n) { return n.dots(); });
    a.accent = common(notes, [](const ScoreObject& n) { return n.accent() ? 1 : 0; });
    a.staccato = common(notes, [](const ScoreObject& n) { return n.staccato(); });
    a.stem = common(notes, [](const ScoreObject& n) { return n.stem(); });
    a.beam = NoChange;
    a.style = common(notes, [](const ScoreObject& n) { return n.headStyle(); });
    a.manyStyles = a.style == NoChange;
    a.tie = common(notes, tieOf);
    a.stemLength = common(notes, [](const ScoreObject& n) { return n.stemExtra(); });
    a.keepStemLength = a.stemLength == NoChange;
    if (a.stemLength == NoChange) a.stemLength = 0;
    return a;
}

void refreshNoteGlyph(ScoreObject& n) {
    n.setSymbolCode(n.isRest() ? SymbolSelf : NoteGlyphTable(n.duration(), n.stem(), n.headStyle()));
}

void applyNoteResults(Stave& s, int index, ScoreObject& n, const NoteAttributes& a, bool resolveAutoStem) {
    if (!n.isRest()) {
        // Stem and head style come first: a beam partner must share them.
        if (a.stem != NoChange) setStem(n, a.stem, resolveAutoStem);
        if (a.style != NoChange && !a.manyStyles) n.setHeadStyle(a.style);
        applyTie(s, index, n, a.tie);
    }
    applyPlainValues(n, a);
    if (!n.isRest()) {
        if (n.duration() < 4) {
            // A crotchet or longer cannot be beamed.
            cutBeamBack(s, n);
            cutBeamForward(s, n);
        } else if (a.beam != NoChange) {
            applyBeamBack(s, index, n, a.beam != 0);
        }
    }
    refreshNoteGlyph(n);
}

void applyBlockNoteResults(Stave& s, const std::bitset<256>& marked, const NoteAttributes& a) {
    std::vector<int> notes;
    for (int i = 1; i <= s.Nobjec && i < ObjectSlots; ++i)
        if (marked.test(static_cast<std::size_t>(i)) && s.object(i).isNote()) notes.push_back(i);
    NoteAttributes each = a;
    each.beam = NoChange; // beams are joined or cut for the block as a whole below
    for (int i : notes)
        applyNoteResults(s, i, s.object(i), each, true);
    if (a.beam == NoChange) return;
    // Every short note lets go of its beams; ticked, they are chained in index order,
    // the stems-up notes and the stems-down notes separately.
    std::vector<int> shortNotes;
    for (int i : notes)
        if (s.object(i).duration() >= 4) shortNotes.push_back(i);
    for (int i : shortNotes) {
        cutBeamBack(s, s.object(i));
        cutBeamForward(s, s.object(i));
    }
    if (a.beam == 0) return;
    for (int stem : {int(StemUp), int(StemDown)}) {
        int previous = 0;
        for (int i : shortNotes) {
            if (effectiveStem(s.object(i)) != stem) continue;
            if (previous != 0) {
                s.object(i).setBeamBack(previous);
                s.object(previous).setBeamForward(i);
            }
            previous = i;
        }
    }
}

} // namespace qv
