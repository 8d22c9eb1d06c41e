#include "edit/textentry.h"

#include "edit/fontcommands.h"
#include "edit/placing.h"
#include "layout/tidystave.h"
#include "model/pagegeometry.h"
#include "model/ui.h"
#include "render/text.h"
#include "render/textmetrics.h"

namespace qv {

namespace {

int textHeightOf(const EditSession& session) {
    return TextHeight(textFont(session), session.editor.drawing.textBuffer);
}

// The text being typed and the tether, both ending at the caret.
void showTypedText(EditSession& session) {
    Editor& ed = session.editor;
    const DrawingState& d = ed.drawing;
    ed.marks.text = d.textBuffer;
    ed.marks.textFont = textFont(session);
    ed.marks.textTopLeft = MarkPoint{d.caret.x - d.textWidth, d.caret.y - textHeightOf(session)};
    DrawTether(session, d.caret); // shows the text too
}

// The buffer changed: the caret moves by as much as the width did, with the pointer.
void rewidth(EditSession& session) {
    DrawingState& d = session.editor.drawing;
    const int width = textWidthOf(textFont(session), d.textBuffer);
    const int grown = width - d.textWidth;
    d.textWidth = width;
    moveCaret(session, MarkPoint{d.caret.x + grown, d.caret.y});
}

// The longest part of `word` that head and chunks can hold in `free` slots.
std::string fitting(const std::string& word, int free) {
    return word.substr(0, static_cast<std::size_t>(std::max(free, 0)) * ChunkCapacity);
}

} // namespace

FontDesc textFont(const EditSession& session) {
    return effectiveFont(session.editor.drawing.currentFont, session.settings.defaultFont);
}

int textWidthOf(const FontDesc& font, const std::string& text) { return TextWidthSpecial(TextFont(font, 1), text); }

void startText(EditSession& session, MarkPoint p) {
    DrawingState& d = session.editor.drawing;
    d.textBuffer.clear();
    d.textWidth = 0;
    d.textAttributes = 0;
    d.caret = p;
    showTypedText(session);
}

void followPointer(EditSession& session, MarkPoint p) {
    session.editor.drawing.caret = p;
    showTypedText(session);
}

void moveCaret(EditSession& session, MarkPoint p) {
    followPointer(session, p);
    session.host.placePointer(p.x, p.y);
}

void typeCharacter(EditSession& session, unsigned char c) {
    std::string& buffer = session.editor.drawing.textBuffer;
    if ((c == ' ' && buffer.empty()) || buffer.size() >= MaxTextBuffer) return;
    buffer.push_back(static_cast<char>(c));
    rewidth(session);
}

void retypeText(EditSession& session, const std::string& text) {
    session.editor.drawing.textBuffer = text.substr(0, MaxTextBuffer);
    rewidth(session);
}

void eraseLastCharacter(EditSession& session) {
    std::string& buffer = session.editor.drawing.textBuffer;
    if (buffer.empty()) return;
    buffer.pop_back();
    rewidth(session);
}

void centreTextLine(EditSession& session) {
    const DrawingState& d = session.editor.drawing;
    const int imageWidth = musicAreaWidth(session.score.page, session.score.StvSiz);
    moveCaret(session, MarkPoint{(imageWidth + d.textWidth) / 2, d.caret.y});
}

void newTextLine(EditSession& session) {
    CompleteText(session, false);
    DrawingState& d = session.editor.drawing;
    const MarkPoint under{d.caret.x - d.textWidth, d.caret.y + textHeightOf(session)};
    d.textBuffer.clear();
    d.textWidth = 0;
    moveCaret(session, under);
}

void CompleteText(EditSession& session, bool leave) {
    Editor& ed = session.editor;
    Score& score = session.score;
    const DrawingState& d = ed.drawing;
    if (d.textBuffer.empty()) return;
    const int s = ed.currentStave();
    Stave& stave = score.stave(s);
    const FontDesc font = textFont(session);
    const int x = d.caret.x - d.textWidth;
    const int y = d.caret.y - textHeightOf(session);
    const int fontNumber = score.fonts.registerFont(font, session.ui);
    const int attributes = d.textAttributes | (s == 0 ? TextUniversal : 0);
    if (stave.Nobjec >= MaxObjects) { // nothing to undo: no undo step
        showWarning(session.ui, TextModeMessage);
        return SetMode(session, ModeMusic);
    }
    score.undo.pushStave(score, s, UndoStave);
    bool complete = true;
    for (std::size_t at = 0; complete && at < d.textBuffer.size();) {
        std::size_t end = d.textBuffer.find(' ', at);
        if (end == std::string::npos) end = d.textBuffer.size();
        const std::string word = d.textBuffer.substr(at, end - at);
        if (!word.empty()) {
            const std::string kept = fitting(word, MaxObjects - stave.Nobjec);
            complete = kept.size() == word.size();
            if (!kept.empty()) {
                ScoreObject head = makeObject(ObjectKind::LongText, x + textWidthOf(font, d.textBuffer.substr(0, at)), y);
                head.setFontNumber(fontNumber);
                head.setTextAttributes(attributes);
                stave.object(++stave.Nobjec) = head;
                storeLongText(stave, stave.Nobjec, kept, TextStoreContext::CompletingTextMode, session.ui);
            }
        }
        at = end + 1;
    }
    if (!complete) showWarning(session.ui, TextModeMessage);
    StaveChanged(score, s);
    session.host.drawStave(s, true);
    score.modified = true;
    if (!complete) return SetMode(session, ModeMusic);
    if (leave) SetMode(session, ModeMusic); // the header/footer screen's Music on stave 0
}

} // namespace qv
