// The Windows message formatter applied to a pattern string (FormatMessageW with
// FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, string inserts), portable.
//
// Inserts %1 … %99 take the arguments in order; "%1!s!" is the same as "%1"; other printf formats
// are not supported for string arguments.  Escapes: %% → %, %n → CR LF, %0 ends the message with no
// line break, "%." "%!" "% " … give the character itself, %r → CR, %t → tab, %b → blank.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vd {

// Outcome of format_message; the error values are the Windows codes FormatMessageW reports.
struct formatted_message {
    std::wstring text;
    std::uint32_t error = 0;  // 0, or 87 (ERROR_INVALID_PARAMETER): an insert without an argument or a
                              // malformed insert
};

// Formats `pattern` with `arguments` as %1, %2, ….  On error `text` is empty.
[[nodiscard]] formatted_message format_message(std::wstring_view pattern, std::span<const std::wstring_view> arguments);

}  // namespace vd
