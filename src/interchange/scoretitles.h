#pragma once
// The title block of a score: the texts above the first stave of the first page
// (and in the header) that name the piece and its composer. The largest text
// centred over the music is the title; the topmost text set against the right
// margin is the composer. Other centred or right-aligned texts there are credits.

#include "interchange/exportmodel.h"
#include "interchange/voices.h"

namespace qv {

struct ScoreTitles {
    std::string title;                 // UTF-8
    std::string composer;              // UTF-8
    std::vector<ExportCredit> credits; // the title block, title and composer included
    TextSet used;                      // the texts read here, left out of the music
};

// How far above the first stave's middle line a text must stand (page units) to
// be part of the title block rather than a word or chord name over the music.
inline constexpr int TitleBlockAbove = 40;

ScoreTitles findTitles(const Score& score);

} // namespace qv
