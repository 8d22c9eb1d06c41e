#pragma once
// The Options dialog: pages Desktop, Musical, Document, Language, Cursor, Colours
// and Size over the desktop settings, and on the Document page the open score's
// spacing grade, pulse and minimum beaming angle. It is filled from the settings
// and reads them back from its controls; settings without a control (recent files,
// templates, the level …) pass through unchanged.

#include "model/settings.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace qv {

class Score;
class Ui;

inline const char* const UndoLockedMessage =
    "Undo depth cannot be changed while a score is loaded.\n\nUndo depth is unchanged at %d";
inline const char* const ResetColoursQuestionBritish =
    "Please confirm reset of colours (including cursor) to program default.";
inline const char* const ResetColoursQuestionAmerican =
    "Please confirm reset of colors (including cursor) to program default.";

inline constexpr int MaxUndoDepth = 1000;
inline constexpr int UndoDepthStep = 10;
// Beyond 27 degrees every beam is flat already (no fitted slope exceeds 0.5).
inline constexpr int MaxBeamang = 45;

// The open score's own options, kept in its file.
struct DocumentOptions {
    int spacing = 3;  // grade 1 "Very close" .. 5 "Very wide"
    int pulse = 3;    // duration code 1 semibreve .. 6 demisemiquaver
    int beamang = 10; // minimum beaming angle, degrees
    bool operator==(const DocumentOptions&) const = default;
};

DocumentOptions documentOptionsOf(const Score& score);
// Stores the options in the score; the beam slope limit follows the angle
// (Score::setBeamang). A change is a change of the document: the score is marked
// modified. True when anything changed.
bool applyDocumentOptions(Score& score, const DocumentOptions& options);

struct OptionsResult {
    Settings settings;
    std::optional<DocumentOptions> document; // set when a score is open
};

// Picks a colour, given and returned as 0x00BBGGRR; nothing when cancelled.
using ColourChooser =
    std::function<std::optional<std::uint32_t>(std::uint32_t current, const QString& title)>;

class OptionsDialog : public QDialog {
  public:
    // `openScore` holds the open score's options, or nothing when no score is open
    // (the Document page is then disabled). Questions and refusals go through `ui`.
    OptionsDialog(const Settings& settings, const std::optional<DocumentOptions>& openScore, Ui& ui,
                  QWidget* parent = nullptr);

    // The settings as the controls show them.
    Settings settings() const;
    // The Document page's values; nothing when no score is open.
    std::optional<DocumentOptions> document() const;

    // Replaces the colour dialog (QColorDialog by default).
    void setColourChooser(ColourChooser chooser) { chooser_ = std::move(chooser); }

    // OK: a changed undo depth while a score is open is refused with a message
    // and put back; then the dialog closes.
    void accept() override;

  private:
    QWidget* desktopPage();
    QWidget* musicalPage();
    QWidget* documentPage();
    QWidget* languagePage();
    QWidget* cursorPage();
    QWidget* coloursPage();
    QWidget* sizePage();

    QPushButton* colourButton(const char* caption, std::uint32_t ColourSettings::*member, QWidget* parent);
    void chooseColour(QPushButton* button, std::uint32_t ColourSettings::*member);
    void resetColours();
    void showColours();
    bool american() const;
    void showPulseNames();
    void showStaveSize();
    void staveSizeEdited(double shown);

    const Settings original_;
    const std::optional<DocumentOptions> openScore_;
    Ui& ui_;
    ColourChooser chooser_;
    ColourSettings colours_;
    double staveSize_; // inches; follows the box only when the user edits it

    // Desktop
    QSpinBox* undo_ = nullptr;
    QCheckBox* sound_ = nullptr;
    QCheckBox* speedBar_ = nullptr;
    QCheckBox* hintsOff_ = nullptr;
    QCheckBox* fastCpu_ = nullptr;
    QCheckBox* noTemplates_ = nullptr;
    QCheckBox* scrollbars_ = nullptr;
    QCheckBox* tips_ = nullptr;
    QCheckBox* previewDetails_ = nullptr;
    // Musical
    QCheckBox* twoDot_ = nullptr;
    QCheckBox* cClef_ = nullptr;
    QCheckBox* fiveStyles_ = nullptr;
    QCheckBox* naturals_ = nullptr;
    // Document
    QButtonGroup* spacing_ = nullptr;
    QButtonGroup* pulse_ = nullptr;
    QSpinBox* beamang_ = nullptr;
    // Language
    QRadioButton* british_ = nullptr;
    QRadioButton* american_ = nullptr;
    // Cursor
    QButtonGroup* cursorThickness_ = nullptr;
    QButtonGroup* cursorType_ = nullptr;
    QCheckBox* slowScroll_ = nullptr;
    QSpinBox* scrollSpeed_ = nullptr;
    // Colours, the cursor's included
    std::vector<std::pair<QPushButton*, std::uint32_t ColourSettings::*>> colourButtons_;
    // Size
    QRadioButton* inches_ = nullptr;
    QRadioButton* millimetres_ = nullptr;
    QDoubleSpinBox* staveSizeBox_ = nullptr;
    QComboBox* defaultSpacing_ = nullptr;
    QSpinBox* lineWidth_ = nullptr;
    QSpinBox* curveDepth_ = nullptr;
};

// Runs the dialog modally; nothing when cancelled.
std::optional<OptionsResult> runOptionsDialog(QWidget* parent, const Settings& settings,
                                              const std::optional<DocumentOptions>& openScore, Ui& ui);

} // namespace qv
