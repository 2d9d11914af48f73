// What a score mail's body says, and which codes the game can give.

#include "ranking/score.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <variant>

#include "garden/evaluation.h"
#include "garden/garden_variant.h"

namespace mironeka::ranking {
namespace {

constexpr std::int64_t kDecemberFirst = 1796050800;  // 2026-12-01T00:00:00+09:00

struct Accepted {
    int total;
    const char* nickname;
};
struct Refused {
    const char* reason;  // a part of it
};
struct BodyCase {
    const char* name;
    std::string body;
    std::variant<Accepted, Refused> outcome;
    friend void PrintTo(const BodyCase& c, std::ostream* os) { *os << c.name; }
};

class ScoreBody : public ::testing::TestWithParam<BodyCase> {};

TEST_P(ScoreBody, GivesTheCodeAndNicknameOrARefusal) {
    const BodyCase& c = GetParam();
    const Verdict v = judgeMail(Mail{"スコア", kDecemberFirst + 3600, c.body}, Month{2026, 12});
    if (const auto* a = std::get_if<Accepted>(&c.outcome)) {
        ASSERT_EQ(v.kind, Verdict::Kind::Accepted) << v.reason;
        EXPECT_EQ(v.entry.total, a->total);
        EXPECT_EQ(v.entry.nickname, a->nickname);
    } else {
        ASSERT_EQ(v.kind, Verdict::Kind::Refused);
        EXPECT_NE(v.reason.find(std::get<Refused>(c.outcome).reason), std::string::npos)
            << v.reason;
    }
}

// The game's codes are total x 3.65: 58.4 is 16, -1387 is -380 (the
// lowest), 649.7 is 178 (the highest).
INSTANTIATE_TEST_SUITE_P(
    Bodies, ScoreBody,
    ::testing::Values(
        BodyCase{"LabelledLines", "スコアコード：58.4\nニックネーム：たろう\n",
                 Accepted{16, "たろう"}},
        BodyCase{"DigitsInTheNicknameLineAreNotTheCode", "ニックネーム：アリ2号\n58.4\n",
                 Accepted{16, "アリ2号"}},
        BodyCase{"NicknameOnTheLineAfterTheCode", "58.4\nはなこ\n", Accepted{16, "はなこ"}},
        BodyCase{"LabelLinesAndFullWidthSpacesSkipped", "スコアコード：\n５８．４\n\n　じろう　\n",
                 Accepted{16, "じろう"}},
        BodyCase{"FullWidthMinus", "－３．６５\nまいなす\n", Accepted{-1, "まいなす"}},
        BodyCase{"MinusSign", "ニックネーム: さいてい\n−1387\n", Accepted{-380, "さいてい"}},
        BodyCase{"Highest", "649.7\nさいこう", Accepted{178, "さいこう"}},
        BodyCase{"TrailingZeroIsTheSameNumber", "58.40\nx\n", Accepted{16, "x"}},
        BodyCase{"Zero", "0\nぜろ\n", Accepted{0, "ぜろ"}},
        BodyCase{"CrLf", "58.4\r\nニックネーム：たろう\r\n", Accepted{16, "たろう"}},
        BodyCase{"BareCr", "58.4\rニックネーム：たろう\r次の行\r", Accepted{16, "たろう"}},
        BodyCase{"ControlCharactersDropped", "58.4\nニックネーム：た\x01ろ\x7fう\n",
                 Accepted{16, "たろう"}},
        BodyCase{"LongNicknameCutTo20Characters",
                 "58.4\nニックネーム：あいうえおかきくけこさしすせそたちつてとなにぬねの\n",
                 Accepted{16, "あいうえおかきくけこさしすせそたちつてと"}},
        BodyCase{"BelowTheLowest", "-1390.65\nx\n", Refused{"the code -1390.65 is not one"}},
        BodyCase{"AboveTheHighest", "653.35\nx\n", Refused{"the code 653.35 is not one"}},
        BodyCase{"NotAMultiple", "12.3\nx\n", Refused{"the code 12.3 is not one"}},
        BodyCase{"OneDigitOff", "58.41\nx\n", Refused{"not one the game gives"}},
        BodyCase{"Huge", "1" + std::string(400, '0') + "\nx\n", Refused{"not one the game gives"}},
        BodyCase{"NoCode", "ニックネーム：たろう\n", Refused{"no score code"}},
        BodyCase{"NoNickname", "58.4\n\n", Refused{"no nickname"}},
        BodyCase{"EmptyNicknameLine", "58.4\nニックネーム：　\nたろう\n", Refused{"no nickname"}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(ScoreMail, OnlyScoreSubjectsOfTheMonthInJapanTimeCount) {
    const Month december{2026, 12};
    const std::string body = "58.4\nたろう\n";
    // 2026-11-30T15:30:00Z is 2026-12-01T00:30+09:00.
    const std::int64_t edge = kDecemberFirst + 1800;
    EXPECT_EQ(judgeMail(Mail{"スコア", edge, body}, december).kind, Verdict::Kind::Accepted);
    EXPECT_EQ(judgeMail(Mail{"スコア", edge - 1801, body}, december).kind, Verdict::Kind::Skipped);
    EXPECT_EQ(judgeMail(Mail{"こんにちは", edge, body}, december).kind, Verdict::Kind::Skipped);
    const Verdict undated = judgeMail(Mail{"スコア", std::nullopt, body}, december);
    EXPECT_EQ(undated.kind, Verdict::Kind::Refused);
    EXPECT_EQ(japanTimeIso(edge), "2026-12-01T00:30:00+09:00");
}

// The bounds of a total, derived again from the gardens' own rules: under
// one sugar judgement, each row of a garden at its best (or worst) with any
// tiles in the rows around it, summed over the rows; the garden's bound is
// that of the better (or worse) judgement; the total's the sum over the
// gardens. A change to a garden's codes, thresholds or shares that the
// bounds don't follow fails here.
struct Bounds {
    int lowest = 0;
    int highest = 0;
};

constexpr std::array kJudgements{garden::SugarJudgement::Right, garden::SugarJudgement::TooMuch};

// A row's bounds under each judgement, with any tiles around it.
std::array<Bounds, 2> rowBounds(const garden::GardenVariant& v, int row) {
    const std::array<int, 4> codeOf{0, v.placeCodes.sugar, v.placeCodes.puddle, v.placeCodes.grass};
    const int top = std::max(row - 1, 0);
    const int height = std::min(row + 1, garden::kGridSize - 1) - top + 1;
    int states = 1;  // of one column of the rows around the row
    for (int k = 0; k < height; ++k) states *= 4;
    const auto place = [&](garden::TileCodes& codes, int column, int state) {
        for (int k = 0; k < height; ++k, state /= 4) {
            codes[static_cast<std::size_t>((top + k) * garden::kGridSize + column)] =
                codeOf[static_cast<std::size_t>(state % 4)];
        }
    };
    // Column by column: the best and worst sum of the row's tiles left of
    // column c, by the states of columns c-1 and c, for each judgement.
    constexpr int kNone = 1 << 20;
    const auto pairs = static_cast<std::size_t>(states * states);
    std::array<std::vector<int>, 2> best, worst;
    for (std::size_t j = 0; j < 2; ++j) {
        best[j].assign(pairs, -kNone);
        worst[j].assign(pairs, kNone);
        for (std::size_t s = 0; s < static_cast<std::size_t>(states); ++s)
            best[j][s] = worst[j][s] = 0;
    }
    for (int column = 0; column < garden::kGridSize; ++column) {
        std::array<std::vector<int>, 2> nextBest, nextWorst;
        for (std::size_t j = 0; j < 2; ++j) {
            nextBest[j].assign(pairs, -kNone);
            nextWorst[j].assign(pairs, kNone);
        }
        const bool last = column + 1 == garden::kGridSize;
        for (std::size_t p = 0; p < pairs; ++p) {
            if (best[0][p] == -kNone) continue;
            const int left = static_cast<int>(p) / states;
            const int here = static_cast<int>(p) % states;
            for (int right = 0; right < (last ? 1 : states); ++right) {
                garden::TileCodes codes{};
                if (column > 0) place(codes, column - 1, left);
                place(codes, column, here);
                if (!last) place(codes, column + 1, right);
                const int level = garden::antLevel(
                    garden::neighbourTotal(codes, row * garden::kGridSize + column + 1),
                    v.antThresholds);
                const auto q = static_cast<std::size_t>(here * states + right);
                for (std::size_t j = 0; j < 2; ++j) {
                    const int share = garden::tileShare(level, kJudgements[j]);
                    nextBest[j][q] = std::max(nextBest[j][q], best[j][p] + share);
                    nextWorst[j][q] = std::min(nextWorst[j][q], worst[j][p] + share);
                }
            }
        }
        best.swap(nextBest);
        worst.swap(nextWorst);
    }
    std::array<Bounds, 2> bounds;
    for (std::size_t j = 0; j < 2; ++j) {
        bounds[j] = {*std::min_element(worst[j].begin(), worst[j].end()),
                     *std::max_element(best[j].begin(), best[j].end())};
    }
    return bounds;
}

TEST(ScoreBounds, FollowFromTheGardenRules) {
    Bounds total;
    for (const garden::GardenVariant& v : garden::kGardenVariants) {
        std::array<Bounds, 2> sums{};
        for (int row = 0; row < garden::kGridSize; ++row) {
            const std::array<Bounds, 2> b = rowBounds(v, row);
            for (std::size_t j = 0; j < 2; ++j) {
                sums[j].lowest += b[j].lowest;
                sums[j].highest += b[j].highest;
            }
        }
        // Too little sugar scores nothing: 0.
        total.lowest += std::min({0, sums[0].lowest, sums[1].lowest});
        total.highest += std::max({0, sums[0].highest, sums[1].highest});
    }
    EXPECT_EQ(kLowestTotal, total.lowest);
    EXPECT_EQ(kHighestTotal, total.highest);
}

}  // namespace
}  // namespace mironeka::ranking
