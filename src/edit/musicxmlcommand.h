#pragma once
// "Export MusicXML...": the score written as a MusicXML file chosen in a save
// dialog. Only the chosen file is written, by the same safe writing as scores
// (a temporary file beside it, renamed into place), so a failed export leaves
// any earlier file of that name as it was.

#include "edit/setmode.h"

namespace qv {

inline const char* const MusicXmlTitle = "Export MusicXML";
inline const char* const MusicXmlFilter = "MusicXML files (*.musicxml *.xml)";

void exportMusicXmlCommand(EditSession& session);

// Writes the score to `path`; failures are told to the user. True when written.
bool writeMusicXmlFile(const Score& score, const std::string& path, Ui& ui);

} // namespace qv
