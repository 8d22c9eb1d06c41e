#pragma once
// The picture commands of the score window: the current page as a PCX file, and
// the box of a marked block as a PCX or BMP picture. The choosers propose the
// score's name (NONAME while it has none) beside the score.

#include "edit/setmode.h"

namespace qv {

// The choosers' captions and filters (our own words).
inline const char* const PcxOutputTitle = "PCX Output";
inline const char* const PcxExportTitle = "PCX Export";
inline const char* const PcxFilter = "PCX files (*.PCX *.pcx)";
inline const char* const PictureFilters = "PCX files (*.PCX *.pcx);;Windows bitmaps (*.BMP *.bmp)";

// "PCX &Output (current page)...", from Music mode: the save chooser, then the
// current page drawn and written in Waiting mode, and Music mode again.
void pcxOutputCommand(EditSession& session);

// "&PCX Export" of the "Block Mode Action" dialog: the chooser offers PCX and BMP,
// and the box the block was marked with is written from the current page in the
// format chosen. Nothing is written when the chooser is cancelled. The mode is
// left to the caller.
void exportBlockPicture(EditSession& session);

} // namespace qv
