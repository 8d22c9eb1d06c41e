#pragma once
// Headers and footers: the objects of stave 0 printed on every page, with the
// field codes "@P" (page), "@F" (full file name), "@N" (file name), "@D" (long
// date), "@d" (short date) and "@T" (time) filled in, and the guide shown on the
// header/footer page on the screen.

#include "model/score.h"
#include "render/drawcontext.h"

#include <QDateTime>

#include <string>

namespace qv {

// The values of the fields for one printed page, each cut to its longest length.
struct HeaderFooterFields {
    std::string page;      // at most 5 characters
    std::string fullPath;  // at most 144
    std::string name;      // at most 32
    std::string longDate;  // at most 32
    std::string shortDate; // at most 16
    std::string time;      // at most 16
};
HeaderFooterFields headerFooterFields(int page, const std::string& filePath, const QDateTime& now);

// The file name without its folder: what follows the last ":", "\" or "/".
std::string fileNameOnly(const std::string& path);

// The text to print for a header/footer text: the field's value when the whole text
// is a field code, else the text itself.
std::string substituteField(const std::string& text, const HeaderFooterFields& fields);

// A copy of stave 0 whose field texts hold their values; values longer than the
// text's chunks take new chunks after the last object while there is room.
Stave withFieldsFilledIn(const Stave& stave0, const HeaderFooterFields& fields);

// Draws the lines and long texts of stave 0 on the print image, from the top of the
// printed area, with the fields filled in. High-resolution mode only.
void DrawHeaderFooter(DrawContext& dc, Score& score, const HeaderFooterFields& fields);

// The header/footer page's guide on the screen: the header line, the grey music
// page between header and footer, and the explanation. `screenWidth` 0 is unknown.
void DrawHeaderFooterScreenGuide(DrawContext& dc, const Score& score, int screenWidth);

} // namespace qv
