// Loading NoteWorthy 2 files: what the header, staves and each kind of object
// become, the page and its messages, and damaged files refused whole.

#include "files/loader.h"
#include "files/noteworthy.h"
#include "files/scorefilewrite.h"
#include "model/staveops.h"
#include "model/tpagedata.h"
#include "render/glyphcatalogue.h"
#include "support/noteworthywriter.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

using namespace qv;
using namespace qv::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A printer of 600 dots per inch on a letter sheet with a tenth of an inch it cannot print
// all round; or one that refuses to tell its page size.
class FakePrinter : public PrinterDevice {
  public:
    explicit FakePrinter(bool answers) : answers_(answers) {}
    void setLandscape(bool) override {}
    bool landscape() const override { return false; }
    int resolutionX() const override { return 600; }
    int resolutionY() const override { return 600; }
    std::optional<Size> physicalSize() const override { return answers_ ? std::optional<Size>{{5100, 6600}} : std::nullopt; }
    Size printingOffset() const override { return {60, 60}; }
    Size printableSize() const override { return {4980, 6480}; }

  private:
    bool answers_;
};

class NoteWorthy : public ::testing::Test {
  protected:
    bool load(const NoteWorthyFile& file, Score& out, PrinterDevice* printer = nullptr) {
        LoadOptions options;
        options.printer = printer;
        return loadScoreBytes(file.bytes(), "song.NWC", options, ui, out);
    }
    // The file of one stave at 60 holding `objects`, loaded; the stave's Ycoord afterwards.
    Score loadOne(const std::vector<ScoreObject>& objects) {
        NoteWorthyFile file;
        file.staves = {NoteWorthyStave{}};
        file.staves[0].objects = objects;
        Score s;
        EXPECT_TRUE(load(file, s)) << ui.lastText();
        return s;
    }
    ScriptedUi ui;
};

const ScoreObject& onlyOfKind(const Stave& s, ObjectKind kind, int nth = 0) {
    for (int i = 1; i <= s.Nobjec; ++i)
        if (s.object(i).is(kind) && nth-- == 0) return s.object(i);
    static const ScoreObject none = makeObject(ObjectKind::Deleted);
    ADD_FAILURE() << "no object of kind " << int(kind);
    return none;
}

TEST_F(NoteWorthy, TheHeaderGivesThePrintersPageOrTheFallbackWithItsMessagesInOrder) {
    NoteWorthyFile file;
    file.spacing = 4, file.pulse = 5, file.beamang = 12;
    file.headerHundredths = 50, file.footerHundredths = 25;
    file.staves = {NoteWorthyStave{}};
    FakePrinter printer(true), refusing(false);
    Score none, good, refused;
    ASSERT_TRUE(load(file, none));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, NoPrinterMessage);
    EXPECT_EQ(ui.messages[1].text, TranslatingWithoutPrinter);
    EXPECT_EQ(ui.messages[1].type, MessageType::Warning);
    ASSERT_TRUE(load(file, refused, &refusing));
    EXPECT_EQ(ui.messages.size(), 4u);
    ASSERT_TRUE(load(file, good, &printer));
    ASSERT_EQ(ui.messages.size(), 5u);
    EXPECT_EQ(ui.messages[4].type, MessageType::Information);
    EXPECT_NE(ui.lastText().find("largest which your current printer can handle"), std::string::npos);

    PageData fallback = fallbackPage();
    fallback.Header = 0.5, fallback.Footer = 0.25;
    EXPECT_EQ(none.page, fallback);
    EXPECT_EQ(refused.page, fallback);
    EXPECT_DOUBLE_EQ(good.page.Width, 8.5);
    EXPECT_DOUBLE_EQ(good.page.Length, 11.0);
    EXPECT_DOUBLE_EQ(good.page.RightM, 0.1);
    EXPECT_DOUBLE_EQ(good.page.Footer, 0.25);
    for (const Score* s : {&none, &good}) {
        EXPECT_DOUBLE_EQ(s->StvSiz, 1.0 / 3.0);
        EXPECT_TRUE(s->naturalsInKeyChange && !s->Facing && !s->modified);
        EXPECT_EQ(s->Spacing * 100 + s->Pulse * 10, 450);
        EXPECT_EQ(s->Beamang, 12);
        EXPECT_EQ(s->NumFonts, 5);
        EXPECT_TRUE(s->fonts.inUse(5) && !s->fonts.inUse(6));
        EXPECT_EQ(s->fonts.font(3), (FontDesc{"Courier New", 8, FontBold | FontItalic, 0}));
        EXPECT_EQ(s->fonts.font(5), (FontDesc{"Times New Roman", 37, FontBold, 0}));
    }
}

TEST_F(NoteWorthy, StavesSpreadByAThirdAndTheFirstEndsTenBelowTheTop) {
    NoteWorthyFile file;
    NoteWorthyStave first, second, third;
    first.system = first.braced = true;
    second.Ycoord = 120, second.pageBreak = true;
    third.Ycoord = 150, third.system = third.pageBreak = true;
    file.staves = {first, second, third};
    Score s;
    ASSERT_TRUE(load(file, s));
    EXPECT_EQ(s.stave(2).Ycoord - s.stave(1).Ycoord, 80);
    EXPECT_EQ(s.stave(3).Ycoord - s.stave(1).Ycoord, 120);
    EXPECT_EQ(s.stave(1).MinY, 10);
    const Stave &a = s.stave(1), &b = s.stave(2), &c = s.stave(3);
    EXPECT_TRUE(a.joinToNext && a.bracketWithNext && a.brace && a.barLineThrough && a.bracket && !a.ForcedBk);
    EXPECT_TRUE(!b.joinToNext && !b.brace && b.bracket && b.ForcedBk && !b.invisible);
    EXPECT_TRUE(c.joinToNext && !c.ForcedBk) << "a stave joined to the next has no page break";
    EXPECT_EQ(a.RightX, 600);
    EXPECT_EQ(a.PageNum, 1);
    EXPECT_EQ(a.paramA + a.paramB, 40);
    EXPECT_TRUE(s.stave(0).invisible);
}

TEST_F(NoteWorthy, EachKindMovesToWhereOurDrawersExpectIt) {
    const auto at = [](ObjectKind kind, int x, int y) { return makeObject(kind, x, y); };
    ScoreObject note = at(ObjectKind::Note, 100, 54), quaver = at(ObjectKind::Note, 300, 60);
    note.setDuration(3), note.setStaffPosition(2), note.setStemExtra(3), note.setSymbolCode(0);
    quaver.setDuration(4), quaver.setHeadStyle(2);
    ScoreObject clef = at(ObjectKind::Clef, 10, 70), change = at(ObjectKind::Clef, 200, 80);
    change.setClefType(1);
    ScoreObject single = at(ObjectKind::Barline, 100, 0), dbl = single, end = single, repeat = single;
    single.setU8(7, 9), dbl.setBarType(1), end.setBarType(5), repeat.setBarType(2);
    ScoreObject accidental = at(ObjectKind::Accidental, 100, 0), line = at(ObjectKind::Line, 100, 51);
    accidental.setAccPosition(3);
    line.setLineDx(100), line.setLineDy(30), line.setLineThickness(3), line.setLineStyle(2);
    ScoreObject p1 = at(ObjectKind::CurvePoint, 100, 50), p2 = at(ObjectKind::CurvePoint, 200, 50);
    p1.setCurveNext(2), p2.setCurvePrev(1), p1.setCurveThickness(3), p1.setCurveDotted(true);
    ScoreObject symbol = at(ObjectKind::Symbol, 100, 40);
    symbol.setRepeats(3), symbol.setStepDx(10);
    ScoreObject title = noteWorthyText(100, 30, 5, {'T'});

    struct Case {
        std::vector<ScoreObject> objects;
        ObjectKind kind;
        int nth, x, dy; // x and the distance from the middle line afterwards
        std::function<bool(const ScoreObject&)> more;
    };
    const auto any = [](const ScoreObject&) { return true; };
    const std::vector<Case> cases = {
        {{note}, ObjectKind::Note, 0, 77, -8, [](auto& o) { return o.symbolCode() == NoteGlyphTable(3, 0, 0) && o.stemExtra() == 0; }},
        {{quaver}, ObjectKind::Note, 0, 231, 0, any},
        {{clef, change}, ObjectKind::Clef, 0, 10, 0, [](auto& o) { return !o.clefSmall() && o.symbolCode() == 3; }},
        {{clef, change}, ObjectKind::Clef, 1, 156, 0, [](auto& o) { return o.clefSmall() && o.symbolCode() == 6; }},
        {{at(ObjectKind::KeySignature, 100, 60)}, ObjectKind::KeySignature, 0, 86, 0, any},
        {{at(ObjectKind::Glyph, 100, 60)}, ObjectKind::Glyph, 0, 83, 0, any},
        {{at(ObjectKind::Glyph, 100, 63)}, ObjectKind::Glyph, 0, 83, 16, any},
        {{at(ObjectKind::TimeSignature, 100, 70)}, ObjectKind::TimeSignature, 0, 80, 0, any},
        {{single}, ObjectKind::Barline, 0, 76, -80, [](auto& o) { return o.u8(7) == 0; }},
        {{dbl}, ObjectKind::Barline, 0, 80, -80, any},
        {{end}, ObjectKind::Barline, 0, 79, -80, any},
        {{repeat}, ObjectKind::Barline, 0, 77, -80, any},
        {{accidental}, ObjectKind::Accidental, 0, 77, -12, any},
        {{line}, ObjectKind::Line, 0, 77, -12, [](auto& o) {
             return o.lineDx() == 77 && o.lineDy() == 40 && o.lineThickness() == 1 && o.lineStyle() == 0; }},
        {{p1, p2}, ObjectKind::CurvePoint, 0, 76, -13, [](auto& o) { return o.curveThickness() == 1 && !o.curveDotted(); }},
        {{p1, p2}, ObjectKind::CurvePoint, 1, 153, -13, any},
        {{symbol}, ObjectKind::Symbol, 0, 77, -26, [](auto& o) { return o.repeats() + o.stepDx() == 0; }},
        {{title}, ObjectKind::LongText, 0, 77, -54, [](auto& o) { return o.fontNumber() == 5; }},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const Score s = loadOne(c.objects);
        const ScoreObject& o = onlyOfKind(s.stave(1), c.kind, c.nth);
        EXPECT_EQ(o.x(), c.x) << "case " << i;
        EXPECT_EQ(o.y() - s.stave(1).Ycoord, c.dy) << "case " << i;
        EXPECT_TRUE(c.more(o)) << "case " << i;
    }
}

TEST_F(NoteWorthy, ShortTextsBecomeLongTextsAndChordNamesTranspose) {
    const Score s = loadOne({
        noteWorthyText(100, 60, 2, {132, '7'}),                                             // "C7"
        noteWorthyText(200, 60, 1, {'a', 128, 129, 96, 127}),                                // accidentals and signs
        noteWorthyText(300, 60, 3, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 136, 'x'}), // twelve
    });
    const Stave& st = s.stave(1);
    ASSERT_EQ(st.Nobjec, 4) << "one continuation chunk";
    const ScoreObject &chord = onlyOfKind(st, ObjectKind::LongText, 1), &signs = onlyOfKind(st, ObjectKind::LongText, 2);
    ASSERT_TRUE(chord.x() == 78 && signs.x() == 156) << "nudged by font after the chunk at x 0";
    EXPECT_EQ(longTextOf(st, 2), "C7");
    EXPECT_EQ(chord.textAttributes(), TextTransposable);
    EXPECT_EQ(chord.y(), st.Ycoord);
    EXPECT_EQ(longTextOf(st, 3), std::string("a\x8D\x8E\xA3\xA9"));
    EXPECT_EQ(signs.textAttributes(), 0);
    EXPECT_EQ(signs.y(), st.Ycoord - 1);
    const ScoreObject& twelve = onlyOfKind(st, ObjectKind::LongText, 3);
    EXPECT_EQ(twelve.x(), 229);
    ASSERT_EQ(longTextOf(st, 4), "ABCDEFGHIJGx");
    const ScoreObject& chunk = st.object(twelve.textNext());
    EXPECT_EQ(chunk.textAttributes(), TextTransposable | TextContinuation);
    EXPECT_EQ(twelve.textAttributes(), TextTransposable);
}

TEST_F(NoteWorthy, HeaderAndFooterTextsGoOntoTheHeaderFooterStave) {
    NoteWorthyFile file;
    file.staves = {NoteWorthyStave{}};
    file.headerTexts = {noteWorthyText(100, 7, 1, {'H'}), makeObject(ObjectKind::Line, 10, 10)};
    file.footerTexts = {noteWorthyText(200, 5, 1, {'F'})};
    Score s;
    ASSERT_TRUE(load(file, s));
    const Stave& hf = s.stave(0);
    ASSERT_EQ(hf.Nobjec, 2) << "the line is dropped";
    // Long texts, universal like every text there, so that they are printed.
    EXPECT_EQ(longTextOf(hf, 1) + longTextOf(hf, 2), "HF");
    EXPECT_EQ(hf.object(1).textAttributes() & hf.object(2).textAttributes(), TextUniversal);
    EXPECT_EQ(hf.object(1).y(), 7);
    EXPECT_EQ(hf.object(1).x(), 77);
    EXPECT_EQ(hf.object(2).y(), 965); // ten inches of printed page below the top, plus 5
}

TEST_F(NoteWorthy, DamagedFilesAreRefusedWholeWithTheLoadersMessages) {
    NoteWorthyFile good;
    good.staves = {NoteWorthyStave{}, NoteWorthyStave{}};
    good.staves[1].Ycoord = 120;
    good.staves[0].objects = {makeObject(ObjectKind::KeySignature, 10, 60)};
    good.staves[1].objects = {makeObject(ObjectKind::Barline, 10, 0), noteWorthyText(20, 40, 1, {132})};
    using Change = std::function<void(Bytes&)>;
    const std::string bad = "\nFile is bad.";
    const std::vector<std::pair<Change, std::string>> cases = {
        {[](Bytes& b) { b[0] = 0; }, "Problem with the header: no staves" + bad},
        {[](Bytes& b) { b[0] = 7; }, "File read error in song.NWC"},
        {[](Bytes& b) { b.resize(2 * 22); }, "File read error in song.NWC"},
        {[](Bytes& b) { b[22 + 7] = 250; }, "Problem with stave 1: 250 objects" + bad},
        {[](Bytes& b) { b[3 * 22] = 3; }, "Problem with stave 3 at object 1" + bad},
        {[](Bytes& b) { b[3 * 22 + 1] = 0; }, "Problem with stave 1 at object 0" + bad},
        {[](Bytes& b) { b[4 * 22 + 1] = 250; }, "Problem with stave 2 at object 250" + bad},
    };
    const Score sentinel = loadOne({});
    for (const auto& [change, message] : cases) {
        Bytes bytes = good.bytes();
        change(bytes);
        Score out = loadOne({});
        ui.messages.clear();
        EXPECT_FALSE(loadScoreBytes(bytes, "song.NWC", LoadOptions{}, ui, out)) << message;
        ASSERT_EQ(ui.messages.size(), 1u) << "nothing said of a page for a file refused: " << message;
        EXPECT_EQ(ui.lastText(), message);
        EXPECT_TRUE(out.sameContent(sentinel)) << message;
    }
    // Every single bit flipped: refused whole, or a score whose counts hold and which saves.
    const Bytes bytes = good.bytes();
    for (std::size_t bit = 0; bit < bytes.size() * 8; ++bit) {
        Bytes flipped = bytes;
        flipped[bit / 8] ^= std::uint8_t(1u << (bit % 8));
        Score out = loadOne({});
        if (!loadScoreBytes(flipped, "song.NWC", LoadOptions{}, ui, out)) {
            EXPECT_TRUE(out.sameContent(sentinel)) << "bit " << bit;
            continue;
        }
        for (int i = 0; i <= out.Nstaves; ++i)
            EXPECT_LE(out.stave(i).Nobjec, MaxObjects) << "bit " << bit;
        EXPECT_FALSE(encodeScore(out, {0, out.Nstaves}, {}).empty());
    }
}

// The fuzz target's NoteWorthy 2 seeds are files of this writer; with
// QUAVERLY_WRITE_SEEDS set they are written afresh.
TEST(NoteWorthySeeds, TheFuzzSeedsAreTheWritersFiles) {
    NoteWorthyFile small;
    small.headerHundredths = 40, small.footerHundredths = 30;
    small.staves = {NoteWorthyStave{}, NoteWorthyStave{}};
    small.staves[0].system = small.staves[0].braced = true;
    small.staves[1].Ycoord = 120;
    ScoreObject note = makeObject(ObjectKind::Note, 120, 54);
    note.setDuration(4), note.setStaffPosition(2), note.setHeadStyle(2);
    ScoreObject line = makeObject(ObjectKind::Line, 200, 50);
    line.setLineDx(60), line.setLineDy(-9);
    small.staves[0].objects = {makeObject(ObjectKind::Clef, 10, 60), makeObject(ObjectKind::TimeSignature, 40, 60),
                               note, line, noteWorthyText(150, 30, 5, {'T', 'i', 't', 'l', 'e'})};
    small.staves[1].objects = {makeObject(ObjectKind::Barline, 300, 0), noteWorthyText(100, 100, 2, {132, '7'})};
    small.headerTexts = {noteWorthyText(10, 10, 4, {'h', 'e', 'a', 'd'})};
    small.footerTexts = {noteWorthyText(10, 5, 3, {'f', 'o', 'o', 't'})};
    // Every kind the translation changes, on three staves of one system with a page break after.
    NoteWorthyFile kinds = small;
    kinds.staves.push_back(NoteWorthyStave{});
    kinds.staves[1].system = true, kinds.staves[2].Ycoord = 200, kinds.staves[2].pageBreak = true;
    ScoreObject rest = makeObject(ObjectKind::Note, 160, 200), p1 = makeObject(ObjectKind::CurvePoint, 100, 188);
    rest.setRest(true), rest.setDuration(5);
    ScoreObject p2 = makeObject(ObjectKind::CurvePoint, 180, 185), accidental = makeObject(ObjectKind::Accidental, 90, 197);
    p1.setCurveNext(3), p2.setCurvePrev(2), accidental.setAccPosition(1), accidental.setAccValue(1);
    ScoreObject symbol = makeObject(ObjectKind::Symbol, 250, 180);
    symbol.setSymbolCode(70), symbol.setRepeats(4), symbol.setStepDx(12);
    kinds.staves[2].objects = {makeObject(ObjectKind::KeySignature, 20, 200), p1, p2, accidental, rest, symbol,
                               makeObject(ObjectKind::Glyph, 60, 203),
                               noteWorthyText(300, 218, 1, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 128, 96, 127, 133})};
    kinds.staves[2].objects[0].setKeyCount(-2);
    const std::vector<std::pair<std::string, Bytes>> seeds = {{"nw2-small.NWC", small.bytes()},
                                                              {"nw2-kinds.NWC", kinds.bytes()}};
    const std::string corpus = QUAVERLY_SOURCE_DIR "/fuzz/corpus/";
    for (const auto& [name, bytes] : seeds) {
        if (std::getenv("QUAVERLY_WRITE_SEEDS")) writeBytes(corpus + name, bytes);
        EXPECT_EQ(fileBytes(corpus + name), bytes) << name << ": set QUAVERLY_WRITE_SEEDS to write it afresh";
    }
}

} // namespace
