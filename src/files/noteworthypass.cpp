// The final pass over a NoteWorthy 2 score read into our records: its staves are
// spread in the ratio 4/3 and every object's distance from its stave with them; then
// each kind gets the small shifts that put it where our glyphs draw it.

#include "files/noteworthypass.h"

#include "layout/staveextent.h"
#include "layout/tidystave.h"
#include "model/score.h"
#include "model/staveops.h"
#include "render/glyphcatalogue.h"

namespace qv {

namespace {

constexpr int TopOfFirstStave = 10;  // page units below the top of the music area
constexpr int OffLineGlyphDrop = 16; // a free glyph off the middle line is a denominator
constexpr int QuaverDuration = 4;
constexpr int HeadStyle3 = 2;

// A distance from the stave's middle line, from NoteWorthy 2's vertical unit to ours.
std::int64_t spread(std::int64_t distance) {
    return distance * 4 / 3;
}

void moveX(ScoreObject& o, int dx) {
    o.setX(toObjectField(std::int64_t{o.x()} + dx));
}

void placeAtPosition(ScoreObject& o, int ycoord, int position) {
    o.setY(toObjectField(std::int64_t{ycoord} - 4 * position));
}

void finishBarline(ScoreObject& o) {
    o.setU8(7, 0);
    switch (o.barType()) {
    case 0: moveX(o, -1); break; // single
    case 1: moveX(o, 3); break;  // double
    case 5: moveX(o, 2); break;  // end of section
    default: break;
    }
}

// One object of a stave whose middle line is at `ycoord`; `clefSeen` tells whether
// a clef came before it on the stave.
void finishObject(ScoreObject& o, int ycoord, bool& clefSeen) {
    o.setY(toObjectField(ycoord + spread(std::int64_t{o.y()} - ycoord)));
    switch (o.kind()) {
    case ObjectKind::Clef:
        moveX(o, 2);
        o.setY(ycoord);
        o.setClefSmall(clefSeen);
        o.setSymbolCode(ClefGlyph(o.clefType(), clefSeen));
        clefSeen = true;
        break;
    case ObjectKind::KeySignature: moveX(o, 9); break;
    case ObjectKind::Glyph:
        moveX(o, 6);
        if (o.y() != ycoord) o.setY(toObjectField(std::int64_t{ycoord} + OffLineGlyphDrop));
        break;
    case ObjectKind::TimeSignature:
        moveX(o, 3);
        o.setY(ycoord);
        break;
    case ObjectKind::Barline: finishBarline(o); break;
    case ObjectKind::Note:
        placeAtPosition(o, ycoord, o.staffPosition());
        if (o.headStyle() == HeadStyle3 && o.duration() == QuaverDuration) moveX(o, 1);
        break;
    case ObjectKind::Accidental: placeAtPosition(o, ycoord, o.accPosition()); break;
    case ObjectKind::Line: o.setLineDy(toObjectField(spread(o.lineDy()))); break;
    case ObjectKind::CurvePoint: moveX(o, -1); break;
    case ObjectKind::Symbol: // drawn once
        o.setRepeats(0);
        o.setStepDx(0);
        o.setStepDy(0);
        break;
    default: break;
    }
}

void finishStave(Score& score, int s, int firstYcoord) {
    ShiftStave(score, s, (score.stave(s).Ycoord - firstYcoord) / 3);
    Stave& stave = score.stave(s);
    bool clefSeen = false;
    const int count = stave.Nobjec; // chunks appended below are already finished
    for (int i = 1; i <= count; ++i) {
        finishObject(stave.object(i), stave.Ycoord, clefSeen);
        if (stave.object(i).is(ObjectKind::ShortText)) shortTextToLongText(stave, i, TextPlace::MusicStave);
    }
}

// NoteWorthy 2's characters for accidentals and chord letters; true when `c` was a
// chord letter.
bool translateCharacter(char& c) {
    const auto code = static_cast<unsigned char>(c);
    switch (code) {
    case 128: c = static_cast<char>(141); return false; // flat
    case 129: c = static_cast<char>(142); return false; // natural
    case 96: c = static_cast<char>(163); return false;
    case 127: c = static_cast<char>(169); return false;
    default: break;
    }
    if (code < 130 || code > 136) return false;
    c = static_cast<char>('A' + (code - 130));
    return true;
}

// How far a text of each font moves to stand where NoteWorthy 2 drew it.
struct Nudge {
    int dx;
    int dy;
};
Nudge fontNudge(int font) {
    switch (font) {
    case 1: return {2, -1};
    case 2: return {1, 0};
    case 3: return {-1, -1};
    case 4: return {-2, 0};
    default: return {0, 0};
    }
}

} // namespace

void shortTextToLongText(Stave& stave, int index, TextPlace place) {
    const ScoreObject text = stave.object(index);
    std::string characters = text.shortText();
    bool chord = false;
    for (char& c : characters)
        chord = translateCharacter(c) || chord;
    const bool music = place == TextPlace::MusicStave;
    const Nudge nudge = music ? fontNudge(text.fontNumber()) : Nudge{0, 0};
    ScoreObject head = makeObject(ObjectKind::LongText, toObjectField(std::int64_t{text.x()} + nudge.dx),
                                  toObjectField(std::int64_t{text.y()} + nudge.dy));
    head.setFontNumber(text.fontNumber());
    const int attributes = (chord ? TextTransposable : 0) | (music ? 0 : TextUniversal);
    head.setTextAttributes(attributes);
    head.setChunkText(characters.substr(0, ChunkCapacity));
    if (characters.size() > static_cast<std::size_t>(ChunkCapacity) && stave.Nobjec < MaxObjects) {
        ScoreObject chunk = makeObject(ObjectKind::LongText);
        chunk.setFontNumber(text.fontNumber());
        chunk.setTextAttributes(attributes | TextContinuation);
        chunk.setChunkText(characters.substr(ChunkCapacity));
        stave.object(++stave.Nobjec) = chunk;
        head.setTextNext(stave.Nobjec);
    }
    stave.object(index) = head;
}

void finishNoteWorthyTranslation(Score& score) {
    if (score.Nstaves < 1) return;
    Stave& headerFooter = score.stave(0);
    const int texts = headerFooter.Nobjec;
    for (int i = 1; i <= texts; ++i)
        if (headerFooter.object(i).is(ObjectKind::ShortText))
            shortTextToLongText(headerFooter, i, TextPlace::HeaderFooter);
    const int firstYcoord = score.stave(1).Ycoord;
    for (int s = 1; s <= score.Nstaves; ++s)
        finishStave(score, s, firstYcoord);
    // The top of stave 1 is what its objects reach now, not what the file said.
    for (int s = 1; s <= score.Nstaves; ++s) {
        TidyStave(score.stave(s));
        StaveExtent(score, s);
    }
    const std::int64_t lift = std::int64_t{TopOfFirstStave} - score.stave(1).MinY;
    for (int s = 1; s <= score.Nstaves; ++s)
        ShiftStave(score, s, static_cast<int>(lift));
}

} // namespace qv
