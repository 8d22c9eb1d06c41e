// The link check: a sound stave passes, and each kind of broken link is named.

#include "model/linkcheck.h"
#include "support/scorebuilder.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::append;
using test::makeNote;

// Two beamed and tied notes, a tie link, a two-point curve and a two-chunk text.
Stave soundStave() {
    Stave s;
    const int a = append(s, makeNote(100, 0));
    const int b = append(s, makeNote(130, 0));
    s.object(a).setBeamForward(b), s.object(b).setBeamBack(a);
    s.object(a).setTiedTo(b), s.object(b).setTiedFrom(a);
    ScoreObject tie = makeObject(ObjectKind::TieLink, 110, 0);
    tie.setTieFirst(a), tie.setTieSecond(b);
    append(s, tie);
    const int p = append(s, makeObject(ObjectKind::CurvePoint, 100, -20));
    const int q = append(s, makeObject(ObjectKind::CurvePoint, 140, -20));
    s.object(p).setCurveNext(q), s.object(q).setCurvePrev(p);
    const int head = append(s, test::makeTextHead(50, -30, 1, "0123456789"));
    const int chunk = append(s, test::makeTextHead(50, -30, 1, "ab", TextContinuation));
    s.object(head).setTextNext(chunk);
    return s;
}

TEST(LinkCheck, ASoundStavePassesAndEachBreakageIsNamed) {
    EXPECT_TRUE(brokenLinks(soundStave()).empty());

    const struct {
        const char* name;
        void (*breakIt)(Stave&);
        const char* expected;
    } cases[] = {
        {"beam forward to a missing object", [](Stave& s) { s.object(1).setBeamForward(40); },
         "object 1: beam forward to 40, beyond the 7 objects of the stave"},
        {"beam back not answered", [](Stave& s) { s.object(1).setBeamForward(0); },
         "object 2: beam back to 1, which links back to 0"},
        {"tie to a curve point", [](Stave& s) { s.object(1).setTiedTo(4); },
         "object 1: tied to 4, which is a curve point, not a note"},
        {"tie from a deleted note", [](Stave& s) { s.object(1).setKind(ObjectKind::Deleted); },
         "object 2: beam back to 1, which is deleted, not a note or rest"},
        {"tie link between untied notes",
         [](Stave& s) { s.object(1).setTiedTo(0), s.object(2).setTiedFrom(0); },
         "object 3: tie link between 1 and 2, which are not tied to each other"},
        {"curve next not answered", [](Stave& s) { s.object(5).setCurvePrev(0); },
         "object 4: curve next to 5, which links back to 0"},
        {"text next to a head", [](Stave& s) { s.object(7).setTextAttributes(0); },
         "object 6: text next to 7, which is a long text, not a continuation chunk"},
        {"orphan chunk", [](Stave& s) { s.object(6).setTextNext(0); },
         "object 7: continuation chunk reached from 0 chunks"},
    };
    for (const auto& c : cases) {
        Stave s = soundStave();
        c.breakIt(s);
        const std::vector<std::string> found = brokenLinks(s);
        EXPECT_NE(std::find(found.begin(), found.end(), c.expected), found.end())
            << c.name << ": " << (found.empty() ? std::string("nothing found") : found.front());
    }
}

} // namespace
} // namespace qv
