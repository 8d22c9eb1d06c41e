#include "edit/previewpages.h"

#include <algorithm>

namespace qv {

PreviewPages::PreviewPages(int current, int pages) : pages_(std::max(1, pages)) {
    const int p = std::clamp(current, 1, pages_);
    spread_ = p - p % 2;
}

int PreviewPages::left() const { return spread_ >= 2 && spread_ <= pages_ ? spread_ : 0; }

int PreviewPages::right() const { return spread_ + 1 <= pages_ ? spread_ + 1 : 0; }

void PreviewPages::back() {
    if (canGoBack()) spread_ -= 2;
}

void PreviewPages::forward() {
    if (canGoForward()) spread_ += 2;
}

std::string PreviewPages::label() const {
    if (left() == 0) return "Page " + std::to_string(right());
    if (right() == 0) return "Page " + std::to_string(left());
    return "Pages " + std::to_string(left()) + " - " + std::to_string(right());
}

} // namespace qv
