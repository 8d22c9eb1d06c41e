#include "model/ui.h"

#include "model/fonttable.h"

namespace qv {

std::string formatMessage(const std::string& pattern, const std::string& value) {
    for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
        if (pattern[i] == '%' && (pattern[i + 1] == 's' || pattern[i + 1] == 'd'))
            return pattern.substr(0, i) + value + pattern.substr(i + 2);
    }
    return pattern;
}

std::string formatMessage(const std::string& pattern, long value) {
    return formatMessage(pattern, std::to_string(value));
}

// Without a person to ask, the font dialog is cancelled.
std::optional<FontDesc> Ui::chooseFont(const FontDesc&) { return std::nullopt; }

} // namespace qv
