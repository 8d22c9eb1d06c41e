// The text attributes dialog's results written back: short texts growing into long
// ones, long texts rewritten into their own chunks, the full stave, a block's boxes
// and font, and Text mode's Ctrl+A.

#include "edit/attributes/textattributes.h"
#include "layout/tidystave.h"
#include "model/staveops.h"
#include "recordinghost.h"
#include "support/scorebuilder.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::append;

const FontDesc Arial{"Arial", 14, FontBold, 0};

struct Texts : test::Session {
    Texts() : Session(3) {
        installLayoutHooks(score);
        score.undo.open(20);
        settings.Level = Advanced;
        editor.page.currentStave = 1;
    }
    Stave& stave(int s = 1) { return score.stave(s); }
    // Edit mode with `index` current, as picking it would leave it.
    void current(int index) {
        editor.mode = ModeEdit;
        editor.currentObject = index;
    }
    // The dialog answers OK after `change` has been made to it.
    void answer(std::function<void(TextAttributes&)> change) {
        ui.textAttributesScript = [change](TextAttributes& d) {
            change(d);
            return true;
        };
    }
    // The head of the long text at x (tidying may have moved it).
    int headAt(int x, int s = 1) {
        for (int i = 1; i <= stave(s).Nobjec; ++i) {
            const ScoreObject& o = stave(s).object(i);
            if (o.is(ObjectKind::LongText) && !o.isContinuation() && o.x() == x) return i;
        }
        ADD_FAILURE() << "no text at x " << x;
        return 1;
    }
    // The chunks after a head, in link order.
    std::vector<int> chunks(int head, int s = 1) {
        std::vector<int> found;
        for (int c = stave(s).object(head).textNext(); c != 0 && found.size() < 30;
             c = stave(s).object(c).textNext())
            found.push_back(c);
        return found;
    }
};

TEST(TextAttributes, AShortTextEditedToThirteenCharactersBecomesALongTextWithOneChunk) {
    Texts f;
    append(f.stave(), test::makeNote(40, 0));
    const int text = append(f.stave(), test::makeShortText(120, 30, 1, "Adagio"));
    f.current(text);
    f.answer([](TextAttributes& d) {
        EXPECT_EQ(d.text, "Adagio");
        EXPECT_FALSE(d.several);
        d.text = "Adagio molto"; // 12: still short, in a new font
        d.font = Arial;
    });
    textAttributes(f.session);
    const int arial = f.stave().object(text).fontNumber();
    EXPECT_EQ(f.score.fonts.font(arial), Arial);
    EXPECT_EQ(f.stave().object(text).shortText(), "Adagio molto");
    EXPECT_EQ(f.stave().Nobjec, 2);

    f.answer([](TextAttributes& d) {
        d.text = "Adagio molto!"; // 13
        d.boxed = TriState::Ticked;
    });
    textAttributes(f.session);
    const ScoreObject& head = f.stave().object(text);
    EXPECT_EQ(head.kind(), ObjectKind::LongText);
    EXPECT_EQ(head.x(), 120);
    EXPECT_EQ(head.y(), 30);
    EXPECT_EQ(head.fontNumber(), arial);
    EXPECT_EQ(head.textAttributes(), TextBoxed);
    ASSERT_EQ(f.chunks(text), std::vector<int>{3});
    EXPECT_EQ(f.stave().object(3).chunkText(), "to!");
    EXPECT_EQ(f.stave().object(3).textAttributes(), TextBoxed | TextContinuation);
    EXPECT_EQ(longTextOf(f.stave(), text), "Adagio molto!");
    EXPECT_TRUE(f.ui.messages.empty());
}

TEST(TextAttributes, ALongTextIsRewrittenIntoItsOwnChunksAppendingOnlyWhatItLacks) {
    Texts f;
    const int head = append(f.stave(), test::makeTextHead(50, 20, 1, "", TextUniversal | TextNonPrinting));
    ASSERT_TRUE(storeLongText(f.stave(), head, std::string(35, 'a'), TextStoreContext::EditingText, f.ui));
    const int note = append(f.stave(), test::makeNote(300, 0));
    const std::vector<int> first = f.chunks(head);
    ASSERT_EQ(first.size(), 3u);

    TextAttributes d;
    d.font = f.score.fonts.font(1);
    d.text = std::string(15, 'b');
    d.transposable = TriState::Ticked;
    ASSERT_TRUE(storeTextAttributes(f.score, 1, head, d, f.ui));
    EXPECT_EQ(f.chunks(head), std::vector<int>{first[0]}) << "the first chunk is written over";
    EXPECT_EQ(f.stave().object(first[1]).kind(), ObjectKind::Deleted);
    EXPECT_EQ(f.stave().object(first[2]).kind(), ObjectKind::Deleted);
    EXPECT_EQ(f.stave().object(head).textAttributes(), TextUniversal | TextNonPrinting | TextTransposable)
        << "the bits the dialog does not show stay";

    d.text = std::string(23, 'c');
    StaveChanged(f.score, 1); // the dropped chunks go
    const int tidyHead = f.headAt(50);
    ASSERT_EQ(longTextOf(f.stave(), tidyHead), std::string(15, 'b'));
    const int objects = f.stave().Nobjec;
    ASSERT_TRUE(storeTextAttributes(f.score, 1, tidyHead, d, f.ui));
    const std::vector<int> grown = f.chunks(tidyHead);
    ASSERT_EQ(grown.size(), 2u);
    EXPECT_EQ(grown[1], objects + 1) << "one chunk appended after the one reused";
    EXPECT_EQ(f.stave().Nobjec, objects + 1);
    EXPECT_EQ(longTextOf(f.stave(), tidyHead), std::string(23, 'c'));
    for (int c : grown)
        EXPECT_EQ(f.stave().object(c).textAttributes(),
                  f.stave().object(tidyHead).textAttributes() | TextContinuation);
    EXPECT_NE(note, 0);
}

TEST(TextAttributes, AFullStaveKeepsTheChunksThatFitAndSaysSo) {
    Texts f;
    for (int i = 0; i < 247; ++i)
        append(f.stave(), test::makeNote(10 + i, 0));
    const int text = append(f.stave(), test::makeShortText(400, 30, 1, "Fine"));
    ASSERT_EQ(text, 248);
    f.current(text);
    f.answer([](TextAttributes& d) { d.text = std::string(35, 'x'); });
    textAttributes(f.session);
    EXPECT_EQ(f.stave().Nobjec, 249);
    EXPECT_EQ(longTextOf(f.stave(), text), std::string(20, 'x'));
    EXPECT_EQ(f.ui.lastText(), "Stave too complex to store long string");

    // A text as long as its chain is rewritten in place even now the stave is full.
    f.ui.messages.clear();
    f.answer([](TextAttributes& d) { d.text = std::string(20, 'y'); });
    textAttributes(f.session);
    EXPECT_EQ(longTextOf(f.stave(), text), std::string(20, 'y'));
    EXPECT_TRUE(f.ui.messages.empty());
}

TEST(TextAttributes, ABlockSetsAndClearsBitsLeavesGreyOnesAndTakesAChosenFont) {
    Texts f;
    const int bits[] = {TextTransposable | TextImmobile, TextImmobile, TextImmobile | TextUniversal};
    for (int k = 0; k < 3; ++k) {
        const int s = 1 + k % 2;
        const int head = append(f.stave(s), test::makeTextHead(60 * k + 10, 20, 1, "", bits[k]));
        ASSERT_TRUE(storeLongText(f.stave(s), head, "Chord text " + std::to_string(k),
                                  TextStoreContext::EditingText, f.ui));
    }
    append(f.stave(1), test::makeTextHead(500, 20, 1, "unmarked")); // left alone
    for (int s : {1, 2}) {
        StaveChanged(f.score, s); // as a block finds them: tidied
        for (int i = 1; i <= f.stave(s).Nobjec; ++i)
            if (f.stave(s).object(i).x() != 500) f.score.marked[s].set(i);
    }
    f.editor.block.first = 1;
    f.editor.block.last = 2;
    const Stave before[] = {f.stave(1), f.stave(2)};
    f.answer([](TextAttributes& d) {
        EXPECT_TRUE(d.several);
        EXPECT_EQ(d.transposable, TriState::Grey);
        EXPECT_EQ(d.immobile, TriState::Ticked);
        EXPECT_EQ(d.boxed, TriState::Clear);
        d.immobile = TriState::Clear;
        d.boxed = TriState::Ticked;
        d.font = Arial;
        d.fontChosen = true;
    });
    blockTextAttributes(f.session);
    const int arial = f.score.fonts.registerFont(Arial, f.ui);
    for (int k = 0; k < 3; ++k) {
        const int s = 1 + k % 2;
        const int head = f.headAt(60 * k + 10, s);
        const int expected = (bits[k] & (TextTransposable | TextUniversal)) | TextBoxed;
        const ScoreObject& h = f.stave(s).object(head);
        EXPECT_EQ(h.textAttributes(), expected) << k;
        EXPECT_EQ(h.fontNumber(), arial) << k;
        EXPECT_EQ(f.stave(s).object(h.textNext()).textAttributes(), expected | TextContinuation) << k;
        EXPECT_EQ(f.stave(s).object(h.textNext()).fontNumber(), arial) << k;
        EXPECT_EQ(longTextOf(f.stave(s), head), "Chord text " + std::to_string(k));
    }
    EXPECT_EQ(f.stave(1).object(f.headAt(500)).textAttributes(), 0);
    EXPECT_EQ(f.stave(1).object(f.headAt(500)).fontNumber(), 1);
    f.score.undo.undoStep(f.score, f.ui);
    EXPECT_TRUE(f.stave(1) == before[0] && f.stave(2) == before[1]) << "one undo step for the block";
}

TEST(TextAttributes, CancelChangesNothingAndOneMarkedTextIsEditedWhole) {
    Texts f;
    const int head = append(f.stave(), test::makeTextHead(60, 20, 1, "Da capo", TextBoxed));
    f.current(head);
    const Stave before = f.stave();
    f.ui.textAttributesScript = [](TextAttributes& d) {
        d.text = "changed"; // and then Cancel
        return false;
    };
    textAttributes(f.session);
    EXPECT_TRUE(f.stave() == before);
    f.score.marked[1].set(head);
    f.editor.block.first = f.editor.block.last = 1;
    f.answer([](TextAttributes& d) {
        EXPECT_FALSE(d.several);
        d.text = "Da capo al fine";
    });
    blockTextAttributes(f.session);
    EXPECT_EQ(longTextOf(f.stave(), f.headAt(60)), "Da capo al fine");
    EXPECT_EQ(f.stave().object(f.headAt(60)).textAttributes(), TextBoxed);
}

} // namespace
} // namespace qv
