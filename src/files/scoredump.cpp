// The diagnostic listing of a score file. The listing is written in the order the
// records are read, so when a damaged file ends early the text shows everything up
// to the first record that is missing. Nothing here trusts a count read from the
// file: every record is fetched through RecordReader, which never reads past the
// buffer.

#include "files/scoredump.h"

#include "files/scorefile.h"
#include "model/bytes.h"

#include <cstddef>
#include <filesystem>

namespace qv {
namespace {

// Printed strings stay on their line: a control byte (likely garbage in a damaged
// file, and a line break would split the listing) is shown as '.'.
char printable(std::uint8_t c) { return c < 0x20 || c == 0x7F ? '.' : static_cast<char>(c); }

std::string rightAligned(const std::string& s, int width) {
    const auto size = static_cast<int>(s.size());
    return size >= width ? s : std::string(static_cast<std::size_t>(width - size), ' ') + s;
}

std::string leftAligned(const std::string& s, int width) {
    const auto size = static_cast<int>(s.size());
    return size >= width ? s : s + std::string(static_cast<std::size_t>(width - size), ' ');
}

std::string num(long value, int width) { return rightAligned(std::to_string(value), width); }

std::string hex2(unsigned value) {
    static const char digits[] = "0123456789ABCDEF";
    return {digits[(value >> 4) & 0xF], digits[value & 0xF]};
}

// A length-prefixed string of at most `capacity` characters; a damaged length
// byte larger than the field is clamped to it, so the read stays in the record.
std::string prefixedString(const std::uint8_t* field, int capacity) {
    const int length = field[0] < capacity ? field[0] : capacity;
    std::string s;
    for (int i = 1; i <= length; ++i) s += printable(field[i]);
    return s;
}

// Hands out the file's whole records in order and writes each one's hex line
// into the listing as it is read.
class RecordReader {
  public:
    explicit RecordReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    // The next whole record, or nullptr when the file holds no further one.
    const std::uint8_t* next(std::string& out) {
        if (bytes_.size() - offset_ < static_cast<std::size_t>(RecordSize)) return nullptr;
        const std::uint8_t* record = bytes_.data() + offset_;
        offset_ += RecordSize;
        out += "Record " + num(number_++, 4) + ":";
        for (int i = 0; i < RecordSize; ++i) out += " " + hex2(record[i]);
        out += "\n";
        return record;
    }

    bool atEnd() const { return offset_ == bytes_.size(); }

  private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t offset_ = 0;
    long number_ = 0;
};

// The header fields that steer the rest of the listing.
struct DumpHeader {
    int Nstaves;
    std::uint8_t Flags;
    int FileVer;
    int NumFonts;
};

DumpHeader listHeader(const std::uint8_t* r, std::string& out) {
    const DumpHeader h{r[0], r[3], getU16(r + 8), getU16(r + 20)};
    out += "Nstaves Flags Spacing Pulse Beamang FileVer Header Footer Nhead Nfoot Page1 NumFonts\n";
    out += num(h.Nstaves, 5) + "    $" + hex2(h.Flags) + num(r[5], 7) + num(r[6], 6) + num(r[7], 8) +
           num(h.FileVer, 8) + num(getU16(r + 11), 8) + num(getU16(r + 13), 8) + num(0, 6) + num(0, 6) +
           num(r[10], 6) + num(h.NumFonts, 6) + "\n";
    return h;
}

void listPage(const std::uint8_t* r, std::string& out) {
    out += "Page size data: Length Width  TopM RightM LeftM  BotM   GutM LeftStv RightStv StvSiz Facing\n";
    out += num(getU16(r), 22) + num(getU16(r + 2), 7) + num(getU16(r + 4), 6) + num(getU16(r + 6), 7) +
           num(getU16(r + 8), 6) + num(getU16(r + 10), 6) + num(getU16(r + 12), 7) +
           num(getI16(r + 14), 8) + num(getI16(r + 16), 9) + num(getU16(r + 19), 7) + "  " +
           (r[18] != 0 ? "True" : "False") + "\n";
}

bool listDescription(RecordReader& reader, std::string& out) {
    out += "\n";
    const std::uint8_t* r = reader.next(out);
    if (!r) return false;
    out += "Description:" + prefixedString(r, RecordSize - 1) + "\n\n";
    return true;
}

std::string styleLetters(std::uint8_t style) {
    std::string s;
    if (style & 1) s += 'B';
    if (style & 2) s += 'I';
    if (style & 4) s += 'U';
    if (style & 8) s += 'S';
    return leftAligned(s, 5);
}

bool listFont(RecordReader& reader, std::string& out) {
    out += "\n";
    const std::uint8_t* first = reader.next(out);
    if (!first) return false;
    const std::uint8_t* second = reader.next(out);
    if (!second) return false;
    out += "Font num -----font name------ ------------ Size Style Colour\n";
    out += num(first[0], 7) + " " + leftAligned(prefixedString(first + 1, 20), 21) +
           leftAligned(prefixedString(second, 12), 13) + num(getU16(second + 13), 4) + "    " +
           styleLetters(second[15]) + "$";
    // The colour's bytes in file order, lowest first.
    for (int i = 16; i < 20; ++i) out += hex2(second[i]);
    out += "\n";
    return true;
}

bool listFonts(RecordReader& reader, int count, std::string& out) {
    out += "Font records:\n";
    for (int n = 0; n < count; ++n)
        if (!listFont(reader, out)) return false;
    return true;
}

void listStave(int stave, const std::uint8_t* r, std::string& out) {
    out += "Stave data: Ycoord  MinY  MaxY CFlag Nobjec LeftX RightX Sysdown ForcedBk PageNum\n";
    out += "Stv " + num(stave, 3) + ":   " + num(getI16(r), 5) + num(getI16(r + 4), 6) + num(getI16(r + 2), 6) +
           num(r[6], 6) + num(r[7], 6) + num(getI16(r + 8), 7) + num(getI16(r + 10), 7) + "\n";
    out += "    " + std::to_string(r[12]) + num(r[13], 5) + num(r[14], 5) + "\n";
}

// Whole scores of version 302 on store the header/footer stave 0; partial files
// and version 301 files begin with music stave 1.
int firstStoredStave(const DumpHeader& h) { return (h.Flags & FlagPartial) || h.FileVer == 301 ? 1 : 0; }

bool listStaves(RecordReader& reader, const DumpHeader& h, std::string& out) {
    out += "\nStave records:\n\n";
    for (int s = firstStoredStave(h); s <= h.Nstaves; ++s) {
        out += "\n";
        const std::uint8_t* r = reader.next(out);
        if (!r) return false;
        listStave(s, r, out);
    }
    return true;
}

// Object records are not decoded; the ruler labels their byte positions.
void listObjects(RecordReader& reader, std::string& out) {
    out += "\nObject data:\n\n" + std::string(12, ' ');
    for (int i = 0; i < RecordSize; ++i) out += " " + hex2(static_cast<unsigned>(i));
    out += "\n";
    while (reader.next(out)) {
    }
}

// Lists the records after the header of a file in this format; false when the
// file ends before a record the listing needs.
bool listBody(RecordReader& reader, const DumpHeader& h, std::string& out) {
    out += "\n";
    const std::uint8_t* page = reader.next(out);
    if (!page) return false;
    listPage(page, out);
    if ((h.Flags & FlagDescription) && !listDescription(reader, out)) return false;
    if (!listFonts(reader, h.NumFonts & 0xFF, out)) return false;
    if (!listStaves(reader, h, out)) return false;
    listObjects(reader, out);
    return reader.atEnd();
}

} // namespace

DumpResult dumpScoreFile(const std::vector<std::uint8_t>& bytes, const std::string& fileName) {
    DumpResult result;
    std::string& out = result.text;
    out = "Dump of file: " + fileName + "\n============\n\n";
    RecordReader reader(bytes);
    const std::uint8_t* header = reader.next(out);
    if (!header) {
        result.complete = false;
        return result;
    }
    const DumpHeader h = listHeader(header, out);
    // A NoteWorthy 2 file is not in this record layout; its header part is all
    // that can be listed, and that part is whole.
    if (h.FileVer <= LastNoteWorthyVersion) return result;
    result.complete = listBody(reader, h, out);
    return result;
}

std::string defaultDumpName(const std::string& scoreFile) {
    return std::filesystem::path(scoreFile).replace_extension(".DMP").string();
}

} // namespace qv
