#pragma once
// The score window's menu items: their names, captions, shortcuts, the menu each
// sits in and the rule that enables it. The window makes one QAction per item and
// the frame merges the window's menus into its own menu bar.

#include <QKeyCombination>
#include <QString>

#include <span>

namespace qv {

// The top-level menus the score window brings into the frame's menu bar.
// Goto and Zoom are submenus of the page menu.
enum class WindowMenu { File, Edit, Mode, Place, Page, Goto, Zoom, Stave, Block };

// Which group of the editing state's menu rules enables an item.
enum class EnableRule {
    Always,          // enabled whenever a score is open
    FileCommands,    // Music or Preview mode, no provisional object
    AdvancedFile,    // Music mode, no provisional object, levels 2 and 3
    PageCommands,    // Music mode, no provisional object
    RefreshCommands, // Music or HeadFoot mode, no provisional object
    MusicCommands,   // Music mode
    AdvancedMusic,   // Music mode, levels 2 and 3
    ModeButton,      // follows the speed button of its mode
    Hidden,          // "Page &View": shown nowhere, does nothing
};

struct WindowItem {
    const char* name;    // the item's name, also the QAction's objectName
    const char* caption; // with its & mnemonic
    QKeyCombination keys; // none when empty
    WindowMenu menu;
    EnableRule rule;
};

// Every item, in menu order.
std::span<const WindowItem> windowItems();

QString windowMenuTitle(WindowMenu menu);

} // namespace qv
