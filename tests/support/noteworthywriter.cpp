#include "support/noteworthywriter.h"

#include "model/bytes.h"

#include <algorithm>
#include <array>

namespace qv::test {

namespace {

using Record = std::array<std::uint8_t, 22>;

void add(std::vector<std::uint8_t>& out, const Record& r) {
    out.insert(out.end(), r.begin(), r.end());
}

Record staveRecord(const NoteWorthyStave& s) {
    Record r{};
    putI16(&r[0], static_cast<std::int16_t>(s.Ycoord));
    putI16(&r[2], static_cast<std::int16_t>(s.MaxY));
    putI16(&r[4], static_cast<std::int16_t>(s.MinY));
    r[6] = s.braced ? 1 : 0;
    r[7] = static_cast<std::uint8_t>(s.objects.size());
    putI16(&r[8], static_cast<std::int16_t>(s.LeftX));
    putI16(&r[10], static_cast<std::int16_t>(s.RightX));
    r[12] = s.system ? 1 : 0;
    r[13] = s.pageBreak ? 1 : 0;
    return r;
}

Record objectRecord(int stave, int index, const ScoreObject& o) {
    Record r{};
    r[0] = static_cast<std::uint8_t>(stave);
    r[1] = static_cast<std::uint8_t>(index);
    std::copy(o.bytes.begin(), o.bytes.end(), r.begin() + 2);
    return r;
}

} // namespace

std::vector<std::uint8_t> NoteWorthyFile::bytes() const {
    std::vector<std::uint8_t> out;
    Record header{};
    header[0] = static_cast<std::uint8_t>(staves.size());
    header[5] = static_cast<std::uint8_t>(spacing);
    header[6] = static_cast<std::uint8_t>(pulse);
    header[7] = static_cast<std::uint8_t>(beamang);
    putU16(&header[8], static_cast<std::uint16_t>(version));
    putU16(&header[11], static_cast<std::uint16_t>(headerHundredths));
    putU16(&header[13], static_cast<std::uint16_t>(footerHundredths));
    add(out, header);
    for (const NoteWorthyStave& s : staves)
        add(out, staveRecord(s));
    for (const ScoreObject& o : headerTexts)
        add(out, objectRecord(0, 1, o));
    for (const ScoreObject& o : footerTexts)
        add(out, objectRecord(0, 2, o));
    for (std::size_t s = 0; s < staves.size(); ++s)
        for (std::size_t i = 0; i < staves[s].objects.size(); ++i)
            add(out, objectRecord(int(s) + 1, int(i) + 1, staves[s].objects[i]));
    return out;
}

ScoreObject noteWorthyText(int x, int y, int font, const std::vector<std::uint8_t>& codes) {
    ScoreObject o = makeObject(ObjectKind::ShortText, x, y);
    o.setFontNumber(font);
    o.setShortText(std::string(codes.begin(), codes.end()));
    return o;
}

} // namespace qv::test
