#pragma once
// Which pages the print preview shows side by side: an even page on the left and
// the following odd page on the right, page 1 alone on the right.

#include <string>

namespace qv {

class PreviewPages {
  public:
    // The spread that holds page `current` of a score of `pages` pages.
    PreviewPages(int current, int pages);

    int left() const;  // the even page on the left, 0 when the left side is empty
    int right() const; // the odd page on the right, 0 when the right side is empty
    bool canGoBack() const { return spread_ >= 2; }
    bool canGoForward() const { return spread_ + 2 <= pages_; }
    // Steps by two pages; a step past either end does nothing.
    void back();
    void forward();
    // "Page 1", "Pages 2 - 3", or "Page 4" for a last even page standing alone.
    std::string label() const;

  private:
    int spread_ = 0; // the left page's number (even); 0 for page 1's spread
    int pages_ = 1;
};

} // namespace qv
