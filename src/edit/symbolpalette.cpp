#include "edit/symbolpalette.h"

#include <algorithm>
#include <utility>

namespace qv {

namespace {

// The palette's groups in turn: single codes and inclusive runs.
std::vector<int> buildOrder() {
    const std::pair<int, int> runs[] = {
        {65, 65},   {66, 66},   {75, 75},   {221, 223}, {76, 76},   {215, 215}, {126, 127}, {136, 136},
        {168, 168}, {129, 130}, {161, 161}, {125, 125}, {128, 128}, {115, 116}, {158, 158}, {213, 214},
        {146, 146}, {165, 165}, {134, 135}, {166, 166}, {180, 180}, {70, 70},   {227, 227}, {36, 36},
        {137, 137}, {133, 133}, {147, 147}, {219, 220}, {217, 218}, {163, 163}, {224, 226}, {159, 159},
        {138, 143}, {160, 160}, {144, 145}, {167, 167}, {37, 38},   {179, 179}, {169, 178}, {181, 189},
        {8, 17},    {190, 205}, {210, 212}, {206, 209}, {71, 71},   {73, 74},   {78, 78},   {131, 132},
        {124, 124}, {3, 3},     {2, 2},     {1, 1},     {7, 7},     {6, 6},     {21, 21},   {156, 156},
        {22, 27},   {148, 155}, {44, 48},   {121, 123}, {49, 50},   {52, 56},   {57, 64},   {79, 80},
        {89, 90},   {104, 104}, {228, 229}};
    std::vector<int> codes;
    for (const auto& [first, last] : runs)
        for (int c = first; c <= last; ++c)
            if (std::find(codes.begin(), codes.end(), c) == codes.end()) codes.push_back(c);
    return codes;
}

} // namespace

const std::vector<int>& SymbolPalette::order() {
    static const std::vector<int> codes = buildOrder();
    return codes;
}

int SymbolPalette::columns() const {
    int n = 0;
    while (Left + (n + 1) * CellWidth <= imageWidth_ - CellWidth) ++n;
    return std::max(1, n);
}

int SymbolPalette::rows() const {
    const int count = static_cast<int>(order().size());
    return (count + columns() - 1) / columns();
}

int SymbolPalette::cellX(int n) const { return Left + (n - 1) % columns() * CellWidth; }

int SymbolPalette::cellY(int n) const { return (n - 1) / columns() * CellHeight; }

int SymbolPalette::cellAt(int x, int y) const {
    if (x < Left || y < 0) return 0;
    const int column = (x - Left) / CellWidth;
    if (column >= columns()) return 0;
    const int n = column + columns() * (y / CellHeight) + 1;
    return n <= static_cast<int>(order().size()) ? n : 0;
}

bool SymbolPalette::click(int x, int y) {
    const int n = cellAt(x, y);
    if (n == 0) return false;
    chosen = order()[static_cast<std::size_t>(n - 1)];
    return true;
}

} // namespace qv
