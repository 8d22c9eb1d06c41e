#include "files/templates.h"

#include "files/loader.h"
#include "files/scorefilewrite.h"
#include "layout/pagination.h"
#include "layout/staveextent.h"
#include "model/score.h"
#include "model/settings.h"
#include "model/ui.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace qv {

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string rightTrimmed(const std::string& s) {
    const auto last = s.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : s.substr(0, last + 1);
}

} // namespace

std::string templateFolder() {
    if (std::string own = environment("QUAVERLY_TEMPLATES"); !own.empty()) return own;
    std::string data = environment("XDG_DATA_HOME");
    if (data.empty()) data = (fs::path(environment("HOME")) / ".local" / "share").string();
    return (fs::path(data) / "quaverly" / "TEMPLATE").string();
}

bool isPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

bool hasMoreThanClefsAndKeys(const Score& score) {
    for (int s = 1; s <= score.Nstaves; ++s) {
        const Stave& stave = score.stave(s);
        for (int i = 1; i <= stave.Nobjec; ++i) {
            const ObjectKind kind = stave.object(i).kind();
            if (kind != ObjectKind::Clef && kind != ObjectKind::KeySignature && kind != ObjectKind::Deleted)
                return true;
        }
    }
    return false;
}

namespace {

std::optional<std::string> askTemplateFile(const std::string& currentFileName, const std::string& folder, Ui& ui) {
    FileDialogRequest request;
    request.title = "Save as Template";
    request.folder = folder;
    request.fileName = fs::path(currentFileName).filename().replace_extension(".QVT").string();
    request.filter = "Quaverly templates (*.QVT)";
    request.defaultExtension = "QVT";
    auto chosen = ui.saveFileName(request);
    if (!chosen) return std::nullopt;
    std::string name = fs::path(*chosen).filename().string();
    if (!isPlainFileName(name)) return std::nullopt;
    return name;
}

// Asks until a description that is not blank, or nothing when cancelled.
std::optional<std::string> askDescription(Ui& ui) {
    for (;;) {
        auto answer = ui.inputBox(TemplateInputCaption, TemplateInputPrompt, "");
        if (!answer) {
            showInformation(ui, TemplateNotSavedMessage);
            return std::nullopt;
        }
        if (!trimmed(*answer).empty()) return answer;
        showError(ui, BlankDescriptionMessage);
    }
}

bool writeTemplate(Score& score, const std::string& path, const std::string& description, int resolution,
                   Ui& ui) {
    const std::string keptDescription = score.description;
    const bool wasModified = score.modified;
    score.description = description.substr(0, TemplateFileDescriptionLength);
    ui.showProgress(formatMessage(TemplateSavedMessage, fs::path(path).filename().string()));
    const bool written = writeScoreFile(score, path, WriteRange{1, score.Nstaves}, WriteOptions{true, resolution}, ui);
    ui.closeProgress();
    score.description = keptDescription;
    score.modified = wasModified;
    return written;
}

// Adds the entry keeping the list sorted; an entry left over for the same file name
// (whose file has gone) is replaced rather than listed twice.
void addTemplateEntry(Settings& settings, const std::string& description, const std::string& fileName) {
    auto& list = settings.templates;
    std::erase_if(list, [&](const std::string& e) { return templateFileName(e) == fileName; });
    list.push_back(templateEntry(description, fileName));
    std::sort(list.begin(), list.end());
}

} // namespace

bool saveAsTemplate(Score& score, const std::string& currentFileName, Settings& settings, Ui& ui,
                    const TemplateContext& context) {
    if (score.Nstaves < 1) return false;
    std::error_code ignored;
    fs::create_directories(context.folder, ignored);
    const auto fileName = askTemplateFile(currentFileName, context.folder, ui);
    if (!fileName) return false;
    const std::string path = (fs::path(context.folder) / *fileName).string();
    // Anything of that name is in the way, a link that leads nowhere too.
    std::error_code statusError;
    if (fs::exists(fs::symlink_status(path, statusError))) {
        showError(ui, TemplateExistsMessage);
        return false;
    }
    if (hasMoreThanClefsAndKeys(score) &&
        ui.message(MessageType::Confirmation, TemplateContentQuestion, ButtonYes | ButtonAbort) != ButtonYes)
        return false;
    const auto description = askDescription(ui);
    if (!description) return false;
    if (!writeTemplate(score, path, *description, context.screenResolution, ui)) return false;
    addTemplateEntry(settings, *description, *fileName);
    if (!settings.options.Templates) showWarning(ui, TemplatesDisabledMessage);
    return true;
}

TemplateSelectionDialog::TemplateSelectionDialog(Settings& settings, Ui& ui, std::string folder)
    : settings_(settings), ui_(ui), folder_(std::move(folder)), selected_(settings.templates.empty() ? -1 : 0) {}

std::vector<std::string> TemplateSelectionDialog::descriptions() const {
    std::vector<std::string> list;
    for (const auto& entry : settings_.templates)
        list.push_back(rightTrimmed(templateDescription(entry)));
    return list;
}

void TemplateSelectionDialog::select(int index) {
    if (index >= 0 && index < static_cast<int>(settings_.templates.size())) selected_ = index;
}

bool TemplateSelectionDialog::accept() {
    if (selected_ < 0) return false;
    const std::string name = templateFileName(settings_.templates[static_cast<std::size_t>(selected_)]);
    if (!isPlainFileName(name)) {
        showError(ui_, formatMessage(TemplateNameRefusedMessage, name));
        return false;
    }
    chosen_ = (fs::path(folder_) / name).string();
    return true;
}

void TemplateSelectionDialog::noTemplate() { chosen_.reset(); }

bool TemplateSelectionDialog::deleteSelected() {
    if (selected_ < 0) return false;
    auto& list = settings_.templates;
    const auto at = list.begin() + selected_;
    const std::string shown = trimmed(templateDescription(*at)).substr(0, DeleteQuestionDescriptionLength);
    if (ui_.message(MessageType::Confirmation, formatMessage(DeleteTemplateQuestion, shown), ButtonYes | ButtonNo) !=
        ButtonYes)
        return false;
    const std::string name = templateFileName(*at);
    if (isPlainFileName(name)) {
        std::error_code ignored; // a file already gone still leaves the list
        fs::remove(fs::path(folder_) / name, ignored);
    } else {
        showError(ui_, formatMessage(TemplateNameRefusedMessage, name));
    }
    list.erase(at);
    selected_ = list.empty() ? -1 : 0;
    return true;
}

Score emptyScore(const Settings& settings) {
    Score score;
    score.naturalsInKeyChange = settings.options.NaturalsInKeyChange;
    score.setStaveCount(1);
    applyDefaultSetup(score, settings);
    Stave& first = score.stave(1);
    first.Ycoord = FirstStaveY;
    first.LeftX = 17;
    first.PageNum = 1;
    first.staveNumber = 1;
    first.lineValue = 5;
    first.paramA = first.paramB = 20;
    StaveExtent(score, 1);
    score.modified = false;
    return score;
}

namespace {

bool offersTemplates(const Settings& settings) {
    return !settings.templates.empty() && settings.options.Templates && settings.Level > Beginner;
}

std::optional<std::string> chooseTemplate(Settings& settings, Ui& ui, const std::string& folder) {
    TemplateSelectionDialog dialog(settings, ui, folder);
    if (!ui.runTemplateSelection(dialog)) return std::nullopt;
    return dialog.chosenFile();
}

} // namespace

Document newScoreCommand(int openWindows, Settings& settings, Ui& ui, const TemplateContext& context) {
    Document doc;
    doc.fileName = "NONAME" + std::to_string(openWindows + 1);
    doc.screenResolution = context.screenResolution;
    const auto chosen = offersTemplates(settings) ? chooseTemplate(settings, ui, context.folder) : std::nullopt;
    if (chosen) {
        if (loadScore(*chosen, LoadOptions{context.screenResolution, &settings}, ui, doc.score)) return doc;
        showError(ui, TemplateReadErrorMessage);
    }
    doc.score = emptyScore(settings);
    return doc;
}

} // namespace qv
