#pragma once
// A Ui for tests: records every message and question, and answers from a script.

#include "edit/attributes/textattributes.h"
#include "edit/fontcommands.h"
#include "model/fonttable.h"
#include "model/ui.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv::test {

class ScriptedUi : public Ui {
  public:
    struct Shown {
        MessageType type;
        std::string text;
        Buttons buttons;
    };
    Button message(MessageType type, const std::string& text, Buttons buttons) override;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override;
    // Answers given in order; when the script runs out a message gets its first
    // button (OK, Yes …) and an input box is cancelled.
    std::deque<Button> buttonAnswers;
    std::deque<std::optional<std::string>> inputAnswers;
    std::vector<Shown> messages;
    std::vector<std::string> prompts; // every input box prompt, in order
    std::optional<std::string> openFileName(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override;
    // Takes the next file answer; the filter chosen comes from `filterAnswers`
    // (the first filter when they run out).
    std::optional<SaveChoice> saveFileChoice(const FileDialogRequest& request) override;
    std::deque<int> filterAnswers;
    void showProgress(const std::string& text) override { progress.push_back(text); }
    void closeProgress() override { ++progressClosed; }
    // Every caption and line of the abortable progress window; its abort button is
    // pressed once it has shown `abortAfter` lines (never when negative).
    void abortableProgress(const std::string& caption, const std::string& text, int percent = -1) override {
        abortable.push_back(caption + " | " + text + (percent >= 0 ? " | " + std::to_string(percent) : ""));
    }
    bool progressAborted() override { return abortAfter >= 0 && int(abortable.size()) >= abortAfter; }
    void closeAbortableProgress() override { ++abortableClosed; }
    std::vector<std::string> abortable;
    int abortAfter = -1;
    int abortableClosed = 0;
    void setBusy(bool busy) override { busyCalls.push_back(busy); }
    bool runSavePartDialog(SavePartDialog& dialog) override { return savePartScript && savePartScript(dialog); }
    bool runTemplateSelection(TemplateSelectionDialog& dialog) override {
        return templateScript && templateScript(dialog);
    }
    bool runSymbolPalette(SymbolPalette& palette) override { return paletteScript && paletteScript(palette); }
    bool runDrawingTools(DrawingTools& tools) override { return toolsScript && toolsScript(tools); }
    bool runBindingDialog(BindingDialog& dialog) override { return bindingScript && bindingScript(dialog); }
    bool runPageSetup(PageSetupDialog& dialog) override { return pageSetupScript && pageSetupScript(dialog); }
    bool runTransposeDialog(TransposeDialog& dialog) override { return transposeScript && transposeScript(dialog); }
    bool runNoteAttributes(NoteAttributes& dialog) override { return noteScript && noteScript(dialog); }
    bool runClefAttributes(ClefAttributes& dialog) override { return clefScript && clefScript(dialog); }
    bool runKeysigAttributes(KeysigAttributes& dialog) override { return keysigScript && keysigScript(dialog); }
    bool runSingleAttributes(SingleAttributes& dialog) override { return singleScript && singleScript(dialog); }
    // The font dialog's answers in order (nothing: cancelled), and the fonts it opened on.
    std::deque<std::optional<FontDesc>> fontAnswers;
    std::vector<FontDesc> fontsOffered;
    std::optional<FontDesc> chooseFont(const FontDesc& font) override {
        fontsOffered.push_back(font);
        if (fontAnswers.empty()) return std::nullopt;
        const std::optional<FontDesc> answer = fontAnswers.front();
        fontAnswers.pop_front();
        return answer;
    }
    // The text attributes dialog and the favourite chooser: each run recorded as it
    // was opened, then answered by its script (cancelled without one).
    std::vector<TextAttributes> textDialogsOpened;
    std::function<bool(TextAttributes&)> textAttributesScript;
    bool runTextAttributes(TextAttributes& dialog) override;
    std::vector<FavouriteChooser> choosersOpened;
    std::function<bool(FavouriteChooser&)> favouriteScript;
    bool runFavouriteChooser(FavouriteChooser& chooser) override;
    // The information window and its "Change font" dialog: what the user does in
    // them (unset: the window is closed at once, the dialog aborted).
    std::function<void(InformationDialog&)> informationScript;
    std::function<bool(ChangeFontDialog&)> changeFontScript;
    int informationShown = 0;
    void runInformation(InformationDialog& dialog) override {
        ++informationShown;
        if (informationScript) informationScript(dialog);
    }
    bool runChangeFont(ChangeFontDialog& dialog) override { return changeFontScript && changeFontScript(dialog); }
    Button captionedMessage(MessageType type, const std::string& caption, const std::string& text,
                            Buttons buttons) override {
        captions.push_back(caption);
        return message(type, text, buttons);
    }
    // The "Block Mode Action" answers in order (Cancel when they run out).
    std::deque<int> blockActions;
    int blockModeAction() override {
        if (blockActions.empty()) return BlockCancel;
        const int a = blockActions.front();
        blockActions.pop_front();
        return a;
    }
    // Chooser answers in order (nothing: cancelled), and the requests seen.
    std::deque<std::optional<std::string>> fileAnswers;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<std::string> progress;
    int progressClosed = 0;
    std::vector<bool> busyCalls;
    // What the user does in each dialog; unset: the dialog is cancelled.
    std::function<bool(SavePartDialog&)> savePartScript;
    std::function<bool(TemplateSelectionDialog&)> templateScript;
    std::function<bool(SymbolPalette&)> paletteScript;
    std::function<bool(DrawingTools&)> toolsScript;
    std::function<bool(BindingDialog&)> bindingScript;
    std::function<bool(PageSetupDialog&)> pageSetupScript;
    std::function<bool(TransposeDialog&)> transposeScript;
    std::function<bool(NoteAttributes&)> noteScript;
    std::function<bool(ClefAttributes&)> clefScript;
    std::function<bool(KeysigAttributes&)> keysigScript;
    std::function<bool(SingleAttributes&)> singleScript;
    std::vector<std::string> captions; // of captioned messages, in order
    bool saw(const std::string& text) const;
    std::string lastText() const { return messages.empty() ? std::string() : messages.back().text; }
};

} // namespace qv::test
