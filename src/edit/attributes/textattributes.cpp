#include "edit/attributes/textattributes.h"

#include "edit/setmode.h"
#include "edit/textentry.h"
#include "layout/tidystave.h"
#include "model/staveops.h"
#include "model/ui.h"

#include <bitset>
#include <vector>

namespace qv {

namespace {

struct MarkedText {
    int stave;
    int head;
};

// The attribute bits a text keeps whatever the dialog says: universal (on the
// header/footer stave every text is) and non-printing, which the dialog cannot show.
constexpr int KeptBits = TextUniversal | TextNonPrinting;

TriState boxOf(int bits, int bit) {
    return (bits & bit) ? TriState::Ticked : TriState::Clear;
}

int applyBox(int bits, int bit, TriState box) {
    if (box == TriState::Ticked) return bits | bit;
    if (box == TriState::Clear) return bits & ~bit;
    return bits;
}

// A text object's dialog: its whole text, its font and its boxes.
TextAttributes dialogFor(const Score& score, const Stave& stave, int index) {
    const ScoreObject& o = stave.object(index);
    TextAttributes d;
    d.font = score.fonts.font(o.fontNumber());
    if (o.is(ObjectKind::ShortText)) {
        d.text = o.shortText();
    } else {
        d.text = longTextOf(stave, index);
        d.setBits(o.textAttributes());
    }
    return d;
}

// The heads of the long texts marked in the block (their chunks come with them).
std::vector<MarkedText> markedTexts(const Score& score, const BlockState& block) {
    std::vector<MarkedText> texts;
    if (!block.any()) return texts;
    for (int s = block.first; s <= block.last; ++s) {
        const Stave& stave = score.stave(s);
        for (int i = 1; i <= stave.Nobjec; ++i) {
            const ScoreObject& o = stave.object(i);
            if (score.marked[static_cast<std::size_t>(s)].test(static_cast<std::size_t>(i)) &&
                o.is(ObjectKind::LongText) && !o.isContinuation())
                texts.push_back({s, i});
        }
    }
    return texts;
}

// Ticked when every text has the bit, clear when none has, grey when they differ.
TriState commonBox(const Score& score, const std::vector<MarkedText>& texts, int bit) {
    int with = 0;
    for (const MarkedText& t : texts)
        with += (score.stave(t.stave).object(t.head).textAttributes() & bit) ? 1 : 0;
    if (with == 0) return TriState::Clear;
    return with == static_cast<int>(texts.size()) ? TriState::Ticked : TriState::Grey;
}

// Several texts: the boxes that are not grey set or clear their bits, and a font
// chosen in the dialog goes to every text. The chains are written again with the
// same words so that every chunk carries the head's font and bits.
void applyToSeveral(Score& score, const std::vector<MarkedText>& texts, const TextAttributes& result,
                    Ui& ui) {
    const int font = result.fontChosen ? score.fonts.registerFont(result.font, ui) : 0;
    for (const MarkedText& t : texts) {
        Stave& stave = score.stave(t.stave);
        ScoreObject& head = stave.object(t.head);
        head.setTextAttributes(result.applyTo(head.textAttributes()));
        if (font != 0) head.setFontNumber(font);
        storeLongText(stave, t.head, longTextOf(stave, t.head), TextStoreContext::EditingText, ui);
    }
}

void typedTextAttributes(EditSession& session) {
    DrawingState& d = session.editor.drawing;
    TextAttributes dialog;
    dialog.text = d.textBuffer;
    dialog.font = textFont(session);
    dialog.setBits(d.textAttributes);
    if (!session.ui.runTextAttributes(dialog)) return;
    d.currentFont = dialog.font;
    d.textAttributes = dialog.bits();
    retypeText(session, dialog.text);
}

// Edit mode's current text; the edit's own undo record already holds the stave.
void currentTextAttributes(EditSession& session) {
    Editor& ed = session.editor;
    const int s = ed.currentStave();
    Stave& stave = session.score.stave(s);
    if (ed.currentObject < 1 || ed.currentObject > stave.Nobjec) return;
    const ScoreObject& o = stave.object(ed.currentObject);
    if (!o.is(ObjectKind::ShortText) && !(o.is(ObjectKind::LongText) && !o.isContinuation())) return;
    TextAttributes dialog = dialogFor(session.score, stave, ed.currentObject);
    if (!session.ui.runTextAttributes(dialog)) return;
    session.host.setCurrentObjectMark(false);
    storeTextAttributes(session.score, s, ed.currentObject, dialog, session.ui);
    session.score.modified = true;
    session.host.drawStave(s, true);
    session.host.setCurrentObjectMark(true);
}

} // namespace

void TextAttributes::setBits(int bits) {
    transposable = boxOf(bits, TextTransposable);
    immobile = boxOf(bits, TextImmobile);
    boxed = boxOf(bits, TextBoxed);
}

std::uint8_t TextAttributes::bits() const {
    return applyTo(0);
}

std::uint8_t TextAttributes::applyTo(int bits) const {
    bits = applyBox(bits, TextTransposable, transposable);
    bits = applyBox(bits, TextImmobile, immobile);
    return static_cast<std::uint8_t>(applyBox(bits, TextBoxed, boxed));
}

bool storeTextAttributes(Score& score, int s, int index, const TextAttributes& result, Ui& ui) {
    Stave& stave = score.stave(s);
    const std::string text = result.text.substr(0, MaxTextLength);
    const int font = score.fonts.registerFont(result.font, ui);
    ScoreObject& o = stave.object(index);
    if (o.is(ObjectKind::ShortText) && text.size() <= static_cast<std::size_t>(ShortTextCapacity)) {
        o.setFontNumber(font);
        o.setShortText(text);
        return true;
    }
    const int kept = o.is(ObjectKind::LongText) ? o.textAttributes() & KeptBits : 0;
    if (o.is(ObjectKind::ShortText)) o = makeObject(ObjectKind::LongText, o.x(), o.y()); // grows in place
    o.setFontNumber(font);
    o.setTextAttributes(result.bits() | kept);
    return storeLongText(stave, index, text, TextStoreContext::EditingText, ui);
}

void textAttributes(EditSession& session) {
    if (session.editor.mode == ModeText) return typedTextAttributes(session);
    if (session.editor.mode == ModeEdit) return currentTextAttributes(session);
}

void blockTextAttributes(EditSession& session) {
    Score& score = session.score;
    const std::vector<MarkedText> texts = markedTexts(score, session.editor.block);
    if (texts.empty()) return;
    TextAttributes dialog;
    if (texts.size() == 1) {
        dialog = dialogFor(score, score.stave(texts[0].stave), texts[0].head);
    } else {
        dialog.several = true;
        dialog.font = score.fonts.font(score.stave(texts[0].stave).object(texts[0].head).fontNumber());
        dialog.transposable = commonBox(score, texts, TextTransposable);
        dialog.immobile = commonBox(score, texts, TextImmobile);
        dialog.boxed = commonBox(score, texts, TextBoxed);
    }
    if (!session.ui.runTextAttributes(dialog)) return;
    std::bitset<256> staves;
    for (const MarkedText& t : texts)
        staves.set(static_cast<std::size_t>(t.stave));
    score.undo.pushStaveSet(score, staves, UndoStaveRange);
    if (texts.size() == 1)
        storeTextAttributes(score, texts[0].stave, texts[0].head, dialog, session.ui);
    else
        applyToSeveral(score, texts, dialog, session.ui);
    for (int s = texts.front().stave; s <= texts.back().stave; ++s)
        if (staves.test(static_cast<std::size_t>(s))) StaveChanged(score, s);
    score.modified = true;
    session.host.redrawStaves(texts.front().stave, texts.back().stave);
}

} // namespace qv
