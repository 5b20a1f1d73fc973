// System error texts over the system-text port.
#include "vd/system_message.h"

#include <optional>

#include "os/win_error.h"

namespace vd {

namespace {

// The stripped system text, or nothing when the system has none (or only a line break).
std::optional<std::wstring> lookup(os::system_text& texts, std::uint32_t code, std::uint16_t language) {
    std::wstring text;
    auto error = texts.format_message(code, language, text);
    if (error == os::win_error(os::errc::resource_lang_not_found) && language != 0) {
        error = texts.format_message(code, 0, text);
    }
    if (error) return std::nullopt;
    text.resize(without_trailing_line_breaks(text).size());
    // A text made only of line breaks would show an empty box: treat it as no text.
    if (text.empty()) return std::nullopt;
    return text;
}

}  // namespace

std::wstring_view without_trailing_line_breaks(std::wstring_view text) noexcept {
    const auto last = text.find_last_not_of(L"\r\n");
    return last == std::wstring_view::npos ? std::wstring_view{} : text.substr(0, last + 1);
}

std::wstring system_message(os::system_text& texts, std::int32_t code, std::uint16_t language) {
    const auto unspecified = static_cast<std::uint32_t>(os::hr::e_fail);
    if (auto text = lookup(texts, static_cast<std::uint32_t>(code), language)) return *std::move(text);
    if (static_cast<std::uint32_t>(code) != unspecified) {
        if (auto text = lookup(texts, unspecified, language)) return *std::move(text);
    }
    return L"Error";
}

}  // namespace vd
