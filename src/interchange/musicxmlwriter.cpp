#include "interchange/musicxmlwriter.h"

#include <QXmlStreamWriter>

#include <algorithm>

namespace qv {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}
QString num(int n) {
    return QString::number(n);
}

const char* typeName(int code) {
    static constexpr const char* Names[8] = {"breve",  "whole", "half", "quarter",
                                             "eighth", "16th",  "32nd", "64th"};
    return Names[std::clamp(code, 0, 7)];
}

const char* accidentalName(int alter) {
    switch (alter) {
    case -2: return "flat-flat";
    case -1: return "flat";
    case 1: return "sharp";
    case 2: return "double-sharp";
    default: return "natural";
    }
}

const char* beamName(BeamMark b) {
    switch (b) {
    case BeamMark::Begin: return "begin";
    case BeamMark::Continue: return "continue";
    default: return "end";
    }
}

bool isSign(const MeasureItem& item) {
    return std::holds_alternative<ClefChange>(item) || std::holds_alternative<KeyChange>(item) ||
           std::holds_alternative<TimeChange>(item);
}

// Staff 2 of a part writes its voices as 5 and 6, as readers of grand staves expect.
int voiceNumber(int staff, int voice) {
    return (staff - 1) * 4 + voice;
}

class Writer {
  public:
    Writer(const ExportScore& score, QByteArray& bytes) : score_(score), xml_(&bytes) {}

    void write() {
        xml_.setAutoFormatting(true);
        xml_.setAutoFormattingIndent(2);
        xml_.writeStartDocument();
        xml_.writeDTD("<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 3.1 Partwise//EN\" "
                      "\"http://www.musicxml.org/dtds/partwise.dtd\">");
        xml_.writeStartElement("score-partwise");
        xml_.writeAttribute("version", "3.1");
        header();
        defaults();
        for (const ExportCredit& c : score_.credits)
            credit(c);
        partList();
        for (const ExportPart& part : score_.parts)
            writePart(part);
        xml_.writeEndElement();
        xml_.writeEndDocument();
    }

  private:
    void header() {
        if (!score_.title.empty()) {
            xml_.writeStartElement("work");
            xml_.writeTextElement("work-title", q(score_.title));
            xml_.writeEndElement();
        }
        xml_.writeStartElement("identification");
        if (!score_.composer.empty()) {
            xml_.writeStartElement("creator");
            xml_.writeAttribute("type", "composer");
            xml_.writeCharacters(q(score_.composer));
            xml_.writeEndElement();
        }
        xml_.writeStartElement("encoding");
        xml_.writeTextElement("software", "Quaverly");
        xml_.writeEndElement();
        xml_.writeEndElement();
    }

    // Tenths of a stave space: 40 to the stave's height (four spaces).
    double tenths(double inches) const {
        return score_.paper.staveSize > 0 ? inches * 40 / score_.paper.staveSize : 0;
    }
    static QString decimal(double v) { return QString::number(v, 'f', 2); }

    // The stave size and the paper, so that the title block stands where it did.
    void defaults() {
        xml_.writeStartElement("defaults");
        xml_.writeStartElement("scaling");
        xml_.writeTextElement("millimeters", decimal(score_.paper.staveSize * 25.4));
        xml_.writeTextElement("tenths", "40");
        xml_.writeEndElement();
        xml_.writeStartElement("page-layout");
        xml_.writeTextElement("page-height", decimal(tenths(score_.paper.length)));
        xml_.writeTextElement("page-width", decimal(tenths(score_.paper.width)));
        xml_.writeEndElement();
        xml_.writeEndElement();
    }

    void credit(const ExportCredit& c) {
        xml_.writeStartElement("credit");
        xml_.writeAttribute("page", "1");
        if (!c.type.empty()) xml_.writeTextElement("credit-type", q(c.type));
        xml_.writeStartElement("credit-words");
        xml_.writeAttribute("default-x", decimal(tenths(c.x)));
        xml_.writeAttribute("default-y", decimal(tenths(score_.paper.length - c.y)));
        xml_.writeAttribute("font-size", num(c.points));
        if (c.bold) xml_.writeAttribute("font-weight", "bold");
        if (c.italic) xml_.writeAttribute("font-style", "italic");
        xml_.writeAttribute("justify", c.right ? "right" : "center");
        xml_.writeAttribute("valign", "top");
        xml_.writeCharacters(q(c.text));
        xml_.writeEndElement();
        xml_.writeEndElement();
    }

    void partList() {
        xml_.writeStartElement("part-list");
        for (const ExportPart& part : score_.parts) {
            xml_.writeStartElement("score-part");
            xml_.writeAttribute("id", q(part.id));
            xml_.writeStartElement("part-name");
            xml_.writeAttribute("print-object", "no");
            xml_.writeCharacters(q(part.name));
            xml_.writeEndElement();
            // Readers look for an instrument to play the part with: a piano will do.
            xml_.writeStartElement("score-instrument");
            xml_.writeAttribute("id", q(part.id + "-I1"));
            xml_.writeTextElement("instrument-name", "Piano");
            xml_.writeEndElement();
            xml_.writeEndElement();
        }
        xml_.writeEndElement();
    }

    void writePart(const ExportPart& part) {
        xml_.writeStartElement("part");
        xml_.writeAttribute("id", q(part.id));
        for (const ExportMeasure& m : part.measures)
            writeMeasure(part, m);
        xml_.writeEndElement();
    }

    void writeMeasure(const ExportPart& part, const ExportMeasure& m) {
        xml_.writeStartElement("measure");
        xml_.writeAttribute("number", num(m.number));
        if (m.newSystem) {
            xml_.writeEmptyElement("print");
            xml_.writeAttribute(m.newPage ? "new-page" : "new-system", "yes");
        }
        if (!m.left.style.empty()) barline("left", m.left, "forward");
        // The signs that open the bar on every staff go into one attributes element.
        std::vector<std::vector<MeasureItem>> staves;
        std::vector<MeasureItem> leading;
        for (const StaffMeasure& sm : m.staves) {
            auto first = std::find_if_not(sm.items.begin(), sm.items.end(), isSign);
            leading.insert(leading.end(), sm.items.begin(), first);
            staves.emplace_back(first, sm.items.end());
        }
        const bool firstBar = &m == &part.measures.front();
        if (firstBar || !leading.empty()) attributes(leading, firstBar ? &part : nullptr);
        for (std::size_t j = 0; j < staves.size(); ++j) {
            const int staff = static_cast<int>(j) + 1;
            int time = 0; // where the writing stands in the bar
            for (const MeasureItem& item : staves[j]) {
                writeItem(item, part.staves);
                if (const auto* n = std::get_if<ExportNote>(&item); n && !n->chord) time += n->duration;
                if (const auto* b = std::get_if<Backup>(&item)) time -= b->duration;
            }
            if (time < m.length) forward(m.length - time, staff, part.staves);
            if (j + 1 < staves.size()) backup(std::max(time, m.length));
        }
        if (!m.right.style.empty()) barline("right", m.right, "backward");
        xml_.writeEndElement();
    }

    void barline(const char* location, const BarStyle& style, const char* direction) {
        xml_.writeStartElement("barline");
        xml_.writeAttribute("location", location);
        xml_.writeTextElement("bar-style", q(style.style));
        if (style.repeat) {
            xml_.writeEmptyElement("repeat");
            xml_.writeAttribute("direction", direction);
        }
        xml_.writeEndElement();
    }

    void backup(int duration) {
        xml_.writeStartElement("backup");
        xml_.writeTextElement("duration", num(duration));
        xml_.writeEndElement();
    }

    void forward(int duration, int staff, int staves) {
        xml_.writeStartElement("forward");
        xml_.writeTextElement("duration", num(duration));
        xml_.writeTextElement("voice", num(voiceNumber(staff, 1)));
        if (staves > 1) xml_.writeTextElement("staff", num(staff));
        xml_.writeEndElement();
    }

    // Children in the order the format asks: divisions, key, time, staves, clef.
    void attributes(const std::vector<MeasureItem>& signs, const ExportPart* opening) {
        xml_.writeStartElement("attributes");
        if (opening) xml_.writeTextElement("divisions", num(score_.divisions));
        for (const MeasureItem& item : signs)
            if (const auto* k = std::get_if<KeyChange>(&item)) key(*k);
        for (const MeasureItem& item : signs)
            if (const auto* t = std::get_if<TimeChange>(&item)) time(*t);
        if (opening && opening->staves > 1) xml_.writeTextElement("staves", num(opening->staves));
        for (const MeasureItem& item : signs)
            if (const auto* c = std::get_if<ClefChange>(&item)) clef(*c, opening ? opening->staves : 2);
        xml_.writeEndElement();
    }

    void key(const KeyChange& k) {
        xml_.writeStartElement("key");
        xml_.writeTextElement("fifths", num(k.fifths));
        xml_.writeEndElement();
    }

    void time(const TimeChange& t) {
        xml_.writeStartElement("time");
        if (!t.symbol.empty()) xml_.writeAttribute("symbol", q(t.symbol));
        xml_.writeTextElement("beats", num(t.beats));
        xml_.writeTextElement("beat-type", num(t.beatType));
        xml_.writeEndElement();
    }

    void clef(const ClefChange& c, int staves) {
        static constexpr const char* Signs[4] = {"G", "F", "C", "C"};
        static constexpr int Lines[4] = {2, 4, 3, 4};
        xml_.writeStartElement("clef");
        if (staves > 1) xml_.writeAttribute("number", num(c.staff));
        xml_.writeTextElement("sign", Signs[c.clefType]);
        xml_.writeTextElement("line", num(Lines[c.clefType]));
        xml_.writeEndElement();
    }

    void writeItem(const MeasureItem& item, int staves) {
        if (const auto* n = std::get_if<ExportNote>(&item))
            note(*n, staves);
        else if (const auto* d = std::get_if<Direction>(&item))
            direction(*d, staves);
        else if (const auto* h = std::get_if<Harmony>(&item))
            harmony(*h, staves);
        else if (const auto* b = std::get_if<Backup>(&item))
            backup(b->duration);
        else
            attributes({item}, nullptr);
    }

    void direction(const Direction& d, int staves) {
        xml_.writeStartElement("direction");
        xml_.writeAttribute("placement", d.above ? "above" : "below");
        xml_.writeStartElement("direction-type");
        switch (d.kind) {
        case DirectionKind::Words: xml_.writeTextElement("words", q(d.text)); break;
        case DirectionKind::Dynamic:
            xml_.writeStartElement("dynamics");
            xml_.writeEmptyElement(q(d.text));
            xml_.writeEndElement();
            break;
        case DirectionKind::Segno: xml_.writeEmptyElement("segno"); break;
        case DirectionKind::WedgeCrescendo:
        case DirectionKind::WedgeDiminuendo:
        case DirectionKind::WedgeStop:
            xml_.writeEmptyElement("wedge");
            xml_.writeAttribute("type", d.kind == DirectionKind::WedgeCrescendo    ? "crescendo"
                                        : d.kind == DirectionKind::WedgeDiminuendo ? "diminuendo"
                                                                                   : "stop");
            break;
        }
        xml_.writeEndElement();
        if (staves > 1) xml_.writeTextElement("staff", num(d.staff));
        xml_.writeEndElement();
    }

    void harmony(const Harmony& h, int staves) {
        const ChordSymbol& c = h.chord;
        xml_.writeStartElement("harmony");
        xml_.writeStartElement("root");
        xml_.writeTextElement("root-step", QString(QChar(c.root)));
        if (c.rootAlter) xml_.writeTextElement("root-alter", num(c.rootAlter));
        xml_.writeEndElement();
        xml_.writeStartElement("kind");
        if (!c.kindText.empty()) xml_.writeAttribute("text", q(c.kindText));
        xml_.writeCharacters(q(c.kind));
        xml_.writeEndElement();
        if (c.bass) {
            xml_.writeStartElement("bass");
            xml_.writeTextElement("bass-step", QString(QChar(*c.bass)));
            if (c.bassAlter) xml_.writeTextElement("bass-alter", num(c.bassAlter));
            xml_.writeEndElement();
        }
        if (staves > 1) xml_.writeTextElement("staff", num(h.staff));
        xml_.writeEndElement();
    }

    void note(const ExportNote& n, int staves) {
        xml_.writeStartElement("note");
        if (n.chord) xml_.writeEmptyElement("chord");
        if (n.rest) {
            xml_.writeEmptyElement("rest");
            if (n.wholeMeasure) xml_.writeAttribute("measure", "yes");
        } else {
            xml_.writeStartElement("pitch");
            xml_.writeTextElement("step", QString(QChar(n.pitch.step)));
            if (n.pitch.alter) xml_.writeTextElement("alter", num(n.pitch.alter));
            xml_.writeTextElement("octave", num(n.pitch.octave));
            xml_.writeEndElement();
        }
        xml_.writeTextElement("duration", num(n.duration));
        if (n.tieStop) tie("tie", "stop");
        if (n.tieStart) tie("tie", "start");
        xml_.writeTextElement("voice", num(voiceNumber(n.staff, n.voice)));
        if (!n.wholeMeasure) {
            xml_.writeStartElement("type");
            if (n.cue) xml_.writeAttribute("size", "cue");
            xml_.writeCharacters(typeName(n.code));
            xml_.writeEndElement();
            for (int d = 0; d < n.dots; ++d)
                xml_.writeEmptyElement("dot");
        }
        if (n.accidental) {
            xml_.writeStartElement("accidental");
            if (n.smallAccidental) xml_.writeAttribute("size", "cue");
            xml_.writeCharacters(accidentalName(*n.accidental));
            xml_.writeEndElement();
        }
        if (!n.rest)
            xml_.writeTextElement("stem", n.stem == StemDown ? "down" : n.stem == StemNone ? "none" : "up");
        if (n.crossHead) xml_.writeTextElement("notehead", "x");
        if (staves > 1) xml_.writeTextElement("staff", num(n.staff));
        if (n.beam != BeamMark::None && !n.chord) {
            xml_.writeStartElement("beam");
            xml_.writeAttribute("number", "1");
            xml_.writeCharacters(beamName(n.beam));
            xml_.writeEndElement();
        }
        notations(n);
        xml_.writeEndElement();
    }

    void tie(const char* element, const char* type) {
        xml_.writeEmptyElement(element);
        xml_.writeAttribute("type", type);
    }

    static bool hasNotations(const ExportNote& n) {
        return n.tieStart || n.tieStop || !n.slurStarts.empty() || !n.slurStops.empty() || n.accent ||
               n.staccato || n.arpeggio || !n.fermata.empty() || !n.ornament.empty();
    }

    void notations(const ExportNote& n) {
        if (!hasNotations(n)) return;
        xml_.writeStartElement("notations");
        if (n.tieStop) tie("tied", "stop");
        if (n.tieStart) tie("tied", "start");
        for (const int s : n.slurStops)
            slur(s, "stop");
        for (const int s : n.slurStarts)
            slur(s, "start");
        if (n.accent || n.staccato) {
            xml_.writeStartElement("articulations");
            if (n.accent) xml_.writeEmptyElement("accent");
            if (n.staccato) xml_.writeEmptyElement(n.staccato == 2 ? "staccatissimo" : "staccato");
            xml_.writeEndElement();
        }
        if (!n.fermata.empty()) {
            xml_.writeEmptyElement("fermata");
            xml_.writeAttribute("type", q(n.fermata));
        }
        if (!n.ornament.empty()) {
            xml_.writeStartElement("ornaments");
            xml_.writeEmptyElement(q(n.ornament));
            xml_.writeEndElement();
        }
        if (n.arpeggio) xml_.writeEmptyElement("arpeggiate");
        xml_.writeEndElement();
    }

    void slur(int number, const char* type) {
        xml_.writeEmptyElement("slur");
        xml_.writeAttribute("type", type);
        xml_.writeAttribute("number", num(number));
    }

    const ExportScore& score_;
    QXmlStreamWriter xml_;
};

} // namespace

QByteArray writeMusicXml(const ExportScore& score) {
    QByteArray bytes;
    Writer(score, bytes).write();
    return bytes;
}

QByteArray exportMusicXml(const Score& score) {
    return writeMusicXml(buildExportScore(score));
}

} // namespace qv
