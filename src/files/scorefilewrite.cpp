// Writing the records of a score file: header, page, description (templates),
// font pairs, staves, then every object.

#include "files/scorefilewrite.h"

#include "files/safewrite.h"
#include "model/bytes.h"
#include "model/score.h"
#include "model/ui.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qv {

namespace {

constexpr int FirstNamePart = 20;  // face name characters in the first font record
constexpr int SecondNamePart = 12; // and in the second
constexpr int DescriptionCapacity = 21;

// The range that is actually stored. A range that is not the whole score holds
// music staves only: stave 0 can only be stored together with every music stave,
// since a partial file has no place for it.
struct StoredRange {
    int first = 0;
    int last = 0;
    bool whole = true;
    int count() const { return whole ? last : std::max(0, last - first + 1); } // music staves stored
};

StoredRange storedRange(const Score& score, WriteRange range) {
    const int last = std::clamp(range.last, 0, score.Nstaves);
    if (range.first <= 0 && last == score.Nstaves) return {0, last, true};
    return {std::max(range.first, 1), last, false};
}

// Inches as unsigned thousandths, halves to even; kept inside the 16-bit field
// rather than wrapping round.
std::uint16_t thousandths(double inches) {
    const double v = std::clamp(inches * 1000.0, 0.0, 65535.0);
    return static_cast<std::uint16_t>(roundHalfEven(v));
}

std::uint16_t low16(std::int32_t v) {
    return static_cast<std::uint16_t>(v & 0xFFFF);
}

class RecordWriter {
  public:
    explicit RecordWriter(std::size_t records) { bytes_.reserve(records * RecordSize); }

    // A zero-filled record appended to the file; its fields are written through the pointer.
    std::uint8_t* next() {
        bytes_.resize(bytes_.size() + RecordSize, 0);
        return bytes_.data() + bytes_.size() - RecordSize;
    }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
};

std::uint8_t headerFlags(const Score& score, const StoredRange& range, const WriteOptions& options) {
    std::uint8_t flags = score.naturalsInKeyChange ? FlagNaturalsInKeyChange : 0;
    if (options.isTemplate) flags |= FlagTemplate | FlagDescription;
    if (!range.whole) flags |= FlagPartial;
    return flags;
}

void putHeader(std::uint8_t* r, const Score& score, const StoredRange& range, const WriteOptions& options) {
    r[0] = static_cast<std::uint8_t>(range.count());
    r[1] = 'q';
    r[2] = 'V';
    r[3] = headerFlags(score, range, options);
    r[4] = 'K';
    r[5] = static_cast<std::uint8_t>(score.Spacing);
    r[6] = static_cast<std::uint8_t>(score.Pulse);
    r[7] = static_cast<std::uint8_t>(score.Beamang);
    putU16(r + 8, CurrentFileVersion);
    r[10] = 1; // Page1
    putU16(r + 11, thousandths(score.page.Header));
    putU16(r + 13, thousandths(score.page.Footer));
    r[17] = static_cast<std::uint8_t>(options.screenResolution);
    putU16(r + 20, static_cast<std::uint16_t>(score.NumFonts));
}

void putPage(std::uint8_t* r, const Score& score) {
    const PageData& p = score.page;
    putU16(r + 0, thousandths(p.Length));
    putU16(r + 2, thousandths(p.Width));
    putU16(r + 4, thousandths(p.TopM));
    putU16(r + 6, thousandths(p.RightM));
    putU16(r + 8, thousandths(p.LeftM));
    putU16(r + 10, thousandths(p.BotM));
    putU16(r + 12, thousandths(p.GutM));
    putU16(r + 14, low16(score.LeftStv));
    putU16(r + 16, low16(score.RightStv));
    r[18] = score.Facing ? 1 : 0;
    putU16(r + 19, thousandths(score.StvSiz)); // odd offset: straddles bytes 19 and 20
    r[21] = p.landscape ? 1 : 0;
}

void putFont(RecordWriter& out, int n, const FontDesc& font) {
    std::uint8_t* first = out.next();
    first[0] = static_cast<std::uint8_t>(n);
    putRecordString(first + 1, FirstNamePart, font.name.substr(0, FirstNamePart));
    std::uint8_t* second = out.next();
    const std::string rest = font.name.size() > FirstNamePart ? font.name.substr(FirstNamePart) : "";
    putRecordString(second, SecondNamePart, rest);
    putU16(second + 13, static_cast<std::uint16_t>(std::clamp(font.size, 0, 65535)));
    second[15] = font.style;
    putU32(second + 16, font.colour);
}

// Objects beyond the last slot an array can hold are never stored.
int storedObjects(const Stave& s) {
    return std::min<int>(s.Nobjec, MaxObjects);
}

void putStave(std::uint8_t* r, const Stave& s, bool headerFooter) {
    putU16(r + 0, headerFooter ? 0 : low16(s.Ycoord));
    putU16(r + 2, low16(s.MaxY));
    putU16(r + 4, low16(s.MinY));
    r[6] = s.CFlag();
    r[7] = static_cast<std::uint8_t>(storedObjects(s));
    putI16(r + 8, s.LeftX);
    putI16(r + 10, s.RightX);
    r[12] = 0; // Sysdown, not used in this version
    r[13] = s.ForcedBk ? 1 : 0;
    r[14] = s.PageNum;
    r[15] = static_cast<std::uint8_t>((s.invisible ? 1 : 0) | ((s.lineValue & 15) << 1) |
                                      (headerFooter ? 0x80 : 0));
    putU16(r + 16, s.staveWord);
    r[18] = static_cast<std::uint8_t>(s.paramA);
    r[19] = static_cast<std::uint8_t>(s.paramB);
}

void putObjects(RecordWriter& out, const Stave& s, int staveByte) {
    for (int i = 1; i <= storedObjects(s); ++i) {
        std::uint8_t* r = out.next();
        r[0] = static_cast<std::uint8_t>(staveByte);
        r[1] = static_cast<std::uint8_t>(i);
        std::copy(s.object(i).bytes.begin(), s.object(i).bytes.end(), r + 2);
    }
}

std::size_t recordCount(const Score& score, const StoredRange& range, bool isTemplate) {
    std::size_t n = 2 + (isTemplate ? 1 : 0) + 2 * static_cast<std::size_t>(score.NumFonts);
    for (int s = range.first; s <= range.last; ++s)
        n += 1 + static_cast<std::size_t>(storedObjects(score.stave(s)));
    return n;
}

} // namespace

std::vector<std::uint8_t> encodeScore(Score& score, WriteRange requested, const WriteOptions& options) {
    compactFonts(score);
    const StoredRange range = storedRange(score, requested);
    RecordWriter out(recordCount(score, range, options.isTemplate));

    putHeader(out.next(), score, range, options);
    putPage(out.next(), score);
    if (options.isTemplate) putRecordString(out.next(), DescriptionCapacity, score.description);
    for (int n = 1; n <= score.NumFonts; ++n)
        putFont(out, n, score.fonts.font(n));
    for (int s = range.first; s <= range.last; ++s)
        putStave(out.next(), score.stave(s), s == 0);
    for (int s = range.first; s <= range.last; ++s)
        putObjects(out, score.stave(s), range.whole ? s : s - range.first + 1);
    return out.take();
}

bool writeScoreFile(Score& score, const std::string& path, WriteRange range, const WriteOptions& options,
                    Ui& ui) {
    const WriteFileResult result = writeFileSafely(path, encodeScore(score, range, options));
    if (result.ok()) return true;
    showWriteFailure(ui, result, path);
    return false;
}

void showWriteFailure(Ui& ui, const WriteFileResult& result, const std::string& path) {
    if (result.stage == WriteStage::Declined) return; // the user chose not to save
    const char* pattern = result.stage == WriteStage::Create ? CreateErrorMessage : WriteErrorMessage;
    showError(ui, formatMessage(pattern, static_cast<long>(result.error)) + "\n\n" + std::strerror(result.error) +
                      ": " + path);
}

} // namespace qv
