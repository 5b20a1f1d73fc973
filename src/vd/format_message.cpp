// The insert engine of the Windows message formatter for string arguments.
#include "vd/format_message.h"

#include "os/win_error.h"

#include <cstddef>
#include <optional>

namespace vd {
namespace {

bool is_digit(wchar_t c) noexcept { return c >= L'0' && c <= L'9'; }

// A printf conversion for one string insert: [-][width][.precision](s|ls|ws|hs|S).
struct string_conversion {
    bool left = false;
    std::size_t width = 0;
    std::optional<std::size_t> precision;
};

std::optional<string_conversion> parse_conversion(std::wstring_view format) {
    string_conversion conversion;
    std::size_t i = 0;
    while (i < format.size() &&
           (format[i] == L'-' || format[i] == L'+' || format[i] == L' ' || format[i] == L'#' || format[i] == L'0')) {
        if (format[i] == L'-') conversion.left = true;
        ++i;
    }
    auto number = [&](std::size_t& value) {
        for (; i < format.size() && is_digit(format[i]); ++i) {
            if (value > 100000) return false;  // no sensible message pads this far
            value = value * 10 + static_cast<std::size_t>(format[i] - L'0');
        }
        return true;
    };
    if (!number(conversion.width)) return std::nullopt;
    if (i < format.size() && format[i] == L'.') {
        ++i;
        std::size_t precision = 0;
        if (!number(precision)) return std::nullopt;
        conversion.precision = precision;
    }
    if (i < format.size() && (format[i] == L'l' || format[i] == L'w' || format[i] == L'h')) ++i;
    if (i + 1 != format.size() || (format[i] != L's' && format[i] != L'S')) return std::nullopt;
    return conversion;
}

void append_insert(std::wstring& out, std::wstring_view argument, const string_conversion& conversion) {
    if (conversion.precision && *conversion.precision < argument.size()) {
        argument = argument.substr(0, *conversion.precision);
    }
    const std::size_t padding = conversion.width > argument.size() ? conversion.width - argument.size() : 0;
    if (!conversion.left) out.append(padding, L' ');
    out.append(argument);
    if (conversion.left) out.append(padding, L' ');
}

}  // namespace

formatted_message format_message(std::wstring_view pattern, std::span<const std::wstring_view> arguments) {
    formatted_message result;
    std::wstring& out = result.text;
    auto fail = [&result]() {
        result.text.clear();
        result.error = os::errc::invalid_parameter;
        return result;
    };
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t c = pattern[i];
        if (c != L'%') {
            out.push_back(c);
            continue;
        }
        if (++i == pattern.size()) return fail();  // a lone % at the end
        const wchar_t next = pattern[i];
        if (next >= L'1' && next <= L'9') {
            std::size_t number = static_cast<std::size_t>(next - L'0');
            if (i + 1 < pattern.size() && is_digit(pattern[i + 1])) {
                number = number * 10 + static_cast<std::size_t>(pattern[++i] - L'0');
            }
            string_conversion conversion;
            if (i + 1 < pattern.size() && pattern[i + 1] == L'!') {
                const std::size_t close = pattern.find(L'!', i + 2);
                if (close == std::wstring_view::npos) return fail();
                const auto parsed = parse_conversion(pattern.substr(i + 2, close - i - 2));
                if (!parsed) return fail();
                conversion = *parsed;
                i = close;
            }
            if (number > arguments.size()) return fail();
            append_insert(out, arguments[number - 1], conversion);
            continue;
        }
        switch (next) {
            case L'0':
                return result;  // the message ends here, without a line break
            case L'n':
                out.append(L"\r\n");
                break;
            case L'r':
                out.push_back(L'\r');
                break;
            case L't':
                out.push_back(L'\t');
                break;
            case L'b':
                out.push_back(L' ');
                break;
            default:
                out.push_back(next);
                break;  // %% %. %! "% " and any other character stand for themselves
        }
    }
    return result;
}

}  // namespace vd
