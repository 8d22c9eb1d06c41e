#pragma once
// The operations every part of the program uses on staves and their objects:
// adding with the capacity rule, deleting with link repairs, ties, long texts,
// curve points, the clef in force and a note's effective stem.

#include "model/score.h"

#include <string>
#include <vector>

namespace qv {

class Ui;

inline const char* const StaveTooComplexMessage = "Stave too complex to add this object";
inline const char* const LongStringMessage = "Stave too complex to store long string";
inline const char* const TextModeMessage = "Stave too complex to save all the text.";
inline const char* const TooManyPointsMessage = "Too many points in curve";

// Appends an object to a stave. Refused with the capacity message when the stave
// already holds 249 objects. Otherwise the stave is recorded for undo, the object
// stored in the new last slot, the score marked modified and the stave-changed hook
// run (which tidies and measures the stave once layout is plugged in).
bool addObject(Score& score, int stave, const ScoreObject& object, Ui& ui);

// Moves stave s, its extents and all its objects down by delta page units (up when
// negative); staves that do not exist are left alone.
void ShiftStave(Score& score, int s, int delta);

// Unlinks the object at `index` from its partners and marks it deleted; the slot is
// removed by the next tidy of the stave.
void deleteObject(Stave& stave, int index);

// Ties the note at `index` to the nearest earlier note (smaller x) at the same staff
// position. Returns the partner's index, or 0 when there is none.
int makeTie(Stave& stave, int index, bool overhand);
void removeTie(Stave& stave, int index);

// Where a long text is being stored decides which message a full stave gives.
enum class TextStoreContext { EditingText, CompletingTextMode };

// Writes `text` into the long-text head at `head` and appends continuation chunks
// of 10 characters. Appending stops at 249 objects: the user is told and the rest of
// the text dropped. Returns false when text was dropped. Does not tidy the stave.
bool storeLongText(Stave& stave, int head, const std::string& text, TextStoreContext context, Ui& ui);
// The whole text of the long text whose head is at `head`, following chunk links.
std::string longTextOf(const Stave& stave, int head);

// Collects the anchor points of a curve being placed.
class CurveCollector {
  public:
    enum class Result { Added, Ignored, Refused };
    struct Point {
        int x;
        int y;
    };
    static constexpr int MaxPoints = 100;

    // Refuses (telling the user) a 101st point or one that would bring the stave to
    // 249 objects; ignores a point crowding one already collected.
    Result add(int x, int y, int staveObjects, Ui& ui);
    const std::vector<Point>& points() const { return points_; }
    void clear() { points_.clear(); }

    // Appends the points to the stave in order of x as one doubly linked curve.
    // Needs at least two points; the caller has made sure they fit.
    bool store(Stave& stave, int thickness, bool dotted) const;

  private:
    std::vector<Point> points_;
};

// Clef type in force at x: the last clef before x in object order, 4 when none.
inline constexpr int NoClef = 4;
int clefInForce(const Stave& stave, int x);
// The same with "no clef" reported as treble (0).
int clefInForceOrTreble(const Stave& stave, int x);

// The stem byte of a note with automatic resolved: down above the middle line.
int effectiveStem(const ScoreObject& note);

} // namespace qv
