// The print range as the dialog gives it: order, copies and collation, and the
// area the pages are stretched onto.

#include "print/printrange.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(PrintRange, DescendingRangeGoesFromFirstDownToLast) {
    const PrintRequest r{5, 3, 1, false};
    EXPECT_EQ(pageOrder(r), (std::vector<int>{5, 4, 3}));
    EXPECT_EQ(pagesInRange(r), 3);
    EXPECT_EQ(pageOrder(PrintRequest{2, 4, 1, false}), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(pageOrder(PrintRequest{7, 7, 1, false}), (std::vector<int>{7}));
}

TEST(PrintRange, CollatedCopiesArePassesAndOnePageNeverCollates) {
    const PrintRequest collated{1, 4, 3, true};
    EXPECT_EQ(outerRepetitions(collated), 3);
    EXPECT_EQ(copiesPerPage(collated), 1);
    const PrintRequest handedOver{1, 4, 3, false};
    EXPECT_EQ(outerRepetitions(handedOver), 1);
    EXPECT_EQ(copiesPerPage(handedOver), 3);
    const PrintRequest single{2, 2, 3, true};
    EXPECT_FALSE(asPrinted(single).collate);
    EXPECT_EQ(outerRepetitions(single), 1);
    EXPECT_EQ(copiesPerPage(single), 3);
}

TEST(PrintRange, TargetIsThePaperInsideItsMarginsAtThePrinterResolution) {
    PageData paper; // 8.25 x 11 with half-inch margins
    paper.GutM = 0.25;
    EXPECT_EQ(printTargetSize(paper, PrinterGeometry{600, 300, 0, 0}), QSize(4200, 3000));
}

} // namespace
} // namespace qv
