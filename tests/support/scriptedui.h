#pragma once
// A Ui for tests: records every message and question, and answers from a script.

#include "model/ui.h"

#include <deque>
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

    bool saw(const std::string& text) const;
    std::string lastText() const { return messages.empty() ? std::string() : messages.back().text; }
};

} // namespace qv::test
