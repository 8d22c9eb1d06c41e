// Reading the records of a score file into a score. Every count and index the file
// gives is checked before it is used: a damaged file is refused with the wording
// the user knows ("File is bad."), never allowed to write outside an array.

#include "files/scorefileread.h"

#include "files/recordreading.h"
#include "files/recovery.h"
#include "model/bounds.h"
#include "model/bytes.h"
#include "model/score.h"
#include "model/ui.h"

#include <algorithm>

namespace qv {

namespace {

constexpr int FirstNamePart = 20;
constexpr int SecondNamePart = 12;
constexpr int DescriptionCapacity = 21;
constexpr int FirstVersionWithHeaderStave = 302;
constexpr int FirstVersionWithResolution = 303;
constexpr int UnsetStaveParameter = 20; // what a stave parameter of 0 becomes
constexpr int UnsetLineValue = 5;       // what a line value of 0 becomes

const char* const NoteWorthyMessage = "NoteWorthy 2 files cannot be read by this version of Quaverly 32.";

double inches(int thousandths) {
    return thousandths * 0.001;
}

void takeHeader(const FileHeader& h, Score& score) {
    if (h.Nstaves == 0) refuseAsBad("Problem with the header: no staves");
    score.naturalsInKeyChange = h.Flags & FlagNaturalsInKeyChange;
    score.Spacing = h.Spacing;
    score.Pulse = h.Pulse;
    score.setBeamang(h.Beamang);
    score.FileVer = h.FileVer;
    score.page.Header = inches(h.headerThousandths);
    score.page.Footer = inches(h.footerThousandths);
}

void readPage(const std::uint8_t* r, Score& score) {
    PageData& p = score.page;
    p.Length = inches(getU16(r + 0));
    p.Width = inches(getU16(r + 2));
    p.TopM = inches(getU16(r + 4));
    p.RightM = inches(getU16(r + 6));
    p.LeftM = inches(getU16(r + 8));
    p.BotM = inches(getU16(r + 10));
    p.GutM = inches(getU16(r + 12));
    score.LeftStv = getI16(r + 14);
    score.RightStv = getI16(r + 16);
    score.Facing = r[18] != 0;
    score.StvSiz = std::clamp(inches(getU16(r + 19)), MinStaveSize, MaxStaveSize);
    p.landscape = r[21] != 0;
}

// A size beyond what the font dialog offers is damage and is cut to it; scaling for
// another screen may take a good size past it too, and is cut the same way.
FontDesc fontFrom(const std::uint8_t* first, const std::uint8_t* second, double sizeFactor,
                  std::vector<std::string>& recovered) {
    FontDesc f;
    f.name = recordString(first + 1, FirstNamePart) + recordString(second, SecondNamePart);
    f.size = getU16(second + 13);
    if (f.size > MaxFontPoints) {
        recovered.push_back("Problem with font " + std::to_string(first[0]) + ": " + std::to_string(f.size) +
                            " points\n" + FileIsBad);
        f.size = MaxFontPoints;
    }
    if (sizeFactor != 1.0) f.size = std::min(roundHalfEven(f.size * sizeFactor), MaxFontPoints);
    f.style = second[15];
    f.colour = getU32(second + 16);
    return f;
}

void readFonts(RecordReader& records, const FileHeader& h, const ReadOptions& options, Score& score,
               std::vector<std::string>& recovered) {
    if (h.NumFonts > MaxFonts) refuseAsBad("Problem with the font count " + std::to_string(h.NumFonts));
    for (int pair = 1; pair <= h.NumFonts; ++pair) {
        const std::uint8_t* first = records.need();
        const std::uint8_t* second = records.need();
        if (first[0] == 0) refuseAsBad("Problem with font 0 in font pair " + std::to_string(pair));
        score.fonts.setFont(first[0], fontFrom(first, second, options.fontSizeFactor, recovered));
    }
    score.fonts.clearInUse();
    for (int n = 1; n <= h.NumFonts; ++n)
        score.fonts.markInUse(n);
    score.NumFonts = h.NumFonts;
}

int orDefault(int value, int whenZero) {
    return value == 0 ? whenZero : value;
}

Stave readStave(const std::uint8_t* r, int index) {
    if (r[7] > MaxObjects)
        refuseAsBad("Problem with stave " + std::to_string(index) + ": " + std::to_string(r[7]) + " objects");
    Stave s;
    const bool headerFooter = r[15] & 0x80;
    s.Ycoord = headerFooter ? 0 : getI16(r + 0);
    s.MaxY = getI16(r + 2);
    s.MinY = getI16(r + 4);
    s.setCFlag(r[6]);
    s.Nobjec = r[7];
    s.LeftX = getI16(r + 8);
    s.RightX = getI16(r + 10);
    s.ForcedBk = r[13] == 1;
    s.PageNum = r[14];
    s.invisible = r[15] & 1;
    s.lineValue = static_cast<std::uint8_t>(orDefault((r[15] >> 1) & 15, UnsetLineValue));
    s.staveNumber = static_cast<std::uint16_t>(index);
    s.staveWord = getU16(r + 16);
    s.paramA = orDefault(static_cast<std::int8_t>(r[18]), UnsetStaveParameter);
    s.paramB = orDefault(static_cast<std::int8_t>(r[19]), UnsetStaveParameter);
    return s;
}

// Files before version 302, and partial files, carry no header/footer stave.
Stave emptyHeaderFooterStave() {
    Stave s;
    s.invisible = true;
    return s;
}

void readStaves(RecordReader& records, const FileHeader& h, Score& score) {
    score.setStaveCount(h.Nstaves);
    const bool stored = h.FileVer >= FirstVersionWithHeaderStave && !h.partial();
    score.setStave(0, stored ? readStave(records.need(), 0) : emptyHeaderFooterStave());
    for (int i = 1; i <= h.Nstaves; ++i)
        score.setStave(i, readStave(records.need(), i));
}

// The staff position an accidental takes from its height on the stave.
void placeAccidental(ScoreObject& o, const Stave& stave) {
    o.setAccPosition((stave.Ycoord - o.y()) / 4);
}

// Objects run to the end of the file. An index above its stave's count is
// recovered by raising the count; the message for it is kept so that it is shown
// only for a file that is accepted. `filled` notes every slot a record filled.
void readObjects(RecordReader& records, Score& score, FilledSlots& filled,
                 std::vector<std::string>& recovered) {
    while (!records.atEnd()) {
        const std::uint8_t* r = records.need();
        ScoreObject& o = objectSlot(score, r[0], r[1], filled, recovered);
        std::copy(r + 2, r + RecordSize, o.bytes.begin());
        if (o.is(ObjectKind::Accidental)) placeAccidental(o, score.stave(r[0]));
    }
}

void append(std::vector<std::string>& to, const std::vector<std::string>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// Reads every record after the header into `score`, recovering what can be
// recovered; throws Refused. Returns the messages of the recoveries.
std::vector<std::string> readRecords(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                                     const FileHeader& h, const ReadOptions& options, Score& score) {
    std::vector<std::string> recovered;
    RecordReader records(bytes, fileName);
    records.need(); // the header, already decoded
    takeHeader(h, score);
    readPage(records.need(), score);
    append(recovered, recoverPage(score));
    if (h.hasDescription()) score.description = recordString(records.need(), DescriptionCapacity);
    readFonts(records, h, options, score, recovered);
    readStaves(records, h, score);
    FilledSlots filled;
    readObjects(records, score, filled, recovered);
    refuseMisreadRecords(score, filled, fileName);
    append(recovered, recoverObjects(score, filled));
    return recovered;
}

ReadResult refusal(ReadResult result, ReadStatus status, std::string message) {
    result.status = status;
    result.message = std::move(message);
    return result;
}

} // namespace

ReadResult readScore(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                     const ReadOptions& options, Ui& ui, Score& out) {
    ReadResult result;
    result.screenResolution = options.screenResolution;
    if (bytes.empty() || bytes.size() % RecordSize != 0)
        return refusal(result, ReadStatus::ReadError, FileReadErrorPrefix + fileName);
    result.header = decodeHeader(bytes.data());
    const FileHeader& h = result.header;
    if (h.FileVer <= LastNoteWorthyVersion) return refusal(result, ReadStatus::NoteWorthy, NoteWorthyMessage);
    if (!h.quaverlyMagic) return refusal(result, ReadStatus::NotScoreFile, NotScoreFileMessage);
    if (h.FileVer >= FirstVersionWithResolution) result.screenResolution = h.screenResolution;

    Score score;
    try {
        const std::vector<std::string> recovered = readRecords(bytes, fileName, h, options, score);
        for (const std::string& message : recovered)
            showError(ui, message);
    } catch (const Refused& refused) {
        return refusal(result, refused.status, refused.message);
    }
    // Loading replaces what the score holds, not how the layers above are wired to it.
    score.hooks = std::move(out.hooks);
    out = std::move(score);
    return result;
}

} // namespace qv
