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
#include <functional>

using namespace qv;
using namespace qv::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

// 600 dots per inch on a letter sheet, a tenth of an inch unprintable all round; or
// a printer that will not tell its page size.
class FakePrinter : public PrinterDevice {
  public:
    explicit FakePrinter(bool answers) : answers_(answers) {}
    void setLandscape(bool) override {}
    bool landscape() const override { return false; }
    int resolutionX() const override { return 600; }
    int resolutionY() const override { return 600; }
    std::optional<Size> physicalSize() const override {
        return answers_ ? std::optional<Size>{{5100, 6600}} : std::nullopt;
    }
    Size printingOffset() const override { return {60, 60}; }
    Size printableSize() const override { return {4980, 6480}; }

  private:
    bool answers_;
};

ScoreObject at(ObjectKind kind, int x, int y, std::function<void(ScoreObject&)> set = {}) {
    ScoreObject o = makeObject(kind, x, y);
    if (set) set(o);
    return o;
}

// Two staves at 60 and 120, the first joined to the second with a brace; a header
// text, a line that has no place on the header/footer stave, a footer text at 5; a
// chord "C7" on stave 2.
NoteWorthyFile sample() {
    NoteWorthyFile f;
    f.spacing = 4, f.pulse = 5, f.beamang = 12, f.headerHundredths = 50;
    f.staves = {NoteWorthyStave{}, NoteWorthyStave{}};
    f.staves[0].system = f.staves[0].braced = true;
    f.staves[1].Ycoord = 120, f.staves[1].pageBreak = true;
    f.staves[0].objects = {at(ObjectKind::Clef, 10, 70), at(ObjectKind::TimeSignature, 40, 60)};
    f.staves[1].objects = {at(ObjectKind::Barline, 300, 0), noteWorthyText(100, 120, 2, {132, '7'})};
    f.headerTexts = {noteWorthyText(100, 7, 1, {'H'}), at(ObjectKind::Line, 10, 10)};
    f.footerTexts = {noteWorthyText(200, 5, 1, {'F'})};
    return f;
}

// One of every kind the final pass moves, with where it ends: x, and y less the
// stave's Ycoord (the stave is at 60; 3 of NoteWorthy 2's units down are 4 of ours).
struct KindCase {
    ScoreObject object;
    int x, dy;
    std::function<bool(const ScoreObject&)> more = [](const ScoreObject&) { return true; };
};
std::vector<KindCase> kindCases() {
    using K = ObjectKind;
    return {
        {at(K::Clef, 10, 70), 10, 0, [](auto& o) { return !o.clefSmall() && o.symbolCode() == 3; }},
        {at(K::KeySignature, 20, 60), 24, 0},
        {at(K::TimeSignature, 40, 70), 34, 0},
        {at(K::Note, 100, 54, [](auto& o) { o.setDuration(3), o.setStaffPosition(2), o.setStemExtra(3); }),
         77, -8, [](auto& o) { return o.symbolCode() == NoteGlyphTable(3, 0, 0) && o.stemExtra() == 0; }},
        {at(K::Note, 110, 60, [](auto& o) { o.setDuration(4), o.setHeadStyle(2); }), 85, 0},
        {at(K::Glyph, 120, 60), 98, 0},
        {at(K::Glyph, 130, 63), 106, 16},
        {at(K::Barline, 150, 0, [](auto& o) { o.setU8(7, 9); }), 114, -80,
         [](auto& o) { return o.u8(7) == 0; }},
        {at(K::Barline, 160, 0, [](auto& o) { o.setBarType(1); }), 126, -80},
        {at(K::Barline, 170, 0, [](auto& o) { o.setBarType(5); }), 133, -80},
        {at(K::Barline, 180, 0, [](auto& o) { o.setBarType(2); }), 138, -80},
        {at(K::Accidental, 190, 0, [](auto& o) { o.setAccPosition(3); }), 146, -12},
        {at(K::Clef, 200, 80, [](auto& o) { o.setClefType(1); }), 156, 0,
         [](auto& o) { return o.clefSmall() && o.symbolCode() == 6; }},
        {at(K::Line, 210, 51, [](auto& o) { o.setLineDx(100), o.setLineDy(30), o.setLineThickness(3); }), 161,
         -12, [](auto& o) { return o.lineDx() == 77 && o.lineDy() == 40 && o.lineThickness() == 1; }},
        {at(K::CurvePoint, 220, 50, [](auto& o) { o.setCurveNext(16), o.setCurveDotted(true); }), 168, -13,
         [](auto& o) { return o.curveThickness() == 1 && !o.curveDotted(); }},
        {at(K::CurvePoint, 240, 50, [](auto& o) { o.setCurvePrev(15); }), 183, -13},
        {at(K::Symbol, 250, 40, [](auto& o) { o.setRepeats(3), o.setStepDx(10); }), 192, -26,
         [](auto& o) { return o.repeats() + o.stepDx() == 0; }},
        {noteWorthyText(260, 30, 5, {'T'}), 200, -54}, // 11 up for the large font first
    };
}

NoteWorthyFile kindsFile() {
    NoteWorthyFile file;
    file.staves = {NoteWorthyStave{}};
    for (const KindCase& c : kindCases())
        file.staves[0].objects.push_back(c.object);
    return file;
}

class NoteWorthy : public ::testing::Test {
  protected:
    bool load(const Bytes& bytes, Score& out, PrinterDevice* printer = nullptr) {
        LoadOptions options;
        options.printer = printer;
        return loadScoreBytes(bytes, "song.NWC", options, ui, out);
    }
    Score loaded(const NoteWorthyFile& file) {
        Score s;
        EXPECT_TRUE(load(file.bytes(), s)) << ui.lastText();
        return s;
    }
    ScriptedUi ui;
};

TEST_F(NoteWorthy, TheHeaderGivesThePrintersPageOrTheFallbackWithItsMessagesInOrder) {
    FakePrinter printer(true), refusing(false);
    Score none, refused, good;
    ASSERT_TRUE(load(sample().bytes(), none) && load(sample().bytes(), refused, &refusing));
    ASSERT_EQ(ui.messages.size(), 4u);
    EXPECT_EQ(ui.messages[0].text, NoPrinterMessage);
    EXPECT_EQ(ui.messages[1].text, TranslatingWithoutPrinter);
    EXPECT_EQ(ui.messages[3].type, MessageType::Warning);
    ASSERT_TRUE(load(sample().bytes(), good, &printer));
    EXPECT_EQ(ui.messages.size(), 5u);
    EXPECT_TRUE(ui.messages[4].type == MessageType::Information && ui.lastText() == TranslatingWithPrinter);

    PageData fallback = fallbackPage();
    fallback.Header = 0.5;
    EXPECT_TRUE(none.page == fallback && refused.page == fallback);
    EXPECT_DOUBLE_EQ(good.page.Width + good.page.Length + good.page.RightM + good.page.Header, 20.1);
    EXPECT_DOUBLE_EQ(good.StvSiz, 1.0 / 3.0);
    EXPECT_TRUE(good.naturalsInKeyChange && !good.Facing && !good.modified);
    EXPECT_EQ(good.Spacing * 100 + good.Pulse * 10 + good.Beamang, 462);
    EXPECT_TRUE(good.NumFonts == 5 && good.fonts.inUse(5) && !good.fonts.inUse(6));
    EXPECT_EQ(good.fonts.font(3), (FontDesc{"Courier New", 8, FontBold | FontItalic, 0}));
    EXPECT_EQ(good.fonts.font(5), (FontDesc{"Times New Roman", 37, FontBold, 0}));
}

TEST_F(NoteWorthy, StavesSpreadByAThirdAndTheFirstEndsTenBelowTheTop) {
    NoteWorthyFile file = sample();
    file.staves.push_back(NoteWorthyStave{});
    file.staves[2].Ycoord = 150, file.staves[2].system = file.staves[2].pageBreak = true;
    const Score s = loaded(file);
    const Stave &a = s.stave(1), &b = s.stave(2), &c = s.stave(3);
    EXPECT_EQ(b.Ycoord - a.Ycoord, 80);
    EXPECT_EQ(c.Ycoord - a.Ycoord, 120);
    EXPECT_EQ(a.MinY, 10);
    EXPECT_TRUE(a.joinToNext && a.bracketWithNext && a.brace && a.barLineThrough && a.bracket && !a.ForcedBk);
    EXPECT_TRUE(!b.joinToNext && !b.brace && b.bracket && b.ForcedBk && !b.invisible);
    EXPECT_TRUE(c.joinToNext && !c.ForcedBk) << "a stave joined to the next has no page break";
    EXPECT_EQ(a.RightX + a.PageNum + a.paramA, 600 + 1 + 20);
}

TEST_F(NoteWorthy, EachKindMovesToWhereOurDrawersExpectIt) {
    const std::vector<KindCase> cases = kindCases();
    const Score s = loaded(kindsFile());
    const Stave& st = s.stave(1);
    ASSERT_EQ(st.Nobjec, int(cases.size())) << "nothing dropped or added";
    for (std::size_t i = 0; i < cases.size(); ++i) { // tidied into the order of x, as written
        const ScoreObject& o = st.object(int(i) + 1);
        EXPECT_TRUE(o.x() == cases[i].x && o.y() - st.Ycoord == cases[i].dy && cases[i].more(o))
            << "object " << i + 1 << " at (" << o.x() << ", " << o.y() - st.Ycoord << ")";
    }
}

TEST_F(NoteWorthy, ShortTextsBecomeLongTextsAndChordNamesTranspose) {
    NoteWorthyFile file;
    file.staves = {NoteWorthyStave{}};
    file.staves[0].objects = {
        noteWorthyText(100, 60, 2, {132, '7'}),
        noteWorthyText(200, 60, 1, {'a', 128, 129, 96, 127}),
        noteWorthyText(300, 60, 3, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 136, 'x'}),
    };
    const Score s = loaded(file);
    const Stave& st = s.stave(1);
    ASSERT_EQ(st.Nobjec, 4) << "a continuation chunk, first at x 0";
    const ScoreObject &chord = st.object(2), &signs = st.object(3), &twelve = st.object(4);
    EXPECT_EQ(longTextOf(st, 2), "C7");
    EXPECT_TRUE(chord.x() == 78 && chord.y() == st.Ycoord && chord.textAttributes() == TextTransposable);
    EXPECT_EQ(longTextOf(st, 3), std::string("a\x8D\x8E\xA3\xA9"));
    EXPECT_TRUE(signs.x() == 156 && signs.y() == st.Ycoord - 1 && signs.textAttributes() == 0);
    EXPECT_EQ(longTextOf(st, 4), "ABCDEFGHIJGx");
    EXPECT_TRUE(twelve.x() == 229 && twelve.y() == st.Ycoord - 1 && twelve.textNext() == 1);
    EXPECT_EQ(st.object(1).textAttributes(), TextTransposable | TextContinuation);
}

TEST_F(NoteWorthy, HeaderAndFooterTextsBecomeUniversalTextsOnTheHeaderFooterStave) {
    const Score s = loaded(sample());
    const Stave& hf = s.stave(0);
    ASSERT_EQ(hf.Nobjec, 2) << "the line is dropped";
    EXPECT_EQ(longTextOf(hf, 1) + longTextOf(hf, 2), "HF");
    EXPECT_EQ(hf.object(1).textAttributes() & hf.object(2).textAttributes(), TextUniversal);
    EXPECT_EQ(hf.object(1).x() * 1000 + hf.object(1).y(), 77007);
    EXPECT_EQ(hf.object(2).y(), 965); // ten inches of printed page below the top, and 5
}

TEST_F(NoteWorthy, DamagedFilesAreRefusedWholeWithTheLoadersMessages) {
    const std::string bad = "\nFile is bad.", cannotRead = "File read error in song.NWC";
    const std::vector<std::pair<std::function<void(Bytes&)>, std::string>> cases = {
        {[](Bytes& b) { b[0] = 0; }, "Problem with the header: no staves" + bad},
        {[](Bytes& b) { b[0] = 12; }, cannotRead},
        {[](Bytes& b) { b.resize(2 * 22); }, cannotRead},
        {[](Bytes& b) { b[22 + 7] = 250; }, "Problem with stave 1: 250 objects" + bad},
        {[](Bytes& b) { b[6 * 22] = 3; }, "Problem with stave 3 at object 1" + bad},
        {[](Bytes& b) { b[6 * 22 + 1] = 0; }, "Problem with stave 1 at object 0" + bad},
        {[](Bytes& b) { b[8 * 22 + 1] = 250; }, "Problem with stave 2 at object 250" + bad},
    };
    NoteWorthyFile other;
    other.staves = {NoteWorthyStave{}};
    const Score sentinel = loaded(other);
    for (const auto& [change, message] : cases) {
        Bytes bytes = sample().bytes();
        change(bytes);
        Score out = loaded(other);
        ui.messages.clear();
        EXPECT_FALSE(load(bytes, out)) << message;
        ASSERT_EQ(ui.messages.size(), 1u) << "nothing said of a page for a refused file: " << message;
        EXPECT_TRUE(ui.lastText() == message && out.sameContent(sentinel)) << ui.lastText();
    }
    // Every single bit flipped: refused whole, or a score whose counts hold and which saves.
    const Bytes bytes = sample().bytes();
    for (std::size_t bit = 0; bit < bytes.size() * 8; ++bit) {
        Bytes flipped = bytes;
        flipped[bit / 8] ^= std::uint8_t(1u << (bit % 8));
        Score out = loaded(other);
        if (!load(flipped, out)) {
            EXPECT_TRUE(out.sameContent(sentinel)) << "bit " << bit;
            continue;
        }
        for (int i = 0; i <= out.Nstaves; ++i)
            EXPECT_LE(out.stave(i).Nobjec, MaxObjects) << "bit " << bit;
        EXPECT_FALSE(encodeScore(out, {0, out.Nstaves}, {}).empty());
    }
}

// The fuzz target's NoteWorthy 2 seeds are this writer's files; with
// QUAVERLY_WRITE_SEEDS set they are written afresh.
TEST(NoteWorthySeeds, TheFuzzSeedsAreTheWritersFiles) {
    const std::string corpus = QUAVERLY_SOURCE_DIR "/fuzz/corpus/";
    for (const auto& [name, bytes] :
         {std::pair{"nw2-small.NWC", sample().bytes()}, {"nw2-kinds.NWC", kindsFile().bytes()}}) {
        if (std::getenv("QUAVERLY_WRITE_SEEDS")) writeBytes(corpus + name, bytes);
        EXPECT_EQ(fileBytes(corpus + name), bytes) << name << ": set QUAVERLY_WRITE_SEEDS to write it afresh";
    }
}

} // namespace
