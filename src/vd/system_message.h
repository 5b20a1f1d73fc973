// System error texts: the operating system's text for an HRESULT or Win32 code, without its line
// break, and never empty.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "os/system_text.h"

namespace vd {

// The system's text of `code` in `language` (a LANGID; 0 lets the system choose), retried with
// language 0 when the system has no texts in that language.  Every trailing CR and LF is removed.
// A code without a text yields the E_FAIL text of the same language, and E_FAIL without a text
// yields "Error".  Throws only std::bad_alloc.
[[nodiscard]] std::wstring system_message(os::system_text& texts, std::int32_t code, std::uint16_t language);

// `text` without its trailing carriage returns and line feeds, in any mix.
[[nodiscard]] std::wstring_view without_trailing_line_breaks(std::wstring_view text) noexcept;

}  // namespace vd
