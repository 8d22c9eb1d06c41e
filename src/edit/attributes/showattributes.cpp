#include "edit/attributes/showattributes.h"

#include "edit/attributes/clefattributes.h"
#include "edit/attributes/keysigattributes.h"
#include "edit/attributes/noteattributes.h"
#include "edit/attributes/singleattributes.h"
#include "edit/attributes/textattributes.h"
#include "edit/currentobject.h"
#include "edit/musicentry.h"
#include "edit/stavecommands.h"
#include "layout/tidystave.h"
#include "model/ui.h"

namespace qv {

namespace {

// The object the dialog is for, its stave and the index it has (or, for the
// provisional object, will have) there.
struct Target {
    ScoreObject* object = nullptr;
    int stave = 0;
    int index = 0;
    bool provisional = false;
};

Target targetOf(EditSession& session) {
    Editor& ed = session.editor;
    Score& score = session.score;
    const int s = ed.currentStave();
    if (s < 1 || s > score.Nstaves) return {};
    if (ed.mode == ModeMusic && score.provisional.present)
        return {&score.provisional.object, s, score.stave(s).Nobjec + 1, true};
    if (ed.mode == ModeEdit) {
        if (ScoreObject* o = currentObject(session)) return {o, s, ed.currentObject, false};
    }
    return {};
}

// Runs the dialog of the working copy's kind; true when it was accepted.
bool runDialog(EditSession& session, ScoreObject& work, NoteAttributes& note) {
    Ui& ui = session.ui;
    switch (work.kind()) {
    case ObjectKind::Note: return ui.runNoteAttributes(note);
    case ObjectKind::Clef:
    case ObjectKind::Accidental: {
        ClefAttributes a = clefAttributesOf(work);
        if (!ui.runClefAttributes(a)) return false;
        applyClefAttributes(work, a);
        return true;
    }
    case ObjectKind::KeySignature: {
        KeysigAttributes a = keysigAttributesOf(work.keyCount());
        if (!ui.runKeysigAttributes(a)) return false;
        applyKeysigAttributes(work, a);
        return true;
    }
    default: {
        if (!singleDialogKind(work.kind())) return false;
        SingleAttributes a = singleAttributesOf(work);
        if (!ui.runSingleAttributes(a)) return false;
        applySingleAttributes(work, a);
        return true;
    }
    }
}

// "Set De&fault": new notes take the dialog's duration, dots, stem, marks and style.
void setDefaultNote(EditSession& session, const NoteAttributes& a) {
    ScoreObject& d = session.editor.defaultNote;
    d.setDuration(a.duration);
    d.setDots(a.dots);
    d.setStem(a.stem);
    d.setAccent(a.accent != 0);
    d.setStaccato(a.staccato);
    d.setHeadStyle(a.style);
    session.host.showDefaults(defaultsText(d, session.settings.options.Language));
}

// A curve's points share their thickness and dotted flag.
void spreadOverCurve(Stave& s, int index) {
    const ScoreObject& from = s.object(index);
    auto walk = [&](int i, bool forward) {
        for (int guard = 0; i >= 1 && i <= s.Nobjec && guard < ObjectSlots; ++guard) {
            ScoreObject& p = s.object(i);
            if (!p.is(ObjectKind::CurvePoint)) return;
            p.setCurveThickness(from.curveThickness());
            p.setCurveDotted(from.curveDotted());
            i = forward ? p.curveNext() : p.curvePrev();
        }
    };
    walk(from.curveNext(), true);
    walk(from.curvePrev(), false);
}

void showChange(EditSession& session, const Target& t) {
    ModeHost& host = session.host;
    if (t.provisional) {
        host.drawStave(t.stave, true);
        host.setProvisionalMark(true);
        refreshTools(session);
    } else {
        host.drawStave(t.stave, true);
        host.setCurrentObjectMark(true);
    }
}

std::vector<ScoreObject> markedOfKind(const Score& score, const BlockState& block, ObjectKind kind) {
    std::vector<ScoreObject> found;
    for (int s = block.first; s >= 1 && s <= block.last && s <= score.Nstaves; ++s) {
        const Stave& st = score.stave(s);
        for (int i = 1; i <= st.Nobjec && i < ObjectSlots; ++i) {
            const ScoreObject& o = st.object(i);
            if (!score.marked[static_cast<std::size_t>(s)].test(static_cast<std::size_t>(i)) || !o.is(kind)) continue;
            if (kind == ObjectKind::Note && o.isRest()) continue;
            found.push_back(o);
        }
    }
    return found;
}

// Asks the block's dialog of `kind`; on OK `apply` changes each stave of the block.
template <typename Ask, typename Apply> bool blockDialog(EditSession& session, Ask ask, Apply apply) {
    Score& score = session.score;
    const BlockState& block = session.editor.block;
    if (!ask()) return false;
    score.undo.pushStaveRange(score, block.first, UndoStaveRange, block.last - block.first + 1);
    for (int s = block.first; s <= block.last; ++s) {
        apply(s);
        StaveChanged(score, s);
    }
    score.modified = true;
    return true;
}

bool dialogKind(ObjectKind kind) {
    return kind == ObjectKind::Note || kind == ObjectKind::Clef || kind == ObjectKind::Accidental ||
           kind == ObjectKind::KeySignature || singleDialogKind(kind);
}

} // namespace

void ShowAttributes(EditSession& session) {
    Editor& ed = session.editor;
    if (ed.mode == ModeMusic && !session.score.provisional.present) return bindingDialog(session);
    const Target t = targetOf(session);
    if (!t.object) return;
    const ObjectKind kind = t.object->kind();
    // Texts have their own dialog, which records its own undo.
    if (kind == ObjectKind::ShortText || kind == ObjectKind::LongText) return textAttributes(session);
    if (!dialogKind(kind)) return;

    ScoreObject work = *t.object;
    NoteAttributes note = noteAttributesOf(work, session.settings.options.Language);
    if (!runDialog(session, work, note)) return; // cancelled: the copy is forgotten

    Score& score = session.score;
    Stave& stave = score.stave(t.stave);
    // The provisional object is not on the stave yet; its links may still change the
    // notes before it, so the stave is recorded for undo only when they do.
    Stave changed = stave;
    if (kind == ObjectKind::Note) {
        applyNoteResults(changed, t.index, work, note, !t.provisional);
        if (note.setDefault) setDefaultNote(session, note);
    }
    if (t.provisional) {
        session.host.setProvisionalMark(false);
        if (!(changed == stave)) score.undo.pushStave(score, t.stave, UndoStave);
        stave = changed;
        *t.object = work;
    } else {
        // Edit mode recorded the stave for undo when the edit began.
        session.host.setCurrentObjectMark(false);
        stave = changed;
        stave.object(t.index) = work;
        if (kind == ObjectKind::CurvePoint) {
            spreadOverCurve(stave, t.index);
            ed.drawing.dotted = work.curveDotted(); // the next curve drawn starts so
        }
        score.modified = true;
    }
    showChange(session, t);
}

bool blockAttributes(EditSession& session, ObjectKind kind) {
    Score& score = session.score;
    const BlockState& block = session.editor.block;
    if (!block.any()) return false;
    const std::vector<ScoreObject> marked = markedOfKind(score, block, kind);
    if (marked.empty()) return false;
    auto each = [&](auto change) { return [&score, &block, kind, change](int s) {
        Stave& st = score.stave(s);
        for (int i = 1; i <= st.Nobjec && i < ObjectSlots; ++i)
            if (score.marked[static_cast<std::size_t>(s)].test(static_cast<std::size_t>(i)) && st.object(i).is(kind))
                change(st.object(i));
    }; };
    switch (kind) {
    case ObjectKind::Note: {
        NoteAttributes a = blockNoteAttributes(marked, session.settings.options.Language);
        return blockDialog(session, [&] { return session.ui.runNoteAttributes(a); }, [&](int s) {
            applyBlockNoteResults(score.stave(s), score.marked[static_cast<std::size_t>(s)], a);
        });
    }
    case ObjectKind::Clef:
    case ObjectKind::Accidental: {
        ClefAttributes a = blockClefAttributes(marked, kind == ObjectKind::Accidental);
        return blockDialog(session, [&] { return session.ui.runClefAttributes(a); },
                           each([&a](ScoreObject& o) { applyClefAttributes(o, a); }));
    }
    case ObjectKind::KeySignature: {
        KeysigAttributes a = blockKeysigAttributes(marked);
        return blockDialog(session, [&] { return session.ui.runKeysigAttributes(a); },
                           each([&a](ScoreObject& o) { applyKeysigAttributes(o, a); }));
    }
    default: {
        if (!singleDialogKind(kind)) return false;
        SingleAttributes a = blockSingleAttributes(marked, kind);
        return blockDialog(session, [&] { return session.ui.runSingleAttributes(a); },
                           each([&a](ScoreObject& o) { applySingleAttributes(o, a); }));
    }
    }
}

} // namespace qv
