#pragma once
// The command line's Ui: messages go to standard error; questions take their first
// (default) button and input boxes are cancelled, since nobody is there to answer.

#include "model/ui.h"

namespace qv {

class ConsoleUi : public Ui {
  public:
    Button message(MessageType type, const std::string& text, Buttons buttons) override;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override;
};

} // namespace qv
