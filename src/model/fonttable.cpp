#include "model/fonttable.h"

#include "model/ui.h"

#include <utility>

namespace qv {

std::string styleWords(std::uint8_t style) {
    static const std::pair<std::uint8_t, const char*> Words[] = {
        {FontBold, "Bold"}, {FontItalic, "Italic"}, {FontUnderline, "Underline"}, {FontStrikeOut, "Strikeout"}};
    std::string text;
    for (const auto& [bit, word] : Words)
        if (style & bit) text += (text.empty() ? "" : ", ") + std::string(word);
    return text.empty() ? "Normal" : text;
}

void FontTable::setFont(int n, const FontDesc& f) {
    FontDesc& slot = fonts_[static_cast<std::size_t>(n)];
    std::string keep = slot.name;
    slot = f;
    if (slot.name.empty()) slot.name = keep;
    if (slot.name.size() > MaxFaceName) slot.name.resize(MaxFaceName);
}

int FontTable::highestInUse() const {
    for (int n = MaxFonts; n >= 1; --n)
        if (inUse(n)) return n;
    return 0;
}

int FontTable::registerFont(const FontDesc& f, Ui& ui) {
    const int highest = highestInUse();
    for (int n = 1; n <= highest; ++n)
        if (fonts_[static_cast<std::size_t>(n)] == f) return n;
    if (highest < MaxFonts) {
        const int n = highest + 1;
        setFont(n, f);
        markInUse(n);
        return n;
    }
    ui.message(MessageType::Warning, TooManyFontsMessage, ButtonOk);
    return 1;
}

} // namespace qv
