#pragma once
// What every command of quaverly-cli shares: the one-line failure, the headless
// GUI side of Qt that text drawing needs, and loading a score with its messages.

#include "consoleui.h"
#include "model/score.h"

#include <QGuiApplication>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv::cli {

// Prints "quaverly-cli: MESSAGE" and returns the failing exit code.
int fail(const std::string& message);

// Drawing text needs the GUI side of Qt; headless, its offscreen platform serves.
std::unique_ptr<QGuiApplication> startGui(int& argc, char* argv[]);

// This screen's pixels per inch (96 without one).
int screenResolution();

// Errors are kept back: a failed command ends with one line, the last error;
// other messages and questions are printed as they come. On a terminal the
// progress window becomes a line per step.
class CliUi : public ConsoleUi {
  public:
    Button message(MessageType type, const std::string& text, Buttons buttons) override;
    void abortableProgress(const std::string& caption, const std::string& text, int percent = -1) override;
    std::string lastError() const;
    // Errors the load recovered from are still worth telling.
    void reportErrors();
    std::vector<std::string> errors;

  private:
    std::string lastProgress_;
};

// "A-B" or "A" (as A-A) with both numbers in 1..highest, in the order given;
// 1..highest when the text is empty; nothing when it cannot be read.
struct NumberRange {
    int first = 1;
    int last = 1;
};
std::optional<NumberRange> parseNumberRange(const std::string& text, int highest);

// Loads `path` with every check; false (with the reason in ui) when refused.
bool loadForCli(const std::string& path, CliUi& ui, Score& score);

} // namespace qv::cli
