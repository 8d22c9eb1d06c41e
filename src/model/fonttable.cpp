#include "model/fonttable.h"

#include "model/ui.h"

namespace qv {

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
