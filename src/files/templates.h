#pragma once
// Templates: the template folder, saving a score as a template, the "Quaverly
// Template Selection" dialog's model with deleting, and starting a new score from a
// template or empty.

#include "files/saving.h"
#include "files/scorefile.h"

#include <optional>
#include <string>
#include <vector>

namespace qv {

class Score;
class Ui;
struct Settings;

inline const char* const TemplateExistsMessage =
    "Cannot save over an existing template name. Please choose another name.";
inline const char* const TemplateContentQuestion =
    "The score has more than simply staves, clefs and key signatures. Are you sure you want to include "
    "these in the template?";
inline const char* const TemplateInputCaption = "Quaverly Template";
inline const char* const TemplateInputPrompt = "Please give a description for this template :";
inline const char* const BlankDescriptionMessage = "Description cannot be blank. Please enter correctly.";
inline const char* const TemplateNotSavedMessage = "Template not saved.";
inline const char* const TemplateSavedMessage = "Template saved as %s";
inline const char* const TemplatesDisabledMessage =
    "Please note, you have disabled templates being offered on File | New. To reinstate, deselect the No "
    "Templates from the Options | Desktop menu.";
inline const char* const DeleteTemplateQuestion = "About to delete template \"%s\". Are you sure?";
inline const char* const TemplateReadErrorMessage = "Error on reading template. Loading without template.";
inline const char* const TemplateSelectionTitle = "Quaverly Template Selection";
inline const char* const TemplateListCaption = "List of available templates";

inline const char* const TemplateNameRefusedMessage =
    "The template list names \"%s\", which is not a plain file name in the template folder. "
    "That file is left alone.";

inline constexpr std::size_t TemplateFileDescriptionLength = 21; // the file's description record
inline constexpr std::size_t DeleteQuestionDescriptionLength = 50;

// The folder templates are kept in: $QUAVERLY_TEMPLATES when set, else
// $XDG_DATA_HOME/quaverly/TEMPLATE, else ~/.local/share/quaverly/TEMPLATE.
std::string templateFolder();

// Where templates go and what the header's screen resolution byte says.
struct TemplateContext {
    std::string folder = templateFolder();
    int screenResolution = DefaultScreenResolution;
};

// True for a plain file name: no folder part, not "." or "..", not empty. A
// template's name read from the settings must be one, so that no entry, however it
// got there, can reach a file outside the template folder.
bool isPlainFileName(const std::string& name);

// True when some object on staves 1..Nstaves is other than a clef or a key
// signature (deleted objects waiting for a tidy do not count).
bool hasMoreThanClefsAndKeys(const Score& score);

// The "Save as Template" command. The template's file lands in the template folder
// under the name chosen; its entry joins the sorted list once the file is written.
// The score, its modified flag included, is left as it was. True when saved.
bool saveAsTemplate(Score& score, const std::string& currentFileName, Settings& settings, Ui& ui,
                    const TemplateContext& context = {});

// The state behind the "Quaverly Template Selection" dialog over the template list.
class TemplateSelectionDialog {
  public:
    TemplateSelectionDialog(Settings& settings, Ui& ui, std::string folder);

    // The descriptions as listed, trailing spaces trimmed, in list order.
    std::vector<std::string> descriptions() const;
    int selected() const { return selected_; } // -1 when the list is empty
    void select(int index);

    // OK: the selected template becomes the choice; false when nothing is selected
    // or its name is not a plain file name (refused with a message).
    bool accept();
    // "No template" or Esc.
    void noTemplate();
    // "Delete": asks, and on Yes deletes the selected template's file and entry,
    // then selects the first entry. True when deleted. An entry whose name is not a
    // plain file name leaves the list, its file untouched, with a message.
    bool deleteSelected();

    // The chosen template's file (folder + file name) after OK.
    std::optional<std::string> chosenFile() const { return chosen_; }

  private:
    Settings& settings_;
    Ui& ui_;
    std::string folder_;
    int selected_ = -1;
    std::optional<std::string> chosen_;
};

// The score of File | New without a template: one empty music stave on page 1
// with the default page setup, stave size and spacing.
Score emptyScore(const Settings& settings);

// File | New: names the window "NONAME" + (openWindows + 1); offers the templates
// when there are any, they are enabled and the user is above beginner level; loads
// the chosen one, or starts an empty score.
Document newScoreCommand(int openWindows, Settings& settings, Ui& ui, const TemplateContext& context = {});

} // namespace qv
