#pragma once
// A Ui for benchmarks: every message answered with its first button, nothing
// shown, every input box cancelled.

#include "model/ui.h"

namespace bench {

class QuietUi : public qv::Ui {
  public:
    qv::Button message(qv::MessageType, const std::string&, qv::Buttons) override { return qv::ButtonOk; }
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

} // namespace bench
