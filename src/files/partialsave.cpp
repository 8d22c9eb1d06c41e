#include "files/partialsave.h"

#include "layout/pagination.h"
#include "model/score.h"
#include "model/settings.h"
#include "model/ui.h"

#include <algorithm>
#include <filesystem>

namespace qv {

SavePartDialog::SavePartDialog(const Score& score, int currentStave, Ui& ui)
    : score_(score), ui_(ui), systems_(score.Nstaves >= 1 ? systemNumber(score, score.Nstaves) : 0) {
    start_ = end_ = clampSystem(systemNumber(score, std::clamp(currentStave, 1, std::max(1, score.Nstaves))));
}

int SavePartDialog::clampSystem(int system) const { return std::clamp(system, 1, std::max(1, systems_)); }

void SavePartDialog::setStart(int system) {
    start_ = clampSystem(system);
    if (start_ > end_) end_ = start_;
}

void SavePartDialog::setEnd(int system) {
    end_ = clampSystem(system);
    if (end_ < start_) start_ = end_;
}

void SavePartDialog::typeStart(int system) { start_ = clampSystem(system); }
void SavePartDialog::typeEnd(int system) { end_ = clampSystem(system); }

int SavePartDialog::startStave() const { return firstStaveOfSystem(score_, start_); }

int SavePartDialog::endStave() const { return SystemExtent(score_, firstStaveOfSystem(score_, end_)).last; }

bool SavePartDialog::accept() {
    if (start_ > end_) {
        showError(ui_, StartAboveEndMessage);
        return false;
    }
    chosen_ = WriteRange{startStave(), endStave()};
    open_ = false;
    return true;
}

void SavePartDialog::showAll() {
    chosen_ = WriteRange{1, score_.Nstaves};
    open_ = false;
}

void SavePartDialog::cancel() {
    chosen_.reset();
    open_ = false;
}

std::string partialSaveProgress(int first, int last, const std::string& fileName) {
    first = std::max(1, first);
    if (first >= last) return formatMessage(formatMessage(OneStaveSavedMessage, first), fileName);
    const std::string staves = formatMessage(formatMessage(StavesSavedMessage, first), last);
    return formatMessage(staves, fileName);
}

namespace {

std::optional<WriteRange> askRange(const Score& score, int currentStave, Ui& ui) {
    SavePartDialog dialog(score, currentStave, ui);
    if (!ui.runSavePartDialog(dialog)) return std::nullopt;
    return dialog.chosen();
}

std::optional<std::string> askPartFile(const Settings& settings, Ui& ui) {
    FileDialogRequest request;
    request.title = "Save Part of Score";
    request.folder = settings.Directory;
    request.filter = "Quaverly files (*.QVR)";
    request.defaultExtension = "QVR";
    return ui.saveFileName(request);
}

} // namespace

bool savePartOfScore(Score& score, int currentStave, Settings& settings, Ui& ui, int screenResolution) {
    if (score.Nstaves < 1) return false;
    const auto range = askRange(score, currentStave, ui);
    if (!range || range->first < 1 || range->first > range->last) return false;
    const auto path = askPartFile(settings, ui);
    if (!path || path->empty()) return false;

    // Writing compacts the font table, which is not an edit of the music.
    const bool wasModified = score.modified;
    ui.showProgress(partialSaveProgress(range->first, range->last, *path));
    const bool written = writeScoreFile(score, *path, *range, WriteOptions{false, screenResolution}, ui);
    ui.closeProgress();
    score.modified = wasModified;
    if (written) settings.Directory = std::filesystem::path(*path).parent_path().string();
    return written;
}

} // namespace qv
