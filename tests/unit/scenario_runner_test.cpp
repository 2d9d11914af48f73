#include <gtest/gtest.h>

#include <ostream>
#include <sstream>

#include "scenario/scenario.h"

namespace mironeka::scenario {
namespace {

struct Run {
    Outcome outcome;
    std::string output;
};

Run run(const std::string& script) {
    std::ostringstream out;
    const auto outcome = runScript("t.scn", script, out);
    return {outcome, out.str()};
}

struct BadLine {
    const char* script;
    const char* message;
};

void PrintTo(const BadLine& b, std::ostream* os) {
    for (const char* c = b.script; *c != '\0'; ++c) *os << (*c == '\n' ? ';' : *c);
}

class MalformedLineTest : public ::testing::TestWithParam<BadLine> {};

TEST_P(MalformedLineTest, FailsTheFileNamingFileAndLine) {
    const auto r = run(GetParam().script);
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_NE(r.output.find(GetParam().message), std::string::npos) << r.output;
}

INSTANTIATE_TEST_SUITE_P(
    Errors, MalformedLineTest,
    ::testing::Values(BadLine{"jump 3\n", "t.scn:1: error: unknown command 'jump'"},
                      BadLine{"# c\n\nwait 1.5\n", "t.scn:3: error: bad number"},
                      BadLine{"wait -1\n", "t.scn:1: error: bad number"},
                      BadLine{"wait\n", "t.scn:1: error:"},
                      BadLine{"click Form12 Command1\n", "no screen named 'Form12'"},
                      BadLine{"click Form3 Command7\n", "Form3 has no widget named 'Command7'"},
                      BadLine{"click Form4 Command01\n", "has no widget named 'Command01'"},
                      BadLine{"click Form2\n", "t.scn:1: error:"},
                      BadLine{"expect Form3 Colour red\n", "Form3 has no field named 'Colour'"},
                      BadLine{"expect Form3 Tiles 0 0\n", "Tiles takes 16 value(s), got 2"},
                      BadLine{"expect visible Form0\n", "no screen named 'Form0'"},
                      BadLine{"ok now\n", "t.scn:1: error:"}));

TEST(ScenarioRunner, ReportsEveryMalformedLineBeforeRunning) {
    const auto r = run("wait 1500\nfly\nexpect visible Form2\nswim\n");
    EXPECT_NE(r.output.find("t.scn:2: error"), std::string::npos);
    EXPECT_NE(r.output.find("t.scn:4: error"), std::string::npos);
}

TEST(ScenarioRunner, FailedCheckShowsExpectedAndActualAndSkipsTheRest) {
    const auto r = run("expect visible Form2\nexpect visible Form7\n");
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_NE(r.output.find("t.scn:1: check failed"), std::string::npos);
    EXPECT_NE(r.output.find("expected: Form2"), std::string::npos);
    EXPECT_NE(r.output.find("actual:   Form1"), std::string::npos);
    EXPECT_EQ(r.output.find("t.scn:2"), std::string::npos);
}

TEST(ScenarioRunner, ChecksNeverCreateAScreen) {
    const auto r = run("expect Form4 TotalPoints 0\n");
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_NE(r.output.find("Form4 does not exist"), std::string::npos);
    EXPECT_EQ(run("expect Form4 TotalPoints 0\nexpect exists Form1\n").outcome, Outcome::Failed);
}

TEST(ScenarioRunner, ImpossibleActionsAreNoErrors) {
    const auto r =
        run("click Form4 Command2\n"  // stage select not there yet
            "ok\n"                    // no box open
            "close Form1\n"           // splash has no close box
            "type Form3 Text37 99\n"  // garden not open
            "expect visible Form1\n");
    EXPECT_EQ(r.outcome, Outcome::Passed) << r.output;
}

TEST(ScenarioRunner, PrintWritesFieldsWithoutChecking) {
    const auto r = run("wait 1500\nclick Form2 Command1\nprint Form4\n");
    EXPECT_EQ(r.outcome, Outcome::Passed);
    EXPECT_NE(r.output.find("Form4 GardenScores 0 0 0 0 0 0"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Form4 ResumeButtons 0 0 0 0 0 0"), std::string::npos);
}

TEST(ScenarioRunner, FreeTextValuesTakeTheRestOfTheLine) {
    const auto r =
        run("wait 1500\nclick Form2 Command1\nclick Form4 Command2\n"
            "expect Form3 HintText\n"
            "move Form3 Command2\n"
            "expect Form3 HintText   砂糖を置きます。  \n");
    EXPECT_EQ(r.outcome, Outcome::Passed) << r.output;
}

}  // namespace
}  // namespace mironeka::scenario
