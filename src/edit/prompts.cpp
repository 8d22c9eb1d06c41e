#include "edit/prompts.h"

#include <map>
#include <utility>

namespace qv {

namespace {

// Each prompt is a pair: what to do, then where it happens.
const std::map<int, std::pair<const char*, const char*>>& prompts() {
    static const std::map<int, std::pair<const char*, const char*>> table{
        {504, {"Click where the curve starts, then at each point it passes through. ",
               "Enter saves the curve; Esc abandons it. It belongs to the (purple) stave."}},
        {506, {"This stave is empty. Press Ctrl+Q for a clef to start, or type a note name (A to G). ",
               "Music goes on the (purple) stave; click another stave to choose it."}},
        {508, {"Now a key signature: K adds a flat, Shift+K a sharp. Or type note names (A to G). ",
               "It goes on the (purple) stave."}},
        {514, {"Type note names A to G to enter notes; space completes each one. ",
               "Notes go on the (purple) stave at the cursor."}},
        {516, {"Edit mode: Tab and Shift+Tab choose an object, the arrow keys move it. ",
               "Enter finishes the edit, Esc abandons it. Only the (purple) stave is edited."}},
        {518, {"Type note names A to G, Z for a rest, / for a bar line. ",
               "Everything goes on the (purple) stave at the cursor."}},
        {520, {"Click at the next point of the curve; Enter adds one at the pointer. ",
               "A right click or Esc saves the curve on the (purple) stave."}},
        {522, {"Move the object with the arrow keys or the mouse. ",
               "Enter or space completes it on the (purple) stave; Esc abandons it."}},
        {524, {"Digits 1 to 8 change the length, Up and Down the octave. ",
               "Space completes the note on the (purple) stave; Esc abandons it."}},
        {526, {"This stave has no clef yet: press Ctrl+Q, and again to change it. ",
               "The clef goes at the start of the (purple) stave."}},
        {530, {"Click where the line starts, then where it ends. ",
               "The line belongs to the (purple) stave. Esc leaves Line mode."}},
        {532, {"Click where the line ends; Shift keeps it level or upright. ",
               "The line belongs to the (purple) stave. Esc leaves Line mode."}},
        {534, {"Click again to draw on from the end of the last line, or right-click to stop. ",
               "The lines belong to the (purple) stave."}},
        {540, {"Click where the hairpin opens, then where it closes. ",
               "It belongs to the (purple) stave. Esc leaves Hairpin mode."}},
        {542, {"Click where the hairpin's open end goes. ",
               "It belongs to the (purple) stave. Esc abandons it."}},
        {550, {"Move the box to where the copy goes and click. ",
               "Esc leaves the block where it was."}},
        {552, {"Move the box to where the block goes and click. ",
               "Esc leaves the block where it was."}},
        {554, {"Type the text; Enter completes it. ",
               "The text belongs to the (purple) stave. Esc leaves Text mode."}},
        {556, {"Click where the symbol goes; space adds a repetition, Backspace removes one. ",
               "It belongs to the (purple) stave. Esc leaves Symbol mode."}},
        {558, {"Click where the wavy line starts; space lengthens it, Backspace shortens it. ",
               "It belongs to the (purple) stave. Esc leaves Symbol mode."}},
        {560, {"This score starts from a template: type note names A to G to enter music. ",
               "Click a stave to make it the (purple) stave."}},
        {562, {"Click where the symbol goes (Shift centres it on the stave). ",
               "It belongs to the (purple) stave. Esc leaves Symbol mode."}},
        {564, {"Drag out the rectangle from one corner to the other. ",
               "It belongs to the (purple) stave."}},
        {566, {"Drag out the circle from its centre. ", "It belongs to the (purple) stave."}},
        {568, {"Drag out the ellipse from one corner of its box to the other. ",
               "It belongs to the (purple) stave."}},
        {570, {"Drag out the square from one corner. ", "It belongs to the (purple) stave."}},
    };
    return table;
}

bool hasKind(const Stave& stave, ObjectKind kind) {
    for (int i = 1; i <= stave.Nobjec; ++i)
        if (stave.object(i).is(kind)) return true;
    return false;
}

bool provisionalNote(const Score& score) {
    return score.provisional.present && score.provisional.object.is(ObjectKind::Note);
}

int firstStavePrompt(const Score& score) {
    if (score.provisional.present) return provisionalNote(score) ? 524 : 522;
    const Stave& st = score.stave(1);
    if (st.Nobjec == 0) return 506;
    if (!hasKind(st, ObjectKind::Clef)) return 526;
    if (!hasKind(st, ObjectKind::KeySignature)) return 508;
    if (hasKind(st, ObjectKind::Note)) return 514;
    return 518;
}

} // namespace

std::string promptText(int number) {
    const auto found = prompts().find(number);
    if (found == prompts().end()) return {};
    return std::string(found->second.first) + found->second.second;
}

int beginnerPrompt(const Editor& editor, const Score& score) {
    if (editor.mode == ModeEdit) return 516;
    if (editor.mode != ModeMusic) return 0;
    if (editor.startedFromTemplate) return 560;
    const int s = editor.currentStave();
    if (s < 1 || s > score.Nstaves) return 0;
    if (s == 1) return firstStavePrompt(score);
    if (!score.provisional.present) return 514;
    return provisionalNote(score) ? 524 : 522;
}

} // namespace qv
