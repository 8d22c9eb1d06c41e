#include "support/scriptedui.h"

namespace qv::test {

Button ScriptedUi::message(MessageType type, const std::string& text, Buttons buttons) {
    messages.push_back({type, text, buttons});
    if (!buttonAnswers.empty()) {
        const Button b = buttonAnswers.front();
        buttonAnswers.pop_front();
        return b;
    }
    for (unsigned bit = 1; bit <= ButtonHelp; bit <<= 1)
        if (buttons & bit) return static_cast<Button>(bit);
    return ButtonOk;
}

std::optional<std::string> ScriptedUi::inputBox(const std::string&, const std::string& prompt,
                                                const std::string&) {
    prompts.push_back(prompt);
    if (inputAnswers.empty()) return std::nullopt;
    auto answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

namespace {

std::optional<std::string> nextFile(ScriptedUi& ui, const FileDialogRequest& request) {
    ui.fileRequests.push_back(request);
    if (ui.fileAnswers.empty()) return std::nullopt;
    auto answer = ui.fileAnswers.front();
    ui.fileAnswers.pop_front();
    return answer;
}

} // namespace

std::optional<std::string> ScriptedUi::openFileName(const FileDialogRequest& request) {
    return nextFile(*this, request);
}

std::optional<std::string> ScriptedUi::saveFileName(const FileDialogRequest& request) {
    return nextFile(*this, request);
}

std::optional<SaveChoice> ScriptedUi::saveFileChoice(const FileDialogRequest& request) {
    std::optional<std::string> name = nextFile(*this, request);
    if (!name) return std::nullopt;
    SaveChoice choice{*name, 0};
    if (!filterAnswers.empty()) {
        choice.filter = filterAnswers.front();
        filterAnswers.pop_front();
    }
    return choice;
}

bool ScriptedUi::runTextAttributes(TextAttributes& dialog) {
    textDialogsOpened.push_back(dialog);
    return textAttributesScript && textAttributesScript(dialog);
}

bool ScriptedUi::runFavouriteChooser(FavouriteChooser& chooser) {
    choosersOpened.push_back(chooser);
    return favouriteScript && favouriteScript(chooser);
}

bool ScriptedUi::saw(const std::string& text) const {
    for (const auto& m : messages)
        if (m.text == text) return true;
    return false;
}

} // namespace qv::test
