#include "shell/windowmenus.h"

#include <array>

namespace qv {

namespace {

constexpr auto Ctrl = Qt::CTRL;
constexpr auto Alt = Qt::ALT;
constexpr QKeyCombination NoKeys{};

using M = WindowMenu;
using R = EnableRule;

const std::array Items{
    WindowItem{"FileSaveItem", "&Save", Ctrl | Qt::Key_S, M::File, R::FileCommands},
    WindowItem{"FileSaveAsItem", "Save &As...", NoKeys, M::File, R::FileCommands},
    WindowItem{"SaveAsTemplate", "Save as &Template", NoKeys, M::File, R::AdvancedFile},
    WindowItem{"SavePartOfScore", "Save part of sco&re...", NoKeys, M::File, R::AdvancedFile},
    WindowItem{"MergeAfter", "&Merge File After this stave...", NoKeys, M::File, R::AdvancedFile},
    WindowItem{"MergeBefore", "Merge File &Before this stave...", NoKeys, M::File, R::AdvancedFile},
    WindowItem{"FileCloseItem", "&Close this score", Ctrl | Qt::Key_F4, M::File, R::Always},
    WindowItem{"FilePrintItem", "&Print...", Ctrl | Qt::Key_P, M::File, R::FileCommands},
    WindowItem{"FilePrintSetupItem", "Print S&etup...", NoKeys, M::File, R::FileCommands},
    WindowItem{"filePreview", "Pre&view", Alt | Qt::Key_F2, M::File, R::PageCommands},
    WindowItem{"PcxOutput", "PCX &Output (current page)...", NoKeys, M::File, R::AdvancedFile},
    WindowItem{"ExportMusicXml", "Export MusicXM&L...", NoKeys, M::File, R::FileCommands},
    WindowItem{"Information", "&Information...", NoKeys, M::File, R::FileCommands},
    WindowItem{"Dump", "&Dump...", NoKeys, M::File, R::Always},
    WindowItem{"Undo1", "&Undo", Alt | Qt::Key_Backspace, M::Edit, R::PageCommands},
    WindowItem{"EnterMusic", "Enter &Music", QKeyCombination(Qt::Key_F7), M::Mode, R::ModeButton},
    WindowItem{"gototextmode", "&Text", QKeyCombination(Qt::Key_F9), M::Mode, R::ModeButton},
    WindowItem{"gotolinemode", "&Line", QKeyCombination(Qt::Key_F11), M::Mode, R::ModeButton},
    WindowItem{"gotoCurveMode", "&Curve", QKeyCombination(Qt::Key_F12), M::Mode, R::ModeButton},
    WindowItem{"GotoHairpinMode", "&Hairpin", Ctrl | Qt::Key_F11, M::Mode, R::ModeButton},
    WindowItem{"GotoSymbolMode", "&Symbol", Ctrl | Qt::Key_F12, M::Mode, R::ModeButton},
    WindowItem{"gotodrawingmode", "S&hape", Ctrl | Qt::Key_F10, M::Mode, R::ModeButton},
    WindowItem{"GotoEditMode", "&Edit", QKeyCombination(Qt::Key_F10), M::Mode, R::ModeButton},
    WindowItem{"PlaceAnotherSystem", "A&nother System", Ctrl | Qt::Key_N, M::Place, R::MusicCommands},
    WindowItem{"PlaceClef", "&Clef", Ctrl | Qt::Key_C, M::Place, R::MusicCommands},
    WindowItem{"PlaceKeysignature", "&Key signature", Ctrl | Qt::Key_K, M::Place, R::MusicCommands},
    WindowItem{"PlaceTimeSignature", "&Time Signature", Ctrl | Qt::Key_T, M::Place, R::MusicCommands},
    WindowItem{"pageRedraw", "&Refresh", QKeyCombination(Qt::Key_F2), M::Page, R::RefreshCommands},
    WindowItem{"Repaginateitem", "Re&paginate", Ctrl | Qt::Key_F2, M::Page, R::PageCommands},
    WindowItem{"DefineHeadersFooters", "Define &Header/Footer", Alt | Qt::Key_F3, M::Page,
               R::RefreshCommands},
    WindowItem{"PageLayout", "Page &Layout...", NoKeys, M::Page, R::PageCommands},
    WindowItem{"PageView", "Page &View", NoKeys, M::Page, R::Hidden},
    WindowItem{"Nextpage", "&Next page", Alt | Qt::Key_PageDown, M::Page, R::Always},
    WindowItem{"PreviousPage", "P&revious Page", Alt | Qt::Key_PageUp, M::Page, R::Always},
    WindowItem{"ZoomIn", "Zoom &In", Ctrl | Qt::Key_Plus, M::Zoom, R::Always},
    WindowItem{"ZoomOut", "Zoom &Out", Ctrl | Qt::Key_Minus, M::Zoom, R::Always},
    WindowItem{"ZoomActual", "&Actual Size", Ctrl | Qt::Key_0, M::Zoom, R::Always},
    WindowItem{"ZoomFitWidth", "Fit &Width", Ctrl | Qt::Key_8, M::Zoom, R::Always},
    WindowItem{"ZoomFitPage", "Fit &Page", Ctrl | Qt::Key_9, M::Zoom, R::Always},
    WindowItem{"GotoPage", "&Page number...", NoKeys, M::Goto, R::Always},
    WindowItem{"GotoSystem", "&System number...", NoKeys, M::Goto, R::Always},
    WindowItem{"GotoStave", "Sta&ve number...", NoKeys, M::Goto, R::Always},
    WindowItem{"GotoTop", "&Top", NoKeys, M::Goto, R::Always},
    WindowItem{"GotoEnd", "&End", NoKeys, M::Goto, R::Always},
    WindowItem{"AppendNewSystem", "Append &New System", Ctrl | Qt::Key_N, M::Stave, R::MusicCommands},
    WindowItem{"DeleteStaveitem", "Delete Stave", QKeyCombination(Qt::Key_Delete), M::Stave, R::MusicCommands},
    WindowItem{"NewStaveAbove", "New stave &Above", NoKeys, M::Stave, R::MusicCommands},
    WindowItem{"NewStaveBelow", "New stave &Below", NoKeys, M::Stave, R::MusicCommands},
    WindowItem{"Binding", "B&inding/attributes...", NoKeys, M::Stave, R::MusicCommands},
    WindowItem{"StaveSize", "&Stave size...", NoKeys, M::Stave, R::PageCommands},
    WindowItem{"Transpose", "&Transpose/Change clef...", NoKeys, M::Stave, R::AdvancedMusic},
    WindowItem{"SortStave", "&Sort stave", NoKeys, M::Stave, R::AdvancedMusic},
    WindowItem{"Justifyright", "&Justify right from cursor...", Ctrl | Qt::Key_J, M::Block,
               R::MusicCommands},
    WindowItem{"Compress", "Compre&ss Left or right", NoKeys, M::Block, R::MusicCommands},
    WindowItem{"chopleft", "Cut off L&eft at cursor", Ctrl | Qt::Key_L, M::Block, R::MusicCommands},
    WindowItem{"Chopright", "Cut off R&ight at cursor", Ctrl | Qt::Key_R, M::Block, R::MusicCommands},
};

} // namespace

std::span<const WindowItem> windowItems() { return Items; }

QString windowMenuTitle(WindowMenu menu) {
    switch (menu) {
    case WindowMenu::File:
        return QStringLiteral("&File");
    case WindowMenu::Edit:
        return QStringLiteral("&Edit");
    case WindowMenu::Mode:
        return QStringLiteral("&Mode");
    case WindowMenu::Place:
        return QStringLiteral("&Place");
    case WindowMenu::Page:
        return QStringLiteral("Pa&ge");
    case WindowMenu::Goto:
        return QStringLiteral("&Goto");
    case WindowMenu::Zoom:
        return QStringLiteral("&Zoom");
    case WindowMenu::Stave:
        return QStringLiteral("S&tave");
    case WindowMenu::Block:
        return QStringLiteral("&Block");
    }
    return {};
}

} // namespace qv
