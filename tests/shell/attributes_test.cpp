// The attribute dialogs on the real window, opened the ways a user opens them ('?',
// the right button, the Place items, a block's "Alt&er Attributes"), driven through
// their own widgets and taken back by one Undo. With QUAVERLY_SHOTS set to a folder,
// each dialog is also saved there as a picture.

#include "edit/attributes/clefattributes.h"
#include "edit/attributes/keysigattributes.h"
#include "edit/attributes/noteattributes.h"
#include "edit/attributes/singleattributes.h"
#include "render/glyphcatalogue.h"
#include "shell/attributes/clefattributeswidget.h"
#include "shell/attributes/keysigattributeswidget.h"
#include "shell/attributes/noteattributeswidget.h"
#include "shell/attributes/singleattributeswidget.h"
#include "dialogcheck.h"

#include <QTimer>
#include "windowfixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <cstdlib>
#include <set>

#include <gtest/gtest.h>

namespace qv {
namespace {

// Stave 1: a treble clef, two quavers stems up, a bar line.
void music(Score& score) {
    Stave& s = score.stave(1);
    test::append(s, test::makeClef(40, 0, s.Ycoord));
    for (int i = 0; i < 2; ++i) {
        ScoreObject n = test::makeNote(100 + 40 * i, -1 - i, 4, s.Ycoord);
        n.setStem(StemUp);
        n.setSymbolCode(NoteGlyphTable(4, StemUp, 0));
        test::append(s, n);
    }
    test::append(s, makeObject(ObjectKind::Barline, 200, s.Ycoord));
}


// Shows the dialog, checks it, saves its picture when asked, runs `change` and presses OK.
template <typename Widget, typename Model, typename Change>
bool drive(test::Entry& e, Model& model, const char* shot, Change change) {
    Widget dialog(model, &e.window());
    test::expectTidy(dialog, shot);
    change(dialog);
    dialog.template findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    return dialog.result() == QDialog::Accepted;
}

// The objects in use; the scratch slot after them may still hold the last provisional note.
bool sameObjects(const Stave& a, const Stave& b) {
    if (a.Nobjec != b.Nobjec) return false;
    for (int i = 1; i <= a.Nobjec; ++i)
        if (!(a.object(i) == b.object(i))) return false;
    return true;
}

struct Attributes : test::Entry {
    Attributes() : Entry(3, 2, music) {}
    Editor& editor() { return window().editor(); }
    void undo() { window().action("Undo1")->trigger(); }
};

TEST(AttributeDialogs, QuestionMarkOnAProvisionalNoteThenUndo) {
    Attributes f;
    const Stave before = f.stave(1);
    f.click(300, f.stave(1).Ycoord);
    f.type("C");
    ASSERT_TRUE(f.provisional().present);
    f.ui.noteScript = [&f](NoteAttributes& m) {
        return drive<NoteAttributesWidget>(f, m, "note", [](NoteAttributesWidget& d) {
            EXPECT_EQ(d.windowTitle(), "Note Attributes");
            auto* list = d.findChild<QListWidget*>();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(5)).center());
            test::click(d, "&1");
            test::click(d, "A&ccent");
            test::click(d, "Staccatissi&mo");
            test::click(d, "&Auto");
            test::click(d, "&X");
        });
    };
    QTest::keyClick(&f.window(), Qt::Key_Question, Qt::ShiftModifier, '?');
    ASSERT_TRUE(f.provisional().present);
    const ScoreObject& n = f.provisional().object;
    EXPECT_EQ(n.duration(), 5);
    EXPECT_EQ(n.dots(), 1);
    EXPECT_TRUE(n.accent());
    EXPECT_EQ(n.staccato(), 2);
    EXPECT_EQ(n.stem(), StemAuto);
    EXPECT_EQ(n.headStyle(), 4);
    f.key(Qt::Key_Return);
    ASSERT_EQ(f.stave(1).Nobjec, before.Nobjec + 1);
    f.undo();
    EXPECT_TRUE(sameObjects(f.stave(1), before));
}

TEST(AttributeDialogs, EditModeByKeyAndRightButtonThenUndo) {
    Attributes f;
    const Stave before = f.stave(1);
    f.click(40, f.stave(1).Ycoord);
    f.key(Qt::Key_F10);
    ASSERT_EQ(f.editor().mode, ModeEdit);
    ASSERT_EQ(f.editor().currentObject, 1) << "the clef";
    f.ui.clefScript = [&f](ClefAttributes& m) {
        return drive<ClefAttributesWidget>(f, m, "clef", [](ClefAttributesWidget& d) {
            EXPECT_EQ(d.windowTitle(), "Clef attributes");
            test::click(d, "Bass (&F)");
            test::click(d, "&Small");
        });
    };
    QTest::keyClick(&f.window(), Qt::Key_Question, Qt::ShiftModifier, '?');
    EXPECT_EQ(f.stave(1).object(1).clefType(), 1);
    EXPECT_TRUE(f.stave(1).object(1).clefSmall());
    EXPECT_EQ(f.stave(1).object(1).symbolCode(), 6);

    f.click(200, f.stave(1).Ycoord);
    ASSERT_EQ(f.editor().currentObject, 4) << "the bar line";
    f.ui.singleScript = [&f](SingleAttributes& m) {
        return drive<SingleAttributesWidget>(f, m, "barline", [](SingleAttributesWidget& d) {
            EXPECT_EQ(d.windowTitle(), "Barline dialog");
            test::click(d, "Repeat &both");
        });
    };
    f.click(200, f.stave(1).Ycoord, Qt::RightButton);
    EXPECT_EQ(f.stave(1).object(4).barType(), 4);
    f.key(Qt::Key_Return);
    ASSERT_EQ(f.editor().mode, ModeMusic);
    f.undo();
    EXPECT_TRUE(f.stave(1) == before);
}

TEST(AttributeDialogs, ThePlaceItemsOpenTheirObjectsDialogs) {
    Attributes f;
    const Stave before = f.stave(1);
    f.click(300, f.stave(1).Ycoord);
    f.ui.keysigScript = [&f](KeysigAttributes& m) {
        return drive<KeysigAttributesWidget>(f, m, "keysig", [](KeysigAttributesWidget& d) {
            EXPECT_EQ(d.windowTitle(), "Key Signature");
            test::click(d, "&Flats");
            test::click(d, "&4");
            bool named = false;
            for (QLabel* l : d.findChildren<QLabel*>()) named = named || l->text() == "Ab major/F minor";
            EXPECT_TRUE(named);
        });
    };
    f.window().action("PlaceKeysignature")->trigger();
    ASSERT_TRUE(f.provisional().present);
    EXPECT_EQ(f.provisional().object.keyCount(), -4);
    f.key(Qt::Key_Escape);

    f.ui.singleScript = [&f](SingleAttributes& m) {
        return drive<SingleAttributesWidget>(f, m, "timesig", [](SingleAttributesWidget& d) {
            EXPECT_EQ(d.windowTitle(), "Time signature dialog");
            test::click(d, "6/&8");
        });
    };
    f.window().action("PlaceTimeSignature")->trigger();
    EXPECT_EQ(f.provisional().object.timeType(), 12);
    f.key(Qt::Key_Escape);

    f.ui.clefScript = [&f](ClefAttributes& m) {
        return drive<ClefAttributesWidget>(f, m, "clef-place", [](ClefAttributesWidget& d) { test::click(d, "&Alto"); });
    };
    f.window().action("PlaceClef")->trigger();
    EXPECT_EQ(f.provisional().object.clefType(), 2);
    f.key(Qt::Key_Return);
    EXPECT_EQ(f.stave(1).Nobjec, before.Nobjec + 1);
    f.undo();
    EXPECT_TRUE(f.stave(1) == before);
}

TEST(AttributeDialogs, ABlocksNotesBeamedTogetherThroughAlterAttributes) {
    Attributes f;
    f.stave(1).object(2).setBeamForward(0);
    const Stave before = f.stave(1);
    f.ui.blockActions = {BlockAlterAttributes};
    f.ui.noteScript = [&f](NoteAttributes& m) {
        return drive<NoteAttributesWidget>(f, m, "note-block", [](NoteAttributesWidget& d) {
            auto* beam = qobject_cast<QCheckBox*>(test::button(d, "&Beam together"));
            ASSERT_NE(beam, nullptr);
            EXPECT_EQ(beam->checkState(), Qt::PartiallyChecked);
            test::click(d, "&Beam together");
            EXPECT_EQ(beam->checkState(), Qt::Checked);
            test::click(d, "Don't chan&ge");
        });
    };
    PageView& view = *f.window().pageView();
    const QPoint from = view.toWidget(QPoint(90, f.stave(1).Ycoord - 30));
    const QPoint to = view.toWidget(QPoint(160, f.stave(1).Ycoord + 30));
    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    QMouseEvent drag(QEvent::MouseMove, QPointF(to), view.mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&view, &drag);
    QTest::qWait(600); // a drag held this long is a box, not a click
    QTest::mouseRelease(&view, Qt::LeftButton, {}, to);
    EXPECT_EQ(f.editor().mode, ModeMusic);
    EXPECT_EQ(f.stave(1).object(3).beamBack(), 2);
    EXPECT_EQ(f.stave(1).object(2).beamForward(), 3);
    f.undo();
    EXPECT_TRUE(f.stave(1) == before);
}

} // namespace
} // namespace qv

namespace qv {
namespace {

// The dialogs' other faces: an accidental, a rest, a curve's thickness and a block of
// clefs that differ, each tidy and giving back what was chosen.
TEST(AttributeDialogs, TheOtherFacesOfEachDialog) {
    Attributes f;
    ClefAttributes accidental = clefAttributesOf(makeObject(ObjectKind::Accidental));
    EXPECT_TRUE(drive<ClefAttributesWidget>(f, accidental, "accidental", [](ClefAttributesWidget& d) {
        EXPECT_EQ(d.windowTitle(), "Accidental attributes");
        test::click(d, "Double sharp (&X)");
        test::click(d, "S&mall");
    }));
    EXPECT_EQ(std::pair(accidental.type, accidental.size), std::pair(4, 1));

    ClefAttributes clefs = blockClefAttributes({test::makeClef(0, 0), test::makeClef(9, 1)}, false);
    EXPECT_TRUE(drive<ClefAttributesWidget>(f, clefs, "clef-block", [](ClefAttributesWidget& d) {
        EXPECT_TRUE(test::button(d, "No change")->isChecked());
    }));
    EXPECT_EQ(clefs.type, NoChange);

    NoteAttributes rest = noteAttributesOf(test::makeRest(0, 3), 1);
    EXPECT_TRUE(drive<NoteAttributesWidget>(f, rest, "rest", [](NoteAttributesWidget& d) {
        EXPECT_EQ(d.windowTitle(), "Rest attributes");
        EXPECT_EQ(d.findChild<QListWidget*>()->item(3)->text(), "Quarter note") << "American names";
        test::click(d, "&2");
    }));
    EXPECT_EQ(rest.dots, 2);

    ScoreObject point = makeObject(ObjectKind::CurvePoint);
    point.setCurveThickness(1);
    SingleAttributes thickness = singleAttributesOf(point);
    EXPECT_TRUE(drive<SingleAttributesWidget>(f, thickness, "curve", [](SingleAttributesWidget& d) {
        EXPECT_EQ(d.windowTitle(), "Line Thickness");
        test::click(d, "&3");
        test::click(d, "&Dotted");
    }));
    EXPECT_EQ(std::pair(thickness.item, thickness.dotted), std::pair(3, 1));
}

// The beginner's prompt floats above every window; a dialog would open under it, so
// it steps aside while the dialog blocks the frame and comes back after.
TEST(AttributeDialogs, TheBeginnersPromptStepsAsideWhileADialogIsOpen) {
    test::Entry f(1);
    f.window().showPrompt(516); // Edit mode's
    QWidget* prompt = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("prompt")) prompt = w;
    ASSERT_TRUE(prompt && prompt->isVisible());
    QDialog dialog(&f.frame);
    bool hiddenWhileOpen = false;
    QTimer::singleShot(0, &dialog, [&] {
        hiddenWhileOpen = !prompt->isVisible();
        dialog.accept();
    });
    dialog.exec();
    EXPECT_TRUE(hiddenWhileOpen);
    EXPECT_TRUE(prompt->isVisible());
}

} // namespace
} // namespace qv
