// mironeka-ranking run as the publisher runs it, on mailboxes of both kinds
// made here: what it ranks, what it refuses, what it writes.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_mail.h"

namespace mironeka::ranking::test {
namespace {

enum class Box { Mbox, Maildir };

std::string boxName(Box b) { return b == Box::Mbox ? "Mbox" : "Maildir"; }

// Where the mails of a test go: one mailbox of a kind, or both kinds at once.
enum class Boxes { Mbox, Maildir, MboxAndMaildir };

std::string boxesName(Boxes b) {
    return b == Boxes::Mbox ? "Mbox" : b == Boxes::Maildir ? "Maildir" : "MboxAndMaildir";
}

constexpr const char* kDecember10am = "Tue, 01 Dec 2026 10:00:00 +0900";

class Tool : public ::testing::Test {
  protected:
    // Writes the mails as a mailbox of the kind asked for; returns its path.
    fs::path mailbox(Box box, const std::vector<std::string>& mails) {
        const fs::path path = dir_.path() / (box == Box::Mbox ? "box.mbox" : "maildir");
        if (box == Box::Mbox) {
            writeFile(path, mboxOf(mails));
        } else {
            writeMaildir(path, mails);
        }
        return path;
    }
    // The mails in one mailbox, or dealt in turn to an mbox and a Maildir.
    std::vector<fs::path> mailboxes(Boxes boxes, const std::vector<std::string>& mails) {
        if (boxes == Boxes::Mbox) return {mailbox(Box::Mbox, mails)};
        if (boxes == Boxes::Maildir) return {mailbox(Box::Maildir, mails)};
        std::vector<std::string> dealt[2];
        for (std::size_t i = 0; i < mails.size(); ++i) dealt[i % 2].push_back(mails[i]);
        return {mailbox(Box::Mbox, dealt[0]), mailbox(Box::Maildir, dealt[1])};
    }
    ToolRun rank(const std::vector<fs::path>& boxes, const char* month = "2026-12") {
        std::vector<std::string> args{"--month", month, "--out", out().string()};
        for (const fs::path& b : boxes) args.push_back(b.string());
        return runTool(args, dir_.path());
    }
    [[nodiscard]] fs::path out() const { return dir_.path() / "site" / "ranking"; }
    [[nodiscard]] std::string page() const { return readFile(out() / "index.html"); }

    TempDir dir_;
};

// --- Charsets, transfer encodings, encoded words, multipart -------------

struct EncodingCase {
    const char* name;
    Box box;
    std::string (*make)();
    const char* nickname;
    friend void PrintTo(const EncodingCase& c, std::ostream* os) { *os << c.name; }
};

class Encodings : public Tool, public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(Encodings, EveryKindOfMailIsRead) {
    const EncodingCase& c = GetParam();
    const ToolRun run = rank({mailbox(c.box, {c.make()})});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const RankingFile r = readRanking(out());
    EXPECT_EQ(r.refused, 0);
    EXPECT_EQ(r.rows, (std::vector<Row>{{1, c.nickname, "58.4", 16, "2026-12-01T10:00:00+09:00"}}));
    EXPECT_NE(page().find(c.nickname), std::string::npos);
}

const char* const kHtmlPart =
    "Content-Type: text/html; charset=UTF-8\n\n<p>36.5</p><p>ニックネーム：ちがう</p>\n";

INSTANTIATE_TEST_SUITE_P(
    Mails, Encodings,
    ::testing::Values(
        // The classic Japanese mail: ISO-2022-JP everywhere, 7bit.
        EncodingCase{"Iso2022Jp", Box::Mbox,
                     [] {
                         return mail(
                             encodedWord("スコア送信", "ISO-2022-JP", 'B'), kDecember10am,
                             "Content-Type: text/plain; charset=ISO-2022-JP\n"
                             "Content-Transfer-Encoding: 7bit\n\n" +
                                 encodeAs("スコアコード：５８．４\nニックネーム：山田太郎\n",
                                          "ISO-2022-JP"));
                     },
                     "山田太郎"},
        // Shift_JIS as Windows writes it: ~ and ① in the name.
        EncodingCase{"ShiftJisBase64", Box::Maildir,
                     [] {
                         return mail(encodedWord("【スコア】", "Shift_JIS", 'B'), kDecember10am,
                                     "Content-Type: text/plain; charset=Shift_JIS\n"
                                     "Content-Transfer-Encoding: base64\n\n" +
                                         base64(encodeAs("58.4\nニックネーム：ｱﾘ~①\n", "CP932")));
                     },
                     "ｱﾘ~①"},
        EncodingCase{"ShiftJisQuotedPrintableBeforeHtml", Box::Mbox,
                     [] {
                         return mail(encodedWord("スコアです", "UTF-8", 'Q'), kDecember10am,
                                     "Content-Type: multipart/alternative; boundary=\"b1\"\n\n"
                                     "--b1\nContent-Type: text/plain; charset=\"shift_jis\"\n"
                                     "Content-Transfer-Encoding: quoted-printable\n\n" +
                                         quotedPrintable(
                                             encodeAs("ニックネーム：は~なこ\n58.4\n", "CP932")) +
                                         "\n--b1\n" + kHtmlPart + "--b1--\n");
                     },
                     "は~なこ"},
        EncodingCase{"Utf8QuotedPrintable", Box::Maildir,
                     [] {
                         return mail(encodedWord("スコア", "UTF-8", 'Q'), kDecember10am,
                                     "Content-Type: text/plain; charset=utf-8\n"
                                     "Content-Transfer-Encoding: quoted-printable\n\n" +
                                         quotedPrintable("58.4\r\nニックネーム：Ünïcödé名\r\n"));
                     },
                     "Ünïcödé名"},
        // The first text/plain that isn't an attachment, inside an
        // alternative inside a mixed.
        EncodingCase{"Utf8Base64AfterAnAttachment", Box::Mbox,
                     [] {
                         return mail(
                             encodedWord("スコア", "UTF-8", 'B'), kDecember10am,
                             "Content-Type: multipart/mixed; boundary=outer\n\n"
                             "--outer\nContent-Type: text/plain; charset=UTF-8\n"
                             "Content-Disposition: attachment; filename=old.txt\n\n"
                             "649.7\nニックネーム：ずる\n"
                             "--outer\nContent-Type: multipart/alternative; boundary=inner\n\n"
                             "--inner\nContent-Type: text/plain; charset=UTF-8\n"
                             "Content-Transfer-Encoding: base64\n\n" +
                                 base64("58.4\nニックネーム：じろう\n") + "--inner\n" + kHtmlPart +
                                 "--inner--\n--outer--\n");
                     },
                     "じろう"},
        // Old mailers: raw ISO-2022-JP in the subject, no charset named.
        EncodingCase{"RawIso2022JpSubject", Box::Maildir,
                     [] {
                         return mail(encodeAs("スコア", "ISO-2022-JP"), kDecember10am,
                                     "Content-Type: text/plain\n\n" +
                                         encodeAs("58.4\nさぶろう\n", "ISO-2022-JP"));
                     },
                     "さぶろう"},
        EncodingCase{"HalfWidthSubjectEucJpBody", Box::Mbox,
                     [] {
                         return mail("ｽｺｱ", kDecember10am,
                                     "Content-Type: text/plain; charset=EUC-JP\n"
                                     "Content-Transfer-Encoding: 8bit\n\n" +
                                         encodeAs("58.4\nニックネーム：しろう\n", "EUC-JP"));
                     },
                     "しろう"}),
    [](const auto& test) { return std::string(test.param.name); });

// --- The month, in Japan time --------------------------------------------

TEST_F(Tool, CountsTheMonthInJapanTimeAndSkipsOtherMail) {
    const std::vector<std::string> mails{
        plainMail("スコア", "Mon, 30 Nov 2026 23:59:59 +0900", "58.4\nじゅういちがつ\n"),
        // 2026-11-30T15:30:00Z is 00:30 on 1 December in Japan.
        plainMail("スコア", "Mon, 30 Nov 2026 15:30:00 +0000", "36.5\nついたち\n"),
        plainMail("スコア", "Thu, 31 Dec 2026 23:59:59 +0900", "3.65\nおおみそか\n"),
        // "JST" as a zone, without an offset, as some Japanese mailers write.
        plainMail("スコア", "Thu, 31 Dec 2026 23:30:00 JST", "7.3\nじーえすてぃー\n"),
        plainMail("スコア", "Thu, 31 Dec 2026 15:00:00 +0000", "7.3\nがんじつ\n"),
        plainMail("Re: こんにちは", kDecember10am, "58.4\nちがうけんめい\n"),
        plainMail("スコア", "", "58.4\nひづけなし\n"),
    };
    const fs::path box = mailbox(Box::Mbox, mails);
    const ToolRun december = rank({box});
    ASSERT_EQ(december.status, 0) << december.err;
    const RankingFile r = readRanking(out());
    EXPECT_EQ(r.month, "2026-12");
    EXPECT_EQ(r.rows,
              (std::vector<Row>{{1, "ついたち", "36.5", 10, "2026-12-01T00:30:00+09:00"},
                                {2, "じーえすてぃー", "7.3", 2, "2026-12-31T23:30:00+09:00"},
                                {3, "おおみそか", "3.65", 1, "2026-12-31T23:59:59+09:00"}}));
    // Only the undated score mail is refused; the others are skipped silently.
    EXPECT_EQ(r.refused, 1);
    const std::size_t undated = mboxOf({mails.begin(), mails.end() - 1}).size();
    EXPECT_EQ(december.err,
              box.string() + "@" + std::to_string(undated) + ": refused: no readable Date\n");

    ASSERT_EQ(rank({box}, "2026-11").status, 0);
    EXPECT_EQ(readRanking(out()).rows,
              (std::vector<Row>{{1, "じゅういちがつ", "58.4", 16, "2026-11-30T23:59:59+09:00"}}));
}

// --- One best score a nickname; equal totals share a rank ------------------

class Ranks : public Tool, public ::testing::WithParamInterface<Boxes> {};

TEST_P(Ranks, KeepEachNicknamesBestAndShareEqualTotals) {
    const auto at = [](const char* time) {
        return "Tue, 01 Dec 2026 " + std::string(time) + " +0900";
    };
    const ToolRun run =
        rank(mailboxes(GetParam(), {plainMail("スコア", at("10:00:00"), "58.4\nたろう\n"),
                                    plainMail("スコア", at("09:00:00"), "58.4\nはなこ\n"),
                                    // the same best, earlier: this date is kept
                                    plainMail("スコア", at("08:00:00"), "58.4\nたろう\n"),
                                    plainMail("スコア", at("07:00:00"), "36.5\nたろう\n"),
                                    plainMail("スコア", at("12:00:00"), "36.5\nじろう\n"),
                                    plainMail("スコア", at("11:00:00"), "36.5\nさぶろう\n"),
                                    plainMail("スコア", at("01:00:00"), "3.65\nまこと\n"),
                                    plainMail("スコア", at("02:00:00"), "7.3\nまこと\n")}));
    ASSERT_EQ(run.status, 0) << run.err;
    const RankingFile r = readRanking(out());
    EXPECT_EQ(r.rows, (std::vector<Row>{{1, "たろう", "58.4", 16, "2026-12-01T08:00:00+09:00"},
                                        {1, "はなこ", "58.4", 16, "2026-12-01T09:00:00+09:00"},
                                        {3, "さぶろう", "36.5", 10, "2026-12-01T11:00:00+09:00"},
                                        {3, "じろう", "36.5", 10, "2026-12-01T12:00:00+09:00"},
                                        {5, "まこと", "7.3", 2, "2026-12-01T02:00:00+09:00"}}));
    // The page shows the same rows in the same order.
    const std::string p = page();
    std::size_t from = 0;
    for (const Row& row : r.rows) {
        const std::string cells = "<td class=\"number\">" + std::to_string(row.rank) +
                                  "</td><td><bdi>" + row.nickname +
                                  "</bdi></td><td class=\"number\">" + std::to_string(row.points) +
                                  "</td><td class=\"number\">" + row.code + "</td>";
        const std::size_t found = p.find(cells, from);
        ASSERT_NE(found, std::string::npos) << cells;
        from = found + cells.size();
    }
}

INSTANTIATE_TEST_SUITE_P(Boxes, Ranks,
                         ::testing::Values(Boxes::Mbox, Boxes::Maildir, Boxes::MboxAndMaildir),
                         [](const auto& test) { return boxesName(test.param); });

// --- Hostile nicknames --------------------------------------------------

TEST_F(Tool, EscapesNicknamesInTheJsonAndThePage) {
    const ToolRun run = rank({mailbox(
        Box::Mbox,
        {plainMail("スコア", kDecember10am, "58.4\nニックネーム：<script>alert(1)</script>\n"),
         plainMail("スコア", kDecember10am, "36.5\nニックネーム：a\"b\\c'&<>\xE2\x80\xA8\n")})});
    ASSERT_EQ(run.status, 0) << run.err;
    // Cut to 20 characters; read back exactly by a strict JSON reader.
    EXPECT_EQ(readRanking(out()).rows,
              (std::vector<Row>{
                  {1, "<script>alert(1)</sc", "58.4", 16, "2026-12-01T10:00:00+09:00"},
                  {2, "a\"b\\c'&<>\xE2\x80\xA8", "36.5", 10, "2026-12-01T10:00:00+09:00"}}));
    const std::string p = page();
    EXPECT_EQ(p.rfind("<!DOCTYPE html>\n<html lang=\"ja\">\n", 0), 0u);
    EXPECT_NE(p.find("<bdi>&lt;script&gt;alert(1)&lt;/sc</bdi>"), std::string::npos);
    EXPECT_NE(p.find("<bdi>a&quot;b\\c&#39;&amp;&lt;&gt;"), std::string::npos);
    EXPECT_EQ(p.find("<script"), std::string::npos);
    // Nothing is fetched from elsewhere.
    for (const char* external : {"src=", "href=", "url(", "@import", "http"}) {
        EXPECT_EQ(p.find(external), std::string::npos) << external;
    }
}

// --- Mails over 1 MiB, and mail that isn't a mail ---------------------------

class Limits : public Tool, public ::testing::WithParamInterface<Box> {};

TEST_P(Limits, AMailOver1MiBIsRefusedAndTheRunGoesOn) {
    const std::string before = plainMail("スコア", kDecember10am, "58.4\nまえ\n");
    const std::string big = plainMail("スコア", kDecember10am,
                                      "649.7\nおおきい\n" + std::string(1024 * 1024, 'x') + "\n");
    // An unquoted "From " line in a body cuts the mbox there; what follows
    // it isn't a mail, and the mail after it is still read.
    const std::string cut =
        plainMail("スコア", kDecember10am, "36.5\nきれた\nFrom the garden, with love\nx\n");
    const std::string after = plainMail("スコア", kDecember10am, "3.65\nあと\n");
    const fs::path box = mailbox(GetParam(), {before, big, cut, after});
    const ToolRun run = rank({box});
    ASSERT_EQ(run.status, 0) << run.err;
    const RankingFile r = readRanking(out());
    EXPECT_EQ(r.rows, (std::vector<Row>{{1, "まえ", "58.4", 16, "2026-12-01T10:00:00+09:00"},
                                        {2, "きれた", "36.5", 10, "2026-12-01T10:00:00+09:00"},
                                        {3, "あと", "3.65", 1, "2026-12-01T10:00:00+09:00"}}));
    const std::string where = GetParam() == Box::Mbox
                                  ? box.string() + "@" + std::to_string(mboxOf({before}).size())
                                  : (box / "new" / "17960000101.M1P1.host").string();
    EXPECT_NE(run.err.find(where + ": refused: the mail is over 1 MiB"), std::string::npos)
        << run.err;
    EXPECT_EQ(r.refused, static_cast<int>(std::count(run.err.begin(), run.err.end(), '\n')));
}

INSTANTIATE_TEST_SUITE_P(Boxes, Limits, ::testing::Values(Box::Mbox, Box::Maildir),
                         [](const auto& test) { return boxName(test.param); });

// --- Exit status 2: bad arguments, mailboxes that can't be read ------------

struct BadRun {
    const char* name;
    std::vector<std::string> args;  // "@" stands for the scratch folder
    const char* message;
    friend void PrintTo(const BadRun& r, std::ostream* os) { *os << r.name; }
};

class BadRuns : public Tool, public ::testing::WithParamInterface<BadRun> {};

TEST_P(BadRuns, ExitWith2AndSayWhy) {
    const fs::path scratch = dir_.path();
    writeFile(scratch / "notes.txt", "Dear diary,\n");
    fs::create_directories(scratch / "plain-folder");
    writeFile(scratch / "good.mbox", mboxOf({plainMail("スコア", kDecember10am, "58.4\nx\n")}));
    std::vector<std::string> args;
    for (const std::string& a : GetParam().args) {
        args.push_back(a[0] == '@' ? (scratch / a.substr(1)).string() : a);
    }
    const ToolRun run = runTool(args, scratch);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(scratch / "out"));
}

const char* const kUsage = "usage: mironeka-ranking --month YYYY-MM --out DIR MAILBOX...\n";

INSTANTIATE_TEST_SUITE_P(
    Runs, BadRuns,
    ::testing::Values(
        BadRun{"NoArguments", {}, kUsage},
        BadRun{"BadMonth",
               {"--month", "2026-13", "--out", "@out", "@good.mbox"},
               "--month takes YYYY-MM"},
        BadRun{"NoOut", {"--month", "2026-12", "@good.mbox"}, kUsage},
        BadRun{"NoMailbox", {"--month", "2026-12", "--out", "@out"}, kUsage},
        BadRun{"UnknownOption", {"--mont", "2026-12", "--out", "@out", "@good.mbox"}, kUsage},
        BadRun{"MissingMailbox",
               {"--month", "2026-12", "--out", "@out", "@good.mbox", "@no-such.mbox"},
               "no-such.mbox: cannot read the mailbox"},
        BadRun{"FolderThatIsNoMaildir",
               {"--month", "2026-12", "--out", "@out", "@plain-folder"},
               "plain-folder: not a Maildir folder"},
        BadRun{"FileThatIsNoMbox",
               {"--month", "2026-12", "--out", "@out", "@notes.txt"},
               "notes.txt: not an mbox file"}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace mironeka::ranking::test
