#pragma once
// The one way any layer talks to the user: message boxes, questions and input
// boxes with the program's exact texts. The desktop frame implements it with
// widgets; tests plug in a scripted double; the command line prints.

#include <optional>
#include <string>
#include <vector>

namespace qv {

class SavePartDialog;          // the "Save Part of Score" dialog's model
class TemplateSelectionDialog; // the "Quaverly Template Selection" dialog's model
class SymbolPalette;           // the "Select Symbol" palette's model
struct DrawingTools;           // the "Drawing Tools" form's model
class BindingDialog;           // the "Stave Attributes and System Construction" dialog's model
class PageSetupDialog;         // the "Page setup" dialog's model
class TransposeDialog;         // the "Transposing" dialog's model
struct FontDesc;               // a font of the score's font table
struct TextAttributes;         // the "Text Attributes" dialog's model
struct FavouriteChooser;       // the favourite fonts' chooser
class InformationDialog;       // the score information window's model
class ChangeFontDialog;        // the "Change font" dialog's model
struct NoteAttributes;         // the "Note Attributes" dialog's model
struct ClefAttributes;         // the clef and accidental dialog's model
struct KeysigAttributes;       // the "Key Signature" dialog's model
struct SingleAttributes;       // the bar line, time signature and thickness dialog's model

// What an open or save chooser starts with.
struct FileDialogRequest {
    std::string title;
    std::string folder;           // the folder it opens in
    std::string fileName;         // the name it proposes
    std::string filter;           // e.g. "Quaverly files (*.QVR)"; several joined by ";;"
    std::string defaultExtension; // without the dot, e.g. "QVR"
    int selectedFilter = 0;       // the filter chosen at first, from 0
};

// What a save chooser offering several filters answered.
struct SaveChoice {
    std::string fileName;
    int filter = 0; // which of the request's filters was chosen, from 0
};

// The answers of the "Block Mode Action" dialog.
enum BlockAction : int {
    BlockCancel = 2,
    BlockIgnore = 5,
    BlockCopy = 6,
    BlockMove = 7,
    BlockPcxExport = 900,
    BlockAlterAttributes = 910,
    BlockDelete = 999,
};

enum class MessageType { Error, Warning, Information, Confirmation };

// Buttons of a message box; a set of them is an or-ed mask.
enum Button : unsigned {
    ButtonNone = 0,
    ButtonOk = 1,
    ButtonCancel = 2,
    ButtonYes = 4,
    ButtonNo = 8,
    ButtonAbort = 16,
    ButtonRetry = 32,
    ButtonIgnore = 64,
    ButtonHelp = 128,
};
using Buttons = unsigned;

class Ui {
  public:
    virtual ~Ui() = default;

    // Shows a message box and returns the button pressed.
    virtual Button message(MessageType type, const std::string& text, Buttons buttons) = 0;
    // The same under a caption of its own; a Ui without captions shows the text alone.
    virtual Button captionedMessage(MessageType type, const std::string& /*caption*/, const std::string& text,
                                    Buttons buttons = ButtonOk) {
        return message(type, text, buttons);
    }

    // Asks for a line of text; nothing when the user cancels.
    virtual std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                                const std::string& initial) = 0;

    // Shows or clears the busy (hourglass) pointer around a long operation.
    virtual void setBusy(bool /*busy*/) {}

    // Open and save choosers; nothing when the user cancels.
    virtual std::optional<std::string> openFileName(const FileDialogRequest& /*request*/) { return std::nullopt; }
    virtual std::optional<std::string> saveFileName(const FileDialogRequest& /*request*/) { return std::nullopt; }
    // A save chooser whose filter offers several choices separated by ";;" (e.g.
    // "PCX files (*.PCX);;Windows bitmaps (*.BMP)"): the name and the choice in
    // force when it was accepted. A Ui that cannot tell answers the first.
    virtual std::optional<SaveChoice> saveFileChoice(const FileDialogRequest& request) {
        std::optional<std::string> name = saveFileName(request);
        if (!name) return std::nullopt;
        return SaveChoice{*name, 0};
    }

    // The small progress window: one line of text and "Please wait".
    virtual void showProgress(const std::string& /*text*/) {}
    virtual void closeProgress() {}

    // The progress window of printing and picture export, with an abort button:
    // the first call opens it under `caption`, later ones change its caption and
    // line, and `percent` (0..100) fills its bar when given. `progressAborted` is
    // true once the abort button has been pressed.
    virtual void abortableProgress(const std::string& /*caption*/, const std::string& /*text*/,
                                   int /*percent*/ = -1) {}
    virtual bool progressAborted() { return false; }
    virtual void closeAbortableProgress() {}

    // Runs a dialog over its model until the user closes it; true for OK. Without
    // a person to ask, the dialogs are cancelled.
    virtual bool runSavePartDialog(SavePartDialog& /*dialog*/) { return false; }
    virtual bool runTemplateSelection(TemplateSelectionDialog& /*dialog*/) { return false; }
    virtual bool runSymbolPalette(SymbolPalette& /*palette*/) { return false; }
    virtual bool runDrawingTools(DrawingTools& /*tools*/) { return false; }
    virtual bool runBindingDialog(BindingDialog& /*dialog*/) { return false; }
    virtual bool runPageSetup(PageSetupDialog& /*dialog*/) { return false; }
    // True when "&Do it!" and its questions were answered: the model's chosen() request.
    virtual bool runTransposeDialog(TransposeDialog& /*dialog*/) { return false; }
    // The attribute dialogs; true for OK (and for the note dialog's "Set De&fault",
    // which also sets the model's setDefault).
    virtual bool runNoteAttributes(NoteAttributes& /*dialog*/) { return false; }
    virtual bool runClefAttributes(ClefAttributes& /*dialog*/) { return false; }
    virtual bool runKeysigAttributes(KeysigAttributes& /*dialog*/) { return false; }
    virtual bool runSingleAttributes(SingleAttributes& /*dialog*/) { return false; }
    // The platform's font dialog on `font` (existing fonts only, sizes up to 255); the
    // chosen face, size and style with the colour kept, nothing when cancelled.
    virtual std::optional<FontDesc> chooseFont(const FontDesc& /*font*/);
    // The "Text Attributes" dialog (true for OK) and the chooser of the six favourite
    // fonts (true for OK, with or without a number chosen). Cancelled without a person.
    virtual bool runTextAttributes(TextAttributes& /*dialog*/) { return false; }
    virtual bool runFavouriteChooser(FavouriteChooser& /*chooser*/) { return false; }
    // The "Block Mode Action" dialog ("Specify action on marked block"), shown at
    // the pointer; one of the BlockAction answers. Without a person it is cancelled.
    virtual int blockModeAction() { return BlockCancel; }
    // `Ttypeselect` ("Object type selection"): one of the object kinds offered (the
    // kind numbers of the objects caught by a block box); nothing when aborted.
    virtual std::optional<int> chooseObjectType(const std::vector<int>& /*kinds*/) { return std::nullopt; }

    // The score information window ("Quaverly 32 Information"), modal until closed;
    // and its "Change font" dialog, true for "&OK". Without a person to ask, neither
    // is shown.
    virtual void runInformation(InformationDialog& /*dialog*/) {}
    virtual bool runChangeFont(ChangeFontDialog& /*dialog*/) { return false; }
};

// The common shapes of message.
inline void showError(Ui& ui, const std::string& text) { ui.message(MessageType::Error, text, ButtonOk); }
inline void showWarning(Ui& ui, const std::string& text) { ui.message(MessageType::Warning, text, ButtonOk); }
inline void showInformation(Ui& ui, const std::string& text) {
    ui.message(MessageType::Information, text, ButtonOk);
}

// Replaces the first "%s" or "%d" in a message template; the messages keep the
// program's printf-style wording.
std::string formatMessage(const std::string& pattern, const std::string& value);
std::string formatMessage(const std::string& pattern, long value);

} // namespace qv
