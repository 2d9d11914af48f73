#include "garden/evaluation.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <vector>

#include "rules.h"

namespace mironeka::garden {
namespace {

using oracle::kNeighbours;

class NeighbourTotalTest : public ::testing::TestWithParam<int> {};

// Giving each tile a distinct power of two makes every total name exactly
// the tiles it added.
TEST_P(NeighbourTotalTest, AddsExactlyTheSurroundingTiles) {
    const int n = GetParam();
    TileCodes codes{};
    for (int i = 0; i < kTileCount; ++i) codes[static_cast<std::size_t>(i)] = 1 << i;
    int expected = 0;
    for (int m : kNeighbours[static_cast<std::size_t>(n - 1)]) expected += 1 << (m - 1);
    EXPECT_EQ(neighbourTotal(codes, n), expected);
}

INSTANTIATE_TEST_SUITE_P(EveryTile, NeighbourTotalTest, ::testing::Range(1, kTileCount + 1));

TileCodes garden(std::initializer_list<std::pair<int, int>> tiles) {
    TileCodes codes{};
    for (auto [n, code] : tiles) codes[static_cast<std::size_t>(n - 1)] = code;
    return codes;
}

std::vector<int> allTotals(const TileCodes& codes) {
    std::vector<int> out;
    for (int n = 1; n <= kTileCount; ++n) out.push_back(neighbourTotal(codes, n));
    return out;
}

TEST(NeighbourTotal, SugarOnOneTileAndGrassAroundIt) {
    const auto codes = garden({{1, 3}, {2, 2}, {5, 2}, {6, 2}});
    EXPECT_EQ(allTotals(codes), (std::vector<int>{6, 7, 4, 0, 7, 7, 4, 0, 4, 4, 2, 0, 0, 0, 0, 0}));
}

TEST(NeighbourTotal, CornerReachesNineAndInnerTileTwentyFour) {
    EXPECT_EQ(neighbourTotal(garden({{11, 3}, {12, 3}, {15, 3}}), 16), 9);
    TileCodes full{};
    full.fill(3);
    EXPECT_EQ(neighbourTotal(full, 6), 24);
    EXPECT_EQ(neighbourTotal(full, 1), 9);
    EXPECT_EQ(neighbourTotal(full, 2), 15);
}

struct LevelCase {
    int total;
    std::array<int, 4> thresholds;
    int level;
};

void PrintTo(const LevelCase& c, std::ostream* os) {
    *os << "total " << c.total << " over " << c.thresholds[0] << ".." << c.thresholds[3];
}

class AntLevelTest : public ::testing::TestWithParam<LevelCase> {};

TEST_P(AntLevelTest, CountsThresholdsStrictlyExceeded) {
    EXPECT_EQ(antLevel(GetParam().total, GetParam().thresholds), GetParam().level);
}

INSTANTIATE_TEST_SUITE_P(
    FirstAndSecondGarden, AntLevelTest,
    ::testing::Values(LevelCase{5, {5, 6, 7, 8}, 0}, LevelCase{6, {5, 6, 7, 8}, 1},
                      LevelCase{7, {5, 6, 7, 8}, 2}, LevelCase{8, {5, 6, 7, 8}, 3},
                      LevelCase{9, {5, 6, 7, 8}, 4}, LevelCase{24, {5, 6, 7, 8}, 4},
                      LevelCase{6, {6, 7, 8, 9}, 0}, LevelCase{7, {6, 7, 8, 9}, 1},
                      LevelCase{10, {6, 7, 8, 9}, 4}, LevelCase{0, {5, 6, 7, 8}, 0}));

TEST(TileShare, RightAmountRewardsNestsButPunishesCrowding) {
    const std::vector<int> right{
        tileShare(0, SugarJudgement::Right), tileShare(1, SugarJudgement::Right),
        tileShare(2, SugarJudgement::Right), tileShare(3, SugarJudgement::Right),
        tileShare(4, SugarJudgement::Right)};
    EXPECT_EQ(right, (std::vector<int>{0, 1, 2, -1, -2}));
}

TEST(TileShare, TooMuchCostsTheLevelAndTooLittleScoresNothing) {
    for (int level = 0; level <= 4; ++level) {
        EXPECT_EQ(tileShare(level, SugarJudgement::TooMuch), -level);
        EXPECT_EQ(tileShare(level, SugarJudgement::TooLittle), 0);
    }
}

struct SugarCase {
    int count;
    SugarBand band;
    SugarJudgement judgement;
};

void PrintTo(const SugarCase& c, std::ostream* os) {
    *os << c.count << " sugar in " << c.band.lo << ".." << c.band.hi;
}

class JudgeSugarTest : public ::testing::TestWithParam<SugarCase> {};

TEST_P(JudgeSugarTest, JudgesAgainstTheBand) {
    EXPECT_EQ(judgeSugar(GetParam().count, GetParam().band), GetParam().judgement);
}

INSTANTIATE_TEST_SUITE_P(Bands, JudgeSugarTest,
                         ::testing::Values(SugarCase{0, {1, 2}, SugarJudgement::TooLittle},
                                           SugarCase{1, {1, 2}, SugarJudgement::Right},
                                           SugarCase{2, {1, 2}, SugarJudgement::Right},
                                           SugarCase{3, {1, 2}, SugarJudgement::TooMuch},
                                           SugarCase{-1, {1, 2}, SugarJudgement::TooLittle},
                                           SugarCase{2, {3, 4}, SugarJudgement::TooLittle},
                                           SugarCase{4, {3, 4}, SugarJudgement::Right},
                                           SugarCase{5, {3, 4}, SugarJudgement::TooMuch},
                                           SugarCase{4, {5, 5}, SugarJudgement::TooLittle},
                                           SugarCase{5, {5, 5}, SugarJudgement::Right},
                                           SugarCase{6, {5, 5}, SugarJudgement::TooMuch}));

}  // namespace
}  // namespace mironeka::garden
