// What the main program was asked to do by its command line: open its window (with a document or
// without), or register itself in the background, as the setup program asks with
// " /Register /Background" and, on an update, " /update=" and the previous version in sixteen
// hexadecimal digits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sample {

struct main_command {
    enum class action { show_window, register_background };
    action what = action::show_window;
    std::wstring document;                         // a document to show (show_window only)
    std::optional<std::uint64_t> previousVersion;  // from /update= (register_background only)
};

// The arguments after the program's name; nothing when they make no sense together.
[[nodiscard]] std::optional<main_command> parse_main_command(std::wstring_view arguments);

}  // namespace sample
