#include "model/linkcheck.h"

#include <algorithm>

namespace qv {

namespace {

const char* kindName(const ScoreObject& o) {
    switch (o.kind()) {
    case ObjectKind::Clef: return "a clef";
    case ObjectKind::KeySignature: return "a key signature";
    case ObjectKind::Glyph: return "a glyph";
    case ObjectKind::TimeSignature: return "a time signature";
    case ObjectKind::Barline: return "a bar line";
    case ObjectKind::Note: return o.isRest() ? "a rest" : "a note";
    case ObjectKind::Accidental: return "an accidental";
    case ObjectKind::Deleted: return "deleted";
    case ObjectKind::ShortText: return "a short text";
    case ObjectKind::TieLink: return "a tie link";
    case ObjectKind::Line: return "a line";
    case ObjectKind::CurvePoint: return "a curve point";
    case ObjectKind::Symbol: return "a symbol";
    case ObjectKind::Arpeggio: return "an arpeggio";
    case ObjectKind::LongText: return "a long text";
    case ObjectKind::Hairpin: return "a hairpin";
    case ObjectKind::Shape: return "a shape";
    default: return "of an unknown kind";
    }
}

class Checker {
  public:
    explicit Checker(const Stave& s) : s_(s), count_(std::min<int>(s.Nobjec, ObjectSlots - 1)) {}

    // A link from object i (`what`) to j; j must exist and be accepted by `right`,
    // described by `expected` when it is not. Returns whether j can be followed.
    template <class Pred> bool target(int i, const char* what, int j, Pred right, const char* expected) {
        if (j == 0) return false;
        const std::string head = "object " + std::to_string(i) + ": " + what + " " + std::to_string(j);
        if (j < 1 || j > count_) {
            report(head + ", beyond the " + std::to_string(count_) + " objects of the stave");
            return false;
        }
        const ScoreObject& o = s_.object(j);
        if (!right(o)) {
            report(head + ", which is " + kindName(o) + ", not " + expected);
            return false;
        }
        return true;
    }

    // A two-way link: i's byte `mine` names j, whose byte `theirs` must name i.
    template <class Pred>
    void pair(int i, const char* what, int mine, int theirs, Pred right, const char* expected) {
        const int j = s_.object(i).u8(mine);
        if (!target(i, what, j, right, expected)) return;
        const int back = s_.object(j).u8(theirs);
        if (back != i)
            report("object " + std::to_string(i) + ": " + what + " " + std::to_string(j) +
                   ", which links back to " + std::to_string(back));
    }

    std::vector<std::string> run() {
        const auto isNoteOrRest = [](const ScoreObject& o) { return o.is(ObjectKind::Note); };
        const auto isCurve = [](const ScoreObject& o) { return o.is(ObjectKind::CurvePoint); };
        const auto isChunk = [](const ScoreObject& o) {
            return o.is(ObjectKind::LongText) && o.isContinuation();
        };
        std::vector<int> chunkReferences(static_cast<std::size_t>(count_) + 1, 0);
        for (int i = 1; i <= count_; ++i) {
            const ScoreObject& o = s_.object(i);
            switch (o.kind()) {
            case ObjectKind::Note:
                pair(i, "beam back to", 10, 11, isNoteOrRest, "a note or rest");
                pair(i, "beam forward to", 11, 10, isNoteOrRest, "a note or rest");
                pair(i, "tied from", 15, 16, isNoteOrRest, "a note");
                pair(i, "tied to", 16, 15, isNoteOrRest, "a note");
                break;
            case ObjectKind::TieLink: {
                const bool first = target(i, "tie link to first note", o.tieFirst(), isNoteOrRest, "a note");
                const bool second =
                    target(i, "tie link to second note", o.tieSecond(), isNoteOrRest, "a note");
                if (first && second &&
                    (s_.object(o.tieFirst()).tiedTo() != o.tieSecond() ||
                     s_.object(o.tieSecond()).tiedFrom() != o.tieFirst()))
                    report("object " + std::to_string(i) + ": tie link between " +
                           std::to_string(o.tieFirst()) + " and " + std::to_string(o.tieSecond()) +
                           ", which are not tied to each other");
                break;
            }
            case ObjectKind::CurvePoint:
                pair(i, "curve next to", 7, 8, isCurve, "a curve point");
                pair(i, "curve previous to", 8, 7, isCurve, "a curve point");
                break;
            case ObjectKind::LongText:
                if (target(i, "text next to", o.textNext(), isChunk, "a continuation chunk"))
                    ++chunkReferences[static_cast<std::size_t>(o.textNext())];
                break;
            default: break;
            }
        }
        for (int i = 1; i <= count_; ++i) {
            const ScoreObject& o = s_.object(i);
            if (!o.is(ObjectKind::LongText) || !o.isContinuation()) continue;
            const int refs = chunkReferences[static_cast<std::size_t>(i)];
            if (refs != 1)
                report("object " + std::to_string(i) + ": continuation chunk reached from " +
                       std::to_string(refs) + " chunks");
        }
        return std::move(found_);
    }

  private:
    void report(std::string text) { found_.push_back(std::move(text)); }
    const Stave& s_;
    int count_;
    std::vector<std::string> found_;
};

} // namespace

std::vector<std::string> brokenLinks(const Stave& stave) {
    return Checker(stave).run();
}

} // namespace qv
