#include "interchange/musicxmlmeasure.h"

#include <algorithm>

namespace qv {

namespace {

using mx::Measure;

// The longest note or move we accept: sixteen breves.
constexpr long LongestWholeNotes = 32;

mx::Clef readClef(XmlCursor& x, PartState& state, mx::Document& doc, int& staff) {
    staff = static_cast<int>(x.integerAttribute("number", 1, state.staves, 1));
    std::string sign;
    long lineNumber = 0;
    int octave = 0;
    while (x.child()) {
        if (x.is("sign")) sign = x.text();
        else if (x.is("line")) lineNumber = x.integer(1, 5);
        else if (x.is("clef-octave-change")) octave = static_cast<int>(x.integer(-3, 3));
        else x.skip();
    }
    if (sign.empty()) x.refuse("a <clef> in " + state.where + " has no <sign>");
    mx::Clef clef;
    clef.octaveChange = octave;
    if (sign == "G") {
        clef.type = 0;
        if (lineNumber != 0 && lineNumber != 2) simplify(doc, "a G clef on another line became a treble clef");
    } else if (sign == "F") {
        clef.type = 1;
        if (lineNumber != 0 && lineNumber != 4) simplify(doc, "an F clef on another line became a bass clef");
    } else if (sign == "C") {
        clef.type = lineNumber == 4 ? 3 : 2;
        if (lineNumber != 0 && lineNumber != 3 && lineNumber != 4)
            simplify(doc, "a C clef on another line became an alto clef");
    } else if (sign == "percussion" || sign == "TAB" || sign == "none" || sign == "jianpu") {
        simplify(doc, "percussion and tablature clefs became treble clefs");
    } else {
        x.refuse("a <clef> in " + state.where + " has the unknown sign \"" + sign + "\"");
    }
    return clef;
}

mx::Time readTime(XmlCursor& x, mx::Document& doc) {
    mx::Time t;
    const std::string symbol = x.attribute("symbol");
    t.common = symbol == "common";
    t.cut = symbol == "cut";
    bool beats = false, type = false;
    while (x.child()) {
        if (x.is("beats")) {
            // "3+2" adds up.
            const std::string text = x.text();
            long sum = 0;
            for (const QString& part : QString::fromStdString(text).split('+')) {
                bool ok = false;
                const long v = part.trimmed().toLong(&ok);
                if (!ok || v < 1 || v > 99) x.refuse("a <beats> of \"" + text + "\" at " + x.line());
                sum += v;
            }
            if (sum > 99) x.refuse("a <beats> of \"" + text + "\" at " + x.line());
            t.beats = static_cast<int>(sum);
            beats = true;
        } else if (x.is("beat-type")) {
            t.beatType = static_cast<int>(x.integer(1, 128));
            type = true;
        } else if (x.is("senza-misura")) {
            x.skip();
            simplify(doc, "an unmeasured time was left out");
            return mx::Time{};
        } else x.skip();
    }
    if (!beats || !type) x.refuse("a <time> at " + x.line() + " lacks <beats> or <beat-type>");
    return t;
}

void readAttributes(XmlCursor& x, PartState& state, std::int64_t position, Measure& m, mx::Document& doc) {
    while (x.child()) {
        if (x.is("divisions")) state.divisions = x.integer(1, MaxDivisions);
        else if (x.is("staves")) state.staves = static_cast<int>(x.integer(1, MaxPartStaves));
        else if (x.is("key")) {
            std::optional<int> fifths;
            while (x.child()) {
                if (x.is("fifths")) fifths = static_cast<int>(x.integer(-7, 7));
                else x.skip();
            }
            if (!fifths) simplify(doc, "a key signature of its own kind became C major");
            m.key = fifths.value_or(0);
        } else if (x.is("time")) {
            m.time = readTime(x, doc);
        } else if (x.is("clef")) {
            mx::ClefChange change;
            change.start = position;
            change.clef = readClef(x, state, doc, change.staff);
            m.clefs.push_back(change);
        } else x.skip();
    }
}

// The bar-line types of a <barline>: what starts the measure and what ends it.
void readBarline(XmlCursor& x, Measure& m, mx::Document& doc) {
    const bool left = x.attribute("location") == "left";
    std::string style;
    std::string repeat;
    while (x.child()) {
        if (x.is("bar-style")) style = x.text();
        else if (x.is("repeat")) {
            repeat = x.attribute("direction");
            x.skip();
        } else if (x.is("ending")) {
            x.skip();
            simplify(doc, "first and second time brackets were left out");
        } else x.skip();
    }
    if (left) {
        m.repeatStart = m.repeatStart || repeat == "forward";
        return;
    }
    if (repeat == "backward") m.endBar = 3;
    else if (style == "light-heavy" || style == "heavy") m.endBar = 5;
    else if (style == "light-light" || style == "heavy-light" || style == "heavy-heavy") m.endBar = 1;
    if (repeat == "forward") m.repeatStart = true; // unusual, but meant for the next measure's start
}

} // namespace

void simplify(mx::Document& doc, const std::string& what) {
    if (std::find(doc.simplified.begin(), doc.simplified.end(), what) == doc.simplified.end())
        doc.simplified.push_back(what);
}

std::int64_t ticksOf(XmlCursor& x, const PartState& state) {
    const long divisions = x.integer(0, state.divisions * 4 * LongestWholeNotes);
    return divisions * mx::ImportTicksPerQuarter / state.divisions;
}

void readMeasure(XmlCursor& x, PartState& state, mx::Part& part, mx::Document& doc) {
    Measure& m = part.measures.emplace_back();
    std::int64_t position = 0;
    std::int64_t lastStart = 0;
    const std::int64_t longest = LongestWholeNotes * 4 * mx::ImportTicksPerQuarter;
    while (x.child()) {
        if (x.is("note")) {
            mx::Note note;
            if (!readNote(x, state, note, doc)) continue;
            note.start = note.chord ? lastStart : position;
            lastStart = note.start;
            if (!note.chord) position += note.duration;
            m.notes.push_back(std::move(note));
        } else if (x.is("backup") || x.is("forward")) {
            const bool back = x.is("backup");
            std::int64_t d = 0;
            while (x.child()) {
                if (x.is("duration")) d = ticksOf(x, state);
                else x.skip();
            }
            position = back ? std::max<std::int64_t>(0, position - d) : position + d;
        } else if (x.is("attributes")) {
            readAttributes(x, state, position, m, doc);
        } else if (x.is("direction")) {
            readDirection(x, state, position, m, doc);
        } else if (x.is("harmony")) {
            readHarmony(x, state, position, m, doc);
        } else if (x.is("barline")) {
            readBarline(x, m, doc);
        } else {
            x.skip();
        }
        if (position > longest) x.refuse(state.where + " is longer than " + std::to_string(LongestWholeNotes) + " semibreves");
        m.length = std::max(m.length, position);
    }
}

} // namespace qv
