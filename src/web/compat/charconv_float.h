// Emscripten 3.1.6 ships a libc++ whose <charconv> has no floating-point
// std::to_chars. This header is put in front of every source of the
// WebAssembly build and supplies the one overload the game uses, through
// printf. WebAssembly code never changes the C locale, so "%.*g" writes a
// "." as the decimal point, as std::to_chars does.
#pragma once

#include <charconv>
#include <cstdio>
#include <system_error>

#if defined(__EMSCRIPTEN__) && defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 15000
namespace std {
inline to_chars_result to_chars(char* first, char* last, double value, chars_format format,
                                int precision) {
    const char* spec = format == chars_format::fixed        ? "%.*f"
                       : format == chars_format::scientific ? "%.*e"
                                                            : "%.*g";
    const auto room = static_cast<size_t>(last - first);
    const int n = snprintf(first, room, spec, precision, value);
    // snprintf writes a terminating zero too: the text fits only when n < room.
    if (n < 0 || static_cast<size_t>(n) >= room) return {last, errc::value_too_large};
    return {first + n, errc{}};
}
}  // namespace std
#endif
