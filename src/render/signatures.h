#pragma once
// Key and time signatures, bar lines through their systems, and accidentals.
// Clefs have no drawer of their own: a clef is its glyph at the object's position.

#include "model/score.h"
#include "render/drawcontext.h"

namespace qv {

void DrawKeySignatureObject(DrawContext& dc, Score& score, int stave, const ScoreObject& key, ColourValue colour,
                            bool xorMode);
void DrawTimeSignatureObject(DrawContext& dc, const ScoreObject& time, ColourValue colour, bool xorMode);
// A bar line at the object's x through `stave` and, by the stave flags, the staves below.
void DrawBarlineObject(DrawContext& dc, Score& score, int stave, const ScoreObject& bar, ColourValue colour,
                       bool xorMode);
void DrawAccidentalObject(DrawContext& dc, const ScoreObject& accidental, ColourValue colour, bool xorMode);

// Clef kinds as stored in clef objects.
enum ClefKind { Treble = 0, Bass = 1, Alto = 2, Tenor = 3 };

// The staff position (half spaces above the middle line) of accidental `index`
// (0-based, in writing order) of a key signature in clef `clef`; sharps when
// `sharps`, else flats. An unknown clef reads as treble.
int KeyStepTable(int clef, bool sharps, int index);

// The clef kind in force at x: that of the last clef object left of x, treble when none.
int ClefAt(const Stave& stave, int x);

// A key signature of `key` sharps (negative: flats) at x on stave `stave`, with the
// naturals that cancel the key it replaces. `naturalsInKeyChange` is the score's option.
void DrawKeySignature(DrawContext& dc, const Stave& stave, int x, int key, bool naturalsInKeyChange,
                      bool xorMode, ColourValue colour);

// Time signature `index` (0 common, 1 cut, 2 "1", 3..14 figure pairs) at (x, y).
void DrawTimeSignature(DrawContext& dc, int index, int x, int y, bool xorMode, ColourValue colour);

// A bar line of `kind` at x, drawn from stave `staveIndex` through the rest of its system.
void DrawBarline(DrawContext& dc, const Score& score, int staveIndex, int kind, int x, bool xorMode,
                 ColourValue colour);

// A free accidental: value -2 double flat .. 2 double sharp; `tiny` for the small
// flat, natural and sharp. Any other value draws nothing.
void DrawAccidental(DrawContext& dc, int x, int y, ColourValue colour, bool xorMode, int value, bool tiny);

} // namespace qv
