#pragma once
// "&Information...": the information window (TInfoForm) over the score, with the
// figures of its five pages, and the "Change font" dialog (TChangefont) that
// redefines one of the score's fonts from the window's fonts list. The window shows
// these models through Ui::runInformation and Ui::runChangeFont.

#include "edit/setmode.h"
#include "files/scoreinfo.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

inline const char* const ChangeFontCaption = "Change font";
inline const char* const ChooseAFontFirst =
    "Click on one of the fonts listed and then press this box to change that font definition.";

// The "Change font" dialog: a working copy of one font, stored only on "&OK".
class ChangeFontDialog {
  public:
    ChangeFontDialog(int number, const FontDesc& font, Ui& ui) : number_(number), font_(font), ui_(ui) {}

    int number() const { return number_; }
    const FontDesc& font() const { return font_; }
    // What the panel shows: "Font 3: Arial, size 12, Bold".
    std::string panelText() const { return fontDefinitionText(number_, font_); }
    // "&Change this font": the platform's font dialog on the copy; true when it was
    // changed there.
    bool changeThisFont();

  private:
    int number_;
    FontDesc font_;
    Ui& ui_;
};

class InformationDialog {
  public:
    // `page` is the page to open on (0 "&Document" .. 4 "P&rinter").
    InformationDialog(Score& score, const InfoSources& sources, Ui& ui, int page = 0);

    const std::vector<InfoPage>& pages() const { return pages_; }
    // The fonts list: one line per font in use and the font number each line names.
    std::vector<std::string> fontLines() const;
    std::vector<int> listedFonts() const;

    // "&Change" with the caret on list line `line` (from 0; negative or past the end:
    // on no line). Tells the user to choose a line first, or opens the "Change font"
    // dialog on that line's font; after its "&OK" the font is stored in the score's
    // table, the score is modified and the list is made afresh. True when stored.
    bool change(int line);

    int page = 0;                          // the page showing
    std::uint32_t background = 0xC0DCC0;   // the dialogs' ground colour (0x00BBGGRR)
    bool fontChanged() const { return fontChanged_; }

  private:
    Score& score_;
    InfoSources sources_;
    Ui& ui_;
    std::vector<InfoPage> pages_;
    bool fontChanged_ = false;
};

// The command: Music or Preview mode without a provisional object. Opens on the page
// last shown in this window; the page is drawn again after a font was redefined.
void informationCommand(EditSession& session, const InfoSources& sources);

} // namespace qv
