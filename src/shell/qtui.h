#pragma once
// The desktop's Ui: message boxes, input boxes, the busy pointer, file choosers,
// the progress window and the two file dialogs, all as real widgets over a parent
// window. Every modal dialog runs through execDialog(), so a test can drive the
// very widgets the user would see.

#include "model/ui.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QDialog;
class QLabel;
class QProgressDialog;

namespace qv {

// The caption of every message box.
inline const char* const ApplicationTitle = "Quaverly";
inline const char* const PleaseWaitText = "Please wait";

// `path` with "." + `extension` added when its file name has no extension at all;
// unchanged when the extension is empty.
std::string withDefaultExtension(const std::string& path, const std::string& extension);

class QtUi : public Ui {
  public:
    explicit QtUi(QWidget* parent = nullptr);
    ~QtUi() override;
    QtUi(const QtUi&) = delete;
    QtUi& operator=(const QtUi&) = delete;

    Button message(MessageType type, const std::string& text, Buttons buttons) override;
    Button captionedMessage(MessageType type, const std::string& caption, const std::string& text,
                            Buttons buttons) override;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override;

    // Nested calls are counted; every true is undone by one false, and whatever is
    // still set when this object goes is undone then.
    void setBusy(bool busy) override;

    std::optional<std::string> openFileName(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override;
    std::optional<SaveChoice> saveFileChoice(const FileDialogRequest& request) override;

    void showProgress(const std::string& text) override;
    void closeProgress() override;
    void abortableProgress(const std::string& caption, const std::string& text, int percent = -1) override;
    bool progressAborted() override;
    void closeAbortableProgress() override;

    bool runSavePartDialog(SavePartDialog& dialog) override;
    bool runTemplateSelection(TemplateSelectionDialog& dialog) override;
    bool runSymbolPalette(SymbolPalette& palette) override;
    bool runDrawingTools(DrawingTools& tools) override;
    bool runBindingDialog(BindingDialog& dialog) override;
    bool runPageSetup(PageSetupDialog& dialog) override;
    bool runTransposeDialog(TransposeDialog& dialog) override;
    bool runNoteAttributes(NoteAttributes& dialog) override;
    bool runClefAttributes(ClefAttributes& dialog) override;
    bool runKeysigAttributes(KeysigAttributes& dialog) override;
    bool runSingleAttributes(SingleAttributes& dialog) override;
    std::optional<FontDesc> chooseFont(const FontDesc& font) override;
    bool runTextAttributes(TextAttributes& dialog) override;
    bool runFavouriteChooser(FavouriteChooser& chooser) override;
    int blockModeAction() override;
    std::optional<int> chooseObjectType(const std::vector<int>& kinds) override;

    void runInformation(InformationDialog& dialog) override;
    bool runChangeFont(ChangeFontDialog& dialog) override;

    QWidget* parentWidget() const { return parent_; }
    // The progress window while it is open, else null.
    QWidget* progressWindow() const;
    int busyDepth() const { return busyDepth_; }

  protected:
    // Shows a modal dialog until the user closes it; returns QDialog's result code.
    virtual int execDialog(QDialog& dialog);

  private:
    // Runs an attribute dialog and puts the mouse pointer back where it was.
    bool execAttributeDialog(QDialog& dialog);
    // The chosen name and which of the request's filters was in force.
    std::optional<SaveChoice> chooseFile(const FileDialogRequest& request, bool forSaving);

    QPointer<QWidget> parent_;
    int busyDepth_ = 0;
    // Top-level and without a parent, so that it is ours alone to delete.
    std::unique_ptr<QWidget> progress_;
    QLabel* progressText_ = nullptr; // owned by progress_
    // Owned by its parent window as well: held weakly so that neither deletes it twice.
    QPointer<QProgressDialog> abortable_;
};

} // namespace qv
