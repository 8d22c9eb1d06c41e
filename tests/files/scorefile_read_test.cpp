// Reading hand-made files: field mapping, the older versions, stave and object
// rules, and the refusals by magic and version.

#include "files/scorefileread.h"
#include "model/bytes.h"
#include "model/score.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qv;
using namespace qv::test;

namespace {

// Builds a file record by record, with the fields a test names and the rest plain.
class FileBuilder {
  public:
    std::uint8_t* add() {
        bytes.resize(bytes.size() + RecordSize, 0);
        return bytes.data() + bytes.size() - RecordSize;
    }
    std::uint8_t* header(int nstaves, int version = 303, std::uint8_t flags = 0, int numFonts = 1) {
        std::uint8_t* r = add();
        r[0] = static_cast<std::uint8_t>(nstaves);
        r[1] = 'q';
        r[2] = 'V';
        r[3] = flags;
        r[4] = 'K';
        r[5] = 3;
        r[6] = 3;
        r[7] = 10;
        putU16(r + 8, static_cast<std::uint16_t>(version));
        r[10] = 1;
        r[17] = 96;
        putU16(r + 20, static_cast<std::uint16_t>(numFonts));
        return r;
    }
    std::uint8_t* page(int stvSiz = 333) {
        std::uint8_t* r = add();
        putU16(r + 0, 11000);
        putU16(r + 2, 8250);
        putU16(r + 19, static_cast<std::uint16_t>(stvSiz));
        return r;
    }
    void font(int n, const std::string& first, const std::string& second = "", int size = 12) {
        std::uint8_t* a = add();
        a[0] = static_cast<std::uint8_t>(n);
        putRecordString(a + 1, 20, first);
        std::uint8_t* b = add();
        putRecordString(b, 12, second);
        putU16(b + 13, static_cast<std::uint16_t>(size));
    }
    std::uint8_t* stave(int ycoord, int nobjec = 0, std::uint8_t bits = 5 << 1) {
        std::uint8_t* r = add();
        putI16(r, static_cast<std::int16_t>(ycoord));
        r[7] = static_cast<std::uint8_t>(nobjec);
        r[15] = bits;
        r[18] = r[19] = 20;
        return r;
    }
    void object(int stave, int index, const ScoreObject& o) {
        std::uint8_t* r = add();
        r[0] = static_cast<std::uint8_t>(stave);
        r[1] = static_cast<std::uint8_t>(index);
        std::copy(o.bytes.begin(), o.bytes.end(), r + 2);
    }

    std::vector<std::uint8_t> bytes;
};

// The plain start of a whole 303 file: header, page, font 1, header/footer stave.
FileBuilder wholeFile(int nstaves) {
    FileBuilder f;
    f.header(nstaves);
    f.page();
    f.font(1, "Arial");
    f.stave(0, 0, 0x80 | 1);
    return f;
}

struct Loaded {
    ReadResult result;
    Score score;
    ScriptedUi ui;
};

std::unique_ptr<Loaded> load(const FileBuilder& f, ReadOptions options = {}) {
    auto l = std::make_unique<Loaded>();
    l->result = readScore(f.bytes, "TEST.QVR", options, l->ui, l->score);
    return l;
}

} // namespace

TEST(ScoreFileRead, HeaderAndPageValues) {
    FileBuilder f;
    std::uint8_t* h = f.header(1);
    h[3] = FlagNaturalsInKeyChange;
    h[5] = 5;
    h[6] = 2;
    h[7] = 20;
    putU16(h + 11, 750);
    putU16(h + 13, 1250);
    h[17] = 120;
    std::uint8_t* p = f.page(400);
    putU16(p + 4, 600);
    putU16(p + 6, 700);
    putU16(p + 8, 800);
    putU16(p + 10, 900);
    putU16(p + 12, 125);
    putI16(p + 14, -12);
    putU16(p + 16, 640);
    p[18] = 1;
    p[21] = 1;
    f.font(1, "Arial");
    f.stave(0, 0, 0x81);
    f.stave(40);
    const auto l = load(f);
    ASSERT_EQ(l->result.status, ReadStatus::Ok);
    const Score& s = l->score;
    EXPECT_TRUE(s.naturalsInKeyChange);
    EXPECT_EQ(s.Spacing, 5);
    EXPECT_EQ(s.Pulse, 2);
    EXPECT_EQ(s.Beamang, 20);
    EXPECT_DOUBLE_EQ(s.beamSlopeLimit, std::tan(20 / 57.3));
    EXPECT_EQ(s.FileVer, 303);
    EXPECT_DOUBLE_EQ(s.page.Header, 0.75);
    EXPECT_DOUBLE_EQ(s.page.Footer, 1.25);
    EXPECT_DOUBLE_EQ(s.page.Length, 11.0);
    EXPECT_DOUBLE_EQ(s.page.Width, 8.25);
    EXPECT_DOUBLE_EQ(s.page.TopM, 0.6);
    EXPECT_DOUBLE_EQ(s.page.RightM, 0.7);
    EXPECT_DOUBLE_EQ(s.page.LeftM, 0.8);
    EXPECT_DOUBLE_EQ(s.page.BotM, 0.9);
    EXPECT_DOUBLE_EQ(s.page.GutM, 0.125);
    EXPECT_EQ(s.LeftStv, -12);
    EXPECT_EQ(s.RightStv, 640);
    EXPECT_TRUE(s.Facing);
    EXPECT_DOUBLE_EQ(s.StvSiz, 0.4);
    EXPECT_TRUE(s.page.landscape);
    EXPECT_EQ(l->result.screenResolution, 120);
}

TEST(ScoreFileRead, LoadingReplacesTheContentsButKeepsTheHooks) {
    FileBuilder f = wholeFile(1);
    f.stave(40);
    Score out;
    out.setStaveCount(4);
    out.modified = true;
    int undoCalls = 0;
    out.hooks.recordUndo = [&](Score&, int) { ++undoCalls; };
    ScriptedUi ui;
    ASSERT_EQ(readScore(f.bytes, "F.QVR", {}, ui, out).status, ReadStatus::Ok);
    EXPECT_EQ(out.Nstaves, 1);
    EXPECT_FALSE(out.hasStave(2));
    EXPECT_FALSE(out.modified);
    ASSERT_TRUE(out.hooks.recordUndo);
    out.hooks.recordUndo(out, 1);
    EXPECT_EQ(undoCalls, 1);
}

TEST(ScoreFileRead, StaveSizeIsHeldBetweenPointTwoAndPointSixInches) {
    for (const auto& [stored, inches] :
         {std::pair{150, 0.2}, {700, 0.6}, {200, 0.2}, {600, 0.6}, {333, 0.333}}) {
        FileBuilder f;
        f.header(1);
        f.page(stored);
        f.font(1, "Arial");
        f.stave(0, 0, 0x80);
        f.stave(40);
        EXPECT_DOUBLE_EQ(load(f)->score.StvSiz, inches) << stored;
    }
}

TEST(ScoreFileRead, StaveFieldsAreSignExtendedAndDefaulted) {
    FileBuilder f = wholeFile(2);
    std::uint8_t* r = f.stave(-5, 0, 1); // invisible, line value 0
    putI16(r + 2, 300);
    putI16(r + 4, -60);
    r[6] = CFlagBracket | CFlagBarLineThrough | CFlagBracketWithNext;
    putI16(r + 8, -4);
    putI16(r + 10, 700);
    r[13] = 2; // only 1 means a page break
    r[14] = 7;
    putU16(r + 16, 0xABCD);
    r[18] = 0;
    r[19] = 0xFD;
    std::uint8_t* second = f.stave(12, 0, (15 << 1) | 0x60);
    second[13] = 1;
    second[6] = CFlagJoinToNext | CFlagBrace | CFlagFullEndBar;
    const auto l = load(f);
    ASSERT_EQ(l->result.status, ReadStatus::Ok);

    const Stave& s = l->score.stave(1);
    EXPECT_EQ(s.Ycoord, -5);
    EXPECT_EQ(s.MaxY, 300);
    EXPECT_EQ(s.MinY, -60);
    EXPECT_EQ(s.CFlag(), CFlagBracket | CFlagBarLineThrough | CFlagBracketWithNext);
    EXPECT_EQ(s.LeftX, -4);
    EXPECT_EQ(s.RightX, 700);
    EXPECT_FALSE(s.ForcedBk);
    EXPECT_EQ(s.PageNum, 7);
    EXPECT_TRUE(s.invisible);
    EXPECT_EQ(s.lineValue, 5);
    EXPECT_EQ(s.staveWord, 0xABCD);
    EXPECT_EQ(s.paramA, 20);
    EXPECT_EQ(s.paramB, -3);
    EXPECT_EQ(s.staveNumber, 1);

    const Stave& t = l->score.stave(2);
    EXPECT_EQ(t.CFlag(), CFlagJoinToNext | CFlagBrace | CFlagFullEndBar);
    EXPECT_TRUE(t.ForcedBk);
    EXPECT_FALSE(t.invisible);
    EXPECT_EQ(t.lineValue, 15);
    EXPECT_EQ(t.staveNumber, 2);
}

TEST(ScoreFileRead, HeaderFooterStaveBitMakesYcoordZero) {
    FileBuilder f;
    f.header(1);
    f.page();
    f.font(1, "Arial");
    f.stave(12, 0, 0x80);
    f.stave(14, 0, 0x80); // even on a music stave the bit wins
    const auto l = load(f);
    EXPECT_EQ(l->score.stave(0).Ycoord, 0);
    EXPECT_EQ(l->score.stave(1).Ycoord, 0);
    EXPECT_FALSE(l->score.stave(0).invisible);
}

TEST(ScoreFileRead, FontsTakeTheirNumberNameSizeStyleAndColour) {
    FileBuilder f;
    f.header(1, 303, 0, 2);
    f.page();
    f.font(2, "ABCDEFGHIJKLMNOPQRST", "UVWXYZabcde", 14);
    f.bytes[f.bytes.size() - RecordSize + 15] = FontItalic | FontUnderline;
    putU32(&f.bytes[f.bytes.size() - RecordSize + 16], 0x00336699);
    f.font(1, "Courier New", "", 10);
    f.stave(0, 0, 0x80);
    f.stave(40);
    Score out;
    for (int n = 1; n <= 6; ++n)
        out.fonts.markInUse(n);
    ScriptedUi ui;
    ASSERT_EQ(readScore(f.bytes, "F.QVR", {}, ui, out).status, ReadStatus::Ok);
    EXPECT_EQ(out.fonts.font(2),
              (FontDesc{"ABCDEFGHIJKLMNOPQRSTUVWXYZabcde", 14, FontItalic | FontUnderline, 0x00336699}));
    EXPECT_EQ(out.fonts.font(1).name, "Courier New");
    EXPECT_EQ(out.NumFonts, 2);
    EXPECT_EQ(out.fonts.highestInUse(), 2);
    EXPECT_TRUE(out.fonts.inUse(1));
}

TEST(ScoreFileRead, FontSizesFollowTheSizeFactorRoundedToEven) {
    FileBuilder f;
    f.header(1, 303, 0, 3);
    f.page();
    f.font(1, "A", "", 12);
    f.font(2, "B", "", 10); // 12.5 goes down to 12
    f.font(3, "C", "", 14); // 17.5 goes up to 18
    f.stave(0, 0, 0x80);
    f.stave(40);
    const auto scaled = load(f, ReadOptions{1.25, 96});
    EXPECT_EQ(scaled->score.fonts.font(1).size, 15);
    EXPECT_EQ(scaled->score.fonts.font(2).size, 12);
    EXPECT_EQ(scaled->score.fonts.font(3).size, 18);
    EXPECT_EQ(load(f)->score.fonts.font(2).size, 10);
}

TEST(ScoreFileRead, Version301CreatesAnEmptyInvisibleHeaderFooterStave) {
    FileBuilder f;
    f.header(2, 301)[17] = 77; // no resolution byte in this version: ignored
    f.page();
    f.font(1, "Arial");
    f.stave(40, 1);
    f.stave(88);
    f.object(1, 1, makeObject(ObjectKind::Barline, 50, 40));
    const auto l = load(f, ReadOptions{1.0, 120});
    ASSERT_EQ(l->result.status, ReadStatus::Ok);
    EXPECT_EQ(l->score.FileVer, 301);
    EXPECT_EQ(l->result.screenResolution, 120);
    Stave empty;
    empty.invisible = true;
    EXPECT_EQ(l->score.stave(0), empty);
    EXPECT_EQ(l->score.stave(1).Ycoord, 40);
    EXPECT_EQ(l->score.stave(2).Ycoord, 88);
    EXPECT_EQ(l->score.stave(1).object(1).x(), 50);
}

TEST(ScoreFileRead, Version302StoresTheHeaderFooterStaveUnlessPartial) {
    FileBuilder whole;
    whole.header(1, 302)[17] = 77;
    whole.page();
    whole.font(1, "Arial");
    whole.stave(0, 1, 0x80);
    whole.stave(40);
    whole.object(0, 1, makeObject(ObjectKind::Line, 5, 5));
    const auto w = load(whole);
    ASSERT_EQ(w->result.status, ReadStatus::Ok);
    EXPECT_EQ(w->score.stave(0).Nobjec, 1);
    EXPECT_FALSE(w->score.stave(0).invisible);
    EXPECT_EQ(w->result.screenResolution, DefaultScreenResolution);

    FileBuilder partial;
    partial.header(1, 302, FlagPartial);
    partial.page();
    partial.font(1, "Arial");
    partial.stave(40);
    const auto p = load(partial);
    ASSERT_EQ(p->result.status, ReadStatus::Ok);
    EXPECT_TRUE(p->score.stave(0).invisible);
    EXPECT_EQ(p->score.stave(1).Ycoord, 40);
}

TEST(ScoreFileRead, LaterVersionsAreReadAsFarAsTheyFollowTheFormat) {
    FileBuilder f = wholeFile(1);
    putU16(f.bytes.data() + 8, 304);
    f.stave(40, 1);
    f.object(1, 1, makeObject(ObjectKind::Clef, 3, 40));
    const auto l = load(f);
    ASSERT_EQ(l->result.status, ReadStatus::Ok);
    EXPECT_EQ(l->score.FileVer, 304);
    EXPECT_EQ(l->score.stave(1).object(1).kind(), ObjectKind::Clef);
}

TEST(ScoreFileRead, TemplateDescriptionIsKept) {
    FileBuilder f;
    f.header(1, 303, FlagPartial | FlagTemplate | FlagDescription);
    f.page();
    putRecordString(f.add(), 21, "Choir and organ");
    f.font(1, "Arial");
    f.stave(40);
    const auto l = load(f);
    ASSERT_EQ(l->result.status, ReadStatus::Ok);
    EXPECT_EQ(l->score.description, "Choir and organ");
    EXPECT_TRUE(l->result.header.isTemplate());
    EXPECT_TRUE(l->result.header.partial());
}

TEST(ScoreFileRead, AccidentalTakesItsStaffPositionFromItsHeight) {
    FileBuilder f = wholeFile(1);
    f.stave(66, 2);
    ScoreObject above = makeObject(ObjectKind::Accidental, 10, 57);
    above.setAccPosition(99);
    ScoreObject below = makeObject(ObjectKind::Accidental, 20, 75);
    f.object(1, 1, above);
    f.object(1, 2, below);
    const auto l = load(f);
    EXPECT_EQ(l->score.stave(1).object(1).accPosition(), 2);  // 9 / 4
    EXPECT_EQ(l->score.stave(1).object(2).accPosition(), -2); // -9 / 4, truncated toward zero
}

TEST(ScoreFileRead, ObjectBeyondTheStaveCountRaisesItAfterAMessage) {
    FileBuilder f = wholeFile(1);
    f.stave(40, 5);
    for (int i = 1; i <= 5; ++i)
        f.object(1, i, makeObject(ObjectKind::Barline, 10 * i, 40));
    f.object(1, 7, makeObject(ObjectKind::Clef, 80, 40));
    const auto l = load(f);
    ASSERT_EQ(l->result.status, ReadStatus::Ok);
    EXPECT_EQ(l->score.stave(1).Nobjec, 7);
    EXPECT_EQ(l->score.stave(1).object(7).x(), 80);
    // Slot 6 had no record: it is no clef at (0, 0) but a deleted object, and says so.
    EXPECT_EQ(l->score.stave(1).object(6), makeObject(ObjectKind::Deleted));
    ASSERT_EQ(l->ui.messages.size(), 2u);
    EXPECT_EQ(l->ui.messages[0].type, MessageType::Error);
    EXPECT_EQ(l->ui.messages[0].text, "Problem with stave 1 at object 7\nFile is bad.");
    EXPECT_EQ(l->ui.messages[1].text, "Problem with stave 1: 1 object missing\nFile is bad.");
}

TEST(ScoreFileRead, ObjectsOfAPartialFileCountFromTheFirstStoredStave) {
    FileBuilder f;
    f.header(2, 303, FlagPartial);
    f.page();
    f.font(1, "Arial");
    f.stave(40, 1);
    f.stave(88, 1);
    f.object(1, 1, makeObject(ObjectKind::Barline, 11, 40));
    f.object(2, 1, makeObject(ObjectKind::Barline, 22, 88));
    const auto l = load(f);
    ASSERT_EQ(l->result.status, ReadStatus::Ok);
    EXPECT_EQ(l->score.Nstaves, 2);
    EXPECT_EQ(l->score.stave(1).object(1).x(), 11);
    EXPECT_EQ(l->score.stave(2).object(1).x(), 22);
    EXPECT_TRUE(l->ui.messages.empty());
}

TEST(ScoreFileRead, MagicAndVersionDecideWhatTheFileIs) {
    FileBuilder notOurs = wholeFile(1);
    notOurs.bytes[1] = 'x';
    const auto a = load(notOurs);
    EXPECT_EQ(a->result.status, ReadStatus::NotScoreFile);
    EXPECT_EQ(a->result.message, NotScoreFileMessage);

    FileBuilder noK = wholeFile(1); // loading looks at "qV" alone
    noK.bytes[4] = 'x';
    noK.stave(40);
    EXPECT_EQ(load(noK)->result.status, ReadStatus::Ok);

    for (int version : {200, 300}) {
        FileBuilder nw = wholeFile(1);
        putU16(nw.bytes.data() + 8, static_cast<std::uint16_t>(version));
        const auto b = load(nw);
        EXPECT_EQ(b->result.status, ReadStatus::NoteWorthy) << version;
        EXPECT_EQ(b->result.message, "NoteWorthy 2 files cannot be read by this version of Quaverly 32.");
        EXPECT_EQ(b->result.header.FileVer, version);
        EXPECT_EQ(b->score.Nstaves, 0);
    }
}
