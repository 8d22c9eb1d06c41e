#include "support/scorebuilder.h"

namespace qv::test {

Score makeScore(int staves) {
    Score score;
    score.setStaveCount(staves);
    for (int i = 1; i <= staves; ++i) {
        Stave& s = score.stave(i);
        s.Ycoord = 40 + 48 * (i - 1);
        s.MinY = s.Ycoord - 16;
        s.MaxY = s.Ycoord + 16;
        s.LeftX = 0;
        s.RightX = 600;
        s.PageNum = 1;
        s.paramA = s.paramB = 20;
        s.lineValue = 5;
    }
    return score;
}

ScoreObject makeNote(int x, int position, int duration, int ycoord) {
    ScoreObject o = makeObject(ObjectKind::Note, x, ycoord - 4 * position);
    o.setDuration(duration);
    o.setStaffPosition(position);
    o.setStem(StemAuto);
    return o;
}

ScoreObject makeRest(int x, int duration) {
    ScoreObject o = makeObject(ObjectKind::Note, x, 0);
    o.setDuration(duration);
    o.setRest(true);
    return o;
}

ScoreObject makeClef(int x, int type, int ycoord) {
    ScoreObject o = makeObject(ObjectKind::Clef, x, ycoord);
    o.setClefType(type);
    return o;
}

ScoreObject makeShortText(int x, int y, int font, const std::string& text) {
    ScoreObject o = makeObject(ObjectKind::ShortText, x, y);
    o.setFontNumber(font);
    o.setShortText(text);
    return o;
}

ScoreObject makeTextHead(int x, int y, int font, const std::string& firstChunk, int attributes) {
    ScoreObject o = makeObject(ObjectKind::LongText, x, y);
    o.setFontNumber(font);
    o.setTextAttributes(attributes);
    o.setChunkText(firstChunk);
    return o;
}

int append(Stave& stave, const ScoreObject& object) {
    ++stave.Nobjec;
    stave.object(stave.Nobjec) = object;
    return stave.Nobjec;
}

} // namespace qv::test
