// The reader's work on a <note>, a <direction> and a <harmony>.

#include "interchange/chordsymbol.h"
#include "interchange/musicxmlmeasure.h"

#include "transpose/chordtext.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

int durationCode(const std::string& type, mx::Document& doc) {
    static const char* const Names[] = {"breve", "whole", "half", "quarter", "eighth", "16th", "32nd", "64th"};
    for (int i = 0; i < 8; ++i)
        if (type == Names[i]) return i;
    if (type == "long" || type == "maxima") {
        simplify(doc, "notes longer than a breve became breves");
        return 0;
    }
    if (type == "128th" || type == "256th" || type == "512th" || type == "1024th") {
        simplify(doc, "notes shorter than a hemidemisemiquaver became hemidemisemiquavers");
        return 7;
    }
    return mx::NoType;
}

int accidentalValue(const std::string& name, mx::Document& doc) {
    if (name == "sharp") return 1;
    if (name == "flat") return -1;
    if (name == "natural") return 0;
    if (name == "double-sharp" || name == "sharp-sharp") return 2;
    if (name == "flat-flat" || name == "double-flat") return -2;
    simplify(doc, "accidentals other than sharps, flats, naturals and their doubles were left out");
    return mx::NoAccidental;
}

void readPitch(XmlCursor& x, mx::Note& n, mx::Document& doc, const char* stepName, const char* octaveName) {
    bool step = false, octave = false;
    while (x.child()) {
        if (x.is(stepName)) {
            const std::string s = x.text();
            if (s.size() != 1 || s[0] < 'A' || s[0] > 'G') x.refuse("a <" + std::string(stepName) + "> of \"" + s + "\" at " + x.line());
            n.step = s[0];
            step = true;
        } else if (x.is("alter")) {
            const double a = x.number(-2, 2);
            n.alter = static_cast<int>(std::lround(a));
            if (a != n.alter) simplify(doc, "microtones were rounded to semitones");
        } else if (x.is(octaveName)) {
            n.octave = static_cast<int>(x.integer(0, 9));
            octave = true;
        } else x.skip();
    }
    if (!step || !octave) x.refuse("a pitch at " + x.line() + " lacks its <" + std::string(stepName) + "> or <" + octaveName + ">");
}

void readNotations(XmlCursor& x, mx::Note& n, mx::Document& doc) {
    while (x.child()) {
        if (x.is("tied")) {
            const std::string type = x.attribute("type");
            n.tieStart = n.tieStart || type == "start";
            n.tieStop = n.tieStop || type == "stop";
            x.skip();
        } else if (x.is("slur")) {
            const std::string type = x.attribute("type");
            const int number = static_cast<int>(x.integerAttribute("number", 1, 16, 1));
            const auto once = [&](std::vector<int>& list) {
                if (std::find(list.begin(), list.end(), number) == list.end()) list.push_back(number);
            };
            if (type == "start") {
                once(n.slurStarts);
                const std::string placement = x.attribute("placement");
                n.slurPlaced = !placement.empty();
                n.slurAbove = placement == "above";
            } else if (type == "stop") {
                once(n.slurStops);
            }
            x.skip();
        } else if (x.is("tuplet")) {
            n.tupletStart = n.tupletStart || x.attribute("type") == "start";
            x.skip();
        } else if (x.is("articulations")) {
            while (x.child()) {
                if (x.is("accent")) n.accent = true;
                else if (x.is("staccato")) n.staccato = std::max(n.staccato, 1);
                else if (x.is("staccatissimo")) n.staccato = 2;
                else simplify(doc, "articulations other than accents and staccatos were left out");
                x.skip();
            }
        } else {
            if (!x.is("fermata") && !x.is("ornaments") && !x.is("technical") && !x.is("dynamics")) {
                x.skip();
                continue;
            }
            simplify(doc, "fermatas, ornaments and fingerings were left out");
            x.skip();
        }
    }
}

void readTimeModification(XmlCursor& x, mx::Note& n) {
    while (x.child()) {
        if (x.is("actual-notes")) n.tupletActual = static_cast<int>(x.integer(1, 99));
        else if (x.is("normal-notes")) n.tupletNormal = static_cast<int>(x.integer(1, 99));
        else x.skip();
    }
}

} // namespace

bool readNote(XmlCursor& x, PartState& state, mx::Note& n, mx::Document& doc) {
    bool grace = false, pitched = false, duration = false;
    while (x.child()) {
        if (x.is("grace")) {
            grace = true;
            x.skip();
        } else if (x.is("chord")) {
            n.chord = true;
            x.skip();
        } else if (x.is("pitch")) {
            readPitch(x, n, doc, "step", "octave");
            pitched = true;
        } else if (x.is("unpitched")) {
            readPitch(x, n, doc, "display-step", "display-octave");
            pitched = true;
        } else if (x.is("rest")) {
            n.rest = true;
            n.measureRest = x.attribute("measure") == "yes";
            x.skip();
        } else if (x.is("duration")) {
            n.duration = ticksOf(x, state);
            duration = true;
        } else if (x.is("voice")) {
            n.voice = static_cast<int>(x.integer(0, 1000));
        } else if (x.is("type")) {
            n.type = durationCode(x.text(), doc);
        } else if (x.is("dot")) {
            n.dots = std::min(n.dots + 1, 3);
            x.skip();
        } else if (x.is("accidental")) {
            n.accidental = accidentalValue(x.text(), doc);
        } else if (x.is("time-modification")) {
            readTimeModification(x, n);
        } else if (x.is("stem")) {
            const std::string s = x.text();
            n.stem = s == "up" ? 0 : s == "down" ? 1 : s == "none" ? 2 : -1;
        } else if (x.is("staff")) {
            n.staff = static_cast<int>(x.integer(1, state.staves));
        } else if (x.is("beam")) {
            const bool first = x.integerAttribute("number", 1, 8, 1) == 1;
            const std::string b = x.text();
            if (!first) continue;
            n.beam = b == "begin" ? mx::Beam::Begin : b == "continue" ? mx::Beam::Continue
                   : b == "end"   ? mx::Beam::End   : mx::Beam::None;
        } else if (x.is("notations")) {
            readNotations(x, n, doc);
        } else if (x.is("lyric")) {
            simplify(doc, "lyrics were left out");
            x.skip();
        } else {
            x.skip();
        }
    }
    if (!pitched && !n.rest) x.refuse("a <note> in " + state.where + " has no <pitch>, <unpitched> or <rest>");
    if (grace) {
        simplify(doc, "grace notes were left out");
        return false;
    }
    if (!duration) x.refuse("a <note> in " + state.where + " has no <duration>");
    return true;
}

namespace {

// The palette glyph of a dynamic, 0 when it has none.
int dynamicGlyph(const std::string& name) {
    static const struct {
        const char* name;
        int glyph;
    } Glyphs[] = {{"pp", 138}, {"p", 139},  {"mp", 140},  {"mf", 141}, {"f", 142}, {"ff", 143},
                  {"sf", 144}, {"fz", 145}, {"ppp", 159}, {"fff", 160}, {"sfz", 167}};
    for (const auto& g : Glyphs)
        if (name == g.name) return g.glyph;
    return 0;
}

// The <offset> and <staff> a direction or a chord symbol may carry; false for any
// other element.
bool readPlacement(XmlCursor& x, const PartState& state, std::int64_t& offset, int& staff) {
    if (x.is("offset")) {
        offset = static_cast<std::int64_t>(x.number(-1e6, 1e6) * double(mx::ImportTicksPerQuarter) /
                                           double(state.divisions));
        return true;
    }
    if (x.is("staff")) {
        staff = static_cast<int>(x.integer(1, state.staves));
        return true;
    }
    return false;
}

} // namespace

void readDirection(XmlCursor& x, PartState& state, std::int64_t position, mx::Measure& m, mx::Document& doc) {
    const bool above = x.attribute("placement") == "above";
    std::vector<mx::Direction> found;
    std::int64_t offset = 0;
    int staff = 1;
    while (x.child()) {
        if (x.is("direction-type")) {
            while (x.child()) {
                if (x.is("dynamics")) {
                    while (x.child()) {
                        mx::Direction d;
                        d.dynamic = true;
                        const std::string name = x.name();
                        d.dynamicGlyph = dynamicGlyph(name);
                        d.text = x.text();
                        if (d.dynamicGlyph == 0 && name != "other-dynamics") d.text = name;
                        if (d.dynamicGlyph || !d.text.empty()) found.push_back(d);
                    }
                } else if (x.is("words")) {
                    mx::Direction d;
                    d.text = x.text();
                    d.above = above || x.attribute("placement") == "above";
                    if (!d.text.empty()) found.push_back(d);
                } else {
                    simplify(doc, "hairpins, pedal marks, metronome marks and other directions were left out");
                    x.skip();
                }
            }
        } else if (!readPlacement(x, state, offset, staff)) {
            x.skip();
        }
    }
    for (mx::Direction& d : found) {
        d.start = std::max<std::int64_t>(0, position + offset);
        d.staff = staff;
        if (!d.dynamic) d.above = d.above || above;
        m.directions.push_back(std::move(d));
    }
}

namespace {

std::string alterSign(long alter) {
    if (alter > 0) return std::string(static_cast<std::size_t>(alter), ChordSharp);
    if (alter < 0) return std::string(static_cast<std::size_t>(-alter), ChordFlat);
    return {};
}

} // namespace

void readHarmony(XmlCursor& x, PartState& state, std::int64_t position, mx::Measure& m, mx::Document& doc) {
    std::string root, bass, kind, kindText;
    bool kindTextGiven = false;
    std::int64_t offset = 0;
    int staff = 1;
    const auto readStep = [&](const char* stepName, const char* alterName) {
        std::string s;
        long alter = 0;
        while (x.child()) {
            if (x.is(stepName)) {
                s = x.text();
                if (s.size() != 1 || s[0] < 'A' || s[0] > 'G') x.refuse("a <" + std::string(stepName) + "> of \"" + s + "\" at " + x.line());
            } else if (x.is(alterName)) alter = x.integer(-2, 2);
            else x.skip();
        }
        return s + alterSign(alter);
    };
    while (x.child()) {
        if (x.is("root")) root = readStep("root-step", "root-alter");
        else if (x.is("bass")) bass = readStep("bass-step", "bass-alter");
        else if (x.is("kind")) {
            kindTextGiven = x.has("text");
            kindText = x.attribute("text");
            kind = x.text();
        } else if (x.is("degree")) {
            simplify(doc, "added and altered notes of chord symbols were left out");
            x.skip();
        } else if (!readPlacement(x, state, offset, staff)) {
            x.skip();
        }
    }
    if (root.empty()) return; // a function or no chord: nothing to write
    mx::Harmony h;
    h.start = std::max<std::int64_t>(0, position + offset);
    h.staff = staff;
    h.text = root + (kindTextGiven ? scoreTextOf(QString::fromStdString(kindText).toStdU16String()) : chordSuffix(kind));
    if (!bass.empty()) h.text += "/" + bass;
    m.harmonies.push_back(std::move(h));
}

} // namespace qv
