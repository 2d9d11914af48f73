// How fast mironeka-ranking ranks a month: an mbox of 10,000 mails, as
// players' mailers write them (ISO-2022-JP, Shift_JIS in base64, UTF-8 in
// quoted-printable multipart), from 2,000 players, a tenth of them of other
// months or not score mails and some forged, read, ranked and written out.

#include <benchmark/benchmark.h>
#include <glib.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "ranking/run.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMails = 10'000;
constexpr int kPlayers = 2'000;

std::string encodeAs(const std::string& utf8, const char* charset) {
    gsize written = 0;
    char* bytes = g_convert(utf8.data(), static_cast<gssize>(utf8.size()), charset, "UTF-8",
                            nullptr, &written, nullptr);
    std::string out(bytes != nullptr ? bytes : "", written);
    g_free(bytes);
    return out;
}

std::string base64(const std::string& bytes) {
    char* text = g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size());
    std::string out(text);
    g_free(text);
    return out;
}

std::string mail(int i) {
    const int player = i % kPlayers;
    const int total = (i * 37) % 120 - 20;  // within the bounds
    std::string code = mironeka::ranking::scoreCodeText(total);
    if (i % 97 == 0) code += "1";  // forged
    const std::string nickname = "プレイヤー" + std::to_string(player);
    const int day = 1 + i % 28;
    const char* month = i % 10 == 9 ? "Nov" : "Dec";
    const std::string subject = i % 31 == 0 ? "Re: hello" : "スコア送信";
    std::ostringstream m;
    m << "From player" << player << "@example.org Tue Dec  1 10:00:00 2026\n"
      << "From: player" << player << "@example.org\nTo: score@velmoraki.example\n"
      << "Date: " << (day < 10 ? "0" : "") << day << " " << month << " 2026 " << (10 + i % 12)
      << ":" << (10 + i % 50) << ":00 +0900\nMIME-Version: 1.0\n";
    const std::string body = "スコアコード：" + code + "\nニックネーム：" + nickname +
                             "\n\nミロネカ、楽しかったです。\n";
    switch (i % 3) {
        case 0:
            m << "Subject: =?ISO-2022-JP?B?" << base64(encodeAs(subject, "ISO-2022-JP"))
              << "?=\nContent-Type: text/plain; charset=ISO-2022-JP\n"
                 "Content-Transfer-Encoding: 7bit\n\n"
              << encodeAs(body, "ISO-2022-JP");
            break;
        case 1:
            m << "Subject: =?Shift_JIS?B?" << base64(encodeAs(subject, "CP932"))
              << "?=\nContent-Type: text/plain; charset=Shift_JIS\n"
                 "Content-Transfer-Encoding: base64\n\n"
              << base64(encodeAs(body, "CP932")) << "\n";
            break;
        default: {
            std::string qp;
            for (unsigned char c : body) {
                char hex[4];
                std::snprintf(hex, sizeof hex, "=%02X", c);
                qp += c == '\n'  ? std::string("\n")
                      : c < 0x80 ? std::string(1, static_cast<char>(c))
                                 : hex;
            }
            m << "Subject: " << subject
              << "\nContent-Type: multipart/alternative; boundary=\"b\"\n\n--b\n"
                 "Content-Type: text/plain; charset=UTF-8\n"
                 "Content-Transfer-Encoding: quoted-printable\n\n"
              << qp << "\n--b\nContent-Type: text/html; charset=UTF-8\n\n<p>" << code
              << "</p>\n--b--\n";
        }
    }
    m << "\n";
    return m.str();
}

void BM_RankTenThousandMails(benchmark::State& state) {
    std::string pattern = (fs::temp_directory_path() / "mironeka-bench-XXXXXX").string();
    const fs::path dir = ::mkdtemp(pattern.data());
    const fs::path box = dir / "score.mbox";
    {
        std::ofstream out(box, std::ios::binary);
        for (int i = 0; i < kMails; ++i) out << mail(i);
    }
    const std::vector<std::string> args{"--month", "2026-12", "--out", (dir / "out").string(),
                                        box.string()};
    for (auto _ : state) {
        std::ostringstream out, err;
        if (mironeka::ranking::runRankingTool(args, out, err) != 0) {
            state.SkipWithError("the run failed");
            break;
        }
        // "2026-12: N ranked, N refused"
        const std::string summary = out.str();
        state.SetLabel(summary.substr(0, summary.find(';')));
    }
    state.counters["mbox_MB"] = static_cast<double>(fs::file_size(box)) / 1e6;
    fs::remove_all(dir);
}
BENCHMARK(BM_RankTenThousandMails)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
