#include "shell/inifile.h"

#include <cctype>

namespace qv::ini {

namespace {

// ---- UTF-16 ------------------------------------------------------------------

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

bool startsWith(std::span<const std::uint8_t> bytes, std::string_view prefix) {
    if (bytes.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (bytes[i] != static_cast<std::uint8_t>(prefix[i])) return false;
    return true;
}

// The encoding from the first bytes: a byte-order mark, or, for UTF-16 written
// without one, a first character that is ASCII beside a zero byte (no text file in
// an 8-bit encoding starts like that).
void detectEncoding(std::span<const std::uint8_t> b, Document& doc) {
    doc.marked = true;
    if (startsWith(b, Utf8Mark))
        doc.encoding = Encoding::Utf8;
    else if (startsWith(b, "\xFF\xFE"))
        doc.encoding = Encoding::Utf16LE;
    else if (startsWith(b, "\xFE\xFF"))
        doc.encoding = Encoding::Utf16BE;
    else {
        doc.marked = false;
        const auto ascii = [](std::uint8_t c) { return c != 0 && c < 0x80; };
        if (b.size() >= 2 && ascii(b[0]) && b[1] == 0)
            doc.encoding = Encoding::Utf16LE;
        else if (b.size() >= 2 && b[0] == 0 && ascii(b[1]))
            doc.encoding = Encoding::Utf16BE;
        else
            doc.encoding = Encoding::Utf8;
    }
}

void appendUtf8(std::string& out, char32_t c) {
    const auto put = [&out](char32_t byte) { out += static_cast<char>(byte); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | c >> 6);
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | c >> 12);
        put(0x80 | (c >> 6 & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | c >> 18);
        put(0x80 | (c >> 12 & 0x3F));
        put(0x80 | (c >> 6 & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

bool isHighSurrogate(char32_t u) {
    return u >= 0xD800 && u < 0xDC00;
}
bool isLowSurrogate(char32_t u) {
    return u >= 0xDC00 && u < 0xE000;
}

// UTF-16 code units as UTF-8. A surrogate without its partner is kept in the
// three-byte form of its value, so that writing the line back gives the same units.
std::string fromUtf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
    const std::size_t units = bytes.size() / 2;
    const auto unit = [&](std::size_t i) -> char32_t {
        const char32_t first = bytes[2 * i], second = bytes[2 * i + 1];
        return bigEndian ? first << 8 | second : second << 8 | first;
    };
    std::string out;
    out.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        char32_t c = unit(i);
        if (isHighSurrogate(c) && i + 1 < units && isLowSurrogate(unit(i + 1)))
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(++i) - 0xDC00);
        appendUtf8(out, c);
    }
    return out;
}

// One code point from the front of UTF-8 text, surrogates' three-byte forms
// included (see above); a byte that begins no sequence stands for U+FFFD.
char32_t takeCodePoint(std::string_view& s) {
    const auto lead = static_cast<unsigned char>(s.front());
    const std::size_t length = lead < 0x80       ? 1
                               : lead >> 5 == 6  ? 2
                               : lead >> 4 == 14 ? 3
                               : lead >> 3 == 30 ? 4
                                                 : 0;
    constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000}; // below these a sequence is overlong
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    bool valid = length != 0 && length <= s.size();
    for (std::size_t i = 1; valid && i < length; ++i) {
        const auto next = static_cast<unsigned char>(s[i]);
        valid = (next & 0xC0) == 0x80;
        c = c << 6 | (next & 0x3F);
    }
    if (!valid || c < least[length] || c > 0x10FFFF) {
        s.remove_prefix(1);
        return 0xFFFD;
    }
    s.remove_prefix(length);
    return c;
}

void appendUnit(std::vector<std::uint8_t>& out, char32_t unit, bool bigEndian) {
    const auto high = static_cast<std::uint8_t>(unit >> 8), low = static_cast<std::uint8_t>(unit & 0xFF);
    out.push_back(bigEndian ? high : low);
    out.push_back(bigEndian ? low : high);
}

void appendUtf16(std::vector<std::uint8_t>& out, std::string_view text, bool bigEndian) {
    while (!text.empty()) {
        const char32_t c = takeCodePoint(text);
        if (c < 0x10000) {
            appendUnit(out, c, bigEndian);
        } else {
            appendUnit(out, 0xD800 + ((c - 0x10000) >> 10), bigEndian);
            appendUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF), bigEndian);
        }
    }
}

// ---- Lines -------------------------------------------------------------------

void splitLines(std::string_view text, Document& doc) {
    bool endingSeen = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        Line line;
        if (end == std::string_view::npos) {
            line.text = std::string(text);
            text = {};
        } else {
            std::string_view body = text.substr(0, end);
            const bool crlf = !body.empty() && body.back() == '\r';
            if (crlf) body.remove_suffix(1);
            line = {std::string(body), crlf ? "\r\n" : "\n"};
            text.remove_prefix(end + 1);
            if (!endingSeen) doc.newline = line.end;
            endingSeen = true;
        }
        if (auto name = sectionName(line.text))
            doc.sections.push_back({std::move(*name), std::move(line), {}});
        else
            doc.sections.back().lines.push_back(std::move(line));
    }
}

std::string joinLines(const Document& doc) {
    std::string text;
    bool open = false; // the last line written still lacks its ending
    const auto add = [&](const Line& line) {
        if (open) text += doc.newline;
        text += line.text;
        text += line.end;
        open = line.end.empty();
    };
    for (const Section& s : doc.sections) {
        if (s.header) add(*s.header);
        for (const Line& line : s.lines)
            add(line);
    }
    return text;
}

} // namespace

Document parse(std::span<const std::uint8_t> bytes) {
    Document doc;
    detectEncoding(bytes, doc);
    if (doc.encoding == Encoding::Utf8) {
        const auto body = bytes.subspan(doc.marked ? Utf8Mark.size() : 0);
        splitLines(std::string_view(reinterpret_cast<const char*>(body.data()), body.size()), doc);
        return doc;
    }
    auto body = bytes.subspan(doc.marked ? 2 : 0);
    if (body.size() % 2 != 0) {
        doc.oddByte = std::string(1, static_cast<char>(body.back()));
        body = body.first(body.size() - 1);
    }
    splitLines(fromUtf16(body, doc.encoding == Encoding::Utf16BE), doc);
    return doc;
}

std::vector<std::uint8_t> serialise(const Document& doc) {
    const std::string text = joinLines(doc);
    std::vector<std::uint8_t> out;
    if (doc.encoding == Encoding::Utf8) {
        if (doc.marked) out.assign(Utf8Mark.begin(), Utf8Mark.end());
        out.insert(out.end(), text.begin(), text.end());
        return out;
    }
    const bool bigEndian = doc.encoding == Encoding::Utf16BE;
    out.reserve(2 * text.size() + 3);
    if (doc.marked) appendUnit(out, 0xFEFF, bigEndian);
    appendUtf16(out, text, bigEndian);
    out.insert(out.end(), doc.oddByte.begin(), doc.oddByte.end());
    return out;
}

// ---- Names and lines ----------------------------------------------------------

std::string_view trim(std::string_view s) {
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && space(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && space(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool sameName(std::string_view a, std::string_view b) {
    return lower(a) == lower(b);
}

std::optional<std::string> sectionName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return std::string(trim(line.substr(1, close - 1)));
}

std::optional<std::string> keyOf(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '[') return std::nullopt;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return std::string(trim(line.substr(0, eq)));
}

std::string_view valueOf(std::string_view line) {
    const std::size_t eq = line.find('=');
    return eq == std::string_view::npos ? std::string_view() : trim(line.substr(eq + 1));
}

} // namespace qv::ini
