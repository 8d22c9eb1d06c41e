#pragma once
// Saving a range of systems as a partial score file: the "Save Part of Score"
// dialog's model and the command around it.

#include "files/scorefile.h"
#include "files/scorefilewrite.h"

#include <optional>
#include <string>

namespace qv {

class Score;
class Ui;
struct Settings;

inline const char* const StartAboveEndMessage = "Start system number must not be greater than end system number.";
inline const char* const OneStaveSavedMessage = "Stave %d saved as %s";
inline const char* const StavesSavedMessage = "Staves %d-%d saved as %s";

// The state behind the "Save Part of Score" dialog. Two system numbers, "Start at"
// and "End at", both limited to 1..number of systems, with the staves they stand
// for shown beside them. The dialog widget only reads and sets these values.
class SavePartDialog {
  public:
    // Opens with both numbers on the system of `currentStave`.
    SavePartDialog(const Score& score, int currentStave, Ui& ui);

    int systemCount() const { return systems_; }
    int start() const { return start_; }
    int end() const { return end_; }

    // The spin boxes' arrows and committed entries: raising the start above the
    // end raises the end with it; lowering the end below the start lowers the start.
    void setStart(int system);
    void setEnd(int system);
    // A number typed into a box whose change has not reached the other box yet;
    // limited to the range but not coupled. OK then has to check the order.
    void typeStart(int system);
    void typeEnd(int system);

    int startStave() const; // the stave that begins the start system
    int endStave() const;   // the stave that ends the end system

    // OK: false, with the message, while start is above end (the dialog stays open).
    bool accept();
    // "Let me show you!": every music stave; closes the dialog.
    void showAll();
    // Cancel or Esc.
    void cancel();

    bool isOpen() const { return open_; }
    // The staves to write once the dialog closed with OK or "Let me show you!".
    std::optional<WriteRange> chosen() const { return chosen_; }

  private:
    int clampSystem(int system) const;

    const Score& score_;
    Ui& ui_;
    int systems_ = 0;
    int start_ = 1;
    int end_ = 1;
    bool open_ = true;
    std::optional<WriteRange> chosen_;
};

// The progress text for a partial file of staves first..last written to `fileName`.
std::string partialSaveProgress(int first, int last, const std::string& fileName);

// The "Save part of score" command: the range dialog, then the save chooser in the
// last directory, then the range written as a partial file (no backup). The
// modified flag is left as it was. Returns true when a file was written.
bool savePartOfScore(Score& score, int currentStave, Settings& settings, Ui& ui,
                     int screenResolution = DefaultScreenResolution);

} // namespace qv
