#pragma once
// Saving from the user's side: Save and Save As with the .QVR rule, the "NONAME"
// rule, the one-generation .QVB backup and the progress texts. Saving is crash
// safe: the new file is complete on disk before it replaces the old one, and the
// backup is made without ever leaving the score's file missing.

#include "model/score.h"
#include "model/settings.h"

#include <string>

namespace qv {

class Ui;

// The score being edited with its file name ("NONAME" + a number while unnamed).
struct Document {
    Score score;
    std::string fileName;
    int screenResolution = 96;
};

bool isUnnamed(const std::string& fileName); // first six characters "NONAME"
std::string withExtension(const std::string& fileName, const std::string& extension); // ".QVR"

// Writes the whole score over `path` keeping the previous file as .QVB; shows the
// progress text and any failure; clears the modified flag only on success.
bool saveWholeScore(Document& doc, const std::string& path, Ui& ui);

// The Save command: Save As when the score is unnamed, else the named file with
// its extension forced to .QVR.
bool saveCommand(Document& doc, Settings& settings, Ui& ui);
// The Save As command: the save chooser in the last directory; the chosen name
// becomes the score's and its folder the last directory.
bool saveAsCommand(Document& doc, Settings& settings, Ui& ui);

} // namespace qv
