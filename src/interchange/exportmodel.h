#pragma once
// The score read as a reader of music sees it, ready to be written out: parts
// made from the staves of the systems (a braced pair is one part of two staves),
// bars made from the bar lines, and in each bar and stave the notes, rests and
// chords in time order with their pitches, durations, beams, ties and slurs, and
// the signs and words that belong to them. No XML here: the writer turns this
// into MusicXML.

#include "interchange/chordsymbol.h"
#include "interchange/pitch.h"
#include "model/score.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace qv {

enum class BeamMark { None, Begin, Continue, End };

struct ExportNote {
    bool rest = false;
    bool chord = false;        // sounds with the note before it
    bool wholeMeasure = false; // a rest filling the bar, whatever its length
    int code = 3;              // duration code 0 (breve) .. 7
    int dots = 0;
    int duration = 0; // in divisions
    Pitch pitch;
    std::optional<int> accidental; // the alteration shown by an accidental before it
    bool smallAccidental = false;
    int stem = StemUp; // StemUp, StemDown or StemNone
    BeamMark beam = BeamMark::None;
    bool tieStart = false;
    bool tieStop = false;
    std::vector<int> slurStarts; // slur numbers
    std::vector<int> slurStops;
    bool accent = false;
    int staccato = 0; // 1 staccato, 2 staccatissimo
    bool arpeggio = false;
    std::string fermata;  // "upright", "inverted" or empty
    std::string ornament; // "trill-mark", "mordent", "turn" or empty
    bool cue = false;     // small head
    bool crossHead = false;
    int staff = 1;
    int voice = 1; // 1, or 2 for the stems-down voice of a stave that has two
};

// The writing goes back to the bar's start for the next voice.
struct Backup {
    int duration = 0;
};

struct ClefChange {
    int clefType = 0;
    int staff = 1;
};
struct KeyChange {
    int fifths = 0;
};
struct TimeChange {
    int beats = 4;
    int beatType = 4;
    std::string symbol; // "common", "cut" or empty
};

enum class DirectionKind { Words, Dynamic, Segno, WedgeCrescendo, WedgeDiminuendo, WedgeStop };
struct Direction {
    DirectionKind kind = DirectionKind::Words;
    std::string text; // UTF-8
    bool above = true;
    int staff = 1;
};

struct Harmony {
    ChordSymbol chord;
    int staff = 1;
};

using MeasureItem = std::variant<ClefChange, KeyChange, TimeChange, Direction, Harmony, ExportNote, Backup>;

// One stave's share of a bar: its items in written order.
struct StaffMeasure {
    std::vector<MeasureItem> items;
    int length = 0; // divisions taken by its notes and rests (its longest voice)
};

struct BarStyle {
    std::string style;   // MusicXML bar-style: empty for a plain bar line
    bool repeat = false; // backward on the right, forward on the left
};

struct ExportMeasure {
    int number = 1;
    int length = 0; // divisions: the longest of its staves
    bool newSystem = false;
    bool newPage = false;
    BarStyle left, right;
    std::vector<StaffMeasure> staves; // one per staff of the part
};

struct ExportPart {
    std::string id; // "P1" ...
    std::string name;
    int staves = 1; // 1, or 2 for a braced pair
    std::vector<ExportMeasure> measures;
};

// A text of the title block where it stands on the first page.
struct ExportCredit {
    std::string type;   // "title", "composer" or empty
    std::string text;   // UTF-8
    bool right = false; // set against the right margin, else centred
    double x = 0;       // inches from the paper's left: the right end, or the centre
    double y = 0;       // inches from the paper's top to the text's top
    int points = 10;
    bool bold = false, italic = false;
};

struct ExportPaper {
    double width = 8.25, length = 11; // inches
    double staveSize = 1.0 / 3.0;     // inches from top line to bottom line
};

struct ExportScore {
    std::string title;
    std::string composer;
    std::vector<ExportCredit> credits; // the title block, title and composer included
    ExportPaper paper;
    int divisions = 1; // per crotchet
    std::vector<ExportPart> parts;
};

// Divisions of a crotchet that express every note of the score exactly, dots
// included.
int divisionsFor(const Score& score);
// The length of a note of duration code 0..7 with `dots` dots, in divisions.
int noteDivisions(int code, int dots, int divisions);

// Reads the whole score. The parts follow the system with the most staves; a
// system with fewer staves leaves the parts it lacks silent (whole-bar rests).
ExportScore buildExportScore(const Score& score);

// Text bytes as the program stores them (Windows Latin-1 with the music font's
// flat, natural and sharp at 141..143) in UTF-8; control characters (the blank
// character 30 among them) become spaces, which XML can carry.
std::string textToUtf8(const std::string& bytes);

} // namespace qv
