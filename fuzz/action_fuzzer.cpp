// Bytes -> the player's actions and the clock's waits, played through
// Game::act on the virtual clock, one timer deadline at a time. After every
// action and every deadline the game is checked against a model of its own
// (a shadow of the tiles, the passes of each day's evaluation, the score
// board) and the fuzzer aborts at the first broken rule.
//
// The model's knowledge of timing: every garden timer is a one-tick deferred
// call; ticks due at the same millisecond run in the order their deadlines
// were set. So a step of an evaluation at time t sees the garden as it was
// after everything before t, and the score board's tick, armed a second
// earlier, runs before any garden tick of the same millisecond.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <exception>
#include <optional>
#include <set>
#include <string>

#include "action_code.h"
#include "app/game.h"
#include "app/screens.h"
#include "garden/garden_screen.h"
#include "garden/garden_variant.h"
#include "rules.h"

namespace mironeka::fuzz {
namespace {

using app::Action;
using app::Game;
using app::StageSelectScreen;
using garden::GardenScreen;
using garden::Tool;
using ui::FormId;
using ui::Millis;

constexpr int kGardens = 6;
constexpr int kTiles = 16;
constexpr int kDays = 7;
constexpr Millis kGameTimeBudget = 10 * 60 * 1000;  // per input, so inputs stay fast
constexpr int kBoardTickMs = 1000;
constexpr Millis kResultAfterSixthMs = 1000;
constexpr std::size_t kHistory = 40;  // deadlines kept: more than one pass is long

[[noreturn]] void violated(const char* rule, int line, long long a = 0, long long b = 0) {
    std::fprintf(stderr, "\n*** invariant broken (action_fuzzer.cpp:%d): %s [%lld vs %lld]\n", line,
                 rule, a, b);
    std::abort();
}

// The game's value first, the model's second.
#define EXPECT(cond, rule)                     \
    do {                                       \
        if (!(cond)) violated(rule, __LINE__); \
    } while (false)
#define EXPECT_EQUAL(x, y, rule)                        \
    do {                                                \
        const long long x_ = (x), y_ = (y);             \
        if (x_ != y_) violated(rule, __LINE__, x_, y_); \
    } while (false)

// --- The rules of a day's evaluation, written out on their own -------------

using Codes = std::array<int, kTiles>;
using oracle::around;
using oracle::share;
using Judgement = oracle::Sugar;

Judgement judge(int sugar, const garden::SugarBand& band) {
    return oracle::judge(sugar, band.lo, band.hi);
}

std::string fieldValue(const ui::Screen& screen, const char* name) {
    for (const auto& f : screen.fields()) {
        if (f.name == name) return f.values.empty() ? std::string() : f.values.front();
    }
    return "<missing>";
}

// --- The model ---------------------------------------------------------------

enum class Kind { Ground, Sugar, Puddle, Grass };

struct GardenSeen {
    Codes codes{};
    int sugar = 0;
    Tool tool = Tool::None;
};
using Seen = std::array<std::optional<GardenSeen>, kGardens>;

struct GardenModel {
    const GardenScreen* screen = nullptr;
    std::array<Kind, kTiles> kinds{};
    int daysLeft = kDays;
    int dayAdvances = 0;
    int passesEnded = 0;
    std::optional<Millis> passStart;  // step 1 of the running pass
    int queued = 0;
    // Tiles armed in the same millisecond before the day advance that
    // started the running pass: their actions run before its first step.
    std::set<int> armedBeforeStart;
    Millis tileClicksAt = -1;
    std::set<int> tileClicks;  // tiles whose actions were armed at tileClicksAt
    bool endClosed = false;
    int written = 0;  // what the garden last wrote to the score board

    [[nodiscard]] int shadowSugar() const {
        int n = 0;
        for (Kind k : kinds) n += k == Kind::Sugar ? 1 : 0;
        return n;
    }
};

// MIRONEKA_FUZZ_TRACE=1 prints every step, to read a finding.
const bool kTrace = std::getenv("MIRONEKA_FUZZ_TRACE") != nullptr;

void trace(const Step& s, Millis now) {
    if (!kTrace) return;
    static constexpr const char* kOps[] = {"wait", "wait", "next-deadline", "click",
                                           "move", "type", "close",         "ok"};
    std::fprintf(stderr, "@%lld %s", static_cast<long long>(now), kOps[static_cast<int>(s.op)]);
    if (s.op == Op::WaitShort || s.op == Op::WaitLong) std::fprintf(stderr, " %d", s.ms);
    if (s.op >= Op::Click && s.op <= Op::Close) {
        std::fprintf(stderr, " %s", ui::formName(s.action.form).c_str());
    }
    if (s.action.widget && s.op >= Op::Click && s.op <= Op::Type) {
        std::fprintf(stderr, " %s", ui::widgetName(*s.action.widget).c_str());
    }
    std::fprintf(stderr, "\n");
}

class Play {
  public:
    void run(const std::uint8_t* data, std::size_t size) {
        StepReader reader(data, size);
        checkAll();
        while (!reader.done() && !game_.ended()) {
            const Step s = reader.next();
            trace(s, game_.now());
            switch (s.op) {
                case Op::WaitShort:
                case Op::WaitLong:
                    waitUntil(std::min(game_.now() + s.ms, kGameTimeBudget));
                    break;
                case Op::NextDeadline:
                    if (auto d = game_.nextDeadline()) waitUntil(std::min(*d, kGameTimeBudget));
                    break;
                default:
                    act(s.action);
                    break;
            }
        }
        // Let running evaluations end and the result screen come, so the
        // last actions are checked too.
        waitUntil(game_.now() + 200);
        if (sixthFinishedAt_) waitUntil(*sixthFinishedAt_ + kResultAfterSixthMs);
    }

  private:
    const GardenScreen* gardenScreen(int g) const {
        return game_.screenAs<GardenScreen>(Game::gardenForm(g));
    }
    const StageSelectScreen* board() const {
        return game_.screenAs<StageSelectScreen>(FormId::Form4);
    }

    Seen seen() const {
        Seen s;
        for (int g = 1; g <= kGardens; ++g) {
            const auto* screen = gardenScreen(g);
            if (screen == nullptr) continue;
            GardenSeen gs;
            for (int n = 1; n <= kTiles; ++n) gs.codes[n - 1] = screen->tileCode(n);
            gs.sugar = gardens_[g - 1].shadowSugar();
            gs.tool = screen->selectedTool();
            s[g - 1] = gs;
        }
        return s;
    }

    // What garden g looked like to a tick at time t.
    const GardenSeen& seenAt(int g, Millis t) const {
        for (const auto& [at, s] : history_) {
            if (at == t && s[g - 1]) return *s[g - 1];
        }
        violated("an evaluation step ran at a time with no deadline", __LINE__, t);
    }

    void waitUntil(Millis target) {
        while (!game_.ended()) {
            const auto d = game_.nextDeadline();
            if (!d || *d > target) break;
            tick(*d);
        }
        if (!game_.ended() && game_.now() < target) game_.advanceTo(target);
        if (!game_.ended()) checkAll();
    }

    void tick(Millis d) {
        const Seen before = seen();
        history_.emplace_back(d, before);
        if (history_.size() > kHistory) history_.pop_front();
        std::optional<int> boardSum;
        if (const auto* b = board(); b && (d - boardBorn_) % kBoardTickMs == 0) {
            int sum = 0;
            for (int g = 1; g <= kGardens; ++g) sum += b->gardenScore(g);
            boardSum = sum;
        }

        game_.advanceTo(d);
        EXPECT_EQUAL(game_.now(), d, "the clock stands at the deadline just delivered");
        if (game_.ended()) return;

        for (int g = 1; g <= kGardens; ++g) {
            if (const auto* screen = gardenScreen(g); screen && before[g - 1]) {
                followTiles(g, *screen, *before[g - 1]);
                const int ended = screen->passesEnded() - gardens_[g - 1].passesEnded;
                EXPECT(ended == 0 || ended == 1, "at most one pass of a garden ends per tick");
                if (ended == 1) passEnded(g, *screen, d);
            }
        }
        if (boardSum) {
            if (const auto* b = board()) {
                EXPECT_EQUAL(b->totalPoints(), *boardSum,
                             "the board's total is the sum of the six entries after its tick");
            } else {
                const auto* result = game_.screen(FormId::Form10);
                EXPECT(result != nullptr, "the board went away without a result screen");
                EXPECT(fieldValue(*result, "FinalTotal") == std::to_string(*boardSum),
                       "the result screen takes the sum of the six entries");
            }
            boardTotal_ = *boardSum;
        }
        checkAll();
    }

    // Tiles change only at ticks, and only between ground and what the tool
    // selected at that moment puts down.
    void followTiles(int g, const GardenScreen& screen, const GardenSeen& before) {
        auto& m = gardens_[g - 1];
        const auto& codes = screen.variant().placeCodes;
        bool changed = false;
        for (int n = 1; n <= kTiles; ++n) {
            const int was = before.codes[n - 1], now = screen.tileCode(n);
            if (was == now) continue;
            changed = true;
            auto& kind = m.kinds[n - 1];
            if (now == 0) {
                kind = Kind::Ground;
                continue;
            }
            EXPECT(was == 0, "a tile changes from one thing to another without levelling");
            switch (before.tool) {
                case Tool::Sugar:
                    kind = Kind::Sugar;
                    EXPECT_EQUAL(now, codes.sugar, "sugar has the garden's sugar code");
                    break;
                case Tool::Puddle:
                    kind = Kind::Puddle;
                    EXPECT_EQUAL(now, codes.puddle, "a puddle has the garden's puddle code");
                    break;
                case Tool::Grass:
                    kind = Kind::Grass;
                    EXPECT_EQUAL(now, codes.grass, "grass has the garden's grass code");
                    break;
                default:
                    violated("a tile was filled with no placing tool selected", __LINE__);
            }
        }
        if (changed) {
            EXPECT(fieldValue(screen, "SugarCount") == std::to_string(m.shadowSugar()),
                   "the SugarCount field shows the number of sugar tiles");
        }
    }

    void passEnded(int g, const GardenScreen& screen, Millis d) {
        auto& m = gardens_[g - 1];
        ++m.passesEnded;
        EXPECT(m.passStart.has_value(), "a pass ended that no day advance started");
        const Millis start = *m.passStart;
        const auto& v = screen.variant();

        // Steps 1-4 total one row each; a tile armed before the day advance
        // in the same millisecond has changed before step 1.
        for (int row = 1; row <= 4; ++row) {
            Codes codes = seenAt(g, start + row - 1).codes;
            if (row == 1) {
                const Codes& after = seenAt(g, start + 1).codes;
                for (int n : m.armedBeforeStart) codes[n - 1] = after[n - 1];
            }
            for (int n = 4 * row - 3; n <= 4 * row; ++n) {
                EXPECT_EQUAL(screen.neighbourTotalOf(n), around(codes, n),
                             "a tile's total is the sum of its neighbours' codes");
            }
        }
        // Step 5 judges the sugar, step 9 again; step 13 writes the board.
        int lastStep = 13;
        Judgement scoring = Judgement::TooLittle;
        if (judge(seenAt(g, start + 4).sugar, v.sugarBand) == Judgement::TooLittle) {
            lastStep = 5;
        } else if (scoring = judge(seenAt(g, start + 8).sugar, v.sugarBand);
                   scoring == Judgement::TooLittle) {
            lastStep = 9;
        }
        EXPECT_EQUAL(d, start + lastStep - 1, "a pass ends at the step its sugar decides");
        int points = 0;
        if (lastStep == 13) {
            for (int n = 1; n <= kTiles; ++n) {
                points += share(screen.neighbourTotalOf(n), v.antThresholds, scoring);
            }
            m.written = points;
        }
        EXPECT_EQUAL(screen.points(), points, "a pass's points are the sum of the tiles' shares");

        m.armedBeforeStart.clear();
        if (m.queued > 0) {
            --m.queued;
            m.passStart = d + 1;
        } else {
            m.passStart.reset();
        }
    }

    void act(const Action& a) {
        const Seen before = seen();
        const auto* boardBefore = board();
        bool accepted = false;
        try {
            accepted = game_.act(a);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "\n%s\n", e.what());
            violated("Game::act threw", __LINE__, static_cast<int>(a.kind),
                     a.widget ? a.widget->number : 0);
        } catch (...) {
            violated("Game::act threw", __LINE__);
        }
        if (game_.ended()) return;
        const Millis now = game_.now();

        if (const auto* b = board(); b && !boardBefore) {
            boardBorn_ = now;
            boardTotal_ = b->totalPoints();
        }
        if (accepted && a.kind == Action::Kind::Ok && messageGarden_ != 0) {
            gardens_[messageGarden_ - 1].endClosed = true;
            messageGarden_ = 0;
        }
        for (int g = 1; g <= kGardens; ++g) {
            const auto* screen = gardenScreen(g);
            if (screen == nullptr) continue;
            auto& m = gardens_[g - 1];
            if (m.screen == nullptr) m.screen = screen;
            EXPECT(m.screen == screen, "a garden's screen is never made afresh");
            if (!before[g - 1]) continue;
            const GardenSeen& was = *before[g - 1];
            for (int n = 1; n <= kTiles; ++n) {
                EXPECT_EQUAL(screen->tileCode(n), was.codes[n - 1],
                             "a click changes no tile before the next tick");
            }
            const bool onThisGarden = a.kind == Action::Kind::Click && a.form == screen->form();
            if (accepted && onThisGarden && a.widget && a.widget->kind == ui::WidgetKind::Image) {
                tileClicked(m, *a.widget, was, now);
            }
            const int drop = m.daysLeft - screen->daysLeft();
            if (drop == 0) continue;
            EXPECT(onThisGarden && a.widget == ui::command(1),
                   "only the garden's own next-day button counts its days down");
            EXPECT_EQUAL(drop, 1, "a day advance takes one day");
            dayAdvanced(g, m, now);
        }
        checkAll();
    }

    void tileClicked(GardenModel& m, ui::WidgetId w, const GardenSeen& was, Millis now) {
        if (w.number < 1 || w.number > kTiles) return;
        // The same arming rule as the player reads it: an empty tile takes
        // the place action, the level tool the level action.
        if (was.codes[w.number - 1] != 0 && was.tool != Tool::Level) return;
        if (m.tileClicksAt != now) {
            m.tileClicks.clear();
            m.tileClicksAt = now;
        }
        m.tileClicks.insert(w.number);
        if (m.passStart && *m.passStart == now + 1) m.armedBeforeStart.erase(w.number);
    }

    void dayAdvanced(int g, GardenModel& m, Millis now) {
        ++m.dayAdvances;
        --m.daysLeft;
        if (m.passStart) {
            ++m.queued;
        } else {
            m.passStart = now + 1;
            m.armedBeforeStart.clear();
            if (m.tileClicksAt == now) m.armedBeforeStart = m.tileClicks;
        }
        if (m.daysLeft == 0) {
            EXPECT(game_.message().has_value(), "the last day opens the end message");
            messageGarden_ = g;
        }
    }

    void checkAll() {
        if (game_.ended()) return;
        int closedAndDone = 0;
        for (int g = 1; g <= kGardens; ++g) {
            const auto* screen = gardenScreen(g);
            if (screen == nullptr) continue;
            const auto& m = gardens_[g - 1];
            const int days = screen->daysLeft();
            EXPECT(days >= 0 && days <= kDays, "DaysLeft stays within 0..7");
            EXPECT_EQUAL(days, m.daysLeft, "DaysLeft changes only by a day advance");
            EXPECT_EQUAL(screen->sugarCount(), m.shadowSugar(),
                         "SugarCount is the number of sugar tiles");
            EXPECT_EQUAL(screen->evaluating(), m.passStart.has_value(),
                         "a garden evaluates while a day advance has a pass to run");
            EXPECT_EQUAL(screen->passesEnded(), m.passesEnded, "passes end only at ticks");
            if (!screen->evaluating()) {
                EXPECT_EQUAL(m.passesEnded, m.dayAdvances, "each day advance gives one pass");
            }
            if (const auto* b = board()) {
                EXPECT_EQUAL(b->gardenScore(g), m.written,
                             "only the end of a scored pass writes the board");
            }
            if (m.endClosed && !screen->evaluating()) ++closedAndDone;
        }
        if (const auto* b = board()) {
            EXPECT_EQUAL(b->gardensFinished(), closedAndDone,
                         "a garden counts as finished once, after its message and last pass");
            EXPECT_EQUAL(b->totalPoints(), boardTotal_, "the total changes only at board ticks");
            if (closedAndDone == kGardens && !sixthFinishedAt_) sixthFinishedAt_ = game_.now();
        }
        if (game_.screen(FormId::Form10) != nullptr) resultSeen_ = true;
        if (sixthFinishedAt_ && game_.now() >= *sixthFinishedAt_ + kResultAfterSixthMs) {
            EXPECT(resultSeen_, "the result screen comes within a second of the sixth garden");
        }
    }

    Game game_;
    std::array<GardenModel, kGardens> gardens_{};
    std::deque<std::pair<Millis, Seen>> history_;
    Millis boardBorn_ = 0;
    int boardTotal_ = 0;
    int messageGarden_ = 0;
    std::optional<Millis> sixthFinishedAt_;
    bool resultSeen_ = false;
};

}  // namespace
}  // namespace mironeka::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        mironeka::fuzz::Play().run(data, size);
    } catch (...) {
        mironeka::fuzz::violated("the game threw", __LINE__);
    }
    return 0;
}
