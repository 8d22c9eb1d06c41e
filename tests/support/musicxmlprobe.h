#pragma once
// A small reader of MusicXML for tests: what a written document says about its
// notes, chord names, directions and bars, read with Qt's XML stream reader and
// nothing of the program's own, so a test checks the document a reader sees.

#include <QByteArray>

#include <string>
#include <vector>

namespace qv::test {

struct ProbeNote {
    int part = 0;    // 0-based
    int measure = 0; // the number attribute
    int staff = 1;
    int voice = 1;
    double onset = 0;  // crotchets from the bar's start
    double length = 0; // crotchets
    bool rest = false, chord = false, wholeMeasure = false;
    char step = 0;
    int alter = 0, octave = 0;
    std::string type, accidental, stem, beam;
    int dots = 0;
    bool tieStart = false, tieStop = false;
    int slurStarts = 0, slurStops = 0;
    std::vector<std::string> marks; // articulations, fermata, ornaments, arpeggiate
};

struct ProbeMark {
    int part = 0, measure = 0, staff = 1;
    std::string kind; // "words", "dynamics", "segno", "wedge", "harmony"
    std::string text; // the words, dynamic, wedge type; a harmony's "root alter kind[/bass]"
};

struct ProbeMeasure {
    int part = 0, number = 0;
    double length = 0;              // crotchets the furthest voice reached
    std::string left, right;        // bar styles, with " repeat" when a repeat sign is there
    std::vector<std::string> signs; // "key 1", "time 3/4", "clef 1 G2" in order
    bool newSystem = false;
};

struct ProbeCredit {
    std::string type, justify, text;
    double x = 0, y = 0; // inches from the paper's left and top
};

struct ProbeScore {
    bool wellFormed = false;
    std::string error;
    std::string title, composer;
    std::vector<ProbeCredit> credits;
    int parts = 0;
    std::vector<int> staves; // per part
    std::vector<ProbeNote> notes;
    std::vector<ProbeMark> marks;
    std::vector<ProbeMeasure> measures;

    std::vector<ProbeNote> notesOf(int part, int measure) const;
    std::vector<ProbeNote> pitched() const; // the notes that are not rests
};

ProbeScore probeMusicXml(const QByteArray& document);

} // namespace qv::test
