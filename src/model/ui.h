#pragma once
// The one way any layer talks to the user: message boxes, questions and input
// boxes with the program's exact texts. The desktop frame implements it with
// widgets; tests plug in a scripted double; the command line prints.

#include <optional>
#include <string>

namespace qv {

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

    // Asks for a line of text; nothing when the user cancels.
    virtual std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                                const std::string& initial) = 0;

    // Shows or clears the busy (hourglass) pointer around a long operation.
    virtual void setBusy(bool /*busy*/) {}
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
