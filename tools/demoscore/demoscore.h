#pragma once
// Builds the demonstration score: the Minuet in G on braced treble and bass
// staves, laid out four bars to a system and broken into pages.

#include "model/score.h"
#include "model/ui.h"

namespace demo {

// Answers nothing and remembers whether anything was said, so the tool can fail
// when the model refuses an object.
class SilentUi : public qv::Ui {
  public:
    qv::Button message(qv::MessageType type, const std::string& text, qv::Buttons buttons) override;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override;
    bool spoke() const { return spoke_; }

  private:
    bool spoke_ = false;
};

// The whole demonstration score, paginated.
qv::Score buildDemoScore(qv::Ui& ui);

} // namespace demo
