#include "edit/information.h"

#include "edit/modehost.h"
#include "model/score.h"
#include "model/ui.h"

namespace qv {

bool ChangeFontDialog::changeThisFont() {
    const std::optional<FontDesc> chosen = ui_.chooseFont(font_);
    if (!chosen) return false;
    font_ = *chosen;
    return true;
}

InformationDialog::InformationDialog(Score& score, const InfoSources& sources, Ui& ui, int page)
    : page(page), score_(score), sources_(sources), ui_(ui), pages_(scoreInformation(score, sources)) {}

std::vector<std::string> InformationDialog::fontLines() const {
    std::vector<std::string> lines;
    for (const FontUse& use : fontsInUse(score_))
        lines.push_back(fontListLine(score_.fonts.font(use.number), use));
    return lines;
}

std::vector<int> InformationDialog::listedFonts() const {
    std::vector<int> numbers;
    for (const FontUse& use : fontsInUse(score_))
        numbers.push_back(use.number);
    return numbers;
}

bool InformationDialog::change(int line) {
    // The line names its font: with a font unused, line and number part company.
    const std::vector<int> fonts = listedFonts();
    if (line < 0 || line >= int(fonts.size())) {
        showInformation(ui_, ChooseAFontFirst);
        return false;
    }
    const int n = fonts[static_cast<std::size_t>(line)];
    ChangeFontDialog dialog(n, score_.fonts.font(n), ui_);
    if (!ui_.runChangeFont(dialog)) return false;
    score_.fonts.setFont(n, dialog.font());
    score_.modified = true;
    fontChanged_ = true;
    pages_ = scoreInformation(score_, sources_); // the fonts list and the file figures afresh
    return true;
}

void informationCommand(EditSession& session, const InfoSources& sources) {
    const int mode = session.editor.mode;
    if ((mode != ModeMusic && mode != ModePreview) || session.score.provisional.present) return;
    InformationDialog dialog(session.score, sources, session.ui, session.editor.informationPage);
    dialog.background = session.settings.colours.Defaultform;
    session.ui.runInformation(dialog);
    session.editor.informationPage = dialog.page;
    if (dialog.fontChanged()) session.host.redrawPage();
}

} // namespace qv
