#include "support/musicxmlprobe.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace qv::test {

namespace {

class Probe {
  public:
    explicit Probe(const QByteArray& doc) : xml_(doc) {}

    ProbeScore read() {
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"score-partwise") continue;
            if (xml_.name() == u"work")
                work();
            else if (xml_.name() == u"identification")
                identification();
            else if (xml_.name() == u"part")
                part();
            else if (xml_.name() == u"part-list")
                partList();
            else if (xml_.name() == u"defaults")
                defaults();
            else if (xml_.name() == u"credit")
                credit();
            else
                xml_.skipCurrentElement();
        }
        out_.wellFormed = !xml_.hasError();
        out_.error = xml_.errorString().toStdString();
        return out_;
    }

  private:
    std::string text() {
        return xml_.readElementText(QXmlStreamReader::IncludeChildElements).trimmed().toStdString();
    }
    int number() { return static_cast<int>(std::lround(QString::fromStdString(text()).toDouble())); }

    void work() {
        while (xml_.readNextStartElement())
            if (xml_.name() == u"work-title")
                out_.title = text();
            else
                xml_.skipCurrentElement();
    }

    void identification() {
        while (xml_.readNextStartElement())
            if (xml_.name() == u"creator" && xml_.attributes().value("type") == u"composer")
                out_.composer = text();
            else
                xml_.skipCurrentElement();
    }

    // Tenths to inches: the scaling gives millimetres for a number of tenths.
    void defaults() {
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"scaling") {
                const double mm = QString::fromStdString(child("millimeters")).toDouble();
                const double tenths = QString::fromStdString(lastChild_).toDouble();
                if (mm > 0 && tenths > 0) inchesPerTenth_ = mm / tenths / 25.4;
            } else if (xml_.name() == u"page-layout") {
                pageHeight_ = QString::fromStdString(child("page-height")).toDouble() * inchesPerTenth_;
            } else
                xml_.skipCurrentElement();
        }
    }

    void credit() {
        ProbeCredit c;
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"credit-type")
                c.type = text();
            else if (xml_.name() == u"credit-words") {
                const auto a = xml_.attributes();
                c.justify = a.value("justify").toString().toStdString();
                c.x = a.value("default-x").toDouble() * inchesPerTenth_;
                c.y = pageHeight_ - a.value("default-y").toDouble() * inchesPerTenth_;
                c.text = text();
            } else
                xml_.skipCurrentElement();
        }
        out_.credits.push_back(c);
    }

    void partList() {
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"score-part") ++out_.parts;
            xml_.skipCurrentElement();
        }
    }

    void part() {
        divisions_ = 1;
        out_.staves.push_back(1);
        while (xml_.readNextStartElement())
            if (xml_.name() == u"measure")
                measure();
            else
                xml_.skipCurrentElement();
        ++part_;
    }

    void measure() {
        ProbeMeasure m;
        m.part = part_;
        m.number = xml_.attributes().value("number").toInt();
        measure_ = m.number;
        time_ = 0;
        furthest_ = 0;
        lastOnset_ = 0;
        while (xml_.readNextStartElement()) {
            const auto n = xml_.name();
            if (n == u"note")
                note();
            else if (n == u"backup")
                time_ -= duration();
            else if (n == u"forward")
                time_ += duration();
            else if (n == u"attributes")
                attributes(m);
            else if (n == u"direction")
                direction();
            else if (n == u"harmony")
                harmony();
            else if (n == u"barline")
                barline(m);
            else if (n == u"print") {
                m.newSystem = xml_.attributes().value("new-system") == u"yes" ||
                              xml_.attributes().value("new-page") == u"yes";
                xml_.skipCurrentElement();
            } else
                xml_.skipCurrentElement();
            furthest_ = std::max(furthest_, time_);
        }
        m.length = furthest_;
        out_.measures.push_back(m);
    }

    double duration() {
        double d = 0;
        while (xml_.readNextStartElement())
            if (xml_.name() == u"duration")
                d = number() / double(divisions_);
            else
                xml_.skipCurrentElement();
        return d;
    }

    void attributes(ProbeMeasure& m) {
        while (xml_.readNextStartElement()) {
            const auto n = xml_.name();
            if (n == u"divisions")
                divisions_ = std::max(1, number());
            else if (n == u"staves")
                out_.staves.back() = number();
            else if (n == u"key")
                m.signs.push_back("key " + child("fifths"));
            else if (n == u"time") {
                const std::string beats = child("beats");
                m.signs.push_back("time " + beats + "/" + lastChild_);
            } else if (n == u"clef") {
                const std::string staff = xml_.attributes().value("number").toString().toStdString();
                const std::string sign = child("sign");
                m.signs.push_back("clef " + (staff.empty() ? "1" : staff) + " " + sign + lastChild_);
            } else
                xml_.skipCurrentElement();
        }
    }

    // The text of the named child; the last other child's text goes to lastChild_.
    std::string child(const char* name) {
        std::string found;
        lastChild_.clear();
        while (xml_.readNextStartElement()) {
            const bool wanted = xml_.name() == QLatin1String(name);
            const std::string t = text();
            if (wanted)
                found = t;
            else
                lastChild_ = t;
        }
        return found;
    }

    void note() {
        ProbeNote n;
        n.part = part_;
        n.measure = measure_;
        double d = 0;
        while (xml_.readNextStartElement()) {
            const auto name = xml_.name();
            if (name == u"chord")
                n.chord = true, xml_.skipCurrentElement();
            else if (name == u"rest") {
                n.rest = true;
                n.wholeMeasure = xml_.attributes().value("measure") == u"yes";
                xml_.skipCurrentElement();
            } else if (name == u"pitch")
                pitch(n);
            else if (name == u"duration")
                d = number() / double(divisions_);
            else if (name == u"tie") {
                (xml_.attributes().value("type") == u"start" ? n.tieStart : n.tieStop) = true;
                xml_.skipCurrentElement();
            } else if (name == u"type")
                n.type = text();
            else if (name == u"dot")
                ++n.dots, xml_.skipCurrentElement();
            else if (name == u"accidental")
                n.accidental = text();
            else if (name == u"stem")
                n.stem = text();
            else if (name == u"staff")
                n.staff = number();
            else if (name == u"voice")
                n.voice = number();
            else if (name == u"beam") {
                const bool first = xml_.attributes().value("number") == u"1";
                const std::string b = text();
                if (first) n.beam = b;
            } else if (name == u"notations")
                notations(n);
            else
                xml_.skipCurrentElement();
        }
        n.onset = n.chord ? lastOnset_ : time_;
        n.length = d;
        if (!n.chord) {
            lastOnset_ = time_;
            time_ += d;
        }
        out_.notes.push_back(n);
    }

    void pitch(ProbeNote& n) {
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"step")
                n.step = text()[0];
            else if (xml_.name() == u"alter")
                n.alter = number();
            else if (xml_.name() == u"octave")
                n.octave = number();
            else
                xml_.skipCurrentElement();
        }
    }

    void notations(ProbeNote& n) {
        while (xml_.readNextStartElement()) {
            const auto name = xml_.name();
            if (name == u"slur") {
                (xml_.attributes().value("type") == u"start" ? n.slurStarts : n.slurStops) += 1;
                xml_.skipCurrentElement();
            } else if (name == u"articulations" || name == u"ornaments") {
                while (xml_.readNextStartElement()) {
                    n.marks.push_back(xml_.name().toString().toStdString());
                    xml_.skipCurrentElement();
                }
            } else if (name == u"fermata" || name == u"arpeggiate") {
                n.marks.push_back(name.toString().toStdString());
                xml_.skipCurrentElement();
            } else
                xml_.skipCurrentElement();
        }
    }

    void direction() {
        ProbeMark mark{part_, measure_, 1, {}, {}};
        std::vector<ProbeMark> found;
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"staff")
                mark.staff = number();
            else if (xml_.name() == u"direction-type") {
                while (xml_.readNextStartElement()) {
                    ProbeMark m = mark;
                    m.kind = xml_.name().toString().toStdString();
                    if (m.kind == "dynamics") {
                        while (xml_.readNextStartElement()) {
                            m.text = xml_.name().toString().toStdString();
                            xml_.skipCurrentElement();
                        }
                    } else if (m.kind == "wedge") {
                        m.text = xml_.attributes().value("type").toString().toStdString();
                        xml_.skipCurrentElement();
                    } else {
                        m.text = text();
                    }
                    found.push_back(m);
                }
            } else
                xml_.skipCurrentElement();
        }
        for (ProbeMark& m : found) {
            m.staff = mark.staff;
            out_.marks.push_back(m);
        }
    }

    void harmony() {
        ProbeMark m{part_, measure_, 1, "harmony", {}};
        std::string root, alter, kind, bass;
        while (xml_.readNextStartElement()) {
            const auto name = xml_.name();
            if (name == u"root") {
                root = child("root-step");
                alter = lastChild_;
            } else if (name == u"kind")
                kind = text();
            else if (name == u"bass")
                bass = child("bass-step") + lastChild_;
            else if (name == u"staff")
                m.staff = number();
            else
                xml_.skipCurrentElement();
        }
        m.text = root + (alter.empty() ? "" : " " + alter) + " " + kind + (bass.empty() ? "" : "/" + bass);
        out_.marks.push_back(m);
    }

    void barline(ProbeMeasure& m) {
        const bool left = xml_.attributes().value("location") == u"left";
        std::string style;
        bool repeat = false;
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"bar-style")
                style = text();
            else {
                repeat = repeat || xml_.name() == u"repeat";
                xml_.skipCurrentElement();
            }
        }
        (left ? m.left : m.right) = style + (repeat ? " repeat" : "");
    }

    QXmlStreamReader xml_;
    ProbeScore out_;
    int part_ = 0, measure_ = 0, divisions_ = 1;
    double time_ = 0, furthest_ = 0, lastOnset_ = 0;
    double inchesPerTenth_ = 0, pageHeight_ = 0;
    std::string lastChild_;
};

} // namespace

std::vector<ProbeNote> ProbeScore::notesOf(int part, int measure) const {
    std::vector<ProbeNote> out;
    for (const ProbeNote& n : notes)
        if (n.part == part && n.measure == measure) out.push_back(n);
    return out;
}

std::vector<ProbeNote> ProbeScore::pitched() const {
    std::vector<ProbeNote> out;
    for (const ProbeNote& n : notes)
        if (!n.rest) out.push_back(n);
    return out;
}

ProbeScore probeMusicXml(const QByteArray& document) {
    return Probe(document).read();
}

} // namespace qv::test
