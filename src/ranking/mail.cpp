#include "ranking/mail.h"

#include <gmime/gmime.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace mironeka::ranking {
namespace {

struct Unref {
    void operator()(gpointer p) const {
        if (p != nullptr) g_object_unref(p);
    }
};
template <class T>
using Ref = std::unique_ptr<T, Unref>;

struct Free {
    void operator()(gpointer p) const { g_free(p); }
};
using GText = std::unique_ptr<char, Free>;

GMimeParserOptions* parserOptions() {
    // Japanese mailers write encoded words without the spaces the standard
    // asks for, and some put raw 8-bit text in headers.
    static GMimeParserOptions* const options = [] {
        GMimeParserOptions* o = g_mime_parser_options_new();
        g_mime_parser_options_set_rfc2047_compliance_mode(o, GMIME_RFC_COMPLIANCE_LOOSE);
        g_mime_parser_options_set_parameter_compliance_mode(o, GMIME_RFC_COMPLIANCE_LOOSE);
        static const char* fallback[] = {"UTF-8", "CP932", "EUC-JP", "ISO-8859-1", nullptr};
        g_mime_parser_options_set_fallback_charsets(o, fallback);
        return o;
    }();
    return options;
}

bool validUtf8(std::string_view s) {
    return g_utf8_validate(s.data(), static_cast<gssize>(s.size()), nullptr) != FALSE;
}

std::optional<std::string> convert(std::string_view bytes, const char* from) {
    gsize written = 0;
    GError* error = nullptr;
    GText text(g_convert(bytes.data(), static_cast<gssize>(bytes.size()), "UTF-8", from, nullptr,
                         &written, &error));
    if (error != nullptr) g_error_free(error);
    if (!text) return std::nullopt;
    std::string out(text.get(), written);
    if (!validUtf8(out)) return std::nullopt;
    return out;
}

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(g_ascii_tolower(c)); });
    return out;
}

bool isShiftJis(const std::string& name) {
    return name == "shift_jis" || name == "shift-jis" || name == "sjis" || name == "x-sjis" ||
           name == "ms_kanji" || name == "windows-31j" || name == "cp932" || name == "csshiftjis";
}

// NFC or NFKC of valid UTF-8 without NUL bytes.
std::string normalize(const std::string& s, GNormalizeMode mode) {
    GText text(g_utf8_normalize(s.data(), static_cast<gssize>(s.size()), mode));
    return text ? std::string(text.get()) : s;
}

std::string withoutNul(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '\0'), s.end());
    return s;
}

// The first text/plain part that isn't an attachment, depth first; mails
// attached as message/rfc822 are not looked into.
GMimePart* firstPlainPart(GMimeObject* root) {
    std::vector<GMimeObject*> stack;
    if (root != nullptr) stack.push_back(root);
    while (!stack.empty()) {
        GMimeObject* object = stack.back();
        stack.pop_back();
        if (GMIME_IS_MULTIPART(object)) {
            GMimeMultipart* multipart = GMIME_MULTIPART(object);
            for (int i = g_mime_multipart_get_count(multipart); i-- > 0;) {
                if (GMimeObject* child = g_mime_multipart_get_part(multipart, i)) {
                    stack.push_back(child);
                }
            }
        } else if (GMIME_IS_PART(object)) {
            GMimePart* part = GMIME_PART(object);
            GMimeContentType* type = g_mime_object_get_content_type(object);
            const bool plain =
                type == nullptr || g_mime_content_type_is_type(type, "text", "plain") != FALSE;
            if (plain && g_mime_part_is_attachment(part) == FALSE) return part;
        }
    }
    return nullptr;
}

std::string decodedContent(GMimePart* part) {
    GMimeDataWrapper* content = g_mime_part_get_content(part);
    if (content == nullptr) return {};
    Ref<GMimeStream> stream(g_mime_stream_mem_new());
    if (g_mime_data_wrapper_write_to_stream(content, stream.get()) < 0) return {};
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(stream.get()));
    return std::string(reinterpret_cast<const char*>(bytes->data), bytes->len);
}

// The Date as Unix seconds. Some Japanese mailers name the zone "JST"
// without an offset; GMime doesn't know that name and would read the time
// as UTC, nine hours late.
std::optional<std::int64_t> mailDate(GMimeMessage* message) {
    if (const char* raw = g_mime_object_get_header(GMIME_OBJECT(message), "Date")) {
        std::string text(raw);
        const std::size_t jst = text.find("JST");
        const bool offset = text.find_first_of("+-") != std::string::npos;
        if (jst != std::string::npos && !offset) {
            text.replace(jst, 3, "+0900");
            if (GDateTime* date = g_mime_utils_header_decode_date(text.c_str())) {
                const std::int64_t seconds = g_date_time_to_unix(date);
                g_date_time_unref(date);
                return seconds;
            }
        }
    }
    if (GDateTime* date = g_mime_message_get_date(message)) return g_date_time_to_unix(date);
    return std::nullopt;
}

}  // namespace

void initMime() {
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

std::string toUtf8(std::string_view bytes, const char* charset) {
    std::vector<const char*> tries;
    const std::string declared = charset != nullptr ? lowerAscii(charset) : std::string();
    if (isShiftJis(declared)) {
        // What Japanese mailers call Shift_JIS is Microsoft's: ① and ～ too,
        // and at 0x5C and 0x7E a backslash and a tilde, not a yen sign and
        // an overline.
        tries.push_back("CP932");
    } else if (declared == "iso-2022-jp") {
        tries.push_back("ISO-2022-JP");
        tries.push_back("ISO-2022-JP-2");
    } else if (!declared.empty()) {
        const char* name = g_mime_charset_iconv_name(charset);
        tries.push_back(name != nullptr ? name : charset);
    }
    if (bytes.find("\x1b$") != std::string_view::npos) {
        tries.push_back("ISO-2022-JP");
        tries.push_back("ISO-2022-JP-2");
    }
    for (const char* from : tries) {
        if (auto text = convert(bytes, from)) return *text;
    }
    if (validUtf8(bytes)) return std::string(bytes);
    for (const char* from : {"CP932", "EUC-JP"}) {
        if (auto text = convert(bytes, from)) return *text;
    }
    GText text(g_utf8_make_valid(bytes.data(), static_cast<gssize>(bytes.size())));
    return std::string(text.get());
}

std::optional<Mail> parseMail(std::string_view bytes, MailFormat format) {
    initMime();
    Ref<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size()));
    Ref<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    g_mime_parser_set_format(parser.get(),
                             format == MailFormat::Mbox ? GMIME_FORMAT_MBOX : GMIME_FORMAT_MESSAGE);
    Ref<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), parserOptions()));
    if (!message) return std::nullopt;

    Mail mail;
    if (const char* subject = g_mime_message_get_subject(message.get())) {
        // A subject of raw ISO-2022-JP, without encoded words, is read too.
        std::string text(subject);
        text = toUtf8(text, text.find("\x1b$") != std::string::npos ? "ISO-2022-JP" : "UTF-8");
        // NFKC: a half-width ｽｺｱ is スコア.
        mail.subject = normalize(withoutNul(text), G_NORMALIZE_NFKC);
    }
    mail.date = mailDate(message.get());
    if (GMimePart* part = firstPlainPart(g_mime_message_get_mime_part(message.get()))) {
        const char* charset =
            g_mime_object_get_content_type_parameter(GMIME_OBJECT(part), "charset");
        // NFC, so that a name typed composed or decomposed is one name.
        mail.body = normalize(withoutNul(toUtf8(decodedContent(part), charset)),
                              G_NORMALIZE_DEFAULT_COMPOSE);
    }
    return mail;
}

}  // namespace mironeka::ranking
