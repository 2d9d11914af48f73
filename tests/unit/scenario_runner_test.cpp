#include <gtest/gtest.h>

#include <initializer_list>
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
                      BadLine{"click Form-8 Image1\n", "no screen named 'Form-8'"},
                      BadLine{"click Form3 Image-1\n", "has no widget named 'Image-1'"},
                      BadLine{"click Form2\n", "t.scn:1: error:"},
                      BadLine{"expect Form3 Colour red\n", "Form3 has no field named 'Colour'"},
                      BadLine{"expect Form3 Tiles 0 0\n", "Tiles takes 16 value(s), got 2"},
                      BadLine{"expect visible Form0\n", "no screen named 'Form0'"},
                      BadLine{"ok now\n", "t.scn:1: error:"},
                      BadLine{"wait 86400001\n",
                              "t.scn:1: error: a wait of '86400001' ms is longer than the "
                              "longest wait, 86400000 ms"},
                      BadLine{"wait 1\nwait 9223372036854775807\n",
                              "t.scn:2: error: a wait of '9223372036854775807' ms is longer"},
                      BadLine{"wait 99999999999999999999999\n", "t.scn:1: error: a wait of"},
                      BadLine{"wait -99999999999999999999999\n", "t.scn:1: error: bad number"},
                      BadLine{"wait -0\n", "t.scn:1: error: bad number"}));

TEST(ScenarioRunner, TheLongestWaitIsADay) {
    const auto r = run("wait 86400000\nexpect visible Form2\n");
    EXPECT_EQ(r.outcome, Outcome::Passed) << r.output;
}

TEST(ScenarioRunner, WaitsThatAddUpPastTheClocksEndAreRefusedBeforeAnythingRuns) {
    std::ostringstream out;
    const auto outcome = runScript("t.scn", "print\nwait 600\nwait 400\n\nwait 1\nprint\n", out,
                                   Limits{.clockEnd = 1000});
    EXPECT_EQ(outcome, Outcome::Failed);
    EXPECT_EQ(out.str(), "t.scn:5: error: the waits add up past the end of the clock, 1000 ms\n");

    std::ostringstream fits;
    EXPECT_EQ(runScript("t.scn", "wait 600\nwait 400\nexpect visible Form1\n", fits,
                        Limits{.clockEnd = 1000}),
              Outcome::Passed)
        << fits.str();
}

// A long name, or one with control bytes, is quoted short and harmless.
struct LongName {
    const char* script;  // '@' stands for the name
    char fill;           // what the name is made of
};

void PrintTo(const LongName& n, std::ostream* os) { *os << n.script; }

class QuotedNameTest : public ::testing::TestWithParam<LongName> {};

TEST_P(QuotedNameTest, LongNamesAreCutAtFortyBytes) {
    const std::string name(60'000, GetParam().fill);  // a line holds at most 64 KiB
    std::string script = GetParam().script;
    script.replace(script.find('@'), 1, name);
    const auto r = run(script);
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_NE(r.output.find("'" + name.substr(0, 40) + "...'"), std::string::npos) << r.output;
    EXPECT_LT(r.output.size(), 200u);
}

INSTANTIATE_TEST_SUITE_P(ScreensWidgetsFieldsCommandsNumbers, QuotedNameTest,
                         ::testing::Values(LongName{"click @ Command1\n", 'x'},
                                           LongName{"click Form3 @\n", 'x'},
                                           LongName{"expect Form4 @ 1\n", 'x'},
                                           LongName{"expect visible Form2 @\n", 'x'},
                                           LongName{"@\n", 'x'}, LongName{"wait @\n", 'x'},
                                           LongName{"wait @\n", '9'}));

TEST(ScenarioRunner, QuotedNamesEndBetweenCharactersAndShowControlBytesAsCodes) {
    std::string kana;
    for (int i = 0; i < 20; ++i) kana += "あ";  // three bytes each
    const auto cut = run("click Form3 " + kana + "\n");
    EXPECT_NE(cut.output.find("named '" + kana.substr(0, 39) + "...'\n"), std::string::npos)
        << cut.output;

    const auto control = run("click Form\x1b[2J Command1\n");
    EXPECT_NE(control.output.find("no screen named 'Form\\x1B[2J'"), std::string::npos)
        << control.output;
    EXPECT_EQ(control.output.find('\x1b'), std::string::npos);
}

struct Encoding {
    const char* name;
    const char* bom;
    const char* newline;
};

void PrintTo(const Encoding& e, std::ostream* os) { *os << e.name; }

class LineEndingTest : public ::testing::TestWithParam<Encoding> {};

std::string write(const Encoding& e, std::initializer_list<const char*> lines) {
    std::string text = e.bom;
    for (const char* line : lines) text += std::string(line) + e.newline;
    return text;
}

TEST_P(LineEndingTest, ScriptsReadTheSameWhateverTheEditorWrote) {
    const auto ok = run(write(GetParam(), {"# start", "wait 1500", "", "click Form2 Command1",
                                           "expect visible Form4", "expect Form4 TotalPoints 0"}));
    EXPECT_EQ(ok.outcome, Outcome::Passed) << ok.output;

    const auto bad = run(write(GetParam(), {"wait 1500", "", "fly", "click Form2 Command1"}));
    EXPECT_EQ(bad.output, "t.scn:3: error: unknown command 'fly'\n");
}

INSTANTIATE_TEST_SUITE_P(Editors, LineEndingTest,
                         ::testing::Values(Encoding{"LF", "", "\n"}, Encoding{"CRLF", "", "\r\n"},
                                           Encoding{"CR", "", "\r"},
                                           Encoding{"BOM_LF", "\xEF\xBB\xBF", "\n"},
                                           Encoding{"BOM_CRLF", "\xEF\xBB\xBF", "\r\n"},
                                           Encoding{"BOM_CR", "\xEF\xBB\xBF", "\r"}));

TEST(ScenarioRunner, ABlankLineOfItsOwnCountsInBothEndings) {
    // "\r\n" is one line end; "\n\r" is two.
    EXPECT_NE(run("wait 1\n\rfly\n").output.find("t.scn:3: error"), std::string::npos);
    EXPECT_NE(run("wait 1\r\nfly\n").output.find("t.scn:2: error"), std::string::npos);
}

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
