// The text the program shows for an error code: a string of its own for the codes it defines, the
// system's text for the others.
#pragma once

#include <cstdint>
#include <string>

#include "os/resources.h"
#include "os/system_text.h"

namespace vd {

// Bits of an HRESULT that the program defines itself: the customer bit, and with it the bit that
// says the low 16 bits are a string-table id.
inline constexpr std::uint32_t customer_code_bit = 0x20000000u;
inline constexpr std::uint32_t string_id_code_bit = 0x08000000u;

// A code with both bits and a non-zero id whose string exists and is not empty: that string.  Any
// other customer code: the E_FAIL system text.  Every other code: its system text.  System texts
// are taken in language 0; strings from `resource_module` (0: the program module) with fallback to
// the program module.  Throws only std::bad_alloc.
[[nodiscard]] std::wstring error_text(os::system_text& texts, os::resources& resources,
                                      os::module_handle resource_module, std::int32_t code);

}  // namespace vd
