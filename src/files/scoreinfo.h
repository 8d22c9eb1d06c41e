#pragma once
// The figures of the score information: counts and maxima of the score in memory,
// its page data and settings, the printer's page, the fonts its texts use and the
// free space of the drive. The information window shows them page by page and
// `quaverly-cli info` prints them; both take them from here.

#include "model/fonttable.h"
#include "model/pagegeometry.h"

#include <string>
#include <vector>

namespace qv {

class Score;
class Tpagedata;

// A whole number as the information shows it: a comma between groups of three digits.
std::string groupThousands(long long n);

// A font the texts use and how many texts use it.
struct FontUse {
    int number = 1;
    int texts = 0;
};
// Font 1 and every font of a long-text head on the music staves, by increasing
// number, each with its count of texts. Short texts and the header/footer stave's
// texts are not counted; the font table's own in-use set is not consulted.
std::vector<FontUse> fontsInUse(const Score& score);
// One line of the fonts list: "Font %3d: %s, size %d, %s.     Word count = %3d".
std::string fontListLine(const FontDesc& font, const FontUse& use);
// "Font " + number + ": " + face + ", size " + size + ", " + style words.
std::string fontDefinitionText(int number, const FontDesc& font);

// The largest of a count and where it is first reached (a page or a stave).
struct Maximum {
    int count = 0;
    int where = 0;
};
struct Maxima {
    int stavesPerSystem = 0;
    Maximum stavesOnPage{1, 1};
    Maximum systemsOnPage{1, 1};
    Maximum objectsOnStave;
};
Maxima scoreMaxima(const Score& score);

// Objects on staves 0..Nstaves.
int totalObjects(const Score& score);
// The size of the whole-score file without a description record, in bytes.
long long fileSizeWhenSaved(const Score& score, int fontsUsed);

// The free space of the file system that holds a folder.
struct DriveSpace {
    bool ready = false; // false: "No disk in drive"
    long long freeBytes = 0;
    std::string mountPoint;
};
DriveSpace driveFreeSpace(const std::string& folder);

// One line of a page: a caption, its values (shown right-aligned unless `text`)
// and a note after them. A row without values under a caption of its own is a
// heading.
struct InfoRow {
    std::string label;
    std::vector<std::string> values;
    std::string note;
    bool text = false; // a name, shown as it is and left-aligned
};
struct InfoPage {
    std::string title;                // with its & accelerator
    std::vector<std::string> columns; // the headings of the value columns, if any
    std::vector<InfoRow> rows;
};

// What the figures come from beside the score.
struct InfoSources {
    std::string fileName;
    // The selected printer's page; null when no printer is defined.
    const Tpagedata* printer = nullptr;
    std::string printerName;
    DisplayUnit unit = DisplayUnit::Inches;
    int language = 0; // duration names: 0 British, 1 American
    DriveSpace drive;
};

inline const char* const NoPrinterDefined = "No printer defined";
inline const char* const NoDiskInDrive = "No disk in drive";
inline const char* const InformationCaption = "Quaverly 32 Information";

InfoPage documentPage(const Score& score, const InfoSources& sources);
InfoPage fontsPage(const Score& score); // each line of the fonts list as a row caption
InfoPage pageSizePage(const Score& score, const InfoSources& sources);
InfoPage settingsPage(const Score& score, const InfoSources& sources);
InfoPage printerPage(const InfoSources& sources);
// The five pages in their order: document, fonts, page size, settings, printer.
std::vector<InfoPage> scoreInformation(const Score& score, const InfoSources& sources);

} // namespace qv
