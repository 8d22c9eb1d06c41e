// The print range as the dialog gives it: order, copies, collation, and where the
// pages land on the sheet.

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

TEST(PrintRange, OddPagesLieFurtherRightByTheGutter) {
    PageData paper;
    paper.LeftM = 0.5;
    paper.TopM = 0.75;
    paper.GutM = 0.25;
    const PrinterGeometry printer{600, 300, 30, 12};
    const QPoint odd = printPlacement(paper, 3, printer);
    const QPoint even = printPlacement(paper, 4, printer);
    EXPECT_EQ(odd.x() - even.x(), 150);
    EXPECT_EQ(even, QPoint(300 - 30, 225 - 12));
    paper.GutM = 0;
    EXPECT_EQ(printPlacement(paper, 3, printer), printPlacement(paper, 4, printer));
}

TEST(PrintRange, TargetIsThePaperInsideItsMarginsAtThePrinterResolution) {
    PageData paper; // 8.25 x 11 with half-inch margins
    paper.GutM = 0.25;
    EXPECT_EQ(printTargetSize(paper, PrinterGeometry{600, 300, 0, 0}), QSize(4200, 3000));
}

} // namespace
} // namespace qv
