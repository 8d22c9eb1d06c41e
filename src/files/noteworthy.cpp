// Reading a NoteWorthy 2 file record by record, translating each as it comes: the
// header into our header values and a page from the printer, the staves into our
// stave records, the header and footer texts onto the header/footer stave, and the
// objects whose fields NoteWorthy 2 uses differently. Everything is read into a
// fresh score, so a file refused half way leaves nothing behind.

#include "files/noteworthy.h"

#include "files/noteworthypass.h"
#include "files/recordreading.h"
#include "files/recovery.h"
#include "model/bytes.h"
#include "model/score.h"
#include "model/tpagedata.h"
#include "model/ui.h"
#include "render/glyphcatalogue.h"

#include <algorithm>
#include <utility>

namespace qv {

namespace {

constexpr double NoteWorthyLengthUnit = 0.01; // header and footer heights are hundredths of an inch
constexpr double NoteWorthyStaveSize = 1.0 / 3.0;
constexpr int FooterUnitsPerInch = 96; // at a stave size of a third of an inch
constexpr int FooterIndex = 2;         // a stave-0 record of object index 2 is a footer text
constexpr int UnsetStaveParameter = 20;
constexpr int UnsetLineValue = 5;
constexpr int ShortRestDuration = 5; // a semiquaver rest sits a space lower with us
constexpr int ShortRestDrop = 8;
constexpr int LargeTitleFont = 5;
constexpr int LargeTitleRaise = 11;
constexpr int TranslationFonts = 5;

struct Shown {
    MessageType type;
    std::string text;
};

void takeHeader(const FileHeader& h, Score& score) {
    if (h.Nstaves == 0) refuseAsBad("Problem with the header: no staves");
    score.naturalsInKeyChange = true;
    score.Spacing = h.Spacing;
    score.Pulse = h.Pulse;
    score.setBeamang(h.Beamang);
    score.FileVer = h.FileVer;
    score.page.Header = h.headerThousandths * NoteWorthyLengthUnit; // the same bytes hold hundredths here
    score.page.Footer = h.footerThousandths * NoteWorthyLengthUnit;
    score.StvSiz = NoteWorthyStaveSize;
    score.Facing = false;
}

// The printer's whole sheet when it can be asked, else the fallback page; the
// header and footer heights stay as the file gave them. Returns what to tell the user.
std::vector<Shown> choosePage(PrinterDevice* printer, Score& score) {
    Tpagedata capacities(printer);
    if (printer && capacities.refresh()) {
        score.page = pageFromPrinter(capacities, score.page);
        return {{MessageType::Information, TranslatingWithPrinter}};
    }
    const PageData base = score.page;
    score.page = fallbackPage();
    score.page.Header = base.Header;
    score.page.Footer = base.Footer;
    return {{MessageType::Warning, NoPrinterMessage}, {MessageType::Warning, TranslatingWithoutPrinter}};
}

void setTranslationFonts(Score& score) {
    FontTable& f = score.fonts;
    f.setFont(2, FontDesc{"Courier New", 10, FontBold, 0});
    f.setFont(3, FontDesc{"Courier New", 8, FontBold | FontItalic, 0});
    f.setFont(4, FontDesc{"Courier New", 10, FontBold | FontItalic, 0});
    f.setFont(5, FontDesc{"Times New Roman", 37, FontBold, 0});
    f.clearInUse();
    for (int n = 1; n <= TranslationFonts; ++n)
        f.markInUse(n);
    score.NumFonts = TranslationFonts;
}

int orDefault(int value, int whenZero) {
    return value == 0 ? whenZero : value;
}

Stave translateStave(const std::uint8_t* r, int index) {
    if (r[7] > MaxObjects)
        refuseAsBad("Problem with stave " + std::to_string(index) + ": " + std::to_string(r[7]) + " objects");
    Stave s;
    s.Ycoord = getI16(r + 0);
    s.MaxY = getI16(r + 2);
    s.MinY = getI16(r + 4);
    s.Nobjec = r[7];
    s.LeftX = static_cast<std::int16_t>(acrossFromNoteWorthy(getI16(r + 8)));
    s.RightX = static_cast<std::int16_t>(acrossFromNoteWorthy(getI16(r + 10)));
    s.PageNum = 1;
    const bool system = r[12] & 1;
    s.joinToNext = s.bracketWithNext = system;
    s.bracket = true;
    s.barLineThrough = s.brace = r[6] & 1;
    // A page break inside a system cannot be: the join wins.
    s.ForcedBk = r[13] == 1 && !system;
    s.lineValue = static_cast<std::uint8_t>(orDefault((r[15] >> 1) & 15, UnsetLineValue));
    s.staveNumber = static_cast<std::uint16_t>(index);
    s.paramA = orDefault(static_cast<std::int8_t>(r[18]), UnsetStaveParameter);
    s.paramB = orDefault(static_cast<std::int8_t>(r[19]), UnsetStaveParameter);
    return s;
}

void readStaves(RecordReader& records, int count, Score& score) {
    score.setStaveCount(count);
    Stave headerFooter;
    headerFooter.invisible = true;
    score.setStave(0, headerFooter);
    for (int i = 1; i <= count; ++i)
        score.setStave(i, translateStave(records.need(), i));
}

ScoreObject objectOf(const std::uint8_t* r) {
    ScoreObject o;
    std::copy(r + 2, r + RecordSize, o.bytes.begin());
    o.setX(acrossFromNoteWorthy(o.x()));
    return o;
}

// The conversions a music stave's object needs as it is read; the rest waits for
// the final pass, which knows the stave's new place.
void translateObject(ScoreObject& o) {
    switch (o.kind()) {
    case ObjectKind::Note:
        if (o.isRest()) {
            if (o.duration() == ShortRestDuration) o.setY(toObjectField(o.y() + ShortRestDrop));
        } else {
            o.setSymbolCode(NoteGlyphTable(o.duration(), o.stem(), o.headStyle()));
            o.setStemExtra(0);
        }
        break;
    case ObjectKind::Line:
        o.setLineDx(acrossFromNoteWorthy(o.lineDx()));
        o.setLineThickness(1);
        o.setLineStyle(0);
        break;
    case ObjectKind::CurvePoint:
        o.setCurveThickness(1);
        o.setU8(13, 0); // no dotted or other style bits
        break;
    case ObjectKind::ShortText:
        if (o.fontNumber() == LargeTitleFont) o.setY(toObjectField(o.y() - LargeTitleRaise));
        break;
    default: break;
    }
}

// Header (object index 1) and footer (index 2) texts go onto the header/footer
// stave in file order; a footer is measured from the foot of the printed page.
// Anything else on stave 0, and texts beyond the stave's capacity, are dropped.
void takeHeaderFooterText(const std::uint8_t* r, int footerTop, Score& score, FilledSlots& filled) {
    ScoreObject o = objectOf(r);
    Stave& s = score.stave(0);
    if (!o.is(ObjectKind::ShortText) || s.Nobjec >= MaxObjects) return;
    if (r[1] == FooterIndex) o.setY(toObjectField(std::int64_t{footerTop} + o.y()));
    s.object(++s.Nobjec) = o;
    filled[0].set(s.Nobjec);
}

int footerTopOf(const PageData& p) {
    return roundHalfEven((p.Length - p.TopM - p.BotM - p.Footer) * FooterUnitsPerInch);
}

// Objects run to the end of the file. An index above its stave's count raises the
// count, as for our own files; the message for it is kept for an accepted file.
void readObjects(RecordReader& records, Score& score, FilledSlots& filled, std::vector<std::string>& recovered) {
    const int footerTop = footerTopOf(score.page);
    while (!records.atEnd()) {
        const std::uint8_t* r = records.need();
        const int staveIndex = r[0];
        const int index = r[1];
        if (staveIndex == 0) {
            takeHeaderFooterText(r, footerTop, score, filled);
            continue;
        }
        ScoreObject o = objectOf(r);
        translateObject(o);
        objectSlot(score, staveIndex, index, filled, recovered) = o;
    }
}

// Reads every record into `score`; throws Refused. Returns what to tell the user
// once the file is accepted, in order.
std::vector<Shown> readRecords(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                               const FileHeader& h, PrinterDevice* printer, Score& score) {
    RecordReader records(bytes, fileName);
    records.need(); // the header, already decoded
    takeHeader(h, score);
    std::vector<Shown> shown = choosePage(printer, score);
    std::vector<std::string> recovered = recoverPage(score);
    setTranslationFonts(score);
    readStaves(records, h.Nstaves, score);
    FilledSlots filled;
    readObjects(records, score, filled, recovered);
    refuseMisreadRecords(score, filled, fileName);
    for (std::string& m : recoverObjects(score, filled))
        recovered.push_back(std::move(m));
    for (std::string& m : recovered)
        shown.push_back({MessageType::Error, std::move(m)});
    return shown;
}

} // namespace

int acrossFromNoteWorthy(int v) {
    constexpr double PageUnitsPerNoteWorthyUnit = 0.768;
    return toObjectField(roundHalfEven(v * PageUnitsPerNoteWorthyUnit));
}

ReadResult readNoteWorthy(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                          PrinterDevice* printer, Ui& ui, Score& out) {
    ReadResult result;
    if (bytes.empty() || bytes.size() % RecordSize != 0) {
        result.status = ReadStatus::ReadError;
        result.message = FileReadErrorPrefix + fileName;
        return result;
    }
    result.header = decodeHeader(bytes.data());
    Score score;
    std::vector<Shown> shown;
    try {
        shown = readRecords(bytes, fileName, result.header, printer, score);
    } catch (const Refused& refused) {
        result.status = refused.status;
        result.message = refused.message;
        return result;
    }
    for (const Shown& s : shown)
        ui.message(s.type, s.text, ButtonOk);
    finishNoteWorthyTranslation(score);
    // Loading replaces what the score holds, not how the layers above are wired to it.
    score.hooks = std::move(out.hooks);
    out = std::move(score);
    return result;
}

} // namespace qv
