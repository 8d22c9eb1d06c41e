#pragma once
// Small MusicXML documents written by the tests: a partwise score around the
// measures given.

#include <string>

namespace qv::test {

// One part ("P1") whose measures are `measures` (each a whole <measure>
// element); `head` goes before the part list (credits, defaults).
std::string partwise(const std::string& measures, const std::string& head = {});

// A measure numbered `number`: with `attributes` set, 4 divisions to the crotchet,
// a treble clef, the key of `fifths` and 4/4 time; then `body`.
std::string measure(int number, const std::string& body, bool attributes = true, int fifths = 0);

// A note element: pitch "C4", "F#5", "Bb3" or "rest"; type as in <type>; `extra`
// goes inside the note after the type (dots, accidentals, beams, notations ...).
std::string note(const std::string& pitch, int duration, const std::string& type, const std::string& extra = {},
                 bool chord = false);

} // namespace qv::test
