#include "garden/evaluation.h"

#include <algorithm>

namespace mironeka::garden {

int neighbourTotal(const TileCodes& codes, int n) {
    const int row = (n - 1) / kGridSize;
    const int col = (n - 1) % kGridSize;
    int total = 0;
    for (int r = std::max(row - 1, 0); r <= std::min(row + 1, kGridSize - 1); ++r) {
        for (int c = std::max(col - 1, 0); c <= std::min(col + 1, kGridSize - 1); ++c) {
            if (r != row || c != col) total += codes[static_cast<std::size_t>(r * kGridSize + c)];
        }
    }
    return total;
}

SugarJudgement judgeSugar(int sugarCount, SugarBand band) {
    if (sugarCount == band.lo || sugarCount == band.hi) return SugarJudgement::Right;
    if (sugarCount > band.hi) return SugarJudgement::TooMuch;
    return SugarJudgement::TooLittle;
}

int antLevel(int total, const std::array<int, 4>& thresholds) {
    return static_cast<int>(
        std::count_if(thresholds.begin(), thresholds.end(), [&](int t) { return total > t; }));
}

int tileShare(int level, SugarJudgement judgement) {
    // Per threshold passed: the right amount gives +1, +1, -3, -1.
    static constexpr std::array<int, 5> kRight{0, 1, 2, -1, -2};
    switch (judgement) {
        case SugarJudgement::Right:
            return kRight.at(static_cast<std::size_t>(level));
        case SugarJudgement::TooMuch:
            return -level;
        case SugarJudgement::TooLittle:
            break;
    }
    return 0;
}

}  // namespace mironeka::garden
