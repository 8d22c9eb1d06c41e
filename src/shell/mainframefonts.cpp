// The main frame's Fonts menu and its two font buttons: the current font and the
// six favourites, which the configuration keeps.

#include "edit/fontcommands.h"
#include "edit/modes.h"
#include "edit/textentry.h"
#include "shell/mainframe.h"
#include "shell/scorewindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace qv {

FontDesc& MainFrame::currentFont() {
    return window_ ? window_->editor().drawing.currentFont : currentFont_;
}

void MainFrame::createFontsMenu() {
    fonts_ = menuBar()->addMenu(QStringLiteral("Fo&nts"));
    const std::pair<const char*, FontCommand> items[] = {
        {"&Define current font...", FontCommand::DefineCurrent},
        {"&Use a Favourite Font as current font", FontCommand::UseFavourite},
        {"Define a &Favourite Font...", FontCommand::DefineFavourite},
        {"&Save current font as a Favourite Font...", FontCommand::SaveFavourite},
    };
    for (const auto& [caption, command] : items) {
        QAction* a = fonts_->addAction(QString::fromUtf8(caption));
        connect(a, &QAction::triggered, this, [this, command = command] { fontCommand(command); });
    }
}

void MainFrame::fontCommand(FontCommand command) {
    FontDesc& current = currentFont();
    bool currentChanged = false;
    switch (command) {
    case FontCommand::DefineCurrent:
        currentChanged = defineCurrentFont(current, settings_.defaultFont, *ui_);
        break;
    case FontCommand::UseFavourite:
        currentChanged = useFavouriteFont(current, settings_.favourites, settings_.Level, *ui_);
        break;
    case FontCommand::DefineFavourite:
        defineFavouriteFont(settings_.favourites, effectiveFont(current, settings_.defaultFont), *ui_);
        break;
    case FontCommand::SaveFavourite:
        saveCurrentAsFavourite(effectiveFont(current, settings_.defaultFont), settings_.favourites, *ui_);
        break;
    }
    // Text being typed is measured again in the new font.
    if (currentChanged && window_ && window_->editor().mode == ModeText)
        retypeText(window_->session(), window_->editor().drawing.textBuffer);
}

} // namespace qv
